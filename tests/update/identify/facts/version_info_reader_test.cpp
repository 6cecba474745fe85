// Tests of reading the eight version-resource texts: by key, by translation, damaged blocks.
#include "update/identify/facts/VersionInfoReader.h"

#include "update/identify/IdentifyFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

using platform::VersionResourceContent;

using Strings = std::vector<std::pair<std::string, std::string>>;

const Strings kEight = {
    {"FileDescription", "Sample memory viewer tool"},
    {"CompanyName", "Sample Works"},
    {"FileVersion", "2, 0, 1, 5"},
    {"InternalName", "sample"},
    {"LegalCopyright", "(C) 2020 Sample Works"},
    {"OriginalFilename", "sample.exe"},
    {"ProductName", "Sample"},
    {"ProductVersion", "2,0,1,5"},
};

VersionResourceContent content(std::vector<VersionResourceContent::StringTable> tables,
                               std::optional<std::vector<std::uint32_t>> translations) {
    VersionResourceContent c;
    c.Fixed = platform::FixedFileInfo{};
    c.StringTables = std::move(tables);
    c.Translations = std::move(translations);
    return c;
}

class VersionInfoReaderTest : public test::IdentifyFixture {};

TEST_F(VersionInfoReaderTest, ReadsTheEightKeysAndJoinsCommaVersions) {
    const auto file = writePe("a.exe", content({{"040904b0", kEight}}, {{0x04B00409}}));
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, file);
    EXPECT_EQ(rec.FileDescription, "Sample memory viewer tool");
    EXPECT_EQ(rec.CompanyName, "Sample Works");
    EXPECT_EQ(rec.FileVersion, "2.0.1.5");
    EXPECT_EQ(rec.InternalName, "sample");
    EXPECT_EQ(rec.LegalCopyRight, "(C) 2020 Sample Works");
    EXPECT_EQ(rec.OriginalFileName, "sample.exe");
    EXPECT_EQ(rec.ProductName, "Sample");
    EXPECT_EQ(rec.ProductVersion, "2,0,1,5"); // commas without blanks stay
}

TEST_F(VersionInfoReaderTest, ReadsTheFirstTableByKey) {
    // The translation names the second table; the read by key takes the first.
    const auto file = writePe(
        "b.exe", content({{"040704e4", {{"CompanyName", "Erste"}, {"ProductName", "Eins"}}},
                          {"040904b0", {{"CompanyName", "Second"}, {"ProductName", "Two"}}}},
                         {{0x04B00409}}));
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, file);
    EXPECT_EQ(rec.CompanyName, "Erste");
    EXPECT_EQ(rec.ProductName, "Eins");
    EXPECT_EQ(ReadVersionStrings(context, file),
              (std::vector<std::string>{"CompanyName=Second", "ProductName=Two"}));
}

TEST_F(VersionInfoReaderTest, FallsBackToTheTranslatedTableWhenTheFirstHasNoCoreKeys) {
    // The first table has only a ProductName; all eight fields then come from the table the
    // translation names, so that ProductName is lost.
    const auto file = writePe(
        "c.exe", content({{"040704e4", {{"ProductName", "Only Here"}}},
                          {"040904b0", {{"FileDescription", "Translated"}, {"InternalName", "t"}}}},
                         {{0x04B00409}}));
    FileVersionInfoRec expected;
    expected.FileDescription = "Translated";
    expected.InternalName = "t";
    EXPECT_EQ(GetFileVersionInfoRec(context, file), expected);
}

TEST_F(VersionInfoReaderTest, WithoutTranslationTheFallbackFindsNothing) {
    const auto noTranslation = writePe("d.exe", content({{"040904b0", kEight}}, std::nullopt));
    EXPECT_TRUE(ReadVersionStrings(context, noTranslation).empty());
    EXPECT_EQ(GetFileVersionInfoRec(context, noTranslation).CompanyName, "Sample Works");

    const auto emptyFirst =
        writePe("e.exe", content({{"040904b0", {{"ProductName", "Lost"}}}}, std::nullopt));
    EXPECT_EQ(GetFileVersionInfoRec(context, emptyFirst), FileVersionInfoRec{});
}

TEST_F(VersionInfoReaderTest, OnlyWholeTranslationEntriesCount) {
    const auto file = writePe("f.exe", content({{"040904b0", kEight}}, {{0x04B00409}}));
    ASSERT_EQ(ReadVersionStrings(context, file).size(), 8u);
    // Cut the translation's value to two bytes: half an entry names no table.
    std::string bytes = files.readFile(file).value();
    const std::string key("T\0r\0a\0n\0s\0l\0a\0t\0i\0o\0n\0\0\0", 24);
    const auto at = bytes.find(key);
    ASSERT_NE(at, std::string::npos);
    dm::test::putLe16(bytes, at - 4, 2); // wValueLength
    const auto half = temp.write("g.exe", bytes);
    EXPECT_TRUE(ReadVersionStrings(context, half).empty());
}

TEST_F(VersionInfoReaderTest, TextsArriveInCodePage1252) {
    const auto file = writePe(
        "h.exe", content({{"040904e4",
                           {{"CompanyName", "Acme\xC2\xAE Inc"},              // U+00AE
                            {"ProductName", "Tool\xE2\x84\xA2"},              // U+2122
                            {"LegalCopyright", "\xC2\xA9 Acme \xE2\x82\xAC"}, // U+00A9, U+20AC
                            {"FileDescription", "\xE4\xB8\xAD"}}}}, // not in the code page
                         {{0x04E40409}}));
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, file);
    EXPECT_EQ(rec.CompanyName, "Acme\xAE Inc");
    EXPECT_EQ(rec.ProductName, "Tool\x99");
    EXPECT_EQ(rec.LegalCopyRight, "\xA9 Acme \x80");
    EXPECT_EQ(rec.FileDescription, "?");
}

TEST_F(VersionInfoReaderTest, FilesWithoutResourcesGiveEmptyRecords) {
    const auto text = temp.write("notes.txt", "no resource");
    const auto bare = writePe("bare.exe", std::nullopt);
    for (const auto& file : {text, bare, temp.dir() + "missing.exe", temp.dir(), std::string()}) {
        EXPECT_EQ(GetFileVersionInfoRec(context, file), FileVersionInfoRec{}) << file;
        EXPECT_TRUE(ReadVersionStrings(context, file).empty()) << file;
    }
}

TEST_F(VersionInfoReaderTest, ValuesStopAtTheirNode) {
    // A value without its terminating zero ends where its node ends.
    const auto file =
        writePe("i.exe", content({{"040904b0", {{"CompanyName", "Acme"}}}}, {{0x04B00409}}));
    std::string bytes = files.readFile(file).value();
    const std::string units("A\0c\0m\0e\0\0\0", 10);
    const auto at = bytes.find(units);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 8] = 'X'; // the terminator becomes a character
    const auto patched = temp.write("j.exe", bytes);
    const auto lines = ReadVersionStrings(context, patched);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 16), "CompanyName=Acme");
    EXPECT_LE(lines[0].size(), 18u);
}

TEST_F(VersionInfoReaderTest, TheRecordOfABlockAlreadyReadEqualsTheRecordReadFromTheFile) {
    const std::vector<std::string> files = {
        writePe("full.exe", content({{"040904b0", kEight}}, {{0x04B00409}})),
        writePe("fallback.exe",
                content({{"040704e4", {{"ProductName", "Only Here"}}},
                         {"040904b0", {{"FileDescription", "Translated"}, {"InternalName", "t"}}}},
                        {{0x04B00409}})),
        writePe("untranslated.exe",
                content({{"040904b0", {{"ProductName", "Lost"}}}}, std::nullopt)),
        writePe("bare.exe", std::nullopt),
        temp.write("notes.txt", "no resource"),
        temp.dir() + "missing.exe",
    };
    for (const auto& file : files) {
        const auto block = context.versions.read(file);
        EXPECT_EQ(fileVersionInfoRecOf(context, file, block), GetFileVersionInfoRec(context, file))
            << file;
    }
}

} // namespace
} // namespace dm::update
