#pragma once

#include <string_view>

namespace dm::platform {

// Spaces and tabs: what INI lines, /proc files and texts of numbers are padded with.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text without the blanks at its start and end.
constexpr std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace dm::platform
