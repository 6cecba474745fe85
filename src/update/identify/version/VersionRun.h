// One run of the version chain: the texts the rules test and change, and its services.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/rules/RuleChain.h"

#include <optional>
#include <string>
#include <vector>

namespace dm::update {

// The texts the version rules test and change; kResult is the version being built.
enum VersionField {
    kResult,
    kPath,           // the path as the chain opened it
    kFileName,       // its file name with extension
    kExtension,      // from the file name's last "."
    kFile,           // the file name without folder and extension
    kFolder,         // the folder, with its trailing delimiter
    kProductName,    // as given, else as the name rules give it
    kProductName64,  // without a trailing " (64 bits)"
    kCompanyName,    // as given, else as the company rules give it
    kDescription,    // the version-information record's FileDescription ...
    kInfoCompany,    // ... CompanyName
    kInfoProduct,    // ... ProductName
    kFileVersion,    // ... FileVersion
    kProductVersion, // ... ProductVersion
    kVersionFieldCount
};

// One run of the version chain: its texts, and the services its sources read.
using VersionRun = ChainValues<VersionField, kVersionFieldCount>;
template <> struct ChainOf<VersionField> { using Values = VersionRun; };
using VersionRow = RuleRow<VersionRun>;

// Folder + a relative name written with "\", in the platform's delimiter.
std::string folderPath(const VersionRun& run, const std::string& relative);
// The folder above folder (which ends with its delimiter), with its delimiter.
std::string parentFolder(const std::string& folder);

// The version of another file, with the run's names or with empty ones, when it exists
// non-empty, is not other (compared ignoring case; by default the run's own file) and is not
// refused for being identified already or too deep.
std::optional<std::string> versionOfOtherFile(VersionRun& run, const std::string& path,
                                              bool withNames);
std::optional<std::string> versionOfFileOtherThan(VersionRun& run, const std::string& path,
                                                  const std::string& other, bool withNames);

} // namespace dm::update
