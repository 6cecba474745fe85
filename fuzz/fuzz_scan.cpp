// The slot scan's sums over arbitrary record values: arrays (MaxCapacity, MaxCapacityEx,
// MemoryDevices) and module capacities as any source could deliver them. No sum may overflow, and
// the totals stay within the values they add up.
#include "app/ScanTotals.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template <class T> T take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dm::ScanTotals totals;
    bool anyNegative = false;
    while (size > 0) {
        if (take<std::uint8_t>(data, size) & 1) {
            const auto maxCapacity = take<std::uint32_t>(data, size);
            const auto maxCapacityEx = take<std::uint64_t>(data, size);
            totals.addArray(maxCapacity, maxCapacityEx, take<std::uint16_t>(data, size));
        } else {
            const auto capacity = take<std::int64_t>(data, size);
            anyNegative = anyNegative || capacity < 0;
            totals.addModule(capacity);
        }
    }
    if (totals.slotCount() < 0 || totals.maximumGb() < 0 ||
        (!anyNegative && totals.installedGb() < 0))
        std::abort();
    return 0;
}
