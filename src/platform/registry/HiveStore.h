#pragma once

#include "platform/registry/HiveTree.h"
#include "platform/registry/Registry.h"

#include <functional>
#include <string>

namespace dm::platform {

// Where the hives of HiveRegistry live: in memory (tests) or in files.
class HiveStore {
public:
    virtual ~HiveStore() = default;

    // The hive as it is now, or why it cannot be read. The pointer stays valid until the next
    // call on the store.
    virtual Result<const Hive*> read(RegistryRoot root) = 0;
    // Applies change to the current hive and stores the result whole. Fails, with nothing
    // stored, when the hive cannot be read or stored or change returns false.
    virtual Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) = 0;
    // Removes the storage made since the store was made that holds nothing now (see
    // Registry::removeEmptyStorage); a store in memory has none.
    virtual void removeEmptyStorage() {}
};

} // namespace dm::platform
