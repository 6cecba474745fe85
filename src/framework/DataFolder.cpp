#include "framework/DataFolder.h"

#include "framework/FolderWalks.h"
#include "framework/WideFiles.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"

#include <vector>

namespace dm {

using platform::FileAttributeArchive;
using platform::FileAttributeDirectory;
using platform::FileAttributeReparsePoint;
using platform::folderOfPath;
using platform::SpecialFolder;
using platform::withoutTrailingDelimiter;
using platform::withTrailingDelimiter;

namespace {

constexpr const char* kMaker = "Brackenway";

// A real folder: a symbolic link in the place of a data folder could lead the log and the
// portable close's wipe anywhere (a link to "/" made a root run write there).
bool isRealFolder(platform::FileSystem& files, const std::string& folder) {
    const auto entry = files.attributes(folder);
    return entry && (entry->attributes & FileAttributeDirectory) &&
           !(entry->attributes & FileAttributeReparsePoint);
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

void RemoveMakerDataFolderIfEmpty(const platform::Platform& p) {
    const std::string roaming = p.fileSystem->specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return;
    const std::string maker = withTrailingDelimiter(roaming) + kMaker + "/";
    std::vector<std::string> subFolders;
    ListSubFolders(p, maker, subFolders);
    if (subFolders.empty())
        p.fileSystem->removeDirectory(maker);
}

bool DeleteFolderFiles(platform::FileSystem& files, const std::string& folderPath,
                       const std::string& ext) {
    if (folderPath.empty())
        return true;
    const std::string folder = withoutTrailingDelimiter(folderPath);
    // A link is never followed: the wipe does not start on one, and a link inside is removed
    // as an entry of its own.
    if (!isRealFolder(files, folder))
        return true;
    const std::string prefix = withTrailingDelimiter(folder);
    for (const auto& entry : files.find(prefix + "*." + ext)) {
        const std::string path = prefix + entry.name;
        if (entry.attributes & FileAttributeReparsePoint) {
            files.deleteFile(path);
            continue;
        }
        if (entry.attributes == FileAttributeDirectory) {
            DeleteFolderFiles(files, path, ext);
            continue;
        }
        if (entry.attributes != FileAttributeArchive)
            files.setAttributes(path, FileAttributeArchive);
        files.deleteFile(path);
    }
    files.removeDirectory(folder);
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
    if (!entry || !(entry->attributes & FileAttributeDirectory))
        return {};
    DeleteFolderFiles(files, folder, "SPK");
    return folder;
}

} // namespace dm
