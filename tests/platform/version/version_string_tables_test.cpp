// Tests of a version resource's string tables, whole and cut.
#include "platform/version/VersionBlock.h"
#include "platform/version/VersionBlockWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::platform {
namespace {

TEST(VersionBlock, ListsItsStringTablesInOrder) {
    VersionResourceContent c;
    c.StringTables.push_back({"040704e4", {{"CompanyName", "Beispiel"}}});
    c.StringTables.push_back({"040904b0", {{"CompanyName", "Sample"}}});
    c.Translations = std::vector<std::uint32_t>{0x04B00409};
    const auto block = VersionBlock::fromBytes(writeVersionBlock(c));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->stringTables(), (std::vector<std::string>{"040704e4", "040904b0"}));

    VersionResourceContent none;
    none.Translations = std::vector<std::uint32_t>{0x04B00409};
    EXPECT_TRUE(VersionBlock::fromBytes(writeVersionBlock(none))->stringTables().empty());
}

TEST(VersionBlock, StringTablesOfCutBlocksStayInside) {
    VersionResourceContent c;
    c.StringTables.push_back({"040904b0", {{"CompanyName", "Sample"}, {"ProductName", "Tool"}}});
    c.StringTables.push_back({"040704e4", {{"CompanyName", "Beispiel"}}});
    const std::string good = writeVersionBlock(c);
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0xFF);
        for (const std::string& bytes : {flipped, good.substr(0, at)}) {
            if (const auto block = VersionBlock::fromBytes(bytes)) {
                EXPECT_LE(block->stringTables().size(), 2u);
            }
        }
    }
}

} // namespace
} // namespace dm::platform
