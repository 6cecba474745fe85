// The fixed part of a version resource: file and product versions, flags, type and date.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dm::platform {

// The fixed part of a version resource (VS_FIXEDFILEINFO, 52 bytes, little-endian).
struct FixedFileInfo {
    static constexpr std::uint32_t kSignature = 0xFEEF04BD;
    static constexpr std::size_t kSize = 52;

    std::uint32_t Signature = kSignature;
    std::uint32_t StrucVersion = 0x00010000;
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
    std::uint32_t FileFlagsMask = 0;
    std::uint32_t FileFlags = 0;
    std::uint32_t FileOS = 0;
    std::uint32_t FileType = 0;
    std::uint32_t FileSubtype = 0;
    std::uint32_t FileDateMS = 0;
    std::uint32_t FileDateLS = 0;
};

} // namespace dm::platform
