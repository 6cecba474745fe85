// Tests of the separator after the hours in a time format.
#include "platform/system/TimeSeparator.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(TimeSeparator, IsWhatFollowsTheHoursInTheTimeFormat) {
    EXPECT_EQ(timeSeparatorOfFormat("%H:%M:%S"), ":");
    EXPECT_EQ(timeSeparatorOfFormat("%H.%M.%S"), ".");
    EXPECT_EQ(timeSeparatorOfFormat("%T"), ":");
    EXPECT_EQ(timeSeparatorOfFormat("%I:%M:%S %p"), ":");
    EXPECT_EQ(timeSeparatorOfFormat(""), ":");
    EXPECT_EQ(timeSeparatorOfFormat("%H\xe6\x99\x82%M\xe5\x88\x86%S\xe7\xa7\x92"), ":");
    EXPECT_EQ(timeSeparatorOfFormat("%Hh%M"), ":");
    EXPECT_EQ(timeSeparatorOfFormat("%H %M"), ":");
}

} // namespace
} // namespace dm::platform
