// The maker's registry key, the program's settings key and the portable "settings.ini".
#pragma once

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryError.h"
#include "platform/system/SystemInfo.h"

#include <string>

// The maker's registry key, the program's settings key and the portable "settings.ini", all
// under HKEY_CURRENT_USER.
namespace dm {

// The maker's key: one string value per program of the maker, its executable's path.
inline constexpr const char* kMakerKey = "SOFTWARE\\Brackenway";
// The program's settings key.
inline constexpr const char* kProductSettingsKey = "SOFTWARE\\Brackenway\\Dimmetric";

// The string value name of the maker's key; empty when the key or the value is missing. Throws
// RegistryError when the value is not a string.
std::string ReadMakerValue(platform::Registry& registry, const std::string& name);
// Throws RegistryError when the value cannot be written.
void WriteMakerValue(platform::Registry& registry, const std::string& name,
                     const std::string& value);
// A missing value is no error.
void DeleteMakerValue(platform::Registry& registry, const std::string& name);
// The settings key of the maker's program name: "SOFTWARE\Brackenway\" + name.
std::string settingsKeyOf(const std::string& name);
// Deletes the maker's key when it has neither subkeys nor values.
void DeleteMakerKeyIfEmpty(platform::Registry& registry);
// Deletes "SOFTWARE\Brackenway\" + name with everything below it.
void DeleteProductSettingsKey(platform::Registry& registry, const std::string& name);

// Copies the "Settings" (strings, at most 2047 characters) and "Settings_DWORD" (integers,
// decimal or "0x" hexadecimal, unreadable as 0) sections of iniFile into the key
// "SOFTWARE\Brackenway\" + name. Values the file does not name stay.
void ImportSettingsIni(platform::Registry& registry, const std::string& name,
                       const std::string& iniFile);
// Copies the string and 32-bit values of the key into iniFile (32-bit values as signed decimals;
// values of other types are left out). True only when the whole copy was written.
bool ExportSettingsToIni(platform::Registry& registry, platform::SystemInfo& system,
                         const std::string& name, const std::string& iniFile);

} // namespace dm
