// Loading and applying a revision-4 language file of 300 components to live forms, and writing
// the template of those forms.
#include "localisation/LanguageRecord.h"
#include "localisation/TextStorage.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/LanguageFileWriter.h"
#include "support/QtApplication.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kForms = 3;
constexpr int kPerForm = 100; // components per form, the form itself included

// The files are read and written on disk, as the program does.
dm::platform::LinuxFileSystem disk;

void ensureApplication() {
    if (!QApplication::instance())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    dm::test::ensureQtApplication("langfile_bench");
}

// Forms of group boxes holding labels, buttons and lists, and one text table each.
std::vector<std::unique_ptr<QWidget>> makeForms() {
    std::vector<std::unique_ptr<QWidget>> forms;
    for (int f = 0; f < kForms; ++f) {
        auto form = std::make_unique<QWidget>();
        form->setObjectName(QString("Form%1").arg(f));
        form->setWindowTitle("Form");
        QGroupBox* group = nullptr;
        for (int i = 1; i < kPerForm; ++i) {
            const QString name = QString("c%1").arg(i);
            QObject* c;
            switch (i % 5) {
            case 0:
                group = new QGroupBox("Group", form.get());
                c = group;
                break;
            case 1:
                c = new QLabel("Label text", group ? static_cast<QWidget*>(group) : form.get());
                break;
            case 2: {
                auto* button = new QPushButton("Button", form.get());
                button->setToolTip("Button hint");
                c = button;
                break;
            }
            case 3: {
                auto* list = new QListWidget(form.get());
                list->addItems({"one", "two", "three", "four"});
                list->setCurrentRow(2);
                c = list;
                break;
            }
            default: {
                auto* table = new dm::TextStorage(form.get());
                table->setItems({"Empty slot !", "Used :", "GB", "MB", "Parameter", "Value"});
                table->Loaded();
                c = table;
            }
            }
            c->setObjectName(name);
        }
        forms.push_back(std::move(form));
    }
    return forms;
}

// A translated file with one group per component.
void writeLanguageFile(const std::string& path) {
    dm::test::LanguageFileContent file{.languageId = 0x0419,
                                       .textLines = "notes\r\n",
                                       .programVersion = 0x0117002F,
                                       .fontName = "Tahoma",
                                       .charSet = 204,
                                       .minFontSize = 9};
    for (int form = 0; form < kForms; ++form) {
        for (int i = 0; i < kPerForm; ++i) {
            file.groups.push_back(
                {.path = "Form" + std::to_string(form) +
                         (i == 0 ? std::string() : ".c" + std::to_string(i)),
                 .alignment = i % 3,
                 .captionTag = 33,
                 .caption = "\xcf\xe5\xf0\xe5\xe2\xee\xe4", // a Cyrillic caption
                 .hintTag = 50,
                 .hint = "\xcf\xee\xe4\xf1\xea\xe0\xe7\xea\xe0",
                 .itemsTag = 35,
                 .items = "\xee\xe4\xe8\xed\r\n\xe4\xe2\xe0\r\n\xf2\xf0\xe8\r\n"});
        }
    }
    dm::test::writeLanguageFile(disk, path, file);
}

std::string tempPath(const char* name) {
    static const std::string kUnique = std::to_string(std::random_device{}());
    return (std::filesystem::temp_directory_path() / (kUnique + name)).string();
}

void BM_LoadAndApply300(benchmark::State& state) {
    ensureApplication();
    const auto forms = makeForms();
    const std::string path = tempPath("_lang.spk");
    writeLanguageFile(path);
    dm::LanguageRecord record(disk, 4, QApplication::instance(), nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(record.LoadAndApply(path));
    state.counters["components"] = kForms * kPerForm;
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadAndApply300)->Unit(benchmark::kMillisecond);

void BM_SaveTemplate300(benchmark::State& state) {
    ensureApplication();
    const auto forms = makeForms();
    const std::string path = tempPath("_template.spk");
    dm::LanguageRecord record(disk, 4, QApplication::instance(), nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(record.SaveToFile(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveTemplate300)->Unit(benchmark::kMillisecond);

} // namespace
