// The maker's and the program's registry keys, and the settings.ini import and export.
#include "framework/SettingsStore.h"

#include "framework/SystemQueries.h"
#include "platform/ini/IniFile.h"

namespace dm {

using platform::ReadStatus;
using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryView;
using platform::RegType;

namespace {

constexpr const char* kStrings = "Settings";
constexpr const char* kDwords = "Settings_DWORD";
constexpr std::size_t kMaxStringLength = 2047;

platform::KeyResult makerKey(platform::Registry& registry) {
    return registry.createKey(RegistryRoot::CurrentUser, kMakerKey, RegistryAccess::Full);
}

} // namespace

std::string settingsKeyOf(const std::string& name) {
    return std::string(kMakerKey) + "\\" + name;
}

std::string ReadMakerValue(platform::Registry& registry, const std::string& name) {
    const auto key = makerKey(registry);
    if (!key)
        return {};
    const auto value = key->readString(name);
    if (value.status == ReadStatus::WrongType)
        throw RegistryError("Invalid data type for '" + name + "'");
    return value.ok() ? value.value : std::string();
}

void WriteMakerValue(platform::Registry& registry, const std::string& name,
                     const std::string& value) {
    const auto key = makerKey(registry);
    const platform::Status written =
        key ? key->writeString(name, value) : platform::Status(key.failure());
    if (!written) {
        // The registry's reason, such as a damaged hive, goes into the error report.
        const std::string& reason = written.error();
        throw RegistryError("Failed to set data for '" + name + "'" +
                            (reason.empty() ? std::string() : " (" + reason + ")"));
    }
}

void DeleteMakerValue(platform::Registry& registry, const std::string& name) {
    // These clean-ups raise nothing and report nothing: a value or key that stays is no error.
    if (const auto key = makerKey(registry))
        (void)key->deleteValue(name);
}

void DeleteMakerKeyIfEmpty(platform::Registry& registry) {
    auto key = registry.openKey(RegistryRoot::CurrentUser, kMakerKey, RegistryAccess::Full);
    if (!key || !key->subKeyNames().empty() || !key->valueNames().empty())
        return;
    key.reset();
    (void)registry.deleteKey(RegistryRoot::CurrentUser, kMakerKey);
}

void DeleteProductSettingsKey(platform::Registry& registry, const std::string& name) {
    (void)registry.deleteKey(RegistryRoot::CurrentUser, settingsKeyOf(name));
}

void ImportSettingsIni(platform::Registry& registry, const std::string& name,
                       const std::string& iniFile) {
    const platform::IniFile ini(iniFile);
    const auto key =
        registry.createKey(RegistryRoot::CurrentUser, settingsKeyOf(name), RegistryAccess::Full);
    if (!key)
        return;
    // The import is best effort: a value that cannot be written is skipped, the others still go.
    for (const auto& name : ini.keyNames(kStrings))
        (void)key->writeString(name, ini.readString(kStrings, name, {}, kMaxStringLength));
    for (const auto& name : ini.keyNames(kDwords))
        (void)key->writeDword(name, static_cast<std::uint32_t>(ini.readInteger(kDwords, name, 0)));
}

bool ExportSettingsToIni(platform::Registry& registry, platform::SystemInfo& system,
                         const std::string& name, const std::string& iniFile) {
    platform::IniFile ini(iniFile);
    const RegistryView view = IsWow64(system) ? RegistryView::Bits64 : RegistryView::Default;
    const auto key = registry.createKey(RegistryRoot::CurrentUser, settingsKeyOf(name),
                                        RegistryAccess::Read, view);
    if (!key)
        return false;
    for (const auto& name : key->valueNames()) {
        const auto type = key->valueType(name);
        if (type == RegType::Sz) {
            const auto text = key->readString(name);
            if (!text.ok() || !ini.writeString(kStrings, name, text.value))
                return false;
        } else if (type == RegType::Dword) {
            const auto number = key->readDword(name);
            if (!number.ok() ||
                !ini.writeInteger(kDwords, name, static_cast<std::int32_t>(number.value)))
                return false;
        }
    }
    return true;
}

} // namespace dm
