// Tests of the whole program in the test process: start, update check, language, close.
#include "app/MainWindowFixture.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/LanguageChoice.h"
#include "localisation/TextStorage.h"
#include "localisation/format/LanguageFile.h"
#include "platform/qt/QtText.h"
#include "support/LanguageFileWriter.h"
#include "update/net/FileGrabber.h"
#include "update/net/HttpPresets.h"
#include "update/net/TestServer.h"
#include "update/net/VigilLite.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace dm::test {
namespace {

namespace fs = std::filesystem;
using platform::RegistryAccess;
using platform::RegistryRoot;

const char* const kLinks = "[links]\r\nram=https://shop.example/ram\r\n";

// The whole program in the test process: its three forms on fakes (registry in memory, recording
// shell, scripted message box), a copy of the program in <test>/program/ with its language files
// and "settings.ini", the data folder below the test's folder, and the maker's web server on
// loopback over HTTPS, named by DIMMETRIC_SERVER.
class ProgramRunTest : public MainWindowTest {
protected:
    ProgramRunTest() : program(dir.dir() + "program/dimmetric") {
        fs::create_directories(dir.path() / "program");
        fs::create_symlink(DIMMETRIC_EXE, dir.path() / "program/dimmetric");
        exeName = dir.dir() + "program/dimmetric";
        platform.versions = program;
        // A current system: the requests use TLS.
        system.workstation = platform::WorkstationVersion{10, 0};
        server.serve("/vigil/check.php", 200, "OK", "1.23.0.47");
        server.serve("/dimmetric/dimmetric.ini", 200, "OK", kLinks);
        useServer(server.hostPort());
        board = makeBoard(4, {module("DIMM0"), module("DIMM1")});
        setInventory(&board);
    }

    static void useServer(const std::string& hostPort) {
        ::setenv("DIMMETRIC_SERVER", hostPort.c_str(), 1);
    }

    // As at start-up: the forms are made, the window shown and the application activated (the
    // language list's sequence first, then the window's); then the event loop runs until the
    // links download and the update check are over.
    MainDlg& run(std::vector<std::string> parameters = {}) {
        startForms(std::move(parameters));
        window().show();
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_TRUE(settle());
        return window();
    }

    bool settle() {
        return QTest::qWaitFor(
            [&] {
                return window().Checker() && !window().Checker()->Busy() && window().Grabber() &&
                       !window().Grabber()->Busy();
            },
            20000);
    }

    // The window's text table as the program has it.
    QStringList mainTexts() {
        return MainDlg(platform, ProgramStart{DIMMETRIC_EXE, {}}).mainTS()->Items();
    }
    // A German language file whose text table has the lines items.
    void writeGermanFile(const QStringList& items) {
        LanguageFileContent file{
            .languageId = 0x0407, .listTitle = "Deutsch", .languageName = "German"};
        file.groups.push_back({.path = "MainDlg.mainTS",
                               .itemsTag = kTextItems | kTextTranslated,
                               .items = platform::fromQt(items.join("\r\n") + "\r\n")});
        ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "program/QV_00000407.SPK", file));
    }
    // Runs the program with a German file of the first count texts of the window's table, as
    // written when the window had no more: its lines keep their places and later texts stay in
    // English.
    void expectOlderFile(int count) {
        const QStringList all = mainTexts();
        ASSERT_EQ(all.size(), 25);
        QStringList items = all.mid(0, count);
        items[items.indexOf("Dimmetric is already up to date.")] = "Dimmetric ist aktuell.";
        items[items.indexOf("Serial#")] = "Seriennummer";
        if (count > 22)
            items[22] = "Keine Pruefung.";
        writeGermanFile(items);
        dir.write("program/settings.ini", "[Settings_DWORD]\r\nlng=1031\r\n");
        run();
        EXPECT_EQ(window().TS("Dimmetric is already up to date."), "Dimmetric ist aktuell.");
        EXPECT_EQ(window().TS("Serial#"), "Seriennummer");
        EXPECT_EQ(window().TS("The update check could not be made."),
                  count > 22 ? "Keine Pruefung." : "The update check could not be made.");
        for (const char* later : {"The update server could not be reached.",
                                  "The update server answered, but not with a version number."})
            EXPECT_EQ(window().TS(later), later);
    }

    // A German language file translating the "Capacity" row.
    void writeGermanFile() {
        QStringList items = mainTexts();
        items[items.indexOf("Capacity")] = "Kapazitaet";
        writeGermanFile(items);
    }

    std::vector<std::string> logMessages() {
        std::vector<std::string> messages;
        const auto& lines = window().Log()->Lines();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line)
            messages.push_back(line->substr(line->find('\t', line->find('\t') + 1) + 1));
        return messages;
    }
    bool logHas(const std::string& message) {
        const auto messages = logMessages();
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }
    int count(const std::string& message) {
        const auto messages = logMessages();
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }

    std::string dataFolder() const { return dir.dir() + "data/Brackenway/Dimmetric/"; }
    std::string settingsIni() const { return dir.dir() + "program/settings.ini"; }
    bool hasKey(const char* path) {
        return static_cast<bool>(
            registry.openKey(RegistryRoot::CurrentUser, path, RegistryAccess::Read));
    }
    QAction& action(const char* name) { return *window().findChild<QAction*>(name); }

    ProgramInFolder program;
    TestServer server{TestServer::Tls::On};
    SmbiosWriter board{3, 3};
};

TEST_F(ProgramRunTest, PortableStartAppliesItsLanguageBeforeTheFirstScanAndLogsInOrder) {
    writeGermanFile();
    dir.write("program/settings.ini", "[Settings_DWORD]\r\nlng=1031\r\n");
    run();

    EXPECT_EQ(listRows(1)[1], "Kapazitaet=8 GB");
    // The dialog's chooser, first in the chain, names the language with two leading spaces.
    const LanguageChoice& chooser = *forms().languageDialog().LanguageChoice1();
    EXPECT_EQ(platform::fromQt(chooser.captionLabel()->text()), "  German");
    EXPECT_EQ(chooser.entries()->currentRow(), 0);
    const std::vector<std::string> messages = logMessages();
    const std::vector<std::string> start(messages.begin(), messages.begin() + 13);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "Starting", exeName, "Dimmetric v1.23.0.47", "Windows : Unknown",
                         "64Bits : No", "Administrator : No", "Portable : Yes",
                         "OpenSSL : " + update::GetSslVersionText(system), "Self update check...",
                         "Dimmetric Update self check : Initialization", "Scanning memory banks...",
                         "Scanning slot #0", "0\tSlot Name\tDIMM0"}));
    // The first scan with a log already carries the stored language.
    EXPECT_TRUE(logHas("0\tKapazitaet\t8 GB"));
    EXPECT_EQ(count("Scanning memory banks..."), 1);
    // Then the download and the silent check: no message.
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const std::string& m) {
        return m.rfind("File downloaded in ", 0) == 0;
    }));
    EXPECT_TRUE(logHas("Dimmetric is already up to date."));
    EXPECT_TRUE(messageBox.shown.empty());
    EXPECT_EQ(TempDir::read(dataFolder() + "dimmetric.ini"), kLinks);
    EXPECT_TRUE(action("Checkforupdate1").isEnabled());
    EXPECT_FALSE(window().Silent());
}

TEST_F(ProgramRunTest, FirstParameterIsTheBannersEighthLine) {
    run({"-co", "second"});
    const std::vector<std::string> messages = logMessages();
    ASSERT_GE(messages.size(), 9u);
    EXPECT_EQ(messages[6], "Portable : Yes");
    EXPECT_EQ(messages[7], "-co");
    EXPECT_EQ(messages[8].rfind("OpenSSL : ", 0), 0u);
    EXPECT_EQ(messages[9], "Self update check...");
    EXPECT_TRUE(fs::exists(dir.path() / "program/QV_ORIGINAL.SPK"));
}

TEST_F(ProgramRunTest, ATemplateThatCannotBeWrittenIsLoggedAndShownOnceAndTheRunGoesOn) {
    // Something that is no file holds the template's place: even root cannot write it.
    fs::create_directory(dir.path() / "program/QV_ORIGINAL.SPK");
    run({"-co"});
    const std::string begins =
        "The language template could not be written to " + dir.dir() + "program/QV_ORIGINAL.SPK: ";
    const std::vector<std::string> messages = logMessages();
    ASSERT_GE(messages.size(), 10u);
    EXPECT_EQ(messages[8].rfind("OpenSSL : ", 0), 0u);
    EXPECT_EQ(messages[9].rfind(begins, 0), 0u) << messages[9];
    EXPECT_GT(messages[9].size(), begins.size());
    const auto& lines = window().Log()->Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind("Error\t", 0) == 0 && line.find(begins) != std::string::npos;
    }));
    EXPECT_EQ(messages[10], "Self update check...");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messageBox.shown.empty(); }));
    QTest::qWait(50);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, messages[9]);
    EXPECT_EQ(messageBox.shown[0].caption, "Warning");
    EXPECT_EQ(messageBox.shown[0].flags,
              static_cast<std::uint32_t>(platform::MB_OK | platform::MB_ICONEXCLAMATION));
    // The program runs on: the slots are scanned.
    EXPECT_EQ(listRows(1)[1], "Capacity=8 GB");
}

TEST_F(ProgramRunTest, NewerVersionOnTheServerAsksAndYesOpensTheHomePage) {
    server.serve("/vigil/check.php", 200, "OK", "1.23.0.48");
    run();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text,
              "A new version of Dimmetric is available. Do you want to download update now ?");
    EXPECT_EQ(messageBox.shown[0].caption, "Question");
    EXPECT_EQ(messageBox.shown[0].flags & platform::MB_TYPEMASK, platform::MB_YESNO);
    EXPECT_TRUE(logHas("New version of Dimmetric is detected"));
    EXPECT_FALSE(logHas("Dimmetric is already up to date."));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, "https://" + server.hostPort() + "/");
    EXPECT_EQ(shell.opened[0].options.owner, nullptr);
    EXPECT_TRUE(shell.opened[0].options.noErrorUi);

    // Asked from the menu and answered No: nothing is opened.
    messageBox.answers = {platform::IDNO};
    action("Checkforupdate1").trigger();
    ASSERT_TRUE(settle());
    EXPECT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(ProgramRunTest, AManualCheckThatFailsSaysSoAndWhyNotUpToDate) {
    const std::string down = "127.0.0.1:" + std::to_string(closedPort());
    struct Case {
        const char* reply; // null: the server is down
        int status;
        const char* reason;
        std::string text; // the whole message, or how it begins when whole is false
        bool whole;
    };
    const std::string failed = "The update check could not be made.\n";
    const std::string noVersion = "The update server answered, but not with a version number.";
    const Case cases[] = {
        {nullptr, 0, "",
         failed + "The update server could not be reached.\nFailed to connect to 127.0.0.1 port ",
         false},
        {"<html>Maintenance</html>", 200, "OK", failed + noVersion, true},
        {"<html>Oops</html>", 500, "Internal Server Error",
         failed + noVersion + "\nHTTP/1.1 500 Internal Server Error", true},
        {"", 404, "Not Found", failed + noVersion + "\nHTTP/1.1 404 Not Found", true},
        {"1.23.0.47", 200, "OK", "Dimmetric is already up to date.", true},
    };
    useServer(down);
    run();
    // The silent check at start failed and says nothing.
    EXPECT_TRUE(messageBox.shown.empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.reply)
            server.serve("/vigil/check.php", c.status, c.reason, c.reply);
        useServer(c.reply ? server.hostPort() : down);
        messageBox.shown.clear();
        action("Checkforupdate1").trigger();
        ASSERT_TRUE(settle());
        ASSERT_EQ(messageBox.shown.size(), 1u);
        if (c.whole)
            EXPECT_EQ(messageBox.shown[0].text, c.text);
        else
            EXPECT_EQ(messageBox.shown[0].text.rfind(c.text, 0), 0u) << messageBox.shown[0].text;
        EXPECT_EQ(messageBox.shown[0].caption, "Dimmetric");
        EXPECT_EQ(messageBox.shown[0].flags & platform::MB_TYPEMASK, platform::MB_OK);
        const bool valid = c.reply && std::string(c.reply) == "1.23.0.47";
        EXPECT_EQ(logHas("Dimmetric is already up to date."), valid);
        // The log keeps its words: the cause line is verbose and the program's log drops it.
        EXPECT_FALSE(logHas("The update server could not be reached."));
        EXPECT_TRUE(action("Checkforupdate1").isEnabled());
    }
}

TEST_F(ProgramRunTest, ALanguageFileWrittenBeforeTheFailureTextStillTranslatesItsLines) {
    expectOlderFile(22);
}

TEST_F(ProgramRunTest, ALanguageFileWrittenBeforeTheFailureCausesStillTranslatesItsLines) {
    expectOlderFile(23);
}

TEST_F(ProgramRunTest, CtrlGDuringACheckDoesNothing) {
    // The server never answers the check: it stays running.
    server.on("/vigil/check.php", [](const SeenRequest&, ServerConnection&) {});
    startForms({});
    window().show();
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() >= 2; }, 20000));
    ASSERT_TRUE(window().Checker()->Busy());
    EXPECT_FALSE(action("Checkforupdate1").isEnabled());
    window().activateWindow();
    QTest::keyClick(&window(), Qt::Key_G, Qt::ControlModifier);
    action("Checkforupdate1").trigger();
    window().Checkforupdate1Click();
    QTest::qWait(200);
    EXPECT_EQ(count("Self update check..."), 1);
    const std::vector<SeenRequest> requests = server.requests();
    const auto checks = std::count_if(requests.begin(), requests.end(), [](const SeenRequest& r) {
        return r.target.rfind("/vigil/check.php", 0) == 0;
    });
    EXPECT_EQ(checks, 1);
}

TEST_F(ProgramRunTest, LanguageDialogClickRescansOnceAndTheExportCarriesTheNewCaptions) {
    writeGermanFile();
    run();
    ASSERT_EQ(listRows(1)[1], "Capacity=8 GB");
    const int scans = count("Scanning memory banks...");
    LanguageChoice& chooser = *forms().languageDialog().LanguageChoice1();
    ASSERT_EQ(chooser.entries()->count(), 1);
    QListWidget& entries = *chooser.entries();
    QTimer::singleShot(0, &forms().languageDialog(), [&] {
        QTest::mouseClick(entries.viewport(), Qt::LeftButton, {},
                          entries.visualItemRect(entries.item(0)).center());
        forms().languageDialog().close();
    });
    action("Language1").trigger();
    EXPECT_EQ(count("Scanning memory banks..."), scans + 1);
    EXPECT_EQ(platform::fromQt(chooser.captionLabel()->text()), "German");
    action("ext1").trigger();
    const std::string exported = TempDir::read(dataFolder() + "export.txt");
    EXPECT_NE(exported.find("Kapazitaet\t8 GB"), std::string::npos) << exported;
}

// No language loaded (nothing stored, no file for the user's language): opening the language
// dialog from the menu and closing it switches nothing, and the portable copy's settings file
// keeps no choice.
TEST_F(ProgramRunTest, OpeningAndClosingTheLanguageDialogStoresNothing) {
    writeGermanFile();
    run();
    const int scans = count("Scanning memory banks...");
    bool shown = false;
    QTimer::singleShot(0, &forms().languageDialog(), [&] {
        shown = forms().languageDialog().isVisible();
        forms().languageDialog().close();
    });
    action("Language1").trigger();
    ASSERT_TRUE(shown);
    EXPECT_EQ(count("Scanning memory banks..."), scans);
    EXPECT_EQ(listRows(1)[1], "Capacity=8 GB");
    window().close();
    EXPECT_EQ(TempDir::read(settingsIni()).find("lng"), std::string::npos)
        << TempDir::read(settingsIni());
}

TEST_F(ProgramRunTest, PortableCloseLeavesOnlyAnUpToDateSettingsFile) {
    writeGermanFile();
    run();
    window().lng()->SelectLanguageId(0x0407);
    ASSERT_TRUE(fs::exists(dataFolder() + "Dimmetric.log") || fs::exists(dataFolder()));
    window().close();
    EXPECT_FALSE(hasKey(kProductSettingsKey));
    EXPECT_FALSE(hasKey(kMakerKey));
    EXPECT_FALSE(fs::exists(dataFolder()));
    EXPECT_FALSE(fs::exists(dir.path() / "data/Brackenway"));
    EXPECT_NE(TempDir::read(settingsIni()).find("[Settings_DWORD]\r\nlng=1031\r\n"),
              std::string::npos);
}

TEST_F(ProgramRunTest, PortableCloseKeepsTheUsersExportsAndNothingElse) {
    run();
    action("ext1").trigger();
    action("Spreadsheet1").trigger();
    const std::string text = TempDir::read(dataFolder() + "export.txt");
    const std::string spreadsheet = TempDir::read(dataFolder() + "export.csv");
    ASSERT_TRUE(fs::exists(dataFolder() + "dimmetric.ini"));
    window().close();
    window().FormDestroy(); // the program's end: what it frees saves nothing more
    EXPECT_EQ(TempDir::read(dataFolder() + "export.txt"), text);
    EXPECT_EQ(TempDir::read(dataFolder() + "export.csv"), spreadsheet);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dataFolder()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    // No log written after the wipe, no links file.
    EXPECT_EQ(left, (std::vector<std::string>{"export.csv", "export.txt"}));
    EXPECT_FALSE(hasKey(kProductSettingsKey));
}

TEST_F(ProgramRunTest, CloseWhoseSettingsFileCannotBeWrittenKeepsTheRegistry) {
    fs::create_directories(settingsIni()); // a folder in the way
    writeGermanFile();
    run();
    window().lng()->SelectLanguageId(0x0407);
    window().close();
    EXPECT_TRUE(hasKey(kProductSettingsKey));
    EXPECT_EQ(ReadMakerValue(registry, "Dimmetric"), exeName);
}

TEST_F(ProgramRunTest, InstalledCopyClosesTouchingOnlyTheVirtualStoreLanguageFiles) {
    auto entry = registry.createKey(
        RegistryRoot::LocalMachine,
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dimmetric", RegistryAccess::Full);
    ASSERT_TRUE(entry && entry->writeString("DisplayName", "Brackenway Dimmetric 1.23"));
    dir.write("program/settings.ini", "[Settings_DWORD]\r\nlng=1031\r\n");
    const std::string store = dir.dir() + "cache/VirtualStore" + dir.dir() + "program/";
    const std::string language = dir.write(store.substr(dir.dir().size()) + "QV_00000407.SPK", "x");
    const std::string other = dir.write(store.substr(dir.dir().size()) + "readme.txt", "x");
    run();
    EXPECT_TRUE(logHas("Portable : No"));
    // Not imported at creation.
    auto settings =
        registry.openKey(RegistryRoot::CurrentUser, kProductSettingsKey, RegistryAccess::Read);
    EXPECT_FALSE(settings && settings->readDword("lng").ok());
    window().close();
    EXPECT_FALSE(fs::exists(language));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(dataFolder() + "dimmetric.ini"));
    EXPECT_EQ(ReadMakerValue(registry, "Dimmetric"), exeName);
    EXPECT_EQ(TempDir::read(settingsIni()), "[Settings_DWORD]\r\nlng=1031\r\n");
}

} // namespace
} // namespace dm::test
