// Whole-process measure of what the HTTP client keeps while a hostile server on loopback streams
// a reply's head without end: prints the process's peak resident memory after one request, with
// how the request ended. One case per run, so each peak is its own:
//   http_flood_bench <case> [--tls] [stall seconds]
// cases: header-lines, header-line, status-line, trailers, chunk-size, chunk-extension.
// bench/http_flood_bench.sh runs them all, plain and over TLS.
#include "update/net/HttpClient.h"
#include "update/net/HttpPresets.h"
#include "update/net/TestServer.h"

#include <QCoreApplication>
#include <QTcpSocket>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

using dm::test::SeenRequest;
using dm::test::ServerConnection;
using dm::test::TestServer;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kServerCap = 4ull * 1024 * 1024 * 1024; // the server gives up here

long peakResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <case> [--tls] [stall seconds]\n", argv[0]);
        return 2;
    }
    const std::string which = argv[1];
    bool tls = false;
    int stallSeconds = 10;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tls") == 0)
            tls = true;
        else
            stallSeconds = std::atoi(argv[i]);
    }
    std::string lines;
    for (int n = 0; lines.size() < kChunk; ++n)
        lines += "X-Line-" + std::to_string(n) + ": value\r\n";
    const std::string filler(kChunk, 'h');
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    const std::map<std::string, std::pair<std::string, std::string>> cases = {
        {"header-lines", {"HTTP/1.1 200 OK\r\n", lines}},
        {"header-line", {"HTTP/1.1 200 OK\r\nX-Filler: ", filler}},
        {"status-line", {"HTTP/1.1 200 ", filler}},
        {"trailers", {chunked + "0\r\n", lines}},
        {"chunk-size", {chunked, std::string(kChunk, '1')}},
        {"chunk-extension", {chunked + "1;", filler}},
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
    limits.stallTimeout = std::chrono::seconds(stallSeconds);
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
    if (!client.getAsync())
        return 1;
    QCoreApplication::exec();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("%-16s %-5s peak RSS %6ld KiB (%+6ld KiB during the request), server sent %9llu "
                "bytes, ended after %6lld ms: %d %s\n",
                which.c_str(), tls ? "tls" : "plain", peakResidentKib(), peakResidentKib() - before,
                static_cast<unsigned long long>(sent), static_cast<long long>(ms), code,
                client.reasonPhrase().c_str());
    return 0;
}
