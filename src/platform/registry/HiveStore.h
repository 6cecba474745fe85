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

    // The hive as it is now; nullptr when it cannot be read (the reason in error()). The pointer
    // stays valid until the next call on the store.
    virtual const Hive* read(RegistryRoot root) = 0;
    // Applies change to the current hive and stores the result whole. False, with nothing
    // stored, when the hive cannot be read or stored or change returns false.
    virtual bool modify(RegistryRoot root, const std::function<bool(Hive&)>& change) = 0;
    virtual std::string error() const = 0;
};

} // namespace dm::platform
