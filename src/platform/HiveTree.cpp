#include "platform/HiveTree.h"

#include <algorithm>

namespace dm::platform {

namespace {

char16_t FoldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? unit + 32 : unit;
}

} // namespace

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::vector<std::u16string> SplitKeyPath(std::string_view path) {
    std::vector<std::u16string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            names.push_back(WidenBytes(path.substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

HiveKey* HiveKey::findSubKey(std::u16string_view wanted) const {
    for (const auto& key : subKeys)
        if (EqualsIgnoringCase(key->name, wanted))
            return key.get();
    return nullptr;
}

HiveKey& HiveKey::subKey(std::u16string_view wanted) {
    if (HiveKey* found = findSubKey(wanted))
        return *found;
    subKeys.push_back(std::make_unique<HiveKey>());
    subKeys.back()->name = wanted;
    return *subKeys.back();
}

bool HiveKey::removeSubKey(std::u16string_view wanted) {
    auto it = std::find_if(subKeys.begin(), subKeys.end(),
                           [&](const auto& key) { return EqualsIgnoringCase(key->name, wanted); });
    if (it == subKeys.end())
        return false;
    subKeys.erase(it);
    return true;
}

const HiveValue* HiveKey::findValue(std::u16string_view wanted) const {
    for (const HiveValue& value : values)
        if (EqualsIgnoringCase(value.name, wanted))
            return &value;
    return nullptr;
}

void HiveKey::setValue(std::u16string_view wanted, const RegistryValue& value) {
    for (HiveValue& existing : values)
        if (EqualsIgnoringCase(existing.name, wanted)) {
            existing.value = value;
            return;
        }
    values.push_back({std::u16string(wanted), value});
}

bool HiveKey::removeValue(std::u16string_view wanted) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const HiveValue& v) { return EqualsIgnoringCase(v.name, wanted); });
    if (it == values.end())
        return false;
    values.erase(it);
    return true;
}

HiveKey* HiveKey::find(const std::vector<std::u16string>& path) {
    HiveKey* key = this;
    for (const std::u16string& name : path)
        if (!(key = key->findSubKey(name)))
            return nullptr;
    return key;
}

const HiveKey* HiveKey::find(const std::vector<std::u16string>& path) const {
    return const_cast<HiveKey*>(this)->find(path);
}

} // namespace dm::platform
