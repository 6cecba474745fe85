// The main window's links: the maker's pages, the links file, the log file, opened safely.
#include "app/MainDlg.h"
#include "framework/DataFolder.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "framework/TextUtils.h"
#include "framework/WideFiles.h"
#include "platform/Platform.h"
#include "platform/desktop/Shell.h"
#include "platform/ini/IniFile.h"
#include "ui_MainDlg.h"
#include "update/net/MakerServer.h"

namespace dm {

namespace {

// Pages of the maker's site that the menu and buttons open.
constexpr const char* kProductPage = "/dimmetric";
constexpr const char* kChangeLogPage = "/bugs/changelog_page.php?project_id=17";
constexpr const char* kBugTrackerPage = "/bugs/view_all_bug_page.php?project_id=17";
constexpr const char* kDriverUpdatesPage = "/vigil/drivers.php";

// Whoever answers the download writes the links file, so only a web address is opened from it,
// never a program, a local file or a launcher.
bool isWebAddress(const std::string& address) {
    return StartsText(address, "http://") || StartsText(address, "https://");
}

} // namespace

std::string MainDlg::GetLink(const std::string& key) const {
    std::string result = update::makerServerUrl(kProductPage);
    // Read afresh at every click: the download of the first activation may have replaced it.
    const std::string folder = GetProductDataFolder(platform_.fileSystem, start_.ExeName, kTitle);
    const std::string value = platform::IniFile(folder + "dimmetric.ini").readString("links", key);
    if (value.size() > 1 && isWebAddress(value))
        result = value;
    else if (value.size() > 1)
        addToLog(log_.get(),
                 "Links file : " + key + " is no http or https address, " + result +
                     " opened instead",
                 llError);
    return result;
}

void MainDlg::openOwned(const std::string& address) {
    platform_.shell.open(address, "", {this, false, false});
}

void MainDlg::openDetached(const std::string& file) {
    platform_.shell.open(file, "", {nullptr, true, true});
}

void MainDlg::getRAM_btnClick() {
    openOwned(GetLink("ram"));
}

void MainDlg::drivers_btnClick() {
    const std::string program = ReadMakerValue(platform_.registry, "Harrow");
    if (FileExistsNonEmpty(platform_.fileSystem, platform_.system, program))
        openDetached(program);
    else
        openDetached(update::makerServerUrl(kDriverUpdatesPage));
}

void MainDlg::ChangeLog1Click() {
    openOwned(update::makerServerUrl(kChangeLogPage));
}

void MainDlg::BugreportFeaturerequestKnownissues1Click() {
    openOwned(update::makerServerUrl(kBugTrackerPage));
}

void MainDlg::Openlogfile1Click() {
    if (log_)
        log_->Open();
}

} // namespace dm
