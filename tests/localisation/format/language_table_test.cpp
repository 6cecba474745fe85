// Tests of the language table, language names and codes, file names and the template switch.
#include "localisation/format/LanguageCode.h"
#include "localisation/format/LanguageName.h"
#include "localisation/format/LanguageTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(LanguageTable, HoldsTheRowsInTableOrderWithTheNeutralRowFirst) {
    const auto table = dm::languageTable();
    ASSERT_EQ(table.size(), 146u);
    EXPECT_EQ(table.front().id, 0x0000);
    EXPECT_EQ(table.front().name, "Language Neutral");
    EXPECT_EQ(table[1].id, 0x0400);
    EXPECT_EQ(table[2].name, "Afrikaans");
    EXPECT_EQ(table.back().id, 0x042A);
    EXPECT_EQ(table.back().name, "Vietnamese");

    const auto scanned = dm::scannedLanguages();
    ASSERT_EQ(scanned.size(), 145u);
    EXPECT_EQ(scanned.front().id, 0x0400);
}

TEST(LanguageTable, IdentifiersAreUnique) {
    std::set<std::uint16_t> seen;
    for (const auto& row : dm::languageTable())
        EXPECT_TRUE(seen.insert(row.id).second) << std::hex << row.id;
}

TEST(LanguageTable, FrenchRowsComeInTableOrder) {
    std::vector<std::uint16_t> french;
    for (const auto& row : dm::scannedLanguages())
        if (dm::primaryLanguageOf(row.id) == 0x0C)
            french.push_back(row.id);
    EXPECT_EQ(french, (std::vector<std::uint16_t>{0x040C, 0x080C, 0x0C0C, 0x100C, 0x140C, 0x180C}));
}

TEST(LanguageNameOf, NamesKnownIdentifiersAndNothingElse) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x0407, "German (Standard)"},
        {0x0807, "German (Switzerland)"},
        {0x0409, "English (United States)"},
        {0x0C0C, "French (Canadian)"},
        {0x0000, "Language Neutral"},
        {0x0411, "Japanese"},
        {0x0C1A, "Serbian (Cyrillic)"},
        {0x500A, "Spanish (Puerto Rico)"},
        {0x0009, ""},
        {0xFFFF, ""},
    };
    for (const auto& [id, name] : cases)
        EXPECT_EQ(dm::languageNameOf(id), name) << std::hex << id;
}

TEST(LanguageCode, PacksSequenceAndIdentifier) {
    EXPECT_EQ(dm::makeLanguageCode(1, 0x040C), 0x0001040C);
    EXPECT_EQ(dm::languageIdOf(0x00010407), 0x0407);
    EXPECT_EQ(dm::primaryLanguageOf(0x00010807), 0x0007);
    EXPECT_EQ(dm::makeLanguageCode(0xFFFF, 0xFFFF), -1);
}

TEST(LanguageCode, FileNamesCarryEightUpperCaseHexDigits) {
    EXPECT_EQ(dm::languageFilePath("/l/", "QV_", 0x0407), "/l/QV_00000407.SPK");
    EXPECT_EQ(dm::languageFilePath("/l/", "QV_", 0x0001040C), "/l/QV_0001040C.SPK");
    EXPECT_EQ(dm::languageFilePath("", "", 0x00AB0C0A), "00AB0C0A.SPK");
    EXPECT_EQ(dm::upperHex(0x0C0A, 4), "0C0A");
}

TEST(TemplateSwitch, FoldsCaseAndTheFirstSlash) {
    const std::pair<const char*, bool> cases[] = {
        {"-co", true},      {"/CO", true},   {"/co", true},   {"-compact", true},
        {"-CoMpile", true}, {"co", false},   {"", false},     {"--co", false},
        {"-c", false},      {"//co", false}, {"x/co", false}, {"\\co", false},
    };
    for (const auto& [parameter, expected] : cases)
        EXPECT_EQ(dm::isTemplateSwitch(parameter), expected) << parameter;
}

} // namespace
