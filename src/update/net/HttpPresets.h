// Whether TLS can be used, its version text, and the client settings every request uses.
#pragma once

#include "update/net/HttpClient.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dm {
class RunLog;
}
namespace dm::platform {
class SystemInfo;
}

namespace dm::update {

// TLS can be used: the system is Vista or later and the transport has a TLS library.
bool IsSslAvailable(platform::SystemInfo& system);
// The TLS library's own version text, or "Not Available".
std::string GetSslVersionText(platform::SystemInfo& system);
// url, or, when it starts with "https" (any case) and TLS cannot be used, "http" followed by url
// without its first five characters.
std::string AdjustUrlScheme(platform::SystemInfo& system, const std::string& url);
// Agent "Mozilla/5.0", HTTP 1.1, the fixed Accept and Accept-Language texts, Timeout 3 and
// Basic proxy authentication; nothing else of the client changes.
HttpClient& SetupHttpClient(HttpClient& client);
// Readies client for a GET of url into body, onDone following it: the presets above, Timeout 10,
// no proxy, and url as AdjustUrlScheme gives it; falling back to HTTP logs
// "<logName> : No SSL / Back to HTTP".
void prepareGetRequest(HttpClient& client, platform::SystemInfo& system, RunLog* log,
                       const std::string& logName, const std::string& url, std::string& body,
                       HttpClient::RequestDoneEvent onDone);

// What the downloader and the checker share: a GET on a client with the presets, timed from its
// start, and the one rule that tells a completed GET from a failure.
class TimedGet {
public:
    // log is held, not owned; it may be null.
    TimedGet(RunLog* log, platform::SystemInfo& system) : log_(log), system_(system) {}

    // Readies client for a GET of url into body (cleared) as prepareGetRequest does, logging under
    // logName, notes the start tick and starts it; onDone follows the completion.
    void start(HttpClient& client, const std::string& logName, const std::string& url,
               std::string& body, HttpClient::RequestDoneEvent onDone);
    // A completed GET (errCode 0 and rqType GET) gives the milliseconds since the start; anything
    // else writes failureLine at llError and gives nothing.
    std::optional<std::uint32_t> completed(HttpRequest rqType, std::uint16_t errCode,
                                           const std::string& failureLine) const;

    std::uint32_t startTick() const { return startTick_; }

private:
    RunLog* log_;
    platform::SystemInfo& system_;
    std::uint32_t startTick_ = 0;
};

} // namespace dm::update
