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

// What the downloader and the checker share: a GET on a client with the presets, timed from its
// start, and the one rule that tells a completed GET from a failure.
class TimedGet {
public:
    // log is held, not owned; it may be null.
    TimedGet(RunLog* log, platform::SystemInfo& system) : log_(log), system_(system) {}

    // Readies client for a GET of url into body (cleared) as PrepareGetRequest does, logging under
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
