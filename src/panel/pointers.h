// Lagging pointers: needles and bars that close on their value by a fixed
// step each update instead of jumping to it, as the instruments' servos do.
//
// The boundary rule is the same for every rule below: a pointer that is
// within its capture band of the target (the band's edge included) stands on
// the target; otherwise it moves one step. Values that are not numbers never
// reach a pointer: callers read the host through finite_or.
#pragma once

namespace kadrimos::pointer {

// Toward `target` by `step` while farther than `capture` from it; within the
// band, on the target.
constexpr double approach(double value, double target, double step, double capture) {
    if (value < target - capture) return value + step;
    if (value > target + capture) return value - step;
    return target;
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
