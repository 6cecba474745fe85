// Tests of the display probes: names that cannot answer, silent servers, remote displays.
#include "platform/system/DisplaySockets.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

namespace dm::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = 300ms;

// Qt's sockets want the application object.
QCoreApplication* application() {
    static int argc = 1;
    static char name[] = "display_sockets_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app;
}
const bool kApplication = (application(), true);

// A TCP server on an X display's port of the loopback address, for a display number from 60 on;
// it takes connections (the system completes them) and never says a word.
struct SilentTcpDisplay {
    SilentTcpDisplay() {
        for (number = 60; number < 100; ++number)
            if (server.listen(QHostAddress::LocalHost, static_cast<quint16>(6000 + number)))
                return;
        number = -1;
    }
    std::string display() const { return "127.0.0.1:" + std::to_string(number); }
    QTcpServer server;
    int number = -1;
};

template <class Probe> std::chrono::milliseconds timed(Probe probe, bool& answered) {
    const auto start = Clock::now();
    answered = probe();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

TEST(DisplaySockets, DisplayNamesThatCannotAnswer) {
    EXPECT_FALSE(x11DisplayAnswers(""));
    EXPECT_FALSE(x11DisplayAnswers("nonsense"));
    EXPECT_FALSE(x11DisplayAnswers(":x"));
    EXPECT_FALSE(x11DisplayAnswers(":98765.0"));
    EXPECT_FALSE(x11DisplayAnswers("unix:98765"));
    test::TempDir dir;
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", dir.dir()));
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", ""));
    EXPECT_FALSE(waylandDisplayAnswers(dir.dir() + "wayland-9", ""));
    EXPECT_FALSE(waylandDisplayAnswers("", dir.dir()));
}

TEST(DisplaySockets, ASilentTcpDisplayDoesNotAnswerAndTheProbeEndsInTime) {
    SilentTcpDisplay silent;
    ASSERT_GE(silent.number, 0);
    bool answered = true;
    const auto took =
        timed([&] { return x11DisplayAnswers(silent.display(), kTimeout); }, answered);
    EXPECT_FALSE(answered);
    EXPECT_GE(took, kTimeout - 50ms);
    EXPECT_LT(took, 3s);
}

TEST(DisplaySockets, ASilentLocalDisplayDoesNotAnswerAndTheProbeEndsInTime) {
    // The abstract socket of the display's name, so that no file is made under /tmp/.X11-unix.
    const int number = 7000 + static_cast<int>(QCoreApplication::applicationPid() % 1000);
    QLocalServer server;
    server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    ASSERT_TRUE(server.listen("/tmp/.X11-unix/X" + QString::number(number)))
        << server.errorString().toStdString();
    bool answered = true;
    const auto took =
        timed([&] { return x11DisplayAnswers(":" + std::to_string(number), kTimeout); }, answered);
    EXPECT_FALSE(answered);
    EXPECT_GE(took, kTimeout - 50ms);
    EXPECT_LT(took, 3s);
}

TEST(DisplaySockets, ARemoteDisplayIsProbedAndAnswersWithItsSetUpReply) {
    std::promise<int> listening;
    std::unique_ptr<QThread> server(QThread::create([&listening] {
        QTcpServer tcp;
        int number = 60;
        while (number < 100 && !tcp.listen(QHostAddress::LocalHost, quint16(6000 + number)))
            ++number;
        listening.set_value(number < 100 ? number : -1);
        if (number == 100 || !tcp.waitForNewConnection(5000))
            return;
        QTcpSocket* client = tcp.nextPendingConnection();
        while (client->bytesAvailable() < 12 && client->waitForReadyRead(5000)) {
        }
        if (client->read(12).size() == 12) {
            client->write("\x01", 1); // success, the rest of the reply does not matter here
            client->waitForBytesWritten(5000);
        }
        client->waitForDisconnected(5000);
    }));
    server->start();
    const int number = listening.get_future().get();
    EXPECT_GE(number, 0);
    if (number >= 0) {
        EXPECT_TRUE(x11DisplayAnswers("localhost:" + std::to_string(number), 3s));
    }
    server->wait();
}

TEST(DisplaySockets, ARemoteDisplayWithoutServerDoesNotAnswer) {
    SilentTcpDisplay taken; // a port now free again
    ASSERT_GE(taken.number, 0);
    const std::string display = taken.display();
    taken.server.close();
    EXPECT_FALSE(x11DisplayAnswers(display, kTimeout));
}

} // namespace
} // namespace dm::platform
