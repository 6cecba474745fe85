#include "update/identify/UninstallSearches.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/PathText.h"
#include "update/Version.h"
#include "update/identify/RulePath.h"
#include "update/identify/UninstallWalk.h"

#include <algorithm>
#include <functional>

namespace dm::update {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;

// The heading and error lines name a root this way.
std::string RootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
}

void ListKey(IdentifyContext& context, RegistryRoot root, const std::string& path,
             bool reportMissingKey, UninstallListing& listing) {
    const auto view = UninstallView(context);
    const auto key = context.registry.openKey(root, path, platform::RegistryAccess::Read, view);
    if (!key) {
        if (reportMissingKey)
            listing.Errors.push_back("Unable to open " + RootName(root) + path);
        return;
    }
    for (const auto& name : key->subKeyNames()) {
        const auto entry = context.registry.openKey(root, path + name + "\\",
                                                    platform::RegistryAccess::Read, view);
        if (!entry) {
            listing.Errors.push_back("Unable to open " + RootName(root) + path + name);
            continue;
        }
        listing.Names.push_back(PlainString(*entry, "DisplayName").value_or(name));
    }
}

bool IsNewer(const std::string& candidate, const std::string& current) {
    return VigilVersion(candidate).IsNewerThan(VigilVersion(current));
}

// "The newest": a value replaces the result only when it is a strictly newer version.
void KeepNewest(std::string& result, const std::string& value) {
    if (IsNewer(value, result))
        result = value;
}

// The digits and dots of the last run of them in a display name.
std::string TrailingNumber(const std::string& displayName) {
    const auto isPart = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
    std::size_t end = displayName.size();
    while (end > 0 && !isPart(displayName[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && isPart(displayName[begin - 1]))
        --begin;
    return displayName.substr(begin, end - begin);
}

using Pass = std::function<std::string(const std::string& subRoot)>;

// A version search called with an empty subRoot under WOW64 also walks the 32-bit view; that
// pass wins when it found a strictly newer version.
std::string VersionSearch(IdentifyContext& context, const std::string& subRoot, const Pass& pass) {
    std::string result = pass(subRoot);
    if (subRoot.empty() && IsWow64(context.system))
        KeepNewest(result, pass(kWow6432Node));
    return result;
}

// A folder search walks the 32-bit view only when the first pass found nothing.
std::string FolderSearch(IdentifyContext& context, const std::string& subRoot, const Pass& pass) {
    std::string result = pass(subRoot);
    if (result.empty() && subRoot.empty() && IsWow64(context.system))
        result = pass(kWow6432Node);
    return result;
}

// A folder as the folder match compares it: either delimiter, one trailing delimiter.
std::string FolderForMatch(const std::string& folder) {
    return platform::WithTrailingDelimiter(RegistryPath(folder));
}

bool SameFolder(const std::string& registryFolder, const std::string& folder) {
    return SameText(FolderForMatch(registryFolder), FolderForMatch(folder));
}

std::string FolderPart(const std::string& path) {
    return platform::FolderOfPath(RegistryPath(path));
}

bool InFolder(const RegistryKey& entry, const std::string& folder, bool byUninstallString) {
    bool matched = false;
    if (const auto location = PlainString(entry, "InstallLocation"))
        matched = SameFolder(*location, folder);
    else if (const auto icon = PlainString(entry, "DisPlayIcon"))
        matched = SameFolder(FolderPart(*icon), folder);
    if (!matched && byUninstallString)
        if (const auto uninstall = PlainString(entry, "UninstallString"))
            matched = SameFolder(FolderPart(*uninstall), folder);
    return matched;
}

std::string DisplayVersionOf(const RegistryKey& entry) {
    return StripVPrefix(StringOrEmpty(entry, "DisplayVersion"));
}

// One pass of a search over HKEY_LOCAL_MACHINE that keeps the newest (or, with keepLast, the
// last) value that take gives.
using Take = std::function<std::optional<std::string>(const RegistryKey&, const std::string&)>;

std::string MachinePass(IdentifyContext& context, const std::string& subRoot, bool keepLast,
                        const Take& take) {
    std::string result;
    WalkUninstallEntries(context, RegistryRoot::LocalMachine, subRoot, "DisplayName",
                         [&](const RegistryKey& entry, const std::string& displayName) {
                             const auto value = take(entry, displayName);
                             if (value && keepLast)
                                 result = *value;
                             else if (value)
                                 KeepNewest(result, *value);
                         });
    return result;
}

std::string FirstWord(const std::string& displayName) {
    return GetField(displayName, 0, " -");
}

} // namespace

UninstallListing ListUninstallDisplayNames(IdentifyContext& context) {
    UninstallListing listing;
    const std::string native = UninstallKeyPath("");
    if (context.registry.keyExists(RegistryRoot::CurrentUser, native, UninstallView(context))) {
        listing.Names.push_back(RootName(RegistryRoot::CurrentUser) + native);
        ListKey(context, RegistryRoot::CurrentUser, native, true, listing);
    }
    listing.Names.push_back(RootName(RegistryRoot::LocalMachine) + native);
    ListKey(context, RegistryRoot::LocalMachine, native, true, listing);
    // The 32-bit view's key normally exists only on a 64-bit system.
    const std::string bits32 = UninstallKeyPath(kWow6432Node);
    listing.Names.push_back(RootName(RegistryRoot::LocalMachine) + bits32);
    ListKey(context, RegistryRoot::LocalMachine, bits32, IsWow64(context.system), listing);
    return listing;
}

bool IsSoftwareInstalled(IdentifyContext& context, const std::string& prefix) {
    const auto names = ListUninstallDisplayNames(context).Names;
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& line) { return StartsText(line, prefix); });
}

std::string GetUninstallVersionByName(IdentifyContext& context, const std::string& name,
                                      const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(
            context, root, false, [&](const RegistryKey&, const std::string& displayName) {
                return ContainsText(name, displayName) ? std::optional(TrailingNumber(displayName))
                                                       : std::nullopt;
            });
    });
}

std::string GetUninstallVersionAfterDash(IdentifyContext& context, const std::string& prefix,
                                         const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(context, root, true,
                           [&](const RegistryKey&, const std::string& displayName) {
                               if (!StartsText(displayName, prefix))
                                   return std::optional<std::string>();
                               const int last = CountFields(displayName, " -") - 1;
                               return std::optional(TrimText(GetField(displayName, last, " -")));
                           });
    });
}

std::string GetUninstallVersionVariant2(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(context, root, true,
                           [&](const RegistryKey&, const std::string& displayName) {
                               return SameText(FirstWord(displayName), name)
                                          ? std::optional(GetField(displayName, 1, " -"))
                                          : std::nullopt;
                           });
    });
}

std::string GetUninstallVersionVariant3(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(context, root, false,
                           [&](const RegistryKey&, const std::string& displayName) {
                               return SameText(FirstWord(displayName), name)
                                          ? std::optional(TrailingNumber(displayName))
                                          : std::nullopt;
                           });
    });
}

std::string GetUninstallDisplayVersion(IdentifyContext& context, const std::string& name,
                                       const std::string& word, const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(
            context, root, false, [&](const RegistryKey& entry, const std::string& displayName) {
                return ContainsText(name, displayName) && ContainsText(word, displayName)
                           ? std::optional(DisplayVersionOf(entry))
                           : std::nullopt;
            });
    });
}

std::string GetUninstallDisplayVersion2(IdentifyContext& context, const std::string& name,
                                        const std::string& word, const std::string& subRoot) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        return MachinePass(
            context, root, false, [&](const RegistryKey& entry, const std::string& displayName) {
                return ContainsText(name, displayName) && !ContainsText(word, displayName)
                           ? std::optional(DisplayVersionOf(entry))
                           : std::nullopt;
            });
    });
}

std::string GetUninstallInfoByName(IdentifyContext& context, RegistryRoot rootKey,
                                   const std::string& name, const std::string& subRoot,
                                   const std::string& folder) {
    return VersionSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        WalkUninstallEntries(context, rootKey, root, "DisplayName",
                             [&](const RegistryKey& entry, const std::string& displayName) {
                                 if (ContainsText(name, displayName) &&
                                     (folder.empty() || InFolder(entry, folder, true)))
                                     KeepNewest(result, DisplayVersionOf(entry));
                             });
        return result;
    });
}

std::string GetDisplayNameByFolder(IdentifyContext& context, RegistryRoot rootKey,
                                   const std::string& folder, const std::string& subRoot) {
    return FolderSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        WalkUninstallEntries(context, rootKey, root, "DisplayName",
                             [&](const RegistryKey& entry, const std::string& displayName) {
                                 if (!InFolder(entry, folder, false))
                                     return;
                                 const auto group = PlainString(entry, "Inno Setup: Icon Group");
                                 const bool byGroup =
                                     group && !group->empty() && StartsText(displayName, *group);
                                 result = byGroup ? *group : displayName;
                             });
        return result;
    });
}

std::string GetPublisherByFolder(IdentifyContext& context, RegistryRoot rootKey,
                                 const std::string& folder, const std::string& subRoot) {
    return FolderSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        WalkUninstallEntries(context, rootKey, root, "Publisher",
                             [&](const RegistryKey& entry, const std::string& publisher) {
                                 if (InFolder(entry, folder, false))
                                     result = publisher;
                             });
        return result;
    });
}

std::string FindUninstallVersionInFolder(IdentifyContext& context, const std::string& name,
                                         const std::string& subRoot, const std::string& folder) {
    std::string result =
        GetUninstallInfoByName(context, RegistryRoot::LocalMachine, name, subRoot, folder);
    if (result.empty())
        result = GetUninstallInfoByName(context, RegistryRoot::CurrentUser, name, subRoot, folder);
    return result;
}

std::string FindUninstallVersion(IdentifyContext& context, const std::string& name,
                                 const std::string& subRoot) {
    return FindUninstallVersionInFolder(context, name, subRoot, "");
}

std::string FindDisplayNameByFolder(IdentifyContext& context, const std::string& folder,
                                    const std::string& subRoot) {
    std::string result =
        GetDisplayNameByFolder(context, RegistryRoot::LocalMachine, folder, subRoot);
    if (result.empty())
        result = GetDisplayNameByFolder(context, RegistryRoot::CurrentUser, folder, subRoot);
    return result;
}

std::string FindPublisherByFolder(IdentifyContext& context, const std::string& folder,
                                  const std::string& subRoot) {
    std::string result = GetPublisherByFolder(context, RegistryRoot::LocalMachine, folder, subRoot);
    if (result.empty())
        result = GetPublisherByFolder(context, RegistryRoot::CurrentUser, folder, subRoot);
    return result;
}

std::string StripVPrefix(const std::string& text) {
    std::string s = text;
    if (!s.empty() && (s.front() == 'v' || s.front() == 'V'))
        s.erase(0, 1);
    return TrimText(s);
}

} // namespace dm::update
