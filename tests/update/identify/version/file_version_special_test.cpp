// Tests of the version chain on whole files: reconciliation, short codes, loops.
#include "update/identify/version/FileVersionSpecial.h"

#include "update/identify/VersionChainFixture.h"
#include "update/identify/facts/VersionInfoReader.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update {
namespace {

using test::ExeContent;
using test::sz;

class FileVersionSpecialTest : public test::VersionChainFixture {};

TEST_F(FileVersionSpecialTest, OwnExecutableGivesItsFixedVersion) {
    std::string self = fromDisk(versions.moduleFileName());
    // The version resource values the identification of our own file depends on.
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, self);
    EXPECT_EQ(rec.FileVersion, "1.23.0.47");
    EXPECT_EQ(rec.ProductVersion, "1.0.0.0");
    EXPECT_EQ(rec.ProductName, "Dimmetric");
    EXPECT_EQ(rec.CompanyName, "Brackenway");

    const std::string before = self;
    EXPECT_EQ(GetSoftwareVersion(context, self, "", "", false), "1.23.0.47");
    EXPECT_EQ(self, before);
    EXPECT_TRUE(context.identifying.empty());
}

struct ReconcileCase {
    const char* what;
    ExeContent exe;
    std::string expected;
};

TEST_F(FileVersionSpecialTest, ReconcilesTheFixedBlockWithTheVersionTexts) {
    const ReconcileCase cases[] = {
        {"13b: a newer FileVersion of the same major and minor, padded",
         {"1.2.0.0", "1.2.3", "", "Tool"},
         "1.2.3.0"},
        {"13b: a FileVersion of another minor is not taken",
         {"1.2.0.0", "1.3", "", "Tool"},
         "1.2.0.0"},
        {"13b: an older FileVersion is not taken", {"1.2.5.0", "1.2.3", "", "Tool"}, "1.2.5.0"},
        {"13d: a ProductVersion ahead in its minor", {"2.1.0.0", "", "2.5", "Tool"}, "2.5"},
        {"13d: not when the first fields differ", {"2.1.0.0", "", "3.0", "Tool"}, "2.1.0.0"},
        {"13d: a zero version takes any ProductVersion", {"0.0.0.0", "", "3.1", "Tool"}, "3.1"},
        {"13e: same major and minor, newer: the longer text",
         {"3.1.0.0", "3.1", "3.1.4.2", "Tool"},
         "3.1.4.2"},
        {"13e: the FileVersion text when not shorter",
         {"9.1.0.3", "9.1.2 x64", "9.1.5", "Tool"},
         "9.1.2"},
        {"13e: the build of the fixed block follows for the file manager",
         {"9.1.0.3", "9.1.2 x64", "9.1.5", "Total Commander"},
         "9.1.2.3"},
        {"13e: not when the texts differ in major or minor",
         {"3.1.0.0", "3.2", "3.1.4", "Tool"},
         "3.1.0.0"},
        {"13g: placeholder 1.0.0.0 and a short FileVersion",
         {"1.0.0.0", "2.5", "", "Tool"},
         "2.5.0.0"},
        {"13g: placeholder 1.0.0.1 too", {"1.0.0.1", "7", "", "Tool"}, "7.0.0.0"},
        {"13h: placeholder and a newer ProductVersion", {"1.0.0.0", "", "4.2", "Tool"}, "4.2"},
        {"13h: an older ProductVersion leaves the placeholder",
         {"1.0.0.0", "", "0.9", "Tool"},
         "1.0.0.0"},
        {"13i: 0.0.0.x and a newer ProductVersion", {"0.0.0.3", "", "1.5", "Tool"}, "1.5"},
        {"the own executable's texts change nothing",
         {"1.23.0.47", "1.23.0.47", "1.0.0.0", "Tool"},
         "1.23.0.47"},
    };
    int n = 0;
    for (const ReconcileCase& c : cases) {
        const std::string file = writeExe("case" + std::to_string(++n) + "/tool.exe", c.exe);
        EXPECT_EQ(rawVersion(file, c.exe.productName), c.expected) << c.what;
    }
}

TEST_F(FileVersionSpecialTest, TheTextEditorKeepsItsFixedBlockInAnyCase) {
    for (const char* name : {"Notepad++", "NOTEPAD++", "notepad++ portable"}) {
        const std::string file =
            writeExe(std::string("np/") + name + ".exe", ExeContent{"2.1.0.0", "2.5", "2.5", name});
        EXPECT_EQ(rawVersion(file), "2.1.0.0") << name;
    }
    const std::string other = writeExe("np/other.exe", ExeContent{"2.1.0.0", "2.5", "2.5", "Pad"});
    EXPECT_EQ(rawVersion(other), "2.5");
}

TEST_F(FileVersionSpecialTest, NormalFormUnlessRaw) {
    const std::string file = writeExe("n/tool.exe", ExeContent{"1.0.0.0", "", "1.5", "Tool"});
    std::string path = file;
    EXPECT_EQ(GetSoftwareVersion(context, path, "", "", true), "1.5");
    EXPECT_EQ(GetSoftwareVersion(context, path, "", "", false), "1.5.0.0");
    const std::string zero = writeExe("n/zero.exe", ExeContent{"0.0.0.0", "", "0.0", "Tool"});
    path = zero;
    EXPECT_EQ(GetSoftwareVersion(context, path, "", "", false), "0.0.0.0");
}

TEST_F(FileVersionSpecialTest, FilesWithoutAVersionResource) {
    const std::string bare = writeExe("bare/app.exe", std::nullopt);
    EXPECT_EQ(rawVersion(bare), "");
    std::string path = bare;
    EXPECT_EQ(GetSoftwareVersion(context, path, "", "", false), "");

    const std::string packaged = writeExe("air/app.exe", std::nullopt);
    temp.write("air/META-INF/AIR/application.xml",
               "<application>\r\n  <versionNumber>3.4.5</versionNumber>\r\n</application>\r\n");
    EXPECT_EQ(rawVersion(packaged), "3.4.5");

    EXPECT_EQ(rawVersion(temp.dir() + "missing.exe"), "");
}

TEST_F(FileVersionSpecialTest, TheMaintenanceSuiteIsExcludedButForItsOwnProgram) {
    const ExeContent suite{"15.0.0.1", "", "", "Advanced SystemCare 15"};
    EXPECT_EQ(rawVersion(writeExe("asc/Monitor.exe", suite)), "");
    EXPECT_EQ(rawVersion(writeExe("asc/ASC.exe", suite)), "15.0.0.1");
}

TEST_F(FileVersionSpecialTest, ShortCodesReadTheUninstallKeysOnly) {
    addMachineEntry(
        "k1", {{"DisplayName", sz("K-Lite Codec Pack 17.0")}, {"DisplayVersion", sz("17.0.0")}});
    addMachineEntry("k2", {{"DisplayName", sz("K-Lite Codec Pack 17.2 (64-bit)")},
                           {"DisplayVersion", sz("17.2.0")}});
    addMachineEntry("h", {{"DisplayName", sz("HashTab 6")}, {"DisplayVersion", sz("6.0.0.34")}});
    addMachineEntry("q", {{"DisplayName", sz("QtTabBar 2048 v1.5.2")}});
    const struct {
        const char* code;
        std::string expected;
    } cases[] = {
        {"KLITE", "17.0.0"},   {"KLITE64", "17.2.0"}, {"HASHTAB", "6.0.0.34"},
        {"QTTABBAR", "1.5.2"}, {"CCCP", ""},          {"klite", ""},
    };
    for (const auto& c : cases) {
        std::string code = c.code;
        EXPECT_EQ(GetSoftwareVersion(context, code, "", "", true), c.expected) << c.code;
        EXPECT_EQ(code, c.code);
    }
    addMachineEntry("o", {{"DisplayName", sz("OpenHashTab")}, {"DisplayVersion", sz("3.0")}});
    std::string code = "HASHTAB";
    EXPECT_EQ(GetSoftwareVersion(context, code, "", "", true), "");
    code = "OPENHASHTAB";
    EXPECT_EQ(GetSoftwareVersion(context, code, "", "", true), "3.0");
}

TEST_F(FileVersionSpecialTest, TwoPlayerLibrariesAskingEachOtherEnd) {
    const ExeContent zero{"0.0.0.0", "", "", "PotPlayer"};
    const std::string dll = writeExe("pot/PotPlayer.dll", zero);
    writeExe("pot/PotPlayer64.dll", zero);
    EXPECT_EQ(rawVersion(dll), "0.0.0.0");
    EXPECT_TRUE(context.identifying.empty());

    // The player itself takes the version of the first library that has one.
    writeExe("pot2/PotPlayer64.dll", ExeContent{"1.7.21.0", "", "", "PotPlayer"});
    writeExe("pot2/PotPlayer.dll", zero);
    EXPECT_EQ(rawVersion(writeExe("pot2/PotPlayerMini.exe", zero)), "1.7.21.0");
}

TEST_F(FileVersionSpecialTest, NestedSiblingsEndOnAFolderLoop) {
    // The portable browser's sibling is Librewolf\Librewolf.exe, and Librewolf is as deep as a
    // folder that points back to its own: every level finds the sibling again, until the depth
    // cap refuses it and the deepest level reads its own version.
    const ExeContent portable{"2.0.0.0", "", "", "Librewolf Portable"};
    const std::string file = writeExe("loop/Librewolf.exe", portable);
    std::string level = "loop/";
    for (int depth = 0; depth < 32; ++depth) {
        level += "Librewolf/";
        writeExe(level + "Librewolf.exe", portable);
    }
    EXPECT_EQ(rawVersion(file), "2.0.0.0");
    EXPECT_TRUE(context.identifying.empty());
}

TEST_F(FileVersionSpecialTest, AFileAlreadyBeingIdentifiedYieldsNoVersion) {
    const std::string file = writeExe("g/tool.exe", ExeContent{"3.0.0.0", "", "", "Tool"});
    EXPECT_TRUE(canIdentify(context, file));
    context.identifying.push_back(file);
    EXPECT_FALSE(canIdentify(context, file));
    EXPECT_EQ(rawVersion(file), "");
    context.identifying.assign(8, "other");
    EXPECT_FALSE(canIdentify(context, temp.dir() + "g/else.exe"));
    context.identifying.clear();
    EXPECT_EQ(rawVersion(file), "3.0.0.0");
}

} // namespace
} // namespace dm::update
