// Language codes (sequence and language identifier), language file paths, the template switch.
#pragma once

#include <cstdint>
#include <string>

namespace dm {

// A language code: the sequence number (which file of one language) in the high 16 bits, the
// Windows language identifier in the low 16 bits.
constexpr std::int32_t makeLanguageCode(std::uint16_t sequence, std::uint16_t langId) {
    return static_cast<std::int32_t>((std::uint32_t{sequence} << 16) | langId);
}
constexpr std::uint16_t languageIdOf(std::int32_t code) {
    return static_cast<std::uint16_t>(code & 0xFFFF);
}
constexpr std::uint16_t primaryLanguageOf(std::int32_t code) {
    return static_cast<std::uint16_t>(code & 0x3FF);
}

// Upper-case hexadecimal digits of the low `digits` nibbles of value, with leading zeros.
std::string upperHex(std::uint32_t value, int digits);

// folder + prefix + the code as eight upper-case hexadecimal digits + ".SPK".
std::string languageFilePath(const std::string& folder, const std::string& prefix,
                             std::int32_t code);

// True for a command-line parameter that asks for the template language file: after folding
// A to Z to lower case and turning its first "/" into "-", it begins with "-co".
bool isTemplateSwitch(std::string parameter);

} // namespace dm
