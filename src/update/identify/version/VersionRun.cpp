// One run of the version chain: folder helpers and the versions of other files.
#include "update/identify/version/VersionRun.h"

#include "framework/TextUtils.h"
#include "platform/files/PathText.h"
#include "update/identify/Identify.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/rules/RulePath.h"
#include "update/identify/version/FileVersionSpecial.h"

namespace dm::update {

std::string folderPath(const VersionRun& run, const std::string& relative) {
    return run[kFolder] + rulePath(relative);
}

std::string parentFolder(const std::string& folder) {
    return platform::folderOfPath(platform::withoutTrailingDelimiter(folder));
}

std::optional<std::string> versionOfFileOtherThan(VersionRun& run, const std::string& path,
                                                  const std::string& other, bool withNames) {
    if (SameText(path, other) || !fileExistsNonEmpty(run.context, path) ||
        !canIdentify(run.context, path))
        return std::nullopt;
    std::string file = path;
    const std::string none;
    return GetSoftwareVersion(run.context, file, withNames ? run[kProductName] : none,
                              withNames ? run[kCompanyName] : none, false);
}

std::optional<std::string> versionOfOtherFile(VersionRun& run, const std::string& path,
                                              bool withNames) {
    return versionOfFileOtherThan(run, path, run[kPath], withNames);
}

} // namespace dm::update
