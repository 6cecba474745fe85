// Addition that stops at the type's limits instead of wrapping.
#pragma once

#include <limits>
#include <type_traits>

namespace dm::platform {

// a + b, stopping at the type's largest (or smallest) value instead of wrapping: sizes and sums
// built from outside records can claim any value.
template <class T> constexpr T saturatingAdd(T a, T b) {
    static_assert(std::is_integral_v<T>);
    T sum{};
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    if constexpr (std::is_signed_v<T>)
        return b < 0 ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
    else
        return std::numeric_limits<T>::max();
}

} // namespace dm::platform
