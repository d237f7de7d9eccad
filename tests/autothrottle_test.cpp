// The autothrottle: the speed knobs and window, the SPD and N1 buttons, the
// arming and its trips, the ATS-off warning's one raise and its cancel, the
// speed mode's airspeed hold, the N1 mode's throttle steps, the go-around
// and its climb schedule, the retard of a dual-channel LAND, and readings
// that are not numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "autoflight/ap_ats_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using gauges::ap_ats::state;

constexpr const char* kAts = "toskelin ap_ats_rulo";
constexpr uint32_t kTicks = 1, kOnGround = 60, kApMaster = 103, kSpeedHold = 115, kSpeedRef = 116,
                   kHostArmed = 123, kLever1 = 128, kLever2 = 163, kFlaps = 329, kNoseGear = 332,
                   kFraction1 = 558, kFraction2 = 568, kRadioHeightM = 614, kN1Engine1 = 624,
                   kN1Engine2 = 643;
constexpr uint32_t kSpeedRefEvent = 0x101f5, kArmEvent = 0x10144, kHoldOn = 0x1022d, kHoldOff = 0x1022e,
                   kThrottle1 = 0x1011c, kThrottle2 = 0x1011d, kBoost1 = 0x101ad, kBoost2 = 0x101b2,
                   kAltRef = 0x101f3, kVsRef = 0x101f4;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Armed in the air, both engines at 80 % N1, every supply up, the levers
// at 8000 units (about half travel).
struct AtsBench {
    FakeHost host;
    double tick = 100;

    AtsBench() {
        aircraft.DcEssBusPowered = 1;
        aircraft.AcEssBusPowered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.BattLoadLevel = 2;
        aircraft.AtsArmSwitch = 1;
        host.set(kOnGround, 0);
        host.set(kHostArmed, 1);
        host.set(kSpeedRef, 250);
        host.set(kN1Engine1, 80);
        host.set(kN1Engine2, 80);
        lever(8000);
        host.set(kTicks, tick);
    }
    void lever(double units) {
        host.set(kLever1, units);
        host.set(kLever2, units);
        host.set(kFraction1, units / 16384);
        host.set(kFraction2, units / 16384);
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.set(kTicks, ++tick);
            host.update(kAts);
        }
    }
    // N1 mode engaged after an update without it, in which the commands
    // took the levers' position, as they do before the N1 button is pressed.
    void holding_n1(uint8_t rating, double error) {
        serve();
        host.clear_logs();
        aircraft.AtsThrustMode = 1;
        aircraft.TrcMode = rating;
        aircraft.N1Deviation = error;
    }
    std::optional<uint32_t> last(uint32_t id) const {
        std::optional<uint32_t> found;
        for (const KeyEvent& e : host.events())
            if (e.id == id) found = e.value;
        return found;
    }
    std::optional<int32_t> throttle() const {
        auto v = last(kThrottle1);
        if (!v) return std::nullopt;
        EXPECT_EQ(last(kThrottle2), v) << "both engines get the same command";
        return static_cast<int32_t>(*v);
    }
};

TEST(Autothrottle, SpeedKnobsStepAndStopAtZeroAnd400AndTellTheHost) {
    struct Row {
        int32_t from;
        const char* area;
        int32_t to;
    };
    const Row rows[] = {
        {0, "SPEED knob minus 1", 0},     {1, "SPEED knob minus 1", 0},     {250, "SPEED knob plus 1", 251},
        {399, "SPEED knob plus 1", 400},  {400, "SPEED knob plus 1", 400},  {9, "SPEED knob minus 10", 0},
        {10, "SPEED knob minus 10", 0},   {25, "SPEED knob minus 10", 15},  {389, "SPEED knob plus 10", 399},
        {390, "SPEED knob plus 10", 400}, {395, "SPEED knob plus 10", 400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.from) + " " + r.area);
        FakeHost host;
        aircraft.SelectedSpeed = r.from;
        host.click(kAts, r.area);
        EXPECT_EQ(aircraft.SelectedSpeed, r.to);
        EXPECT_EQ(host.events().back(), (KeyEvent{kSpeedRefEvent, static_cast<uint32_t>(r.to)}));
    }
}

TEST(Autothrottle, WindowReadsTheHostsReferenceAndKeepsItsValueForNoNumber) {
    AtsBench b;
    b.host.set(kSpeedRef, 245.9);
    b.serve();
    EXPECT_EQ(aircraft.SelectedSpeed, 245);
    EXPECT_DOUBLE_EQ(state.drum_targets[0], 8);  // 2
    EXPECT_DOUBLE_EQ(state.drum_targets[1], 6);  // 4
    EXPECT_DOUBLE_EQ(state.drum_targets[2], 5);  // 5
    b.host.set(kSpeedRef, kNaN);
    b.serve();
    EXPECT_EQ(aircraft.SelectedSpeed, 245);
    b.host.set(kSpeedRef, -30);
    b.serve();
    EXPECT_EQ(aircraft.SelectedSpeed, 0);
}

TEST(Autothrottle, SpdButtonEngagesOnlyArmedAirborneFromOff) {
    struct Row {
        uint8_t arm_switch;
        uint8_t mode;
        double on_ground;
        uint8_t after;
    };
    const Row rows[] = {
        {1, 0, 0, 1}, {1, 0, 1, 2}, {1, 1, 0, 2}, {1, 2, 0, 2}, {0, 0, 0, 2}, {2, 0, 0, 2}, {1, 0, kNaN, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << int(r.arm_switch) << " " << int(r.mode) << " " << r.on_ground);
        FakeHost host;
        aircraft.AtsArmSwitch = r.arm_switch;
        aircraft.AtsSpeedMode = r.mode;
        host.set(kOnGround, r.on_ground);
        host.click(kAts, "SPD pushbutton");
        EXPECT_EQ(aircraft.AtsSpeedMode, r.after);
    }
}

TEST(Autothrottle, N1ButtonNeedsRunningEnginesAndForGoAroundFlapsGearAndAir) {
    struct Row {
        const char* what;
        uint8_t rating;
        double n1;
        double flaps;
        double gear;
        double on_ground;
        uint8_t mode_before;
        uint8_t after;
    };
    const Row rows[] = {
        {"climb rating", 4, 80, 0, 0, 0, 0, 1},
        {"no rating", 0, 80, 0, 0, 0, 0, 1},
        {"already engaged", 4, 80, 0, 0, 0, 1, 0},
        {"engine at 20 %", 4, 20, 0, 0, 0, 0, 0},
        {"engine just above 20 %", 4, 20.01, 0, 0, 0, 0, 1},
        {"N1 not a number", 4, kNaN, 0, 0, 0, 0, 0},
        {"go-around, flaps out", 3, 80, 5252, 1, 0, 0, 1},
        {"go-around, flaps short", 3, 80, 5251, 1, 0, 0, 0},
        {"go-around, gear up", 3, 80, 10485, 0.5, 0, 0, 0},
        {"go-around, on ground", 3, 80, 10485, 1, 1, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        FakeHost host;
        aircraft.AtsArmSwitch = 1;
        aircraft.AtsThrustMode = r.mode_before;
        aircraft.TrcMode = r.rating;
        aircraft.ApproachMode = 30;
        host.set(kN1Engine1, 80);
        host.set(kN1Engine2, r.n1);
        host.set(kFlaps, r.flaps);
        host.set(kNoseGear, r.gear);
        host.set(kOnGround, r.on_ground);
        host.click(kAts, "N1 pushbutton");
        EXPECT_EQ(aircraft.AtsThrustMode, r.after);
        // Only an accepted go-around drops the approach.
        EXPECT_EQ(aircraft.ApproachMode, (r.rating == 3 && r.after == 1) ? 0 : 30);
    }
    FakeHost host;
    aircraft.AtsArmSwitch = 0;
    host.set(kN1Engine1, 80);
    host.set(kN1Engine2, 80);
    host.click(kAts, "N1 pushbutton");
    EXPECT_EQ(aircraft.AtsThrustMode, 0) << "not armed";
}

TEST(Autothrottle, ArmSwitchMovesOnlyBetweenOnAndOff) {
    FakeHost host;
    host.click(kAts, "ATS OFF");
    EXPECT_EQ(aircraft.AtsArmSwitch, 0) << "settled OFF stays settled: no new disconnect";
    aircraft.AtsOffWarning = 1;
    host.click(kAts, "ATS ON");
    EXPECT_EQ(aircraft.AtsArmSwitch, 1);
    EXPECT_EQ(aircraft.AtsOffWarning, 0);
    host.click(kAts, "ATS OFF");
    EXPECT_EQ(aircraft.AtsArmSwitch, 2);
}

// One disconnect, one warning; the pilot's hand on the throttle cancels it
// and it stays cancelled while the switch stays OFF.
TEST(Autothrottle, OffWarningIsRaisedOnceAndCancelledByTheThrottle) {
    AtsBench b;
    aircraft.AtsSpeedMode = 1;
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 0);
    b.host.click(kAts, "ATS OFF");
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
    EXPECT_EQ(aircraft.AtsSpeedMode, 0);
    b.lever(8002);  // 2 units: not yet a movement
    b.serve(5);
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
    b.lever(7997);
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 0);
    b.serve(20);
    EXPECT_EQ(aircraft.AtsOffWarning, 0) << "cancelled while the switch is still OFF";
    // The mode annunciator settles the switch; a settled switch raises none.
    aircraft.AtsArmSwitch = 0;
    b.serve(3);
    EXPECT_EQ(aircraft.AtsOffWarning, 0);
    // The next disconnect warns again.
    b.host.click(kAts, "ATS ON");
    b.serve();
    b.host.click(kAts, "ATS OFF");
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
}

TEST(Autothrottle, OffWarningOutlastsTheSwitchSettlingUntilTheThrottleMoves) {
    AtsBench b;
    aircraft.AtsArmSwitch = 2;
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
    aircraft.AtsArmSwitch = 0;
    b.serve(5);
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
    b.host.set(kLever1, kNaN);
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 1) << "a lever that reads no number has not moved";
    b.lever(9000);
    b.serve();
    EXPECT_EQ(aircraft.AtsOffWarning, 0);
}

TEST(Autothrottle, LostLoadsOrSuppliesTripTheSwitchAndDisarmTheHost) {
    struct Row {
        const char* what;
        uint8_t load_level;
        uint8_t dc_ess;
        uint8_t ac_ess;
    };
    const Row rows[] = {
        {"essential loads only", 1, 1, 1}, {"no DC essential", 2, 0, 1}, {"no AC essential", 2, 1, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        AtsBench b;
        aircraft.AtsSpeedMode = 1;
        b.host.set(kSpeedHold, 1);
        aircraft.BattLoadLevel = r.load_level;
        aircraft.DcEssBusPowered = r.dc_ess;
        aircraft.AcEssBusPowered = r.ac_ess;
        b.serve();
        EXPECT_EQ(aircraft.AtsArmSwitch, 2);
        EXPECT_EQ(aircraft.AtsSpeedMode, 0);
        EXPECT_EQ(aircraft.AtsOffWarning, 1);
        EXPECT_EQ(b.last(kArmEvent), 0u);
        EXPECT_TRUE(b.host.sent(kHoldOff));
        EXPECT_FALSE(FakeHost::visible(kAts, "ATS ON"));
    }
}

TEST(Autothrottle, LowN1DisarmsTheHostOnceThenArmsItAgain) {
    AtsBench b;
    b.host.set(kN1Engine2, 25);
    b.serve();
    EXPECT_EQ(b.host.events(), (std::vector<KeyEvent>{{kArmEvent, 0}}));
    b.host.set(kHostArmed, 0);
    b.host.clear_logs();
    b.serve();
    EXPECT_EQ(b.host.events(), (std::vector<KeyEvent>{{kArmEvent, 1}}));
    EXPECT_EQ(aircraft.AtsArmSwitch, 1);
}

TEST(Autothrottle, SpeedModeHoldsTheHostsAirspeedAndDropsWithoutTheComputer) {
    AtsBench b;
    aircraft.AtsSpeedMode = 1;
    aircraft.AtsThrustMode = 1;
    b.host.set(kSpeedHold, 0);
    b.serve();
    EXPECT_TRUE(b.host.sent(kHoldOn));
    EXPECT_EQ(aircraft.AtsThrustMode, 0) << "SPD and N1 are never engaged together";
    EXPECT_TRUE(FakeHost::visible(kAts, "SPD light"));
    b.host.set(kSpeedHold, 1);
    b.host.clear_logs();
    b.host.set(kOnGround, 1);
    b.serve();
    EXPECT_TRUE(b.host.sent(kHoldOff)) << "no airspeed hold on the ground";
    b.host.set(kOnGround, 0);
    aircraft.DcNormBusPowered = 0;
    b.serve();
    EXPECT_EQ(aircraft.AtsSpeedMode, 2);
    EXPECT_FALSE(FakeHost::visible(kAts, "SPD light"));
    aircraft.DcEssBusPowered = 0;
    aircraft.AtsSpeedMode = 1;
    b.serve();
    EXPECT_FALSE(FakeHost::visible(kAts, "SPD light")) << "no light without the annunciator bus";
}

TEST(Autothrottle, ThrustModeTripsTheSwitchBelow20PercentN1) {
    AtsBench b;
    b.holding_n1(4, 0);
    b.host.set(kN1Engine1, 19.9);
    b.serve(2);  // the warning follows the trip at the next update
    EXPECT_EQ(aircraft.AtsThrustMode, 0);
    EXPECT_EQ(aircraft.AtsArmSwitch, 2);
    EXPECT_EQ(aircraft.AtsOffWarning, 1);
}

// The first step of each band from a lever at 8000 units.
TEST(Autothrottle, ThrottleStepsByN1ErrorBand) {
    struct Row {
        uint8_t rating;
        double error;
        std::optional<int32_t> command;
        bool boost;
    };
    const Row rows[] = {
        {4, -25, 8150, true},          {4, -20, 8150, false},
        {4, -10.01, 8150, false},      {4, -10, 8050, false},
        {4, -5, 8025, false},          {4, -1, 8010, false},
        {4, -0.5, 8005, false},        {4, -0.15, std::nullopt, false},
        {4, 0, std::nullopt, false},   {4, 0.15, 7995, false},
        {4, 0.5, 7990, false},         {4, 1, 7950, false},
        {4, 5, 7850, false},           {4, 9.99, 7850, false},
        {4, 10, 7990, false},          {4, 12, 7990, false},
        {2, -10.5, 8150, true},        {2, -10, 8650, false},
        {2, -5, 8050, false},          {2, -2, 8025, false},
        {2, -1, 8010, false},          {2, -0.5, 8005, false},
        {2, 0.1, std::nullopt, false}, {2, 0.15, 7995, false},
        {2, 0.5, 7990, false},         {2, 1, 7950, false},
        {2, 5, 7850, false},           {2, 10, 7990, false},
        {0, -25, std::nullopt, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "rating " << int(r.rating) << " error " << r.error);
        AtsBench b;
        b.host.set(kLever2, 8500);  // the take-off family's second band steps from engine 2's lever
        b.holding_n1(r.rating, r.error);
        b.serve();
        EXPECT_EQ(b.throttle(), r.command);
        EXPECT_EQ(b.host.sent(kBoost1), r.boost);
        EXPECT_EQ(b.host.sent(kBoost2), r.boost);
    }
}

TEST(Autothrottle, BigErrorsMoveEveryUpdateTimedStepsOncePer18Ticks) {
    AtsBench b;
    b.holding_n1(4, 12);
    for (double lever : {8000.0, 7990.0, 7980.0}) {
        b.lever(lever);
        b.host.clear_logs();
        b.serve();
        EXPECT_EQ(b.throttle(), static_cast<int32_t>(lever) - 10);
    }
    AtsBench t;
    t.holding_n1(4, 7);
    t.serve();
    EXPECT_EQ(t.throttle(), 7850);
    t.lever(7850);
    for (int i = 0; i < 17; ++i) {
        t.host.clear_logs();
        t.serve();
        EXPECT_EQ(t.throttle(), 7850) << "the command is held and sent at every update";
    }
    t.host.clear_logs();
    t.serve();
    EXPECT_EQ(t.throttle(), 7700) << "18 ticks on, the next step";
    // On target the timer clears: the next error steps at once.
    t.lever(7700);
    t.holding_n1(4, 0);
    t.serve();
    t.holding_n1(4, 7);
    t.host.clear_logs();
    t.serve();
    EXPECT_EQ(t.throttle(), 7550);
}

TEST(Autothrottle, CommandsStayWithinTheLeversTravelAndNeedANumber) {
    struct Row {
        double lever;
        double error;
        std::optional<int32_t> command;
    };
    const Row rows[] = {
        {100, 7, 0}, {16300, -25, 16383}, {kNaN, 7, std::nullopt}, {8000, kNaN, std::nullopt}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.lever << " " << r.error);
        AtsBench b;
        b.lever(r.lever);
        b.holding_n1(4, r.error);
        b.serve();
        EXPECT_EQ(b.throttle(), r.command);
    }
}

TEST(Autothrottle, LeverStrayingFromItsCommandIsCommandedBack) {
    AtsBench b;
    b.serve();  // not holding N1: the commands follow the lever (8000)
    b.holding_n1(4, 0);
    b.lever(7790);  // 210 below: still close enough
    b.host.clear_logs();
    b.serve();
    EXPECT_EQ(b.throttle(), std::nullopt);
    b.lever(7789);
    b.serve();
    EXPECT_EQ(b.throttle(), 8000);
    b.host.clear_logs();
    b.lever(8251);
    b.serve();
    EXPECT_EQ(b.throttle(), 8000);
}

TEST(Autothrottle, RetardBringsTheThrottlesToIdleNeverBelow) {
    struct Row {
        double lever;
        uint8_t approach;
        double height_ft;
        std::optional<int32_t> command;
    };
    const Row rows[] = {
        {6000, 40, 80, 5950},
        {49, 40, 80, 0},
        {1, 40, 50, 0},
        {0, 40, 50, 0},
        {6000, 30, 80, std::nullopt},
        {6000, 40, 100, std::nullopt},
        {9831, 40, 80, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.lever << " " << int(r.approach) << " " << r.height_ft);
        AtsBench b;
        aircraft.AtsSpeedMode = 1;
        b.lever(r.lever);
        b.host.set(kSpeedHold, 1);
        aircraft.ApproachMode = r.approach;
        aircraft.RadioAltitudeFt = r.height_ft;
        b.serve();
        EXPECT_EQ(b.throttle(), r.command);
        EXPECT_EQ(b.host.sent(kHoldOff), r.command.has_value()) << "the retard lets the airspeed hold go";
    }
}

TEST(Autothrottle, GoAroundClimbScheduleByVerticalSpeedAndFlaps) {
    struct Row {
        double vs_fpm;
        double flaps;
        int32_t command;
    };
    const Row rows[] = {
        {-501, 10485, 10},   {-500, 10485, 500},  {-1, 10485, 500},    {0, 10485, 1500},
        {1999, 10485, 1500}, {2000, 10485, 3000}, {2999, 10485, 3000}, {3000, 10485, 3500},
        {-501, 16000, 10},   {-500, 16000, 500},  {2500, 16000, 1500}, {4000, 16000, 1500},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.vs_fpm << " " << r.flaps);
        AtsBench b;
        b.host.set(kApMaster, 1);
        b.host.set(kFlaps, r.flaps);
        aircraft.VerticalSpeedFpm = r.vs_fpm;
        b.holding_n1(3, 0);
        b.serve(2);  // the first update starts the go-around, the second flies it
        EXPECT_EQ(aircraft.GoAroundMode, 1);
        EXPECT_EQ(aircraft.ApVsCommand, r.command);
        EXPECT_EQ(b.last(kAltRef), 60000u);
        EXPECT_EQ(b.last(kVsRef), static_cast<uint32_t>(r.command));
    }
}

TEST(Autothrottle, GoAroundDropsTheApproachAndEndsWhenAModeTakesOver) {
    AtsBench b;
    b.host.set(kFlaps, 10485);
    b.host.set(kRadioHeightM, 100);  // 328 ft
    aircraft.RadioAltitudeFt = 328;
    aircraft.ApproachMode = 40;
    aircraft.ApEngageState = 3;
    aircraft.VerticalMode = 3;
    b.holding_n1(3, 0);
    b.serve();
    EXPECT_EQ(aircraft.GoAroundMode, 1);
    EXPECT_EQ(aircraft.ApproachMode, 0);
    EXPECT_EQ(aircraft.VerticalMode, 0);
    EXPECT_EQ(aircraft.ApEngageState, 3) << "both autopilots below 700 ft";
    b.host.set(kRadioHeightM, 214);  // 702 ft
    b.serve();
    EXPECT_EQ(aircraft.ApEngageState, 1);
    // ALT HOLD takes over: the go-around ends with its rating.
    aircraft.VerticalMode = 4;
    b.serve();
    EXPECT_EQ(aircraft.GoAroundMode, 0);
    EXPECT_EQ(aircraft.AtsThrustMode, 0);
    EXPECT_EQ(aircraft.TrcMode, 0);
    // A second go-around drops the approach again.
    aircraft.VerticalMode = 0;
    aircraft.ApproachMode = 30;
    b.holding_n1(3, 0);
    b.serve();
    EXPECT_EQ(aircraft.GoAroundMode, 1);
    EXPECT_EQ(aircraft.ApproachMode, 0);
}

}  // namespace
}  // namespace kadrimos::testing
