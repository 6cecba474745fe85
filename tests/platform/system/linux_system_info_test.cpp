// Tests of the Linux system facts: locale language and separators, version, libraries.
#include "platform/system/LinuxSystemInfo.h"
#include "platform/system/LocaleLanguageId.h"
#include "support/EnvironmentGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::platform {
namespace {

TEST(LocaleLanguageId, MapsLocaleNamesToWindowsLanguageIdentifiers) {
    const std::vector<std::pair<std::string, std::uint16_t>> cases = {
        {"en_US.UTF-8", 0x0409},
        {"fr_FR.UTF-8", 0x040C},
        {"de_DE@euro", 0x0407},
        {"de_AT.UTF-8", 0x0C07},
        {"fr_LU.UTF-8", 0x040C},
        {"ru_RU.KOI8-R", 0x0419},
        {"zh_TW.UTF-8", 0x0404},
        {"pt_BR", 0x0416},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"", 0x0409},
        {"xx_YY", 0x0409},
    };
    for (const auto& [locale, id] : cases)
        EXPECT_EQ(languageIdFromLocale(locale), id) << locale;
}

class LocaleVariables : public ::testing::Test {
protected:
    void set(const char* name, const char* value) { environment.set(name, value); }
    test::EnvironmentGuard environment;
    LinuxSystemInfo system;
};

TEST_F(LocaleVariables, LanguageComesFromLcAllThenLcMessagesThenLang) {
    set("LC_ALL", nullptr);
    set("LC_MESSAGES", nullptr);
    set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(system.userDefaultLanguageId(), 0x0407);
    set("LC_MESSAGES", "fr_FR.UTF-8");
    EXPECT_EQ(system.userDefaultLanguageId(), 0x040C);
    set("LC_ALL", "en_GB.UTF-8");
    EXPECT_EQ(system.userDefaultLanguageId(), 0x0809);
}

TEST_F(LocaleVariables, SeparatorsComeFromTheUsersLocale) {
    set("LC_ALL", "C");
    EXPECT_EQ(system.decimalSeparator(), ".");
    EXPECT_EQ(system.timeSeparator(), ":");
    set("LC_ALL", "no_SUCH.locale");
    EXPECT_EQ(system.decimalSeparator(), ".") << "an unknown locale reads as C";
    set("LC_ALL", "fr_FR.UTF-8");
    if (system.decimalSeparator() == ".")
        GTEST_SKIP() << "locale fr_FR.UTF-8 is not generated here";
    EXPECT_EQ(system.decimalSeparator(), ",");
    EXPECT_EQ(system.timeSeparator(), ":");
}

TEST(LinuxSystemInfo, IsANative64BitCurrentSystemWithoutAnOldStyleVersionQuery) {
    LinuxSystemInfo system;
    EXPECT_EQ(system.isWow64Process(), false);
    EXPECT_FALSE(system.setFsRedirectionDisabled(true).has_value());
    const auto workstation = system.workstationVersion();
    ASSERT_TRUE(workstation.has_value());
    EXPECT_EQ(workstation->major, 10u);
    EXPECT_EQ(workstation->minor, 0u);
    EXPECT_FALSE(system.versionInfo().has_value());
    EXPECT_EQ(system.loadLibrary("msi.dll"), nullptr);
    const auto now = system.localTime();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

TEST(LinuxSystemInfo, LoadsARealLibraryAndFindsItsEntries) {
    LinuxSystemInfo system;
    auto library = system.loadLibrary("libc.so.6");
    ASSERT_NE(library, nullptr);
    EXPECT_TRUE(library->hasEntry("getenv"));
    EXPECT_FALSE(library->hasEntry("NoSuchEntryPoint"));
}

} // namespace
} // namespace dm::platform
