#include "platform/version/FileVersionResources.h"

#include "platform/files/UniqueFd.h"
#include "platform/version/ExecutableVersion.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

namespace {

// A regular file opened read-only, read with pread.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {
        struct stat st {};
        if (fd_.get() >= 0 && ::fstat(fd_.get(), &st) == 0 && S_ISREG(st.st_mode))
            size_ = static_cast<std::uint64_t>(st.st_size);
    }

    bool isOpen() const { return size_.has_value(); }
    std::uint64_t size() const override { return size_.value_or(0); }

    bool readAt(std::uint64_t offset, std::size_t count, std::string& out) const override {
        if (!size_ || offset > *size_ || count > *size_ - offset)
            return false;
        out.resize(count);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = ::pread(fd_.get(), out.data() + done, count - done,
                                        static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false; // an error, or the file shrank
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    UniqueFd fd_;
    std::optional<std::uint64_t> size_; // set for a regular file only
};

} // namespace

bool FileVersionResources::fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<VersionBlock> FileVersionResources::read(const std::string& path) {
    const FileByteSource file(path);
    if (!file.isOpen())
        return std::nullopt;
    return findVersionResource(file);
}

std::string FileVersionResources::moduleFileName() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<std::size_t>(length));
    return path;
}

} // namespace dm::platform
