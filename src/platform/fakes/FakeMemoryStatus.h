// Memory status for tests: answers what the test put in.
#pragma once

#include "platform/system/MemoryStatus.h"

namespace dm::platform {

class FakeMemoryStatus : public MemoryStatus {
public:
    MemoryStatusResult result = MemoryStatusSample{};
    std::optional<std::uint64_t> installed;

    MemoryStatusResult query() override { return result; }
    std::optional<std::uint64_t> installedKilobytes() override { return installed; }
};

} // namespace dm::platform
