// Tests of the product-name rows whose hooks read files, the registry and program output.
#include "platform/files/PathText.h"
#include "platform/process/LinuxProcessRunner.h"
#include "update/identify/NameFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dm::update::test {
namespace {

using HookRows = NameFixture;

platform::VersionResourceContent withFileVersion(const VersionTexts& texts, std::uint32_t ms,
                                                 std::uint32_t ls) {
    auto content = contentOf(texts);
    content.Fixed->FileVersionMS = ms;
    content.Fixed->FileVersionLS = ls;
    return content;
}

TEST_F(HookRows, AnotherFilesVersionDecidesA5) {
    const VersionTexts flick{.ProductName = "DVD Flick"};
    const auto newer = writePe("flick/new.exe", withFileVersion(flick, 1 << 16 | 400, 0));
    const auto same = writePe("flick/same.exe", withFileVersion(flick, 1 << 16 | 307, 738 << 16));
    EXPECT_EQ(GetSoftwareName(context, newer), "DVD Flick v2");
    EXPECT_EQ(GetSoftwareName(context, same), "DVD Flick");
}

struct Installed {
    std::string displayName;
    std::string version;
    bool inFolder; // installed in the named file's folder
};

struct RegistryCase {
    const char* what;
    std::vector<Installed> entries;
    std::string file; // below a folder of its own
    VersionTexts texts;
    std::string expected;
};

TEST_F(HookRows, RegistryRowsFireOnTheirUninstallEntries) {
    const std::vector<RegistryCase> cases = {
        {"A7 by its product version", {}, "am7.2.exe", {.ProductVersion = "1.0.0.0"}, "ArtMoney"},
        {"A7 with the pro edition installed",
         {{"ArtMoney PRO 8.10", "8.10", false}},
         "am7.2.exe",
         {.ProductVersion = "1.0.0.0"},
         "ArtMoney Pro"},
        {"A18 by the folder's display name",
         {{"Great App", "1.0", true}},
         "app.exe",
         {.ProductName = "NWJS", .CompanyName = "The NW.JS community"},
         "Great App"},
        {"A29 installed in the folder",
         {{"Western Dashboard", "3.0", true}},
         "SSD Dashboard/dashboard.exe",
         {},
         "SSD Dashboard"},
        {"A29 installed elsewhere",
         {{"Western Dashboard", "3.0", false}},
         "SSD Dashboard/dashboard.exe",
         {},
         "dashboard"},
        {"A30 by the text after the dash",
         {{"MiniTool Partition Wizard Free - 12.5", "12.5", false}},
         "partitionwizard.exe",
         {},
         "MiniTool Partition Wizard"},
        {"A76 without the other printer",
         {},
         "novapdf/x.exe",
         {.ProductName = "Startup"},
         "novaPDF"},
        {"A76 with the other printer",
         {{"doPDF 11 Printer", "11.0", false}},
         "novapdf/x.exe",
         {.ProductName = "Startup"},
         "doPDF"},
        {"A89 by the installed generation",
         {{"Waterfox G6.0.1", "G6.0.1", true}},
         "waterfox.exe",
         {.ProductName = "Waterfox"},
         "Waterfox G6"},
        {"A114 the last edition found wins",
         {{"Macrium Reflect Home", "8.0", false}, {"Macrium Reflect Free Edition", "8.0", false}},
         "reflect.exe",
         {.ProductName = "Macrium Reflect"},
         "Macrium Reflect Free"},
        {"A114 one edition",
         {{"Macrium Reflect Home", "8.0", false}},
         "reflect.exe",
         {.ProductName = "Macrium Reflect"},
         "Macrium Reflect Home"},
        {"A116 installed in the folder",
         {{"Ashampoo PDF PRO 2", "2.0", true}},
         "pdf.exe",
         {.ProductName = "Ashampoo PDF"},
         "Ashampoo PDF Pro"},
        {"A119 installed anywhere",
         {{"SiSoftware Sandra Lite 2021", "31.0", false}},
         "sandra.exe",
         {.ProductName = "SiSoftware Sandra Tech"},
         "SiSoftware Sandra Lite Tech"},
        {"A132",
         {{"ZoneAlarm Pro Firewall", "15.0", false}},
         "za.exe",
         {.ProductName = "ZoneAlarm"},
         "ZoneAlarm Pro"},
        {"A207 by the folder's display name",
         {{"Google Chrome Canary", "120.0", true}},
         "chrome.exe",
         {.ProductName = "Google Chrome"},
         "Google Chrome Canary"},
        {"A248 installed in the folder",
         {{"Unlocker 1.9.2", "1.9.2", true}},
         "unlocker.exe",
         {},
         "Unlocker"},
        {"A296 not installed: portable",
         {},
         "mbam.exe",
         {.ProductName = "Malwarebytes Anti-Malware"},
         "Malwarebytes Anti-Malware Portable"},
        {"A296 installed",
         {{"Malwarebytes Anti-Malware version 1.75", "1.75", false}},
         "mbam.exe",
         {.ProductName = "Malwarebytes Anti-Malware"},
         "Malwarebytes Anti-Malware"},
    };
    int n = 0;
    for (const auto& c : cases) {
        platform::FakeRegistry caseRegistry;
        IdentifyContext caseContext{caseRegistry, files, versions, system};
        const std::string path = exe("reg" + std::to_string(n++) + "/" + c.file, c.texts);
        int entry = 0;
        for (const auto& e : c.entries) {
            const auto key = caseRegistry.createKey(
                platform::RegistryRoot::LocalMachine,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\e" +
                    std::to_string(entry++),
                platform::RegistryAccess::Full);
            ASSERT_TRUE(key);
            ASSERT_TRUE(key->writeValue("DisplayName", sz(e.displayName)));
            ASSERT_TRUE(key->writeValue("DisplayVersion", sz(e.version)));
            ASSERT_TRUE(key->writeValue("InstallLocation",
                                        sz(e.inFolder ? platform::folderOfPath(path) : "/opt/x/")));
        }
        EXPECT_EQ(GetSoftwareName(caseContext, path), c.expected) << c.what;
    }
}

TEST_F(HookRows, ExistenceRowsLookBesideTheExecutable) {
    temp.write("dosbox/Patches.txt", "patch list\n");
    temp.write("dosbox-empty/Patches.txt", "");
    temp.write("boost/BoostSpeed.exe", "MZ");
    temp.write("reader/AcroRd32.exe", "MZ");
    temp.write("chromium/eventlog_provider.dll", "MZ");
    EXPECT_EQ(nameOf("dosbox/dosbox.exe", {.ProductName = "DOSBox"}), "DOSBox ECE");
    EXPECT_EQ(nameOf("dosbox-empty/dosbox.exe", {.ProductName = "DOSBox"}), "DOSBox");
    EXPECT_EQ(nameOf("boost/bs.exe", {.ProductName = "Speed Tool", .CompanyName = "Auslogics"}),
              "BoostSpeed");
    EXPECT_EQ(nameOf("reader/reader_sl.exe", {}), "Adobe Reader");
    EXPECT_EQ(nameOf("chromium/chrome.exe", {.ProductName = "Chromium"}), "Chromium");
    EXPECT_EQ(nameOf("ungoogled/chrome.exe", {.ProductName = "Chromium"}), "Ungoogled Chromium");
    temp.write("bleach/BleachBit.ini", "[Portable]\n");
    EXPECT_EQ(nameOf("bleach/bleachbit.exe", {.ProductName = "bleachbit"}), "BleachBit Portable");
    EXPECT_EQ(nameOf("bleach2/bleachbit.exe", {.ProductName = "bleachbit"}), "BleachBit");
}

TEST_F(HookRows, IniAndTextFileRowsReadTheirValues) {
    temp.write("ff/App/AppInfo/appinfo.ini",
               "[Format]\nType=Info\n[Details]\nName=Mozilla Firefox Legacy, Portable Edition\n");
    temp.write("ff2/App/AppInfo/appinfo.ini", "[Details]\nName=Mozilla Firefox, Portable\n");
    const VersionTexts portable{.ProductName = "Mozilla Firefox, Portable Edition"};
    EXPECT_EQ(nameOf("ff/FirefoxPortable.exe", portable),
              "Mozilla Firefox Legacy, Portable Edition");
    EXPECT_EQ(nameOf("ff2/FirefoxPortable.exe", portable), "Mozilla Firefox, Portable Edition");

    temp.write("citrix/receiver/BuildInformation.txt", "Build 22.3 CU5\r\nsecond cu line\r\n");
    temp.write("citrix2/receiver/BuildInformation.txt", "Build 23.9\nCU\n");
    EXPECT_EQ(nameOf("citrix/ica/wfica.exe", {.ProductName = "Citrix Workspace"}),
              "Citrix Workspace LTSR");
    EXPECT_EQ(nameOf("citrix2/ica/wfica.exe", {.ProductName = "Citrix Workspace"}),
              "Citrix Workspace");

    temp.write("eset/SecurityProductInformation.ini",
               "[Product]\nName=  ESET Smart Security Premium \nName=Later\n");
    EXPECT_EQ(nameOf("eset/egui.exe", {.ProductName = "ESET Security"}),
              "ESET Smart Security Premium");

    temp.write("rambox/resources/app-update.yml", "provider: x\nchannel: community-edition\n");
    EXPECT_EQ(nameOf("rambox/Rambox.exe", {.ProductName = "Rambox"}), "Rambox CE");

    temp.write("moz/defaults/update-settings.ini", "[Settings]\nACCEPTED=esr\nx=ESR\n");
    EXPECT_EQ(nameOf("moz/firefox.exe", {.ProductName = "Firefox", .CompanyName = "Mozilla Corp"}),
              "Firefox (ESR)");
    temp.write("moz2/update-settings.ini", "[Settings]\nACCEPTED=release\n");
    temp.write("moz2/sub/update-settings.ini", "[Settings]\nACCEPTED=esr\n");
    EXPECT_EQ(nameOf("moz2/firefox.exe", {.ProductName = "Firefox", .CompanyName = "Mozilla"}),
              "Firefox");

    temp.write("cpuz/cpuz_readme.txt",
               "Intro\r\nROG CPU-Z Readme file\r\nTUF CPU-Z readme FILE\r\n");
    EXPECT_EQ(nameOf("cpuz/cpuz_x64.exe", {.ProductName = "CPU-Z"}),
              "CPU-Z ROG Edition TUF Edition");
}

TEST_F(HookRows, OtherFilesVersionTextsDecideA49) {
    exe("sib/StartIsBack32.dll", {.FileDescription = "StartIsBack++ for Windows 10"});
    exe("sib2/StartIsBack32.dll", {.FileDescription = "StartIsBack+ for Windows 8"});
    EXPECT_EQ(nameOf("sib/StartIsBackCfg.exe", {.ProductName = "StartIsBack"}), "StartIsBack++");
    EXPECT_EQ(nameOf("sib2/StartIsBackCfg.exe", {.ProductName = "StartIsBack"}), "StartIsBack+");
}

TEST_F(HookRows, TheExecutablesOwnBytesAndVersionDecideA146AndB18) {
    const VersionTexts qbt{.ProductName = "qBittorrent"};
    const std::string pe =
        dm::test::writePe(false, platform::writeVersionBlock(contentOf(qbt))).Bytes;
    const std::string mark = "qBittorrent Enhanced Edition";
    // The mark straddles the border between two read pieces.
    const std::string padded = pe + std::string(1024 * 1024 - pe.size() - 10, '\0') + mark;
    EXPECT_EQ(GetSoftwareName(context, temp.write("qbt/qbittorrent.exe", padded)), mark);
    EXPECT_EQ(GetSoftwareName(context, temp.write("qbt2/qbittorrent.exe", pe)), "qBittorrent");

    const VersionTexts flash{.ProductName = "Adobe Flash Player for Firefox"};
    const auto content = withFileVersion(flash, 32 << 16, 465);
    EXPECT_EQ(GetSoftwareName(context, writePe("fl/NPSWF64_32_0_0_465.dll", content)),
              "Adobe Flash Player for Firefox (64 bits)");
    EXPECT_EQ(GetSoftwareName(context, writePe("fl/NPSWF32_32_0_0_465.dll", content)),
              "Adobe Flash Player for Firefox");
    // Without a fixed version the file name is not tested for the bare "64_".
    auto unversioned = contentOf(flash);
    unversioned.Fixed.reset();
    EXPECT_EQ(GetSoftwareName(context, writePe("fl/NPSWF64_.dll", unversioned)),
              "Adobe Flash Player for Firefox");
}

TEST_F(HookRows, TheReleaseLineComesFromTheChangelog) {
    const VersionTexts node{.ProductName = "Node.js", .ProductVersion = "18.12.1"};
    temp.write("lts/CHANGELOG.md",
               "<th><a href=\"doc/CHANGELOG_V19.md\">19</a> (Current)</th>\n"
               "<td><a href=\"doc/CHANGELOG_V18.md\">18</a><sup>LTS</sup></td>\n");
    temp.write("cur/CHANGELOG.md", "<a href=\"x/changelog_v18.md\">18</a><sup>Current</sup>\n");
    temp.write("none/CHANGELOG.md", "# Changelog\n");
    EXPECT_EQ(nameOf("lts/node.exe", node), "Node.js (LTS)");
    EXPECT_EQ(nameOf("cur/node.exe", node), "Node.js (Current)");
    EXPECT_EQ(nameOf("none/node.exe", node), "Node.js");
    EXPECT_TRUE(processes.calls.empty()) << "a changelog beside the program: it is not run";
}

TEST_F(HookRows, WithoutAChangelogTheProgramIsAskedWithAnArgumentVector) {
    const VersionTexts node{.ProductName = "Node.js", .ProductVersion = "20.1.0"};
    const auto current = exe("p1/node.exe", node);
    const auto lts = exe("p2/node.exe", node);
    const auto silent = exe("p3/node.exe", node);
    const auto other = exe("p4/nodejs.exe", node);
    processes.outputs[current] = "undefined\n";
    processes.outputs[lts] = "{ name: 'Iron' }\n";
    processes.outputs[silent] = "";
    EXPECT_EQ(GetSoftwareName(context, current), "Node.js (Current)");
    EXPECT_EQ(GetSoftwareName(context, lts), "Node.js (LTS)");
    EXPECT_EQ(GetSoftwareName(context, silent), "Node.js");
    EXPECT_EQ(GetSoftwareName(context, other), "Node.js");
    ASSERT_EQ(processes.calls.size(), 3u) << "only a file named node is run";
    EXPECT_EQ(processes.calls[0].program, current);
    EXPECT_EQ(processes.calls[0].arguments,
              (std::vector<std::string>{"-pe", "process.release.lts"}));
    context.processes = nullptr;
    EXPECT_EQ(GetSoftwareName(context, current), "Node.js");
}

TEST_F(HookRows, ARealProgramIsRunAndItsOutputRead) {
    platform::LinuxProcessRunner runner;
    context.processes = &runner;
    EXPECT_EQ(GetSoftwareName(context, fromDisk(NODE_STUB)), "Node.js (Current)");
}

} // namespace
} // namespace dm::update::test
