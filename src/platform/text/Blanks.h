// Spaces and tabs, and texts trimmed of them or of other characters.
#pragma once

#include <string_view>

namespace dm::platform {

// Spaces and tabs: what INI lines, /proc files and texts of numbers are padded with.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text without the characters at its start and end for which isTrimmed holds.
template <typename Predicate>
constexpr std::string_view trimIf(std::string_view text, Predicate isTrimmed) {
    while (!text.empty() && isTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text without the blanks at its start and end.
constexpr std::string_view trimBlanks(std::string_view text) {
    return trimIf(text, isBlank);
}

// The blanks of a line in a file whose lines may end CR LF: spaces, tabs and a stray CR, so that
// CR LF and LF files read the same.
constexpr bool isLineBlank(char c) {
    return isBlank(c) || c == '\r';
}

// The line without its line blanks at the start and end.
constexpr std::string_view trimLineBlanks(std::string_view text) {
    return trimIf(text, isLineBlank);
}

} // namespace dm::platform
