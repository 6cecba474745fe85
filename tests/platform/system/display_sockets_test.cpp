#include "platform/system/DisplaySockets.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(DisplaySockets, DisplayNamesThatCannotAnswer) {
    EXPECT_FALSE(x11DisplayAnswers(""));
    EXPECT_FALSE(x11DisplayAnswers("nonsense"));
    EXPECT_FALSE(x11DisplayAnswers(":x"));
    EXPECT_FALSE(x11DisplayAnswers(":98765.0"));
    EXPECT_FALSE(x11DisplayAnswers("unix:98765"));
    test::TempDir dir;
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", dir.dir()));
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", ""));
    EXPECT_FALSE(waylandDisplayAnswers(dir.dir() + "wayland-9", ""));
    EXPECT_FALSE(waylandDisplayAnswers("", dir.dir()));
}

TEST(DisplaySockets, RemoteDisplaysAreNotProbed) {
    EXPECT_TRUE(x11DisplayAnswers("somehost:0"));
}

} // namespace
} // namespace dm::platform
