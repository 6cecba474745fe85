// Version resources of files on Linux, and the running program's own executable.
#include "platform/version/FileVersionResources.h"

#include "platform/files/FileSystem.h"
#include "platform/version/ExecutableVersion.h"

#include <climits>
#include <unistd.h>

namespace dm::platform {

bool FileVersionResources::fileExists(const std::string& path) {
    const auto entry = files_.status(path);
    return entry && entry->type != EntryStatus::Type::Folder;
}

std::optional<VersionBlock> FileVersionResources::read(const std::string& path) {
    const auto file = files_.openBytes(path);
    if (!file)
        return std::nullopt;
    return findVersionResource(*file);
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
