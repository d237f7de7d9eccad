// The aircraft's motion in the simulated host: the standard atmosphere and
// the air data it gives, climbs, descents, the take-off and the touchdown,
// turns across north, several axes at once, the statements' errors, and how
// the host hands the model's values to the module.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "motion.h"
#include "motion_script.h"
#include "panel_config.h"
#include "profile.h"
#include "sim_host.h"
#include "text_input.h"

namespace kadrimos::host_sim {
namespace {

constexpr int kPerSecond = 18;

double output(const AircraftMotion& m, uint32_t token) {
    for (const AircraftMotion::Output& o : m.outputs())
        if (o.token == token) return o.value;
    ADD_FAILURE() << "token " << token << " is not driven";
    return std::nan("");
}

void run(AircraftMotion& m, int updates) {
    for (int i = 0; i < updates; ++i) m.step();
}

// Commands as a scenario writes them.
MotionCommand statement(const std::string& text) {
    Line line{"test.scn", 1, text, split_words(text, "test.scn:1")};
    return read_motion_statement(line);
}

void obey(AircraftMotion& m, const std::string& text) {
    const std::string why = m.command(statement(text));
    ASSERT_EQ(why, "") << text;
}

template <std::size_t N>
double output_of(const std::array<AircraftMotion::Output, N>& outputs, uint32_t token) {
    for (const AircraftMotion::Output& o : outputs)
        if (o.token == token) return o.value;
    ADD_FAILURE() << "token " << token << " is not driven";
    return std::nan("");
}

std::string notes_of(AircraftMotion& m) {
    std::string out;
    for (const MotionNote& n : m.take_notes()) out += n.what + ": " + n.text + "\n";
    return out;
}

// --- The standard atmosphere ---------------------------------------------------

// Reference values from the standard atmosphere's own formulas (pressure
// ratio by its power law and exponential, Mach by the subsonic pitot
// formula): the model reads its pressure from a table every 1000 ft.
TEST(StandardAtmosphere, MachTrueAirspeedAndTemperaturesAtSeveralAltitudes) {
    struct Row {
        double altitude_ft, airspeed_kt, mach, tas_kt, sat_c, tat_c;
    };
    const Row rows[] = {
        {0, 250, 0.3779, 250.00, 15.00, 23.23},       {430, 150, 0.2285, 150.93, 14.15, 17.15},
        {10000, 250, 0.4523, 288.70, -4.81, 6.17},    {10000, 300, 0.5411, 345.37, -4.81, 10.90},
        {25000, 300, 0.7169, 431.52, -34.53, -10.00}, {35000, 280, 0.8213, 473.44, -54.34, -24.82},
        {41000, 250, 0.8400, 481.82, -56.50, -25.92},
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, "terrain -2000 ft");  // so that an aircraft may fly at sea level
        obey(m,
             "aircraft at " + std::to_string(r.altitude_ft) + " ft " + std::to_string(r.airspeed_kt) + " kt");
        SCOPED_TRACE(std::to_string(r.altitude_ft) + " ft, " + std::to_string(r.airspeed_kt) + " kt");
        EXPECT_NEAR(output(m, 64) / 20480.0, r.mach, 0.0005);
        EXPECT_NEAR(m.true_airspeed_kt(), r.tas_kt, 0.3);
        EXPECT_NEAR(output(m, 341), r.sat_c, 0.01);
        EXPECT_NEAR(output(m, 350) * 256.0, r.tat_c, 0.05);
        EXPECT_EQ(output(m, 61), r.airspeed_kt);
        EXPECT_DOUBLE_EQ(output(m, 74), r.altitude_ft);
        EXPECT_DOUBLE_EQ(output(m, 73), r.altitude_ft * 0.3048);
    }
}

TEST(StandardAtmosphere, PressureTableBetweenAndBeyondItsPointsAndMachAtMostOne) {
    EXPECT_DOUBLE_EQ(isa_pressure_ratio(500.0), (1.0 + 0.964387537) / 2.0);
    EXPECT_EQ(isa_pressure_ratio(-9000.0), isa_pressure_ratio(kLowestAltitudeFt));
    EXPECT_EQ(isa_pressure_ratio(99000.0), isa_pressure_ratio(kHighestAltitudeFt));
    EXPECT_EQ(mach_from_airspeed(600.0, 0.07), 1.0);
}

TEST(StandardAtmosphere, AWarmerDayRaisesTrueAirspeedAndTemperaturesButNotMach) {
    AircraftMotion m;
    obey(m, "aircraft at 10000 ft 250 kt");
    const double mach = output(m, 64), tas = m.true_airspeed_kt();
    obey(m, "temperature ISA +15 C");
    EXPECT_EQ(output(m, 64), mach);
    EXPECT_NEAR(output(m, 341), -4.81 + 15.0, 0.01);
    EXPECT_NEAR(m.true_airspeed_kt(), tas * std::sqrt((268.34 + 15.0) / 268.34), 0.05);
}

// The model's own angles against the C library's, which it may not use.
TEST(Angles, ArcTangentAndCosineAgreeWithTheLibrary) {
    for (double x = -60.0; x <= 60.0; x += 0.01)
        ASSERT_NEAR(arctan_deg(x), std::atan(x) * 180.0 / std::numbers::pi, 1e-9) << x;
    for (double d = -400.0; d <= 400.0; d += 0.25)
        ASSERT_NEAR(cosine_deg(d), std::cos(d * std::numbers::pi / 180.0), 1e-9) << d;
    EXPECT_EQ(arctan_deg(INFINITY), 90.0);
    EXPECT_TRUE(std::isnan(cosine_deg(NAN)));
}

// --- Vertical ------------------------------------------------------------------

TEST(Vertical, ClimbsAndDescentsMoveAtTheirRateAndStopAtTheTarget) {
    struct Row {
        const char* command;
        int seconds;
        double altitude_ft, vertical_fpm;
        bool running;
    };
    // From 3000 ft, 250 kt, over flat ground at sea level.
    const Row rows[] = {
        {"climb to 10000 ft at 2000 fpm", 60, 5000, 2000, true},
        {"descend to 200 ft at 700 fpm", 60, 2300, -700, true},
        {"climb to 4000 ft at 2000 fpm", 60, 4000, 0, false},  // there after 30 s
        {"descend to 2500 ft", 60, 2500, 0, false},            // the default 1500 fpm
        {"climb to 3000 ft at 500 fpm", 1, 3000, 0, false},    // there already
        {"climb to 3500 ft at 10 m/s", 30, 3500, 0, false},    // 1968.5 fpm
        {"descend to 500 m at 5 m/s", 120, 1640.4199, 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.command);
        AircraftMotion m;
        obey(m, "aircraft at 3000 ft 250 kt");
        obey(m, r.command);
        run(m, r.seconds * kPerSecond);
        EXPECT_NEAR(m.altitude_ft(), r.altitude_ft, 1e-4);
        EXPECT_EQ(m.vertical_speed_fpm(), r.vertical_fpm);
        EXPECT_NEAR(output(m, 65), r.vertical_fpm * 0.3048 / 60.0 * 256.0, 1e-9);
        EXPECT_EQ(m.vertical_running(), r.running);
        EXPECT_EQ(output(m, 60), 0.0);
    }
}

TEST(Vertical, LevelOffStopsTheClimbWhereTheAircraftIs) {
    AircraftMotion m;
    obey(m, "aircraft at 3000 ft 250 kt");
    obey(m, "climb to 10000 ft at 1800 fpm");
    run(m, 10 * kPerSecond);
    obey(m, "level off");
    run(m, 10 * kPerSecond);
    EXPECT_NEAR(m.altitude_ft(), 3300.0, 1e-6);
    EXPECT_EQ(output(m, 65), 0.0);
    EXPECT_FALSE(m.vertical_running());
}

// The barometric altitude reads the setting's correction; the true altitude,
// in metres, and the radio height do not.
TEST(Vertical, TheAltimetersAltitudeFollowsTheAltimeterSetting) {
    AircraftMotion m;
    obey(m, "terrain 430 ft");
    obey(m, "aircraft at 3000 ft 250 kt");
    const struct {
        double setting_mb, altitude_ft;
    } rows[] = {
        {1013.25, 3000}, {1000, 3000 - 13.25 * 29.52}, {1030, 3000 + 16.75 * 29.52}, {std::nan(""), 3000}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.setting_mb);
        double barometric = 0, metres = 0, radio = 0;
        for (const AircraftMotion::Output& o : m.outputs(r.setting_mb)) {
            if (o.token == 74) barometric = o.value;
            if (o.token == 73) metres = o.value;
            if (o.token == 614) radio = o.value;
        }
        EXPECT_NEAR(barometric, r.altitude_ft, 1e-9);
        EXPECT_NEAR(metres, 3000 * 0.3048, 1e-9);
        EXPECT_NEAR(radio, 2570 * 0.3048, 1e-9);
    }
}

// --- Take-off and landing ----------------------------------------------------------

TEST(Ground, TheTakeOffRollLiftOffAndClimbOutFromAnAirfield) {
    AircraftMotion m;
    obey(m, "aircraft on ground at 430 ft heading 270");
    EXPECT_EQ(output(m, 60), 1.0);
    EXPECT_EQ(output(m, 614), 0.0);
    EXPECT_NEAR(output(m, 2), 430 * 0.3048 * 256, 1e-9);
    obey(m, "accelerate to 150 kt");  // 4 kt/s on the ground
    run(m, 30 * kPerSecond);
    EXPECT_NEAR(m.airspeed_kt(), 120.0, 1e-9);
    EXPECT_EQ(output(m, 60), 1.0) << "speed alone does not lift the aircraft off";
    EXPECT_EQ(output(m, 78), 0.0);
    EXPECT_NEAR(output(m, 551), m.true_airspeed_kt() * 1.6878, 0.01) << "rolling along the runway";
    run(m, 8 * kPerSecond);
    obey(m, "climb to 1500 ft at 2000 fpm");
    m.step();
    EXPECT_EQ(output(m, 60), 0.0) << "the climb lifts it off at once";
    EXPECT_GT(output(m, 614), 0.0);
    run(m, 5 * kPerSecond);
    EXPECT_LT(output(m, 78), -10.0) << "rotated, nose up (the simulator's sign)";
    EXPECT_NEAR(output(m, 614), (m.altitude_ft() - 430.0) * 0.3048, 1e-9);
    EXPECT_GT(output(m, 789), 0.0);
    const std::string notes = notes_of(m);
    EXPECT_NE(notes.find("lift-off: left the ground at 430 ft, 150 kt"), std::string::npos) << notes;
}

TEST(Ground, ADescentThatReachesTheTerrainTouchesDown) {
    struct Row {
        const char* command;
        const char* ending;
    };
    const Row rows[] = {
        {"descend to 430 ft at 700 fpm", "reached: reached 430 ft over"},
        {"descend to 0 ft at 700 fpm", "stopped: stopped on the ground at 430 ft over"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.command);
        AircraftMotion m;
        obey(m, "terrain 430 ft");
        obey(m, "aircraft at 1000 ft 140 kt");
        obey(m, r.command);
        double lowest = 1e9;
        for (int i = 0; i < 60 * kPerSecond; ++i) {
            m.step();
            lowest = std::fmin(lowest, output(m, 614));
        }
        EXPECT_EQ(lowest, 0.0) << "the radio height never goes below 0";
        EXPECT_TRUE(m.on_ground());
        EXPECT_EQ(output(m, 60), 1.0);
        EXPECT_EQ(output(m, 65), 0.0);
        EXPECT_EQ(m.altitude_ft(), 430.0);
        const std::string notes = notes_of(m);
        EXPECT_NE(notes.find("touchdown: touched down at 430 ft, 140 kt, 700 fpm down"), std::string::npos)
            << notes;
        EXPECT_NE(notes.find(r.ending), std::string::npos) << notes;
    }
}

TEST(Ground, TerrainRisingUnderTheAircraftCarriesOrMeetsIt) {
    AircraftMotion m;
    obey(m, "aircraft on ground at 100 ft");
    obey(m, "terrain 250 ft");
    EXPECT_EQ(m.altitude_ft(), 250.0) << "on the ground the aircraft stands on it";
    obey(m, "aircraft at 2000 ft 200 kt");
    obey(m, "terrain 1500 ft");
    EXPECT_NEAR(output(m, 614), 500 * 0.3048, 1e-9);
    obey(m, "terrain 2500 ft");
    EXPECT_TRUE(m.on_ground()) << "flown into: it is on the ground, never under it";
    EXPECT_EQ(output(m, 614), 0.0);
    EXPECT_EQ(m.altitude_ft(), 2500.0);
}

// Flying over a slope: the ground rises at its rate, exactly to its
// elevation (3000 fpm for 10 s is 500 ft, at the 180th update), the radio
// height closing at that rate while the altitude stands.
TEST(Ground, TerrainRisesAtItsRateUnderALevelAircraft) {
    AircraftMotion m;
    obey(m, "aircraft at 2000 ft 250 kt");
    obey(m, "terrain 500 ft at 3000 fpm");
    EXPECT_EQ(m.terrain_ft(), 0.0);
    for (int i = 0; i < 90; ++i) m.step();
    EXPECT_NEAR(m.terrain_ft(), 250.0, 1e-9);
    EXPECT_NEAR(output(m, 614), 1750 * 0.3048, 1e-9);
    EXPECT_EQ(m.altitude_ft(), 2000.0);
    for (int i = 0; i < 89; ++i) m.step();
    EXPECT_TRUE(m.terrain_running());
    m.step();
    EXPECT_FALSE(m.terrain_running());
    EXPECT_EQ(m.terrain_ft(), 500.0);
    const std::string notes = notes_of(m);
    EXPECT_NE(notes.find("reached terrain 500 ft over 180 updates by: terrain rising to 500 ft at 3000 fpm"),
              std::string::npos)
        << notes;
    obey(m, "terrain 2500 ft at 20000 fpm");  // into the aircraft: it is put on the ground
    for (int i = 0; i < 120; ++i) m.step();   // 2000 ft at 20000 fpm: 108 updates
    EXPECT_TRUE(m.on_ground());
    EXPECT_EQ(m.altitude_ft(), 2500.0);
    EXPECT_EQ(output(m, 614), 0.0);
}

// --- Heading -------------------------------------------------------------------

TEST(Heading, TurnsGoTheirWayAcrossNorthAndStopAtTheHeading) {
    struct Row {
        double from;
        const char* command;
        int updates;     // until the heading is reached
        double halfway;  // the heading after half of them
    };
    const Row rows[] = {
        {350, "turn right to heading 010", 120, 0},
        {10, "turn left to heading 350", 120, 0},
        {90, "turn right to heading 270", 1080, 180},
        {90, "turn left to heading 270", 1080, 0},
        {0, "turn left to heading 360 at 1.5 deg/s", 0, 0},
        {300, "turn right to heading 030 at 1.5 deg/s", 1080, 345},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.command);
        AircraftMotion m;
        obey(m, "aircraft at 5000 ft 250 kt heading " + std::to_string(r.from));
        obey(m, r.command);
        run(m, r.updates / 2);
        const double off = std::fabs(m.heading_deg() - r.halfway);
        EXPECT_LT(std::fmin(off, 360.0 - off), 1e-9) << m.heading_deg();
        EXPECT_TRUE(m.heading_deg() >= 0.0 && m.heading_deg() < 360.0);
        run(m, r.updates - r.updates / 2);
        const double target = statement(r.command).value;
        EXPECT_EQ(m.heading_deg(), target);
        EXPECT_EQ(output(m, 84), target);
        EXPECT_EQ(output(m, 83), target);
        EXPECT_FALSE(m.turn_running());
    }
}

TEST(Heading, ACoordinatedTurnBanksToTheSideOfTheTurnAndRollsOut) {
    AircraftMotion m;
    obey(m, "aircraft at 5000 ft 250 kt heading 000");
    obey(m, "turn right to heading 090");
    run(m, 15 * kPerSecond);
    const double expected =
        std::atan(3.0 * std::numbers::pi / 180.0 * m.true_airspeed_kt() * 1852.0 / 3600.0 / 9.80665);
    EXPECT_NEAR(-output(m, 80), expected * 180.0 / std::numbers::pi, 1e-6) << "right wing down: negative";
    obey(m, "turn left to heading 000");
    run(m, 20 * kPerSecond);
    EXPECT_GT(output(m, 80), 0.0);
    run(m, 30 * kPerSecond);
    EXPECT_EQ(output(m, 80), 0.0) << "level again once the heading is reached";
}

// --- Several axes at once --------------------------------------------------------

TEST(Axes, AClimbATurnAndAnAccelerationRunTogetherEachToItsEnd) {
    AircraftMotion m;
    obey(m, "aircraft at 3000 ft 200 kt heading 180");
    obey(m, "climb to 5000 ft at 2000 fpm");
    obey(m, "turn left to heading 090");
    obey(m, "accelerate to 250 kt at 0.5 kt/s");
    const double mach_before = output(m, 64);
    run(m, 30 * kPerSecond);
    EXPECT_EQ(m.heading_deg(), 90.0);
    EXPECT_FALSE(m.turn_running());
    EXPECT_NEAR(m.altitude_ft(), 4000.0, 1e-6);
    EXPECT_NEAR(m.airspeed_kt(), 215.0, 1e-9);
    run(m, 30 * kPerSecond);
    EXPECT_EQ(m.altitude_ft(), 5000.0);
    EXPECT_FALSE(m.vertical_running());
    EXPECT_NEAR(m.airspeed_kt(), 230.0, 1e-9);
    run(m, 40 * kPerSecond);
    EXPECT_EQ(m.airspeed_kt(), 250.0);
    EXPECT_GT(output(m, 64), mach_before);
    EXPECT_FALSE(m.vertical_running() || m.speed_running() || m.turn_running());
    // A new command on an axis replaces the one running there.
    obey(m, "climb to 9000 ft at 1000 fpm");
    run(m, 6 * kPerSecond);
    obey(m, "descend to 4000 ft at 1000 fpm");
    EXPECT_NE(
        notes_of(m).find("stopped: stopped at 5100 ft over 108 updates by: climb to 9000 ft at 1000 fpm"),
        std::string::npos);
    // A new placement stops what was running, and says so.
    m.step();
    obey(m, "aircraft at 2000 ft 200 kt");
    const std::string notes = notes_of(m);
    EXPECT_NE(notes.find("stopped: stopped at 5099.1 ft over 1 updates by: descend to 4000 ft at 1000 fpm\n"
                         "place: aircraft at 2000 ft, 200 kt"),
              std::string::npos)
        << notes;
    EXPECT_FALSE(m.vertical_running());
}

// --- What cannot be done -------------------------------------------------------------

TEST(Commands, ImpossibleManoeuvresAreRefusedWithTheReason) {
    struct Row {
        const char* first;
        const char* then;
        const char* why;
    };
    const Row rows[] = {
        {"terrain 0 ft", "climb to 100 ft",
         "the aircraft has not been placed: an 'aircraft' statement comes first"},
        {"aircraft at 3000 ft 250 kt", "climb to 2000 ft",
         "the aircraft is at 3000 ft, above 2000 ft: use 'descend'"},
        {"aircraft at 3000 ft 250 kt", "descend to 3500 ft",
         "the aircraft is at 3000 ft, below 3500 ft: use 'climb'"},
        {"aircraft on ground at 430 ft", "descend to 0 ft",
         "the aircraft is on the ground at 430 ft: it cannot descend"},
        {"aircraft at 3000 ft 250 kt", "accelerate to 200 kt",
         "the aircraft flies at 250 kt, above 200 kt: use 'decelerate'"},
        {"aircraft at 3000 ft 250 kt", "decelerate to 300 kt",
         "the aircraft flies at 250 kt, below 300 kt: use 'accelerate'"},
        {"terrain 500 ft", "aircraft at 400 ft 200 kt",
         "the aircraft would be at or below the terrain (500 ft): place it on the ground, or lower the "
         "terrain first"},
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, r.first);
        EXPECT_EQ(m.command(statement(r.then)), r.why);
    }
}

TEST(Commands, MalformedStatementsNameTheLineAndTheProblem) {
    struct Row {
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"climb to 10000 feet", "expected 'ft' or 'm' after the altitude, found 'feet'"},
        {"climb to 10000 ft at 0 fpm", "the rate must be above 0, found '0'"},
        {"descend to 100 ft at -700 fpm", "the rate must be above 0, found '-700'"},
        {"climb to 10000 ft at 2000 kt", "expected 'fpm' or 'ft/min' or 'm/s' after the rate, found 'kt'"},
        {"climb to nan ft", "an altitude must be a number, not 'nan'"},
        {"accelerate to 250 kt at inf kt/s", "an acceleration must be a number, not 'inf'"},
        {"turn around to heading 090", "expected 'left' or 'right', found 'around'"},
        {"turn left to heading 400", "a heading 400 is out of range 0 to 360 degrees"},
        {"aircraft at 3000 ft",
         "an aircraft in the air needs its speed, above 0 kt ('aircraft at 3000 ft 250 kt')"},
        {"aircraft at 3000 ft 250 kt 260 kt", "expected 'heading', found '260'"},
        {"temperature ISA +10 F", "expected 'C' after the offset, found 'F'"},
        {"ils runway 270 at 8 nm", "expected 'course' and the runway's course, found 'runway'"},
        {"ils course 270 at 40 nm", "a distance 40 is out of range 0.5 to 25 nm"},
        {"ils course 270 at 8 km", "expected 'nm' after the distance, found 'km'"},
        {"ils course 270 at 8 nm glideslope 7 deg", "a glideslope angle 7 is out of range 1 to 6 deg"},
        {"ils course 270 at 8 nm left 1 nm right 1 nm", "the offset is given twice"},
        {"ils course 270 at 8 nm ahead 1 nm",
         "expected 'left', 'right', 'elevation', 'glideslope' or 'frequency', found 'ahead'"},
        {"ils course 270 at 8 nm frequency 110.20 MHz",
         "'110.20' is no localiser frequency: its tenths are odd (108.10, 109.35, 110.30...)"},
        {"ils course 270 at 8 nm frequency 110.33 MHz",
         "'110.33' is no localiser frequency: its tenths are odd (108.10, 109.35, 110.30...)"},
        {"ils course 270 at 8 nm frequency 113.10 MHz",
         "a localiser frequency 113.10 is out of range 108.1 to 111.95 MHz"},
        {"ils course 270 at 8 nm frequency 110.30 kHz", "expected 'MHz' after the frequency, found 'kHz'"},
    };
    for (const Row& r : rows) {
        std::string message;
        try {
            statement(r.text);
        } catch (const InputError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, std::string("test.scn:1: ") + r.message) << r.text;
    }
}

// --- The simulator's autopilot and the ILS -------------------------------------------

// An autopilot with its master on and the given functions.
HostAutopilot master_on() {
    HostAutopilot ap;
    ap.master = 1.0;
    return ap;
}

TEST(HostAutopilot, HeadingHoldTurnsTheShortWayAtTheStandardRateAndStopsOnTheBug) {
    struct Row {
        double from, bug;
        int right;    // the way it turns: 1 right, -1 left, 0 not at all
        int updates;  // to the bug, at 1/6 degree an update
        double on;    // where it ends
    };
    const Row rows[] = {
        {350.0, 10.0, 1, 120, 10.0},        {10.0, 350.0, -1, 120, 350.0},
        {90.0, 270.0, 1, 1080, 270.0},      {0.0, 360.0, 0, 0, 0.0},
        {0.0, 725.0, 1, 30, 5.0},           {100.0, -20.0, -1, 720, 340.0},
        {200.0, std::nan(""), 0, 0, 200.0},
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, "aircraft at 5000 ft 250 kt heading " + std::to_string(r.from));
        HostAutopilot ap = master_on();
        ap.heading_hold = 1.0;
        ap.heading_bug_deg = r.bug;
        m.set_autopilot(ap);
        if (r.updates > 0) {
            run(m, 1);
            EXPECT_NEAR(m.heading_deg(), std::fmod(r.from + r.right * 3.0 / kPerSecond + 360.0, 360.0), 1e-9)
                << r.from << " to " << r.bug;
            run(m, r.updates - 2);
            EXPECT_NE(m.heading_deg(), r.on) << r.from << " to " << r.bug << ": not yet";
            EXPECT_GT(r.right * m.bank_deg(), 0.0) << "banked into the turn";
            run(m, 1);
        }
        run(m, 1);
        EXPECT_EQ(m.heading_deg(), r.on) << r.from << " to " << r.bug;
        run(m, 10 * kPerSecond);
        EXPECT_EQ(m.heading_deg(), r.on) << "stays on it";
        EXPECT_EQ(m.bank_deg(), 0.0) << "wings level on the heading";
        EXPECT_EQ(m.autopilot_lateral(), ApLateral::Heading);
    }
}

TEST(HostAutopilot, AltitudeHoldFliesTheVerticalSpeedAndLevelsExactlyOnTheReference) {
    const double nan = std::nan("");
    struct Row {
        double from, reference, vertical_speed;
        int updates;  // to the reference
        double level;
    };
    const Row rows[] = {
        {3000.0, 5000.0, 2000.0, 1080, 5000.0},           // a climb
        {5000.0, 3000.0, -1500.0, 1440, 3000.0},          // a descent
        {3000.0, 4000.0, -1000.0, 1080, 4000.0},          // towards the reference, whatever the sign
        {3000.0, 60000.0 * 3.280839895, 3000.0, 0, 0.0},  // the altitude's top, never past it
        {3000.0, 4000.0, 0.0, 0, 3000.0},                 // no vertical speed: holds
        {3000.0, nan, 2000.0, 0, 3000.0},                 // no reference: holds
        {3000.0, 4000.0, nan, 0, 3000.0},                 // no vertical speed: holds
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, "aircraft at " + std::to_string(r.from) + " ft 250 kt");
        HostAutopilot ap = master_on();
        ap.altitude_hold = 1.0;
        ap.altitude_ref_ft = r.reference;
        ap.vertical_speed_ref_fpm = r.vertical_speed;
        m.set_autopilot(ap);
        if (r.level == 0.0) {  // far above: it climbs on at its rate
            run(m, kPerSecond * 60);
            EXPECT_NEAR(m.altitude_ft(), r.from + 3000.0, 1e-6);
            continue;
        }
        if (r.updates > 0) {
            run(m, r.updates - 1);
            EXPECT_NE(m.altitude_ft(), r.level) << r.from << " to " << r.reference << ": not yet";
            EXPECT_EQ(m.vertical_speed_fpm(),
                      r.level > r.from ? std::fabs(r.vertical_speed) : -std::fabs(r.vertical_speed));
        }
        run(m, 1);
        EXPECT_EQ(m.altitude_ft(), r.level) << r.from << " to " << r.reference;
        EXPECT_EQ(m.vertical_speed_fpm(), 0.0);
        run(m, kPerSecond);
        EXPECT_EQ(m.altitude_ft(), r.level) << "stays level";
    }
}

TEST(HostAutopilot, NothingFliesUnlessTheMasterAndTheFunctionReadExactlyOneInTheAir) {
    struct Row {
        double master, function;
        bool on_ground;
    };
    const Row rows[] = {
        {0.0, 1.0, false},   {0.5, 1.0, false},          {std::nan(""), 1.0, false},
        {1.0, 0.999, false}, {1.0, std::nan(""), false}, {1.0, 1.0, true},
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, r.on_ground ? "aircraft on ground at 430 ft heading 090"
                            : "aircraft at 3000 ft 250 kt heading 090");
        HostAutopilot ap;
        ap.master = r.master;
        ap.altitude_hold = ap.heading_hold = r.function;
        ap.altitude_ref_ft = 9000.0;
        ap.vertical_speed_ref_fpm = 2000.0;
        ap.heading_bug_deg = 180.0;
        m.set_autopilot(ap);
        const double altitude = m.altitude_ft();
        run(m, kPerSecond * 5);
        EXPECT_EQ(m.altitude_ft(), altitude) << r.master << " " << r.function;
        EXPECT_EQ(m.heading_deg(), 90.0) << r.master << " " << r.function;
        EXPECT_EQ(m.autopilot_vertical(), ApVertical::None);
    }
}

TEST(HostAutopilot, ItTakesTheAxesFromTheScenarioAndLetsGoLevel) {
    AircraftMotion m;
    obey(m, "aircraft at 3000 ft 250 kt heading 090");
    obey(m, "climb to 9000 ft at 2000 fpm");
    obey(m, "turn left to heading 000");
    notes_of(m);
    HostAutopilot ap = master_on();
    ap.altitude_hold = 1.0;
    ap.altitude_ref_ft = 3500.0;
    ap.vertical_speed_ref_fpm = 1000.0;
    ap.heading_hold = 1.0;
    ap.heading_bug_deg = 100.0;
    m.set_autopilot(ap);
    run(m, 1);
    EXPECT_FALSE(m.vertical_running());
    EXPECT_FALSE(m.turn_running());
    EXPECT_NEAR(m.heading_deg(), 90.0 + 3.0 / kPerSecond, 1e-9) << "the bug's way, not the scenario's";
    const std::string notes = notes_of(m);
    EXPECT_NE(notes.find("(the autopilot has the climb and descent)"), std::string::npos) << notes;
    EXPECT_NE(notes.find("autopilot: heading hold at heading 090"), std::string::npos) << notes;
    run(m, kPerSecond * 10);
    ap.master = 0.0;
    m.set_autopilot(ap);
    run(m, 1);
    EXPECT_EQ(m.vertical_speed_fpm(), 0.0);
    const double altitude = m.altitude_ft();
    run(m, kPerSecond);
    EXPECT_EQ(m.altitude_ft(), altitude) << "flies on level once let go";
    EXPECT_NE(notes_of(m).find("autopilot: altitude hold off at"), std::string::npos);
}

// A runway ahead with its ILS, course north, the aircraft on the ground's
// level heading north: its needles for a threshold offset to the side and
// an angle above or below the glide path.
TEST(Ils, TheNeedlesReadTheAngularDeviationsInTheReceiversScales) {
    constexpr double kNm = 1852.0 / 0.3048;
    const double to_glideslope = 5.0 * kNm + 1000.0;
    const double to_localiser = 5.0 * kNm + 10000.0;
    struct Row {
        const char* side;  // where the runway lies
        double above_deg;  // the aircraft above the path
        double localiser, glideslope;
    };
    const double right = std::atan(0.05 * kNm / to_localiser) * 180.0 / std::numbers::pi;
    const Row rows[] = {
        {"", 0.0, 0.0, 0.0},
        {" right 0.05 nm", 0.35, right / 2.5 * 127.0, 60.0},
        {" left 0.05 nm", -0.35, -right / 2.5 * 127.0, -60.0},
        {" right 0.3 nm", 1.0, 127.0, 120.0},  // beyond full scale, the needles stop
        {" left 0.3 nm", -1.0, -127.0, -120.0},
    };
    for (const Row& r : rows) {
        const double altitude = to_glideslope * std::tan((3.0 + r.above_deg) * std::numbers::pi / 180.0);
        AircraftMotion m;
        obey(m, "aircraft at " + std::to_string(altitude) + " ft 140 kt heading 000");
        EXPECT_FALSE(m.drives_now(40)) << "no runway yet";
        obey(m, std::string("ils course 000 at 5 nm") + r.side + " elevation 0 ft glideslope 3 deg");
        EXPECT_TRUE(m.drives_now(40));
        const auto out = m.ils_outputs();
        EXPECT_NEAR(out[0].value, r.localiser, 1e-3) << r.side;
        EXPECT_NEAR(out[1].value, r.glideslope, 1e-3) << r.side << " " << r.above_deg;
        EXPECT_EQ(out[2].value, 1.0);
        EXPECT_EQ(out[3].value, 1.0);
        EXPECT_EQ(out[4].value, 192.0);
        EXPECT_EQ(out[5].value, 1000.0);
    }
}

TEST(Ils, OutOfItsCoverageTheReceiverHasNothing) {
    struct Row {
        const char* place;
        const char* ils;
        bool localiser, glideslope;
    };
    const Row rows[] = {
        {"heading 000", "ils course 000 at 12 nm", true, false},             // the glideslope reaches 10 nm
        {"heading 000", "ils course 180 at 5 nm", false, false},             // behind the localiser
        {"heading 000", "ils course 000 at 5 nm right 5 nm", false, false},  // 40 degrees off
        {"heading 000", "ils course 000 at 5 nm right 1 nm", true, false},   // 9 degrees off
    };
    for (const Row& r : rows) {
        AircraftMotion m;
        obey(m, std::string("aircraft at 2000 ft 140 kt ") + r.place);
        obey(m, r.ils);
        const auto out = m.ils_outputs();
        EXPECT_EQ(out[4].value, r.localiser ? 192.0 : 0.0) << r.ils;
        EXPECT_EQ(out[5].value, r.localiser ? 1000.0 : 0.0) << r.ils;
        EXPECT_EQ(out[3].value, r.glideslope ? 1.0 : 0.0) << r.ils;
        if (!r.glideslope) {
            EXPECT_EQ(out[1].value, 0.0) << r.ils;
        }
        if (!r.localiser) {
            EXPECT_EQ(out[0].value, 0.0) << r.ils;
        }
    }
}

// Down the centreline at 750 ft/min from 6 nm: the outer, middle and inner
// markers in that order, each heard over the stretch of its fan, 0.7 of the
// height either side of the beacon (at least 300 ft), and nothing between.
TEST(Ils, TheMarkersAreHeardInOrderEachOverItsFan) {
    AircraftMotion m;
    obey(m, "aircraft at 2000 ft 140 kt heading 270");
    obey(m, "ils course 270 at 6 nm elevation 0 ft");
    obey(m, "descend to 60 ft at 750 fpm");
    struct Pass {
        int beacon;
        double entered_ft_before_threshold, height_ft;
    };
    std::vector<Pass> passes;
    int last = 0;
    const double threshold_west_ft = 6 * 1852 / 0.3048;  // the threshold lies west of the placement
    for (int i = 0; i < 200 * kPerSecond; ++i) {
        m.step();
        const int now = static_cast<int>(output_of(m.ils_outputs(), 354));
        if (now != last && now != 0)
            passes.push_back({now, threshold_west_ft + m.east_ft(), m.altitude_ft()});
        last = now;
    }
    ASSERT_EQ(passes.size(), 3u);
    const double beacons_ft[] = {4.5 * 1852 / 0.3048, 3500, 1000};
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(passes[k].beacon, static_cast<int>(k) + 1);
        const double fan = std::fmax(0.7 * passes[k].height_ft, 300.0);
        EXPECT_NEAR(passes[k].entered_ft_before_threshold - beacons_ft[k], fan, 15.0);
    }
    // Off the centreline by more than 4000 ft, no beacon is heard.
    AircraftMotion aside;
    obey(aside, "aircraft at 1500 ft 140 kt heading 270");
    obey(aside, "ils course 270 at 4.5 nm left 0.7 nm elevation 0 ft");
    aside.step();
    EXPECT_EQ(output_of(aside.ils_outputs(), 354), 0.0);
}

// An ILS placed with its frequency is received only with NAV 1 on it.
TEST(Ils, PlacedWithAFrequencyItIsReceivedOnlyWhenTuned) {
    AircraftMotion m;
    obey(m, "aircraft at 2000 ft 140 kt heading 270");
    obey(m, "ils course 270 at 8 nm elevation 0 ft frequency 110.30 MHz");
    const struct {
        double nav1_mhz;
        bool received;
    } rows[] = {{110.30, true}, {110.35, false}, {0, false}, {std::nan(""), false}, {110.2999, true}};
    for (const auto& r : rows) {
        m.set_nav1_mhz(r.nav1_mhz);
        m.step();
        EXPECT_EQ(output_of(m.ils_outputs(), 49), r.received ? 1000.0 : 0.0) << r.nav1_mhz;
        EXPECT_EQ(std::isnan(m.localiser_deviation_deg()), !r.received) << r.nav1_mhz;
    }
}

TEST(Ils, TheApproachHoldTracksTheLocaliserAndDescendsOnTheGlideslopeToTheRunway) {
    AircraftMotion m;
    obey(m, "terrain 430 ft");
    obey(m, "aircraft at 2500 ft 140 kt heading 000");
    // The runway crosses the aircraft's path: intercept from 30 degrees off
    // and below the glideslope.
    obey(m, "ils course 030 at 8 nm right 3 nm elevation 430 ft glideslope 3 deg");
    HostAutopilot ap = master_on();
    ap.approach_hold = 1.0;
    // The localiser hold alone (the approach flag without the glideslope's)
    // leaves the vertical axis alone.
    m.set_autopilot(ap);
    run(m, kPerSecond);
    EXPECT_EQ(m.autopilot_lateral(), ApLateral::Localiser);
    EXPECT_EQ(m.autopilot_vertical(), ApVertical::None);
    ap.glideslope_hold = 1.0;
    m.set_autopilot(ap);
    run(m, 1);
    EXPECT_EQ(m.autopilot_vertical(), ApVertical::Glideslope);
    EXPECT_EQ(m.vertical_speed_fpm(), 0.0) << "below the path: level until it comes down";
    run(m, 200 * kPerSecond);
    auto out = m.ils_outputs();
    EXPECT_LT(std::fabs(out[0].value), 3.0) << "on the localiser";
    EXPECT_NEAR(m.heading_deg(), 30.0, 1.0);
    EXPECT_LT(std::fabs(out[1].value), 10.0) << "on the glideslope";
    // Down the path at the ground speed's share of three degrees.
    const double ground_fpm = output(m, 551) * 60.0;
    EXPECT_NEAR(m.vertical_speed_fpm(), -ground_fpm * std::tan(3.0 * std::numbers::pi / 180.0), 15.0);
    for (int i = 0; i < 600 * kPerSecond && !m.on_ground(); ++i) run(m, 1);
    EXPECT_TRUE(m.on_ground()) << "down to the runway";
    EXPECT_EQ(m.altitude_ft(), 430.0);
    run(m, 1);
    EXPECT_EQ(m.autopilot_vertical(), ApVertical::None) << "on the ground the autopilot lets go";
}

// --- In the host -------------------------------------------------------------------

class HostInMotion : public ::testing::Test {
protected:
    HostInMotion()
        : module(KADRIMOS_MODULE_PATH),
          trace(&timeline, nullptr),
          host(module,
               read_panel_config(std::string(KADRIMOS_SOURCE_DIR) + "/host/data/panel.cfg", module.gauges()),
               read_profile(empty_profile()), Roles{}, trace) {
        host.start();
    }
    static std::string empty_profile() {
        const std::string path = ::testing::TempDir() + "motion_empty_profile.txt";
        std::ofstream(path, std::ios::binary) << "# nothing\n";
        return path;
    }
    void run(int updates) {
        for (int i = 0; i < updates; ++i) host.update();
    }
    LoadedModule module;
    std::ostringstream timeline;
    Trace trace;
    SimHost host;
};

TEST_F(HostInMotion, UntilTheAircraftIsPlacedTheModelDrivesNothing) {
    host.set_variable(74, 1234.0);
    ASSERT_EQ(host.move_aircraft(statement("terrain 430 ft")), "");
    run(3);
    EXPECT_EQ(host.variable(74), 1234.0);
    EXPECT_EQ(host.variable(614), 0.0);
    EXPECT_EQ(timeline.str().find("follows the scenario"), std::string::npos);
}

TEST_F(HostInMotion, AScenarioSetTakesAVariableOverUntilTheNextMotionStatement) {
    ASSERT_EQ(host.move_aircraft(statement("aircraft at 3000 ft 250 kt")), "");
    ASSERT_EQ(host.move_aircraft(statement("climb to 9000 ft at 1800 fpm")), "");
    run(18);
    EXPECT_NEAR(host.variable(74), 3030.0, 1e-6);
    host.set_variable(61, std::nan(""));  // a broken airspeed reading
    host.set_variable(74, HUGE_VAL);
    host.ramp_variable(341, -80.0, 18);
    run(18);
    EXPECT_TRUE(std::isnan(host.variable(61)));
    EXPECT_EQ(host.variable(74), HUGE_VAL);
    EXPECT_NEAR(host.variable(341), -80.0, 1e-9);
    EXPECT_NEAR(host.variable(73), 3060.0 * 0.3048, 1e-6) << "the model flies on underneath";
    EXPECT_EQ(host.motion().airspeed_kt(), 250.0);
    ASSERT_EQ(host.move_aircraft(statement("level off")), "");
    EXPECT_EQ(host.variable(61), 250.0) << "a motion statement takes every variable back";
    EXPECT_NEAR(host.variable(74), 3060.0, 1e-6);
    EXPECT_NEAR(host.variable(341), 15.0 - 1.9812 * 3.06, 1e-9);
    EXPECT_NE(timeline.str().find("motion: 61 follows the scenario until the next motion statement"),
              std::string::npos);
}

// The host hands the motion model its autopilot's variables at every update:
// master on, altitude hold to 5000 ft at 1200 ft/min from 4000 ft, the
// heading bug at 275 from 270; and the receiver's variables once a runway
// is placed, the course set on the receiver.
TEST_F(HostInMotion, TheSimulatorsAutopilotFliesFromItsVariablesAndTheIlsDrivesTheReceiver) {
    host.set_variable(kTokenApMaster, 1.0);
    host.set_variable(kTokenApAltitudeHold, 1.0);
    host.set_variable(kTokenApAltitudeRef, 5000.0);
    host.set_variable(kTokenApVerticalSpeed, 1200.0);
    host.set_variable(kTokenApHeadingHold, 1.0);
    host.set_variable(kTokenApHeadingBug, 275.0);
    host.set_variable(40, 55.0);
    ASSERT_EQ(host.move_aircraft(statement("aircraft at 4000 ft 250 kt heading 270")), "");
    run(60 * kPerSecond);
    EXPECT_EQ(host.variable(74), 5000.0);
    EXPECT_EQ(host.variable(84), 275.0);
    EXPECT_EQ(host.variable(40), 55.0) << "no runway: the receiver is the scenario's";
    EXPECT_NE(timeline.str().find("motion: autopilot: level at 5000 ft"), std::string::npos);
    ASSERT_EQ(host.move_aircraft(statement("ils course 275 at 8 nm")), "");
    EXPECT_EQ(host.variable(45), 275.0);
    EXPECT_EQ(host.variable(46), 192.0);
    EXPECT_EQ(host.variable(40), 0.0);
    host.set_variable(49, 0.0);  // a scenario takes the signal over
    run(1);
    EXPECT_EQ(host.variable(49), 0.0);
    EXPECT_NE(timeline.str().find("motion: 49 follows the scenario"), std::string::npos);
}

// The engines answer their levers: idle to take-off thrust in 6 to 8
// seconds, back at the slower spool-down rate; a lever that reads no number
// is idle.
TEST(EngineSpool, IdleToTakeOffThrustInSixToEightSeconds) {
    double n1 = kIdleN1;
    int updates = 0;
    while (n1 < kFullThrottleN1 && updates < 1000) {
        n1 = spool_n1(n1, 1.0);
        ++updates;
    }
    EXPECT_GE(updates, 6 * 18);
    EXPECT_LE(updates, 8 * 18);
    EXPECT_DOUBLE_EQ(spool_n1(60, 0.0), 60.0 - kSpoolDownPerS / 18.0);
    EXPECT_NEAR(spool_n1(68, 0.25), 68.5, 1e-9) << "a lever at a quarter of its travel asks for 68.5 %";
    EXPECT_NEAR(n1_for_lever(0.8), 22 + 93 * std::sqrt(0.8), 1e-9);
    EXPECT_DOUBLE_EQ(n1_for_lever(std::nan("")), kIdleN1);
    EXPECT_DOUBLE_EQ(n1_for_lever(2.0), kFullThrottleN1);
    EXPECT_DOUBLE_EQ(n2_for_n1(kIdleN1), kIdleN2);
    EXPECT_DOUBLE_EQ(n2_for_n1(kFullThrottleN1), kFullThrottleN2);
}

TEST(EngineSpool, ThrustAboveTheHoldingN1Accelerates) {
    struct Row {
        double n1;
        double speed_kt;
        double acceleration;
    };
    // At 200 kt, 10000 ft, level: 30 + 30 + 2 = 62 % holds the speed.
    const Row rows[] = {{62, 200, 0},  {72, 200, 1},  {52, 200, -1},
                        {105, 200, 3}, {22, 200, -3}, {std::nan(""), 200, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.n1);
        EXPECT_NEAR(thrust_acceleration(r.n1, r.speed_kt, 10000, 0), r.acceleration, 1e-9);
    }
    EXPECT_NEAR(n1_to_hold(200, 10000, 2000), 72, 1e-9) << "a climb needs more thrust";
}

}  // namespace
}  // namespace kadrimos::host_sim
