// Tests of the maker's server host texts and the environment's override.
#include "update/net/MakerServer.h"

#include "support/EnvironmentGuard.h"

#include <gtest/gtest.h>

#include <string>

namespace dm::update {
namespace {

TEST(MakerServer, HostTextsThatNameAServer) {
    const std::pair<const char*, bool> cases[] = {
        {"www.brackenway.example", true},
        {"127.0.0.1:8443", true},
        {"localhost:1", true},
        {"host_name-2.example:65535", true},
        {"", false},
        {":80", false},
        {"host:", false},
        {"host:0", false},
        {"host:65536", false},
        {"host:80x", false},
        {"host:123456", false},
        {"a b", false},
        {"host/path", false},
        {"user@host", false},
        {"host?x", false},
        {"https://host", false},
        {".host", false},
        {"-host", false},
        {"h\xE9te", false},
    };
    for (const auto& [text, ok] : cases)
        EXPECT_EQ(isServerHostText(text), ok) << text;
    EXPECT_FALSE(isServerHostText(std::string(254, 'a')));
    EXPECT_TRUE(isServerHostText(std::string(253, 'a')));
}

TEST(MakerServer, TheEnvironmentOverridesTheBuildsHost) {
    test::EnvironmentGuard environment;
    environment.set("DIMMETRIC_SERVER", nullptr);
    EXPECT_EQ(makerServerHost(), DIMMETRIC_SERVER_HOST);
    EXPECT_EQ(makerServerUrl("/dimmetric/dimmetric.ini"),
              std::string("https://") + DIMMETRIC_SERVER_HOST + "/dimmetric/dimmetric.ini");
    environment.set("DIMMETRIC_SERVER", "127.0.0.1:8080");
    EXPECT_EQ(makerServerUrl("/vigil/check.php?uid=0"),
              "https://127.0.0.1:8080/vigil/check.php?uid=0");
    for (const char* bad : {"", "evil.example/redirect?", "a@b", "host:99999"}) {
        environment.set("DIMMETRIC_SERVER", bad);
        EXPECT_EQ(makerServerHost(), DIMMETRIC_SERVER_HOST) << "ignored: " << bad;
    }
    EXPECT_EQ(makerEmailAddress(), DIMMETRIC_MAKER_EMAIL);
    EXPECT_NE(makerEmailAddress().find('@'), std::string::npos);
}

} // namespace
} // namespace dm::update
