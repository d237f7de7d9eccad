// "toskelin ap_alt_rulo": the altitude panel of the autoflight system.
//
// The crew dials the selected altitude (0 to 40000 ft, by 10 and by 100 ft;
// the knobs repeat while held) into a window of five rolling drums; a hatch
// covers the leading drum below 10000 ft. ALT arms altitude select: the
// capture starts once the vertical speed would reach the selection in 20
// seconds (a third of a minute), flies the host autopilot's vertical speed
// down in steps, and ends holding the selected altitude. ALT HOLD holds the
// altitude of the moment, 20 ft ahead of the way the aircraft is going. A
// new selection while holding starts the move to it at 1000 ft/min.
//
// The modes need the flight directors commanding (FdCommandState non-zero);
// the autopilot master clears them when the flight directors drop.
//
// The altitude alert: between 750 and 250 ft before the selected altitude
// while climbing or descending to it, and between 250 and 750 ft away from it
// while holding it, airborne with an engine running and the flight directors
// on. It lights the altimeters' alert lamp (AltAlertState) and asks for the
// chime, unless a ground proximity callout is speaking.
//
// Inputs: tokens 74 (altitude, ft), 332 (nose gear position: 0 retracted),
// 625 and 644 (engine N2, %); VerticalSpeedFpm (published by the vertical
// speed indicator, served before this panel in every window order of the
// cockpit); the autoflight modes; GpwsAlertCode; the annunciator bus.
// Outputs: SelectedAltitude, VerticalMode, HoldAltitudeReference,
// AltAlertState, AltAlertChimeRequest, ApVsCommand; it also drops speed on
// pitch, the basic pitch hold and its latch, the mode-cancel hold, the
// go-around and a localiser mode whose glide path is captured, as the
// altitude modes take the pitch channel over. Key events: the host
// autopilot's altitude reference (0x1024C, ft) and vertical-speed reference
// (0x101F4, ft/min).
//
// An altitude that is not a finite number is no reading: the modes stand as
// they are, nothing is sent to the host and the alert keeps its state until
// the altitude reads again.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "autoflight/ap_alt_state.h"
#include "autoflight/digit_window.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switches.h"

KADRIMOS_GAUGE_WITH_STATE(ap_alt, "toskelin ap_alt_rulo")

namespace kadrimos::gauges::ap_alt {

constinit autoflight::ApAltState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using autoflight::Vertical;
using autoflight::vertical_mode;

autoflight::ApAltState& self = state;

constexpr uint32_t kTokenAltitude = 74;
constexpr uint32_t kTokenNoseGear = 332;
constexpr uint32_t kTokenEngine1N2 = 625;
constexpr uint32_t kTokenEngine2N2 = 644;

constexpr uint32_t kAltitudeReferenceEvent = 0x1024C;
constexpr uint32_t kVerticalSpeedReferenceEvent = 0x101F4;

constexpr uint32_t kBackground = 7098;
constexpr uint32_t kAltHoldLightBitmap = 8120;
constexpr uint32_t kAltLightBitmap = 8121;
constexpr uint32_t kBacklightBitmap = 8122;
constexpr uint32_t kDrumWindow = 8123;  // its strip is 8124
constexpr uint32_t kHatchBitmap = 8125;

// The selection's range and the knobs' steps, ft.
constexpr int32_t kLowest = 0;
constexpr int32_t kHighest = 40000;
constexpr int32_t kFineStep = 10;
constexpr int32_t kCoarseStep = 100;
constexpr int32_t kHatchAbove = 9999;  // the leading drum shows from 10000 ft

// The capture and the move to a new selection, ft and ft/min.
constexpr double kCaptureBand = 300;      // beyond it the steps of the capture
constexpr double kOnAltitude = 20;        // a hold is reached within it
constexpr double kHoldLead = 20;          // a hold taken on the move is set ahead of it
constexpr double kClimbingOrSinking = 5;  // |v| above it: the aircraft is going somewhere
constexpr double kSettled = 100;          // |v| below it: the hold has settled
constexpr double kCaptureLeadMinutes = 1.0 / 3;
constexpr int32_t kNewSelectionRate = 1000;

// The altitude alert's band before the selected altitude, ft.
constexpr double kAlertOuter = 750;
constexpr double kAlertInner = 250;
constexpr double kEngineRunningPercent = 20;

// Alert states.
constexpr uint8_t kAlertOff = 0;
constexpr uint8_t kAlertStarted = 1;
constexpr uint8_t kAlertGoingOn = 2;
constexpr uint8_t kAlertDeviation = 3;

// --- Elements ----------------------------------------------------------------

template <int Drum>
constexpr auto drum_value = autoflight::rolling_digit<state, Drum>;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("ALTITUDE window backlight",    kBacklightBitmap, {49, 56}),
    drum_spec("ALTITUDE drum ten thousands",  kDrumWindow, {52, 60},  drum_value<0>),
    drum_spec("ALTITUDE drum thousands",      kDrumWindow, {68, 60},  drum_value<1>),
    drum_spec("ALTITUDE drum hundreds",       kDrumWindow, {84, 60},  drum_value<2>),
    drum_spec("ALTITUDE drum tens",           kDrumWindow, {100, 60}, drum_value<3>),
    drum_spec("ALTITUDE drum units",          kDrumWindow, {116, 60}, drum_value<4>),
    icon_spec("ALTITUDE leading digit hatch", kHatchBitmap, {52, 60}),
    icon_spec("ALT HOLD light",               kAltHoldLightBitmap, {7, 9}),
    icon_spec("ALT light",                    kAltLightBitmap, {7, 123}),
};
// clang-format on
constexpr int kBacklight = depth_of(kElements, "ALTITUDE window backlight");
constexpr int kHatch = depth_of(kElements, "ALTITUDE leading digit hatch");
constexpr int kAltHoldLight = depth_of(kElements, "ALT HOLD light");
constexpr int kAltLight = depth_of(kElements, "ALT light");

// --- Areas -------------------------------------------------------------------

// The selection knobs: silent, stopping at 0 and 40000 ft.
template <int32_t Step>
int32_t FSAPI decrease_selection(PIXPOINT*, uint32_t) {
    step_down(aircraft.SelectedAltitude, Step, kLowest);
    return 0;
}
template <int32_t Step>
int32_t FSAPI increase_selection(PIXPOINT*, uint32_t) {
    step_up(aircraft.SelectedAltitude, Step, kHighest);
    return 0;
}

// Entering the hold of the present altitude: the hold takes its reference
// from the altitude of the moment at the next update, whatever an earlier
// hold had latched.
void enter_present_hold() {
    autoflight::set_vertical_mode(Vertical::HoldPresent);
    self.hold_latch = 0;
}

void click_if_changed(Vertical before) {
    if (vertical_mode() != before) play_click();
}

// ALT HOLD: off while holding; otherwise holds the present altitude, unless
// a LAND approach is flying its glide path.
int32_t FSAPI alt_hold_button(PIXPOINT*, uint32_t) {
    if (!autoflight::fd_on()) return 0;
    const Vertical before = vertical_mode();
    if (autoflight::altitude_hold()) {
        autoflight::set_vertical_mode(Vertical::None);
    } else if (!(autoflight::land_mode() && autoflight::gs_captured())) {
        enter_present_hold();
        autoflight::clear_modes_for_alt_hold();
    }
    click_if_changed(before);
    return 0;
}

// ALT: arms altitude select; a second press cancels it; pressed while
// holding, it holds the present altitude instead.
int32_t FSAPI alt_button(PIXPOINT*, uint32_t) {
    if (!autoflight::fd_on()) return 0;
    const Vertical before = vertical_mode();
    if (before == Vertical::None)
        autoflight::set_vertical_mode(Vertical::AltSelectArmed);
    else if (autoflight::altitude_hold())
        autoflight::set_vertical_mode(Vertical::HoldPresentNext);
    else
        autoflight::set_vertical_mode(Vertical::None);
    click_if_changed(before);
    return 0;
}

constexpr AreaSpec kAreas[] = {
    knob_area("ALTITUDE knob 10 ft decrease", {54, 104, 43, 35}, CURSOR_DOWNARROW,
              decrease_selection<kFineStep>),
    knob_area("ALTITUDE knob 10 ft increase", {97, 104, 43, 35}, CURSOR_UPARROW,
              increase_selection<kFineStep>),
    knob_area("ALTITUDE knob 100 ft decrease", {54, 139, 43, 35}, CURSOR_DOWNARROW,
              decrease_selection<kCoarseStep>),
    knob_area("ALTITUDE knob 100 ft increase", {97, 139, 43, 35}, CURSOR_UPARROW,
              increase_selection<kCoarseStep>),
    area("ALT HOLD button", {4, 6, 35, 35}, CURSOR_HAND, alt_hold_button),
    area("ALT button", {4, 120, 35, 35}, CURSOR_HAND, alt_button),
};

// --- Commands to the host autopilot -----------------------------------------------

// The host takes signed values in the event's 32 bits.
void send_altitude_reference(int32_t feet) {
    self.altitude_reference_sent = feet;
    host::send_event(kAltitudeReferenceEvent, static_cast<uint32_t>(feet));
}

// A vertical-speed command: the basic pitch hold will take a new reference
// when it flies again.
void command_vertical_speed(int32_t fpm) {
    aircraft.ApVsCommand = fpm;
    self.vertical_speed_sent = fpm;
    autoflight::release_pitch_hold_reference();
    host::send_event(kVerticalSpeedReferenceEvent, static_cast<uint32_t>(fpm));
}

// --- Mode logic --------------------------------------------------------------------
//
// The modes run in this order; a mode entered by an earlier step is run by a
// later one in the same update.

void hold_present_altitude(double a, double v, int32_t s) {
    if (self.hold_latch == 0) {
        autoflight::set_speed_on_pitch(false);
        autoflight::stop_pitch_hold();
        const double reference = v < 0 ? a - kHoldLead : v > 0 ? a + kHoldLead : a;
        aircraft.HoldAltitudeReference = to_integer<int32_t>(reference);
        send_altitude_reference(aircraft.HoldAltitudeReference);
        self.latched_selection = s;
        self.hold_latch = 1;
    } else if (s != self.latched_selection) {
        self.hold_latch = 0;
        autoflight::set_vertical_mode(Vertical::ToNewSelection);
    }
}

void hold_selected_altitude(double v, int32_t s) {
    send_altitude_reference(s);
    if (self.hold_latch == 0 && -kSettled < v && v < kSettled) {
        self.latched_selection = s;
        self.hold_latch = 1;
    }
    if (self.hold_latch == 1 && s != self.latched_selection)
        autoflight::set_vertical_mode(Vertical::ToNewSelection);
}

// The capture steps the vertical speed down as the altitude closes: from
// above, sinks beyond 2500 ft/min become 1500, those of 1000 to 2000 become
// 1000, gentler ones fly on at the rate the capture started from; from below
// the same with 3200, 2500 and 1000. Inside 300 ft the hold of the selected
// altitude takes over within 20 ft of it.
void capture(double a, double v, int32_t s) {
    autoflight::set_speed_on_pitch(false);
    self.hold_latch = 0;
    send_altitude_reference(s);
    if (a > s + kCaptureBand) {
        if (v < -2500)
            command_vertical_speed(-1500);
        else if (v >= -2000 && v < -1000)
            command_vertical_speed(-1000);
        else if (v > -1000)
            command_vertical_speed(self.armed_vertical_speed);
    } else if (a < s - kCaptureBand) {
        if (v > 3200)
            command_vertical_speed(2500);
        else if (v > 2500)
            command_vertical_speed(1500);
        else if (v > 1000)
            command_vertical_speed(1000);
        else if (v < 1000)
            command_vertical_speed(self.armed_vertical_speed);
    } else if ((v < -kClimbingOrSinking && a < s + kOnAltitude) ||
               (v > kClimbingOrSinking && a > s - kOnAltitude)) {
        autoflight::set_vertical_mode(Vertical::HoldSelected);
    }
}

// From a hold to a new selection: 1000 ft/min towards it, the hold of the
// selected altitude within 20 ft of it (on it exactly, too).
void move_to_new_selection(double a, int32_t s) {
    autoflight::set_speed_on_pitch(false);
    self.hold_latch = 0;
    send_altitude_reference(s);
    if (a > s + kCaptureBand)
        command_vertical_speed(-kNewSelectionRate);
    else if (a < s - kCaptureBand)
        command_vertical_speed(kNewSelectionRate);
    else if (s - kOnAltitude < a && a < s + kOnAltitude)
        autoflight::set_vertical_mode(Vertical::HoldSelected);
}

// Armed: the capture starts once the selection is no more than a third of
// a minute away at the present vertical speed.
void armed(double a, double v, int32_t s) {
    self.armed_vertical_speed = to_integer<int32_t>(v);
    self.hold_latch = 0;
    const double to_go = s - a;
    const double reach = self.armed_vertical_speed * kCaptureLeadMinutes;
    const bool start = to_go > 0 ? reach >= to_go : to_go < 0 ? reach <= to_go : true;
    if (start) {
        autoflight::set_vertical_mode(Vertical::Capture);
        autoflight::set_speed_on_pitch(false);
    }
}

void run_modes(double a, double v, int32_t s) {
    if (vertical_mode() != Vertical::None && autoflight::approach_set() && autoflight::gs_captured())
        autoflight::set_vertical_mode(Vertical::None);
    if (vertical_mode() == Vertical::HoldPresent) hold_present_altitude(a, v, s);
    if (vertical_mode() == Vertical::HoldSelected) hold_selected_altitude(v, s);
    if (vertical_mode() == Vertical::Capture) capture(a, v, s);
    if (vertical_mode() == Vertical::ToNewSelection) move_to_new_selection(a, s);
    if (vertical_mode() == Vertical::HoldPresentNext) enter_present_hold();
    if (vertical_mode() == Vertical::AltSelectArmed) armed(a, v, s);
    if (vertical_mode() == Vertical::None) {
        self.hold_latch = 0;
        aircraft.AltAlertState = kAlertOff;
    }
    if (vertical_mode() != Vertical::None && vertical_mode() != Vertical::AltSelectArmed)
        autoflight::set_speed_on_pitch(false);
}

// --- Altitude alert ----------------------------------------------------------------

// The chime is asked for once, and not over a ground proximity callout.
void request_chime() {
    if (aircraft.AltAlertChimeRequest == 0 && aircraft.GpwsAlertCode == 0) aircraft.AltAlertChimeRequest = 1;
}

void alert_off() {
    aircraft.AltAlertState = kAlertOff;
    aircraft.AltAlertChimeRequest = 0;
}

// Going to the selection: the alert starts between 750 and 250 ft before it.
void approaching_alert(bool in_band) {
    if (!in_band) return alert_off();
    if (aircraft.AltAlertState == kAlertOff) {
        aircraft.AltAlertState = kAlertStarted;
        request_chime();
    } else {
        aircraft.AltAlertState = kAlertGoingOn;
    }
}

// Holding it: the deviation alert between 250 and 750 ft away from it.
void deviation_alert(bool in_band) {
    if (!in_band) return alert_off();
    aircraft.AltAlertState = kAlertDeviation;
    request_chime();
}

bool alert_armed() {
    const bool gear_up = host::value<kTokenNoseGear>() == 0.0;
    const bool engine_running = host::value<kTokenEngine1N2>() > kEngineRunningPercent ||
                                host::value<kTokenEngine2N2>() > kEngineRunningPercent;
    return gear_up && engine_running && autoflight::fd_on();
}

void run_alert(double a, double v, int32_t s) {
    const bool climbing = v > kClimbingOrSinking;
    const bool sinking = v < -kClimbingOrSinking;
    if (!climbing && !sinking) return;
    const bool below_band = s - kAlertOuter < a && a < s - kAlertInner;
    const bool above_band = s + kAlertInner < a && a < s + kAlertOuter;
    switch (vertical_mode()) {
        case Vertical::AltSelectArmed:
        case Vertical::Capture:
        case Vertical::ToNewSelection:
            approaching_alert(climbing ? below_band : above_band);
            break;
        case Vertical::HoldSelected:
            deviation_alert(climbing ? above_band : below_band);
            break;
        default:
            break;
    }
}

// --- Update ------------------------------------------------------------------------

void show_panel(int32_t s) {
    const bool powered = autoflight::annunciators_powered();
    set_visible(header, kBacklight, powered);
    light(header, kAltHoldLight, powered, autoflight::altitude_hold());
    light(header, kAltLight, powered, autoflight::altitude_select());
    set_visible(header, kHatch, s <= kHatchAbove);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    aircraft.SelectedAltitude = std::clamp(aircraft.SelectedAltitude, kLowest, kHighest);
    const int32_t s = aircraft.SelectedAltitude;

    const double a = host::value<kTokenAltitude>();
    const double v = finite_or(aircraft.VerticalSpeedFpm, 0.0);
    if (std::isfinite(a)) {
        run_modes(a, v, s);
        if (alert_armed()) run_alert(a, v, s);
    }
    if (!autoflight::fd_on() || vertical_mode() == Vertical::None) aircraft.AltAlertChimeRequest = 0;

    autoflight::set_digit_targets(self.drum_targets, s);
    show_panel(s);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 138, callback);

}  // namespace kadrimos::gauges::ap_alt
