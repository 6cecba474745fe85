#include "platform/files/LinuxFileByteSource.h"
#include "platform/files/LinuxFileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dm::platform {
namespace {

TEST(LinuxFileByteSource, ReadsRangesInsideTheFileOnly) {
    test::TempDir temp;
    const std::string path = temp.write("data.bin", std::string("0123456789", 10));
    const LinuxFileByteSource file(path);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), 10u);
    EXPECT_EQ(file.readAt(2, 3), "234");
    EXPECT_EQ(file.readAt(10, 0), "");
    EXPECT_EQ(file.readAt(8, 3), std::nullopt);
    EXPECT_EQ(file.readAt(11, 0), std::nullopt);
    EXPECT_EQ(file.readAt(~std::uint64_t{0}, 2), std::nullopt);
    EXPECT_EQ(file.readAt(2, ~std::size_t{0}), std::nullopt);
}

TEST(LinuxFileByteSource, OpensRegularFilesOnly) {
    test::TempDir temp;
    std::filesystem::create_directories(temp.path() / "folder");
    EXPECT_FALSE(LinuxFileByteSource(temp.dir() + "folder").isOpen());
    EXPECT_FALSE(LinuxFileByteSource(temp.dir() + "missing").isOpen());
    EXPECT_FALSE(LinuxFileByteSource("").isOpen());

    LinuxFileSystem files;
    EXPECT_FALSE(files.openBytes(temp.dir() + "folder"));
    EXPECT_FALSE(files.openBytes(temp.dir() + "*"));
    const auto bytes = files.openBytes(temp.write("a*b", "xyz"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 3u);
}

TEST(LinuxFileSystem, SystemFolderIsTheLibraryFolder) {
    EXPECT_EQ(LinuxFileSystem().specialFolder(SpecialFolder::System), "/usr/lib");
}

} // namespace
} // namespace dm::platform
