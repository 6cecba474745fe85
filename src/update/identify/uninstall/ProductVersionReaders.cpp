#include "update/identify/uninstall/ProductVersionReaders.h"

#include "framework/TextUtils.h"
#include "update/Version.h"
#include "update/identify/IdentifyContext.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/uninstall/UninstallSearches.h"

namespace dm::update {

namespace {

// The uninstall version of Name: the newest DisplayVersion of the entries that name it.
std::string uninstallVersion(IdentifyContext& context, const std::string& name) {
    return FindUninstallVersion(context, name, "");
}

// The last run of digits and dots of the matching DisplayNames, the newest.
std::string trailingNumber(IdentifyContext& context, const std::string& name) {
    return GetUninstallVersionByName(context, name, "");
}

// The changes readers: the first word of the uninstall version under either key, else the last
// word of the first line of Folder's "changes.txt" as a four-part version.
std::string changesReader(IdentifyContext& context, const std::string& folder,
                          const std::string& firstKey, const std::string& secondKey) {
    std::string result = GetField(uninstallVersion(context, firstKey), 0, " ");
    if (result.empty())
        result = GetField(uninstallVersion(context, secondKey), 0, " ");
    if (!result.empty())
        return result;
    const std::string changes = folder + "changes.txt";
    if (!existsPlain(context, changes))
        return result;
    const std::optional<std::string> first = readFirstLine(context, changes);
    if (!first)
        return result;
    return VigilVersion(GetField(*first, CountFields(*first, " ") - 1, " ")).ToText();
}

} // namespace

std::string GetProductVersion_JDownloader(IdentifyContext& context) {
    return uninstallVersion(context, "JDownloader");
}

std::string GetProductVersion_MalwarebytesAR(IdentifyContext& context, const std::string& folder) {
    return changesReader(context, folder, "Malwarebytes Anti-Malware",
                         "Malwarebytes Anti-Ransomware version");
}

std::string GetProductVersion_Malwarebytes(IdentifyContext& context, const std::string& folder) {
    return changesReader(context, folder, "Malwarebytes Anti-Malware", "Malwarebytes version");
}

bool IsMalwarebytesInstalled(IdentifyContext& context) {
    return !uninstallVersion(context, "Malwarebytes Anti-Malware").empty();
}

std::string GetProductVersion_LibreOffice(IdentifyContext& context) {
    return uninstallVersion(context, "libreoffice");
}

std::string GetProductVersion_Gimp(IdentifyContext& context) {
    const std::string number = trailingNumber(context, "gimp");
    if (number.find('.') != std::string::npos)
        return number;
    return uninstallVersion(context, "gimp");
}

std::string GetProductVersion_Glimpse(IdentifyContext& context) {
    return uninstallVersion(context, "glimpse");
}

std::string GetProductVersion_Vuze(IdentifyContext& context) {
    return uninstallVersion(context, "Vuze");
}

std::string GetProductVersion_Xvid(IdentifyContext& context) {
    const std::string a = uninstallVersion(context, "XVid");
    const std::string b = GetUninstallVersionVariant3(context, "XVid", "");
    return VigilVersion(a).IsNewerThan(VigilVersion(b)) ? a : b;
}

std::string GetProductVersion_Launchy(IdentifyContext& context) {
    return GetUninstallVersionVariant2(context, "launchy", "");
}

std::string GetProductVersion_AshampooSnap(IdentifyContext& context) {
    return uninstallVersion(context, "ashampoo snap");
}

std::string GetProductVersion_AshampooUndeleter(IdentifyContext& context) {
    return uninstallVersion(context, "ashampoo undeleter");
}

std::string GetProductVersion_CCCP(IdentifyContext& context) {
    return uninstallVersion(context, "Combined Community Codec Pack");
}

std::string GetProductVersion_QTAlternative(IdentifyContext& context) {
    return trailingNumber(context, "QuickTime Alternative");
}

std::string GetProductVersion_QTLite(IdentifyContext& context) {
    return trailingNumber(context, "QT Lite");
}

std::string GetProductVersion_KLite(IdentifyContext& context) {
    return GetUninstallDisplayVersion2(context, "K-Lite Codec Pack", "64-bit", "");
}

std::string GetProductVersion_KLite64(IdentifyContext& context) {
    return GetUninstallDisplayVersion(context, "K-Lite Codec Pack", "64-bit", "");
}

std::string GetProductVersion_KLiteMega(IdentifyContext& context) {
    return uninstallVersion(context, "K-Lite Mega Codec Pack");
}

std::string GetProductVersion_OpenHashTab(IdentifyContext& context) {
    return uninstallVersion(context, "OpenHashTab");
}

std::string GetProductVersion_HashTab(IdentifyContext& context) {
    return uninstallVersion(context, "HashTab");
}

std::string GetProductVersion_QtTabBar(IdentifyContext& context) {
    return trailingNumber(context, "QtTabBar");
}

std::string GetProductVersion_PaintNET(IdentifyContext& context) {
    return GetUninstallVersionVariant3(context, "Paint.NET", "");
}

} // namespace dm::update
