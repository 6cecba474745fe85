// Tests of reading a file's bytes in place through its window, and of the system folder.
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

// Small reads come from a window of the file, large ones straight from it: every mix of
// offsets and lengths still gives exactly the file's bytes.
TEST(LinuxFileByteSource, ReadsAcrossItsWindowGiveTheFileBytes) {
    test::TempDir temp;
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += static_cast<char>('a' + i * 7 % 26);
    const LinuxFileByteSource file(temp.write("big.bin", bytes));
    ASSERT_TRUE(file.isOpen());
    const struct {
        std::uint64_t offset;
        std::size_t count;
    } reads[] = {{0, 64},    {60, 4},      {4090, 12}, {100, 5000}, {3, 2},
                 {9990, 10}, {8000, 2000}, {0, 10000}, {4095, 1},   {5000, 4096}};
    for (const auto& read : reads)
        EXPECT_EQ(file.readAt(read.offset, read.count), bytes.substr(read.offset, read.count))
            << read.offset << "+" << read.count;
    EXPECT_EQ(file.readAt(9995, 6), std::nullopt);
    EXPECT_EQ(file.readAt(0, 10001), std::nullopt);
}

TEST(LinuxFileByteSource, ReadsFailPastTheEndOfAFileThatShrank) {
    test::TempDir temp;
    const std::string path = temp.write("shrinks.bin", std::string(6000, 'x'));
    const LinuxFileByteSource file(path);
    ASSERT_TRUE(file.isOpen());
    std::filesystem::resize_file(path, 100);
    EXPECT_EQ(file.readAt(5000, 10), std::nullopt);
    EXPECT_EQ(file.readAt(90, 20), std::nullopt);
    EXPECT_EQ(file.readAt(50, 10), std::string(10, 'x'));
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
