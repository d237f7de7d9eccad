// Odometer drums: the digit windows of counters and dials.
//
// A drum window is a moving image over a vertical strip of eleven digit
// cells; its vertical value is the cell shown, 0 to 10. Each window of a
// counter reads one digit of the value. The lowest window turns continuously
// with the value; every higher window stands still on its digit and rolls to
// the next only in the last part of the decade below it, while the window
// under it passes from 9 to 0, as on a car's odometer.
//
// Two strip layouts are in use:
//   ascending   cells 0 1 2 ... 9 0   digit d stands at cell d
//   descending  cells 0 9 8 ... 1 0   digit d stands at cell 10 - d (0 at 0)
// The fuel counters have ascending strips; the engine dials descending ones.
//
// Roll zones: a window whose value x has integer part k stands at its digit
// while x <= k + c and rolls over (k + c, k + 1). c is 0.9 for the window
// above the continuous one, 0.99 for the next, 0.999 and 0.9999 further up;
// m = 1 / (1 - c) stretches the short roll zone over a whole cell.
//
// Two drums move by steps instead of following the value at once: the
// stepping drum of the altimeters' pressure windows and the animator of the
// autoflight windows. Each keeps its position from one call to the next and
// moves it a quarter of a digit at a time.
//
// Every function takes any double: a value that is not finite reads 0, and
// the digits of a negative value are those the floor arithmetic gives, each
// within its window's range.
#pragma once

#include <cmath>

#include "panel/convert.h"

namespace kadrimos::drum {

// A rolling window's roll threshold and stretch.
struct Roll {
    double threshold;  // c: the digit stands still up to k + c
    double stretch;    // m: 1 / (1 - c)
};

inline constexpr Roll kRollTenths = {0.9, 10};                // over the continuous window
inline constexpr Roll kRollHundredths = {0.99, 100};          // two windows above it
inline constexpr Roll kRollThousandths = {0.999, 1000};       // three windows above it
inline constexpr Roll kRollTenThousandths = {0.9999, 10000};  // four windows above it

// The digit value that the window for `place` (1, 10, 100 ...) reads from
// `value`: the value's remainder below the next place, in units of `place`,
// in [0, 10).
inline double digit_value(double value, double place) {
    const double next = place * 10;
    // fmod is exact, where value - next * floor(value / next) loses the
    // digit (and can go negative) once the value is large.
    double below_next = std::fmod(finite_or(value, 0.0), next);
    if (below_next < 0) below_next += next;
    const double digit = below_next / place;
    // Adding `next` to a tiny negative remainder can round up to `next`.
    return digit < 10 ? digit : 0.0;
}

// Ascending strip: the cell of a window whose digit value is x, in [0, 10].
inline double ascending_cell(double x, Roll roll) {
    const double v = digit_value(x, 1);
    const double k = std::floor(v);
    if (v <= k + roll.threshold) return k;
    return k + (v - k - roll.threshold) * roll.stretch;
}

// Ascending strip, continuous window: the digit value itself.
inline double ascending_continuous(double x) { return digit_value(x, 1); }

// The roll of the window `windows_above` places above the continuous one
// (1 for the window right above it).
constexpr Roll roll_above(int windows_above) {
    switch (windows_above) {
        case 1:
            return kRollTenths;
        case 2:
            return kRollHundredths;
        case 3:
            return kRollThousandths;
        default:
            return kRollTenThousandths;
    }
}

// Ascending strip: the cell of the window for `place` (1, 10 ... 10000) of a
// counter whose continuous window is the units.
inline double ascending_window(double value, int place) {
    if (place <= 1) return ascending_continuous(value);
    const int windows_above = place >= 10000 ? 4 : place >= 1000 ? 3 : place >= 100 ? 2 : 1;
    return ascending_cell(digit_value(value, place), roll_above(windows_above));
}

// Descending strip: the cell of a window whose digit value is x, in [0, 10].
// A steady 0 uses the top cell; a roll from 0 to 1 starts at the bottom one.
inline double descending_cell(double x, Roll roll) {
    const double v = digit_value(x, 1);
    const double k = std::floor(v);
    if (v <= k + roll.threshold) return k == 0 ? 0.0 : 10 - k;
    return 10 - k - (v - k - roll.threshold) * roll.stretch;
}

// Descending strip, continuous window.
inline double descending_continuous(double x) { return 10 - digit_value(x, 1); }

// The flight instruments' counters (the altimeters) draw their descending
// windows with two refinements of the cells above:
//   - the top window reads the value in its own unit without wrapping, and
//     any window whose value is above 9.9999 stands on 0: a counter at or
//     past its last figure shows 0 there rather than rolling on;
//   - the continuous window shows 0 at the top cell (0) rather than at the
//     bottom one (10) within a thousandth of a cell of it.
inline constexpr double kTopWindowLast = 9.9999;  // above it the window stands on 0
inline constexpr double kContinuousTop = 9.999;   // above it the continuous window shows 0

// Descending strip, a rolling window whose value in its own unit is `x` (not
// wrapped: the top window of a counter is given the whole value), in [0, 10].
inline double descending_rolling(double x, Roll roll) {
    const double v = finite_or(x, 0.0);
    if (v > kTopWindowLast) return 0.0;
    return descending_cell(v, roll);
}

// Descending strip, continuous window with 0 on the top cell.
inline double descending_continuous_top(double x) {
    const double cell = descending_continuous(x);
    return cell > kContinuousTop ? 0.0 : cell;
}

// The digits of a stepping drum's strip: its highest digit, and the two
// positions of its wrap (a drum bound for 0 from above `wrap_from` goes on
// forward and is at 0 on reaching `wrap_at`; one bound for the highest digit
// from below 0.2 jumps back to `wrap_at`).
struct Digits {
    int highest;
    double wrap_from;
    double wrap_at;
};
inline constexpr Digits kDigitsZeroToNine = {9, 8.9, 9.9};
inline constexpr Digits kDigitsZeroToThree = {3, 2.9, 3.9};  // the radios' four-position drums

// Stepping drum (ascending strip, digit d at position d): one draw's move of
// `position` toward the target digit (0 to the strip's highest). A quarter
// digit a draw; on the digit once within 0.2 of it; between the highest digit
// and 0 the short way over the wrap (backward from 0 through the wrap
// position, forward from the highest digit through it to 0).
inline double stepping_position(double position, int target_digit, const Digits& strip = kDigitsZeroToNine) {
    const double v = finite_or(position, 0.0);
    const int t = target_digit < 0 ? 0 : target_digit > strip.highest ? strip.highest : target_digit;
    if (t == 0 ? v < 0.2 : (v > t - 0.2 && v < t + 0.2)) return t;
    if (v < t - 0.2) {
        if (t < strip.highest) return v + 0.25;
        return v >= 0.2 ? v + 0.25 : strip.wrap_at;
    }
    if (v > t + 0.2) {
        if (t >= 1 || v <= strip.wrap_from) return v - 0.25;
        return v >= strip.wrap_at ? 0.0 : v + 0.25;
    }
    return v;
}

// The travel of an animated drum: the ten-digit strips, and the four-position
// hundreds strip of the heading and course windows.
struct Travel {
    double wrap_from;  // above it, a drum bound for 0 goes forward over the wrap
    double wrap_at;    // reaching it, that drum is at 0
    double top;        // where a drum bound for the top jumps from below 0.2
};
inline constexpr Travel kTenPositions = {8.9, 9.9, 10};
inline constexpr Travel kFourPositions = {2.9, 3.9, 4};

// Drum animator of the autoflight windows (descending strips: the target is
// a strip position, 10 - digit, 0 for the digit 0): one update's move of
// `position` toward `target`, a quarter position at a time, on the target
// once within 0.2 of it.
inline double animated_position(double position, double target, const Travel& travel) {
    const double p = finite_or(position, 0.0);
    const double t = finite_or(target, 0.0);
    if (p > t - 0.2 && p < t + 0.2) return t;
    if (t == 0) {
        if (p > travel.wrap_from) return p >= travel.wrap_at ? 0.0 : p + 0.25;
        return p - 0.25;
    }
    if (p > t + 0.2 && t >= 0.2) return p - 0.25;
    if (p < t - 0.2) {
        if (t <= travel.wrap_from) return p + 0.25;
        return p >= 0.2 ? p + 0.25 : travel.top;
    }
    return p;
}

}  // namespace kadrimos::drum
