// Language file reader on arbitrary bytes, applied to a throw-away form.
#include "localisation/LanguageRecord.h"
#include "localisation/TextStorage.h"
#include "localisation/format/LanguageFile.h"
#include "platform/fakes/InMemoryFileSystem.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "fuzz_language_apply";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(name);
    return object;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApplication();
    QWidget form;
    form.setObjectName("MainDlg");
    auto* group = Named(new QGroupBox("Group", &form), "slot1_grp");
    Named(new QLabel("Label", group), "lbl");
    Named(new QPushButton("OK", &form), "ok_btn");
    auto* list = Named(new QListWidget(&form), "lst1");
    list->addItems({"a", "b", "c"});
    list->setCurrentRow(1);
    auto* combo = Named(new QComboBox(&form), "cb");
    combo->addItems({"x", "y"});
    auto* table = Named(new dm::TextStorage(&form), "mainTS");
    table->setItems({"one", "two"});
    table->Loaded();

    // Most inputs get the signature so the reader reaches the records.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0 || data[0] != 'Z')
        bytes.insert(0, dm::kLanguageSignature);
    const std::string path = "/fuzz/language.spk";
    dm::platform::InMemoryFileSystem files;
    files.addFile(path, std::move(bytes));

    const QStringList excluded{"lbl"};
    dm::LanguageRecord record(files, dm::kLanguageRevision, QApplication::instance(), &excluded);
    try {
        record.LoadAndApply(path);
    } catch (const dm::LanguageFileError&) {
    }
    return 0;
}
