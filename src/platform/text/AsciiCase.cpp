// Texts folded to lower case by the ASCII rules.
#include "platform/text/AsciiCase.h"

#include <algorithm>

namespace dm::platform {

std::string lowerCaseText(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), foldAsciiCase);
    return lower;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view sub, std::size_t from) {
    if (sub.empty() || from > text.size() || sub.size() > text.size() - from)
        return std::string_view::npos;
    // This runs over whole files for every tag and name the rules look for: the places where the
    // first letter stands, in either case, are found by the library's byte search, and only
    // those are compared.
    const char lower = foldAsciiCase(sub[0]);
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    const std::size_t last = text.size() - sub.size();
    std::size_t nextLower = text.find(lower, from);
    std::size_t nextUpper = upper == lower ? std::string_view::npos : text.find(upper, from);
    for (;;) {
        const std::size_t at = std::min(nextLower, nextUpper);
        if (at == std::string_view::npos || at > last)
            return std::string_view::npos;
        if (sameNameIgnoringCase(text.substr(at, sub.size()), sub))
            return at;
        if (at == nextLower)
            nextLower = text.find(lower, at + 1);
        else
            nextUpper = text.find(upper, at + 1);
    }
}

} // namespace dm::platform
