// The maker's web server host and e-mail address, from the environment or the build.
#include "update/net/MakerServer.h"

#include <cstdlib>

#ifndef DIMMETRIC_SERVER_HOST
#error "DIMMETRIC_SERVER_HOST must name the maker's web server"
#endif
#ifndef DIMMETRIC_MAKER_EMAIL
#error "DIMMETRIC_MAKER_EMAIL must name the maker's e-mail address"
#endif

namespace dm::update {

namespace {

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}

bool isPort(const std::string& text) {
    if (text.empty() || text.size() > 5)
        return false;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

} // namespace

bool isServerHostText(const std::string& text) {
    const auto colon = text.find(':');
    const std::string host = text.substr(0, colon);
    if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-')
        return false;
    for (const char c : host) {
        if (!isHostCharacter(c))
            return false;
    }
    return colon == std::string::npos || isPort(text.substr(colon + 1));
}

std::string makerServerHost() {
    const char* value = std::getenv("DIMMETRIC_SERVER");
    if (value && isServerHostText(value))
        return value;
    return DIMMETRIC_SERVER_HOST;
}

std::string makerServerUrl(const std::string& path) {
    return "https://" + makerServerHost() + path;
}

std::string makerEmailAddress() {
    return DIMMETRIC_MAKER_EMAIL;
}

} // namespace dm::update
