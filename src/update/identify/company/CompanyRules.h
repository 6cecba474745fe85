#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/rules/RuleChain.h"

#include <array>
#include <span>
#include <string>

// The company rule table and the working values it reads.
namespace dm::update {

enum CompanyField : int {
    kC,          // the company being normalised
    kP,          // the product name
    kF,          // the file name without folder and extension
    kD,          // the folder, with its trailing delimiter
    kN,          // the file name with its extension, lower-cased
    kX,          // the full file name
    kPWithout64, // the product name less one trailing " (64 bits)"
    kCompanyFieldCount
};

struct CompanyValues : RuleValues {
    explicit CompanyValues(IdentifyContext& context) : context(context) { fields = texts; }
    CompanyValues(const CompanyValues&) = delete;
    CompanyValues& operator=(const CompanyValues&) = delete;

    std::string& operator[](CompanyField field) { return texts[field]; }

    IdentifyContext& context;
    std::array<std::string, kCompanyFieldCount> texts;
};

// Every row runs once, in order; none ends the chain, so the last one that fires decides.
std::span<const RuleRow> CompanyRules();

// The hooks of the rows that read the registry or edit the company in their own way.
namespace company_hooks {

// An uninstall entry whose display name starts with prefix gives a non-empty last field.
bool installedAfterDash(RuleValues& values, const std::string& prefix);
// An uninstall entry naming name and installed in the file's folder gives a version.
bool installedInFolder(RuleValues& values, const std::string& name);
// The company with every "?" taken out equals text (ignoring case).
bool isWithoutQuestionMarks(RuleValues& values, const std::string& text);
// The company becomes the text before its first "<", trimmed.
bool cutBeforeAngle(RuleValues& values, const std::string&);

} // namespace company_hooks
} // namespace dm::update
