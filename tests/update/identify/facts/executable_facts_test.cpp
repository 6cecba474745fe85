// Tests of PE header facts, the Sysnative mapping and version text validity.
#include "update/identify/facts/ExecutableFacts.h"

#include "platform/files/ByteSource.h"
#include "update/identify/IdentifyFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dm::update {
namespace {

using dm::test::putLe32;
using dm::test::writePe;

std::optional<PEHeader> readHeader(const std::string& bytes) {
    return ReadPEHeader(platform::BufferByteSource(bytes));
}

// Is64, or nullopt when the bytes are no PE image.
std::optional<bool> is64Of(const std::string& bytes) {
    const auto header = readHeader(bytes);
    return header ? std::optional(header->Is64) : std::nullopt;
}

TEST(ReadPEHeader, TellsImagesAndTheirBitness) {
    const std::string pe32 = writePe(false, std::nullopt).Bytes;
    const std::string pe64 = writePe(true, std::nullopt).Bytes;
    std::string offsetPastEnd = pe32;
    putLe32(offsetPastEnd, 60, 0xFFFFFFF0);
    std::string offsetAtEnd = pe32;
    putLe32(offsetAtEnd, 60, static_cast<std::uint32_t>(pe32.size() - 2));
    std::string noSignature = pe32;
    noSignature[0x80] = 'X';
    // The signature is there, the optional header's magic is cut off.
    const std::string truncated = pe64.substr(0, 0x80 + 24);
    const std::string magicHalf = pe64.substr(0, 0x80 + 25);
    const std::string headersCut = pe64.substr(0, 0x80 + 100);
    const struct {
        const char* name;
        std::string bytes;
        std::optional<bool> is64;
    } cases[] = {
        {"32-bit image", pe32, false},
        {"64-bit image", pe64, true},
        {"text file", "Just some words in a text file.\n", std::nullopt},
        {"empty file", "", std::nullopt},
        {"one byte", "M", std::nullopt},
        {"MZ alone", "MZ", std::nullopt},
        {"MZ without a signature", noSignature, std::nullopt},
        {"MZ, short of the offset", std::string("MZ") + std::string(60, '\0'), std::nullopt},
        {"offset past the end", offsetPastEnd, std::nullopt},
        {"offset at the last bytes", offsetAtEnd, std::nullopt},
        {"headers cut before the magic", truncated, false},
        {"headers cut inside the magic", magicHalf, false},
        {"headers cut after the magic", headersCut, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(is64Of(c.bytes), c.is64) << c.name;
}

TEST(ReadPEHeader, OffsetWithTheTopBitSetIsNoNegativeNumber) {
    std::string bytes = writePe(false, std::nullopt).Bytes;
    putLe32(bytes, 60, 0x80000080); // negative as a signed number: must not read before the file
    EXPECT_FALSE(readHeader(bytes));
}

class ReadPEHeaderFile : public test::IdentifyFixture {};

TEST_F(ReadPEHeaderFile, ReadsFilesByName) {
    const std::string pe64 = writePe("app64.exe", std::nullopt, true);
    const std::string pe32 = writePe("app32.exe", std::nullopt, false);
    const std::string text = temp.write("notes.txt", "MZ but nothing more");
    ASSERT_TRUE(ReadPEHeader(context, pe64));
    EXPECT_TRUE(ReadPEHeader(context, pe64)->Is64);
    ASSERT_TRUE(ReadPEHeader(context, pe32));
    EXPECT_FALSE(ReadPEHeader(context, pe32)->Is64);
    EXPECT_FALSE(ReadPEHeader(context, text));
    EXPECT_FALSE(ReadPEHeader(context, temp.dir() + "missing.exe"));
    EXPECT_FALSE(ReadPEHeader(context, temp.dir()));
    EXPECT_FALSE(ReadPEHeader(context, ""));
}

TEST_F(ReadPEHeaderFile, NamesAreNoWildcardPatterns) {
    writePe("app.exe", std::nullopt);
    EXPECT_FALSE(ReadPEHeader(context, temp.dir() + "*.exe"));
    EXPECT_FALSE(ReadPEHeader(context, temp.dir() + "ap?.exe"));
    EXPECT_FALSE(context.files.fileExists(temp.dir() + "*.exe"));
    EXPECT_TRUE(context.files.fileExists(temp.dir() + "app.exe"));
    EXPECT_FALSE(context.files.fileExists(temp.dir()));
    const std::string star = writePe("a*b.exe", std::nullopt);
    EXPECT_TRUE(context.files.fileExists(star));
    EXPECT_TRUE(ReadPEHeader(context, star));
}

TEST(MapToSysnative, RewritesTheSystemFolderUnderWow64Only) {
    const std::string system = "C:\\Windows\\system32";
    const struct {
        std::string path;
        bool wow64;
        std::string mapped;
    } cases[] = {
        {"C:\\Windows\\system32\\drivers\\x.sys", true, "C:\\Windows\\sysnative\\drivers\\x.sys"},
        {"C:\\Windows\\System32\\drivers\\x.sys", true, "C:\\Windows\\System32\\drivers\\x.sys"},
        {"C:\\Windows\\system32\\drivers\\x.sys", false, "C:\\Windows\\system32\\drivers\\x.sys"},
        {"C:\\Windows\\system32\\a\\SYSTEM32\\b", true, "C:\\Windows\\sysnative\\a\\SYSTEM32\\b"},
        {"D:\\Apps\\system32\\x.exe", true, "D:\\Apps\\system32\\x.exe"},
        {"C:\\Windows\\system32", true, "C:\\Windows\\system32"}, // no delimiter after it
        {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapToSysnative(c.path, system, c.wow64, '\\'), c.mapped) << c.path;
    EXPECT_EQ(MapToSysnative("C:\\Windows\\system32\\x.dll", "", true, '\\'),
              "C:\\Windows\\system32\\x.dll");
}

class MapToSysnativeOnHost : public test::IdentifyFixture {};

TEST_F(MapToSysnativeOnHost, UsesTheSystemFolderAndTheWow64Fact) {
    files.setSpecialFolder(platform::SpecialFolder::System, "/opt/win/system32");
    system.wow64 = true;
    EXPECT_EQ(MapToSysnative(context, "/opt/win/system32/x.dll"), "/opt/win/sysnative/x.dll");
    system.wow64 = false;
    EXPECT_EQ(MapToSysnative(context, "/opt/win/system32/x.dll"), "/opt/win/system32/x.dll");
    system.wow64 = std::nullopt; // no such query: not WOW64
    EXPECT_EQ(MapToSysnative(context, "/opt/win/system32/x.dll"), "/opt/win/system32/x.dll");
}

TEST(IsValidVersionText, NeedsAPositiveSum) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"", false},      {"0", false},          {"0.0", false}, {"0.0.0.1", true},
        {"1.5", true},    {"-1.0.0.0", false},   {"abc", false}, {"1.23.0.47", true},
        {"70000", false}, {"1.23.0.47\n", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidVersionText(c.text), c.valid) << "'" << c.text << "'";
}

} // namespace
} // namespace dm::update
