// The bytes of a regular file read in place through one bounded window.
#include "platform/files/LinuxFileByteSource.h"

#include "platform/RetryAfterSignal.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

namespace {

// The window's size: the headers and section table of an executable, or a whole small resource
// directory, fit in it; larger reads go to the file directly.
constexpr std::size_t kWindowSize = 4096;

} // namespace

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
    const auto inWindow = [&] {
        return offset >= windowAt_ && offset - windowAt_ <= window_.size() &&
               count <= window_.size() - (offset - windowAt_);
    };
    if (!inWindow() && count <= kWindowSize) {
        // Refill: from the read's offset, as far as the window and the file's size allow.
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, *size_ - offset));
        // A file that shrank since it was opened leaves the window empty: the read below asks
        // for exactly its own bytes.
        window_.assign(length, '\0');
        windowAt_ = offset;
        if (!readFile(offset, length, window_.data()))
            window_.clear();
    }
    if (inWindow())
        return window_.substr(static_cast<std::size_t>(offset - windowAt_), count);
    std::string out(count, '\0');
    if (!readFile(offset, count, out.data()))
        return std::nullopt;
    return out;
}

bool LinuxFileByteSource::readFile(std::uint64_t offset, std::size_t count, char* out) const {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = retryAfterSignal(::pread, fd_.get(), out + done, count - done,
                                             static_cast<off_t>(offset + done));
        if (got <= 0)
            return false; // an error, or the file shrank
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace dm::platform
