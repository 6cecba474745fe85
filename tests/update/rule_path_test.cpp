#include "update/identify/RulePath.h"

#include <gtest/gtest.h>

namespace dm::update {
namespace {

TEST(RulePath, RuleTextsTakeThePlatformsDelimiter) {
    EXPECT_EQ(RulePath("\\plugins\\info.txt"), "/plugins/info.txt");
    EXPECT_EQ(RulePath("..\\bin\\"), "../bin/");
    EXPECT_EQ(RulePath("name.ini"), "name.ini");
    EXPECT_EQ(RulePath(""), "");
}

TEST(RegistryPath, EitherDelimiterBecomesThePlatformsOne) {
    EXPECT_EQ(RegistryPath("C:\\Apps/Tool\\x.exe"), "C:/Apps/Tool/x.exe");
    EXPECT_EQ(RegistryPath("/opt/tool/"), "/opt/tool/");
}

} // namespace
} // namespace dm::update
