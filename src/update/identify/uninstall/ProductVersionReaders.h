#pragma once

#include <string>

namespace dm::update {

struct IdentifyContext;

// The installed version of one named product, from the uninstall keys (two of them also from
// the product's "changes.txt"). Each gives the text the search found, not normalised; empty when
// nothing matches. folder is the product's folder, ending with its path delimiter.
std::string GetProductVersion_JDownloader(IdentifyContext& context);
std::string GetProductVersion_MalwarebytesAR(IdentifyContext& context, const std::string& folder);
std::string GetProductVersion_Malwarebytes(IdentifyContext& context, const std::string& folder);
bool IsMalwarebytesInstalled(IdentifyContext& context);
std::string GetProductVersion_LibreOffice(IdentifyContext& context);
std::string GetProductVersion_Gimp(IdentifyContext& context);
std::string GetProductVersion_Glimpse(IdentifyContext& context);
std::string GetProductVersion_Vuze(IdentifyContext& context);
std::string GetProductVersion_Xvid(IdentifyContext& context);
std::string GetProductVersion_Launchy(IdentifyContext& context);
std::string GetProductVersion_AshampooSnap(IdentifyContext& context);
std::string GetProductVersion_AshampooUndeleter(IdentifyContext& context);
std::string GetProductVersion_CCCP(IdentifyContext& context);
std::string GetProductVersion_QTAlternative(IdentifyContext& context);
std::string GetProductVersion_QTLite(IdentifyContext& context);
std::string GetProductVersion_KLite(IdentifyContext& context);
std::string GetProductVersion_KLite64(IdentifyContext& context);
std::string GetProductVersion_KLiteMega(IdentifyContext& context);
std::string GetProductVersion_OpenHashTab(IdentifyContext& context);
std::string GetProductVersion_HashTab(IdentifyContext& context);
std::string GetProductVersion_QtTabBar(IdentifyContext& context);
std::string GetProductVersion_PaintNET(IdentifyContext& context);

} // namespace dm::update
