#pragma once

#include <QObject>
#include <QSslConfiguration>

#include <memory>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace dm::test {

// The maker's web server on 127.0.0.1 for the program's tests: HTTPS with a self-signed
// certificate made for the run (or plain HTTP), answering the update check with a version and
// the links file with its text; every other path gets a 404 page. Each request target is kept.
class MakerServer : public QObject {
    Q_OBJECT

public:
    explicit MakerServer(bool tls = true, QObject* parent = nullptr);
    ~MakerServer() override;

    // Starts listening on a free loopback port; false when it cannot.
    bool listen();
    // Stops listening: later connections are refused.
    void stop();
    // "127.0.0.1:<port>", as DIMMETRIC_SERVER takes it.
    std::string hostPort() const;

    // The body of "/vigil/check.php" and of "/dimmetric/dimmetric.ini".
    std::string latestVersion = "1.23.0.47";
    std::string links = "[links]\r\nram=https://shop.example/ram\r\n";
    // Request targets (path and query), in arrival order.
    std::vector<std::string> requests;

private:
    void serve(QTcpSocket* socket);
    std::string bodyFor(const std::string& target, int& status) const;

    bool tls_;
    QSslConfiguration configuration_;
    std::unique_ptr<QTcpServer> server_;
    quint16 port_ = 0;
};

} // namespace dm::test
