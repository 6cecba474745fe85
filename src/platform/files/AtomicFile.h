// Whole-file reads, atomic whole-file writes and advisory file locks.
#pragma once

#include "platform/Result.h"
#include "platform/files/UniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace dm::platform {

// What tells one version of a file from another: a replaced file is a new inode.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// A file's bytes and the identity of what was read.
struct FileContents {
    std::string bytes;
    FileIdentity identity;
};

// The whole file as bytes, or its first limit bytes, and the identity of what was read. Only a
// regular file is read: anything else is refused; a missing file is not found.
Result<FileContents> readWholeFile(const std::string& path,
                                   std::size_t limit = std::numeric_limits<std::size_t>::max());

// The identity of the file now; nullopt when it is missing or cannot be looked at.
std::optional<FileIdentity> identifyFile(const std::string& path);

// Whether the file exists and nobody may write it (no write permission bit), as a read-only file
// on Windows.
bool isReadOnlyFile(const std::string& path);

// Replaces path with bytes whole or not at all: a temporary file in the same folder is written,
// flushed to disk and renamed over path, then the folder is flushed. A symbolic link is followed
// and the file it names is replaced, so the link stays. An existing file's permissions are kept;
// a new file gets the user's umask; something other than a regular file is not replaced. Gives
// the identity of the file written; on failure the old file stays.
Result<FileIdentity> writeFileAtomically(const std::string& path, std::string_view bytes);

// As writeFileAtomically, for the file name (a single entry, not a path) of the folder held open
// as folder, relative to it: a link swapped in for the folder since it was opened cannot lead
// the write elsewhere, and a symbolic link in the file's place is replaced, not followed.
Result<FileIdentity> writeFileAtomicallyIn(const UniqueFd& folder, const std::string& name,
                                           std::string_view bytes);

// Removes temporary files that a writer of path (or of the file it links to) left behind when it
// was killed. Only safe while every writer of path holds the same FileLock.
void removeStaleTemporaries(const std::string& path);

// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime. Processes
// that take the same lock file are serialised.
class FileLock {
public:
    static Result<FileLock> acquire(const std::string& lockPath);

private:
    explicit FileLock(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

} // namespace dm::platform
