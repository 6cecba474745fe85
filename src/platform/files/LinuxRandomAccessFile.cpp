#include "platform/files/RandomAccessFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dm::platform {

std::optional<RandomAccessFile> RandomAccessFile::open(const std::string& path, Mode mode) {
    const int flags = mode == Mode::Read        ? O_RDONLY
                      : mode == Mode::ReadWrite ? O_RDWR
                                                : O_RDWR | O_CREAT | O_TRUNC;
    UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, 0666));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return RandomAccessFile(std::move(fd));
}

std::optional<std::int64_t> RandomAccessFile::size() const {
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

std::optional<std::string> RandomAccessFile::readAt(std::int64_t offset, std::size_t count) const {
    if (offset < 0)
        return std::nullopt;
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_.get(), bytes.data() + done, count - done,
                                    static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt; // an error, or the end of the file
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

bool RandomAccessFile::writeAt(std::int64_t offset, std::string_view bytes) {
    if (offset < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd_.get(), bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace dm::platform
