// Tests of the about box and the language dialog: texts, links, group frames, the template.
#include "app/AboutDlg.h"
#include "app/MainWindowFixture.h"
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/LanguageChoice.h"
#include "localisation/TextStorage.h"
#include "localisation/format/LanguageFile.h"
#include "localisation/format/Storefile.h"
#include "platform/qt/QtText.h"
#include "support/LanguageFileWriter.h"
#include "update/net/MakerServer.h"

#include <QAction>
#include <QGroupBox>
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
    DialogsTest() : program(dir.dir() + "dimmetric") { platform.versions = program; }

    AboutDlg& aboutBox() { return forms().aboutBox(); }
    QLabel& aboutLabel(const char* name) { return *aboutBox().findChild<QLabel*>(name); }
    QPushButton& aboutButton(const char* name) { return *aboutBox().findChild<QPushButton*>(name); }

    // The component paths of a language file, in file order.
    std::vector<std::string> groupPaths(const std::string& file) {
        Storefile records(files);
        records.setSignature(std::string(kLanguageSignature));
        records.setFilename(file);
        records.setReadOnly(true);
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
    setInventory(nullptr);
    start();
    EXPECT_EQ(aboutBox().size(), QSize(389, 285));
    EXPECT_EQ(aboutLabel("Image1").pixmap().size(), QSize(388, 96));
    EXPECT_EQ(aboutButton("ok_btn").geometry(), QRect(274, 139, 81, 33));
    EXPECT_EQ(aboutButton("forum_btn").geometry(), QRect(8, 80, 97, 28));

    aboutBox().UpdateTexts();
    EXPECT_EQ(platform::fromQt(aboutBox().windowTitle()), "About Dimmetric");
    EXPECT_EQ(platform::fromQt(aboutLabel("appname_lbl").text()), "Application Name : Dimmetric");
    EXPECT_EQ(platform::fromQt(aboutLabel("version_lbl").text()), "Version : 1.23.0.47");

    // A language that translates the box's table; the next showing carries it.
    LanguageFileContent german{.languageId = 0x0407, .listTitle = "Deutsch", .languageName = "G"};
    german.groups.push_back({.path = "AboutDlg.TS_about",
                             .itemsTag = kTextItems | kTextTranslated,
                             .items = "Info\r\nProgrammname :\r\nFassung :\r\n"});
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_00000407.SPK", german));
    window().lng()->ScanLanguageFiles();
    ASSERT_TRUE(window().lng()->SelectLanguageId(0x0407));
    EXPECT_EQ(platform::fromQt(aboutBox().windowTitle()), "About Dimmetric");

    QTimer::singleShot(0, &aboutBox(), [&] { aboutBox().close(); });
    // The close box is no Ok.
    EXPECT_FALSE(aboutBox().Execute());
    EXPECT_EQ(platform::fromQt(aboutBox().windowTitle()), "Info Dimmetric");
    EXPECT_EQ(platform::fromQt(aboutLabel("appname_lbl").text()), "Programmname : Dimmetric");
    EXPECT_EQ(platform::fromQt(aboutLabel("version_lbl").text()), "Fassung : 1.23.0.47");

    QTimer::singleShot(0, &aboutBox(), [&] { aboutButton("ok_btn").click(); });
    EXPECT_TRUE(aboutBox().Execute());
}

// The first row, from the top, where a group box draws its frame's top line: looked for near the
// right edge, where no title and no child are.
int frameTopLine(QGroupBox& box) {
    const QImage drawn = box.grab().toImage();
    const int x = box.width() - 4;
    const QRgb background = drawn.pixel(x, 0);
    for (int y = 0; y < drawn.height(); ++y)
        if (drawn.pixel(x, y) != background)
            return y;
    return -1;
}

// Every titled group of the forms draws its frame's top line above its contents, not through
// them, also at the larger font that a language file's minimum font size gives.
TEST_F(DialogsTest, GroupContentsSitBelowTheFrameLine) {
    LanguageFileContent large{.languageId = 0x0407, .listTitle = "Deutsch", .minFontSize = 9};
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_00000407.SPK", large));
    setInventory(nullptr);
    start();
    aboutBox().UpdateTexts();
    for (bool translated : {false, true}) {
        if (translated) {
            window().lng()->ScanLanguageFiles();
            ASSERT_TRUE(window().lng()->SelectLanguageId(0x0407));
        }
        for (QWidget* form : {static_cast<QWidget*>(&window()), static_cast<QWidget*>(&aboutBox())})
            for (QGroupBox* box : form->findChildren<QGroupBox*>()) {
                if (box->title().isEmpty())
                    continue;
                const int line = frameTopLine(*box);
                ASSERT_GE(line, 0) << box->objectName().toStdString();
                for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    EXPECT_LT(line, child->y())
                        << box->objectName().toStdString() << " "
                        << child->objectName().toStdString() << (translated ? " translated" : "");
            }
    }
}

TEST_F(DialogsTest, AboutBoxLinksOpenWithTheBoxAsOwner) {
    setInventory(nullptr);
    start();
    for (const char* button : {"email_btn", "web_btn", "forum_btn"})
        aboutButton(button).click();
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0].file, "mailto:" + update::makerEmailAddress());
    EXPECT_EQ(shell.opened[1].file, "https://" + update::makerServerHost() + "/");
    EXPECT_EQ(shell.opened[2].file, "https://" + update::makerServerHost() + "/forum");
    for (const auto& opened : shell.opened) {
        EXPECT_EQ(opened.options.owner, &aboutBox());
        EXPECT_FALSE(opened.options.noErrorUi);
        EXPECT_TRUE(opened.parameters.empty());
    }
}

TEST_F(DialogsTest, MenuShowsTheDialogs) {
    setInventory(nullptr);
    MainDlg& window = start();
    bool languageShown = false;
    QTimer::singleShot(0, &forms().languageDialog(), [&] {
        languageShown = forms().languageDialog().isVisible();
        forms().languageDialog().close();
    });
    window.findChild<QAction*>("Language1")->trigger();
    EXPECT_TRUE(languageShown);

    bool aboutShown = false;
    QTimer::singleShot(0, &aboutBox(), [&] {
        aboutShown = aboutBox().isVisible();
        aboutBox().close();
    });
    window.findChild<QAction*>("About1")->trigger();
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(platform::fromQt(aboutBox().windowTitle()), "About Dimmetric");
}

TEST_F(DialogsTest, TemplateCoversTheThreeForms) {
    setInventory(nullptr);
    MainDlg& window = start({"-co"});
    window.lng()->FirstActivation();
    const std::string file = dir.dir() + "QV_ORIGINAL.SPK";
    ASSERT_TRUE(std::filesystem::exists(file));
    const auto paths = groupPaths(file);
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
    ASSERT_TRUE(writeLanguageFile(files, dir.dir() + "QV_00000407.SPK", german));
    setInventory(nullptr);
    MainDlg& window = start();
    LanguageChoice& chooser = *forms().languageDialog().LanguageChoice1();
    // Bound at creation: the files are listed before the first activation.
    ASSERT_EQ(chooser.entries()->count(), 1);
    ASSERT_TRUE(window.lng()->SelectLanguageId(0x0407));
    EXPECT_EQ(platform::fromQt(chooser.captionLabel()->text()), "  G");
    EXPECT_EQ(chooser.entries()->currentRow(), 0);
}

} // namespace
} // namespace dm::test
