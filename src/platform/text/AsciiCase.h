// The ASCII case rules that every comparison ignoring case follows, whatever the locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The ASCII case rules. Names and texts that compare without regard to case (INI and resource
// keys, file masks, WMI names, the text helpers, the identification rules) fold the ASCII letters
// only, whatever the locale.
namespace dm::platform {

// A-Z to a-z; every other byte as it is.
constexpr char foldAsciiCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAsciiCase(a[i]) != foldAsciiCase(b[i]))
            return false;
    return true;
}

// The text with A-Z folded to a-z.
std::string lowerCaseText(std::string_view text);

// Where sub first occurs in text at or after from, ignoring case; npos when sub is empty, from
// lies beyond the text, or sub is absent.
std::size_t findIgnoringCase(std::string_view text, std::string_view sub, std::size_t from = 0);

} // namespace dm::platform
