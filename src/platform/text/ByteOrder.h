// Unsigned numbers read from bytes in either byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dm::platform {

// The unsigned number held in width bytes (at most 8) from bytes[at], least significant byte
// first, or most significant first when bigEndian. The caller makes sure the bytes are there.
template <typename Bytes>
constexpr std::uint64_t readUnsigned(const Bytes& bytes, std::size_t at, std::size_t width,
                                     bool bigEndian = false) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t k = bigEndian ? i : width - 1 - i;
        value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
    }
    return value;
}

// Appends the low width bytes (at most 8) of value to out, least significant byte first.
inline void appendLe(std::string& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

// The two and four byte forms, read straight from the bytes: they run for every unit of every
// UTF-16 text and resource node read.
inline std::uint16_t readLe16(std::string_view bytes, std::size_t at) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

inline std::uint32_t readLe32(std::string_view bytes, std::size_t at) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

} // namespace dm::platform
