// The update request's path and query, and what a reply body says.
#pragma once

#include <cstdint>
#include <string>

namespace dm::update {

// The path and query of an update request: "/vigil/check.php?uid=0" then "&ProductName=",
// "&Company=" (both URL-encoded), "&VH=" and "&VL=" with the version words in decimal. The
// request carries no user or machine identity.
std::string updateRequestTarget(const std::string& productName, const std::string& company,
                                const std::string& vhText, const std::string& vlText);

// What a reply body says: the whole body, untrimmed, is the latest version as dotted text.
struct UpdateReply {
    std::string versionText; // the version read, "%d.%d.%d.%d"
    bool valid = false;      // no part is negative and the parts sum to more than 0
    bool newer = false;      // valid and strictly newer than the version (ms, ls)
};
UpdateReply readUpdateReply(const std::string& body, std::uint32_t ms, std::uint32_t ls);

} // namespace dm::update
