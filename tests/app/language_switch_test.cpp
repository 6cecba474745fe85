// Tests of the language switch in the main window: retranslation, rescan, units, failures.
#include "app/MainWindowFixture.h"
#include "framework/RunLog.h"
#include "localisation/LangList.h"
#include "localisation/TextStorage.h"
#include "localisation/format/LanguageFile.h"
#include "platform/qt/QtText.h"
#include "support/LanguageFileWriter.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace dm::test {
namespace {

class LanguageSwitchTest : public MainWindowTest {
protected:
    LanguageSwitchTest() : program(dir.dir() + "dimmetric") { platform.versions = program; }

    // A German language file for the main window, as a translator's tool writes one.
    void writeGermanFile() {
        const std::pair<const char*, const char*> captions[] = {
            {"MainDlg.slot1_grp", "Steckplatz 1"},
            {"MainDlg.Quit1", "&Beenden"},
        };
        LanguageFileContent file{.languageId = 0x0407,
                                 .listTitle = "Deutsch",
                                 .languageName = "German",
                                 .listNote = "test"};
        const auto group = [&](const std::string& path, int tag, const std::string& text) {
            const std::int32_t translated = tag | kTextTranslated;
            file.groups.push_back({.path = path,
                                   .captionTag = tag == kTextCaption ? translated : 0,
                                   .caption = tag == kTextCaption ? text : "",
                                   .itemsTag = tag == kTextItems ? translated : 0,
                                   .items = tag == kTextItems ? text : ""});
        };
        for (const auto& [path, caption] : captions)
            group(path, kTextCaption, caption);
        QStringList items = MainDlg(platform, ProgramStart{DIMMETRIC_EXE, {}}).mainTS()->Items();
        items[items.indexOf("Capacity")] = "Kapazitaet";
        items[items.indexOf("Number of slots :")] = "Anzahl Steckplaetze :";
        items[items.indexOf("Empty slot !")] = "Leerer Steckplatz !";
        group("MainDlg.mainTS", kTextItems, platform::fromQt(items.join("\r\n") + "\r\n"));
        ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_00000407.SPK", file));
    }

    ProgramInFolder program;
};

TEST_F(LanguageSwitchTest, ChosenLanguageRetranslatesAndRescansTheWindow) {
    writeGermanFile();
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    ASSERT_EQ(listRows(1)[1], "Capacity=8 GB");

    ASSERT_TRUE(window.lng()->ScanLanguageFiles());
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x0407));

    EXPECT_EQ(listRows(1)[1], "Kapazitaet=8 GB");
    EXPECT_EQ(platform::fromQt(group(1).title()), "Steckplatz 1");
    EXPECT_EQ(platform::fromQt(window.findChild<QAction*>("Quit1")->text()), "&Beenden");
    EXPECT_EQ(platform::fromQt(static_cast<QLabel&>(child("slots_lbl")).text()),
              "Anzahl Steckplaetze : 4");
    EXPECT_EQ(platform::fromQt(static_cast<QAbstractButton&>(child("getRAM2_btn")).text()),
              "Leerer Steckplatz !\n\rClick here to get more RAM");
    // The rescan's log lines carry the new captions.
    const auto& lines = window.Log()->Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.ends_with("\t0\tKapazitaet\t8 GB");
    }));
}

// After German, a French file that lacks a few texts shows those in the program's own English,
// not in German; what it has shows in French.
TEST_F(LanguageSwitchTest, ASwitchShowsTheTextsTheNewFileLacksUntranslated) {
    writeGermanFile();
    QStringList items = MainDlg(platform, ProgramStart{DIMMETRIC_EXE, {}}).mainTS()->Items();
    items[items.indexOf("Empty slot !")] = "Emplacement vide !";
    LanguageFileContent file{.languageId = 0x040C, .listTitle = "Francais", .listNote = "test"};
    file.groups.push_back({.path = "MainDlg.Quit1",
                           .captionTag = kTextCaption | kTextTranslated,
                           .caption = "&Quitter"});
    file.groups.push_back({.path = "MainDlg.mainTS",
                           .itemsTag = kTextItems | kTextTranslated,
                           .items = platform::fromQt(items.join("\r\n") + "\r\n")});
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_0000040C.SPK", file));
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();

    ASSERT_TRUE(window.lng()->ScanLanguageFiles());
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x0407));
    ASSERT_EQ(platform::fromQt(group(1).title()), "Steckplatz 1");
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x040C));

    EXPECT_EQ(platform::fromQt(group(1).title()), "Slot 1");
    EXPECT_EQ(platform::fromQt(window.findChild<QAction*>("Quit1")->text()), "&Quitter");
    EXPECT_EQ(listRows(1)[1], "Capacity=8 GB");
    EXPECT_EQ(platform::fromQt(static_cast<QLabel&>(child("slots_lbl")).text()),
              "Number of slots : 4");
    EXPECT_EQ(platform::fromQt(static_cast<QAbstractButton&>(child("getRAM2_btn")).text()),
              "Emplacement vide !\n\rClick here to get more RAM");
}

// The memory figures of the next sample carry the new language's units at once, not the ones
// handed over at the first activation.
TEST_F(LanguageSwitchTest, SampleAfterASwitchUsesTheNewUnits) {
    QStringList items = MainDlg(platform, ProgramStart{DIMMETRIC_EXE, {}}).mainTS()->Items();
    items[items.indexOf("GB")] = "Go";
    items[items.indexOf("Total :")] = "Installee :";
    LanguageFileContent file{.languageId = 0x040C, .listTitle = "Francais", .listNote = "test"};
    file.groups.push_back({.path = "MainDlg.mainTS",
                           .itemsTag = kTextItems | kTextTranslated,
                           .items = platform::fromQt(items.join("\r\n") + "\r\n")});
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_0000040C.SPK", file));
    setInventory(nullptr);
    memory.result = platform::MemoryStatusSample{50, 15ull << 30, 7ull << 30};
    memory.installed = 16ull << 20;
    MainDlg& window = start();
    window.Mem_tmrTimer();
    ASSERT_EQ(platform::fromQt(static_cast<QLabel&>(child("phytot_lbl")).text()), "Total : 16 GB");

    ASSERT_TRUE(window.lng()->ScanLanguageFiles());
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x040C));
    EXPECT_EQ(platform::fromQt(static_cast<QLabel&>(child("phytot_lbl")).text()),
              "Installee : 16 Go");
    EXPECT_EQ(platform::fromQt(static_cast<QLabel&>(child("phyused_lbl")).text()), "Used : 8 Go");
}

// A message box whose dismissal activates the application again, as closing a box does; bounded,
// so that a sequence that would start again at every activation shows a few boxes, not endless.
class ReactivatingMessageBox : public platform::FakeMessageBox {
public:
    int show(platform::WindowHandle owner, const std::string& text, const std::string& caption,
             std::uint32_t flags) override {
        const int answer = FakeMessageBox::show(owner, text, caption, flags);
        if (shown.size() < 4)
            emit qApp->applicationStateChanged(Qt::ApplicationActive);
        return answer;
    }
};

TEST_F(LanguageSwitchTest, ALanguageFileThatFailsAtFirstActivationIsReportedOnceAndTheWindowWorks) {
    LanguageFileContent file{.languageId = 0x0407, .listTitle = "Deutsch", .flagPicture = "GIF89a"};
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_00000407.SPK", file));
    system.languageId = 0x0407;
    ReactivatingMessageBox box;
    platform.messageBox = box;
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    emit qApp->applicationStateChanged(Qt::ApplicationActive);

    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Bitmap image is not valid");
    // The main window's sequence ran all the same.
    EXPECT_TRUE(window.Log());
    EXPECT_EQ(window.windowTitle(), "Dimmetric v1.23.0.47");
    EXPECT_EQ(platform::fromQt(window.findChild<QLabel*>("slots_lbl")->text()),
              "Number of slots : 4");
    EXPECT_TRUE(window.findChild<QTimer*>("Mem_tmr")->isActive());
    // The failed language is not the stored choice, so the next start does not fail again.
    const auto key =
        registry.openKey(platform::RegistryRoot::CurrentUser, "Software\\Brackenway\\Dimmetric",
                         platform::RegistryAccess::Read);
    EXPECT_FALSE(key && key->readDword("lng").ok());
}

} // namespace
} // namespace dm::test
