// The autopilot master: engagement and its conditions, the levers and
// buttons, what drops together, the approach modes and LAND's low phases,
// the host's autopilot kept in step, the speed-on-pitch table, the trim
// steps, the roll bias and host values that are not numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "autoflight/ap_master_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using namespace autoflight;

constexpr const char* kAp = "toskelin ap_master_rulo";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Tokens.
constexpr uint32_t kTick = 1, kNavStatus = 46, kNavSignal = 49, kOnGround = 60, kIas = 61, kVs = 65,
                   kPitch = 78, kBank360 = 79, kBank = 80, kMaster = 103, kWingLeveler = 104,
                   kHeadingHold = 106, kAltHold = 108, kAttitudeFail = 276, kHeadingFail = 282,
                   kVacuumFail = 288, kElevator = 309, kTrim = 318, kRadioM = 614, kFdFlag = 792;
// Events.
constexpr uint32_t kApOn = 0x10100, kApOff = 0x100ff, kFdToggle = 0x102f0, kTrimSet = 0x100aa,
                   kAltHoldOff = 0x10118, kWingLevelerOff = 0x10119, kHeadingHoldOff = 0x10117,
                   kVsSet = 0x101f4, kElevatorSet = 0x1009e, kAileronCenter = 0x10096, kAltHoldOn = 0x10110,
                   kWingLevelerOn = 0x10111;

// A powered cockpit in the cruise, wings level, the localiser received;
// the host answers the autopilot master's and the flight director's events
// as the simulator does.
struct Autopilot {
    FakeHost host;
    double tick = 100;
    double master = 0;
    double fd_flag = 0;

    Autopilot() {
        aircraft.BattLoadLevel = 2;
        aircraft.DcEssBusPowered = 1;
        aircraft.AcEssBusPowered = 1;
        aircraft.InstrBus1Powered = 1;
        aircraft.InstrBus2Powered = 1;
        aircraft.AcBus1Powered = 1;
        aircraft.AcBus2Powered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.RadioAltitudeFt = 3000;
        host.set(kOnGround, 0);
        host.set(kIas, 250);
        host.set(kRadioM, 3000 / 3.281);
        host.set_bits(kNavStatus, 0x40);
        host.set(kNavSignal, 1);
        host.set(73, 3000 / 3.281);
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.set(kTick, tick);
            host.set(kMaster, master);
            host.set(kFdFlag, fd_flag);
            const std::size_t before = host.events().size();
            host.update(kAp);
            host.draw(kAp);
            for (std::size_t k = before; k < host.events().size(); ++k) {
                const KeyEvent& e = host.events()[k];
                if (e.id == kApOn) master = 1;
                if (e.id == kApOff) master = 0;
                if (e.id == kFdToggle) fd_flag = fd_flag == 1.0 ? 0.0 : 1.0;
            }
            tick += 1;
        }
    }
    void click(const char* area) {
        host.click(kAp, area);
        serve();
    }
    void fd1_on() { click("FD 1 button"); }
    void ap1_engaged() {
        fd1_on();
        click("AP 1 ON");
        serve();
    }
    bool lit(const char* label) const { return FakeHost::visible(kAp, label); }
};

TEST(ApMaster, AFlightDirectorAndAnAutopilotEngageInAPoweredCockpit) {
    Autopilot a;
    a.fd1_on();
    EXPECT_EQ(aircraft.FdCommandState, 1);
    EXPECT_TRUE(a.lit("FD 1 light"));
    EXPECT_EQ(a.fd_flag, 1.0) << "the host's flight director follows";
    a.click("AP 1 ON");
    a.serve();
    EXPECT_EQ(aircraft.ApEngageState, 1);
    EXPECT_TRUE(a.lit("AP 1 ON"));
    EXPECT_FALSE(a.lit("AP 1 OFF"));
    EXPECT_EQ(a.master, 1.0);
    EXPECT_EQ(aircraft.ApMasterSeenOn, 1);
}

// Each condition alone failing: the flight director does not come on, and
// an engaged autopilot's lever drops with its channel.
TEST(ApMaster, EachEngagementConditionAloneKeepsTheChannelOff) {
    struct Case {
        const char* name;
        std::function<void(Autopilot&)> fail;
        bool fd_stays_on;  // with the channel's own conditions lost, a single FD stays
    };
    const Case cases[] = {
        {"load level shed", [](Autopilot&) { aircraft.BattLoadLevel = 0; }, false},
        {"bank 55 right", [](Autopilot& a) { a.host.set(kBank, -55); }, false},
        {"bank 55 left", [](Autopilot& a) { a.host.set(kBank, 55); }, false},
        {"bank not a number", [](Autopilot& a) { a.host.set(kBank, kNaN); }, false},
        {"instrument supply", [](Autopilot&) { aircraft.AcEssBusPowered = 0; }, true},
        {"channel 1 flag", [](Autopilot&) { aircraft.AcBus1Powered = 0; }, true},
        {"autopilot computer", [](Autopilot&) { aircraft.DcNormBusPowered = 0; }, true},
        {"both supplies",
         [](Autopilot&) {
             aircraft.InstrBus1Powered = 0;
             aircraft.DcEssBusPowered = 0;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            Autopilot a;
            c.fail(a);
            a.fd1_on();
            EXPECT_EQ(aircraft.FdCommandState, 0);
        }
        {
            Autopilot a;
            a.ap1_engaged();
            ASSERT_EQ(aircraft.ApEngageState, 1);
            c.fail(a);
            a.serve(2);
            EXPECT_EQ(aircraft.ApLever1On, 0);
            EXPECT_EQ(aircraft.ApEngageState, 0);
            EXPECT_EQ(aircraft.FdCommandState != 0, c.fd_stays_on);
            EXPECT_EQ(a.master, 0.0) << "the host's autopilot follows";
        }
    }
}

TEST(ApMaster, BankOf54DegreesStillEngages) {
    for (double bank : {-54.9, 54.9}) {
        Autopilot a;
        a.host.set(kBank, bank);
        a.ap1_engaged();
        EXPECT_EQ(aircraft.ApEngageState, 1) << bank;
    }
}

TEST(ApMaster, BothLeversOutsideAnApproachLeaveOneAutopilot) {
    Autopilot a;
    a.ap1_engaged();
    a.click("AP 2 ON");
    a.serve();
    EXPECT_EQ(aircraft.ApEngageState, 1);
    EXPECT_EQ(aircraft.ApLever2On, 0) << "the lever of the channel not engaged drops";
    EXPECT_EQ(aircraft.ApLever1On, 1);
}

// Dual LAND and the channels after it: the directors follow the channel
// left, approach mode or not.
TEST(ApMaster, DualLandAndTheChannelLeftAfterIt) {
    for (int dropped : {1, 2}) {
        SCOPED_TRACE(dropped);
        Autopilot a;
        a.ap1_engaged();
        a.click("LAND button");
        ASSERT_EQ(aircraft.ApproachMode, 30);
        a.click("AP 2 ON");
        EXPECT_EQ(aircraft.ApEngageState, 3);
        EXPECT_EQ(aircraft.FdCommandState, 3);
        a.click(dropped == 1 ? "AP 1 OFF" : "AP 2 OFF");
        const uint8_t left = dropped == 1 ? 2 : 1;
        EXPECT_EQ(aircraft.ApEngageState, left);
        EXPECT_EQ(aircraft.FdCommandState, left);
        EXPECT_EQ(aircraft.ApproachMode, 30);
    }
}

TEST(ApMaster, LandArmsOnlyAbove700FeetAndItsLowPhaseBlocksTheLevers) {
    struct Row {
        double radio_ft;
        uint8_t mode;
    };
    for (const Row& r : {Row{701, 30}, Row{700, 0}, Row{699, 0}}) {
        Autopilot a;
        a.ap1_engaged();
        a.host.set(kRadioM, r.radio_ft / 3.281);
        a.click("LAND button");
        EXPECT_EQ(aircraft.ApproachMode, r.mode) << r.radio_ft;
    }
    Autopilot a;
    a.ap1_engaged();
    a.click("LAND button");
    a.host.set(kRadioM, 600 / 3.281);
    a.serve();
    EXPECT_EQ(aircraft.LandLowInhibit, 1);
    a.click("AP 2 ON");
    EXPECT_EQ(aircraft.ApLever2On, 0);
    a.click("MODE CANCEL button");
    EXPECT_EQ(aircraft.ModeCancelHold, 0) << "mode cancel is blocked low in LAND";
}

TEST(ApMaster, LandNeedsTheLocaliserAndGoodAttitudeSources) {
    const std::function<void(Autopilot&)> faults[] = {
        [](Autopilot& a) { a.host.set_bits(kNavStatus, 0x80); },
        [](Autopilot& a) { a.host.set(kNavSignal, 0); },
        [](Autopilot& a) { a.host.set(kNavSignal, kNaN); },
        [](Autopilot& a) { a.host.set_bits(kVacuumFail, 1); },
    };
    for (const auto& fault : faults) {
        Autopilot a;
        a.ap1_engaged();
        fault(a);
        a.click("LAND button");
        EXPECT_EQ(aircraft.ApproachMode, 0);
    }
}

TEST(ApMaster, LocIsEnteredByHowManyDirectorsFly) {
    Autopilot single;
    single.fd1_on();
    single.click("LOC button");
    EXPECT_EQ(aircraft.ApproachMode, 10);
    EXPECT_TRUE(single.lit("LOC light"));
    single.host.set_bits(kNavStatus, 0x80);
    single.serve();
    EXPECT_EQ(aircraft.ApproachMode, 11) << "only the back-up bit";
    single.click("LOC button");
    EXPECT_EQ(aircraft.ApproachMode, 0);

    Autopilot coupled;
    coupled.ap1_engaged();
    coupled.click("LOC button");
    EXPECT_EQ(aircraft.ApproachMode, 20);
    EXPECT_EQ(aircraft.ApproachCoupled, 1);
}

// The flare and roll-out bands of the radio altimeter's reading.
TEST(ApMaster, FlareFrom80FeetRolloutFrom30) {
    struct Row {
        double ft;
        uint8_t flare, rollout;
    };
    const Row rows[] = {{80, 0, 0}, {79.9, 1, 0}, {30, 1, 0}, {29.9, 0, 1}, {10, 0, 1}, {9.9, 0, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ft);
        Autopilot a;
        a.ap1_engaged();
        a.click("LAND button");
        aircraft.FlareActive = 0;
        aircraft.RolloutActive = 0;
        aircraft.RadioAltitudeFt = r.ft;
        a.host.set(kRadioM, r.ft / 3.281);
        a.host.clear_logs();
        a.serve();
        EXPECT_EQ(aircraft.FlareActive, r.flare);
        EXPECT_EQ(aircraft.RolloutActive, r.rollout);
        // The flare's sink rate of 50 ft/min goes to the host with it.
        const auto sink = std::count(a.host.events().begin(), a.host.events().end(),
                                     KeyEvent{kVsSet, static_cast<uint32_t>(-50)});
        EXPECT_EQ(sink > 0, r.flare == 1);
    }
}

TEST(ApMaster, TouchdownInLandCentresTheAileronsOnceAndHoldsTheNoseDown) {
    Autopilot a;
    a.ap1_engaged();
    a.click("LAND button");
    aircraft.RadioAltitudeFt = 0;
    aircraft.GrossWeightHundreds = 1060;
    a.host.set(kRadioM, 0);
    a.host.set(kOnGround, 1);
    a.host.set(kIas, 120);
    a.host.clear_logs();
    a.serve(3);
    EXPECT_EQ(a.host.count(kAileronCenter), 1u);
    EXPECT_TRUE(a.host.sent(kElevatorSet));
    bool nose_down = false;
    for (const KeyEvent& e : a.host.events())
        if (e.id == kElevatorSet && e.value == 7000) nose_down = true;
    EXPECT_TRUE(nose_down);
    EXPECT_EQ(aircraft.RunwayGuidanceActive, 1);
    a.host.set(kIas, 49);
    a.serve();
    EXPECT_EQ(aircraft.RunwayGuidanceActive, 0);
}

// What the aircraft drops together, through the buttons that drop it.
TEST(ApMaster, ModeCancelAndTheFlightDirectorsOffClearTheirLists) {
    Autopilot a;
    a.ap1_engaged();
    set_vertical_mode(Vertical::HoldSelected);
    set_nav_mode(Nav::Radio);
    aircraft.HeadingSelectMode = 1;
    a.click("MODE CANCEL button");
    EXPECT_EQ(aircraft.ModeCancelHold, 1);
    EXPECT_EQ(aircraft.VerticalMode, 0);
    EXPECT_EQ(aircraft.NavMode, 0);
    EXPECT_EQ(aircraft.HeadingSelectMode, 0);
    EXPECT_TRUE(a.lit("MODE CANCEL light"));
    set_vertical_mode(Vertical::HoldPresent);
    a.serve();
    EXPECT_EQ(aircraft.VerticalMode, 0) << "held cleared while the autopilot is engaged";

    // FD 1 pressed with the autopilot engaged: every mode goes, and the
    // lever, still ON, engages its channel again at once.
    set_nav_mode(Nav::Radio);
    aircraft.ModeCancelHold = 0;
    a.click("FD 1 button");
    EXPECT_EQ(aircraft.NavMode, 0);
    EXPECT_EQ(aircraft.ApEngageState, 1);
    EXPECT_EQ(aircraft.FdCommandState, 1);

    a.click("AP 1 OFF");
    EXPECT_EQ(aircraft.ApEngageState, 0);
    set_vertical_mode(Vertical::AltSelectArmed);
    a.click("FD 1 button");
    EXPECT_EQ(aircraft.FdCommandState, 0);
    EXPECT_EQ(aircraft.VerticalMode, 0);
    EXPECT_EQ(a.fd_flag, 0.0) << "the host's flight director follows";
    EXPECT_FALSE(a.lit("FD 1 light"));
}

TEST(ApMaster, AHydraulicLossDropsTheAutopilotAndDirectors) {
    aircraft.FdCommandState = 3;
    aircraft.ApEngageState = 3;
    drop_autoflight_for_hydraulic_loss();
    EXPECT_EQ(aircraft.FdCommandState, 0);
    EXPECT_EQ(aircraft.ApEngageState, 0);
}

// A failure flag disconnects whether or not the host's autopilot is on.
TEST(ApMaster, FailureFlagsDisconnectOnEveryUpdate) {
    for (uint32_t flag : {kAttitudeFail, kHeadingFail, kVacuumFail}) {
        Autopilot a;
        a.ap1_engaged();
        ASSERT_EQ(a.master, 1.0);
        a.host.set_bits(flag, 1);
        a.serve();
        EXPECT_EQ(aircraft.ApEngageState, 0) << flag;
        EXPECT_EQ(aircraft.ApLever1On, 0) << flag;
    }
}

TEST(ApMaster, TheCrewSwitchingTheHostAutopilotOffDisconnects) {
    Autopilot a;
    a.ap1_engaged();
    a.master = 0;
    a.serve();
    EXPECT_EQ(aircraft.ApEngageState, 0);
    EXPECT_EQ(aircraft.ApMasterSeenOn, 0);
}

// Engage and disengage many times over: the host's autopilot and its
// functions follow, and the events respect the rule of the host's flags.
TEST(ApMaster, AlternatingClicksKeepTheHostInStep) {
    Autopilot a;
    a.fd1_on();
    for (int i = 0; i < 200; ++i) {
        const bool engage = i % 2 == 0;
        a.host.set(kAltHold, a.master);
        a.host.set(kWingLeveler, a.master);
        a.host.set(kHeadingHold, a.master);
        a.host.clear_logs();
        a.click(engage ? (i % 4 == 0 ? "AP 1 ON" : "AP 2 ON") : (i % 4 == 1 ? "AP 1 OFF" : "AP 2 OFF"));
        a.serve(i % 3);
        SCOPED_TRACE(i);
        EXPECT_EQ(aircraft.ApEngageState != 0, engage);
        EXPECT_EQ(a.master, engage ? 1.0 : 0.0);
        EXPECT_EQ(aircraft.FdCommandState, engage ? (i % 4 == 0 ? 1 : 2) : aircraft.FdCommandState);
        EXPECT_LE(a.host.count(kApOn), 1u);
        EXPECT_LE(a.host.count(kApOff), 1u);
        if (engage) {
            EXPECT_FALSE(a.host.sent(kAltHoldOff));
            EXPECT_FALSE(a.host.sent(kHeadingHoldOff));
        } else {
            // The host's functions that were on go off with the master, and
            // a disconnect never switches one on again.
            EXPECT_TRUE(a.host.sent(kAltHoldOff));
            EXPECT_TRUE(a.host.sent(kWingLevelerOff));
            EXPECT_FALSE(a.host.sent(kAltHoldOn));
            EXPECT_FALSE(a.host.sent(kWingLevelerOn));
        }
    }
}

// --- The tables ------------------------------------------------------------------

// One row a speed error band, at its edges, with the trend at rest: the
// step, the phase and whether the outer step repeats.
TEST(SpeedOnPitch, EachErrorRowAtItsEdges) {
    struct Row {
        double error, trend;
        int8_t row;
        int32_t step;
        uint8_t phase, repeats;
    };
    const Row rows[] = {
        {10, 0, 0, 50, 6, 0},    {10, 2, 0, 500, 6, 1},           {9.99, 0, 1, 20, 5, 0},
        {4, 0, 1, 20, 5, 0},     {3.99, 0, 2, 10, 4, 0},          {2, 0, 2, 10, 4, 0},
        {1.99, 0, 3, 5, 3, 0},   {1, -2, 3, -350, 3, 0},          {0.99, 0.06, 4, 1, 2, 0},
        {0.5, 0, 4, 5, 2, 0},    {0.49, 2, 5, 0, 1, 0},           {0.3, 0, 5, 0, 1, 0},
        {0.29, 5, -1, 0, 0, 0},  {-0.29, -5, -1, 0, 0, 0},        {-0.3, 0, 7, 0, 1, 0},
        {-0.5, 0, 7, 0, 1, 0},   {-0.51, 0, 8, -5, 2, 0},         {-1, -2, 8, -24, 2, 0},
        {-1.01, 0, 9, -5, 3, 0}, {-2.01, 0, 10, -15, 4, 0},       {-4.01, 0, 11, -20, 5, 0},
        {-10, 2, 11, 350, 5, 0}, {-10.01, -0.06, 12, -500, 6, 1}, {-10.01, 0.3, 12, 35, 6, 0},
        {kNaN, 0, -1, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.error);
        const SpeedStep s = speed_step_for(r.error, r.trend);
        EXPECT_EQ(s.row, r.row);
        EXPECT_EQ(s.step_fpm, r.step);
        EXPECT_EQ(s.phase, r.phase);
        EXPECT_EQ(s.repeats, r.repeats);
    }
}

// The trend bands of one row ([0.5, 1), the one with a step in every band),
// at their edges, from the fastest rise to the fastest fall.
TEST(SpeedOnPitch, EachTrendBandAtItsEdges) {
    const double trends[] = {1.01, 1, 0.5, 0.25, 0.1, 0.05, -0.05, -0.1, -0.25, -0.5, -1};
    const int32_t steps[] = {24, 12, 6, 3, 1, 5, -1, -3, -6, -12, -24};
    static_assert(std::size(trends) == std::size(steps));
    for (std::size_t k = 0; k < std::size(trends); ++k)
        EXPECT_EQ(speed_step_for(0.7, trends[k]).step_fpm, steps[k]) << trends[k];
    EXPECT_EQ(speed_step_for(0.7, kNaN).step_fpm, 5) << "a trend not a number is no trend";
}

// In flight with speed on pitch: the step is applied once per row and
// second, and the command stays within 4990 either way.
TEST(SpeedOnPitch, StepsOnceASecondAndStaysWithinItsLimits) {
    Autopilot a;
    a.ap1_engaged();
    a.click("SPEED button");
    ASSERT_EQ(aircraft.SpeedOnPitchMode, 1);
    EXPECT_EQ(aircraft.FdVerticalAnnunciation, 2);
    const int32_t start = aircraft.ApVsCommand;
    a.host.set(kIas, 251);  // [1, 2) too fast, trend rising after the samples
    a.serve();
    const int32_t first = aircraft.ApVsCommand;
    EXPECT_GT(first, start);
    a.serve(5);
    EXPECT_EQ(aircraft.ApVsCommand, first) << "the row holds its next step";
    a.serve(18);
    EXPECT_GT(aircraft.ApVsCommand, first) << "a second later it steps again";
    aircraft.ApVsCommand = 4900;
    a.host.set(kIas, 300);  // 50 kt too fast, and rising at the next sample: +500
    a.serve(20);
    EXPECT_EQ(aircraft.ApVsCommand, 4990);
    aircraft.ApVsCommand = -4900;
    a.host.set(kIas, 200);  // 50 kt too slow and falling: -500 until 800 below the vertical speed
    a.serve(20);
    EXPECT_EQ(aircraft.ApVsCommand, -4990);
}

TEST(ApMaster, TrimStepsAreOneAnUpdateTowardsTheElevator) {
    Autopilot a;
    a.ap1_engaged();
    a.serve(2);
    ASSERT_EQ(aircraft.PitchHoldActive, 1);
    ASSERT_EQ(aircraft.PitchHoldLatch, 1);
    a.host.set(kTrim, 100);
    for (int32_t e : {2000, -2000}) {
        SCOPED_TRACE(e);
        a.host.set(kElevator, 50);  // back near centre: trip points reset
        a.serve();
        a.host.set(kElevator, e);
        a.host.clear_logs();
        a.serve();
        ASSERT_EQ(a.host.count(kTrimSet), 1u);
        const KeyEvent* trim = nullptr;
        for (const KeyEvent& k : a.host.events())
            if (k.id == kTrimSet) trim = &k;
        ASSERT_NE(trim, nullptr);
        EXPECT_EQ(static_cast<int32_t>(trim->value), e > 0 ? 105 : 95);
    }
}

TEST(BankHold, RollBiasBandsAndTheThirtyDegreeLimit) {
    struct Row {
        int32_t reference, bias;
    };
    const Row rows[] = {{0, 0},     {1, 170},    {5, 170},    {6, 210},   {28, 370},  {30, 370},
                        {31, 400},  {35, 400},   {45, 400},   {46, 0},    {-1, -180}, {-5, -180},
                        {-6, -210}, {-30, -370}, {-35, -400}, {-45, -400}};
    for (const Row& r : rows) EXPECT_EQ(roll_bias_for(r.reference), r.bias) << r.reference;

    // In flight a 35 degree bank is held at the 30 degree limit: the 400
    // bands are never reached by the hold itself.
    Autopilot a;
    a.host.set(kBank, -20);
    a.ap1_engaged();
    a.host.set(kBank, -35);
    aircraft.BankRefRetake = 1;
    a.host.clear_logs();
    a.serve();
    const KeyEvent* roll = nullptr;
    for (const KeyEvent& k : a.host.events())
        if (k.id == 0x1009f) roll = &k;
    ASSERT_NE(roll, nullptr);
    EXPECT_EQ(static_cast<int32_t>(roll->value), 370 + 4000) << "35 is 5 past the 30 held, over bias 370";
}

TEST(BankHold, RollInputByBankError) {
    struct Row {
        int32_t bank, input;
    };
    const Row rows[] = {{35, 10000},      {34, 200 + 7500}, {30, 200 + 7500}, {29, 200 + 4000},
                        {25, 200 + 4000}, {24, 1700},       {21, 1700},       {20, 150},
                        {19, 200 - 1500}, {15, 200 - 4000}, {10, 200 - 7500}, {5, -10000}};
    for (const Row& r : rows) EXPECT_EQ(roll_input_for(r.bank, 20, 200), r.input) << r.bank;
}

TEST(ApproachPath, TheReferenceRoundsPast50) {
    EXPECT_EQ(rounded_path_command(-780), -800);
    EXPECT_EQ(rounded_path_command(-730), -730);
    EXPECT_EQ(rounded_path_command(-750), -800);
    EXPECT_EQ(rounded_path_command(780), 780);
}

TEST(ApMaster, PitchWheelStopsAtItsEnds) {
    Autopilot a;
    aircraft.PitchWheelSetting = -10;
    a.click("PITCH wheel down");
    EXPECT_EQ(aircraft.PitchWheelSetting, -10);
    aircraft.PitchWheelSetting = 24.5;
    a.click("PITCH wheel up");
    EXPECT_EQ(aircraft.PitchWheelSetting, 25);
    a.click("PITCH wheel up");
    EXPECT_EQ(aircraft.PitchWheelSetting, 25);
    EXPECT_TRUE(a.lit("PITCH magnifier"));
    a.serve(49);
    EXPECT_TRUE(a.lit("PITCH magnifier"));
    a.serve(2);
    EXPECT_FALSE(a.lit("PITCH magnifier"));
    aircraft.PitchWheelSetting = kNaN;
    a.click("PITCH wheel up");
    EXPECT_EQ(aircraft.PitchWheelSetting, 25);
}

// Host values that are not numbers: every rule has a defined outcome.
TEST(ApMaster, HostValuesThatAreNotNumbers) {
    Autopilot a;
    a.ap1_engaged();
    a.click("SPEED button");
    for (uint32_t token :
         {kIas, kVs, kPitch, kBank360, kElevator, kTrim, kRadioM, kMaster, kFdFlag, 311u, 317u}) {
        a.host.set(token, kNaN);
    }
    a.serve(40);
    EXPECT_EQ(aircraft.ApEngageState, 1) << "a master flag not a number neither switches nor disconnects";
    EXPECT_GE(aircraft.ApVsCommand, -4990);
    EXPECT_LE(aircraft.ApVsCommand, 4990);

    // An infinite vertical speed: the command is held at 100000 ft/min, and
    // the trim steps added to it cannot overflow.
    Autopilot b;
    b.ap1_engaged();
    b.host.set(kVs, std::numeric_limits<double>::infinity());
    aircraft.PitchHoldLatch = 0;
    b.serve();
    EXPECT_EQ(aircraft.ApVsCommand, 100000);
    b.host.set(kElevator, 3000);
    b.serve(3);
    EXPECT_EQ(aircraft.ApVsCommand, 100060);
    EXPECT_EQ(vertical_speed_command(kNaN), 0);
    EXPECT_EQ(vertical_speed_command(-1e300), -100000);
}

}  // namespace
}  // namespace kadrimos::testing
