#pragma once

#include <string_view>

namespace dm::platform {

// A-Z to a-z; every other byte as it is. Names and texts that compare without regard to case
// (INI and resource keys, file masks, WMI names, text helpers) fold the ASCII letters only,
// whatever the locale.
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

} // namespace dm::platform
