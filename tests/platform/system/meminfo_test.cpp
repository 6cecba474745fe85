// Tests of /proc/meminfo reading and of the Linux memory status.
#include "platform/fakes/FakeMemoryStatus.h"
#include "platform/process/ChildProcess.h"
#include "platform/system/LinuxMemoryStatus.h"
#include "platform/system/Meminfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(Meminfo, ReadsTotalAvailableAndLoad) {
    const auto record = parseMeminfo("MemTotal:       16000000 kB\n"
                                     "MemFree:         1000000 kB\n"
                                     "MemAvailable:    4000000 kB\n"
                                     "Buffers:          100000 kB\n");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->totalPhysical, 16000000ull * 1024);
    EXPECT_EQ(record->availablePhysical, 4000000ull * 1024);
    EXPECT_EQ(record->memoryLoad, 75u);
}

TEST(Meminfo, OldKernelsCountFreeBuffersAndCachedAsAvailable) {
    const auto record = parseMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
                                     "Cached: 50 kB\n");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->availablePhysical, 200u * 1024);
    EXPECT_EQ(record->memoryLoad, 80u);
}

TEST(Meminfo, RejectsTextsWithoutAUsableTotal) {
    for (const char* text :
         {"", "MemTotal: 0 kB\n", "MemTotal: lots\n", "MemFree: 10 kB\n", ":\n::\nMemTotal:\n"})
        EXPECT_FALSE(parseMeminfo(text)) << text;
}

TEST(Meminfo, HugeFiguresSaturateInsteadOfWrapping) {
    struct Case {
        const char* text;
        std::uint64_t total;
        std::uint64_t available;
        std::uint32_t load;
    };
    const Case cases[] = {
        {"MemTotal: 18446744073709551615 kB\nMemAvailable: 1 kB\n", UINT64_MAX, 1024, 100},
        // Without MemAvailable the fallback sum stops at the largest value, so all is available.
        {"MemTotal: 18446744073709551615 kB\nMemFree: 18446744073709551615 kB\nBuffers: 2 kB\n",
         UINT64_MAX, UINT64_MAX, 0},
        {"MemTotal: 1000 kB\nMemFree: 18446744073709551615 kB\nCached: 1 kB\n", 1000 * 1024,
         1000 * 1024, 0},
    };
    for (const Case& c : cases) {
        const auto record = parseMeminfo(c.text);
        ASSERT_TRUE(record) << c.text;
        EXPECT_EQ(record->totalPhysical, c.total) << c.text;
        EXPECT_EQ(record->availablePhysical, c.available) << c.text;
        EXPECT_EQ(record->memoryLoad, c.load) << c.text;
    }
}

TEST(Meminfo, AvailableAboveTotalCountsAsAllAvailable) {
    const auto record = parseMeminfo("MemTotal: 100 kB\nMemAvailable: 400 kB\n");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->availablePhysical, record->totalPhysical);
    EXPECT_EQ(record->memoryLoad, 0u);
}

TEST(LinuxMemoryStatus, MissingFileGivesTheSystemsErrorText) {
    test::TempDir dir;
    LinuxMemoryStatus status({}, dir.dir() + "missing");
    const MemoryStatusResult result = status.query();
    EXPECT_EQ(result.kind(), ErrorKind::NotFound);
    EXPECT_NE(result.error().find("missing"), std::string::npos);
    EXPECT_FALSE(status.installedKilobytes());
}

TEST(LinuxMemoryStatus, SomethingOtherThanAFileIsAnErrorAndDoesNotWait) {
    test::TempDir dir;
    const std::string fifo = dir.dir() + "meminfo";
    ASSERT_TRUE(makeFifo(fifo));
    const MemoryStatusResult result = LinuxMemoryStatus({}, fifo).query();
    EXPECT_EQ(result.kind(), ErrorKind::Refused);
    EXPECT_NE(result.error().find("meminfo"), std::string::npos);
}

TEST(LinuxMemoryStatus, InstalledMemoryPrefersTheFirmwareFigure) {
    test::TempDir dir;
    const std::string file = dir.write("meminfo", "MemTotal: 16000000 kB\nMemAvailable: 1 kB\n");
    EXPECT_EQ(LinuxMemoryStatus([] { return std::optional<std::uint64_t>(16777216); }, file)
                  .installedKilobytes(),
              16777216u);
    EXPECT_EQ(
        LinuxMemoryStatus([] { return std::optional<std::uint64_t>(); }, file).installedKilobytes(),
        16000000u);
    EXPECT_EQ(LinuxMemoryStatus({}, file).installedKilobytes(), 16000000u);
}

TEST(LinuxMemoryStatus, InstalledMemoryIsFoundOnceWhileTheStatusFollowsTheFile) {
    test::TempDir dir;
    const std::string file = dir.write("meminfo", "MemTotal: 16000000 kB\nMemAvailable: 1 kB\n");
    LinuxMemoryStatus status({}, file);
    EXPECT_EQ(status.installedKilobytes(), 16000000u);
    dir.write("meminfo", "MemTotal: 8000000 kB\nMemAvailable: 1 kB\n");
    EXPECT_EQ(status.query()->totalPhysical, 8000000ull * 1024);
    EXPECT_EQ(status.installedKilobytes(), 16000000u);

    // A failed read is not kept: the figure comes with the first read that succeeds.
    LinuxMemoryStatus late({}, dir.dir() + "later");
    EXPECT_FALSE(late.installedKilobytes());
    dir.write("later", "MemTotal: 4000000 kB\n");
    EXPECT_EQ(late.installedKilobytes(), 4000000u);
}

TEST(LinuxMemoryStatus, ReadsThisMachine) {
    LinuxMemoryStatus status;
    const MemoryStatusResult result = status.query();
    ASSERT_TRUE(result) << result.error();
    EXPECT_GT(result->totalPhysical, 0u);
    EXPECT_LE(result->memoryLoad, 100u);
}

} // namespace
} // namespace dm::platform
