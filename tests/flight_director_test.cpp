// The flight director: the glide path's capture and vertical-speed target,
// the localiser capture and intercept heading at their band edges, the
// command bars' laws and stowing, and the attitude director's flags, test
// button and host readings that are not numbers.
#include "autoflight/flight_director.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using namespace autoflight;

constexpr const char* kAdi = "toskelin adi_fd_rulo";
constexpr const char* kBarsSwitch = "toskelin fd_bars_sw_rulo";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
AdiState& adi = gauges::adi_fd::state;

// On the localiser and glideslope, heading down the course, level.
FdReadings on_the_ils() {
    FdReadings in;
    in.gs_valid = true;
    in.course_deg = 270;
    in.heading_deg = 268;
    in.nav_status = kNavStatusGlideslope | kNavStatusLocaliser;
    in.nav_signal = 1000;
    in.ias_kt = 140;
    in.radio_height_m = 600;
    return in;
}

TEST(GlidePath, CapturesFromBelowTracksOnThePathAndIsLostFarBelowOrAwayFromTheCourse) {
    struct Row {
        GlidePath before;
        double deviation, vs_raw, heading_deg;
        bool valid;
        GlidePath after;
    };
    const Row rows[] = {
        {GlidePath::NotCaptured, -15.0, 0, 268, true, GlidePath::NotCaptured},  // not yet within 15
        {GlidePath::NotCaptured, -14.9, 0, 268, true, GlidePath::Captured},
        {GlidePath::NotCaptured, -10, -250, 268, true, GlidePath::NotCaptured},  // already descending
        {GlidePath::NotCaptured, -10, -249, 268, true, GlidePath::Captured},
        {GlidePath::NotCaptured, 20, 0, 268, true, GlidePath::Tracking},  // from above: on at once
        {GlidePath::Captured, -0.1, -900, 268, true, GlidePath::Captured},
        {GlidePath::Captured, 0, -900, 268, true, GlidePath::Tracking},
        {GlidePath::Tracking, -118.9, -900, 268, true, GlidePath::Tracking},
        {GlidePath::Tracking, -119, -900, 268, true, GlidePath::NotCaptured},
        {GlidePath::Tracking, 5, -900, 180, true, GlidePath::Tracking},     // 90 degrees off: still flown
        {GlidePath::Tracking, 5, -900, 179, true, GlidePath::NotCaptured},  // beyond 90: a back course
        {GlidePath::Tracking, 5, -900, 268, false, GlidePath::NotCaptured},
        {GlidePath::Tracking, kNaN, -900, 268, true, GlidePath::Tracking},
        {GlidePath::Tracking, 5, -900, kNaN, true, GlidePath::NotCaptured},
    };
    for (const Row& r : rows) {
        FakeHost host;
        FdReadings in = on_the_ils();
        in.gs_deviation = r.deviation;
        in.vs_raw = r.vs_raw;
        in.heading_deg = r.heading_deg;
        in.gs_valid = r.valid;
        set_glide_path(r.before);
        GlidePathMemory m;
        update_glide_path_capture(in, m);
        EXPECT_EQ(glide_path(), r.after) << r.deviation << " " << r.vs_raw << " " << r.heading_deg;
    }
}

TEST(GlidePath, TheTargetIsLevelNominalOrCorrectedEvery20TicksAndTheSampledMeanLow) {
    FakeHost host;
    GlidePathMemory m;
    FdReadings in = on_the_ils();
    const double nominal = -(140.0 / 2 * 10 * 1.30048);
    EXPECT_DOUBLE_EQ(nominal_descent(140), nominal);

    set_glide_path(GlidePath::NotCaptured);
    update_glide_path_target(in, m, 1900);
    EXPECT_EQ(aircraft.GsVsTarget, 0.0);
    set_glide_path(GlidePath::Captured);
    update_glide_path_target(in, m, 1900);
    EXPECT_DOUBLE_EQ(aircraft.GsVsTarget, nominal);

    // Tracking: a correction at once, then none for 20 ticks.
    set_glide_path(GlidePath::Tracking);
    struct Row {
        double tick, deviation, target;
    };
    const Row rows[] = {
        {100, 5, nominal - 50},   // 10 units a unit of deviation
        {119, 10, nominal - 50},  // before the next correction
        {120, 10, nominal - 100},
        {140, 15, -1500 * 1.30048},  // far above: 1500 ft/min down
        {160, -15, 0},               // far below: level until the path comes down
        {180, -14.9, nominal + 149},
        {200, kNaN, nominal + 149},  // a deviation that is not a number corrects nothing
    };
    for (const Row& r : rows) {
        in.tick = r.tick;
        in.gs_deviation = r.deviation;
        update_glide_path_target(in, m, 1900);
        EXPECT_NEAR(aircraft.GsVsTarget, r.target, 1e-9) << r.tick;
    }

    // Down through the sampling heights: the last vertical speed above 240,
    // 220 and 202 m; their mean below 200 m, held from 155 ft down.
    const struct {
        double height_m, vs_raw;
    } descent[] = {{241, -900}, {230, -960}, {210, -1020}, {199, -2000}};
    for (const auto& d : descent) {
        in.radio_height_m = d.height_m;
        in.vs_raw = d.vs_raw;
        update_glide_path_target(in, m, d.height_m * 3.281);
    }
    EXPECT_DOUBLE_EQ(aircraft.GsVsTarget, (-900.0 - 960.0 - 1020.0) / 3);
    in.radio_height_m = 40;
    update_glide_path_target(in, m, 155);
    EXPECT_DOUBLE_EQ(aircraft.GsVsTarget, (-900.0 - 960.0 - 1020.0) / 3);
}

TEST(Localiser, InterceptAnglesStepDownAtTheBandEdges) {
    const CaptureBands b = capture_bands(117, LateralCapture{});
    // 117 / 3 = 39, / 1.5 = 26, / 1.5 = 17.33, / 2.5 = 6.93, / 2 = 3.47.
    struct Row {
        double deviation;
        int angle;
    };
    const Row rows[] = {{117, -1},  {116.9, 20}, {39, 20},   {38.9, 15},   {26, 15},
                        {25.9, 10}, {17.4, 10},  {17.3, 5},  {6.94, 5},    {6.9, 1},
                        {3.47, 1},  {3.46, 0},   {-3.46, 0}, {-116.9, 20}, {kNaN, -1}};
    for (const Row& r : rows) EXPECT_EQ(intercept_angle(r.deviation, b), r.angle) << r.deviation;

    // After an overshoot the inner edges are wider: 17.33 / 2 = 8.67, / 1.5.
    LateralCapture c;
    for (double d : {30.0, 10.0, 20.0, 10.0}) update_capture_phases(d, b, c);
    EXPECT_EQ(c.phase_a, 3);
    const CaptureBands wide = capture_bands(117, c);
    EXPECT_NEAR(wide.edge[3], 117.0 / 3 / 1.5 / 1.5 / 2, 1e-9);
    EXPECT_EQ(intercept_angle(8, wide), 1);
    // Beyond the base the phases start again.
    update_capture_phases(120, b, c);
    EXPECT_EQ(c.phase_a, 0);
    EXPECT_EQ(c.phase_b, 0);
}

TEST(Localiser, TheCaptureBaseComesFromTheSignalOffALocaliser) {
    EXPECT_EQ(capture_base(true, false, 0), 117);
    EXPECT_EQ(capture_base(false, true, 0), 117);
    EXPECT_EQ(capture_base(false, false, 300), 20);
    EXPECT_EQ(capture_base(false, false, 600), 50);
    EXPECT_EQ(capture_base(false, false, kNaN), 0);
}

TEST(Localiser, TheHeadingCommandTurnsTowardsTheCentrelineRoundNorth) {
    const CaptureBands b = capture_bands(117, LateralCapture{});
    struct Row {
        double course, deviation;
        bool basic;
        int32_t command;
    };
    const Row rows[] = {
        {350, 100, false, 10},   // right of the beam's far edge: 20 degrees right, round north
        {10, -100, false, 350},  // 20 left
        {90, 30, false, 105},   {90, -20, false, 80},
        {90, 2, false, 90},     {90, 120, false, 123},  // beyond the base: the present heading
        {90, 0, false, 123},                            // on the centreline: the present heading
        {90, 30, true, 75},                             // the basic mode's sense is the other way
        {90, -30, true, 105},   {90, 0, true, 123},
    };
    for (const Row& r : rows)
        EXPECT_EQ(heading_command(r.course, r.deviation, 123.4, b, r.basic, 0), r.command)
            << r.course << " " << r.deviation;
    EXPECT_EQ(heading_command(kNaN, 30, 123.4, b, false, 0), 123);
    EXPECT_EQ(heading_command(90, 30, kNaN, b, false, 77), 105);
}

TEST(Localiser, CapturedOnTheAutopilotsInterceptBankOrWithinTheBaseInNav) {
    struct Row {
        uint8_t approach;
        uint8_t nav;
        double bank, heading_hold, deviation, signal;
        bool captured;
    };
    const Row rows[] = {
        {20, 0, 5, 0, 0, 1000, false},    {20, 0, 5.1, 0, 0, 1000, true}, {20, 0, -5.1, 0, 0, 1000, true},
        {20, 0, 10, 1, 0, 1000, false},  // the heading hold has the turn, not the approach
        {20, 0, kNaN, 0, 0, 1000, false}, {0, 1, 0, 0, 117, 1000, true},  {0, 1, 0, 0, 117.1, 1000, false},
        {0, 0, 10, 0, 0, 1000, false},  // neither an approach nor NAV
        {20, 0, 10, 0, 0, 0, false},    // no signal: lost
    };
    for (const Row& r : rows) {
        FakeHost host;
        aircraft.ApproachMode = r.approach;
        aircraft.NavMode = r.nav;
        FdReadings in = on_the_ils();
        in.commanded_bank_deg = r.bank;
        in.heading_hold = r.heading_hold;
        in.loc_deviation = r.deviation;
        in.nav_signal = r.signal;
        update_localiser_capture(in, 117);
        EXPECT_EQ(loc_captured(), r.captured) << int{r.approach} << " " << r.bank << " " << r.deviation;
    }
}

TEST(CommandBars, MoveByTheirLawsAndStopAtTheirEnds) {
    // The roll bar from its stowed place: onto its stop at once, units, then
    // twentieths, then onto the target and settled; settled it creeps.
    Bar roll{14, 0, 0};
    const double roll_path[] = {11, 10, 9, 8, 7, 6.95, 6.9, 6.85, 6.8, 6.75};
    for (double expected : roll_path) {
        move_roll_bar(roll, 6.0, false);
        EXPECT_NEAR(roll.shown, expected, 1e-9);
    }
    for (int i = 0; i < 20 && roll.settled == 0; ++i) move_roll_bar(roll, 6.0, false);
    EXPECT_EQ(roll.settled, 1);
    EXPECT_EQ(roll.shown, 6.0);
    move_roll_bar(roll, 6.5, false);
    EXPECT_NEAR(roll.shown, 6.005, 1e-9);
    move_roll_bar(roll, 6.5, true);
    EXPECT_NEAR(roll.shown, 6.015, 1e-9);

    // At their stops: the roll bar at 1 and 11, the pitch bar at 0.
    Bar low{2, 0, 0};
    move_roll_bar(low, -5, false);
    EXPECT_EQ(low.shown, 1.0);
    Bar high{10.5, 0, 0};
    move_pitch_bar(high, 30);
    EXPECT_EQ(high.shown, 11.0);
    Bar bottom{0.5, 0, 0};
    move_pitch_bar(bottom, -3);
    EXPECT_EQ(bottom.shown, 0.0);

    // A target that is not a number leaves a bar where it is.
    Bar still{6, 1, 0};
    move_pitch_bar(still, kNaN);
    move_rollout_bar(still, kNaN);
    EXPECT_EQ(still.shown, 6.0);

    // The rollout bar closes at 0.025 far off, 0.01 near, and snaps within 0.05.
    Bar rollout{6, 1, 0};
    move_rollout_bar(rollout, 6.3);
    EXPECT_NEAR(rollout.shown, 6.025, 1e-9);
    rollout.shown = 6.2;
    move_rollout_bar(rollout, 6.3);
    EXPECT_NEAR(rollout.shown, 6.21, 1e-9);
    rollout.shown = 6.26;
    move_rollout_bar(rollout, 6.3);
    EXPECT_EQ(rollout.shown, 6.3);
}

TEST(CommandBars, TheBarLawsErrorsByBand) {
    // Heading select: the error within 3 degrees, beyond it the band's bank
    // plus the present one (left wing down positive).
    EXPECT_EQ(heading_select_error(100, 97, 0), 3);
    EXPECT_EQ(heading_select_error(100, 99.6, 0), 0);  // within half a degree
    EXPECT_EQ(heading_select_error(100, 96, -2), 3);   // 4 to go: 5 less the 2 of right bank
    EXPECT_EQ(heading_select_error(10, 340, -20), 5);  // 30 to go round north: 25
    EXPECT_EQ(heading_select_error(340, 10, 20), -5);
    EXPECT_EQ(lateral_basic_value(100, 96, 7), 4);
    EXPECT_EQ(lateral_basic_value(100, 94, 0), 5);  // 6 to go: the (5, 10] step
    EXPECT_EQ(lateral_basic_value(100, 99.9, 0), 0);
    EXPECT_NEAR(rollout_error(270, 268, 4), 0.75 * 6, 1e-9);
}

// The attitude director powered, on an ILS, the bars switch ON and a flight
// director in heading select and speed on pitch.
struct Adi {
    FakeHost host;
    Adi() {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.AcEssBusPowered = 1;
        aircraft.InstrBus1Powered = 1;
        aircraft.FdBarsSwitch = 1;
        aircraft.FdCommandState = 1;
        aircraft.FdLateralAnnunciation = 2;
        aircraft.FdVerticalAnnunciation = 2;
        for (uint32_t t : {40u, 41u, 45u, 49u, 61u, 65u, 69u, 74u, 78u, 80u, 84u, 106u, 614u, 794u})
            host.set(t, 0);
        host.set(44, 1);
        host.set_bits(46, 0xC0);
        host.set(49, 1000);
        host.set_bits(276, 0);
        host.set_bits(288, 0);
    }
    void update() { host.update(kAdi); }
};

TEST(AttitudeDirector, BarsSlideOutOfViewWithTheSwitchOff) {
    Adi a;
    for (int i = 0; i < 40; ++i) a.update();
    ASSERT_EQ(adi.roll_bar.shown, 6.0);
    ASSERT_EQ(adi.pitch_bar.shown, 6.0);
    a.host.click(kBarsSwitch, "FD BARS OFF");
    EXPECT_EQ(aircraft.FdBarsSwitch, 0);
    // From their far ends: the roll bar 13 updates from 1 to 14, the pitch
    // bar 15 from 11 to -4.
    adi.roll_bar.shown = 1;
    adi.pitch_bar.shown = 11;
    for (int i = 0; i < 13; ++i) a.update();
    EXPECT_EQ(adi.roll_bar.shown, 14.0);
    EXPECT_EQ(adi.pitch_bar.shown, -2.0);
    a.update();
    a.update();
    EXPECT_EQ(adi.pitch_bar.shown, -4.0);
    EXPECT_EQ(adi.roll_bar.settled, 0);
}

TEST(AttitudeDirector, ALostAttitudeSourceOrComputerDisengagesTheAutopilotAtOnce) {
    struct Row {
        uint32_t failure;
        uint8_t computer;
    };
    for (const Row& r : {Row{276, 1}, Row{288, 1}, Row{0, 0}}) {
        Adi a;
        aircraft.ApEngageState = 3;
        aircraft.ApLever1On = 1;
        aircraft.ApLever2On = 1;
        aircraft.ApMasterSeenOn = 1;
        if (r.failure != 0) a.host.set_bits(r.failure, 1);
        aircraft.DcNormBusPowered = r.computer;
        a.update();
        EXPECT_EQ(aircraft.ApEngageState, 0) << r.failure;
        EXPECT_EQ(aircraft.ApLever1On + aircraft.ApLever2On + aircraft.ApMasterSeenOn, 0) << r.failure;
        EXPECT_EQ(aircraft.AttitudeFailWarning, 1);
        EXPECT_TRUE(FakeHost::visible(kAdi, "ATT flag"));
    }
    // Without the annunciator bus the flag shows, but the autopilot stays.
    Adi a;
    aircraft.ApEngageState = 1;
    aircraft.DcEssBusPowered = 0;
    a.update();
    EXPECT_EQ(aircraft.ApEngageState, 1);
    EXPECT_EQ(aircraft.AttitudeFailWarning, 1);
}

TEST(AttitudeDirector, TwoQuickTestPressesGiveAtMost39UpdatesOfTest) {
    Adi a;
    a.host.click(kAdi, "ADI TEST button");
    a.update();
    a.host.click(kAdi, "ADI TEST button");
    EXPECT_EQ(adi.test_counter, 39);
    a.host.click(kAdi, "ADI TEST button");  // 20 or more left: no more
    EXPECT_EQ(adi.test_counter, 39);
    int updates = 1;
    while (adi.test_counter > 0 && updates < 100) {
        a.update();
        ++updates;
    }
    EXPECT_EQ(updates, 40);  // the first update and 39 of the second press
    // Without the autopilot computer the button does nothing.
    aircraft.DcNormBusPowered = 0;
    a.host.click(kAdi, "ADI TEST button");
    EXPECT_EQ(adi.test_counter, 0);
}

TEST(AttitudeDirector, PointersFlagsAndHostReadingsThatAreNotNumbers) {
    Adi a;
    aircraft.SelectedSpeed = 140;
    a.host.set(61, 200);  // 60 kt fast: the speed pointer pinned at 53
    for (int i = 0; i < 12; ++i) a.update();
    EXPECT_EQ(adi.speed_pointer, 53);
    EXPECT_EQ(adi.loc_pointer, 104);
    EXPECT_EQ(adi.gs_pointer, 100);
    EXPECT_TRUE(FakeHost::visible(kAdi, "LOC pointer"));
    EXPECT_FALSE(FakeHost::visible(kAdi, "LOC flag"));

    // Every host value not a number: nothing shown becomes one.
    for (uint32_t t : {40u, 41u, 44u, 45u, 61u, 65u, 69u, 74u, 78u, 80u, 84u, 106u, 614u, 794u})
        a.host.set(t, kNaN);
    for (int i = 0; i < 20; ++i) a.update();
    for (double v :
         {adi.bank_deg, adi.pitch, adi.loc_pointer, adi.gs_pointer, adi.speed_pointer, adi.turn, adi.sideslip,
          adi.roll_bar.shown, adi.pitch_bar.shown, adi.rollout_bar.shown, aircraft.GsVsTarget})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(adi.gs_pointer, 0.0);  // the glideslope flag no longer reads 1
    EXPECT_FALSE(FakeHost::visible(kAdi, "GS pointer"));

    // The signal lost: the localiser flag.
    a.host.set(49, 0);
    a.update();
    EXPECT_TRUE(FakeHost::visible(kAdi, "LOC flag"));
}

TEST(FdBarsSwitch, TheLightingButtonNeedsTheAnnunciatorBus) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    host.click(kBarsSwitch, "INSTRUMENT LIGHTS pushbutton");
    EXPECT_EQ(aircraft.InstrumentLightsOn, 1);
    host.click(kBarsSwitch, "INSTRUMENT LIGHTS pushbutton");
    EXPECT_EQ(aircraft.InstrumentLightsOn, 0);
    host.click(kBarsSwitch, "INSTRUMENT LIGHTS pushbutton");
    aircraft.DcEssBusPowered = 0;
    host.click(kBarsSwitch, "INSTRUMENT LIGHTS pushbutton");
    EXPECT_EQ(aircraft.InstrumentLightsOn, 0);
    host.click(kBarsSwitch, "FD BARS ON");
    host.update(kBarsSwitch);
    EXPECT_TRUE(FakeHost::visible(kBarsSwitch, "FD BARS ON"));
    EXPECT_FALSE(FakeHost::visible(kBarsSwitch, "FD BARS OFF"));
}

}  // namespace
}  // namespace kadrimos::testing
