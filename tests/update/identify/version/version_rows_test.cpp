// Tests of version rows that read side files, other files' versions and executables' bytes.
#include "platform/text/Utf16.h"
#include "update/identify/VersionChainFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update {
namespace {

using namespace std::string_literals;
using test::ExeContent;
using test::sz;

class VersionRowsTest : public test::VersionChainFixture {
protected:
    // An executable with content, optionally followed by extra bytes, in a folder of its own.
    std::string exe(const std::string& relative, const ExeContent& content,
                    const std::string& trailer = "") {
        const std::string path = writeExe(relative, content);
        if (!trailer.empty())
            temp.write(relative, files.readFile(path).value() + trailer);
        return path;
    }
};

struct ArithmeticCase {
    const char* row;
    std::string file;
    ExeContent content;
    std::string expected;
};

TEST_F(VersionRowsTest, PartArithmeticOfTheLateRows) {
    const ArithmeticCase cases[] = {
        {"G24", "brave.exe", {"87.1.20.109", "", "", "Brave Browser"}, "1.20.109.0"},
        {"G24 below 70", "brave.exe", {"1.20.109.0", "", "", "Brave Browser"}, "1.20.109.0"},
        {"G7", "idman.exe", {"6.38.25.2", "", "", "Internet Download Manager"}, "6.38.25"},
        {"F1", "adw.exe", {"4.2.0.1", "4.2.0.1", "", "AdwCleaner"}, "4.201"},
        {"F1 from 5 on", "adw.exe", {"5.2.0.1", "5.2.0.1", "", "AdwCleaner"}, "5.2.0.1"},
        {"G25", "jv16.exe", {"2019.0.0.0", "", "", "jv16 PowerTools"}, "0.2019.0.0"},
        {"G25 other", "jv16.exe", {"2019.1.0.0", "", "", "jv16 PowerTools"}, "2019.1.0.0"},
        {"G29", "tm.exe", {"2021.1.2.3", "", "", "TextMaker", "SoftMaker Software"}, "2021.3.1.2"},
        {"G29 not a year",
         "tm.exe",
         {"21.1.2.3", "", "", "TextMaker", "SoftMaker Software"},
         "21.1.2.3"},
        {"G6", "skype.exe", {"8.1.2.3", "", "", "Skype", "Skype Technologies"}, "8.1.0.3"},
        {"G8", "tu.exe", {"1.2.3.4", "", "", "TuneUp Utilities", "TuneUp Software"}, "1.2.3.0"},
        {"G8 is case-exact", "tu.exe", {"1.2.3.4", "", "", "tuneup", "TuneUp Software"}, "1.2.3.4"},
        {"G23", "sd.exe", {"2.4.0.7", "", "", "Spybot"}, "2.4.0.0"},
        {"G18", "ts.exe", {"6.0.30.12", "6.0.30.12", "6.0", "Ultimate TagScanner"}, "6.0.312.0"},
        {"G2", "winzip64.exe", {"1.0.0.0", "", "26.0 (15033)", "WinZip"}, "26.0.15033.0"},
        {"G1", "pdf.exe", {"0.3.0.0", "", "", "PDF Tools", "Softland"}, "3.0.0"},
        {"G26", "wm.exe", {"0.2011.7.1", "", "", "WinMerge"}, "2011.7.1"},
    };
    int n = 0;
    for (const ArithmeticCase& c : cases) {
        const std::string file = exe("a" + std::to_string(++n) + "/" + c.file, c.content);
        EXPECT_EQ(rawVersion(file, c.content.productName, c.content.companyName), c.expected)
            << c.row;
    }
}

TEST_F(VersionRowsTest, BuildNumberFromTheDownloadManagersBuildFile) {
    addMachineEntry("jd", {{"DisplayName", sz("JDownloader 2")}, {"DisplayVersion", sz("2.0")}});
    const struct {
        const char* what;
        std::string firstLine;
        std::string expected;
    } cases[] = {
        {"unquoted number before the brace", "{\"a\":1,\"JDownloaderRevision\":43307}",
         "2.0.0.43307"},
        {"another key follows", "{\"JDownloaderRevision\":43307,\"b\":2}", "2.0.0.0"},
        {"quoted number", "{\"JDownloaderRevision\":\"43307\"}", "2.0.0.0"},
        {"no end after the marker", "{\"JDownloaderRevision\":43307", "2.0"},
        {"no marker", "{\"revision\":1}", "2.0"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string dir = "jd" + std::to_string(++n) + "/";
        const std::string file = exe(dir + "JDownloader2.exe", {"9.9.0.0"});
        temp.write(dir + "build.json", c.firstLine + "\n{}\n");
        EXPECT_EQ(rawVersion(file, "JDownloader"), c.expected) << c.what;
    }
}

TEST_F(VersionRowsTest, TheDownloadManagerWithoutEntryEndsEmpty) {
    const std::string file = exe("jd/JDownloader2.exe", {"9.9.0.0"});
    EXPECT_EQ(rawVersion(file, "JDownloader"), "");
}

TEST_F(VersionRowsTest, MarkersInTheExecutablesOwnBytes) {
    const struct {
        const char* what;
        std::string product;
        std::string file;
        std::string trailer;
        std::string expected;
    } cases[] = {
        {"D12", "photoscape", "PhotoScape.exe",
         "IDR_LANG_EN\0\0\0\0\0\x01"
         "3.7\0\0\0\0photoscape"s,
         "3.7"},
        {"D12 name right after the marker", "photoscape", "PhotoScape.exe", "IDR_LANG_ENphotoscape",
         "1.2.0.0"},
        {"D12 no name after the marker", "photoscape", "PhotoScape.exe", "IDR_LANG_EN 3.7 x",
         "1.2.0.0"},
        {"D12 no marker", "photoscape", "PhotoScape.exe", "photoscape", "1.2.0.0"},
        {"D13", "DOSBox", "dosbox.exe", "DOSBox %s r4482, built", "1.2.0.4482"},
        {"D13 no comma", "DOSBox", "dosbox.exe", "DOSBox %s r4482", "1.2.0.0"},
        {"D13 not digits", "DOSBox", "dosbox.exe", "DOSBox %s rX, built", "1.2.0.0"},
        {"D13 marker at the very end", "DOSBox", "dosbox.exe", "DOSBox %s r", "1.2.0.0"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string file =
            exe("m" + std::to_string(++n) + "/" + c.file, {"1.2.0.0"}, c.trailer);
        EXPECT_EQ(rawVersion(file, c.product), c.expected) << c.what;
    }
}

TEST_F(VersionRowsTest, AnExecutableTooLargeToReadWholeGivesNoMarker) {
    const std::string file = exe("big/dosbox.exe", {"1.2.0.0"}, "DOSBox %s r4482, built");
    EXPECT_EQ(rawVersion(file, "DOSBox"), "1.2.0.4482");
    std::string grown = files.readFile(file).value();
    grown.resize(65u << 20, '\0'); // the marker stays at the start
    files.addFile(file, std::move(grown));
    EXPECT_EQ(rawVersion(file, "DOSBox"), "1.2.0.0");
}

TEST_F(VersionRowsTest, TextFilesBesideTheExecutable) {
    const struct {
        const char* row;
        std::string product;
        std::string file;
        std::string sideFile;
        std::string sideText;
        std::string expected;
    } cases[] = {
        {"C11", "Ventoy2Disk", "Ventoy2Disk.exe", "ventoy/version", "1.0.97\n", "1.0.97"},
        {"C11 not digits", "Ventoy2Disk", "Ventoy2Disk.exe", "ventoy/version", "v1\n", "5.0.0.0"},
        {"D3", "AudioConverter Studio", "acs.exe", "WhatsNew.txt",
         "Intro\r\nVersion 7.2 Build 1234 Released 2020\r\n", "7.2.0.1234"},
        {"E6", "VirtualDub2", "VirtualDub64.exe", "readme.md", "x\nupdate 44 (build 44282)\n",
         "5.0.44.44282"},
        {"E6 without the build line", "VirtualDub2", "VirtualDub64.exe", "readme.md", "x\n",
         "5.0.0.0"},
        {"G21", "HiSuite", "HiSuite.exe", "runinfo.ini", "[version]\r\nversion=11.0.0.530\r\n",
         "11.0.0.530"},
        {"G21 not digits", "HiSuite", "HiSuite.exe", "runinfo.ini", "[version]\nversion=x1\n",
         "5.0.0.0"},
        {"G22", "BlueGriffon", "bluegriffon.exe", "application.ini", "[App]\nversion=3.1\n", "3.1"},
        {"G27", "Tor Browser", "firefox.exe", "TorBrowser/Docs/changelog.txt",
         "Tor Browser 12.0.1 - December 2022\n * notes\n", "12.0.1"},
        {"G28", "madVR", "madHcCtrl.exe", "changelog.txt", "v0.92.17\n", "0.92.17"},
        {"G28 not digits", "madVR", "madHcCtrl.exe", "changelog.txt", "beta\n", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string dir = "t" + std::to_string(++n) + "/";
        const std::string file = exe(dir + c.file, {"5.0.0.0"});
        temp.write(dir + c.sideFile, c.sideText);
        EXPECT_EQ(rawVersion(file, c.product), c.expected) << c.row;
    }
    // Without their changelogs these products have no version at all.
    EXPECT_EQ(rawVersion(exe("none/firefox.exe", {"5.0.0.0"}), "Tor Browser"), "");
}

TEST_F(VersionRowsTest, TheRecoveryLogIsReadAsUtf16) {
    const std::string file = exe("e/DRW.exe", {"1.0.0.0"});
    temp.write("e/easeusue.log",
               platform::utf8ToUtf16Le("[x]\r\ninstall_version=DRW13.6 build\r\n"));
    EXPECT_EQ(rawVersion(file, "EaseUS Data Recovery Wizard"), "13.6");
}

TEST_F(VersionRowsTest, TheRecoveryToolTakesTheNewestOfItsCandidates) {
    const std::string file = exe("d/DRW.exe", {"12.0.0.0"});
    temp.write("d/DRWUI.log", "a DRWUI [12.5] b\nc DRWUI [13.0] d\nno bracket DRWUI [14.0\n");
    EXPECT_EQ(rawVersion(file, "Data Recovery"), "12.5");
    temp.write("d/Upgrade.ini", "[Version]\nProduct Version=14.0\n");
    EXPECT_EQ(rawVersion(file, "Data Recovery"), "14.0");
}

TEST_F(VersionRowsTest, ThePortableCleanerReadsItsIniFile) {
    const std::string file = writeExe("bb/bleachbit.exe", std::nullopt);
    temp.write("bb/BleachBit.ini", "[bleachbit]\nversion=4.4.2\n");
    EXPECT_EQ(rawVersion(file, "BleachBit Portable"), "4.4.2");
}

TEST_F(VersionRowsTest, TheDatabaseToolsReadmeGivesItsThirdLine) {
    const std::string file = writeExe("db/dbeaver.exe", std::nullopt);
    temp.write("db/readme.txt", "DBeaver\nBuild\n21.0.1\n");
    EXPECT_EQ(rawVersion(file, "DBeaver Community Edition"), "21.0.1");
    temp.write("db/readme.txt", "DBeaver\n21.0.1\n");
    EXPECT_EQ(rawVersion(file, "DBeaver Community Edition"), "");
}

TEST_F(VersionRowsTest, SiblingsGiveTheirVersion) {
    const std::string file = exe("s/GlyphClient.exe", {"1.0.0.0"});
    EXPECT_EQ(rawVersion(file, "Glyph"), "1.0.0.0");
    exe("s/GlyphClientApp.exe", {"3.2.1.0"});
    EXPECT_EQ(rawVersion(file, "Glyph"), "3.2.1.0");

    const std::string siw = exe("siw/siw.exe", {"1.0.0.0"});
    exe("siw/siw32.exe", {"11.2.0.0"});
    EXPECT_EQ(rawVersion(siw, "SIW"), "11.2.0.0");
    exe("siw/siw64.exe", {"11.3.0.0"});
    EXPECT_EQ(rawVersion(siw, "SIW"), "11.3.0.0");
}

TEST_F(VersionRowsTest, RowsTakingTheVersionOfAnotherFile) {
    // G19: the reader's helper takes the reader's version of the same major and minor.
    const std::string helper = exe("ar/reader_sl.exe", {"11.0.0.0"});
    exe("ar/AcroRd32.exe", {"11.0.23.5"});
    EXPECT_EQ(rawVersion(helper, "Reader"), "11.0.23.5");
    exe("ar2/AcroRd32.exe", {"12.1.0.0"});
    EXPECT_EQ(rawVersion(exe("ar2/reader_sl.exe", {"11.0.0.0"}), "Reader"), "11.0.0.0");

    // G16: the editor's player anywhere below its folder.
    const std::string editor = exe("fm/Filmora.exe", {"1.0.0.0"});
    exe("fm/bin/x/FilmoraPlayer.exe", {"12.3.0.0"});
    EXPECT_EQ(rawVersion(editor, "Wondershare Filmora 12"), "12.3.0.0");

    // G15: the runtime's launcher beside it, else below the folder three levels up.
    const std::string runtime = exe("a/b/c/jre/bin/jp2launcher.exe", {"8.0.3510.10"});
    exe("a/b/Java/jre8/bin/java.exe", {"8.0.3520.8"});
    EXPECT_EQ(rawVersion(runtime, "Java Platform SE 8 U351"), "8.0.3520.8");
    exe("a/b/c/jre/bin/java.exe", {"8.0.3510.11"});
    EXPECT_EQ(rawVersion(runtime, "Java Platform SE 8 U351"), "8.0.3510.11");

    // G3: the file sharing client's uninstaller, when the version starts with 1.
    const std::string client = exe("LimeWire/LimeWire.exe", {"1.0.0.0"});
    exe("LimeWire/uninstall.exe", {"5.5.16.0"});
    EXPECT_EQ(rawVersion(client, "Client"), "5.5.16.0");

    // F13: the explorer's service hands the explorer's path back.
    std::string service = exe("se/service/SystemExplorerService64.exe", {"1.0.0.0"});
    exe("se/SystemExplorer.exe", {"7.1.0.0"});
    EXPECT_EQ(GetSoftwareVersion(context, service, "Service", "", true), "7.1.0.0");
    EXPECT_EQ(service, temp.dir() + "se/SystemExplorer.exe");

    // C1: the tweaking tool's library is named after the second word of the product name.
    const std::string tweak = exe("ym/Tweaker.exe", {"1.0.0.0"});
    exe("ym/W11MPCL.dll", {"11.4.0.0"});
    EXPECT_EQ(rawVersion(tweak, "Windows 11 Manager", "Yamicsoft"), "11.4.0.0");

    // G12: the anti-malware's library one folder up, unless its entries know a newer version.
    const std::string scanner = exe("mb/bin/mbam.exe", {"1.0.0.0"});
    exe("mb/mbam.dll", {"3.2.0.0"});
    EXPECT_EQ(rawVersion(scanner, "Malwarebytes"), "3.2.0.0");
    addMachineEntry("mb", {{"DisplayName", sz("Malwarebytes version 4.6")},
                           {"DisplayVersion", sz("4.6.1 build")}});
    EXPECT_EQ(rawVersion(scanner, "Malwarebytes"), "4.6.1");
}

TEST_F(VersionRowsTest, RowsOnFoldersAndDisplayNames) {
    // D6: the interpreter's version from its folder's name.
    const std::string bare = writeExe("gs9.56.1/bin/gswin32.exe", std::nullopt);
    EXPECT_EQ(rawVersion(bare, "Ghostscript"), "9.56.1");

    // D1: the partition tool's entry, the text after its dash, when the file has no version.
    addMachineEntry("pw", {{"DisplayName", sz("MiniTool Partition Wizard - 12.5")}});
    const std::string wizard = writeExe("pw/partitionwizard.exe", std::nullopt);
    EXPECT_EQ(rawVersion(wizard, "Partition Wizard"), "12.5.0.0");

    // C20: the browser's entry in its folder without its leading G.
    addMachineEntry("wf", {{"DisplayName", sz("Waterfox")},
                           {"DisplayVersion", sz("G5.1.2")},
                           {"InstallLocation", sz(temp.dir() + "wf")}});
    EXPECT_EQ(rawVersion(exe("wf/waterfox.exe", {"1.0.0.0"}), "Waterfox G5"), "5.1.2");

    // C10: the recorder's version file in a sibling folder two levels up.
    temp.write("rec/Screencast-O-Matic v3/version-x64.txt", "3.1.4\n");
    EXPECT_EQ(rawVersion(exe("rec/app/bin/som.exe", {"1.0.0.0"}), "Screencast-O-Matic"), "3.1.4");

    // G17: the recovery suite's entry named after the product without its trailing words.
    addMachineEntry("eu",
                    {{"DisplayName", sz("EaseUS Todo Backup 13")}, {"DisplayVersion", sz("13.5")}});
    EXPECT_EQ(rawVersion(exe("eu/Loader.exe", {"1.0.0.0"}), "EaseUS Todo Backup Loader"), "13.5");

    // E19: the password tool's entry of the same major, when newer.
    addMachineEntry("pt", {{"DisplayName", sz("Password Tech")}, {"DisplayVersion", sz("3.5.4")}});
    EXPECT_EQ(rawVersion(exe("pt/PwTech.exe", {"3.5.0.0"}), "Password Tech"), "3.5.4.0");
    EXPECT_EQ(rawVersion(exe("pt2/PwTech.exe", {"2.5.0.0"}), "Password Tech"), "2.5.0.0");
}

TEST_F(VersionRowsTest, TheLauncherHandsTheStartersPathBack) {
    std::string file = exe("vc/VC10Play.exe", {"1.0.0.0"});
    exe("vc/VC10Start.exe", {"10.4.0.0"});
    EXPECT_EQ(GetSoftwareVersion(context, file, "VC10", "", true), "10.4.0.0");
    EXPECT_EQ(file, temp.dir() + "vc/VC10Start.exe");
}

TEST_F(VersionRowsTest, RowsReadingTheUninstallKeys) {
    addMachineEntry("m", {{"DisplayName", sz("MediathekView 14")}, {"DisplayVersion", sz("14.0")}});
    EXPECT_EQ(rawVersion(exe("mv/MediathekView.exe", {"1.0.0.0"}), "MediathekView (64 bits)"),
              "14.0");

    // Restricted to the executable's folder.
    addMachineEntry("u", {{"DisplayName", sz("Unlocker 1.9")},
                          {"DisplayVersion", sz("1.9.2")},
                          {"InstallLocation", sz(temp.dir() + "other")}});
    const std::string unlocker = exe("un/Unlocker.exe", {"1.0.0.0"});
    EXPECT_EQ(rawVersion(unlocker, "Unlocker"), "1.0.0.0");
    addMachineEntry("u2", {{"DisplayName", sz("Unlocker 1.9")},
                           {"DisplayVersion", sz("1.9.3")},
                           {"InstallLocation", sz(temp.dir() + "un")}});
    EXPECT_EQ(rawVersion(unlocker, "Unlocker"), "1.9.3");

    // Taken only when digits.
    addMachineEntry("w", {{"DisplayName", sz("WD Security")}, {"DisplayVersion", sz("2.0 beta")}});
    const std::string wd = exe("wd/WDSecurity.exe", {"1.5.0.0"});
    EXPECT_EQ(rawVersion(wd, "WD Security", "Western Digital"), "1.5.0.0");

    // The screen recorder's display name carries its version.
    addMachineEntry("s", {{"DisplayName", sz("Screencast-O-Matic v2.0.1 (x)")},
                          {"InstallLocation", sz(temp.dir() + "som")}});
    EXPECT_EQ(rawVersion(exe("som/som.exe", {"1.0.0.0"}), "Screencast-O-Matic"), "2.0.1");
}

} // namespace
} // namespace dm::update
