// Asks the maker's web server whether a newer version of an executable exists.
#pragma once

#include "update/net/HttpClient.h"
#include "update/net/HttpPresets.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>

class QObject;

namespace dm {
class RunLog;
}

namespace dm::update {

struct IdentifyContext;

// Asks the maker's web server whether a newer version of an executable exists. Each check makes
// a new client (freeing the one before); the result comes through onDone, after which the owner
// reads UpdateAvailable, ReplyValid and, when the reply was no valid version, failure. Freeing
// the checker drops a running check: no callback follows.
class VigilLite {
public:
    // Why a check gave no valid version.
    struct Failure {
        enum class Kind {
            None,        // a valid version came, or a check runs
            NoReply,     // the transfer failed; detail: the transport's words for it
            NotAVersion, // a reply came but is no version; detail: its status line when the
                         // status was not 2xx, else empty
        };
        Kind kind = Kind::None;
        std::string detail;
    };

    using DoneEvent = std::function<void(VigilLite& sender)>;
    struct Services {
        IdentifyContext& identify; // names the executable; its system facts give ticks and TLS
        TransferLimits limits = {};
    };

    // log is held, not owned; it may be null. title starts every log line of the checker.
    VigilLite(RunLog* log, std::string title, Services services);
    ~VigilLite();
    VigilLite(const VigilLite&) = delete;
    VigilLite& operator=(const VigilLite&) = delete;

    // Starts a check of exeName and returns at once; owner (may be null) becomes the parent of
    // the new client. It does not look at Busy: callers start a check only when it is False.
    // Errors of the executable's identification reach the caller, with Busy left True.
    void CheckForUpdate(const std::string& exeName, QObject* owner, DoneEvent onDone);
    // The client's completion handler.
    void RequestDone(HttpClient& sender, HttpRequest rqType, std::uint16_t errCode);

    // A check was started and its completion has not run yet.
    bool Busy() const { return busy_; }
    // The last valid reply named a version strictly newer than (MS, LS).
    bool UpdateAvailable() const { return updateAvailable_; }
    // The last reply was a valid version.
    bool ReplyValid() const { return replyValid_; }
    // Why the last check gave no valid version.
    const Failure& failure() const { return failure_; }
    std::uint32_t StartTick() const { return get_.startTick(); }
    std::uint32_t MS() const { return ms_; }
    std::uint32_t LS() const { return ls_; }
    const std::string& Title() const { return title_; }
    const std::string& Stream() const { return stream_; }
    // The client of the current or last check; null before the first (or when its owner freed it).
    HttpClient* Http() const { return http_.data(); }

private:
    void freeClient();

    Services services_;
    RunLog* log_;
    TimedGet get_;
    bool busy_ = false;
    DoneEvent onDone_;
    std::uint32_t ms_ = 0;
    std::uint32_t ls_ = 0;
    std::string title_;
    std::string stream_;
    QPointer<HttpClient> http_;
    bool updateAvailable_ = false;
    bool replyValid_ = false;
    Failure failure_;
};

} // namespace dm::update
