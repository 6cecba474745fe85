// Tests of the text helpers at their edges: comparing, positions, cutting, fields, encoding.
#include "framework/TextUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm {
namespace {

struct BoolCase {
    const char* name;
    bool (*test)(const std::string&, const std::string&);
    std::string a;
    std::string b;
    bool expected;
};

TEST(TextUtils, BooleanTestsFollowTheirEdgeRules) {
    const std::vector<BoolCase> cases = {
        {"ContainsText", ContainsText, "", "abc", false},
        {"ContainsText", ContainsText, "B", "abc", true},
        {"ContainsText", ContainsText, "abc", "b", false},
        {"ContainsText", ContainsText, "a", "", false},
        {"ContainsText", ContainsText, "\xC9", "\xE9", false},
        {"StartsText", StartsText, "abc", "", true},
        {"StartsText", StartsText, "ab", "abc", false},
        {"StartsText", StartsText, "ABCdef", "abc", true},
        {"StartsText", StartsText, "", "", true},
        {"EndsText", EndsText, "abc", "", true},
        {"EndsText", EndsText, "file.EXE", ".exe", true},
        {"EndsText", EndsText, "c", "abc", false},
        {"StartsStr", StartsStr, "ABCdef", "abc", false},
        {"StartsStr", StartsStr, "abcdef", "abc", true},
        {"StartsStr", StartsStr, "ab", "abc", false},
        {"SameText", SameText, "Hello", "hELLO", true},
        {"SameText", SameText, "Hello", "Hell", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.test(c.a, c.b), c.expected) << c.name << "('" << c.a << "', '" << c.b << "')";
}

struct TextCase {
    const char* name;
    std::string (*op)(const std::string&, const std::string&);
    std::string a;
    std::string b;
    std::string expected;
};

TEST(TextUtils, TwoTextOperationsFollowTheirEdgeRules) {
    const std::vector<TextCase> cases = {
        {"RemovePrefixText", RemovePrefixText, "ABCdef", "abc", "def"},
        {"RemovePrefixText", RemovePrefixText, "ab", "abc", "ab"},
        {"RemovePrefixText", RemovePrefixText, "xabc", "abc", "xabc"},
        {"RemoveSuffixText", RemoveSuffixText, "file.EXE", ".exe", "file"},
        {"RemoveSuffixText", RemoveSuffixText, "xe", ".exe", "xe"},
        {"TextBefore", TextBefore, "a=b=c", "=", "a"},
        {"TextBefore", TextBefore, "abc", "=", "abc"},
        {"TextBefore", TextBefore, "abc", "", "abc"},
        {"TextBefore", TextBefore, "aXb", "x", "aXb"},
        {"TextAfter", TextAfter, "a=b=c", "=", "b=c"},
        {"TextAfter", TextAfter, "abc", "=", "abc"},
        {"TextAfter", TextAfter, "abc", "", "abc"},
        {"TextAfter", TextAfter, "key::value", "::", "value"},
        {"TextAfter", TextAfter, "abc=", "=", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.op(c.a, c.b), c.expected) << c.name << "('" << c.a << "', '" << c.b << "')";
}

TEST(TextUtils, LeftAndRightTextClampTheCount) {
    EXPECT_EQ(LeftText("abc", -1), "");
    EXPECT_EQ(LeftText("abc", 10), "abc");
    EXPECT_EQ(LeftText("abc", 2), "ab");
    EXPECT_EQ(RightText("abc", 2), "bc");
    EXPECT_EQ(RightText("abc", -5), "");
    EXPECT_EQ(RightText("abc", 4), "abc");
}

TEST(TextUtils, FieldsCountEveryDelimiterAndKeepEmptyFields) {
    EXPECT_EQ(CountFields("", ","), 0);
    EXPECT_EQ(CountFields("a,,b", ","), 3);
    EXPECT_EQ(CountFields(",a,", ","), 3);
    EXPECT_EQ(CountFields("abc", ""), 1);
    EXPECT_EQ(CountFields("a;b,c", ";,"), 3);

    struct Case {
        std::string text;
        int index;
        std::string delims;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a,,b", 1, ",", ""},  {"a,,b", 2, ",", "b"}, {"a;b,c", 2, ";,", "c"}, {"a,b", 5, ",", ""},
        {"a,b", -1, ",", ""},  {",a", 0, ",", ""},    {",a", 1, ",", "a"},     {"a,", 1, ",", ""},
        {"abc", 0, "", "abc"}, {"", 0, ",", ""},      {"a b c", 2, " ", "c"},  {"a,b", 2, ",", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetField(c.text, c.index, c.delims), c.expected)
            << "GetField('" << c.text << "', " << c.index << ", '" << c.delims << "')";
}

TEST(TextUtils, UrlEncodeEscapesEveryByteButTheUnreservedOnes) {
    EXPECT_EQ(UrlEncode("a b/c~"), "a%20b%2Fc%7E");
    EXPECT_EQ(UrlEncode("\xE9"), "%E9");
    EXPECT_EQ(UrlEncode("\xC3"), "%C3");
    EXPECT_EQ(UrlEncode("Az09-._"), "Az09-._");
    EXPECT_EQ(UrlEncode("+\n"), "%2B%0A");
    EXPECT_EQ(UrlEncode(std::string(1, '\0')), "%00");
    EXPECT_EQ(UrlEncode(""), "");
}

TEST(TextUtils, BoolToYesNoAndMaxInteger) {
    EXPECT_EQ(BoolToYesNo(true), "Yes");
    EXPECT_EQ(BoolToYesNo(false), "No");
    EXPECT_EQ(MaxInteger(-3, 2), 2);
    EXPECT_EQ(MaxInteger(INT32_MIN, INT32_MAX), INT32_MAX);
}

TEST(TextUtils, StripTrailingUrlsRemovesOnlyTrailingAddressWords) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Brackenway Ltd http://a.example https://b.example", "Brackenway Ltd"},
        {"http://a.example", "http://a.example"},
        {"Maker HTTPS://A.EXAMPLE", "Maker"},
        {"Maker http://a.example ", "Maker http://a.example "},
        {"Maker http://a.example tail", "Maker http://a.example tail"},
        {"Maker \t http://a.example", "Maker"},
        {"Maker\thttp://a.example", "Maker\thttp://a.example"},
        {"http://a.example https://b.example", "http://a.example"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StripTrailingUrls(text), expected) << "'" << text << "'";
}

TEST(TextUtils, ExtractFileNameNoExtCutsBeforeTheLastDotOfTheName) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\dir.old\\setup.tar.gz", "setup.tar"},
        {"C:\\dir\\README", "README"},
        {"C:\\dir\\.profile", ""},
        {"/opt/dir.old/setup.tar.gz", "setup.tar"},
        {"/opt/dir.d/README", "README"},
        {"C:app.exe", "app"},
        {"", ""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(ExtractFileNameNoExt(path), expected) << "'" << path << "'";
}

TEST(TextUtils, TrimTextRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(trimText(" \t a b \r\n"), "a b");
    EXPECT_EQ(trimText(" \t "), "");
}

TEST(TextUtils, PositionsCountFromOne) {
    EXPECT_EQ(posText("B", "abc"), 2);
    EXPECT_EQ(posText("", "abc"), 0);
    EXPECT_EQ(posText("abc", "b"), 0);
    EXPECT_EQ(posText("\xC9", "\xE9"), 0); // only A-Z fold
    EXPECT_EQ(posStr("B", "abcB"), 4);
    EXPECT_EQ(posStr("b", "ABC"), 0);
}

TEST(TextUtils, ReplaceAllWorksLeftToRight) {
    EXPECT_EQ(replaceAllStr("2, 0, 1, 5", ", ", "."), "2.0.1.5");
    EXPECT_EQ(replaceAllStr("2,0,1,5", ", ", "."), "2,0,1,5");
    EXPECT_EQ(replaceAllStr("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAllStr("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAllStr("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(replaceAllText("Tool (X64) x64", "x64", "64-bit"), "Tool (64-bit) 64-bit");
    EXPECT_EQ(replaceAllStr("Tool (X64) x64", "x64", "64-bit"), "Tool (X64) 64-bit");
}

TEST(TextUtils, FileNameAndExtension) {
    const struct {
        std::string path;
        std::string name;
        std::string ext;
    } cases[] = {
        {"C:\\dir.old\\setup.tar.gz", "setup.tar.gz", ".gz"},
        {"/opt/tool/README", "README", ""},
        {"/opt/tool/.profile", ".profile", ".profile"},
        {"C:file.EXE", "file.EXE", ".EXE"},
        {"/opt/dir.d/", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(extractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(extractFileExt(c.path), c.ext) << c.path;
    }
}

} // namespace
} // namespace dm
