// An open file read and written at any offset, on Linux file descriptors.
#include "platform/files/LinuxRandomAccessFile.h"

#include "platform/RetryAfterSignal.h"
#include "platform/files/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

namespace {

class LinuxRandomAccessFile final : public RandomAccessFile {
public:
    explicit LinuxRandomAccessFile(UniqueFd fd) : fd_(std::move(fd)) {}

    std::optional<std::int64_t> size() const override {
        struct stat info {};
        if (::fstat(fd_.get(), &info) != 0)
            return std::nullopt;
        return static_cast<std::int64_t>(info.st_size);
    }

    std::optional<std::string> readAt(std::int64_t offset, std::size_t count) const override {
        if (offset < 0)
            return std::nullopt;
        std::string bytes(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got =
                retryAfterSignal(::pread, fd_.get(), bytes.data() + done, count - done,
                                 static_cast<off_t>(offset) + static_cast<off_t>(done));
            if (got <= 0)
                return std::nullopt; // an error, or the end of the file
            done += static_cast<std::size_t>(got);
        }
        return bytes;
    }

    bool writeAt(std::int64_t offset, std::string_view bytes) override {
        if (offset < 0)
            return false;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put =
                retryAfterSignal(::pwrite, fd_.get(), bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset) + static_cast<off_t>(done));
            if (put <= 0)
                return false;
            done += static_cast<std::size_t>(put);
        }
        return true;
    }

private:
    UniqueFd fd_;
};

} // namespace

std::unique_ptr<RandomAccessFile> openLinuxRandomAccessFile(const std::string& path,
                                                            RandomAccessFile::Mode mode) {
    using Mode = RandomAccessFile::Mode;
    const int flags = mode == Mode::Read        ? O_RDONLY
                      : mode == Mode::ReadWrite ? O_RDWR
                                                : O_RDWR | O_CREAT | O_TRUNC;
    UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, 0666));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    return std::make_unique<LinuxRandomAccessFile>(std::move(fd));
}

} // namespace dm::platform
