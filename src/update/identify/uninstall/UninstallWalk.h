// The walk over an uninstall key that the searches share.
#pragma once

#include "platform/registry/Registry.h"
#include "update/identify/IdentifyContext.h"

#include <functional>
#include <optional>
#include <string>

// The walk over an uninstall key that the searches share.
namespace dm::update {

inline constexpr const char* kWow6432Node = "Wow6432Node\\";

// "SOFTWARE\" + subRoot + "Microsoft\Windows\CurrentVersion\Uninstall\"
std::string uninstallKeyPath(const std::string& subRoot);

// The view the uninstall readers open keys in: the 64-bit one under WOW64.
platform::RegistryView uninstallView(IdentifyContext& context);

// The value when it is a plain string (REG_SZ); nullopt otherwise.
std::optional<std::string> plainString(const platform::RegistryKey& key, const std::string& name);
// The value when it is a string (plain or expandable); empty when it is missing or of another type.
std::string stringOrEmpty(const platform::RegistryKey& key, const std::string& name);

// Visits, in registry order, every entry of root's "SOFTWARE\" + subRoot +
// "Microsoft\...\Uninstall\" whose value valueName is a plain string, with that value. Visits
// nothing when the key cannot be opened; skips entries that cannot be opened.
void walkUninstallEntries(
    IdentifyContext& context, platform::RegistryRoot root, const std::string& subRoot,
    const std::string& valueName,
    const std::function<void(const platform::RegistryKey& entry, const std::string& value)>& visit);

} // namespace dm::update
