#include "app/DisplayCheck.h"

#include <gtest/gtest.h>

#include <map>

namespace dm {
namespace {

bool WithEnvironment(const std::map<std::string, std::string>& values) {
    return HasDisplay([&](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    });
}

TEST(DisplayCheck, NeedsADisplayOrAChosenPlatform) {
    EXPECT_FALSE(WithEnvironment({}));
    EXPECT_FALSE(WithEnvironment({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}));
    EXPECT_TRUE(WithEnvironment({{"DISPLAY", ":0"}}));
    EXPECT_TRUE(WithEnvironment({{"WAYLAND_DISPLAY", "wayland-0"}}));
    EXPECT_TRUE(WithEnvironment({{"QT_QPA_PLATFORM", "offscreen"}}));
}

} // namespace
} // namespace dm
