// Tests of the file calls: existence, folder creation, sizes and the start-up probe.
#include "framework/WideFiles.h"

#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/FolderFileSystem.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dm {
namespace {

class WideFilesTest : public ::testing::Test {
protected:
    test::TempDir temp;
    platform::LinuxFileSystem files;
    platform::FakeSystemInfo system;
};

TEST_F(WideFilesTest, FileAndFolderExistenceFollowTheFindRules) {
    const auto file = temp.write("app/readme.txt", "x");
    const std::string folder = temp.dir() + "app";
    EXPECT_TRUE(WideFileExists(files, file));
    EXPECT_FALSE(WideFileExists(files, folder));
    EXPECT_FALSE(WideFileExists(files, temp.dir() + "missing"));
    EXPECT_TRUE(WideDirectoryExists(files, folder));
    EXPECT_FALSE(WideDirectoryExists(files, folder + "/"))
        << "the find takes no trailing delimiter";
    EXPECT_FALSE(WideDirectoryExists(files, file));
    EXPECT_TRUE(WideDirectoryExists(files, "/")) << "the drive root";
    EXPECT_FALSE(WideDirectoryExists(files, "C:")) << "no drive letters here";
    EXPECT_FALSE(WideDirectoryExists(files, "C:\\"));
}

TEST_F(WideFilesTest, CreateDirectoryMakesOneLevelAndFailsOnAnExistingFolder) {
    EXPECT_TRUE(WideCreateDirectory(files, temp.dir() + "one"));
    EXPECT_FALSE(WideCreateDirectory(files, temp.dir() + "one"));
    EXPECT_FALSE(WideCreateDirectory(files, temp.dir() + "two/three"));
}

TEST_F(WideFilesTest, FileExistsNonEmptySwitchesRedirectionOffForTheTest) {
    const auto full = temp.write("full.bin", "abc");
    const auto empty = temp.write("empty.bin", "");
    EXPECT_TRUE(FileExistsNonEmpty(files, system, full));
    EXPECT_FALSE(FileExistsNonEmpty(files, system, empty));
    EXPECT_FALSE(FileExistsNonEmpty(files, system, temp.dir()));
    EXPECT_FALSE(FileExistsNonEmpty(files, system, temp.path().string()));
    EXPECT_EQ(system.redirectionSwitches,
              (std::vector<bool>{true, false, true, false, true, false, true, false}));
}

TEST_F(WideFilesTest, SizesAreSixtyFourBitWide) {
    const auto big = temp.write("big.bin", "");
    // A sparse file of 5 GB takes no disk space.
    std::error_code error;
    std::filesystem::resize_file(big, 5ULL << 30, error);
    if (error)
        GTEST_SKIP() << "the temporary folder takes no 5 GB sparse file";
    EXPECT_EQ(GetFileSize64(files, big), 5LL << 30);
    EXPECT_EQ(GetFileSizeByFind(files, big), 5LL << 30);
    EXPECT_EQ(GetFileSizeByFind(files, temp.dir() + "missing"), 0);
    EXPECT_EQ(GetFileSize64(files, temp.dir() + "missing"), 0);
}

TEST_F(WideFilesTest, TheStartUpProbeListsTheSystemsOwnFolder) {
    EXPECT_TRUE(probeWideApi(files));
    platform::FolderFileSystem none;
    EXPECT_FALSE(probeWideApi(none));
}

} // namespace
} // namespace dm
