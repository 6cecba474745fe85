#include "update/identify/FileVersionSpecial.h"

#include "framework/FileVersionText.h"
#include "framework/TextUtils.h"
#include "platform/files/PathText.h"
#include "platform/version/VersionResources.h"
#include "update/Version.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/Identify.h"
#include "update/identify/SideFiles.h"
#include "update/identify/TextCleanup.h"
#include "update/identify/VersionInfoReader.h"
#include "update/identify/VersionRules.h"
#include "update/identify/VersionRun.h"

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
    const std::string& fileName = run.text(kFileName);
    if (!run.context.versions.fileExists(fileName)) {
        run.text(kResult).clear();
        return;
    }
    resource = {true, fileName, run.context.versions.read(fileName)};
    run.text(kResult) = fileVersionTextOf(resource.block);
}

// A file without a version resource may be an application package with its manifest beside it.
bool readPackageManifest(VersionRun& run) {
    if (!run.text(kResult).empty() || run.context.versions.read(run.text(kFileName)))
        return false;
    const std::string manifest = folderPath(run, "META-INF\\AIR\\application.xml");
    if (!existsNonEmpty(run.context, manifest))
        return false;
    run.text(kResult) = ExtractTagText(
        "versionNumber", readSideLines(run.context, manifest).value_or(std::vector<std::string>{}));
    return true;
}

// A FileVersion text of the same major and minor that is newer than the fixed block wins.
void preferFileVersionText(VersionRun& run) {
    const std::string& fv = run.text(kFileVersion);
    if (!isDigitsNonEmpty(fv))
        return;
    const std::string padded = padToFourFields(fv);
    const VigilVersion candidate(padded);
    const VigilVersion current(run.text(kResult));
    if (candidate.IsNewerThan(current) && candidate.GetMS() == current.GetMS())
        run.text(kResult) = padded;
}

// The ProductVersion text, when its major and minor run ahead of Result's.
void productVersionFirstPass(VersionRun& run) {
    const std::string& pv = run.text(kProductVersion);
    if (run.text(kResult).find('.') == std::string::npos || pv.find('.') == std::string::npos)
        return;
    const std::string t = LeadingNumberText(pv);
    const VigilVersion v(run.text(kResult));
    const VigilVersion w(t);
    const std::string& r = run.text(kResult);
    if (w.GetMS() > v.GetMS() && GetField(r, 0, ".") == GetField(t, 0, ".") &&
        GetField(r, 1, ".") + GetField(r, 2, ".") != GetField(t, 1, ".") && !run.notepadFlag)
        run.text(kResult) = t;
    if (run.text(kResult) == "0.0.0.0" && w.GetMS() > 0)
        run.text(kResult) = t;
}

// The longer of the ProductVersion and FileVersion texts, when both agree on major and minor
// and run ahead of Result.
void productVersionSecondPass(VersionRun& run) {
    const std::string t = LeadingNumberText(run.text(kProductVersion));
    const std::string u = LeadingNumberText(run.text(kFileVersion));
    const VigilVersion v(run.text(kResult));
    const VigilVersion w(t);
    const VigilVersion x(u);
    if (w.GetMS() != x.GetMS() || !w.IsNewerThan(v) || run.notepadFlag || !w.IsValid() ||
        !x.IsValid())
        return;
    run.text(kResult) = t.size() > u.size() ? t : u;
    if (ContainsText("Total Commander", run.text(kProductName)) && v.Build > 0)
        run.text(kResult) += "." + std::to_string(v.Build);
}

bool isPlaceholderVersion(const std::string& result) {
    return result == "1.0.0.0" || result == "1.0.0.1";
}

// The ProductVersion text when it is newer than Result.
void takeNewerProductVersion(VersionRun& run) {
    const std::string t = LeadingNumberText(run.text(kProductVersion));
    if (VigilVersion(t).IsNewerThan(VigilVersion(run.text(kResult))))
        run.text(kResult) = t;
}

// Reconciles the generic result with the record's version texts; the rules of the last group
// stand between its steps.
void reconcile(VersionRun& run) {
    const std::span<const RuleRow> rows = reconciliationRules();
    if (runRules(rows.subspan(0, 2), run))
        return;
    preferFileVersionText(run);
    run.notepadFlag = ContainsText("notepad++", run.text(kInfoProduct));
    productVersionFirstPass(run);
    productVersionSecondPass(run);
    if (runRules(rows.subspan(2, 1), run))
        return;
    if (isPlaceholderVersion(run.text(kResult)) && isDigitsNonEmpty(run.text(kFileVersion)))
        run.text(kResult) = padToFourFields(LeadingNumberText(run.text(kFileVersion)));
    if (isPlaceholderVersion(run.text(kResult)))
        takeNewerProductVersion(run);
    if (StartsStr(run.text(kResult), "0.0.0"))
        takeNewerProductVersion(run);
    runRules(rows.subspan(3), run);
}

// The working values the rules read, from the file name and the given or found names.
void describeFile(VersionRun& run, const std::string& productName, const std::string& companyName) {
    const std::string& fileName = run.text(kFileName);
    run.text(kFileNameExt) = extractFileName(fileName);
    run.text(kExtension) = extractFileExt(fileName);
    run.text(kBaseName) = ExtractFileNameNoExt(fileName);
    run.text(kFolder) = platform::folderOfPath(fileName);
    run.text(kProductName) = productName;
    run.text(kCompanyName) = companyName;
    if (productName.empty()) {
        DisplayedFileInfo info = GetDisplayedFileInfo(run.context, fileName);
        run.text(kProductName) = std::move(info.Name);
        run.text(kCompanyName) = std::move(info.Company);
    }
    run.text(kProductName64) = RemoveSuffixText(run.text(kProductName), " (64 bits)");
}

void takeRecord(VersionRun& run, const ReadResource& resource) {
    const std::string& fileName = run.text(kFileName);
    const bool readBefore = resource.read && resource.path == fileName &&
                            MapToSysnative(run.context, fileName) == fileName;
    const FileVersionInfoRec vi = readBefore
                                      ? fileVersionInfoRecOf(run.context, fileName, resource.block)
                                      : GetFileVersionInfoRec(run.context, fileName);
    run.text(kDescription) = vi.FileDescription;
    run.text(kInfoCompany) = vi.CompanyName;
    run.text(kInfoProduct) = vi.ProductName;
    run.text(kFileVersion) = vi.FileVersion;
    run.text(kProductVersion) = vi.ProductVersion;
}

// The chain from the short codes to the reconciliation; the result is in kResult.
void runChain(VersionRun& run, const std::string& productName, const std::string& companyName) {
    if (runRules(shortCodeRules(), run))
        return;
    describeFile(run, productName, companyName);
    if (existsNonEmpty(run.context, run.text(kFileName))) {
        runRules(earlyRules(), run);
        if (!run.text(kResult).empty())
            return;
    }
    if (runRules(beforeReadingRules(), run))
        return;
    ReadResource resource;
    readGenericVersion(run, resource);
    if (runRules(adjustmentRules(), run) || readPackageManifest(run))
        return;
    takeRecord(run, resource);
    if (runRules(recordRules(), run))
        return;
    if (ContainsText("Advanced SystemCare", run.text(kProductName)) &&
        !SameText(run.text(kBaseName), "ASC")) {
        run.text(kResult).clear();
        return;
    }
    if (runRules(fileNameRules(), run))
        return;
    reconcile(run);
}

} // namespace

std::string GetFileVersionSpecial(IdentifyContext& context, std::string& fileName,
                                  const std::string& productName, const std::string& companyName) {
    VersionRun run(context);
    run.text(kFileName) = MapToSysnative(context, fileName);
    runChain(run, productName, companyName);
    fileName = run.text(kFileName);
    return run.text(kResult);
}

} // namespace dm::update
