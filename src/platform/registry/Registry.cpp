// The typed reads and writes of a registry key (strings and DWORDs), and the key test.
#include "platform/registry/Registry.h"

namespace dm::platform {

std::optional<RegType> RegistryKey::valueType(std::string_view name) const {
    if (auto value = readValue(name))
        return value->type;
    return std::nullopt;
}

ReadResult<std::string> RegistryKey::readString(std::string_view name) const {
    auto value = readValue(name);
    if (!value)
        return {};
    if (!value->isString())
        return {ReadStatus::WrongType, {}};
    return {ReadStatus::Ok, value->text()};
}

ReadResult<std::uint32_t> RegistryKey::readDword(std::string_view name) const {
    auto value = readValue(name);
    if (!value)
        return {};
    if (value->type != RegType::Dword || value->data.size() != 4)
        return {ReadStatus::WrongType, 0};
    return {ReadStatus::Ok, value->dword()};
}

Status RegistryKey::writeString(std::string_view name, std::string_view text) {
    return writeValue(name, RegistryValue::string(text));
}

Status RegistryKey::writeExpandString(std::string_view name, std::string_view text) {
    return writeValue(name, RegistryValue::expandString(text));
}

Status RegistryKey::writeDword(std::string_view name, std::uint32_t value) {
    return writeValue(name, RegistryValue::dword(value));
}

bool Registry::keyExists(RegistryRoot root, std::string_view path, RegistryView view) {
    return static_cast<bool>(openKey(root, path, RegistryAccess::Read, view));
}

} // namespace dm::platform
