#include "framework/IntegerText.h"
#include "framework/TextSearch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dm {
namespace {

TEST(ReadInteger, AcceptsDecimalAndHexadecimalForms) {
    const struct {
        std::string text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"  42", 42},
        {"+42", 42},
        {"-42", -42},
        {"$1f", 31},
        {"x1F", 31},
        {"X10", 16},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"00000000000000000000042", 42},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"42 ", std::nullopt},
        {"\t42", std::nullopt},
        {"4 2", std::nullopt},
        {"42\n", std::nullopt},
        {"1.5", std::nullopt},
        {"$g", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadInteger(c.text), c.value) << "'" << c.text << "'";
    EXPECT_EQ(StrToIntDef("oops", -7), -7);
    EXPECT_EQ(StrToIntDef("12", -7), 12);
}

TEST(TextSearch, PositionsCountFromOne) {
    EXPECT_EQ(PosText("B", "abc"), 2);
    EXPECT_EQ(PosText("", "abc"), 0);
    EXPECT_EQ(PosText("abc", "b"), 0);
    EXPECT_EQ(PosText("\xC9", "\xE9"), 0); // only A-Z fold
    EXPECT_EQ(PosStr("B", "abcB"), 4);
    EXPECT_EQ(PosStr("b", "ABC"), 0);
}

TEST(TextSearch, ReplaceAllWorksLeftToRight) {
    EXPECT_EQ(ReplaceAllStr("2, 0, 1, 5", ", ", "."), "2.0.1.5");
    EXPECT_EQ(ReplaceAllStr("2,0,1,5", ", ", "."), "2,0,1,5");
    EXPECT_EQ(ReplaceAllStr("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAllStr("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllStr("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAllText("Tool (X64) x64", "x64", "64-bit"), "Tool (64-bit) 64-bit");
    EXPECT_EQ(ReplaceAllStr("Tool (X64) x64", "x64", "64-bit"), "Tool (X64) 64-bit");
    EXPECT_EQ(LowerCaseText("AbC\xC9"), "abc\xC9");
}

TEST(TextSearch, FileNameAndExtension) {
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
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    }
}

} // namespace
} // namespace dm
