#include "framework/DataFolder.h"

#include "framework/FolderWalks.h"
#include "framework/WideFiles.h"
#include "platform/FileSystem.h"

#include <vector>

namespace dm {

using platform::FileAttributeArchive;
using platform::FileAttributeDirectory;
using platform::SpecialFolder;

namespace {

constexpr const char* kMaker = "Brackenway";

std::string withDelimiter(const std::string& folder) {
    return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::string withoutDelimiter(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::string GetProductDataFolder(platform::FileSystem& Files, const std::string& ExeName,
                                 const std::string& Title) {
    const std::string exeFolder = folderOf(ExeName);
    const std::string roaming = Files.specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return exeFolder;
    const std::string maker = withDelimiter(roaming) + kMaker + "/";
    WideCreateDirectory(Files, maker);
    const std::string folder = maker + Title;
    WideCreateDirectory(Files, folder);
    return WideDirectoryExists(Files, folder) ? withDelimiter(folder) : exeFolder;
}

void RemoveMakerDataFolderIfEmpty(const platform::Platform& P) {
    const std::string roaming = P.fileSystem->specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return;
    const std::string maker = withDelimiter(roaming) + kMaker + "/";
    std::vector<std::string> subFolders;
    ListSubFolders(P, maker, subFolders);
    if (subFolders.empty())
        P.fileSystem->removeDirectory(maker);
}

bool DeleteFolderFiles(platform::FileSystem& Files, const std::string& Folder,
                       const std::string& Ext) {
    if (Folder.empty())
        return true;
    const std::string folder = withoutDelimiter(Folder);
    const std::string prefix = withDelimiter(folder);
    for (const auto& entry : Files.find(prefix + "*." + Ext)) {
        const std::string path = prefix + entry.name;
        if (entry.attributes == FileAttributeDirectory) {
            DeleteFolderFiles(Files, path, Ext);
            continue;
        }
        if (entry.attributes != FileAttributeArchive)
            Files.setAttributes(path, FileAttributeArchive);
        Files.deleteFile(path);
    }
    Files.removeDirectory(folder);
    return true;
}

std::string CleanVirtualStore(platform::FileSystem& Files, const std::string& ExeDir) {
    const std::string local = Files.specialFolder(SpecialFolder::LocalAppData);
    if (local.empty())
        return {};
    // The program folder below the store, without its root ("/opt/tool/" gives "opt/tool/").
    const std::string relative = (!ExeDir.empty() && ExeDir[0] == '/') ? ExeDir.substr(1) : ExeDir;
    const std::string folder = withDelimiter(local) + "VirtualStore/" + relative;
    const auto entry = Files.attributes(folder);
    if (!entry || !(entry->attributes & FileAttributeDirectory))
        return {};
    DeleteFolderFiles(Files, folder, "SPK");
    return folder;
}

} // namespace dm
