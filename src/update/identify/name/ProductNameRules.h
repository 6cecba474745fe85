// The product-name rule tables, the working values they read and the hooks they call.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/rules/RuleChain.h"

#include <span>
#include <string>

// The product-name rule tables and the working values they read.
namespace dm::update {

enum NameField : int {
    kName,                  // the name being built
    kFile,                  // the file name without folder and extension
    kFolder,                // the folder, with its trailing delimiter
    kPath,                  // the full file name
    kFileName,              // the file name with its extension
    kLastFolderName,        // the folder's last part, cut before its last "."
    kFolderPart,            // the folder's last part, whole
    kDescription,           // the version resource's texts
    kInfoCompany,           //
    kInfoProduct,           //
    kInternalName,          //
    kCopyright,             //
    kFileVersion,           //
    kProductVersion,        //
    kInfoCompanyNoQuestion, // the company without its "?"s
    kDescWords,             // word counts of the description and the product, as decimal text
    kInfoProductWords,      //
    kMajorFileVersion,      // parts of the versions, as decimal text
    kMajorProductVersion,   //
    kReleaseFileVersion,    //
    kReleaseProductVersion, //
    kProductVersionParts,   // the product version as four parts ("1.0.0.0")
    kNameFieldCount
};

using NameValues = ChainValues<NameField, kNameFieldCount>;
template <> struct ChainOf<NameField> { using Values = NameValues; };
using NameRow = RuleRow<NameValues>;

// Run after the choice of a field (A) and after the generic clean-up (B).
std::span<const NameRow> productNameRulesA();
std::span<const NameRow> productNameRulesB();

// The hooks of the rows that read outside data (files, the registry, other files' versions, a
// program's output). Probes are checks; the others are steps on the name.
namespace name_hooks {

bool versionNewerThan(NameValues& v, const std::string& version);
bool installed(NameValues& v, const std::string& displayName);
bool installedInFolder(NameValues& v, const std::string& displayName);
bool installedAfterDash(NameValues& v, const std::string& displayName);
bool softwareInstalled(NameValues& v, const std::string& prefix);
bool folderDisplayNameHas(NameValues& v, const std::string& text);
bool existsInFolder(NameValues& v, const std::string& relative);
bool fileNamesItsVersion(NameValues& v, const std::string& prefix);

bool setFolderDisplayName(NameValues& v, const std::string&);
bool setIniNameWithLegacy(NameValues& v, const std::string& relative);
bool appendNodeReleaseLine(NameValues& v, const std::string&);
bool setStartIsBackEdition(NameValues& v, const std::string& relative);
bool appendLtsrWhenFirstLineHasCu(NameValues& v, const std::string& relative);
bool setFromNameLine(NameValues& v, const std::string& relative);
bool appendWaterfoxGeneration(NameValues& v, const std::string&);
bool setWhenExecutableHolds(NameValues& v, const std::string& text);
bool appendCommunityEdition(NameValues& v, const std::string& relative);
bool appendEsrMark(NameValues& v, const std::string&);
bool appendReadmeEditions(NameValues& v, const std::string&);

} // namespace name_hooks
} // namespace dm::update
