// The maker's web server and e-mail address, and the test of a host text.
#pragma once

#include <string>

namespace dm::update {

// The maker's web server: the environment's DIMMETRIC_SERVER (a host or host:port) when it holds
// one, else the host the build was configured with. A value that is no host name (blanks, "/",
// "@", a bad port...) is ignored.
std::string makerServerHost();
// "https://" + makerServerHost() + path (which starts with "/").
std::string makerServerUrl(const std::string& path);
// The maker's e-mail address, from the build's configuration.
std::string makerEmailAddress();

// Whether text is a host name or IPv4 address, optionally followed by ":" and a port 1 to 65535.
bool isServerHostText(const std::string& text);

} // namespace dm::update
