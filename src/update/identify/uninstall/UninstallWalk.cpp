// The walk over an uninstall key that the searches share, in the view the system needs.
#include "update/identify/uninstall/UninstallWalk.h"

#include "framework/SystemQueries.h"

namespace dm::update {

std::string uninstallKeyPath(const std::string& subRoot) {
    return "SOFTWARE\\" + subRoot + "Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
}

platform::RegistryView uninstallView(IdentifyContext& context) {
    return IsWow64(context.system) ? platform::RegistryView::Bits64
                                   : platform::RegistryView::Default;
}

std::optional<std::string> plainString(const platform::RegistryKey& key, const std::string& name) {
    if (key.valueType(name) != platform::RegType::Sz)
        return std::nullopt;
    return key.readString(name).value;
}

std::string stringOrEmpty(const platform::RegistryKey& key, const std::string& name) {
    const auto read = key.readString(name);
    return read.ok() ? read.value : std::string();
}

void walkUninstallEntries(IdentifyContext& context, platform::RegistryRoot root,
                          const std::string& subRoot, const std::string& valueName,
                          const std::function<void(const platform::RegistryKey& entry,
                                                   const std::string& value)>& visit) {
    const auto view = uninstallView(context);
    const std::string path = uninstallKeyPath(subRoot);
    const auto key = context.registry.openKey(root, path, platform::RegistryAccess::Read, view);
    if (!key)
        return;
    for (const auto& name : key->subKeyNames()) {
        const auto entry = context.registry.openKey(root, path + name + "\\",
                                                    platform::RegistryAccess::Read, view);
        if (!entry)
            continue;
        if (const auto value = plainString(*entry, valueName))
            visit(*entry, *value);
    }
}

} // namespace dm::update
