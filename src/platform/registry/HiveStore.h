// Where the hives of the registry live: in memory or in files.
#pragma once

#include "platform/registry/HiveTree.h"
#include "platform/registry/Registry.h"

#include <functional>
#include <string>
#include <vector>

namespace dm::platform {

// Where the hives of HiveRegistry live: in memory (tests) or in files.
class HiveStore {
public:
    virtual ~HiveStore() = default;

    // The hive as it is now, or why it cannot be read. The pointer stays valid until the next
    // call on the store.
    virtual Result<const Hive*> read(RegistryRoot root) = 0;
    // Applies change to the current hive and stores the result whole. Fails, with nothing
    // stored, when the hive cannot be read or stored or change returns false; a change returns
    // false only before it has altered the hive, so a store may apply it in place.
    virtual Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) = 0;
    // Removes the storage that holds nothing but the empty keys on ownKeys (see
    // Registry::removeEmptyStorage); a store in memory has none.
    virtual void removeEmptyStorage(const std::vector<RegistryKeyPath>& /*ownKeys*/) {}
};

} // namespace dm::platform
