// The installed versions of named products, read from the uninstall keys by a table of rows.
#include "update/identify/uninstall/ProductVersionReaders.h"

#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "update/Version.h"
#include "update/identify/IdentifyContext.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/uninstall/UninstallSearches.h"

#include <iterator>
#include <string_view>

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
    if (!context.files.fileExists(changes))
        return result;
    const std::optional<std::string> first = readFirstLine(context, changes);
    if (!first)
        return result;
    return VigilVersion(GetField(*first, CountFields(*first, " ") - 1, " ")).ToText();
}

// How a product's row searches the uninstall keys for its name.
enum class Search {
    Newest,                  // the newest DisplayVersion of the entries that name it
    TrailingNumber,          // the newest trailing number of their display names
    SecondWord,              // the second word of the display name
    FirstWordTrailingNumber, // the trailing number of the entries whose first word is the name
    WithWord,                // the DisplayVersion of an entry naming it and holding the word
    WithoutWord,             // ... naming it and not holding the word
};

struct ProductRow {
    Product product;
    Search search;
    std::string_view name;
    std::string_view word = {};
};

// One row per product, in the order of the enumeration.
constexpr ProductRow kProductRows[] = {
    {Product::JDownloader, Search::Newest, "JDownloader"},
    {Product::LibreOffice, Search::Newest, "libreoffice"},
    {Product::Glimpse, Search::Newest, "glimpse"},
    {Product::Vuze, Search::Newest, "Vuze"},
    {Product::Launchy, Search::SecondWord, "launchy"},
    {Product::AshampooSnap, Search::Newest, "ashampoo snap"},
    {Product::AshampooUndeleter, Search::Newest, "ashampoo undeleter"},
    {Product::CCCP, Search::Newest, "Combined Community Codec Pack"},
    {Product::QTAlternative, Search::TrailingNumber, "QuickTime Alternative"},
    {Product::QTLite, Search::TrailingNumber, "QT Lite"},
    {Product::KLite, Search::WithoutWord, "K-Lite Codec Pack", "64-bit"},
    {Product::KLite64, Search::WithWord, "K-Lite Codec Pack", "64-bit"},
    {Product::KLiteMega, Search::Newest, "K-Lite Mega Codec Pack"},
    {Product::OpenHashTab, Search::Newest, "OpenHashTab"},
    {Product::HashTab, Search::Newest, "HashTab"},
    {Product::QtTabBar, Search::TrailingNumber, "QtTabBar"},
    {Product::PaintNET, Search::FirstWordTrailingNumber, "Paint.NET"},
};

constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < std::size(kProductRows); ++i)
        if (static_cast<std::size_t>(kProductRows[i].product) != i)
            return false;
    return std::size(kProductRows) == static_cast<std::size_t>(Product::Count);
}
static_assert(rowsInOrder(), "one row per product, in the enumeration's order");

} // namespace

std::string installedProductVersion(IdentifyContext& context, Product product) {
    const ProductRow& row = kProductRows[static_cast<std::size_t>(product)];
    const std::string name(row.name);
    const std::string word(row.word);
    switch (row.search) {
    case Search::Newest:
        return uninstallVersion(context, name);
    case Search::TrailingNumber:
        return trailingNumber(context, name);
    case Search::SecondWord:
        return GetUninstallVersionVariant2(context, name, "");
    case Search::FirstWordTrailingNumber:
        return GetUninstallVersionVariant3(context, name, "");
    case Search::WithWord:
        return GetUninstallDisplayVersion(context, name, word, "");
    case Search::WithoutWord:
        return GetUninstallDisplayVersion(context, name, word, "", WordIs::Absent);
    }
    return {};
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

std::string GetProductVersion_Gimp(IdentifyContext& context) {
    const std::string number = trailingNumber(context, "gimp");
    if (number.find('.') != std::string::npos)
        return number;
    return uninstallVersion(context, "gimp");
}

std::string GetProductVersion_Xvid(IdentifyContext& context) {
    const std::string a = uninstallVersion(context, "XVid");
    const std::string b = GetUninstallVersionVariant3(context, "XVid", "");
    return VigilVersion(a).IsNewerThan(VigilVersion(b)) ? a : b;
}

} // namespace dm::update
