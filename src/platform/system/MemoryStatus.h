// The operating system's memory figures: load, total and available physical memory.
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dm::platform {

// What the memory-status query (GlobalMemoryStatusEx) answers.
struct MemoryStatusSample {
    std::uint32_t memoryLoad = 0;        // percent of physical memory in use, 0 to 100
    std::uint64_t totalPhysical = 0;     // bytes
    std::uint64_t availablePhysical = 0; // bytes
};

// The result of a memory-status query: the record, or why there is none.
using MemoryStatusResult = Result<MemoryStatusSample>;

// The operating system's memory figures.
class MemoryStatus {
public:
    virtual ~MemoryStatus() = default;

    virtual MemoryStatusResult query() = 0;
    // The memory installed as the firmware reports it, in kilobytes
    // (GetPhysicallyInstalledSystemMemory); nullopt when there is no figure.
    virtual std::optional<std::uint64_t> installedKilobytes() = 0;
};

} // namespace dm::platform
