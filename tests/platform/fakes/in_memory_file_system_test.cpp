// Tests of the in-memory file system: paths, writes, read-only bits, mounts and failures.
#include "platform/fakes/InMemoryFileSystem.h"

#include "platform/files/Folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

using dm::platform::EntryStatus;
using dm::platform::FindEntry;
using dm::platform::InMemoryFileSystem;
using Mode = dm::platform::RandomAccessFile::Mode;

std::vector<std::string> names(const std::vector<FindEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& entry : entries)
        out.push_back(entry.name);
    std::sort(out.begin(), out.end());
    return out;
}

TEST(InMemoryFileSystem, HoldsFilesAndFoldersUnderPathsAsLinuxReadsThem) {
    InMemoryFileSystem files;
    files.addFile("/app/prog.exe", "MZ");
    files.addFile("/app/.hidden", "");
    files.addFolder("/app/Docs");
    files.setCurrentFolder("/app/Docs");

    EXPECT_EQ(files.readFile("/app/prog.exe"), "MZ");
    EXPECT_EQ(files.readFile("../prog.exe"), "MZ");
    EXPECT_EQ(files.readFile("/app/./Docs/../prog.exe"), "MZ");
    EXPECT_FALSE(files.readFile("/app/Docs"));
    EXPECT_FALSE(files.readFile("/app/prog.exe/x"));
    EXPECT_FALSE(files.readFile(""));
    EXPECT_EQ(files.currentFolder(), "/app/Docs");

    const struct {
        const char* path;
        std::optional<EntryStatus::Type> type;
        std::uint64_t size;
    } statuses[] = {
        {"/app/prog.exe", EntryStatus::Type::File, 2},
        {"/app", EntryStatus::Type::Folder, 0},
        {"/", EntryStatus::Type::Folder, 0},
        {"/app/missing", std::nullopt, 0},
        {"", std::nullopt, 0},
    };
    for (const auto& c : statuses) {
        const auto status = files.status(c.path);
        ASSERT_EQ(status.has_value(), c.type.has_value()) << c.path;
        if (status) {
            EXPECT_EQ(status->type, *c.type) << c.path;
            EXPECT_EQ(status->size, c.size) << c.path;
        }
    }

    EXPECT_EQ(files.attributes("/app/prog.exe")->attributes, dm::platform::kFileAttributeArchive);
    EXPECT_EQ(files.attributes("/app/Docs/")->attributes, dm::platform::kFileAttributeDirectory);
    EXPECT_EQ(files.attributes("/app/Docs/")->name, "Docs");
    EXPECT_EQ(files.attributes("/app/.hidden")->attributes,
              dm::platform::kFileAttributeArchive | dm::platform::kFileAttributeHidden);
    EXPECT_TRUE(files.fileExists("/app/prog.exe"));
    EXPECT_FALSE(files.fileExists("/app/Docs"));

    EXPECT_EQ(names(files.find("/app/*")),
              (std::vector<std::string>{".hidden", "Docs", "prog.exe"}));
    EXPECT_EQ(names(files.find("/app/PROG.*")), (std::vector<std::string>{"prog.exe"}));
    EXPECT_EQ(names(files.find("/app/prog.exe")), (std::vector<std::string>{"prog.exe"}));
    EXPECT_TRUE(files.find("/app/").empty());
    EXPECT_TRUE(files.find("/nowhere/*").empty());
    EXPECT_TRUE(files.driveExists("/"));
    EXPECT_THROW(files.addFolder("/app/prog.exe"), std::invalid_argument);
    EXPECT_THROW(files.addFile("/app/Docs", ""), std::invalid_argument);
}

TEST(InMemoryFileSystem, MakesWritesAndRemovesAsTheDiskDoes) {
    InMemoryFileSystem files;
    EXPECT_TRUE(files.createDirectories("/a/b/c"));
    EXPECT_TRUE(files.createDirectories("/a/b/c"));
    EXPECT_FALSE(files.createDirectory("/a/b"));
    EXPECT_FALSE(files.createDirectory("/missing/x"));

    EXPECT_TRUE(files.writeFile("/a/f.txt", "one"));
    EXPECT_TRUE(files.writeFile("/a/f.txt", "two"));
    EXPECT_EQ(files.readFile("/a/f.txt"), "two");
    EXPECT_FALSE(files.writeFile("/missing/f.txt", "x"));
    EXPECT_FALSE(files.writeFile("/a/b", "x"));
    EXPECT_TRUE(files.writeFileInFolder("/a/b/g.txt", "held"));
    EXPECT_EQ(files.readFile("/a/b/g.txt"), "held");

    EXPECT_FALSE(files.removeDirectory("/a/b")); // not empty
    EXPECT_FALSE(files.deleteFile("/a/b"));      // a folder
    EXPECT_TRUE(files.deleteFile("/a/b/g.txt"));
    EXPECT_TRUE(files.removeEntry("/a/b/c"));
    EXPECT_TRUE(files.removeEntry("/a/b"));
    EXPECT_FALSE(files.removeEntry("/a/b"));
    EXPECT_FALSE(files.status("/a/b"));
}

TEST(InMemoryFileSystem, ReadOnlyBitKeepsFilesAndFoldersAsTheyAre) {
    InMemoryFileSystem files;
    files.addFile("/a/locked", "kept");
    ASSERT_TRUE(files.setAttributes("/a/locked", dm::platform::kFileAttributeReadOnly));
    EXPECT_EQ(files.attributes("/a/locked")->attributes,
              dm::platform::kFileAttributeArchive | dm::platform::kFileAttributeReadOnly);
    EXPECT_FALSE(files.writeFile("/a/locked", "new"));
    EXPECT_FALSE(files.openRandomAccess("/a/locked", Mode::ReadWrite));
    EXPECT_FALSE(files.openRandomAccess("/a/locked", Mode::Create));
    EXPECT_TRUE(files.openRandomAccess("/a/locked", Mode::Read));
    EXPECT_EQ(files.readFile("/a/locked"), "kept");
    ASSERT_TRUE(files.setAttributes("/a/locked", dm::platform::kFileAttributeNormal));
    EXPECT_TRUE(files.writeFile("/a/locked", "new"));

    ASSERT_TRUE(files.setAttributes("/a", dm::platform::kFileAttributeReadOnly));
    EXPECT_FALSE(files.writeFile("/a/other", "x"));
    EXPECT_FALSE(files.status("/a/other"));
    EXPECT_FALSE(files.createDirectory("/a/sub"));
    EXPECT_FALSE(files.deleteFile("/a/locked"));
    EXPECT_FALSE(files.writeFile("/a/locked", "replaced")); // a new file goes into the folder
    EXPECT_FALSE(files.setAttributes("/missing", 0));
}

TEST(InMemoryFileSystem, RandomAccessReadsAndWritesAtAnyOffset) {
    InMemoryFileSystem files;
    files.addFolder("/r");
    EXPECT_FALSE(files.openRandomAccess("/r/new", Mode::Read));
    EXPECT_FALSE(files.openRandomAccess("/r/new", Mode::ReadWrite));
    EXPECT_FALSE(files.openRandomAccess("/r", Mode::Create));
    EXPECT_FALSE(files.openRandomAccess("/missing/new", Mode::Create));

    auto made = files.openRandomAccess("/r/new", Mode::Create);
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->writeAt(2, "ab"));
    EXPECT_EQ(made->size(), 4);
    EXPECT_EQ(made->readAt(0, 4), std::string("\0\0ab", 4));
    EXPECT_FALSE(made->readAt(3, 2));
    EXPECT_FALSE(made->readAt(-1, 1));
    EXPECT_FALSE(made->writeAt(-1, "x"));
    EXPECT_EQ(files.readFile("/r/new"), std::string("\0\0ab", 4));

    auto emptied = files.openRandomAccess("/r/new", Mode::Create);
    ASSERT_TRUE(emptied);
    EXPECT_EQ(emptied->size(), 0);
    auto reading = files.openRandomAccess("/r/new", Mode::Read);
    ASSERT_TRUE(reading);
    EXPECT_FALSE(reading->writeAt(0, "x"));
}

TEST(InMemoryFileSystem, FailsOnDemandWithTheGivenReason) {
    InMemoryFileSystem files;
    files.addFile("/f/closed", "bytes");
    files.addFile("/f/full", "bytes");
    files.addFolder("/f/shut");
    files.failOpening("/f/closed", "no way in");
    files.failOpening("/f/shut", "shut");
    files.failWriting("/f/full", "disk full");

    EXPECT_FALSE(files.readFile("/f/closed"));
    EXPECT_EQ(files.openBytes("/f/closed").error(), "no way in");
    EXPECT_EQ(files.openRandomAccess("/f/closed", Mode::Read).error(), "no way in");
    EXPECT_EQ(files.openFolder("/f/shut").error(), "shut");
    EXPECT_EQ(files.openFolder("/f")->openFolder("shut").error(), "shut");
    EXPECT_TRUE(files.status("/f/closed")) << "it is still there";

    EXPECT_EQ(files.writeFile("/f/full", "x").error(), "disk full");
    EXPECT_EQ(files.openFolder("/f")->writeFile("full", "x").error(), "disk full");
    EXPECT_EQ(files.openRandomAccess("/f/full", Mode::ReadWrite).error(), "disk full");
    EXPECT_TRUE(files.openRandomAccess("/f/full", Mode::Read));
    EXPECT_EQ(files.readFile("/f/full"), "bytes");
}

TEST(InMemoryFileSystem, HeldFolderNamesEntriesRelativeToItself) {
    InMemoryFileSystem files;
    files.addFile("/data/log.txt", "log");
    files.addFile("/data/sub/inner", "x");
    files.addFolder("/data/empty");
    auto folder = files.openFolder("/data");
    ASSERT_TRUE(folder);
    EXPECT_FALSE(files.openFolder("/data/log.txt"));
    EXPECT_FALSE(files.openFolder("/missing"));

    const auto listed = folder->list();
    EXPECT_EQ(names(listed), (std::vector<std::string>{"empty", "log.txt", "sub"}));
    EXPECT_FALSE(folder->openFolder("log.txt"));
    EXPECT_FALSE(folder->openFolder(".."));
    EXPECT_TRUE(folder->openFolder("sub"));

    EXPECT_TRUE(folder->writeFile("export.csv", "a;b"));
    EXPECT_EQ(files.readFile("/data/export.csv"), "a;b");
    EXPECT_FALSE(folder->writeFile("sub", "x"));
    EXPECT_FALSE(folder->writeFile("../escape", "x"));
    EXPECT_FALSE(folder->removeFolder("sub")); // not empty
    EXPECT_FALSE(folder->deleteFile("sub"));
    EXPECT_TRUE(folder->removeFolder("empty"));
    EXPECT_TRUE(folder->deleteFile("log.txt"));
    EXPECT_FALSE(folder->deleteFile("log.txt"));
    EXPECT_EQ(names(folder->list()), (std::vector<std::string>{"export.csv", "sub"}));
}

TEST(InMemoryFileSystem, OpenedBytesKeepWhatTheFileHeldWhenOpened) {
    InMemoryFileSystem files;
    files.addFile("/v/app.exe", "old bytes");
    auto bytes = files.openBytes("/v/app.exe");
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(files.writeFile("/v/app.exe", "new"));
    EXPECT_EQ(bytes->size(), 9u);
    EXPECT_EQ(bytes->readAt(4, 5), "bytes");
    EXPECT_FALSE(bytes->readAt(5, 5));
    EXPECT_FALSE(files.openBytes("/v"));

    // Nor do writes in place or an emptying open change what an earlier open holds.
    auto before = files.openBytes("/v/app.exe");
    ASSERT_TRUE(before);
    auto writer = files.openRandomAccess("/v/app.exe", Mode::ReadWrite);
    ASSERT_TRUE(writer);
    EXPECT_TRUE(writer->writeAt(0, "N"));
    auto emptied = files.openRandomAccess("/v/app.exe", Mode::Create);
    ASSERT_TRUE(emptied);
    EXPECT_EQ(before->readAt(0, 3), "new");
    EXPECT_EQ(writer->size(), 0);
    EXPECT_EQ(files.readFile("/v/app.exe"), "");

    // Files given the same bytes keep their own when one of them is written.
    const auto shared = std::make_shared<std::string>("same");
    files.addFile("/v/one", shared);
    files.addFile("/v/two", shared);
    auto one = files.openRandomAccess("/v/one", Mode::ReadWrite);
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->writeAt(0, "S"));
    EXPECT_EQ(files.readFile("/v/one"), "Same");
    EXPECT_EQ(files.readFile("/v/two"), "same");
    EXPECT_EQ(*shared, "same");
}

TEST(InMemoryFileSystem, AMountedFolderAndWhatIsBelowItLieOnItsDevice) {
    InMemoryFileSystem files;
    files.addFile("/home/data/log.txt", "log");
    files.mountAt("/home/data/mounted", 7);
    files.addFile("/home/data/mounted/inner.txt", "x");
    EXPECT_EQ(files.attributes("/home/data/log.txt")->device, 1u);
    EXPECT_EQ(files.attributes("/home/data/mounted")->device, 7u);
    EXPECT_EQ(files.attributes("/home/data/mounted/inner.txt")->device, 7u);
    ASSERT_TRUE(files.writeFile("/home/data/mounted/new.txt", "y"));
    const auto listed = files.openFolder("/home/data/mounted")->list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].device, 7u);
    EXPECT_EQ(listed[1].device, 7u);
}

TEST(InMemoryFileSystem, SpecialFoldersAreTheOnesSet) {
    InMemoryFileSystem files;
    EXPECT_EQ(files.specialFolder(dm::platform::SpecialFolder::RoamingAppData), "");
    files.setSpecialFolder(dm::platform::SpecialFolder::RoamingAppData, "/home/u/.local/share");
    EXPECT_EQ(files.specialFolder(dm::platform::SpecialFolder::RoamingAppData),
              "/home/u/.local/share");
}

} // namespace
