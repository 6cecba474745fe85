// One registry value: its type and its data laid out as the registry stores it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// Registry value types, numbered as Windows numbers them. Other numbers found in a hive are kept
// as they are.
enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,       // REG_SZ
    ExpandSz = 2, // REG_EXPAND_SZ
    Binary = 3,   // REG_BINARY
    Dword = 4,    // REG_DWORD
    MultiSz = 7,  // REG_MULTI_SZ
};

// One registry value: its type and its data laid out as Windows stores it (strings as UTF-16LE
// with a terminating zero, DWORDs as four little-endian bytes).
//
// Text in this program is 8-bit: each byte is one UTF-16 code unit 0..255 on the way in, and a
// code unit above 255 reads back as "?".
struct RegistryValue {
    RegType type = RegType::None;
    std::string data;

    static RegistryValue string(std::string_view text);
    static RegistryValue expandString(std::string_view text);
    static RegistryValue dword(std::uint32_t value);
    static RegistryValue binary(std::string_view bytes);
    static RegistryValue multiString(const std::vector<std::string>& texts);

    bool isString() const { return type == RegType::Sz || type == RegType::ExpandSz; }
    // The data as text, up to the first zero code unit (for the string types).
    std::string text() const;
    // The data as a little-endian 32-bit number (zero-padded when shorter than four bytes).
    std::uint32_t dword() const;
    // The data as a list of texts (for REG_MULTI_SZ), without the empty terminating entry.
    std::vector<std::string> texts() const;

    bool operator==(const RegistryValue&) const = default;
};

// 8-bit text to and from UTF-16 code units (each byte one unit; a unit above 255 becomes "?",
// a surrogate pair one "?").
std::u16string widenBytes(std::string_view bytes);
std::string narrowUnits(std::u16string_view units);

} // namespace dm::platform
