#include "app/MainWindowFixture.h"
#include "app/QtText.h"
#include "framework/RunLog.h"
#include "localisation/LangList.h"
#include "localisation/LanguageFile.h"
#include "localisation/Storefile.h"
#include "localisation/TextStorage.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>

#include <algorithm>

namespace dm::test {
namespace {

// The program's version resources, with the running program in the test's folder, so that the
// language list finds its language files there.
class ProgramInFolder : public platform::VersionResources {
public:
    explicit ProgramInFolder(std::string exe) : exe_(std::move(exe)) {}
    bool fileExists(const std::string& path) override { return files_.fileExists(path); }
    std::optional<platform::VersionBlock> read(const std::string& path) override {
        return files_.read(path);
    }
    std::string moduleFileName() override { return exe_; }

private:
    platform::FileVersionResources files_;
    std::string exe_;
};

class LanguageSwitchTest : public MainWindowTest {
protected:
    LanguageSwitchTest() : program(dir.dir() + "dimmetric") { platform.versions = &program; }

    // A German language file for the main window, as a translator's tool writes one.
    void WriteGermanFile() {
        const std::pair<const char*, const char*> captions[] = {
            {"MainDlg.slot1_grp", "Steckplatz 1"},
            {"MainDlg.Quit1", "&Beenden"},
        };
        Storefile file;
        file.SetSignature(std::string(kLanguageSignature));
        file.SetFilename(dir.dir() + "QV_00000407.SPK");
        file.SetActive(true);
        ASSERT_TRUE(file.Active());
        file.WriteInteger(0, (4 << 16) | 0x0407);
        file.WriteString(1, "Deutsch");
        file.WriteString(2, "German");
        file.WriteString(3, "test");
        file.WriteString(4, "");
        file.WriteString(5, "");
        file.WriteInteger(512, 0);
        file.WriteInteger(516, 0);
        file.WriteString(517, "");
        file.WriteString(518, "");
        file.WriteString(513, "");
        file.WriteString(514, "");
        file.WriteInteger(515, 1);
        file.WriteInteger(516, 8);
        const auto group = [&](const std::string& path, int tag, const std::string& text) {
            file.WriteString(529, path);
            file.WriteInteger(768, 0);
            file.WriteString(tag == kTextCaption ? tag | kTextTranslated : 0,
                             tag == kTextCaption ? text : "");
            file.WriteString(0, "");
            file.WriteString(tag == kTextItems ? tag | kTextTranslated : 0,
                             tag == kTextItems ? text : "");
        };
        for (const auto& [path, caption] : captions)
            group(path, kTextCaption, caption);
        QStringList items = MainDlg(platform, ProgramStart{DIMMETRIC_EXE, {}}).mainTS()->Items();
        items[items.indexOf("Capacity")] = "Kapazitaet";
        items[items.indexOf("Number of slots :")] = "Anzahl Steckplaetze :";
        items[items.indexOf("Empty slot !")] = "Leerer Steckplatz !";
        group("MainDlg.mainTS", kTextItems, FromQt(items.join("\r\n") + "\r\n"));
    }

    ProgramInFolder program;
};

TEST_F(LanguageSwitchTest, ChosenLanguageRetranslatesAndRescansTheWindow) {
    WriteGermanFile();
    const auto board = Board(4, {Module("DIMM0")});
    SetInventory(&board);
    MainDlg& window = Start();
    ASSERT_EQ(Rows(1)[1], "Capacity=8 GB");

    ASSERT_TRUE(window.lng()->ScanLanguageFiles());
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x0407));

    EXPECT_EQ(Rows(1)[1], "Kapazitaet=8 GB");
    EXPECT_EQ(FromQt(Group(1).title()), "Steckplatz 1");
    EXPECT_EQ(FromQt(window.findChild<QAction*>("Quit1")->text()), "&Beenden");
    EXPECT_EQ(FromQt(static_cast<QLabel&>(Child("slots_lbl")).text()), "Anzahl Steckplaetze : 4");
    EXPECT_EQ(FromQt(static_cast<QAbstractButton&>(Child("getRAM2_btn")).text()),
              "Leerer Steckplatz !\n\rClick here to get more RAM");
    // The rescan's log lines carry the new captions.
    const auto& lines = window.Log()->Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.ends_with("\t0\tKapazitaet\t8 GB");
    }));
}

} // namespace
} // namespace dm::test
