// Building blocks of the language-file tests: records, header blocks, groups and a small form.
#pragma once

#include "localisation/TextStorage.h"
#include "localisation/format/LanguageFile.h"
#include "localisation/format/Storefile.h"
#include "support/LanguageFileWriter.h"
#include "support/QtApplication.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dm::test {

inline Recs readRecords(platform::FileSystem& files, const std::string& path) {
    Storefile f(files);
    f.setSignature(std::string(kLanguageSignature));
    f.setFilename(path);
    f.setReadOnly(true);
    f.SetActive(true);
    Recs recs;
    while (!f.Eof()) {
        Rec r;
        r.tag = f.ReadString(r.data, true);
        recs.push_back(r);
    }
    return recs;
}

// Records 0 to 5 of a German file by us, with two text lines.
inline Recs leadingRecords(std::uint16_t revision, std::uint16_t langId,
                           const std::string& picture = {}) {
    return leadingRecords({.revision = revision,
                           .languageId = langId,
                           .listTitle = "Deutsch",
                           .languageName = "German",
                           .listNote = "by us",
                           .textLines = "line 1\r\nline 2\r\n",
                           .flagPicture = picture});
}

// The header block of the revision, for version 1.23.0.47.
inline Recs headerBlock(std::uint16_t revision, const std::string& font, int charSet,
                        int minSize = 8) {
    return headerRecords({.revision = revision,
                          .programVersion = 0x0117002F,
                          .carriedByte = 7,
                          .carriedText1 = "carried 1",
                          .carriedText2 = "carried 2",
                          .imeName = "ime",
                          .fontName = font,
                          .charSet = charSet,
                          .minFontSize = minSize});
}

// One group of a revision 3 or 4 file; a tag of 0 writes an empty text.
inline Recs group(const std::string& path, std::int32_t alignment, std::int32_t captionTag,
                  const std::string& caption, std::int32_t hintTag, const std::string& hint,
                  std::int32_t itemsTag, const std::string& items) {
    return groupRecords({path, alignment, captionTag, caption, hintTag, hint, itemsTag, items});
}

inline void ensureApplication() {
    ensureQtApplication("langfile_test");
}

// A form "TestDlg" with labels, buttons, a group box, a menu, a list and a text table.
struct TestForm {
    TestForm() {
        form = std::make_unique<QWidget>();
        form->setObjectName("TestDlg");
        form->setWindowTitle("Test window");
        form->setFont(QFont("Tahoma", 8));
        auto* bar = new QMenuBar(form.get());
        file = new QMenu("File", bar);
        file->setObjectName("File1");
        exit = new QAction("Exit", form.get());
        exit->setObjectName("Exit1");
        exit->setStatusTip("Leave the program");
        file->addAction(exit);
        bar->addMenu(file);
        group = new QGroupBox("Options", form.get());
        group->setObjectName("opts_grp");
        title = new QLabel("Title", group);
        title->setObjectName("title_lbl");
        keep = new QCheckBox("Keep", group);
        keep->setObjectName("keep_chk");
        keep->setToolTip("Keep the window");
        ok = new QPushButton("OK", form.get());
        ok->setObjectName("ok_btn");
        cancel = new QPushButton("Cancel", form.get());
        cancel->setObjectName("cancel_btn");
        version = new QLabel("1.0", form.get());
        version->setObjectName("version_lbl");
        mono = new QLabel("mono", form.get());
        mono->setObjectName("mono_lbl");
        mono->setFont(QFont("Courier New", 7));
        list = new QListWidget(form.get());
        list->setObjectName("choices_lst");
        list->addItems({"One", "Two", "Three"});
        list->setCurrentRow(1);
        table = new TextStorage(form.get());
        table->setObjectName("testTS");
        table->setItems({"Empty slot !", "Used :", "GB"});
        table->Loaded();
    }

    std::unique_ptr<QWidget> form;
    QMenu* file;
    QAction* exit;
    QGroupBox* group;
    QLabel* title;
    QCheckBox* keep;
    QPushButton* ok;
    QPushButton* cancel;
    QLabel* version;
    QLabel* mono;
    QListWidget* list;
    TextStorage* table;
};

} // namespace dm::test
