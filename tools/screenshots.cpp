// Saves a PNG of the main window for each SMBIOS image given, one for a machine without any
// SMBIOS source ("no-smbios.png"), and the language dialog with two languages ("language.png")
// and the about box ("about.png"), into the folder given first. Runs the program's own forms on
// the machine's facilities; the caller points the registry and data folder somewhere harmless.
#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "app/ProgramForms.h"
#include "app/SystemPlatform.h"
#include "localisation/LangDlg.h"
#include "localisation/LangList.h"
#include "localisation/format/LanguageCode.h"
#include "platform/version/VersionResources.h"
#include "support/LanguageFileWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

bool shoot(const QString& image, const QString& target) {
    ::setenv("DIMMETRIC_SMBIOS", image.toLocal8Bit().constData(), 1);
    dm::SystemPlatform system;
    dm::MainDlg window(system.Get(), {system.Get().versions.moduleFileName(), {}});
    bool activated = false;
    QObject::connect(&window, &dm::MainDlg::firstActivationDone, [&] { activated = true; });
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (!activated && clock.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    // The application becomes active only once: later windows are activated here.
    if (!activated)
        window.AppEvtActivate();
    // A few samples, so that the graph has a trace.
    for (int i = 0; i < 20; ++i)
        window.Mem_tmrTimer();
    QApplication::processEvents();
    return window.grab().save(target);
}

// The program's version resources with the program in another folder, where the screenshots'
// language files are; its version is that of the built program beside this tool.
class ProgramIn : public dm::platform::VersionResources {
public:
    ProgramIn(dm::platform::VersionResources& real, std::string folder)
        : real_(real), exe_(std::move(folder) + "dimmetric"),
          built_(QFileInfo(QString::fromStdString(real.moduleFileName()))
                     .dir()
                     .filePath("dimmetric")
                     .toStdString()) {}
    bool fileExists(const std::string& path) override {
        return path == exe_ || real_.fileExists(path);
    }
    std::optional<dm::platform::VersionBlock> read(const std::string& path) override {
        return real_.read(path == exe_ ? built_ : path);
    }
    std::string moduleFileName() override { return exe_; }

private:
    dm::platform::VersionResources& real_;
    std::string exe_;
    std::string built_;
};

// A flag of three bands, as a bitmap file image.
std::string flag(bool vertical, const std::array<QColor, 3>& bands) {
    QImage image(24, 16, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int i = 0; i < 3; ++i)
        painter.fillRect(vertical ? QRect(i * 8, 0, 8, 16) : QRect(0, i * 16 / 3, 24, 6), bands[i]);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

QImage shown(QWidget& widget) {
    widget.show();
    QApplication::processEvents();
    QImage image = widget.grab().toImage();
    widget.hide();
    return image;
}

// The language dialog with two language files and the about box.
bool shootDialogs(const QString& folder) {
    QTemporaryDir program;
    const std::string dir = program.path().toStdString() + "/";
    constexpr std::uint32_t kVersion = (1u << 24) | (23u << 16) | 47u;
    const struct {
        std::uint16_t id;
        const char* title;
        const char* name;
        std::string flag;
    } languages[] = {
        {0x040C,
         "Fran\xE7"
         "ais",
         "Fran\xE7"
         "ais",
         flag(true, {QColor(0, 85, 164), Qt::white, QColor(239, 65, 53)})},
        {0x0407, "Deutsch", "German",
         flag(false, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)})},
    };
    dm::SystemPlatform system;
    const dm::platform::Platform& machine = system.Get();
    for (const auto& language : languages)
        dm::test::writeLanguageFile(
            machine.fileSystem,
            dm::languageFilePath(dir, "QV_", dm::makeLanguageCode(0, language.id)),
            {.languageId = language.id,
             .listTitle = language.title,
             .languageName = language.name,
             .listNote = "Brackenway",
             .flagPicture = language.flag,
             .programVersion = kVersion});
    ProgramIn versions(machine.versions, dir);
    const dm::platform::Platform platform{
        machine.registry,   machine.fileSystem, machine.system, machine.shell,
        machine.messageBox, machine.memory,     machine.wmi,    versions};
    const dm::ProgramForms forms(platform, {versions.moduleFileName(), {}});
    forms.mainWindow().lng()->ScanLanguageFiles();
    forms.mainWindow().lng()->SelectLanguageId(0x040C);
    forms.aboutBox().UpdateTexts();
    return shown(forms.languageDialog()).save(folder + "/language.png") &&
           shown(forms.aboutBox()).save(folder + "/about.png");
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [image.bin...]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const QString image = QString::fromLocal8Bit(argv[i]);
        const QString target = folder + "/" + QFileInfo(image).completeBaseName() + ".png";
        if (!shoot(image, target)) {
            std::fprintf(stderr, "no screenshot for %s\n", argv[i]);
            ++failures;
        }
    }
    // No SMBIOS source at all: an image that does not exist stops the search.
    if (!shoot(folder + "/no-such-image.bin", folder + "/no-smbios.png"))
        ++failures;
    if (!shootDialogs(folder)) {
        std::fprintf(stderr, "no screenshots of the dialogs\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
