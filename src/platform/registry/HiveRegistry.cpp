#include "platform/registry/HiveRegistry.h"

#include <chrono>
#include <cstdio>

namespace dm::platform {

namespace {

// The names of a key path in the requested view: the 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE
// is its Wow6432Node subkey.
std::vector<std::u16string> resolvePath(RegistryRoot root, std::string_view path,
                                        RegistryView view) {
    std::vector<std::u16string> names = splitKeyPath(path);
    if (root == RegistryRoot::LocalMachine && view == RegistryView::Bits32 && !names.empty() &&
        equalsIgnoringCase(names[0], u"SOFTWARE") &&
        (names.size() < 2 || !equalsIgnoringCase(names[1], u"Wow6432Node")))
        names.insert(names.begin() + 1, u"Wow6432Node");
    return names;
}

// Marks a key as changed now: its section stamp (seconds since 1970) and any "#time=" line
// (100-nanosecond units since 1601).
void touch(HiveKey& key) {
    using namespace std::chrono;
    const long long seconds =
        duration_cast<std::chrono::seconds>(system_clock::now().time_since_epoch()).count();
    key.stamp = std::to_string(seconds);
    for (std::string& line : key.meta)
        if (line.rfind("#time=", 0) == 0) {
            char text[32];
            std::snprintf(text, sizeof text, "#time=%llx",
                          static_cast<unsigned long long>(seconds + 11644473600LL) * 10000000ULL);
            line = text;
        }
}

} // namespace

class HiveRegistryKey : public RegistryKey {
public:
    HiveRegistryKey(HiveRegistry& registry, RegistryRoot root, std::vector<std::u16string> path,
                    RegistryAccess access)
        : registry_(registry), root_(root), path_(std::move(path)), access_(access) {}

    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        if (const HiveKey* key = registry_.findKey(root_, path_))
            for (const HiveValue& value : key->values)
                names.push_back(narrowUnits(value.name));
        return names;
    }

    std::vector<std::string> subKeyNames() const override {
        std::vector<std::string> names;
        if (const HiveKey* key = registry_.findKey(root_, path_))
            for (const auto& sub : key->subKeys())
                names.push_back(narrowUnits(sub->name));
        return names;
    }

    bool hasValue(std::string_view name) const override {
        const HiveKey* key = registry_.findKey(root_, path_);
        return key && key->findValue(widenBytes(name));
    }

    std::optional<RegistryValue> readValue(std::string_view name) const override {
        const HiveKey* key = registry_.findKey(root_, path_);
        const HiveValue* value = key ? key->findValue(widenBytes(name)) : nullptr;
        if (!value)
            return std::nullopt;
        return value->value;
    }

    bool writeValue(std::string_view name, const RegistryValue& value) override {
        if (!writable())
            return false;
        return registry_.change(root_, path_,
                                [&](HiveKey& key) { key.setValue(widenBytes(name), value); });
    }

    bool deleteValue(std::string_view name) override {
        if (!writable())
            return false;
        const HiveKey* key = registry_.findKey(root_, path_);
        if (key && !key->findValue(widenBytes(name)))
            return true;
        return registry_.change(root_, path_,
                                [&](HiveKey& key) { key.removeValue(widenBytes(name)); });
    }

private:
    bool writable() const {
        if (access_ == RegistryAccess::Full)
            return true;
        registry_.fail("the key was opened for reading only");
        return false;
    }

    HiveRegistry& registry_;
    RegistryRoot root_;
    std::vector<std::u16string> path_;
    RegistryAccess access_;
};

HiveRegistry::HiveRegistry(std::unique_ptr<HiveStore> store) : store_(std::move(store)) {}

const HiveKey* HiveRegistry::findKey(RegistryRoot root, const std::vector<std::u16string>& path) {
    const Hive* hive = store_->read(root);
    if (!hive) {
        fail(store_->error());
        return nullptr;
    }
    return hive->root.find(path);
}

bool HiveRegistry::change(RegistryRoot root, const std::vector<std::u16string>& path,
                          const std::function<void(HiveKey&)>& edit) {
    bool found = true;
    const bool stored = store_->modify(root, [&](Hive& hive) {
        HiveKey* key = hive.root.find(path);
        if (!key)
            return found = false;
        edit(*key);
        touch(*key);
        return true;
    });
    if (!stored)
        fail(found ? store_->error() : "the key has been deleted");
    return stored;
}

std::unique_ptr<RegistryKey> HiveRegistry::openKey(RegistryRoot root, std::string_view path,
                                                   RegistryAccess access, RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    if (!findKey(root, names)) {
        if (store_->read(root))
            fail("the key does not exist");
        return nullptr;
    }
    return std::make_unique<HiveRegistryKey>(*this, root, std::move(names), access);
}

std::unique_ptr<RegistryKey> HiveRegistry::createKey(RegistryRoot root, std::string_view path,
                                                     RegistryAccess access, RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    if (names.size() > kMaxKeyDepth) {
        fail("keys nested too deep");
        return nullptr;
    }
    if (!findKey(root, names)) {
        const bool stored = store_->modify(root, [&](Hive& hive) {
            HiveKey* key = &hive.root;
            for (const std::u16string& name : names) {
                if (HiveKey* sub = key->findSubKey(name)) {
                    key = sub;
                    continue;
                }
                key = &key->subKey(name);
                touch(*key);
            }
            return true;
        });
        if (!stored) {
            fail(store_->error());
            return nullptr;
        }
    }
    return std::make_unique<HiveRegistryKey>(*this, root, std::move(names), access);
}

bool HiveRegistry::deleteKey(RegistryRoot root, std::string_view path, RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    if (names.empty()) {
        fail("a root key cannot be deleted");
        return false;
    }
    const Hive* hive = store_->read(root);
    if (!hive) {
        fail(store_->error());
        return false;
    }
    if (!hive->root.find(names))
        return true;
    const bool stored = store_->modify(root, [&](Hive& hive) {
        std::vector<std::u16string> parentPath(names.begin(), names.end() - 1);
        if (HiveKey* parent = hive.root.find(parentPath))
            parent->removeSubKey(names.back());
        return true;
    });
    if (!stored)
        fail(store_->error());
    return stored;
}

} // namespace dm::platform
