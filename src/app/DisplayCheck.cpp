#include "app/DisplayCheck.h"

namespace dm {

const char* const NoDisplayMessage =
    "Dimmetric is a desktop program and needs a graphical session: neither DISPLAY nor "
    "WAYLAND_DISPLAY is set. Start it from a desktop session (or set QT_QPA_PLATFORM, for "
    "instance QT_QPA_PLATFORM=offscreen to run without a screen).";

bool HasDisplay(const std::function<std::optional<std::string>(const char*)>& getenv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const auto value = getenv(name);
        if (value && !value->empty())
            return true;
    }
    return false;
}

} // namespace dm
