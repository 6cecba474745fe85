#include "framework/FileVersionText.h"
#include "framework/FolderWalks.h"
#include "framework/TextUtils.h"
#include "framework/WideFiles.h"
#include "platform/ini/IniDocument.h"
#include "platform/process/ProcessRunner.h"
#include "update/Version.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/Identify.h"
#include "update/identify/ProductNameRules.h"
#include "update/identify/RuleFiles.h"
#include "update/identify/RulePath.h"
#include "update/identify/UninstallSearches.h"
#include "update/identify/VersionInfoReader.h"

namespace dm::update::name_hooks {

namespace {

NameValues& of(RuleValues& values) {
    return static_cast<NameValues&>(values);
}

std::string beside(NameValues& v, const std::string& relative) {
    return v[kFolder] + rulePath(relative);
}

bool existsNonEmpty(NameValues& v, const std::string& path) {
    return FileExistsNonEmpty(v.context.platform(), path);
}

// The lines of a file that exists and is not empty; none otherwise.
std::vector<std::string> linesOf(NameValues& v, const std::string& path) {
    if (!existsNonEmpty(v, path))
        return {};
    return readRuleLines(v.context, path).value_or(std::vector<std::string>{});
}

// The node changelog's line that marks the running major version as a long-term or current
// release: " (LTS)", " (Current)", or empty when no line marks it.
std::string changelogReleaseLine(const std::vector<std::string>& lines, const std::string& major) {
    const auto marker = [&](const std::string& tail) {
        return "CHANGELOG_V" + major + ".md\">" + major + tail;
    };
    const std::string lts[] = {marker("</a><sup>LTS</sup>"), marker("</a> (LTS)</th>")};
    const std::string current[] = {marker("</a><sup>Current</sup>"), marker("</a> (Current)</th>")};
    for (const std::string& line : lines) {
        if (ContainsText(lts[0], line) || ContainsText(lts[1], line))
            return " (LTS)";
        if (ContainsText(current[0], line) || ContainsText(current[1], line))
            return " (Current)";
    }
    return {};
}

} // namespace

bool versionNewerThan(RuleValues& values, const std::string& version) {
    NameValues& v = of(values);
    std::string path = v[kPath];
    const std::string found = GetSoftwareVersion(v.context, path, v[kName], "", false);
    return VigilVersion(found).IsNewerThan(VigilVersion(version));
}

bool installed(RuleValues& values, const std::string& displayName) {
    return !FindUninstallVersion(of(values).context, displayName, "").empty();
}

bool installedInFolder(RuleValues& values, const std::string& displayName) {
    NameValues& v = of(values);
    return !FindUninstallVersionInFolder(v.context, displayName, "", v[kFolder]).empty();
}

bool installedAfterDash(RuleValues& values, const std::string& displayName) {
    return !GetUninstallVersionAfterDash(of(values).context, displayName, "").empty();
}

bool softwareInstalled(RuleValues& values, const std::string& prefix) {
    return IsSoftwareInstalled(of(values).context, prefix);
}

bool folderDisplayNameHas(RuleValues& values, const std::string& text) {
    NameValues& v = of(values);
    return ContainsText(text, FindDisplayNameByFolder(v.context, v[kFolder], ""));
}

bool existsInFolder(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    return existsNonEmpty(v, beside(v, relative));
}

bool fileNamesItsVersion(RuleValues& values, const std::string& prefix) {
    NameValues& v = of(values);
    // Without a readable version the name would be tested for the bare prefix.
    const std::string version = GetFileVersionText(v.context.versions, v[kPath]);
    if (!IsValidVersionText(version))
        return false;
    return posStr(prefix + replaceAllStr(version, ".", "_"), v[kFile]) > 0;
}

bool setFolderDisplayName(RuleValues& values, const std::string&) {
    NameValues& v = of(values);
    const std::string name = FindDisplayNameByFolder(v.context, v[kFolder], "");
    if (name.empty())
        return false;
    v[kName] = name;
    return true;
}

bool setIniNameWithLegacy(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    const std::string path = beside(v, relative);
    if (!existsNonEmpty(v, path))
        return false;
    const auto text = readRuleFile(v.context, path);
    const std::string name =
        text ? platform::IniDocument(*text).value("details", "name").value_or("") : "";
    if (!ContainsText("Legacy", name))
        return false;
    v[kName] = name;
    return true;
}

// The changelog beside the program names its release line; without one, the program itself is
// asked, with a bounded run (see ProcessRunner).
bool appendNodeReleaseLine(RuleValues& values, const std::string&) {
    NameValues& v = of(values);
    const std::string major = v[kMajorProductVersion];
    const std::string changelog = beside(v, "CHANGELOG.md");
    std::string mark;
    if (existsNonEmpty(v, changelog)) {
        mark = changelogReleaseLine(linesOf(v, changelog), major);
    } else if (SameText(v[kFile], "node") && v.context.processes) {
        const std::string output =
            v.context.processes->run(v[kPath], {"-pe", "process.release.lts"}).value_or("");
        if (StartsText(output, "undefined"))
            mark = " (Current)";
        else if (!output.empty())
            mark = " (LTS)";
    }
    v[kName] += mark;
    return !mark.empty();
}

bool setStartIsBackEdition(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    const std::string description =
        GetFileVersionInfoRec(v.context, beside(v, relative)).FileDescription;
    if (StartsText(description, "StartIsBack++"))
        v[kName] = "StartIsBack++";
    if (StartsText(description, "StartIsBack+ "))
        v[kName] = "StartIsBack+";
    return true;
}

bool appendLtsrWhenFirstLineHasCu(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    const auto lines = linesOf(v, beside(v, relative));
    if (lines.empty() || !ContainsText("cu", lines.front()))
        return false;
    v[kName] += " LTSR";
    return true;
}

bool setFromNameLine(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    for (const std::string& line : linesOf(v, beside(v, relative)))
        if (StartsText(line, "Name=")) {
            v[kName] = trimText(line.substr(5));
            return true;
        }
    return false;
}

// An installed generation "G<n>.<...>" adds "G<n>." (the clean-up later drops the final ".").
bool appendWaterfoxGeneration(RuleValues& values, const std::string&) {
    NameValues& v = of(values);
    const std::string version = FindUninstallVersionInFolder(v.context, "Waterfox", "", v[kFolder]);
    const std::size_t dot = version.find('.');
    if (!StartsText(version, "G") || dot == std::string::npos)
        return false;
    v[kName] += " " + version.substr(0, dot + 1);
    return true;
}

bool setWhenExecutableHolds(RuleValues& values, const std::string& text) {
    NameValues& v = of(values);
    if (!fileHoldsText(v.context, v[kPath], text))
        return false;
    v[kName] = text;
    return true;
}

bool appendCommunityEdition(RuleValues& values, const std::string& relative) {
    NameValues& v = of(values);
    const std::string path = beside(v, relative);
    if (!fileExists(v.context, path))
        return false;
    for (const std::string& line :
         readRuleLines(v.context, path).value_or(std::vector<std::string>{}))
        if (ContainsText("community-edition", line)) {
            v[kName] += " CE";
            return true;
        }
    return false;
}

bool appendEsrMark(RuleValues& values, const std::string&) {
    NameValues& v = of(values);
    std::string settings = v[kFolder] + "update-settings.ini";
    if (!fileExists(v.context, settings)) {
        std::vector<std::string> found;
        FindFileByNameRecursive(v.context.platform(), v[kFolder], "update-settings.ini", found);
        if (found.empty())
            return false;
        settings = found.front();
    }
    for (const std::string& line :
         readRuleLines(v.context, settings).value_or(std::vector<std::string>{}))
        if (ContainsText("esr", line)) {
            v[kName] += " (ESR)";
            return true;
        }
    return false;
}

bool appendReadmeEditions(RuleValues& values, const std::string&) {
    NameValues& v = of(values);
    const std::string suffix = " CPU-Z Readme file";
    std::vector<std::string> files;
    ListFiles(v.context.platform(), v[kFolder], files);
    bool taken = false;
    for (const std::string& file : files) {
        if (!EndsText(ExtractFileNameNoExt(file), "cpuz_readme"))
            continue;
        for (const std::string& line : linesOf(v, file))
            if (EndsText(line, suffix)) {
                v[kName] += " " + line.substr(0, line.size() - suffix.size()) + " Edition";
                taken = true;
            }
    }
    return taken;
}

} // namespace dm::update::name_hooks
