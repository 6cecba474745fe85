#pragma once

#include "platform/LinuxFileSystem.h"

#include <map>
#include <string>

namespace dm::test {

// The real file system with the special folders pointed where a test wants them (an empty text
// for a folder the system does not have).
class FolderFileSystem : public platform::LinuxFileSystem {
public:
    std::string specialFolder(platform::SpecialFolder folder) override {
        const auto it = folders.find(folder);
        return it == folders.end() ? std::string() : it->second;
    }

    std::map<platform::SpecialFolder, std::string> folders;
};

} // namespace dm::test
