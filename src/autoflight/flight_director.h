// The flight director's computer: the glide path and localiser captures,
// the glide path's vertical-speed target that the autopilot follows on an
// approach, the localiser intercept heading, and the command bars' laws.
// "toskelin adi_fd_rulo" runs it in its update; it lives apart from the
// indicator so that each rule can be tested on its own.
#pragma once

#include <cstdint>

namespace kadrimos::autoflight {

// The host values the flight director reads in one update, read once at its
// start. Doubles stay as the host gave them (NaN included): each rule says
// what a value that is not a number means for it.
struct FdReadings {
    double tick = 0;                // token 1
    double loc_deviation = 0;       // token 40, +-127 full scale, + the centreline to the right
    double gs_deviation = 0;        // token 41, +-120 full scale, + above the path
    bool gs_valid = false;          // token 44 reads exactly 1.0
    bool gs_lost = false;           // token 44 reads exactly 0
    double course_deg = 0;          // token 45
    uint32_t nav_status = 0;        // token 46: 0x40 localiser, 0x80 localiser-type signal
    double nav_signal = 0;          // token 49
    double ias_kt = 0;              // token 61
    double vs_raw = 0;              // token 65, 1.30048 a ft/min
    double turn_ball = 0;           // token 69
    double altitude_ft = 0;         // token 74
    double pitch_deg = 0;           // token 78, nose down positive
    double bank_deg = 0;            // token 80, left wing down positive
    double heading_deg = 0;         // token 84
    double heading_hold = 0;        // token 106, the host autopilot's heading hold
    bool attitude_failed = false;   // token 276 or 288 reads 1 (integer)
    double radio_height_m = 0;      // token 614
    double commanded_bank_deg = 0;  // token 794, the host autopilot's bank command
};

inline constexpr uint32_t kNavStatusGlideslope = 0x40;
inline constexpr uint32_t kNavStatusLocaliser = 0x80;

// --- The glide path ------------------------------------------------------------------

// What the glide path remembers: the vertical speed sampled at three heights
// on the way down (the last update above 240, 220 and 202 m), their mean,
// which the autopilot flies below 200 m, and the tick of the next deviation
// correction while tracking.
struct GlidePathMemory {
    double samples[3] = {0, 0, 0};
    double mean = 0;
    double next_correction_tick = 0;
};

// The descent that holds a 3-degree path at an airspeed: 5 ft/min a knot, in
// the host's vertical-speed units.
double nominal_descent(double ias_kt);

// The glideslope can be flown: received, with the aircraft heading within
// 90 degrees of the course (GsValidFlag).
bool glide_path_receivable(const FdReadings& in);

// GsCaptured from the glideslope: captured once the deviation comes within
// 15 units from below while not descending, tracking once the aircraft is on
// or above the path, lost with the signal, with the aircraft heading away
// from the course, or far below the path.
void update_glide_path_capture(const FdReadings& in, GlidePathMemory& m);

// GsVsTarget: level before capture, the nominal descent once captured,
// corrected from the deviation every 20 ticks while tracking, and below
// 200 m the mean of the descent sampled above it, held from 155 ft down.
void update_glide_path_target(const FdReadings& in, GlidePathMemory& m, double radio_height_ft);

// --- The localiser -------------------------------------------------------------------

// The two capture-phase bytes: each counts the localiser deviation crossing
// its band's edge (0 outside, 1 in, 2 out again past it, 3 back in), and
// picks the finer band edges the second time round, so that an intercept
// that overshot eases off sooner.
struct LateralCapture {
    uint8_t phase_a = 0;  // watches the 5-degree band, chooses its inner edge
    uint8_t phase_b = 0;  // watches the 1-degree band, chooses its inner edge
};

// The capture base and the band edges below it, in localiser deviation
// units: under the base the intercept is 20 degrees, under edge[0] 15, under
// edge[1] 10, under edge[2] 5, under edge[3] 1, and under `zero` the course
// itself.
struct CaptureBands {
    double base = 0;
    double edge[4] = {0, 0, 0, 0};
    double zero = 0;
};

// The capture base: 117 on a localiser (the receiver's localiser-type signal,
// or an approach coupled), else from the signal strength.
double capture_base(bool localiser_signal, bool approach_coupled, double nav_signal);
CaptureBands capture_bands(double base, const LateralCapture& c);
// The capture phases after the deviation `deviation`.
void update_capture_phases(double deviation, const CaptureBands& bands, LateralCapture& c);
// The intercept angle for a deviation, degrees: 20, 15, 10, 5, 1 or 0; and
// -1 at or beyond the capture base.
int intercept_angle(double deviation, const CaptureBands& bands);

// FdHeadingCommand: the course plus or minus the intercept angle towards the
// centreline, or the present heading outside the capture base. In the FD
// lateral basic mode the sense is the other way, as the mode's bar law.
int32_t heading_command(double course_deg, double deviation, double heading_deg, const CaptureBands& bands,
                        bool lateral_basic, int32_t previous);

// LocCaptured: in an approach mode when the host autopilot banks more than
// 5 degrees to intercept with its heading hold off; in NAV without an
// approach mode when the deviation is within the capture base; lost with the
// signal.
void update_localiser_capture(const FdReadings& in, double base);

// --- Command bars --------------------------------------------------------------------

// A command bar's shown position, 1 to 11 with 6 in the middle, and whether
// it has settled on its target.
struct Bar {
    double shown = 0;
    uint8_t settled = 0;
    uint8_t centred = 0;  // near the runway: brought to the middle once
};

// The position a bar goes to for a command error in display units.
constexpr double bar_target(double error) { return (error + 120.0) / 20.0; }

void move_roll_bar(Bar& b, double target, bool fine);
void move_pitch_bar(Bar& b, double target);
void move_rollout_bar(Bar& b, double target);
// A bar out of use slides out of view: the roll and rollout bars to the
// right up to 14, the pitch bar up to -4.
void stow_side_bar(Bar& b);
void stow_pitch_bar(Bar& b);
// Near the runway in LAND the bars first come to the middle, then follow.
void centre_roll_bar(Bar& b);
void centre_pitch_bar(Bar& b);

// The lateral bar's error in heading select: the heading error itself within
// 3 degrees, else a bank to fly by band plus the present bank.
double heading_select_error(double selected_deg, double heading_deg, double bank_deg);
// The FD lateral basic mode's command value: the heading command's error
// within 5 degrees, else a step by band plus the present bank.
double lateral_basic_value(int32_t command_deg, double heading_deg, double bank_deg);
// The rollout bar's error: the course error and the deviation together.
double rollout_error(double course_deg, double heading_deg, double deviation);

// --- The indicator's own state ("toskelin adi_fd_rulo") ------------------------------

struct AdiState {
    // The sphere as shown, and whether it is slewing back to the aircraft's
    // attitude after a loss of power.
    double bank_deg = 0;
    double pitch = 0;  // display units: 1.4 a degree, nose down positive
    uint8_t bank_slewing = 0;
    uint8_t pitch_slewing = 0;
    // Pointers: 0 is out of view; they come in and go out 10 units an update.
    double loc_pointer = 0;
    double gs_pointer = 0;
    double speed_pointer = 103;
    double turn = 0;
    double sideslip = 0;
    Bar roll_bar{14, 0, 0};
    Bar pitch_bar{-4, 0, 0};
    Bar rollout_bar{14, 0, 0};
    // The test button adds 20 updates of test; the counter runs down.
    int32_t test_counter = 0;
    GlidePathMemory glide_path{};
    LateralCapture capture{};
};

}  // namespace kadrimos::autoflight

namespace kadrimos::gauges::adi_fd {
extern autoflight::AdiState state;
}  // namespace kadrimos::gauges::adi_fd
