#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dm {

using Environment = std::function<std::optional<std::string>(const char*)>;

// Asks whether a display server answers: X11 for a DISPLAY value, Wayland for a WAYLAND_DISPLAY
// value (with XDG_RUNTIME_DIR).
struct DisplayProbes {
    std::function<bool(const std::string& display)> x11;
    std::function<bool(const std::string& name, const std::string& runtimeDir)> wayland;
};

// Why no window can be shown, or nullopt when one can: a Qt platform plugin is chosen
// (QT_QPA_PLATFORM), or the display named by DISPLAY or WAYLAND_DISPLAY answers.
std::optional<std::string> displayProblem(const Environment& getenv, const DisplayProbes& probes);

} // namespace dm
