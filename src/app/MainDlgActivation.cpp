// The main window's first activation (log, links file, update check, scan), language switch.
#include "app/ApplicationEvents.h"
#include "app/MainDlg.h"
#include "app/PictureButton.h"
#include "framework/DataFolder.h"
#include "framework/FileVersionText.h"
#include "framework/MsgDlg.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"
#include "ui_MainDlg.h"
#include "update/net/FileGrabber.h"
#include "update/net/HttpPresets.h"
#include "update/net/MakerServer.h"
#include "update/net/VigilLite.h"

#include <QTimer>

#include <exception>

namespace dm {

void MainDlg::UpdateCaption() {
    setWindowTitle(platform::toQt(std::string(kTitle) + " v" +
                                  GetFileVersionText(platform_.versions, start_.ExeName)));
    // Line feed, then carriage return, as the empty-slot text has always been joined.
    const QString emptySlot =
        platform::toQt(TS("Empty slot !") + "\n\r" + TS("Click here to get more RAM"));
    ui_->getRAM1_btn->setText(emptySlot);
    for (PictureButton* button : {ui_->getRAM2_btn, ui_->getRAM3_btn, ui_->getRAM4_btn})
        button->setText(ui_->getRAM1_btn->text());
}

void MainDlg::AppEvtActivate() {
    appEvt_->OnActivate = nullptr;
    // Noting the program's path is no reason to leave the window empty: a registry that cannot
    // be written (a damaged hive, a full or read-only folder) is reported, and the window goes on
    // with its start.
    try {
        WriteMakerValue(platform_.registry, kTitle, start_.ExeName);
    } catch (const std::exception& error) {
        reportError(error.what());
    }
    try {
        UpdateCaption();
        ui_->top_pnl->update();

        const std::string dataFolder =
            GetProductDataFolder(platform_.fileSystem, start_.ExeName, kTitle);
        log_ = std::make_unique<RunLog>(
            RunLog::Services{platform_.fileSystem, platform_.system, platform_.shell},
            dataFolder + kTitle + ".log", false, 10000, false);
        logInfo("Starting");
        logInfo(start_.ExeName);
        logInfo(platform::fromQt(windowTitle()));
        const std::string reactOs =
            GetReactOSBuildText(platform_.registry, [this](const std::string& file) {
                return GetFileVersionText(platform_.versions, file);
            });
        if (!reactOs.empty())
            logInfo("ReactOS : " + reactOs);
        else
            logInfo("Windows : " + GetWindowsVersionText(platform_.system, platform_.registry));
        logInfo("64Bits : " + BoolToYesNo(IsWow64(platform_.system)));
        logInfo("Administrator : " + BoolToYesNo(platform_.system.isAdministrator()));
        logInfo(std::string("Portable : ") + (isInstalled() ? "No" : "Yes"));
        if (!start_.Parameters.empty())
            logInfo(start_.Parameters.front());
        logInfo("OpenSSL : " + update::GetSslVersionText(platform_.system));
        if (!templateFailure_.empty())
            addToLog(log_.get(), templateFailure_, llError);

        setSizeUnits();
        // Nothing waits for the links file: it is read at every click on an empty slot.
        grabber_ = std::make_unique<update::FileGrabber>(
            log_.get(), update::FileGrabber::Services{platform_.system, platform_.fileSystem});
        grabber_->Grab(update::makerServerUrl("/dimmetric/dimmetric.ini"),
                       dataFolder + "dimmetric.ini", nullptr);
        silent_ = true;
        checker_ = std::make_unique<update::VigilLite>(
            log_.get(), kTitle, update::VigilLite::Services{identifyContext()});
        Checkforupdate1Click();
        ScanSlots();
        memTmr_->start();
        emit firstActivationDone();
    } catch (const std::exception& error) {
        reportError(error.what());
    }
}

void MainDlg::templateNotWritten(const std::string& fileName, const std::string& reason) {
    templateFailure_ = "The language template could not be written to " + fileName + ": " + reason;
    // Posted: the box waits until both first-activation sequences have run, in their order.
    QTimer::singleShot(0, this,
                       [this] { ShowMsgBox(platform_.messageBox, this, templateFailure_, 0, 1); });
}

void MainDlg::setSizeUnits() {
    sizes_.setUnitNames({TS("B"), TS("KB"), TS("MB"), TS("GB"), TS("TB")});
    sizeUnitsSet_ = true;
}

void MainDlg::lngAfterLanguageSwitch(QObject*) {
    UpdateCaption();
    ScanSlots();
    // The switch at the first activation comes before the window hands over any unit names.
    if (sizeUnitsSet_)
        setSizeUnits();
    Mem_tmrTimer();
}

} // namespace dm
