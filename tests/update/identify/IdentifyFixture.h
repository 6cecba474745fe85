#pragma once

#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/FolderFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "update/identify/IdentifyContext.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dm::update::test {

using Values = std::vector<std::pair<std::string, platform::RegistryValue>>;

// The engine over a registry in memory, the real file system below a temporary folder (with
// the system folder inside it) and scripted system facts.
class IdentifyFixture : public ::testing::Test {
protected:
    IdentifyFixture() { files.folders[platform::SpecialFolder::System] = temp.dir() + "system"; }

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

    dm::test::TempDir temp;
    platform::FakeRegistry registry;
    platform::FolderFileSystem files;
    platform::FileVersionResources versions{files};
    platform::FakeSystemInfo system;
    IdentifyContext context{registry, files, versions, system};
};

inline platform::RegistryValue sz(const std::string& text) {
    return platform::RegistryValue::string(text);
}

} // namespace dm::update::test
