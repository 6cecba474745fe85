#include "app/MakerSite.h"

#include <cstdlib>

#ifndef DIMMETRIC_SERVER_HOST
#error "DIMMETRIC_SERVER_HOST must name the maker's web server"
#endif
#ifndef DIMMETRIC_MAKER_EMAIL
#error "DIMMETRIC_MAKER_EMAIL must name the maker's contact address"
#endif

namespace dm {

std::string makerHost() {
    if (const char* host = std::getenv("DIMMETRIC_SERVER"); host && *host)
        return host;
    return DIMMETRIC_SERVER_HOST;
}

std::string makerPage(const std::string& path) {
    return "https://" + makerHost() + path;
}

std::string makerEmail() {
    return DIMMETRIC_MAKER_EMAIL;
}

} // namespace dm
