// Engine vibration: the two-bar level indicator and its pick-up selector.
//
// "toskelin engomn_vib_rulo"     VIB LEVEL, one bar per engine
// "toskelin engomn_vib_sw_rulo"  ENG VIB PICK UP lever (FAN, TURBINE) and TEST
//
// The bars show the host's vibration of each engine, amplified more from the
// turbine pick-ups than from the fan's, closing on it 0.2 an update. TEST
// drives both bars to the top of their travel and ends there. The indicator
// runs on AC bus 1; without it the bars drop and a test is cancelled.
//
// Inputs: tokens 642, 661 (engine vibration), AcBus1Powered.
// Outputs: VibPickupSelector, VibTestActive.
//
// A host value that is not a finite number reads as 0.
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
#include "panel/pointers.h"
#include "panel/switch_areas.h"
#include "systems/engines/engomn_state.h"

KADRIMOS_GAUGE(engomn_vib, "toskelin engomn_vib_rulo")
KADRIMOS_GAUGE(engomn_vib_sw, "toskelin engomn_vib_sw_rulo")

namespace kadrimos::engines {
namespace {

double (&bars())[2] { return private_state.engomn.vib_bar; }

constexpr uint8_t kFan = 1;
constexpr uint8_t kTurbine = 2;
constexpr double kFanGain = 4;
constexpr double kTurbineGain = 6;
constexpr double kBarStep = 0.2;
constexpr double kBarCapture = 0.4;
// The test ends with a bar at the top of its travel. Steps of 0.2 do not add
// up to exactly 28 in binary, so half a step short counts as there.
constexpr double kTestTop = 28;
constexpr double kTestDone = kTestTop - kBarStep / 2;
constexpr double kPixelsPerUnit = 1.0;  // the bars rise from their foot

void update_bars() {
    double(&bar)[2] = bars();
    const bool powered = aircraft.AcBus1Powered == 1;
    if (aircraft.VibTestActive == 1) {
        for (double& b : bar) b = powered ? b + kBarStep : pointer::fall_to_zero(b, kBarStep);
        if (powered && (bar[0] >= kTestDone || bar[1] >= kTestDone)) aircraft.VibTestActive = 0;
        return;
    }
    const double gain = aircraft.VibPickupSelector == kTurbine ? kTurbineGain : kFanGain;
    const double target[2] = {finite_or(host::value<642>(), 0.0) * gain,
                              finite_or(host::value<661>(), 0.0) * gain};
    for (std::size_t e = 0; e < 2; ++e) {
        if (powered)
            bar[e] = pointer::approach(bar[e], target[e], kBarStep, kBarCapture);
        else
            bar[e] = bar[e] <= target[e] + kBarCapture ? 0.0 : pointer::fall_to_zero(bar[e], kBarStep);
    }
}

// The bars rise: the sliders move up by the bar values.
template <std::size_t Engine>
double FSAPI bar_value(ELEMENT_HEADER*) {
    return -bars()[Engine];
}

}  // namespace
}  // namespace kadrimos::engines

// --- Indicator ---------------------------------------------------------------------

namespace kadrimos::gauges::engomn_vib {
namespace {

using namespace kadrimos::engines;

// Depth, bitmap, position: 1 bar 1, 2 bar 2.
constexpr ElementSpec kElements[] = {
    background_spec(6249),
    slider_spec("VIB bar 1", 6252, {15, 55}, nullptr, 0, bar_value<0>, kPixelsPerUnit),
    slider_spec("VIB bar 2", 6256, {38, 55}, nullptr, 0, bar_value<1>, kPixelsPerUnit),
};

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    update_bars();
    set_visible(header, 1, true);
    set_visible(header, 2, true);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 61, callback);

}  // namespace kadrimos::gauges::engomn_vib

// --- Pick-up selector and TEST -----------------------------------------------------

namespace kadrimos::gauges::engomn_vib_sw {
namespace {

using namespace kadrimos::engines;

// Depth, bitmap, position: 1 lever up (FAN), 2 lever down (TURBINE).
constexpr ElementSpec kElements[] = {
    background_spec(6259),
    icon_spec("VIB PICK UP FAN", 4137, {58, 20}, kIconFlags),
    icon_spec("VIB PICK UP TURBINE", 4134, {58, 38}),
};

// TEST needs the indicator's power.
int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    if (aircraft.AcBus1Powered == 1) aircraft.VibTestActive = 1;
    return 0;
}

constexpr auto kAreas =
    area_list(position_switch<&AircraftState::VibPickupSelector, kFan, kTurbine>(
                  {48, 6, 28, 62}, {"VIB PICK UP FAN", "VIB PICK UP TURBINE"}, SwitchCursors::hand),
              area("VIB TEST", {0, 60, 29, 29}, CURSOR_HAND, press_test));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    if (aircraft.AcBus1Powered != 1) aircraft.VibTestActive = 0;
    show_one_of(header, {1, 2}, aircraft.VibPickupSelector - kFan);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 81, callback);

}  // namespace kadrimos::gauges::engomn_vib_sw
