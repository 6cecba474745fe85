// Tests of the ASCII case rules.
#include "platform/text/AsciiCase.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::platform {
namespace {

TEST(AsciiCase, OnlyTheAsciiLettersFold) {
    EXPECT_EQ(lowerCaseText("AbC\xC9z@[`"), "abc\xC9z@[`");
    EXPECT_EQ(lowerCaseText(""), "");
    EXPECT_TRUE(sameNameIgnoringCase("WQL", "wql"));
    EXPECT_FALSE(sameNameIgnoringCase("\xC9", "\xE9"));
    EXPECT_FALSE(sameNameIgnoringCase("ab", "abc"));
}

TEST(AsciiCase, FindIgnoringCaseFromAPosition) {
    constexpr auto kNone = std::string::npos;
    const struct {
        std::string text;
        std::string sub;
        std::size_t from;
        std::size_t found;
    } cases[] = {
        {"Tool X64 x64", "x64", 0, 5},
        {"Tool X64 x64", "x64", 6, 9},
        {"Tool X64 x64", "x64", 10, kNone},
        {"abc", "", 0, kNone},
        {"", "a", 0, kNone},
        {"abc", "c", 3, kNone},
        {"abc", "c", 4, kNone},
        {"abc", "ABC", 0, 0},
        {"\xE9", "\xC9", 0, kNone},
        {"aXb AxC axc", "AXC", 0, 4}, // the first letter in both cases, the first try failing
        {"Ab aB", "ab", 1, 3},
        {"xx-1 -1", "-1", 3, 5},
        {"abcA", "ab", 1, kNone}, // the last candidate too near the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(findIgnoringCase(c.text, c.sub, c.from), c.found) << c.text << " / " << c.sub;
}

} // namespace
} // namespace dm::platform
