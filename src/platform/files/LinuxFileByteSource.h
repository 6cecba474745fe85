// The bytes of a regular file, opened read-only and read in place.
#pragma once

#include "platform/files/ByteSource.h"
#include "platform/files/UniqueFd.h"

#include <optional>
#include <string>

namespace dm::platform {

// The bytes of a regular file, opened read-only and read in place (nothing is loaded whole).
// Reads fail past the size the file had when opened. Small reads are served from one bounded
// window of the file, filled by a single read, so walking headers and tables that lie close
// together costs one system call instead of one per field. Not for use from several threads.
class LinuxFileByteSource final : public ByteSource {
public:
    explicit LinuxFileByteSource(const std::string& path);

    // Whether the path named a regular file that could be opened.
    bool isOpen() const { return size_.has_value(); }
    std::uint64_t size() const override { return size_.value_or(0); }
    std::optional<std::string> readAt(std::uint64_t offset, std::size_t count) const override;

private:
    // Exactly count bytes from offset into out, straight from the file.
    bool readFile(std::uint64_t offset, std::size_t count, char* out) const;

    UniqueFd fd_;
    std::optional<std::uint64_t> size_; // set for a regular file only
    mutable std::string window_;        // the file's bytes from windowAt_
    mutable std::uint64_t windowAt_ = 0;
};

} // namespace dm::platform
