// Tests of an executable's product name: short codes, field choice, clean-up and marks.
#include "update/identify/NameFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace dm::update::test {
namespace {

using SoftwareName = NameFixture;

TEST_F(SoftwareName, ShortCodesNameTheirProductWithoutReadingAFile) {
    EXPECT_EQ(GetSoftwareName(context, "QTTABBAR"), "QtTabBar");
    EXPECT_EQ(GetSoftwareName(context, "KLITE64"), "K-Lite Codec Pack (64-Bits)");
    EXPECT_EQ(GetSoftwareName(context, "CCCP"), "Combined Community Codec Pack");
    // Not a code in lower case: the generic stages name the missing file after itself.
    EXPECT_EQ(GetSoftwareName(context, "qttabbar"), "qttabbar");
}

TEST_F(SoftwareName, OurOwnExecutableIsDimmetric) {
    EXPECT_EQ(nameOf("app/dimmetric.exe", {.ProductName = "Dimmetric",
                                           .FileDescription = "Installed memory modules and slots",
                                           .CompanyName = "Brackenway",
                                           .InternalName = "Dimmetric",
                                           .FileVersion = "1.23.0.47",
                                           .ProductVersion = "1.0.0.0"}),
              "Dimmetric");
    EXPECT_EQ(GetSoftwareName(context, fromDisk(OWN_EXECUTABLE)), "Dimmetric");
}

using GenericStages = NameFixture;

TEST_F(GenericStages, TheChoiceOfAFieldFollowsTheWordCounts) {
    expectNames({
        {"long product, short description: the description, last of the fallbacks",
         "a.exe",
         {.ProductName = "One Two Three Four Five", .FileDescription = "Alpha Beta Gamma"},
         "Alpha Beta Gamma"},
        {"a registered product waives the count and the bracket",
         "a.exe",
         {.ProductName = "Brand\xC2\xAE", .FileDescription = "Other (thing) x"},
         "Other (thing) x"},
        {"a description with a bracket does not replace the product",
         "a.exe",
         {.ProductName = "Brand", .FileDescription = "Other (thing) x"},
         "Brand"},
        {"a description beginning with the product leaves the product",
         "a.exe",
         {.ProductName = "Tool", .FileDescription = "Tool Helper"},
         "Tool"},
        {"a short description that does not begin with the product replaces it",
         "a.exe",
         {.ProductName = "Tool", .FileDescription = "Alpha - Beta"},
         "Alpha - Beta"},
        {"fewer description words than product words keep the product",
         "a.exe",
         {.ProductName = "Red Green Blue", .FileDescription = "Alpha Beta"},
         "Red Green Blue"},
        {"four description words when the product is the file name keep the product",
         "Two Words.exe",
         {.ProductName = "Two Words", .FileDescription = "Alpha Beta Gamma Delta"},
         "Two Words"},
        {"four description words when the product is not the file name replace it",
         "other.exe",
         {.ProductName = "Two Words", .FileDescription = "Alpha Beta Gamma Delta"},
         "Alpha Beta Gamma Delta"},
        {"an updater takes the description even when it begins with the product",
         "updater.exe",
         {.ProductName = "Tool", .FileDescription = "Tool Updater"},
         "Tool Updater"},
        {"a product of seven words gives way to the internal name",
         "a.exe",
         {.ProductName = "A B C D E F G", .InternalName = "inner"},
         "inner"},
        {"only an internal name", "a.exe", {.InternalName = "Inner Name"}, "Inner Name"},
        {"no version texts: the file name", "plain.exe", {}, "plain"},
    });
}

TEST_F(GenericStages, TheCleanUpDropsTagsVersionsMarksAndDecorations) {
    expectNames({
        {"bitness tag", "a.exe", {.ProductName = "Tool (64-bit)"}, "Tool"},
        {"bitness tag followed by a word",
         "a.exe",
         {.ProductName = "Tool (64-bit) Pro"},
         "Tool (64-bit) Pro"},
        {"dotted last word", "a.exe", {.ProductName = "Editor 2.5"}, "Editor"},
        {"short number", "a.exe", {.ProductName = "Editor 7"}, "Editor"},
        {"v and digits", "a.exe", {.ProductName = "Editor v3"}, "Editor"},
        {"a year stays", "a.exe", {.ProductName = "Editor 2019"}, "Editor 2019"},
        {"a letter and digits stay", "a.exe", {.ProductName = "Editor X2"}, "Editor X2"},
        {"the one kept version name", "a.exe", {.ProductName = "DVD Flick v2"}, "DVD Flick v2"},
        {"the tweaker gets its major",
         "a.exe",
         {.ProductName = "Ultimate Windows Tweaker 4.1", .FileVersion = "4.8.0.0"},
         "Ultimate Windows Tweaker 4"},
        {"the year edition of the merge tool",
         "a.exe",
         {.ProductName = "Winmerge", .ProductVersion = "2011.004"},
         "WinMerge 2011"},
        {"trade mark word", "a.exe", {.ProductName = "Thing Pro(TM)"}, "Thing"},
        {"trade mark sign", "a.exe", {.ProductName = "Editor\xE2\x84\xA2"}, "Editor"},
        {"final dot", "a.exe", {.ProductName = "Name."}, "Name"},
        {"a lone dot stays", "a.exe", {.ProductName = "."}, "."},
        {"quotes", "a.exe", {.ProductName = "\"Quoted\""}, "Quoted"},
        {"executable suffix", "a.exe", {.ProductName = "Thing.exe"}, "Thing"},
        {"application suffix", "a.exe", {.ProductName = "Thing Application"}, "Thing"},
        {"bitness prefix", "a.exe", {.ProductName = "64-Bit Thing"}, "Thing"},
        {"installer utility prefix", "a.exe", {.ProductName = "ShInstUtil - Thing"}, "Thing"},
        {"platform suffix", "a.exe", {.ProductName = "Viewer for Windows"}, "Viewer"},
        {"registered platform suffix",
         "a.exe",
         {.ProductName = "Viewer for Windows\xC2\xAE"},
         "Viewer"},
    });
}

TEST_F(GenericStages, InstallerMarksAreAppendedOncePerTestThatHolds) {
    expectNames({
        {"description starts install",
         "a.exe",
         {.ProductName = "Thing", .FileDescription = "Install Thing"},
         "Install Thing installer"},
        {"description ends setup",
         "a.exe",
         {.ProductName = "Thing", .FileDescription = "Thing Setup"},
         "Thing installer"},
        {"German installer",
         "a.exe",
         {.ProductName = "Ding", .FileDescription = "Ding Installationsprogramm"},
         "Ding installer"},
        {"setup file and setup internal name: twice",
         "a.exe",
         {.ProductName = "Thing", .InternalName = "setup", .OriginalFileName = "setup.exe"},
         "Thing installer installer"},
        {"bootstrapper",
         "a.exe",
         {.ProductName = "Thing", .OriginalFileName = "bootstrapper.exe"},
         "Thing installer"},
        {"a description with installer that begins with the product",
         "a.exe",
         {.ProductName = "Thing", .FileDescription = "Thing Web Installer Tool"},
         "Thing Web Installer Tool"},
    });
}

TEST_F(SoftwareName, AnAirManifestNamesAFileWithoutVersionTexts) {
    temp.write("air/META-INF/AIR/application.xml",
               "<application>\n<filename>air-file</filename>\n<name>Air App</name>\n");
    EXPECT_EQ(GetSoftwareName(context, temp.write("air/run.exe", "not a PE file")), "Air App");
    temp.write("air2/META-INF/AIR/application.xml",
               "<application>\n<filename>Air File</filename>\n");
    EXPECT_EQ(GetSoftwareName(context, temp.write("air2/run.exe", "x")), "Air File");
}

TEST_F(GenericStages, A64BitImageEndsInExactlyOneMark) {
    expectNames(
        {
            {"plain", "a.exe", {.ProductName = "Tool"}, "Tool (64 bits)"},
            {"x64 suffix", "a.exe", {.ProductName = "Tool x64"}, "Tool (64 bits)"},
            {"already marked", "a.exe", {.ProductName = "Tool (64 bits)"}, "Tool (64 bits)"},
            {"no version texts", "plain.exe", {}, "plain (64 bits)"},
        },
        true);
}

TEST_F(GenericStages, PlaceholderNamesAreEmpty) {
    expectNames({
        {"a file named ?", "?.exe", {}, ""},
        {"two question marks", "a.exe", {.ProductName = "Na??me"}, ""},
        {"dollar", "a.exe", {.ProductName = "$Name"}, ""},
        {"one question mark inside stays", "a.exe", {.ProductName = "Na?me"}, "Na?me"},
    });
}

} // namespace
} // namespace dm::update::test
