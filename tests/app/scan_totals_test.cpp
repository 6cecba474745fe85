// Tests of the scan's board figures: sums that stop at the ends, extended array sizes.
#include "app/ScanTotals.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace dm {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;

TEST(ScanTotals, ModuleCapacitiesAddUpAndStopAtTheEndsInsteadOfWrapping) {
    struct Case {
        std::vector<std::int64_t> capacities;
        std::int64_t installedGb;
    };
    const Case cases[] = {
        {{}, 0},
        {{8 * kGiB, 8 * kGiB}, 16},
        {{kGiB + kGiB / 2}, 1},
        {{1LL << 62, 1LL << 62}, kMax / kGiB},
        {{kMax, kMax, kMax}, kMax / kGiB},
        {{kMax, -kGiB}, (kMax - kGiB) / kGiB},
        {{kMin, kMin}, kMin / kGiB},
        {{kMin, kMax}, 0},
    };
    for (const Case& c : cases) {
        ScanTotals totals;
        for (const std::int64_t capacity : c.capacities)
            totals.addModule(capacity);
        EXPECT_EQ(totals.installedGb(), c.installedGb) << c.capacities.size();
    }
}

TEST(ScanTotals, ArraysGiveSlotsAndWholeGigabytesFromTheExtendedSizeWhenTheFirstIsSaturated) {
    struct Array {
        std::uint32_t maxCapacity;
        std::uint64_t maxCapacityEx;
        std::uint16_t devices;
    };
    struct Case {
        std::vector<Array> arrays;
        std::int64_t slots;
        std::int64_t maximumGb;
    };
    const std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();
    const Case cases[] = {
        {{{16u << 20, 0, 2}, {8u << 20, 0, 2}}, 4, 24},
        {{{0xFFFFFFFF, 8ull << 30, 32}}, 32, 8192},
        {{{0xFFFFFFFF, 0, 4}}, 4, 4095},       // saturated without an extended size
        {{{16u << 20, 8ull << 30, 4}}, 4, 16}, // the extended size only when needed
        {{{0xFFFFFFFF, kAll, 0xFFFF}, {0xFFFFFFFF, kAll, 0xFFFF}},
         2 * 0xFFFF,
         2 * static_cast<std::int64_t>(kAll >> 20)},
    };
    for (const Case& c : cases) {
        ScanTotals totals;
        for (const Array& a : c.arrays)
            totals.addArray(a.maxCapacity, a.maxCapacityEx, a.devices);
        EXPECT_EQ(totals.slotCount(), c.slots);
        EXPECT_EQ(totals.maximumGb(), c.maximumGb);
    }
}

} // namespace
} // namespace dm
