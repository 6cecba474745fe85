#include "update/net/FileGrabber.h"

#include "framework/RunLog.h"
#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/system/SystemInfo.h"
#include "update/net/HttpPresets.h"

namespace dm::update {

FileGrabber::FileGrabber(RunLog* Log, Services services)
    : services_(services), log_(Log),
      http_(std::make_unique<HttpClient>(nullptr, services.limits)) {}

FileGrabber::~FileGrabber() {
    onDone_ = nullptr;
    http_.reset();
}

void FileGrabber::Grab(const std::string& URL, const std::string& FileName, DoneEvent OnDone) {
    // The running download keeps its target, its callback and its body.
    if (http_->busy())
        return;
    url_ = URL;
    fileName_ = FileName;
    onDone_ = std::move(OnDone);
    stream_.clear();
    SetupHttpClient(*http_);
    http_->Timeout = 10;
    http_->OnRequestDone = [this](HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
        RequestDone(sender, rqType, errCode);
    };
    http_->Proxy.clear();
    http_->ProxyPort.clear();
    http_->ProxyUsername.clear();
    http_->ProxyPassword.clear();
    http_->URL = AdjustUrlScheme(services_.system, url_);
    if (!SameText(http_->URL, url_))
        addToLog(log_, "FileGrabber : No SSL / Back to HTTP", llVerbose);
    http_->RcvdStream = &stream_;
    startTick_ = services_.system.tickCount();
    // Cannot fail here: the client is idle.
    (void)http_->GetASync();
}

void FileGrabber::RequestDone(HttpClient& Sender, HttpRequest RqType, std::uint16_t ErrCode) {
    if (ErrCode != 0 || RqType != httpGET) {
        addToLog(log_,
                 "File download : Server error (" + std::to_string(ErrCode) +
                     " Cause : " + Sender.ReasonPhrase() + ")",
                 llError);
    } else {
        const std::uint32_t elapsed = services_.system.tickCount() - startTick_;
        addToLog(log_, "File downloaded in " + std::to_string(elapsed) + "ms", llInfo);
        // Written whole or not at all: a failed write keeps the old file.
        if (!fileName_.empty() && !services_.files.writeFile(fileName_, stream_))
            addToLog(log_, "File download : cannot write " + fileName_, llError);
    }
    if (onDone_ && RqType == httpGET) {
        const DoneEvent handler = onDone_;
        handler(*this);
    }
}

} // namespace dm::update
