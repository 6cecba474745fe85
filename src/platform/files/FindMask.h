// Find patterns: their folder and mask, and whether a name matches a mask with "*" and "?".
#pragma once

#include <optional>
#include <string>

namespace dm::platform {

// Whether a name matches a find mask: "*" any run, "?" one character, ASCII case ignored, and a
// mask ending in ".*" also matching a name without a dot.
bool matchesFindMask(const std::string& name, const std::string& mask);

// A find pattern split at its last "/": the folder ("." without one, "/" for the root) and the
// mask. None when the mask can find nothing (empty, "." or "..").
struct FindPattern {
    std::string folder;
    std::string mask;

    // A mask without "*" or "?" names one entry.
    bool namesOneEntry() const { return mask.find_first_of("*?") == std::string::npos; }
};
std::optional<FindPattern> splitFindPattern(const std::string& pattern);

} // namespace dm::platform
