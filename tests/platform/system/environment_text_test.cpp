// Tests of "%NAME%" expansion from the environment.
#include "platform/system/EnvironmentText.h"

#include "support/EnvironmentGuard.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(EnvironmentText, ExpandsPercentNamesThatAreSet) {
    test::EnvironmentGuard environment;
    environment.set("DIMMETRIC_TEST_FOLDER", "/tmp/data");
    environment.set("DIMMETRIC_TEST_UNSET", nullptr);
    EXPECT_EQ(expandEnvironmentText("%DIMMETRIC_TEST_FOLDER%/Dimmetric.log"),
              "/tmp/data/Dimmetric.log");
    EXPECT_EQ(expandEnvironmentText("%DIMMETRIC_TEST_UNSET%/x"), "%DIMMETRIC_TEST_UNSET%/x");
    EXPECT_EQ(expandEnvironmentText("100% sure %"), "100% sure %");
    EXPECT_EQ(expandEnvironmentText("a%%b"), "a%%b");
}

} // namespace
} // namespace dm::platform
