// Tests of the HTTP client against hostile servers: endless bodies and heads, stalls, bombs.
#include "update/net/HttpClient.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "support/ProcessMemory.h"
#include "update/net/HttpPresets.h"

#include <QTimer>

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace dm::update {
namespace {

using namespace std::chrono_literals;
using test::Completion;
using test::runUntil;
using test::SeenRequest;
using test::ServerConnection;
using test::TestServer;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kServerCap = 64ull * 1024 * 1024; // a hostile server gives up here

// The process's resident memory in KiB; 0 under AddressSanitizer, whose quarantine holds freed
// memory back, so the growth is only measured in plain builds.
long residentKib() {
#if defined(__SANITIZE_ADDRESS__)
    return 0;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return 0;
#endif
#endif
    return test::residentKib();
}

// data as one gzip member (members may follow one another in a gzip stream).
std::string gzip(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Writes head, then one byte of body every interval.
void trickle(ServerConnection& connection, const std::string& head,
             std::chrono::milliseconds interval) {
    connection.send(head);
    auto* timer = new QTimer(&connection);
    QObject::connect(timer, &QTimer::timeout, &connection, [&connection] { connection.send("x"); });
    timer->start(interval);
}

class HostileServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureCoreApplication();
        ASSERT_TRUE(server.listening());
    }

    // One GET with the given limits; the time it took is in elapsed.
    Completion get(const std::string& path, TransferLimits limits) {
        if (!serving) {
            server.serveFromOwnThread();
            serving = true;
        }
        return get(server, path, limits);
    }
    // The same from target, which already serves from its own thread.
    Completion get(TestServer& target, const std::string& path, TransferLimits limits) {
        HttpClient client(nullptr, limits);
        SetupHttpClient(client);
        Completion done;
        test::prepareRecordedGet(client, target.url(path), body, done);
        const auto start = std::chrono::steady_clock::now();
        const test::TickWatch watch;
        EXPECT_TRUE(client.getAsync());
        EXPECT_TRUE(runUntil([&] { return done.calls > 0; }, 30s)) << path << " never ended";
        elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        gapUntilDone = watch.longestGapMs();
        return done;
    }

    TestServer server;
    test::TickWatch ticks;
    std::string body;
    std::chrono::milliseconds elapsed{0};
    std::int64_t gapUntilDone = 0; // the longest tick gap of the last request until it ended
    bool serving = false;
};

TEST_F(HostileServerTest, AnEndlessBodyIsCutAtTheSizeLimit) {
    const std::string filler(kChunk, 'z');
    server.on("/plain", [&](const SeenRequest&, ServerConnection& c) {
        c.flood("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", filler, kServerCap);
    });
    const std::string chunk = "10000\r\n" + filler + "\r\n"; // 0x10000 bytes each
    server.on("/chunked", [&](const SeenRequest&, ServerConnection& c) {
        c.flood("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", chunk, kServerCap);
    });
    for (const char* path : {"/plain", "/chunked"}) {
        body.clear();
        const long before = residentKib();
        const Completion done = get(path, {});
        EXPECT_EQ(done.code, kHttpErrorBodyTooLarge) << path;
        EXPECT_EQ(done.reason, "Reply body larger than 1048576 bytes");
        EXPECT_LE(body.size(), 1024u * 1024u);
        EXPECT_LT(residentKib() - before, 32 * 1024) << path << ": memory stays bounded";
    }
    EXPECT_LT(ticks.longestGapMs(), 1000) << "the event loop kept running";
}

TEST_F(HostileServerTest, AnAnnouncedOversizedBodyEndsBeforeItIsRead) {
    server.on("/big", [](const SeenRequest&, ServerConnection& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 5000000000\r\n\r\nabc");
    });
    const Completion done = get("/big", {});
    EXPECT_EQ(done.code, kHttpErrorBodyTooLarge);
    EXPECT_EQ(body, "");
}

TEST_F(HostileServerTest, ALimitJustAboveTheBodyLetsItThrough) {
    server.serve("/ten", 200, "OK", "0123456789");
    EXPECT_EQ(get("/ten", test::shortLimits(5s, 10s, 10)).code, 0);
    EXPECT_EQ(body, "0123456789");
    body.clear();
    EXPECT_EQ(get("/ten", test::shortLimits(5s, 10s, 9)).code, kHttpErrorBodyTooLarge);
}

TEST_F(HostileServerTest, SilenceEndsTheRequestAfterTheStallLimit) {
    // Accepts and never answers; answers part of the body and stops.
    server.on("/mute", [](const SeenRequest&, ServerConnection&) {});
    server.on("/half", [](const SeenRequest&, ServerConnection& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789");
    });
    for (const char* path : {"/mute", "/half"}) {
        const Completion done = get(path, test::shortLimits(300ms, 20s));
        EXPECT_EQ(done.code, kHttpErrorTimedOut) << path;
        EXPECT_EQ(done.reason, "No progress for 300 ms");
        EXPECT_GE(elapsed, 300ms);
        EXPECT_LT(elapsed, 5s);
    }
    EXPECT_LT(ticks.longestGapMs(), 1000);
}

TEST_F(HostileServerTest, ATrickleEndsAtTheTotalLimit) {
    server.on("/trickle", [](const SeenRequest&, ServerConnection& c) {
        trickle(c, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", 1s);
    });
    const Completion done = get("/trickle", test::shortLimits(2s, 3s));
    EXPECT_EQ(done.code, kHttpErrorTimedOut);
    EXPECT_EQ(done.reason, "Not finished within 3 s") << "each byte counted as progress";
    EXPECT_GE(elapsed, 3s);
    EXPECT_LT(elapsed, 8s);
    EXPECT_GE(body.size(), 1u);
    EXPECT_LE(body.size(), 4u);
    EXPECT_LT(ticks.longestGapMs(), 1000);
}

// Whatever a reply's head streams without end (one endless header line or status line, header
// lines without end, trailers without end, an endless chunk-size line), over plain HTTP and TLS,
// ends the request at its own bound, at once, with the transport's cause; what the client keeps
// stays bounded (bench/http_flood_bench.sh measures the whole process). An endless chunk
// extension keeps nothing and ends at the bound of all bytes received.
TEST_F(HostileServerTest, AnEndlessHeadEndsAtItsBound) {
    const std::string filler(kChunk, 'h');
    std::string lines;
    for (int n = 0; lines.size() < kChunk; ++n)
        lines += "X-Line-" + std::to_string(n) + ": value\r\n";
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    struct Case {
        const char* path;
        std::string head;
        const std::string& filler;
        int code; // 0: any error of the transport's own but a time limit
    };
    const Case cases[] = {
        {"/field", "HTTP/1.1 200 OK\r\nX-Filler: ", filler, kHttpErrorHeaderTooLarge},
        {"/status", "HTTP/1.1 200 ", filler, kHttpErrorHeaderTooLarge},
        {"/fields", "HTTP/1.1 200 OK\r\n", lines, kHttpErrorHeaderTooLarge},
        {"/trailers", chunked + "0\r\n", lines, kHttpErrorHeaderTooLarge},
        {"/chunk-size", chunked, std::string(kChunk, '1'), 0},
        {"/chunk-extension", chunked + "1;", filler, kHttpErrorReceivedTooMuch},
    };
    constexpr std::uint64_t kHeadBytes = 8 * 1024 * 1024;
    TestServer secure(TestServer::Tls::On);
    for (TestServer* target : {&server, &secure}) {
        if (!target->listening())
            continue; // no certificate could be made (openssl command missing)
        for (const Case& c : cases) {
            target->on(c.path, [&](const SeenRequest&, ServerConnection& connection) {
                connection.flood(c.head, c.filler, kHeadBytes);
            });
        }
        target->serveFromOwnThread();
        for (const Case& c : cases) {
            SCOPED_TRACE(target->url(c.path));
            const long before = residentKib();
            const Completion done = get(*target, c.path, test::shortLimits(1s, 20s));
            EXPECT_LT(residentKib() - before, 32 * 1024) << "memory stays bounded";
            if (c.code == 0) {
                EXPECT_NE(done.code, 0);
                EXPECT_NE(done.code, kHttpErrorTimedOut) << done.reason;
            } else {
                EXPECT_EQ(done.code, c.code) << done.reason;
            }
            if (c.code == kHttpErrorHeaderTooLarge) {
                EXPECT_THAT(done.reason,
                            ::testing::AnyOf("Reply header larger than 32768 bytes",
                                             "Reply header line larger than 102400 bytes"));
            }
            EXPECT_FALSE(done.reason.empty());
            EXPECT_LE(body.size(), 1u);
            EXPECT_LT(gapUntilDone, 1000) << "the event loop kept running";
        }
    }
}

// A reply cut short at any stage is a failed request with its own cause, and nothing of it counts
// as a body.
TEST_F(HostileServerTest, AReplyCutShortFails) {
    const std::vector<test::CutReply> cuts = test::cutReplies();
    for (std::size_t n = 0; n < cuts.size(); ++n)
        server.on("/cut" + std::to_string(n), [&, n](const SeenRequest&, ServerConnection& c) {
            c.send(cuts[n].bytes);
            c.close();
        });
    for (std::size_t n = 0; n < cuts.size(); ++n) {
        SCOPED_TRACE(cuts[n].stage);
        const Completion done = get("/cut" + std::to_string(n), test::shortLimits(5s, 20s));
        EXPECT_EQ(done.code, cuts[n].code) << done.reason;
        EXPECT_FALSE(done.reason.empty());
        EXPECT_NE(done.reason, "OK");
    }
}

// Framing that carries almost no body (1-byte chunks, each behind a 100,000-byte chunk extension)
// still counts: the request ends at the bound of all bytes received, soon after it, over plain
// HTTP and TLS. The body's own bound stays.
TEST_F(HostileServerTest, AFloodOfFramingEndsAtTheBoundOfAllBytesReceived) {
    const std::string chunk = "1;" + std::string(100000, 'e') + "\r\nx\r\n";
    const std::string head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    TransferLimits limits = test::shortLimits(5s, 30s);
    limits.maxReceivedBytes = 512 * 1024;
    TestServer secure(TestServer::Tls::On);
    for (TestServer* target : {&server, &secure}) {
        if (!target->listening())
            continue;
        target->on("/extended", [&](const SeenRequest&, ServerConnection& c) {
            c.flood(head, chunk, kServerCap);
        });
        target->serveFromOwnThread();
        SCOPED_TRACE(target->url("/extended"));
        body.clear();
        const Completion done = get(*target, "/extended", limits);
        EXPECT_EQ(done.code, kHttpErrorReceivedTooMuch);
        EXPECT_EQ(done.reason, "Reply larger than 524288 bytes in all, framing included");
        EXPECT_GE(body.size(), 1u);
        EXPECT_LE(body.size(), 6u) << "a few chunks in 512 KiB";
        EXPECT_LT(elapsed, 5s) << "not at a time limit";
    }
    EXPECT_EQ(TransferLimits{}.maxReceivedBytes, kMaxReceivedBytes);
    EXPECT_EQ(kMaxReceivedBytes, 4u * 1024 * 1024);
}

// A compressed reply is neither asked for nor inflated: a bomb is kept as the bytes it is, and
// an endless one ends at the body's bound at once, with that cause.
TEST_F(HostileServerTest, ACompressionBombIsKeptAsSentOrCutAtTheSizeLimit) {
    const std::string bomb = gzip(std::string(64 * 1024 * 1024, '\0'));
    ASSERT_LT(bomb.size(), 1024u * 1024u);
    server.on("/bomb", [&](const SeenRequest&, ServerConnection& c) {
        c.reply(200, "OK", bomb, {{"Content-Encoding", "gzip"}});
    });
    const std::string member = gzip(std::string(1024 * 1024, '\0'));
    server.on("/endless", [&](const SeenRequest&, ServerConnection& c) {
        c.flood("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nConnection: close\r\n\r\n", member,
                kServerCap);
    });
    Completion done = get("/bomb", test::shortLimits(2s, 20s));
    EXPECT_EQ(done.code, 0) << done.reason;
    EXPECT_EQ(body, bomb) << "the body as sent";
    EXPECT_FALSE(server.requests().back().hasHeader("Accept-Encoding"));

    body.clear();
    done = get("/endless", test::shortLimits(2s, 20s));
    EXPECT_EQ(done.code, kHttpErrorBodyTooLarge);
    EXPECT_EQ(done.reason, "Reply body larger than 1048576 bytes");
    EXPECT_LE(body.size(), 1024u * 1024u);
}

} // namespace
} // namespace dm::update
