// The tree of a hive: keys with their values and subkeys, UTF-16 names, a depth limit.
#pragma once

#include "platform/registry/RegistryValue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// Keys may nest at most this deep, as in the Windows registry.
constexpr std::size_t kMaxKeyDepth = 512;

// Names in a hive are UTF-16 as in the Windows registry, so that names this program cannot
// spell in 8-bit text survive a rewrite of the hive.
struct HiveValue {
    std::u16string name;
    RegistryValue value;
};

// One key of a hive with its values and subkeys in creation (file) order. Names are matched
// without regard to ASCII case; subkeys and values are found through an index, as a key may hold
// thousands of either (an uninstall key, a key that some tool filled with settings).
class HiveKey {
public:
    std::u16string name;
    std::string stamp;             // what follows the key's section header, such as its time
    std::vector<std::string> meta; // "#..." lines under the section header, kept as they are

    const std::vector<HiveValue>& values() const { return values_; }

    const std::vector<std::unique_ptr<HiveKey>>& subKeys() const { return subKeys_; }
    HiveKey* findSubKey(std::u16string_view name) const;
    HiveKey& subKey(std::u16string_view name); // found or appended
    bool removeSubKey(std::u16string_view name);

    const HiveValue* findValue(std::u16string_view name) const;
    void setValue(std::u16string_view name, RegistryValue value);
    bool removeValue(std::u16string_view name);

    // The key at a path of names below this one; nullptr when a name is missing.
    HiveKey* find(const std::vector<std::u16string>& path);
    const HiveKey* find(const std::vector<std::u16string>& path) const;

private:
    std::vector<std::unique_ptr<HiveKey>> subKeys_;
    // Subkeys and values are indexed by open addressing on their folded names: a slot holds the
    // name's hash in its upper 32 bits and a position plus one in its lower ones, 0 when empty.
    // This keeps no copy of the names, so that a key of a million values costs little more than
    // the values themselves; the stored hash spares most name comparisons and every rehash.
    std::size_t subKeySlot(std::u16string_view name, std::uint32_t hash) const;
    std::vector<std::uint64_t> subKeySlots_;
    std::size_t valueSlot(std::u16string_view name, std::uint32_t hash) const;
    void indexValues(std::size_t slotCount); // from the names
    std::vector<HiveValue> values_;
    std::vector<std::uint64_t> valueSlots_;
};

// A whole hive: the lines before the first key (format line, comments, options) and the tree.
struct Hive {
    std::vector<std::string> header;
    HiveKey root;
};

// Lays from over into: from's values replace into's values of the same name, and from's subkeys
// are laid over into's subkeys of the same name (made when missing).
void overlayKey(HiveKey& into, const HiveKey& from);

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

// "Software\\Maker\\" as names; empty names are dropped.
std::vector<std::u16string> splitKeyPath(std::string_view path);

} // namespace dm::platform
