// The program's entry: the display check, the signals, the platform, the forms and the loop.
#include "app/DisplayCheck.h"
#include "app/MainDlg.h"
#include "app/ProgramEnd.h"
#include "app/ProgramForms.h"
#include "app/SystemPlatform.h"
#include "framework/ProcessStartup.h"
#include "platform/system/DisplaySockets.h"
#include "platform/system/EndSignals.h"
#include "platform/version/VersionResources.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// For process measurements: DIMMETRIC_REPORT_FIRST_SCAN makes the program print the wall-clock
// time (nanoseconds since the epoch) at the end of its first scan; with the value "exit" it then
// quits.
void reportFirstScan(dm::MainDlg& window) {
    const auto mode = environment("DIMMETRIC_REPORT_FIRST_SCAN");
    if (!mode)
        return;
    const bool quit = *mode == "exit";
    QObject::connect(&window, &dm::MainDlg::firstActivationDone, &window, [quit] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("first-scan-done %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        if (quit)
            QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char** argv) {
    const dm::platform::Status display = dm::displayAvailable(
        environment,
        {[](const std::string& display) { return dm::platform::x11DisplayAnswers(display); },
         dm::platform::waylandDisplayAnswers});
    if (!display) {
        std::fprintf(stderr, "%s\n", display.error().c_str());
        return 2;
    }
    // From here on SIGTERM, SIGHUP and SIGINT wait in the event loop for an orderly end. The
    // catch is never released: a signal that arrives while the program tears down after its
    // close finds the handler still there and changes nothing, instead of killing the process.
    auto caught = dm::platform::EndSignals::catchSignals();
    if (!caught)
        std::fprintf(stderr, "%s\n", caught.error().c_str());
    dm::platform::EndSignals* const endSignals =
        std::unique_ptr<dm::platform::EndSignals>(std::move(caught)).release();
    QApplication application(argc, argv);
    QApplication::setApplicationName(dm::MainDlg::kTitle);

    dm::SystemPlatform system;
    // Process start-up of the framework: the component system once, and the installer library held
    // until exit (the program runs on without it).
    dm::initializeOle(system.Get().system);
    const dm::InstallerLibrary installer(system.Get().system);
    dm::ProgramStart start;
    start.ExeName = system.Get().versions.moduleFileName();
    for (int i = 1; i < argc; ++i)
        start.Parameters.emplace_back(argv[i]);

    const dm::ProgramForms forms(system.Get(), std::move(start));
    reportFirstScan(forms.mainWindow());
    // Asked to end from outside: the close of File -> Quit, then the end of the event loop.
    const dm::ProgramEnd end(endSignals, [&forms] {
        forms.mainWindow().close();
        QCoreApplication::quit();
    });
    forms.mainWindow().show();
    return QApplication::exec();
}
