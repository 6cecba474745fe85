// Whole-process measure of what the HTTP client keeps and spends while a hostile server on
// loopback streams a reply without end: prints the process's peak resident memory after one
// request, the bytes the server sent, the time and the client thread's CPU time it took, with how
// the request ended. One case per run, so each peak is its own:
//   http_flood_bench <case> [--tls] [stall seconds] [total seconds]
// cases: header-lines, header-line, status-line, trailers, chunk-size, chunk-extension,
// extended-chunks (1-byte chunks, each behind a 100,000-byte chunk extension).
// bench/http_flood_bench.sh runs them all, plain and over TLS.
#include "support/ProcessMemory.h"
#include "update/net/HttpClient.h"
#include "update/net/HttpPresets.h"
#include "update/net/TestServer.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {

using dm::test::peakResidentKib;
using dm::test::SeenRequest;
using dm::test::ServerConnection;
using dm::test::TestServer;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kServerCap = 4ull * 1024 * 1024 * 1024; // the server gives up here

// CPU time of the calling thread (the client's; the server runs on a thread of its own).
std::int64_t threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <case> [--tls] [stall seconds] [total seconds]\n", argv[0]);
        return 2;
    }
    const std::string which = argv[1];
    bool tls = false;
    std::vector<int> seconds; // stall, then total
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tls") == 0)
            tls = true;
        else
            seconds.push_back(std::atoi(argv[i]));
    }
    std::string lines;
    for (int n = 0; lines.size() < kChunk; ++n)
        lines += "X-Line-" + std::to_string(n) + ": value\r\n";
    const std::string filler(kChunk, 'h');
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const std::string extendedChunk = "1;" + std::string(100000, 'e') + "\r\nx\r\n";
    const std::map<std::string, std::pair<std::string, std::string>> cases = {
        {"header-lines", {"HTTP/1.1 200 OK\r\n", lines}},
        {"header-line", {"HTTP/1.1 200 OK\r\nX-Filler: ", filler}},
        {"status-line", {"HTTP/1.1 200 ", filler}},
        {"trailers", {chunked + "0\r\n", lines}},
        {"chunk-size", {chunked, std::string(kChunk, '1')}},
        {"chunk-extension", {chunked + "1;", filler}},
        {"extended-chunks", {chunked, extendedChunk}},
    };
    const auto found = cases.find(which);
    if (found == cases.end()) {
        std::fprintf(stderr, "unknown case %s\n", which.c_str());
        return 2;
    }
    TestServer server(tls ? TestServer::Tls::On : TestServer::Tls::Off);
    if (!server.listening()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::uint64_t sent = 0;
    const auto [head, fill] = found->second;
    server.on("/flood", [&, head = head, fill = fill](const SeenRequest&, ServerConnection& c) {
        c.flood(head, fill, kServerCap);
        QObject::connect(&c.socket(), &QTcpSocket::bytesWritten, &c,
                         [&c, &sent] { sent = c.bytesSent(); });
    });
    server.serveFromOwnThread();

    const long before = peakResidentKib();
    dm::update::TransferLimits limits;
    limits.stallTimeout = std::chrono::seconds(seconds.empty() ? 10 : seconds[0]);
    if (seconds.size() > 1)
        limits.totalTimeout = std::chrono::seconds(seconds[1]);
    dm::update::HttpClient client(nullptr, limits);
    dm::update::SetupHttpClient(client);
    std::string body;
    client.URL = server.url("/flood");
    client.RcvdStream = &body;
    int code = -1;
    client.OnRequestDone = [&](dm::update::HttpClient&, dm::update::HttpRequest,
                               std::uint16_t errCode) {
        code = errCode;
        QCoreApplication::quit();
    };
    const auto start = std::chrono::steady_clock::now();
    const std::int64_t cpuStart = threadCpuMs();
    if (!client.getAsync())
        return 1;
    QCoreApplication::exec();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    const std::int64_t cpuMs = threadCpuMs() - cpuStart;
    std::printf("%-16s %-5s peak RSS %6ld KiB (%+6ld KiB during the request), server sent %11llu "
                "bytes, ended after %6lld ms, client CPU %6lld ms: %d %s\n",
                which.c_str(), tls ? "tls" : "plain", peakResidentKib(), peakResidentKib() - before,
                static_cast<unsigned long long>(sent), static_cast<long long>(ms),
                static_cast<long long>(cpuMs), code, client.reasonPhrase().c_str());
    return 0;
}
