// The language identifier for a POSIX locale name such as "fr_FR.UTF-8".
#pragma once

#include <cstdint>
#include <string>

namespace dm::platform {

// The Windows language identifier for a POSIX locale name such as "fr_FR.UTF-8" or "de_DE@euro":
// by language and territory, else by language alone, else 0x0409 (English, United States).
std::uint16_t languageIdFromLocale(const std::string& locale);

} // namespace dm::platform
