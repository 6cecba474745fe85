#include "framework/DataFolder.h"

#include "framework/FolderWalks.h"
#include "framework/WideFiles.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"

#include <vector>

namespace dm {

using platform::FileAttributeArchive;
using platform::FileAttributeDirectory;
using platform::FolderOfPath;
using platform::SpecialFolder;
using platform::WithoutTrailingDelimiter;
using platform::WithTrailingDelimiter;

namespace {

constexpr const char* kMaker = "Brackenway";

} // namespace

std::string GetProductDataFolder(platform::FileSystem& Files, const std::string& ExeName,
                                 const std::string& Title) {
    const std::string exeFolder = FolderOfPath(ExeName);
    const std::string roaming = Files.specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return exeFolder;
    const std::string maker = WithTrailingDelimiter(roaming) + kMaker + "/";
    WideCreateDirectory(Files, maker);
    const std::string folder = maker + Title;
    WideCreateDirectory(Files, folder);
    return WideDirectoryExists(Files, folder) ? WithTrailingDelimiter(folder) : exeFolder;
}

void RemoveMakerDataFolderIfEmpty(const platform::Platform& P) {
    const std::string roaming = P.fileSystem->specialFolder(SpecialFolder::RoamingAppData);
    if (roaming.empty())
        return;
    const std::string maker = WithTrailingDelimiter(roaming) + kMaker + "/";
    std::vector<std::string> subFolders;
    ListSubFolders(P, maker, subFolders);
    if (subFolders.empty())
        P.fileSystem->removeDirectory(maker);
}

bool DeleteFolderFiles(platform::FileSystem& Files, const std::string& Folder,
                       const std::string& Ext) {
    if (Folder.empty())
        return true;
    const std::string folder = WithoutTrailingDelimiter(Folder);
    const std::string prefix = WithTrailingDelimiter(folder);
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
    const std::string folder = WithTrailingDelimiter(local) + "VirtualStore/" + relative;
    const auto entry = Files.attributes(folder);
    if (!entry || !(entry->attributes & FileAttributeDirectory))
        return {};
    DeleteFolderFiles(Files, folder, "SPK");
    return folder;
}

} // namespace dm
