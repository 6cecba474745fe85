// Tests of paths as text: trailing delimiters and folder parts.
#include "platform/files/PathText.h"

#include <gtest/gtest.h>

#include <string>

using namespace dm::platform;

namespace {

struct Case {
    std::string path;
    std::string withDelimiter;
    std::string withoutDelimiter;
    std::string folder;
};

TEST(PathText, DelimitersAndFolders) {
    const Case cases[] = {
        {"", "/", "", ""},
        {"/", "/", "/", "/"},
        {"//", "//", "/", "//"},
        {"name", "name/", "name", ""},
        {"/opt/tool", "/opt/tool/", "/opt/tool", "/opt/"},
        {"/opt/tool/", "/opt/tool/", "/opt/tool", "/opt/tool/"},
        {"/opt/tool//", "/opt/tool//", "/opt/tool", "/opt/tool//"},
        {"data/file.log", "data/file.log/", "data/file.log", "data/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withTrailingDelimiter(c.path), c.withDelimiter) << c.path;
        EXPECT_EQ(withoutTrailingDelimiter(c.path), c.withoutDelimiter) << c.path;
        EXPECT_EQ(folderOfPath(c.path), c.folder) << c.path;
    }
}

} // namespace
