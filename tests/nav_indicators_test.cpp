// The navigation indicators: bearings through north on every card, the DME
// windows at their limits and without a station, the course the flight
// director steers and the drift behind it (a standing aircraft included),
// the ADF self-test, the standby compass's push, and each instrument
// without its supplies and with the host's failures.
#include "instruments/nav_indicators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "instruments/nav_indicators_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

namespace nav = instruments::nav;

constexpr const char* kAdf = "toskelin adf_rulo";
constexpr const char* kRmi = "toskelin rmi_rulo";
constexpr const char* kHsi = "toskelin hsi_rulo";
constexpr const char* kCompass = "toskelin compass_rulo";
constexpr const char* kAdf2Radial = "(A:ADF Radial:2,radians)";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every supply on, the instrument loads on, nothing failed.
struct Panel {
    FakeHost host;
    Panel() {
        aircraft.AcEssBusPowered = 1;
        aircraft.AcEssNormPowered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.AcBus2Powered = 1;
        aircraft.InstrBus1Powered = 1;
        aircraft.BattLoadLevel = 2;
        host.set(49, 1000);
        host.set(58, 1000);
        host.set(44, 1.0);
    }
    void serve(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.update(gauge);
            host.draw(gauge);
        }
    }
    double shown(const char* gauge, const char* label) { return host.value(FakeHost::element(gauge, label)); }
};

// A bearing of 90 stands the needle at 0; the needles and the HSI's arrow
// and marker pass through north without a jump, every bearing kept on its
// card's scale.
TEST(NavBearings, WrapThroughNorthOnEveryCard) {
    struct Row {
        const char* gauge;
        const char* needle;
        uint32_t token;  // 0: the second ADF's radial, in radians
        double bearing;
        double expected;
    };
    const double deg = 3.14116 / 180;  // the aircraft's own radians
    const Row rows[] = {
        {kAdf, "ADF 1 needle", 39, 90, 0},         {kAdf, "ADF 1 needle", 39, 89, 359},
        {kAdf, "ADF 1 needle", 39, 0, 270},        {kAdf, "ADF 1 needle", 39, 359.5, 269.5},
        {kAdf, "ADF 1 needle", 39, 360, 270},      {kAdf, "ADF 1 needle", 39, -1, 269},
        {kAdf, "ADF 1 needle", 39, 450, 0},        {kAdf, "ADF 1 needle", 39, kNaN, 0},
        {kAdf, "ADF 2 needle", 0, 90 * deg, 0},    {kAdf, "ADF 2 needle", 0, 45 * deg, 315},
        {kAdf, "ADF 2 needle", 0, 270 * deg, 180}, {kRmi, "RMI 1 needle", 550, 89.5, 359.5},
        {kRmi, "RMI 1 needle", 550, 91, 1},        {kRmi, "RMI 2 needle", 59, 0, 270},
        {kRmi, "RMI 2 needle", 59, 180, 90},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.needle) + " at " + std::to_string(r.bearing));
        Panel p;
        if (r.token == 0)
            p.host.set_calculator(kAdf2Radial, r.bearing);
        else
            p.host.set(r.token, r.bearing);
        p.serve(r.gauge);
        EXPECT_NEAR(p.shown(r.gauge, r.needle), r.expected, 1e-6);
    }

    // The HSI's arrow and heading marker: 360 is straight up, the scale runs
    // on to 720 so that a course right of the heading across north needs
    // no wrap.
    struct HsiRow {
        double heading, course;
        int32_t selected;
        uint32_t course_angle, bug_angle;
    };
    const HsiRow hsi_rows[] = {
        {0, 0, 0, 360, 360},
        {350, 10, 5, 20, 15},
        {10, 350, 355, 700, 705},
        {359, 0, 1, 1, 2},
    };
    for (const HsiRow& r : hsi_rows) {
        SCOPED_TRACE(std::to_string(r.heading) + " " + std::to_string(r.course));
        Panel p;
        p.host.set(84, r.heading);
        p.host.set(45, r.course);
        aircraft.SelectedHeading = r.selected;
        p.serve(kHsi);
        EXPECT_EQ(p.shown(kHsi, "COURSE arrow"), r.course_angle);
        EXPECT_EQ(p.shown(kHsi, "HEADING marker"), r.bug_angle);
        EXPECT_DOUBLE_EQ(gauges::hsi::state.card_deg, r.heading);
    }
}

// The standby compass's strip: 360 less the heading, parked at 0 for a
// heading off the card or not a number.
TEST(StandbyCompass, StripFollowsTheHeadingAndParksOffTheCard) {
    const double rows[][2] = {{0, 360},   {1, 359}, {359, 1},  {360, 0},
                              {360.5, 0}, {-1, 0},  {kNaN, 0}, {kInf, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0]);
        Panel p;
        p.host.set(83, r[0]);
        auto* strip = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(FakeHost::element(kCompass, "COMPASS strip"));
        EXPECT_EQ(strip->x_callback(&strip->header), r[1]);
    }
}

// Each push sends the other command, the first one first.
TEST(StandbyCompass, PushesAlternateTheTwoCommands) {
    Panel p;
    for (int i = 0; i < 3; ++i) p.host.click(kCompass, "COMPASS");
    const std::vector<KeyEvent> expected = {{66513, 0}, {66514, 0}, {66513, 0}};
    EXPECT_EQ(p.host.events(), expected);
}

// The digit windows: 123.4 miles on the RMI's four drums, each window's
// last figure, one past it, and the HSI's three.
TEST(NavDme, DrumsAtTheirLargestValues) {
    struct Row {
        double tenths;
        double hundreds, tens, miles, last;
    };
    const Row rmi_rows[] = {
        {1234, 9, 8, 7, 6},            // 123.4: digits 1 2 3, the tenths strip at 4
        {9999, 1, 1, 1, 1},            // 999.9: the miles drum still on 9
        {9999.5, 0.5, 0.5, 0.5, 0.5},  // 999.95: every drum half way to 0
        {9990, 1, 1, 1, 0},            // 999.0
        {10000, 0, 0, 0, 0},           // 1000 miles: the top window stands on 0
        {0, 0, 0, 0, 0},
    };
    for (const Row& r : rmi_rows) {
        SCOPED_TRACE(r.tenths);
        const nav::RmiDrums d = nav::rmi_drums(r.tenths);
        EXPECT_NEAR(d.hundreds, r.hundreds, 1e-9);
        EXPECT_NEAR(d.tens, r.tens, 1e-9);
        EXPECT_NEAR(d.miles, r.miles, 1e-9);
        EXPECT_NEAR(d.tenths, r.last, 1e-9);
    }
    // The HSI's windows (whole miles; `miles` unused).
    const Row hsi_rows[] = {
        {999, 1, 1, 0, 1},
        {1000, 0, 0, 0, 0},
        {45, 0, 6, 0, 5},
        {99.5, 9.5, 0.5, 0, 0.5},  // the hundreds drum rolling to 1 through the last mile
    };
    for (const Row& r : hsi_rows) {
        SCOPED_TRACE(r.tenths);
        const nav::HsiDrums d = nav::hsi_drums(r.tenths);
        EXPECT_NEAR(d.hundreds, r.hundreds, 1e-9);
        EXPECT_NEAR(d.tens, r.tens, 1e-9);
        EXPECT_NEAR(d.units, r.last, 1e-9);
    }
}

// No station: the RMI keeps its last distance under the cover; no signal
// drops the flag too. The HSI keeps its distance under its DME flag.
TEST(NavDme, WithoutAStationTheLastDistanceStaysCovered) {
    Panel p;
    p.host.set(31, 123.4);
    p.host.set(35, 7.5);
    p.host.set(860, 42);
    p.serve(kRmi);
    p.serve(kHsi);
    EXPECT_DOUBLE_EQ(gauges::rmi::state.distance1_tenths, 1234);
    EXPECT_DOUBLE_EQ(gauges::rmi::state.distance2_tenths, 75);
    EXPECT_FALSE(FakeHost::visible(kRmi, "DME 1 cover"));
    EXPECT_FALSE(FakeHost::visible(kRmi, "DME 1 no signal flag"));
    EXPECT_FALSE(FakeHost::visible(kHsi, "DME flag"));

    p.host.set(31, -1);
    p.host.set(58, 0);
    p.host.set(860, -1);
    p.serve(kRmi);
    p.serve(kHsi);
    EXPECT_DOUBLE_EQ(gauges::rmi::state.distance1_tenths, 1234);
    EXPECT_TRUE(FakeHost::visible(kRmi, "DME 1 cover"));
    EXPECT_FALSE(FakeHost::visible(kRmi, "DME 1 no signal flag"));
    EXPECT_TRUE(FakeHost::visible(kRmi, "DME 2 cover"));
    EXPECT_TRUE(FakeHost::visible(kRmi, "DME 2 no signal flag"));
    EXPECT_DOUBLE_EQ(gauges::hsi::state.distance_nm, 42);
    EXPECT_TRUE(FakeHost::visible(kHsi, "DME flag"));
    EXPECT_NEAR(p.shown(kRmi, "DME 1 tenths drum"), 6, 1e-9);

    // A distance that is not a number is no distance either.
    p.host.set(31, kNaN);
    p.serve(kRmi);
    EXPECT_DOUBLE_EQ(gauges::rmi::state.distance1_tenths, 1234);
}

// A receiver on a localiser has no bearing: its RMI needle parks at 0.
TEST(NavBearings, RmiNeedleParksOnALocaliser) {
    const uint32_t codes[][2] = {{0x00, 0}, {0x80, 1}, {0x40, 1}, {0xC0, 1}, {0x20, 0}};
    for (const auto& c : codes) {
        SCOPED_TRACE(c[0]);
        Panel p;
        p.host.set(550, 180);
        p.host.set(59, 180);
        p.host.set_bits(46, c[0]);
        p.host.set_bits(55, c[0]);
        p.serve(kRmi);
        const double expected = c[1] ? 0 : 90;
        EXPECT_EQ(p.shown(kRmi, "RMI 1 needle"), expected);
        EXPECT_EQ(p.shown(kRmi, "RMI 2 needle"), expected);
    }
}

// The course the flight director steers: the worked numbers, the side
// speed's dead band, and through north both ways.
TEST(HsiCourse, DriftCorrectedCourse) {
    struct Row {
        double course, drift, side, expected;
    };
    const Row rows[] = {
        {350, 20, -5, 10}, {10, 20, 5, 350},      {100, 20, -5, 120},   {100, 20, 5, 80},   {340, 20, -1, 0},
        {20, 20, 1, 0},    {100, 20, -0.99, 100}, {100, 20, 0.99, 100}, {339, 20, -1, 359}, {19, 20, 1, 359},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.course) + " " + std::to_string(r.side));
        EXPECT_DOUBLE_EQ(nav::drift_corrected_course(r.course, r.drift, r.side), r.expected);
    }

    // Through the gauge: 20 degrees of drift from the ground speed's
    // components, drifting left.
    Panel p;
    const double pi = 3.14159265358979;
    p.host.set(551, 300 * std::cos(20 * pi / 180));
    p.host.set(552, -300 * std::sin(20 * pi / 180));
    p.host.set(45, 350);
    p.host.set(84, 0);
    p.serve(kHsi);
    EXPECT_NEAR(aircraft.HsiCourse, 10, 1e-5);
    EXPECT_EQ(gauges::hsi::state.drift_angle, 340u);  // trunc(360 - 20.000...)
}

// The drift angle: none straight ahead, none for an aircraft at rest
// (where the formula would divide 0 by 0), a quarter turn sideways, half a
// turn backwards, and no NaN from a speed that is not a number.
TEST(HsiDrift, DefinedEverywhereIncludingAtRest) {
    const double quarter = std::atan(1.0) * 2 * 180 / 3.1415927;
    const double rows[][3] = {
        {0, 0, 0},
        {250, 0, 0},
        {0, 5, quarter},
        {0, -5, quarter},
        {-250, 0, 2 * quarter},
        {kNaN, kNaN, 0},
        {kInf, 0, 0},
        {100, 100, 45.0 * quarter / 90},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r[0]) + " " + std::to_string(r[1]));
        const double d = nav::drift_angle_deg(r[0], r[1]);
        EXPECT_FALSE(std::isnan(d));
        EXPECT_NEAR(d, r[2], 1e-6);
    }

    // The aircraft at rest: the drift pointer straight up, the course as set.
    Panel p;
    p.host.set(551, 0);
    p.host.set(552, 0);
    p.host.set(45, 123);
    p.serve(kHsi);
    EXPECT_EQ(p.shown(kHsi, "DRIFT pointer"), 0);
    EXPECT_DOUBLE_EQ(aircraft.HsiCourse, 123);
}

// The ADF's self-test: both needles at 315 for 35 ticks, then the request
// is answered and the needles read the stations again.
TEST(AdfIndicator, SelfTestHoldsBothNeedlesFor35Ticks) {
    Panel p;
    p.host.set(39, 180);
    p.host.set(1, 100);
    aircraft.AdfTestRequest = 1;
    p.serve(kAdf);
    EXPECT_EQ(p.shown(kAdf, "ADF 1 needle"), 315);
    EXPECT_EQ(p.shown(kAdf, "ADF 2 needle"), 315);
    p.host.set(1, 134);
    p.serve(kAdf);
    EXPECT_EQ(p.shown(kAdf, "ADF 1 needle"), 315);
    EXPECT_EQ(aircraft.AdfTestRequest, 1);
    p.host.set(1, 135);
    p.serve(kAdf);
    EXPECT_EQ(aircraft.AdfTestRequest, 0);
    p.serve(kAdf);
    EXPECT_EQ(p.shown(kAdf, "ADF 1 needle"), 90);
}

// Supplies and host failures, instrument by instrument: the flags, the
// inoperative items, the needles parked on the bearing indicators.
TEST(NavIndicators, FlagsWithoutSuppliesAndWithHostFailures) {
    struct AdfRow {
        uint8_t ess_norm, dc_norm, load;
        uint32_t heading_failed;
        bool flag;
        uint8_t inop;
        bool needles_live;
    };
    const AdfRow adf_rows[] = {
        {1, 0, 2, 0, false, 0, true}, {0, 1, 2, 0, false, 0, true}, {0, 0, 2, 0, true, 1, false},
        {1, 1, 1, 0, true, 0, false}, {1, 1, 2, 1, true, 1, true},  {1, 1, 0, 0, true, 0, false},
    };
    for (const AdfRow& r : adf_rows) {
        SCOPED_TRACE("ADF " + std::to_string(r.ess_norm) + std::to_string(r.dc_norm) +
                     std::to_string(r.load) + std::to_string(r.heading_failed));
        Panel p;
        aircraft.AcEssNormPowered = r.ess_norm;
        aircraft.DcNormBusPowered = r.dc_norm;
        aircraft.BattLoadLevel = r.load;
        p.host.set_bits(282, r.heading_failed);
        p.host.set(39, 0);
        p.serve(kAdf);
        EXPECT_EQ(FakeHost::visible(kAdf, "ADF flag"), r.flag);
        EXPECT_EQ(aircraft.AdfInop, r.inop);
        EXPECT_EQ(p.shown(kAdf, "ADF 1 needle"), r.needles_live ? 270 : 0);
    }

    struct RmiRow {
        uint8_t ess, bus2;
        uint32_t heading_failed, nav_failed;
        bool flag, supply2, supply1;
        uint8_t inop;
    };
    const RmiRow rmi_rows[] = {
        {1, 1, 0, 0, false, false, false, 0}, {0, 1, 0, 0, true, false, true, 1},
        {1, 0, 0, 0, false, true, false, 1},  {1, 1, 1, 0, true, false, false, 1},
        {1, 1, 0, 1, false, true, true, 1},
    };
    for (const RmiRow& r : rmi_rows) {
        SCOPED_TRACE("RMI " + std::to_string(r.ess) + std::to_string(r.bus2) +
                     std::to_string(r.heading_failed) + std::to_string(r.nav_failed));
        Panel p;
        aircraft.AcEssBusPowered = r.ess;
        aircraft.AcBus2Powered = r.bus2;
        p.host.set_bits(282, r.heading_failed);
        p.host.set_bits(285, r.nav_failed);
        p.host.set(84, 45);
        p.serve(kRmi);
        EXPECT_EQ(FakeHost::visible(kRmi, "RMI flag"), r.flag);
        EXPECT_EQ(FakeHost::visible(kRmi, "RMI 2 supply flag"), r.supply2);
        EXPECT_EQ(FakeHost::visible(kRmi, "RMI 1 supply flag"), r.supply1);
        EXPECT_EQ(aircraft.RmiInop, r.inop);
        EXPECT_EQ(gauges::rmi::state.card_deg, r.flag ? 0 : 45);
    }

    struct HsiRow {
        uint8_t ess, instr1, load;
        uint32_t heading_failed;
        bool flag;
        uint8_t inop;
        bool autopilots_kept;
    };
    const HsiRow hsi_rows[] = {
        {1, 1, 2, 0, false, 0, true}, {0, 1, 2, 0, true, 1, true},  {1, 0, 2, 0, false, 1, true},
        {1, 1, 2, 1, true, 1, false}, {1, 1, 0, 0, false, 0, true},
    };
    for (const HsiRow& r : hsi_rows) {
        SCOPED_TRACE("HSI " + std::to_string(r.ess) + std::to_string(r.instr1) + std::to_string(r.load) +
                     std::to_string(r.heading_failed));
        Panel p;
        aircraft.AcEssBusPowered = r.ess;
        aircraft.InstrBus1Powered = r.instr1;
        aircraft.BattLoadLevel = r.load;
        aircraft.ApEngageState = 3;
        aircraft.ApLever1On = 1;
        aircraft.ApLever2On = 1;
        aircraft.ApMasterSeenOn = 1;
        p.host.set_bits(282, r.heading_failed);
        p.host.set(84, 90);
        p.serve(kHsi);
        EXPECT_EQ(FakeHost::visible(kHsi, "HSI flag"), r.flag);
        EXPECT_EQ(aircraft.HsiInop, r.inop);
        EXPECT_EQ(aircraft.ApEngageState != 0, r.autopilots_kept);
        EXPECT_EQ(aircraft.ApLever1On + aircraft.ApLever2On + aircraft.ApMasterSeenOn,
                  r.autopilots_kept ? 3 : 0);
        // Without its supplies the card stands where it was (0 at load).
        const bool card_live = r.ess == 1 && r.load >= 1;
        EXPECT_EQ(gauges::hsi::state.card_deg, card_live ? 90 : 0);
        if (r.instr1 == 0 || r.ess == 0) {
            EXPECT_TRUE(FakeHost::visible(kHsi, "NAV flag"));
            EXPECT_TRUE(FakeHost::visible(kHsi, "DME flag"));
            EXPECT_FALSE(FakeHost::visible(kHsi, "TO pointer"));
        }
    }
}

}  // namespace
}  // namespace kadrimos::testing
