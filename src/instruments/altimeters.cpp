// "toskelin alti_main_rulo" and "toskelin alti_sec_rulo": the two barometric
// altimeters of the main panel, each a pointer turning once a thousand feet
// over a counter of digit drums, with the pressure setting shown twice under
// the hub: millibars on the left, hundredths of an inch of mercury on the
// right (altimeter.h has what they share).
//
// The main altimeter is the simulator's own altimeter, on the AC essential
// bus. Its knob sets the simulator's pressure setting: each half steps it
// down (left) or up (right), by a sixteenth of a millibar on the upper band
// and ten sixteenths on the lower one, checked before the step against the
// setting's range (739 to 1053 mb; 750 to 1040 mb for the large steps), so
// that a step may end just beyond it. Its windows show the simulator's
// setting. It carries the altitude-alert light, lit on the DC essential bus:
// steady when the autopilot's altitude alert starts or goes on, flashing 4
// ticks on and 4 off on a deviation while holding, with the lamp test
// otherwise. It publishes whether the simulator reports it inoperative;
// then, or without power, its two OFF flags show. The hatch over its
// ten-thousands window goes at 9998 ft.
//
// The secondary altimeter, on the DC essential bus, keeps a setting of its
// own: the simulator's at its first update, then stepped by a third of a
// millibar a click of its knob, within 739 to 1053 mb. It reads the
// simulator's altitude corrected by 29.52 ft per millibar of difference
// between the two settings. It has one OFF flag, and its hatch goes at
// 10000 ft. Its counter turns its hundreds drum continuously and rolls its
// thousands and ten-thousands drums over the last foot of theirs.
//
// Inputs: tokens 74 (altitude, ft), 75 and 76 (the simulator's setting, mb
// and inches of mercury), 275 (1: the main altimeter inoperative), 1
// (ticks); AcEssBusPowered, DcEssBusPowered, AnnLightTest, AltAlertState.
// Outputs: AltimeterInop; key event 0x101F8 (the setting in sixteenths of a
// millibar).
#include <cmath>
#include <cstdint>
#include <limits>

#include "instruments/altimeter.h"
#include "instruments/altimeters_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/timing.h"

KADRIMOS_GAUGE_WITH_STATE(alti_main, "toskelin alti_main_rulo")
KADRIMOS_GAUGE_WITH_STATE(alti_sec, "toskelin alti_sec_rulo")

namespace kadrimos::instruments::altimeter {
namespace {

constexpr uint32_t kAltitudeToken = 74;
constexpr uint32_t kSettingMbToken = 75;
constexpr uint32_t kSettingInToken = 76;
constexpr uint32_t kInoperativeToken = 275;
constexpr uint32_t kTickToken = 1;

// The pressure setting's range, millibars.
constexpr int kLowestMb = 739;
constexpr int kHighestMb = 1053;

}  // namespace
}  // namespace kadrimos::instruments::altimeter

// --- The main altimeter ----------------------------------------------------------------

namespace kadrimos::gauges::alti_main {

constinit instruments::MainAltimeterState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace instruments::altimeter;
instruments::MainAltimeterState& self = state;
instruments::AltimeterDisplay& display() { return state.display; }

constexpr uint32_t kBackground = 7064;
constexpr uint32_t kKohlsmanSet = 0x101F8;  // the simulator's setting, sixteenths of a millibar
constexpr double kHatchGoneFt = 9998;

// The knob's large steps stop short of the setting's range.
constexpr int kLowestCoarseMb = 750;
constexpr int kHighestCoarseMb = 1040;

// AltAlertState: 1 alert started, 2 alert going on, 3 deviation while holding.
constexpr uint8_t kAlertFlashing = 3;
// A deviation's flash lasts until the alert leaves it.
constexpr double kFlashUntilCleared = std::numeric_limits<double>::infinity();

// Pointer calibration: 36 degrees for 10 units, 0 at twelve o'clock.
constinit NONLINEARITY pointer_scale[] = {
    {{152, 32}, -90, 0},  {{175, 64}, -80, 0}, {{175, 104}, -70, 0}, {{152, 136}, -60, 0},
    {{114, 148}, -50, 0}, {{76, 136}, -40, 0}, {{53, 104}, -30, 0},  {{53, 64}, -20, 0},
    {{76, 32}, -10, 0},   {{114, 20}, 0, 0},   {{152, 32}, 10, 0},   {{175, 64}, 20, 0},
    {{175, 104}, 30, 0},  {{152, 136}, 40, 0}, {{114, 148}, 50, 0},  {{76, 136}, 60, 0},
    {{53, 104}, 70, 0},   {{53, 64}, 80, 0},   {{76, 32}, 90, 0},
};

constexpr auto kElements = join<ElementSpec>(
    background_spec(kBackground), icon_spec("ALT ALERT light", kAlertLightBitmap, {4, 4}),
    drum_spec("ALT tens drum", kAltitudeWindowBitmap, {125, kCounterY}, continuous_window<display, 10>),
    drum_spec("ALT hundreds drum", kAltitudeWindowBitmap, {114, kCounterY}, rolling_window<display, 100, 1>),
    drum_spec("ALT thousands drum", kAltitudeWindowBitmap, {103, kCounterY},
              rolling_window<display, 1000, 2>),
    drum_spec("ALT ten thousands drum", kAltitudeWindowBitmap, {92, kCounterY},
              rolling_window<display, 10000, 3>),
    pressure_drums<display>(), icon_spec("ALT ten thousands hatch", kHatchBitmap, {92, kCounterY}),
    icon_spec("ALT ten thousands NEG window flag", kNegativeFlagBitmap, {92, kCounterY}),
    icon_spec("ALT ten thousands OFF window flag", kWindowOffFlagBitmap, {92, kCounterY}),
    icon_spec("ALT OFF flag", kDialOffFlagBitmap, kDialOffFlag),
    needle_spec("ALT pointer", kPointerBitmap, kPointer, pointer<display>, pointer_scale));

constexpr int kAlertLight = depth_of(kElements, "ALT ALERT light");
constexpr FlagDepths kFlags = {
    depth_of(kElements, "ALT ten thousands hatch"),
    depth_of(kElements, "ALT ten thousands NEG window flag"),
    {depth_of(kElements, "ALT ten thousands OFF window flag"), depth_of(kElements, "ALT OFF flag")}};

// One step of the knob: the simulator's setting, on the near side of
// `LimitMb`, moved by `Sixteenths` of a millibar and sent back. Nothing
// without power, nor on a setting that is not a finite number.
template <int Sixteenths, int LimitMb>
int32_t FSAPI turn_knob(PIXPOINT*, uint32_t) {
    if (aircraft.AcEssBusPowered != 1) return 0;
    const double p = host::value<kSettingMbToken>();
    if (!std::isfinite(p)) return 0;
    if (Sixteenths < 0 ? !(p > LimitMb) : !(p < LimitMb)) return 0;
    const uint32_t setting = to_integer<uint32_t>(p * 16 + Sixteenths);
    host::send_event(kKohlsmanSet, setting);
    self.last_setting_sent = setting;
    return 0;
}

// The knob's halves, decreasing on the left; the lower band takes the large
// steps.
constexpr auto kAreas = join<AreaSpec>(
    knob_area("BARO knob left coarse", {0, 155, 36, 28}, CURSOR_DOWNARROW, turn_knob<-10, kLowestCoarseMb>),
    knob_area("BARO knob left fine", {0, 127, 36, 28}, CURSOR_DOWNARROW, turn_knob<-1, kLowestMb>),
    knob_area("BARO knob right coarse", {36, 155, 36, 28}, CURSOR_UPARROW, turn_knob<10, kHighestCoarseMb>),
    knob_area("BARO knob right fine", {36, 127, 36, 28}, CURSOR_UPARROW, turn_knob<1, kHighestMb>));

// The altitude-alert light, on the DC essential bus; with the bus down or
// the altimeter reported inoperative it stays as it was. A deviation's flash
// turns on the tick counter: out 4 ticks after it came on, on again 8 ticks
// after, from the tick each change is reached, so that a tick the simulator
// skips delays a change by that tick and never stops the flash.
void run_alert_light(bool inoperative) {
    if (aircraft.DcEssBusPowered != 1 || inoperative) return;
    const uint8_t alert = aircraft.AltAlertState;
    if (alert == kAlertFlashing) {
        const double now = finite_or(host::value<kTickToken>(), 0.0);
        if (self.alert_flash.active == 0) timing::start(self.alert_flash, now);
        const bool lit =
            timing::blink(self.alert_flash, now, kFlashUntilCleared, timing::FlashEnd::OnceReached);
        self.alert_light = lit ? 1 : 0;
        return;
    }
    timing::stop(self.alert_flash);
    self.alert_light = alert == 1 || alert == 2 || aircraft.AnnLightTest == 1 ? 1 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool powered = aircraft.AcEssBusPowered == 1;
    const double altitude = host::value<kAltitudeToken>();
    const bool inoperative = host::bits<kInoperativeToken>() == 1;
    if (powered) {
        follow(self.display, altitude);
        set_pressure(self.display.inches, host::value<kSettingInToken>() * 100);
        set_pressure(self.display.millibars, host::value<kSettingMbToken>());
    }
    if (powered && !inoperative) {
        self.display.failure_flags = 0;
        place_window_flags(self.display, altitude, kHatchGoneFt);
    } else {
        self.display.failure_flags = 1;
    }
    aircraft.AltimeterInop = inoperative ? 1 : 0;
    run_alert_light(inoperative);

    show_flags(header, self.display, kFlags);
    set_visible(header, kAlertLight, self.alert_light == 1);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 191, callback);

}  // namespace kadrimos::gauges::alti_main

// --- The secondary altimeter -------------------------------------------------------------

namespace kadrimos::gauges::alti_sec {

constinit instruments::SecondaryAltimeterState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace instruments::altimeter;
instruments::SecondaryAltimeterState& self = state;
instruments::AltimeterDisplay& display() { return state.display; }

constexpr uint32_t kBackground = 7065;
constexpr double kHatchGoneFt = 10000;
constexpr double kFeetPerMb = 29.52;           // the correction for its own setting
constexpr double kHundredthsInPerMb = 2.9531;  // its inch windows
constexpr double kKnobStepMb = 0.33334;

constinit NONLINEARITY pointer_scale[] = {
    {{152, 32}, -90, 0},  {{175, 64}, -80, 0}, {{175, 104}, -70, 0}, {{152, 136}, -60, 0},
    {{114, 148}, -50, 0}, {{76, 136}, -40, 0}, {{53, 104}, -30, 0},  {{53, 64}, -20, 0},
    {{76, 32}, -10, 0},   {{114, 20}, 0, 0},   {{152, 32}, 10, 0},   {{175, 64}, 20, 0},
    {{175, 104}, 30, 0},  {{152, 136}, 40, 0}, {{114, 148}, 50, 0},  {{76, 136}, 60, 0},
    {{53, 104}, 70, 0},   {{53, 64}, 80, 0},   {{76, 32}, 90, 0},
};

constexpr auto kElements = join<ElementSpec>(
    background_spec(kBackground),
    drum_spec("ALT hundreds drum", kAltitudeWindowBitmap, {119, kCounterY}, continuous_window<display, 100>),
    drum_spec("ALT thousands drum", kAltitudeWindowBitmap, {108, kCounterY},
              rolling_window<display, 1000, 3>),
    drum_spec("ALT ten thousands drum", kAltitudeWindowBitmap, {97, kCounterY},
              rolling_window<display, 10000, 4>),
    pressure_drums<display>(), icon_spec("ALT ten thousands hatch", kHatchBitmap, {97, kCounterY}),
    icon_spec("ALT ten thousands NEG window flag", kNegativeFlagBitmap, {97, kCounterY}),
    icon_spec("ALT OFF flag", kDialOffFlagBitmap, kDialOffFlag),
    needle_spec("ALT pointer", kPointerBitmap, kPointer, pointer<display>, pointer_scale));

constexpr FlagDepths kFlags = {depth_of(kElements, "ALT ten thousands hatch"),
                               depth_of(kElements, "ALT ten thousands NEG window flag"),
                               {depth_of(kElements, "ALT OFF flag"), 0}};

// A third of a millibar a click, checked against the range before the step;
// nothing without power. The simulator is not told.
template <bool Up>
int32_t FSAPI turn_knob(PIXPOINT*, uint32_t) {
    if (aircraft.DcEssBusPowered != 1) return 0;
    double& p = self.SecPressureMb;
    if (Up && p < kHighestMb) p += kKnobStepMb;
    if (!Up && p > kLowestMb) p -= kKnobStepMb;
    return 0;
}

constexpr auto kAreas =
    join<AreaSpec>(knob_area("BARO knob left", {0, 127, 36, 56}, CURSOR_DOWNARROW, turn_knob<false>),
                   knob_area("BARO knob right", {36, 127, 36, 56}, CURSOR_UPARROW, turn_knob<true>));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const double setting_mb = host::value<kSettingMbToken>();
    const double altitude = host::value<kAltitudeToken>();
    // Its own setting starts at the simulator's, once that is a number.
    if (self.SecPressureInit == 0 && std::isfinite(setting_mb)) {
        self.SecPressureMb = setting_mb;
        self.SecPressureInit = 1;
    }
    // No correction while the simulator's setting cannot be read.
    const double correction_ft =
        std::isfinite(setting_mb) ? (setting_mb - self.SecPressureMb) * kFeetPerMb : 0;
    const double corrected = altitude - correction_ft;
    if (std::isfinite(corrected)) self.corrected_ft = corrected;

    if (aircraft.DcEssBusPowered == 1) {
        follow(self.display, corrected);
        set_pressure(self.display.inches, self.SecPressureMb * kHundredthsInPerMb);
        set_pressure(self.display.millibars, self.SecPressureMb);
        self.display.failure_flags = 0;
        place_window_flags(self.display, corrected, kHatchGoneFt);
    } else {
        self.display.failure_flags = 1;
    }
    show_flags(header, self.display, kFlags);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 191, callback);

}  // namespace kadrimos::gauges::alti_sec
