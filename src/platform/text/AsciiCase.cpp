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
    if (sub.empty() || from > text.size())
        return std::string_view::npos;
    const auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), sub.begin(),
                    sub.end(), [](char a, char b) { return foldAsciiCase(a) == foldAsciiCase(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

} // namespace dm::platform
