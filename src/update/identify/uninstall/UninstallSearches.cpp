// The searches of the uninstall keys: the newest version by name, folder or prefix.
#include "update/identify/uninstall/UninstallSearches.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/files/PathText.h"
#include "update/Version.h"
#include "update/identify/rules/RulePath.h"
#include "update/identify/uninstall/UninstallWalk.h"

#include <functional>
#include <optional>

namespace dm::update {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;

bool isNewer(const std::string& candidate, const std::string& current) {
    return VigilVersion(candidate).IsNewerThan(VigilVersion(current));
}

// "The newest": a value replaces the result only when it is a strictly newer version.
void keepNewest(std::string& result, const std::string& value) {
    if (isNewer(value, result))
        result = value;
}

// The digits and dots of the last run of them in a display name.
std::string trailingNumber(const std::string& displayName) {
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
std::string versionSearch(IdentifyContext& context, const std::string& subRoot, const Pass& pass) {
    std::string result = pass(subRoot);
    if (subRoot.empty() && IsWow64(context.system))
        keepNewest(result, pass(kWow6432Node));
    return result;
}

// A folder search walks the 32-bit view only when the first pass found nothing.
std::string folderSearch(IdentifyContext& context, const std::string& subRoot, const Pass& pass) {
    std::string result = pass(subRoot);
    if (result.empty() && subRoot.empty() && IsWow64(context.system))
        result = pass(kWow6432Node);
    return result;
}

// A folder as the folder match compares it: either delimiter, one trailing delimiter.
std::string folderForMatch(const std::string& folder) {
    return platform::withTrailingDelimiter(registryPath(folder));
}

bool sameFolder(const std::string& registryFolder, const std::string& folder) {
    return SameText(folderForMatch(registryFolder), folderForMatch(folder));
}

std::string folderPart(const std::string& path) {
    return platform::folderOfPath(registryPath(path));
}

bool inFolder(const RegistryKey& entry, const std::string& folder, bool byUninstallString) {
    bool matched = false;
    if (const auto location = plainString(entry, "InstallLocation"))
        matched = sameFolder(*location, folder);
    else if (const auto icon = plainString(entry, "DisPlayIcon"))
        matched = sameFolder(folderPart(*icon), folder);
    if (!matched && byUninstallString)
        if (const auto uninstall = plainString(entry, "UninstallString"))
            matched = sameFolder(folderPart(*uninstall), folder);
    return matched;
}

std::string displayVersionOf(const RegistryKey& entry) {
    return StripVPrefix(stringOrEmpty(entry, "DisplayVersion"));
}

// One pass of a search over HKEY_LOCAL_MACHINE that keeps the newest (or, with keepLast, the
// last) value that take gives.
using Take = std::function<std::optional<std::string>(const RegistryKey&, const std::string&)>;

std::string machinePass(IdentifyContext& context, const std::string& subRoot, bool keepLast,
                        const Take& take) {
    std::string result;
    walkUninstallEntries(context, RegistryRoot::LocalMachine, subRoot, "DisplayName",
                         [&](const RegistryKey& entry, const std::string& displayName) {
                             const auto value = take(entry, displayName);
                             if (value && keepLast)
                                 result = *value;
                             else if (value)
                                 keepNewest(result, *value);
                         });
    return result;
}

std::string firstWord(const std::string& displayName) {
    return GetField(displayName, 0, " -");
}

} // namespace

std::string GetUninstallVersionByName(IdentifyContext& context, const std::string& name,
                                      const std::string& subRoot) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        return machinePass(
            context, root, false, [&](const RegistryKey&, const std::string& displayName) {
                return ContainsText(name, displayName) ? std::optional(trailingNumber(displayName))
                                                       : std::nullopt;
            });
    });
}

std::string GetUninstallVersionAfterDash(IdentifyContext& context, const std::string& prefix,
                                         const std::string& subRoot) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        return machinePass(context, root, true,
                           [&](const RegistryKey&, const std::string& displayName) {
                               if (!StartsText(displayName, prefix))
                                   return std::optional<std::string>();
                               const int last = CountFields(displayName, " -") - 1;
                               return std::optional(trimText(GetField(displayName, last, " -")));
                           });
    });
}

std::string GetUninstallVersionVariant2(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        return machinePass(context, root, true,
                           [&](const RegistryKey&, const std::string& displayName) {
                               return SameText(firstWord(displayName), name)
                                          ? std::optional(GetField(displayName, 1, " -"))
                                          : std::nullopt;
                           });
    });
}

std::string GetUninstallVersionVariant3(IdentifyContext& context, const std::string& name,
                                        const std::string& subRoot) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        return machinePass(context, root, false,
                           [&](const RegistryKey&, const std::string& displayName) {
                               return SameText(firstWord(displayName), name)
                                          ? std::optional(trailingNumber(displayName))
                                          : std::nullopt;
                           });
    });
}

std::string GetUninstallDisplayVersion(IdentifyContext& context, const std::string& name,
                                       const std::string& word, const std::string& subRoot,
                                       WordIs wordIs) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        return machinePass(
            context, root, false, [&](const RegistryKey& entry, const std::string& displayName) {
                return ContainsText(name, displayName) &&
                               ContainsText(word, displayName) == (wordIs == WordIs::Present)
                           ? std::optional(displayVersionOf(entry))
                           : std::nullopt;
            });
    });
}

std::string GetUninstallInfoByName(IdentifyContext& context, RegistryRoot rootKey,
                                   const std::string& name, const std::string& subRoot,
                                   const std::string& folder) {
    return versionSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        walkUninstallEntries(context, rootKey, root, "DisplayName",
                             [&](const RegistryKey& entry, const std::string& displayName) {
                                 if (ContainsText(name, displayName) &&
                                     (folder.empty() || inFolder(entry, folder, true)))
                                     keepNewest(result, displayVersionOf(entry));
                             });
        return result;
    });
}

std::string GetDisplayNameByFolder(IdentifyContext& context, RegistryRoot rootKey,
                                   const std::string& folder, const std::string& subRoot) {
    return folderSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        walkUninstallEntries(context, rootKey, root, "DisplayName",
                             [&](const RegistryKey& entry, const std::string& displayName) {
                                 if (!inFolder(entry, folder, false))
                                     return;
                                 const auto group = plainString(entry, "Inno Setup: Icon Group");
                                 const bool byGroup =
                                     group && !group->empty() && StartsText(displayName, *group);
                                 result = byGroup ? *group : displayName;
                             });
        return result;
    });
}

std::string GetPublisherByFolder(IdentifyContext& context, RegistryRoot rootKey,
                                 const std::string& folder, const std::string& subRoot) {
    return folderSearch(context, subRoot, [&](const std::string& root) {
        std::string result;
        walkUninstallEntries(context, rootKey, root, "Publisher",
                             [&](const RegistryKey& entry, const std::string& publisher) {
                                 if (inFolder(entry, folder, false))
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
    return trimText(s);
}

} // namespace dm::update
