#pragma once

#include <string>

namespace dm {

// The maker's web server: its host (the build's setting, or DIMMETRIC_SERVER when set, host or
// host:port) and the pages the program opens on it over HTTPS.
std::string makerHost();
// "https://" + host + path; the site's root page for "/".
std::string makerPage(const std::string& path);
// The maker's contact address, a build setting.
std::string makerEmail();

} // namespace dm
