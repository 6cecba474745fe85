#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/rules/RuleChain.h"

#include <array>
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
    kCompany,               //
    kProduct,               //
    kInternalName,          //
    kCopyright,             //
    kFileVersion,           //
    kProductVersion,        //
    kCompanyNoQuestion,     // the company without its "?"s
    kDescWords,             // word counts of the description and the product, as decimal text
    kProductWords,          //
    kMajorFileVersion,      // parts of the versions, as decimal text
    kMajorProductVersion,   //
    kReleaseFileVersion,    //
    kReleaseProductVersion, //
    kProductVersionParts,   // the product version as four parts ("1.0.0.0")
    kNameFieldCount
};

struct NameValues : RuleValues {
    explicit NameValues(IdentifyContext& context) : context(context) { fields = texts; }
    NameValues(const NameValues&) = delete;
    NameValues& operator=(const NameValues&) = delete;

    std::string& operator[](NameField field) { return texts[field]; }

    IdentifyContext& context;
    std::array<std::string, kNameFieldCount> texts;
};

// Run after the choice of a field (A) and after the generic clean-up (B).
std::span<const RuleRow> productNameRulesA();
std::span<const RuleRow> productNameRulesB();

// The hooks of the rows that read outside data (files, the registry, other files' versions, a
// program's output). Probes are checks; the others are steps on the name.
namespace name_hooks {

bool versionNewerThan(RuleValues& values, const std::string& version);
bool installed(RuleValues& values, const std::string& displayName);
bool installedInFolder(RuleValues& values, const std::string& displayName);
bool installedAfterDash(RuleValues& values, const std::string& displayName);
bool softwareInstalled(RuleValues& values, const std::string& prefix);
bool folderDisplayNameHas(RuleValues& values, const std::string& text);
bool existsInFolder(RuleValues& values, const std::string& relative);
bool fileNamesItsVersion(RuleValues& values, const std::string& prefix);

bool setFolderDisplayName(RuleValues& values, const std::string&);
bool setIniNameWithLegacy(RuleValues& values, const std::string& relative);
bool appendNodeReleaseLine(RuleValues& values, const std::string&);
bool setStartIsBackEdition(RuleValues& values, const std::string& relative);
bool appendLtsrWhenFirstLineHasCu(RuleValues& values, const std::string& relative);
bool setFromNameLine(RuleValues& values, const std::string& relative);
bool appendWaterfoxGeneration(RuleValues& values, const std::string&);
bool setWhenExecutableHolds(RuleValues& values, const std::string& text);
bool appendCommunityEdition(RuleValues& values, const std::string& relative);
bool appendEsrMark(RuleValues& values, const std::string&);
bool appendReadmeEditions(RuleValues& values, const std::string&);

} // namespace name_hooks
} // namespace dm::update
