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

std::string settingsKeyOf(const std::string& name) {
    return std::string(MakerKey) + "\\" + name;
}

std::unique_ptr<platform::RegistryKey> makerKey(platform::Registry& registry) {
    return registry.createKey(RegistryRoot::CurrentUser, MakerKey, RegistryAccess::Full);
}

} // namespace

std::string ReadMakerValue(platform::Registry& Registry, const std::string& Name) {
    const auto key = makerKey(Registry);
    if (!key)
        return {};
    const auto value = key->readString(Name);
    if (value.status == ReadStatus::WrongType)
        throw RegistryError("Invalid data type for '" + Name + "'");
    return value.ok() ? value.value : std::string();
}

void WriteMakerValue(platform::Registry& Registry, const std::string& Name,
                     const std::string& Value) {
    const auto key = makerKey(Registry);
    if (!key || !key->writeString(Name, Value)) {
        // The registry's reason, such as a damaged hive, goes into the error report.
        const std::string reason = Registry.lastError();
        throw RegistryError("Failed to set data for '" + Name + "'" +
                            (reason.empty() ? std::string() : " (" + reason + ")"));
    }
}

void DeleteMakerValue(platform::Registry& Registry, const std::string& Name) {
    if (const auto key = makerKey(Registry))
        key->deleteValue(Name);
}

void DeleteMakerKeyIfEmpty(platform::Registry& Registry) {
    auto key = Registry.openKey(RegistryRoot::CurrentUser, MakerKey, RegistryAccess::Full);
    if (!key || !key->subKeyNames().empty() || !key->valueNames().empty())
        return;
    key.reset();
    Registry.deleteKey(RegistryRoot::CurrentUser, MakerKey);
}

void DeleteProductSettingsKey(platform::Registry& Registry, const std::string& Name) {
    Registry.deleteKey(RegistryRoot::CurrentUser, settingsKeyOf(Name));
}

void ImportSettingsIni(platform::Registry& Registry, const std::string& Name,
                       const std::string& IniFile) {
    const platform::IniFile ini(IniFile);
    const auto key =
        Registry.createKey(RegistryRoot::CurrentUser, settingsKeyOf(Name), RegistryAccess::Full);
    if (!key)
        return;
    for (const auto& name : ini.keyNames(kStrings))
        key->writeString(name, ini.readString(kStrings, name, {}, kMaxStringLength));
    for (const auto& name : ini.keyNames(kDwords))
        key->writeDword(name, static_cast<std::uint32_t>(ini.readInteger(kDwords, name, 0)));
}

bool ExportSettingsToIni(platform::Registry& Registry, platform::SystemInfo& System,
                         const std::string& Name, const std::string& IniFile) {
    platform::IniFile ini(IniFile);
    const RegistryView view = IsWow64(System) ? RegistryView::Bits64 : RegistryView::Default;
    const auto key = Registry.createKey(RegistryRoot::CurrentUser, settingsKeyOf(Name),
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
