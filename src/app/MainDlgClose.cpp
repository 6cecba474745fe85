// The main window's creation and close: installed-copy check, portable close and clean-up.
#include "app/MainDlg.h"
#include "app/PortableClose.h"
#include "framework/DataFolder.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/files/PathText.h"
#include "update/identify/uninstall/UninstallSearches.h"
#include "update/net/FileGrabber.h"
#include "update/net/VigilLite.h"

#include <QCloseEvent>

namespace dm {

namespace {

// The uninstall entry of an installed copy.
constexpr const char* kInstalledName = "Brackenway Dimmetric";

} // namespace

update::IdentifyContext& MainDlg::identifyContext() {
    if (!identify_)
        identify_ = std::make_unique<update::IdentifyContext>(platform_);
    return *identify_;
}

bool MainDlg::isInstalled() {
    return update::IsSoftwareInstalled(identifyContext(), kInstalledName);
}

void MainDlg::FormCreate() {
    // Before the first activation: a portable copy's language choice is then in the registry
    // when the language list looks for it.
    if (!isInstalled())
        ImportSettingsIni(platform_.registry, kTitle,
                          platform::folderOfPath(start_.ExeName) + "settings.ini");
}

void MainDlg::FormClose() {
    const std::string exeFolder = platform::folderOfPath(start_.ExeName);
    const std::string store = CleanVirtualStore(platform_.fileSystem, exeFolder);
    if (!store.empty())
        addToLog(log_.get(), "Cleaning VirtualStore : " + store, llVerbose);
    if (isInstalled())
        return;
    // What writes to the log ends first; the close then ends the log, saved for the last time
    // before the wipe, so that a data folder kept for the user's exports gets no new log.
    grabber_.reset();
    checker_.reset();
    closePortableCopy(platform_, start_.ExeName, kTitle, std::move(log_));
}

void MainDlg::FormDestroy() {
    grabber_.reset();
    checker_.reset();
    log_.reset();
}

void MainDlg::closeEvent(QCloseEvent* event) {
    // The close runs once, however many ways ask for it (File -> Quit, the window's close
    // button, an end signal or the session's end). It reports nothing: what cannot be removed
    // stays.
    if (!closed_) {
        closed_ = true;
        try {
            FormClose();
        } catch (const std::exception&) {
        }
    }
    QMainWindow::closeEvent(event);
}

} // namespace dm
