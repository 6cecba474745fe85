#include "framework/TextSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm {
namespace {

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
