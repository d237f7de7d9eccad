// The aircraft in motion: a small model of where the simulated aircraft is
// and how it moves, so that the variables the flight instruments read move
// together as they would in the simulator. A climb changes the altitude at
// its vertical speed, the radio height is the height above the terrain under
// the aircraft, Mach and true airspeed follow the indicated airspeed and the
// altitude through the standard atmosphere, the air temperatures follow the
// altitude, and pitch and bank follow the manoeuvre.
//
// The model has three axes that run side by side: vertical (climb, descend,
// level off), speed (accelerate, decelerate) and heading (turn). A new
// command on an axis replaces the one running on it. Nothing moves until the
// aircraft is placed; until then the model drives no variable at all.
//
// Everything that reaches a host variable is worked out with additions,
// multiplications, divisions and square roots only (all correctly rounded in
// IEEE arithmetic) and tables: no C library function whose last bit may
// differ between the Linux and the Windows host.
// docs/SCENARIOS.md ("The aircraft in motion") gives the formulas and units.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

// --- The standard atmosphere and the air data it gives -----------------------

// The model's altitudes run over the standard atmosphere's table.
inline constexpr double kLowestAltitudeFt = -2000.0;
inline constexpr double kHighestAltitudeFt = 60000.0;

// Temperature of the standard atmosphere at a pressure altitude, kelvin:
// 288.15 K at sea level, 1.9812 K less per 1000 ft up to the tropopause
// (36089 ft), 216.65 K above it.
double isa_temperature_k(double altitude_ft);
// Static pressure over the sea-level pressure at a pressure altitude: the
// standard atmosphere every 1000 ft, linear between, held at the table's
// ends beyond it.
double isa_pressure_ratio(double altitude_ft);
// The Mach number at which a pitot-static system reads `airspeed_kt`
// (calibrated, taken as indicated) where the static pressure is
// `pressure_ratio` of the sea-level pressure. Subsonic: at most 1; 0 for a
// speed of 0 or less.
double mach_from_airspeed(double airspeed_kt, double pressure_ratio);
// The speed of sound in air at a temperature, knots.
double speed_of_sound_kt(double temperature_k);

// Angles without the C library: the arc tangent in degrees (range reduction
// and a series, within 1e-6 degrees) and the cosine of an angle in degrees
// (a series on -90..90 degrees and symmetry beyond, within 1e-6).
double arctan_deg(double x);
double cosine_deg(double degrees);

// --- Commands ------------------------------------------------------------------

// One motion statement of a scenario, read and checked (see motion_script).
struct MotionCommand {
    enum class Kind {
        Place,        // aircraft [on ground] at ALT [SPEED] [heading HDG]
        Terrain,      // terrain ALT [at RATE]
        Temperature,  // temperature ISA [OFFSET C]
        Climb,        // climb to ALT [at RATE]
        Descend,      // descend to ALT [at RATE]
        Accelerate,   // accelerate to SPEED [at RATE]
        Decelerate,   // decelerate to SPEED [at RATE]
        TurnLeft,     // turn left to heading HDG [at RATE]
        TurnRight,    // turn right to heading HDG [at RATE]
        LevelOff,     // level off
        Ils,          // ils course CRS at DIST nm [left|right OFF nm] [elevation ALT ft] [glideslope G deg]
                      // [frequency F MHz]
    };
    Kind kind = Kind::LevelOff;
    // Place: the altitude (ft); Terrain: the elevation (ft); Temperature: the
    // offset from the standard atmosphere (kelvin); Climb, Descend: the
    // target altitude (ft); Accelerate, Decelerate: the target speed (kt);
    // Turn: the target heading (degrees, 0 to below 360).
    double value = 0.0;
    // Climb, Descend: ft/min; Accelerate, Decelerate: kt/s; Turn: deg/s.
    // 0 takes the default rate. Terrain: ft/min at which the ground under
    // the aircraft rises or falls to its elevation; 0 moves it at once.
    double rate = 0.0;
    bool on_ground = false;  // Place
    double speed_kt = 0.0;   // Place
    bool has_heading = false;
    double heading_deg = 0.0;  // Place
    // Ils: `value` is the runway's course (degrees); the threshold lies
    // `distance_nm` ahead of the aircraft along its heading and `offset_nm`
    // to the side of that line (right positive); the runway's elevation
    // (the terrain's when not given) and the glideslope's angle.
    double distance_nm = 0.0;
    double offset_nm = 0.0;
    bool has_elevation = false;
    double elevation_ft = 0.0;
    double glideslope_deg = 3.0;
    double frequency_mhz = 0.0;  // the localiser's; 0: received whatever NAV 1 is tuned to
};

// Whether the scenario verb `verb` is a motion statement's.
bool is_motion_verb(const std::string& verb);

// Default rates, where a command gives none.
inline constexpr double kDefaultClimbFpm = 2000.0;
inline constexpr double kDefaultDescentFpm = 1500.0;
inline constexpr double kDefaultAirAccelerationKtPerS = 2.0;
inline constexpr double kDefaultGroundAccelerationKtPerS = 4.0;
inline constexpr double kStandardRateDegPerS = 3.0;
// The standard altimeter setting, and the feet an altimeter's reading moves
// for a millibar of setting near the ground (the cockpit's standby altimeter
// corrects by the same figure).
inline constexpr double kStandardSettingMb = 1013.25;
inline constexpr double kFeetPerMillibar = 29.52;

// --- The host variables the model drives -----------------------------------------

// Token, the simulator's name, and the unit the simulator reports it in.
struct DrivenVariable {
    uint32_t token;
    const char* name;
    const char* unit;
};
inline constexpr DrivenVariable kDrivenVariables[] = {
    {2, "GROUND_ALTITUDE", "terrain elevation, 1/256 m"},
    {60, "AIRCRAFT_ON_GROUND", "1 on the ground, 0 in the air"},
    {61, "AIRSPEED", "indicated airspeed, kt"},
    {64, "MACH", "Mach number x 20480"},
    {65, "VERTICAL_SPEED", "vertical speed, m/s x 256"},
    {73, "PLANE_ALTITUDE", "altitude, m"},
    {74, "ALT_FROM_BAROMETRIC_PRESSURE", "altitude, ft"},
    {78, "ATTITUDE_INDICATOR_PITCH_DEGREES", "pitch, degrees, nose up negative"},
    {80, "ATTITUDE_INDICATOR_BANK_DEGREES", "bank, degrees, right wing down negative"},
    {83, "WHISKEY_COMPASS_DEGREES", "heading, degrees"},
    {84, "PLANE_HEADING_DEGREES_GYRO", "heading, degrees"},
    {341, "AMBIENT_TEMP_DEGREES_C", "static air temperature, C"},
    {350, "TOTAL_AIR_TEMP", "total air temperature, C / 256"},
    {551, "FORWARD_GROUND_VELOCITY", "ground speed, ft/s"},
    {552, "SIDE_GROUND_VELOCITY", "sideways ground speed, ft/s (0: no wind)"},
    {614, "RADIO_HEIGHT", "height above the terrain, m"},
    {789, "INCIDENCE_ALPHA", "angle of attack, radians"},
    {794, "FLIGHT_DIRECTOR_BANK", "the autopilot's bank command, degrees, right wing down negative"},
};
inline constexpr std::size_t kDrivenCount = std::size(kDrivenVariables);

// --- The simulator's autopilot ------------------------------------------------------

// Its state, as the host variables hold it: the master and function flags
// (on while they read exactly 1), the altitude reference (ft), the vertical
// speed reference (ft/min) and the heading bug (degrees).
inline constexpr uint32_t kTokenApMaster = 103;          // AUTOPILOT_ACTIVE
inline constexpr uint32_t kTokenApWingLeveler = 104;     // AUTOPILOT_WING_LEVELER
inline constexpr uint32_t kTokenApNavHold = 105;         // AUTOPILOT_NAV1_LOCK
inline constexpr uint32_t kTokenApHeadingHold = 106;     // AUTOPILOT_HEADING_LOCK
inline constexpr uint32_t kTokenApHeadingBug = 107;      // AUTOPILOT_HEADING_LOCK_DIR
inline constexpr uint32_t kTokenApAltitudeHold = 108;    // AUTOPILOT_ALTITUDE_LOCK
inline constexpr uint32_t kTokenApAltitudeRef = 109;     // AUTOPILOT_ALTITUDE_LOCK_VAR
inline constexpr uint32_t kTokenApGlideslopeHold = 111;  // AUTOPILOT_GLIDESLOPE_HOLD
inline constexpr uint32_t kTokenApApproachHold = 112;    // AUTOPILOT_APROACH_HOLD
inline constexpr uint32_t kTokenApVerticalSpeed = 120;   // AUTOPILOT_VERTICAL_HOLD_VAR

struct HostAutopilot {
    double master = 0.0;
    double wing_leveler = 0.0;
    double nav_hold = 0.0;
    double heading_hold = 0.0;
    double heading_bug_deg = 0.0;
    double altitude_hold = 0.0;
    double altitude_ref_ft = 0.0;
    double approach_hold = 0.0;
    double glideslope_hold = 0.0;  // with the approach hold: the glideslope too, not the localiser alone
    double vertical_speed_ref_fpm = 0.0;
};

// What the autopilot does with each axis at an update.
enum class ApVertical { None, AltitudeHold, Glideslope };
enum class ApLateral { None, WingsLevel, Heading, Localiser };

// --- The engines and the thrust ---------------------------------------------------

// Engines that answer their throttles. Once the cockpit commands a throttle
// (the autothrottle's lever commands), that engine's N1 spools towards the
// N1 its lever asks for: ground idle (22 %) at the lever's idle, 105 % at
// full travel, linear between; up at 12 % a second (idle to take-off thrust
// in about 7 s), down at 10 % a second. N2 follows N1 between its idle
// (62 %) and 100 %. An engine not running (N2 below 50 %) is left to its
// start. Until its throttle is commanded an engine keeps the values a
// scenario gives it.
inline constexpr double kIdleN1 = 22.0;
inline constexpr double kFullThrottleN1 = 115.0;
inline constexpr double kIdleN2 = 62.0;
inline constexpr double kFullThrottleN2 = 100.0;
inline constexpr double kSpoolUpPerS = 12.0;
inline constexpr double kSpoolDownPerS = 10.0;
inline constexpr double kRunningN2 = 50.0;
// The N1 a throttle lever (0 idle .. 1 full; outside that range limited to
// it, and a lever that is not a number counts as idle) asks for.
double n1_for_lever(double lever_fraction);
// One update of an engine's spool: N1 a step towards the lever's N1.
double spool_n1(double n1, double lever_fraction);
// The N2 that goes with an N1.
double n2_for_n1(double n1);

// The thrust against the drag, when the scenario runs no speed change: the
// N1 that holds a speed (kt) at an altitude (ft) and vertical speed
// (ft/min), and the acceleration (kt/s) an N1 above or below it gives.
//   hold N1 = 30 + 0.15 x speed + 0.005 x vertical speed + 0.0002 x altitude
//   acceleration = 0.1 x (N1 - hold N1), within +-3 kt/s
double n1_to_hold(double airspeed_kt, double altitude_ft, double vertical_speed_fpm);
double thrust_acceleration(double n1, double airspeed_kt, double altitude_ft, double vertical_speed_fpm);
inline constexpr double kMostThrustAccelerationKtPerS = 3.0;
// The simulator's airspeed hold moves the speed to its reference at up to
// this rate.
inline constexpr double kAirspeedHoldKtPerS = 2.0;

// What drives the speed when no manoeuvre does: the simulator's airspeed
// hold (with its reference), or the engines' thrust once the cockpit
// commands the throttles with the simulator's autothrottle armed. Neither: the speed stays where it is.
struct Thrust {
    bool airspeed_hold = false;
    double reference_kt = 0.0;
    bool throttles_commanded = false;
    double n1 = 0.0;  // the engines' mean N1, %
};

// --- The ILS ---------------------------------------------------------------------------

// The receiver's variables, driven once a runway with its ILS is placed: the
// localiser needle (+-127 for +-2.5 degrees, positive: the runway's
// centreline lies to the right), the glideslope needle (+-120 for +-0.7
// degrees, positive: the aircraft is above the path), the TO/FROM flag, the
// glideslope flag, the status word (0xC0: localiser and glideslope) and the
// signal.
inline constexpr DrivenVariable kIlsVariables[] = {
    {40, "VOR1_NEEDLE", "localiser deviation, +-127 full scale (2.5 degrees), + fly right"},
    {41, "VOR1_GS_NEEDLE", "glideslope deviation, +-120 full scale (0.7 degrees), + above the path"},
    {43, "VOR1_TF_FLAG", "1 TO while the localiser is received, else 0"},
    {44, "VOR1_GS_FLAG", "1 while the glideslope is received"},
    {46, "VOR1_CODE", "0xC0 (0x80 localiser, 0x40 glideslope) while received, else 0"},
    {49, "VOR1_SIGNAL_STRENGTH", "1000 while the localiser is received, else 0"},
    {354, "MARKER_BEACON_STATE",
     "the marker beacon the aircraft is over: 0 none, 1 outer, 2 middle, 3 inner"},
};
inline constexpr std::size_t kIlsCount = std::size(kIlsVariables);
inline constexpr uint32_t kTokenNavCourse = 45;  // VOR1_OBI: the placement sets it to the runway's course

// Something the timeline shows: a manoeuvre starting or ending, the
// aircraft leaving or touching the ground. `what` is one word for the JSON
// lines ("place", "terrain", "temperature", "start", "reached", "stopped",
// "lift-off", "touchdown", "level", "ils", "autopilot", "marker"); `text`
// the line as printed.
struct MotionNote {
    std::string what;
    std::string text;
};

class AircraftMotion {
public:
    static constexpr double kUpdateSeconds = 1.0 / 18.0;

    // Whether the aircraft has been placed: from then on the model drives
    // its variables.
    bool active() const { return active_; }
    static bool drives(uint32_t token);
    // Whether the model drives `token` now: one of its variables once the
    // aircraft is placed, the receiver's once a runway is placed too.
    bool drives_now(uint32_t token) const;

    // Carries out a command. Returns why it cannot be done (a climb to below
    // the aircraft, a speed change the wrong way, a placement at or below
    // the terrain, a manoeuvre before the aircraft is placed), or empty.
    std::string command(const MotionCommand& c);
    // The simulator's autopilot as its variables read now: the next steps
    // follow it (while the master and a function are on, in the air).
    void set_autopilot(const HostAutopilot& ap) { autopilot_ = ap; }
    // The frequency NAV 1 is tuned to (MHz; 0 or NaN: none): an ILS placed
    // with a frequency is received only on it.
    void set_nav1_mhz(double mhz) { nav1_mhz_ = mhz; }
    // The airspeed hold and the engines' thrust (see Thrust): in the air,
    // they move the speed while no accelerate or decelerate runs.
    void set_thrust(const Thrust& t) { thrust_ = t; }
    // One update of the simulation: 1/18 s.
    void step();

    struct Output {
        uint32_t token;
        double value;
    };
    // The driven variables' values now, in the order of kDrivenVariables.
    // The altimeter's altitude reads the pressure altitude corrected by the
    // altimeter setting (millibars; a setting that is not a number counts as
    // the standard one), as a barometric altimeter does.
    std::array<Output, kDrivenCount> outputs(double altimeter_setting_mb = kStandardSettingMb) const;
    // The receiver's variables (kIlsVariables); all 0 until a runway is placed.
    std::array<Output, kIlsCount> ils_outputs() const;
    bool ils_placed() const { return ils_.placed; }
    // The timeline's notes since the last call, oldest first.
    std::vector<MotionNote> take_notes();

    // The state, for tests and the timeline.
    double altitude_ft() const { return altitude_ft_; }
    double terrain_ft() const { return terrain_ft_; }
    bool on_ground() const { return on_ground_; }
    double airspeed_kt() const { return airspeed_kt_; }
    double vertical_speed_fpm() const { return vertical_speed_fpm_; }
    double heading_deg() const { return heading_deg_; }
    double bank_deg() const { return bank_deg_; }    // right wing down positive
    double pitch_deg() const { return pitch_deg_; }  // nose up positive
    double isa_offset_k() const { return isa_offset_k_; }
    double mach() const;
    double true_airspeed_kt() const;
    double angle_of_attack_deg() const;
    bool vertical_running() const { return vertical_.running; }
    bool speed_running() const { return speed_.running; }
    bool turn_running() const { return turn_.running; }
    bool terrain_running() const { return terrain_.running; }
    // Where the aircraft is, feet east and north of where it was first placed.
    double east_ft() const { return east_ft_; }
    double north_ft() const { return north_ft_; }
    ApVertical autopilot_vertical() const { return ap_vertical_; }
    ApLateral autopilot_lateral() const { return ap_lateral_; }
    // The localiser's and glideslope's angular deviations now (degrees;
    // right of the centreline and above the path positive); NaN where not
    // received.
    double localiser_deviation_deg() const;
    double glideslope_deviation_deg() const;
    // The marker beacon the aircraft is over: 0 none, 1 outer, 2 middle, 3
    // inner.
    int marker_over() const;

private:
    // A manoeuvre on one axis: where it goes, how fast (signed: up, faster,
    // right), for how many updates it has run, and its words for the
    // timeline.
    struct Manoeuvre {
        bool running = false;
        double target = 0.0;
        double rate = 0.0;
        int64_t updates = 0;
        std::string text;
    };
    void start(Manoeuvre& m, double target, double rate, const std::string& text, const std::string& from);
    void end(Manoeuvre& m, const std::string& what, const std::string& where);
    void stop_all(const std::string& where_vertical);
    void settle();  // the aircraft on the ground follows it; in the air it may touch it
    double pitch_target_deg() const;
    double bank_target_deg() const;
    double flight_path_deg() const;
    double ground_speed_kt() const;
    void note(const std::string& what, const std::string& text) { notes_.push_back({what, text}); }
    void fly_autopilot();
    void move_along();
    // The runway's geometry seen from the aircraft: feet before an antenna
    // along the course (positive on the approach side), and right of the
    // centreline.
    double before(double antenna_east, double antenna_north) const;
    double right_of_centreline() const;
    double ground_speed_fpm() const { return ground_speed_kt() * 6076.12 / 60.0; }

    bool active_ = false;
    double altitude_ft_ = 0.0;
    double terrain_ft_ = 0.0;
    bool on_ground_ = false;
    double airspeed_kt_ = 0.0;
    double vertical_speed_fpm_ = 0.0;
    double heading_deg_ = 0.0;
    double bank_deg_ = 0.0;
    double pitch_deg_ = 0.0;
    double isa_offset_k_ = 0.0;
    // The ground under the aircraft rising or falling (flying over a slope):
    // a fourth axis, beside the aircraft's own three.
    Manoeuvre vertical_, speed_, turn_, terrain_;
    std::vector<MotionNote> notes_;
    double east_ft_ = 0.0;
    double north_ft_ = 0.0;
    HostAutopilot autopilot_;
    ApVertical ap_vertical_ = ApVertical::None;
    ApLateral ap_lateral_ = ApLateral::None;
    double ap_turn_rate_ = 0.0;  // deg/s, right positive: the bank follows it
    bool ap_level_ = false;      // the altitude hold has reached its reference
    bool ap_on_heading_ = false;
    struct Ils {
        bool placed = false;
        double course_deg = 0.0;
        double sin_course = 0.0, cos_course = 1.0;
        double threshold_east = 0.0, threshold_north = 0.0;
        double elevation_ft = 0.0;
        double glideslope_deg = 3.0;
        double tan_glideslope = 0.0;
        double frequency_mhz = 0.0;
    } ils_;
    double nav1_mhz_ = 0.0;
    Thrust thrust_;
    void fly_thrust();
    int marker_ = 0;  // the beacon over which the last update left the aircraft
};

}  // namespace kadrimos::host_sim
