// The keys of a hive: values and subkeys found by name, ignoring ASCII case, through an index.
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

// The slot that holds the name, or the empty one where it would go.
template <class NameAt>
std::size_t findSlot(const std::vector<std::uint64_t>& slots, std::u16string_view wanted,
                     std::uint32_t hash, NameAt nameAt) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = slots[slot];
        if (entry == 0 || ((entry >> 32) == hash &&
                           equalsIgnoringCase(nameAt((entry & kPositionMask) - 1), wanted)))
            return slot;
    }
}

// Twice the slots (at least 8), the entries placed again from their stored hashes; the names
// differ from one another, so each goes to the first empty slot.
void growSlots(std::vector<std::uint64_t>& slots) {
    std::vector<std::uint64_t> old(std::max<std::size_t>(8, 2 * slots.size()), 0);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (const std::uint64_t entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = (entry >> 32) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
}

} // namespace

std::size_t HiveKey::subKeySlot(std::u16string_view wanted, std::uint32_t hash) const {
    return findSlot(subKeySlots_, wanted, hash,
                    [this](std::size_t i) -> std::u16string_view { return subKeys_[i]->name; });
}

HiveKey* HiveKey::findSubKey(std::u16string_view wanted) const {
    if (subKeys_.empty())
        return nullptr;
    const std::uint64_t entry = subKeySlots_[subKeySlot(wanted, foldedHash(wanted))];
    return entry == 0 ? nullptr : subKeys_[(entry & kPositionMask) - 1].get();
}

HiveKey& HiveKey::subKey(std::u16string_view wanted) {
    if (2 * (subKeys_.size() + 1) > subKeySlots_.size())
        growSlots(subKeySlots_);
    const std::uint32_t hash = foldedHash(wanted);
    const std::size_t slot = subKeySlot(wanted, hash);
    if (subKeySlots_[slot] == 0) {
        subKeys_.push_back(std::make_unique<HiveKey>());
        subKeys_.back()->name = wanted;
        subKeySlots_[slot] = slotEntry(hash, subKeys_.size() - 1);
    }
    return *subKeys_[(subKeySlots_[slot] & kPositionMask) - 1];
}

bool HiveKey::removeSubKey(std::u16string_view wanted) {
    HiveKey* found = findSubKey(wanted);
    if (!found)
        return false;
    subKeys_.erase(std::find_if(subKeys_.begin(), subKeys_.end(),
                                [found](const auto& sub) { return sub.get() == found; }));
    subKeySlots_.assign(subKeySlots_.size(), 0);
    for (std::size_t i = 0; i < subKeys_.size(); ++i) {
        const std::uint32_t hash = foldedHash(subKeys_[i]->name);
        subKeySlots_[subKeySlot(subKeys_[i]->name, hash)] = slotEntry(hash, i);
    }
    return true;
}

std::size_t HiveKey::valueSlot(std::u16string_view wanted, std::uint32_t hash) const {
    return findSlot(valueSlots_, wanted, hash,
                    [this](std::size_t i) -> std::u16string_view { return values_[i].name; });
}

void HiveKey::indexValues(std::size_t slotCount) {
    valueSlots_.assign(slotCount, 0);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const std::uint32_t hash = foldedHash(values_[i].name);
        valueSlots_[valueSlot(values_[i].name, hash)] = slotEntry(hash, i);
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
        growSlots(valueSlots_);
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
