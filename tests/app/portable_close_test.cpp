#include "app/PortableClose.h"

#include "framework/SettingsStore.h"
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/FolderFileSystem.h"
#include "platform/files/PathText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dm::test {
namespace {

namespace fs = std::filesystem;
using platform::RegistryAccess;
using platform::RegistryRoot;

// A portable copy in <temp>/program with its data folder below <temp>/roaming, settings in an
// in-memory registry.
class PortableCloseTest : public ::testing::Test {
protected:
    PortableCloseTest() {
        files.folders[platform::SpecialFolder::RoamingAppData] = temp.dir() + "roaming";
        fs::create_directories(temp.path() / "roaming");
        fs::create_directories(temp.path() / "program");
        platform.fileSystem = &files;
        platform.registry = &registry;
        platform.system = &system;
        storeSettings();
    }

    // The language choice in the settings key and the program's path under the maker's key.
    void storeSettings() {
        auto settings = registry.createKey(RegistryRoot::CurrentUser, kProductSettingsKey,
                                           RegistryAccess::Full);
        settings->writeDword("lng", 0x0407);
        WriteMakerValue(registry, "Dimmetric", exe);
    }

    std::string data() const { return temp.dir() + "roaming/Brackenway/Dimmetric/"; }
    bool hasSettingsKey() {
        return static_cast<bool>(
            registry.openKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Read));
    }
    bool hasMakerKey() {
        return static_cast<bool>(
            registry.openKey(RegistryRoot::CurrentUser, kMakerKey, RegistryAccess::Read));
    }

    TempDir temp;
    std::string exe = temp.dir() + "program/dimmetric";
    platform::FolderFileSystem files;
    platform::FakeRegistry registry;
    platform::FakeSystemInfo system;
    platform::Platform platform;
};

TEST_F(PortableCloseTest, LeavesNoTraceButTheSettingsFile) {
    temp.write("roaming/Brackenway/Dimmetric/Dimmetric.log", "log");
    temp.write("roaming/Brackenway/Dimmetric/dimmetric.ini", "[links]\r\n");
    temp.write("roaming/Brackenway/Dimmetric/exports/export.txt", "x");
    const std::string readOnly = temp.write("roaming/Brackenway/Dimmetric/export.csv", "x");
    fs::permissions(readOnly, fs::perms::owner_read);

    closePortableCopy(platform, exe, "Dimmetric");

    EXPECT_FALSE(fs::exists(data()));
    EXPECT_FALSE(fs::exists(temp.path() / "roaming/Brackenway"));
    EXPECT_TRUE(fs::exists(temp.path() / "roaming"));
    EXPECT_NE(TempDir::read(temp.path() / "program/settings.ini")
                  .find("[Settings_DWORD]\r\nlng=1031\r\n"),
              std::string::npos);
    EXPECT_FALSE(hasSettingsKey());
    EXPECT_FALSE(hasMakerKey());
}

TEST_F(PortableCloseTest, OtherProgramsOfTheMakerKeepTheirTraces) {
    WriteMakerValue(registry, "Harrow", "/opt/harrow/harrow");
    temp.write("roaming/Brackenway/Harrow/harrow.log", "log");
    closePortableCopy(platform, exe, "Dimmetric");
    EXPECT_FALSE(fs::exists(data()));
    EXPECT_TRUE(fs::exists(temp.path() / "roaming/Brackenway/Harrow/harrow.log"));
    EXPECT_FALSE(hasSettingsKey());
    EXPECT_EQ(ReadMakerValue(registry, "Harrow"), "/opt/harrow/harrow");
    EXPECT_EQ(ReadMakerValue(registry, "Dimmetric"), "");
}

TEST_F(PortableCloseTest, WipeNeverFollowsALinkOutOfTheDataFolder) {
    const std::string outsideFile = temp.write("outside/keep.txt", "keep");
    temp.write("outside/folder/keep.txt", "keep");
    fs::create_directories(data());
    fs::create_symlink(temp.path() / "outside/folder", data() + "folder-link");
    fs::create_symlink(outsideFile, data() + "file-link");
    closePortableCopy(platform, exe, "Dimmetric");
    EXPECT_FALSE(fs::exists(data()));
    EXPECT_EQ(TempDir::read(outsideFile), "keep");
    EXPECT_EQ(TempDir::read(temp.path() / "outside/folder/keep.txt"), "keep");
}

TEST_F(PortableCloseTest, DataFolderOrMakerFolderThatIsALinkIsNotWiped) {
    const char* links[] = {"roaming/Brackenway/Dimmetric", "roaming/Brackenway"};
    for (const char* link : links) {
        storeSettings();
        fs::remove_all(temp.path() / "roaming");
        fs::create_directories(temp.path() / "roaming/Brackenway");
        const std::string kept = temp.write("elsewhere/Dimmetric/keep.txt", "keep");
        fs::remove_all(temp.path() / link);
        fs::create_symlink(std::string(link) == "roaming/Brackenway"
                               ? temp.path() / "elsewhere"
                               : temp.path() / "elsewhere/Dimmetric",
                           temp.path() / link);
        closePortableCopy(platform, exe, "Dimmetric");
        EXPECT_EQ(TempDir::read(kept), "keep") << link;
        // The settings still go to the settings file.
        EXPECT_TRUE(fs::exists(temp.path() / "program/settings.ini")) << link;
    }
}

TEST_F(PortableCloseTest, TheProgramsOwnFolderIsNeverWiped) {
    const struct {
        std::string exe;
        std::string why;
    } cases[] = {
        {data() + "dimmetric", "the data folder is the program's folder"},
        {data() + "bin/dimmetric", "the program lies inside the data folder"},
        {temp.dir() + "roaming/BRACKENWAY/dimmetric/dimmetric", "the same ignoring case"},
    };
    for (const auto& c : cases) {
        const std::string program = temp.write(c.exe.substr(temp.dir().size()), "elf");
        storeSettings();
        fs::create_directories(data());
        const std::string log = temp.write("roaming/Brackenway/Dimmetric/Dimmetric.log", "log");
        closePortableCopy(platform, c.exe, "Dimmetric");
        EXPECT_TRUE(fs::exists(program)) << c.why;
        EXPECT_TRUE(fs::exists(log)) << c.why;
        EXPECT_TRUE(fs::exists(platform::folderOfPath(c.exe) + "settings.ini")) << c.why;
    }
}

TEST_F(PortableCloseTest, WithoutARoamingFolderNothingOfTheProgramFolderIsDeleted) {
    files.folders.erase(platform::SpecialFolder::RoamingAppData);
    const std::string log = temp.write("program/Dimmetric.log", "log");
    closePortableCopy(platform, exe, "Dimmetric");
    EXPECT_TRUE(fs::exists(log));
    EXPECT_TRUE(fs::exists(temp.path() / "program/settings.ini"));
    EXPECT_FALSE(hasSettingsKey());
}

TEST_F(PortableCloseTest, FailedExportKeepsTheRegistry) {
    const std::string nowhere = temp.dir() + "missing/dimmetric";
    closePortableCopy(platform, nowhere, "Dimmetric");
    EXPECT_TRUE(hasSettingsKey());
    EXPECT_EQ(ReadMakerValue(registry, "Dimmetric"), exe);
    // The data folder was still wiped.
    EXPECT_FALSE(fs::exists(data()));
}

} // namespace
} // namespace dm::test
