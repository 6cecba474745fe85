// Tests of the portable close: the wipe, the exports kept, links refused, the registry.
#include "app/PortableClose.h"

#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/fakes/MountFileSystem.h"
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

// The hives hold nothing anyone could lose once the program's keys are gone, whichever run made
// them; anything else in them keeps them.
TEST_F(PortableCloseTest, TheRegistryFilesGoWhenOnlyTheProgramsEmptiedKeysAreLeft) {
    const fs::path config = temp.path() / "config";
    const fs::path folder = config / "dimmetric/registry";
    const struct {
        std::string before; // user.reg before the program starts; empty: none
        // What a second process does while the program runs, once the hive exists.
        std::function<void(platform::Registry&)> alongside;
        bool secondCopyClosesLast; // that process is a second copy of the program
        bool filesStay;
        std::string why;
    } cases[] = {
        {"", nullptr, false, false, "made by this run and emptied again"},
        {"", [this](platform::Registry& r) { storeSettingsIn(r); }, true, false,
         "two copies of the program shared the hive"},
        {"WINE REGISTRY Version 2\n", nullptr, false, false, "there before, empty"},
        {"", [](platform::Registry& r) { WriteMakerValue(r, "Harrow", "/opt/harrow/harrow"); },
         false, true, "another program's value"},
        {"",
         [](platform::Registry& r) {
             ASSERT_TRUE(r.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\Other\\Tool",
                                     RegistryAccess::Full));
         },
         false, true, "another program's keys, without a value"},
        {"",
         [](platform::Registry& r) {
             ASSERT_TRUE(r.createKey(RegistryRoot::CurrentUser,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                                     "Brackenway Dimmetric",
                                     RegistryAccess::Full));
         },
         false, true, "an uninstall entry that is its key alone"},
        {"", [](platform::Registry& r) { WriteMakerValue(r, "Harrow", ""); }, false, true,
         "an empty text is a value too"},
        {"WINE REGISTRY Version 2\n\n[Software\\\\Other]\n\"x\"=\"y\"\n", nullptr, false, true,
         "there before, with a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(config);
        fs::remove(temp.path() / "program/settings.ini");
        fs::create_directories(config);
        if (!c.before.empty())
            temp.write("config/dimmetric/registry/user.reg", c.before);
        platform::FileRegistry first(folder.string());
        storeSettingsIn(first);
        // Opened for writing at start: the machine hive gets the empty key only.
        ASSERT_TRUE(first.createKey(RegistryRoot::LocalMachine,
                                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                    RegistryAccess::Full));
        ASSERT_TRUE(fs::exists(folder / "system.reg"));
        // Started after the first: it sees the hive there at its start.
        platform::FileRegistry second(folder.string());
        if (c.alongside)
            c.alongside(second);

        platform.registry = first;
        closePortableCopy(platform, exe, "Dimmetric");
        if (c.secondCopyClosesLast) {
            platform.registry = second;
            closePortableCopy(platform, exe, "Dimmetric");
        }

        EXPECT_FALSE(second.keyExists(RegistryRoot::CurrentUser, kProductSettingsKey));
        EXPECT_EQ(fs::exists(folder / "user.reg"), c.filesStay);
        EXPECT_EQ(fs::exists(folder / "user.reg.lock"), c.filesStay);
        EXPECT_FALSE(fs::exists(folder / "system.reg"));
        EXPECT_FALSE(fs::exists(folder / "system.reg.lock"));
        EXPECT_EQ(fs::exists(folder), c.filesStay);
        // The folder above, when the program made it.
        if (c.before.empty()) {
            EXPECT_EQ(fs::exists(config / "dimmetric"), c.filesStay);
        }
        EXPECT_TRUE(fs::exists(config));
    }
}

// A folder mounted inside the data folder (a bind or FUSE mount) holds files that live elsewhere:
// the wipe stays on the data folder's own file system, and the log kept there says what it left.
TEST_F(PortableCloseTest, TheWipeLeavesAFolderMountedInsideAndTheLogNamesIt) {
    for (const bool mounted : {true, false}) {
        SCOPED_TRACE(mounted ? "mounted" : "not mounted");
        storeSettings();
        fs::remove_all(temp.path() / "roaming/Brackenway");
        platform::MountFileSystem mount;
        mount.folders = files.folders;
        if (mounted)
            mount.mounted = data() + "music";
        platform.fileSystem = mount;
        temp.write("roaming/Brackenway/Dimmetric/dimmetric.ini", "[links]\r\n");
        const std::string theirs = temp.write("roaming/Brackenway/Dimmetric/music/a.ogg", "song");
        auto log = std::make_unique<RunLog>(RunLog::Services{mount, system, shell},
                                            data() + "Dimmetric.log", false, 10000, false);
        log->Add("Starting", llInfo);

        closePortableCopy(platform, exe, "Dimmetric", std::move(log));

        EXPECT_EQ(fs::exists(theirs), mounted);
        EXPECT_FALSE(fs::exists(data() + "dimmetric.ini"));
        EXPECT_EQ(fs::exists(data()), mounted);
        if (mounted) {
            const std::string saved = TempDir::read(data() + "Dimmetric.log");
            EXPECT_NE(saved.find("Starting"), std::string::npos);
            EXPECT_NE(saved.find("Left in place, on another file system : " + data() + "music/"),
                      std::string::npos)
                << saved;
        }
        // The rest of the close is as ever.
        EXPECT_TRUE(fs::exists(temp.path() / "program/settings.ini"));
        EXPECT_FALSE(hasSettingsKey());
        EXPECT_FALSE(hasMakerKey());
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
