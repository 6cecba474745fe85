// The per-user data folder, its safe folder wipe and the clean-up of the VirtualStore copy.
#include "framework/DataFolder.h"

#include "framework/FolderWalks.h"
#include "framework/WideFiles.h"
#include "platform/files/FileSystem.h"
#include "platform/files/FindMask.h"
#include "platform/files/Folder.h"
#include "platform/files/PathText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dm {

using platform::folderOfPath;
using platform::kFileAttributeDirectory;
using platform::kFileAttributeReparsePoint;
using platform::SpecialFolder;
using platform::withoutTrailingDelimiter;
using platform::withTrailingDelimiter;

namespace {

constexpr const char* kMaker = "Brackenway";

// A real folder: a symbolic link in the place of a data folder could lead the log and the
// portable close's wipe anywhere (a link to "/" made a root run write there).
bool isRealFolder(platform::FileSystem& files, const std::string& folder) {
    const auto entry = files.attributes(folder);
    return entry && (entry->attributes & kFileAttributeDirectory) &&
           !(entry->attributes & kFileAttributeReparsePoint);
}

// Deletes what matches mask in the folder held open (path names it, ending with "/"), and the
// subfolders that match once emptied; a link is deleted itself, never followed. Every step is
// relative to the open folder, so a link swapped in for it or for a subfolder during the walk
// leads nowhere. An entry on another device than the walk's own (a folder mounted inside) is
// neither entered nor deleted: its path goes to left.
void deleteMatching(platform::Folder& folder, const std::string& path, const std::string& mask,
                    const std::vector<std::string>& keep, std::uint64_t device,
                    std::vector<std::string>& left) {
    for (const auto& entry : folder.list()) {
        if (!platform::matchesFindMask(entry.name, mask) ||
            std::find(keep.begin(), keep.end(), entry.name) != keep.end())
            continue;
        // Exactly a folder (a link carries the reparse-point bit and is deleted itself).
        const bool isFolder = entry.attributes == kFileAttributeDirectory;
        if (entry.device != device) {
            left.push_back(path + entry.name + (isFolder ? "/" : ""));
            continue;
        }
        if (isFolder) {
            if (const auto sub = folder.openFolder(entry.name))
                deleteMatching(*sub, path + entry.name + "/", mask, {}, device, left);
            folder.removeFolder(entry.name);
            continue;
        }
        folder.deleteFile(entry.name);
    }
}

} // namespace

std::string GetProductDataFolder(platform::FileSystem& files, const std::string& exeName,
                                 const std::string& title) {
    const std::string exeFolder = folderOfPath(exeName);
    const std::string roaming = files.specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return exeFolder;
    const std::string maker = withTrailingDelimiter(roaming) + kMaker + "/";
    WideCreateDirectory(files, maker);
    // A folder that is a link counts as one that cannot be made; nothing is made through it.
    if (!isRealFolder(files, maker))
        return exeFolder;
    const std::string folder = maker + title;
    WideCreateDirectory(files, folder);
    return isRealFolder(files, folder) && WideDirectoryExists(files, folder)
               ? withTrailingDelimiter(folder)
               : exeFolder;
}

void RemoveMakerDataFolderIfEmpty(platform::FileSystem& files, platform::SystemInfo& system) {
    const std::string roaming = files.specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return;
    const std::string maker = withTrailingDelimiter(roaming) + kMaker + "/";
    std::vector<std::string> subFolders;
    ListSubFolders(files, system, maker, subFolders);
    if (subFolders.empty())
        files.removeDirectory(maker);
}

std::vector<std::string> wipeFolder(platform::FileSystem& files, const std::string& folderPath,
                                    const std::string& ext, const std::vector<std::string>& keep) {
    std::vector<std::string> left;
    if (folderPath.empty())
        return left;
    // The wipe does not start on a link, and holds the folder open from here on.
    const auto entry = files.attributes(folderPath);
    const auto folder = files.openFolder(folderPath);
    if (!entry || !folder)
        return left;
    deleteMatching(*folder, withTrailingDelimiter(folderPath), "*." + ext, keep, entry->device,
                   left);
    // Only an empty folder goes, and never through a link.
    files.removeDirectory(withoutTrailingDelimiter(folderPath));
    return left;
}

bool DeleteFolderFiles(platform::FileSystem& files, const std::string& folderPath,
                       const std::string& ext, const std::vector<std::string>& keep) {
    wipeFolder(files, folderPath, ext, keep);
    return true;
}

std::string CleanVirtualStore(platform::FileSystem& files, const std::string& exeDir) {
    const std::string local = files.specialFolder(SpecialFolder::LocalAppData);
    if (local.empty())
        return {};
    // The program folder below the store, without its root ("/opt/tool/" gives "opt/tool/").
    const std::string relative = (!exeDir.empty() && exeDir[0] == '/') ? exeDir.substr(1) : exeDir;
    const std::string folder = withTrailingDelimiter(local) + "VirtualStore/" + relative;
    const auto entry = files.attributes(folder);
    if (!entry || !(entry->attributes & kFileAttributeDirectory))
        return {};
    DeleteFolderFiles(files, folder, "SPK");
    return folder;
}

} // namespace dm
