// Saves a PNG of the main window for each SMBIOS image given, and one for a machine without any
// SMBIOS source ("no-smbios.png"), into the folder given first. Runs the program's own window on
// the machine's facilities; the caller points the registry and data folder somewhere harmless.
#include "app/MainDlg.h"
#include "app/SystemPlatform.h"
#include "platform/version/VersionResources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

bool shoot(const QString& image, const QString& target) {
    ::setenv("DIMMETRIC_SMBIOS", image.toLocal8Bit().constData(), 1);
    dm::SystemPlatform system;
    dm::MainDlg window(system.Get(), {system.Get().versions->moduleFileName(), {}});
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
    return failures == 0 ? 0 : 1;
}
