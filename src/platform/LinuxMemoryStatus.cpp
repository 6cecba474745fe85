#include "platform/LinuxMemoryStatus.h"

#include "platform/Meminfo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace dm::platform {

namespace {

// Reads a small pseudo-file whole with one open file descriptor.
bool readSmallFile(const std::string& path, std::string& text, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    char buffer[8192];
    text.clear();
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = path + ": " + std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
        if (text.size() > (1u << 20))
            break;
    }
    ::close(fd);
    return true;
}

} // namespace

LinuxMemoryStatus::LinuxMemoryStatus(InstalledSource installed, std::string meminfoPath)
    : installed_(std::move(installed)), path_(std::move(meminfoPath)) {}

MemoryStatusResult LinuxMemoryStatus::query() {
    MemoryStatusResult result;
    std::string text;
    if (!readSmallFile(path_, text, result.error))
        return result;
    result.record = ParseMeminfo(text);
    if (!result.record)
        result.error = path_ + ": no memory total";
    return result;
}

std::optional<std::uint64_t> LinuxMemoryStatus::installedKilobytes() {
    if (!firmwareKb_)
        firmwareKb_ = installed_ ? installed_() : std::nullopt;
    if (*firmwareKb_)
        return *firmwareKb_;
    const MemoryStatusResult status = query();
    if (!status.record)
        return std::nullopt;
    return status.record->totalPhysical / 1024;
}

} // namespace dm::platform
