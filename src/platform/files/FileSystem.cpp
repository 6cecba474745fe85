#include "platform/files/FileSystem.h"

#include "platform/files/Folder.h"
#include "platform/files/PathText.h"

namespace dm::platform {

bool FileSystem::fileExists(const std::string& path) {
    const auto entry = path.empty() ? std::nullopt : attributes(path);
    return entry && (entry->attributes & kFileAttributeDirectory) == 0;
}

Status FileSystem::writeFileInFolder(const std::string& path, const std::string& bytes) {
    const std::string folder = folderOfPath(path);
    const std::string name = path.substr(folder.size());
    if (folder.empty() || name.empty())
        return Failure::refused("Not a file in a folder: \"" + path + "\"");
    const auto held = openFolder(folder);
    if (!held)
        return held.failure();
    return held->writeFile(name, bytes);
}

} // namespace dm::platform
