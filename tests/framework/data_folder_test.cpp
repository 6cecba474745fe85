// Tests of the data folder: making it, falling back, safe folder wipes, VirtualStore clean-up.
#include "framework/DataFolder.h"

#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/FolderFileSystem.h"
#include "platform/fakes/MountFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace dm {
namespace {

namespace fs = std::filesystem;
using platform::SpecialFolder;

class DataFolderTest : public ::testing::Test {
protected:
    DataFolderTest() {
        files.folders[SpecialFolder::RoamingAppData] = temp.dir() + "roaming";
        files.folders[SpecialFolder::LocalAppData] = temp.dir() + "local";
        fs::create_directories(temp.path() / "roaming");
        fs::create_directories(temp.path() / "local");
    }

    test::TempDir temp;
    platform::FolderFileSystem files;
    platform::FakeSystemInfo system;
    std::string exe = temp.dir() + "program/dimmetric";
};

TEST_F(DataFolderTest, MakesThePerUserFolderBelowTheMakersFolder) {
    const std::string folder = GetProductDataFolder(files, exe, "Dimmetric");
    EXPECT_EQ(folder, temp.dir() + "roaming/Brackenway/Dimmetric/");
    EXPECT_TRUE(fs::is_directory(folder));

    fs::remove_all(temp.path() / "roaming/Brackenway");
    EXPECT_EQ(GetProductDataFolder(files, exe, "Dimmetric"), folder) << "made again";
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(DataFolderTest, FallsBackToTheExecutablesFolder) {
    files.folders.erase(SpecialFolder::RoamingAppData);
    EXPECT_EQ(GetProductDataFolder(files, exe, "Dimmetric"), temp.dir() + "program/");

    files.folders[SpecialFolder::RoamingAppData] = temp.dir() + "missing/parent";
    EXPECT_EQ(GetProductDataFolder(files, exe, "Dimmetric"), temp.dir() + "program/");

    temp.write("blocked/Brackenway", "a file where the folder should be");
    files.folders[SpecialFolder::RoamingAppData] = temp.dir() + "blocked";
    EXPECT_EQ(GetProductDataFolder(files, exe, "Dimmetric"), temp.dir() + "program/");
}

TEST_F(DataFolderTest, RemovesTheMakersFolderOnlyWithoutSubfoldersAndFiles) {
    fs::create_directories(temp.path() / "roaming/Brackenway/Harrow");
    RemoveMakerDataFolderIfEmpty(files, system);
    EXPECT_TRUE(fs::exists(temp.path() / "roaming/Brackenway/Harrow"));

    fs::remove(temp.path() / "roaming/Brackenway/Harrow");
    temp.write("roaming/Brackenway/note.txt", "x");
    RemoveMakerDataFolderIfEmpty(files, system);
    EXPECT_TRUE(fs::exists(temp.path() / "roaming/Brackenway"));

    fs::remove(temp.path() / "roaming/Brackenway/note.txt");
    RemoveMakerDataFolderIfEmpty(files, system);
    EXPECT_FALSE(fs::exists(temp.path() / "roaming/Brackenway"));
    EXPECT_TRUE(fs::exists(temp.path() / "roaming"));
}

TEST_F(DataFolderTest, DeleteFolderFilesRemovesMatchingFilesAndKeepsTheRest) {
    temp.write("store/QV_0000040C.SPK", "language");
    temp.write("store/template.spk", "language");
    temp.write("store/readme.txt", "keep");
    EXPECT_TRUE(DeleteFolderFiles(files, temp.dir() + "store", "SPK"));
    EXPECT_FALSE(fs::exists(temp.path() / "store/QV_0000040C.SPK"));
    EXPECT_FALSE(fs::exists(temp.path() / "store/template.spk"));
    EXPECT_TRUE(fs::exists(temp.path() / "store/readme.txt"));
    EXPECT_TRUE(fs::is_directory(temp.path() / "store"));
}

TEST_F(DataFolderTest, DeleteFolderFilesWipesATreeWithReadOnlyFiles) {
    const auto locked = temp.write("data/sub/deeper/locked.log", "x");
    temp.write("data/links.ini", "x");
    temp.write("data/sub/export.txt", "x");
    fs::permissions(locked,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(DeleteFolderFiles(files, temp.dir() + "data/", "*"));
    EXPECT_FALSE(fs::exists(temp.path() / "data"));
}

TEST_F(DataFolderTest, DeleteFolderFilesDeletesALinkNotWhatItPointsTo) {
    temp.write("elsewhere/precious.txt", "keep");
    fs::create_directories(temp.path() / "data");
    fs::create_directory_symlink(temp.path() / "elsewhere", temp.path() / "data/link");
    DeleteFolderFiles(files, temp.dir() + "data", "*");
    EXPECT_FALSE(fs::exists(temp.path() / "data"));
    EXPECT_TRUE(fs::exists(temp.path() / "elsewhere/precious.txt"));
}

// As "rm -r --one-file-system": what is mounted inside the folder (a bind or FUSE mount) is on
// another device; the wipe neither enters nor deletes it, and names it.
TEST_F(DataFolderTest, WipeNeverCrossesIntoAnotherFileSystem) {
    const struct {
        std::string mounted; // below temp
        std::vector<std::string> left;
        std::vector<std::string> kept; // below temp
    } cases[] = {
        {"data/mnt", {"data/mnt/"}, {"data/mnt/theirs.txt", "data/mnt/deep/theirs.txt"}},
        {"data/sub/deeper", {"data/sub/deeper/"}, {"data/sub/deeper/theirs.txt"}},
        {"data/mnt/theirs.txt", {"data/mnt/theirs.txt"}, {"data/mnt/theirs.txt"}},
        // The folder wiped is itself a mount: all in it is on its own device.
        {"data", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mounted);
        fs::remove_all(temp.path() / "data");
        temp.write("data/Dimmetric.log", "ours");
        temp.write("data/sub/ours.txt", "ours");
        temp.write("data/sub/deeper/theirs.txt", "theirs");
        temp.write("data/mnt/theirs.txt", "theirs");
        temp.write("data/mnt/deep/theirs.txt", "theirs");
        platform::MountFileSystem mount;
        mount.mounted = temp.dir() + c.mounted;

        const std::vector<std::string> left = wipeFolder(mount, temp.dir() + "data/", "*");

        std::vector<std::string> expected;
        for (const auto& path : c.left)
            expected.push_back(temp.dir() + path);
        EXPECT_EQ(left, expected);
        for (const auto& path : c.kept)
            EXPECT_EQ(test::TempDir::read(temp.path() / path), "theirs") << path;
        EXPECT_FALSE(fs::exists(temp.path() / "data/Dimmetric.log"));
        EXPECT_FALSE(fs::exists(temp.path() / "data/sub/ours.txt"));
        // What was left keeps the folders that hold it.
        EXPECT_EQ(fs::exists(temp.path() / "data"), !c.left.empty());
    }
}

// A data folder, or the maker's folder, that is a link (to "/", say) is not used: the program
// falls back as when the folder cannot be made, and writes nothing through the link.
TEST_F(DataFolderTest, ADataFolderThatIsALinkIsNotUsed) {
    for (const char* linked : {"roaming/Brackenway/Dimmetric", "roaming/Brackenway"}) {
        SCOPED_TRACE(linked);
        fs::remove_all(temp.path() / "roaming");
        fs::remove_all(temp.path() / "victim");
        fs::create_directories(temp.path() / "victim");
        fs::create_directories((temp.path() / linked).parent_path());
        fs::create_directory_symlink(temp.path() / "victim", temp.path() / linked);
        EXPECT_EQ(GetProductDataFolder(files, exe, "Dimmetric"), temp.dir() + "program/");
        EXPECT_TRUE(fs::is_symlink(temp.path() / linked));
        EXPECT_TRUE(fs::is_empty(temp.path() / "victim")) << "nothing made through the link";
    }
}

// Run as root, as the case that matters: the wipe neither starts on a link nor follows one.
TEST_F(DataFolderTest, DeleteFolderFilesNeverWipesThroughALink) {
    temp.write("victim/precious.txt", "keep");
    temp.write("victim/sub/deeper.txt", "keep");
    fs::create_directories(temp.path() / "roaming/Brackenway");
    const fs::path data = temp.path() / "roaming/Brackenway/Dimmetric";
    fs::create_directory_symlink(temp.path() / "victim", data);
    EXPECT_TRUE(DeleteFolderFiles(files, data.string() + "/", "*"));
    EXPECT_TRUE(fs::is_symlink(data));
    EXPECT_EQ(test::TempDir::read(temp.path() / "victim/precious.txt"), "keep");
    EXPECT_EQ(test::TempDir::read(temp.path() / "victim/sub/deeper.txt"), "keep");

    // A real folder holding links to a folder and to a file: the links go, their targets stay.
    fs::remove(data);
    temp.write("roaming/Brackenway/Dimmetric/Dimmetric.log", "log");
    fs::create_directory_symlink(temp.path() / "victim", data / "folder-link");
    fs::create_symlink(temp.path() / "victim/precious.txt", data / "file-link");
    EXPECT_TRUE(DeleteFolderFiles(files, data.string() + "/", "*"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(data)));
    EXPECT_EQ(test::TempDir::read(temp.path() / "victim/precious.txt"), "keep");
    EXPECT_EQ(test::TempDir::read(temp.path() / "victim/sub/deeper.txt"), "keep");
}

TEST_F(DataFolderTest, DeleteFolderFilesOfAnEmptyFolderNameTouchesNothing) {
    EXPECT_TRUE(DeleteFolderFiles(files, "", "*"));
}

TEST_F(DataFolderTest, CleanVirtualStoreRemovesTheLanguageFilesOfTheStoreCopy) {
    const std::string exeDir = temp.dir() + "program/";
    const std::string copy = temp.dir() + "local/VirtualStore/" + exeDir.substr(1);
    temp.write("local/VirtualStore/" + exeDir.substr(1) + "QV_00000407.SPK", "x");
    EXPECT_EQ(CleanVirtualStore(files, exeDir), copy);
    EXPECT_FALSE(fs::exists(copy)) << "the emptied copy is removed";

    temp.write("local/VirtualStore/" + exeDir.substr(1) + "QV_00000407.SPK", "x");
    temp.write("local/VirtualStore/" + exeDir.substr(1) + "notes.txt", "x");
    EXPECT_EQ(CleanVirtualStore(files, exeDir), copy);
    EXPECT_TRUE(fs::exists(copy + "notes.txt"));
    EXPECT_FALSE(fs::exists(copy + "QV_00000407.SPK"));
}

TEST_F(DataFolderTest, CleanVirtualStoreIsEmptyWhenThereIsNoStoreCopy) {
    EXPECT_EQ(CleanVirtualStore(files, temp.dir() + "program/"), "");
    files.folders.erase(SpecialFolder::LocalAppData);
    EXPECT_EQ(CleanVirtualStore(files, temp.dir() + "program/"), "");
}

} // namespace
} // namespace dm
