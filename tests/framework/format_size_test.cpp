// Tests of byte counts as texts: units, formats, unit names and the locale's separator.
#include "framework/FormatSize.h"

#include "platform/system/LinuxSystemInfo.h"
#include "support/EnvironmentGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm {
namespace {

const SizeUnitNames kTranslated = {"B", "KB", "MB", "GB", "TB"};
constexpr std::int64_t kKB = 1024, kMB = kKB * 1024, kGB = kMB * 1024, kTB = kGB * 1024;

struct Case {
    std::int64_t size;
    std::string point;
    std::string comma;
};

TEST(FormatSize, PicksTheUnitAndTheFormatForEverySize) {
    const std::vector<Case> cases = {
        {0, "0    B", "0    B"},
        {7, "7    B", "7    B"},
        {1023, "1023 B", "1023 B"},
        {1024, "1 KB", "1 KB"},
        {1536, "1.5 KB", "1,5 KB"},
        {1023 * kKB + 1023, "1023 KB", "1023 KB"},
        {1000 * kKB, "1000 KB", "1000 KB"},
        {999 * kKB, "999 KB", "999 KB"},
        {999 * kKB + 600, "1000 KB", "1000 KB"},
        {12345 * kKB / 100, "123 KB", "123 KB"},
        {8 * kGB, "8 GB", "8 GB"},
        {16 * kGB - 1, "16 GB", "16 GB"},
        {kGB + kGB / 4, "1.25 GB", "1,25 GB"},
        {2000 * kTB, "2000 TB", "2000 TB"},
        {5 * kTB + kTB / 2, "5.5 TB", "5,5 TB"},
        {INT64_MAX, "8388608 TB", "8388608 TB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSize(c.size, kTranslated, "."), c.point) << c.size;
        EXPECT_EQ(FormatSize(c.size, kTranslated, ","), c.comma) << c.size;
    }
}

TEST(FormatSize, CarriesTheInitialUnitNamesUntilTheTranslatedOnesAreSet) {
    SizeFormatter formatter;
    EXPECT_EQ(formatter.FormatSize(2 * kGB), "2 Gb.");
    EXPECT_EQ(formatter.FormatSize(100), "100  b.");
    formatter.setUnitNames(kTranslated);
    EXPECT_EQ(formatter.FormatSize(2 * kGB), "2 GB");
}

TEST(FormatSizeLocale, UsesTheDecimalSeparatorOfTheUsersLocale) {
    test::EnvironmentGuard environment;
    platform::LinuxSystemInfo system;
    environment.set("LC_ALL", "C");
    EXPECT_EQ(SizeFormatter(system.decimalSeparator()).FormatSize(1536), "1.5 Kb.");

    environment.set("LC_ALL", "de_DE.UTF-8");
    const std::string separator = system.decimalSeparator();
    if (separator == ".")
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here (locales: localedef -i de_DE -f "
                        "UTF-8 de_DE.UTF-8)";
    EXPECT_EQ(SizeFormatter(separator).FormatSize(1536), "1,5 Kb.");
}

} // namespace
} // namespace dm
