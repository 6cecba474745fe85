// The version chain: its tables run in order on a file's names, resource and record.
#include "update/identify/version/FileVersionSpecial.h"

#include "framework/FileVersionText.h"
#include "framework/TextUtils.h"
#include "platform/files/PathText.h"
#include "platform/version/VersionResources.h"
#include "update/Version.h"
#include "update/identify/Identify.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/version/VersionRules.h"
#include "update/identify/version/VersionRun.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dm::update {

namespace {

bool isDigitsNonEmpty(const std::string& text) {
    return !text.empty() && IsDigitsAndDots(text);
}

// Text with ".0" appended until it has at least four "."-separated fields.
std::string padToFourFields(std::string text) {
    while (CountFields(text, ".") < 4)
        text += ".0";
    return text;
}

// The version resource read for the fixed version, handed to the record read of the same file
// later in the same chain so that the file is not opened again.
struct ReadResource {
    bool read = false;
    std::string path;
    std::optional<platform::VersionBlock> block;
};

// The fixed block of the version resource as four numbers; empty when there is none.
void readGenericVersion(VersionRun& run, ReadResource& resource) {
    const std::string& fileName = run[kPath];
    if (!run.context.versions.fileExists(fileName)) {
        run[kResult].clear();
        return;
    }
    resource = {true, fileName, run.context.versions.read(fileName)};
    run[kResult] = fileVersionTextOf(resource.block);
}

// Whether the file has a version resource, from the one read for the fixed version when it was
// this file's.
bool hasVersionResource(VersionRun& run, const ReadResource& resource) {
    if (resource.read && resource.path == run[kPath])
        return resource.block.has_value();
    return run.context.versions.read(run[kPath]).has_value();
}

// A file without a version resource may be an application package with its manifest beside it.
bool readPackageManifest(VersionRun& run, const ReadResource& resource) {
    if (!run[kResult].empty() || hasVersionResource(run, resource))
        return false;
    const std::string manifest = folderPath(run, "META-INF\\AIR\\application.xml");
    if (!fileExistsNonEmpty(run.context, manifest))
        return false;
    run[kResult] =
        ExtractTagText("versionNumber", readSideLines(run.context, manifest).value_or(TextLines{}));
    return true;
}

// A FileVersion text of the same major and minor that is newer than the fixed block wins.
void preferFileVersionText(VersionRun& run) {
    const std::string& fv = run[kFileVersion];
    if (!isDigitsNonEmpty(fv))
        return;
    const std::string padded = padToFourFields(fv);
    const VigilVersion candidate(padded);
    const VigilVersion current(run[kResult]);
    if (candidate.IsNewerThan(current) && candidate.GetMS() == current.GetMS())
        run[kResult] = padded;
}

// The ProductVersion and Result texts both have a dot.
bool dottedVersions(const VersionRun& run) {
    return run[kResult].find('.') != std::string::npos &&
           run[kProductVersion].find('.') != std::string::npos;
}

// The ProductVersion text, when its major and minor run ahead of Result's.
bool productVersionAhead(VersionRun& run, const std::string&) {
    if (!dottedVersions(run))
        return false;
    const std::string t = LeadingNumberText(run[kProductVersion]);
    const std::string& r = run[kResult];
    if (VigilVersion(t).GetMS() > VigilVersion(r).GetMS() &&
        GetField(r, 0, ".") == GetField(t, 0, ".") &&
        GetField(r, 1, ".") + GetField(r, 2, ".") != GetField(t, 1, ".")) {
        run[kResult] = t;
        return true;
    }
    return false;
}

// The ProductVersion text in place of a zero Result.
bool productVersionForZero(VersionRun& run, const std::string&) {
    if (!dottedVersions(run) || run[kResult] != "0.0.0.0")
        return false;
    const std::string t = LeadingNumberText(run[kProductVersion]);
    if (VigilVersion(t).GetMS() == 0)
        return false;
    run[kResult] = t;
    return true;
}

// The longer of the ProductVersion and FileVersion texts, when both agree on major and minor
// and run ahead of Result; with keepBuild, followed by the build of Result as it was.
bool versionTextsAgree(VersionRun& run, bool keepBuild) {
    const std::string t = LeadingNumberText(run[kProductVersion]);
    const std::string u = LeadingNumberText(run[kFileVersion]);
    const VigilVersion v(run[kResult]);
    const VigilVersion w(t);
    const VigilVersion x(u);
    if (w.GetMS() != x.GetMS() || !w.IsNewerThan(v) || !w.IsValid() || !x.IsValid())
        return false;
    run[kResult] = t.size() > u.size() ? t : u;
    if (keepBuild && v.Build > 0)
        run[kResult] += "." + std::to_string(v.Build);
    return true;
}

bool versionTextsAgree(VersionRun& run, const std::string&) {
    return versionTextsAgree(run, false);
}

bool versionTextsAgreeKeepingBuild(VersionRun& run, const std::string&) {
    return versionTextsAgree(run, true);
}

// The passes that take the record's version texts when they run ahead of the fixed block.
std::span<const VersionRow> productVersionPassRules() {
    using namespace rules;
    const auto notepad = has(kInfoProduct, "notepad++"); // keeps its fixed block's version
    const auto keepsBuild = has(kProductName, "Total Commander");
    static const std::vector<VersionRow> kRows = {
        {"ahead", {!notepad}, {hook(productVersionAhead)}},
        {"zero", {}, {hook(productVersionForZero)}},
        {"agree", {!notepad, !keepsBuild}, {hook(versionTextsAgree)}},
        {"agree, keeping the build", {!notepad, keepsBuild}, {hook(versionTextsAgreeKeepingBuild)}},
    };
    return kRows;
}

bool isPlaceholderVersion(const std::string& result) {
    return result == "1.0.0.0" || result == "1.0.0.1";
}

// The ProductVersion text when it is newer than Result.
void takeNewerProductVersion(VersionRun& run) {
    const std::string t = LeadingNumberText(run[kProductVersion]);
    if (VigilVersion(t).IsNewerThan(VigilVersion(run[kResult])))
        run[kResult] = t;
}

// Reconciles the generic result with the record's version texts; the rules of the last group
// stand between its steps.
void reconcile(VersionRun& run) {
    if (runRules(reconciliationOpeningRules(), run))
        return;
    preferFileVersionText(run);
    runRules(productVersionPassRules(), run);
    if (runRules(reconciliationMiddleRules(), run))
        return;
    if (isPlaceholderVersion(run[kResult]) && isDigitsNonEmpty(run[kFileVersion]))
        run[kResult] = padToFourFields(LeadingNumberText(run[kFileVersion]));
    if (isPlaceholderVersion(run[kResult]))
        takeNewerProductVersion(run);
    if (StartsStr(run[kResult], "0.0.0"))
        takeNewerProductVersion(run);
    runRules(reconciliationClosingRules(), run);
}

// The working values the rules read, from the file name and the given or found names.
void describeFile(VersionRun& run, const std::string& productName, const std::string& companyName) {
    const std::string& fileName = run[kPath];
    run[kFileName] = extractFileName(fileName);
    run[kExtension] = extractFileExt(fileName);
    run[kFile] = ExtractFileNameNoExt(fileName);
    run[kFolder] = platform::folderOfPath(fileName);
    run[kProductName] = productName;
    run[kCompanyName] = companyName;
    if (productName.empty()) {
        DisplayedFileInfo info = GetDisplayedFileInfo(run.context, fileName);
        run[kProductName] = std::move(info.Name);
        run[kCompanyName] = std::move(info.Company);
    }
    run[kProductName64] = RemoveSuffixText(run[kProductName], " (64 bits)");
}

void takeRecord(VersionRun& run, const ReadResource& resource) {
    const std::string& fileName = run[kPath];
    const bool readBefore = resource.read && resource.path == fileName &&
                            MapToSysnative(run.context, fileName) == fileName;
    const FileVersionInfoRec vi = readBefore
                                      ? fileVersionInfoRecOf(run.context, fileName, resource.block)
                                      : GetFileVersionInfoRec(run.context, fileName);
    run[kDescription] = vi.FileDescription;
    run[kInfoCompany] = vi.CompanyName;
    run[kInfoProduct] = vi.ProductName;
    run[kFileVersion] = vi.FileVersion;
    run[kProductVersion] = vi.ProductVersion;
}

// The chain from the short codes to the reconciliation; the result is in kResult.
void runChain(VersionRun& run, const std::string& productName, const std::string& companyName) {
    if (runRules(shortCodeRules(), run))
        return;
    describeFile(run, productName, companyName);
    if (fileExistsNonEmpty(run.context, run[kPath])) {
        runRules(earlyRules(), run);
        if (!run[kResult].empty())
            return;
    }
    if (runRules(beforeReadingRules(), run))
        return;
    ReadResource resource;
    readGenericVersion(run, resource);
    if (runRules(adjustmentRules(), run) || readPackageManifest(run, resource))
        return;
    takeRecord(run, resource);
    if (runRules(recordRules(), run) || runRules(productRecordRules(), run))
        return;
    if (runRules(fileNameRules(), run))
        return;
    reconcile(run);
}

} // namespace

std::string GetFileVersionSpecial(IdentifyContext& context, std::string& fileName,
                                  const std::string& productName, const std::string& companyName) {
    VersionRun run(context);
    run[kPath] = MapToSysnative(context, fileName);
    runChain(run, productName, companyName);
    fileName = run[kPath];
    return run[kResult];
}

} // namespace dm::update
