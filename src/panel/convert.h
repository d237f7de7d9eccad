// Checked conversion of host doubles to integers.
//
// The simulator hands the module doubles that can be NaN, infinite or far out
// of range (a reloaded flight, a failed instrument, a third-party add-on
// writing garbage). Converting such a value with a plain cast is undefined
// behaviour, and a crash in a gauge takes the whole simulator down. Every
// conversion of a host double to an integer in the module goes through
// to_integer<T>() below.
//
// Defined results:
//   NaN                       -> 0
//   +infinity, above the max  -> the largest value of T
//   -infinity, below the min  -> the smallest value of T (0 for unsigned T)
//   anything else             -> truncated toward zero, as a C cast does
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>

namespace kadrimos {

template <std::integral T>
constexpr T to_integer(double value) noexcept {
    static_assert(sizeof(T) <= 4, "limits must be exact doubles");
    constexpr double lowest = static_cast<double>(std::numeric_limits<T>::min());
    constexpr double highest = static_cast<double>(std::numeric_limits<T>::max());
    if (value != value) return 0;  // NaN
    if (value <= lowest) return std::numeric_limits<T>::min();
    if (value >= highest) return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

// A host double used as a number must at least be finite; NaN and the
// infinities become `fallback`.
constexpr double finite_or(double value, double fallback) noexcept {
    if (value != value) return fallback;
    if (value > std::numeric_limits<double>::max() || value < -std::numeric_limits<double>::max())
        return fallback;
    return value;
}

}  // namespace kadrimos
