// Tests of the display check: an answering display is enough, else it says what is missing.
#include "app/DisplayCheck.h"

#include <gtest/gtest.h>

#include <map>

namespace dm {
namespace {

// Displays ":0" (X11) and "wayland-0" in "/run/user/1000" answer; nothing else does.
platform::Status displayWith(const std::map<std::string, std::string>& values) {
    const DisplayProbes probes{[](const std::string& display) { return display == ":0"; },
                               [](const std::string& name, const std::string& runtimeDir) {
                                   return name == "wayland-0" && runtimeDir == "/run/user/1000";
                               }};
    return displayAvailable(
        [&](const char* name) -> std::optional<std::string> {
            const auto it = values.find(name);
            return it == values.end() ? std::nullopt : std::optional(it->second);
        },
        probes);
}

TEST(DisplayCheck, AnAnsweringDisplayOrAChosenPlatformIsEnough) {
    EXPECT_TRUE(displayWith({{"DISPLAY", ":0"}}));
    EXPECT_TRUE(
        displayWith({{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}));
    EXPECT_TRUE(displayWith({{"DISPLAY", ":7"},
                             {"WAYLAND_DISPLAY", "wayland-0"},
                             {"XDG_RUNTIME_DIR", "/run/user/1000"}}));
    EXPECT_TRUE(displayWith({{"QT_QPA_PLATFORM", "offscreen"}}));
}

TEST(DisplayCheck, SaysWhatIsMissing) {
    for (const auto& values :
         {std::map<std::string, std::string>{}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}}) {
        const platform::Status unset = displayWith(values);
        EXPECT_EQ(unset.kind(), platform::ErrorKind::NotFound);
        EXPECT_NE(unset.error().find("neither DISPLAY nor WAYLAND_DISPLAY is set"),
                  std::string::npos);
    }
    const platform::Status silent =
        displayWith({{"DISPLAY", ":7"}, {"WAYLAND_DISPLAY", "wayland-1"}});
    EXPECT_EQ(silent.kind(), platform::ErrorKind::Failed);
    EXPECT_NE(
        silent.error().find("the X display \":7\" (DISPLAY) and the Wayland display \"wayland-1\""),
        std::string::npos)
        << silent.error();
}

} // namespace
} // namespace dm
