// Downloads one file into memory and writes it whole to a path when the download completes.
#pragma once

#include "update/net/HttpClient.h"
#include "update/net/HttpPresets.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace dm {
class RunLog;
}
namespace dm::platform {
class FileSystem;
class SystemInfo;
} // namespace dm::platform

namespace dm::update {

// Downloads one file into memory and, when the download completes, writes it whole to a path.
// One client serves every download of the downloader's life, one download at a time. Freeing the
// downloader drops a running download: no callback follows.
class FileGrabber {
public:
    using DoneEvent = std::function<void(FileGrabber& sender)>;
    struct Services {
        platform::SystemInfo& system; // tick count and whether TLS can be used
        platform::FileSystem& files;  // writes the downloaded file
        TransferLimits limits = {};
    };

    // log is held, not owned; it may be null.
    FileGrabber(RunLog* log, Services services);
    ~FileGrabber();
    FileGrabber(const FileGrabber&) = delete;
    FileGrabber& operator=(const FileGrabber&) = delete;

    // Starts downloading url and returns at once. fileName empty: the body stays in Stream only.
    // onDone (may be empty) follows the completion, after an error too. While a download runs,
    // a further Grab is dropped and changes nothing.
    void Grab(const std::string& url, const std::string& fileName, DoneEvent onDone);
    // The client's completion handler.
    void RequestDone(HttpClient& sender, HttpRequest rqType, std::uint16_t errCode);

    // A download was started and its completion has not run yet.
    bool Busy() const { return http_->busy(); }
    std::uint32_t StartTick() const { return get_.startTick(); }
    const std::string& URL() const { return url_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& Stream() const { return stream_; }
    HttpClient& Http() { return *http_; }

private:
    Services services_;
    RunLog* log_;
    TimedGet get_;
    std::string url_;
    std::string fileName_;
    DoneEvent onDone_;
    std::string stream_;
    std::unique_ptr<HttpClient> http_;
};

} // namespace dm::update
