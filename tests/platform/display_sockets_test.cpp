#include "platform/system/DisplaySockets.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(DisplaySockets, DisplayNamesThatCannotAnswer) {
    EXPECT_FALSE(X11DisplayAnswers(""));
    EXPECT_FALSE(X11DisplayAnswers("nonsense"));
    EXPECT_FALSE(X11DisplayAnswers(":x"));
    EXPECT_FALSE(X11DisplayAnswers(":98765.0"));
    EXPECT_FALSE(X11DisplayAnswers("unix:98765"));
    test::TempDir dir;
    EXPECT_FALSE(WaylandDisplayAnswers("wayland-9", dir.dir()));
    EXPECT_FALSE(WaylandDisplayAnswers("wayland-9", ""));
    EXPECT_FALSE(WaylandDisplayAnswers(dir.dir() + "wayland-9", ""));
    EXPECT_FALSE(WaylandDisplayAnswers("", dir.dir()));
}

TEST(DisplaySockets, RemoteDisplaysAreNotProbed) {
    EXPECT_TRUE(X11DisplayAnswers("somehost:0"));
}

} // namespace
} // namespace dm::platform
