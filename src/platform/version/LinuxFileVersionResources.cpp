#include "platform/version/FileVersionResources.h"

#include "platform/files/LinuxFileByteSource.h"
#include "platform/version/ExecutableVersion.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace dm::platform {

bool FileVersionResources::fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<VersionBlock> FileVersionResources::read(const std::string& path) {
    const LinuxFileByteSource file(path);
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
