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
};
inline constexpr std::size_t kDrivenCount = std::size(kDrivenVariables);

// Something the timeline shows: a manoeuvre starting or ending, the
// aircraft leaving or touching the ground. `what` is one word for the JSON
// lines ("place", "terrain", "temperature", "start", "reached", "stopped",
// "lift-off", "touchdown", "level"); `text` the line as printed.
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

    // Carries out a command. Returns why it cannot be done (a climb to below
    // the aircraft, a speed change the wrong way, a placement at or below
    // the terrain, a manoeuvre before the aircraft is placed), or empty.
    std::string command(const MotionCommand& c);
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
};

}  // namespace kadrimos::host_sim
