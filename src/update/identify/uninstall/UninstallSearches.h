// Readers of the uninstall keys: the installed-software test and the searches of the rules.
#pragma once

#include "platform/registry/Registry.h"
#include "update/identify/IdentifyContext.h"

#include <string>
#include <vector>

// Readers of the uninstall keys: the installed-software test and the searches of the rules.
// Searches give an empty text for "not found". A value stored with the wrong type reads as absent.
namespace dm::update {

struct UninstallListing {
    // A heading line per uninstall key (its full path), then each entry's DisplayName, or its
    // subkey name when it has no plain string DisplayName.
    std::vector<std::string> Names;
    std::vector<std::string> Errors; // "Unable to open ..." lines
};

UninstallListing ListUninstallDisplayNames(IdentifyContext& context);
// A line of ListUninstallDisplayNames starts with prefix, ignoring case.
bool IsSoftwareInstalled(IdentifyContext& context, const std::string& prefix);

// The searches. subRoot is "" (callers) or "Wow6432Node\"; with "" under WOW64 each search also
// walks the 32-bit view. folder "" matches every entry.
std::string GetUninstallVersionByName(IdentifyContext& context, const std::string& name,
                                      const std::string& subRoot);
std::string GetUninstallVersionAfterDash(IdentifyContext& context, const std::string& prefix,
                                         const std::string& subRoot);
std::string GetUninstallVersionVariant2(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot);
std::string GetUninstallVersionVariant3(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot);
// Whether the display name must hold the word, or must not.
enum class WordIs { Present, Absent };
std::string GetUninstallDisplayVersion(IdentifyContext& context, const std::string& name,
                                       const std::string& word, const std::string& subRoot,
                                       WordIs wordIs = WordIs::Present);
std::string GetUninstallInfoByName(IdentifyContext& context, platform::RegistryRoot rootKey,
                                   const std::string& name, const std::string& subRoot,
                                   const std::string& folder);
std::string GetDisplayNameByFolder(IdentifyContext& context, platform::RegistryRoot rootKey,
                                   const std::string& folder, const std::string& subRoot);
std::string GetPublisherByFolder(IdentifyContext& context, platform::RegistryRoot rootKey,
                                 const std::string& folder, const std::string& subRoot);

// HKEY_LOCAL_MACHINE first, HKEY_CURRENT_USER when that found nothing.
std::string FindUninstallVersionInFolder(IdentifyContext& context, const std::string& name,
                                         const std::string& subRoot, const std::string& folder);
std::string FindUninstallVersion(IdentifyContext& context, const std::string& name,
                                 const std::string& subRoot);
std::string FindDisplayNameByFolder(IdentifyContext& context, const std::string& folder,
                                    const std::string& subRoot);
std::string FindPublisherByFolder(IdentifyContext& context, const std::string& folder,
                                  const std::string& subRoot);

// The text without a leading "v" or "V", trimmed.
std::string StripVPrefix(const std::string& text);

} // namespace dm::update
