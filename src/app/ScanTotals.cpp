// The slot scan's board figures, added up without wrapping.
#include "app/ScanTotals.h"

#include "platform/text/Saturating.h"

namespace dm {

void ScanTotals::addArray(std::uint32_t maxCapacity, std::uint64_t maxCapacityEx,
                          std::uint16_t memoryDevices) {
    constexpr std::uint32_t kSaturated = 0xFFFFFFFF;
    const std::uint64_t kilobytes =
        maxCapacity == kSaturated && maxCapacityEx > kSaturated ? maxCapacityEx : maxCapacity;
    maximumGb_ = platform::saturatingAdd(maximumGb_, static_cast<std::int64_t>(kilobytes >> 20));
    slotCount_ = platform::saturatingAdd<std::int64_t>(slotCount_, memoryDevices);
}

void ScanTotals::addModule(std::int64_t capacityBytes) {
    installedBytes_ = platform::saturatingAdd(installedBytes_, capacityBytes);
}

std::int64_t ScanTotals::installedGb() const {
    constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;
    return installedBytes_ / kGiB;
}

} // namespace dm
