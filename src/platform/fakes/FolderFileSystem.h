// The real file system with the special folders pointed where a test wants them.
#pragma once

#include "platform/files/LinuxFileSystem.h"

#include <map>
#include <string>

namespace dm::platform {

// The real file system with the special folders pointed where a test wants them (an empty text
// for a folder the system does not have).
class FolderFileSystem : public LinuxFileSystem {
public:
    std::string specialFolder(SpecialFolder folder) override {
        const auto it = folders.find(folder);
        return it == folders.end() ? std::string() : it->second;
    }

    std::map<SpecialFolder, std::string> folders;
};

} // namespace dm::platform
