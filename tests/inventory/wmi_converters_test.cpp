// Tests of the WMI value converters and of CIM date-times.
#include "inventory/WmiConverters.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

using platform::Variant;
using platform::VariantConversionError;

TEST(WmiConverters, NullGivesTheDefaultOfEveryType) {
    const Variant null;
    EXPECT_EQ(VarToDoubleDef(null), 0.0);
    EXPECT_EQ(VarToStrDef(null), "");
    EXPECT_EQ(VarToWordDef(null), 0);
    EXPECT_EQ(VarToInt64Def(null), 0);
    EXPECT_EQ(VarToIntegerDef(null), 0u);
    EXPECT_FALSE(VarToBooleanDef(null));
    EXPECT_EQ(WmiDateTimeToDateTime(null), 0.0);
}

TEST(WmiConverters, ConvertValuesAsAutomationDoes) {
    EXPECT_EQ(VarToInt64Def(Variant::fromText("17179869184")), 17179869184);
    EXPECT_EQ(VarToInt64Def(Variant::fromText(" 42 ")), 42);
    EXPECT_EQ(VarToInt64Def(Variant::fromDouble(2.5)), 2); // halves round to even
    EXPECT_EQ(VarToIntegerDef(Variant::fromInt(-1073741824)), 3221225472u);
    EXPECT_EQ(VarToIntegerDef(Variant::fromText("4294967295")), 4294967295u);
    EXPECT_EQ(VarToWordDef(Variant::fromInt(70000)), 70000 & 0xFFFF);
    EXPECT_EQ(VarToWordDef(Variant::fromInt(-1)), 0xFFFF);
    EXPECT_EQ(VarToStrDef(Variant::fromInt(2400)), "2400");
    EXPECT_EQ(VarToStrDef(Variant::fromBool(true)), "True");
    EXPECT_EQ(VarToStrDef(Variant::fromText("Kingston  ")), "Kingston  ");
    EXPECT_EQ(VarToDoubleDef(Variant::fromText("1.5")), 1.5);
    EXPECT_EQ(VarToDoubleDef(Variant::fromInt(3)), 3.0);
    EXPECT_TRUE(VarToBooleanDef(Variant::fromText("TRUE")));
    EXPECT_TRUE(VarToBooleanDef(Variant::fromInt(5)));
    EXPECT_FALSE(VarToBooleanDef(Variant::fromText("0")));
}

TEST(WmiConverters, RaiseWhenAValueDoesNotConvert) {
    EXPECT_THROW(VarToInt64Def(Variant::fromText("12 GB")), VariantConversionError);
    EXPECT_THROW(VarToWordDef(Variant::fromText("")), VariantConversionError);
    EXPECT_THROW(VarToWordDef(Variant::fromInt(4294967296)), VariantConversionError);
    EXPECT_THROW(VarToDoubleDef(Variant::fromText("n/a")), VariantConversionError);
    EXPECT_THROW(VarToBooleanDef(Variant::fromText("yes")), VariantConversionError);
}

TEST(WmiDateTime, ReadsTheDateAndTimeOfACimDateTime) {
    // 31 January 2024 is day 45322 after 30 December 1899.
    const double expected = 45322 + (12 * 3600 + 30 * 60 + 45) / 86400.0;
    EXPECT_DOUBLE_EQ(WmiDateTimeToDateTime(Variant::fromText("20240131123045.000000+000")),
                     expected);
    EXPECT_DOUBLE_EQ(WmiDateTimeToDateTime(Variant::fromText("20240131123045.999999-480")),
                     expected);
    EXPECT_DOUBLE_EQ(WmiDateTimeToDateTime(Variant::fromText("18991230000000.000000+000")), 0.0);
    EXPECT_DOUBLE_EQ(WmiDateTimeToDateTime(Variant::fromText("19000101000000.000000+000")), 2.0);
}

TEST(WmiDateTime, ShortTextsGiveZero) {
    EXPECT_EQ(WmiDateTimeToDateTime(Variant::fromText("")), 0.0);
    EXPECT_EQ(WmiDateTimeToDateTime(Variant::fromText("20240131123045")), 0.0);
}

TEST(WmiDateTime, RaisesForPartsThatAreNoValidDateAndTime) {
    for (const char* text :
         {"2024013112304x.000000+000", "20240230123045.000000+000", "20241301123045.000000+000",
          "20240131243045.000000+000", "00000101000000.000000+000", "********123045.000000+000"})
        EXPECT_THROW(WmiDateTimeToDateTime(Variant::fromText(text)), VariantConversionError)
            << text;
}

} // namespace
} // namespace dm
