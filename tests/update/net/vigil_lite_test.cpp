// Tests of the update check: replies, requests, encoding, errors, TLS fallback and freeing.
#include "update/net/VigilLite.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "framework/RunLog.h"
#include "platform/fakes/FakeShell.h"
#include "support/EnvironmentGuard.h"
#include "update/identify/IdentifyFixture.h"

#include <QObject>
#include <QPointer>

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dm::update {
namespace {

using namespace std::chrono_literals;
using dm::test::runFor;
using dm::test::runUntil;
using dm::test::SeenRequest;
using dm::test::ServerConnection;
using dm::test::TestServer;

constexpr const char* kOwnQuery =
    "/vigil/check.php?uid=0&ProductName=Dimmetric&Company=Brackenway&VH=65559&VL=47";
constexpr const char* kAt = "\t[26-12-07 14:16:10]\t";

// The checker on our own executable (its version resource is embedded in this test), a verbose
// log, and the maker's server pointed at an HTTPS server on 127.0.0.1.
class VigilLiteTest : public test::IdentifyFixture {
protected:
    VigilLiteTest() {
        dm::test::ensureCoreApplication();
        system.workstation = platform::WorkstationVersion{10, 0};
        system.ticks = 1000;
    }
    void SetUp() override {
        if (!server.listening())
            GTEST_SKIP() << "no certificate could be made (openssl command missing)";
    }

    // Points the maker's server at server and answers the update request with body.
    void answer(TestServer& target, int status, const std::string& reason, std::string body) {
        environment.set("DIMMETRIC_SERVER", target.hostPort().c_str());
        target.on("/vigil/check.php", [=, this](const SeenRequest&, ServerConnection& c) {
            system.ticks = 1250;
            c.reply(status, reason, body);
        });
    }

    // One check of file; waits for its result.
    void check(const std::string& file) {
        const int before = results;
        checker.CheckForUpdate(file, &owner, [this](VigilLite& sender) {
            EXPECT_EQ(&sender, &checker);
            EXPECT_FALSE(sender.Busy()) << "Busy is cleared before the owner is called";
            ++results;
        });
        EXPECT_TRUE(checker.Busy());
        EXPECT_FALSE(checker.UpdateAvailable());
        EXPECT_FALSE(checker.ReplyValid());
        ASSERT_TRUE(runUntil([&] { return results > before; })) << "no result";
    }

    // The log's lines, oldest first.
    std::vector<std::string> lines() const { return {log.Lines().rbegin(), log.Lines().rend()}; }

    std::string self = fromDisk(versions.moduleFileName());
    dm::test::EnvironmentGuard environment;
    platform::FakeShell shell;
    RunLog log{RunLog::Services{files, system, shell}, temp.dir() + "Dimmetric.log", true, 10000,
               false};
    QObject owner;
    VigilLite checker{&log, "Dimmetric", {context, dm::test::shortLimits(5s, 20s)}};
    TestServer server{TestServer::Tls::On};
    int results = 0;
};

TEST_F(VigilLiteTest, EveryReplyCaseGivesItsFlagsAndLogLines) {
    struct Case {
        int status;
        std::string body;
        const char* read;
        bool valid;
        bool newer;
    };
    const std::vector<Case> cases = {
        {200, "1.23.0.47", "1.23.0.47", true, false},
        {200, "1.23.0.48", "1.23.0.48", true, true},
        {200, "1.23.0.48\r\n", "1.23.0.0", true, false},
        {200, "2", "2.0.0.0", true, true},
        {200, "1.70000.0.0", "1.0.0.0", true, false},
        {200, "1.24", "1.24.0.0", true, true},
        {200, "", "0.0.0.0", false, false},
        {200, "<html><body>Maintenance</body></html>", "0.0.0.0", false, false},
        {404, "1.23.0.48", "1.23.0.48", true, true},
        {404, "<html>Not here</html>", "0.0.0.0", false, false},
        // A negative part is no version, though the parts sum above 0 and its word, compared
        // unsigned, would be newer than any.
        {200, "-1.30.0.0", "-1.30.0.0", false, false},
        {200, "0.0.0.1", "0.0.0.1", true, false},
    };
    ASSERT_TRUE(server.listening());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        answer(server, c.status, c.status == 200 ? "OK" : "Not Found", c.body);
        const std::size_t seen = log.Lines().size();
        system.ticks = 1000;
        check(self);
        EXPECT_EQ(checker.ReplyValid(), c.valid);
        EXPECT_EQ(checker.UpdateAvailable(), c.newer);
        EXPECT_EQ(checker.Stream(), c.body);
        std::vector<std::string> expected = {
            std::string("Info") + kAt + "Dimmetric Update self check : Initialization",
            std::string("Info") + kAt + "Dimmetric Update self check : Server replied " + c.read +
                " in 250ms"};
        const std::string cause =
            std::string("Server error (0 Cause : ") + (c.status == 200 ? "OK" : "Not Found") + ")";
        if (!c.valid)
            expected.push_back(std::string("Verbose") + kAt +
                               "Dimmetric Update self check : " + cause);
        const VigilLite::Failure failure = checker.failure();
        EXPECT_EQ(failure.kind,
                  c.valid ? VigilLite::Failure::Kind::None : VigilLite::Failure::Kind::NotAVersion);
        // The owner gets the status line of a reply that was not 2xx.
        EXPECT_EQ(failure.detail, c.valid || c.status == 200 ? "" : "HTTP/1.1 404 Not Found");
        const auto all = lines();
        EXPECT_EQ(std::vector<std::string>(all.begin() + seen, all.end()), expected);
    }
    EXPECT_EQ(results, static_cast<int>(cases.size()));
    EXPECT_EQ(checker.MS(), 65559u);
    EXPECT_EQ(checker.LS(), 47u);
}

TEST_F(VigilLiteTest, TheRequestAsTheServerReceivesIt) {
    ASSERT_TRUE(server.listening());
    answer(server, 200, "OK", "1.23.0.47");
    check(self);
    ASSERT_EQ(server.requests().size(), 1u);
    const SeenRequest seen = server.requests()[0];
    EXPECT_EQ(seen.method, "GET");
    EXPECT_EQ(seen.target, kOwnQuery);
    EXPECT_EQ(seen.version, "HTTP/1.1");
    EXPECT_EQ(seen.header("User-Agent"), "Mozilla/5.0");
    EXPECT_EQ(seen.header("Accept"),
              "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8");
    EXPECT_EQ(seen.header("Accept-Language"), "fr,fr-fr;q=0.8,en-us;q=0.5,en;q=0.3");
    EXPECT_FALSE(seen.hasHeader("Cookie"));
    ASSERT_NE(checker.Http(), nullptr);
    EXPECT_EQ(checker.Http()->parent(), &owner);
    EXPECT_EQ(checker.Http()->Timeout, 10);
    EXPECT_EQ(checker.Http()->Proxy, "");
}

TEST_F(VigilLiteTest, NameAndCompanyAreUrlEncodedAndAnUnreadableVersionSendsZeros) {
    ASSERT_TRUE(server.listening());
    answer(server, 200, "OK", "0.0.0.1");
    platform::VersionResourceContent content;
    platform::FixedFileInfo fixed;
    fixed.FileVersionMS = 0x00020003;
    fixed.FileVersionLS = 0x00040005;
    content.Fixed = fixed;
    content.StringTables.push_back(
        {"040904e4", {{"CompanyName", "Acme & Sons/50%"}, {"ProductName", "Caf\xC3\xA9 Pro+"}}});
    content.Translations = std::vector<std::uint32_t>{0x04E40409};
    check(writePe("tools/cafe.exe", content));
    check(temp.dir() + "missing.exe");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/vigil/check.php?uid=0&ProductName=Caf%E9%20Pro%2B"
                                  "&Company=Acme%20%26%20Sons%2F50%25&VH=131075&VL=262149");
    // A file without version information is named after itself and has no company.
    EXPECT_EQ(requests[1].target, "/vigil/check.php?uid=0&ProductName=missing&Company=&VH=0&VL=0");
    EXPECT_TRUE(checker.UpdateAvailable()) << "any valid reply is newer than 0.0.0.0";
}

TEST_F(VigilLiteTest, ARefusedConnectionIsOneErrorLineWithoutCause) {
    environment.set("DIMMETRIC_SERVER",
                    ("127.0.0.1:" + std::to_string(dm::test::closedPort())).c_str());
    check(self);
    EXPECT_FALSE(checker.ReplyValid());
    EXPECT_FALSE(checker.UpdateAvailable());
    EXPECT_FALSE(checker.Busy());
    EXPECT_EQ(lines(),
              (std::vector<std::string>{
                  std::string("Info") + kAt + "Dimmetric Update self check : Initialization",
                  std::string("Error") + kAt + "Dimmetric Update self check : Server error (" +
                      std::to_string(CURLE_COULDNT_CONNECT) + ")"}));
    EXPECT_EQ(checker.failure().kind, VigilLite::Failure::Kind::NoReply);
    EXPECT_THAT(checker.failure().detail, ::testing::StartsWith("Failed to connect to 127.0.0.1"))
        << "the owner can say why";
}

// A reply cut short anywhere is no server answer: an error line with the code, both flags False,
// and the cause for the owner.
TEST_F(VigilLiteTest, AReplyCutShortIsAnError) {
    ASSERT_TRUE(server.listening());
    environment.set("DIMMETRIC_SERVER", server.hostPort().c_str());
    for (const dm::test::CutReply& cut : dm::test::cutReplies()) {
        SCOPED_TRACE(cut.stage);
        server.on("/vigil/check.php", [&](const SeenRequest&, ServerConnection& c) {
            c.send(cut.bytes);
            c.close();
        });
        const std::size_t before = log.Lines().size();
        check(self);
        EXPECT_FALSE(checker.ReplyValid());
        EXPECT_FALSE(checker.UpdateAvailable());
        const auto all = lines();
        ASSERT_EQ(all.size(), before + 2);
        const std::string code = std::to_string(cut.code);
        EXPECT_EQ(all.back(), std::string("Error") + kAt +
                                  "Dimmetric Update self check : Server error (" + code + ")");
        EXPECT_EQ(checker.failure().kind, VigilLite::Failure::Kind::NoReply);
        EXPECT_THAT(checker.failure().detail,
                    ::testing::AllOf(::testing::Not(::testing::IsEmpty()),
                                     ::testing::Not(::testing::Eq("OK"))));
    }
}

TEST_F(VigilLiteTest, OverTlsAndBackToHttpWhenTlsCannotBeUsed) {
    answer(server, 200, "OK", "1.23.0.48");
    check(self);
    EXPECT_TRUE(checker.UpdateAvailable());
    EXPECT_EQ(checker.Http()->URL, "https://" + server.hostPort() + kOwnQuery);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(lines().size(), 2u) << "no No SSL line";

    system.workstation.reset(); // the workstation query fails: older than Vista
    TestServer plain;
    ASSERT_TRUE(plain.listening());
    answer(plain, 200, "OK", "1.23.0.48");
    check(self);
    EXPECT_TRUE(checker.UpdateAvailable());
    EXPECT_EQ(checker.Http()->URL, "http://" + plain.hostPort() + kOwnQuery);
    const auto all = lines();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[3], std::string("Verbose") + kAt + "VigilLite : No SSL / Back to HTTP");
    EXPECT_EQ(plain.requests().size(), 1u);
}

TEST_F(VigilLiteTest, ASecondCheckFreesTheFirstClientAndItsRequest) {
    ASSERT_TRUE(server.listening());
    environment.set("DIMMETRIC_SERVER", server.hostPort().c_str());
    QPointer<ServerConnection> held;
    int asked = 0;
    server.on("/vigil/check.php", [&](const SeenRequest&, ServerConnection& c) {
        if (++asked == 1) {
            held = &c; // the first request is never answered
            return;
        }
        c.reply(200, "OK", "1.23.0.48");
    });
    checker.CheckForUpdate(self, &owner, [this](VigilLite&) { ++results; });
    ASSERT_TRUE(runUntil([&] { return asked == 1; }));
    QPointer<HttpClient> first = checker.Http();
    check(self);
    EXPECT_TRUE(first.isNull()) << "freed by the second check";
    runFor(100ms);
    EXPECT_EQ(results, 1) << "the first check's request was dropped";
    EXPECT_TRUE(checker.UpdateAvailable());
    EXPECT_TRUE(runUntil([&] { return !held || !held->open(); }));
}

TEST_F(VigilLiteTest, FreeingTheCheckerDropsItsRequest) {
    ASSERT_TRUE(server.listening());
    environment.set("DIMMETRIC_SERVER", server.hostPort().c_str());
    bool asked = false;
    server.on("/vigil/check.php", [&](const SeenRequest&, ServerConnection&) { asked = true; });
    int calls = 0;
    {
        VigilLite local(&log, "Dimmetric", {context});
        local.CheckForUpdate(self, &owner, [&](VigilLite&) { ++calls; });
        ASSERT_TRUE(runUntil([&] { return asked; }));
    }
    runFor(100ms);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(owner.children().isEmpty()) << "its client went with it";
}

TEST_F(VigilLiteTest, TheResultHandlerMayStartTheNextCheck) {
    ASSERT_TRUE(server.listening());
    answer(server, 200, "OK", "1.23.0.47");
    int done = 0;
    std::function<void(VigilLite&)> again = [&](VigilLite& sender) {
        if (++done < 3)
            sender.CheckForUpdate(self, &owner, again);
    };
    checker.CheckForUpdate(self, &owner, again);
    ASSERT_TRUE(runUntil([&] { return done == 3; }));
    EXPECT_EQ(server.requests().size(), 3u);
    EXPECT_FALSE(checker.Busy());
}

TEST_F(VigilLiteTest, ACompletionOfAnotherKindIsAnError) {
    ASSERT_TRUE(server.listening());
    answer(server, 200, "OK", "1.23.0.48");
    check(self);
    checker.RequestDone(*checker.Http(), httpHEAD, 0);
    EXPECT_EQ(lines().back(),
              std::string("Error") + kAt + "Dimmetric Update self check : Server error (0)");
}

} // namespace
} // namespace dm::update
