// The registry over a store of hives: key paths, views, access and the key handles.
#pragma once

#include "platform/registry/HiveStore.h"
#include "platform/registry/Registry.h"

#include <memory>
#include <string>

namespace dm::platform {

// The registry over a store of hives: key paths, views, access and the key handles.
class HiveRegistry : public Registry {
public:
    explicit HiveRegistry(std::unique_ptr<HiveStore> store);

    KeyResult openKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                      RegistryView view = RegistryView::Default) override;
    void removeEmptyStorage(const std::vector<RegistryKeyPath>& ownKeys) override {
        store_->removeEmptyStorage(ownKeys);
    }
    KeyResult createKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                        RegistryView view = RegistryView::Default) override;
    Status deleteKey(RegistryRoot root, std::string_view path,
                     RegistryView view = RegistryView::Default) override;

protected:
    HiveStore& store() { return *store_; }

private:
    friend class HiveRegistryKey;

    // The key as the hive holds it now; nullptr when it is missing or the hive cannot be read.
    const HiveKey* findKey(RegistryRoot root, const std::vector<std::u16string>& path);
    Status change(RegistryRoot root, const std::vector<std::u16string>& path,
                  const std::function<void(HiveKey&)>& edit);

    std::unique_ptr<HiveStore> store_;
};

} // namespace dm::platform
