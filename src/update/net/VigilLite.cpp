#include "update/net/VigilLite.h"

#include "framework/RunLog.h"
#include "framework/TextUtils.h"
#include "platform/system/SystemInfo.h"
#include "update/Version.h"
#include "update/identify/Identify.h"
#include "update/net/HttpPresets.h"
#include "update/net/MakerServer.h"
#include "update/net/UpdateProtocol.h"

namespace dm::update {

VigilLite::VigilLite(RunLog* Log, std::string Title, Services services)
    : services_(services), log_(Log), title_(std::move(Title)) {}

VigilLite::~VigilLite() {
    onDone_ = nullptr;
    freeClient();
}

void VigilLite::freeClient() {
    // A request still running on it is dropped with it.
    delete http_.data();
    http_ = nullptr;
}

void VigilLite::CheckForUpdate(const std::string& ExeName, QObject* Owner, DoneEvent OnDone) {
    freeClient();
    busy_ = true;
    updateAvailable_ = false;
    replyValid_ = false;
    addToLog(log_, title_ + " Update self check : Initialization", llInfo);
    onDone_ = std::move(OnDone);

    IdentifyContext& identify = services_.identify;
    const DisplayedFileInfo info = GetDisplayedFileInfo(identify, ExeName);
    std::string fileName = ExeName;
    const VigilVersion version(GetSoftwareVersion(identify, fileName, "", "", false));
    ms_ = version.GetMS();
    ls_ = version.GetLS();
    const std::string url = MakerServerUrl(
        UpdateRequestTarget(info.Name, info.Company, version.MSText(), version.LSText()));

    stream_.clear();
    http_ = new HttpClient(Owner, services_.limits);
    SetupHttpClient(*http_);
    http_->Timeout = 10;
    http_->OnRequestDone = [this](HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
        RequestDone(sender, rqType, errCode);
    };
    http_->Proxy.clear();
    http_->ProxyPort.clear();
    http_->ProxyUsername.clear();
    http_->ProxyPassword.clear();
    http_->URL = AdjustUrlScheme(identify.system, url);
    if (!SameText(http_->URL, url))
        addToLog(log_, "VigilLite : No SSL / Back to HTTP", llVerbose);
    http_->RcvdStream = &stream_;
    startTick_ = identify.system.tickCount();
    // Cannot fail here: the client is new.
    (void)http_->GetASync();
}

void VigilLite::RequestDone(HttpClient& Sender, HttpRequest RqType, std::uint16_t ErrCode) {
    if (ErrCode != 0 || RqType != httpGET) {
        addToLog(log_,
                 title_ + " Update self check : Server error (" + std::to_string(ErrCode) + ")",
                 llError);
    } else {
        const UpdateReply reply = ReadUpdateReply(stream_, ms_, ls_);
        const std::uint32_t elapsed = services_.identify.system.tickCount() - startTick_;
        addToLog(log_,
                 title_ + " Update self check : Server replied " + reply.versionText + " in " +
                     std::to_string(elapsed) + "ms",
                 llInfo);
        if (!reply.valid)
            addToLog(log_,
                     title_ + " Update self check : Server error (" + std::to_string(ErrCode) +
                         " Cause : " + Sender.ReasonPhrase() + ")",
                     llVerbose);
        replyValid_ = reply.valid;
        updateAvailable_ = reply.newer;
    }
    busy_ = false;
    if (onDone_) {
        const DoneEvent handler = onDone_;
        handler(*this);
    }
}

} // namespace dm::update
