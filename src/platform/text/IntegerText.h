// A signed 32-bit integer read from decimal or hexadecimal text, or a fallback.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dm::platform {

// A signed 32-bit integer read from text: leading spaces, an optional "+" or "-", then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow the digits.
// nullopt for an empty text, any other character, or a value that does not fit 32 bits
// (hexadecimal values up to FFFFFFFF wrap to negative numbers).
std::optional<std::int32_t> integerFromText(std::string_view text);

// integerFromText, or fallback when the text does not read.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

} // namespace dm::platform
