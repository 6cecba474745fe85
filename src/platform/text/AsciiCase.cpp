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
    // A plain loop: this runs over whole files for every tag and name the rules look for.
    const char first = foldAsciiCase(sub[0]);
    for (std::size_t at = from; at <= text.size() - sub.size(); ++at)
        if (foldAsciiCase(text[at]) == first &&
            sameNameIgnoringCase(text.substr(at, sub.size()), sub))
            return at;
    return std::string_view::npos;
}

} // namespace dm::platform
