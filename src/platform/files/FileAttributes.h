// File attribute bits, and what each means for a Linux file.
#pragma once

#include <cstdint>

namespace dm::platform {

// File attribute bits, numbered as Windows numbers them. On Linux: read-only means the user may
// not write the entry, hidden means its name starts with ".", a symbolic link carries
// ReparsePoint on top of the attributes of what it points to.
enum FileAttribute : std::uint32_t {
    kFileAttributeReadOnly = 0x1,
    kFileAttributeHidden = 0x2,
    kFileAttributeSystem = 0x4,
    kFileAttributeDirectory = 0x10,
    kFileAttributeArchive = 0x20,
    kFileAttributeNormal = 0x80,
    kFileAttributeReparsePoint = 0x400,
};

} // namespace dm::platform
