// The hooks of the product-name rules that read files, the registry and other versions.
#include "framework/FileVersionText.h"
#include "framework/FolderWalks.h"
#include "framework/TextUtils.h"
#include "framework/WideFiles.h"
#include "platform/files/FileSystem.h"
#include "platform/ini/IniDocument.h"
#include "platform/process/ProcessRunner.h"
#include "update/Version.h"
#include "update/identify/Identify.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/name/ProductNameRules.h"
#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/UninstallSearches.h"

namespace dm::update::name_hooks {

namespace {

std::string beside(NameValues& v, const std::string& relative) {
    return v[kFolder] + rulePath(relative);
}

// The lines of a file that exists and is not empty; none otherwise.
TextLines linesOf(NameValues& v, const std::string& path) {
    if (!FileExistsNonEmpty(v.context.files, v.context.system, path))
        return {};
    return readRuleLines(v.context, path).value_or(TextLines{});
}

// The node changelog's line that marks the running major version as a long-term or current
// release: " (LTS)", " (Current)", or empty when no line marks it.
std::string changelogReleaseLine(const TextLines& lines, const std::string& major) {
    const auto marker = [&](const std::string& tail) {
        return "CHANGELOG_V" + major + ".md\">" + major + tail;
    };
    const std::string lts[] = {marker("</a><sup>LTS</sup>"), marker("</a> (LTS)</th>")};
    const std::string current[] = {marker("</a><sup>Current</sup>"), marker("</a> (Current)</th>")};
    for (const std::string_view view : lines) {
        const std::string line(view);
        if (ContainsText(lts[0], line) || ContainsText(lts[1], line))
            return " (LTS)";
        if (ContainsText(current[0], line) || ContainsText(current[1], line))
            return " (Current)";
    }
    return {};
}

} // namespace

bool versionNewerThan(NameValues& v, const std::string& version) {
    std::string path = v[kPath];
    const std::string found = GetSoftwareVersion(v.context, path, v[kName], "", false);
    return VigilVersion(found).IsNewerThan(VigilVersion(version));
}

bool installed(NameValues& v, const std::string& displayName) {
    return !FindUninstallVersion(v.context, displayName, "").empty();
}

bool installedInFolder(NameValues& v, const std::string& displayName) {
    return !FindUninstallVersionInFolder(v.context, displayName, "", v[kFolder]).empty();
}

bool installedAfterDash(NameValues& v, const std::string& displayName) {
    return !GetUninstallVersionAfterDash(v.context, displayName, "").empty();
}

bool softwareInstalled(NameValues& v, const std::string& prefix) {
    return IsSoftwareInstalled(v.context, prefix);
}

bool folderDisplayNameHas(NameValues& v, const std::string& text) {
    return ContainsText(text, FindDisplayNameByFolder(v.context, v[kFolder], ""));
}

bool existsInFolder(NameValues& v, const std::string& relative) {
    return FileExistsNonEmpty(v.context.files, v.context.system, beside(v, relative));
}

bool fileNamesItsVersion(NameValues& v, const std::string& prefix) {
    // Without a readable version the name would be tested for the bare prefix.
    const std::string version = GetFileVersionText(v.context.versions, v[kPath]);
    if (!IsValidVersionText(version))
        return false;
    return posStr(prefix + replaceAllStr(version, ".", "_"), v[kFile]) > 0;
}

bool setFolderDisplayName(NameValues& v, const std::string&) {
    const std::string name = FindDisplayNameByFolder(v.context, v[kFolder], "");
    if (name.empty())
        return false;
    v[kName] = name;
    return true;
}

bool setIniNameWithLegacy(NameValues& v, const std::string& relative) {
    const std::string path = beside(v, relative);
    if (!FileExistsNonEmpty(v.context.files, v.context.system, path))
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
bool appendNodeReleaseLine(NameValues& v, const std::string&) {
    const std::string major = v[kMajorProductVersion];
    const std::string changelog = beside(v, "CHANGELOG.md");
    std::string mark;
    if (FileExistsNonEmpty(v.context.files, v.context.system, changelog)) {
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

bool setStartIsBackEdition(NameValues& v, const std::string& relative) {
    const std::string description =
        GetFileVersionInfoRec(v.context, beside(v, relative)).FileDescription;
    if (StartsText(description, "StartIsBack++"))
        v[kName] = "StartIsBack++";
    if (StartsText(description, "StartIsBack+ "))
        v[kName] = "StartIsBack+";
    return true;
}

bool appendLtsrWhenFirstLineHasCu(NameValues& v, const std::string& relative) {
    const auto lines = linesOf(v, beside(v, relative));
    if (lines.empty() || !ContainsText("cu", std::string(lines.front())))
        return false;
    v[kName] += " LTSR";
    return true;
}

bool setFromNameLine(NameValues& v, const std::string& relative) {
    for (const std::string_view line : linesOf(v, beside(v, relative)))
        if (startsTextView(line, "Name=")) {
            v[kName] = trimText(std::string(line.substr(5, kMaxRuleText)));
            return true;
        }
    return false;
}

// An installed generation "G<n>.<...>" adds "G<n>." (the clean-up later drops the final ".").
bool appendWaterfoxGeneration(NameValues& v, const std::string&) {
    const std::string version = FindUninstallVersionInFolder(v.context, "Waterfox", "", v[kFolder]);
    const std::size_t dot = version.find('.');
    if (!StartsText(version, "G") || dot == std::string::npos)
        return false;
    v[kName] += " " + version.substr(0, dot + 1);
    return true;
}

bool setWhenExecutableHolds(NameValues& v, const std::string& text) {
    if (!fileHoldsText(v.context, v[kPath], text))
        return false;
    v[kName] = text;
    return true;
}

bool appendCommunityEdition(NameValues& v, const std::string& relative) {
    const std::string path = beside(v, relative);
    if (!v.context.files.fileExists(path))
        return false;
    for (const std::string_view line : readRuleLines(v.context, path).value_or(TextLines{}))
        if (ContainsText("community-edition", std::string(line))) {
            v[kName] += " CE";
            return true;
        }
    return false;
}

bool appendEsrMark(NameValues& v, const std::string&) {
    std::string settings = v[kFolder] + "update-settings.ini";
    if (!v.context.files.fileExists(settings)) {
        std::vector<std::string> found;
        FindFileByNameRecursive(v.context.files, v.context.system, v[kFolder],
                                "update-settings.ini", found);
        if (found.empty())
            return false;
        settings = found.front();
    }
    for (const std::string_view line : readRuleLines(v.context, settings).value_or(TextLines{}))
        if (ContainsText("esr", std::string(line))) {
            v[kName] += " (ESR)";
            return true;
        }
    return false;
}

bool appendReadmeEditions(NameValues& v, const std::string&) {
    const std::string suffix = " CPU-Z Readme file";
    std::vector<std::string> files;
    ListFiles(v.context.files, v.context.system, v[kFolder], files);
    bool taken = false;
    for (const std::string& file : files) {
        if (!EndsText(ExtractFileNameNoExt(file), "cpuz_readme"))
            continue;
        for (const std::string_view line : linesOf(v, file))
            if (endsTextView(line, suffix)) {
                v[kName] += " " +
                            std::string(line.substr(0, line.size() - suffix.size()))
                                .substr(0, kMaxRuleText) +
                            " Edition";
                taken = true;
            }
    }
    return taken;
}

} // namespace dm::update::name_hooks
