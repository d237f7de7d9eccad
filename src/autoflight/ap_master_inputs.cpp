// The autopilot master's inputs: the host values it reads once an update,
// the conditions its channels engage on, and its pushbuttons, judged at the
// update after the press on that update's conditions.
#include <cmath>
#include <cstdint>

#include "autoflight/ap_master_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "panel/convert.h"
#include "panel/host.h"
#include "panel/units.h"

namespace kadrimos::autoflight {
namespace {

ApMasterState& self = gauges::ap_master::state;

constexpr uint32_t kLocaliserBit = 0x40;
constexpr int32_t kBankLimitDeg = 54;       // beyond it no channel engages or stays engaged
constexpr double kLandArmingFloorFt = 700;  // LAND is armed above it

}  // namespace

// --- Reading the host ------------------------------------------------------------

ApReadings read_autopilot_inputs() {
    ApReadings in;
    in.tick = host::value<1>();
    in.nav_status = host::bits<46>();
    in.nav_signal = host::value<49>();
    in.on_ground = host::value<60>() == 1.0;
    in.ias_kt = host::value<61>();
    const double vs_raw = host::value<65>();
    in.vs_fpm = units::feet_per_minute(vs_raw);
    in.vs_ap_fpm = vs_raw / units::kHostVerticalSpeedPerFootPerMinute;
    in.altitude_ft = host::value<73>();
    in.pitch_up_deg = -host::value<78>();
    in.bank_360_deg = host::value<79>();
    const double bank = host::value<80>();
    in.bank_known = std::isfinite(bank);
    in.bank_deg = -bank;
    in.master = host::value<103>();
    in.wing_leveler = host::value<104>();
    in.nav_hold = host::value<105>();
    in.heading_hold = host::value<106>();
    in.altitude_hold = host::value<108>();
    in.glideslope_hold = host::value<111>();
    in.approach_hold = host::value<112>();
    // The host's failure flags are integers: 1 when the instrument has failed.
    in.attitude_failed = host::bits<276>() == 1;
    in.heading_failed = host::bits<282>() == 1;
    in.vacuum_failed = host::bits<288>() == 1;
    in.elevator = to_integer<int32_t>(host::value<309>());
    in.yoke_roll = to_integer<int32_t>(host::value<311>());
    in.elevator_surface = to_integer<int32_t>(host::value<317>());
    in.trim = host::value<318>();
    in.radio_height_ft = host::value<614>() * units::kFeetPerMetre;
    in.fd_flag = host::value<792>();
    in.gps_drives_nav = host::value<848>() == 1.0;
    return in;
}

// --- Channel conditions ----------------------------------------------------------

// Both sides enabled and the bank within 54 degrees either way (whole
// degrees: 54.9 passes, 55 does not). An attitude that is not a number
// cannot be flown: it fails.
bool common_conditions(const ApReadings& in) {
    if (afs_enabling(1) < 1 || afs_enabling(2) < 1) return false;
    if (!in.bank_known) return false;
    const int32_t bank = to_integer<int32_t>(in.bank_deg);
    return bank >= -kBankLimitDeg && bank <= kBankLimitDeg;
}

bool channel_conditions(int channel) {
    return channel_supplied(channel) && instrument_supply() && channel_flags(channel);
}

bool single_fd_without_ap() {
    const FdCommand fd = fd_command();
    return (fd == FdCommand::Fd1 || fd == FdCommand::Fd2) && !any_ap_engaged();
}

// The localiser received: its bit in the receiver's status word and a
// signal (one that is not a number is none).
bool localiser_received(const ApReadings& in) {
    return (in.nav_status & kLocaliserBit) != 0 && in.nav_signal != 0 && !std::isnan(in.nav_signal);
}

// --- The buttons -----------------------------------------------------------------

namespace {

void fd_button(int channel, const ApReadings& in) {
    if (!common_conditions(in) || fd_on()) {
        set_fd_command(FdCommand::Off);
        return;
    }
    if (channel_conditions(channel) && !any_ap_engaged() && !approach_set())
        set_fd_command(channel == 1 ? FdCommand::Fd1 : FdCommand::Fd2);
}

void speed_on_pitch_button() {
    if (!fd_on()) return;
    if (speed_on_pitch()) {
        set_speed_on_pitch(false);
        return;
    }
    if (land_mode() && loc_captured()) return;
    if (loc_mode() && gs_captured()) set_approach(Approach::None);
    set_speed_on_pitch(true);
    if (vertical_mode() != Vertical::AltSelectArmed) set_vertical_mode(Vertical::None);
    set_mode_cancel_hold(false);
    set_go_around(false);
    aircraft.AtsSpeedMode = 0;
}

void land_button(const ApReadings& in) {
    aircraft.GpsNavSwitch = 0;
    if (land_mode()) {
        set_approach(Approach::None);
        return;
    }
    if (!any_ap_engaged() || !localiser_received(in) || !(in.radio_height_ft > kLandArmingFloorFt) ||
        in.attitude_failed || in.vacuum_failed)
        return;
    if (!dual_ap())
        set_approach(Approach::Land);
    else if (aircraft.AtsSpeedMode == 1)
        set_approach(Approach::LandDual);
}

void loc_button(const ApReadings& in) {
    if (loc_mode()) {
        set_approach(Approach::None);
        return;
    }
    if (!fd_on() || !localiser_received(in) || aircraft.LandLowInhibit != 0) return;
    set_approach(single_fd_without_ap() ? Approach::LocSingleFd : Approach::LocCoupled);
    aircraft.GpsNavSwitch = 0;
}

void fd_lateral_button() {
    if (!fd_on()) return;
    if (fd_lateral_basic()) {
        set_fd_lateral_basic(false);
    } else if (nav_mode() == Nav::Off && !any_ap_engaged()) {
        set_fd_lateral_basic(true);
        set_heading_select(false);
    }
}

void mode_cancel_button() {
    if (!any_ap_engaged()) return;
    if (mode_cancel_hold()) {
        set_mode_cancel_hold(false);
    } else if (!go_around() && !(land_mode() && aircraft.LandLowInhibit != 0)) {
        set_mode_cancel_hold(true);
        clear_modes_for_mode_cancel();
    }
}

}  // namespace

// The presses since the last update, each once, in the panel's order.
void take_presses(const ApReadings& in) {
    struct Press {
        uint8_t ApMasterState::*flag;
        void (*act)(const ApReadings&);
    };
    static constexpr Press kPresses[] = {
        {&ApMasterState::fd1_press, [](const ApReadings& r) { fd_button(1, r); }},
        {&ApMasterState::fd2_press, [](const ApReadings& r) { fd_button(2, r); }},
        {&ApMasterState::speed_on_pitch_press, [](const ApReadings&) { speed_on_pitch_button(); }},
        {&ApMasterState::land_press, land_button},
        {&ApMasterState::loc_press, loc_button},
        {&ApMasterState::fd_lateral_press, [](const ApReadings&) { fd_lateral_button(); }},
        {&ApMasterState::mode_cancel_press, [](const ApReadings&) { mode_cancel_button(); }},
    };
    for (const Press& p : kPresses) {
        if (self.*p.flag == 0) continue;
        self.*p.flag = 0;
        p.act(in);
    }
}

}  // namespace kadrimos::autoflight
