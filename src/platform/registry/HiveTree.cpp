#include "platform/registry/HiveTree.h"

#include <algorithm>
#include <cstdint>

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

namespace {

std::uint32_t foldedHash(std::u16string_view name) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a, then mixed so every bit counts
    for (const char16_t unit : name)
        hash = (hash ^ foldAscii(unit)) * 1099511628211ull;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash);
}

constexpr std::uint64_t kPositionMask = 0xFFFFFFFFull;

std::uint64_t slotEntry(std::uint32_t hash, std::size_t position) {
    return std::uint64_t{hash} << 32 | (position + 1);
}

} // namespace

std::size_t HiveKey::valueSlot(std::u16string_view wanted, std::uint32_t hash) const {
    const std::size_t mask = valueSlots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = valueSlots_[slot];
        if (entry == 0 || ((entry >> 32) == hash &&
                           equalsIgnoringCase(values_[(entry & kPositionMask) - 1].name, wanted)))
            return slot;
    }
}

void HiveKey::indexValues(std::size_t slotCount) {
    valueSlots_.assign(slotCount, 0);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const std::uint32_t hash = foldedHash(values_[i].name);
        valueSlots_[valueSlot(values_[i].name, hash)] = slotEntry(hash, i);
    }
}

void HiveKey::growValueSlots() {
    std::vector<std::uint64_t> old(std::max<std::size_t>(8, 2 * valueSlots_.size()), 0);
    old.swap(valueSlots_);
    const std::size_t mask = valueSlots_.size() - 1;
    // The names differ from one another, so each entry goes to the first empty slot.
    for (const std::uint64_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = (entry >> 32) & mask;
        while (valueSlots_[slot] != 0)
            slot = (slot + 1) & mask;
        valueSlots_[slot] = entry;
    }
}

const HiveValue* HiveKey::findValue(std::u16string_view wanted) const {
    if (values_.empty())
        return nullptr;
    const std::uint64_t entry = valueSlots_[valueSlot(wanted, foldedHash(wanted))];
    return entry == 0 ? nullptr : &values_[(entry & kPositionMask) - 1];
}

void HiveKey::setValue(std::u16string_view wanted, RegistryValue value) {
    // At most half the slots are used, so that a search ends soon at an empty one.
    if (2 * (values_.size() + 1) > valueSlots_.size())
        growValueSlots();
    const std::uint32_t hash = foldedHash(wanted);
    const std::size_t slot = valueSlot(wanted, hash);
    if (valueSlots_[slot] != 0) {
        values_[(valueSlots_[slot] & kPositionMask) - 1].value = std::move(value);
        return;
    }
    values_.push_back({std::u16string(wanted), std::move(value)});
    valueSlots_[slot] = slotEntry(hash, values_.size() - 1);
}

bool HiveKey::removeValue(std::u16string_view wanted) {
    const HiveValue* found = findValue(wanted);
    if (!found)
        return false;
    values_.erase(values_.begin() + (found - values_.data()));
    indexValues(valueSlots_.size());
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
    for (const HiveValue& value : from.values())
        into.setValue(value.name, value.value);
    for (const auto& sub : from.subKeys())
        overlayKey(into.subKey(sub->name), *sub);
}

} // namespace dm::platform
