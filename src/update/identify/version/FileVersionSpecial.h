#pragma once

#include <string>

namespace dm::update {

struct IdentifyContext;

// The raw version text of FileName, or of a product named by a short code in its place; empty
// when none is found. The chain writes its Sysnative form, and for a few products the path of a
// sibling executable, back into FileName. ProductName and CompanyName may be empty (they are
// then taken from the file).
std::string GetFileVersionSpecial(IdentifyContext& Ctx, std::string& FileName,
                                  const std::string& ProductName, const std::string& CompanyName);

} // namespace dm::update
