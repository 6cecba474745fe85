#include "platform/fakes/ChildProcess.h"
#include "platform/files/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using dm::platform::FileContents;
using dm::platform::makeFifo;
using dm::platform::readWholeFile;

namespace {

TEST(ReadWholeFile, ReadsTheWholeFileOrUpToALimit) {
    const dm::test::TempDir dir;
    const std::string path = dir.write("a.bin", std::string(100000, 'x') + "end");
    const FileContents whole = readWholeFile(path);
    EXPECT_EQ(whole.status, FileContents::Status::Ok);
    EXPECT_EQ(whole.bytes.size(), 100003u);
    const FileContents first = readWholeFile(path, 70000);
    EXPECT_EQ(first.status, FileContents::Status::Ok);
    EXPECT_EQ(first.bytes, std::string(70000, 'x'));
}

TEST(ReadWholeFile, OnlyARegularFileIsReadAndAFifoDoesNotWait) {
    const dm::test::TempDir dir;
    const std::string fifo = dir.dir() + "fifo";
    ASSERT_TRUE(makeFifo(fifo));
    EXPECT_EQ(readWholeFile(fifo).status, FileContents::Status::Failed);
    EXPECT_EQ(readWholeFile(dir.path().string()).status, FileContents::Status::Failed);
    EXPECT_EQ(readWholeFile(dir.dir() + "missing").status, FileContents::Status::Missing);
}

} // namespace
