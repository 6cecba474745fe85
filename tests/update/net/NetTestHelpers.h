// Helpers of the network tests: running the event loop until done, and completions recorded.
#pragma once

#include "update/net/HttpClient.h"

#include <QtCore/qtestsupport_core.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// A reply that the server sends up to some point and then closes, at every stage of its way.
struct CutReply {
    const char* stage;
    std::string bytes;
    std::uint16_t code; // of the failed request
};

inline std::vector<CutReply> cutReplies() {
    constexpr std::uint16_t kGotNothing = 52; // curl's CURLE_GOT_NOTHING: not one whole line came
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    return {
        {"inside the status line", "HTTP/1.1 20", kGotNothing},
        {"after the status line", "HTTP/1.1 200 OK\r\n", update::kHttpErrorCutShort},
        {"inside a header", "HTTP/1.1 200 OK\r\nX-A: b", update::kHttpErrorCutShort},
        {"before the blank line", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n",
         update::kHttpErrorCutShort},
        {"after the head of a chunked body", chunked, update::kHttpErrorCutShort},
        {"inside a chunk size", chunked + "1", update::kHttpErrorCutShort},
        {"mid-chunk", chunked + "a\r\n01234", update::kHttpErrorCutShort},
        {"after a chunk", chunked + "5\r\n01234\r\n", update::kHttpErrorCutShort},
        {"inside the last chunk", chunked + "0\r\n", update::kHttpErrorCutShort},
        {"short of Content-Length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n01234",
         update::kHttpErrorCutShort},
    };
}

} // namespace dm::test
