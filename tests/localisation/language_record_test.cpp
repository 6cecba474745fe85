// Tests of language files: paths, templates, every revision applied, limits, character sets.
#include "LanguageFixture.h"
#include "localisation/Components.h"
#include "localisation/LanguageRecord.h"
#include "localisation/PublishedProperties.h"
#include "platform/fakes/InMemoryFileSystem.h"

#include <QBuffer>
#include <QDialog>
#include <QMainWindow>
#include <gtest/gtest.h>

#include <type_traits>

namespace {

// Raised as one of the program's exception family.
static_assert(std::is_base_of_v<dm::Error, dm::LanguageFileError>);

using namespace dm::test;
using dm::LanguageRecord;
using dm::Published;

// The language files live in the folder "/lang/" of a file system in memory.
class LanguageFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    LanguageFileTest() { files.addFolder("/lang"); }

    LanguageRecord record() {
        return LanguageRecord(files, 4, QApplication::instance(), &excluded);
    }
    std::string path(const std::string& name) { return "/lang/" + name; }
    std::string write(const std::string& name, const Recs& recs) {
        writeRecords(files, path(name), recs);
        return path(name);
    }
    Recs readRecords(const std::string& path) { return dm::test::readRecords(files, path); }

    QStringList excluded{"TestDlg.cancel_btn", "VERSION_LBL"};
    TestForm t;
    dm::platform::InMemoryFileSystem files;
};

TEST_F(LanguageFileTest, PathsFollowOwnershipAndSkipExcludedNames) {
    std::vector<dm::CollectedComponent> list;
    dm::CollectComponents(QString(), list, &excluded, QApplication::instance());
    QStringList paths;
    for (const auto& entry : list)
        paths << entry.Path;
    EXPECT_EQ(paths, QStringList({"TestDlg", "TestDlg.File1", "TestDlg.Exit1", "TestDlg.opts_grp",
                                  "TestDlg.title_lbl", "TestDlg.keep_chk", "TestDlg.ok_btn",
                                  "TestDlg.mono_lbl", "TestDlg.choices_lst", "TestDlg.testTS"}));
    EXPECT_EQ(list[4].Component, t.title);
    EXPECT_EQ(dm::mainForm(), t.form.get());

    // An excluded form's own components are still listed.
    const QStringList form{"testdlg"};
    list.clear();
    dm::CollectComponents(QString(), list, &form, t.form.get());
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().Path, "TestDlg.File1");
}

TEST_F(LanguageFileTest, DialogsAreFormsOfTheirOwnAndAMainWindowComesFirst) {
    auto* about = new QDialog(t.form.get());
    about->setObjectName("AboutDlg");
    (new QLabel("About", about))->setObjectName("about_lbl");
    QMainWindow main;
    main.setObjectName("MainDlg");
    (new QLabel("Main", &main))->setObjectName("subtitle_lbl");

    std::vector<dm::CollectedComponent> list;
    dm::CollectComponents(QString(), list, &excluded, QApplication::instance());
    QStringList forms;
    for (const auto& entry : list)
        if (!entry.Path.contains('.'))
            forms << entry.Path;
    EXPECT_EQ(forms, QStringList({"MainDlg", "TestDlg", "AboutDlg"}));
    EXPECT_EQ(list[1].Path.toStdString(), "MainDlg.subtitle_lbl");
    EXPECT_EQ(list.back().Path.toStdString(), "AboutDlg.about_lbl");
    EXPECT_EQ(dm::mainForm(), &main);
}

TEST_F(LanguageFileTest, TemplateHoldsHeaderAndOneGroupPerTranslatableComponent) {
    auto r = record();
    r.SetProgramVersion(0x0117002F);
    r.SetImeName("ime");
    r.SetFontName("Tahoma");
    r.setCharSet(0);
    ASSERT_TRUE(r.SaveToFile(path("QV_ORIGINAL.SPK")));
    const Recs expected =
        Recs{{0, int32Bytes(0x40000)}, {1, ""}, {2, ""}, {3, ""}, {4, ""}, {5, ""}} +
        Recs{{512, int32Bytes(0x0117002F)},
             {516, int32Bytes(0)},
             {517, ""},
             {518, ""},
             {513, "ime"},
             {514, "Tahoma"},
             {515, int32Bytes(0)},
             {516, int32Bytes(8)}} +
        group("TestDlg", 0, 1, "Test window", 0, "", 0, "") +
        group("TestDlg.File1", 0, 1, "File", 0, "", 0, "") +
        group("TestDlg.Exit1", 0, 1, "Exit", 18, "Leave the program", 0, "") +
        group("TestDlg.opts_grp", 0, 1, "Options", 0, "", 0, "") +
        group("TestDlg.title_lbl", 0, 1, "Title", 0, "", 0, "") +
        group("TestDlg.keep_chk", 0, 1, "Keep", 18, "Keep the window", 0, "") +
        group("TestDlg.ok_btn", 0, 1, "OK", 0, "", 0, "") +
        group("TestDlg.mono_lbl", 0, 1, "mono", 0, "", 0, "") +
        group("TestDlg.choices_lst", 0, 0, "", 0, "", 3, "One\r\nTwo\r\nThree\r\n") +
        group("TestDlg.testTS", 0, 0, "", 0, "", 3, "Empty slot !\r\nUsed :\r\nGB\r\n");
    EXPECT_EQ(readRecords(path("QV_ORIGINAL.SPK")), expected);
    EXPECT_FALSE(files.status(path("QV_ORIGINAL.SPK.tmp")));

    // The template changes nothing when applied: no text carries the translated bit.
    ASSERT_TRUE(record().LoadAndApply(path("QV_ORIGINAL.SPK")));
    EXPECT_EQ(t.ok->text(), "OK");
    EXPECT_EQ(t.keep->toolTip(), "Keep the window");
}

TEST_F(LanguageFileTest, HintWithoutShowHintIsWrittenWithTagTwo) {
    dm::writePublished(t.title, Published::Hint, QString("About the title"));
    dm::writePublished(t.title, Published::ShowHint, false);
    auto r = record();
    ASSERT_TRUE(r.SaveToFile(path("t.spk")));
    const Recs recs = readRecords(path("t.spk"));
    const auto at = std::find(recs.begin(), recs.end(), Rec{529 + 1, "TestDlg.title_lbl"});
    ASSERT_NE(at, recs.end());
    EXPECT_EQ(at[3], (Rec{2, "About the title"}));
}

TEST_F(LanguageFileTest, TranslatedRevision4FileChangesTheForm) {
    t.title->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    const std::string file = write(
        "QV_00000407.SPK",
        leadingRecords(4, 0x0407) + headerBlock(4, "Verdana", 0, 9) +
            group("TestDlg", 0, 33, "Testfenster", 0, "", 0, "") +
            group("testdlg.OK_BTN", 0, 33, "Gut", 0, "", 0, "") +
            group("TestDlg.title_lbl", 2, 1, "untranslated", 50, "Ein Titel", 0, "") +
            group("TestDlg.keep_chk", 1, 33, "Behalten", 34, "Fenster behalten", 0, "") +
            group("TestDlg.Nowhere", 0, 33, "x", 50, "y", 35, "z") +
            group("TestDlg.choices_lst", 0, 0, "", 0, "", 35, "Eins\r\nZwei\r\nDrei\r\nVier\r\n") +
            group("TestDlg.testTS", 0, 0, "", 0, "", 35, "Leerer Platz !") +
            group("TestDlg.Exit1", 0, 33, "Beenden", 50, "Programm verlassen", 0, "") +
            group("TestDlg.File1", 0, 33, "Datei", 0, "", 0, "") +
            group("TestDlg.mono_lbl", 1, 0, "", 0, "", 0, "") +
            group("TestDlg.cancel_btn", 0, 33, "Abbrechen", 0, "", 0, "") +
            group("TestDlg.version_lbl", 0, 33, "2.0", 0, "", 0, ""));
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(file));

    EXPECT_EQ(r.fileRevision(), 4);
    EXPECT_EQ(r.languageId(), 0x0407);
    EXPECT_EQ(r.listTitle(), "Deutsch");
    EXPECT_EQ(r.LanguageName(), "German");
    EXPECT_EQ(r.listNote(), "by us");
    EXPECT_EQ(r.textLines(), (std::vector<std::string>{"line 1", "line 2"}));
    EXPECT_EQ(r.programVersion(), 0x0117002Fu);
    EXPECT_EQ(r.carriedByte(), 7);
    EXPECT_EQ(r.carriedText1(), "carried 1");
    EXPECT_EQ(r.carriedText2(), "carried 2");
    EXPECT_EQ(r.imeName(), "ime");
    EXPECT_EQ(r.fontName(), "Verdana");
    EXPECT_EQ(r.minFontSize(), 9);

    EXPECT_EQ(t.form->windowTitle(), "Testfenster");
    EXPECT_EQ(t.ok->text(), "Gut");
    EXPECT_EQ(t.title->text(), "Title");
    EXPECT_EQ(t.title->toolTip(), "Ein Titel");
    EXPECT_EQ(t.title->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(t.mono->alignment() & (Qt::AlignRight | Qt::AlignTop), Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(t.keep->text(), "Behalten");
    EXPECT_EQ(t.keep->toolTip(), "");
    EXPECT_EQ(dm::readPublished(t.keep, Published::Hint).toString(), "Fenster behalten");
    EXPECT_FALSE(dm::readPublished(t.keep, Published::ShowHint).toBool());
    EXPECT_EQ(t.exit->text(), "Beenden");
    EXPECT_EQ(t.exit->statusTip(), "Programm verlassen");
    EXPECT_EQ(t.file->title(), "Datei");
    EXPECT_EQ(t.cancel->text(), "Cancel");
    EXPECT_EQ(t.version->text(), "1.0");

    ASSERT_EQ(t.list->count(), 3);
    EXPECT_EQ(t.list->item(0)->text(), "Eins");
    EXPECT_EQ(t.list->item(2)->text(), "Drei");
    EXPECT_EQ(t.list->currentRow(), 1);
    EXPECT_EQ(t.table->Items(), QStringList({"Leerer Platz !", "Used :", "GB"}));
    EXPECT_EQ(t.table->Translate("empty slot !"), "Leerer Platz !");

    // Fonts: the main form's family is replaced, another kept; all reach the minimum size.
    EXPECT_EQ(t.form->font().family(), "Verdana");
    EXPECT_EQ(t.ok->font().family(), "Verdana");
    EXPECT_EQ(t.ok->font().pointSize(), 9);
    EXPECT_EQ(t.mono->font().family(), "Courier New");
    EXPECT_EQ(t.mono->font().pointSize(), 9);
    EXPECT_EQ(dm::fontCharSet(t.mono), 0);
    EXPECT_EQ(dm::fontCharSet(t.form.get()), 0);
}

// A file applied after another shows, for every text it lacks, the form's own untranslated text
// rather than the other language's; a complete file shows what it shows on its own.
TEST_F(LanguageFileTest, EachFileStartsFromTheUntranslatedTexts) {
    const Recs header = leadingRecords(4, 0x0407) + headerBlock(4, "", 0);
    const std::string german =
        write("de.spk", header + group("TestDlg", 0, 33, "Testfenster", 0, "", 0, "") +
                            group("TestDlg.File1", 0, 33, "Datei", 0, "", 0, "") +
                            group("TestDlg.keep_chk", 0, 33, "Behalten", 34, "Behalte es", 0, "") +
                            group("TestDlg.choices_lst", 0, 0, "", 0, "", 35, "Eins\r\nZwei\r\n") +
                            group("TestDlg.testTS", 0, 0, "", 0, "", 35, "Leer !\r\nBenutzt :"));
    const std::string french =
        write("fr.spk", header + group("TestDlg.File1", 0, 33, "Fichier", 0, "", 0, "") +
                            group("TestDlg.testTS", 0, 0, "", 0, "", 35, "Vide !"));
    const std::string complete =
        write("all.spk", header + group("TestDlg", 0, 33, "Fenetre", 0, "", 0, "") +
                             group("TestDlg.File1", 0, 33, "Fichier", 0, "", 0, "") +
                             group("TestDlg.keep_chk", 0, 33, "Garder", 50, "Garde-le", 0, "") +
                             group("TestDlg.choices_lst", 0, 0, "", 0, "", 35, "Un\r\nDeux\r\n") +
                             group("TestDlg.testTS", 0, 0, "", 0, "", 35, "Vide !\r\nUtilise :"));
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(german));
    ASSERT_EQ(t.form->windowTitle(), "Testfenster");
    ASSERT_EQ(t.keep->toolTip(), "");

    ASSERT_TRUE(r.LoadAndApply(french));
    EXPECT_EQ(t.file->title(), "Fichier");
    EXPECT_EQ(t.form->windowTitle(), "Test window");
    EXPECT_EQ(t.keep->text(), "Keep");
    EXPECT_EQ(t.keep->toolTip(), "Keep the window");
    EXPECT_EQ(t.list->item(0)->text(), "One");
    EXPECT_EQ(t.list->item(1)->text(), "Two");
    EXPECT_EQ(t.list->currentRow(), 1);
    EXPECT_EQ(t.table->Items(), QStringList({"Vide !", "Used :", "GB"}));

    // A missing file changes nothing.
    EXPECT_FALSE(r.LoadAndApply(path("missing.spk")));
    EXPECT_EQ(t.file->title(), "Fichier");

    ASSERT_TRUE(r.LoadAndApply(german));
    ASSERT_TRUE(r.LoadAndApply(complete));
    EXPECT_EQ(t.form->windowTitle(), "Fenetre");
    EXPECT_EQ(t.file->title(), "Fichier");
    EXPECT_EQ(t.keep->text(), "Garder");
    EXPECT_EQ(t.keep->toolTip(), "Garde-le");
    EXPECT_EQ(t.list->item(0)->text(), "Un");
    EXPECT_EQ(t.list->item(2)->text(), "Three");
    EXPECT_EQ(t.table->Items(), QStringList({"Vide !", "Utilise :", "GB"}));

    // A file that translates nothing (a template) brings the untranslated texts back; a record
    // that never applied a file has nothing to bring back.
    ASSERT_TRUE(r.SaveToFile(path("QV_ORIGINAL.SPK")));
    ASSERT_TRUE(record().LoadAndApply(path("QV_ORIGINAL.SPK")));
    EXPECT_EQ(t.form->windowTitle(), "Fenetre");
    ASSERT_TRUE(r.LoadAndApply(path("QV_ORIGINAL.SPK")));
    EXPECT_EQ(t.form->windowTitle(), "Test window");
    EXPECT_EQ(t.file->title(), "File");
    EXPECT_EQ(t.table->Items(), QStringList({"Empty slot !", "Used :", "GB"}));
}

TEST_F(LanguageFileTest, UnknownPathsSkipExactlyTheirGroupInEachRevision) {
    struct Case {
        int revision;
        Recs unknown;
        Recs known;
    };
    const Case cases[] = {
        {4, group("TestDlg.gone", 0, 33, "a", 34, "b", 35, "c"),
         group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, "")},
        {3, group("TestDlg.gone", 0, 33, "a", 34, "b", 35, "c"),
         group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, "")},
        {2, Recs{{531, "TestDlg.gone"}, {33, "a"}, {34, "b"}, {35, "c"}},
         Recs{{529, "TestDlg.ok_btn"}, {33, "Gut"}, {0, ""}, {0, ""}}},
        {1, Recs{{531, "TestDlg.gone"}, {33, "a"}, {34, "b"}, {35, "c"}},
         Recs{{529, "TestDlg.ok_btn"}, {33, "Gut"}, {0, ""}, {0, ""}}},
    };
    for (const Case& c : cases) {
        t.ok->setText("OK");
        const std::string file = write("r" + std::to_string(c.revision) + ".spk",
                                       leadingRecords(c.revision, 0x0407) +
                                           headerBlock(c.revision, "", 0) + c.unknown + c.known);
        auto r = record();
        ASSERT_TRUE(r.LoadAndApply(file)) << c.revision;
        EXPECT_EQ(t.ok->text(), "Gut") << c.revision;
        EXPECT_EQ(r.minFontSize(), c.revision == 4 ? 8 : 9) << c.revision;
    }
}

TEST_F(LanguageFileTest, Revision0AppliesPlainTextsByKind) {
    dm::setFontCharSet(t.ok, 204);
    Recs leading = leadingRecords(0, 0);
    leading[0].data = std::string("\x07\x04", 2);
    const std::string file = write("r0.spk", leading + Recs{{6, "TestDlg.ok_btn"},
                                                            {0, "Gut"},
                                                            {0, "Schliessen"},
                                                            {13, "TestDlg.Exit1"},
                                                            {0, "Beenden"},
                                                            {0, ""},
                                                            {7, "TestDlg.unknown"},
                                                            {0, "a"},
                                                            {0, "b"},
                                                            {11, "TestDlg.choices_lst"},
                                                            {0, ""},
                                                            {0, ""},
                                                            {0, "Eins\r\nZwei"},
                                                            {12, "Other.x"},
                                                            {0, "q"},
                                                            {12, "TestDlg.testTS"},
                                                            {0, "Leer\r\nBenutzt :"},
                                                            {99, "TestDlg.title_lbl"},
                                                            {6, "TestDlg.opts_grp"},
                                                            {0, "Optionen"},
                                                            {0, ""},
                                                            {6, "TestDlg.cancel_btn"},
                                                            {0, "Abbrechen"},
                                                            {0, ""}});
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(file));
    EXPECT_EQ(r.fileRevision(), 0);
    EXPECT_EQ(r.languageId(), 0x0407);
    EXPECT_EQ(r.charSet(), 1);
    EXPECT_EQ(t.ok->text(), "Gut");
    EXPECT_EQ(t.ok->toolTip(), "Schliessen");
    EXPECT_EQ(t.exit->text(), "Beenden");
    EXPECT_EQ(t.exit->statusTip(), "Leave the program");
    EXPECT_EQ(t.list->item(0)->text(), "Eins");
    EXPECT_EQ(t.list->item(1)->text(), "Zwei");
    EXPECT_EQ(t.list->item(2)->text(), "Three");
    EXPECT_EQ(t.list->currentRow(), 1);
    EXPECT_EQ(t.table->Items(), QStringList({"Leer", "Benutzt :", "GB"}));
    EXPECT_EQ(t.title->text(), "Title");
    EXPECT_EQ(t.group->title(), "Optionen");
    // Revision 0 knows no exclusions.
    EXPECT_EQ(t.cancel->text(), "Abbrechen");
    EXPECT_EQ(dm::fontCharSet(t.ok), 1);
}

TEST_F(LanguageFileTest, SixRecordsApplyFiveAreRefused) {
    dm::setFontCharSet(t.ok, 204);
    dm::setFontCharSet(t.form.get(), 204);
    auto r = record();
    Recs six = leadingRecords(0, 0x0407);
    EXPECT_FALSE(r.LoadAndApply(write("five.spk", Recs(six.begin(), six.end() - 1))));
    EXPECT_EQ(r.listTitle(), "");
    EXPECT_EQ(dm::fontCharSet(t.ok), 204);
    EXPECT_FALSE(r.LoadAndApply(path("missing.spk")));
    EXPECT_FALSE(files.status(path("missing.spk")));
    files.addFile(path("wrong.spk"), "NOT A LANGUAGE FILE AT ALL, REALLY NOT");
    EXPECT_FALSE(r.LoadAndApply(path("wrong.spk")));

    ASSERT_TRUE(r.LoadAndApply(write("six.spk", six)));
    EXPECT_EQ(dm::fontCharSet(t.ok), 1);
    EXPECT_EQ(dm::fontCharSet(t.form.get()), 1);
    EXPECT_EQ(t.ok->text(), "OK");
    EXPECT_EQ(t.form->windowTitle(), "Test window");
}

TEST_F(LanguageFileTest, Revision5IsRefusedWithItsMessage) {
    const std::string file =
        write("r5.spk", leadingRecords(5, 0x0407) + headerBlock(4, "X", 0) +
                            group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, ""));
    auto r = record();
    try {
        r.LoadAndApply(file);
        FAIL() << "revision 5 was read";
    } catch (const dm::LanguageFileError& e) {
        EXPECT_STREQ(e.what(), "Format not supported in this revision");
    }
    EXPECT_EQ(r.listTitle(), "Deutsch");
    EXPECT_EQ(t.ok->text(), "OK");
    EXPECT_EQ(t.form->font().family(), "Tahoma");
}

TEST_F(LanguageFileTest, AFileBeyondTheSizeLimitIsSkippedLikeAnUnreadableOne) {
    Recs recs = leadingRecords(4, 0x0407) + headerBlock(4, "Verdana", 0) +
                group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, "");
    recs.push_back({999, std::string(dm::kLanguageFileLimit, 'x')});
    const std::string file = write("big.spk", recs);
    auto r = record();
    EXPECT_FALSE(r.LoadAndApply(file));
    EXPECT_EQ(r.listTitle(), "");
    EXPECT_EQ(t.ok->text(), "OK");
}

TEST_F(LanguageFileTest, TextsBeyondTheirLimitAreIgnored) {
    const std::string longest(dm::kLanguageNameLimit, 'F');
    for (const auto& [font, applied] : {std::pair{longest, true}, {longest + "F", false}}) {
        t.form->setFont(QFont("Tahoma"));
        const std::string file = write("font" + std::to_string(font.size()) + ".spk",
                                       leadingRecords(4, 0x0407) + headerBlock(4, font, 0) +
                                           group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, ""));
        auto r = record();
        ASSERT_TRUE(r.LoadAndApply(file));
        EXPECT_EQ(r.fontName(), applied ? font : "") << font.size();
        EXPECT_EQ(t.form->font().family() == "Tahoma", !applied) << font.size();
        EXPECT_EQ(t.ok->text(), "Gut") << "the rest of the file still applies";
    }

    const std::string items(dm::kLanguageTextLimit + 1, 'x');
    const std::string file =
        write("items.spk", leadingRecords(4, 0x0407) + headerBlock(4, "Verdana", 0) +
                               group("TestDlg.choices_lst", 0, 0, "", 0, "", 35, items) +
                               group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, ""));
    t.ok->setText("OK");
    const int before = t.list->count();
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(file));
    EXPECT_EQ(t.list->count(), before);
    EXPECT_EQ(t.ok->text(), "Gut");
}

TEST_F(LanguageFileTest, CyrillicTextsShowAndWriteBackTheSameBytes) {
    const std::string ok = "\xce\xca";                                // "ОК" in code page 1251
    const std::string items = "\xce\xe4\xe8\xed\r\n\xc4\xe2\xe0\r\n"; // "Один", "Два"
    const std::string file =
        write("QV_00000419.SPK", leadingRecords(4, 0x0419) + headerBlock(4, "", 204) +
                                     group("TestDlg.ok_btn", 0, 33, ok, 0, "", 0, "") +
                                     group("TestDlg.choices_lst", 0, 0, "", 0, "", 35, items));
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(file));
    EXPECT_EQ(t.ok->text(), QString::fromUtf8("ОК"));
    EXPECT_EQ(t.list->item(0)->text(), QString::fromUtf8("Один"));
    EXPECT_EQ(t.list->item(1)->text(), QString::fromUtf8("Два"));
    EXPECT_EQ(dm::fontCharSet(t.ok), 204);

    ASSERT_TRUE(r.SaveToFile(path("back.spk")));
    const Recs back = readRecords(path("back.spk"));
    const auto at = std::find(back.begin(), back.end(), Rec{529, "TestDlg.ok_btn"});
    ASSERT_NE(at, back.end());
    EXPECT_EQ(at[2], (Rec{1, ok}));
    const auto list = std::find(back.begin(), back.end(), Rec{529, "TestDlg.choices_lst"});
    ASSERT_NE(list, back.end());
    EXPECT_EQ(list[4], (Rec{3, items + "Three\r\n"}));
    EXPECT_EQ(back[0], (Rec{0, int32Bytes(0x40419)}));
    EXPECT_EQ(back[1], (Rec{1, "Deutsch"}));
    EXPECT_EQ(back[4], (Rec{4, "line 1\r\nline 2\r\n"}));
}

TEST_F(LanguageFileTest, FlagPictureIsABitmapFileImage) {
    QImage flag(3, 2, QImage::Format_RGB32);
    flag.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(flag.save(&buffer, "BMP"));
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(
        write("flag.spk", leadingRecords(4, 0x0407, bmp.toStdString()) + headerBlock(4, "", 0))));
    EXPECT_EQ(r.flagPicture().size(), QSize(3, 2));
    EXPECT_EQ(r.flagPicture().pixelColor(1, 1), QColor(Qt::red));

    ASSERT_TRUE(r.SaveToFile(path("flag-back.spk")));
    const std::optional<QImage> again =
        dm::loadFlagPicture(readRecords(path("flag-back.spk"))[5].data);
    EXPECT_TRUE(again);
    EXPECT_EQ(again.value_or(QImage()).size(), QSize(3, 2));

    const std::string notBitmap = write(
        "gif.spk", leadingRecords(4, 0x0407, "GIF89a\x01\x00\x01\x00") + headerBlock(4, "", 0) +
                       group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, ""));
    try {
        r.LoadAndApply(notBitmap);
        FAIL() << "a picture that is no bitmap was taken";
    } catch (const dm::LanguageFileError& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_TRUE(r.flagPicture().isNull());
    EXPECT_EQ(t.ok->text(), "OK");
}

TEST_F(LanguageFileTest, HostileFileEndsAtItsFirstBrokenRecord) {
    const std::string file =
        write("hostile.spk", leadingRecords(4, 0x0407) + headerBlock(4, "", 0, 1000000) +
                                 group("TestDlg.ok_btn", 0, 33, "Gut", 0, "", 0, ""));
    // A huge count, and a group whose name record runs far past the end of the file.
    std::string bytes = files.readFile(file).value();
    bytes.replace(dm::kLanguageSignature.size(), 4, int32Bytes(0x7FFFFFFF));
    bytes += int32Bytes(1000) + int32Bytes(529) + "TestDlg.keep_chk";
    files.addFile(file, bytes);
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(file));
    EXPECT_EQ(t.ok->text(), "Gut");
    EXPECT_EQ(t.keep->text(), "Keep");
    EXPECT_EQ(t.ok->font().pointSize(), 72);
}

TEST_F(LanguageFileTest, TwoByteHeaderIsRevision0) {
    Recs recs = leadingRecords(0, 0);
    recs[0].data = std::string("\x19\x04", 2);
    auto r = record();
    ASSERT_TRUE(r.LoadAndApply(write("two.spk", recs)));
    EXPECT_EQ(r.fileRevision(), 0);
    EXPECT_EQ(r.languageId(), 0x0419);
}

TEST(VersionIntToText, UnpacksTheFourParts) {
    const struct {
        std::uint32_t packed;
        const char* text;
    } cases[] = {
        {(1u << 24) | (23u << 16) | (0u << 10) | 47u, "1.23.0.47"},
        {0, "0.0.0.0"},
        {0xFFFFFFFFu, "255.255.63.1023"},
        {(2u << 24) | (5u << 10), "2.0.5.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dm::VersionIntToText(c.packed), c.text) << c.packed;
}

} // namespace
