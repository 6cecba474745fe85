// The listing of the uninstall entries' display names and the installed-software test.
#include "update/identify/uninstall/UninstallSearches.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "update/identify/uninstall/UninstallWalk.h"

#include <algorithm>

namespace dm::update {

namespace {

using platform::RegistryRoot;

// The heading and error lines name a root this way.
std::string rootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
}

void listKey(IdentifyContext& context, RegistryRoot root, const std::string& path,
             bool reportMissingKey, UninstallListing& listing) {
    const auto view = uninstallView(context);
    const auto key = context.registry.openKey(root, path, platform::RegistryAccess::Read, view);
    if (!key) {
        if (reportMissingKey)
            listing.Errors.push_back("Unable to open " + rootName(root) + path);
        return;
    }
    for (const auto& name : key->subKeyNames()) {
        const auto entry = context.registry.openKey(root, path + name + "\\",
                                                    platform::RegistryAccess::Read, view);
        if (!entry) {
            listing.Errors.push_back("Unable to open " + rootName(root) + path + name);
            continue;
        }
        listing.Names.push_back(plainString(*entry, "DisplayName").value_or(name));
    }
}

} // namespace

UninstallListing ListUninstallDisplayNames(IdentifyContext& context) {
    UninstallListing listing;
    const std::string native = uninstallKeyPath("");
    if (context.registry.keyExists(RegistryRoot::CurrentUser, native, uninstallView(context))) {
        listing.Names.push_back(rootName(RegistryRoot::CurrentUser) + native);
        listKey(context, RegistryRoot::CurrentUser, native, true, listing);
    }
    listing.Names.push_back(rootName(RegistryRoot::LocalMachine) + native);
    listKey(context, RegistryRoot::LocalMachine, native, true, listing);
    // The 32-bit view's key normally exists only on a 64-bit system.
    const std::string bits32 = uninstallKeyPath(kWow6432Node);
    listing.Names.push_back(rootName(RegistryRoot::LocalMachine) + bits32);
    listKey(context, RegistryRoot::LocalMachine, bits32, IsWow64(context.system), listing);
    return listing;
}

bool IsSoftwareInstalled(IdentifyContext& context, const std::string& prefix) {
    const auto names = ListUninstallDisplayNames(context).Names;
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& line) { return StartsText(line, prefix); });
}

} // namespace dm::update
