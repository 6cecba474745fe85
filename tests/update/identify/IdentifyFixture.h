// The identification test fixture: registry and files in memory, with built programs copied in.
#pragma once

#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "update/identify/IdentifyServices.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dm::update::test {

using Values = std::vector<std::pair<std::string, platform::RegistryValue>>;

// A folder of the file system in memory, used as a temporary folder on disk would be.
class MemoryFolder {
public:
    MemoryFolder(platform::InMemoryFileSystem& files, std::string path)
        : files_(files), path_(std::move(path)) {
        files_.addFolder(path_);
    }
    // The folder as text with a trailing "/".
    std::string dir() const { return path_ + "/"; }
    // Puts a file below the folder (with its parent folders) and gives its full path.
    std::string write(const std::string& relative, const std::string& bytes) const {
        files_.addFile(dir() + relative, bytes);
        return dir() + relative;
    }

private:
    platform::InMemoryFileSystem& files_;
    std::string path_;
};

// The engine over a registry in memory, files in memory below the folder "/temp" (with the system
// folder inside it) and scripted system facts.
class IdentifyFixture
    : public ::testing::Test,
      protected IdentifyServices<platform::FakeRegistry, platform::InMemoryFileSystem,
                                 platform::FakeSystemInfo> {
protected:
    IdentifyFixture() {
        files.setSpecialFolder(platform::SpecialFolder::System, temp.dir() + "system");
    }

    // The file on disk at path (a built program), copied into the file system in memory at the
    // same path; gives the path.
    std::string fromDisk(const std::string& path) {
        platform::LinuxFileSystem disk;
        files.addFile(path, disk.readFile(path).value_or(""));
        return path;
    }

    // An uninstall entry: root's "SOFTWARE\" + subRoot + "Microsoft\...\Uninstall\" + name.
    void addEntry(platform::RegistryRoot root, const std::string& subRoot, const std::string& name,
                  const Values& values) {
        const auto key = registry.createKey(
            root, "SOFTWARE\\" + subRoot + "Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name,
            platform::RegistryAccess::Full);
        ASSERT_TRUE(key);
        for (const auto& [value, data] : values)
            ASSERT_TRUE(key->writeValue(value, data));
    }
    void addMachineEntry(const std::string& name, const Values& values) {
        addEntry(platform::RegistryRoot::LocalMachine, "", name, values);
    }

    // A PE file below the temporary folder carrying a version resource of the given content.
    std::string writePe(const std::string& relative,
                        const std::optional<platform::VersionResourceContent>& content,
                        bool is64 = false) {
        std::optional<std::string> block;
        if (content)
            block = platform::writeVersionBlock(*content);
        return temp.write(relative, dm::test::writePe(is64, block).Bytes);
    }

    MemoryFolder temp{files, "/temp"};
};

inline platform::RegistryValue sz(const std::string& text) {
    return platform::RegistryValue::string(text);
}

} // namespace dm::update::test
