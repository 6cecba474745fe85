// What a copy that was not installed does at close, and when its data folder may be wiped.
#pragma once

#include "platform/Platform.h"

#include <memory>
#include <string>

namespace dm {

class RunLog;

// True when dataFolder (as GetProductDataFolder gave it) may be wiped at a portable close: it is
// exactly <roaming application data>/Brackenway/<title>/, it is not the executable's folder and
// does not hold it (compared ignoring case, the safer way), and neither that folder nor the
// maker's folder above it is a symbolic link, so the wipe cannot reach outside it.
bool isWipeableDataFolder(platform::FileSystem& files, const std::string& dataFolder,
                          const std::string& exeName, const std::string& title);

// What a copy that was not installed does at close, after the VirtualStore clean-up: wipes its
// per-user data folder (only when isWipeableDataFolder) but for the user's exports ("export.txt",
// "export.csv", which keep the folder) and for what lies on another file system (a folder mounted
// inside, which keeps the folder too and is named in the log), removes the maker's data folder
// when no folder is left in it, exports the settings to "settings.ini" beside the executable and,
// only when that export succeeded, removes the settings key, the program's value under the
// maker's key and the maker's key when it is then empty, then the registry's files and folder
// when they now hold nothing but those keys emptied. The close ends the log (saved before the
// wipe takes it); what writes to it must have ended.
void closePortableCopy(const platform::Platform& platform, const std::string& exeName,
                       const std::string& title, std::unique_ptr<RunLog> log = nullptr);

} // namespace dm
