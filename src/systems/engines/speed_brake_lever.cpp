// "toskelin spd_brk_lev_rulo": the speed brake lever on the pedestal, with
// the ground spoilers' arming.
//
// The lever moves in steps of 1000 from stowed (0) to full (16000); each
// step commands the host's spoilers to the new position, as long as the
// spoiler actuators have pressure (yellow or blue hydraulics) and their
// control has DC essential power. Lifting the stowed lever into ARM arms the
// ground spoilers: armed on the ground they deploy on a rejected take-off
// (take-off thrust set, then the throttles pulled back), armed in flight they
// deploy at touchdown. Deployed spoilers take the lever to its deployed stop
// (16001) until the host's spoilers are stowed again. Moving the lever
// disarms them.
//
// Inputs: tokens 325 (spoiler handle, 16000 and above = deployed), 60
// (exactly 1.0 on the ground, 0.0 in flight), 624 (engine 1 N1, %), 558
// (engine 1 throttle, 1.0 = full forward); HydStateYellow, HydStateBlue,
// DcEssBusPowered.
// Outputs: SpeedBrakeArmed (0 not armed, 1 armed, 2 deployed by the ground
// spoiler logic); events SPOILERS_SET (0x100FA, the lever position) and
// SPOILERS_ON (0x10210).
//
// A ground reading that is neither 1.0 nor 0.0 is neither on the ground nor
// in flight: ARM then arms nothing, and nothing deploys. A spoiler, N1 or
// throttle reading that is not a number moves nothing.
#include <cmath>
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
#include "panel/switches.h"
#include "systems/engines/speed_brake_state.h"

KADRIMOS_GAUGE_WITH_STATE(spd_brk_lev, "toskelin spd_brk_lev_rulo")

namespace kadrimos::gauges::spd_brk_lev {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

State& self = state;

constexpr uint32_t kSpoilersSet = 0x100FA;  // with the lever position
constexpr uint32_t kSpoilersOn = 0x10210;   // full out

constexpr int16_t kArmBelow = 2000;  // the lever lifts into ARM only from near stowed
constexpr double kHostDeployed = 16000;
constexpr double kHostStowed = 1.0;
constexpr uint32_t kTakeoffN1Percent = 85;
constexpr double kRejectThrottle = 0.6;  // throttle 1 pulled back below this

// Slider values: the handle moves 1 unit each 327.6 of lever, the lever's
// shaft 1 unit each 364; an armed lever stands its handle at 50.
constexpr double kHandleDivisor = 327.6;
constexpr int kShaftDivisor = 364;
constexpr double kArmedHandle = 50;
// Pixels a slider unit. The shaft moves 0.9 of the handle's units, so its
// scale is the handle's over 0.9: the two stay together down the slot.
constexpr double kHandlePixels = 1.35;
constexpr double kShaftPixels = 1.5;

double FSAPI handle_value(ELEMENT_HEADER*) { return self.handle_value; }
double FSAPI lever_value(ELEMENT_HEADER*) { return self.lever_value; }

// Depth 1 the handle, 2 the lever's shaft (both sliders moving down the slot
// as the lever goes to full), 3 the lever lifted into ARM.
constexpr ElementSpec kElements[] = {
    background_spec(6155),
    slider_spec("SPEED BRAKE handle", 6158, {6, 9}, nullptr, 0, handle_value, kHandlePixels),
    slider_spec("SPEED BRAKE lever", 6161, {9, 27}, nullptr, 0, lever_value, kShaftPixels),
    icon_spec("SPEED BRAKE armed lever", 8467, {3, 10}),
};
constexpr int kHandle = depth_of(kElements, "SPEED BRAKE handle");
constexpr int kShaft = depth_of(kElements, "SPEED BRAKE lever");
constexpr int kArmedLever = depth_of(kElements, "SPEED BRAKE armed lever");

// The spoilers' actuators need yellow or blue pressure, their control the
// DC essential bus.
bool spoilers_powered() {
    return (aircraft.HydStateYellow != 0 || aircraft.HydStateBlue != 0) && aircraft.DcEssBusPowered == 1;
}

void disarm() {
    aircraft.SpeedBrakeArmed = 0;
    self.takeoff_n1_peak = 0;
    self.arm_mode = kNotArmed;
}

// A step of the lever disarms the ground spoilers and commands the new
// position.
void step_lever(bool extend) {
    if (extend)
        step_up<int16_t>(self.lever, kLeverStep, kLeverFull);
    else
        step_down<int16_t>(self.lever, kLeverStep, 0);
    disarm();
    if (spoilers_powered()) host::send_event(kSpoilersSet, static_cast<uint32_t>(self.lever));
}

int32_t FSAPI extend(PIXPOINT*, uint32_t) {
    step_lever(true);
    return 0;
}

int32_t FSAPI retract(PIXPOINT*, uint32_t) {
    step_lever(false);
    return 0;
}

int32_t FSAPI arm(PIXPOINT*, uint32_t) {
    if (self.lever >= kArmBelow) return 0;
    self.lever = 0;
    if (!spoilers_powered()) return 0;
    const double ground = host::value<60>();
    if (ground == 1.0) {
        aircraft.SpeedBrakeArmed = 1;
        self.arm_mode = kRejectedTakeoff;
    } else if (ground == 0.0) {
        aircraft.SpeedBrakeArmed = 1;
        self.arm_mode = kLanding;
    }
    return 0;
}

// The lower band pulls the lever towards full, the middle one pushes it back
// towards stowed; both repeat while held. The top band is the ARM gate.
constexpr AreaSpec kAreas[] = {
    knob_area("SPEED BRAKE extend", {0, 66, 33, 35}, CURSOR_DOWNARROW, extend),
    knob_area("SPEED BRAKE retract", {0, 31, 33, 35}, CURSOR_UPARROW, retract),
    area("SPEED BRAKE ARM", {0, 10, 33, 21}, CURSOR_HAND, arm),
};

// Step 1: the lever as it stood at the end of the last update.
void show_lever() {
    const bool armed = aircraft.SpeedBrakeArmed == 1;
    set_visible(header, kArmedLever, armed);
    set_visible(header, kHandle, !armed);
    const bool shaft_hidden = armed || self.lever < 0;
    set_visible(header, kShaft, !shaft_hidden);
    if (shaft_hidden) {
        self.handle_value = kArmedHandle - self.lever;
    } else {
        self.handle_value = std::trunc(self.lever / kHandleDivisor);
        self.lever_value = self.lever / kShaftDivisor;
    }
}

// Step 2: the host's spoilers out take the lever to its deployed stop; once
// they are stowed again, the lever returns to stowed and disarmed.
void follow_host_spoilers() {
    const double spoilers = host::value<325>();
    if (spoilers >= kHostDeployed) self.lever = kLeverDeployed;
    if (self.lever == kLeverDeployed && spoilers <= kHostStowed) {
        self.lever = 0;
        disarm();
    }
}

void deploy() {
    aircraft.SpeedBrakeArmed = 2;
    host::send_event(kSpoilersOn, 0);
    self.takeoff_n1_peak = 0;
    self.lever = kLeverDeployed;
}

// Steps 3 to 5. On a rejected take-off the spoilers deploy once: the
// deployment leaves them no longer armed. Armed for landing they are sent
// out at every update on the ground until the lever is moved or the host's
// spoilers are stowed; the host's command sets them full out, so a repeat
// changes nothing.
void ground_spoilers() {
    const bool on_ground = host::value<60>() == 1.0;
    const double n1 = host::value<624>();
    const double throttle = host::value<558>();
    const bool armed = aircraft.SpeedBrakeArmed == 1;
    if (armed && on_ground) {
        const uint32_t n1_percent = to_integer<uint32_t>(n1);
        if (n1_percent > self.takeoff_n1_peak) self.takeoff_n1_peak = n1_percent;
    }
    if (!on_ground || !spoilers_powered()) return;
    const bool rejected_takeoff = armed && self.arm_mode == kRejectedTakeoff &&
                                  self.takeoff_n1_peak >= kTakeoffN1Percent && throttle < kRejectThrottle;
    if (rejected_takeoff || self.arm_mode == kLanding) deploy();
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_lever();
    follow_host_spoilers();
    ground_spoilers();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 33, callback);

}  // namespace kadrimos::gauges::spd_brk_lev
