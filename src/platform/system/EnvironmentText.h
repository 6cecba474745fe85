// "%NAME%" in a text replaced by the environment variable NAME where it is set.
#pragma once

#include <string>

namespace dm::platform {

// "%NAME%" replaced by the environment variable NAME where it is set; other text unchanged.
std::string expandEnvironmentText(const std::string& text);

} // namespace dm::platform
