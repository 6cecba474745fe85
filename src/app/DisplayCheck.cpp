// Why no window can be shown: no display set, or the X11 or Wayland display does not answer.
#include "app/DisplayCheck.h"

namespace dm {

namespace {

const char* const kAdvice = " Start it from a desktop session (or set QT_QPA_PLATFORM, for "
                            "instance QT_QPA_PLATFORM=offscreen to run without a screen).";

std::string valueOf(const Environment& getenv, const char* name) {
    return getenv(name).value_or(std::string());
}

} // namespace

platform::Status displayAvailable(const Environment& getenv, const DisplayProbes& probes) {
    if (!valueOf(getenv, "QT_QPA_PLATFORM").empty())
        return {};
    const std::string display = valueOf(getenv, "DISPLAY");
    const std::string wayland = valueOf(getenv, "WAYLAND_DISPLAY");
    if (display.empty() && wayland.empty())
        return platform::Failure::notFound(
            std::string("Dimmetric is a desktop program and needs a graphical session: neither "
                        "DISPLAY nor WAYLAND_DISPLAY is set.") +
            kAdvice);
    if (!display.empty() && probes.x11(display))
        return {};
    if (!wayland.empty() && probes.wayland(wayland, valueOf(getenv, "XDG_RUNTIME_DIR")))
        return {};
    std::string named;
    if (!display.empty())
        named = "the X display \"" + display + "\" (DISPLAY)";
    if (!wayland.empty())
        named += (named.empty() ? "" : " and ") + std::string("the Wayland display \"") + wayland +
                 "\" (WAYLAND_DISPLAY)";
    return platform::Failure{"Dimmetric cannot open its window: " + named + " does not answer." +
                             kAdvice};
}

} // namespace dm
