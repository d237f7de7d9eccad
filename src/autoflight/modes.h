// The autoflight system's mode vocabulary: the one place that reads and
// writes the shared mode bytes of the autopilot, flight director, altitude,
// heading and approach logic.
//
// The bytes keep their names, widths and load values in AircraftState (the
// host and the tests see them there); code reads them through the enum types
// and predicates below and writes them through the setters and the named
// clear lists. Each clear list is a set of modes the aircraft drops
// together (the flight director switched off, a go-around, the mode-cancel
// button, an autopilot disconnect); naming them here keeps every gauge that
// drops them dropping the same set.
#pragma once

#include <cstdint>

#include "module/aircraft_state.h"

namespace kadrimos::autoflight {

// --- The modes --------------------------------------------------------------------

// ApEngageState: the autopilot channels engaged. Both only with an approach
// mode (dual-channel LAND).
enum class ApEngage : uint8_t { None = 0, Ap1 = 1, Ap2 = 2, Both = 3 };

// FdCommandState: the flight directors commanding. Non-zero is the
// precondition of every mode button. With an autopilot engaged it follows
// the autopilot; with both autopilots, both.
enum class FdCommand : uint8_t { Off = 0, Fd1 = 1, Fd2 = 2, Both = 3 };

// ApproachMode. 1 to 29 are localiser modes, 30 and above LAND. The LOC
// values say how it was entered: on the receiver's localiser bit (0x40) or
// only its back-up bit (0x80), with a single flight director and no
// autopilot, or with an autopilot or both flight directors.
enum class Approach : uint8_t {
    None = 0,
    LocSingleFd = 10,
    LocSingleFdBackup = 11,
    LocCoupled = 20,
    LocCoupledBackup = 21,
    Land = 30,
    LandDual = 40,
};

// VerticalMode: the altitude panel's modes.
enum class Vertical : uint8_t {
    None = 0,
    AltSelectArmed = 1,    // ALT pressed: waiting for the capture point
    Capture = 2,           // flaring onto the selected altitude
    HoldSelected = 3,      // holding the selected altitude
    HoldPresent = 4,       // holding the altitude at the moment of selection
    ToNewSelection = 25,   // from a hold, towards a newly selected altitude
    HoldPresentNext = 26,  // becomes HoldPresent at the next update
};

// NavMode: the lateral navigation mode of the heading panel.
enum class Nav : uint8_t { Off = 0, Radio = 1, Gps = 2, Ins = 3 };

// GsCaptured: the flight director's glide path.
enum class GlidePath : uint8_t { NotCaptured = 0, Captured = 1, Tracking = 2 };

// --- Supplies and enabling ------------------------------------------------------------
//
// The autoflight computers read their supplies and enabling by role; these
// are the items that play each role in this aircraft's electrical system:
//
//   role                                   item
//   AFS enabling value, side 1 and side 2  BattLoadLevel (0 shed, 1 essential, 2 normal)
//   annunciator bus powered                DcEssBusPowered
//   common instrument supply               AcEssBusPowered
//   channel 1 first supply                 InstrBus1Powered
//   channel 2 first supply                 InstrBus2Powered
//   channel 1 and 2 second supply          the annunciator bus
//   channel 1 flags                        AcBus1Powered, the autopilot computer power
//   channel 2 flags                        AcBus2Powered, the autopilot computer power
//   autopilot computer power               DcNormBusPowered
//   INS coupling flag                      InsCoupledValue = 1
//   autothrottle supplies                  the annunciator bus and the common instrument supply
//   first and second flap limits           FlapDetentPositions[1] and [2] (host flap units)
//
// Both sides' enabling values are the electrical panel's load level: with
// the essential loads only (1) an autopilot and the flight directors can be
// engaged and LAND armed, but a dual-channel LAND needs the normal loads (2)
// on both sides. The INS/V/L switch only asks an INS unit to couple; the
// unit's own report (InsCoupledValue) says it now steers the aircraft, so
// the lateral modes go by that.
inline uint8_t afs_enabling(int /*side*/) { return aircraft.BattLoadLevel; }
inline bool annunciators_powered() { return aircraft.DcEssBusPowered == 1; }
inline bool instrument_supply() { return aircraft.AcEssBusPowered == 1; }
inline bool ap_computer_powered() { return aircraft.DcNormBusPowered == 1; }
inline bool channel_first_supply(int channel) {
    return (channel == 1 ? aircraft.InstrBus1Powered : aircraft.InstrBus2Powered) == 1;
}
// The autothrottle computer: its arming and its servos need the DC
// essential (annunciator) bus and the AC essential (instrument) bus.
inline bool autothrottle_supplied() { return annunciators_powered() && instrument_supply(); }
// The flap positions the autothrottle compares with the flaps (token 329):
// the first and second detents the flap indicator publishes. The N1 mode
// takes go-around thrust only with the flaps out to the first detent, and
// the go-around climbs steeper with the flaps at most at the second.
inline double flap_limit(int which) { return aircraft.FlapDetentPositions[which == 1 ? 1 : 2]; }
inline bool channel_supplied(int channel) { return channel_first_supply(channel) || annunciators_powered(); }
inline bool channel_flags(int channel) {
    return (channel == 1 ? aircraft.AcBus1Powered : aircraft.AcBus2Powered) == 1 && ap_computer_powered();
}

// --- Reading --------------------------------------------------------------------

inline ApEngage ap_engage() { return static_cast<ApEngage>(aircraft.ApEngageState); }
inline FdCommand fd_command() { return static_cast<FdCommand>(aircraft.FdCommandState); }
inline Vertical vertical_mode() { return static_cast<Vertical>(aircraft.VerticalMode); }
inline Nav nav_mode() { return static_cast<Nav>(aircraft.NavMode); }
inline GlidePath glide_path() { return static_cast<GlidePath>(aircraft.GsCaptured); }
// The approach mode's raw value: the Parts compare it with bands (LOC is
// 1..29, LAND 30 and above), which the predicates below name.
inline uint8_t approach_value() { return aircraft.ApproachMode; }

inline bool any_ap_engaged() { return aircraft.ApEngageState != 0; }
inline bool dual_ap() { return ap_engage() == ApEngage::Both; }
inline bool fd_on() { return aircraft.FdCommandState != 0; }
inline bool approach_set() { return aircraft.ApproachMode != 0; }
inline bool loc_mode() { return aircraft.ApproachMode >= 1 && aircraft.ApproachMode <= 29; }
inline bool land_mode() { return aircraft.ApproachMode >= 30; }
inline bool land_dual() { return aircraft.ApproachMode >= 40; }
inline bool loc_captured() { return aircraft.LocCaptured == 1; }
inline bool gs_captured() { return aircraft.GsCaptured != 0; }
inline bool heading_select() { return aircraft.HeadingSelectMode == 1; }
inline bool speed_on_pitch() { return aircraft.SpeedOnPitchMode == 1; }
inline bool go_around() { return aircraft.GoAroundMode == 1; }
// The altitude panel's holds (the ALT HOLD light) and its selections (the
// ALT light).
inline bool altitude_hold() {
    const Vertical v = vertical_mode();
    return v == Vertical::HoldSelected || v == Vertical::HoldPresent;
}
inline bool altitude_select() {
    const Vertical v = vertical_mode();
    return v == Vertical::AltSelectArmed || v == Vertical::Capture || v == Vertical::ToNewSelection ||
           v == Vertical::HoldPresentNext;
}

// --- Writing --------------------------------------------------------------------

inline void set_ap_engage(ApEngage e) { aircraft.ApEngageState = static_cast<uint8_t>(e); }
inline void set_fd_command(FdCommand c) { aircraft.FdCommandState = static_cast<uint8_t>(c); }
inline void set_approach(Approach a) { aircraft.ApproachMode = static_cast<uint8_t>(a); }
inline void set_vertical_mode(Vertical v) { aircraft.VerticalMode = static_cast<uint8_t>(v); }
inline void set_nav_mode(Nav n) { aircraft.NavMode = static_cast<uint8_t>(n); }
inline void set_glide_path(GlidePath g) { aircraft.GsCaptured = static_cast<uint8_t>(g); }
namespace detail {
inline void set_flag(uint8_t AircraftState::*flag, bool on) { aircraft.*flag = on ? 1 : 0; }
}  // namespace detail
inline void set_speed_on_pitch(bool on) { detail::set_flag(&AircraftState::SpeedOnPitchMode, on); }
inline void set_mode_cancel_hold(bool on) { detail::set_flag(&AircraftState::ModeCancelHold, on); }
inline void set_go_around(bool on) { detail::set_flag(&AircraftState::GoAroundMode, on); }
inline void set_heading_select(bool on) { detail::set_flag(&AircraftState::HeadingSelectMode, on); }
inline void set_loc_captured(bool on) { detail::set_flag(&AircraftState::LocCaptured, on); }
inline void set_fd_lateral_basic(bool on) { detail::set_flag(&AircraftState::FdLateralBasicMode, on); }

// --- What the aircraft drops together ------------------------------------------------

// The flight directors off (no supply, or the FD buttons): every mode goes.
// The autopilot master's own speed-on-pitch reference is its to clear.
inline void clear_modes_for_fd_off() {
    set_ap_engage(ApEngage::None);
    aircraft.FdLateralBasicMode = 0;
    aircraft.SpeedOnPitchMode = 0;
    set_nav_mode(Nav::Off);
    aircraft.HeadingSelectMode = 0;
    set_vertical_mode(Vertical::None);
    set_approach(Approach::None);
    aircraft.LocCaptured = 0;
}

// The go-around takes over the flight path: the approach, lateral and
// vertical modes go, with the mode-cancel hold.
inline void clear_modes_for_go_around() {
    set_approach(Approach::None);
    aircraft.HeadingSelectMode = 0;
    set_vertical_mode(Vertical::None);
    aircraft.SpeedOnPitchMode = 0;
    set_nav_mode(Nav::Off);
    aircraft.ModeCancelHold = 0;
}

// The mode-cancel button: the autopilot flies its basic modes.
inline void clear_modes_for_mode_cancel() {
    set_approach(Approach::None);
    aircraft.SpeedOnPitchMode = 0;
    set_nav_mode(Nav::Off);
    aircraft.HeadingSelectMode = 0;
    set_vertical_mode(Vertical::None);
    aircraft.FdLateralBasicMode = 0;
}

// Both autopilots disconnected: the levers drop back to OFF and the host's
// autopilot master is no longer counted as seen on.
inline void disengage_autopilots() {
    aircraft.ApLever1On = 0;
    aircraft.ApLever2On = 0;
    set_ap_engage(ApEngage::None);
    aircraft.ApMasterSeenOn = 0;
}

// No autopilot engaged: what only an engaged autopilot keeps (the
// autopilot master clears its own bank-hold state beside it).
inline void clear_autopilot_only_modes() {
    aircraft.ModeCancelHold = 0;
    aircraft.PitchHoldLatch = 0;
    aircraft.FlareActive = 0;
    aircraft.RolloutActive = 0;
    aircraft.LandLowInhibit = 0;
}

// Green and yellow hydraulics lost: the servos cannot move the controls,
// the autopilot and the flight directors drop.
inline void drop_autoflight_for_hydraulic_loss() {
    set_fd_command(FdCommand::Off);
    set_ap_engage(ApEngage::None);
}

// --- The altitude panel ("toskelin ap_alt_rulo") ------------------------------------

// A vertical-speed command of the altitude modes: the basic pitch hold
// takes a new reference when it next flies.
inline void release_pitch_hold_reference() { aircraft.PitchHoldLatch = 0; }

// A hold of the present altitude: the basic pitch hold stops, and takes a
// new reference when it next flies.
inline void stop_pitch_hold() {
    aircraft.PitchHoldActive = 0;
    aircraft.PitchHoldLatch = 0;
}

// ALT HOLD pressed: the hold replaces speed on pitch, the mode-cancel hold
// and the go-around; a localiser approach already on its glide path ends.
inline void clear_modes_for_alt_hold() {
    set_speed_on_pitch(false);
    aircraft.ModeCancelHold = 0;
    aircraft.GoAroundMode = 0;
    if (loc_mode() && gs_captured()) set_approach(Approach::None);
}

// --- The heading panel ("toskelin ap_hdg_rulo") --------------------------------------

inline bool ins_couples_lateral() { return aircraft.InsCoupledValue == 1; }
inline bool nav_on() { return aircraft.NavMode != 0; }
inline bool fd_lateral_basic() { return aircraft.FdLateralBasicMode == 1; }

inline void set_nav_coupled(bool on) { detail::set_flag(&AircraftState::NavCoupled, on); }
// HDG or NAV active: the basic roll mode takes a new bank reference.
inline void request_bank_reference() { detail::set_flag(&AircraftState::BankRefRetake, true); }

// A lateral mode selected by the crew ends the mode-cancel hold and the
// go-around.
inline void clear_holds_for_lateral_mode() {
    aircraft.ModeCancelHold = 0;
    aircraft.GoAroundMode = 0;
}

// --- The autopilot master ("toskelin ap_master_rulo") ---------------------------------

// The AP 1 and AP 2 levers: ON (1) while their solenoid holds them.
inline bool ap_lever_on(int channel) {
    return (channel == 1 ? aircraft.ApLever1On : aircraft.ApLever2On) == 1;
}
inline void set_ap_lever(int channel, bool on) {
    detail::set_flag(channel == 1 ? &AircraftState::ApLever1On : &AircraftState::ApLever2On, on);
}
inline bool mode_cancel_hold() { return aircraft.ModeCancelHold == 1; }
// No altitude capture or hold under way (none, or ALT armed): the basic
// pitch modes and speed on pitch may fly.
inline bool vertical_below_capture() {
    const Vertical v = vertical_mode();
    return v == Vertical::None || v == Vertical::AltSelectArmed;
}

}  // namespace kadrimos::autoflight
