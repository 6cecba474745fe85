#pragma once

#include <cstdint>

namespace dm::platform {

// File attribute bits, numbered as Windows numbers them. On Linux: read-only means the user may
// not write the entry, hidden means its name starts with ".", a symbolic link carries
// ReparsePoint on top of the attributes of what it points to.
enum FileAttribute : std::uint32_t {
    FileAttributeReadOnly = 0x1,
    FileAttributeHidden = 0x2,
    FileAttributeSystem = 0x4,
    FileAttributeDirectory = 0x10,
    FileAttributeArchive = 0x20,
    FileAttributeNormal = 0x80,
    FileAttributeReparsePoint = 0x400,
};

} // namespace dm::platform
