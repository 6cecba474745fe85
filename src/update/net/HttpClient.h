#pragma once

#include <QObject>
#include <QSslConfiguration>
#include <QTimer>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;

namespace dm::update {

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

// Bounds of one request: a larger body, a pause without progress or a longer transfer ends it
// as an error.
struct TransferLimits {
    std::size_t maxBodyBytes = 1024 * 1024;
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(60);
    std::chrono::milliseconds totalTimeout = std::chrono::minutes(5);
};

// Error codes of a completion are Qt's network error numbers; these two are the client's own
// endings.
inline constexpr std::uint16_t kHttpErrorTimedOut = 4;       // QNetworkReply::TimeoutError
inline constexpr std::uint16_t kHttpErrorBodyTooLarge = 299; // QNetworkReply::UnknownContentError

// An HTTP(S) client for one request at a time. GetASync returns at once; OnRequestDone follows
// through the event loop with ErrCode 0 when the transfer completed, whatever the HTTP status,
// and the body appended to RcvdStream; a URL of any other scheme than http or https ends as an
// error. Redirections are followed, at most 5 per request, never from https to http. The
// client has its own TLS settings, which check no certificate. A client freed with a request
// running drops it: no completion follows.
class HttpClient : public QObject {
    Q_OBJECT
public:
    using RequestDoneEvent =
        std::function<void(HttpClient& Sender, HttpRequest RqType, std::uint16_t ErrCode)>;

    explicit HttpClient(QObject* owner = nullptr, TransferLimits limits = {});
    ~HttpClient() override;
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    std::string URL;
    std::string Agent;          // User-Agent
    std::string Accept;         // Accept
    std::string AcceptLanguage; // Accept-Language
    std::string RequestVer;     // "1.1": HTTP/1.1 only; otherwise Qt may negotiate HTTP/2
    int Timeout = 30; // seconds; bounds blocking requests only, which this client does not make
    HttpAuth ProxyAuth = httpAuthNone;
    // No proxy at all (not even the system's) while Proxy is empty.
    std::string Proxy;
    std::string ProxyPort;
    std::string ProxyUsername;
    std::string ProxyPassword;
    std::string* RcvdStream = nullptr; // receives the body; may be unset
    RequestDoneEvent OnRequestDone;

    // Starts a GET of URL. nullopt when started, else why not (a request is still running).
    std::optional<std::string> GetASync();
    // The status line's text after the code, or the words for a failure; empty before any.
    const std::string& ReasonPhrase() const { return reasonPhrase_; }
    const QSslConfiguration& SslContext() const { return sslContext_; }
    // A request was started and its completion has not been delivered yet.
    bool busy() const { return busy_; }

private:
    struct Ending {
        std::uint16_t code;
        std::string reason;
    };

    void applyProxy();
    void receive();
    void progressed();
    void fail(std::uint16_t code, std::string reason);
    void finished();
    void deliver(const Ending& ending);
    Ending endingOf(QNetworkReply& reply) const;

    TransferLimits limits_;
    QSslConfiguration sslContext_;
    QNetworkAccessManager* manager_;
    QNetworkReply* reply_ = nullptr;
    QTimer stallTimer_;
    QTimer totalTimer_;
    std::optional<Ending> failure_;
    std::size_t streamStart_ = 0;
    std::size_t received_ = 0;
    std::string reasonPhrase_;
    bool busy_ = false;
};

} // namespace dm::update
