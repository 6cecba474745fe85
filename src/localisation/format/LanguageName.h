// The English name of a language identifier from the built-in language table.
#pragma once

#include <cstdint>
#include <string>

namespace dm {

// The English name of a Windows language identifier from the built-in language table
// ("German (Standard)" for 0x0407); empty when the table has no such identifier.
std::string languageNameOf(std::uint16_t langId);

} // namespace dm
