// What the two barometric altimeters have in common: how a pointer and a
// counter of digit drums read an altitude, how the pressure windows read a
// setting, and the flags of the counter's ten-thousands window.
//
// The pointer turns once a thousand feet: its value is the altitude's feet
// within the thousand in tenths, -100 to 100, negative below zero, 3.6
// degrees a unit clockwise from twelve o'clock.
//
// The counter reads the altitude above 1 ft as it is. Below zero it cannot
// show a sign: from -1 ft down to -999 it reads 1000 ft higher (999 down to
// 1), from -1000 ft down to -1999 it reads 3000 ft higher (2000 down to
// 1001), and with the NEG flag in its ten-thousands window the crew reads the
// complement. Between -1 and 1 ft, and at -2000 ft and below, it stands at 0.
//
// The altitude drums are strips whose digits run down the travel (digit k at
// 10 - k, 0 at both ends); the pressure drums' digits run up it (digit k at
// k). Each pressure window's thousands, hundreds and tens drums step a
// quarter of a digit a draw toward their digit (drum.h); its units drum turns
// with the setting.
//
// An altitude or setting that is not a finite number moves nothing: the
// pointer, the counter, the pressure windows and the window flags stay as
// they were, as they do without power.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "instruments/altimeters_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/host_api.h"

namespace kadrimos::instruments::altimeter {

// --- Reading an altitude ------------------------------------------------------------

// What the counter reads for altitude `h` (feet); never below 0.
constexpr double drum_altitude(double h) {
    if (h >= 1) return h;
    if (h > -1000 && h <= -1) return h + 1000;
    if (h > -2000 && h <= -1000) return h + 3000;
    return 0;
}

// The pointer's value for altitude `h`: its feet within the thousand, in
// tenths, with the altitude's sign. The remainder is taken exactly, so that
// the pointer stays within its turn however large the altitude.
inline double pointer_value(double h) { return std::fmod(h, 1000.0) / 10; }

// The needle's scale is calibrated from -90 to 90; beyond, the pointer is a
// turn further on (95 is drawn where -5 is, -95 where 5 is), on the same 3.6
// degrees a unit.
constexpr double pointer_on_scale(double value) {
    if (value > 90) return value - 100;
    if (value < -90) return value + 100;
    return value;
}

// The pointer and the counter follow altitude `h`.
inline void follow(AltimeterDisplay& d, double h) {
    if (!std::isfinite(h)) return;
    d.pointer = pointer_value(h);
    d.DrumAltitude = drum_altitude(h);
}

// The ten-thousands window: the NEG flag at -1 ft and below (the hatch as it
// was), the striped hatch from there up to `hatch_gone_ft`, neither above.
inline void place_window_flags(AltimeterDisplay& d, double h, double hatch_gone_ft) {
    if (!std::isfinite(h)) return;
    if (h <= -1) {
        d.negative_flag = 1;
    } else if (h < hatch_gone_ft) {
        d.negative_flag = 0;
        d.hatch = 1;
    } else {
        d.negative_flag = 0;
        d.hatch = 0;
    }
}

// --- Reading a pressure setting -----------------------------------------------------

// The windows of a setting `v` (millibars, or hundredths of an inch): the
// thousands, hundreds and tens digits for the stepping drums, the rest (with
// its fraction) for the units drum.
inline void set_pressure(PressureWindows& w, double v) {
    if (!std::isfinite(v)) return;
    constexpr double kPlaces[3] = {1000, 100, 10};
    for (int i = 0; i < 3; ++i) w.target[i] = to_integer<uint8_t>(drum::digit_value(v, kPlaces[i]));
    w.units = drum::ascending_continuous(v);
}

// --- Value callbacks ------------------------------------------------------------------

using DisplayOf = AltimeterDisplay& (*)();

template <DisplayOf D>
double FSAPI pointer(ELEMENT_HEADER*) {
    return pointer_on_scale(D().pointer);
}

// A rolling altitude window for place `Place` (feet: 100, 1000, 10000),
// standing on its digit over the first 0.9, 0.99, 0.999 or 0.9999 of it
// (`RollDigits` nines) and rolling over the rest. The ten-thousands window
// takes the whole counter, unwrapped: at 100000 ft and above it shows 0.
template <DisplayOf D, int Place, int RollDigits>
double FSAPI rolling_window(ELEMENT_HEADER*) {
    static_assert(Place >= 100 && RollDigits >= 1 && RollDigits <= 4);
    const double a = D().DrumAltitude;
    const double x = Place >= 10000 ? a / Place : drum::digit_value(a, Place);
    return drum::descending_rolling(x, drum::roll_above(RollDigits));
}

// The continuous altitude window for place `Place` (feet: 10 or 100).
template <DisplayOf D, int Place>
double FSAPI continuous_window(ELEMENT_HEADER*) {
    return drum::descending_continuous_top(drum::digit_value(D().DrumAltitude, Place));
}

enum class Unit : uint8_t { Inches, Millibars };

// A pressure window: `Place` 1 is the units drum, 10, 100 and 1000 the
// stepping drums, which move as they are drawn.
template <DisplayOf D, Unit U, int Place>
double FSAPI pressure_window(ELEMENT_HEADER*) {
    PressureWindows& w = U == Unit::Inches ? D().inches : D().millibars;
    if constexpr (Place == 1) {
        return w.units;
    } else {
        constexpr int i = Place == 1000 ? 0 : Place == 100 ? 1 : 2;
        w.position[i] = drum::stepping_position(w.position[i], w.target[i]);
        return w.position[i];
    }
}

// --- Elements ---------------------------------------------------------------------------

// Element bitmaps both altimeters share (the backgrounds are their own).
inline constexpr uint32_t kAlertLightBitmap = 7640;
inline constexpr uint32_t kAltitudeWindowBitmap = 7641;  // its strip: 7642
inline constexpr uint32_t kPressureWindowBitmap = 7643;  // its strip: 7644
inline constexpr uint32_t kHatchBitmap = 7645;
inline constexpr uint32_t kNegativeFlagBitmap = 7646;
inline constexpr uint32_t kWindowOffFlagBitmap = 7647;
inline constexpr uint32_t kDialOffFlagBitmap = 7648;
inline constexpr uint32_t kPointerBitmap = 7649;

// The face: the pointer's pivot, the counter's row, the pressure windows
// under the hub (millibars on the left, inches on the right, thousands
// first).
inline constexpr Placement kPointer = {{114, 84}, {10, 3}};
inline constexpr int kCounterY = 46;
inline constexpr int kPressureY = 96;
inline constexpr int kMillibarsX = 76;
inline constexpr int kInchesX = 122;
inline constexpr int kPressureSpacing = 8;
inline constexpr PIXPOINT kDialOffFlag = {64, 48};

// The eight pressure drums: inches (units, tens, hundreds, thousands), then
// millibars in the same order.
template <DisplayOf D>
constexpr std::array<ElementSpec, 8> pressure_drums() {
    constexpr int units = 3 * kPressureSpacing;
    auto at = [](int group_x, int offset) { return PIXPOINT{group_x + offset, kPressureY}; };
    return {
        drum_spec("BARO in units drum", kPressureWindowBitmap, at(kInchesX, units),
                  pressure_window<D, Unit::Inches, 1>),
        drum_spec("BARO in tens drum", kPressureWindowBitmap, at(kInchesX, 2 * kPressureSpacing),
                  pressure_window<D, Unit::Inches, 10>),
        drum_spec("BARO in hundreds drum", kPressureWindowBitmap, at(kInchesX, kPressureSpacing),
                  pressure_window<D, Unit::Inches, 100>),
        drum_spec("BARO in thousands drum", kPressureWindowBitmap, at(kInchesX, 0),
                  pressure_window<D, Unit::Inches, 1000>),
        drum_spec("BARO mb units drum", kPressureWindowBitmap, at(kMillibarsX, units),
                  pressure_window<D, Unit::Millibars, 1>),
        drum_spec("BARO mb tens drum", kPressureWindowBitmap, at(kMillibarsX, 2 * kPressureSpacing),
                  pressure_window<D, Unit::Millibars, 10>),
        drum_spec("BARO mb hundreds drum", kPressureWindowBitmap, at(kMillibarsX, kPressureSpacing),
                  pressure_window<D, Unit::Millibars, 100>),
        drum_spec("BARO mb thousands drum", kPressureWindowBitmap, at(kMillibarsX, 0),
                  pressure_window<D, Unit::Millibars, 1000>),
    };
}

// Where a gauge's flags are in its chain.
struct FlagDepths {
    int hatch;
    int negative_flag;
    int failure_flags[2];  // the second 0 when the altimeter has one flag
};

// Shows the display's flags as its state holds them.
inline void show_flags(const GAUGEHDR& gauge, const AltimeterDisplay& d, const FlagDepths& at) {
    set_visible(gauge, at.hatch, d.hatch == 1);
    set_visible(gauge, at.negative_flag, d.negative_flag == 1);
    for (int depth : at.failure_flags)
        if (depth != 0) set_visible(gauge, depth, d.failure_flags == 1);
}

}  // namespace kadrimos::instruments::altimeter
