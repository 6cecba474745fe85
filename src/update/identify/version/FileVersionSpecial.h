// The raw version text of a file, or of a product named by a short code in its place.
#pragma once

#include <string>

namespace dm::update {

struct IdentifyContext;

// The raw version text of fileName, or of a product named by a short code in its place; empty
// when none is found. The chain writes its Sysnative form, and for a few products the path of a
// sibling executable, back into fileName. productName and companyName may be empty (they are
// then taken from the file).
std::string GetFileVersionSpecial(IdentifyContext& context, std::string& fileName,
                                  const std::string& productName, const std::string& companyName);

} // namespace dm::update
