// Tests of the folder walks: extensions and names ignoring case, missing folders, link loops.
#include "framework/FolderWalks.h"

#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace dm {
namespace {

namespace fs = std::filesystem;

class FolderWalksTest : public ::testing::Test {
protected:
    FolderWalksTest() {
        temp.write("tree/App.EXE", "x");
        temp.write("tree/App.exe.bak", "x");
        temp.write("tree/Tools.exe/inner.exe", "x");
        temp.write("tree/sub/deep/Setup.exe", "x");
        temp.write("tree/sub/README.txt", "x");
        temp.write("tree/.hidden.exe", "x");
        fs::create_directories(temp.path() / "tree/empty");
    }
    std::vector<std::string> sorted(std::vector<std::string> list) {
        std::sort(list.begin(), list.end());
        return list;
    }

    test::TempDir temp;
    platform::LinuxFileSystem files;
    platform::FakeSystemInfo system;
    std::string tree = temp.dir() + "tree";
};

TEST_F(FolderWalksTest, FindFilesByExtWalksTheTreeAndMatchesTheExtensionIgnoringCase) {
    std::vector<std::string> list = {"kept"};
    FindFilesByExt(files, system, tree, ".exe", list);
    EXPECT_EQ(sorted(list), sorted({"kept", tree + "/.hidden.exe", tree + "/App.EXE",
                                    tree + "/Tools.exe/inner.exe", tree + "/sub/deep/Setup.exe"}));
    EXPECT_EQ(system.redirectionSwitches, (std::vector<bool>{true, false}))
        << "switched off once for the whole walk";
}

TEST_F(FolderWalksTest, ListFilesAndListSubFoldersStayInTheFolder) {
    std::vector<std::string> fileNames, folders;
    ListFiles(files, system, tree + "/", fileNames);
    ListSubFolders(files, system, tree, folders);
    EXPECT_EQ(sorted(fileNames),
              sorted({tree + "/.hidden.exe", tree + "/App.EXE", tree + "/App.exe.bak"}));
    EXPECT_EQ(sorted(folders), sorted({tree + "/Tools.exe", tree + "/empty", tree + "/sub"}));
}

TEST_F(FolderWalksTest, FindFileByNameMatchesTheWholeNameIgnoringCase) {
    std::vector<std::string> here, everywhere;
    FindFileByName(files, system, tree, "app.exe", here);
    FindFileByName(files, system, tree, "setup.exe", here);
    FindFileByNameRecursive(files, system, tree, "SETUP.EXE", everywhere);
    EXPECT_EQ(here, (std::vector<std::string>{tree + "/App.EXE"}));
    EXPECT_EQ(everywhere, (std::vector<std::string>{tree + "/sub/deep/Setup.exe"}));
}

TEST_F(FolderWalksTest, AMissingFolderAddsNothing) {
    std::vector<std::string> list;
    FindFilesByExt(files, system, temp.dir() + "missing", ".exe", list);
    ListSubFolders(files, system, temp.dir() + "missing", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(FolderWalksTest, RecursiveWalksDoNotFollowLinkLoops) {
    fs::create_directory_symlink(temp.path() / "tree", temp.path() / "tree/sub/loop");
    std::vector<std::string> list;
    FindFileByNameRecursive(files, system, tree, "Setup.exe", list);
    EXPECT_EQ(list, (std::vector<std::string>{tree + "/sub/deep/Setup.exe"}));
}

} // namespace
} // namespace dm
