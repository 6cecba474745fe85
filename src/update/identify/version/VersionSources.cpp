// The candidate filters and the shared sources of the version rules.
#include "update/identify/version/VersionSources.h"

#include "framework/TextUtils.h"
#include "update/Version.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/uninstall/UninstallSearches.h"

namespace dm::update {

bool anyText(const std::string&) {
    return true;
}

bool nonEmpty(const std::string& candidate) {
    return !candidate.empty();
}

bool digitsOnly(const std::string& candidate) {
    return IsDigitsAndDots(candidate);
}

bool digitsNonEmpty(const std::string& candidate) {
    return !candidate.empty() && IsDigitsAndDots(candidate);
}

bool runFileExistsNonEmpty(VersionRun& run, const std::string&) {
    return fileExistsNonEmpty(run.context, run[kPath]);
}

bool productVersionIsValid(VersionRun& run, const std::string&) {
    return IsValidVersionText(run[kProductVersion]);
}

bool productNameWithin(VersionRun& run, const std::string& arg) {
    return ContainsText(run[kProductName], arg);
}

std::optional<std::string> uninstallVersion(VersionRun& run, const std::string& arg) {
    return FindUninstallVersion(run.context, arg, "");
}

std::optional<std::string> uninstallVersionInFolder(VersionRun& run, const std::string& arg) {
    return FindUninstallVersionInFolder(run.context, arg, "", run[kFolder]);
}

std::optional<std::string> uninstallVersionInFolderElseAny(VersionRun& run,
                                                           const std::string& arg) {
    std::string s = FindUninstallVersionInFolder(run.context, arg, "", run[kFolder]);
    if (s.empty())
        s = FindUninstallVersion(run.context, arg, "");
    return s;
}

std::optional<std::string> uninstallTrailingNumber(VersionRun& run, const std::string& arg) {
    return GetUninstallVersionByName(run.context, arg, "");
}

std::optional<std::string> uninstallFirstWord(VersionRun& run, const std::string& arg) {
    return GetField(FindUninstallVersion(run.context, arg, ""), 0, " ");
}

std::optional<std::string> uninstallVersionOfProductInFolder(VersionRun& run, const std::string&) {
    return FindUninstallVersionInFolder(run.context, run[kProductName], "", run[kFolder]);
}

std::optional<std::string> siblings(VersionRun& run, const std::string& arg) {
    for (int i = 0; i < CountFields(arg, "|"); ++i)
        if (auto version = versionOfOtherFile(run, folderPath(run, GetField(arg, i, "|")), true))
            return version;
    return std::nullopt;
}

std::optional<std::string> siblingWithoutNames(VersionRun& run, const std::string& arg) {
    return versionOfOtherFile(run, folderPath(run, arg), false);
}

std::optional<std::string> leadingProductVersion(VersionRun& run, const std::string&) {
    return LeadingNumberText(run[kProductVersion]);
}

std::optional<std::string> iniKey(VersionRun& run, const std::string& arg) {
    const std::string path = folderPath(run, GetField(arg, 0, "|"));
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    return readIniKey(run.context, path, GetField(arg, 1, "|"), GetField(arg, 2, "|"));
}

std::optional<std::string> zeroRelease(VersionRun& run, const std::string&) {
    VigilVersion v(run[kResult]);
    v.Release = 0;
    return v.ToText();
}

std::optional<std::string> zeroBuild(VersionRun& run, const std::string&) {
    VigilVersion v(run[kResult]);
    v.Build = 0;
    return v.ToText();
}

} // namespace dm::update
