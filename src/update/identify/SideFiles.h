#pragma once

#include "update/identify/IdentifyContext.h"
#include "update/identify/RuleFiles.h"

#include <optional>
#include <string>
#include <vector>

// The files beside an executable that the rules read: looked up by their exact names, and read
// only up to a bounded size.
namespace dm::update {

// A file of more than 0 bytes, looked up by its exact name.
bool existsNonEmpty(IdentifyContext& context, const std::string& path);
// A file, of any size.
bool existsPlain(IdentifyContext& context, const std::string& path);
// The bytes of a whole file; nothing when it cannot be read or is larger than the rules read.
std::optional<std::string> readSideBytes(IdentifyContext& context, const std::string& path);
// The lines of a side file; nothing when readSideBytes gives nothing.
std::optional<TextLines> readSideLines(IdentifyContext& context, const std::string& path);
// The first line of a side file, cut at kMaxRuleText; nothing when it has none.
std::optional<std::string> readFirstLine(IdentifyContext& context, const std::string& path);
// Key of section of an INI file, cut at kMaxRuleText; empty when missing.
std::string readIniKey(IdentifyContext& context, const std::string& path,
                       const std::string& section, const std::string& key);

// The subfolders of folder, as full paths.
std::vector<std::string> listSubFolderPaths(IdentifyContext& context, const std::string& folder);
// The files of folder named name, ignoring case; the same recursively below folder.
std::vector<std::string> findFilesNamed(IdentifyContext& context, const std::string& folder,
                                        const std::string& name);
std::vector<std::string> findFilesNamedRecursive(IdentifyContext& context,
                                                 const std::string& folder,
                                                 const std::string& name);

} // namespace dm::update
