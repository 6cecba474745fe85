// Whole-file reads, atomic writes through a renamed temporary, and flock locks on Linux.
#include "platform/files/AtomicFile.h"

#include "platform/RetryAfterSignal.h"
#include "platform/files/LinuxErrorKind.h"
#include "platform/files/UniqueFd.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

namespace {

// The failure errno tells, said as what failed on path and the system's words for it.
Failure systemFailure(const std::string& what, const std::string& path) {
    const int error = errno;
    return {what + " " + path + ": " + std::strerror(error), errorKindOf(error)};
}

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = retryAfterSignal(::write, fd, bytes.data(), bytes.size());
        if (done <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// How the temporary files of the file name begin, in the same folder.
std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".";
}

std::string temporaryName(const std::string& name) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    return temporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
           "-" + std::to_string(random() % 1000000) + ".tmp";
}

// The file that path names: its symbolic links followed (a relative one from the link's folder),
// so that a file kept as a link elsewhere (into a dotfiles folder, say) is written where it lives
// and the link stays. nullopt for a chain of links that does not end.
std::optional<std::string> followLinks(std::string path) {
    constexpr int kMostLinks = 40; // as many as the system follows
    for (int followed = 0; followed < kMostLinks; ++followed) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
            return path;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = target.is_absolute() ? target.string()
                                    : (std::filesystem::path(path).parent_path() / target).string();
    }
    return std::nullopt;
}

} // namespace

Result<FileContents> readWholeFile(const std::string& path, std::size_t limit) {
    FileContents result;
    // Non-blocking, so that a FIFO in the file's place cannot hold the open up.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0)
        return systemFailure("cannot open", path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Failure{"not a readable file: " + path};
    if (!S_ISREG(info.st_mode))
        return Failure::refused("not a readable file: " + path);
    char buffer[65536];
    while (result.bytes.size() < limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit - result.bytes.size());
        const ssize_t got = retryAfterSignal(::read, fd.get(), buffer, wanted);
        if (got < 0)
            return systemFailure("cannot read", path);
        if (got == 0)
            break;
        result.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    result.identity = identityOf(info);
    return result;
}

bool isReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

std::optional<FileIdentity> identifyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

Result<FileIdentity> writeFileAtomicallyIn(const UniqueFd& folder, const std::string& name,
                                           std::string_view bytes) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return Failure::refused("cannot write \"" + name + "\": not a name in a folder");
    struct stat old {};
    const bool exists = ::fstatat(folder.get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    // A link in the file's place is replaced by the file; a device, a FIFO or a folder is not.
    const bool keepMode = exists && S_ISREG(old.st_mode);
    if (exists && !keepMode && !S_ISLNK(old.st_mode))
        return Failure::refused("cannot write " + name + ": not a regular file");
    const std::string temporary = temporaryName(name);
    // A new file gets the user's umask; an existing one keeps its own permissions.
    UniqueFd fd(::openat(folder.get(), temporary.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        return systemFailure("cannot create", temporary);
    bool ok = !keepMode || ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    struct stat info {};
    ok = ok && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && ::fstat(fd.get(), &info) == 0;
    if (ok)
        ok = fd.close();
    if (!ok || ::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0) {
        Failure why = systemFailure("cannot write", name);
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        return why;
    }
    ::fsync(folder.get());
    return identityOf(info);
}

Result<FileIdentity> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::optional<std::string> target = followLinks(path);
    if (!target)
        return Failure{"cannot write " + path + ": too many levels of symbolic links"};
    UniqueFd folder(::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return systemFailure("cannot write", path);
    Result<FileIdentity> written =
        writeFileAtomicallyIn(folder, std::filesystem::path(*target).filename().string(), bytes);
    if (!written)
        return Failure{written.error() + " (" + path + ")", *written.kind()};
    return written;
}

void removeStaleTemporaries(const std::string& path) {
    const std::optional<std::string> file = followLinks(path);
    if (!file)
        return;
    const std::string prefix = temporaryPrefix(std::filesystem::path(*file).filename().string());
    std::error_code ignored;
    for (auto it = std::filesystem::directory_iterator(folderOf(*file), ignored);
         it != std::filesystem::directory_iterator(); it.increment(ignored)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(".tmp"))
            std::filesystem::remove(it->path(), ignored);
    }
}

Result<FileLock> FileLock::acquire(const std::string& lockPath) {
    // The lock file may be removed by its holder (a portable close clears what it made); a lock
    // taken on a file no longer at the path guards nothing, so take it again on the current one.
    for (;;) {
        UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (fd.get() < 0)
            return systemFailure("cannot open the lock file", lockPath);
        if (retryAfterSignal(::flock, fd.get(), LOCK_EX) != 0)
            return systemFailure("cannot lock", lockPath);
        struct stat held {};
        struct stat named {};
        if (::fstat(fd.get(), &held) != 0)
            return systemFailure("cannot lock", lockPath);
        if (::stat(lockPath.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino)
            return FileLock(std::move(fd));
    }
}

} // namespace dm::platform
