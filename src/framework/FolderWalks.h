// Folder walks that list files and subfolders, by extension or by name, with redirection off.
#pragma once

namespace dm::platform {
class FileSystem;
class SystemInfo;
} // namespace dm::platform

#include <string>
#include <vector>

// Folder walks with file-system redirection switched off. Each appends full paths (the folder as
// given, with a trailing "/" when it has none, then the entry's name) to a list it never clears,
// in the order the file system lists the entries. A folder that cannot be listed adds nothing.
// The recursive walks do not follow symbolic links to folders.
namespace dm {

// Recursive: files whose extension (from the name's last ".", dot included) equals ext (".exe")
// ignoring case.
void FindFilesByExt(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, const std::string& ext,
                    std::vector<std::string>& list);
// The files of folder (not recursive).
void ListFiles(platform::FileSystem& files, platform::SystemInfo& system, const std::string& folder,
               std::vector<std::string>& list);
// The folders of folder (not recursive).
void ListSubFolders(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, std::vector<std::string>& list);
// The file of folder named name ignoring case (not recursive).
void FindFileByName(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, const std::string& name,
                    std::vector<std::string>& list);
// Recursive: the files named name ignoring case.
void FindFileByNameRecursive(platform::FileSystem& files, platform::SystemInfo& system,
                             const std::string& folder, const std::string& name,
                             std::vector<std::string>& list);

} // namespace dm
