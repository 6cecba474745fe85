#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dm {

// Whether a window can be shown: a display server is named (DISPLAY or WAYLAND_DISPLAY) or a Qt
// platform plugin is chosen (QT_QPA_PLATFORM). `getenv` answers the environment's values.
bool HasDisplay(const std::function<std::optional<std::string>(const char*)>& getenv);

// What the program says when started without a display.
extern const char* const NoDisplayMessage;

} // namespace dm
