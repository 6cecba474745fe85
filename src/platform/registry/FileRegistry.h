#pragma once

#include "platform/registry/HiveRegistry.h"

#include <string>

namespace dm::platform {

// The registry kept in hive files in a folder: "user.reg" holds HKEY_CURRENT_USER and
// "system.reg" HKEY_LOCAL_MACHINE. A missing hive reads as empty; the folder is made at the first
// write. Every change re-reads the hive under an exclusive lock ("<hive>.lock"), so processes
// never lose each other's changes, and replaces the file whole. A hive that does not parse is
// never overwritten: opening keys in it and writing to it fail, saying that it is damaged.
class FileRegistry : public HiveRegistry {
public:
    explicit FileRegistry(std::string folder);

    // $DIMMETRIC_REGISTRY_DIR, else $XDG_CONFIG_HOME/dimmetric/registry with XDG_CONFIG_HOME
    // (when an absolute path) defaulting to ~/.config.
    static std::string defaultFolder();
};

} // namespace dm::platform
