// The sources of the version rules: where a row's candidate comes from, and its filters.
#pragma once

#include "update/identify/uninstall/ProductVersionReaders.h"
#include "update/identify/version/VersionRun.h"

#include <optional>
#include <string>

// The sources of the version rules. A source gives the candidate it found for the result, or
// nothing when it found nothing to offer; the row's hook decides what becomes of it. arg is the
// row's text; where a source takes several, they are separated by "|".
namespace dm::update {

using VersionSource = std::optional<std::string> (*)(VersionRun& run, const std::string& arg);

// Which candidates a row takes.
using CandidateFilter = bool (*)(const std::string& candidate);
bool anyText(const std::string& candidate);
bool nonEmpty(const std::string& candidate);
bool digitsOnly(const std::string& candidate); // the empty text passes
bool digitsNonEmpty(const std::string& candidate);

// The hook that makes the source's candidate the result when the filter passes it; it reports
// whether it took one.
template <VersionSource source, CandidateFilter filter = anyText>
bool take(VersionRun& run, const std::string& arg) {
    std::optional<std::string> candidate = source(run, arg);
    if (!candidate || !filter(*candidate))
        return false;
    run[kResult] = std::move(*candidate);
    return true;
}

// Checks of the rows that the text tests cannot make.
bool runFileExistsNonEmpty(VersionRun& run, const std::string&);
bool productVersionIsValid(VersionRun& run, const std::string&);
// The product name occurs in arg, ignoring case.
bool productNameWithin(VersionRun& run, const std::string& arg);

// One of the per-product readers, or another search without arguments, as a source.
template <std::string (*reader)(IdentifyContext&)>
std::optional<std::string> fromReader(VersionRun& run, const std::string&) {
    return reader(run.context);
}

// The installed version of one product of the readers' table, as a source.
template <Product product>
std::optional<std::string> fromProduct(VersionRun& run, const std::string&) {
    return installedProductVersion(run.context, product);
}

// Sources built from the row's text.
// The newest DisplayVersion of the uninstall entries naming arg: anywhere, in the executable's
// folder, in its folder else anywhere; the newest trailing number of their display names; the
// first word of the newest DisplayVersion; the newest DisplayVersion naming the product itself
// in the executable's folder.
std::optional<std::string> uninstallVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallVersionInFolder(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallVersionInFolderElseAny(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallTrailingNumber(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallFirstWord(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallVersionOfProductInFolder(VersionRun& run,
                                                             const std::string& arg);
// The version of the first of the "|"-separated files beside the executable that exists
// non-empty and is not the executable itself; the same for one file, asked with empty names.
std::optional<std::string> siblings(VersionRun& run, const std::string& arg);
std::optional<std::string> siblingWithoutNames(VersionRun& run, const std::string& arg);
// LeadingNumberText of the record's ProductVersion.
std::optional<std::string> leadingProductVersion(VersionRun& run, const std::string& arg);
// "file|section|key": the key of the INI file beside the executable, when it exists non-empty.
std::optional<std::string> iniKey(VersionRun& run, const std::string& arg);
// The result as a four-part version with its Release, or its Build, set to 0.
std::optional<std::string> zeroRelease(VersionRun& run, const std::string& arg);
std::optional<std::string> zeroBuild(VersionRun& run, const std::string& arg);

// Sources of single rules before the version-information record is read.
std::optional<std::string> hashTabVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> yamicsoftLibrary(VersionRun& run, const std::string& arg);
std::optional<std::string> jDownloaderBuild(VersionRun& run, const std::string& arg);
std::optional<std::string> screencastOMaticVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> ventoyVersionFile(VersionRun& run, const std::string& arg);
std::optional<std::string> waterfoxVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> versionAfterDash(VersionRun& run, const std::string& arg);
std::optional<std::string> uninstallVersionInFolderAsVersion(VersionRun& run,
                                                             const std::string& arg);
std::optional<std::string> audioConverterWhatsNew(VersionRun& run, const std::string& arg);
std::optional<std::string> easeUsInstallLog(VersionRun& run, const std::string& arg);
std::optional<std::string> drwCandidates(VersionRun& run, const std::string& arg);
std::optional<std::string> ghostscriptFolder(VersionRun& run, const std::string& arg);
std::optional<std::string> highestSubfolderVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> paintNetVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> photoscapeMarker(VersionRun& run, const std::string& arg);
std::optional<std::string> dosboxMarker(VersionRun& run, const std::string& arg);

// Sources of single rules on the record and in the reconciliation.
std::optional<std::string> changelogVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> dbeaverReadme(VersionRun& run, const std::string& arg);
std::optional<std::string> bleachbitVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> openVpnConnectBuild(VersionRun& run, const std::string& arg);
std::optional<std::string> virtualDubReadme(VersionRun& run, const std::string& arg);
std::optional<std::string> powerShellVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> fileVersionWithoutV(VersionRun& run, const std::string& arg);
std::optional<std::string> newerProductVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> traderWorkstationVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> productVersionWithoutR(VersionRun& run, const std::string& arg);
std::optional<std::string> passwordTechVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> fastKeysVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> productVersionFirstWordDotted(VersionRun& run, const std::string& arg);
std::optional<std::string> descriptionSecondWord(VersionRun& run, const std::string& arg);
std::optional<std::string> potPlayerLibraries(VersionRun& run, const std::string& arg);
std::optional<std::string> adwCleanerVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> koboVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> versionOfRewrittenFile(VersionRun& run, const std::string& arg);
std::optional<std::string> systemExplorerVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> winZipVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> limeWireUninstaller(VersionRun& run, const std::string& arg);
std::optional<std::string> internetDownloadManagerVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> malwarebytesVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> malwarebytesArVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> javaLauncherVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> filmoraPlayerVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> easeUsUninstallVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> tagScannerVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> acrobatReaderVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> braveVersion(VersionRun& run, const std::string& arg);
std::optional<std::string> jv16Version(VersionRun& run, const std::string& arg);
std::optional<std::string> torBrowserChangelog(VersionRun& run, const std::string& arg);
std::optional<std::string> madVrChangelog(VersionRun& run, const std::string& arg);
std::optional<std::string> softMakerVersion(VersionRun& run, const std::string& arg);

} // namespace dm::update
