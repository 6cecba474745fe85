// The per-user data folder: finding and making it, safe folder wipes, VirtualStore clean-up.
#pragma once

namespace dm::platform {
class FileSystem;
class SystemInfo;
} // namespace dm::platform

#include <string>
#include <vector>

namespace dm {

// The per-user data folder <roaming application data>/Brackenway/<title>/, made when missing;
// the executable's folder when that cannot be made, when it or the maker's folder is a symbolic
// link, or when the system has no such folder. Ends with "/".
std::string GetProductDataFolder(platform::FileSystem& files, const std::string& exeName,
                                 const std::string& title);
// Removes <roaming application data>/Brackenway/ when it has no subfolder (and no file).
void RemoveMakerDataFolderIfEmpty(platform::FileSystem& files, platform::SystemInfo& system);
// Deletes the files of folderPath matching "*." + ext (ext "*" matches all) but those named in
// keep, walks the subfolders that match alike, then removes folderPath when it is empty. An empty
// folderPath, or one that is a symbolic link, is left alone; a link inside is deleted itself,
// never followed. The walk holds folderPath open once checked, so a link swapped in while it runs
// leads nowhere. Like "rm -r --one-file-system", it never enters nor deletes an entry on another
// device than folderPath (a folder mounted inside it): returns the paths of those it left, a
// folder's ending with "/".
std::vector<std::string> wipeFolder(platform::FileSystem& files, const std::string& folderPath,
                                    const std::string& ext,
                                    const std::vector<std::string>& keep = {});
// wipeFolder, always True.
bool DeleteFolderFiles(platform::FileSystem& files, const std::string& folderPath,
                       const std::string& ext, const std::vector<std::string>& keep = {});
// Deletes the language files ("*.SPK") of the VirtualStore copy of the program folder exeDir
// (ending with "/") below the local application data, and that copy when it is then empty.
// Returns the copy's folder when it existed, else an empty text.
std::string CleanVirtualStore(platform::FileSystem& files, const std::string& exeDir);

} // namespace dm
