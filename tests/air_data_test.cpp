// The air-data instruments: the airspeed indicators' calibration, lag, Mach
// readout, flags, bugs and presets; the vertical speed indicator; the true
// airspeed, temperature and angle-of-attack readouts; and what each makes of
// host readings that are not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "instruments/air_data_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kMain = "toskelin asi_main_rulo";
constexpr const char* kSecond = "toskelin asi_main2_rulo";
constexpr const char* kSecondary = "toskelin asi_sec_rulo";
constexpr const char* kVsi = "toskelin vsi_rulo";
constexpr const char* kTas = "toskelin tas_rulo";
constexpr const char* kSat = "toskelin sat_rulo";
constexpr const char* kAoa = "toskelin aoa_rulo";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tokens read.
constexpr uint32_t kTick = 1, kOnGround = 60, kAirspeed = 61, kMaxSpeed = 63, kMach = 64, kVerticalSpeed = 65,
                   kSelectedSpeed = 116, kAsiFailed = 274, kVsiFailed = 283, kFlaps = 329, kMetric = 335,
                   kOutsideAir = 341, kTotalAir = 350, kThrottle1 = 558, kThrottle2 = 568, kAlpha = 789;

auto& secondary = gauges::asi_sec::state;
auto& vsi = gauges::vsi::state;
auto& tas = gauges::tas::state;
auto& sat = gauges::sat::state;
auto& aoa = gauges::aoa::state;

// Every bus up, in the air; the tick counter advances one a served update.
struct Bench {
    FakeHost host;
    double tick = 1000;
    Bench() {
        aircraft.DcEssBusPowered = aircraft.AcEssBusPowered = aircraft.AcBus1Powered = 1;
        host.set(kOnGround, 0);
    }
    void serve(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.set(kTick, tick);
            host.update(gauge);
            tick += 1;
        }
    }
    double drawn(const char* gauge, const char* label) {
        host.draw(gauge);
        return host.value(FakeHost::element(gauge, label));
    }
};

// --- Calibration -----------------------------------------------------------------

// Degrees clockwise from twelve o'clock at which a needle's table point
// stands, as the host works it out from the point and the pivot.
double clockwise_from_twelve(const ELEMENT_HEADER* needle, const NONLINEARITY& point) {
    const double a = std::atan2(point.pt.x - needle->position.x, needle->position.y - point.pt.y);
    return a * 180 / std::numbers::pi;
}

TEST(AirDataCalibration, EveryNeedlePointStandsAtItsAngleWithinPixelRounding) {
    const std::vector<double> knots = {0, 60, 80, 100, 120, 140, 160, 180, 200, 250, 300, 350, 400, 450};
    const std::vector<double> main_deg = {0,     0,     24.0,  46.0,  68.9,  91.4,  114.0,
                                          135.5, 159.1, 217.7, 244.4, 270.0, 296.6, 322.0};
    const std::vector<double> sec_deg = {331.3, 346.6, 13.2,  40.0,  67.1,  92.4,  119.7,
                                         141.7, 161.6, 198.4, 232.7, 267.6, 292.2, 315.0};
    const std::vector<double> fpm = {-6000, -5000, -4000, -3000, -2000, -1000, -500, 0,
                                     500,   1000,  2000,  3000,  4000,  5000,  6000};
    const std::vector<double> vsi_deg = {105.6, 120.2, 135.0, 156.7, 180.0, 211.9, 240.5, 270.0,
                                         299.5, 328.3, 0,     23.4,  45.0,  59.8,  73.8};
    struct Needle {
        const char* gauge;
        const char* label;
        const std::vector<double>& values;
        const std::vector<double>& degrees;
    };
    const Needle needles[] = {
        {kMain, "AIRSPEED needle", knots, main_deg},
        {kMain, "MAX SPEED limit pointer", knots, main_deg},
        {kMain, "SELECTED SPEED command pointer", knots, main_deg},
        {kMain, "BUG 4 pointer", knots, main_deg},
        {kSecond, "BUG 2 pointer", knots, main_deg},
        {kSecondary, "AIRSPEED needle", knots, sec_deg},
        {kSecondary, "BUG pointer", knots, sec_deg},
        {kVsi, "VERTICAL SPEED needle", fpm, vsi_deg},
    };
    for (const Needle& n : needles) {
        SCOPED_TRACE(std::string(n.gauge) + " " + n.label);
        const ELEMENT_HEADER* e = FakeHost::element(n.gauge, n.label);
        ASSERT_EQ(e->element_type, ELEMENT_TYPE_NEEDLE);
        const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(e);
        ASSERT_EQ(needle->nonlinearity_count, n.values.size());
        for (std::size_t i = 0; i < n.values.size(); ++i) {
            const NONLINEARITY& p = needle->nonlinearity_table[i];
            EXPECT_EQ(p.value, n.values[i]);
            const double off = std::remainder(clockwise_from_twelve(e, p) - n.degrees[i], 360.0);
            EXPECT_LT(std::fabs(off), 0.7) << "at " << n.values[i];
        }
    }
}

// What each needle and strip is given when drawn, and what the drawing
// writes back: nothing beyond the scale's ends.
TEST(AirDataCalibration, DrawnValuesStopAtTheirScalesEndsAndAreWrittenBack) {
    Bench b;
    aircraft.AsiPointer = 470;
    aircraft.AsiMaxSpeedPointer = 512;
    aircraft.AsiSelectedSpeedPointer = 451;
    secondary.pointer_kt = 900;
    vsi.pointer_fpm = -7500;
    aoa.scale = 30;
    EXPECT_EQ(b.drawn(kMain, "AIRSPEED needle"), 450);
    EXPECT_EQ(b.drawn(kMain, "MAX SPEED limit pointer"), 450);
    EXPECT_EQ(b.drawn(kMain, "SELECTED SPEED command pointer"), 450);
    EXPECT_EQ(b.drawn(kSecondary, "AIRSPEED needle"), 450);
    EXPECT_EQ(b.drawn(kVsi, "VERTICAL SPEED needle"), -6000);
    EXPECT_EQ(b.drawn(kAoa, "AOA scale"), 27);
    EXPECT_EQ(aircraft.AsiPointer, 450);
    EXPECT_EQ(aircraft.AsiMaxSpeedPointer, 450u);
    EXPECT_EQ(aircraft.AsiSelectedSpeedPointer, 450);
    EXPECT_EQ(vsi.pointer_fpm, -6000);
    aircraft.AsiPointer = -3;
    aircraft.AsiSelectedSpeedPointer = -3;
    EXPECT_EQ(b.drawn(kMain, "AIRSPEED needle"), 0) << "the airspeed pointer stops at 0";
    EXPECT_EQ(b.drawn(kMain, "SELECTED SPEED command pointer"), -3) << "only its top is limited";
}

// --- Main airspeed pointer, Mach, selected and maximum speed --------------------------

// One update from the row's pointer: up 10 kt, a lower speed at once; dead,
// failed or reading no airspeed, down 10 kt.
TEST(MainAirspeedPointer, ClimbsTenKnotsAnUpdateTakesALowerSpeedAtOnceAndRunsDownWhenDead) {
    struct Row {
        uint8_t dc_ess;
        uint32_t failed;
        double pointer, airspeed, after;
    };
    // clang-format off
    const Row rows[] = {
        {1, 0, 0, 250, 10},
        {1, 0, 239.9, 250, 249.9},
        {1, 0, 240, 250, 250},        // a step short: on it
        {1, 0, 300, 100, 100},
        {1, 0, 100, 100.25, 100.25},  // the host's value, not a whole knot
        {1, 0, 0, -20, -20},
        {0, 0, 25, 250, 15},          // unpowered
        {1, 1, 25, 250, 15},          // reported failed
        {1, 0, 25, kNaN, 15},         // no airspeed
        {1, 0, 25, kInf, 15},
        {1, 0, 10, -kInf, 0},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.pointer) + " toward " + std::to_string(r.airspeed));
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set_bits(kAsiFailed, r.failed);
        aircraft.AsiPointer = r.pointer;
        b.host.set(kAirspeed, r.airspeed);
        b.serve(kMain);
        EXPECT_EQ(aircraft.AsiPointer, r.after);
    }
    Bench b;
    b.host.set(kAirspeed, 250);
    b.serve(kMain, 24);
    EXPECT_EQ(aircraft.AsiPointer, 240) << "from rest";
    b.serve(kMain);
    EXPECT_EQ(aircraft.AsiPointer, 250) << "25 updates to 250 kt";
}

// From a Mach readout of 333, a selected speed of 77 and a maximum speed of
// 77: what one update makes of the row's host values.
TEST(SpeedReadings, MachSelectedAndMaximumSpeedsFollowTheHostOrHold) {
    struct Row {
        uint8_t dc_ess;
        uint32_t failed;
        double mach_host, selected_host, max_host;
        double mach;
        int32_t selected;
        uint32_t max_speed;
    };
    // clang-format off
    const Row rows[] = {
        {1, 0, 0,     250.7, 350 * 128.0, 150,   250, 350},
        {1, 0, 3000,  -5.5,  44799,       150,   -5,  349},  // Mach at its threshold rests on 150
        {1, 0, 3020,  0,     1e12,        146,   0,   4294967295u},
        {1, 0, 16384, 0,     0,           814.2, 0,   0},
        {1, 0, kNaN,  kNaN,  kNaN,        333,   77,  77},
        {1, 0, kInf,  kInf,  -kInf,       333,   77,  77},
        {0, 0, 16384, 250,   300 * 128.0, 333,   77,  300},  // the maximum speed needs no power
        {1, 1, 16384, 250,   300 * 128.0, 333,   77,  300},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.mach_host) + " " + std::to_string(r.selected_host));
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set_bits(kAsiFailed, r.failed);
        aircraft.MachReadout = 333;
        aircraft.AsiSelectedSpeedPointer = 77;
        aircraft.AsiMaxSpeedPointer = 77;
        b.host.set(kMach, r.mach_host);
        b.host.set(kSelectedSpeed, r.selected_host);
        b.host.set(kMaxSpeed, r.max_host);
        b.serve(kMain);
        EXPECT_DOUBLE_EQ(aircraft.MachReadout, r.mach);
        EXPECT_EQ(aircraft.AsiSelectedSpeedPointer, r.selected);
        EXPECT_EQ(aircraft.AsiMaxSpeedPointer, r.max_speed);
    }
}

// Each drum's cell on its descending strip (digit d at cell 10 - d, 0 at 0
// or 10). The tens roll over the last tenth of their decade and the hundreds
// the last hundredth; the units are kept off the strip's very ends.
TEST(MachReadout, DrumsShowThousandthsAndRollOverFromNineToZero) {
    struct Row {
        double readout, hundreds, tens, units;
    };
    // clang-format off
    const Row rows[] = {
        {814.2, 2, 9, 5.8},
        {150, 9, 5, 0.002},            // units at 10 (a steady 0): drawn at the top 0
        {149.9995, 9, 5.0005, 9.998},  // units just short of 0: drawn at the bottom 0
        {188.5, 9, 2, 1.5},            // tens steady on 8 up to x.9 of their decade
        {189.5, 9, 1.5, 0.5},          // half way through the tens' roll from 8 to 9
        {199.95, 8.05, 0.05, 0.05},    // hundreds and tens both rolling over to 200
        {200, 8, 0, 0.002},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.readout);
        Bench b;
        aircraft.MachReadout = r.readout;
        for (const char* gauge : {kMain, kSecond}) {
            EXPECT_NEAR(b.drawn(gauge, "MACH hundreds drum"), r.hundreds, 1e-9);
            EXPECT_NEAR(b.drawn(gauge, "MACH tens drum"), r.tens, 1e-9);
            EXPECT_NEAR(b.drawn(gauge, "MACH units drum"), r.units, 1e-9);
        }
    }
}

// --- Flags ----------------------------------------------------------------------------

// Both main indicators, from a given power flag and AsiInop: what their
// flags show and what AsiInop becomes.
TEST(AirspeedFlags, FollowPowerAndTheFailureReport) {
    struct Row {
        const char* why;
        uint8_t dc_ess;
        uint32_t report;
        bool power_flag_before;
        uint8_t inop_before;
        bool failure_flags, power_flag;
        uint8_t inop;
    };
    const Row rows[] = {
        {"unpowered", 0, 0, false, 1, true, true, 0},
        {"unpowered and failed", 0, 1, false, 0, true, true, 0},
        {"failed, power flag down", 1, 1, true, 0, true, true, 1},
        {"failed, power flag up", 1, 1, false, 0, true, false, 1},
        {"working", 1, 0, true, 1, false, false, 0},
        {"an odd report", 1, 2, true, 1, false, false, 1},
    };
    for (const char* gauge : {kMain, kSecond}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(gauge) + ": " + r.why);
            Bench b;
            // The power flag as an earlier update left it.
            aircraft.DcEssBusPowered = r.power_flag_before ? 0 : 1;
            b.serve(gauge);
            aircraft.DcEssBusPowered = r.dc_ess;
            aircraft.AsiInop = r.inop_before;
            b.host.set_bits(kAsiFailed, r.report);
            b.serve(gauge);
            for (const char* flag : {"MACH failure flag", "IAS failure flag", "VMO failure flag"})
                EXPECT_EQ(FakeHost::visible(gauge, flag), r.failure_flags) << flag;
            EXPECT_EQ(FakeHost::visible(gauge, "power failure flag"), r.power_flag);
            EXPECT_EQ(aircraft.AsiInop, r.inop);
        }
    }
}

// --- Bugs -------------------------------------------------------------------------------

struct Bugs {
    uint32_t b1, b2, b3, b4;
    bool operator==(const Bugs&) const = default;
};
Bugs bugs() { return {aircraft.SpeedBug1, aircraft.SpeedBug2, aircraft.SpeedBug3, aircraft.SpeedBug4}; }
void set_bugs(const Bugs& b) {
    aircraft.SpeedBug1 = b.b1;
    aircraft.SpeedBug2 = b.b2;
    aircraft.SpeedBug3 = b.b3;
    aircraft.SpeedBug4 = b.b4;
}
std::string show(const Bugs& b) {
    return std::to_string(b.b1) + " " + std::to_string(b.b2) + " " + std::to_string(b.b3) + " " +
           std::to_string(b.b4);
}

// One click at a point of the knobs' halves, from the bugs before to the
// bugs after: the bug moves and pushes those it comes too close to.
TEST(SpeedBugKnobs, MoveTheirBugAndPushTheNextOnesKeepingTheGaps) {
    struct Row {
        const char* what;
        int x, y;
        Bugs before, after;
    };
    const Row rows[] = {
        {"bug 1 up, clear", 40, 20, {120, 150, 185, 215}, {121, 150, 185, 215}},
        {"bug 1 up, pushes all", 40, 20, {149, 150, 155, 160}, {150, 151, 156, 161}},
        {"bug 1 up at its top", 40, 20, {439, 440, 445, 450}, {439, 440, 445, 450}},
        {"bug 1 down", 10, 20, {120, 150, 185, 215}, {119, 150, 185, 215}},
        {"bug 1 down at 60", 10, 20, {60, 150, 185, 215}, {60, 150, 185, 215}},
        {"bug 2 up, bug 3 clear by 6", 170, 20, {120, 150, 156, 161}, {120, 151, 156, 161}},
        {"bug 2 up, pushes bug 3 only", 170, 20, {120, 150, 155, 170}, {120, 151, 156, 170}},
        {"bug 2 down, pushes bug 1", 140, 20, {149, 150, 185, 215}, {148, 149, 185, 215}},
        {"bug 2 down at 61", 140, 20, {60, 61, 185, 215}, {60, 61, 185, 215}},
        {"bug 2 beyond its top is put on it", 170, 20, {120, 470, 475, 480}, {120, 440, 475, 480}},
        {"bug 3 up", 170, 160, {120, 150, 185, 215}, {120, 150, 186, 215}},
        {"bug 3 up at its top", 170, 160, {120, 150, 445, 450}, {120, 150, 445, 450}},
        {"bug 3 down, pushes bugs 2 and 1", 140, 160, {144, 145, 150, 215}, {143, 144, 149, 215}},
        {"bug 3 down at 66", 140, 160, {60, 61, 66, 215}, {60, 61, 66, 215}},
        {"bug 4 up", 40, 160, {120, 150, 185, 215}, {120, 150, 185, 216}},
        {"bug 4 up at 450", 40, 160, {120, 150, 185, 450}, {120, 150, 185, 450}},
        {"bug 4 down, pushes all", 10, 160, {144, 145, 150, 155}, {143, 144, 149, 154}},
        {"bug 4 down at 71", 10, 160, {60, 61, 66, 71}, {60, 61, 66, 71}},
    };
    for (const char* gauge : {kMain, kSecond}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(gauge) + ": " + r.what);
            Bench b;
            set_bugs(r.before);
            b.host.click_at(gauge, r.x, r.y);
            EXPECT_EQ(bugs(), r.after) << show(bugs());
        }
    }
    Bench b;
    for (int i = 0; i < 400; ++i) b.host.click(kMain, "BUG 1 up");
    EXPECT_EQ(bugs(), (Bugs{439, 440, 445, 450})) << "held, bug 1 drives all to their tops";
    for (int i = 0; i < 400; ++i) b.host.click(kSecond, "BUG 4 down");
    EXPECT_EQ(bugs(), (Bugs{60, 61, 66, 71})) << "and bug 4 all to their bottoms";
}

// --- Presets ------------------------------------------------------------------------------

TEST(BugPresets, TheDialCentreAsksForTakeoffOnTheGroundOrWithThrustElseApproach) {
    struct Row {
        double on_ground, throttle1, throttle2;
        uint8_t request;
    };
    const Row rows[] = {
        {1, 0, 0, 1}, {0, 0, 0, 2}, {0, 0.5, 0.5, 2}, {0, 0.51, 0, 1}, {0, 0, 0.51, 1}, {0.99, kNaN, kNaN, 2},
    };
    for (const char* gauge : {kMain, kSecond}) {
        for (const Row& r : rows) {
            FakeHost host;
            host.set(kOnGround, r.on_ground);
            host.set(kThrottle1, r.throttle1);
            host.set(kThrottle2, r.throttle2);
            host.click_at(gauge, 92, 91);
            EXPECT_EQ(aircraft.AsiPresetRequest, r.request)
                << gauge << " " << r.on_ground << " " << r.throttle1;
        }
    }
}

// 130 t (1300 hundreds of kilograms, or 2870 hundreds of pounds): a
// reference speed of 134 kt, and 149 kt for V1 with the flaps short of
// their take-off setting (5262 host units, less 10).
TEST(BugPresets, SetTheBugsFromTheGrossWeightAndTheFlaps) {
    struct Row {
        const char* what;
        double weight, metric, flaps;
        uint8_t preset;
        Bugs after;
    };
    const Row rows[] = {
        {"take-off, flaps short", 1300, 1, 5251, 1, {142, 149, 189, 219}},
        {"take-off, flaps set", 1300, 1, 5252, 1, {127, 149, 189, 219}},
        {"take-off, in pounds", 2870, 0, 0, 1, {142, 149, 189, 219}},
        {"approach", 1300, 1, 10485, 2, {134, 159, 189, 219}},
        {"approach, light: bug 1 at least 60", -100, 1, 0, 2, {60, 83, 113, 143}},
        {"no weight yet", 0, 1, 0, 1, {71, 78, 118, 148}},
        {"a weight that is no number", kNaN, 1, 0, 1, {60, 61, 66, 85}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Bench b;
        aircraft.GrossWeightHundreds = r.weight;
        b.host.set(kMetric, r.metric);
        b.host.set(kFlaps, r.flaps);
        aircraft.AsiPresetRequest = r.preset;
        b.serve(kMain);
        EXPECT_EQ(bugs(), r.after) << show(bugs());
        EXPECT_LT(aircraft.SpeedBug1, aircraft.SpeedBug2);
        EXPECT_GE(aircraft.SpeedBug3, aircraft.SpeedBug2 + 5);
        EXPECT_GE(aircraft.SpeedBug4, aircraft.SpeedBug3 + 5);
    }
}

// The annunciation shows for 36 ticks from the update that applied the
// preset; then the request is cleared. The second indicator applies none. A
// press while the annunciation shows is not applied: the annunciation stays
// that of the preset set, and the request goes with it.
TEST(BugPresets, AreAnnouncedForThirtySixTicksDuringWhichAnotherIsNotApplied) {
    Bench b;
    aircraft.GrossWeightHundreds = 1300;
    b.host.set(kMetric, 1);
    aircraft.AsiPresetRequest = 2;
    b.serve(kSecond);
    EXPECT_EQ(bugs(), (Bugs{120, 150, 185, 215}));
    std::string seen;
    for (int i = 0; i < 38; ++i) {
        b.serve(kMain);
        seen += FakeHost::visible(kMain, "APPROACH preset annunciation") ? 'A' : '.';
        seen += FakeHost::visible(kMain, "TAKEOFF preset annunciation") ? 'T' : '.';
        if (i == 10) {
            b.host.set(kOnGround, 1);
            b.host.click(kMain, "BUG PRESET dial centre");
        }
    }
    std::string expected;
    for (int i = 0; i < 36; ++i) expected += "A.";
    EXPECT_EQ(seen, expected + "....");
    EXPECT_EQ(aircraft.AsiPresetRequest, 0);
    EXPECT_EQ(bugs(), (Bugs{134, 159, 189, 219}));
}

// --- Secondary airspeed indicator ---------------------------------------------------------

TEST(SecondaryAirspeed, ReadsFrom60KnotsInWholeKnotsAndRunsDownOtherwise) {
    struct Row {
        uint8_t dc_ess;
        uint32_t pointer;
        double airspeed;
        uint32_t after;
    };
    const Row rows[] = {
        {1, 0, 250, 10},   {1, 240, 250.9, 250}, {1, 239, 250, 249}, {1, 300, 120.6, 120}, {1, 60, 60, 60},
        {1, 25, 59.9, 15}, {1, 10, 59.9, 0},     {0, 25, 250, 15},   {1, 25, kNaN, 15},    {1, 11, kInf, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.pointer) + " toward " + std::to_string(r.airspeed));
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        secondary.pointer_kt = r.pointer;
        b.host.set(kAirspeed, r.airspeed);
        b.serve(kSecondary);
        EXPECT_EQ(secondary.pointer_kt, r.after);
    }
}

TEST(SecondaryAirspeed, ItsBugStepsBetween60And450) {
    Bench b;
    EXPECT_EQ(secondary.bug_kt, 130u);
    b.host.click_at(kSecondary, 95, 80);
    EXPECT_EQ(secondary.bug_kt, 131u);
    for (int i = 0; i < 100; ++i) b.host.click(kSecondary, "BUG down");
    EXPECT_EQ(secondary.bug_kt, 60u);
    for (int i = 0; i < 400; ++i) b.host.click(kSecondary, "BUG up");
    EXPECT_EQ(secondary.bug_kt, 450u);
    EXPECT_EQ(bugs(), (Bugs{120, 150, 185, 215})) << "the main bugs are not the secondary's";
}

// --- Vertical speed ------------------------------------------------------------------------

TEST(VerticalSpeed, PointerLagsClimbsTakesDescentsAndRunsDownWhenDead) {
    struct Row {
        const char* why;
        uint8_t dc_ess;
        uint32_t failed;
        int32_t pointer;
        double fpm;
        int32_t after;
    };
    const Row rows[] = {
        {"climb", 1, 0, 0, 3000, 500},
        {"within a step: on it", 1, 0, 2600, 3000, 3000},
        {"just beyond a step", 1, 0, 2499, 3000, 2999},
        {"descent taken at once", 1, 0, 2000, -3000, -3000},
        {"whole feet", 1, 0, 0, 300.7, 300},
        {"climb, power lost", 0, 0, 3000, 3000, 2500},
        {"climb, failed", 1, 1, 3000, 3000, 2500},
        {"small climb, power lost", 0, 0, 500, 3000, 0},
        {"descent, power lost", 0, 0, -3000, -3000, 0},
        {"no number", 1, 0, 1200, kNaN, 700},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set_bits(kVsiFailed, r.failed);
        vsi.pointer_fpm = r.pointer;
        // A quarter of a foot a minute further from 0, so that the host's
        // value in its own unit gives the whole feet of the row.
        const double nudged = r.fpm + (r.fpm < 0 ? -0.25 : r.fpm > 0 ? 0.25 : 0);
        b.host.set(kVerticalSpeed, nudged / (3.281 * 60) * 256);
        b.serve(kVsi);
        EXPECT_EQ(vsi.pointer_fpm, r.after);
    }
}

// The vertical speed is published with or without power; the flag shows
// unless the instrument is powered, working and on its scale.
TEST(VerticalSpeed, IsPublishedAndFlaggedOffItsScale) {
    struct Row {
        const char* why;
        uint8_t dc_ess;
        uint32_t failed;
        double host_value;
        bool flag;
        double published;
    };
    // The host values that give exactly 6000 ft/min, and the next ones out.
    constexpr double k6000 = 7802.499238037183;
    constexpr double kBeyond6000 = 7802.499238037184;
    const Row rows[] = {
        {"-5 m/s", 1, 0, -1280, false, -984.3},
        {"6000 ft/min", 1, 0, k6000, false, 6000},
        {"beyond 6000", 1, 0, kBeyond6000, true, 6000},
        {"-6000 ft/min", 1, 0, -k6000, false, -6000},
        {"beyond -6000", 1, 0, -kBeyond6000, true, -6000},
        {"unpowered", 0, 0, -1280, true, -984.3},
        {"failed", 1, 1, 0, true, 0},
        {"not a number", 1, 0, kNaN, true, 0},
        {"infinite", 1, 0, kInf, true, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set_bits(kVsiFailed, r.failed);
        b.host.set(kVerticalSpeed, r.host_value);
        b.serve(kVsi);
        EXPECT_EQ(FakeHost::visible(kVsi, "VERTICAL SPEED failure flag"), r.flag);
        EXPECT_NEAR(aircraft.VerticalSpeedFpm, r.published, 1e-6);
    }
}

// --- True airspeed ----------------------------------------------------------------------------

// From a reading of 333 kt: the true airspeed from the total temperature and
// Mach, no lower than 120; without power or a reading, held with the flag.
TEST(TrueAirspeed, IsWorkedOutFromTotalTemperatureAndMachOrHeldWithItsFlag) {
    struct Row {
        uint8_t ac_ess;
        double tat_celsius, mach;
        double shown;
    };
    const Row rows[] = {
        {1, 15, 0.8, 498.6655},                       // 39 x 0.8 x root(288.15 / 1.128)
        {1, -30, 0.78, 447.8802}, {1, 15, 0.1, 120},  // 66 kt true reads 120
        {1, -300, 0.8, 333},                          // below absolute zero: no reading
        {0, 15, 0.8, 333},                            // unpowered
        {1, kNaN, 0.8, 333},      {1, 15, kNaN, 333}, {1, 15, kInf, 333},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.tat_celsius) + " C, Mach " + std::to_string(r.mach));
        Bench b;
        aircraft.AcEssBusPowered = r.ac_ess;
        tas.shown_kt = 333;
        b.host.set(kTotalAir, r.tat_celsius / 256);
        b.host.set(kMach, r.mach * 20480);
        b.serve(kTas);
        EXPECT_NEAR(tas.shown_kt, r.shown, 1e-4);
        EXPECT_EQ(FakeHost::visible(kTas, "TAS failure flag"), r.shown == 333);
    }
}

TEST(TrueAirspeed, DrumsRollAsAnOdometer) {
    struct Row {
        double shown, hundreds, tens, units;
    };
    const Row rows[] = {{498.6655, 6, 1, 1.3345}, {499.95, 5.05, 0.05, 0.05}, {120, 9, 8, 10}};
    for (const Row& r : rows) {
        Bench b;
        tas.shown_kt = r.shown;
        EXPECT_NEAR(b.drawn(kTas, "TAS hundreds drum"), r.hundreds, 1e-6) << r.shown;
        EXPECT_NEAR(b.drawn(kTas, "TAS tens drum"), r.tens, 1e-6) << r.shown;
        EXPECT_NEAR(b.drawn(kTas, "TAS units drum"), r.units, 1e-6) << r.shown;
    }
}

// --- Static air temperature -------------------------------------------------------------------

TEST(StaticAirTemperature, PositiveReadsOnTheLeftWithPlusNegativeOnTheRightBehindMinus) {
    struct Row {
        double celsius;
        bool positive;
        double tens, units;
    };
    const Row rows[] = {{25, true, 8, 5}, {0, true, 0, 10}, {-0.5, false, 0, 9.5}, {-47.25, false, 6, 2.75}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.celsius);
        Bench b;
        b.host.set(kOutsideAir, r.celsius);
        b.serve(kSat);
        for (const char* left : {"SAT tens drum left", "SAT units drum left", "SAT plus sign"})
            EXPECT_EQ(FakeHost::visible(kSat, left), r.positive) << left;
        for (const char* right : {"SAT tens drum right", "SAT units drum right", "SAT minus sign"})
            EXPECT_EQ(FakeHost::visible(kSat, right), !r.positive) << right;
        EXPECT_NEAR(b.drawn(kSat, r.positive ? "SAT tens drum left" : "SAT tens drum right"), r.tens, 1e-9);
        EXPECT_NEAR(b.drawn(kSat, r.positive ? "SAT units drum left" : "SAT units drum right"), r.units,
                    1e-9);
    }
}

// The reading freezes without the AC essential bus, and the flag then shows
// although the DC essential bus that the flag hangs on is alive.
TEST(StaticAirTemperature, FlagShowsWheneverTheReadingIsNotUpdated) {
    struct Row {
        const char* why;
        uint8_t ac_ess, dc_ess;
        double host_value, reading;
        bool flag;
    };
    const Row rows[] = {
        {"fed", 1, 1, -12, -12, false},          {"no DC essential", 1, 0, -12, -12, true},
        {"no AC essential", 0, 1, -12, 7, true}, {"neither", 0, 0, -12, 7, true},
        {"no number", 1, 1, kNaN, 7, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        Bench b;
        sat.celsius = 7;
        aircraft.AcEssBusPowered = r.ac_ess;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set(kOutsideAir, r.host_value);
        b.serve(kSat);
        EXPECT_EQ(sat.celsius, r.reading);
        EXPECT_EQ(FakeHost::visible(kSat, "SAT failure flag"), r.flag);
    }
}

// --- Angle of attack -----------------------------------------------------------------------------

// On the ground the strip settles on 7 one a step. In the air, with an
// angle of attack of b degrees, it closes on b + 5 two a step, standing on
// it from b + 3 to b + 7, and stays within 0.5 and 26.7.
TEST(AngleOfAttack, SettlesOnSevenOnTheGroundAndFollowsTheAngleInTheAir) {
    struct Row {
        double on_ground, degrees, before, after;
    };
    // clang-format off
    const Row rows[] = {
        {1, 0, 10, 9}, {1, 0, 8.5, 7.5}, {1, 0, 8, 7}, {1, 0, 6, 7}, {1, 0, 5.5, 6.5}, {1, 0, 0, 1},
        {0, 0, 2.9, 4.9}, {0, 0, 3, 5}, {0, 0, 7, 5}, {0, 0, 7.1, 5.1}, {0, 0, 0, 2},
        {0, 10, 30, 26.7},              // still above its top after a step
        {0, 30, 26, 26.7},
        {0, -20, 1, 0.5}, {0, -20, 0.5, 0.5},
        {0, kNaN, 12, 12},              // no angle: the strip stays
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.degrees) + " deg from " + std::to_string(r.before));
        Bench b;
        b.host.set(kOnGround, r.on_ground);
        b.host.set(kAlpha, r.degrees * 3.14116 / 180);
        aoa.scale = r.before;
        b.serve(kAoa);
        EXPECT_NEAR(aoa.scale, r.after, 1e-12);
        EXPECT_FALSE(FakeHost::visible(kAoa, "AOA failure flag"));
    }
    // The aircraft takes pi as 3.14116 in its attitude conversions.
    Bench b;
    b.host.set(kAlpha, 0.3);
    aoa.scale = 21;
    b.serve(kAoa);
    EXPECT_DOUBLE_EQ(aoa.scale, 0.3 * 180 / 3.14116 + 5);
    EXPECT_GT(std::fabs(aoa.scale - (0.3 * 180 / std::numbers::pi + 5)), 1e-3);
}

TEST(AngleOfAttack, HoldsWithItsFlagWithoutAcBus1) {
    Bench b;
    aoa.scale = 12;
    aircraft.AcBus1Powered = 0;
    b.serve(kAoa);
    EXPECT_EQ(aoa.scale, 12);
    EXPECT_TRUE(FakeHost::visible(kAoa, "AOA failure flag"));
}

}  // namespace
}  // namespace kadrimos::testing
