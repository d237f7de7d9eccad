// The autopilot master's basic modes and its autoland: what the autopilot
// flies when no other mode is selected, and the last feet of a LAND.
//
//   - trim steps: while the pitch is held, an elevator held off centre is
//     trimmed out five units at a time, towards the elevator's side;
//   - pitch attitude hold: the nose-up pitch at engagement held through
//     vertical-speed commands, harder the further the nose has gone;
//   - turn compensation: back pressure in a bank, more at low speed;
//   - the approach vertical path: the flight director's glide-path target;
//   - bank / heading hold: the bank at engagement (within 30 degrees) held
//     through roll inputs over a bias that keeps the wing down;
//   - the LAND low phases: flare from 80 ft, roll-out from 30 ft, the
//     touchdown, the nose held down on the runway;
//   - runway guidance on the take-off and landing roll.
//
// The gauge's callback (ap_master.cpp) runs them in that order after the
// engagement logic, from the host values it read for the update.
#include <cstdint>
#include <iterator>

#include "autoflight/ap_master_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "panel/convert.h"
#include "panel/host.h"
#include "panel/units.h"

namespace kadrimos::autoflight {
namespace {

ApMasterState& self = gauges::ap_master::state;

// Host events.
constexpr uint32_t kAltitudeHoldOn = 0x10110;
constexpr uint32_t kWingLevelerOn = 0x10111;
constexpr uint32_t kWingLevelerOff = 0x10119;
constexpr uint32_t kAltitudeReference = 0x101f3;
constexpr uint32_t kVerticalSpeedReference = 0x101f4;
constexpr uint32_t kElevatorSet = 0x1009e;
constexpr uint32_t kAileronSet = 0x1009f;
constexpr uint32_t kElevatorTrimSet = 0x100aa;
constexpr uint32_t kLocHoldOff = 0x10115;
constexpr uint32_t kNavHoldOff = 0x1011b;
constexpr uint32_t kApproachHoldOff = 0x10116;
constexpr uint32_t kAltitudeHoldOff = 0x10118;
constexpr uint32_t kAileronCenter = 0x10096;
constexpr uint32_t kAileronAxisSet = 0x100e3;

constexpr double kClimbReference = 60000;  // an altitude reference the host climbs towards
// No aircraft climbs or sinks at 100000 ft/min: a command taken from a host
// reading beyond it is held there, so that the steps added to it stay far
// from the integer's limits.
constexpr double kCommandCeilingFpm = 100000;
constexpr uint32_t kLocaliserBit = 0x40;

void send_signed(uint32_t event, int32_t value) { host::send_event(event, static_cast<uint32_t>(value)); }

bool master_on(const ApReadings& in) { return in.master == 1.0; }

// --- Trim steps --------------------------------------------------------------------

constexpr int32_t kTrimDeadBand = 100;  // the elevator is held off centre from here
constexpr int32_t kTripMargin = 5000;   // a new step needs the elevator this near the last trip point
constexpr int32_t kTrimStep = 5;
constexpr int32_t kTrimVerticalSpeed = 20;  // ft/min the command moves with each step

}  // namespace

// One step an update at most, towards the elevator's side: an elevator
// pushed (E above 0) trims up, pulled trims down. The two trip points keep
// a second step waiting until the elevator has moved on from the first.
void run_trim_steps(const ApReadings& in) {
    if (aircraft.PitchHoldActive != 1) return;
    const int32_t e = in.elevator;
    if (e != 0 && e > -kTrimDeadBand && e < kTrimDeadBand) {
        self.trip_up = 0;
        self.trip_down = 0;
        self.trim_latch = 0;
        return;
    }
    if (aircraft.PitchHoldLatch != 1 || e == 0) return;
    const bool up = e > 0 && static_cast<int64_t>(e) >= static_cast<int64_t>(self.trip_up) - kTripMargin;
    const bool down = e < 0 && static_cast<int64_t>(e) <= static_cast<int64_t>(self.trip_down) + kTripMargin;
    if (!up && !down) return;
    if (self.trim_latch == 0) {
        self.trim_value = to_integer<int32_t>(in.trim);
        self.trim_latch = 1;
    }
    self.trim_value = up ? self.trim_value + kTrimStep : self.trim_value - kTrimStep;
    send_signed(kElevatorTrimSet, self.trim_value);
    if (up) {
        self.trip_up = e;
        self.trip_down = 0;
        aircraft.ApVsCommand += kTrimVerticalSpeed;
    } else {
        self.trip_down = e;
        self.trip_up = 0;
        aircraft.ApVsCommand -= kTrimVerticalSpeed;
    }
    self.pitch_reference_deg = in.pitch_up_deg;
}

int32_t vertical_speed_command(double fpm) {
    const double v = fpm > kCommandCeilingFpm    ? kCommandCeilingFpm
                     : fpm < -kCommandCeilingFpm ? -kCommandCeilingFpm
                                                 : fpm;
    return to_integer<int32_t>(v);
}

void send_vertical_speed(int32_t command_fpm, double altitude) {
    const double reference = command_fpm > 0 ? kClimbReference : command_fpm < 0 ? 0.0 : altitude;
    host::send_event(kAltitudeReference, to_integer<uint32_t>(reference));
    send_signed(kVerticalSpeedReference, command_fpm);
}

// --- Pitch attitude hold -------------------------------------------------------

namespace {

// The pitch error's bands (degrees, the magnitude of the error) and the
// vertical speed each degree costs.
struct PitchGain {
    double from_deg;
    double fpm_per_deg;
};
constexpr PitchGain kPitchGains[] = {
    {1.5, 1500},
    {1.0, 1000},
    {0.5, 500},
    {0.1, 100},
};
static_assert(std::size(kPitchGains) == 4, "four bands each side of the settled band");

}  // namespace

void run_pitch_hold(const ApReadings& in) {
    if (!master_on(in) || aircraft.PitchHoldActive != 1 || !vertical_below_capture() || speed_on_pitch() ||
        in.on_ground)
        return;
    if (aircraft.PitchHoldLatch != 1) {
        host::send_event(kAltitudeHoldOn);
        aircraft.ApVsCommand = vertical_speed_command(in.vs_fpm);
        self.pitch_reference_deg = in.pitch_up_deg;
        self.pitch_settled = 0;
        aircraft.PitchHoldLatch = 1;
    }
    const double e = in.pitch_up_deg - self.pitch_reference_deg;
    const double magnitude = e < 0 ? -e : e;
    bool banded = false;
    for (const PitchGain& g : kPitchGains) {
        if (magnitude >= g.from_deg) {
            aircraft.ApVsCommand = vertical_speed_command(in.vs_fpm - g.fpm_per_deg * e);
            self.pitch_settled = 0;
            banded = true;
            break;
        }
    }
    if (!banded && magnitude < 0.1 && self.pitch_settled == 0) {
        aircraft.ApVsCommand = vertical_speed_command(in.vs_fpm);
        self.pitch_settled = 1;
    }
    send_vertical_speed(aircraft.ApVsCommand, in.altitude_ft);
}

// --- Turn compensation -----------------------------------------------------------

namespace {
constexpr double kTurnFrom = 15;    // degrees of bank (0..360) where compensation starts
constexpr double kTurnTo = 345;     // and where it ends on the other side
constexpr double kTurnGain = 140;   // pitch input a degree of bank
constexpr double kTurnSpeed = 300;  // kt: compensation grows below this speed
constexpr double kTurnSpeedGain = 0.022;
}  // namespace

void run_turn_compensation(const ApReadings& in) {
    if (!master_on(in) || aircraft.PitchHoldActive != 0 || in.on_ground) return;
    const double b = in.bank_360_deg;
    if (!(b >= kTurnFrom && b <= kTurnTo)) return;
    const double m = b > 180 ? 360 - b : b;
    const double input = -(m * kTurnGain * ((kTurnSpeed - in.ias_kt) * kTurnSpeedGain + 1));
    send_signed(kElevatorSet, to_integer<int32_t>(input));
}

// --- The approach's vertical path ------------------------------------------------

namespace {
constexpr double kPathBand = 20;  // ft/min either side of the target
constexpr double kPathCorrection = 100;
constexpr double kPathFloorFt = 10;  // below it the flare's own commands fly
constexpr int32_t kGroundPitchFloor = 3000;
constexpr int32_t kGroundPitchMargin = 100;
}  // namespace

// The vertical-speed reference rounds a command towards the next hundred
// down once it is 50 past it (-780 goes to -800, -730 stays).
int32_t rounded_path_command(int32_t command) {
    const int32_t hundreds = command / 100 * 100;
    return command <= hundreds - 50 ? hundreds - 100 : command;
}

void run_approach_path(const ApReadings& in) {
    if (!master_on(in) || !approach_set()) return;
    if (gs_captured()) set_vertical_mode(Vertical::None);
    const double t = aircraft.GsVsTarget / units::kHostVerticalSpeedPerFootPerMinute;
    const double v = in.vs_ap_fpm;
    const double command = v > t + kPathBand   ? t - kPathCorrection
                           : v < t - kPathBand ? t + kPathCorrection
                                               : t;
    aircraft.ApVsCommand = vertical_speed_command(command);
    host::send_event(kAltitudeReference, 0);
    if (aircraft.RadioAltitudeFt > kPathFloorFt)
        send_signed(kVerticalSpeedReference, rounded_path_command(aircraft.ApVsCommand));
    if (in.on_ground) {
        const int32_t surface = in.elevator_surface;
        send_signed(kElevatorSet,
                    surface > kGroundPitchFloor ? surface + kGroundPitchMargin : kGroundPitchFloor);
    }
}

// --- Bank / heading hold ---------------------------------------------------------

namespace {

constexpr int32_t kBankLimit = 30;  // the hold's reference stays within this
constexpr int32_t kHoldFrom = 5;    // a bank from here is held as it is
constexpr int32_t kWingsLevelWithin = 4;

// The roll bias of a bank reference: the aileron a bank of that size needs
// held to stay there. Bands open at zero, closed away from it.
struct BiasBand {
    int32_t above;  // the band is (above, to] on the right, [-to, -above) on the left
    int32_t to;
    int32_t right;
    int32_t left;
};
constexpr BiasBand kRollBias[] = {
    {0, 5, 170, -180},   {5, 10, 210, -210},  {10, 15, 230, -230}, {15, 20, 310, -310},
    {20, 25, 340, -340}, {25, 30, 370, -370}, {30, 45, 400, -400},
};
static_assert(std::size(kRollBias) == 7, "seven bands each side");

// The roll input for a bank error, first matching row: how far the bank is
// past the reference (whole degrees) and the input, absolute or over the
// bias.
struct RollRow {
    int32_t past_deg;  // bank - reference at least this (negative rows: at most)
    int32_t input;
    bool over_bias;
};
constexpr RollRow kRollRows[] = {
    {15, 10000, false}, {-15, -10000, false}, {10, 7500, true}, {-10, -7500, true},
    {5, 4000, true},    {-5, -4000, true},    {1, 1500, true},  {-1, -1500, true},
};
static_assert(std::size(kRollRows) == 8, "four bands each side of the reference");
constexpr int32_t kOnReferenceInput = -50;

int32_t within_bank_limit(int32_t bank) {
    return bank > kBankLimit ? kBankLimit : bank < -kBankLimit ? -kBankLimit : bank;
}

// The crew's roll input through the control wheel: 1, 2, 3 past 50, 1000 and
// 5000 one way, 255, 254, 253 the other, 0 within 49 of centre.
uint8_t roll_input_phase(int32_t yoke) {
    if (yoke > 5000) return 3;
    if (yoke > 1000) return 2;
    if (yoke > 49) return 1;
    if (yoke < -5000) return 253;
    if (yoke < -1000) return 254;
    if (yoke < -49) return 255;
    return 0;
}

}  // namespace

int32_t roll_bias_for(int32_t r) {
    for (const BiasBand& b : kRollBias) {
        if (r > b.above && r <= b.to) return b.right;
        if (r < -b.above && r >= -b.to) return b.left;
    }
    return 0;
}

int32_t roll_input_for(int32_t bank, int32_t reference, int32_t bias) {
    const int32_t past = bank - reference;
    for (const RollRow& row : kRollRows) {
        const bool hit = row.past_deg > 0 ? past >= row.past_deg : past <= row.past_deg;
        if (hit) return row.over_bias ? bias + row.input : row.input;
    }
    return bias + kOnReferenceInput;
}

void take_bank_reference(int32_t bank) {
    self.bank_reference_deg = within_bank_limit(bank);
    self.roll_bias = roll_bias_for(self.bank_reference_deg);
}

void run_basic_roll(const ApReadings& in) {
    if (!master_on(in) || aircraft.BasicRollAllowed != 1) {
        self.roll_started = 0;
        return;
    }
    // The heading panel's request for a new reference is taken here, once.
    const bool retake_asked = aircraft.BankRefRetake == 1;
    aircraft.BankRefRetake = 0;
    const int32_t bank = to_integer<int32_t>(in.bank_deg);
    const uint8_t phase = roll_input_phase(in.yoke_roll);
    if (self.roll_started == 0) {
        self.roll_started = 1;
        self.roll_phase = phase;
        if (bank > kBankLimit || bank < -kBankLimit) {
            host::send_event(kWingLevelerOn);
            take_bank_reference(bank);
        } else if (bank >= kHoldFrom || bank <= -kHoldFrom) {
            host::send_event(kWingLevelerOff);
            take_bank_reference(bank);
            self.bank_hold_active = 1;
        } else if (bank <= kWingsLevelWithin && bank >= -kWingsLevelWithin) {
            host::send_event(kWingLevelerOn);
            if (nav_mode() != Nav::Radio || approach_value() < 20) take_bank_reference(0);
        }
    } else {
        // The crew rolling through the control wheel, or the heading panel
        // asking for it: the hold takes the bank it is given.
        const bool crew_rolls = phase != self.roll_phase && phase != 0;
        self.roll_phase = phase;
        if (crew_rolls || retake_asked) {
            take_bank_reference(bank);
            self.bank_hold_active = 1;
        }
    }
    if (self.bank_hold_active == 1)
        send_signed(kAileronSet, roll_input_for(bank, self.bank_reference_deg, self.roll_bias));
}

// --- The LAND low phases ---------------------------------------------------------

namespace {
constexpr double kLandLowFt = 700;
constexpr double kFlareFromFt = 80;
constexpr double kRolloutFromFt = 30;
constexpr double kDecrabFromFt = 10;
constexpr double kLastFeetFt = 5;
constexpr int32_t kFlareSinkFpm = -50;
constexpr int32_t kFullPitchInput = 30000;
constexpr double kNoseUpLimit = -2;    // pitch value (nose-up negative): pull while above it
constexpr double kNoseUpCeiling = -3;  // push while below it
constexpr double kLastFeetCeiling = -3.5;
constexpr int32_t kLastFeetInput = 10000;
constexpr double kRunwayGuidanceKt = 50;

// The nose held down on the runway, firmer the heavier the aircraft
// (GrossWeightHundreds).
int32_t nose_down_input(double weight) {
    if (weight >= 1070) return 8000;
    if (weight >= 1050) return 7000;
    return 6000;
}

void hold_flare_pitch(double pitch, bool level_between) {
    if (pitch >= kNoseUpLimit)
        send_signed(kElevatorSet, -kFullPitchInput);
    else if (pitch < kNoseUpCeiling)
        send_signed(kElevatorSet, kFullPitchInput);
    else if (level_between)
        send_signed(kElevatorSet, 0);
}
}  // namespace

void run_land_low_phases(const ApReadings& in) {
    if (!land_mode()) {
        self.touchdown_done = 0;
        return;
    }
    if (in.radio_height_ft < kLandLowFt) aircraft.LandLowInhibit = 1;
    const double ra = aircraft.RadioAltitudeFt;
    const double pitch = -in.pitch_up_deg;  // the host's pitch value, nose-up negative
    if (ra >= kRolloutFromFt && ra < kFlareFromFt) {
        aircraft.FlareActive = 1;
        send_signed(kVerticalSpeedReference, kFlareSinkFpm);
        hold_flare_pitch(pitch, true);
    } else if (ra >= kDecrabFromFt && ra < kRolloutFromFt) {
        aircraft.RolloutActive = 1;
        hold_flare_pitch(pitch, false);
    } else if (ra > kLastFeetFt && ra < kDecrabFromFt) {
        if (pitch < kLastFeetCeiling) send_signed(kElevatorSet, kLastFeetInput);
    }
    if (!in.on_ground) {
        self.touchdown_done = 0;
        return;
    }
    aircraft.AtsSpeedMode = 0;
    aircraft.FlareActive = 0;
    // The host's approach functions go off at the touchdown (each only
    // while on), the ailerons are centred once.
    if (in.nav_hold == 1.0) {
        host::send_event(kLocHoldOff);
        host::send_event(kNavHoldOff);
    }
    if (in.glideslope_hold == 1.0 || in.approach_hold == 1.0) host::send_event(kApproachHoldOff);
    if (in.altitude_hold == 1.0) host::send_event(kAltitudeHoldOff);
    if (self.touchdown_done == 0) {
        host::send_event(kAileronCenter);
        host::send_event(kAileronAxisSet);
        self.touchdown_done = 1;
    }
    send_signed(kElevatorSet, nose_down_input(aircraft.GrossWeightHundreds));
    if (in.ias_kt > kRunwayGuidanceKt) aircraft.RunwayGuidanceActive = 1;
}

// --- Runway guidance -------------------------------------------------------------

namespace {
constexpr double kArmBelowKt = 45;
constexpr double kGuidanceAboveKt = 50;
constexpr double kGuidanceBelowFt = 30;
constexpr uint8_t kLatchOff = 0;
constexpr uint8_t kLatchArmed = 1;
constexpr uint8_t kLatchGuiding = 2;
}  // namespace

void run_runway_guidance(const ApReadings& in) {
    const bool powered = (channel_first_supply(1) || annunciators_powered()) && instrument_supply() &&
                         fd_on() && (in.nav_status & kLocaliserBit) != 0;
    if (!powered) {
        aircraft.RunwayGuidanceActive = 0;
        self.runway_latch = kLatchOff;
    } else if (!land_mode()) {
        // The take-off roll: armed at low speed on the runway, guiding from
        // 50 kt until the aircraft is 30 ft up.
        if (in.on_ground && in.ias_kt < kArmBelowKt && self.runway_latch == kLatchOff)
            self.runway_latch = kLatchArmed;
        const bool guiding =
            fd_on() && aircraft.RadioAltitudeFt < kGuidanceBelowFt && in.ias_kt > kGuidanceAboveKt;
        if (self.runway_latch != kLatchOff && guiding) {
            aircraft.RunwayGuidanceActive = 1;
            self.runway_latch = kLatchGuiding;
        } else if (self.runway_latch == kLatchGuiding) {
            aircraft.RunwayGuidanceActive = 0;
            self.runway_latch = kLatchOff;
        }
    } else {
        aircraft.RunwayGuidanceActive = in.on_ground && in.ias_kt > kGuidanceAboveKt ? 1 : 0;
    }
    if (!(in.ias_kt >= kGuidanceAboveKt)) {
        aircraft.RunwayGuidanceActive = 0;
        aircraft.RolloutActive = 0;
    }
}

}  // namespace kadrimos::autoflight
