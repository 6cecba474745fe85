// The installed version of one named product, from the uninstall keys.
#pragma once

#include <string>

namespace dm::update {

struct IdentifyContext;

// The installed version of one named product, from the uninstall keys (two of them also from
// the product's "changes.txt"). Each gives the text the search found, not normalised; empty when
// nothing matches. folder is the product's folder, ending with its path delimiter.

// The products whose version is one search of the uninstall keys for the product's name: a table
// of rows.
enum class Product {
    JDownloader,
    LibreOffice,
    Glimpse,
    Vuze,
    Launchy,
    AshampooSnap,
    AshampooUndeleter,
    CCCP,
    QTAlternative,
    QTLite,
    KLite,
    KLite64,
    KLiteMega,
    OpenHashTab,
    HashTab,
    QtTabBar,
    PaintNET,
    Count
};
std::string installedProductVersion(IdentifyContext& context, Product product);

// The products whose search is more than one row.
std::string GetProductVersion_MalwarebytesAR(IdentifyContext& context, const std::string& folder);
std::string GetProductVersion_Malwarebytes(IdentifyContext& context, const std::string& folder);
bool IsMalwarebytesInstalled(IdentifyContext& context);
std::string GetProductVersion_Gimp(IdentifyContext& context);
std::string GetProductVersion_Xvid(IdentifyContext& context);

} // namespace dm::update
