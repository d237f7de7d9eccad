// "toskelin ap_master_rulo": the autopilot master panel, the heart of the
// autopilot and flight directors.
//
// Two solenoid-held levers engage the autopilot channels AP 1 and AP 2; the
// FD 1 and FD 2 buttons switch the flight directors on and off; SPEED holds
// the airspeed through pitch; LOC and LAND arm the approach; the lateral
// basic-mode button gives the flight director its wings-level mode; MODE
// CANCEL drops every mode and leaves the autopilot on its basic modes; the
// pitch wheel sets the flight director's pitch, with a magnifier over it for
// a moment after each touch.
//
// The gauge does not fly: it switches the simulator's own autopilot on and
// off, keeps its functions in step with the modes, and in the basic and
// autoland modes writes its pitch, roll, trim and vertical-speed inputs. A
// lever stays ON only while its channel's supplies and computers are good
// and the bank is within 54 degrees; it drops back to OFF the moment they
// are not, and with it the channel it engaged. Two autopilots are engaged
// together only for a dual-channel LAND.
//
// Each update, in this order: the presses of the buttons since the last
// update, the magnifier, the lights, the annunciation codes of the
// flight director, the channel conditions, the levers, the host's flight
// director flag, speed-on-pitch's bookkeeping, the approach modes, the host
// autopilot master and the basic modes, then (ap_master_modes.cpp,
// speed_on_pitch.cpp) trim, pitch hold, turn compensation, the approach
// path, bank hold, speed on pitch, the autoland's low phases and runway
// guidance.
//
// Inputs: the mode bytes (through autoflight/modes.h), the supplies by role,
// RadioAltitudeFt, GrossWeightHundreds, GsVsTarget, BankRefRetake; host
// tokens 1, 46, 49, 60, 61, 65, 73, 78, 79, 80, 103 to 108, 111, 112, 276,
// 282, 288, 309, 311, 317, 318, 614, 792, 848.
// Outputs: the Autopilot master items of the shared record; the mode bytes
// it clears; GpsNavSwitch (the LOC and LAND buttons take the navigation
// drive back from the GPS); host events listed beside their constants.
#include <cmath>
#include <cstdint>

#include "autoflight/ap_master_state.h"
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
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(ap_master, "toskelin ap_master_rulo")

namespace kadrimos::gauges::ap_master {

constinit autoflight::ApMasterState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace autoflight;

ApMasterState& self = state;

constexpr uint32_t kBackground = 7097;
constexpr uint32_t kWheelWindow = 7310;  // its scale is 7311
constexpr uint32_t kFirstIcon = 7312;

// Host events.
constexpr uint32_t kAutopilotOn = 0x10100;
constexpr uint32_t kAutopilotOff = 0x100ff;
constexpr uint32_t kAltitudeHoldOff = 0x10118;
constexpr uint32_t kWingLevelerOff = 0x10119;
constexpr uint32_t kHeadingHoldOff = 0x10117;
constexpr uint32_t kApproachHoldOff = 0x10116;
constexpr uint32_t kNavHoldOff = 0x1011b;
constexpr uint32_t kLocHoldOff = 0x10115;
constexpr uint32_t kFlightDirectorToggle = 0x102f0;

// The localiser bits of the navigation receiver's status word.
constexpr uint32_t kLocaliserBit = 0x40;
constexpr uint32_t kBackupBit = 0x80;

constexpr double kDualLandHeightFt = 100;  // a dual LAND at or below it needs no autothrottle
constexpr double kPitchHoldFloorFt = 800;  // pitch hold on an approach stops at glide capture below it
constexpr uint8_t kBothEnabled = 2;        // the normal loads on a side
constexpr double kPitchWheelLowest = -10.0;
constexpr double kPitchWheelHighest = 25.0;
constexpr double kPitchWheelStep = 0.5;
constexpr double kMagnifierTicks = 50;

// --- Elements --------------------------------------------------------------------

double FSAPI pitch_wheel(ELEMENT_HEADER*) {
    clamp_write_back(aircraft.PitchWheelSetting, kPitchWheelLowest, kPitchWheelHighest);
    return kPitchWheelHighest - aircraft.PitchWheelSetting;
}

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("PITCH wheel", kWheelWindow, {137, 54}, drum_column, 0, 1, pitch_wheel, 0,
                      kPitchWheelHighest - kPitchWheelLowest),
    icon_spec("PITCH magnifier", kFirstIcon + 0, {101, 82}),
    icon_spec("PITCH magnifier index", kFirstIcon + 1, {101, 112}),
    icon_spec("AP 1 OFF", kFirstIcon + 2, {173, 0}),
    icon_spec("AP 1 ON", kFirstIcon + 3, {173, 0}),
    icon_spec("AP 2 OFF", kFirstIcon + 4, {247, 0}),
    icon_spec("AP 2 ON", kFirstIcon + 5, {247, 0}),
    icon_spec("FD 1 light", kFirstIcon + 6, {15, 66}),
    icon_spec("FD 2 light", kFirstIcon + 7, {56, 66}),
    icon_spec("SPEED light", kFirstIcon + 8, {17, 8}),
    icon_spec("LAND light", kFirstIcon + 9, {85, 8}),
    icon_spec("LOC light", kFirstIcon + 10, {124, 8}),
    icon_spec("FD BASIC light", kFirstIcon + 11, {7, 122}),
    icon_spec("MODE CANCEL light", kFirstIcon + 12, {195, 116}),
};
constexpr int kMagnifier = depth_of(kElements, "PITCH magnifier");
constexpr int kMagnifierIndex = depth_of(kElements, "PITCH magnifier index");
constexpr int kAp1Off = depth_of(kElements, "AP 1 OFF");
constexpr int kAp1On = depth_of(kElements, "AP 1 ON");
constexpr int kAp2Off = depth_of(kElements, "AP 2 OFF");
constexpr int kAp2On = depth_of(kElements, "AP 2 ON");
constexpr int kFd1Light = depth_of(kElements, "FD 1 light");
constexpr int kFd2Light = depth_of(kElements, "FD 2 light");
constexpr int kSpeedLight = depth_of(kElements, "SPEED light");
constexpr int kLandLight = depth_of(kElements, "LAND light");
constexpr int kLocLight = depth_of(kElements, "LOC light");
constexpr int kFdBasicLight = depth_of(kElements, "FD BASIC light");
constexpr int kModeCancelLight = depth_of(kElements, "MODE CANCEL light");

// --- Areas -----------------------------------------------------------------------

void touch_pitch_wheel() { self.magnifier_request = 1; }

int32_t FSAPI pitch_wheel_down(PIXPOINT*, uint32_t) {
    double& wheel = aircraft.PitchWheelSetting;
    wheel = wheel > kPitchWheelLowest ? wheel - kPitchWheelStep : kPitchWheelLowest;
    if (!(wheel >= kPitchWheelLowest)) wheel = kPitchWheelLowest;  // a setting that is not a number too
    touch_pitch_wheel();
    return 0;
}

int32_t FSAPI pitch_wheel_up(PIXPOINT*, uint32_t) {
    double& wheel = aircraft.PitchWheelSetting;
    wheel = wheel < kPitchWheelHighest ? wheel + kPitchWheelStep : kPitchWheelHighest;
    if (!(wheel <= kPitchWheelHighest)) wheel = kPitchWheelHighest;
    touch_pitch_wheel();
    return 0;
}

int32_t FSAPI look_at_pitch_wheel(PIXPOINT*, uint32_t) {
    touch_pitch_wheel();
    return 0;
}

// Pushbuttons: the press waits for the update, which judges it on that
// update's conditions.
template <uint8_t ApMasterState::*Press>
int32_t FSAPI press(PIXPOINT*, uint32_t) {
    request(self.*Press);
    return 0;
}

// Every move of a lever towards ON drops speed-on-pitch and an altitude
// hold: the autopilot takes over from the present flight path. The lever
// stays ON only out of the autoland's low phase.
void lever_on(int channel) {
    if (aircraft.LandLowInhibit == 0 && !ap_lever_on(channel)) {
        set_ap_lever(channel, true);
        play_click();
    }
    set_speed_on_pitch(false);
    self.speed.initialised = 0;
    if (altitude_hold()) set_vertical_mode(Vertical::None);
}

// A lever moved to OFF, or dropped by its solenoid: the channel it engaged
// disconnects; of a dual LAND the other channel stays.
void channel_off(int channel) {
    const ApEngage mine = channel == 1 ? ApEngage::Ap1 : ApEngage::Ap2;
    const ApEngage other = channel == 1 ? ApEngage::Ap2 : ApEngage::Ap1;
    if (ap_engage() == mine) {
        set_ap_engage(ApEngage::None);
        set_mode_cancel_hold(false);
        aircraft.PitchHoldLatch = 0;
        if (land_mode()) set_approach(Approach::None);
    } else if (dual_ap()) {
        set_ap_engage(other);
    }
}

void lever_off(int channel) {
    if (!ap_lever_on(channel)) return;
    set_ap_lever(channel, false);
    play_click();
}

int32_t FSAPI ap1_on(PIXPOINT*, uint32_t) {
    lever_on(1);
    return 0;
}
int32_t FSAPI ap1_off(PIXPOINT*, uint32_t) {
    lever_off(1);
    channel_off(1);
    return 0;
}
int32_t FSAPI ap2_on(PIXPOINT*, uint32_t) {
    lever_on(2);
    return 0;
}
int32_t FSAPI ap2_off(PIXPOINT*, uint32_t) {
    lever_off(2);
    channel_off(2);
    return 0;
}

constexpr Toggle kLevers[] = {
    {"AP 1 ON", "AP 1 OFF", {173, 0, 49, 112}, ap1_on, ap1_off},
    {"AP 2 ON", "AP 2 OFF", {247, 0, 49, 112}, ap2_on, ap2_off},
};

constexpr auto kAreas = area_list(
    knob_area("PITCH wheel down", {133, 106, 32, 56}, CURSOR_DOWNARROW, pitch_wheel_down),
    knob_area("PITCH wheel up", {133, 50, 32, 56}, CURSOR_UPARROW, pitch_wheel_up),
    area("PITCH magnifier", {99, 78, 32, 56}, CURSOR_HAND, look_at_pitch_wheel),
    area("FD 1 button", {13, 64, 35, 35}, CURSOR_HAND, press<&ApMasterState::fd1_press>),
    area("FD 2 button", {54, 64, 35, 35}, CURSOR_HAND, press<&ApMasterState::fd2_press>),
    toggle_areas(kLevers),
    area("SPEED button", {15, 6, 35, 35}, CURSOR_HAND, press<&ApMasterState::speed_on_pitch_press>),
    area("LAND button", {83, 6, 35, 35}, CURSOR_HAND, press<&ApMasterState::land_press>),
    area("LOC button", {122, 6, 35, 35}, CURSOR_HAND, press<&ApMasterState::loc_press>),
    area("FD BASIC button", {5, 120, 35, 35}, CURSOR_HAND, press<&ApMasterState::fd_lateral_press>),
    area("MODE CANCEL button", {193, 114, 90, 35}, CURSOR_HAND, press<&ApMasterState::mode_cancel_press>));

// --- The steps of the update -----------------------------------------------------

// 1. The magnifier stands over the wheel for 50 ticks after it was touched.
void run_magnifier(const ApReadings& in) {
    if (self.magnifier_request == 1) {
        self.magnifier_request = 0;
        self.magnifier_running = 1;
        self.magnifier_end_tick = in.tick + kMagnifierTicks;
    }
    if (self.magnifier_running == 1 && !(in.tick < self.magnifier_end_tick)) self.magnifier_running = 0;
    set_visible(header, kMagnifier, self.magnifier_running == 1);
    set_visible(header, kMagnifierIndex, self.magnifier_running == 1);
}

// 2. Levers and lights.
void show_levers_and_lights() {
    show_one_of(header, {kAp1Off, kAp1On}, ap_lever_on(1) ? 1 : 0);
    show_one_of(header, {kAp2Off, kAp2On}, ap_lever_on(2) ? 1 : 0);
    const bool lit = annunciators_powered();
    const FdCommand fd = fd_command();
    light(header, kFd1Light, lit, fd == FdCommand::Fd1 || fd == FdCommand::Both);
    light(header, kFd2Light, lit, fd == FdCommand::Fd2 || fd == FdCommand::Both);
    light(header, kSpeedLight, lit, speed_on_pitch());
    light(header, kLandLight, lit, land_mode());
    light(header, kLocLight, lit, loc_mode());
    light(header, kFdBasicLight, lit, fd_lateral_basic());
    light(header, kModeCancelLight, lit, mode_cancel_hold());
}

// 3. What the attitude director announces.
void set_annunciation_codes() {
    const Nav nav = nav_mode();
    uint8_t lateral = 0;
    if (fd_lateral_basic())
        lateral = 1;
    else if (heading_select() || nav == Nav::Gps || nav == Nav::Ins)
        lateral = 2;
    else if (nav == Nav::Radio)
        lateral = 3;
    else if (approach_set())
        lateral = 4;
    aircraft.FdLateralAnnunciation = lateral;

    const Vertical v = vertical_mode();
    uint8_t vertical = 0;
    if (aircraft.FdPitchBasicMode == 1)
        vertical = 1;
    else if (speed_on_pitch())
        vertical = 2;
    else if (v == Vertical::Capture || v == Vertical::ToNewSelection || v == Vertical::HoldPresentNext)
        vertical = 3;
    else if (altitude_hold())
        vertical = 4;
    else if (approach_set())
        vertical = 5;
    aircraft.FdVerticalAnnunciation = vertical;
}

// 4. The flight directors need both sides enabled and a sane bank; each
// channel its supplies; a single flight director its own first supply.
void check_channels(const ApReadings& in) {
    if (!common_conditions(in)) {
        set_fd_command(FdCommand::Off);
    } else {
        if (!channel_conditions(1) && fd_command() == FdCommand::Both) set_fd_command(FdCommand::Fd2);
        if (!channel_conditions(2) && fd_command() == FdCommand::Both) set_fd_command(FdCommand::Fd1);
    }
    if (fd_command() == FdCommand::Fd1 && !channel_first_supply(1)) set_fd_command(FdCommand::Off);
    if (fd_command() == FdCommand::Fd2 && !channel_first_supply(2)) set_fd_command(FdCommand::Off);
    // 5. Without a flight director nothing is flown.
    if (!fd_on()) {
        clear_modes_for_fd_off();
        self.speed.initialised = 0;
    }
}

// 6. A lever at ON engages its channel while the conditions hold; the
// solenoid lets it go the moment they do not, and the channel it engaged
// goes with it.
void process_lever(int channel, const ApReadings& in) {
    const int other = channel == 1 ? 2 : 1;
    const FdCommand my_fd = channel == 1 ? FdCommand::Fd1 : FdCommand::Fd2;
    const ApEngage my_ap = channel == 1 ? ApEngage::Ap1 : ApEngage::Ap2;
    const ApEngage other_ap = channel == 1 ? ApEngage::Ap2 : ApEngage::Ap1;
    if (!ap_lever_on(channel)) return;
    // Outside an approach only one autopilot flies: the other lever drops.
    if (ap_lever_on(other) && !approach_set() && fd_command() == my_fd) set_ap_lever(other, false);
    if (common_conditions(in) && channel_conditions(channel)) {
        if (!any_ap_engaged()) {
            set_ap_engage(my_ap);
            set_fd_command(my_fd);
            set_fd_lateral_basic(false);
        } else if (ap_engage() == other_ap && approach_set()) {
            set_ap_engage(ApEngage::Both);
            set_fd_command(FdCommand::Both);
        }
    } else {
        set_ap_lever(channel, false);
        channel_off(channel);
    }
}

// 7. One autopilot: the flight directors follow it (with two, both). No
// autopilot: what only an autopilot flies goes.
void follow_engagement() {
    const ApEngage ap = ap_engage();
    if (ap == ApEngage::Ap1 || ap == ApEngage::Ap2) {
        set_fd_lateral_basic(false);
        // After a dual LAND the directors follow the channel left, with or
        // without an approach mode.
        set_fd_command(ap == ApEngage::Ap2 ? FdCommand::Fd2 : FdCommand::Fd1);
        if (land_dual()) set_approach(Approach::Land);
    } else if (ap == ApEngage::None) {
        if (fd_command() == FdCommand::Both) set_fd_command(FdCommand::Fd1);
        if (land_mode()) set_approach(Approach::None);
        clear_autopilot_only_modes();
        self.bank_hold_active = 0;
        self.roll_started = 0;
    }
    // Mode cancel keeps the autopilot on its basic modes until a mode
    // button takes it off.
    if (any_ap_engaged() && mode_cancel_hold()) clear_modes_for_mode_cancel();
}

// 8. The simulator's own flight director shows while ours is on. Its event
// toggles: sent only while the flag disagrees.
void sync_host_flight_director(const ApReadings& in) {
    if (fd_on() && in.fd_flag == 0.0) host::send_event(kFlightDirectorToggle, 1);
    if (!fd_on() && in.fd_flag == 1.0) host::send_event(kFlightDirectorToggle, 0);
}

// 9. Speed on pitch flies the speed: the autothrottle's speed mode, the
// localiser once on the glide path, mode cancel and go-around give way
// (except in LAND with the localiser captured).
void speed_on_pitch_bookkeeping() {
    if (speed_on_pitch()) {
        aircraft.AtsSpeedMode = 0;
        if (loc_mode() && gs_captured()) set_approach(Approach::None);
        if (!(land_mode() && loc_captured())) {
            set_mode_cancel_hold(false);
            set_go_around(false);
        }
    } else if (self.speed.was_on == 1) {
        aircraft.PitchHoldLatch = 0;
        self.speed.initialised = 0;
    }
    self.speed.was_on = speed_on_pitch() ? 1 : 0;
}

// 10. LAND holds while the localiser and the attitude are good; LOC takes
// the value of how it was entered. Coupled to an approach in the air, the
// host's navigation hold gives way to the approach.
void promote_approach(const ApReadings& in) {
    const bool good_signal = localiser_received(in) && !in.attitude_failed && !in.vacuum_failed;
    if (land_mode()) {
        if (any_ap_engaged() && good_signal) {
            const bool both_normal = afs_enabling(1) == kBothEnabled && afs_enabling(2) == kBothEnabled;
            if (dual_ap() && both_normal &&
                (aircraft.AtsSpeedMode == 1 || aircraft.RadioAltitudeFt <= kDualLandHeightFt))
                set_approach(Approach::LandDual);
            else if (afs_enabling(1) != 0 && afs_enabling(2) != 0)
                set_approach(Approach::Land);
        }
    } else if (loc_mode() && fd_on()) {
        const bool single = single_fd_without_ap();
        if ((in.nav_status & kLocaliserBit) != 0)
            set_approach(single ? Approach::LocSingleFd : Approach::LocCoupled);
        else if ((in.nav_status & kBackupBit) != 0)
            set_approach(single ? Approach::LocSingleFdBackup : Approach::LocCoupledBackup);
    }
    if (!in.on_ground && approach_value() >= 10) {
        if (loc_captured()) host::send_event(kWingLevelerOff);
        if (in.nav_hold == 1.0) {
            if (!in.gps_drives_nav) host::send_event(kNavHoldOff);
            host::send_event(kLocHoldOff);
        }
        aircraft.ApproachCoupled = 1;
    } else {
        aircraft.ApproachCoupled = 0;
        if (in.nav_hold == 1.0) host::send_event(kLocHoldOff);
    }
}

// 11. The host's autopilot runs exactly while one of ours is engaged, and
// its functions only as our modes ask; a failure or a lost computer
// disconnects at once, as does the crew switching the host's autopilot off.
void sync_host_autopilot(const ApReadings& in) {
    const bool master_on = in.master == 1.0;
    // The failures and the computer are watched on every update, engaged or
    // not, so that no update can pass with an autopilot flying on a failed
    // attitude or heading source.
    if (in.attitude_failed || in.vacuum_failed || in.heading_failed || !ap_computer_powered())
        disengage_autopilots();

    if (any_ap_engaged()) {
        if (in.master == 0.0) host::send_event(kAutopilotOn);
    } else {
        if (master_on) host::send_event(kAutopilotOff);
        if (!fd_on()) {
            if (in.nav_hold == 1.0) {
                host::send_event(kNavHoldOff);
                host::send_event(kLocHoldOff);
            }
            if (in.glideslope_hold == 1.0 || in.approach_hold == 1.0) host::send_event(kApproachHoldOff);
        }
    }
    // The host's master counts as seen on only for an engaged autopilot: on
    // for one more update after a disconnect (until it answers), it must not
    // make a re-engagement in that update look like the crew switching the
    // host's autopilot off.
    if (!any_ap_engaged())
        aircraft.ApMasterSeenOn = 0;
    else if (master_on)
        aircraft.ApMasterSeenOn = 1;

    if (!master_on || !any_ap_engaged()) {
        aircraft.PitchHoldLatch = 0;
        self.bank_hold_active = 0;
        self.roll_started = 0;
        aircraft.FlareActive = 0;
        aircraft.RolloutActive = 0;
        aircraft.LandLowInhibit = 0;
        if (in.altitude_hold == 1.0) host::send_event(kAltitudeHoldOff);
        if (in.wing_leveler == 1.0) host::send_event(kWingLevelerOff);
        if (in.heading_hold == 1.0) host::send_event(kHeadingHoldOff);
        if (in.master == 0.0 && aircraft.ApMasterSeenOn == 1) disengage_autopilots();
    }

    aircraft.FdPitchBasicMode = fd_on() && !any_ap_engaged() && !speed_on_pitch() &&
                                        vertical_below_capture() && !go_around() &&
                                        !(approach_set() && gs_captured())
                                    ? 1
                                    : 0;
    // The host's master read on while no autopilot is engaged is being
    // switched off in this very update: the basic modes take it as off, so
    // that a disconnect never switches the host's functions on again.
    if (!master_on || !any_ap_engaged()) {
        aircraft.PitchHoldActive = 0;
        aircraft.BasicRollAllowed = 0;
        return;
    }
    const bool lateral_mode = heading_select() || nav_mode() != Nav::Off || approach_set();
    const bool lateral_flying =
        (nav_mode() != Nav::Radio && approach_value() < 20) || loc_captured() || heading_select();
    aircraft.BasicRollAllowed = lateral_mode && lateral_flying ? 0 : 1;
    if (speed_on_pitch() || !vertical_below_capture() || go_around())
        aircraft.PitchHoldActive = 0;
    else if (in.altitude_ft * units::kFeetPerMetre > kPitchHoldFloorFt || approach_value() < 20)
        aircraft.PitchHoldActive = 1;
    else
        aircraft.PitchHoldActive = gs_captured() ? 0 : 1;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const ApReadings in = read_autopilot_inputs();
    take_presses(in);
    run_magnifier(in);
    show_levers_and_lights();
    set_annunciation_codes();
    check_channels(in);
    process_lever(1, in);
    process_lever(2, in);
    follow_engagement();
    sync_host_flight_director(in);
    speed_on_pitch_bookkeeping();
    promote_approach(in);
    sync_host_autopilot(in);
    // From here on the host's master counts as on only for an engaged
    // autopilot (see sync_host_autopilot).
    ApReadings flying = in;
    if (!any_ap_engaged()) flying.master = 0;
    run_trim_steps(flying);
    run_pitch_hold(flying);
    run_turn_compensation(flying);
    run_approach_path(flying);
    run_basic_roll(flying);
    run_speed_on_pitch(flying);
    run_land_low_phases(flying);
    run_runway_guidance(flying);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 308, callback);

}  // namespace kadrimos::gauges::ap_master
