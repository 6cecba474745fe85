// Sources of the single rules that run before the version-information record is read.
#include "update/identify/version/VersionSources.h"

#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/text/AsciiCase.h"
#include "platform/text/Cp1252.h"
#include "platform/text/IntegerText.h"
#include "update/Version.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/ProductSearches.h"
#include "update/identify/uninstall/ProductVersionReaders.h"
#include "update/identify/uninstall/UninstallSearches.h"

namespace dm::update {

namespace {

std::string word(const std::string& text, int index) {
    return GetField(text, index, " ");
}

bool isDigitsNonEmpty(const std::string& text) {
    return !text.empty() && IsDigitsAndDots(text);
}

// The version of result with Build replaced by the number in Digits.
std::string withBuild(const std::string& result, const std::string& digits) {
    VigilVersion v(result);
    v.Build = platform::StrToIntDef(digits, 0);
    return v.ToText();
}

// The characters from first up to before end, when both lie inside text and end does not come
// first; nothing otherwise.
std::optional<std::string> between(const std::string& text, std::size_t first, std::size_t end) {
    if (first > text.size() || end > text.size() || end < first)
        return std::nullopt;
    return text.substr(first, end - first);
}

} // namespace

std::optional<std::string> hashTabVersion(VersionRun& run, const std::string&) {
    std::string version = installedProductVersion(run.context, Product::HashTab);
    if (!installedProductVersion(run.context, Product::OpenHashTab).empty())
        version.clear();
    return version;
}

std::optional<std::string> yamicsoftLibrary(VersionRun& run, const std::string&) {
    const std::string w = word(run[kProductName], 1);
    if (w.empty())
        return std::nullopt;
    return versionOfOtherFile(run, folderPath(run, "W" + w + "MPCL.dll"), true);
}

std::optional<std::string> jDownloaderBuild(VersionRun& run, const std::string&) {
    static const std::string kMarker = "\"JDownloaderRevision\":";
    const std::string s = installedProductVersion(run.context, Product::JDownloader);
    if (s.empty())
        return std::nullopt;
    const std::string buildFile = folderPath(run, "build.json");
    if (!fileExistsNonEmpty(run.context, buildFile))
        return s;
    const std::optional<std::string> line = readFirstLine(run.context, buildFile);
    const std::size_t p = line ? line->find(kMarker) : std::string::npos;
    if (p == std::string::npos)
        return s;
    const std::size_t comma = line->find(',', p);
    const std::size_t brace = line->find('}', p);
    std::size_t end = std::string::npos;
    if (comma != std::string::npos && brace != std::string::npos)
        end = std::max(comma, brace);
    else if (comma != std::string::npos)
        end = comma;
    else
        end = brace;
    if (end == std::string::npos)
        return s;
    return withBuild(s, between(*line, p + kMarker.size(), end).value_or(""));
}

std::optional<std::string> screencastOMaticVersion(VersionRun& run, const std::string&) {
    std::optional<std::string> result;
    const std::string displayName = FindDisplayNameByFolder(run.context, run[kFolder], "");
    for (int i = 0; i < CountFields(displayName, " "); ++i) {
        const std::string w = RemovePrefixText(word(displayName, i), "v");
        if (isDigitsNonEmpty(w))
            result = w;
    }
    const std::string grandParent = parentFolder(parentFolder(run[kFolder]));
    for (const std::string& sub : listSubFolderPaths(run.context, grandParent)) {
        if (!StartsText(extractFileName(sub), "Screencast-O-Matic"))
            continue;
        const std::vector<std::string> files = findFilesNamed(run.context, sub, "version-x64.txt");
        if (files.empty())
            continue;
        const std::optional<std::string> line = readFirstLine(run.context, files.front());
        if (line && isDigitsNonEmpty(*line))
            result = *line;
    }
    return result;
}

std::optional<std::string> ventoyVersionFile(VersionRun& run, const std::string&) {
    const std::string path = folderPath(run, "ventoy\\version");
    if (!run.context.files.fileExists(path))
        return std::nullopt;
    const std::optional<std::string> line = readFirstLine(run.context, path);
    if (!line || !isDigitsNonEmpty(*line))
        return std::nullopt;
    return line;
}

std::optional<std::string> waterfoxVersion(VersionRun& run, const std::string&) {
    const std::string s = FindUninstallVersionInFolder(run.context, "Waterfox", "", run[kFolder]);
    if (!StartsText(s, "G"))
        return std::nullopt;
    std::string rest = s.substr(1);
    if (!IsDigitsAndDots(rest))
        return std::nullopt;
    return rest;
}

std::optional<std::string> versionAfterDash(VersionRun& run, const std::string& arg) {
    const std::string s = GetUninstallVersionAfterDash(run.context, arg, "");
    if (!isDigitsNonEmpty(s))
        return std::nullopt;
    return VigilVersion(s).ToText();
}

std::optional<std::string> uninstallVersionInFolderAsVersion(VersionRun& run,
                                                             const std::string& arg) {
    const std::string s = FindUninstallVersionInFolder(run.context, arg, "", run[kFolder]);
    if (!isDigitsNonEmpty(s))
        return std::nullopt;
    return VigilVersion(s).ToText();
}

std::optional<std::string> audioConverterWhatsNew(VersionRun& run, const std::string&) {
    const std::string path = folderPath(run, "WhatsNew.txt");
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    for (const std::string_view view : readSideLines(run.context, path).value_or(TextLines{})) {
        const std::string line(view);
        if (!StartsText(line, "Version ") || !ContainsText("Build", line) ||
            !ContainsText("Released", line))
            continue;
        const std::string s = RemovePrefixText(line, "Version ");
        if (!IsDigitsAndDots(word(s, 0)))
            continue;
        VigilVersion v(word(s, 0));
        v.Build = platform::StrToIntDef(word(s, 2), 0);
        return v.ToText();
    }
    return std::nullopt;
}

std::optional<std::string> easeUsInstallLog(VersionRun& run, const std::string&) {
    static const std::string kMarker = "install_version=DRW";
    const std::string path = folderPath(run, "easeusue.log");
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    const std::optional<std::string> bytes = readSideBytes(run.context, path);
    if (!bytes)
        return std::nullopt;
    const std::string text = platform::utf16LeToCp1252(*bytes);
    const std::size_t at = platform::findIgnoringCase(text, kMarker);
    if (at == std::string::npos)
        return std::nullopt;
    const std::string s = word(text.substr(at + kMarker.size()), 0);
    if (!IsDigitsAndDots(s))
        return std::nullopt;
    return s;
}

std::optional<std::string> drwCandidates(VersionRun& run, const std::string&) {
    static const std::string kOpen = " DRWUI [";
    const VigilVersion current(run[kResult]);
    std::optional<std::string> result;
    const auto offer = [&](const std::string& t) {
        if (!t.empty() && IsDigitsAndDots(t) && VigilVersion(t).IsNewerThan(current))
            result = t;
    };
    const std::string log = folderPath(run, "DRWUI.log");
    if (fileExistsNonEmpty(run.context, log)) {
        // Of the lines that offer a version, the first one in the log is the one kept.
        for (const std::string_view line : readSideLines(run.context, log).value_or(TextLines{})) {
            const std::size_t p = line.find(kOpen);
            if (p == std::string::npos)
                continue;
            const std::size_t close = line.find(']', p + kOpen.size());
            if (close == std::string::npos)
                continue;
            const std::string t(line.substr(p + kOpen.size(), close - p - kOpen.size()));
            offer(t);
            if (result == t)
                break;
        }
    }
    const std::string ini = folderPath(run, "Upgrade.ini");
    if (fileExistsNonEmpty(run.context, ini))
        offer(readIniKey(run.context, ini, "Version", "Product Version"));
    if (const auto version = versionOfOtherFile(run, folderPath(run, "DRWUI.exe"), true))
        offer(*version);
    return result;
}

std::optional<std::string> ghostscriptFolder(VersionRun& run, const std::string&) {
    std::optional<std::string> result;
    const std::string delimiter(1, platform::kPathDelimiter);
    for (int i = 0; i < CountFields(run[kFolder], delimiter); ++i) {
        const std::string part = GetField(run[kFolder], i, delimiter);
        if (!StartsText(part, "gs"))
            continue;
        const std::string rest = RemovePrefixText(part, "gs");
        if (IsDigitsAndDots(rest))
            result = rest;
    }
    return result;
}

std::optional<std::string> highestSubfolderVersion(VersionRun& run, const std::string&) {
    return GetHighestSubfolderVersion(run.context, run[kPath]);
}

std::optional<std::string> paintNetVersion(VersionRun& run, const std::string&) {
    const std::string s = installedProductVersion(run.context, Product::PaintNET);
    if (s.empty())
        return std::nullopt;
    return s + "." + std::to_string(VigilVersion(run[kResult]).Release);
}

std::optional<std::string> photoscapeMarker(VersionRun& run, const std::string&) {
    static const std::string kLanguage = "IDR_LANG_EN";
    const std::optional<std::string> bytes = readSideBytes(run.context, run[kPath]);
    if (!bytes)
        return std::nullopt;
    const std::size_t p = bytes->find(kLanguage);
    if (p == std::string::npos)
        return std::nullopt;
    const std::size_t q = bytes->find("photoscape", p + kLanguage.size());
    if (q == std::string::npos || q < 4)
        return std::nullopt;
    // From 17 characters after the marker's start to 5 characters before the name, inclusive.
    const auto t = between(*bytes, p + 17, q - 4);
    if (!t || !isDigitsNonEmpty(*t))
        return std::nullopt;
    return t;
}

std::optional<std::string> dosboxMarker(VersionRun& run, const std::string&) {
    static const std::string kMarker = "DOSBox %s r";
    const std::optional<std::string> bytes = readSideBytes(run.context, run[kPath]);
    if (!bytes)
        return std::nullopt;
    const std::size_t p = bytes->find(kMarker);
    if (p == std::string::npos)
        return std::nullopt;
    const std::size_t q = bytes->find(',', p + kMarker.size());
    if (q == std::string::npos)
        return std::nullopt;
    const auto t = between(*bytes, p + kMarker.size(), q);
    if (!t || !isDigitsNonEmpty(*t))
        return std::nullopt;
    return withBuild(run[kResult], *t);
}

} // namespace dm::update
