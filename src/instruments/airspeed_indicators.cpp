// The airspeed indicators.
//
// "toskelin asi_main_rulo"   the main airspeed indicator: the airspeed
//                            pointer, four speed bugs, the autothrottle's
//                            selected speed and the maximum operating speed
//                            on pointers of their own, the Mach number on
//                            three drums, and the bug presets;
// "toskelin asi_main2_rulo"  the same indicator drawn a second time: it shows
//                            the main one's pointers and bugs, has the same
//                            knobs and flags, and no presets;
// "toskelin asi_sec_rulo"    the secondary indicator, with one bug.
//
// The pointers' servos lag upwards only: 10 kt an update towards a higher
// airspeed, a lower one taken at once. Without power, or with the indicator
// reported failed, a pointer runs down 10 kt an update to 0 and the failure
// flags drop; the Mach drums and the selected speed then stay where they
// were. The secondary indicator reads nothing below 60 kt.
//
// The bugs are set by four knobs at the corners of the dial, in order and
// kept apart: bug 1 at least 1 kt under bug 2, bugs 2, 3 and 4 at least 5 kt
// apart. A knob that brings its bug too close to the next one pushes that
// one along, and so on. A press on the dial's centre asks for the take-off
// bugs (on the ground or with either throttle above half travel) or for the
// approach bugs; the main indicator's next update sets all four from the
// gross weight and shows which for 2 seconds.
//
// Inputs: tokens 61 (indicated airspeed, kt), 63 (maximum operating speed,
// kt x 128), 64 (Mach x 20480), 116 (the autopilot's airspeed setting, kt),
// 274 (1: airspeed indicator failed), 329 (left flap), 335 (units: non-zero
// metric), 60 (1 on the ground), 558 and 568 (throttle levers), 1 (ticks);
// DcEssBusPowered, GrossWeightHundreds, FlapDetentPositions.
// Outputs: AsiPointer, AsiMaxSpeedPointer, AsiSelectedSpeedPointer,
// MachReadout, AsiInop, AsiPresetRequest, SpeedBug1 to SpeedBug4.
//
// A host reading that is not a finite number moves nothing it feeds: the Mach
// drums, the selected-speed and maximum-speed pointers keep their values. An
// airspeed that is not a finite number is no airspeed: the pointers run down
// as without power.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>

#include "instruments/air_data_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/pointers.h"
#include "panel/switches.h"
#include "panel/timing.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(asi_main, "toskelin asi_main_rulo")
KADRIMOS_GAUGE_WITH_STATE(asi_main2, "toskelin asi_main2_rulo")
KADRIMOS_GAUGE_WITH_STATE(asi_sec, "toskelin asi_sec_rulo")

namespace kadrimos::instruments {
namespace {

// --- The dial --------------------------------------------------------------------

// The scale's end: a pointer drawn higher is set back to it.
constexpr double kTopKt = 450;
constexpr uint32_t kTopBugKt = 450;
constexpr double kPointerStepKt = 10;     // the servo's step an update, and its capture
constexpr double kSecondaryFloorKt = 60;  // the secondary indicator reads nothing below
// The Mach readout, in thousandths, is the host's Mach x 20480 over 20 less
// 5; below 3000 host units it rests on 150.
constexpr double kMachFloorHostUnits = 3000;
constexpr double kMachRestingReadout = 150;
constexpr double kMachHostUnitsPerReadout = 20;
constexpr double kMachReadoutOffset = 5;
constexpr double kMaxSpeedHostUnitsPerKt = 128;
constexpr double kPresetTicks = 36;  // 2 s

// The main indicator's art; the second one draws the same.
constexpr uint32_t kMainBackground = 7066;
constexpr uint32_t kSecondBackground = 7142;
constexpr uint32_t kMachWindow = 7660;  // its strip is 7661
constexpr uint32_t kIasFlagBitmap = 7662;
constexpr uint32_t kMachFlagBitmap = 7663;
constexpr uint32_t kVmoFlagBitmap = 7664;
constexpr uint32_t kPowerFlagBitmap = 7665;
constexpr uint32_t kNeedleBitmap = 7666;
constexpr uint32_t kSelectedBitmap = 7667;
constexpr uint32_t kMaxSpeedBitmap = 7668;
constexpr uint32_t kBugBitmap = 7669;
constexpr uint32_t kTakeoffBitmap = 7670;
constexpr uint32_t kApproachBitmap = 7671;

// The main dial's calibration, in degrees clockwise from twelve o'clock:
//   kt      0    60   80    100   120   140   160    180    200    250    300    350    400    450
//   deg     0    0    24.0  46.0  68.9  91.4  114.0  135.5  159.1  217.7  244.4  270.0  296.6  322.0
// The pointers' tips stand 56 pixels from the pivot, the bugs' 66; each
// point is the pixel nearest to its angle at that distance.
constexpr PIXPOINT kMainPivot = {92, 91};
// clang-format off
constinit NONLINEARITY main_scale[] = {
    {{92, 35}, 0, 0},     {{92, 35}, 60, 0},    {{115, 39}, 80, 0},   {{132, 52}, 100, 0},  {{144, 71}, 120, 0},
    {{147, 92}, 140, 0},  {{144, 114}, 160, 0}, {{132, 132}, 180, 0}, {{112, 143}, 200, 0}, {{58, 135}, 250, 0},
    {{42, 115}, 300, 0},  {{36, 91}, 350, 0},   {{42, 66}, 400, 0},   {{57, 46}, 450, 0},
};
constinit NONLINEARITY main_bug_scale[] = {
    {{92, 25}, 0, 0},     {{92, 25}, 60, 0},    {{119, 30}, 80, 0},   {{140, 45}, 100, 0},  {{154, 67}, 120, 0},
    {{159, 93}, 140, 0},  {{153, 118}, 160, 0}, {{139, 139}, 180, 0}, {{116, 154}, 200, 0}, {{51, 144}, 250, 0},
    {{32, 120}, 300, 0},  {{26, 91}, 350, 0},   {{32, 61}, 400, 0},   {{52, 40}, 450, 0},
};
// clang-format on

// The secondary dial, same values:
//   deg     331.3 346.6 13.2  40.0  67.1  92.4  119.7  141.7  161.6  198.4  232.7  267.6  292.2  315.0
// Pointer tip at 34 pixels, bug at 40.
constexpr PIXPOINT kSecondaryPivot = {45, 45};
// clang-format off
constinit NONLINEARITY secondary_scale[] = {
    {{28, 14}, 0, 0},     {{37, 11}, 60, 0},    {{53, 11}, 80, 0},    {{66, 20}, 100, 0},   {{76, 32}, 120, 0},
    {{78, 46}, 140, 0},   {{75, 62}, 160, 0},   {{66, 72}, 180, 0},   {{56, 78}, 200, 0},   {{34, 78}, 250, 0},
    {{19, 65}, 300, 0},   {{12, 46}, 350, 0},   {{13, 32}, 400, 0},   {{21, 21}, 450, 0},
};
constinit NONLINEARITY secondary_bug_scale[] = {
    {{26, 10}, 0, 0},     {{36, 7}, 60, 0},     {{54, 7}, 80, 0},     {{71, 14}, 100, 0},   {{83, 29}, 120, 0},
    {{86, 47}, 140, 0},   {{80, 65}, 160, 0},   {{70, 77}, 180, 0},   {{58, 84}, 200, 0},   {{32, 84}, 250, 0},
    {{12, 70}, 300, 0},   {{4, 47}, 350, 0},    {{8, 30}, 400, 0},    {{17, 17}, 450, 0},
};
// clang-format on

// Needles pivot on the dial's centre; the pivots below are those of each
// bitmap. The bugs and the selected-speed pointer are wedges at the rim.
constexpr Placement kMainNeedle = {kMainPivot, {10, 3}};
constexpr Placement kMainMaxSpeed = {kMainPivot, {4, 4}};
constexpr Placement kMainBug = {kMainPivot, {-58, 4}};
constexpr Placement kMainSelected = {kMainPivot, {-58, 5}};
constexpr Placement kSecondaryNeedle = {kSecondaryPivot, {8, 3}};
constexpr Placement kSecondaryBug = {kSecondaryPivot, {-32, 3}};

// --- The speed bugs ------------------------------------------------------------------

constexpr std::size_t kBugCount = 4;
constexpr uint32_t AircraftState::*kBugs[kBugCount] = {&AircraftState::SpeedBug1, &AircraftState::SpeedBug2,
                                                       &AircraftState::SpeedBug3, &AircraftState::SpeedBug4};

struct BugLimits {
    uint32_t low_kt;
    uint32_t high_kt;
    uint32_t gap_to_next_kt;  // the least gap to the bug above it
};
// Columns: lowest, highest, least gap to the next bug up.
constexpr BugLimits kBugLimits[kBugCount] = {
    {60, 439, 1},
    {61, 440, 5},
    {66, 445, 5},
    {71, 450, 0},
};

uint32_t& bug(std::size_t k) { return aircraft.*kBugs[k]; }

// Whether bug k + 1 stands clear of bug k by its gap.
bool clear_of_bug_below(std::size_t k) {
    return int64_t{bug(k + 1)} - int64_t{bug(k)} >= int64_t{kBugLimits[k].gap_to_next_kt};
}

// One knot up; bugs above that come too close move up with it, as far as the
// first that keeps its gap. A bug at or beyond its top is put on it.
void raise_bug(std::size_t k) {
    if (bug(k) >= kBugLimits[k].high_kt) {
        bug(k) = kBugLimits[k].high_kt;
        return;
    }
    bug(k) += 1;
    for (std::size_t above = k + 1; above < kBugCount && !clear_of_bug_below(above - 1); ++above)
        bug(above) += 1;
}

// One knot down, pushing the bugs below it the same way.
void lower_bug(std::size_t k) {
    if (bug(k) <= kBugLimits[k].low_kt) {
        bug(k) = kBugLimits[k].low_kt;
        return;
    }
    bug(k) -= 1;
    for (std::size_t below = k; below > 0 && !clear_of_bug_below(below - 1); --below) bug(below - 1) -= 1;
}

// Each indicator's knobs have handlers of their own (the `Indicator`
// parameter), acting on the same bugs.
template <int Indicator, std::size_t K, bool Up>
int32_t FSAPI turn_bug_knob(PIXPOINT*, uint32_t) {
    if (Up)
        raise_bug(K);
    else
        lower_bug(K);
    return 0;
}

// The dial's centre: the take-off bugs on the ground or with take-off thrust
// coming, else the approach bugs.
template <int Indicator>
int32_t FSAPI ask_for_preset(PIXPOINT*, uint32_t) {
    const bool on_ground = host::value<60>() == 1.0;
    const bool throttle_up = host::value<558>() > 0.5 || host::value<568>() > 0.5;
    aircraft.AsiPresetRequest = on_ground || throttle_up ? kTakeoffPreset : kApproachPreset;
    return 0;
}

// Both main indicators have the same knobs: the first is the main one's, the
// second the other's.
template <int Indicator>
constexpr auto kIndicatorAreas = join<AreaSpec>(
    area("BUG PRESET dial centre", {50, 49, 85, 85}, CURSOR_HAND, ask_for_preset<Indicator>),
    knob_area("BUG 1 down", {0, 0, 28, 44}, CURSOR_DOWNARROW, turn_bug_knob<Indicator, 0, false>),
    knob_area("BUG 1 up", {28, 0, 28, 44}, CURSOR_UPARROW, turn_bug_knob<Indicator, 0, true>),
    knob_area("BUG 2 down", {128, 0, 28, 44}, CURSOR_DOWNARROW, turn_bug_knob<Indicator, 1, false>),
    knob_area("BUG 2 up", {156, 0, 28, 44}, CURSOR_UPARROW, turn_bug_knob<Indicator, 1, true>),
    knob_area("BUG 3 down", {128, 140, 28, 44}, CURSOR_DOWNARROW, turn_bug_knob<Indicator, 2, false>),
    knob_area("BUG 3 up", {156, 140, 28, 44}, CURSOR_UPARROW, turn_bug_knob<Indicator, 2, true>),
    knob_area("BUG 4 down", {0, 140, 28, 44}, CURSOR_DOWNARROW, turn_bug_knob<Indicator, 3, false>),
    knob_area("BUG 4 up", {28, 140, 28, 44}, CURSOR_UPARROW, turn_bug_knob<Indicator, 3, true>));
constexpr auto& kMainAreas = kIndicatorAreas<1>;
constexpr auto& kSecondAreas = kIndicatorAreas<2>;

// --- Value callbacks -------------------------------------------------------------------

double FSAPI airspeed_pointer(ELEMENT_HEADER*) { return clamp_write_back(aircraft.AsiPointer, 0.0, kTopKt); }

double FSAPI selected_speed_pointer(ELEMENT_HEADER*) {
    return clamp_write_back<int32_t>(aircraft.AsiSelectedSpeedPointer, std::numeric_limits<int32_t>::min(),
                                     static_cast<int32_t>(kTopKt));
}

double FSAPI max_speed_pointer(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(aircraft.AsiMaxSpeedPointer, 0, kTopBugKt);
}

template <std::size_t K>
double FSAPI bug_pointer(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(bug(K), 0, kTopBugKt);
}

// The Mach drums read the readout in thousandths, on descending strips. The
// units window turns with the readout; it is kept off the strip's very ends,
// each of which shows the 0.
double FSAPI mach_units(ELEMENT_HEADER*) {
    const double cell = drum::descending_continuous(aircraft.MachReadout);
    if (cell > 9.999) return 0.002;
    if (cell <= 0.001) return 9.998;
    return cell;
}
double FSAPI mach_tens(ELEMENT_HEADER*) {
    return drum::descending_cell(drum::digit_value(aircraft.MachReadout, 10), drum::kRollTenths);
}
double FSAPI mach_hundreds(ELEMENT_HEADER*) {
    return drum::descending_cell(drum::digit_value(aircraft.MachReadout, 100), drum::kRollHundredths);
}

// --- Elements ------------------------------------------------------------------------

// Drawing order: the dial, the Mach drums, the flags, the pointers (selected
// speed, maximum speed, airspeed), the bugs and the preset annunciations. The
// second indicator has all but the annunciations.
constexpr ElementSpec kMainElements[] = {
    background_spec(kMainBackground),
    drum_spec("MACH units drum", kMachWindow, {97, 108}, mach_units),
    drum_spec("MACH tens drum", kMachWindow, {88, 108}, mach_tens),
    drum_spec("MACH hundreds drum", kMachWindow, {79, 108}, mach_hundreds),
    icon_spec("MACH failure flag", kMachFlagBitmap, {76, 106}),
    icon_spec("IAS failure flag", kIasFlagBitmap, {58, 74}),
    icon_spec("VMO failure flag", kVmoFlagBitmap, {98, 74}),
    icon_spec("power failure flag", kPowerFlagBitmap, {76, 124}),
    needle_spec("SELECTED SPEED command pointer", kSelectedBitmap, kMainSelected, selected_speed_pointer,
                main_bug_scale),
    needle_spec("MAX SPEED limit pointer", kMaxSpeedBitmap, kMainMaxSpeed, max_speed_pointer, main_scale),
    needle_spec("AIRSPEED needle", kNeedleBitmap, kMainNeedle, airspeed_pointer, main_scale),
    needle_spec("BUG 1 pointer", kBugBitmap, kMainBug, bug_pointer<0>, main_bug_scale),
    needle_spec("BUG 2 pointer", kBugBitmap, kMainBug, bug_pointer<1>, main_bug_scale),
    needle_spec("BUG 3 pointer", kBugBitmap, kMainBug, bug_pointer<2>, main_bug_scale),
    needle_spec("BUG 4 pointer", kBugBitmap, kMainBug, bug_pointer<3>, main_bug_scale),
    icon_spec("TAKEOFF preset annunciation", kTakeoffBitmap, {76, 58}),
    icon_spec("APPROACH preset annunciation", kApproachBitmap, {76, 58}),
};
constexpr int kFirstFailureFlag = depth_of(kMainElements, "MACH failure flag");
constexpr int kLastFailureFlag = depth_of(kMainElements, "VMO failure flag");
constexpr int kPowerFlag = depth_of(kMainElements, "power failure flag");
constexpr int kTakeoffAnnunciation = depth_of(kMainElements, "TAKEOFF preset annunciation");
constexpr int kApproachAnnunciation = depth_of(kMainElements, "APPROACH preset annunciation");

// The second indicator: the main one's list up to the bugs, on its own
// background.
constexpr std::size_t kSecondElementCount = kTakeoffAnnunciation;
constexpr std::array<ElementSpec, kSecondElementCount> second_elements() {
    std::array<ElementSpec, kSecondElementCount> list{};
    for (std::size_t k = 0; k < kSecondElementCount; ++k) list[k] = kMainElements[k];
    list[0] = background_spec(kSecondBackground);
    return list;
}
constexpr auto kSecondElements = second_elements();

// --- Update ----------------------------------------------------------------------------

// Step 5 of both main indicators: the flags, and whether the indicator is
// reported failed. Without power all four flags show; reported failed, the
// three failure flags show and the power flag stays as it was.
void show_flags(const GAUGEHDR& gauge, uint8_t& power_flag, uint32_t failure_report) {
    bool failure_flags = false;
    if (aircraft.DcEssBusPowered != 1) {
        failure_flags = true;
        power_flag = 1;
    } else if (failure_report == 1) {
        failure_flags = true;
        aircraft.AsiInop = 1;
    } else {
        power_flag = 0;
    }
    if (failure_report == 0) aircraft.AsiInop = 0;
    for (int depth = kFirstFailureFlag; depth <= kLastFailureFlag; ++depth)
        set_visible(gauge, depth, failure_flags);
    set_visible(gauge, kPowerFlag, power_flag == 1);
}

// The reference speed, kt, for a gross weight in hundreds of kilograms
// (metric) or of pounds: 63.75 kt and 0.542 kt a tonne, whole knots.
uint8_t base_speed_kt(double gross_weight_hundreds, bool metric) {
    const double tonnes =
        metric ? gross_weight_hundreds / 10 : gross_weight_hundreds * units::kKilogramsPerPound / 10;
    return to_integer<uint8_t>(tonnes * 0.542 + 63.75);
}

}  // namespace
}  // namespace kadrimos::instruments

// --- "toskelin asi_main_rulo" ------------------------------------------------------------
namespace kadrimos::gauges::asi_main {

constinit instruments::MainAirspeedState state{};
void reset_state() { reset_to_load_values(state); }

namespace {
using namespace instruments;

MainAirspeedState& self = state;

// Step 1: the preset speeds from the gross weight. With the flaps short of
// their take-off setting the decision speed's base is 15 kt higher.
void work_out_base_speeds() {
    const bool metric = host::value<335>() != 0.0;
    self.base_speed = base_speed_kt(aircraft.GrossWeightHundreds, metric);
    const double takeoff_flaps = aircraft.FlapDetentPositions[1] - 10.0;
    const bool flaps_short = takeoff_flaps > host::value<329>();
    const int v1_base = self.base_speed + (flaps_short ? 15 : 0);
    self.v1_base_speed = static_cast<uint8_t>(std::min(v1_base, 255));
}

// Step 3: the airspeed pointer, the Mach readout and the selected speed.
void follow_the_air(bool alive) {
    const double airspeed = host::value<61>();
    if (alive && std::isfinite(airspeed)) {
        aircraft.AsiPointer =
            pointer::rise_toward(aircraft.AsiPointer, airspeed, kPointerStepKt, kPointerStepKt);
    } else {
        aircraft.AsiPointer = pointer::fall_to_zero(aircraft.AsiPointer, kPointerStepKt);
    }
    if (!alive) return;
    const double mach = host::value<64>();
    if (std::isfinite(mach))
        aircraft.MachReadout = mach > kMachFloorHostUnits
                                   ? mach / kMachHostUnitsPerReadout - kMachReadoutOffset
                                   : kMachRestingReadout;
    const double selected = host::value<116>();
    if (std::isfinite(selected)) aircraft.AsiSelectedSpeedPointer = to_integer<int32_t>(selected);
}

// Every preset speed at least its bug's lowest setting, so that the bugs
// keep their order whatever weight the bugs are made from.
void set_bugs(uint32_t b1, uint32_t b2, uint32_t b3, uint32_t b4) {
    const uint32_t speeds[] = {b1, b2, b3, b4};
    for (std::size_t k = 0; k < std::size(speeds); ++k) bug(k) = std::max(speeds[k], kBugLimits[k].low_kt);
}

void apply_preset(uint8_t preset) {
    const uint32_t base = self.base_speed;
    if (preset == kTakeoffPreset) {
        const uint32_t v1 = self.v1_base_speed;
        set_bugs(v1 > 7 ? v1 - 7 : 0, base + 15, base + 55, base + 85);
    } else {
        set_bugs(base, base + 25, base + 55, base + 85);
    }
}

// Step 6: a preset asked for is applied once, and its annunciation shows
// until 36 ticks have gone by; then the request is cleared.
void serve_preset() {
    const double tick = finite_or(host::value<1>(), 0.0);
    const uint8_t request = aircraft.AsiPresetRequest;
    if ((request == kTakeoffPreset || request == kApproachPreset) && self.preset_shown == kNoPreset) {
        apply_preset(request);
        timing::set_until(self.preset_end, tick, std::trunc(tick + kPresetTicks));
        self.preset_shown = request;
    }
    if (self.preset_shown != kNoPreset && timing::due(self.preset_end, tick)) {
        timing::clear(self.preset_end);
        self.preset_shown = kNoPreset;
        aircraft.AsiPresetRequest = kNoPreset;
    }
    // The annunciation of the preset applied: one asked for while it shows
    // has not been.
    set_visible(header, kTakeoffAnnunciation, self.preset_shown == kTakeoffPreset);
    set_visible(header, kApproachAnnunciation, self.preset_shown == kApproachPreset);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    work_out_base_speeds();
    const double max_speed = host::value<63>();
    if (std::isfinite(max_speed))
        aircraft.AsiMaxSpeedPointer = to_integer<uint32_t>(max_speed / kMaxSpeedHostUnitsPerKt);
    const uint32_t failure_report = host::bits<274>();
    follow_the_air(aircraft.DcEssBusPowered == 1 && failure_report != 1);
    show_flags(header, self.power_flag, failure_report);
    serve_preset();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kMainElements, kMainAreas, 184, callback);

}  // namespace kadrimos::gauges::asi_main

// --- "toskelin asi_main2_rulo" -----------------------------------------------------------
namespace kadrimos::gauges::asi_main2 {

constinit instruments::SecondMainAirspeedState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    instruments::show_flags(header, state.power_flag, host::bits<274>());
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(instruments::kSecondElements, instruments::kSecondAreas, 184, callback);

}  // namespace kadrimos::gauges::asi_main2

// --- "toskelin asi_sec_rulo" -------------------------------------------------------------
namespace kadrimos::gauges::asi_sec {

constinit instruments::SecondaryAirspeedState state{};
void reset_state() { reset_to_load_values(state); }

namespace {
using namespace instruments;

SecondaryAirspeedState& self = state;

constexpr uint32_t kBackground = 7067;
constexpr uint32_t kNeedleBitmap = 7672;
constexpr uint32_t kBugBitmap = 7673;

double FSAPI pointer_value(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(self.pointer_kt, 0, kTopBugKt);
}
double FSAPI bug_value(ELEMENT_HEADER*) { return clamp_write_back<uint32_t>(self.bug_kt, 0, kTopBugKt); }

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    needle_spec("BUG pointer", kBugBitmap, kSecondaryBug, bug_value, secondary_bug_scale),
    needle_spec("AIRSPEED needle", kNeedleBitmap, kSecondaryNeedle, pointer_value, secondary_scale),
};

int32_t FSAPI bug_down(PIXPOINT*, uint32_t) {
    step_down<uint32_t>(self.bug_kt, 1, 60);
    return 0;
}
int32_t FSAPI bug_up(PIXPOINT*, uint32_t) {
    step_up<uint32_t>(self.bug_kt, 1, kTopBugKt);
    return 0;
}

constexpr AreaSpec kAreas[] = {
    knob_area("BUG down", {70, 73, 20, 39}, CURSOR_DOWNARROW, bug_down),
    knob_area("BUG up", {90, 73, 20, 39}, CURSOR_UPARROW, bug_up),
};

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const double airspeed = host::value<61>();
    double pointer = self.pointer_kt;
    if (aircraft.DcEssBusPowered == 1 && std::isfinite(airspeed) && airspeed >= kSecondaryFloorKt)
        pointer = pointer::rise_toward(pointer, airspeed, kPointerStepKt, kPointerStepKt);
    else
        pointer = pointer::fall_to_zero(pointer, kPointerStepKt);
    self.pointer_kt = to_integer<uint32_t>(pointer);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 110, callback);

}  // namespace kadrimos::gauges::asi_sec
