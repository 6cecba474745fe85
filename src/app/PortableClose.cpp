#include "app/PortableClose.h"

#include "framework/DataFolder.h"
#include "framework/SettingsStore.h"
#include "framework/TextUtils.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"

#include <vector>

namespace dm {

namespace {

// What the export menu writes into the data folder: the user's own files, spared by the wipe.
const std::vector<std::string> kExports = {"export.txt", "export.csv"};

// A real folder: not a link to one, whatever it points to.
bool isPlainFolder(platform::FileSystem& files, const std::string& folder) {
    const auto entry = files.attributes(platform::withoutTrailingDelimiter(folder));
    return entry && (entry->attributes & platform::kFileAttributeDirectory) &&
           !(entry->attributes & platform::kFileAttributeReparsePoint);
}

} // namespace

bool isWipeableDataFolder(platform::FileSystem& files, const std::string& dataFolder,
                          const std::string& exeName, const std::string& title) {
    const std::string roaming = files.specialFolder(platform::SpecialFolder::RoamingAppData);
    if (roaming.empty() || title.empty())
        return false;
    const std::string maker = platform::withTrailingDelimiter(roaming) + "Brackenway/";
    const std::string own = maker + title + "/";
    const std::string exeFolder = platform::folderOfPath(exeName);
    return dataFolder == own && !StartsText(exeFolder, own) && isPlainFolder(files, maker) &&
           isPlainFolder(files, own);
}

void closePortableCopy(const platform::Platform& platform, const std::string& exeName,
                       const std::string& title) {
    platform::FileSystem& files = platform.fileSystem;
    const std::string dataFolder = GetProductDataFolder(files, exeName, title);
    if (isWipeableDataFolder(files, dataFolder, exeName, title))
        DeleteFolderFiles(files, dataFolder, "*", kExports);
    RemoveMakerDataFolderIfEmpty(files, platform.system);
    const std::string ini = platform::folderOfPath(exeName) + "settings.ini";
    if (!ExportSettingsToIni(platform.registry, platform.system, title, ini))
        return;
    DeleteProductSettingsKey(platform.registry, title);
    DeleteMakerValue(platform.registry, title);
    DeleteMakerKeyIfEmpty(platform.registry);
    platform.registry.removeEmptyStorage();
}

} // namespace dm
