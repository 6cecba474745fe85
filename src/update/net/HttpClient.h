// An HTTP(S) client for one request at a time, its request kinds, limits and TLS settings.
#pragma once

#include "platform/Result.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dm::update {

class CurlMulti;

// Request kinds, in the HTTP library's order.
enum HttpRequest : int {
    httpABORT,
    httpGET,
    httpPOST,
    httpPUT,
    httpHEAD,
    httpDELETE,
    httpCLOSE,
    httpPATCH,
    httpOPTIONS,
    httpTRACE,
};

enum HttpAuth : int {
    httpAuthNone,
    httpAuthBasic,
};

// Every byte one request may receive, over all the replies of its redirections: status lines,
// heads, chunk framing and bodies.
inline constexpr std::size_t kMaxReceivedBytes = 4 * 1024 * 1024;

// Bounds of one request: a larger body, more header bytes (status lines and trailers included,
// over all the replies of its redirections), more bytes received in all, a pause without progress
// or a longer transfer ends it as an error. libcurl itself refuses a single header line above
// 100 KiB.
struct TransferLimits {
    std::size_t maxBodyBytes = 1024 * 1024;
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(60);
    std::chrono::milliseconds totalTimeout = std::chrono::minutes(5);
    std::size_t maxHeaderBytes = 32 * 1024;
    std::size_t maxReceivedBytes = kMaxReceivedBytes;
};

// Error codes of a completion are libcurl's (CURLcode); these are the client's own endings.
inline constexpr std::uint16_t kHttpErrorCutShort = 18;        // CURLE_PARTIAL_FILE
inline constexpr std::uint16_t kHttpErrorTimedOut = 28;        // CURLE_OPERATION_TIMEDOUT
inline constexpr std::uint16_t kHttpErrorNoTransport = 2;      // CURLE_FAILED_INIT
inline constexpr std::uint16_t kHttpErrorHeaderTooLarge = 56;  // CURLE_RECV_ERROR
inline constexpr std::uint16_t kHttpErrorBodyTooLarge = 63;    // CURLE_FILESIZE_EXCEEDED
inline constexpr std::uint16_t kHttpErrorReceivedTooMuch = 63; // CURLE_FILESIZE_EXCEEDED

// The TLS settings of one client.
struct TlsSettings {
    bool verifyPeer = false; // the server's certificate and name are not checked
};

// An HTTP(S) client for one request at a time, on libcurl driven by the event loop. getAsync
// returns at once; OnRequestDone follows through the event loop with errCode 0 when the transfer
// completed, whatever the HTTP status, and the body appended to RcvdStream; a reply cut short
// (inside its head, or short of its announced length or last chunk) is an error, as is a URL of
// any other
// scheme than http or https ends as an error. Redirections are followed, at most 5 per request,
// never from https to http nor to another scheme. No compression is asked for and none is
// undone: the body is kept as sent. The client has its own TLS settings, which check no
// certificate. A client freed with a request running drops it: no completion follows.
class HttpClient : public QObject {
    Q_OBJECT
public:
    using RequestDoneEvent =
        std::function<void(HttpClient& sender, HttpRequest rqType, std::uint16_t errCode)>;

    explicit HttpClient(QObject* owner = nullptr, TransferLimits limits = {});
    ~HttpClient() override;
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    std::string URL;
    std::string Agent;          // User-Agent
    std::string Accept;         // Accept
    std::string AcceptLanguage; // Accept-Language
    std::string RequestVer;     // "1.1": HTTP/1.1 only; otherwise HTTP/2 may be negotiated
    int Timeout = 30; // seconds; bounds blocking requests only, which this client does not make
    HttpAuth ProxyAuth = httpAuthNone;
    // No proxy at all (not even the system's) while Proxy is empty.
    std::string Proxy;
    std::string ProxyPort;
    std::string ProxyUsername;
    std::string ProxyPassword;
    std::string* RcvdStream = nullptr; // receives the body; may be unset
    RequestDoneEvent OnRequestDone;

    // Starts a GET of URL; fails when it cannot (a request is still running).
    platform::Status getAsync();
    // The status line's text after the code, or the words for a failure; empty before any.
    const std::string& reasonPhrase() const { return reasonPhrase_; }
    // The last reply's status line ("HTTP/1.1 404 Not Found"); empty before any reply came.
    const std::string& statusLine() const { return statusLine_; }
    const TlsSettings& SslContext() const { return sslContext_; }
    // A request was started and its completion has not been delivered yet.
    bool busy() const { return busy_; }

private:
    struct Ending {
        std::uint16_t code;
        std::string reason;
    };
    struct Transfer; // the running libcurl transfer

    void progressed();
    // Body bytes and header lines as curl hands them over; false ends the transfer.
    bool takeBody(std::string_view data);
    bool takeHeader(std::string_view line);
    // Bytes read from the connection, framing included; the transfer ends at the next check of
    // withinBounds once there are too many.
    void takeWireBytes(std::size_t size);
    bool withinBounds();
    // A connection is ready for the next request of the chain; false refuses a step from https
    // back to http.
    bool takeConnection();
    void fail(std::uint16_t code, std::string reason);
    void transferDone(int result);
    void finish(const Ending& ending);
    void deliver(const Ending& ending);

    TransferLimits limits_;
    TlsSettings sslContext_;
    std::unique_ptr<CurlMulti> multi_;
    std::unique_ptr<Transfer> transfer_;
    QTimer stallTimer_;
    QTimer totalTimer_;
    std::optional<Ending> failure_; // decided inside a curl callback, delivered when curl ends
    std::size_t received_ = 0;
    std::size_t headerBytes_ = 0;
    std::size_t wireBytes_ = 0;
    bool headEnded_ = false; // the head of the last reply came whole
    bool wentSecure_ = false;
    std::string reasonPhrase_;
    std::string statusLine_;
    bool busy_ = false;
};

} // namespace dm::update
