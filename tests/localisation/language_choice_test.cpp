// Tests of the language chooser: entry layout and drawing, the switch chain, the dialog.
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/LanguageChoice.h"
#include "localisation/format/LanguageCode.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "platform/version/VersionResources.h"
#include "support/LanguageFileWriter.h"
#include "support/QtApplication.h"

#include <QBuffer>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dm::test {
namespace {

std::string bitmap(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

// The program's folder, in a file system in memory.
const std::string kProgram = "/program/";

// The running program as a file in the test's folder, where the language files are.
class ProgramInFolder : public platform::VersionResources {
public:
    explicit ProgramInFolder(std::string folder) : exe_(std::move(folder) + "dimmetric") {}
    bool fileExists(const std::string& path) override { return path == exe_; }
    std::optional<platform::VersionBlock> read(const std::string&) override { return {}; }
    std::string moduleFileName() override { return exe_; }

private:
    std::string exe_;
};

// A form "MainDlg" with a language list "lng" whose after-switch handler counts its calls, and
// language files in the program folder.
class LanguageChoiceTest : public ::testing::Test, protected platform::FakePlatform {
protected:
    static void SetUpTestSuite() { ensureQtApplication("language_choice_test"); }

    LanguageChoiceTest() {
        form.setObjectName("MainDlg");
        platform.versions = programVersions;
        platform.fileSystem = memoryFiles;
        system.languageId = 0;
        memoryFiles.addFolder(kProgram);
    }

    LangList& makeList() {
        list = std::make_unique<LangList>(&form, platform, std::vector<std::string>{});
        list->setObjectName("lng");
        list->setFilePrefix("QV_");
        list->setRegKey("Software\\Brackenway\\Dimmetric");
        list->setCplCompatibility(true);
        list->setAfterLanguageSwitch([this](QObject* sender) { senders.push_back(sender); });
        list->Loaded();
        // Nothing stored and no file for the user's language: the first activation, run now
        // rather than whenever a test's window activates the application, selects nothing.
        list->FirstActivation();
        return *list;
    }

    void addLanguage(std::uint16_t langId, const std::string& title, const std::string& flag) {
        LanguageFileContent file{.languageId = langId,
                                 .listTitle = title,
                                 .languageName = title + " name",
                                 .listNote = "note",
                                 .flagPicture = flag};
        ASSERT_TRUE(writeLanguageFile(
            memoryFiles, languageFilePath(kProgram, "QV_", makeLanguageCode(0, langId)), file));
    }

    // A user's click on entry row: the chooser is shown and the mouse goes down and up on it.
    static void click(LanguageChoice& chooser, int row) {
        chooser.show();
        QListWidget& entries = *chooser.entries();
        const QRect at = entries.visualItemRect(entries.item(row));
        QTest::mouseClick(entries.viewport(), Qt::LeftButton, {}, at.center());
    }

    // The stored choice, when there is one.
    std::optional<std::uint32_t> storedChoice() {
        const auto key =
            registry.openKey(platform::RegistryRoot::CurrentUser, "Software\\Brackenway\\Dimmetric",
                             platform::RegistryAccess::Read);
        if (!key)
            return std::nullopt;
        const auto value = key->readDword("lng");
        return value.ok() ? std::optional<std::uint32_t>(value.value) : std::nullopt;
    }

    // Entry index drawn into rect of a white canvas.
    QImage draw(LanguageChoice& chooser, int index, const QRect& rect, bool selected = false) {
        QImage canvas(200, 100, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        chooser.DrawItem(painter, index, rect, selected);
        painter.end();
        return canvas;
    }

    platform::InMemoryFileSystem memoryFiles;
    ProgramInFolder programVersions{kProgram};
    QWidget form;
    std::unique_ptr<LangList> list;
    std::vector<QObject*> senders;
};

TEST(EntryLayoutTest, FlagFrameFlagAndTextSitAtTheirPlaces) {
    struct Case {
        QRect entry;
        QSize flag;
        int textHeight;
        QRect frame;
        QPoint flagAt;
        QPoint textAt;
    };
    const Case cases[] = {
        {{0, 32, 200, 32}, {24, 16}, 13, {3, 33, 26, 18}, {4, 34}, {36, 41}},
        {{0, 0, 200, 32}, {24, 28}, 14, {3, 1, 26, 30}, {4, 2}, {36, 9}},
        // No flag: an empty frame of 2 x 2 and the text 12 pixels from the left edge.
        {{0, 32, 200, 32}, {0, 0}, 13, {3, 33, 2, 2}, {4, 34}, {12, 41}},
        {{5, 64, 100, 32}, {16, 11}, 15, {8, 65, 18, 13}, {9, 66}, {33, 72}},
    };
    for (const Case& c : cases) {
        const EntryLayout at = layoutEntry(c.entry, c.flag, c.textHeight);
        EXPECT_EQ(at.frame, c.frame);
        EXPECT_EQ(at.flag, c.flagAt);
        EXPECT_EQ(at.text, c.textAt);
    }
}

TEST_F(LanguageChoiceTest, EntryIsDrawnWithItsFramedFlagAndText) {
    addLanguage(0x0407, "Deutsch", bitmap(24, 16, Qt::red));
    LanguageChoice chooser;
    chooser.SetLanguageList(&makeList());
    ASSERT_EQ(chooser.entries()->count(), 1);

    const QImage drawn = draw(chooser, 0, QRect(0, 32, 200, 32));
    const QRgb cream = qRgb(0xFF, 0xFB, 0xF0);
    const QRgb base = chooser.entries()->palette().base().color().rgb();
    // The frame's corners, one pixel around the flag.
    for (const QPoint corner : {QPoint(3, 33), QPoint(28, 33), QPoint(3, 50), QPoint(28, 50)})
        EXPECT_EQ(drawn.pixel(corner), cream) << corner.x() << "," << corner.y();
    EXPECT_EQ(drawn.pixel(4, 34), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(27, 49), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(29, 33), base);
    EXPECT_EQ(drawn.pixel(2, 33), base);
    // Above and below the entry nothing is touched.
    EXPECT_EQ(drawn.pixel(10, 31), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(10, 64), qRgb(255, 255, 255));
    // The text starts at 36: nothing between the frame and there, ink soon after.
    int firstInk = -1;
    for (int x = 29; x < 200 && firstInk < 0; ++x)
        for (int y = 32; y < 64; ++y)
            if (drawn.pixel(x, y) != base) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 36);
    EXPECT_LE(firstInk, 40);
}

TEST_F(LanguageChoiceTest, LanguageWithoutFlagDrawsAnEmptyFrame) {
    addLanguage(0x0407, "Deutsch", "");
    LanguageChoice chooser;
    chooser.SetLanguageList(&makeList());
    const QImage drawn = draw(chooser, 0, QRect(0, 32, 200, 32));
    const QRgb cream = qRgb(0xFF, 0xFB, 0xF0);
    const QRgb base = chooser.entries()->palette().base().color().rgb();
    for (const QPoint pixel : {QPoint(3, 33), QPoint(4, 33), QPoint(3, 34), QPoint(4, 34)})
        EXPECT_EQ(drawn.pixel(pixel), cream);
    EXPECT_EQ(drawn.pixel(5, 33), base);
    EXPECT_EQ(drawn.pixel(3, 35), base);
}

TEST_F(LanguageChoiceTest, WithoutLanguagesOrListNothingIsListedOrDrawn) {
    LanguageChoice unbound;
    const QImage blank = draw(unbound, 0, QRect(0, 0, 200, 32));
    EXPECT_EQ(blank.pixel(10, 10), qRgb(255, 255, 255));

    LanguageChoice chooser;
    chooser.SetLanguageList(&makeList());
    EXPECT_EQ(chooser.entries()->count(), 0);
    EXPECT_TRUE(chooser.captionLabel()->text().isEmpty());
    const QImage drawn = draw(chooser, 0, QRect(0, 0, 200, 32));
    EXPECT_EQ(drawn, blank);
}

TEST_F(LanguageChoiceTest, ChooserRunsFirstInTheChainAndNamesTheLanguage) {
    addLanguage(0x0409, "English", "");
    addLanguage(0x0407, "Deutsch", "");
    LangList& languages = makeList();
    auto chooser = std::make_unique<LanguageChoice>();
    chooser->SetLanguageList(&languages);
    ASSERT_EQ(chooser->entries()->count(), 2);
    EXPECT_TRUE(chooser->entries()->item(1)->text().startsWith("Deutsch ["));
    int clicks = 0;
    chooser->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, chooser.get());
        ++clicks;
    };

    // As at the first activation: the stored language is applied through the chain.
    ASSERT_TRUE(languages.SelectLanguageId(0x0407));
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], chooser.get());
    EXPECT_EQ(chooser->captionLabel()->text(), "  Deutsch name");
    EXPECT_EQ(chooser->entries()->currentRow(), 1);
    EXPECT_EQ(clicks, 0);

    // A click on the other entry: one switch passed on, the name without its leading spaces.
    click(*chooser, 0);
    EXPECT_EQ(languages.LanguageIndex(), 0);
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[1], chooser.get());
    EXPECT_EQ(chooser->captionLabel()->text(), "English name");
    EXPECT_EQ(clicks, 1);

    // Freed, the chooser leaves the chain: the list's own handler is back.
    chooser.reset();
    ASSERT_TRUE(languages.SelectLanguageId(0x0407));
    ASSERT_EQ(senders.size(), 3u);
    EXPECT_EQ(senders[2], list.get());
}

TEST_F(LanguageChoiceTest, RefusedSwitchKeepsTheLastLoadedName) {
    addLanguage(0x0409, "English", "");
    addLanguage(0x0407, "Deutsch", "");
    LangList& languages = makeList();
    LanguageChoice chooser;
    chooser.SetLanguageList(&languages);
    languages.SelectLanguageId(0x0409);
    // The German file is damaged after the scan.
    memoryFiles.addFile(kProgram + "QV_00000407.SPK", "not a language file");
    click(chooser, 1);
    EXPECT_EQ(senders.size(), 1u);
    EXPECT_TRUE(chooser.captionLabel()->text().isEmpty());
}

TEST_F(LanguageChoiceTest, ErrorOfAClickedSwitchGoesToTheErrorReport) {
    addLanguage(0x0409, "English", "");
    LanguageFileContent future{.revision = 5, .languageId = 0x0407, .listTitle = "Deutsch"};
    ASSERT_TRUE(writeLanguageFile(memoryFiles, kProgram + "QV_00000407.SPK", future));
    LanguageChoice chooser;
    chooser.SetLanguageList(&makeList());
    std::vector<std::string> reported;
    chooser.OnError = [&](const std::exception& error) { reported.push_back(error.what()); };
    int clicks = 0;
    chooser.OnClick = [&](QObject*) { ++clicks; };
    click(chooser, 1);
    EXPECT_EQ(reported, std::vector<std::string>{"Format not supported in this revision"});
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(senders.empty());
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(LanguageChoiceTest, DialogIsTheLanguageFormAndClosesWithoutOk) {
    addLanguage(0x0407, "Deutsch", "");
    QWidget main;
    main.setGeometry(100, 100, 600, 400);
    LangDlg dialog(&makeList(), &main);
    EXPECT_EQ(dialog.objectName(), "LangDlg");
    EXPECT_EQ(dialog.windowTitle(), "Language");
    EXPECT_EQ(dialog.size(), QSize(316, 388));
    EXPECT_EQ(dialog.LanguageChoice1()->objectName(), "LanguageChoice1");
    EXPECT_EQ(dialog.LanguageChoice1()->geometry(), QRect(0, 0, 313, 385));
    EXPECT_EQ(dialog.LanguageChoice1()->entries()->count(), 1);

    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_FALSE(dialog.Execute());
}

// Only the user's own choice switches: showing the dialog (which gives the list the focus, and
// Qt a current entry), moving through the entries and closing it change nothing.
TEST_F(LanguageChoiceTest, OpeningTheDialogAndMovingThroughItSwitchesNothing) {
    addLanguage(0x0409, "English", "");
    addLanguage(0x0407, "Deutsch", "");
    QWidget main;
    LangDlg dialog(&makeList(), &main);
    LanguageChoice& chooser = *dialog.LanguageChoice1();
    QListWidget& entries = *chooser.entries();
    int clicks = 0;
    chooser.OnClick = [&](QObject*) { ++clicks; };

    QTimer::singleShot(0, &dialog, [&] {
        entries.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&entries, Qt::Key_Down);
        dialog.close();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(senders.empty());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(storedChoice(), std::nullopt);
    EXPECT_TRUE(chooser.captionLabel()->text().isEmpty());

    // Return on an entry is a choice.
    QTimer::singleShot(0, &dialog, [&] {
        entries.setCurrentRow(1);
        QTest::keyClick(&entries, Qt::Key_Return);
        dialog.close();
    });
    dialog.Execute();
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(storedChoice(), 0x0407u);
    EXPECT_EQ(chooser.captionLabel()->text(), "Deutsch name");
}

// However its last showing ended (arrows then Escape, a press on one entry released on
// another), the dialog opens with the current language's entry highlighted, none while no
// language is loaded; showing it switches nothing.
TEST_F(LanguageChoiceTest, DialogOpensWithTheCurrentLanguageHighlighted) {
    addLanguage(0x0409, "English", "");
    addLanguage(0x0407, "Deutsch", "");
    addLanguage(0x040C, "Francais", "");
    QWidget main;
    LangList& languages = makeList();
    LangDlg dialog(&languages, &main);
    QListWidget& entries = *dialog.LanguageChoice1()->entries();
    ASSERT_EQ(entries.count(), 3);
    const auto rowOf = [&](const QString& title) {
        for (int row = 0; row < entries.count(); ++row)
            if (entries.item(row)->text().startsWith(title))
                return row;
        return -1;
    };
    const int german = rowOf("Deutsch");
    const int other = german == 0 ? 1 : 0;
    const auto centre = [&](int row) { return entries.visualItemRect(entries.item(row)).center(); };

    // What is highlighted as the dialog shows, before the user's action that closes it.
    QList<int> highlighted;
    const auto showThen = [&](const std::function<void()>& action) {
        QTimer::singleShot(0, &dialog, [&, action] {
            highlighted.clear();
            for (const QListWidgetItem* item : entries.selectedItems())
                highlighted << entries.row(item);
            action();
            if (dialog.isVisible())
                dialog.close();
        });
        dialog.Execute();
        return highlighted;
    };
    const auto arrowsThenEscape = [&] {
        entries.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&entries, Qt::Key_Down);
        QTest::keyClick(&entries, Qt::Key_Down);
        QTest::keyClick(&entries, Qt::Key_Escape);
    };
    const auto pressOneReleaseOnAnother = [&] {
        QTest::mousePress(entries.viewport(), Qt::LeftButton, {}, centre(other));
        QTest::mouseMove(entries.viewport(), centre(german == 2 ? 1 : 2));
        QTest::mouseRelease(entries.viewport(), Qt::LeftButton, {}, centre(german == 2 ? 1 : 2));
    };

    EXPECT_EQ(showThen(arrowsThenEscape), QList<int>());
    EXPECT_EQ(showThen(pressOneReleaseOnAnother), QList<int>());
    EXPECT_EQ(showThen([] {}), QList<int>());

    ASSERT_TRUE(languages.SelectLanguageId(0x0407));
    EXPECT_EQ(showThen(arrowsThenEscape), QList<int>{german});
    EXPECT_EQ(showThen(pressOneReleaseOnAnother), QList<int>{german});
    EXPECT_EQ(showThen([] {}), QList<int>{german});
    EXPECT_EQ(languages.LanguageIndex(), german);
    EXPECT_EQ(senders.size(), 1u);
    EXPECT_EQ(storedChoice(), 0x0407u);
}

} // namespace
} // namespace dm::test
