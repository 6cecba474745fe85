// Tests of the downloader: saved bodies, failures keep the old file, TLS fallback, freeing.
#include "update/net/FileGrabber.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "framework/RunLog.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/TempDir.h"

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dm::update {
namespace {

using namespace std::chrono_literals;
using test::runFor;
using test::runUntil;
using test::SeenRequest;
using test::ServerConnection;
using test::TestServer;

constexpr const char* kAt = "\t[26-12-07 14:16:10]\t";

class FileGrabberTest : public ::testing::Test {
protected:
    FileGrabberTest() {
        test::ensureCoreApplication();
        system.workstation = platform::WorkstationVersion{10, 0};
        system.ticks = 5000;
    }

    // Serves body on path; the server's answer moves the clock on by 40 ms.
    void serve(TestServer& target, const std::string& path, int status, std::string body) {
        target.on(path, [=, this](const SeenRequest&, ServerConnection& c) {
            system.ticks = 5040;
            c.reply(status, status == 200 ? "OK" : "Not Found", body);
        });
    }

    // One download; waits for its callback.
    void grab(const std::string& url, const std::string& file) {
        const int before = done;
        system.ticks = 5000;
        grabber->Grab(url, file, [this](FileGrabber& sender) {
            EXPECT_EQ(&sender, grabber.get());
            ++done;
        });
        ASSERT_TRUE(runUntil([&] { return done > before; })) << url;
    }

    std::vector<std::string> lines() const { return {log.Lines().rbegin(), log.Lines().rend()}; }
    std::string info(const std::string& text) const { return "Info" + (kAt + text); }
    std::string error(const std::string& text) const { return "Error" + (kAt + text); }

    test::TempDir temp;
    test::TempDir logDir;
    std::string target = temp.dir() + "dimmetric.ini";
    platform::FakeSystemInfo system;
    platform::FakeShell shell;
    platform::LinuxFileSystem files;
    RunLog log{RunLog::Services{files, system, shell}, logDir.dir() + "Dimmetric.log", true, 10000,
               false};
    std::unique_ptr<FileGrabber> grabber = std::make_unique<FileGrabber>(
        &log, FileGrabber::Services{system, files, test::shortLimits(5s, 20s)});
    TestServer server;
    int done = 0;
};

TEST_F(FileGrabberTest, SavesTheBodyByteForByteWhateverTheStatus) {
    ASSERT_TRUE(server.listening());
    const std::string bytes("[links]\r\nram=https://shop.example/ram\r\n\0\xff\n", 43);
    serve(server, "/dimmetric/dimmetric.ini", 200, bytes);
    serve(server, "/empty", 200, "");
    serve(server, "/gone", 404, "<html>no such file</html>");
    HttpClient* client = &grabber->Http();

    grab(server.url("/dimmetric/dimmetric.ini"), target);
    EXPECT_EQ(test::TempDir::read(target), bytes);
    EXPECT_EQ(grabber->Stream(), bytes);
    grab(server.url("/empty"), target);
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(test::TempDir::read(target), "") << "an empty body writes an empty file";
    grab(server.url("/gone"), target);
    EXPECT_EQ(test::TempDir::read(target), "<html>no such file</html>");

    EXPECT_EQ(lines(), std::vector<std::string>(3, info("File downloaded in 40ms")));
    EXPECT_EQ(&grabber->Http(), client) << "one client for the downloader's life";
    EXPECT_EQ(client->Timeout, 10);
    EXPECT_EQ(client->Agent, "Mozilla/5.0");
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(server.requests()[0].target, "/dimmetric/dimmetric.ini");
    EXPECT_EQ(server.requests()[0].header("Accept-Language"),
              "fr,fr-fr;q=0.8,en-us;q=0.5,en;q=0.3");
}

TEST_F(FileGrabberTest, AFailedDownloadKeepsTheOldFile) {
    temp.write("dimmetric.ini", "old content");
    const std::string port = std::to_string(test::closedPort());
    const std::string refused = "http://127.0.0.1:" + port + "/x";
    const std::string unknown = "http://" + test::unresolvableHost() + "/x";
    grab(refused, target);
    grab(unknown, target);
    ASSERT_TRUE(server.listening());
    const std::string huge(2 * 1024 * 1024, 'x');
    serve(server, "/huge", 200, huge);
    grabber = std::make_unique<FileGrabber>(&log, FileGrabber::Services{system, files});
    grab(server.url("/huge"), target);

    EXPECT_EQ(test::TempDir::read(target), "old content");
    EXPECT_THAT(lines(),
                ::testing::ElementsAre(
                    ::testing::StartsWith(error(
                        "File download : Server error (" + std::to_string(CURLE_COULDNT_CONNECT) +
                        " Cause : Failed to connect to 127.0.0.1 port " + port)),
                    ::testing::StartsWith(error("File download : Server error (" +
                                                std::to_string(CURLE_COULDNT_RESOLVE_HOST) +
                                                " Cause : Could not resolve host: nnnn")),
                    error("File download : Server error (63 Cause : Reply body larger than "
                          "1048576 bytes)")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no partial or temporary file is left";
}

// A reply cut short anywhere is a failed download: the kept file stays as it was, and the log
// names the cause.
TEST_F(FileGrabberTest, AReplyCutShortKeepsTheOldFile) {
    ASSERT_TRUE(server.listening());
    const std::string kept = "[links]\r\nram=https://shop.example/ram\r\n";
    temp.write("dimmetric.ini", kept);
    for (const test::CutReply& cut : test::cutReplies()) {
        SCOPED_TRACE(cut.stage);
        server.on("/cut", [&](const SeenRequest&, ServerConnection& c) {
            c.send(cut.bytes);
            c.close();
        });
        const std::size_t before = log.Lines().size();
        grab(server.url("/cut"), target);
        EXPECT_EQ(test::TempDir::read(target), kept);
        ASSERT_EQ(log.Lines().size(), before + 1);
        const std::string code = std::to_string(cut.code);
        EXPECT_THAT(lines().back(),
                    ::testing::AllOf(::testing::StartsWith(error("File download : Server error (" +
                                                                 code + " Cause : ")),
                                     ::testing::Not(::testing::EndsWith(" : )")),
                                     ::testing::Not(::testing::HasSubstr("Cause : OK)"))));
    }
}

TEST_F(FileGrabberTest, AFileThatCannotBeWrittenIsLoggedAndTheOldOneKept) {
    ASSERT_TRUE(server.listening());
    serve(server, "/f", 200, "new content");
    const std::string readOnly = temp.write("locked.ini", "old content");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    const std::string noFolder = temp.dir() + "missing/dimmetric.ini";
    grab(server.url("/f"), readOnly);
    grab(server.url("/f"), noFolder);
    EXPECT_EQ(test::TempDir::read(readOnly), "old content");
    EXPECT_FALSE(std::filesystem::exists(noFolder));
    EXPECT_EQ(lines(),
              (std::vector<std::string>{info("File downloaded in 40ms"),
                                        error("File download : cannot write " + readOnly),
                                        info("File downloaded in 40ms"),
                                        error("File download : cannot write " + noFolder)}));
    EXPECT_EQ(done, 2) << "the owner still hears of the end";
}

TEST_F(FileGrabberTest, WithoutAFileNameTheBodyStaysInMemory) {
    ASSERT_TRUE(server.listening());
    serve(server, "/f", 200, "kept in memory");
    grab(server.url("/f"), "");
    EXPECT_EQ(grabber->Stream(), "kept in memory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              0);
}

TEST_F(FileGrabberTest, OverTlsAndBackToHttpWhenTlsCannotBeUsed) {
    TestServer secure(TestServer::Tls::On);
    if (!secure.listening())
        GTEST_SKIP() << "no certificate could be made (openssl command missing)";
    serve(secure, "/f", 200, "secure");
    grab(secure.url("/f"), target);
    EXPECT_EQ(test::TempDir::read(target), "secure");
    EXPECT_EQ(lines(), std::vector<std::string>{info("File downloaded in 40ms")});

    system.workstation.reset(); // older than Vista: no TLS
    ASSERT_TRUE(server.listening());
    serve(server, "/f", 200, "plain");
    grab("HTTPS://" + server.hostPort() + "/f", target);
    EXPECT_EQ(test::TempDir::read(target), "plain");
    EXPECT_EQ(grabber->Http().URL, "http://" + server.hostPort() + "/f");
    EXPECT_EQ(grabber->URL(), "HTTPS://" + server.hostPort() + "/f");
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           info("File downloaded in 40ms"),
                           "Verbose" + (kAt + std::string("FileGrabber : No SSL / Back to HTTP")),
                           info("File downloaded in 40ms")}));
}

TEST_F(FileGrabberTest, AGrabWhileOneRunsChangesNothing) {
    ASSERT_TRUE(server.listening());
    QPointer<ServerConnection> held;
    server.on("/slow", [&](const SeenRequest&, ServerConnection& c) { held = &c; });
    int firstDone = 0;
    int secondDone = 0;
    grabber->Grab(server.url("/slow"), target, [&](FileGrabber&) { ++firstDone; });
    ASSERT_TRUE(runUntil([&] { return !held.isNull(); }));
    EXPECT_TRUE(grabber->Busy());
    grabber->Grab(server.url("/other"), temp.dir() + "other.ini",
                  [&](FileGrabber&) { ++secondDone; });
    EXPECT_EQ(grabber->URL(), server.url("/slow"));
    EXPECT_EQ(grabber->FileName(), target);
    held->reply(200, "OK", "slow body");
    ASSERT_TRUE(runUntil([&] { return firstDone == 1; }));
    runFor(100ms);
    EXPECT_EQ(secondDone, 0);
    EXPECT_EQ(test::TempDir::read(target), "slow body");
    EXPECT_FALSE(std::filesystem::exists(temp.dir() + "other.ini"));
    EXPECT_FALSE(grabber->Busy());
}

TEST_F(FileGrabberTest, FreeingTheDownloaderDropsItsDownload) {
    ASSERT_TRUE(server.listening());
    temp.write("dimmetric.ini", "old content");
    bool asked = false;
    server.on("/slow", [&](const SeenRequest&, ServerConnection&) { asked = true; });
    int calls = 0;
    grabber->Grab(server.url("/slow"), target, [&](FileGrabber&) { ++calls; });
    ASSERT_TRUE(runUntil([&] { return asked; }));
    grabber.reset();
    runFor(100ms);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(test::TempDir::read(target), "old content");
}

} // namespace
} // namespace dm::update
