#include "update/net/HttpClient.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "update/net/HttpPresets.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace dm::update {
namespace {

using namespace std::chrono_literals;
using test::Completion;
using test::RunUntil;
using test::SeenRequest;
using test::ServerConnection;
using test::TestServer;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kServerCap = 64ull * 1024 * 1024; // a hostile server gives up here

// The process's resident memory in KiB, from /proc/self/status; 0 under AddressSanitizer, whose
// quarantine holds freed memory back, so the growth is only measured in plain builds.
long residentKib() {
#if defined(__SANITIZE_ADDRESS__)
    return 0;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return 0;
#endif
#endif
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Writes head, then chunk after chunk of filler for as long as the peer reads, up to cap bytes;
// never ends the reply by itself.
void flood(ServerConnection& connection, const std::string& head, const std::string& filler,
           std::uint64_t cap = kServerCap) {
    connection.send(head);
    auto more = [&connection, filler, cap] {
        while (connection.open() && connection.socket().bytesToWrite() < qint64{4 * kChunk} &&
               connection.bytesSent() < cap)
            connection.send(filler);
    };
    QObject::connect(&connection.socket(), &QTcpSocket::bytesWritten, &connection, more);
    more();
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
        test::EnsureCoreApplication();
        ASSERT_TRUE(server.listening());
    }

    // One GET with the given limits; the time it took is in elapsed.
    Completion get(const std::string& path, TransferLimits limits) {
        if (!serving) {
            server.serveFromOwnThread();
            serving = true;
        }
        HttpClient client(nullptr, limits);
        SetupHttpClient(client);
        Completion done;
        test::PrepareRecordedGet(client, server.url(path), body, done);
        const auto start = std::chrono::steady_clock::now();
        const test::TickWatch watch;
        EXPECT_EQ(client.GetASync(), std::nullopt);
        EXPECT_TRUE(RunUntil([&] { return done.calls > 0; }, 30s)) << path << " never ended";
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
        flood(c, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", filler);
    });
    const std::string chunk = "10000\r\n" + filler + "\r\n"; // 0x10000 bytes each
    server.on("/chunked", [&](const SeenRequest&, ServerConnection& c) {
        flood(c, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", chunk);
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
    EXPECT_EQ(get("/ten", test::ShortLimits(5s, 10s, 10)).code, 0);
    EXPECT_EQ(body, "0123456789");
    body.clear();
    EXPECT_EQ(get("/ten", test::ShortLimits(5s, 10s, 9)).code, kHttpErrorBodyTooLarge);
}

TEST_F(HostileServerTest, SilenceEndsTheRequestAfterTheStallLimit) {
    // Accepts and never answers; answers part of the body and stops.
    server.on("/mute", [](const SeenRequest&, ServerConnection&) {});
    server.on("/half", [](const SeenRequest&, ServerConnection& c) {
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789");
    });
    for (const char* path : {"/mute", "/half"}) {
        const Completion done = get(path, test::ShortLimits(300ms, 20s));
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
    const Completion done = get("/trickle", test::ShortLimits(2s, 3s));
    EXPECT_EQ(done.code, kHttpErrorTimedOut);
    EXPECT_EQ(done.reason, "Not finished within 3 s") << "each byte counted as progress";
    EXPECT_GE(elapsed, 3s);
    EXPECT_LT(elapsed, 8s);
    EXPECT_GE(body.size(), 1u);
    EXPECT_LE(body.size(), 4u);
    EXPECT_LT(ticks.longestGapMs(), 1000);
}

// Qt 6.4 reads a reply's header without any size limit, and its HTTP thread keeps reading while
// header bytes keep coming (an abort waits until they stop), so the header is ended by the time
// limits alone and held by Qt until the server stops sending.
TEST_F(HostileServerTest, AMultiMegabyteHeaderEndsAtTheStallLimit) {
    const std::string filler(kChunk, 'h');
    constexpr std::uint64_t kHeaderBytes = 8 * 1024 * 1024;
    server.on("/field", [&](const SeenRequest&, ServerConnection& c) {
        flood(c, "HTTP/1.1 200 OK\r\nX-Filler: ", filler, kHeaderBytes);
    });
    std::string lines;
    for (int n = 0; lines.size() < kChunk; ++n)
        lines += "X-Line-" + std::to_string(n) + ": value\r\n";
    server.on("/fields", [&](const SeenRequest&, ServerConnection& c) {
        flood(c, "HTTP/1.1 200 OK\r\n", lines, kHeaderBytes);
    });
    for (const char* path : {"/field", "/fields"}) {
        const long before = residentKib();
        const Completion done = get(path, test::ShortLimits(1s, 10s));
        EXPECT_EQ(done.code, kHttpErrorTimedOut) << path;
        EXPECT_EQ(done.reason, "No progress for 1 s") << "header bytes are no progress";
        EXPECT_LT(elapsed, 5s);
        EXPECT_EQ(body, "");
        EXPECT_LT(gapUntilDone, 1000) << path << ": the event loop kept running";
        EXPECT_LT(residentKib() - before, 64 * 1024) << path << ": memory stays bounded";
        // Freeing the client waits (up to 5 s) for Qt's HTTP thread, which is busy reading.
    }
}

} // namespace
} // namespace dm::update
