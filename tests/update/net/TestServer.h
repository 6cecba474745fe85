// An HTTP/1.1 test server on the loopback address, plain or TLS, and helpers of the net tests.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace dm::test {

// Makes the process's QCoreApplication unless there is one already.
void ensureCoreApplication();

// A request as the server read it.
struct SeenRequest {
    std::string method;
    std::string target; // path and query, as sent
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers; // in the order sent
    // The value of a header (name ignoring case); empty when absent.
    std::string header(const std::string& name) const;
    bool hasHeader(const std::string& name) const;
};

// One accepted connection; the handler writes the reply through it, at once or later.
class ServerConnection : public QObject {
    Q_OBJECT
public:
    explicit ServerConnection(QTcpSocket* socket);
    QTcpSocket& socket() { return *socket_; }
    void send(const std::string& bytes);
    // A whole reply with Content-Length, after which the server closes the connection.
    void reply(int status, const std::string& reason, const std::string& body,
               const std::vector<std::pair<std::string, std::string>>& headers = {});
    // Writes head, then filler again and again for as long as the peer reads, up to cap bytes in
    // all; never ends the reply by itself.
    void flood(const std::string& head, const std::string& filler, std::uint64_t cap);
    // Closes once everything written has gone out.
    void close();
    bool open() const;
    std::uint64_t bytesSent() const { return sent_; }

signals:
    void requestRead(const SeenRequest& request);

private:
    void read();

    QPointer<QTcpSocket> socket_;
    std::string buffer_;
    bool requestSeen_ = false;
    std::uint64_t sent_ = 0;
};

// An HTTP/1.1 server on 127.0.0.1 (a free port), plain or TLS with a self-signed certificate
// made at test time, running on the test's own event loop or on a thread of its own. Handlers
// are chosen by the request's path (the target before "?"); other paths get 404.
class TestServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const SeenRequest&, ServerConnection&)>;
    enum class Tls { Off, On };

    explicit TestServer(Tls tls = Tls::Off);
    ~TestServer() override;
    // False when the server could not start (for TLS: no certificate could be made).
    bool listening() const;
    std::uint16_t port() const;
    // "127.0.0.1:<port>".
    std::string hostPort() const;
    // "http://" or "https://", hostPort() and path.
    std::string url(const std::string& path) const;

    void on(const std::string& path, Handler handler) { handlers_[path] = std::move(handler); }
    // A fixed reply for a path.
    void serve(const std::string& path, int status, const std::string& reason,
               const std::string& body);

    // From now on the server (and its handlers) run on a thread of its own, so that its work
    // never holds up the test's event loop. Handlers are set before.
    void serveFromOwnThread();

    std::vector<SeenRequest> requests() const;
    int connections() const;

private:
    void accept();
    void stop();

    Tls tls_;
    QTcpServer* server_ = nullptr;
    std::unique_ptr<QThread> thread_;
    std::map<std::string, Handler> handlers_;
    std::vector<QPointer<ServerConnection>> live_;
    mutable std::mutex mutex_; // guards what the test thread reads
    std::vector<SeenRequest> requests_;
    int connections_ = 0;
};

// A port on 127.0.0.1 where nothing listens.
std::uint16_t closedPort();

// A host name that the resolver refuses without asking any name server (longer than a DNS name
// may be), so the lookup fails on this machine.
std::string unresolvableHost();

// Counts the ticks of a short timer on the event loop and the longest gap between two.
class TickWatch : public QObject {
public:
    TickWatch();
    int ticks() const { return ticks_; }
    std::int64_t longestGapMs() const;

private:
    void tick();

    void timerEvent(QTimerEvent*) override { tick(); }

    QElapsedTimer clock_;
    int ticks_ = 0;
    std::int64_t last_ = 0;
    std::int64_t longest_ = 0;
};

} // namespace dm::test
