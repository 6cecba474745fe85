// The half-open range test of the localisation components.
#pragma once

#include <cstdint>

namespace dm {

// True when low <= value < highExclusive: the range test of the localisation components.
constexpr bool InRange(std::int32_t value, std::int32_t low, std::int32_t highExclusive) {
    return low <= value && value < highExclusive;
}

} // namespace dm
