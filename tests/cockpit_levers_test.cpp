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
speed_brake::State& lever = speed_brake::state;

constexpr const char* kSpeedBrake = "toskelin spd_brk_lev_rulo";
constexpr const char* kThrottles = "toskelin throttles_rulo";
constexpr const char* kFlaps = "toskelin flaps_lev_rulo";
constexpr const char* kParkBrake = "toskelin park_brk_lev_rulo";

constexpr uint32_t kOnGround = 60, kEngine1N1 = 624, kThrottle1 = 558, kThrottle2 = 568, kSpoilerHandle = 325,
                   kFlapLever = 328, kParkingBrake = 323;
constexpr uint32_t kSpoilersSet = 0x100FA, kSpoilersOn = 0x10210, kFlapsIncrease = 0x100DE,
                   kFlapsDecrease = 0x100DF;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Power {
    uint8_t blue, green, yellow, dc_ess;
};
constexpr Power kAll = {1, 1, 1, 1};

void power(Power p) {
    aircraft.HydStateBlue = p.blue;
    aircraft.HydStateGreen = p.green;
    aircraft.HydStateYellow = p.yellow;
    aircraft.DcEssBusPowered = p.dc_ess;
}

// A fresh host on the ground with every hydraulic system and DC essential.
struct Pedestal {
    FakeHost host;
    Pedestal() {
        power(kAll);
        host.set(kOnGround, 1.0);
    }
    void run(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) host.update(gauge);
        host.draw(gauge);
    }
    double value(const char* gauge, const std::string& label) const {
        return host.value(FakeHost::element(gauge, label));
    }
    void arm(double ground) {
        host.set(kOnGround, ground);
        host.click(kSpeedBrake, "SPEED BRAKE ARM");
    }
};

// --- Speed brake lever ------------------------------------------------------------------

// Each step moves the lever 1000 within its stops, disarms, and commands the
// new position with yellow or blue pressure and DC essential power.
TEST(SpeedBrakeLever, StepsWithinItsStopsDisarmAndCommandThePositionWhenPowered) {
    struct Case {
        int16_t from;
        bool extend;
        Power power;
        int16_t to;
        bool sent;
    };
    // Columns: lever before, extended (or retracted), power, lever after, command sent.
    // clang-format off
    const Case cases[] = {
        {0,     true,  kAll,         1000,  true},  {15000, true,  kAll,         16000, true},
        {15001, true,  kAll,         16000, true},  {16001, true,  kAll,         16000, true},
        {16001, false, kAll,         15001, true},  {999,   false, kAll,         0,     true},
        {1001,  false, {1, 0, 0, 1}, 1,     true},  {3000,  true,  {0, 0, 1, 1}, 4000,  true},
        {3000,  true,  {0, 1, 0, 1}, 4000,  false}, {3000,  true,  {1, 1, 1, 0}, 4000,  false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + (c.extend ? " extended" : " retracted"));
        Pedestal p;
        p.arm(1.0);
        lever.takeoff_n1_peak = 90;
        lever.lever = c.from;
        power(c.power);
        p.host.clear_logs();
        p.host.click(kSpeedBrake, c.extend ? "SPEED BRAKE extend" : "SPEED BRAKE retract");
        EXPECT_EQ(lever.lever, c.to);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, 0);
        EXPECT_EQ(lever.arm_mode, speed_brake::kNotArmed);
        EXPECT_EQ(lever.takeoff_n1_peak, 0u);
        const std::vector<KeyEvent> sent = {{kSpoilersSet, static_cast<uint32_t>(c.to)}};
        EXPECT_EQ(p.host.events(), c.sent ? sent : std::vector<KeyEvent>{});
    }
}

TEST(SpeedBrakeLever, ArmsFromBelow2000ForWhereTheAircraftIs) {
    struct Case {
        int16_t from;
        double ground;
        Power power;
        int16_t to;
        uint8_t armed, mode;
    };
    // Columns: lever before, ground flag, power, lever after, armed, what for.
    // clang-format off
    const Case cases[] = {
        {1000, 1.0,  kAll,         0,    1, speed_brake::kRejectedTakeoff},
        {1999, 0.0,  kAll,         0,    1, speed_brake::kLanding},
        {2000, 1.0,  kAll,         2000, 0, speed_brake::kNotArmed},
        {1000, 1.0,  {0, 1, 0, 1}, 0,    0, speed_brake::kNotArmed},
        {1000, 1.0,  {1, 1, 1, 0}, 0,    0, speed_brake::kNotArmed},
        {1000, kNaN, kAll,         0,    0, speed_brake::kNotArmed},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " on the ground " + std::to_string(c.ground));
        Pedestal p;
        power(c.power);
        lever.lever = c.from;
        p.arm(c.ground);
        EXPECT_EQ(lever.lever, c.to);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, c.armed);
        EXPECT_EQ(lever.arm_mode, c.mode);
        EXPECT_TRUE(p.host.events().empty()) << "arming commands nothing";
    }
}

// Armed on the ground, the spoilers deploy once engine 1 has reached 85 % N1
// and its throttle comes back below 0.6, and only once.
TEST(SpeedBrakeLever, ARejectedTakeoffDeploysOnceAtTheThresholdsAndNotShortOfThem) {
    struct Case {
        double peak_n1, throttle;
        Power power;
        bool deploys;
    };
    // Columns: engine 1 N1 at take-off, throttle 1 pulled back to, power, deployed.
    const Case cases[] = {
        {90, 0.2, kAll, true},     {85, 0.5999, kAll, true},       {85.9, 0.0, {0, 0, 1, 1}, true},
        {84.99, 0.0, kAll, false}, {90, 0.6, kAll, false},         {90, kNaN, kAll, false},
        {kNaN, 0.0, kAll, false},  {90, 0.2, {0, 1, 0, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.peak_n1) + "% N1, throttle " + std::to_string(c.throttle));
        Pedestal p;
        p.arm(1.0);
        power(c.power);
        p.host.set(kEngine1N1, c.peak_n1);
        p.host.set(kThrottle1, 0.95);
        p.run(kSpeedBrake);
        p.host.set(kEngine1N1, 40);  // spooling down does not lower the peak
        p.host.set(kThrottle1, c.throttle);
        p.run(kSpeedBrake);
        EXPECT_EQ(p.host.count(kSpoilersOn), c.deploys ? 1u : 0u);
        EXPECT_EQ(aircraft.SpeedBrakeArmed, c.deploys ? 2 : 1);
        EXPECT_EQ(lever.lever, c.deploys ? speed_brake::kLeverDeployed : 0);
        if (!c.deploys) continue;
        EXPECT_EQ(lever.takeoff_n1_peak, 0u);
        p.host.set(kSpoilerHandle, 16383);  // the host's spoilers out
        p.run(kSpeedBrake, 3);
        EXPECT_EQ(p.host.count(kSpoilersOn), 1u);
    }
}

// SPOILERS_ON sets the host's spoilers full out, so armed for landing the
// gauge may ask again at every update on the ground until the lever moves.
TEST(SpeedBrakeLever, ArmedInFlightTheSpoilersDeployAtTouchdownUntilTheLeverIsMoved) {
    Pedestal p;
    p.arm(0.0);
    p.run(kSpeedBrake, 5);
    EXPECT_FALSE(p.host.sent(kSpoilersOn));
    p.host.set(kOnGround, 1.0);
    p.run(kSpeedBrake);
    EXPECT_EQ(p.host.count(kSpoilersOn), 1u);
    EXPECT_EQ(aircraft.SpeedBrakeArmed, 2);
    p.host.set(kSpoilerHandle, 16383);
    p.run(kSpeedBrake, 3);
    EXPECT_EQ(p.host.count(kSpoilersOn), 4u);
    EXPECT_EQ(p.value(kSpeedBrake, "SPEED BRAKE handle"), 48);
    p.host.click(kSpeedBrake, "SPEED BRAKE retract");
    p.host.set(kSpoilerHandle, 15001);  // the host follows the lever
    p.run(kSpeedBrake, 3);
    EXPECT_EQ(p.host.count(kSpoilersOn), 4u);
    EXPECT_EQ(lever.lever, 15001);
}

// One after the other from 9000: out at 16000, stowed again at 1.0 or less.
TEST(SpeedBrakeLever, FollowsTheHostsSpoilersOutAndBackToStowedAndDisarmed) {
    struct Case {
        double handle;
        int16_t lever_after;
    };
    constexpr int16_t kOut = speed_brake::kLeverDeployed;
    const Case cases[] = {{15999.9, 9000}, {16000, kOut}, {kNaN, kOut}, {1.5, kOut}, {1.0, 0}};
    Pedestal p;
    lever.lever = 9000;
    lever.arm_mode = speed_brake::kLanding;
    for (const Case& c : cases) {
        p.host.set(kSpoilerHandle, c.handle);
        p.host.set(kOnGround, 0.0);
        p.run(kSpeedBrake);
        EXPECT_EQ(lever.lever, c.lever_after) << c.handle;
    }
    EXPECT_EQ(lever.arm_mode, speed_brake::kNotArmed);
}

// --- Throttles -----------------------------------------------------------------------------

TEST(Throttles, TheReadOutRoundsOnceAndReadsFullForwardAndReverseAsDoubleZero) {
    struct Case {
        double throttle;
        double tens, units, shaft, handle;
    };
    // Columns: throttle 1, its digits, its lever's shaft and handle.
    const Case cases[] = {
        {0.57, 5, 7, 30, 39}, {1.0, 0, 0, 53, 68},     {0.995, 0, 0, 52, 68},  {0.994, 9, 9, 52, 68},
        {0.004, 0, 0, 0, 0},  {-0.25, 0, 0, -13, -17}, {-1.0, 0, 0, -53, -68}, {-0.004, 0, 0, 0, 0},
        {kNaN, 0, 0, 0, 0},   {7.5, 0, 0, 53, 68},
    };
    Pedestal p;
    aircraft.ThrottleNumbersShown = 1;
    p.host.set(kThrottle2, 0.86);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.throttle);
        p.host.set(kThrottle1, c.throttle);
        p.run(kThrottles);
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 1 tens"), c.tens);
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 1 units"), c.units);
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 1 lever"), c.shaft);
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 1 handle"), c.handle);
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 2 tens"), 8) << "each lever reads its own engine";
        EXPECT_EQ(p.value(kThrottles, "THROTTLE 2 units"), 6);
    }
}

TEST(Throttles, TheButtonShowsAndHidesTheDigitsAndTheLeversCommandTheirEngines) {
    Pedestal p;
    const char* digits[] = {"THROTTLE 1 tens", "THROTTLE 1 units", "THROTTLE 2 tens", "THROTTLE 2 units"};
    p.run(kThrottles);
    for (const char* d : digits) EXPECT_FALSE(FakeHost::visible(kThrottles, d)) << d;
    for (bool shown : {true, false}) {
        p.host.click("toskelin throttles_num_rulo", "THROTTLE NUMBERS button");
        p.run(kThrottles);
        for (const char* d : digits) EXPECT_EQ(FakeHost::visible(kThrottles, d), shown) << d;
        EXPECT_TRUE(FakeHost::visible(kThrottles, "THROTTLE 1 handle"));
    }
    power({0, 0, 0, 0});
    for (const char* area : {"THROTTLE 1 up", "THROTTLE 1 down", "THROTTLE 2 up", "THROTTLE 2 down"})
        p.host.click(kThrottles, area);
    EXPECT_EQ(p.host.events(),
              (std::vector<KeyEvent>{{0x101AC, 0}, {0x101AE, 0}, {0x101B1, 0}, {0x101B3, 0}}));
}

// --- Flap lever ---------------------------------------------------------------------------

// One after the other: without pressure or power, or on a reading that is
// not a number, the lever stays where it was.
TEST(FlapLever, StandsAtTheHostsLeverWhileTheFlapsCanMoveAndCommandsThemThen) {
    struct Case {
        double host_lever;
        Power power;
        double drawn;
        bool commands;
    };
    // Columns: the host's lever, power, the lever drawn, clicks commanding.
    const Case cases[] = {
        {4095.75, {0, 0, 1, 1}, 19, true}, {8191.5, {0, 1, 0, 1}, 38, true}, {16383, {1, 0, 0, 1}, 38, false},
        {16383, {1, 1, 1, 0}, 38, false},  {16383, kAll, 76, true},          {213 * 77, kAll, 77, true},
        {30000, kAll, 77, true},           {kNaN, kAll, 77, true},           {-50, kAll, 0, true},
    };
    Pedestal p;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host_lever);
        p.host.set(kFlapLever, c.host_lever);
        power(c.power);
        p.run(kFlaps);
        EXPECT_EQ(p.value(kFlaps, "FLAP lever"), c.drawn);
        p.host.clear_logs();
        p.host.click(kFlaps, "FLAPS extend");
        p.host.click(kFlaps, "FLAPS retract");
        const std::vector<KeyEvent> both = {{kFlapsIncrease, 0}, {kFlapsDecrease, 0}};
        EXPECT_EQ(p.host.events(), c.commands ? both : std::vector<KeyEvent>{});
    }
}

// --- Parking brake ------------------------------------------------------------------------

TEST(ParkingBrake, IsShownSetAndWarnsOnlyWhenSetOnTheGround) {
    struct Case {
        double brake, ground;
        bool set;
    };
    const Case cases[] = {
        {1.0, 1.0, true},  {32767, 1.0, true}, {0.99, 1.0, false},
        {1.0, 0.0, false}, {kNaN, 1.0, false}, {1.0, kNaN, false},
    };
    Pedestal p;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.brake) + " on the ground " + std::to_string(c.ground));
        p.host.set(kParkingBrake, c.brake);
        p.host.set(kOnGround, c.ground);
        p.run(kParkBrake);
        EXPECT_EQ(aircraft.ParkBrakeWarning, c.set ? 1 : 0);
        EXPECT_EQ(FakeHost::visible(kParkBrake, "PARK BRAKE set"), c.set);
        EXPECT_EQ(FakeHost::visible(kParkBrake, "PARK BRAKE released"), !c.set);
    }
}

}  // namespace
}  // namespace kadrimos::testing
