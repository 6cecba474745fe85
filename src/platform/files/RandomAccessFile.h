#pragma once

#include "platform/files/UniqueFd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dm::platform {

// An open file read and written at any offset, as a kept-open Windows file handle is used.
class RandomAccessFile {
public:
    enum class Mode {
        Read,      // an existing file, for reading
        ReadWrite, // an existing file, for reading and writing
        Create,    // a new or emptied file, for reading and writing
    };

    // The file opened in mode; nullopt when it cannot be opened so.
    static std::optional<RandomAccessFile> open(const std::string& path, Mode mode);

    // The file's size now; nullopt when it cannot be told.
    std::optional<std::int64_t> size() const;
    // Exactly count bytes from offset; nullopt when they are not all there.
    std::optional<std::string> readAt(std::int64_t offset, std::size_t count) const;
    // Writes all of bytes at offset; false when they could not all be written.
    bool writeAt(std::int64_t offset, std::string_view bytes);

private:
    explicit RandomAccessFile(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

} // namespace dm::platform
