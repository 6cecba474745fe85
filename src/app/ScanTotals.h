// The board figures the slot scan adds up: slots, maximum memory, installed capacity.
#pragma once

#include <cstdint>

namespace dm {

// The board figures that the slot scan adds up over the record rows: the slots and the maximum of
// every array, the capacity of every module. A sum stops at the largest (or smallest) value
// instead of wrapping, whatever the records hold.
class ScanTotals {
public:
    // An array's maxCapacity stops at 4 TB less one kilobyte; an array that reaches it gives its
    // maximum in maxCapacityEx. Both are kilobytes.
    void addArray(std::uint32_t maxCapacity, std::uint64_t maxCapacityEx,
                  std::uint16_t memoryDevices);
    void addModule(std::int64_t capacityBytes);

    std::int64_t slotCount() const { return slotCount_; }
    // Each array's maximum in whole gigabytes, added up.
    std::int64_t maximumGb() const { return maximumGb_; }
    // The modules' capacity in whole gigabytes.
    std::int64_t installedGb() const;

private:
    std::int64_t slotCount_ = 0;
    std::int64_t maximumGb_ = 0;
    std::int64_t installedBytes_ = 0;
};

} // namespace dm
