// Code page 1252: UTF-16LE narrowed to it, and its bytes widened to UTF-8.
#include "platform/text/Cp1252.h"

#include "platform/text/ByteOrder.h"
#include "platform/text/Utf16.h"

#include <algorithm>
#include <array>

namespace dm::platform {

namespace {

// The characters of the bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kHighestControl = *std::max_element(kHighControls.begin(), kHighControls.end());

char narrowUnit(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    if (unit > kHighestControl) // beyond every character of the code page
        return '?';
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string utf16LeToCp1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto unit = static_cast<char16_t>(readLe16(bytes, at));
        if (unit == 0)
            break;
        text.push_back(narrowUnit(unit));
        // A character beyond the 16-bit range is one character, so one "?".
        if (isHighSurrogate(unit) && at + 3 < bytes.size() &&
            isLowSurrogate(static_cast<char16_t>(readLe16(bytes, at + 2))))
            at += 2;
    }
    return text;
}

std::string cp1252ToUtf8(std::string_view text) {
    std::u16string units;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t high = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : 0;
        units.push_back(byte >= 0x80 && byte < 0xA0 ? (high ? high : u'\uFFFD') : byte);
    }
    return utf16LeToUtf8(unitsToUtf16Le(units));
}

} // namespace dm::platform
