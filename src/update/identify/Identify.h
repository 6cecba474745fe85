// What the identification engine answers: an executable's product name, company and version.
#pragma once

#include "update/identify/IdentifyContext.h"

#include <string>

namespace dm::update {

// The product name and company of an executable.
struct DisplayedFileInfo {
    std::string Name;
    std::string Company;

    bool operator==(const DisplayedFileInfo&) const = default;
};

// The product name and company of an executable, as the name and company rules give them.
DisplayedFileInfo GetDisplayedFileInfo(IdentifyContext& context, const std::string& fileName);

// The version of an executable, as the version rules give it; in its four-part normal form unless
// raw or the rules gave no valid version. fileName receives the form the rules opened it by.
std::string GetSoftwareVersion(IdentifyContext& context, std::string& fileName,
                               const std::string& productName, const std::string& companyName,
                               bool raw);

// Whether GetSoftwareVersion would look at fileName now: not while the same file is being
// identified further up, nor deeper than a few files.
bool canIdentify(IdentifyContext& context, const std::string& fileName);

} // namespace dm::update
