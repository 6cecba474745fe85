// Tests of find mask matching.
#include "platform/files/FindMask.h"

#include <gtest/gtest.h>

#include <vector>

namespace dm::platform {
namespace {

TEST(FindMask, MatchesLikeTheWindowsFind) {
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"QV_0000040C.SPK", "*.SPK", true},
        {"template.spk", "*.SPK", true},
        {"readme.txt", "*.SPK", false},
        {"a.SPK.bak", "*.SPK", false},
        {"README", "*.*", true},
        {"a.b.c", "*.*", true},
        {"abc", "a?c", true},
        {"abbc", "a?c", false},
        {"abc", "*", true},
        {"", "*", true},
        {"x.exe", "*.exe*", true},
        {"setup.exe", "SETUP.EXE", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesFindMask(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
}

} // namespace
} // namespace dm::platform
