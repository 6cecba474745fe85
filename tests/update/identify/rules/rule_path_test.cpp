// Tests of rule and registry paths turned to the platform's delimiter.
#include "update/identify/rules/RulePath.h"

#include <gtest/gtest.h>

namespace dm::update {
namespace {

TEST(rulePath, RuleTextsTakeThePlatformsDelimiter) {
    EXPECT_EQ(rulePath("\\plugins\\info.txt"), "/plugins/info.txt");
    EXPECT_EQ(rulePath("..\\bin\\"), "../bin/");
    EXPECT_EQ(rulePath("name.ini"), "name.ini");
    EXPECT_EQ(rulePath(""), "");
}

TEST(registryPath, EitherDelimiterBecomesThePlatformsOne) {
    EXPECT_EQ(registryPath("C:\\Apps/Tool\\x.exe"), "C:/Apps/Tool/x.exe");
    EXPECT_EQ(registryPath("/opt/tool/"), "/opt/tool/");
}

} // namespace
} // namespace dm::update
