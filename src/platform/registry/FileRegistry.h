// The registry kept in hive files in a folder, with the machine hive of an installed copy.
#pragma once

#include "platform/registry/HiveFormat.h"
#include "platform/registry/HiveRegistry.h"

#include <functional>
#include <string>
#include <string_view>

namespace dm::platform {

// The registry kept in hive files in a folder: "user.reg" holds HKEY_CURRENT_USER and
// "system.reg" HKEY_LOCAL_MACHINE. A missing hive reads as empty; the folder is made at the first
// write. Every change re-reads the hive under an exclusive lock ("<hive>.lock"), so processes
// never lose each other's changes, and replaces the file whole. A hive that does not parse is
// never overwritten: opening keys in it and writing to it fail, saying that it is damaged.
//
// An installed copy also has a machine-wide HKEY_LOCAL_MACHINE hive, shipped by the install step
// and read-only: HKEY_LOCAL_MACHINE reads it beneath the user's "system.reg" (the user's keys and
// values win), while every write goes to the user's file only. A machine hive that is missing or
// does not parse adds nothing; a damaged one is read again only once the file has changed.
class FileRegistry : public HiveRegistry {
public:
    // How a hive file's text becomes a hive: parseHive, or a test's counting wrapper of it.
    using Parser = std::function<Result<Hive>(std::string_view)>;

    explicit FileRegistry(std::string folder, std::string machineHive = {},
                          Parser parse = parseHive);

    // $DIMMETRIC_REGISTRY_DIR, else $XDG_CONFIG_HOME/dimmetric/registry with XDG_CONFIG_HOME
    // (when an absolute path) defaulting to ~/.config.
    static std::string defaultFolder();
    // The machine hive of a copy whose executable is exeName: share/dimmetric/system.reg beside
    // the executable's bin folder.
    static std::string machineHiveOf(const std::string& exeName);
};

} // namespace dm::platform
