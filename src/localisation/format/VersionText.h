// Version texts packed into one number or read as a decimal number.
#pragma once

#include <cstdint>
#include <string>

namespace dm {

// Packs the first four parts of a dotted version text into one number: bits 31-24 the first
// part, 23-16 the second, 15-10 the third, 9-0 the fourth, each cut to its width. Characters
// other than digits, "." and "," are skipped; "1.23.0.47" packs to 0x0117002F.
std::int32_t VersionTextToInt(const std::string& text);

// A version text as a number: the text itself when it reads as a decimal number, otherwise its
// first separator as the decimal point and the digits around it ("1.23.0.47" is 1.23047,
// "1,5" is 1.5, "7 beta" is 7); 0 when nothing reads.
double VersionTextToFloat(const std::string& text);

} // namespace dm
