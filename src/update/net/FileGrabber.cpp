// The downloader: one file fetched into memory and written whole when complete.
#include "update/net/FileGrabber.h"

#include "framework/RunLog.h"
#include "platform/files/FileSystem.h"
#include "platform/system/SystemInfo.h"

namespace dm::update {

FileGrabber::FileGrabber(RunLog* log, Services services)
    : services_(services), log_(log), get_(log, services.system),
      http_(std::make_unique<HttpClient>(nullptr, services.limits)) {}

FileGrabber::~FileGrabber() {
    onDone_ = nullptr;
    http_.reset();
}

void FileGrabber::Grab(const std::string& url, const std::string& fileName, DoneEvent onDone) {
    // The running download keeps its target, its callback and its body.
    if (http_->busy())
        return;
    url_ = url;
    fileName_ = fileName;
    onDone_ = std::move(onDone);
    get_.start(*http_, "FileGrabber", url_, stream_,
               [this](HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
                   RequestDone(sender, rqType, errCode);
               });
}

void FileGrabber::RequestDone(HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
    const std::string failure = "File download : Server error (" + std::to_string(errCode) +
                                " Cause : " + sender.reasonPhrase() + ")";
    if (const auto elapsed = get_.completed(rqType, errCode, failure)) {
        addToLog(log_, "File downloaded in " + std::to_string(*elapsed) + "ms", llInfo);
        // Written whole or not at all: a failed write keeps the old file.
        if (!fileName_.empty() && !services_.files.writeFileInFolder(fileName_, stream_))
            addToLog(log_, "File download : cannot write " + fileName_, llError);
    }
    if (onDone_ && rqType == httpGET) {
        const DoneEvent handler = onDone_;
        handler(*this);
    }
}

} // namespace dm::update
