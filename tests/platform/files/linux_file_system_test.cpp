// Tests of the Linux file system: finds, attributes, folders, writes and links refused.
#include "platform/files/LinuxFileSystem.h"

#include "platform/files/Folder.h"

#include "support/EnvironmentGuard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace dm::platform {
namespace {

namespace fs = std::filesystem;

class LinuxFileSystemTest : public ::testing::Test {
protected:
    test::TempDir temp;
    LinuxFileSystem files;
};

TEST_F(LinuxFileSystemTest, FileExistsForAFileOfAnySizeButNotAFolderOrAMask) {
    temp.write("app.exe", "MZ");
    temp.write("empty.txt", "");
    temp.write("*", "");
    fs::create_directories(temp.path() / "folder");
    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {temp.dir() + "app.exe", true},  {temp.dir() + "empty.txt", true},
        {temp.dir() + "*", true},        {temp.dir() + "*.exe", false},
        {temp.dir() + "folder", false},  {temp.dir(), false},
        {temp.dir() + "missing", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files.fileExists(c.path), c.exists) << c.path;
}

TEST_F(LinuxFileSystemTest, FindDescribesEntriesWithWindowsAttributes) {
    temp.write("plain.txt", "12345");
    temp.write(".hidden", "");
    const auto locked = temp.write("locked.txt", "");
    fs::create_directories(temp.path() / "folder");
    fs::permissions(locked,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_symlink(temp.path() / "folder", temp.path() / "link");

    auto entries = files.find(temp.dir() + "*");
    std::sort(entries.begin(), entries.end(),
              [](const FindEntry& a, const FindEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_EQ(entries[0].attributes, kFileAttributeArchive | kFileAttributeHidden);
    EXPECT_EQ(entries[1].attributes, kFileAttributeDirectory);
    EXPECT_EQ(entries[2].name, "link");
    EXPECT_EQ(entries[2].attributes, kFileAttributeDirectory | kFileAttributeReparsePoint);
    EXPECT_EQ(entries[3].attributes, kFileAttributeArchive | kFileAttributeReadOnly);
    EXPECT_EQ(entries[4].attributes, kFileAttributeArchive);
    EXPECT_EQ(entries[4].size, 5u);
}

TEST_F(LinuxFileSystemTest, FindWithoutWildcardsFindsTheEntryItself) {
    const auto file = temp.write("one.txt", "x");
    ASSERT_EQ(files.find(file).size(), 1u);
    EXPECT_EQ(files.find(file)[0].name, "one.txt");
    EXPECT_TRUE(files.find(temp.dir()).empty()) << "a trailing delimiter finds nothing";
    EXPECT_TRUE(files.find(temp.dir() + "missing").empty());
    EXPECT_TRUE(files.find(temp.dir() + "missing/*").empty());
}

TEST_F(LinuxFileSystemTest, SetAttributesTogglesTheReadOnlyBit) {
    const auto file = temp.write("f.txt", "x");
    EXPECT_TRUE(files.setAttributes(file, kFileAttributeReadOnly));
    EXPECT_EQ(files.attributes(file)->attributes, kFileAttributeArchive | kFileAttributeReadOnly);
    EXPECT_TRUE(files.setAttributes(file, kFileAttributeArchive));
    EXPECT_EQ(files.attributes(file)->attributes, kFileAttributeArchive);
    EXPECT_FALSE(files.setAttributes(temp.dir() + "missing", kFileAttributeArchive));
}

TEST_F(LinuxFileSystemTest, FoldersAndFilesAreMadeAndRemovedOneAtATime) {
    const std::string folder = temp.dir() + "made";
    EXPECT_TRUE(files.createDirectory(folder));
    EXPECT_FALSE(files.createDirectory(folder));
    temp.write("made/inside.txt", "x");
    EXPECT_FALSE(files.removeDirectory(folder)) << "not empty";
    EXPECT_FALSE(files.deleteFile(folder)) << "a folder is no file";
    EXPECT_TRUE(files.deleteFile(folder + "/inside.txt"));
    EXPECT_TRUE(files.removeDirectory(folder));
}

TEST_F(LinuxFileSystemTest, WritesFilesWholeAndRefusesReadOnlyOnes) {
    const std::string file = temp.dir() + "settings.ini";
    EXPECT_TRUE(files.writeFile(file, "[Settings]\r\n"));
    EXPECT_EQ(files.readFile(file), "[Settings]\r\n");
    EXPECT_TRUE(files.writeFile(file, "new"));
    EXPECT_EQ(files.readFile(file), "new");
    files.setAttributes(file, kFileAttributeReadOnly);
    EXPECT_FALSE(files.writeFile(file, "lost"));
    EXPECT_EQ(files.readFile(file), "new");
    EXPECT_FALSE(files.writeFile(temp.dir() + "missing/file", "x"));
    EXPECT_FALSE(files.readFile(temp.dir()).has_value());
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST_F(LinuxFileSystemTest, FailedOpensAndWritesSayWhatFailed) {
    const std::string readOnly = temp.write("locked.ini", "");
    files.setAttributes(readOnly, kFileAttributeReadOnly);
    fs::create_directories(temp.path() / "folder");
    struct Case {
        std::string what;
        std::string error;
    };
    const std::string missing = temp.dir() + "missing";
    const Case cases[] = {
        {"open bytes", files.openBytes(missing).error()},
        {"open folder", files.openFolder(missing).error()},
        {"write read-only", files.writeFile(readOnly, "x").error()},
        {"write folder", files.writeFile(temp.dir() + "folder", "x").error()},
        {"write in missing folder", files.writeFileInFolder(missing + "/app.log", "x").error()},
        {"write without folder", files.writeFileInFolder("app.log", "x").error()},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(c.error.empty()) << c.what;
    EXPECT_NE(cases[0].error.find(missing), std::string::npos) << cases[0].error;
    EXPECT_NE(cases[1].error.find(missing), std::string::npos) << cases[1].error;
    EXPECT_TRUE(files.openFolder(temp.dir() + "folder").error().empty());
}

TEST_F(LinuxFileSystemTest, ALogThatIsALinkIsWrittenThroughTheLink) {
    const std::string target = temp.write("elsewhere/Dimmetric.log", "old");
    fs::permissions(target, fs::perms(0600));
    fs::create_symlink(target, temp.path() / "Dimmetric.log");
    EXPECT_TRUE(files.writeFile(temp.dir() + "Dimmetric.log", "Info\tline\r\n"));
    EXPECT_TRUE(fs::is_symlink(temp.path() / "Dimmetric.log"));
    EXPECT_EQ(files.readFile(target), "Info\tline\r\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0600));
}

TEST_F(LinuxFileSystemTest, AFolderThatIsALinkIsNotOpenedNorWrittenThrough) {
    const std::string outside = temp.write("outside/app.log", "keep");
    fs::create_symlink(temp.path() / "outside", temp.path() / "data");
    EXPECT_FALSE(files.openFolder(temp.dir() + "data"));
    EXPECT_FALSE(files.openFolder(temp.dir() + "data/"));
    EXPECT_FALSE(files.openFolder(temp.dir() + "missing"));
    EXPECT_FALSE(files.openFolder(outside));
    EXPECT_FALSE(files.writeFileInFolder(temp.dir() + "data/app.log", "new"));
    EXPECT_EQ(test::TempDir::read(outside), "keep");
}

TEST_F(LinuxFileSystemTest, AHeldFolderSwappedForALinkLeadsNothingOutside) {
    temp.write("data/old.log", "old");
    temp.write("data/sub/inner.txt", "inner");
    const std::string outsideLog = temp.write("outside/old.log", "keep");
    const std::string outsideInner = temp.write("outside/sub/inner.txt", "keep");
    const auto folder = files.openFolder(temp.dir() + "data");
    ASSERT_TRUE(folder);
    // Checked and held open; now the folder is moved away and a link put in its place.
    fs::rename(temp.path() / "data", temp.path() / "moved");
    fs::create_symlink(temp.path() / "outside", temp.path() / "data");

    EXPECT_TRUE(folder->writeFile("new.log", "new"));
    const auto sub = folder->openFolder("sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->deleteFile("inner.txt"));
    EXPECT_TRUE(folder->removeFolder("sub"));
    EXPECT_TRUE(folder->deleteFile("old.log"));
    std::vector<std::string> names;
    for (const auto& entry : folder->list())
        names.push_back(entry.name);
    EXPECT_EQ(names, std::vector<std::string>{"new.log"});

    EXPECT_EQ(test::TempDir::read(temp.path() / "moved/new.log"), "new");
    EXPECT_FALSE(fs::exists(temp.path() / "outside/new.log"));
    EXPECT_EQ(test::TempDir::read(outsideLog), "keep");
    EXPECT_EQ(test::TempDir::read(outsideInner), "keep");
}

TEST_F(LinuxFileSystemTest, AHeldFolderNeverFollowsALinkInside) {
    const std::string outsideFile = temp.write("outside/file.txt", "keep");
    temp.write("outside/folder/keep.txt", "keep");
    fs::create_directories(temp.path() / "data");
    fs::create_symlink(outsideFile, temp.path() / "data/file-link");
    fs::create_symlink(temp.path() / "outside/folder", temp.path() / "data/folder-link");
    const auto folder = files.openFolder(temp.dir() + "data");
    ASSERT_TRUE(folder);
    EXPECT_FALSE(folder->openFolder("folder-link"));
    EXPECT_FALSE(folder->removeFolder("folder-link"));
    EXPECT_FALSE(folder->openFolder("../outside"));
    // A link in a file's place is replaced by the file, not written through.
    EXPECT_TRUE(folder->writeFile("file-link", "new"));
    EXPECT_FALSE(fs::is_symlink(temp.path() / "data/file-link"));
    EXPECT_TRUE(folder->deleteFile("folder-link"));
    EXPECT_EQ(test::TempDir::read(outsideFile), "keep");
    EXPECT_EQ(test::TempDir::read(temp.path() / "outside/folder/keep.txt"), "keep");
}

TEST_F(LinuxFileSystemTest, SpecialFoldersFollowTheXdgBaseDirectories) {
    test::EnvironmentGuard environment;
    environment.set("HOME", (temp.dir() + "home").c_str());
    environment.set("XDG_DATA_HOME", (temp.dir() + "data/home/").c_str());
    environment.set("XDG_CACHE_HOME", nullptr);
    EXPECT_EQ(files.specialFolder(SpecialFolder::RoamingAppData), temp.dir() + "data/home");
    EXPECT_TRUE(fs::is_directory(temp.path() / "data/home")) << "made when missing";
    EXPECT_EQ(files.specialFolder(SpecialFolder::LocalAppData), temp.dir() + "home/.cache");
    EXPECT_TRUE(fs::is_directory(temp.path() / "home/.cache"));

    environment.set("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(files.specialFolder(SpecialFolder::RoamingAppData), temp.dir() + "home/.local/share");

    environment.set("HOME", nullptr);
    environment.set("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(files.specialFolder(SpecialFolder::RoamingAppData), "") << "the system has none";

    temp.write("blocked", "a file where the folder should be");
    environment.set("XDG_CACHE_HOME", (temp.dir() + "blocked/cache").c_str());
    EXPECT_EQ(files.specialFolder(SpecialFolder::LocalAppData), "");
}

TEST_F(LinuxFileSystemTest, DriveRootsAreTheRootFolderOnly) {
    EXPECT_TRUE(files.driveExists("/"));
    EXPECT_FALSE(files.driveExists("C:\\"));
}

TEST_F(LinuxFileSystemTest, StatusFollowsLinksAndTellsFilesFoldersAndTheRest) {
    temp.write("app.exe", "MZ");
    fs::create_directories(temp.path() / "folder");
    fs::create_symlink(temp.path() / "app.exe", temp.path() / "file-link");
    fs::create_symlink(temp.path() / "gone", temp.path() / "dangling");
    using Type = EntryStatus::Type;
    const struct {
        std::string path;
        std::optional<Type> type;
        std::uint64_t size;
    } cases[] = {
        {temp.dir() + "app.exe", Type::File, 2},
        {temp.dir() + "file-link", Type::File, 2},
        {temp.dir() + "folder", Type::Folder, 0},
        {"/dev/null", Type::Other, 0},
        {temp.dir() + "dangling", std::nullopt, 0},
        {temp.dir() + "missing", std::nullopt, 0},
        {"", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const auto status = files.status(c.path);
        ASSERT_EQ(status.has_value(), c.type.has_value()) << c.path;
        if (status) {
            EXPECT_EQ(status->type, *c.type) << c.path;
            EXPECT_EQ(status->size, c.size) << c.path;
        }
    }
    EXPECT_EQ(files.currentFolder(), fs::current_path().string());
}

TEST_F(LinuxFileSystemTest, RandomAccessOpensOnlyRegularFilesInTheModeAsked) {
    using Mode = RandomAccessFile::Mode;
    EXPECT_FALSE(files.openRandomAccess(temp.dir() + "new", Mode::ReadWrite));
    auto made = files.openRandomAccess(temp.dir() + "new", Mode::Create);
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->writeAt(2, "ab"));
    EXPECT_EQ(made->readAt(0, 4), std::string("\0\0ab", 4));
    EXPECT_FALSE(made->readAt(3, 2));
    auto reading = files.openRandomAccess(temp.dir() + "new", Mode::Read);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->size(), 4);
    EXPECT_FALSE(reading->writeAt(0, "x"));
    EXPECT_FALSE(files.openRandomAccess("/dev/null", Mode::Read));
    EXPECT_FALSE(files.openRandomAccess(temp.dir(), Mode::Read));
}

} // namespace
} // namespace dm::platform
