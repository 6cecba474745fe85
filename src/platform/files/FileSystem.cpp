// The file system's helpers built on its own calls: existence, writes into a held folder.
#include "platform/files/FileSystem.h"

#include "platform/files/Folder.h"
#include "platform/files/PathText.h"

namespace dm::platform {

std::optional<FindEntry> FileSystem::fileAttributes(const std::string& path) {
    auto entry = path.empty() ? std::nullopt : attributes(path);
    if (entry && (entry->attributes & kFileAttributeDirectory) != 0)
        return std::nullopt;
    return entry;
}

bool FileSystem::createDirectories(const std::string& path) {
    const std::string trimmed = withoutTrailingDelimiter(path);
    if (trimmed.empty())
        return false;
    if (const auto entry = status(trimmed))
        return entry->type == EntryStatus::Type::Folder;
    const std::string parent = withoutTrailingDelimiter(folderOfPath(trimmed));
    if (!parent.empty() && !createDirectories(parent))
        return false;
    if (createDirectory(trimmed))
        return true;
    const auto made = status(trimmed); // made meanwhile by someone else
    return made && made->type == EntryStatus::Type::Folder;
}

bool FileSystem::removeEntry(const std::string& path) {
    return deleteFile(path) || removeDirectory(path);
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
