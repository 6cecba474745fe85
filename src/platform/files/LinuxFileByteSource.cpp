#include "platform/files/LinuxFileByteSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

LinuxFileByteSource::LinuxFileByteSource(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {
    struct stat st {};
    if (fd_.get() >= 0 && ::fstat(fd_.get(), &st) == 0 && S_ISREG(st.st_mode))
        size_ = static_cast<std::uint64_t>(st.st_size);
}

std::optional<std::string> LinuxFileByteSource::readAt(std::uint64_t offset,
                                                       std::size_t count) const {
    if (!size_ || offset > *size_ || count > *size_ - offset)
        return std::nullopt;
    std::string out(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(fd_.get(), out.data() + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt; // an error, or the file shrank
        done += static_cast<std::size_t>(got);
    }
    return out;
}

} // namespace dm::platform
