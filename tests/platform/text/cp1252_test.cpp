// Tests of code page 1252 to and from UTF-16 and UTF-8.
#include "platform/text/Cp1252.h"
#include "platform/text/Utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::platform {
namespace {

TEST(Cp1252, NarrowsUtf16ToTheCodePage) {
    const struct {
        std::string utf8;
        std::string cp1252;
    } cases[] = {
        {"Acme", "Acme"},
        {"\xC2\xAE", "\xAE"},     // registered sign
        {"\xE2\x84\xA2", "\x99"}, // trade mark sign
        {"\xC2\xA9", "\xA9"},     // copyright sign
        {"\xE2\x82\xAC", "\x80"}, // euro sign
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xE4\xB8\xAD", "?"},     // not in the code page
        {"\xE2\x84\xA3", "?"},     // U+2123, just above the code page's highest character
        {"\xC2\x81", "?"},         // U+0081: the code page puts another character at 0x81
        {"\xF0\x9F\x98\x80", "?"}, // a surrogate pair
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf16LeToCp1252(utf8ToUtf16Le(c.utf8)), c.cp1252) << c.utf8;
}

TEST(Cp1252, NarrowsEachCharacterBeyondU0FFFFAndEachLoneSurrogateToOneQuestionMark) {
    const struct {
        std::u16string units;
        std::string cp1252;
    } cases[] = {
        {u"Fox \U0001F98A", "Fox ?"},
        {u"\U0001F600\U0001F600", "??"},
        {u"A\xD83D", "A?"},            // a high surrogate at the end
        {{0xD83D, u'B'}, "?B"},        // a high surrogate before a plain character
        {{0xDE00, u'B'}, "?B"},        // a low surrogate alone
        {u"\xDE00\xD83D", "??"},       // low before high: two lone halves
        {u"\xD83D\xD83D\xDE00", "??"}, // a lone high, then a pair
        {u"\xD83D\xE9", "?\xE9"},
        {std::u16string(u"\xD83D\0\xDE00", 3), "?"}, // the zero ends the text
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf16LeToCp1252(unitsToUtf16Le(c.units)), c.cp1252)
            << utf16LeToUtf8(unitsToUtf16Le(c.units));
}

TEST(Cp1252, StopsAtTheFirstZeroAndDropsAnOddByte) {
    EXPECT_EQ(utf16LeToCp1252(std::string("A\0B\0\0\0C\0", 8)), "AB");
    EXPECT_EQ(utf16LeToCp1252(std::string("A\0B", 3)), "A");
    EXPECT_EQ(utf16LeToCp1252(""), "");
}

TEST(Cp1252, WidensToUtf8) {
    EXPECT_EQ(cp1252ToUtf8("Tool\x99 \xAE \x80"), "Tool\xE2\x84\xA2 \xC2\xAE \xE2\x82\xAC");
    EXPECT_EQ(cp1252ToUtf8("\x81"), "\xEF\xBF\xBD"); // undefined byte
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (b == 0 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        EXPECT_EQ(utf16LeToCp1252(utf8ToUtf16Le(cp1252ToUtf8(byte))), byte) << b;
    }
}

} // namespace
} // namespace dm::platform
