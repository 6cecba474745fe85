#pragma once

#include "update/net/HttpClient.h"

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
// a new client (freeing the one before); the result comes through OnDone, after which the owner
// reads UpdateAvailable and ReplyValid. Freeing the checker drops a running check: no callback
// follows.
class VigilLite {
public:
    using DoneEvent = std::function<void(VigilLite& Sender)>;
    struct Services {
        IdentifyContext& identify; // names the executable; its system facts give ticks and TLS
        TransferLimits limits = {};
    };

    // Log is held, not owned; it may be null. Title starts every log line of the checker.
    VigilLite(RunLog* Log, std::string Title, Services services);
    ~VigilLite();
    VigilLite(const VigilLite&) = delete;
    VigilLite& operator=(const VigilLite&) = delete;

    // Starts a check of ExeName and returns at once; Owner (may be null) becomes the parent of
    // the new client. It does not look at Busy: callers start a check only when it is False.
    // Errors of the executable's identification reach the caller, with Busy left True.
    void CheckForUpdate(const std::string& ExeName, QObject* Owner, DoneEvent OnDone);
    // The client's completion handler.
    void RequestDone(HttpClient& Sender, HttpRequest RqType, std::uint16_t ErrCode);

    // A check was started and its completion has not run yet.
    bool Busy() const { return busy_; }
    // The last valid reply named a version strictly newer than (MS, LS).
    bool UpdateAvailable() const { return updateAvailable_; }
    // The last reply was a valid version.
    bool ReplyValid() const { return replyValid_; }
    std::uint32_t StartTick() const { return startTick_; }
    std::uint32_t MS() const { return ms_; }
    std::uint32_t LS() const { return ls_; }
    const std::string& Title() const { return title_; }
    const std::string& Stream() const { return stream_; }
    // The client of the current or last check; null before the first (or when its owner freed it).
    HttpClient* Http() const { return http_.data(); }

private:
    void freeClient();

    Services services_;
    std::uint32_t startTick_ = 0;
    RunLog* log_;
    bool busy_ = false;
    DoneEvent onDone_;
    std::uint32_t ms_ = 0;
    std::uint32_t ls_ = 0;
    std::string title_;
    std::string stream_;
    QPointer<HttpClient> http_;
    bool updateAvailable_ = false;
    bool replyValid_ = false;
};

} // namespace dm::update
