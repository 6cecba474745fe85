// An open file read and written at any offset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dm::platform {

// An open file read and written at any offset, as a kept-open Windows file handle is used.
// FileSystem::openRandomAccess opens one.
class RandomAccessFile {
public:
    enum class Mode {
        Read,      // an existing file, for reading
        ReadWrite, // an existing file, for reading and writing
        Create,    // a new or emptied file, for reading and writing
    };

    virtual ~RandomAccessFile() = default;

    // The file's size now; nullopt when it cannot be told.
    virtual std::optional<std::int64_t> size() const = 0;
    // Exactly count bytes from offset; nullopt when they are not all there.
    virtual std::optional<std::string> readAt(std::int64_t offset, std::size_t count) const = 0;
    // Writes all of bytes at offset; false when they could not all be written.
    virtual bool writeAt(std::int64_t offset, std::string_view bytes) = 0;
};

} // namespace dm::platform
