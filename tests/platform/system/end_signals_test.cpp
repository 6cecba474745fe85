// Tests of the end signals: each caught into the pipe, one owner at a time, handling restored.
#include "platform/system/EndSignals.h"

#include <gtest/gtest.h>

#include <csignal>

namespace dm::platform {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

TEST(EndSignals, EachSignalIsCaughtAndWaitsInThePipe) {
    auto caught = EndSignals::catchSignals();
    ASSERT_TRUE(caught) << caught.error();
    EXPECT_FALSE(caught->take());
    for (const int signal : kEndSignals) {
        // Without the handler the test process would end here.
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_TRUE(caught->take()) << signal;
        EXPECT_FALSE(caught->take()) << signal;
    }
    // Several before a take count as one arrival.
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_EQ(std::raise(SIGINT), 0);
    EXPECT_TRUE(caught->take());
    EXPECT_FALSE(caught->take());
}

TEST(EndSignals, OneAtATimeAndTheEarlierHandlingComesBack) {
    {
        auto caught = EndSignals::catchSignals();
        ASSERT_TRUE(caught) << caught.error();
        const auto second = EndSignals::catchSignals();
        EXPECT_FALSE(second);
        EXPECT_FALSE(second.error().empty());
    }
    for (const int signal : kEndSignals) {
        const auto earlier = std::signal(signal, SIG_DFL);
        EXPECT_EQ(earlier, SIG_DFL) << signal;
    }
    auto again = EndSignals::catchSignals();
    EXPECT_TRUE(again) << again.error();
}

} // namespace
} // namespace dm::platform
