// Tests of version resources: UTF-16, the block's queries, PE and ELF files, damaged input.
#include "platform/files/LinuxFileSystem.h"
#include "platform/text/Utf16.h"
#include "platform/version/ExecutableVersion.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/ElfWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using dm::platform::BufferByteSource;
using dm::platform::findVersionResource;
using dm::platform::FixedFileInfo;
using dm::platform::VersionBlock;
using dm::platform::VersionResourceContent;
using dm::platform::writeVersionBlock;
using dm::test::PeImage;
using dm::test::putLe16;
using dm::test::putLe32;

VersionResourceContent sampleContent() {
    VersionResourceContent c;
    FixedFileInfo f;
    f.FileVersionMS = 0x00020003;
    f.FileVersionLS = 0x00040005;
    f.ProductVersionMS = 0x00070000;
    f.FileType = 1;
    c.Fixed = f;
    c.StringTables.push_back({"040904b0",
                              {{"CompanyName", "Sample Works"},
                               {"FileVersion", "2.3 (beta)"},
                               {"Comments", "caf\xC3\xA9 \xF0\x9F\x98\x80"},
                               {"LegalCopyright", ""}}});
    c.StringTables.push_back({"040704e4", {{"CompanyName", "Beispiel"}}});
    c.Translations = std::vector<std::uint32_t>{0x04B00409, 0x04E40407};
    return c;
}

std::optional<VersionBlock> find(const std::string& bytes) {
    return findVersionResource(BufferByteSource(bytes));
}

TEST(Utf16, ConvertsBothWaysAndReplacesBrokenUnits) {
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(dm::platform::utf16LeToUtf8(dm::platform::utf8ToUtf16Le(text)), text);
    EXPECT_EQ(dm::platform::utf16LeToUtf8(std::string("\x00\xD8\x41\x00", 4)), "\xEF\xBF\xBD"
                                                                               "A");
    EXPECT_EQ(dm::platform::utf8ToUtf16Le("\xFF"), std::string("\xFD\xFF", 2));
}

TEST(VersionBlock, AnswersTheSystemQueries) {
    const auto block = VersionBlock::fromBytes(writeVersionBlock(sampleContent()));
    ASSERT_TRUE(block);
    const auto fixed = block->queryFixed();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->Signature, FixedFileInfo::kSignature);
    EXPECT_EQ(fixed->FileVersionMS, 0x00020003u);
    EXPECT_EQ(fixed->FileVersionLS, 0x00040005u);
    EXPECT_EQ(fixed->ProductVersionMS, 0x00070000u);
    EXPECT_EQ(block->queryTranslations(), (std::vector<std::uint32_t>{0x04B00409, 0x04E40407}));
    EXPECT_EQ(block->queryText("\\StringFileInfo\\040904b0\\CompanyName"), "Sample Works");
    EXPECT_EQ(block->queryText("StringFileInfo\\040904B0\\fileversion"), "2.3 (beta)");
    EXPECT_EQ(block->queryText("\\StringFileInfo\\040904b0\\Comments"),
              "caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(block->queryText("\\StringFileInfo\\040904b0\\LegalCopyright"), "");
    EXPECT_EQ(block->queryText("\\StringFileInfo\\040704e4\\CompanyName"), "Beispiel");
    EXPECT_FALSE(block->queryText("\\StringFileInfo\\040904b0\\ProductName"));
    EXPECT_FALSE(block->queryText("CompanyName"));
}

// Several values below one parent come back as one query each from the root would give them:
// each key takes the first entry it names.
TEST(VersionBlock, ValuesBelowOneParentMatchTheirWholeQueries) {
    VersionResourceContent twice = sampleContent();
    twice.StringTables[0].Strings.push_back({"companyname", "Second Works"});
    const std::string_view names[] = {"CompanyName", "fileversion", "ProductName",
                                      "040704e4",    "Translation", "FileVersion"};
    for (const VersionResourceContent& content : {sampleContent(), twice}) {
        const auto block = VersionBlock::fromBytes(writeVersionBlock(content));
        ASSERT_TRUE(block);
        for (const std::string parent :
             {"", "\\StringFileInfo\\040904b0", "StringFileInfo\\\\040904B0\\", "\\StringFileInfo",
              "\\VarFileInfo", "\\StringFileInfo\\0409"}) {
            const auto values = block->queryValues(parent, names);
            ASSERT_EQ(values.size(), std::size(names));
            for (std::size_t i = 0; i < std::size(names); ++i) {
                const auto whole = block->queryValue(parent + "\\" + std::string(names[i]));
                EXPECT_EQ(values[i].has_value(), whole.has_value()) << parent << " " << names[i];
                if (values[i] && whole) {
                    EXPECT_EQ(values[i]->Bytes, whole->Bytes) << parent << " " << names[i];
                }
            }
        }
        const auto values = block->queryValues("\\StringFileInfo\\040904b0", names);
        ASSERT_TRUE(values[0]);
        EXPECT_EQ(dm::platform::utf16LeToUtf8(values[0]->Bytes).substr(0, 12), "Sample Works");
    }
}

// Keys match whole and ignoring ASCII case only; keys beyond ASCII match by their UTF-8 form.
TEST(VersionBlock, KeysMatchWholeIgnoringAsciiCase) {
    VersionResourceContent c;
    c.StringTables.push_back({"040904b0",
                              {{"Caf\xC3\xA9", "accented"},
                               {"Ab", "short"},
                               {"Abc", "long"},
                               {"\xC3\x84rger", "umlaut"},
                               {"\xF0\x9F\x98\x80", "emoji"}}});
    const auto block = VersionBlock::fromBytes(writeVersionBlock(c));
    ASSERT_TRUE(block);
    const struct {
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Caf\xC3\xA9", "accented"},
        {"CAF\xC3\xA9", "accented"},
        {"Caf\xC3\x89", std::nullopt},
        {"Cafe", std::nullopt},
        {"ab", "short"},
        {"ABC", "long"},
        {"A", std::nullopt},
        {"Abcd", std::nullopt},
        {"\xC3\x84RGER", "umlaut"},
        {"\xC3\xA4rger", std::nullopt},
        {"\xF0\x9F\x98\x80", "emoji"},
        {"??", std::nullopt},
    };
    for (const auto& test : cases)
        EXPECT_EQ(block->queryText(std::string("\\StringFileInfo\\040904b0\\") + test.key),
                  test.value)
            << test.key;
}

TEST(VersionBlock, MissingPartsFailTheirQueries) {
    VersionResourceContent bare;
    const auto block = VersionBlock::fromBytes(writeVersionBlock(bare));
    ASSERT_TRUE(block);
    EXPECT_FALSE(block->queryFixed());
    EXPECT_FALSE(block->queryTranslations());
    EXPECT_FALSE(block->queryText("\\StringFileInfo\\040904b0\\CompanyName"));

    VersionResourceContent shortTable;
    shortTable.Translations = std::vector<std::uint32_t>{};
    EXPECT_FALSE(VersionBlock::fromBytes(writeVersionBlock(shortTable))->queryTranslations());
}

TEST(VersionBlock, RejectsWhatIsNoVersionResource) {
    const std::string good = writeVersionBlock(sampleContent());
    std::string wrongKey = good;
    wrongKey[6] = 'W';
    std::string tooLong = good;
    putLe16(tooLong, 0, static_cast<std::uint16_t>(good.size() + 4));
    for (const std::string& bytes : {std::string(), good.substr(0, 5), wrongKey, tooLong})
        EXPECT_FALSE(VersionBlock::fromBytes(bytes));
    EXPECT_EQ(VersionBlock::fromBytes(good + "trailing")->size(), good.size());
}

TEST(VersionBlock, EveryCutOrFlippedByteStaysInsideTheBlock) {
    const std::string good = writeVersionBlock(sampleContent());
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0xFF);
        for (const std::string& variant : {bytes, good.substr(0, at)}) {
            if (const auto block = VersionBlock::fromBytes(variant)) {
                block->queryFixed();
                block->queryTranslations();
                block->queryText("\\StringFileInfo\\040904b0\\Comments");
            }
        }
    }
}

TEST(PeVersion, FindsTheResourceIn32And64BitImages) {
    for (bool is64 : {false, true}) {
        const auto block = find(dm::test::writePe(is64, writeVersionBlock(sampleContent())).Bytes);
        ASSERT_TRUE(block) << is64;
        EXPECT_EQ(block->queryText("\\StringFileInfo\\040904b0\\CompanyName"), "Sample Works");
    }
}

TEST(PeVersion, ImageWithoutResourceHasNone) {
    EXPECT_FALSE(find(dm::test::writePe(false, std::nullopt).Bytes));
    EXPECT_FALSE(find(dm::test::writePe(true, std::nullopt).Bytes));
}

// One broken field of a good image, written by Break.
struct Malformed {
    const char* what;
    void (*Break)(PeImage& pe);
};

const Malformed kMalformed[] = {
    {"PE header past the end", [](PeImage& pe) { putLe32(pe.Bytes, 0x3C, 0xFFFFFFF0); }},
    {"no PE signature", [](PeImage& pe) { pe.Bytes[pe.PeHeaderAt] = 'X'; }},
    {"unknown optional header", [](PeImage& pe) { putLe16(pe.Bytes, pe.OptionalHeaderAt, 0x107); }},
    {"optional header too short", [](PeImage& pe) { putLe16(pe.Bytes, pe.PeHeaderAt + 20, 100); }},
    {"optional header past the end",
     [](PeImage& pe) { putLe16(pe.Bytes, pe.PeHeaderAt + 20, 0xFFFF); }},
    {"too few data directories", [](PeImage& pe) { putLe32(pe.Bytes, pe.RvaCountAt, 2); }},
    {"huge section count", [](PeImage& pe) { putLe16(pe.Bytes, pe.PeHeaderAt + 6, 0xFFFF); }},
    {"section data past the end",
     [](PeImage& pe) { putLe32(pe.Bytes, pe.SectionTableAt + 40 + 20, 0xFFFFFE00); }},
    {"resource directory outside every section",
     [](PeImage& pe) { putLe32(pe.Bytes, pe.RvaCountAt + 4 + 16, 0x7FFFF000); }},
    {"huge entry count",
     [](PeImage& pe) {
         putLe16(pe.Bytes, pe.ResourceAt + 12, 0xFFFF);
         putLe16(pe.Bytes, pe.ResourceAt + 14, 0xFFFF);
     }},
    {"name directory points back at the root",
     [](PeImage& pe) {
         putLe32(pe.Bytes, pe.ResourceAt + PeImage::kTypeDirectory + 28, 0x80000000);
     }},
    {"language directory points at itself",
     [](PeImage& pe) {
         putLe32(pe.Bytes, pe.ResourceAt + PeImage::kLanguageDirectory + 20,
                 0x80000000 | PeImage::kLanguageDirectory);
     }},
    {"name entry is a leaf",
     [](PeImage& pe) {
         putLe32(pe.Bytes, pe.ResourceAt + PeImage::kNameDirectory + 20, PeImage::kDataEntry);
     }},
    {"data past the end",
     [](PeImage& pe) { putLe32(pe.Bytes, pe.ResourceAt + PeImage::kDataEntry, 0xFFFFFF00); }},
    {"data size past the section",
     [](PeImage& pe) { putLe32(pe.Bytes, pe.ResourceAt + PeImage::kDataEntry + 4, 0x00100000); }},
    {"no version type",
     [](PeImage& pe) { putLe32(pe.Bytes, pe.ResourceAt + PeImage::kTypeDirectory + 24, 3); }},
};

TEST(PeVersion, MalformedImagesHaveNoVersion) {
    for (bool is64 : {false, true}) {
        for (const Malformed& m : kMalformed) {
            PeImage pe = dm::test::writePe(is64, writeVersionBlock(sampleContent()));
            m.Break(pe);
            EXPECT_FALSE(find(pe.Bytes)) << m.what << (is64 ? " (64-bit)" : " (32-bit)");
        }
    }
}

TEST(PeVersion, TruncatedImagesHaveNoVersion) {
    const std::string bytes = dm::test::writePe(false, writeVersionBlock(sampleContent())).Bytes;
    const std::size_t blockEnd = 0x400 + PeImage::kData + writeVersionBlock(sampleContent()).size();
    for (std::size_t size = 0; size < blockEnd; ++size)
        EXPECT_FALSE(find(bytes.substr(0, size))) << size;
    EXPECT_TRUE(find(bytes.substr(0, blockEnd)));
}

TEST(ElfVersion, FindsTheVersionSectionInEveryLayout) {
    const std::string block = writeVersionBlock(sampleContent());
    for (bool is64 : {false, true}) {
        for (bool bigEndian : {false, true}) {
            const auto found = find(dm::test::writeElf(is64, bigEndian, ".rsrc_version", block));
            ASSERT_TRUE(found) << is64 << bigEndian;
            EXPECT_EQ(found->bytes(), block);
            EXPECT_FALSE(find(dm::test::writeElf(is64, bigEndian, ".rsrc_versions", block)));
        }
    }
}

TEST(ElfVersion, TruncatedFilesHaveNoVersion) {
    const std::string bytes =
        dm::test::writeElf(true, false, ".rsrc_version", writeVersionBlock(sampleContent()));
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(find(bytes.substr(0, size))) << size;
}

TEST(FileVersionResources, ReadsFilesAndRefusesTheRest) {
    dm::test::TempDir dir;
    const std::string pe =
        dir.write("app.exe", dm::test::writePe(true, writeVersionBlock(sampleContent())).Bytes);
    const std::string plain = dir.write("readme.txt", "MZ but nothing more");
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions{files};

    EXPECT_TRUE(versions.fileExists(pe));
    EXPECT_FALSE(versions.fileExists(dir.dir() + "missing.exe"));
    EXPECT_FALSE(versions.fileExists(dir.path().string()));
    EXPECT_FALSE(versions.fileExists(""));

    const auto block = versions.read(pe);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->queryText("\\StringFileInfo\\040904b0\\CompanyName"), "Sample Works");
    EXPECT_FALSE(versions.read(plain));
    EXPECT_FALSE(versions.read(dir.dir() + "missing.exe"));
    EXPECT_FALSE(versions.read(dir.path().string()));
    EXPECT_FALSE(versions.read("/dev/zero"));
}

TEST(FileVersionResources, OwnExecutableCarriesTheProgramVersion) {
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions{files};
    const std::string self = versions.moduleFileName();
    ASSERT_TRUE(versions.fileExists(self));
    const auto block = versions.read(self);
    ASSERT_TRUE(block);
    const auto fixed = block->queryFixed();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->FileVersionMS, 0x00010017u);
    EXPECT_EQ(fixed->FileVersionLS, 0x0000002Fu);
    EXPECT_EQ(fixed->ProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->ProductVersionLS, 0u);
    EXPECT_EQ(block->queryTranslations(), std::vector<std::uint32_t>{0x04B00409});
    const std::pair<const char*, const char*> strings[] = {
        {"CompanyName", "Brackenway"}, {"FileVersion", "1.23.0.47"}, {"InternalName", "Dimmetric"},
        {"LegalCopyright", ""},        {"OriginalFilename", ""},     {"ProductName", "Dimmetric"},
        {"ProductVersion", "1.0.0.0"},
    };
    for (const auto& [name, value] : strings)
        EXPECT_EQ(block->queryText(std::string("\\StringFileInfo\\040904b0\\") + name), value)
            << name;
}

} // namespace
