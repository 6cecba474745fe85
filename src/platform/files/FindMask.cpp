// Find mask matching: "*" and "?" wildcards, ASCII case ignored, no recursion.
#include "platform/files/FindMask.h"

#include "platform/text/AsciiCase.h"

namespace dm::platform {

namespace {

// Iterative wildcard match with one back-track point (linear in practice, no recursion).
bool wildcardMatch(const std::string& name, const std::string& mask) {
    std::size_t n = 0, m = 0, starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && foldAsciiCase(mask[m]) ==
                                                                         foldAsciiCase(name[n])))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

bool matchesFindMask(const std::string& name, const std::string& mask) {
    if (wildcardMatch(name, mask))
        return true;
    const bool optionalExtension = mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0;
    return optionalExtension && name.find('.') == std::string::npos &&
           wildcardMatch(name + ".", mask);
}

std::optional<FindPattern> splitFindPattern(const std::string& pattern) {
    const auto slash = pattern.find_last_of('/');
    FindPattern split;
    if (slash == std::string::npos) {
        split.folder = ".";
        split.mask = pattern;
    } else {
        split.folder = slash == 0 ? "/" : pattern.substr(0, slash);
        split.mask = pattern.substr(slash + 1);
    }
    if (split.mask.empty() || split.mask == "." || split.mask == "..")
        return std::nullopt;
    return split;
}

} // namespace dm::platform
