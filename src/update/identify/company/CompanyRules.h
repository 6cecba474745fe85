// The company rule table and the working values it reads.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/rules/RuleChain.h"

#include <span>
#include <string>

// The company rule table and the working values it reads.
namespace dm::update {

enum CompanyField : int {
    kCompanyName,   // the company being normalised
    kProductName,   // the product name
    kFile,          // the file name without folder and extension
    kFolder,        // the folder, with its trailing delimiter
    kFileNameLower, // the file name with its extension, lower-cased
    kPath,          // the full file name
    kProductName64, // the product name less one trailing " (64 bits)"
    kCompanyFieldCount
};

using CompanyValues = ChainValues<CompanyField, kCompanyFieldCount>;
template <> struct ChainOf<CompanyField> { using Values = CompanyValues; };
using CompanyRow = RuleRow<CompanyValues>;

// Every row runs once, in order; none ends the chain, so the last one that fires decides.
std::span<const CompanyRow> companyRules();

// The hooks of the rows that read the registry or edit the company in their own way.
namespace company_hooks {

// An uninstall entry whose display name starts with prefix gives a non-empty last field.
bool installedAfterDash(CompanyValues& v, const std::string& prefix);
// An uninstall entry naming name and installed in the file's folder gives a version.
bool installedInFolder(CompanyValues& v, const std::string& name);
// The company with every "?" taken out equals text (ignoring case).
bool isWithoutQuestionMarks(CompanyValues& v, const std::string& text);
// The company becomes the text before its first "<", trimmed.
bool cutBeforeAngle(CompanyValues& v, const std::string&);

} // namespace company_hooks
} // namespace dm::update
