// The company of an executable, and the normalising of a raw company text.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/facts/FileVersionInfoRec.h"

#include <string>

namespace dm::update {

// The company of an executable: a fixed company for a few identifiers that stand for products
// without one executable, else its version resource's company (or copyright) in its canonical
// form. productName is the name found for the file; when empty, the name rules are asked.
std::string GetSoftwareCompany(IdentifyContext& context, const std::string& fileName,
                               const std::string& productName);
// The same, from the version texts GetFileVersionInfoRec has just given for the file's Sysnative
// form: a caller that also needs them reads the file once.
std::string GetSoftwareCompany(IdentifyContext& context, const std::string& fileName,
                               const std::string& productName, const FileVersionInfoRec& rec);

// The raw company text of fileName cut down, run through the company rules and cleaned up.
std::string NormalizeCompanyName(IdentifyContext& context, const std::string& company,
                                 const std::string& fileName, const std::string& productName);

} // namespace dm::update
