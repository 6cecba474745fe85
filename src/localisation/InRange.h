#pragma once

#include <cstdint>

namespace dm {

// True when Low <= Value < HighExclusive: the range test of the localisation components.
constexpr bool InRange(std::int32_t Value, std::int32_t Low, std::int32_t HighExclusive) {
    return Low <= Value && Value < HighExclusive;
}

} // namespace dm
