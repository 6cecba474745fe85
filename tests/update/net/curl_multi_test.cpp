// The HTTP client when curl cannot make its transfer machinery (curl_multi_init gives null, as it
// does without memory): this test's link routes curl_multi_init through the wrapper below.
#include "update/net/HttpClient.h"

#include "NetTestHelpers.h"
#include "TestServer.h"
#include "update/net/CurlMulti.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool refuseMultiInit = false;

} // namespace

extern "C" {
CURLM* __real_curl_multi_init();  // NOLINT(readability-identifier-naming)
CURLM* __wrap_curl_multi_init() { // NOLINT(readability-identifier-naming)
    return refuseMultiInit ? nullptr : __real_curl_multi_init();
}
}

namespace dm::update {
namespace {

using namespace std::chrono_literals;

class CurlMultiTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureCoreApplication();
        refuseMultiInit = true;
    }
    void TearDown() override { refuseMultiInit = false; }
};

TEST_F(CurlMultiTest, WithoutMachineryNothingStarts) {
    CurlMulti multi([](CURL*, CURLcode) {});
    EXPECT_FALSE(multi.ready());
    CURL* easy = curl_easy_init();
    EXPECT_FALSE(multi.add(easy));
    multi.remove(easy);
    curl_easy_cleanup(easy);
}

// The request fails through its completion, with a cause, like a failed connection; the client
// is then free for the next one.
TEST_F(CurlMultiTest, WithoutMachineryARequestFailsWithItsCause) {
    HttpClient client;
    std::string body;
    test::Completion done;
    test::prepareRecordedGet(client, "http://127.0.0.1:9/x", body, done);
    EXPECT_TRUE(client.getAsync());
    EXPECT_TRUE(client.busy());
    ASSERT_TRUE(test::runUntil([&] { return done.calls > 0; }, 5s));
    EXPECT_EQ(done.kind, httpGET);
    EXPECT_EQ(done.code, kHttpErrorNoTransport);
    EXPECT_EQ(done.reason, "The transport could not be set up");
    EXPECT_FALSE(client.busy());
    test::runFor(50ms);
    EXPECT_EQ(done.calls, 1);
    EXPECT_TRUE(client.getAsync()) << "the next request may start";
    ASSERT_TRUE(test::runUntil([&] { return done.calls > 1; }, 5s));
}

} // namespace
} // namespace dm::update
