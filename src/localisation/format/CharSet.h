// The character sets a language file can name, with the code pages of their 8-bit texts.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace dm {

// A character set a language file can name, with the code page its 8-bit texts are written in.
struct CharSet {
    std::uint8_t Value;
    std::string_view Description;
    std::int32_t RightToLeft;
    std::string_view CodePageName; // as platform::CodePage names it
};

// The character set of a font that names none.
constexpr std::uint8_t kDefaultCharSet = 1;

// The table of known character sets, in value order.
std::span<const CharSet> charSets();
// The row of value; nullptr for a value outside the table.
const CharSet* findCharSet(std::uint8_t value);
// The code page of value's texts; that of the default character set for an unknown value.
std::string_view codePageOf(std::uint8_t value);

} // namespace dm
