// Tests of the character set table and of each set decoding its own letters.
#include "localisation/format/CharSet.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CharSet, TableHoldsTheNineteenSetsInValueOrder) {
    const auto sets = dm::charSets();
    ASSERT_EQ(sets.size(), 19u);
    for (std::size_t i = 1; i < sets.size(); ++i)
        EXPECT_LT(sets[i - 1].Value, sets[i].Value);
    EXPECT_EQ(dm::findCharSet(204)->Description, "Cyrillic characters");
    EXPECT_EQ(dm::findCharSet(177)->RightToLeft, 1);
    EXPECT_EQ(dm::findCharSet(178)->RightToLeft, 1);
    EXPECT_EQ(dm::findCharSet(238)->Description, "Diacritical characters (Eastern Europe)");
    EXPECT_EQ(dm::findCharSet(3), nullptr);
    EXPECT_EQ(dm::codePageOf(3), dm::codePageOf(1));
}

TEST(CharSet, EveryCharacterSetDecodesItsOwnLetters) {
    const struct {
        std::uint8_t charSet;
        std::string bytes;
        const char* utf8;
    } cases[] = {
        {0, "Caf\xe9 \x80", "Café €"},
        {1, "na\xefve", "naïve"},
        {77, "\x8e", "é"},
        {128, "\x82\xa0", "あ"},
        {129, "\xb0\xa1", "가"},
        {134, "\xc4\xe3", "你"},
        {136, "\xa7\x41", "你"},
        {161, "\xe1", "α"},
        {162, "\xf0", "ğ"},
        {177, "\xf9", "ש"},
        {178, "\xc7", "ا"},
        {186, "\xe0", "ą"},
        {204, "\xcf\xf0\xe8\xe2\xe5\xf2", "Привет"},
        {222, "\xa1", "ก"},
        {238, "\xb9", "ą"},
    };
    for (const auto& c : cases) {
        dm::platform::CodePage page(dm::codePageOf(c.charSet));
        EXPECT_EQ(page.toUtf8(c.bytes), c.utf8) << int(c.charSet);
        EXPECT_EQ(page.fromUtf8(c.utf8), c.bytes) << int(c.charSet);
    }
}

} // namespace
