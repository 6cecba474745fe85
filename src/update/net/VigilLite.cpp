// The update check: the request for an executable's version and the reading of the answer.
#include "update/net/VigilLite.h"

#include "framework/RunLog.h"
#include "platform/system/SystemInfo.h"
#include "update/Version.h"
#include "update/identify/Identify.h"
#include "update/net/MakerServer.h"
#include "update/net/UpdateProtocol.h"

#include <string_view>

namespace dm::update {

namespace {

// A status line of a 2xx reply ("HTTP/1.1 200 OK", "HTTP/2 204").
bool isSuccessStatus(std::string_view statusLine) {
    const auto code = statusLine.find(' ');
    return code != std::string_view::npos && statusLine.substr(code + 1, 1) == "2";
}

} // namespace

VigilLite::VigilLite(RunLog* log, std::string title, Services services)
    : services_(services), log_(log), get_(log, services.identify.system),
      title_(std::move(title)) {}

VigilLite::~VigilLite() {
    onDone_ = nullptr;
    freeClient();
}

void VigilLite::freeClient() {
    // A request still running on it is dropped with it.
    delete http_.data();
    http_ = nullptr;
}

void VigilLite::CheckForUpdate(const std::string& exeName, QObject* owner, DoneEvent onDone) {
    freeClient();
    busy_ = true;
    updateAvailable_ = false;
    replyValid_ = false;
    failure_ = {};
    addToLog(log_, title_ + " Update self check : Initialization", llInfo);
    onDone_ = std::move(onDone);

    IdentifyContext& identify = services_.identify;
    const DisplayedFileInfo info = GetDisplayedFileInfo(identify, exeName);
    std::string fileName = exeName;
    const VigilVersion version(GetSoftwareVersion(identify, fileName, "", "", false));
    ms_ = version.GetMS();
    ls_ = version.GetLS();
    const std::string url = makerServerUrl(
        updateRequestTarget(info.Name, info.Company, version.MSText(), version.LSText()));

    http_ = new HttpClient(owner, services_.limits);
    get_.start(*http_, "VigilLite", url, stream_,
               [this](HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
                   RequestDone(sender, rqType, errCode);
               });
}

void VigilLite::RequestDone(HttpClient& sender, HttpRequest rqType, std::uint16_t errCode) {
    const std::string serverError = "Server error (" + std::to_string(errCode);
    if (const auto elapsed =
            get_.completed(rqType, errCode, title_ + " Update self check : " + serverError + ")")) {
        const UpdateReply reply = readUpdateReply(stream_, ms_, ls_);
        addToLog(log_,
                 title_ + " Update self check : Server replied " + reply.versionText + " in " +
                     std::to_string(*elapsed) + "ms",
                 llInfo);
        if (!reply.valid) {
            addToLog(log_,
                     title_ + " Update self check : " + serverError +
                         " Cause : " + sender.reasonPhrase() + ")",
                     llVerbose);
            const std::string& status = sender.statusLine();
            failure_ = {Failure::Kind::NotAVersion,
                        isSuccessStatus(status) ? std::string() : status};
        }
        replyValid_ = reply.valid;
        updateAvailable_ = reply.newer;
    } else {
        failure_ = {Failure::Kind::NoReply, sender.reasonPhrase()};
    }
    busy_ = false;
    if (onDone_) {
        const DoneEvent handler = onDone_;
        handler(*this);
    }
}

} // namespace dm::update
