// The test HTTP server: reading requests, writing replies, plain or over TLS.
#include "TestServer.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>

#include <algorithm>
#include <cctype>
#include <optional>

namespace dm::test {

namespace {

constexpr std::size_t kMaxRequestHead = 64 * 1024;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<SeenRequest> parseHead(const std::string& head) {
    SeenRequest request;
    std::size_t at = 0;
    bool first = true;
    while (at < head.size()) {
        const auto end = head.find("\r\n", at);
        const std::string line = head.substr(at, end - at);
        at = end == std::string::npos ? head.size() : end + 2;
        if (first) {
            const auto a = line.find(' ');
            const auto b = line.find(' ', a + 1);
            if (a == std::string::npos || b == std::string::npos)
                return std::nullopt;
            request.method = line.substr(0, a);
            request.target = line.substr(a + 1, b - a - 1);
            request.version = line.substr(b + 1);
            first = false;
        } else if (const auto colon = line.find(':'); colon != std::string::npos) {
            request.headers.emplace_back(line.substr(0, colon), trimmed(line.substr(colon + 1)));
        }
    }
    return request;
}

// A certificate and key for 127.0.0.1 made once per process with the openssl command.
struct Identity {
    QSslCertificate certificate;
    QSslKey key;
};

const std::optional<Identity>& testIdentity() {
    static const std::optional<Identity> kIdentity = []() -> std::optional<Identity> {
        TempDir dir;
        const QString key = QString::fromStdString(dir.dir() + "key.pem");
        const QString cert = QString::fromStdString(dir.dir() + "cert.pem");
        QProcess openssl;
        openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt",
                                  "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out",
                                  cert, "-days", "2", "-subj", "/CN=127.0.0.1"});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return std::nullopt;
        QFile keyFile(key);
        QFile certFile(cert);
        if (!keyFile.open(QIODevice::ReadOnly) || !certFile.open(QIODevice::ReadOnly))
            return std::nullopt;
        Identity made{QSslCertificate(certFile.readAll()), QSslKey(keyFile.readAll(), QSsl::Ec)};
        if (made.certificate.isNull() || made.key.isNull())
            return std::nullopt;
        return made;
    }();
    return kIdentity;
}

} // namespace

void ensureCoreApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "net_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

std::string SeenRequest::header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (lower(key) == lower(name))
            return value;
    }
    return {};
}

bool SeenRequest::hasHeader(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& header) { return lower(header.first) == lower(name); });
}

ServerConnection::ServerConnection(QTcpSocket* socket) : socket_(socket) {
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, &ServerConnection::read);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
}

void ServerConnection::send(const std::string& bytes) {
    if (!open())
        return;
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    sent_ += bytes.size();
}

void ServerConnection::reply(int status, const std::string& reason, const std::string& body,
                             const std::vector<std::pair<std::string, std::string>>& headers) {
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n";
    for (const auto& [name, value] : headers)
        head += name + ": " + value + "\r\n";
    head += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    send(head + body);
    close();
}

void ServerConnection::close() {
    if (open())
        socket_->disconnectFromHost();
}

void ServerConnection::flood(const std::string& head, const std::string& filler,
                             std::uint64_t cap) {
    send(head);
    auto* ssl = qobject_cast<QSslSocket*>(socket_.data());
    // A TLS socket encrypts into a buffer of its own, which counts as unsent too.
    const auto more = [this, ssl, filler, cap] {
        constexpr qint64 kAhead = 256 * 1024;
        while (open() &&
               socket_->bytesToWrite() + (ssl ? ssl->encryptedBytesToWrite() : 0) < kAhead &&
               sent_ < cap)
            send(filler);
    };
    connect(socket_, &QTcpSocket::bytesWritten, this, more);
    if (ssl)
        connect(ssl, &QSslSocket::encryptedBytesWritten, this, more);
    more();
}

bool ServerConnection::open() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void ServerConnection::read() {
    if (requestSeen_) {
        socket_->readAll();
        return;
    }
    buffer_ += socket_->readAll().toStdString();
    const auto end = buffer_.find("\r\n\r\n");
    if (end == std::string::npos) {
        if (buffer_.size() > kMaxRequestHead)
            socket_->abort();
        return;
    }
    requestSeen_ = true;
    if (const auto request = parseHead(buffer_.substr(0, end)))
        emit requestRead(*request);
    else
        reply(400, "Bad Request", "");
}

TestServer::TestServer(Tls tls) : tls_(tls) {
    ensureCoreApplication();
    if (tls == Tls::On) {
        const auto& identity = testIdentity();
        if (!identity)
            return;
        auto* server = new QSslServer(this);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(identity->certificate);
        configuration.setPrivateKey(identity->key);
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        server->setSslConfiguration(configuration);
        server_ = server;
    } else {
        server_ = new QTcpServer(this);
    }
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, &TestServer::accept);
    if (!server_->listen(QHostAddress::LocalHost, 0)) {
        delete server_;
        server_ = nullptr;
    }
}

TestServer::~TestServer() {
    if (!thread_) {
        stop();
        return;
    }
    QThread* home = QCoreApplication::instance()->thread();
    QMetaObject::invokeMethod(
        this,
        [this, home] {
            stop();
            moveToThread(home);
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
}

void TestServer::stop() {
    for (const auto& connection : live_)
        delete connection.data();
    live_.clear();
    delete server_;
    server_ = nullptr;
}

void TestServer::serveFromOwnThread() {
    thread_ = std::make_unique<QThread>();
    moveToThread(thread_.get());
    thread_->start();
}

std::vector<SeenRequest> TestServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int TestServer::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

bool TestServer::listening() const {
    return server_ && server_->isListening();
}

std::uint16_t TestServer::port() const {
    return server_ ? server_->serverPort() : 0;
}

std::string TestServer::hostPort() const {
    return "127.0.0.1:" + std::to_string(port());
}

std::string TestServer::url(const std::string& path) const {
    return (tls_ == Tls::On ? "https://" : "http://") + hostPort() + path;
}

void TestServer::serve(const std::string& path, int status, const std::string& reason,
                       const std::string& body) {
    on(path, [=](const SeenRequest&, ServerConnection& connection) {
        connection.reply(status, reason, body);
    });
}

void TestServer::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        auto* connection = new ServerConnection(socket);
        live_.emplace_back(connection);
        connect(connection, &ServerConnection::requestRead, this,
                [this, connection](const SeenRequest& request) {
                    {
                        std::lock_guard lock(mutex_);
                        requests_.push_back(request);
                    }
                    const std::string path = request.target.substr(0, request.target.find('?'));
                    const auto handler = handlers_.find(path);
                    if (handler != handlers_.end())
                        handler->second(request, *connection);
                    else
                        connection->reply(404, "Not Found", "no such page");
                });
    }
}

std::uint16_t closedPort() {
    ensureCoreApplication();
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const std::uint16_t port = probe.serverPort();
    probe.close();
    return port;
}

std::string unresolvableHost() {
    std::string host;
    for (int label = 0; label < 4; ++label)
        host += std::string(63, 'n') + ".";
    return host + "invalid";
}

TickWatch::TickWatch() {
    clock_.start();
    startTimer(20);
}

void TickWatch::tick() {
    const std::int64_t now = clock_.elapsed();
    longest_ = std::max<std::int64_t>(longest_, now - last_);
    last_ = now;
    ++ticks_;
}

std::int64_t TickWatch::longestGapMs() const {
    return std::max<std::int64_t>(longest_, clock_.elapsed() - last_);
}

} // namespace dm::test
