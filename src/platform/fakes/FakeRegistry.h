// The registry held in memory: the fake for tests.
#pragma once

#include "platform/registry/HiveRegistry.h"

namespace dm::platform {

// The registry held in memory: the fake for tests. Starts empty.
class FakeRegistry : public HiveRegistry {
public:
    FakeRegistry();

    // While set, every change fails as a store that cannot be written would.
    void setWritesFail(bool fail);
};

} // namespace dm::platform
