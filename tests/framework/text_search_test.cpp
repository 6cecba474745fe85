#include "framework/TextSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm {
namespace {

TEST(TextSearch, PositionsCountFromOne) {
    EXPECT_EQ(posText("B", "abc"), 2);
    EXPECT_EQ(posText("", "abc"), 0);
    EXPECT_EQ(posText("abc", "b"), 0);
    EXPECT_EQ(posText("\xC9", "\xE9"), 0); // only A-Z fold
    EXPECT_EQ(posStr("B", "abcB"), 4);
    EXPECT_EQ(posStr("b", "ABC"), 0);
}

TEST(TextSearch, ReplaceAllWorksLeftToRight) {
    EXPECT_EQ(replaceAllStr("2, 0, 1, 5", ", ", "."), "2.0.1.5");
    EXPECT_EQ(replaceAllStr("2,0,1,5", ", ", "."), "2,0,1,5");
    EXPECT_EQ(replaceAllStr("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAllStr("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAllStr("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(replaceAllText("Tool (X64) x64", "x64", "64-bit"), "Tool (64-bit) 64-bit");
    EXPECT_EQ(replaceAllStr("Tool (X64) x64", "x64", "64-bit"), "Tool (X64) 64-bit");
    EXPECT_EQ(lowerCaseText("AbC\xC9"), "abc\xC9");
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
        EXPECT_EQ(extractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(extractFileExt(c.path), c.ext) << c.path;
    }
}

} // namespace
} // namespace dm
