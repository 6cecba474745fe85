// Tests of whole-file reads, atomic writes through links with permissions kept, file locks.
#include "platform/files/AtomicFile.h"
#include "platform/process/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

using dm::platform::ErrorKind;
using dm::platform::FileContents;
using dm::platform::makeFifo;
using dm::platform::readWholeFile;
using dm::platform::Result;

namespace {

TEST(ReadWholeFile, ReadsTheWholeFileOrUpToALimit) {
    const dm::test::TempDir dir;
    const std::string path = dir.write("a.bin", std::string(100000, 'x') + "end");
    const Result<FileContents> whole = readWholeFile(path);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->bytes.size(), 100003u);
    const Result<FileContents> first = readWholeFile(path, 70000);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes, std::string(70000, 'x'));
}

TEST(ReadWholeFile, OnlyARegularFileIsReadAndAFifoDoesNotWait) {
    const dm::test::TempDir dir;
    const std::string fifo = dir.dir() + "fifo";
    ASSERT_TRUE(makeFifo(fifo));
    EXPECT_EQ(readWholeFile(fifo).kind(), ErrorKind::Refused);
    EXPECT_EQ(readWholeFile(dir.path().string()).kind(), ErrorKind::Refused);
    EXPECT_EQ(readWholeFile(dir.dir() + "missing").kind(), ErrorKind::NotFound);
}

namespace fs = std::filesystem;

fs::perms permissionsOf(const std::string& path) {
    return fs::status(path).permissions();
}

bool writeAtomically(const std::string& path, const std::string& bytes) {
    return static_cast<bool>(dm::platform::writeFileAtomically(path, bytes));
}

TEST(writeFileAtomically, WritesTheFileALinkNamesAndKeepsTheLinkAndThePermissions) {
    const dm::test::TempDir dir;
    const std::string target = dir.write("dotfiles/user.reg", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(dir.path() / "config");
    fs::create_symlink("../dotfiles/user.reg", dir.path() / "config" / "link1");
    fs::create_symlink("link1", dir.path() / "config" / "user.reg"); // a chain, both relative
    const std::string link = dir.dir() + "config/user.reg";

    ASSERT_TRUE(writeAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(dir.dir() + "config/link1"));
    EXPECT_EQ(dm::test::TempDir::read(target), "new");
    EXPECT_EQ(permissionsOf(target), fs::perms::owner_read | fs::perms::owner_write);
    // No temporary file is left beside the link or the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "dotfiles"), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "config"), {}), 2);
}

TEST(writeFileAtomically, NeverWidensPermissionsAndGivesANewFileTheUmask) {
    const dm::test::TempDir dir;
    const std::string reference = dir.dir() + "reference";
    std::ofstream(reference) << "x"; // created as any program creates a file: with the umask
    ASSERT_TRUE(writeAtomically(dir.dir() + "new", "x"));
    EXPECT_EQ(permissionsOf(dir.dir() + "new"), permissionsOf(reference));

    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0644)}) {
        const std::string file = dir.write("existing", "old");
        fs::permissions(file, mode);
        ASSERT_TRUE(writeAtomically(file, "new"));
        EXPECT_EQ(permissionsOf(file), mode);
    }
}

TEST(writeFileAtomically, RefusesWhatIsNoRegularFileBehindALinkAndEndlessLinks) {
    const dm::test::TempDir dir;
    const std::string fifo = dir.dir() + "fifo";
    ASSERT_TRUE(makeFifo(fifo));
    fs::create_symlink(fifo, dir.path() / "app.log");
    const auto refused = dm::platform::writeFileAtomically(dir.dir() + "app.log", "line");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error().find("not a regular file"), std::string::npos) << refused.error();
    EXPECT_TRUE(fs::is_symlink(dir.dir() + "app.log"));
    EXPECT_TRUE(fs::is_fifo(fifo));

    fs::create_symlink("loop2", dir.path() / "loop1");
    fs::create_symlink("loop1", dir.path() / "loop2");
    EXPECT_FALSE(dm::platform::writeFileAtomically(dir.dir() + "loop1", "x"));
    EXPECT_TRUE(fs::is_symlink(dir.dir() + "loop1"));
}

} // namespace

TEST(FileLock, AWaiterWhoseLockFileWasRemovedLocksTheOneNowAtThePath) {
    const dm::test::TempDir dir;
    const std::string lockPath = dir.dir() + "user.reg.lock";
    auto holder = std::make_optional(dm::platform::FileLock::acquire(lockPath));
    ASSERT_TRUE(*holder);

    std::atomic<bool> locked = false;
    bool fileAtPathWhenLocked = false;
    std::thread waiter([&] {
        const auto lock = dm::platform::FileLock::acquire(lockPath);
        fileAtPathWhenLocked = std::filesystem::exists(lockPath);
        locked = true;
        EXPECT_TRUE(lock);
    });
    // The holder clears its lock file while the waiter waits on it, then lets go: the waiter must
    // not end up holding a lock on the removed file, which a newcomer would never see.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(locked);
    std::filesystem::remove(lockPath);
    holder.reset();
    waiter.join();
    EXPECT_TRUE(fileAtPathWhenLocked);
}
