// The registry over a store of hives: key paths, the 32-bit view, and keys opened, made, deleted.
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
            for (const HiveValue& value : key->values())
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

    Status writeValue(std::string_view name, const RegistryValue& value) override {
        if (Status allowed = writable(); !allowed)
            return allowed;
        return registry_.change(root_, path_,
                                [&](HiveKey& key) { key.setValue(widenBytes(name), value); });
    }

    Status deleteValue(std::string_view name) override {
        if (Status allowed = writable(); !allowed)
            return allowed;
        const HiveKey* key = registry_.findKey(root_, path_);
        if (key && !key->findValue(widenBytes(name)))
            return {};
        return registry_.change(root_, path_,
                                [&](HiveKey& key) { key.removeValue(widenBytes(name)); });
    }

private:
    Status writable() const {
        if (access_ == RegistryAccess::Full)
            return {};
        return Failure::refused("the key was opened for reading only");
    }

    HiveRegistry& registry_;
    RegistryRoot root_;
    std::vector<std::u16string> path_;
    RegistryAccess access_;
};

HiveRegistry::HiveRegistry(std::unique_ptr<HiveStore> store) : store_(std::move(store)) {}

const HiveKey* HiveRegistry::findKey(RegistryRoot root, const std::vector<std::u16string>& path) {
    const Result<const Hive*> hive = store_->read(root);
    return hive ? (*hive)->root.find(path) : nullptr;
}

Status HiveRegistry::change(RegistryRoot root, const std::vector<std::u16string>& path,
                            const std::function<void(HiveKey&)>& edit) {
    bool found = true;
    const Status stored = store_->modify(root, [&](Hive& hive) {
        HiveKey* key = hive.root.find(path);
        if (!key)
            return found = false;
        edit(*key);
        touch(*key);
        return true;
    });
    if (!stored && !found)
        return Failure::notFound("the key has been deleted");
    return stored;
}

KeyResult HiveRegistry::openKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                                RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    const Result<const Hive*> hive = store_->read(root);
    if (!hive)
        return hive.failure();
    if (!(*hive)->root.find(names))
        return Failure::notFound("the key does not exist");
    return std::make_unique<HiveRegistryKey>(*this, root, std::move(names), access);
}

KeyResult HiveRegistry::createKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                                  RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    if (names.size() > kMaxKeyDepth)
        return Failure::refused("keys nested too deep");
    const Result<const Hive*> hive = store_->read(root);
    if (!hive)
        return hive.failure();
    if (!(*hive)->root.find(names)) {
        const Status stored = store_->modify(root, [&](Hive& hive) {
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
        if (!stored)
            return stored.failure();
    }
    return std::make_unique<HiveRegistryKey>(*this, root, std::move(names), access);
}

Status HiveRegistry::deleteKey(RegistryRoot root, std::string_view path, RegistryView view) {
    std::vector<std::u16string> names = resolvePath(root, path, view);
    if (names.empty())
        return Failure::refused("a root key cannot be deleted");
    const Result<const Hive*> current = store_->read(root);
    if (!current)
        return current.failure();
    if (!(*current)->root.find(names))
        return {};
    return store_->modify(root, [&](Hive& hive) {
        std::vector<std::u16string> parentPath(names.begin(), names.end() - 1);
        if (HiveKey* parent = hive.root.find(parentPath))
            parent->removeSubKey(names.back());
        return true;
    });
}

} // namespace dm::platform
