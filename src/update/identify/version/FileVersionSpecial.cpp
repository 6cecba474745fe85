#include "update/identify/version/FileVersionSpecial.h"

#include "framework/FileVersionText.h"
#include "framework/TextSearch.h"
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

// A file without a version resource may be an application package with its manifest beside it.
bool readPackageManifest(VersionRun& run) {
    if (!run[kResult].empty() || run.context.versions.read(run[kPath]))
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

// The ProductVersion text, when its major and minor run ahead of Result's.
void productVersionFirstPass(VersionRun& run) {
    const std::string& pv = run[kProductVersion];
    if (run[kResult].find('.') == std::string::npos || pv.find('.') == std::string::npos)
        return;
    const std::string t = LeadingNumberText(pv);
    const VigilVersion v(run[kResult]);
    const VigilVersion w(t);
    const std::string& r = run[kResult];
    if (w.GetMS() > v.GetMS() && GetField(r, 0, ".") == GetField(t, 0, ".") &&
        GetField(r, 1, ".") + GetField(r, 2, ".") != GetField(t, 1, ".") && !run.notepadFlag)
        run[kResult] = t;
    if (run[kResult] == "0.0.0.0" && w.GetMS() > 0)
        run[kResult] = t;
}

// The longer of the ProductVersion and FileVersion texts, when both agree on major and minor
// and run ahead of Result.
void productVersionSecondPass(VersionRun& run) {
    const std::string t = LeadingNumberText(run[kProductVersion]);
    const std::string u = LeadingNumberText(run[kFileVersion]);
    const VigilVersion v(run[kResult]);
    const VigilVersion w(t);
    const VigilVersion x(u);
    if (w.GetMS() != x.GetMS() || !w.IsNewerThan(v) || run.notepadFlag || !w.IsValid() ||
        !x.IsValid())
        return;
    run[kResult] = t.size() > u.size() ? t : u;
    if (ContainsText("Total Commander", run[kProductName]) && v.Build > 0)
        run[kResult] += "." + std::to_string(v.Build);
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
    run.notepadFlag = ContainsText("notepad++", run[kInfoProduct]);
    productVersionFirstPass(run);
    productVersionSecondPass(run);
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
    if (runRules(adjustmentRules(), run) || readPackageManifest(run))
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
