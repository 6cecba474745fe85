#include "platform/text/TextLines.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

using dm::platform::splitLines;

namespace {

struct Case {
    std::string_view text;
    std::vector<std::string_view> lines;
};

TEST(TextLines, SplitsAtLineFeedsAndDropsTheCarriageReturnsBefore) {
    const Case cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\r\nb\r", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\rb\nc", {"a\rb", "c"}},
        {"a \t\r\n", {"a \t"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << testing::PrintToString(std::string(c.text));
}

} // namespace
