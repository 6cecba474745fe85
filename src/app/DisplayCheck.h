// The start-up check that a display server answers before any window is made.
#pragma once

#include "platform/Result.h"

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

// Success when a window can be shown: a Qt platform plugin is chosen (QT_QPA_PLATFORM), or the
// display named by DISPLAY or WAYLAND_DISPLAY answers. Otherwise why not: no display named (not
// found), or none named answers (failed).
platform::Status displayAvailable(const Environment& getenv, const DisplayProbes& probes);

} // namespace dm
