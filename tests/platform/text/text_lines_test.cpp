// Tests of splitting texts into lines.
#include "platform/text/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
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

TEST(TextLines, TextToLinesBreaksAtCrLfCrAndLf) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\n\r\n\r", {"a", "", ""}},
        {"\n\rx", {"", "", "x"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(dm::platform::textToLines(text), lines) << testing::PrintToString(text);
}

} // namespace
