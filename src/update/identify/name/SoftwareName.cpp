// The product name of an executable: field choice, clean-up, rules and short codes.
#include "update/identify/name/SoftwareName.h"

#include "framework/TextUtils.h"
#include "framework/WideFiles.h"
#include "platform/files/PathText.h"
#include "update/Version.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/name/ProductNameRules.h"
#include "update/identify/rules/RulePath.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace dm::update {

namespace {

// Codes that stand for products without a single executable.
const std::pair<const char*, const char*> kShortCodes[] = {
    {"CCCP", "Combined Community Codec Pack"},
    {"QTA", "QuickTime Alternative"},
    {"QTL", "QuickTime Lite"},
    {"KLITE", "K-Lite Codec Pack"},
    {"KLITE64", "K-Lite Codec Pack (64-Bits)"},
    {"KLITEMEGA", "K-Lite Codec Pack (Mega)"},
    {"OPENHASHTAB", "OpenHashTab"},
    {"HASHTAB", "HashTab"},
    {"QTTABBAR", "QtTabBar"},
};

const char* const kCleanupSuffixes[] = {
    ".exe",
    ".dll",
    ".dll loader",
    "MFC Application",
    "Application",
    "application file",
    "main executable",
};
const char* const kCleanupPrefixes[] = {"Main executable for", "32-Bit", "64-Bit"};
const char* const kPlatformSuffixes[] = {
    "for Windows",
    "for Win32",
    "for Windows NT",
    "for Windows NT/2000/XP/Vista",
    "for Windows 98/Me/2000/XP",
    "for Windows XP",
    "for WindowsNT",
    "for Win2k/XP",
    "for Windows(R)",
    "for Windows\xAE",
    "for Windows 2000/XP",
    "for Windows 9x/Me/NT/2k/XP",
    "64-bit",
    "32-bit",
    " executable",
    " 64bit",
};

int fieldCount(const std::string& text) {
    return CountFields(text, " ");
}

std::string lastField(const std::string& text) {
    return GetField(text, fieldCount(text) - 1, " ");
}

bool isDigitOrDot(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

// A last word such as "2.5", "7" or "v3": a version the name carries and loses.
bool isVersionField(const std::string& word) {
    if (word.empty() || !std::all_of(word.begin() + 1, word.end(), isDigitOrDot))
        return false;
    if (word.find('.') == std::string::npos && word.size() >= 4)
        return false;
    return isDigitOrDot(word[0]) || word[0] == 'V' || word[0] == 'v';
}

void dropLastField(std::string& name) {
    name = trimText(LeftText(name, static_cast<int>(name.size() - lastField(name).size())));
}

bool hasVersionField(const std::string& name) {
    return fieldCount(name) >= 2 && isVersionField(lastField(name));
}

bool endsWithVersionField(NameValues& v, const std::string&) {
    return hasVersionField(v[kName]);
}

bool dropVersionField(NameValues& v, const std::string&) {
    dropLastField(v[kName]);
    return true;
}

// The version a name carries as its last word goes, but for the products whose version is part
// of their name; those carry their file's major version instead.
std::span<const NameRow> versionFieldRules() {
    using namespace rules;
    const auto keepsVersion =
        any({starts(kName, "Ultimate Windows Tweaker"), starts(kName, "FixWin")});
    static const std::vector<NameRow> kRows = {
        {"FixWin", {starts(kName, "FixWin")}, {setField(kDescription)}},
        {"Tweaker",
         {keepsVersion},
         {when({probe(endsWithVersionField)}, hook(dropVersionField)), append(" "),
          appendField(kMajorFileVersion)}},
        {"Version field",
         {probe(endsWithVersionField), !is(kName, "DVD Flick v2"), !keepsVersion,
          !starts(kName, "Dimension")},
         {hook(dropVersionField)}},
        {"WinMerge",
         {starts(kName, "Winmerge"),
          any({starts(kProductVersion, "2011."), starts(kProductVersion, "0.2011.")})},
         {set("WinMerge 2011")}},
    };
    return kRows;
}

void fillValues(NameValues& v, const std::string& path, const FileVersionInfoRec& vi) {
    const std::string folder = platform::folderOfPath(path);
    const std::string lastFolder = extractFileName(platform::withoutTrailingDelimiter(folder));
    const VigilVersion fileVersion(vi.FileVersion);
    const VigilVersion productVersion(vi.ProductVersion);
    v[kFile] = ExtractFileNameNoExt(path);
    v[kFolder] = folder;
    v[kPath] = path;
    v[kFileName] = extractFileName(path);
    v[kLastFolderName] = ExtractFileNameNoExt(lastFolder);
    v[kFolderPart] = lastFolder;
    v[kDescription] = vi.FileDescription;
    v[kInfoCompany] = vi.CompanyName;
    v[kInfoProduct] = vi.ProductName;
    v[kInternalName] = vi.InternalName;
    v[kCopyright] = vi.LegalCopyRight;
    v[kFileVersion] = vi.FileVersion;
    v[kProductVersion] = vi.ProductVersion;
    v[kInfoCompanyNoQuestion] = replaceAllStr(vi.CompanyName, "?", "");
    v[kDescWords] =
        std::to_string(CountFields(replaceAllStr(vi.FileDescription, " - ", "-"), " -"));
    v[kInfoProductWords] = std::to_string(fieldCount(replaceAllStr(vi.ProductName, " - ", "-")));
    v[kMajorFileVersion] = std::to_string(fileVersion.Major);
    v[kMajorProductVersion] = std::to_string(productVersion.Major);
    v[kReleaseFileVersion] = std::to_string(fileVersion.Release);
    v[kReleaseProductVersion] = std::to_string(productVersion.Release);
    v[kProductVersionParts] = productVersion.ToText();
}

// The field that most likely holds the name.
std::string chooseField(const FileVersionInfoRec& vi, const std::string& baseName) {
    const int descWords = CountFields(replaceAllStr(vi.FileDescription, " - ", "-"), " -");
    const int productWords = fieldCount(replaceAllStr(vi.ProductName, " - ", "-"));
    const int internalWords = fieldCount(vi.InternalName);
    std::string result;
    if (productWords >= 1 && productWords <= 4)
        result = vi.ProductName;
    const bool descFits =
        (descWords >= productWords && vi.FileDescription.find('(') == std::string::npos) ||
        ContainsText("\xAE", result);
    const bool descShort = descWords < 4 || (descWords == 4 && !SameText(vi.ProductName, baseName));
    const bool notLeading = SameText(baseName, "updater") ||
                            SameText(vi.ProductName, "shockwave") ||
                            posStr(vi.ProductName, vi.FileDescription) != 1;
    if (descWords > 0 && descFits && descShort && notLeading)
        result = vi.FileDescription;
    if (result.empty()) {
        if (internalWords > 0)
            result = vi.InternalName;
        if (productWords > 0)
            result = vi.ProductName;
        if (descWords > 0)
            result = vi.FileDescription;
    }
    if (internalWords > 0 && fieldCount(result) > 6)
        result = vi.InternalName;
    return result;
}

void dropBitnessTag(std::string& name) {
    if (fieldCount(name) < 2)
        return;
    const int at = std::max({posStr("(64", name), posStr("(32", name), posStr("(16", name)});
    if (at > 0 && name.find(')') == name.size() - 1)
        name = trimText(LeftText(name, at - 1));
}

std::string manifestName(NameValues& v) {
    const std::string manifest = v[kFolder] + rulePath("META-INF\\AIR\\application.xml");
    if (!FileExistsNonEmpty(v.context.files, v.context.system, manifest))
        return {};
    const auto lines = readRuleLines(v.context, manifest).value_or(TextLines{});
    const std::string name = ExtractTagText("name", lines);
    return name.empty() ? ExtractTagText("filename", lines) : name;
}

void cleanUp(NameValues& v, const FileVersionInfoRec& vi) {
    std::string& name = v[kName];
    dropBitnessTag(name);
    runRules(versionFieldRules(), v);
    if (fieldCount(name) >= 2 && ContainsText("(tm)", lastField(name)))
        dropLastField(name);
    name = trimText(replaceAllText(name, "\x99", ""));
    if (name.size() >= 2 && name.back() == '.')
        name = trimText(name.substr(0, name.size() - 1));
    if (name.empty())
        name = manifestName(v);
    if (StartsText(vi.FileDescription, vi.ProductName) &&
        ContainsText(" installer", vi.FileDescription))
        name = vi.FileDescription;
    const bool installerMarks[] = {
        StartsText(vi.FileDescription, "install "),
        EndsText(vi.FileDescription, " installationsprogramm"),
        EndsText(vi.FileDescription, " setup"),
        StartsText(vi.OriginalFileName, "setup.exe"),
        StartsText(vi.InternalName, "setup"),
        StartsText(vi.OriginalFileName, "bootstrapper.exe"),
    };
    for (const bool mark : installerMarks)
        if (mark)
            name += " installer";
    for (const char* suffix : kCleanupSuffixes)
        name = RemoveSuffixText(name, suffix);
    for (const char* prefix : kCleanupPrefixes)
        name = RemovePrefixText(name, prefix);
    if (!name.empty() && name.front() == '"' && name.back() == '"')
        name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
    name = RemovePrefixText(name, "ShInstUtil - ");
    name = CleanCompanyText(name);
    for (const char* suffix : kPlatformSuffixes)
        name = RemoveSuffixText(name, suffix);
    if (name.empty())
        name = v[kFile];
}

void finalMarks(IdentifyContext& context, const std::string& fileName, std::string& name) {
    name = trimText(name);
    const auto header = ReadPEHeader(context, fileName);
    if (header && header->Is64) {
        name = RemoveSuffixText(RemoveSuffixText(name, " x64"), " (64 bits)");
        name += " (64 bits)";
    }
    if (name == "?" || ContainsText("??", name) || StartsText(name, "$"))
        name.clear();
}

} // namespace

std::string GetSoftwareName(IdentifyContext& context, const std::string& fileName) {
    for (const auto& [code, product] : kShortCodes)
        if (fileName == code)
            return product;
    return GetSoftwareName(context, fileName,
                           GetFileVersionInfoRec(context, MapToSysnative(context, fileName)));
}

std::string GetSoftwareName(IdentifyContext& context, const std::string& fileName,
                            const FileVersionInfoRec& vi) {
    for (const auto& [code, product] : kShortCodes)
        if (fileName == code)
            return product;
    const std::string path = MapToSysnative(context, fileName);
    NameValues v(context);
    fillValues(v, path, vi);
    v[kName] = chooseField(vi, v[kFile]);
    if (runRules(productNameRulesA(), v))
        return v[kName];
    cleanUp(v, vi);
    runRules(productNameRulesB(), v);
    finalMarks(context, path, v[kName]);
    return v[kName];
}

} // namespace dm::update
