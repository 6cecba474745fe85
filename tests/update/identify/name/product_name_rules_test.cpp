// Tests of the product-name rule tables: order, condition shapes, ending rows.
#include "update/identify/NameFixture.h"
#include "update/identify/name/ProductNameRules.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update::test {
namespace {

void expectNumbered(std::span<const NameRow> rows, char group, std::size_t count) {
    ASSERT_EQ(rows.size(), count);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].id, group + std::to_string(i + 1)) << "row at " << i;
}

TEST(ProductNameRules, TablesHoldEveryRowOnceInOrder) {
    expectNumbered(productNameRulesA(), 'A', 306);
    expectNumbered(productNameRulesB(), 'B', 18);
}

TEST(ProductNameRules, OnlyTheFirstThreeRowsEndTheChain) {
    const auto rows = productNameRulesA();
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].after == After::Ends, i < 3) << rows[i].id;
    for (const NameRow& row : productNameRulesB())
        EXPECT_EQ(row.after, After::GoesOn) << row.id;
}

using Rows = NameFixture;

TEST_F(Rows, EveryConditionShapeFires) {
    expectNames({
        {"prefix (A13), then a year by the file version (A14)",
         "tt.exe",
         {.ProductName = "TurboTax Deluxe", .FileVersion = "2023.1.0.0"},
         "TurboTax 2023"},
        {"equality ignoring case (A85)",
         "a.exe",
         {.ProductName = "foxit READER"},
         "Foxit PDF Reader"},
        {"containment (A47)", "a.exe", {.ProductName = "Der Kalkules Pro"}, "Kalkules"},
        {"case-exact equality (A251)",
         "a.exe",
         {.ProductName = "GNU Image Manipulation Program"},
         "GIMP"},
        {"case-exact equality in another case stays",
         "a.exe",
         {.ProductName = "gnu image manipulation program"},
         "gnu image manipulation program"},
        {"an all group with the company (A20)",
         "a.exe",
         {.ProductName = "Storage Executive", .CompanyName = "Micron Technology"},
         "Micron Storage Executive"},
        {"the same without the company",
         "a.exe",
         {.ProductName = "Storage Executive"},
         "Storage Executive"},
        {"an any group (A86)",
         "a.exe",
         {.ProductName = "ActivePython-Distribution"},
         "ActivePython"},
        {"negated containment (A197)", "a.exe", {.ProductName = "Maxthon Cloud"}, "Maxthon"},
        {"negated containment holds back (A197)",
         "a.exe",
         {.ProductName = "Maxthon Installer"},
         "Maxthon Installer"},
        {"the file name (A33)", "7za.exe", {.ProductName = "7-Zip"}, "7-Zip Standalone Console"},
        {"the product field (A238)", "a.exe", {.ProductName = "TheGodfather II"}, "The GodFather"},
        {"the internal name (A190)",
         "a.exe",
         {.ProductName = "Keyboard Guard", .InternalName = "G Data 2nd keyboard blocker"},
         "G Data 2nd keyboard blocker"},
        {"a year between bounds (A14)",
         "a.exe",
         {.ProductName = "Tax", .FileVersion = "2023.0"},
         "Tax 2023"},
        {"a year above the bounds",
         "a.exe",
         {.ProductName = "Tax", .FileVersion = "2100.0"},
         "Tax"},
        {"a year below the bounds",
         "a.exe",
         {.ProductName = "Tax", .FileVersion = "2000.0"},
         "Tax"},
        {"a sum of the major (A15)",
         "a.exe",
         {.ProductName = "ReportTool",
          .CompanyName = "Akademische Arbeitsgemeinschaft Verlag GmbH",
          .FileVersion = "29.1"},
         "ReportTool 2023"},
        {"a major below a bound (A6)",
         "a.exe",
         {.ProductName = "Skype", .ProductVersion = "7.40"},
         "Skype Classic"},
        {"digits after a prefix (A67)", "spyder4pro.exe", {.ProductName = "Spyder4"}, "Spyder4Pro"},
        {"a digit at a position (A261)",
         "flash.ocx",
         {.ProductName = "Flash Player 11.2 r202"},
         "Adobe Flash Player for Internet Explorer"},
        {"a case-exact word position and count (A195)",
         "ps.exe",
         {.ProductName = "Adobe Photoshop CS5 Extended"},
         "Adobe Photoshop"},
        {"the word too early (A195)",
         "ps.exe",
         {.ProductName = "Adobe CS5 Extended"},
         "Adobe CS5 Extended"},
        {"fields against fields (A256)",
         "a.exe",
         {.ProductName = "Media", .FileDescription = "Media Monkey Box"},
         "Media Monkey Box"},
        {"one word (A181)", "a.exe", {.ProductName = "AIMP3"}, "AIMP"},
    });
}

TEST_F(Rows, RowsTestTheFolder) {
    expectNames({{"a folder (A42)",
                  "msedge.exe",
                  {.ProductName = "Microsoft Edge"},
                  "Microsoft Edge Beta"}},
                false, "Edge Beta/");
    expectNames({{"a folder with delimiters (A134)",
                  "jd.exe",
                  {.ProductName = "Jump Desktop Connect"},
                  "Jump Desktop"}},
                false, "Jump Desktop/");
    expectNames({{"the last folder name (A58)",
                  "AbLauncher.exe",
                  {.ProductName = "Console Tool"},
                  "Some Game"}},
                false, "Some Game.v2/");
    expectNames({{"the whole last folder part (A298)",
                  "FILEminimizer.exe",
                  {.ProductName = "FILEminimizer"},
                  "FILEminimizer.Suite"}},
                false, "FILEminimizer.Suite/");
}

TEST_F(Rows, ALaterRowSeesAndOverridesWhatAnEarlierOneSet) {
    expectNames({
        {"A11 then A12",
         "w.exe",
         {.ProductName = "WISO Steuer:Start", .ProductVersion = "2023.1"},
         "WISO Steuer-Start 2023"},
        {"A57 then A267 trims", "s.exe", {.ProductName = "Solidigm.UI"}, "Solidigm Storage Tool"},
        {"a step sees the one before (A31)",
         "ZAM.exe",
         {.ProductName = "Advanced Malware Protection"},
         "Zemana AntiLogger"},
        {"A216 with its otherwise",
         "magician.exe",
         {.ProductName = "Samsung Magician Data Center"},
         "Samsung Magician for Enterprise"},
        {"A216 otherwise",
         "magician.exe",
         {.ProductName = "Samsung Magician 7"},
         "Samsung Magician"},
        {"group B after the clean-up (B7)",
         "a.exe",
         {.ProductName = "AsrRuefi.exe"},
         "ASRock Restart to UEFI"},
        {"group B on the path (B6)",
         "a.exe",
         {.ProductName = "AOMEI Partition Assistant"},
         "AOMEI Partition Assistant"},
    });
    expectNames({{"both steps of A31",
                  "ZAM.exe",
                  {.ProductName = "Advanced Malware Protection"},
                  "Zemana AntiMalware"}},
                false, "AntiMalware/");
    expectNames({{"B6 with a path that has Lite",
                  "pa.exe",
                  {.ProductName = "AOMEI Partition Assistant"},
                  "AOMEI Partition Assistant Lite"}},
                false, "PA Lite/");
}

TEST_F(Rows, TheFirstThreeRowsEndTheNameBeforeTheFinalMarks) {
    // A 64-bit image would otherwise end in " (64 bits)".
    expectNames({{"A1", "gswin32.exe", {}, "GPL Ghostscript"}}, true, "gs9/");
    expectNames({{"A2", "nsis.exe", {}, "NSIS"}}, true);
    expectNames({{"A3", "EAC.exe", {}, "Exact Audio Copy"}}, true, "Exact Audio Copy/");
    expectNames(
        {{"A2 needs an empty name", "nsis.exe", {.ProductName = "Other"}, "Other (64 bits)"}},
        true);
}

TEST_F(Rows, SpotChecksAcrossTheTables) {
    const std::pair<const char*, const char*> products[] = {
        {"Zoom Meetings Client", "Zoom"},
        {"O&O ShutUp10 Tool", "O&O ShutUp10++"},
        {"MSPCManager", "Microsoft PC Manager"},
        {"RevoUninProPort", "Revo Uninstaller Pro Portable"},
        {"Recovery Explorer: Professional", "UFS Explorer Professional Recovery"},
        {"XnViewMP", "XnView MP"},
        {"FlashPeak SlimBrowser", "SlimBrowser"},
        {"Mindjet MindManager 21", "MindManager"},
        {"MusicBrainz Picard Tagger", "MusicBrainz Picard"},
        {"pwsh", "PowerShell Core"},
        {"*ProduKey*", "ProduKey"},
        {"L\xC3\xB6scht leere Verzeichniss", "Clean Folder"},
        {"Intel(R) Graphics Command Center", "Intel Graphics Command Center"},
        {"Thunderbolt(TM) Control Center", "Thunderbolt Software"},
        {"Softmaker TextMaker", "TextMaker"},
        {"Sysinternals Process Monitor", "Process Monitor"},
        {"JRiver Media Center 31", "Media Center"},
        {"avast! Free Antivirus", "Avast Free Antivirus"},
        {"XBMC", "Kodi"},
        {"AIDA64 Extreme Edition", "AIDA64 Extreme"},
        {"G DATA Total Security", "G Data Total Security"},
        {"Acronis TrueImage Home", "Acronis True Image Home"},
        {"the curl executable", "cURL"},
        {"Catalyst Control Centre", "Catalyst Control Center"},
        {"CyberLink PowerDVD 21", "PowerDVD"},
        {"java", "Java(TM) Platform SE"},
        {"MPC-BE x64", "Media Player Classic - Black Edition x64"},
        {"MPC-HC", "Media Player Classic - Home Cinema"},
        {"Malwarebytes' Anti-Malware", "Malwarebytes Anti-Malware Portable"},
        {"QRM Plus", "QuickRestoreMaker"},
        {"_4dotsFree PDF", "Free PDF"},
        {"WACUP (WinAmp Community Update Project) Beta", "WACUP (WinAmp Community Update Project)"},
        {"PlexMediaPlayer", "Plex Media Player"},
        {"AsrPolychromeRGB", "ASRock Polychrome RGB"},
        {"ykman-gui", "Yubikey Manager"},
        {"adwcleaner 8", "AdwCleaner"},
        {"PoiLoader", "POI Loader"},
    };
    std::vector<NameCase> cases;
    for (const auto& [product, expected] : products)
        cases.push_back({product, "a.exe", {.ProductName = product}, expected});
    cases.push_back({"B3 with its company",
                     "a.exe",
                     {.ProductName = "ABPro Std", .CompanyName = "AOMEI Tech"},
                     "AOMEI Backupper Professional"});
    expectNames(cases);
}

} // namespace
} // namespace dm::update::test
