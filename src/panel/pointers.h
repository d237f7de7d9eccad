// Lagging pointers: needles and bars that close on their value by a fixed
// step each update instead of jumping to it, as the instruments' servos do.
//
// The boundary rule is the same for every rule below: a pointer that is
// within its capture band of the target (the band's edge included) stands on
// the target; otherwise it moves one step. Values that are not numbers never
// reach a pointer: callers read the host through finite_or.
#pragma once

namespace kadrimos::pointer {

// Toward `target` by `step` while below `low` or above `high`; within the
// band [low, high], on the target. For a band whose edges an instrument
// works out apart from its target (the angle-of-attack strip's b + 3 and
// b + 7 about b + 5), so that a pointer standing exactly on an edge is
// captured whatever the rounding of the sums.
constexpr double approach_band(double value, double low, double high, double target, double step) {
    if (value < low) return value + step;
    if (value > high) return value - step;
    return target;
}

// Toward `target` by `step` while farther than `capture` from it; within the
// band, on the target.
constexpr double approach(double value, double target, double step, double capture) {
    return approach_band(value, target - capture, target + capture, target, step);
}

// Up toward `target` by `step`; within `capture` below it, on the target. A
// target below the pointer is taken at once: these servos lag only upwards.
constexpr double rise_toward(double value, double target, double step, double capture) {
    return value >= target - capture ? target : value + step;
}

// Down toward 0 by `step`; within a step of 0, at 0. What the pointer of an
// instrument that has lost its power does.
constexpr double fall_to_zero(double value, double step) { return value > step ? value - step : 0.0; }

}  // namespace kadrimos::pointer
