// Tests of the run log: line order and limits, levels, saving, links refused, loading.
#include "framework/RunLog.h"

#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace dm {
namespace {

class RunLogTest : public ::testing::Test {
protected:
    std::unique_ptr<RunLog> make(bool verbose, int maxLines, bool load = false) {
        return std::make_unique<RunLog>(RunLog::Services{files, system, shell}, file, verbose,
                                        maxLines, load);
    }
    std::string written() const { return test::TempDir::read(file); }

    test::TempDir temp;
    std::string file = temp.dir() + "Dimmetric.log";
    platform::LinuxFileSystem files;
    platform::FakeSystemInfo system;
    platform::FakeShell shell;
};

TEST_F(RunLogTest, WritesNewestLineFirstEachEndedByCrLf) {
    auto log = make(false, 10000);
    log->Add("Starting", llInfo);
    system.now = {2027, 1, 2, 3, 4, 5};
    log->Add("Failed", llError);
    EXPECT_FALSE(std::filesystem::exists(file)) << "a quiet log writes only when saved";
    log->Save();
    EXPECT_EQ(written(), "Error\t[27-01-02 03:04:05]\tFailed\r\n"
                         "Info\t[26-12-07 14:16:10]\tStarting\r\n");
    EXPECT_EQ(log->ErrorCount(), 1);
}

TEST_F(RunLogTest, WritesTheLocaleTimeSeparatorAndKeepsLineBreaksOfMessages) {
    system.time = ".";
    auto log = make(false, 10);
    log->Add("two\r\nlines", llInfo);
    log->Save();
    EXPECT_EQ(written(), "Info\t[26-12-07 14.16.10]\ttwo\r\nlines\r\n");
}

TEST_F(RunLogTest, DropsVerboseLinesOfAQuietLogAndCountsHighLevelsAsErrors) {
    auto log = make(false, 10);
    log->Add("detail", llVerbose);
    EXPECT_TRUE(log->Lines().empty());
    EXPECT_EQ(log->ErrorCount(), 0);
    log->Add("odd level", 7);
    ASSERT_EQ(log->Lines().size(), 1u);
    EXPECT_EQ(log->Lines()[0].substr(0, 6), "Error\t");
    EXPECT_EQ(log->ErrorCount(), 1);
}

TEST_F(RunLogTest, AVerboseLogKeepsVerboseLinesAndSavesAfterEveryLine) {
    auto log = make(true, 10);
    log->Add("detail", llVerbose);
    EXPECT_EQ(written(), "Verbose\t[26-12-07 14:16:10]\tdetail\r\n");
}

TEST_F(RunLogTest, KeepsAtMostMaxLinesDroppingTheOldest) {
    auto log = make(false, 3);
    for (const char* msg : {"1", "2", "3", "4"})
        log->Add(msg, llInfo);
    ASSERT_EQ(log->Lines().size(), 3u);
    EXPECT_EQ(log->Lines().front().back(), '4');
    EXPECT_EQ(log->Lines().back().back(), '2');

    auto program = make(false, 10000);
    for (int n = 1; n <= 10001; ++n)
        program->Add(std::to_string(n), llInfo);
    ASSERT_EQ(program->Lines().size(), 10000u);
    EXPECT_TRUE(program->Lines().front().ends_with("\t10001"));
    EXPECT_TRUE(program->Lines().back().ends_with("\t2"));

    auto none = make(false, 0);
    none->Add("gone", llInfo);
    EXPECT_TRUE(none->Lines().empty());
}

TEST_F(RunLogTest, SavesOnDestructionReplacingThePreviousRunsFile) {
    temp.write("Dimmetric.log", "Info\t[26-01-01 00:00:00]\told run\r\n");
    {
        auto log = make(false, 10000);
        log->Add("new run", llInfo);
    }
    EXPECT_EQ(written(), "Info\t[26-12-07 14:16:10]\tnew run\r\n");
}

TEST_F(RunLogTest, SavingIntoAMissingFolderWritesNothingAndRaisesNothing) {
    file = temp.dir() + "gone/Dimmetric.log";
    auto log = make(true, 10);
    EXPECT_NO_THROW(log->Add("line", llInfo));
    EXPECT_NO_THROW(log->Save());
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "gone"));
}

TEST_F(RunLogTest, AFolderReplacedByALinkAfterTheStartIsNotWrittenThrough) {
    const std::string data = temp.dir() + "data/";
    std::filesystem::create_directories(data);
    const std::string outside = temp.write("outside/Dimmetric.log", "keep");
    {
        RunLog log(RunLog::Services{files, system, shell}, data + "Dimmetric.log", false, 100,
                   false);
        log.Add("Starting", llInfo);
        log.Save();
        ASSERT_TRUE(std::filesystem::exists(data + "Dimmetric.log"));
        // The data folder turns into a link while the program runs.
        std::filesystem::remove_all(data);
        std::filesystem::create_directory_symlink(temp.path() / "outside", temp.dir() + "data");
        log.Add("Closing", llInfo);
        log.Save();
    } // and saved once more at the end
    EXPECT_EQ(test::TempDir::read(outside), "keep");
}

TEST_F(RunLogTest, LoadsAnExistingFileWholeWithAnyLineEnd) {
    temp.write("Dimmetric.log", "a\r\nb\nc\rd\r\ne\r\n");
    auto log = make(false, 2, true);
    ASSERT_EQ(log->Lines().size(), 5u);
    EXPECT_EQ(log->Lines()[0], "a");
    EXPECT_EQ(log->Lines()[4], "e");
}

TEST_F(RunLogTest, OpenSavesAndHandsTheFileToTheShellWithoutErrorMessages) {
    auto log = make(false, 10);
    log->Add("x", llInfo);
    log->Open();
    EXPECT_TRUE(std::filesystem::exists(file));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, file);
    EXPECT_TRUE(shell.opened[0].options.noErrorUi);
    EXPECT_TRUE(shell.opened[0].options.expandEnvironment);
    EXPECT_EQ(shell.opened[0].options.owner, nullptr);
}

TEST(RunLogReference, AnAddThroughAnEmptyReferenceDoesNothing) {
    RunLog* log = nullptr;
    EXPECT_NO_THROW(addToLog(log, "early", llError));
}

} // namespace
} // namespace dm
