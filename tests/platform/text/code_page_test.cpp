// Tests of code page conversions: replacements and unknown code pages.
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePage, UnmappedBytesAndCharactersAreReplaced) {
    dm::platform::CodePage cyrillic("CP1251");
    EXPECT_EQ(cyrillic.toUtf8("a\x98z"), "a\xEF\xBF\xBDz");
    dm::platform::CodePage hebrew("CP1255");
    EXPECT_EQ(hebrew.toUtf8("\xf9\xff\xf9"), "ש\xEF\xBF\xBDש");
    EXPECT_EQ(cyrillic.fromUtf8("a€あz"), "a\x88?z");
    dm::platform::CodePage japanese("CP932");
    EXPECT_EQ(japanese.toUtf8("x\x82"), "x\xEF\xBF\xBD");
    EXPECT_EQ(japanese.fromUtf8(std::string(5000, 'a') + "Ж"), std::string(5000, 'a') + "\x84\x47");
}

TEST(CodePage, UnknownCodePageIsLatin1) {
    dm::platform::CodePage page("NO-SUCH-CODE-PAGE");
    EXPECT_EQ(page.toUtf8("\xe9t\xe9"), "été");
    EXPECT_EQ(page.fromUtf8("étéЖ"), "\xe9t\xe9?");
}

} // namespace
