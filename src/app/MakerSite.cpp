#include "app/MakerSite.h"

#include <cstdlib>

#ifndef DIMMETRIC_SERVER_HOST
#error "DIMMETRIC_SERVER_HOST must name the maker's web server"
#endif
#ifndef DIMMETRIC_MAKER_EMAIL
#error "DIMMETRIC_MAKER_EMAIL must name the maker's contact address"
#endif

namespace dm {

std::string MakerHost() {
    if (const char* host = std::getenv("DIMMETRIC_SERVER"); host && *host)
        return host;
    return DIMMETRIC_SERVER_HOST;
}

std::string MakerPage(const std::string& path) {
    return "https://" + MakerHost() + path;
}

std::string MakerEmail() {
    return DIMMETRIC_MAKER_EMAIL;
}

} // namespace dm
