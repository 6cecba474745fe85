// The product name under which an executable is reported.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/facts/FileVersionInfoRec.h"

#include <string>

namespace dm::update {

// The product name under which an executable is reported: the likeliest field of its version
// resource, cleaned, with the per-product corrections applied; a fixed name for a few short codes
// that stand for products without one executable. Empty when no name is found.
std::string GetSoftwareName(IdentifyContext& context, const std::string& fileName);
// The same, from the version texts GetFileVersionInfoRec has just given for the file's Sysnative
// form: a caller that also needs them reads the file once.
std::string GetSoftwareName(IdentifyContext& context, const std::string& fileName,
                            const FileVersionInfoRec& vi);

} // namespace dm::update
