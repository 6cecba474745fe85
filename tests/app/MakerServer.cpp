#include "app/MakerServer.h"

#include "support/TempDir.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>

namespace dm::test {

namespace {

struct Credentials {
    QSslCertificate certificate;
    QSslKey key;
};

// A certificate for 127.0.0.1 and its key, made once per process with the openssl tool.
const Credentials& loopbackCredentials() {
    static const Credentials made = [] {
        Credentials result;
        TempDir dir;
        const QString key = QString::fromStdString(dir.dir() + "key.pem");
        const QString cert = QString::fromStdString(dir.dir() + "cert.pem");
        QProcess openssl;
        openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt",
                                  "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2", "-subj",
                                  "/CN=127.0.0.1", "-keyout", key, "-out", cert});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return result;
        QFile certFile(cert), keyFile(key);
        if (certFile.open(QIODevice::ReadOnly))
            result.certificate = QSslCertificate(&certFile, QSsl::Pem);
        if (keyFile.open(QIODevice::ReadOnly))
            result.key = QSslKey(&keyFile, QSsl::Ec, QSsl::Pem);
        return result;
    }();
    return made;
}

} // namespace

MakerServer::MakerServer(bool tls, QObject* parent) : QObject(parent), tls_(tls) {
    if (tls_) {
        const Credentials& credentials = loopbackCredentials();
        configuration_ = QSslConfiguration::defaultConfiguration();
        configuration_.setLocalCertificate(credentials.certificate);
        configuration_.setPrivateKey(credentials.key);
        configuration_.setPeerVerifyMode(QSslSocket::VerifyNone);
    }
}

MakerServer::~MakerServer() = default;

bool MakerServer::listen() {
    if (tls_) {
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(configuration_);
        server_ = std::move(server);
    } else {
        server_ = std::make_unique<QTcpServer>();
    }
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection())
            serve(socket);
    });
    if (!server_->listen(QHostAddress::LocalHost, port_))
        return false;
    port_ = server_->serverPort();
    return true;
}

void MakerServer::stop() {
    if (server_)
        server_->close();
}

std::string MakerServer::hostPort() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::string MakerServer::bodyFor(const std::string& target, int& status) const {
    status = 200;
    if (target.rfind("/vigil/check.php", 0) == 0)
        return latestVersion;
    if (target == "/dimmetric/dimmetric.ini")
        return links;
    status = 404;
    return "<html><body>Not found</body></html>";
}

void MakerServer::serve(QTcpSocket* socket) {
    auto received = std::make_shared<std::string>();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        *received += socket->readAll().toStdString();
        const auto end = received->find("\r\n\r\n");
        if (end == std::string::npos)
            return;
        // "GET <target> HTTP/1.1"
        const auto first = received->find(' ');
        const auto second = received->find(' ', first + 1);
        const std::string target = received->substr(first + 1, second - first - 1);
        requests.push_back(target);
        int status = 200;
        const std::string body = bodyFor(target, status);
        const std::string reply =
            "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Not Found") +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        received->clear();
        socket->write(reply.data(), static_cast<qint64>(reply.size()));
        socket->disconnectFromHost();
    });
}

} // namespace dm::test
