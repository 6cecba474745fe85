// Tests of the HTTP client: presets, statuses, redirections, proxies, TLS and freeing.
#include "update/net/HttpClient.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "support/EnvironmentGuard.h"
#include "update/net/HttpPresets.h"

#include <curl/curl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <openssl/crypto.h>

#include <memory>

namespace dm::update {
namespace {

using test::Completion;
using test::runFor;
using test::runUntil;
using test::SeenRequest;
using test::ServerConnection;
using test::TestServer;

constexpr const char* kAccept =
    "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8";
constexpr const char* kAcceptLanguage = "fr,fr-fr;q=0.8,en-us;q=0.5,en;q=0.3";

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureCoreApplication(); }

    // Starts one GET of url on client and waits for its completion.
    Completion get(HttpClient& client, const std::string& url) {
        Completion done;
        test::prepareRecordedGet(client, url, body, done);
        EXPECT_TRUE(client.getAsync());
        EXPECT_TRUE(runUntil([&] { return done.calls > 0; })) << "no completion for " << url;
        return done;
    }

    std::string body;
};

TEST_F(HttpClientTest, PresetsAreTheFixedTextsAndTouchNothingElse) {
    HttpClient client;
    client.URL = "http://keep/";
    client.Proxy = "keep";
    HttpClient& same = SetupHttpClient(client);
    EXPECT_EQ(&same, &client);
    EXPECT_EQ(client.Agent, "Mozilla/5.0");
    EXPECT_EQ(client.RequestVer, "1.1");
    EXPECT_EQ(client.Accept, kAccept);
    EXPECT_EQ(client.AcceptLanguage, kAcceptLanguage);
    EXPECT_EQ(client.Timeout, 3);
    EXPECT_EQ(client.ProxyAuth, httpAuthBasic);
    EXPECT_EQ(client.URL, "http://keep/");
    EXPECT_EQ(client.Proxy, "keep");
    EXPECT_FALSE(client.SslContext().verifyPeer)
        << "each client's TLS settings check no certificate";
}

TEST_F(HttpClientTest, TheServerReceivesThePresetHeadersAndTheTargetAsSent) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    server.serve("/vigil/check.php", 200, "OK", "1.2.3.4");
    HttpClient client;
    SetupHttpClient(client);
    const std::string target =
        "/vigil/check.php?uid=0&ProductName=A%20B&Company=%C9tat%26Co&VH=65559&VL=47";
    const Completion done = get(client, server.url(target));
    EXPECT_EQ(done.calls, 1);
    EXPECT_EQ(done.kind, httpGET);
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.reason, "OK");
    EXPECT_EQ(body, "1.2.3.4");
    ASSERT_EQ(server.requests().size(), 1u);
    const SeenRequest seen = server.requests()[0];
    EXPECT_EQ(seen.method, "GET");
    EXPECT_EQ(seen.target, target);
    EXPECT_EQ(seen.version, "HTTP/1.1");
    EXPECT_EQ(seen.header("User-Agent"), "Mozilla/5.0");
    EXPECT_EQ(seen.header("Accept"), kAccept);
    EXPECT_EQ(seen.header("Accept-Language"), kAcceptLanguage);
    EXPECT_EQ(seen.header("Host"), server.hostPort());
    EXPECT_FALSE(seen.hasHeader("Cookie"));
    EXPECT_FALSE(seen.hasHeader("Proxy-Authorization"));
    EXPECT_FALSE(seen.hasHeader("Accept-Encoding")) << "no compressed reply is asked for";
}

TEST_F(HttpClientTest, AnyStatusCompletesTheTransferWithItsBody) {
    struct Case {
        int status;
        const char* reason;
    };
    const Case cases[] = {
        {200, "OK"},   {404, "Not Found"},    {403, "Forbidden"},    {401, "Unauthorized"},
        {410, "Gone"}, {418, "I'm a teapot"}, {500, "Server Error"}, {503, "Service Unavailable"}};
    TestServer server;
    ASSERT_TRUE(server.listening());
    HttpClient client;
    SetupHttpClient(client);
    for (const Case& c : cases) {
        server.serve("/page", c.status, c.reason, "body of " + std::to_string(c.status));
        body.clear();
        const Completion done = get(client, server.url("/page"));
        EXPECT_EQ(done.code, 0) << c.status;
        EXPECT_EQ(done.reason, c.reason);
        EXPECT_EQ(body, "body of " + std::to_string(c.status));
    }
}

TEST_F(HttpClientTest, FollowsFiveRedirectionsAndRefusesTheSixth) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    // /hop/N redirects to /hop/N-1; /hop/0 is the page.
    server.on("/hop/0",
              [](const SeenRequest&, ServerConnection& c) { c.reply(200, "OK", "arrived"); });
    for (int n = 1; n <= 6; ++n) {
        server.on("/hop/" + std::to_string(n), [n](const SeenRequest&, ServerConnection& c) {
            c.reply(302, "Found", "redirect body " + std::to_string(n),
                    {{"Location", "/hop/" + std::to_string(n - 1)}});
        });
    }
    HttpClient client;
    SetupHttpClient(client);
    Completion done = get(client, server.url("/hop/5"));
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(body, "arrived") << "only the last reply's body is kept";
    EXPECT_EQ(server.requests().back().header("User-Agent"), "Mozilla/5.0")
        << "redirected requests keep the presets";

    body.clear();
    done = get(client, server.url("/hop/6"));
    EXPECT_EQ(done.code, CURLE_TOO_MANY_REDIRECTS);
    EXPECT_FALSE(done.reason.empty());
    EXPECT_EQ(server.requests().back().target, "/hop/1") << "the sixth redirection is not taken";
}

TEST_F(HttpClientTest, ARedirectLoopEndsAsAnError) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    server.on("/loop", [](const SeenRequest&, ServerConnection& c) {
        c.reply(301, "Moved Permanently", "", {{"Location", "/loop"}});
    });
    HttpClient client;
    SetupHttpClient(client);
    const Completion done = get(client, server.url("/loop"));
    EXPECT_EQ(done.code, CURLE_TOO_MANY_REDIRECTS);
    EXPECT_EQ(server.requests().size(), 6u) << "the first request and five redirections";
}

TEST_F(HttpClientTest, RedirectionsToAnotherSchemeOrFromHttpsToHttpAreRefused) {
    TestServer secure(TestServer::Tls::On);
    if (!secure.listening())
        GTEST_SKIP() << "no certificate could be made (openssl command missing)";
    TestServer plain;
    ASSERT_TRUE(plain.listening());
    plain.serve("/page", 200, "OK", "plain page");
    const auto redirect = [](const std::string& location) {
        return [location](const SeenRequest&, ServerConnection& c) {
            c.reply(302, "Found", "", {{"Location", location}});
        };
    };
    plain.on("/to-file", redirect("file:///etc/hostname"));
    secure.on("/to-file", redirect("file:///etc/hostname"));
    secure.on("/to-http", redirect(plain.url("/page")));
    plain.on("/up-then-down", redirect(secure.url("/to-http")));
    HttpClient client;
    SetupHttpClient(client);
    for (const std::string& url : {plain.url("/to-file"), secure.url("/to-file"),
                                   secure.url("/to-http"), plain.url("/up-then-down")}) {
        body.clear();
        const Completion done = get(client, url);
        EXPECT_EQ(done.code, CURLE_UNSUPPORTED_PROTOCOL) << url;
        EXPECT_EQ(body, "") << url;
    }
    for (const SeenRequest& seen : plain.requests())
        EXPECT_NE(seen.target, "/page") << "the plain page was never asked for";
}

TEST_F(HttpClientTest, FailuresCarryTheTransportsCodeAndWords) {
    HttpClient client;
    SetupHttpClient(client);
    const std::string port = std::to_string(test::closedPort());
    Completion done = get(client, "http://127.0.0.1:" + port + "/x");
    EXPECT_EQ(done.code, CURLE_COULDNT_CONNECT);
    EXPECT_THAT(done.reason, ::testing::StartsWith("Failed to connect to 127.0.0.1 port " + port));

    done = get(client, "http://" + test::unresolvableHost() + "/x");
    EXPECT_EQ(done.code, CURLE_COULDNT_RESOLVE_HOST);
    // The words are cut to the length of curl's error text.
    EXPECT_THAT(done.reason, ::testing::StartsWith("Could not resolve host: " +
                                                   test::unresolvableHost().substr(0, 64)));
}

TEST_F(HttpClientTest, OnlyHttpIsSpoken) {
    const std::pair<const char*, int> cases[] = {
        {"file:///etc/hostname", CURLE_UNSUPPORTED_PROTOCOL},
        {"data:,1.2.3.4", CURLE_URL_MALFORMAT},
        {"qrc:/x", CURLE_UNSUPPORTED_PROTOCOL},
        {"ftp://a/b", CURLE_UNSUPPORTED_PROTOCOL}};
    HttpClient client;
    for (const auto& [url, code] : cases) {
        body.clear();
        const Completion done = get(client, url);
        EXPECT_EQ(done.code, code) << url;
        EXPECT_EQ(body, "") << url;
    }
}

TEST_F(HttpClientTest, UsesNoProxyEvenWhenTheEnvironmentNamesOne) {
    TestServer proxy;
    ASSERT_TRUE(proxy.listening());
    test::EnvironmentGuard environment;
    const std::string proxyUrl = "http://" + proxy.hostPort();
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"})
        environment.set(name, proxyUrl.c_str());
    environment.set("no_proxy", nullptr);
    environment.set("NO_PROXY", nullptr);
    // A host that only a proxy could reach; asked directly, the lookup fails on this machine.
    const std::string url = "http://" + test::unresolvableHost() + "/direct";

    // The environment's proxy does catch an ordinary libcurl request.
    proxy.serveFromOwnThread();
    CURL* ordinary = curl_easy_init();
    curl_easy_setopt(ordinary, CURLOPT_URL, url.c_str());
    curl_easy_setopt(
        ordinary, CURLOPT_WRITEFUNCTION,
        +[](char*, std::size_t, std::size_t size, void*) { return size; });
    curl_easy_perform(ordinary);
    curl_easy_cleanup(ordinary);
    const std::size_t caught = proxy.requests().size();

    HttpClient client;
    SetupHttpClient(client);
    const Completion done = get(client, url);
    EXPECT_EQ(done.code, CURLE_COULDNT_RESOLVE_HOST) << "asked directly";
    EXPECT_EQ(proxy.requests().size(), caught) << "the client went around the proxy";
    EXPECT_EQ(caught, 1u) << "the check above needs a libcurl that honours the proxy environment";
}

TEST_F(HttpClientTest, ASetProxyIsUsedWithItsCredentials) {
    TestServer proxy;
    ASSERT_TRUE(proxy.listening());
    proxy.on("http://origin.invalid/page",
             [](const SeenRequest&, ServerConnection& c) { c.reply(200, "OK", "via proxy"); });
    HttpClient client;
    SetupHttpClient(client);
    client.Proxy = "127.0.0.1";
    client.ProxyPort = std::to_string(proxy.port());
    const Completion done = get(client, "http://origin.invalid/page");
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(body, "via proxy");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].target, "http://origin.invalid/page");
}

TEST_F(HttpClientTest, TlsWithASelfSignedCertificateIsAccepted) {
    TestServer server(TestServer::Tls::On);
    if (!server.listening())
        GTEST_SKIP() << "no certificate could be made (openssl command missing)";
    server.serve("/secure", 200, "OK", "secret");
    HttpClient client;
    SetupHttpClient(client);
    const Completion done = get(client, server.url("/secure"));
    EXPECT_EQ(done.code, 0) << done.reason;
    EXPECT_EQ(body, "secret");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].version, "HTTP/1.1");
}

TEST_F(HttpClientTest, ARequestStartsOnlyWhenTheClientIsIdle) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    server.serve("/one", 200, "OK", "one");
    HttpClient client;
    SetupHttpClient(client);
    Completion done;
    test::prepareRecordedGet(client, server.url("/one"), body, done);
    ASSERT_TRUE(client.getAsync());
    EXPECT_TRUE(client.busy());
    const platform::Status second = client.getAsync();
    EXPECT_FALSE(second) << "a second start is refused";
    EXPECT_EQ(second.error(), "A request is still running");
    ASSERT_TRUE(runUntil([&] { return done.calls > 0; }));
    runFor(std::chrono::milliseconds(100));
    EXPECT_EQ(done.calls, 1);
    EXPECT_EQ(body, "one");
    EXPECT_FALSE(client.busy());
}

TEST_F(HttpClientTest, AFreedClientDropsItsRequestWithoutACompletion) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    QPointer<ServerConnection> waiting;
    server.on("/slow", [&](const SeenRequest&, ServerConnection& c) { waiting = &c; });
    server.serve("/fast", 200, "OK", "fast");
    int calls = 0;
    auto start = [&](const char* path) {
        auto client = std::make_unique<HttpClient>();
        client->URL = server.url(path);
        client->RcvdStream = &body;
        client->OnRequestDone = [&](HttpClient&, HttpRequest, std::uint16_t) { ++calls; };
        EXPECT_TRUE(client->getAsync());
        return client;
    };

    // Freed while the server has not answered.
    auto client = start("/slow");
    ASSERT_TRUE(runUntil([&] { return !waiting.isNull(); }));
    client.reset();
    EXPECT_TRUE(runUntil([&] { return !waiting || !waiting->open(); }))
        << "the dropped request's connection is closed";

    // Freed after the reply came, while its completion waits in the event queue.
    client = start("/fast");
    ASSERT_TRUE(runUntil([&] { return client->reasonPhrase() == "OK"; }));
    client.reset();
    runFor(std::chrono::milliseconds(200));
    EXPECT_EQ(calls, 0);
}

TEST_F(HttpClientTest, TheCompletionHandlerMayFreeItsClient) {
    TestServer server;
    ASSERT_TRUE(server.listening());
    server.serve("/x", 200, "OK", "x");
    auto client = std::make_unique<HttpClient>();
    client->URL = server.url("/x");
    int calls = 0;
    client->OnRequestDone = [&](HttpClient&, HttpRequest, std::uint16_t) {
        ++calls;
        client.reset();
    };
    ASSERT_TRUE(client->getAsync());
    ASSERT_TRUE(runUntil([&] { return calls > 0; }));
    runFor(std::chrono::milliseconds(50));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(client, nullptr);
}

TEST_F(HttpClientTest, TlsQuestionsAndTheSchemeFallback) {
    platform::FakeSystemInfo current;
    current.workstation = platform::WorkstationVersion{10, 0};
    const curl_version_info_data* transport = curl_version_info(CURLVERSION_NOW);
    ASSERT_TRUE(transport->features & CURL_VERSION_SSL) << "this machine's libcurl has TLS";
    EXPECT_TRUE(IsSslAvailable(current));
    // What the loaded OpenSSL says of itself, with its release date; not the transport's
    // "OpenSSL/3.0.17".
    EXPECT_EQ(GetSslVersionText(current), OpenSSL_version(OPENSSL_VERSION));
    EXPECT_THAT(
        GetSslVersionText(current),
        ::testing::MatchesRegex("OpenSSL [0-9]+\\.[0-9]+\\.[0-9]+[a-z]* +[0-9]+ [A-Z][a-z][a-z] "
                                "[0-9][0-9][0-9][0-9]"));

    platform::FakeSystemInfo old;
    old.workstation = platform::WorkstationVersion{5, 1};
    platform::FakeSystemInfo failing; // the workstation query fails
    for (platform::FakeSystemInfo* system : {&old, &failing}) {
        EXPECT_FALSE(IsSslAvailable(*system));
        EXPECT_EQ(GetSslVersionText(*system), "Not Available");
    }

    struct Case {
        const char* url;
        const char* withTls;
        const char* withoutTls;
    };
    const Case cases[] = {
        {"https://host/p?q=1", "https://host/p?q=1", "http://host/p?q=1"},
        {"HTTPS://Host/P", "HTTPS://Host/P", "http://Host/P"},
        {"HttpS://h", "HttpS://h", "http://h"},
        {"http://host/p", "http://host/p", "http://host/p"},
        {"HTTP://host", "HTTP://host", "HTTP://host"},
        {"ftp://host", "ftp://host", "ftp://host"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdjustUrlScheme(current, c.url), c.withTls) << c.url;
        EXPECT_EQ(AdjustUrlScheme(old, c.url), c.withoutTls) << c.url;
    }
}

} // namespace
} // namespace dm::update
