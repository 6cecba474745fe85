// The portable close: the wipe of the data folder and the settings export beside the program.
#include "app/PortableClose.h"

#include "framework/DataFolder.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"

#include <vector>

namespace dm {

namespace {

// What the export menu writes into the data folder: the user's own files, spared by the wipe.
const std::vector<std::string> kExports = {"export.txt", "export.csv"};

// The log line naming what the wipe left on another file system, followed by its path.
constexpr const char* kLeftOnItsFileSystem = "Left in place, on another file system : ";

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
                       const std::string& title, std::unique_ptr<RunLog> log) {
    platform::FileSystem& files = platform.fileSystem;
    const std::string dataFolder = GetProductDataFolder(files, exeName, title);
    if (isWipeableDataFolder(files, dataFolder, exeName, title)) {
        // The log waits for the wipe: a folder mounted inside keeps the data folder, and the log
        // there names what was left; otherwise the log goes too.
        std::vector<std::string> keep = kExports;
        if (log)
            keep.push_back(title + ".log");
        const std::vector<std::string> left = wipeFolder(files, dataFolder, "*", keep);
        for (const std::string& path : left)
            addToLog(log.get(), kLeftOnItsFileSystem + path, llInfo);
        if (log && left.empty()) {
            log.reset();
            wipeFolder(files, dataFolder, "*", kExports);
        }
    }
    log.reset();
    RemoveMakerDataFolderIfEmpty(files, platform.system);
    const std::string ini = platform::folderOfPath(exeName) + "settings.ini";
    if (!ExportSettingsToIni(platform.registry, platform.system, title, ini))
        return;
    DeleteProductSettingsKey(platform.registry, title);
    DeleteMakerValue(platform.registry, title);
    DeleteMakerKeyIfEmpty(platform.registry);
    // The keys this program opens for writing: emptied, they carry nothing anyone could lose.
    platform.registry.removeEmptyStorage(
        {{platform::RegistryRoot::CurrentUser, settingsKeyOf(title)},
         {platform::RegistryRoot::LocalMachine, kCurrentVersionKey}});
}

} // namespace dm
