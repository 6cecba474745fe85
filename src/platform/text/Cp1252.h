// Text in code page 1252, the 8-bit text of the identification rules, to and from UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace dm::platform {

// Text in Windows code page 1252, the 8-bit text of the identification rules: UTF-16LE bytes
// narrowed to it (up to the first zero unit; a character it cannot hold, a surrogate pair or a
// lone surrogate, becomes one "?"; an odd last byte is dropped), and its bytes widened to UTF-8 for
// display.
std::string utf16LeToCp1252(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view text);

} // namespace dm::platform
