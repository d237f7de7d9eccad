// "toskelin ap_master_rulo": what the autopilot master keeps to itself
// between updates, and the steps of its update that live in files of their
// own (the basic modes, the speed-on-pitch table, the autoland's low
// phases). The gauge's callback runs them in the order of the autopilot's
// computation; each reads the host once through the readings below.
#pragma once

#include <cstdint>

namespace kadrimos::autoflight {

// The host values the autopilot reads in one update, read once at its start.
// Doubles stay as the host gave them (NaN included): each rule says what a
// value that is not a number means for it.
struct ApReadings {
    double tick = 0;               // token 1
    uint32_t nav_status = 0;       // token 46, the localiser bits 0x40 and 0x80
    double nav_signal = 0;         // token 49
    bool on_ground = false;        // token 60 reads exactly 1.0
    double ias_kt = 0;             // token 61
    double vs_fpm = 0;             // token 65 in feet per minute (the instruments' conversion)
    double vs_ap_fpm = 0;          // token 65 in feet per minute (the autopilot's own conversion)
    double altitude_ft = 0;        // token 73
    double pitch_up_deg = 0;       // token 78 negated: nose-up positive
    double bank_360_deg = 0;       // token 79, 0..360
    double bank_deg = 0;           // token 80 negated: right wing down positive
    bool bank_known = false;       // token 80 is a finite number
    double master = 0;             // token 103, host autopilot master
    double wing_leveler = 0;       // token 104
    double nav_hold = 0;           // token 105
    double heading_hold = 0;       // token 106
    double altitude_hold = 0;      // token 108
    double glideslope_hold = 0;    // token 111
    double approach_hold = 0;      // token 112
    bool attitude_failed = false;  // token 276 reads 1 (integer)
    bool heading_failed = false;   // token 282 reads 1 (integer)
    bool vacuum_failed = false;    // token 288 reads 1 (integer)
    int32_t elevator = 0;          // token 309 as an integer
    int32_t yoke_roll = 0;         // token 311 as an integer
    int32_t elevator_surface = 0;  // token 317 as an integer
    double trim = 0;               // token 318
    double radio_height_ft = 0;    // token 614 x 3.281
    double fd_flag = 0;            // token 792, the host's flight director
    bool gps_drives_nav = false;   // token 848 reads exactly 1.0
};

// The speed-on-pitch mode's memory: its reference speed, the two speed
// samples and their trend, and the step phase of the error row last
// entered.
struct SpeedOnPitchMemory {
    uint8_t initialised = 0;  // the entry step has run
    uint8_t was_on = 0;       // the mode was on at the last update
    int32_t reference_kt = 0;
    double next_sample_tick = 0;
    uint8_t samples = 0;  // samples taken since entry (0, 1, 2 or more)
    double last_sample_kt = 0;
    double previous_sample_kt = 0;
    double trend = 0;            // kt per 9 ticks
    int8_t row = -1;             // the error row of the last update; -1 none
    uint8_t phase = 0;           // the row's phase byte while it holds further steps
    double hold_until_tick = 0;  // the row steps again from this tick
};

struct ApMasterState {
    // Pushbutton presses waiting for the next update (the buttons act on
    // the conditions of the moment, read from the host in the update).
    uint8_t fd1_press = 0;
    uint8_t fd2_press = 0;
    uint8_t speed_on_pitch_press = 0;
    uint8_t land_press = 0;
    uint8_t loc_press = 0;
    uint8_t fd_lateral_press = 0;
    uint8_t mode_cancel_press = 0;

    // The pitch wheel's magnifier: raised by a click, then shown for 50
    // ticks from the first update after it.
    uint8_t magnifier_request = 0;
    uint8_t magnifier_running = 0;
    double magnifier_end_tick = 0;

    // Pitch attitude hold: the nose-up pitch to hold (taken at engagement
    // and again after each trim step) and the latch of a settled command.
    double pitch_reference_deg = 0;
    uint8_t pitch_settled = 0;

    // Bank / heading hold: the bank to hold, whether the hold flies it, its
    // roll bias, whether the first update has run, and the phase of the
    // crew's roll input (token 311) seen last.
    int32_t bank_reference_deg = 0;
    uint8_t bank_hold_active = 0;
    int32_t roll_bias = 0;
    uint8_t roll_started = 0;
    uint8_t roll_phase = 0;

    // Trim steps: the latch (trim value taken), the trip points and the trim
    // value sent last.
    uint8_t trim_latch = 0;
    int32_t trip_up = 0;
    int32_t trip_down = 0;
    int32_t trim_value = 0;

    SpeedOnPitchMemory speed;

    // The ailerons centred once at the touchdown of a LAND.
    uint8_t touchdown_done = 0;

    // Runway guidance on the take-off roll: 0 off, 1 armed at low speed,
    // 2 guiding.
    uint8_t runway_latch = 0;
};

// The host values of this update (ap_master_inputs.cpp).
ApReadings read_autopilot_inputs();
// Both sides enabled and the bank within 54 degrees: the flight directors
// and both channels need them.
bool common_conditions(const ApReadings& in);
// A channel's own supplies, instrument supply and flags.
bool channel_conditions(int channel);
// One flight director commanding and no autopilot engaged.
bool single_fd_without_ap();
// The localiser received, with a signal.
bool localiser_received(const ApReadings& in);
// The pushbutton presses since the last update, acted on in the panel's order.
void take_presses(const ApReadings& in);

// The steps of the update kept in their own files, in the order the
// callback runs them.
void run_pitch_hold(const ApReadings& in);         // pitch attitude hold
void run_turn_compensation(const ApReadings& in);  // pitch input in a turn
void run_approach_path(const ApReadings& in);      // glide path vertical speed
void run_basic_roll(const ApReadings& in);         // bank / heading hold
void run_speed_on_pitch(const ApReadings& in);     // speed held through pitch
void run_trim_steps(const ApReadings& in);         // pitch trim while holding pitch
void run_land_low_phases(const ApReadings& in);    // flare, roll-out, touchdown
void run_runway_guidance(const ApReadings& in);    // ground-roll guidance

// The tables the modes fly by.
// The roll bias of a bank reference (degrees).
int32_t roll_bias_for(int32_t bank_reference_deg);
// The roll input that flies the bank back to the reference over its bias.
int32_t roll_input_for(int32_t bank_deg, int32_t reference_deg, int32_t bias);
// The glide path's vertical-speed reference for a command (ft/min).
int32_t rounded_path_command(int32_t command_fpm);
// The step of the vertical-speed command for a speed error (kt) and trend
// (kt per 9 ticks), and whether the step repeats every update while the
// command stays close to the present vertical speed.
struct SpeedStep {
    int8_t row;  // the error band; -1 the dead band
    int32_t step_fpm;
    uint8_t phase;    // the row's phase byte
    uint8_t repeats;  // the row's outer step repeats each update
};
SpeedStep speed_step_for(double error_kt, double trend);

// A vertical speed taken as the command (ft/min): not a number reads 0, and
// beyond 100000 either way it is held there.
int32_t vertical_speed_command(double fpm);

// Sends a vertical-speed command to the host: the altitude reference that
// lets the host fly it (60000 ft to climb, 0 to descend, the present altitude
// to hold), then the vertical speed.
void send_vertical_speed(int32_t command_fpm, double altitude_ft);

}  // namespace kadrimos::autoflight

namespace kadrimos::gauges::ap_master {
// The gauge's own state (reset with the module through the catalogue).
extern autoflight::ApMasterState state;
}  // namespace kadrimos::gauges::ap_master
