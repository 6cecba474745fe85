// Tests of integers read from decimal and hexadecimal text.
#include "platform/text/IntegerText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace dm::platform {
namespace {

TEST(integerFromText, AcceptsDecimalAndHexadecimalForms) {
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
        EXPECT_EQ(integerFromText(c.text), c.value) << "'" << c.text << "'";
    EXPECT_EQ(StrToIntDef("oops", -7), -7);
    EXPECT_EQ(StrToIntDef("12", -7), 12);
}

} // namespace
} // namespace dm::platform
