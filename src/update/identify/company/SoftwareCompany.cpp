// The company of an executable: fixed companies, version resource texts, rules and clean-up.
#include "update/identify/company/SoftwareCompany.h"

#include "framework/TextUtils.h"
#include "framework/WideFiles.h"
#include "platform/files/PathText.h"
#include "platform/text/AsciiCase.h"
#include "update/identify/company/CompanyRules.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/name/SoftwareName.h"
#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/UninstallSearches.h"

#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace dm::update {

namespace {

// Identifiers that stand for products without one executable, compared exactly.
const std::array<std::pair<std::string_view, std::string_view>, 7> kIdentifiers = {{
    {"CCCP", "CCCP Project"},
    {"QTA", "QuickTime Alternative Team"},
    {"QTL", "QuickTime Lite Team"},
    {"KLITE", "K-Lite Codec Pack Team"},
    {"KLITE64", "K-Lite Codec Pack Team"},
    {"KLITEMEGA", "K-Lite Codec Pack Team"},
    {"HASHTAB", "Implbits Software"},
}};

// Licence names that are no company (the whole text, ignoring case).
const std::array<std::string, 15> kLicenceTexts = {
    "GNU",
    "GPL",
    "GPL3",
    "See GPL licence",
    "See GPL license",
    "GNU GPL License",
    "GNU General Public License Version 3",
    "under the GNU General Public License (GPL)",
    "under the GNU General Public License",
    "Released under GPL",
    "Distributed under GPL license",
    "Gnu General Public License (GPL, Copyleft)",
    "GNU General Public License",
    "GNU General Public License v2",
    "GNU General Public License v2.0",
};

// Licence tails cut from the end, each once, in this order.
const std::array<std::string, 11> kLicenceTails = {
    ". Code released under the GNU General Public License",
    ". GNU General Public License",
    ".  GNU General Public License",
    " - Licensed under GPL",
    " / GNU General Public License",
    "(GPLv3)",
    "(GPL v3+)",
    "(GPL)",
    "Under GPL",
    ", using LGPL 3 License",
    ": GPLv2 or commercial",
};

// Leading phrases cut from the start, each once, in this order.
const std::array<std::string, 4> kLeadingPhrases = {
    "Author: ",
    "Original author: ",
    "Developed by ",
    ". See LICENSE.TXT for details.",
};

// Placeholders of unfilled version resources (the whole text, ignoring case).
const std::array<std::string, 4> kPlaceholders = {"TODO:", "Company", "none", "."};

constexpr std::string_view kTrailingPunctuation = "-,;([";

bool isAnyOf(const std::string& text, std::span<const std::string> list) {
    for (const std::string& entry : list)
        if (SameText(text, entry))
            return true;
    return false;
}

// Cuts an address that ends the text: the text before the first marker, when the marker stands
// after position minPosition (counted from 1) and no blank follows from seven characters after
// its start. A text that starts with its address, or an address followed by words, stays.
std::string cutTrailingAddress(const std::string& c, const std::string& marker,
                               std::size_t minPosition) {
    const std::size_t at = c.find(marker);
    if (at == std::string::npos || at + 1 <= minPosition)
        return c;
    if (c.find(' ', at + 7) != std::string::npos)
        return c;
    return trimText(c.substr(0, at));
}

// The clean-up after the rules: the manifest fallback, licence texts, address cuts, trailing
// punctuation and placeholders.
std::string cleanUp(IdentifyContext& context, std::string c, const std::string& folder) {
    if (c.empty()) {
        const std::string manifest = folder + rulePath("META-INF\\AIR\\application.xml");
        if (FileExistsNonEmpty(context.files, context.system, manifest))
            if (const auto lines = readRuleLines(context, manifest))
                c = ExtractTagText("copyright", *lines);
    }
    if (isAnyOf(c, kLicenceTexts) || ContainsText("GNU GPL", c))
        c.clear();
    for (const std::string& tail : kLicenceTails)
        c = RemoveSuffixText(c, tail);
    c = trimText(c);
    for (const std::string& phrase : kLeadingPhrases)
        c = RemovePrefixText(c, phrase);
    c = trimText(c);
    c = cutTrailingAddress(c, "http://", 5);
    c = cutTrailingAddress(c, "www.", 9);
    if (EndsText(c, "L.L.C."))
        c = c.substr(0, c.size() - 6) + "LLC";
    std::string_view rest = c;
    while (rest.size() > 1 && kTrailingPunctuation.find(rest.back()) != std::string_view::npos)
        rest = trimmedView(rest.substr(0, rest.size() - 1));
    c = std::string(rest);
    if (isAnyOf(c, kPlaceholders) || StartsStr(c, "$"))
        c.clear();
    return CleanCompanyText(c);
}

} // namespace

std::string NormalizeCompanyName(IdentifyContext& context, const std::string& company,
                                 const std::string& fileName, const std::string& productName) {
    CompanyValues v(context);
    std::string c = company.substr(0, company.find('\r'));
    c = trimText(c);
    if (c == "-")
        c.clear();
    v[kCompanyName] = c;
    v[kProductName] = productName.empty() ? GetSoftwareName(context, fileName) : productName;
    v[kFile] = ExtractFileNameNoExt(fileName);
    v[kFolder] = platform::folderOfPath(fileName);
    v[kFileNameLower] = platform::lowerCaseText(extractFileName(fileName));
    v[kPath] = fileName;
    v[kProductName64] = RemoveSuffixText(v[kProductName], " (64 bits)");
    runRules(companyRules(), v);
    return cleanUp(context, v[kCompanyName], v[kFolder]);
}

std::string GetSoftwareCompany(IdentifyContext& context, const std::string& fileName,
                               const std::string& productName) {
    const std::string path = MapToSysnative(context, fileName);
    for (const auto& [identifier, company] : kIdentifiers)
        if (path == identifier)
            return std::string(company);

    return GetSoftwareCompany(context, fileName, productName, GetFileVersionInfoRec(context, path));
}

std::string GetSoftwareCompany(IdentifyContext& context, const std::string& fileName,
                               const std::string& productName, const FileVersionInfoRec& rec) {
    const std::string path = MapToSysnative(context, fileName);
    for (const auto& [identifier, company] : kIdentifiers)
        if (path == identifier)
            return std::string(company);
    std::string result;
    if (!SameText(rec.CompanyName, ", LLC"))
        result = rec.CompanyName;
    const std::string copyright = trimText(rec.LegalCopyRight);
    if (ContainsText("NW.JS", rec.CompanyName) && ContainsText("NWJS", rec.ProductName)) {
        const std::string publisher =
            FindPublisherByFolder(context, platform::folderOfPath(path), "");
        if (!publisher.empty())
            result = publisher;
    }

    result = NormalizeCompanyName(context, result, path, productName);
    if (result.empty() && !copyright.empty())
        result = NormalizeCompanyName(context, copyright, path, productName);
    const std::string stripped = StripCopyrightPhrases(result);
    if (stripped != result)
        result = NormalizeCompanyName(context, stripped, path, productName);
    if (result == "?" || result.find("??") != std::string::npos)
        result.clear();
    return result;
}

} // namespace dm::update
