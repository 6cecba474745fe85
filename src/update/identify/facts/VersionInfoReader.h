// The eight version-resource texts of a file, and its "Key=value" string lines.
#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/facts/FileVersionInfoRec.h"

#include "platform/version/VersionBlock.h"

#include <optional>
#include <string>
#include <vector>

namespace dm::update {

// The eight version-resource texts of a file (opened by its Sysnative form): read by key from the
// resource's first string table, or, when that gives no FileDescription, CompanyName and
// FileVersion, all eight from the table the translation names. ", " reads as "." in FileVersion
// and ProductVersion. All empty for a file without a readable version resource.
FileVersionInfoRec GetFileVersionInfoRec(IdentifyContext& context, const std::string& fileName);
// The same from block, what the resource of fileName's Sysnative form read as just before, so
// that a caller that has read it does not open the file again.
FileVersionInfoRec fileVersionInfoRecOf(IdentifyContext& context, const std::string& fileName,
                                        const std::optional<platform::VersionBlock>& block);

// "Key=value" lines of the eight keys, in FileVersionInfoRec's order, from the string table the
// first translation entry names; nothing without a translation table.
std::vector<std::string> ReadVersionStrings(IdentifyContext& context, const std::string& fileName);

} // namespace dm::update
