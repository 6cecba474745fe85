#include "platform/registry/HiveTree.h"

#include <algorithm>

namespace dm::platform {

namespace {

char16_t foldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? unit + 32 : unit;
}

} // namespace

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldAscii(x) == foldAscii(y); });
}

std::vector<std::u16string> splitKeyPath(std::string_view path) {
    std::vector<std::u16string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            names.push_back(widenBytes(path.substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

namespace {

std::u16string folded(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& unit : folded)
        unit = foldAscii(unit);
    return folded;
}

} // namespace

HiveKey* HiveKey::findSubKey(std::u16string_view wanted) const {
    auto it = index_.find(folded(wanted));
    return it == index_.end() ? nullptr : subKeys_[it->second].get();
}

HiveKey& HiveKey::subKey(std::u16string_view wanted) {
    auto [it, added] = index_.try_emplace(folded(wanted), subKeys_.size());
    if (added) {
        subKeys_.push_back(std::make_unique<HiveKey>());
        subKeys_.back()->name = wanted;
    }
    return *subKeys_[it->second];
}

bool HiveKey::removeSubKey(std::u16string_view wanted) {
    auto it = index_.find(folded(wanted));
    if (it == index_.end())
        return false;
    subKeys_.erase(subKeys_.begin() + static_cast<std::ptrdiff_t>(it->second));
    index_.clear();
    for (std::size_t i = 0; i < subKeys_.size(); ++i)
        index_.emplace(folded(subKeys_[i]->name), i);
    return true;
}

const HiveValue* HiveKey::findValue(std::u16string_view wanted) const {
    for (const HiveValue& value : values)
        if (equalsIgnoringCase(value.name, wanted))
            return &value;
    return nullptr;
}

void HiveKey::setValue(std::u16string_view wanted, const RegistryValue& value) {
    for (HiveValue& existing : values)
        if (equalsIgnoringCase(existing.name, wanted)) {
            existing.value = value;
            return;
        }
    values.push_back({std::u16string(wanted), value});
}

bool HiveKey::removeValue(std::u16string_view wanted) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const HiveValue& v) { return equalsIgnoringCase(v.name, wanted); });
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

void overlayKey(HiveKey& into, const HiveKey& from) {
    for (const HiveValue& value : from.values)
        into.setValue(value.name, value.value);
    for (const auto& sub : from.subKeys())
        overlayKey(into.subKey(sub->name), *sub);
}

} // namespace dm::platform
