#include "app/PortableClose.h"

#include "framework/SettingsStore.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/files/Folder.h"
#include "platform/files/PathText.h"
#include "platform/registry/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace dm::test {
namespace {

namespace fs = std::filesystem;
using platform::RegistryAccess;
using platform::RegistryRoot;

// A portable copy in <temp>/program with its data folder below <temp>/roaming, settings in an
// in-memory registry.
class PortableCloseTest : public ::testing::Test, protected platform::FakePlatform {
protected:
    PortableCloseTest() {
        files.folders[platform::SpecialFolder::RoamingAppData] = temp.dir() + "roaming";
        fs::create_directories(temp.path() / "roaming");
        fs::create_directories(temp.path() / "program");
        storeSettings();
    }

    // The language choice in the settings key and the program's path under the maker's key.
    void storeSettings() { storeSettingsIn(registry); }
    void storeSettingsIn(platform::Registry& into) {
        auto settings =
            into.createKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Full);
        EXPECT_TRUE(settings->writeDword("lng", 0x0407));
        WriteMakerValue(into, "Dimmetric", exe);
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
};

TEST_F(PortableCloseTest, LeavesNoTraceButTheSettingsFile) {
    temp.write("roaming/Brackenway/Dimmetric/Dimmetric.log", "log");
    temp.write("roaming/Brackenway/Dimmetric/dimmetric.ini", "[links]\r\n");
    temp.write("roaming/Brackenway/Dimmetric/exports/export.txt", "x");
    const std::string readOnly = temp.write("roaming/Brackenway/Dimmetric/links.csv", "x");
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

TEST_F(PortableCloseTest, TheUsersExportsOutliveTheWipeWithTheFoldersThatHoldThem) {
    const std::vector<std::vector<std::string>> cases = {
        {"export.txt", "export.csv"}, {"export.txt"}, {"export.csv"}};
    for (const auto& exports : cases) {
        storeSettings();
        temp.write("roaming/Brackenway/Dimmetric/Dimmetric.log", "log");
        temp.write("roaming/Brackenway/Dimmetric/dimmetric.ini", "[links]\r\n");
        temp.write("roaming/Brackenway/Dimmetric/sub/export.txt", "not the program's export");
        for (const auto& name : exports)
            temp.write("roaming/Brackenway/Dimmetric/" + name, "saved " + name);

        closePortableCopy(platform, exe, "Dimmetric");

        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(data()))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        std::vector<std::string> expected = exports;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(left, expected);
        for (const auto& name : exports)
            EXPECT_EQ(TempDir::read(data() + name), "saved " + name);
        // The rest of the close is as without exports.
        EXPECT_TRUE(fs::exists(temp.path() / "program/settings.ini"));
        EXPECT_FALSE(hasSettingsKey());
        EXPECT_FALSE(hasMakerKey());
        fs::remove_all(temp.path() / "roaming/Brackenway");
    }
}

// The real file system, whose data folder is swapped for a link to another folder holding the
// same names once the wipe has opened it and listed it: what a link put in while the wipe runs
// would do.
class SwappingFileSystem : public platform::FolderFileSystem {
public:
    platform::Result<std::unique_ptr<platform::Folder>>
    openFolder(const std::string& path) override {
        auto folder = FolderFileSystem::openFolder(path);
        if (!folder || !swap)
            return folder;
        return std::make_unique<SwappedAfterListing>(
            std::unique_ptr<platform::Folder>(std::move(folder)), std::exchange(swap, {}));
    }

    std::function<void()> swap; // once, at the first folder's first listing

private:
    class SwappedAfterListing : public platform::Folder {
    public:
        SwappedAfterListing(std::unique_ptr<Folder> held, std::function<void()> swap)
            : held_(std::move(held)), swap_(std::move(swap)) {}
        std::vector<platform::FindEntry> list() override {
            auto entries = held_->list();
            if (swap_)
                std::exchange(swap_, {})();
            return entries;
        }
        platform::Result<std::unique_ptr<Folder>> openFolder(const std::string& name) override {
            return held_->openFolder(name);
        }
        bool deleteFile(const std::string& name) override { return held_->deleteFile(name); }
        bool removeFolder(const std::string& name) override { return held_->removeFolder(name); }
        platform::Status writeFile(const std::string& name, const std::string& bytes) override {
            return held_->writeFile(name, bytes);
        }

    private:
        std::unique_ptr<Folder> held_;
        std::function<void()> swap_;
    };
};

TEST_F(PortableCloseTest, ALinkSwappedInWhileTheWipeRunsLeadsNowhere) {
    SwappingFileSystem swapping;
    swapping.folders = files.folders;
    platform.fileSystem = swapping;
    const char* const names[] = {"Dimmetric.log", "dimmetric.ini", "sub/inner.txt"};
    for (const char* name : names) {
        temp.write("roaming/Brackenway/Dimmetric/" + std::string(name), "ours");
        temp.write("outside/" + std::string(name), "keep");
    }
    swapping.swap = [&] {
        fs::rename(data(), temp.path() / "moved");
        fs::create_directory_symlink(temp.path() / "outside",
                                     temp.path() / "roaming/Brackenway/Dimmetric");
    };

    closePortableCopy(platform, exe, "Dimmetric");

    EXPECT_FALSE(swapping.swap) << "the swap did not happen";
    for (const char* name : names)
        EXPECT_EQ(TempDir::read(temp.path() / "outside" / name), "keep") << name;
    // The wipe went on in the folder it held: the one that was moved.
    EXPECT_TRUE(fs::is_empty(temp.path() / "moved"));
}

TEST_F(PortableCloseTest, TheRegistryFilesTheRunMadeGoWhenTheyHoldNothing) {
    const fs::path config = temp.path() / "config";
    const fs::path folder = config / "dimmetric/registry";
    const struct {
        std::string before; // user.reg before the program starts; empty: none
        bool otherKey;      // another program of the maker writes its key during the run
        bool filesStay;
        std::string why;
    } cases[] = {
        {"", false, false, "made by this run and empty again"},
        {"", true, true, "another program's key was added"},
        {"WINE REGISTRY Version 2\n\n[Software\\\\Other]\n\"x\"=\"y\"\n", false, true,
         "there before the program started"},
        {"WINE REGISTRY Version 2\n", false, true, "there before, even empty"},
    };
    for (const auto& c : cases) {
        fs::remove_all(config);
        fs::create_directories(config);
        if (!c.before.empty())
            temp.write("config/dimmetric/registry/user.reg", c.before);
        platform::FileRegistry fileRegistry(folder.string());
        platform.registry = fileRegistry;
        storeSettingsIn(fileRegistry);
        // Opened for reading at start: the machine hive gets the empty key only.
        ASSERT_TRUE(fileRegistry.createKey(RegistryRoot::LocalMachine,
                                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                           RegistryAccess::Read));
        ASSERT_TRUE(fs::exists(folder / "system.reg"));
        if (c.otherKey)
            WriteMakerValue(fileRegistry, "Harrow", "/opt/harrow/harrow");

        closePortableCopy(platform, exe, "Dimmetric");

        EXPECT_FALSE(fileRegistry.keyExists(RegistryRoot::CurrentUser, kProductSettingsKey))
            << c.why;
        EXPECT_EQ(fs::exists(folder / "user.reg"), c.filesStay) << c.why;
        EXPECT_FALSE(fs::exists(folder / "system.reg")) << c.why;
        EXPECT_FALSE(fs::exists(folder / "system.reg.lock")) << c.why;
        EXPECT_EQ(fs::exists(config / "dimmetric"), c.filesStay) << c.why;
        EXPECT_TRUE(fs::exists(config)) << c.why;
        if (!c.before.empty()) {
            EXPECT_TRUE(fs::exists(folder / "user.reg.lock")) << c.why;
        }
    }
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
