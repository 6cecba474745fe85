// Whether a name matches a find mask with "*" and "?" wildcards.
#pragma once

#include <string>

namespace dm::platform {

// Whether a name matches a find mask: "*" any run, "?" one character, ASCII case ignored, and a
// mask ending in ".*" also matching a name without a dot.
bool matchesFindMask(const std::string& name, const std::string& mask);

} // namespace dm::platform
