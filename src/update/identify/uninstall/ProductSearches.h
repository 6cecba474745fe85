// Version searches for particular products.
#pragma once

#include "update/identify/IdentifyContext.h"

#include <string>

namespace dm::update {

// The video codec pack's version: its uninstall entry's, else built from its registry revision,
// corrected by the version of its library in the system folder.
std::string GetFfdshowVersion(IdentifyContext& context);
// The newest version among the names of the subfolders of path's folder (each cut before its
// last "."); empty when none reads as a version.
std::string GetHighestSubfolderVersion(IdentifyContext& context, const std::string& path);
// The version of the user's uninstall entry of a tweaking tool, found by its publisher.
std::string GetUninstallVersionByPublisher(IdentifyContext& context);

} // namespace dm::update
