// "toskelin ap_ats_rulo": the autothrottle panel and its logic.
//
// The selected-speed window (three drums) with its knobs, the SPD and N1
// pushbuttons with their lights and the two-position arm switch. In SPD the
// host's airspeed hold keeps the selected speed; in N1 the autothrottle moves
// both throttles in steps until the N1 error of the thrust rating computer
// is inside its dead band: big errors every update, the others one step
// every 18 ticks. With the go-around rating the N1 mode starts the go-around:
// the approach and the other modes drop and the climb follows a vertical
// speed schedule by the flaps. In the last 100 ft of a dual-channel LAND the
// throttles are pulled back 50 units an update, never below idle.
//
// The arm switch trips to OFF when the electrical panel sheds the
// autothrottle's loads, a supply is lost, or an engine falls below 20 % N1
// in N1 mode; each disconnect raises the ATS-off warning once, and the pilot
// cancels it by moving the throttles.
//
// Throttle commands stay within the levers' travel (0 to 16383): a step
// below idle is idle, a step beyond full travel is full travel. A throttle
// lever or N1 error that is not a number sends no throttle command; a speed
// reference that is not a number leaves the window where it was; N1
// readings that are not numbers neither arm the N1 mode nor trip it.
//
// Inputs: AtsArmSwitch, AtsSpeedMode, AtsThrustMode, TrcMode, N1Deviation,
// VerticalSpeedFpm, RadioAltitudeFt, FlapDetentPositions, the mode bytes and
// supplies (modes.h); tokens 1 (ticks), 60 (on ground), 103 (host autopilot
// master), 115 (host airspeed hold), 116 (airspeed reference), 123 (host
// autothrottle armed), 128 and 163 (throttle levers, lever units), 329
// (flaps), 332 (nose gear), 558 and 568 (throttle levers, 0..1), 614 (radio
// height, m), 624 and 643 (N1, %).
// Outputs: SelectedSpeed, AtsArmSwitch, AtsSpeedMode, AtsThrustMode,
// AtsOffWarning, GoAroundMode, ApVsCommand; with a go-around the approach,
// heading, vertical, speed-on-pitch, NAV and mode-cancel modes, the rating
// selection and a dual autopilot; events 0x101f5 (speed reference), 0x10144
// (host autothrottle arm), 0x1022d/0x1022e (airspeed hold on/off),
// 0x1011c/0x1011d (throttles), 0x101ad/0x101b2 (throttles a small step
// up), 0x101f3 and 0x101f4 (altitude and vertical-speed references).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "autoflight/ap_ats_state.h"
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
#include "panel/switch_areas.h"
#include "panel/switches.h"
#include "panel/timing.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(ap_ats, "toskelin ap_ats_rulo")

namespace kadrimos::gauges::ap_ats {

constinit autoflight::AtsState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace autoflight;

AtsState& self = state;

constexpr uint32_t kBackground = 7100;
constexpr uint32_t kSpdLight = 8440;
constexpr uint32_t kN1Light = 8441;
constexpr uint32_t kDrumWindow = 8442;  // its strip is 8443
constexpr uint32_t kSwitchOff = 8444;
constexpr uint32_t kSwitchOn = 8445;

constexpr uint32_t kTokenTicks = 1;
constexpr uint32_t kTokenOnGround = 60;
constexpr uint32_t kTokenApMaster = 103;
constexpr uint32_t kTokenSpeedHold = 115;
constexpr uint32_t kTokenSpeedReference = 116;
constexpr uint32_t kTokenHostAtsArmed = 123;
constexpr uint32_t kTokenLever1 = 128;
constexpr uint32_t kTokenLever2 = 163;
constexpr uint32_t kTokenFlaps = 329;
constexpr uint32_t kTokenNoseGear = 332;
constexpr uint32_t kTokenLever1Fraction = 558;
constexpr uint32_t kTokenLever2Fraction = 568;
constexpr uint32_t kTokenRadioHeightM = 614;
constexpr uint32_t kTokenN1Engine1 = 624;
constexpr uint32_t kTokenN1Engine2 = 643;

constexpr uint32_t kEventSpeedReference = 0x101f5;
constexpr uint32_t kEventHostAtsArm = 0x10144;
constexpr uint32_t kEventSpeedHoldOn = 0x1022d;
constexpr uint32_t kEventSpeedHoldOff = 0x1022e;
constexpr uint32_t kEventThrottle1 = 0x1011c;
constexpr uint32_t kEventThrottle2 = 0x1011d;
constexpr uint32_t kEventThrottle1Up = 0x101ad;
constexpr uint32_t kEventThrottle2Up = 0x101b2;
constexpr uint32_t kEventAltitudeReference = 0x101f3;
constexpr uint32_t kEventVsReference = 0x101f4;

// Switch positions and mode values (0 is OFF settled: the mode annunciator
// settles a new OFF to it).
constexpr uint8_t kSwitchArmed = 1;
constexpr uint8_t kSwitchOffNew = 2;
constexpr uint8_t kModeOff = 0;
constexpr uint8_t kModeEngaged = 1;
constexpr uint8_t kModeDropping = 2;

// The rating selection of the thrust rating computer: 1 to 3 the take-off
// family (3 the go-around), above it climb and cruise.
constexpr uint8_t kRatingGoAround = 3;

constexpr int32_t kLowestSpeed = 0;
constexpr int32_t kHighestSpeed = 400;

// The throttle levers' travel in the host's lever units.
constexpr int32_t kLeverIdle = 0;
constexpr int32_t kLeverFull = 16383;

constexpr double kArmingN1 = 25;       // both engines above it: the host autothrottle stays armed
constexpr double kEngagingN1 = 20;     // the N1 mode needs both engines above it
constexpr double kCancelMovement = 2;  // throttle units the pilot moves to cancel the ATS-off warning
constexpr double kStepTicks = 18;
constexpr double kFlapMargin = 10;            // flaps within it of the first detent count as out
constexpr double kGearDown = 1;               // nose gear value from which it is down
constexpr double kSmallStepLeverLimit = 0.8;  // the take-off family's boost stops at it
constexpr double kDualChannelUpFt = 700;      // a go-around above it leaves one autopilot
constexpr double kRetardHeightFt = 100;
constexpr double kRetardLeverLimit = 0.6;
constexpr int32_t kRetardStep = 50;
constexpr int32_t kGoAroundAltitudeReference = 60000;

// The re-send window: outside it the commands are re-sent when engine 1's
// lever has strayed from its command.
constexpr double kStrayBelow = 210;
constexpr double kStrayAbove = 250;

// --- Elements ----------------------------------------------------------------

template <int Drum>
constexpr auto drum_value = rolling_digit<state, Drum>;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    drum_spec("SPEED drum hundreds", kDrumWindow, {13, 62}, drum_value<0>),
    drum_spec("SPEED drum tens",     kDrumWindow, {29, 62}, drum_value<1>),
    drum_spec("SPEED drum units",    kDrumWindow, {45, 62}, drum_value<2>),
    icon_spec("SPD light",           kSpdLight,   {52, 8}),
    icon_spec("N1 light",            kN1Light,    {93, 8}),
    icon_spec("ATS OFF",             kSwitchOff,  {89, 56}),
    icon_spec("ATS ON",              kSwitchOn,   {89, 56}),
};
// clang-format on
constexpr int kSpdLightDepth = depth_of(kElements, "SPD light");
constexpr int kN1LightDepth = depth_of(kElements, "N1 light");
constexpr int kSwitchOffDepth = depth_of(kElements, "ATS OFF");
constexpr int kSwitchOnDepth = depth_of(kElements, "ATS ON");

// --- Host readings ------------------------------------------------------------

bool on_ground() { return host::value<kTokenOnGround>() == 1.0; }
bool airborne() { return host::value<kTokenOnGround>() == 0.0; }

// A host function switched by an on and an off event: switched off only
// while its flag reads 1.0 and on only while it reads 0, and taken as the
// event leaves it for the rest of the update, so that no event goes twice.
class HostFunction {
public:
    explicit HostFunction(double flag) : flag_(flag) {}
    void switch_on(uint32_t event, uint32_t value = 0) {
        if (flag_ != 0.0) return;
        host::send_event(event, value);
        flag_ = 1.0;
    }
    void switch_off(uint32_t event, uint32_t value = 0) {
        if (flag_ != 1.0) return;
        host::send_event(event, value);
        flag_ = 0.0;
    }

private:
    double flag_;
};

struct Host {
    HostFunction autothrottle;
    HostFunction speed_hold;
    void arm() { autothrottle.switch_on(kEventHostAtsArm, 1); }
    void disarm() { autothrottle.switch_off(kEventHostAtsArm, 0); }
    void hold_on() { speed_hold.switch_on(kEventSpeedHoldOn); }
    void hold_off() { speed_hold.switch_off(kEventSpeedHoldOff); }
};

// --- Throttle commands --------------------------------------------------------

int32_t within_travel(int64_t command) {
    return static_cast<int32_t>(std::clamp<int64_t>(command, kLeverIdle, kLeverFull));
}

// A lever position plus a step, within the levers' travel.
int32_t stepped(double lever, int32_t step) {
    return within_travel(static_cast<int64_t>(to_integer<int32_t>(lever)) + step);
}

void send_commands() {
    host::send_event(kEventThrottle1, static_cast<uint32_t>(self.throttle_command[0]));
    host::send_event(kEventThrottle2, static_cast<uint32_t>(self.throttle_command[1]));
}

void command_both(int32_t command) {
    self.throttle_command[0] = command;
    self.throttle_command[1] = command;
}

// One band of N1 error: [low, high) with its throttle step. Timed steps move
// once and then wait 18 ticks; the others move at every update, the boost
// band with the host's small step-up of both throttles too.
enum class Pace : uint8_t { Timed, EveryUpdate, Boost };
struct Band {
    double low;
    double high;
    int32_t step;
    Pace pace;
    uint32_t lever;  // the lever the step is taken from
};

constexpr double kInf = std::numeric_limits<double>::infinity();

// Columns: N1 error band (%N1, from, to), throttle step, pace, lever.
// clang-format off
// Climb and cruise ratings.
constexpr Band kClimbBands[] = {
    {-kInf, -20,   150, Pace::Boost,       kTokenLever1},
    {-20,   -10,   150, Pace::Timed,       kTokenLever1},
    {-10,   -5,    50,  Pace::Timed,       kTokenLever1},
    {-5,    -1,    25,  Pace::Timed,       kTokenLever1},
    {-1,    -0.5,  10,  Pace::Timed,       kTokenLever1},
    {-0.5,  -0.15, 5,   Pace::Timed,       kTokenLever1},
    {0.15,  0.5,   -5,  Pace::Timed,       kTokenLever1},
    {0.5,   1,     -10, Pace::Timed,       kTokenLever1},
    {1,     5,     -50, Pace::Timed,       kTokenLever1},
    {5,     10,    -150, Pace::Timed,      kTokenLever1},
    {10,    kInf,  -10, Pace::EveryUpdate, kTokenLever1},
};
// The take-off family (take-off, flex, go-around). Far below its target the
// boost runs only while engine 1's lever is at most 0.8 of its travel.
constexpr Band kTakeOffBands[] = {
    {-kInf, -10,   150, Pace::Boost,       kTokenLever1},
    {-10,   -5,    150, Pace::Timed,       kTokenLever2},
    {-5,    -2,    50,  Pace::Timed,       kTokenLever1},
    {-2,    -1,    25,  Pace::Timed,       kTokenLever1},
    {-1,    -0.5,  10,  Pace::Timed,       kTokenLever1},
    {-0.5,  -0.15, 5,   Pace::Timed,       kTokenLever1},
    {0.15,  0.5,   -5,  Pace::Timed,       kTokenLever1},
    {0.5,   1,     -10, Pace::Timed,       kTokenLever1},
    {1,     5,     -50, Pace::Timed,       kTokenLever1},
    {5,     10,    -150, Pace::Timed,      kTokenLever1},
    {10,    kInf,  -10, Pace::EveryUpdate, kTokenLever1},
};
// clang-format on
constexpr double kDeadBand = 0.15;  // |e| below it: on target

double lever_value(uint32_t token) {
    return token == kTokenLever2 ? host::value<kTokenLever2>() : host::value<kTokenLever1>();
}

template <std::size_t N>
const Band* band_of(const Band (&bands)[N], double e) {
    for (const Band& b : bands)
        if (e >= b.low && e < b.high) return &b;
    return nullptr;
}

// Holds N1 on the rating's target: the steps of the error's band.
template <std::size_t N>
void hold_n1(const Band (&bands)[N], double resend_window, bool boost_allowed) {
    const double e = aircraft.N1Deviation;
    const double lever1 = host::value<kTokenLever1>();
    if (!std::isfinite(e) || !std::isfinite(lever1)) return;
    if (-resend_window < e && e < resend_window &&
        (lever1 < self.throttle_command[0] - kStrayBelow || lever1 > self.throttle_command[0] + kStrayAbove))
        send_commands();
    if (-kDeadBand < e && e < kDeadBand) {
        timing::clear(self.step_timer);
        return;
    }
    const Band* b = band_of(bands, e);
    if (b == nullptr) return;
    const double lever = lever_value(b->lever);
    if (!std::isfinite(lever)) return;
    switch (b->pace) {
        case Pace::Boost:
            if (!boost_allowed) return;
            host::send_event(kEventThrottle1Up);
            host::send_event(kEventThrottle2Up);
            command_both(stepped(lever, b->step));
            break;
        case Pace::EveryUpdate:
            command_both(stepped(lever, b->step));
            break;
        case Pace::Timed: {
            const double now = finite_or(host::value<kTokenTicks>(), 0.0);
            if (timing::due(self.step_timer, now)) timing::clear(self.step_timer);
            if (!timing::is_set(self.step_timer)) {
                command_both(stepped(lever, b->step));
                timing::set_for(self.step_timer, now, kStepTicks);
            }
            break;
        }
    }
    send_commands();
}

// --- Areas -------------------------------------------------------------------

void send_selected_speed() {
    host::send_event(kEventSpeedReference, static_cast<uint32_t>(aircraft.SelectedSpeed));
}

template <int32_t Step>
int32_t FSAPI decrease_speed(PIXPOINT*, uint32_t) {
    step_down(aircraft.SelectedSpeed, Step, kLowestSpeed);
    send_selected_speed();
    return 0;
}
template <int32_t Step>
int32_t FSAPI increase_speed(PIXPOINT*, uint32_t) {
    step_up(aircraft.SelectedSpeed, Step, kHighestSpeed);
    send_selected_speed();
    return 0;
}

// SPD: engages only armed, in the air and from off; any other press (on the
// ground, or while engaged) drops the mode, through its disconnect flash.
int32_t FSAPI press_spd(PIXPOINT*, uint32_t) {
    const bool engage =
        aircraft.AtsArmSwitch == kSwitchArmed && aircraft.AtsSpeedMode == kModeOff && airborne();
    aircraft.AtsSpeedMode = engage ? kModeEngaged : kModeDropping;
    return 0;
}

// N1: engages armed, from off, with both engines above 20 % N1. With the
// go-around rating it starts the go-around, which needs the flaps out, the
// gear down and the aircraft in the air; it drops the modes flying the
// approach.
int32_t FSAPI press_n1(PIXPOINT*, uint32_t) {
    const bool engines_running =
        host::value<kTokenN1Engine1>() > kEngagingN1 && host::value<kTokenN1Engine2>() > kEngagingN1;
    if (aircraft.AtsArmSwitch != kSwitchArmed || aircraft.AtsThrustMode != kModeOff || !engines_running) {
        aircraft.AtsThrustMode = kModeOff;
        return 0;
    }
    if (aircraft.TrcMode == kRatingGoAround) {
        const bool flaps_out = host::value<kTokenFlaps>() >= flap_limit(1) - kFlapMargin;
        const bool gear_down = host::value<kTokenNoseGear>() >= kGearDown;
        if (!flaps_out || !gear_down || on_ground()) {
            aircraft.AtsThrustMode = kModeOff;
            return 0;
        }
        clear_modes_for_go_around();
    }
    aircraft.AtsThrustMode = kModeEngaged;
    return 0;
}

// The arm switch. ON cancels the ATS-off warning; OFF from ON is a new
// disconnect. A switch already OFF stays as it is, so that a second push
// to OFF raises no second warning.
int32_t FSAPI switch_on(PIXPOINT*, uint32_t) {
    move_switch(aircraft.AtsArmSwitch, kSwitchArmed);
    aircraft.AtsOffWarning = 0;
    return 0;
}
int32_t FSAPI switch_off(PIXPOINT*, uint32_t) {
    if (aircraft.AtsArmSwitch == kSwitchArmed) move_switch(aircraft.AtsArmSwitch, kSwitchOffNew);
    return 0;
}

constexpr Toggle kArmSwitch[] = {{"ATS ON", "ATS OFF", {89, 56, 43, 110}, switch_on, switch_off}};

constexpr auto kAreas =
    area_list(knob_area("SPEED knob minus 1", {2, 104, 43, 35}, CURSOR_DOWNARROW, decrease_speed<1>),
              knob_area("SPEED knob plus 1", {45, 104, 43, 35}, CURSOR_UPARROW, increase_speed<1>),
              knob_area("SPEED knob minus 10", {2, 139, 43, 35}, CURSOR_DOWNARROW, decrease_speed<10>),
              knob_area("SPEED knob plus 10", {45, 139, 43, 35}, CURSOR_UPARROW, increase_speed<10>),
              area("SPD pushbutton", {50, 6, 35, 35}, CURSOR_HAND, press_spd),
              area("N1 pushbutton", {91, 6, 35, 35}, CURSOR_HAND, press_n1), toggle_areas(kArmSwitch));

// --- Update ------------------------------------------------------------------

void read_selected_speed() {
    const double reference = host::value<kTokenSpeedReference>();
    if (std::isfinite(reference))
        aircraft.SelectedSpeed = std::clamp(to_integer<int32_t>(reference), kLowestSpeed, kHighestSpeed);
    const int32_t s = aircraft.SelectedSpeed;
    set_digit_targets(self.drum_targets, s);
}

void show_panel() {
    const bool powered = annunciators_powered();
    light(header, kSpdLightDepth, powered, aircraft.AtsSpeedMode == kModeEngaged);
    light(header, kN1LightDepth, powered, aircraft.AtsThrustMode == kModeEngaged);
    const bool on = aircraft.AtsArmSwitch == kSwitchArmed;
    set_visible(header, kSwitchOnDepth, on);
    set_visible(header, kSwitchOffDepth, !on);
}

void drop_modes() {
    aircraft.AtsSpeedMode = kModeOff;
    aircraft.AtsThrustMode = kModeOff;
}

// The host's autothrottle armed while the switch is ON and the panel has
// its loads and supplies; low N1 disarms it once, so that the host takes the
// throttles up again from where they stand.
void arm(Host& h) {
    const bool enabled = afs_enabling(1) == 2 && autothrottle_supplied();
    if (aircraft.AtsArmSwitch == kSwitchArmed && enabled) {
        const bool running =
            host::value<kTokenN1Engine1>() > kArmingN1 && host::value<kTokenN1Engine2>() > kArmingN1;
        if (running) {
            h.arm();
            self.host_arm_pulse = 0;
        } else if (self.host_arm_pulse == 0) {
            h.disarm();
            self.host_arm_pulse = 1;
        } else {
            h.arm();
        }
        return;
    }
    h.disarm();
    h.hold_off();
    if (aircraft.AtsArmSwitch == kSwitchArmed) aircraft.AtsArmSwitch = kSwitchOffNew;
    drop_modes();
    self.host_arm_pulse = 0;
}

// One disconnect, one warning: raised as the switch comes to OFF, cancelled
// when the pilot moves the throttle more than 2 units. The latch holds
// while the switch stays OFF, so that a cancelled warning is not raised
// again at the next update.
void off_warning() {
    const double lever = host::value<kTokenLever1>();
    if (aircraft.AtsArmSwitch == kSwitchOffNew && self.warning_latched == 0) {
        aircraft.AtsOffWarning = 1;
        drop_modes();
        self.remembered_throttle = to_integer<int32_t>(finite_or(lever, 0.0));
        self.warning_latched = 1;
        return;
    }
    if (self.warning_latched == 0) return;
    if (self.remembered_throttle != kNoRememberedThrottle &&
        std::fabs(lever - self.remembered_throttle) > kCancelMovement) {
        aircraft.AtsOffWarning = 0;
        self.remembered_throttle = kNoRememberedThrottle;
    }
    if (aircraft.AtsArmSwitch != kSwitchOffNew && aircraft.AtsOffWarning == 0) {
        self.warning_latched = 0;
        self.remembered_throttle = kNoRememberedThrottle;
    }
}

void speed_mode(Host& h) {
    if (!ap_computer_powered() && aircraft.AtsSpeedMode == kModeEngaged)
        aircraft.AtsSpeedMode = kModeDropping;
    if (aircraft.AtsSpeedMode != kModeEngaged || on_ground()) {
        h.hold_off();
        return;
    }
    aircraft.AtsThrustMode = kModeOff;
    h.hold_on();
}

void supervise_thrust_mode(Host& h) {
    if (aircraft.AtsArmSwitch != kSwitchArmed) aircraft.AtsThrustMode = kModeOff;
    const bool engine_low =
        host::value<kTokenN1Engine1>() < kEngagingN1 || host::value<kTokenN1Engine2>() < kEngagingN1;
    if (aircraft.AtsThrustMode == kModeEngaged && engine_low) aircraft.AtsThrustMode = kModeDropping;
    if (aircraft.AtsThrustMode == kModeDropping) {
        h.disarm();
        aircraft.AtsArmSwitch = kSwitchOffNew;
        aircraft.AtsThrustMode = kModeOff;
    }
}

void thrust_mode() {
    const uint8_t rating = aircraft.TrcMode;
    if (aircraft.AtsThrustMode == kModeEngaged && rating > kRatingGoAround) {
        hold_n1(kClimbBands, 10, true);
    } else if (aircraft.AtsThrustMode == kModeEngaged && rating >= 1) {
        hold_n1(kTakeOffBands, 20, host::value<kTokenLever1Fraction>() <= kSmallStepLeverLimit);
        if (rating == kRatingGoAround) set_go_around(true);
    } else if (aircraft.AtsThrustMode != kModeEngaged && aircraft.AtsArmSwitch == kSwitchArmed) {
        // Not holding N1: the commands follow the lever, so that N1 mode
        // starts from where the throttles stand.
        const double lever = host::value<kTokenLever1>();
        if (std::isfinite(lever)) command_both(stepped(lever, 0));
    }
}

// The go-around's climb: a vertical speed by the present one, steeper with
// the flaps at most at their second detent.
int32_t go_around_vertical_speed() {
    const double v = finite_or(aircraft.VerticalSpeedFpm, 0.0);
    const bool light_flaps = flap_limit(2) >= host::value<kTokenFlaps>();
    if (v < -500) return 10;
    if (v < 0) return 500;
    if (!light_flaps || v < 2000) return 1500;
    if (v < 3000) return 3000;
    return 3500;
}

void command_climb(bool only_with_master) {
    aircraft.ApVsCommand = go_around_vertical_speed();
    if (only_with_master && host::value<kTokenApMaster>() != 1.0) return;
    host::send_event(kEventAltitudeReference, static_cast<uint32_t>(kGoAroundAltitudeReference));
    host::send_event(kEventVsReference, static_cast<uint32_t>(aircraft.ApVsCommand));
}

void go_around() {
    if (!autoflight::go_around()) {
        // Each go-around starts afresh: the next one drops the approach
        // modes again.
        self.go_around_initialised = 0;
        return;
    }
    if (self.go_around_initialised == 0) {
        command_climb(false);
        clear_modes_for_go_around();
        self.go_around_initialised = 1;
    } else {
        const bool flying_it = !heading_select() && vertical_mode() == Vertical::None && !speed_on_pitch() &&
                               nav_mode() == Nav::Off && aircraft.AtsThrustMode == kModeEngaged &&
                               aircraft.TrcMode != 0;
        if (flying_it) {
            command_climb(true);
        } else {
            set_go_around(false);
            aircraft.AtsThrustMode = kModeOff;
            aircraft.TrcMode = 0;
            if (dual_ap()) set_ap_engage(ApEngage::Ap1);
            return;
        }
    }
    const double height_ft = host::value<kTokenRadioHeightM>() * units::kFeetPerMetre;
    if (dual_ap() && height_ft > kDualChannelUpFt) set_ap_engage(ApEngage::Ap1);
}

// The last 100 ft of a dual-channel LAND: the throttles come back to idle,
// 50 units an update, and the airspeed hold lets go.
void retard(Host& h) {
    const bool low = aircraft.RadioAltitudeFt < kRetardHeightFt;
    const bool levers_back = host::value<kTokenLever1Fraction>() < kRetardLeverLimit &&
                             host::value<kTokenLever2Fraction>() < kRetardLeverLimit;
    if (!land_dual() || !low || !airborne() || !levers_back) return;
    h.hold_off();
    const double lever = host::value<kTokenLever1>();
    if (!std::isfinite(lever)) return;
    command_both(stepped(lever, -kRetardStep));
    send_commands();
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    read_selected_speed();
    Host h{HostFunction(host::value<kTokenHostAtsArmed>()), HostFunction(host::value<kTokenSpeedHold>())};
    arm(h);
    off_warning();
    speed_mode(h);
    supervise_thrust_mode(h);
    thrust_mode();
    go_around();
    retard(h);
    show_panel();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 143, callback);

}  // namespace kadrimos::gauges::ap_ats
