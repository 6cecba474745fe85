// Tests of running programs: arguments without a shell, input, time limit, output bound.
#include "platform/process/LinuxProcessRunner.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace dm::platform {
namespace {

class ProcessRunnerTest : public ::testing::Test {
protected:
    std::string script(const std::string& name, const std::string& body) {
        const std::string path = dir.write(name, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

    test::TempDir dir;
    LinuxProcessRunner runner{std::chrono::milliseconds(2000)};
};

TEST_F(ProcessRunnerTest, ArgumentsReachTheProgramAsTheyAreWithoutAShell) {
    const std::string program = script("with space.sh", R"(for a in "$@"; do echo "[$a]"; done)");
    const auto output = runner.run(program, {"-pe", "a b; echo no", "$(id)", ""});
    ASSERT_TRUE(output);
    EXPECT_EQ(*output, "[-pe]\n[a b; echo no]\n[$(id)]\n[]\n");
}

TEST_F(ProcessRunnerTest, StandardInputIsAtItsEndAndStandardErrorIsNotCaptured) {
    const std::string program = script("cat.sh", "cat; echo done; echo oops >&2");
    EXPECT_EQ(runner.run(program, {}), "done\n");
}

TEST_F(ProcessRunnerTest, AProgramThatCannotStartGivesNothing) {
    EXPECT_FALSE(runner.run(dir.dir() + "missing", {}));
    EXPECT_FALSE(runner.run(dir.write("plain.txt", "not a program"), {}));
}

TEST_F(ProcessRunnerTest, AProgramThatOutlivesTheTimeLimitIsKilledAndGivesNothing) {
    LinuxProcessRunner quick(std::chrono::milliseconds(100));
    const std::string marker = dir.dir() + "still-running";
    const std::string program = script("slow.sh", "echo partial; sleep 1; touch '" + marker + "'");
    EXPECT_FALSE(quick.run(program, {}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_FALSE(std::filesystem::exists(marker)) << "the program was not killed";
}

TEST_F(ProcessRunnerTest, WhatTheProgramLeavesRunningInItsGroupIsKilled) {
    // The program starts a sleeper and ends at once; the sleeper keeps the output open or not.
    const struct {
        std::string sleeper;
        std::string why;
    } cases[] = {
        {"(sleep 1; touch '%s') >/dev/null 2>&1 &", "output closed: the run ends at once"},
        {"(sleep 1; touch '%s') &", "output kept open: the run ends at its time limit"},
    };
    LinuxProcessRunner quick(std::chrono::milliseconds(300));
    int index = 0;
    for (const auto& c : cases) {
        const std::string marker = dir.dir() + "left-running-" + std::to_string(++index);
        std::string sleeper = c.sleeper;
        sleeper.replace(sleeper.find("%s"), 2, marker);
        quick.run(script("starts-" + std::to_string(index) + ".sh", sleeper + "\necho started"),
                  {});
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_FALSE(std::filesystem::exists(marker)) << c.why;
    }
}

TEST_F(ProcessRunnerTest, OutputIsReadUpToItsBound) {
    const std::string program = script("big.sh", "head -c 300000 /dev/zero; sleep 5");
    const auto output = runner.run(program, {});
    ASSERT_TRUE(output);
    EXPECT_EQ(output->size(), ProcessRunner::kMaxOutput);
}

TEST_F(ProcessRunnerTest, TheExitStatusDoesNotHideTheOutput) {
    EXPECT_EQ(runner.run(script("fails.sh", "printf undefined; exit 3"), {}), "undefined");
}

} // namespace
} // namespace dm::platform
