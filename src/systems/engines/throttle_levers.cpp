// The throttle levers on the pedestal and their percentage read-out.
//
// "toskelin throttles_rulo"      the two throttle levers, each drawn from the
//                                host's lever position, with two digit
//                                windows under each
// "toskelin throttles_num_rulo"  the button that shows and hides the digits
//
// Clicking above or below a lever sends the host its engine's throttle up
// or down command, again and again while held; the lever follows the host.
// The digits read the lever's position in whole percent of its forward
// travel, rounded once: 0.57 reads 5 7. A lever at full forward reads 0 0
// (two windows cannot hold 100), and so does a lever in reverse: the windows
// have no minus sign, and a reverse reading could be taken for forward
// thrust.
//
// Inputs: tokens 558 and 568 (engine 1 and 2 throttle lever, 1.0 = full
// forward, negative in reverse), ThrottleNumbersShown.
// Outputs: ThrottleNumbersShown; events THROTTLE1_INCR (0x101AC),
// THROTTLE1_DECR (0x101AE), THROTTLE2_INCR (0x101B1), THROTTLE2_DECR
// (0x101B3).
//
// A lever reading that is not a number stands the lever at idle; one beyond
// the lever's travel stands it at the stop.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(throttles, "toskelin throttles_rulo")
KADRIMOS_GAUGE(throttles_num, "toskelin throttles_num_rulo")

// --- Throttle levers ----------------------------------------------------------------

namespace kadrimos::gauges::throttles {

// What each lever shows at the next draw, by engine.
struct State {
    double lever[2] = {};
    double handle[2] = {};
    double tens[2] = {};
    double units[2] = {};
};

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

State& self = state;

constexpr uint32_t kThrottle1Up = 0x101AC;
constexpr uint32_t kThrottle1Down = 0x101AE;
constexpr uint32_t kThrottle2Up = 0x101B1;
constexpr uint32_t kThrottle2Down = 0x101B3;

// Slider units a throttle percent: the handle, nearer the eye, travels
// further than the lever's shaft. Both rise as the lever goes forward.
constexpr double kShaftPercentPerUnit = 1.88;
constexpr double kHandlePercentPerUnit = 1.45;
constexpr double kPixelsPerUnit = -1.0;
constexpr double kFullForward = 1.0;
constexpr double kFullReverse = -1.0;

template <std::size_t Engine>
double FSAPI shaft_value(ELEMENT_HEADER*) {
    return self.lever[Engine];
}
template <std::size_t Engine>
double FSAPI handle_value(ELEMENT_HEADER*) {
    return self.handle[Engine];
}
template <std::size_t Engine>
double FSAPI tens_value(ELEMENT_HEADER*) {
    return self.tens[Engine];
}
template <std::size_t Engine>
double FSAPI units_value(ELEMENT_HEADER*) {
    return self.units[Engine];
}

// A digit window over the strip of digits 0 to 9, hidden until the read-out
// is asked for.
constexpr ElementSpec digit_spec(const char* label, PIXPOINT position, ELEMENT_VALUE_CALLBACK digit) {
    return moving_image_spec(label, 6178, position, drum_column, 0, 1, digit, 0, 9, kIconFlags | kHidden);
}

// Depths 1, 2 the levers' shafts, 3, 4 their handles, 5 to 8 the digit
// windows (engine 1 tens and units, engine 2 tens and units).
constexpr ElementSpec kElements[] = {
    background_spec(6163),
    slider_spec("THROTTLE 1 lever", 6166, {9, 62}, nullptr, 0, shaft_value<0>, kPixelsPerUnit),
    slider_spec("THROTTLE 2 lever", 6169, {35, 62}, nullptr, 0, shaft_value<1>, kPixelsPerUnit),
    slider_spec("THROTTLE 1 handle", 6172, {2, 79}, nullptr, 0, handle_value<0>, kPixelsPerUnit),
    slider_spec("THROTTLE 2 handle", 6175, {29, 79}, nullptr, 0, handle_value<1>, kPixelsPerUnit),
    digit_spec("THROTTLE 1 tens", {5, 90}, tens_value<0>),
    digit_spec("THROTTLE 1 units", {16, 90}, units_value<0>),
    digit_spec("THROTTLE 2 tens", {30, 90}, tens_value<1>),
    digit_spec("THROTTLE 2 units", {41, 90}, units_value<1>),
};
constexpr int kFirstDigit = depth_of(kElements, "THROTTLE 1 tens");
constexpr int kLastDigit = depth_of(kElements, "THROTTLE 2 units");

template <uint32_t Event>
int32_t FSAPI command(PIXPOINT*, uint32_t) {
    host::send_event(Event, 0);
    return 0;
}

// Above a lever pushes it forward, below pulls it back, repeating while held.
constexpr AreaSpec kAreas[] = {
    knob_area("THROTTLE 1 up", {0, 0, 29, 54}, CURSOR_UPARROW, command<kThrottle1Up>),
    knob_area("THROTTLE 1 down", {0, 54, 29, 54}, CURSOR_DOWNARROW, command<kThrottle1Down>),
    knob_area("THROTTLE 2 up", {29, 0, 29, 54}, CURSOR_UPARROW, command<kThrottle2Up>),
    knob_area("THROTTLE 2 down", {29, 54, 29, 54}, CURSOR_DOWNARROW, command<kThrottle2Down>),
};

// The lever's position within its travel; idle for a reading nobody can make.
double lever_position(double host_value) {
    const double position = finite_or(host_value, 0.0);
    if (position > kFullForward) return kFullForward;
    if (position < kFullReverse) return kFullReverse;
    return position;
}

// Whole slider units, truncated towards zero as the lever's art steps.
double slider_units(double position, double percent_per_unit) {
    return to_integer<int32_t>(position * 100 / percent_per_unit);
}

void show_engine(std::size_t engine, double host_value) {
    const double position = lever_position(host_value);
    self.lever[engine] = slider_units(position, kShaftPercentPerUnit);
    self.handle[engine] = slider_units(position, kHandlePercentPerUnit);
    // Rounded once to a whole percent, so that 0.57 (56.99999... in binary)
    // reads 57; full forward and reverse read 00.
    const int32_t percent = to_integer<int32_t>(std::round(position * 100));
    const bool readable = percent >= 0 && percent < 100;
    self.tens[engine] = readable ? percent / 10 : 0;
    self.units[engine] = readable ? percent % 10 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_engine(0, host::value<558>());
    show_engine(1, host::value<568>());
    for (int k = kFirstDigit; k <= kLastDigit; ++k)
        set_visible(header, k, aircraft.ThrottleNumbersShown == 1);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 58, callback);

}  // namespace kadrimos::gauges::throttles

// --- Read-out button ------------------------------------------------------------------

namespace kadrimos::gauges::throttles_num {
namespace {

int32_t FSAPI toggle_numbers(PIXPOINT*, uint32_t) {
    aircraft.ThrottleNumbersShown = aircraft.ThrottleNumbersShown == 1 ? 0 : 1;
    return 0;
}

constexpr ElementSpec kElements[] = {background_spec(6182)};
constexpr AreaSpec kAreas[] = {area("THROTTLE NUMBERS button", {0, 0, 42, 24}, CURSOR_HAND, toggle_numbers)};

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 42, values_and_mouse_only);

}  // namespace kadrimos::gauges::throttles_num
