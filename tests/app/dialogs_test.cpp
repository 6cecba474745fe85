#include "app/AboutDlg.h"
#include "app/MainWindowFixture.h"
#include "app/MakerSite.h"
#include "app/QtText.h"
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/LanguageChoice.h"
#include "localisation/LanguageFile.h"
#include "localisation/Storefile.h"
#include "localisation/TextStorage.h"
#include "support/LanguageFileWriter.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

namespace dm::test {
namespace {

// The program's forms with the running program in the test's folder.
class DialogsTest : public MainWindowTest {
protected:
    DialogsTest() : program(dir.dir() + "dimmetric") { platform.versions = &program; }

    AboutDlg& About() { return Forms().About(); }
    QLabel& AboutLabel(const char* name) { return *About().findChild<QLabel*>(name); }
    QPushButton& AboutButton(const char* name) { return *About().findChild<QPushButton*>(name); }

    // The component paths of a language file, in file order.
    static std::vector<std::string> GroupPaths(const std::string& file) {
        Storefile records;
        records.SetSignature(std::string(kLanguageSignature));
        records.SetFilename(file);
        records.SetReadOnly(true);
        records.SetActive(true);
        std::vector<std::string> paths;
        while (!records.Eof()) {
            std::string text;
            // The path record of a group: tag 529, or 530 when the group has a hint.
            const auto tag = records.ReadString(text, true);
            if (tag == 529 || tag == 530)
                paths.push_back(text);
        }
        return paths;
    }

    ProgramInFolder program;
};

TEST_F(DialogsTest, AboutBoxShowsNameVersionAndFollowsTheLanguage) {
    SetInventory(nullptr);
    Start();
    EXPECT_EQ(About().size(), QSize(389, 285));
    EXPECT_EQ(AboutLabel("Image1").pixmap().size(), QSize(388, 96));
    EXPECT_EQ(AboutButton("ok_btn").geometry(), QRect(274, 139, 81, 33));
    EXPECT_EQ(AboutButton("forum_btn").geometry(), QRect(8, 80, 97, 28));

    About().UpdateTexts();
    EXPECT_EQ(FromQt(About().windowTitle()), "About Dimmetric");
    EXPECT_EQ(FromQt(AboutLabel("appname_lbl").text()), "Application Name : Dimmetric");
    EXPECT_EQ(FromQt(AboutLabel("version_lbl").text()), "Version : 1.23.0.47");

    // A language that translates the box's table; the next showing carries it.
    LanguageFileContent german{.languageId = 0x0407, .listTitle = "Deutsch", .languageName = "G"};
    german.groups.push_back({.path = "AboutDlg.TS_about",
                             .itemsTag = kTextItems | kTextTranslated,
                             .items = "Info\r\nProgrammname :\r\nFassung :\r\n"});
    ASSERT_TRUE(WriteLanguageFile(dir.dir() + "QV_00000407.SPK", german));
    Window().lng()->ScanLanguageFiles();
    ASSERT_TRUE(Window().lng()->SelectLanguageId(0x0407));
    EXPECT_EQ(FromQt(About().windowTitle()), "About Dimmetric");

    QTimer::singleShot(0, &About(), [&] { About().close(); });
    // The close box is no Ok.
    EXPECT_FALSE(About().Execute());
    EXPECT_EQ(FromQt(About().windowTitle()), "Info Dimmetric");
    EXPECT_EQ(FromQt(AboutLabel("appname_lbl").text()), "Programmname : Dimmetric");
    EXPECT_EQ(FromQt(AboutLabel("version_lbl").text()), "Fassung : 1.23.0.47");

    QTimer::singleShot(0, &About(), [&] { AboutButton("ok_btn").click(); });
    EXPECT_TRUE(About().Execute());
}

TEST_F(DialogsTest, AboutBoxLinksOpenWithTheBoxAsOwner) {
    SetInventory(nullptr);
    Start();
    for (const char* button : {"email_btn", "web_btn", "forum_btn"})
        AboutButton(button).click();
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0].file, "mailto:" + MakerEmail());
    EXPECT_EQ(shell.opened[1].file, "https://" + MakerHost() + "/");
    EXPECT_EQ(shell.opened[2].file, "https://" + MakerHost() + "/forum");
    for (const auto& opened : shell.opened) {
        EXPECT_EQ(opened.options.owner, &About());
        EXPECT_FALSE(opened.options.noErrorUi);
        EXPECT_TRUE(opened.parameters.empty());
    }
}

TEST_F(DialogsTest, MenuShowsTheDialogs) {
    SetInventory(nullptr);
    MainDlg& window = Start();
    bool languageShown = false;
    QTimer::singleShot(0, &Forms().Language(), [&] {
        languageShown = Forms().Language().isVisible();
        Forms().Language().close();
    });
    window.findChild<QAction*>("Language1")->trigger();
    EXPECT_TRUE(languageShown);

    bool aboutShown = false;
    QTimer::singleShot(0, &About(), [&] {
        aboutShown = About().isVisible();
        About().close();
    });
    window.findChild<QAction*>("About1")->trigger();
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(FromQt(About().windowTitle()), "About Dimmetric");
}

TEST_F(DialogsTest, TemplateCoversTheThreeForms) {
    SetInventory(nullptr);
    MainDlg& window = Start({"-co"});
    window.lng()->FirstActivation();
    const std::string file = dir.dir() + "QV_ORIGINAL.SPK";
    ASSERT_TRUE(std::filesystem::exists(file));
    const auto paths = GroupPaths(file);
    const auto has = [&](const std::string& path) {
        return std::find(paths.begin(), paths.end(), path) != paths.end();
    };
    for (const char* path :
         {"MainDlg", "MainDlg.mainTS", "MainDlg.Quit1", "AboutDlg", "AboutDlg.appname_lbl",
          "AboutDlg.ok_btn", "AboutDlg.TS_about", "LangDlg"})
        EXPECT_TRUE(has(path)) << path;
    // The forms in the order the program makes them; the chooser has no texts of its own, and
    // its inner parts are not components of the dialog.
    const auto at = [&](const std::string& path) {
        return std::find(paths.begin(), paths.end(), path) - paths.begin();
    };
    EXPECT_LT(at("MainDlg"), at("AboutDlg"));
    EXPECT_LT(at("AboutDlg"), at("LangDlg"));
    EXPECT_EQ(paths.back(), "LangDlg");
}

TEST_F(DialogsTest, DialogsChooserTakesTheFirstPlaceInTheChain) {
    LanguageFileContent german{.languageId = 0x0407, .listTitle = "Deutsch", .languageName = "G"};
    ASSERT_TRUE(WriteLanguageFile(dir.dir() + "QV_00000407.SPK", german));
    SetInventory(nullptr);
    MainDlg& window = Start();
    LanguageChoice& chooser = *Forms().Language().LanguageChoice1();
    // Bound at creation: the files are listed before the first activation.
    ASSERT_EQ(chooser.Entries()->count(), 1);
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x0407));
    EXPECT_EQ(FromQt(chooser.CaptionLabel()->text()), "  G");
    EXPECT_EQ(chooser.Entries()->currentRow(), 0);
}

} // namespace
} // namespace dm::test
