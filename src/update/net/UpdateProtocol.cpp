// The update request's path and query, and the reading of the reply's version.
#include "update/net/UpdateProtocol.h"

#include "framework/TextUtils.h"
#include "update/Version.h"

namespace dm::update {

std::string updateRequestTarget(const std::string& productName, const std::string& company,
                                const std::string& vhText, const std::string& vlText) {
    return "/vigil/check.php?uid=0&ProductName=" + UrlEncode(productName) +
           "&Company=" + UrlEncode(company) + "&VH=" + vhText + "&VL=" + vlText;
}

UpdateReply readUpdateReply(const std::string& body, std::uint32_t ms, std::uint32_t ls) {
    const VigilVersion version(body);
    // A negative part makes no version, though it may sum above 0, and its word compared
    // unsigned would be newer than any real version.
    const bool negative =
        version.Major < 0 || version.Minor < 0 || version.Release < 0 || version.Build < 0;
    const bool valid = version.IsValid() && !negative;
    return {version.ToText(), valid, valid && version.IsNewerThanDwords(ms, ls)};
}

} // namespace dm::update
