// Tests of version texts packed into one number and read as a decimal number.
#include "localisation/format/VersionText.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionTextToInt, PacksFourPartsCutToTheirWidths) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"1.23.0.47", 0x0117002F},
        {"1.2.3.4", 0x01020C04},
        {"2.1", 0x02010000},
        {"1.2.3.4.5", 0x01020C04},
        {"1.300.0.0", 0x012C0000},
        {"Version 1.2 beta", 0x01020000},
        {"", 0},
        {"1,2,3,4", 0x01020C04},
        {"1..2", 0x01000800},
        {"255.255.63.1023", 0xFFFFFFFF},
        {"1.2.64.1024", 0x01020000},
        {"3.", 0x03000000},
        // A run of digits longer than any number type keeps its low bits and raises nothing.
        {"1.2.3.123456789012345678901234567890", 0x01020FF2},
    };
    for (const auto& [text, packed] : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(dm::VersionTextToInt(text)), packed) << text;
}

TEST(VersionTextToFloat, ReadsTheTextOrItsFirstSeparatorAsThePoint) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},       {"1.5", 1.5},  {"1.23.0.47", 1.23047}, {"1,5", 1.5},       {"2.", 2},
        {"7 beta", 7}, {"beta", 0},   {"1.0 build 7", 1.07},  {"2,0,1,5", 2.015}, {"nan", 0},
        {"1.2-3", 0},  {"+1.5", 1.5}, {"+1.2.3", 1.23},       {"+-1", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(dm::VersionTextToFloat(text), value) << text;
}

} // namespace
