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

    std::unique_ptr<RegistryKey> openKey(RegistryRoot root, std::string_view path,
                                         RegistryAccess access,
                                         RegistryView view = RegistryView::Default) override;
    std::unique_ptr<RegistryKey> createKey(RegistryRoot root, std::string_view path,
                                           RegistryAccess access,
                                           RegistryView view = RegistryView::Default) override;
    bool deleteKey(RegistryRoot root, std::string_view path,
                   RegistryView view = RegistryView::Default) override;
    std::string lastError() const override { return error_; }

protected:
    HiveStore& store() { return *store_; }

private:
    friend class HiveRegistryKey;

    const HiveKey* findKey(RegistryRoot root, const std::vector<std::u16string>& path);
    bool change(RegistryRoot root, const std::vector<std::u16string>& path,
                const std::function<void(HiveKey&)>& edit);
    void fail(std::string why) { error_ = std::move(why); }

    std::unique_ptr<HiveStore> store_;
    std::string error_;
};

} // namespace dm::platform
