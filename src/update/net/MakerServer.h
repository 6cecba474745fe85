#pragma once

#include <string>

namespace dm::update {

// The maker's web server: the environment's DIMMETRIC_SERVER (a host or host:port) when it holds
// one, else the host the build was configured with. A value that is no host name (blanks, "/",
// "@", a bad port...) is ignored.
std::string MakerServerHost();
// "https://" + MakerServerHost() + path (which starts with "/").
std::string MakerServerUrl(const std::string& path);
// The maker's e-mail address, from the build's configuration.
std::string MakerEmailAddress();

// Whether text is a host name or IPv4 address, optionally followed by ":" and a port 1 to 65535.
bool IsServerHostText(const std::string& text);

} // namespace dm::update
