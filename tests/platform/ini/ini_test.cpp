// Tests of INI texts and files: lookups, quotes, order, line ends, writes and refusals.
#include "platform/ini/IniDocument.h"
#include "platform/ini/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace dm::platform;

namespace {

const char* const kSample = "; settings of a portable copy\n"
                            "[Settings]\n"
                            "  Path  =  C:\\Tools\\a.exe  \n"
                            "Empty=\n"
                            "Equals=a=b\n"
                            "\n"
                            "[Settings_DWORD]\r\n"
                            "lng=66572\r\n"
                            "[settings]\n"
                            "Late=ignored\n";

} // namespace

TEST(IniDocument, LooksUpIgnoringCaseAndDropsTheBlanksAroundValues) {
    const IniDocument ini(kSample);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Settings", "Path", "C:\\Tools\\a.exe"},
        {"SETTINGS", "path", "C:\\Tools\\a.exe"},
        {" settings ", " PATH ", "C:\\Tools\\a.exe"},
        {"Settings", "Empty", ""},
        {"Settings", "Equals", "a=b"},
        {"settings_dword", "LNG", "66572"},
        {"Settings", "Late", std::nullopt}, // only the first section of a name counts
        {"Settings", "lng", std::nullopt},
        {"Missing", "Path", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.value(c.section, c.key), c.value) << c.section << "/" << c.key;
}

// The profile functions drop one enclosing pair of matching quotes, after the blanks.
TEST(IniDocument, ReadsAValueWithoutOneEnclosingPairOfMatchingQuotes) {
    const IniDocument ini("[links]\r\n"
                          "ram=\"https://www.example.com/ram?a=1;b=2\"\r\n"
                          "[Details]\n"
                          "Name='Mozilla Firefox Legacy'\n"
                          "[Version]\n"
                          "Product Version=\"3.1\"\n"
                          "[Q]\n"
                          "spaced =  \"  inner blanks  \"  \n"
                          "empty=\"\"\n"
                          "emptySingle=''\n"
                          "one=\"\n"
                          "oneSingle='\n"
                          "unmatched=\"abc'\n"
                          "open=\"abc\n"
                          "close=abc\"\n"
                          "doubled=\"\"a\"\"\n"
                          "inside=a \"b\" c\n"
                          "mixed='a\"\n"
                          "apostrophes='it's'\n");
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"links", "ram", "https://www.example.com/ram?a=1;b=2"},
        {"details", "name", "Mozilla Firefox Legacy"},
        {"Version", "Product Version", "3.1"},
        {"Q", "spaced", "  inner blanks  "},
        {"Q", "empty", ""},
        {"Q", "emptySingle", ""},
        {"Q", "one", "\""},
        {"Q", "oneSingle", "'"},
        {"Q", "unmatched", "\"abc'"},
        {"Q", "open", "\"abc"},
        {"Q", "close", "abc\""},
        {"Q", "doubled", "\"a\""}, // one pair only
        {"Q", "inside", "a \"b\" c"},
        {"Q", "mixed", "'a\""},
        {"Q", "apostrophes", "it's"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.value(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniDocument, EnumeratesSectionsAndKeysInFileOrder) {
    const IniDocument ini(kSample);
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Settings", "Settings_DWORD"}));
    EXPECT_EQ(ini.keyNames("SETTINGS"), (std::vector<std::string>{"Path", "Empty", "Equals"}));
    EXPECT_TRUE(ini.keyNames("Missing").empty());
}

TEST(IniDocument, SettingAValueKeepsEverythingElse) {
    IniDocument ini(kSample);
    ASSERT_TRUE(ini.setValue("settings", "EMPTY", "now set"));
    ASSERT_TRUE(ini.setValue("Settings", "Added", "1"));
    ASSERT_TRUE(ini.setValue("Other", "k", "v"));
    EXPECT_EQ(ini.text(), "; settings of a portable copy\r\n"
                          "[Settings]\r\n"
                          "  Path  =  C:\\Tools\\a.exe  \r\n"
                          "Empty=now set\r\n"
                          "Equals=a=b\r\n"
                          "Added=1\r\n"
                          "\r\n"
                          "[Settings_DWORD]\r\n"
                          "lng=66572\r\n"
                          "[settings]\r\n"
                          "Late=ignored\r\n"
                          "[Other]\r\n"
                          "k=v\r\n");
}

// A lone CR is a line break to Windows, so the CRs before a line's end are no part of it.
TEST(IniDocument, CarriageReturnsBeforeTheLineEndAreNoPartOfTheLine) {
    const IniDocument ini("[Settings]\r\r\nPath=a.exe\r\r\n");
    EXPECT_EQ(ini.value("Settings", "Path"), "a.exe");
    EXPECT_EQ(ini.text(), "[Settings]\r\nPath=a.exe\r\n");
}

TEST(IniDocument, RefusesEntriesThatWouldBreakTheFile) {
    IniDocument ini;
    EXPECT_FALSE(ini.setValue("S", "k", "line\r\n[Injected]"));
    EXPECT_FALSE(ini.setValue("S", "a=b", "v"));
    EXPECT_FALSE(ini.setValue("S", "[k", "v"));
    EXPECT_FALSE(ini.setValue("S", ";k", "v"));
    EXPECT_FALSE(ini.setValue("S]", "k", "v"));
    EXPECT_FALSE(ini.setValue("S", "", "v"));
    EXPECT_FALSE(ini.setValue("", "k", "v"));
    EXPECT_EQ(ini.text(), "");
}

TEST(IniInteger, ReadsDecimalAndHexadecimalAsThirtyTwoBits) {
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"16", 16},
        {" -1 ", -1},
        {"+7", 7},
        {"0x10", 16},
        {"0XfF", 255},
        {"4294967295", -1},
        {"0xFFFFFFFF", -1},
        {"2147483648", INT32_MIN},
        {"-2147483648", INT32_MIN},
        {"-2147483649", std::nullopt},
        {"4294967296", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"0x", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseIniInteger(c.text), c.value) << c.text;
}

TEST(IniFile, MissingFileReadsAsEmpty) {
    dm::test::TempDir dir;
    const IniFile ini(dir.dir() + "settings.ini");
    EXPECT_TRUE(ini.sectionNames().empty());
    EXPECT_EQ(ini.readString("Settings", "Path", "fallback"), "fallback");
    EXPECT_EQ(ini.readInteger("Settings_DWORD", "lng", 7), 7);
}

TEST(IniFile, ReadsWithALengthLimitAndIntegersWithAFallback) {
    dm::test::TempDir dir;
    const IniFile ini(dir.write("settings.ini", "[S]\nlong=" + std::string(3000, 'x') +
                                                    "\nbad=abc\nneg=-1\nhex=0x10\n"));
    EXPECT_EQ(ini.readString("S", "long", "", 2047), std::string(2047, 'x'));
    EXPECT_EQ(ini.readString("S", "long").size(), 3000u);
    EXPECT_EQ(ini.readInteger("S", "bad"), 0);
    EXPECT_EQ(ini.readInteger("S", "neg"), -1);
    EXPECT_EQ(ini.readInteger("S", "hex"), 16);
    EXPECT_EQ(ini.keyNames("s"), (std::vector<std::string>{"long", "bad", "neg", "hex"}));
}

TEST(IniFile, WritesMakeTheFileWithCrLfLinesAndKeepOtherContent) {
    dm::test::TempDir dir;
    IniFile ini(dir.dir() + "settings.ini");
    ASSERT_TRUE(ini.writeString("Settings", "Path", "C:\\a \xe9.exe"));
    ASSERT_TRUE(ini.writeInteger("Settings_DWORD", "lng", static_cast<std::int32_t>(4294967295u)));
    ASSERT_TRUE(ini.writeString("settings", "Other", "x"));
    EXPECT_EQ(dm::test::TempDir::read(ini.path()), "[Settings]\r\n"
                                                   "Path=C:\\a \xe9.exe\r\n"
                                                   "Other=x\r\n"
                                                   "[Settings_DWORD]\r\n"
                                                   "lng=-1\r\n");
    EXPECT_EQ(static_cast<std::uint32_t>(ini.readInteger("Settings_DWORD", "lng")), 4294967295u);
}

TEST(IniFile, WritesQuotesAsGivenAndReadsThemOffLikeTheProfileFunctions) {
    dm::test::TempDir dir;
    IniFile ini(dir.dir() + "dimmetric.ini");
    ASSERT_TRUE(ini.writeString("links", "ram", "\"https://www.example.com/ram\""));
    ASSERT_TRUE(ini.writeString("links", "count", "'16'"));
    EXPECT_EQ(dm::test::TempDir::read(ini.path()),
              "[links]\r\nram=\"https://www.example.com/ram\"\r\ncount='16'\r\n");
    EXPECT_EQ(ini.readString("links", "ram"), "https://www.example.com/ram");
    EXPECT_EQ(ini.readString("links", "ram", "", 6), "https:");
    EXPECT_EQ(ini.readInteger("links", "count"), 16);
}

TEST(IniFile, RefusedOrFailedWritesLeaveTheFileAsItWas) {
    dm::test::TempDir dir;
    IniFile ini(dir.write("settings.ini", "[S]\nk=v\n"));
    const Status refused = ini.writeString("S", "k", "two\nlines");
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.error().empty());
    EXPECT_EQ(dm::test::TempDir::read(ini.path()), "[S]\nk=v\n");

    IniFile inFolder(dir.dir() + "folder.ini");
    std::filesystem::create_directory(inFolder.path());
    EXPECT_FALSE(inFolder.writeString("S", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(inFolder.path()));

    IniFile nowhere(dir.dir() + "missing/settings.ini");
    EXPECT_FALSE(nowhere.writeString("S", "k", "v"));

    IniFile readOnly(dir.write("locked.ini", "[S]\nk=v\n"));
    std::filesystem::permissions(readOnly.path(),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(readOnly.writeString("S", "k", "new"));
    EXPECT_EQ(dm::test::TempDir::read(readOnly.path()), "[S]\nk=v\n");
}
