#include "update/net/FileGrabber.h"

#include "framework/RunLog.h"
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
    PrepareGetRequest(*http_, services_.system, log_, "FileGrabber", url_, stream_,
                      [this](HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
                          RequestDone(sender, rqType, errCode);
                      });
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
        if (!fileName_.empty() && !services_.files.writeFileInFolder(fileName_, stream_))
            addToLog(log_, "File download : cannot write " + fileName_, llError);
    }
    if (onDone_ && RqType == httpGET) {
        const DoneEvent handler = onDone_;
        handler(*this);
    }
}

} // namespace dm::update
