// Sources of the single rules that run on the version-information record and in the
// reconciliation.
#include "update/identify/version/VersionSources.h"

#include "framework/TextUtils.h"
#include "platform/files/PathText.h"
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

std::string dotted(std::initializer_list<std::int32_t> parts) {
    std::string text;
    for (const std::int32_t part : parts)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    return text;
}

// The first line of a changelog without prefix, cut to its first word when asked, when it is
// digits; the empty text otherwise.
std::optional<std::string> changelogVersion(VersionRun& run, const std::string& relative,
                                            const std::string& prefix, bool firstWord) {
    const std::string path = folderPath(run, relative);
    if (!fileExistsNonEmpty(run.context, path))
        return std::string();
    const std::optional<std::string> line = readFirstLine(run.context, path);
    if (!line)
        return std::string();
    std::string s = RemovePrefixText(*line, prefix);
    if (firstWord)
        s = word(s, 0);
    return IsDigitsAndDots(s) ? s : std::string();
}

} // namespace

std::optional<std::string> dbeaverReadme(VersionRun& run, const std::string&) {
    const std::string path = folderPath(run, "readme.txt");
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    const TextLines lines = readSideLines(run.context, path).value_or(TextLines{});
    for (const std::string_view line : lines)
        if (IsValidVersionText(std::string(line))) {
            auto third = lines.begin();
            for (int i = 0; i < 2 && third != lines.end(); ++i)
                ++third;
            return third != lines.end() ? std::string((*third).substr(0, kMaxRuleText))
                                        : run[kResult];
        }
    return std::nullopt;
}

std::optional<std::string> bleachbitVersion(VersionRun& run, const std::string&) {
    if (!ContainsText("Portable", run[kProductName]))
        return FindUninstallVersion(run.context, "Bleachbit", "");
    const std::string path = folderPath(run, "BleachBit.ini");
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    return readIniKey(run.context, path, "bleachbit", "version");
}

std::optional<std::string> openVpnConnectBuild(VersionRun& run, const std::string&) {
    VigilVersion v(run[kProductVersion]);
    v.Build = VigilVersion(run[kFileVersion]).Major;
    return v.ToText();
}

std::optional<std::string> virtualDubReadme(VersionRun& run, const std::string&) {
    const std::string path = folderPath(run, "readme.md");
    if (!fileExistsNonEmpty(run.context, path))
        return std::nullopt;
    VigilVersion v(run[kResult]);
    for (const std::string_view view : readSideLines(run.context, path).value_or(TextLines{})) {
        const std::string line(view);
        if (!StartsText(line, "update ") || !ContainsText(" (build ", line))
            continue;
        const std::string s = RemoveSuffixText(RemovePrefixText(line, "update "), ")");
        if (CountFields(s, " ") != 3)
            continue;
        v.Release = platform::StrToIntDef(word(s, 0), 0);
        v.Build = platform::StrToIntDef(word(s, 2), 0);
        return v.ToText();
    }
    return run[kResult];
}

std::optional<std::string> powerShellVersion(VersionRun& run, const std::string&) {
    if (!ContainsText(rulePath("WindowsPowerShell\\v1.0\\"), run[kFolder]))
        return std::nullopt;
    return std::string("5.1");
}

std::optional<std::string> fileVersionWithoutV(VersionRun& run, const std::string&) {
    const std::string s = RemovePrefixText(run[kFileVersion], "v");
    if (!IsDigitsAndDots(s))
        return std::nullopt;
    return s;
}

std::optional<std::string> newerProductVersion(VersionRun& run, const std::string&) {
    if (!VigilVersion(run[kProductVersion]).IsNewerThan(VigilVersion(run[kResult])))
        return std::nullopt;
    return run[kProductVersion];
}

std::optional<std::string> traderWorkstationVersion(VersionRun& run, const std::string&) {
    const std::string t = "10." + RemovePrefixText(run[kResult], "1.");
    const VigilVersion v(t);
    if (!ContainsText(dotted({v.Major, v.Minor, v.Release}), run[kProductVersion]))
        return std::nullopt;
    return t;
}

std::optional<std::string> productVersionWithoutR(VersionRun& run, const std::string&) {
    const std::string& s = run[kProductVersion];
    if (!StartsText(s, "R") || !IsDigitsAndDots(s.substr(1)))
        return std::nullopt;
    return s.substr(1);
}

std::optional<std::string> passwordTechVersion(VersionRun& run, const std::string&) {
    const std::string s = FindUninstallVersion(run.context, "Password Tech", "");
    if (s.empty())
        return std::nullopt;
    const VigilVersion v(run[kResult]);
    const VigilVersion w(s);
    if (v.Major != w.Major || !w.IsNewerThan(v))
        return std::nullopt;
    return w.ToText();
}

std::optional<std::string> fastKeysVersion(VersionRun& run, const std::string&) {
    const std::string& pv = run[kProductVersion];
    if (IsDigitsAndDots(pv))
        return pv;
    const std::string shorter = pv.substr(0, pv.size() - 1);
    if (IsDigitsAndDots(shorter))
        return shorter;
    return std::nullopt;
}

std::optional<std::string> productVersionFirstWordDotted(VersionRun& run, const std::string&) {
    const std::string s = word(run[kProductVersion], 0);
    if (!IsDigitsAndDots(s) || s.find('.') == std::string::npos)
        return std::nullopt;
    return s;
}

std::optional<std::string> descriptionSecondWord(VersionRun& run, const std::string&) {
    const std::string s = word(run[kDescription], 1);
    if (!IsDigitsAndDots(s))
        return std::nullopt;
    return s;
}

std::optional<std::string> potPlayerLibraries(VersionRun& run, const std::string&) {
    std::optional<std::string> result;
    for (const char* library : {"PotPlayer.dll", "PotPlayer64.dll"})
        if (auto version = versionOfOtherFile(run, folderPath(run, library), true))
            result = std::move(version);
    return result;
}

std::optional<std::string> adwCleanerVersion(VersionRun& run, const std::string&) {
    const VigilVersion v(run[kFileVersion]);
    if (v.Release + v.Build <= 0 || v.Major >= 5)
        return std::nullopt;
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + std::to_string(v.Release) +
           std::to_string(v.Build);
}

std::optional<std::string> koboVersion(VersionRun& run, const std::string&) {
    const std::string s = trimText(word(run[kProductVersion], 0));
    if (!IsDigitsAndDots(s) || s.size() <= 3)
        return std::nullopt;
    return s;
}

std::optional<std::string> versionOfRewrittenFile(VersionRun& run, const std::string& arg) {
    const std::string original = run[kPath];
    run[kPath] = folderPath(run, arg);
    return versionOfFileOtherThan(run, run[kPath], original, false);
}

std::optional<std::string> systemExplorerVersion(VersionRun& run, const std::string&) {
    const std::string original = run[kPath];
    for (const char* ending :
         {"service\\SystemExplorerService.exe", "service\\SystemExplorerService64.exe"}) {
        const std::string path = rulePath(ending);
        if (!EndsText(original, path))
            continue;
        run[kPath] = original.substr(0, original.size() - path.size()) + "SystemExplorer.exe";
        return versionOfFileOtherThan(run, run[kPath], original, false);
    }
    return std::nullopt;
}

std::optional<std::string> winZipVersion(VersionRun& run, const std::string&) {
    const std::string& pv = run[kProductVersion];
    std::string t;
    bool copying = true;
    for (std::size_t i = 0; i + 1 < pv.size(); ++i) {
        const char c = pv[i];
        const bool digitOrDot = (c >= '0' && c <= '9') || c == '.';
        if (digitOrDot && copying) {
            t += c;
            continue;
        }
        copying = c == '(';
        if (!t.empty() && t.back() != '.')
            t += '.';
    }
    while (CountFields(t, ".") < 4)
        t += ".0";
    if (!t.empty() && t.back() == '.')
        t.pop_back();
    return t;
}

std::optional<std::string> limeWireUninstaller(VersionRun& run, const std::string&) {
    if (!StartsStr(run[kResult], "1"))
        return std::nullopt;
    return versionOfOtherFile(run, folderPath(run, "uninstall.exe"), false);
}

std::optional<std::string> internetDownloadManagerVersion(VersionRun& run, const std::string&) {
    VigilVersion v(run[kResult]);
    v.Build = 0;
    return RemoveSuffixText(v.ToText(), ".0");
}

std::optional<std::string> malwarebytesVersion(VersionRun& run, const std::string&) {
    std::string library = folderPath(run, "mbam.dll");
    if (!fileExistsNonEmpty(run.context, library))
        library = folderPath(run, "\\..\\mbam.dll");
    std::optional<std::string> result;
    const std::string a = versionOfOtherFile(run, library, true).value_or("");
    if (!a.empty())
        result = a;
    const std::string b = GetProductVersion_Malwarebytes(run.context, run[kFolder]);
    if (VigilVersion(b).IsNewerThan(VigilVersion(a)))
        result = b;
    return result;
}

std::optional<std::string> malwarebytesArVersion(VersionRun& run, const std::string&) {
    return GetProductVersion_MalwarebytesAR(run.context, run[kFolder]);
}

std::optional<std::string> javaLauncherVersion(VersionRun& run, const std::string&) {
    if (auto version = versionOfOtherFile(run, folderPath(run, "java.exe"), true))
        return version;
    const std::vector<std::string> found =
        findFilesNamedRecursive(run.context, folderPath(run, "\\..\\..\\..\\Java\\"), "java.exe");
    if (found.empty())
        return std::nullopt;
    return versionOfOtherFile(run, found.front(), false);
}

std::optional<std::string> filmoraPlayerVersion(VersionRun& run, const std::string&) {
    const std::vector<std::string> found =
        findFilesNamedRecursive(run.context, run[kFolder], "FilmoraPlayer.exe");
    if (found.empty())
        return std::nullopt;
    return versionOfOtherFile(run, found.front(), false);
}

std::optional<std::string> easeUsUninstallVersion(VersionRun& run, const std::string&) {
    std::string s = trimText(RemoveSuffixText(run[kProductName], "Main Application"));
    s = trimText(RemoveSuffixText(s, "Loader"));
    const std::string t = FindUninstallVersion(run.context, s, "");
    if (!t.empty())
        return t;
    const std::string byName = GetUninstallVersionByName(run.context, s, "");
    if (byName.empty())
        return std::nullopt;
    return byName;
}

std::optional<std::string> tagScannerVersion(VersionRun& run, const std::string&) {
    VigilVersion v(run[kProductVersion]);
    VigilVersion w(run[kFileVersion]);
    if (w.Release > 9 && w.Release % 10 == 0 && w.Build > 9)
        w.Release /= 10;
    v.Release = platform::StrToIntDef(std::to_string(w.Release) + std::to_string(w.Build), 0);
    v.Build = 0;
    return v.ToText();
}

std::optional<std::string> acrobatReaderVersion(VersionRun& run, const std::string&) {
    const auto other = versionOfOtherFile(run, folderPath(run, "AcroRd32.exe"), false);
    if (!other)
        return std::nullopt;
    const VigilVersion w(*other);
    const VigilVersion v(run[kResult]);
    if (w.Major != v.Major || w.Minor != v.Minor)
        return std::nullopt;
    return w.ToText();
}

std::optional<std::string> braveVersion(VersionRun& run, const std::string&) {
    VigilVersion v(run[kResult]);
    if (v.Major <= 70 || v.Major >= 200)
        return std::nullopt;
    v.Major = v.Minor;
    v.Minor = v.Release;
    v.Release = v.Build;
    v.Build = 0;
    return v.ToText();
}

std::optional<std::string> jv16Version(VersionRun& run, const std::string&) {
    VigilVersion v(run[kResult]);
    if (v.Major > 2000 && v.Minor + v.Release + v.Build == 0) {
        v.Minor = v.Major;
        v.Major = 0;
    }
    return v.ToText();
}

std::optional<std::string> torBrowserChangelog(VersionRun& run, const std::string&) {
    return changelogVersion(run, "\\TorBrowser\\Docs\\changelog.txt", "Tor Browser ", true);
}

std::optional<std::string> madVrChangelog(VersionRun& run, const std::string&) {
    return changelogVersion(run, "\\changelog.txt", "v", false);
}

std::optional<std::string> softMakerVersion(VersionRun& run, const std::string&) {
    const VigilVersion v(run[kResult]);
    if (v.Major <= 2000 || v.Major >= 2100)
        return std::nullopt;
    return dotted({v.Major, v.Build, v.Minor, v.Release});
}

} // namespace dm::update
