// The main window's update check from the menu and what it does with the answer.
#include "app/MainDlg.h"
#include "framework/MsgDlg.h"
#include "framework/RunLog.h"
#include "platform/Platform.h"
#include "platform/desktop/MessageBox.h"
#include "ui_MainDlg.h"
#include "update/net/MakerServer.h"
#include "update/net/VigilLite.h"

namespace dm {

namespace {

// What a failed check asked for from the menu tells: that it failed, what happened and, when
// known, the transport's words or the reply's status line.
std::string updateFailureText(const MainDlg& window, const update::VigilLite::Failure& failure) {
    using Kind = update::VigilLite::Failure::Kind;
    std::string text = window.TS("The update check could not be made.");
    if (failure.kind == Kind::NoReply)
        text += "\n" + window.TS("The update server could not be reached.");
    else if (failure.kind == Kind::NotAVersion)
        text += "\n" + window.TS("The update server answered, but not with a version number.");
    if (!failure.detail.empty())
        text += "\n" + failure.detail;
    return text;
}

} // namespace

void MainDlg::Checkforupdate1Click() {
    if (!checker_ || checker_->Busy())
        return;
    ui_->Checkforupdate1->setEnabled(false);
    logInfo("Self update check...");
    checker_->CheckForUpdate(start_.ExeName, this,
                             [this](update::VigilLite& sender) { OnUpdateResult(sender); });
}

void MainDlg::OnUpdateResult(update::VigilLite& sender) {
    if (sender.UpdateAvailable()) {
        logInfo("New version of Dimmetric is detected");
        const std::string question =
            TS("A new version of Dimmetric is available. Do you want to download update now ?");
        if (MsgQuestion(platform_.messageBox, this, question) == platform::IDYES)
            openDetached(update::makerServerUrl("/"));
    } else if (sender.ReplyValid()) {
        logInfo("Dimmetric is already up to date.");
        if (!silent_)
            platform_.messageBox.show(this, TS("Dimmetric is already up to date."), kTitle,
                                      platform::MB_OK);
    } else if (!silent_) {
        // A failed check asked for from the menu says so, and why; it is no "up to date".
        platform_.messageBox.show(this, updateFailureText(*this, sender.failure()), kTitle,
                                  platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    ui_->Checkforupdate1->setEnabled(true);
    silent_ = false;
}

} // namespace dm
