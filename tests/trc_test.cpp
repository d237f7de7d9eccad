// The thrust rating computer (its ratings at, between and beyond their
// breakpoints, the gauge's buttons, read-outs, test and power) and the
// thrust reverser lights' transit timing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "systems/engines/reverser_lights.h"
#include "systems/engines/thrust_rating.h"
#include "systems/engines/trc_state.h"

namespace kadrimos::testing {
namespace {

using namespace engines;

constexpr const char* kTrc = "toskelin n1_calc_rulo";
constexpr const char* kRevLeft = "toskelin rev_voy_left_rulo";
constexpr const char* kRevRight = "toskelin rev_voy_right_rulo";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr uint32_t kTotalAir = 350, kOutsideAir = 341, kCruiseRef = 800, kAltitudeM = 73, kNacelle1 = 883,
                   kN2Engine1 = 625, kN2Engine2 = 644, kN1Engine1 = 624, kN1Engine2 = 643, kReverser1 = 641,
                   kReverser2 = 660, kTick = 1;

// --- Ratings -----------------------------------------------------------------

struct RatingRow {
    const char* what;
    uint8_t rating;
    double altitude_ft;
    int32_t total_k;
    int32_t static_c;
    int32_t cruise_ref_k;
    int32_t flex_c;
    bool engine_ai;
    uint8_t wing_ai;
    bool spooling;
    double n1;
};

// clang-format off
const RatingRow kRatings[] = {
    // what                                    rating              alt    TK   SAT ref  FLX  eAI    wAI N2<15  N1
    {"T.O. ISA sea level",                     kTrcTakeOff,        0,     288, 15, 273, 20, false, 0, false, 109.8},
    {"T.O. just below 5000 ft",                kTrcTakeOff,        4999,  288, 15, 273, 20, false, 0, false, 113.7992},
    {"T.O. at 5000 ft",                        kTrcTakeOff,        5000,  288, 15, 273, 20, false, 0, false, 113.8},
    {"T.O. 2000 ft, ISA+10",                   kTrcTakeOff,        2000,  298, 15, 273, 20, false, 0, false, 113.27},
    {"T.O. hot day: the limit",                kTrcTakeOff,        0,     318, 15, 273, 20, false, 0, false, 113.3},
    {"T.O. high and hot: the top limit",       kTrcTakeOff,        9000,  318, 15, 273, 20, false, 0, false, 114.6},
    {"T.O. wing anti-ice alone costs",         kTrcTakeOff,        0,     288, 15, 273, 20, false, 1, false, 109.1},
    {"T.O. engine anti-ice costs",             kTrcTakeOff,        0,     288, 15, 273, 20, true,  0, false, 109.1},
    {"FLX 40 at 15 C",                         kTrcFlexTakeOff,    0,     288, 15, 273, 40, false, 0, false, 106.2},
    {"FLX below 20: no reduction",             kTrcFlexTakeOff,    0,     288, 15, 273, 19, false, 0, false, 113.95},
    {"FLX at 20: no reduction yet",            kTrcFlexTakeOff,    0,     288, 15, 273, 20, false, 0, false, 113.95},
    {"FLX at 55: full reduction",              kTrcFlexTakeOff,    0,     288, 15, 273, 55, false, 0, false, 100.3875},
    {"FLX above 55: no further",               kTrcFlexTakeOff,    0,     288, 15, 273, 56, false, 0, false, 100.3875},
    {"FLX 99: its limit",                      kTrcFlexTakeOff,    0,     288, 15, 273, 99, false, 0, false, 99.126},
    {"FLX 40 engine anti-ice",                 kTrcFlexTakeOff,    0,     288, 15, 273, 40, true,  0, false, 105.5},
    {"FLX 40 wing anti-ice alone: none",       kTrcFlexTakeOff,    0,     288, 15, 273, 40, false, 1, false, 106.2},
    {"GA at 0 C",                              kTrcGoAround,       0,     273, 15, 273, 20, false, 0, false, 105.0},
    {"GA at 30 C",                             kTrcGoAround,       0,     303, 15, 273, 20, false, 0, false, 110.82},
    {"GA at 31 C: the limit",                  kTrcGoAround,       0,     304, 15, 273, 20, false, 0, false, 110.9},
    {"GA engine anti-ice",                     kTrcGoAround,       0,     273, 15, 273, 20, true,  0, false, 104.3},
    {"GA engine and wing, spooling",           kTrcGoAround,       0,     273, 15, 273, 20, true,  1, true,  103.3},
    {"GA engine and wing, running",            kTrcGoAround,       0,     273, 15, 273, 20, true,  1, false, 103.7},
    {"GA wing alone: none",                    kTrcGoAround,       0,     273, 15, 273, 20, false, 1, false, 105.0},
    {"MCT sea level 0 C",                      kTrcMaxContinuous,  0,     288, 0,  273, 20, false, 0, false, 99.2},
    {"MCT 17000 ft: its limit",                kTrcMaxContinuous,  17000, 288, 0,  273, 20, false, 0, false, 108.996},
    {"MCT just below 18000 ft, -40 C",         kTrcMaxContinuous,  17999, 288, -40, 273, 20, false, 0, false, 102.9994},
    {"MCT at 18000 ft, -40 C",                 kTrcMaxContinuous,  18000, 288, -40, 273, 20, false, 0, false, 99.4},
    {"MCT far above: the top limit",           kTrcMaxContinuous,  60000, 288, 30, 273, 20, false, 0, false, 115.5},
    {"MCT engine anti-ice",                    kTrcMaxContinuous,  0,     288, 0,  273, 20, true,  0, false, 98.3},
    {"MCT engine and wing, spooling",          kTrcMaxContinuous,  0,     288, 0,  273, 20, true,  1, true,  97.2},
    {"MCT engine and wing, running",           kTrcMaxContinuous,  0,     288, 0,  273, 20, true,  1, false, 97.6},
    {"CL sea level 15 C",                      kTrcClimb,          0,     288, 15, 273, 20, false, 0, false, 99.26},
    {"CL 10000 ft -5 C",                       kTrcClimb,          10000, 288, -5, 273, 20, false, 0, false, 100.08},
    {"CL just below 32800 ft",                 kTrcClimb,          32799, 288, -50, 273, 20, false, 0, false, 102.05955},
    {"CL at 32800 ft",                         kTrcClimb,          32800, 288, -50, 273, 20, false, 0, false, 102.06},
    {"CL far above, 0 C: the limit",           kTrcClimb,          50000, 288, 30, 273, 20, false, 0, false, 113.9},
    {"CL engine and wing, running",            kTrcClimb,          0,     288, 15, 273, 20, true,  1, false, 97.66},
    {"CR at 35000 ft on its reference",        kTrcCruise,         35000, 220, 15, 220, 20, false, 0, false, 101.5},
    {"CR at 30000 ft, 10 above",               kTrcCruise,         30000, 230, 15, 220, 20, false, 0, false, 99.3},
    {"CR sea level",                           kTrcCruise,         0,     288, 15, 288, 20, false, 0, false, 72.1},
    {"CR far above and hot: the limit",        kTrcCruise,         50000, 320, 15, 220, 20, false, 0, false, 113.0},
    {"CR anti-ice costs nothing",              kTrcCruise,         35000, 220, 15, 220, 20, true,  1, true,  101.5},
    {"no rating",                              kTrcNone,           0,     288, 15, 273, 20, false, 0, false, 0.0},
};
// clang-format on

TEST(ThrustRatings, EachRatingAtBetweenAndBeyondItsBreakpoints) {
    for (const RatingRow& row : kRatings) {
        RatingInputs in;
        in.altitude_ft = row.altitude_ft;
        in.outside_air_k = row.total_k;
        in.total_air_c = row.static_c;
        in.cruise_ref_k = row.cruise_ref_k;
        in.flex_temp_c = row.flex_c;
        in.engine_anti_ice = row.engine_ai;
        in.wing_anti_ice = row.wing_ai;
        in.engine_below_idle = row.spooling;
        EXPECT_NEAR(rating_n1(row.rating, in), row.n1, 1e-9) << row.what;
    }
}

// --- The computer ----------------------------------------------------------

struct Trc {
    FakeHost host;

    Trc() {
        aircraft.AcBus1Powered = 1;
        host.set(kAltitudeM, 0);
        host.set(kOutsideAir, 15);
        host.set(kTotalAir, 15.0 / 256);
        host.set(kN2Engine1, 60);
        host.set(kN2Engine2, 60);
    }
    void run(int updates = 1) {
        for (int i = 0; i < updates; ++i) host.update(kTrc);
        host.draw(kTrc);
    }
    bool shown(const char* label) const { return FakeHost::visible(kTrc, label); }
    std::string text(const char* label) const { return FakeHost::text(FakeHost::element(kTrc, label)); }
    double value(const char* label) const { return host.value(FakeHost::element(kTrc, label)); }
    void set_flex(int tens_clicks) {
        for (int i = 0; i < tens_clicks; ++i) host.click(kTrc, "FLX tens up");
    }
};

// The first computation after a change of rating takes the new rating's own
// reference temperature: the ratings' worked figures hold at once.
TEST(ThrustRatingComputer, TheWorkedNumbersHoldOnTheFirstUpdateAfterEachChange) {
    Trc t;
    t.set_flex(2);  // 20 -> 40
    struct Step {
        const char* button;
        uint8_t mode;
        double n1;
    };
    const Step steps[] = {
        {"T.O. button", kTrcTakeOff, 109.8},         {"FLX T.O. button", kTrcFlexTakeOff, 106.2},
        {"T.O. button", kTrcTakeOff, 109.8},         {"GA button", kTrcGoAround, 107.91},
        {"T.O. button", kTrcTakeOff, 109.8},         {"CL button", kTrcClimb, 99.26},
        {"FLX T.O. button", kTrcFlexTakeOff, 106.2},
    };
    for (const Step& s : steps) {
        t.host.click(kTrc, s.button);
        t.run();
        EXPECT_EQ(aircraft.TrcMode, s.mode) << s.button;
        EXPECT_NEAR(aircraft.TrcN1Target, s.n1, 1e-9) << s.button;
        EXPECT_EQ(aircraft.N1IndexManual, aircraft.TrcN1Target) << s.button;
    }
    EXPECT_EQ(t.text("N1 read-out"), "106.2");
    EXPECT_TRUE(t.shown("FLX T.O. light"));
    EXPECT_FALSE(t.shown("T.O. light"));
}

TEST(ThrustRatingComputer, ASecondPressDeselectsAndTheTargetStands) {
    Trc t;
    t.host.click(kTrc, "T.O. button");
    t.run();
    t.host.click(kTrc, "T.O. button");
    EXPECT_EQ(aircraft.TrcMode, kTrcNone);
    t.host.set(kOutsideAir, 40);
    t.run();
    EXPECT_NEAR(aircraft.TrcN1Target, 109.8, 1e-9);
    for (const char* light :
         {"T.O. light", "FLX T.O. light", "GA light", "MCT light", "CL light", "CR light"})
        EXPECT_FALSE(t.shown(light)) << light;
}

TEST(ThrustRatingComputer, DeviationIsTheFasterEngineAboveTheReference) {
    Trc t;
    t.host.click(kTrc, "T.O. button");
    t.host.set(kN1Engine1, 90);
    t.host.set(kN1Engine2, 95);
    t.run();
    EXPECT_NEAR(aircraft.N1Deviation, 95 - 109.8, 1e-9);
    t.host.set(kN1Engine2, kNaN);  // the unreadable engine is left out
    t.run();
    EXPECT_NEAR(aircraft.N1Deviation, 90 - 109.8, 1e-9);
    t.host.set(kN1Engine1, kNaN);  // neither: the deviation stands
    t.run();
    EXPECT_NEAR(aircraft.N1Deviation, 90 - 109.8, 1e-9);
}

TEST(ThrustRatingComputer, AReadingThatIsNotANumberHoldsTheTarget) {
    struct Row {
        const char* what;
        const char* button;
        uint32_t token;
        bool holds;
    };
    const Row rows[] = {
        {"T.O. without altitude", "T.O. button", kAltitudeM, true},
        {"T.O. without outside air temperature", "T.O. button", kOutsideAir, true},
        {"MCT needs no outside air temperature", "MCT button", kOutsideAir, false},
        {"CL without total air temperature", "CL button", kTotalAir, true},
        {"CR without its reference", "CR button", kCruiseRef, true},
        {"GA with a nacelle unreadable: no bleed", "GA button", kNacelle1, false},
    };
    for (const Row& row : rows) {
        Trc t;
        t.host.set(kCruiseRef, 15);
        aircraft.TrcN1Target = 50.0;
        t.host.click(kTrc, row.button);
        t.host.set(row.token, kNaN);
        t.run();
        EXPECT_EQ(aircraft.TrcN1Target == 50.0, row.holds) << row.what;
        EXPECT_FALSE(std::isnan(aircraft.TrcN1Target)) << row.what;
        EXPECT_FALSE(std::isnan(aircraft.N1IndexManual)) << row.what;
    }
}

TEST(ThrustRatingComputer, TemperatureReadOutSignAndBounds) {
    struct Row {
        double celsius;
        const char* text;
        bool plus, minus;
    };
    const Row rows[] = {
        {15, "15", true, false},    {0, " 0", false, false},  {-7, " 7", false, true},
        {99, "99", true, false},    {120, "99", true, false}, {-128, "99", false, true},
        {kNaN, " 0", false, false},
    };
    for (const Row& row : rows) {
        Trc t;
        t.host.set(kTotalAir, row.celsius / 256);
        t.run();
        EXPECT_EQ(t.text("TEMP read-out"), row.text) << row.celsius;
        EXPECT_EQ(t.shown("+ sign light"), row.plus) << row.celsius;
        EXPECT_EQ(t.shown("- sign light"), row.minus) << row.celsius;
    }
}

TEST(ThrustRatingComputer, N1ReadOutNeverOverrunsItsFiveCharacters) {
    struct Row {
        double target;
        const char* text;
    };
    const Row rows[] = {
        {105.3, "105.3"}, {99.26, "99.3"}, {1234.5, "999.9"}, {-250, "-99.9"}, {kNaN, "    "}};
    for (const Row& row : rows) {
        Trc t;
        aircraft.TrcN1Target = row.target;
        t.run();
        EXPECT_EQ(t.text("N1 read-out"), row.text) << row.target;
    }
}

TEST(ThrustRatingComputer, TestShowsEverythingForTwentyUpdates) {
    Trc t;
    t.host.set(kTotalAir, 0);
    t.host.click(kTrc, "TEST button");
    t.host.click(kTrc, "TEST button");  // already running: not lengthened
    for (int u = 1; u <= 21; ++u) {
        t.run();
        const bool testing = u <= 20;
        for (const char* light : {"T.O. light", "FLX T.O. light", "GA light", "MCT light", "CL light",
                                  "CR light", "+ sign light", "- sign light"})
            EXPECT_EQ(t.shown(light), testing) << light << " update " << u;
        EXPECT_EQ(t.text("TEMP read-out"), testing ? "88" : " 0") << u;
        EXPECT_EQ(t.text("N1 read-out"), testing ? "888.8" : "105.3") << u;
    }
}

TEST(ThrustRatingComputer, WithoutAcBusOneItIsCoveredDeafAndFrozen) {
    Trc t;
    t.host.click(kTrc, "CL button");
    t.run();
    const double target = aircraft.TrcN1Target;
    EXPECT_FALSE(t.shown("cover"));
    EXPECT_TRUE(t.shown("mode legends"));

    aircraft.AcBus1Powered = 0;
    t.host.set(kAltitudeM, 3000);
    t.host.click(kTrc, "MCT button");
    t.host.click(kTrc, "TEST button");
    t.host.click(kTrc, "FLX units up");  // the wheels are mechanical
    t.run();
    EXPECT_EQ(aircraft.TrcMode, kTrcClimb);
    EXPECT_EQ(aircraft.TrcN1Target, target);
    EXPECT_TRUE(t.shown("cover"));
    EXPECT_FALSE(t.shown("mode legends"));
    EXPECT_FALSE(t.shown("CL light"));
    EXPECT_EQ(t.text("TEMP read-out"), "  ");
    EXPECT_EQ(t.text("N1 read-out"), "    ");
    EXPECT_EQ(gauges::n1_calc::state.flex_units, 1);
    EXPECT_EQ(gauges::n1_calc::state.test_counter, 0);
}

TEST(ThrustRatingComputer, ThumbwheelsWrapAndTheirWindowsRollTheShortWay) {
    Trc t;
    t.host.click(kTrc, "FLX tens down");   // 2 -> 1
    t.host.click(kTrc, "FLX units down");  // 0 -> 9
    t.host.update(kTrc);
    const double tens[] = {1.75, 1.5, 1.25, 1.0, 1.0};
    const double units[] = {9.9, 9.65, 9.4, 9.15, 9.0};  // over the top, from 0 back to 9
    for (int i = 0; i < 5; ++i) {
        t.host.draw(kTrc);
        EXPECT_NEAR(t.value("FLX tens drum"), tens[i], 1e-9) << i;
        EXPECT_NEAR(t.value("FLX units drum"), units[i], 1e-9) << i;
    }
    t.host.click(kTrc, "FLX units up");  // 9 -> 0, forward over the top
    t.host.update(kTrc);
    const double forward[] = {9.25, 9.5, 9.75, 10.0, 0.0};
    for (double expected : forward) {
        t.host.draw(kTrc);
        EXPECT_NEAR(t.value("FLX units drum"), expected, 1e-9);
    }
    for (int i = 0; i < 9; ++i) t.host.click(kTrc, "FLX tens up");  // 1 -> 0 through 9
    EXPECT_EQ(gauges::n1_calc::state.flex_tens, 0);
}

// --- Reverser lights ---------------------------------------------------------------

TEST(ReverserLights, TransitTimingOutAndBack) {
    struct Row {
        double tick, position;
        bool unlocked, rev;
    };
    // clang-format off
    const Row rows[] = {
        {99, 0, false, false},
        {100, 0.01, true, false},  // unlocked
        {129, 1, true, false},
        {130, 1, true, true},      // REV 30 ticks on
        {135, 1, true, true},
        {136, 1, false, true},     // deployed 36 ticks on
        {200, 1, false, true},
        {201, 0.005, true, true},  // stowing
        {206, 0, true, true},
        {207, 0, true, false},     // REV out 6 ticks on
        {236, 0, true, false},
        {237, 0, false, false},    // stowed
        {300, 1, true, false},     // out again, brought back before the stop
        {310, 0, false, false},
        {400, 1, true, false},     // the next deployment times its transit afresh
        {429, 1, true, false},
        {430, 1, true, true},
    };
    // clang-format on
    ReverserLightState r;
    for (const Row& row : rows) {
        const ReverserLights l = reverser_step(r, row.position, row.tick);
        EXPECT_EQ(l.unlocked, row.unlocked) << "tick " << row.tick;
        EXPECT_EQ(l.rev, row.rev) << "tick " << row.tick;
    }
}

TEST(ReverserLights, EachGaugeReadsItsOwnEngineOnTheEssentialBus) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    host.set(kTick, 10);
    host.set(kReverser2, 1);
    host.set(kReverser1, kNaN);  // not a number: in its lock
    host.update(kRevLeft);
    host.update(kRevRight);
    EXPECT_FALSE(FakeHost::visible(kRevLeft, "R.UNLK light"));
    EXPECT_TRUE(FakeHost::visible(kRevRight, "R.UNLK light"));
    EXPECT_FALSE(FakeHost::visible(kRevRight, "REV light"));

    aircraft.AnnLightTest = 1;
    host.update(kRevLeft);
    EXPECT_TRUE(FakeHost::visible(kRevLeft, "R.UNLK light"));
    EXPECT_TRUE(FakeHost::visible(kRevLeft, "REV light"));

    aircraft.DcEssBusPowered = 0;
    host.set(kTick, 100);
    host.update(kRevLeft);
    host.update(kRevRight);
    for (const char* gauge : {kRevLeft, kRevRight}) {
        EXPECT_FALSE(FakeHost::visible(gauge, "R.UNLK light")) << gauge;
        EXPECT_FALSE(FakeHost::visible(gauge, "REV light")) << gauge;
    }
    EXPECT_EQ(reverser_lights[1].phase, kDeploying) << "its logic stands without power";
}

}  // namespace
}  // namespace kadrimos::testing
