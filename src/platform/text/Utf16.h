// UTF-16 surrogates, and UTF-16LE bytes to and from UTF-8 text and code units.
#pragma once

#include <string>
#include <string_view>

namespace dm::platform {

// The two halves of a character beyond U+FFFF in UTF-16.
constexpr bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// UTF-16LE bytes to UTF-8 text; an unpaired surrogate becomes U+FFFD, an odd last byte is dropped.
std::string utf16LeToUtf8(std::string_view bytes);
// UTF-8 text to UTF-16LE bytes; an invalid sequence becomes U+FFFD.
std::string utf8ToUtf16Le(std::string_view text);

// UTF-16 code units to and from their UTF-16LE bytes, unchanged; an odd last byte is dropped.
std::string unitsToUtf16Le(std::u16string_view units);
std::u16string utf16LeToUnits(std::string_view bytes);

} // namespace dm::platform
