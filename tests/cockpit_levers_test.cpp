// The pedestal levers: the speed brake with the ground spoilers' arming and
// their deployment on a rejected take-off and at touchdown, the throttles
// and their read-out, the flap lever and the parking brake.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "systems/engines/speed_brake_state.h"

namespace kadrimos::testing {
namespace {

namespace speed_brake = gauges::spd_brk_lev;

constexpr const char* kSpeedBrake = "toskelin spd_brk_lev_rulo";
constexpr const char* kThrottles = "toskelin throttles_rulo";
constexpr const char* kThrottleNumbers = "toskelin throttles_num_rulo";
constexpr const char* kFlaps = "toskelin flaps_lev_rulo";
constexpr const char* kParkBrake = "toskelin park_brk_lev_rulo";

constexpr uint32_t kOnGround = 60, kEngine1N1 = 624, kThrottle1 = 558, kThrottle2 = 568, kSpoilerHandle = 325,
                   kFlapLever = 328, kParkingBrake = 323;
constexpr uint32_t kSpoilersSet = 0x100FA, kSpoilersOn = 0x10210;
constexpr uint32_t kThrottle1Up = 0x101AC, kThrottle1Down = 0x101AE, kThrottle2Up = 0x101B1,
                   kThrottle2Down = 0x101B3, kFlapsIncrease = 0x100DE, kFlapsDecrease = 0x100DF;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Hydraulics {
    uint8_t blue, green, yellow, dc_ess;
};

void power(Hydraulics h) {
    aircraft.HydStateBlue = h.blue;
    aircraft.HydStateGreen = h.green;
    aircraft.HydStateYellow = h.yellow;
    aircraft.DcEssBusPowered = h.dc_ess;
}

class Levers : public ::testing::Test {
protected:
    FakeHost host;

    Levers() {
        power({1, 1, 1, 1});
        host.set(kOnGround, 1.0);
    }
    void run(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) host.update(gauge);
        host.draw(gauge);
    }
    double value(const char* gauge, const char* label) const {
        return host.value(FakeHost::element(gauge, label));
    }
    // Armed as the crew arms: ARM clicked with the lever stowed.
    void arm_on_ground() {
        host.set(kOnGround, 1.0);
        host.click(kSpeedBrake, "SPEED BRAKE ARM");
    }
    void arm_in_flight() {
        host.set(kOnGround, 0.0);
        host.click(kSpeedBrake, "SPEED BRAKE ARM");
    }
};

// --- Speed brake lever ------------------------------------------------------------------

using SpeedBrake = Levers;

TEST_F(SpeedBrake, EachStepMovesTheLever1000WithinItsStopsAndCommandsTheNewPosition) {
    struct Case {
        int16_t from;
        bool extend;
        int16_t to;
    };
    const Case cases[] = {
        {0, true, 1000},      {15000, true, 16000},  {15001, true, 16000}, {16000, true, 16000},
        {16001, true, 16000}, {16001, false, 15001}, {1000, false, 0},     {999, false, 0},
        {1001, false, 1},     {0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + (c.extend ? " extended" : " retracted"));
        host.clear_logs();
        speed_brake::state.lever = c.from;
        host.click(kSpeedBrake, c.extend ? "SPEED BRAKE extend" : "SPEED BRAKE retract");
        EXPECT_EQ(speed_brake::state.lever, c.to);
        ASSERT_EQ(host.events().size(), 1u);
        EXPECT_EQ(host.events()[0], (KeyEvent{kSpoilersSet, static_cast<uint32_t>(c.to)}));
    }
}

TEST_F(SpeedBrake, TheCommandNeedsYellowOrBluePressureAndDcEssentialPower) {
    struct Case {
        Hydraulics power;
        bool sent;
    };
    const Case cases[] = {
        {{1, 0, 0, 1}, true},  {{0, 0, 1, 1}, true},  {{0, 1, 0, 1}, false},
        {{1, 1, 1, 0}, false}, {{0, 0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        host.clear_logs();
        power(c.power);
        speed_brake::state.lever = 3000;
        host.click(kSpeedBrake, "SPEED BRAKE extend");
        EXPECT_EQ(speed_brake::state.lever, 4000) << "the lever moves anyway";
        EXPECT_EQ(host.sent(kSpoilersSet), c.sent)
            << int{c.power.blue} << int{c.power.green} << int{c.power.yellow} << int{c.power.dc_ess};
    }
}

TEST_F(SpeedBrake, ArmingTakesTheLeverFromNearStowedOnlyAndNamesWhatItArmsFor) {
    struct Case {
        int16_t lever;
        double ground;
        Hydraulics power;
        int16_t lever_after;
        uint8_t armed;
        uint8_t mode;
    };
    const Case cases[] = {
        {1000, 1.0, {1, 1, 1, 1}, 0, 1, speed_brake::kRejectedTakeoff},
        {1999, 0.0, {1, 1, 1, 1}, 0, 1, speed_brake::kLanding},
        {0, 1.0, {0, 0, 1, 1}, 0, 1, speed_brake::kRejectedTakeoff},
        {2000, 1.0, {1, 1, 1, 1}, 2000, 0, speed_brake::kNotArmed},
        {16001, 0.0, {1, 1, 1, 1}, 16001, 0, speed_brake::kNotArmed},
        {1000, 1.0, {0, 1, 0, 1}, 0, 0, speed_brake::kNotArmed},
        {1000, 1.0, {1, 1, 1, 0}, 0, 0, speed_brake::kNotArmed},
        {1000, kNaN, {1, 1, 1, 1}, 0, 0, speed_brake::kNotArmed},
        {1000, 0.5, {1, 1, 1, 1}, 0, 0, speed_brake::kNotArmed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lever) + " on the ground " + std::to_string(c.ground));
        host.clear_logs();
        aircraft.SpeedBrakeArmed = 0;
        speed_brake::state.arm_mode = speed_brake::kNotArmed;
        speed_brake::state.lever = c.lever;
        power(c.power);
        host.set(kOnGround, c.ground);
        host.click(kSpeedBrake, "SPEED BRAKE ARM");
        EXPECT_EQ(speed_brake::state.lever, c.lever_after);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, c.armed);
        EXPECT_EQ(speed_brake::state.arm_mode, c.mode);
        EXPECT_TRUE(host.events().empty()) << "arming commands nothing";
    }
}

TEST_F(SpeedBrake, MovingTheLeverDisarms) {
    for (const char* band : {"SPEED BRAKE extend", "SPEED BRAKE retract"}) {
        SCOPED_TRACE(band);
        arm_on_ground();
        speed_brake::state.takeoff_n1_peak = 90;
        host.click(kSpeedBrake, band);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, 0);
        EXPECT_EQ(speed_brake::state.arm_mode, speed_brake::kNotArmed);
        EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 0u);
    }
}

// Armed on the ground, the take-off N1 is remembered; the spoilers deploy
// once it reached 85 % and the throttle comes back below 0.6, and only once.
TEST(RejectedTakeoff, DeploysTheSpoilersOnceAtTheThresholdsAndNotJustShortOfThem) {
    struct Case {
        double peak_n1;
        double throttle;
        bool deploys;
    };
    const Case cases[] = {
        {90, 0.2, true},  {85, 0.5999, true}, {85.9, 0.0, true}, {84.99, 0.0, false},
        {90, 0.6, false}, {90, 0.95, false},  {90, kNaN, false}, {kNaN, 0.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.peak_n1) + "% N1, throttle " + std::to_string(c.throttle));
        FakeHost host;
        power({1, 1, 1, 1});
        host.set(kOnGround, 1.0);
        host.click(kSpeedBrake, "SPEED BRAKE ARM");
        host.set(kEngine1N1, c.peak_n1);
        host.set(kThrottle1, 0.95);
        host.update(kSpeedBrake);
        host.set(kEngine1N1, 40);  // spooling down does not lower the peak
        host.set(kThrottle1, c.throttle);
        host.update(kSpeedBrake);
        EXPECT_EQ(host.count(kSpoilersOn), c.deploys ? 1u : 0u);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, c.deploys ? 2 : 1);
        EXPECT_EQ(speed_brake::state.lever, c.deploys ? speed_brake::kLeverDeployed : 0);
        if (!c.deploys) continue;
        EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 0u);
        host.set(kSpoilerHandle, 16383);  // the host's spoilers out
        for (int i = 0; i < 3; ++i) host.update(kSpeedBrake);
        EXPECT_EQ(host.count(kSpoilersOn), 1u);
        EXPECT_EQ(speed_brake::state.lever, speed_brake::kLeverDeployed);
    }
}

TEST_F(SpeedBrake, TheTakeoffPeakFollowsN1UpwardsOnlyWhileArmedOnTheGround) {
    host.set(kEngine1N1, 60.7);
    run(kSpeedBrake);
    EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 0u) << "not armed";
    arm_on_ground();
    run(kSpeedBrake);
    EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 60u);
    host.set(kEngine1N1, 55);
    run(kSpeedBrake);
    EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 60u);
    host.set(kOnGround, 0.0);
    host.set(kEngine1N1, 95);
    run(kSpeedBrake);
    EXPECT_EQ(speed_brake::state.takeoff_n1_peak, 60u) << "airborne";
}

TEST_F(SpeedBrake, WithoutPressureOrPowerARejectedTakeoffDeploysNothingUntilTheyReturn) {
    arm_on_ground();
    host.set(kEngine1N1, 92);
    host.set(kThrottle1, 0.1);
    power({0, 1, 0, 1});
    run(kSpeedBrake, 3);
    EXPECT_FALSE(host.sent(kSpoilersOn));
    EXPECT_EQ(aircraft.SpeedBrakeArmed, 1);
    power({1, 0, 0, 1});
    run(kSpeedBrake);
    EXPECT_EQ(host.count(kSpoilersOn), 1u);
}

// Armed for landing, the spoilers deploy at the first update on the ground.
// SPOILERS_ON sets the host's spoilers full out, so the gauge asks again at
// every update until the crew moves the lever.
TEST_F(SpeedBrake, ArmedInFlightTheSpoilersDeployAtTouchdownUntilTheLeverIsMoved) {
    arm_in_flight();
    run(kSpeedBrake, 5);
    EXPECT_FALSE(host.sent(kSpoilersOn));
    host.set(kOnGround, 1.0);
    run(kSpeedBrake);
    EXPECT_EQ(host.count(kSpoilersOn), 1u);
    EXPECT_EQ(aircraft.SpeedBrakeArmed, 2);
    EXPECT_EQ(speed_brake::state.lever, speed_brake::kLeverDeployed);
    host.set(kSpoilerHandle, 16383);
    run(kSpeedBrake, 3);
    EXPECT_EQ(host.count(kSpoilersOn), 4u);
    host.click(kSpeedBrake, "SPEED BRAKE retract");
    EXPECT_EQ(speed_brake::state.lever, 15001);
    host.set(kSpoilerHandle, 15001);  // the host follows the lever
    run(kSpeedBrake, 3);
    EXPECT_EQ(host.count(kSpoilersOn), 4u);
    EXPECT_EQ(speed_brake::state.lever, 15001);
}

TEST_F(SpeedBrake, TheLeverFollowsTheHostsSpoilersOutAndBackToStowed) {
    struct Case {
        double handle;
        int16_t lever_after;
    };
    // From 9000, then one after the other.
    const Case cases[] = {
        {15999.9, 9000},
        {16000, speed_brake::kLeverDeployed},
        {kNaN, speed_brake::kLeverDeployed},
        {1.5, speed_brake::kLeverDeployed},
        {1.0, 0},
    };
    speed_brake::state.lever = 9000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        host.set(kSpoilerHandle, c.handle);
        run(kSpeedBrake);
        EXPECT_EQ(speed_brake::state.lever, c.lever_after);
    }

    arm_in_flight();
    host.set(kOnGround, 1.0);
    run(kSpeedBrake);
    host.set(kSpoilerHandle, 0.0);
    run(kSpeedBrake);
    EXPECT_EQ(speed_brake::state.lever, 0) << "stowed by the host: the lever returns";
    EXPECT_EQ(aircraft.SpeedBrakeArmed, 0);
    EXPECT_EQ(speed_brake::state.arm_mode, speed_brake::kNotArmed);
}

TEST_F(SpeedBrake, TheHandleAndShaftStandByTheLeverAndTheArmedLeverReplacesThem) {
    struct Case {
        int16_t lever;
        double handle, shaft;
    };
    const Case cases[] = {{0, 0, 0}, {8000, 24, 21}, {16000, 48, 43}, {speed_brake::kLeverDeployed, 48, 43}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lever);
        speed_brake::state.lever = c.lever;
        run(kSpeedBrake);
        EXPECT_TRUE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE handle"));
        EXPECT_TRUE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE lever"));
        EXPECT_FALSE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE armed lever"));
        EXPECT_EQ(value(kSpeedBrake, "SPEED BRAKE handle"), c.handle);
        EXPECT_EQ(value(kSpeedBrake, "SPEED BRAKE lever"), c.shaft);
    }
    arm_on_ground();
    run(kSpeedBrake);
    EXPECT_TRUE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE armed lever"));
    EXPECT_FALSE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE handle"));
    EXPECT_FALSE(FakeHost::visible(kSpeedBrake, "SPEED BRAKE lever"));
}

// --- Throttles -----------------------------------------------------------------------------

using Throttles = Levers;

TEST_F(Throttles, TheReadOutRoundsOnceAndShowsFullForwardAndReverseAsDoubleZero) {
    struct Case {
        double throttle;
        double tens, units;
        double shaft, handle;
    };
    const Case cases[] = {
        {0.57, 5, 7, 30, 39},   {1.0, 0, 0, 53, 68},  {0.995, 0, 0, 52, 68}, {0.994, 9, 9, 52, 68},
        {0.05, 0, 5, 2, 3},     {0.004, 0, 0, 0, 0},  {0.0, 0, 0, 0, 0},     {-0.25, 0, 0, -13, -17},
        {-1.0, 0, 0, -53, -68}, {-0.004, 0, 0, 0, 0}, {kNaN, 0, 0, 0, 0},    {7.5, 0, 0, 53, 68},
    };
    aircraft.ThrottleNumbersShown = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.throttle);
        host.set(kThrottle1, c.throttle);
        host.set(kThrottle2, c.throttle);
        run(kThrottles);
        for (const char* engine : {"THROTTLE 1", "THROTTLE 2"}) {
            const std::string e = engine;
            EXPECT_EQ(value(kThrottles, (e + " tens").c_str()), c.tens);
            EXPECT_EQ(value(kThrottles, (e + " units").c_str()), c.units);
            EXPECT_EQ(value(kThrottles, (e + " lever").c_str()), c.shaft);
            EXPECT_EQ(value(kThrottles, (e + " handle").c_str()), c.handle);
        }
    }
}

TEST_F(Throttles, EachLeverReadsItsOwnEngine) {
    aircraft.ThrottleNumbersShown = 1;
    host.set(kThrottle1, 0.31);
    host.set(kThrottle2, 0.86);
    run(kThrottles);
    EXPECT_EQ(value(kThrottles, "THROTTLE 1 tens"), 3);
    EXPECT_EQ(value(kThrottles, "THROTTLE 1 units"), 1);
    EXPECT_EQ(value(kThrottles, "THROTTLE 2 tens"), 8);
    EXPECT_EQ(value(kThrottles, "THROTTLE 2 units"), 6);
}

TEST_F(Throttles, TheButtonShowsAndHidesTheDigitsOnly) {
    const char* digits[] = {"THROTTLE 1 tens", "THROTTLE 1 units", "THROTTLE 2 tens", "THROTTLE 2 units"};
    run(kThrottles);
    for (const char* d : digits) EXPECT_FALSE(FakeHost::visible(kThrottles, d)) << d;
    for (bool shown : {true, false}) {
        host.click(kThrottleNumbers, "THROTTLE NUMBERS button");
        EXPECT_EQ(aircraft.ThrottleNumbersShown, shown ? 1 : 0);
        run(kThrottles);
        for (const char* d : digits) EXPECT_EQ(FakeHost::visible(kThrottles, d), shown) << d;
        EXPECT_TRUE(FakeHost::visible(kThrottles, "THROTTLE 1 handle"));
    }
    EXPECT_TRUE(host.events().empty());
}

TEST_F(Throttles, AboveOrBelowALeverCommandsItsEngineWithoutPower) {
    struct Case {
        const char* area;
        uint32_t event;
    };
    const Case cases[] = {{"THROTTLE 1 up", kThrottle1Up},
                          {"THROTTLE 1 down", kThrottle1Down},
                          {"THROTTLE 2 up", kThrottle2Up},
                          {"THROTTLE 2 down", kThrottle2Down}};
    power({0, 0, 0, 0});
    for (const Case& c : cases) {
        host.clear_logs();
        host.click(kThrottles, c.area);
        ASSERT_EQ(host.events().size(), 1u) << c.area;
        EXPECT_EQ(host.events()[0], (KeyEvent{c.event, 0})) << c.area;
    }
}

// --- Flap lever ---------------------------------------------------------------------------

using FlapLever = Levers;

TEST_F(FlapLever, TheLeverStandsAtTheHostsLeverWhileTheFlapsCanMove) {
    struct Case {
        double host_lever;
        Hydraulics power;
        double drawn;
    };
    // One after the other: without pressure or power, or on a reading that
    // is not a number, the lever stays where it was.
    const Case cases[] = {
        {0, {1, 1, 1, 1}, 0},         {4095.75, {0, 0, 1, 1}, 19}, {8191.5, {0, 1, 0, 1}, 38},
        {16383, {1, 0, 0, 1}, 38},    {16383, {1, 1, 1, 0}, 38},   {16383, {1, 1, 1, 1}, 76},
        {213 * 77, {1, 1, 1, 1}, 77}, {30000, {1, 1, 1, 1}, 77},   {kNaN, {1, 1, 1, 1}, 77},
        {-50, {1, 1, 1, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host_lever);
        host.set(kFlapLever, c.host_lever);
        power(c.power);
        run(kFlaps);
        EXPECT_EQ(value(kFlaps, "FLAP lever"), c.drawn);
        EXPECT_TRUE(FakeHost::visible(kFlaps, "FLAP lever"));
    }
}

TEST_F(FlapLever, ClicksBelowAndAboveStepTheFlapsOutAndInWhileTheyCanMove) {
    struct Case {
        Hydraulics power;
        bool sent;
    };
    const Case cases[] = {
        {{0, 0, 1, 1}, true}, {{0, 1, 0, 1}, true}, {{1, 0, 0, 1}, false}, {{1, 1, 1, 0}, false}};
    for (const Case& c : cases) {
        power(c.power);
        host.clear_logs();
        host.click(kFlaps, "FLAPS extend");
        host.click(kFlaps, "FLAPS retract");
        if (c.sent)
            EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{kFlapsIncrease, 0}, {kFlapsDecrease, 0}}));
        else
            EXPECT_TRUE(host.events().empty());
    }
}

// --- Parking brake ------------------------------------------------------------------------

TEST(ParkingBrake, IsShownSetAndWarnsOnlyWhenSetOnTheGround) {
    struct Case {
        double brake;
        double ground;
        bool set;
    };
    const Case cases[] = {
        {1.0, 1.0, true},  {32767, 1.0, true}, {0.99, 1.0, false}, {0.0, 1.0, false},
        {1.0, 0.0, false}, {kNaN, 1.0, false}, {1.0, kNaN, false},
    };
    FakeHost host;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.brake) + " on the ground " + std::to_string(c.ground));
        host.set(kParkingBrake, c.brake);
        host.set(kOnGround, c.ground);
        host.update(kParkBrake);
        EXPECT_EQ(aircraft.ParkBrakeWarning, c.set ? 1 : 0);
        EXPECT_EQ(FakeHost::visible(kParkBrake, "PARK BRAKE set"), c.set);
        EXPECT_EQ(FakeHost::visible(kParkBrake, "PARK BRAKE released"), !c.set);
    }
}

}  // namespace
}  // namespace kadrimos::testing
