#pragma once

#include "update/net/HttpClient.h"

#include <QtCore/qtestsupport_core.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace dm::test {

// Runs the event loop until done() holds or limit has passed; whether done() held.
inline bool runUntil(const std::function<bool()>& done,
                     std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    return QTest::qWaitFor(done, static_cast<int>(limit.count()));
}

// Runs the event loop for a while (to see that nothing more arrives).
inline void runFor(std::chrono::milliseconds duration) {
    QTest::qWait(static_cast<int>(duration.count()));
}

// What a client's completion reported.
struct Completion {
    int calls = 0;
    update::HttpRequest kind = update::httpABORT;
    std::uint16_t code = 0xFFFF;
    std::string reason;
};

// Readies a GET of Url on Client whose body goes to Body and whose completion is recorded in
// Done.
inline void prepareRecordedGet(update::HttpClient& client, const std::string& url,
                               std::string& body, Completion& done) {
    client.URL = url;
    client.RcvdStream = &body;
    client.OnRequestDone = [&done](update::HttpClient& sender, update::HttpRequest kind,
                                   std::uint16_t code) {
        ++done.calls;
        done.kind = kind;
        done.code = code;
        done.reason = sender.reasonPhrase();
    };
}

// Limits short enough for tests of the hostile servers.
inline update::TransferLimits shortLimits(std::chrono::milliseconds stall,
                                          std::chrono::milliseconds total,
                                          std::size_t body = 1024 * 1024) {
    return {body, stall, total};
}

} // namespace dm::test
