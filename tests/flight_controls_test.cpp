// The flight control panels: servo levers and their interlock, rudder travel
// reset cycles, low-speed ailerons, yaw dampers and pitch trims.
#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kServo = "toskelin servo_controls_rulo";
constexpr const char* kRudder = "toskelin rudder_travel_rulo";
constexpr const char* kLoSpdAil = "toskelin lo_spd_ail_rulo";
constexpr const char* kYaw = "toskelin yaw_rulo";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Servo panel: lever k's areas (top, middle, bottom) and elements.
constexpr std::size_t area_of(int lever, int stop) { return static_cast<std::size_t>(3 * lever + stop); }
constexpr int kTop = 0, kMiddle = 1, kBottom = 2;
constexpr int pressure_lamp(int lever) { return 5 + 6 * lever; }
constexpr int fault_light(int lever) { return 6 + 6 * lever; }

// Rudder travel panel.
constexpr std::size_t kOn1 = 0, kOff1 = 1, kOn2 = 2, kOff2 = 3, kReset1 = 4, kReset2 = 5;
constexpr int kRudderLight1 = 5, kRudderLight2 = 6;
constexpr uint32_t kBothSystemsOff = 0x10099;

// The elements among `depths` that are shown, as "1 3 ".
std::string shown(const char* gauge, std::initializer_list<int> depths) {
    std::string out;
    for (int d : depths)
        if (FakeHost::visible(gauge, d)) out += std::to_string(d) + " ";
    return out;
}

const uint8_t (&levers)[3] = private_state.flight_controls.ServoLever;

struct Bench {
    FakeHost host;
    Bench() {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcNormBusPowered = 1;
        host.set(60, 1.0);
    }
    void set_levers(int blue, int green, int yellow) {
        host.click(kServo, area_of(0, blue));
        host.click(kServo, area_of(1, green));
        host.click(kServo, area_of(2, yellow));
    }
};

// --- Servo levers --------------------------------------------------------------

TEST(ServoLevers, AThirdLeverCannotJoinTwoAtTheBottom) {
    Bench b;
    b.set_levers(kMiddle, kBottom, kBottom);
    b.host.click(kServo, area_of(0, kBottom));
    EXPECT_EQ(levers[0], 27);
    b.host.click(kServo, area_of(0, kTop));
    EXPECT_EQ(levers[0], 0);
    // Once green leaves the bottom, blue may take its place.
    b.host.click(kServo, area_of(1, kMiddle));
    b.host.click(kServo, area_of(0, kBottom));
    EXPECT_EQ(levers[0], 57);
    EXPECT_EQ(levers[1], 27);
    EXPECT_EQ(levers[2], 57);
}

TEST(ServoLevers, PressureLampNeedsPressureAboveTheThresholdBusAndLeverOffTheBottom) {
    struct Row {
        int32_t pressure;
        int stop;
        uint8_t dc_ess;
        bool lit;
    };
    const Row rows[] = {
        {1801, kMiddle, 1, true}, {1801, kTop, 1, true},   {1800, kMiddle, 1, false},
        {3000, kBottom, 1, false}, {3000, kMiddle, 0, false}, {-5000, kMiddle, 1, false},
    };
    for (const Row& r : rows) {
        for (int lever = 0; lever < 3; ++lever) {
            Bench b;
            aircraft.DcEssBusPowered = r.dc_ess;
            aircraft.HydPressBlue = static_cast<uint32_t>(r.pressure < 0 ? 0 : r.pressure);
            aircraft.HydPressGreen = r.pressure;
            aircraft.HydPressYellow = r.pressure;
            b.host.click(kServo, area_of(lever, r.stop));
            b.host.update(kServo);
            EXPECT_EQ(FakeHost::visible(kServo, pressure_lamp(lever)), r.lit) << r.pressure << " lever " << lever;
        }
    }
}

TEST(ServoLevers, FaultRaisedOnTheGroundAtTheTopStopAndClearedOnceSet) {
    Bench b;
    b.host.update(kServo);
    for (int lever = 0; lever < 3; ++lever) EXPECT_TRUE(FakeHost::visible(kServo, fault_light(lever)));
    EXPECT_EQ(aircraft.ServoControlFault, 1);

    // Airborne with the levers still at the top: the lights go out, the
    // caution stays until the levers are set.
    b.host.set(60, 0.0);
    b.host.update(kServo);
    EXPECT_FALSE(FakeHost::visible(kServo, fault_light(0)));
    EXPECT_EQ(aircraft.ServoControlFault, 1);
    b.set_levers(kMiddle, kMiddle, kMiddle);
    b.host.update(kServo);
    EXPECT_EQ(aircraft.ServoControlFault, 1) << "no lever at the bottom";
    b.host.click(kServo, area_of(1, kBottom));
    b.host.update(kServo);
    EXPECT_EQ(aircraft.ServoControlFault, 0);

    // Back on the ground, the middle stop is no fault.
    b.host.set(60, 1.0);
    b.host.update(kServo);
    EXPECT_EQ(aircraft.ServoControlFault, 0);
    for (int lever = 0; lever < 3; ++lever) EXPECT_FALSE(FakeHost::visible(kServo, fault_light(lever)));
}

TEST(ServoLevers, NoLightAndNoFaultWithoutTheDcEssentialBusOrAKnownGround) {
    Bench b;
    b.host.update(kServo);
    ASSERT_EQ(aircraft.ServoControlFault, 1);
    aircraft.DcEssBusPowered = 0;
    b.host.update(kServo);
    EXPECT_EQ(aircraft.ServoControlFault, 0);
    for (int lever = 0; lever < 3; ++lever) EXPECT_FALSE(FakeHost::visible(kServo, fault_light(lever)));
    aircraft.DcEssBusPowered = 1;
    b.host.set(60, kNaN);
    b.host.update(kServo);
    EXPECT_FALSE(FakeHost::visible(kServo, fault_light(0)));
    EXPECT_EQ(aircraft.ServoControlFault, 0);
}

// --- Rudder travel -------------------------------------------------------------

struct RudderBench : Bench {
    RudderBench() {
        host.click(kRudder, kOn1);
        host.click(kRudder, kOn2);
        host.update(kRudder);
    }
};

TEST(RudderTravel, AResetCycleLightsTheLightUntilTheSwitchIsCycled) {
    RudderBench b;
    EXPECT_FALSE(FakeHost::visible(kRudder, kRudderLight1));
    EXPECT_EQ(aircraft.RudderTravelFault, 0);

    b.host.click(kRudder, kReset1);
    b.host.update(kRudder);
    EXPECT_TRUE(FakeHost::visible(kRudder, kRudderLight1));
    EXPECT_FALSE(FakeHost::visible(kRudder, kRudderLight2));
    EXPECT_EQ(aircraft.RudderTravelFault, 1);

    b.host.click(kRudder, kOn1);  // not a cycle: the switch was on
    b.host.update(kRudder);
    EXPECT_TRUE(FakeHost::visible(kRudder, kRudderLight1));

    b.host.click(kRudder, kOff1);
    b.host.update(kRudder);
    EXPECT_TRUE(FakeHost::visible(kRudder, kRudderLight1));
    EXPECT_EQ(aircraft.RudderTravelFault, 1);

    b.host.click(kRudder, kOn1);
    b.host.update(kRudder);
    EXPECT_FALSE(FakeHost::visible(kRudder, kRudderLight1));
    EXPECT_EQ(aircraft.RudderTravelFault, 0);
}

TEST(RudderTravel, ASwitchedOffSystemStaysLitUntilOnWithItsLatchAtRest) {
    RudderBench b;
    b.host.click(kRudder, kOff2);
    b.host.click(kRudder, kReset2);
    b.host.click(kRudder, kOn2);  // latch 1: the cycle is not complete
    b.host.update(kRudder);
    EXPECT_TRUE(FakeHost::visible(kRudder, kRudderLight2));
    EXPECT_EQ(aircraft.RudderTravelFault, 1);
    // Without the DC normal bus the light is dark; the caution holds.
    aircraft.DcNormBusPowered = 0;
    b.host.update(kRudder);
    EXPECT_FALSE(FakeHost::visible(kRudder, kRudderLight2));
    EXPECT_EQ(aircraft.RudderTravelFault, 1);
}

TEST(RudderTravel, BothSystemsOffTellsTheHostOnceEveryUpdate) {
    RudderBench b;
    b.host.click(kRudder, kOff1);
    b.host.clear_logs();
    b.host.update(kRudder);
    EXPECT_FALSE(b.host.sent(kBothSystemsOff));

    b.host.click(kRudder, kOff2);
    for (int i = 0; i < 3; ++i) b.host.update(kRudder);
    EXPECT_EQ(b.host.count(kBothSystemsOff), 3u);
    EXPECT_EQ(b.host.events().back(), (KeyEvent{kBothSystemsOff, 0}));
}

TEST(RudderTravel, PoweredNeedsASwitchTheDcEssentialBusAndAHydraulicSystem) {
    RudderBench b;
    b.host.update(kRudder);
    EXPECT_EQ(aircraft.RudderTravelPowered, 0) << "no hydraulic system";
    aircraft.HydStateYellow = 1;
    b.host.click(kRudder, kOff1);
    b.host.update(kRudder);
    EXPECT_EQ(aircraft.RudderTravelPowered, 1);
    aircraft.DcEssBusPowered = 0;
    b.host.update(kRudder);
    EXPECT_EQ(aircraft.RudderTravelPowered, 0);
    aircraft.DcEssBusPowered = 1;
    b.host.click(kRudder, kOff2);
    b.host.update(kRudder);
    EXPECT_EQ(aircraft.RudderTravelPowered, 0);
}

#if !defined(_WIN32)
TEST(FlightControlPanels, SwitchesClickWhenTheyMoveLeversNever) {
    Bench b;
    b.host.load_sounds();
    b.set_levers(kBottom, kMiddle, kTop);
    EXPECT_EQ(b.host.plays("CLICK"), 0u);
    b.host.click(kRudder, kOff1);   // already off
    b.host.click(kRudder, kOn1);    // moves
    b.host.click(kRudder, kReset1);
    b.host.click(kRudder, kReset1);  // already pressed
    b.host.click(kLoSpdAil, 1);     // already normal
    b.host.click(kYaw, 0);          // moves
    EXPECT_EQ(b.host.plays("CLICK"), 3u);
}
#endif

// --- Low-speed ailerons --------------------------------------------------------

TEST(LowSpeedAilerons, ActiveWithFlapsOutOrOnTheGroundAndAHydraulicSystem) {
    struct Row {
        double flaps;
        double on_ground;
        uint8_t green;
        uint8_t active;
    };
    const Row rows[] = {
        {0.0, 1.0, 1, 1}, {1.0, 0.0, 1, 1}, {0.99, 0.0, 1, 0}, {2.0, 1.0, 0, 0},
        {kNaN, 0.0, 1, 0}, {kInf, 0.0, 1, 0}, {0.0, kNaN, 1, 0}, {-kInf, 1.0, 1, 1},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.HydStateGreen = r.green;
        b.host.set(328, r.flaps);
        b.host.set(60, r.on_ground);
        b.host.update(kLoSpdAil);
        EXPECT_EQ(aircraft.LoSpdAilActive, r.active) << r.flaps << " " << r.on_ground;
    }
}

TEST(LowSpeedAilerons, LampsFollowTheirBusesAndTheFaultTheSelector) {
    Bench b;
    aircraft.HydStateBlue = 1;
    aircraft.AcEssNormPowered = 1;
    b.host.update(kLoSpdAil);
    EXPECT_EQ(shown(kLoSpdAil, {4, 5, 6, 7, 8}), "5 ") << "lamp 2 unsupplied, no fault";
    EXPECT_EQ(aircraft.LowSpeedAileronFault, 0);

    aircraft.AcBus2Powered = 1;
    b.host.click(kLoSpdAil, 2);  // lower position: the lamps go inactive
    b.host.update(kLoSpdAil);
    EXPECT_EQ(shown(kLoSpdAil, {1, 2, 3, 4, 5, 6, 7, 8}), "3 4 6 8 ");
    EXPECT_EQ(aircraft.LowSpeedAileronFault, 1);

    aircraft.DcEssBusPowered = 0;
    b.host.update(kLoSpdAil);
    EXPECT_FALSE(FakeHost::visible(kLoSpdAil, 8));
    EXPECT_EQ(aircraft.LowSpeedAileronFault, 0);
}

// --- Yaw panel -----------------------------------------------------------------

TEST(YawPanel, SwitchesEngageAndShowWhatTheMonitorsLeaveThem) {
    Bench b;
    for (std::size_t on_area : {0u, 2u, 4u, 6u}) b.host.click(kYaw, on_area);
    EXPECT_EQ(aircraft.YawDamperSwitch1 + aircraft.YawDamperSwitch2 + aircraft.PitchTrimSwitch1 +
                  aircraft.PitchTrimSwitch2,
              4);
    aircraft.YawDamperSwitch2 = 0;  // dropped by its monitor
    b.host.click(kYaw, 5);          // pitch trim 1 OFF
    b.host.update(kYaw);
    const bool on_shown[] = {true, false, false, true};
    for (int sw = 0; sw < 4; ++sw) {
        EXPECT_EQ(FakeHost::visible(kYaw, 2 + 2 * sw), on_shown[sw]) << sw;
        EXPECT_EQ(FakeHost::visible(kYaw, 1 + 2 * sw), !on_shown[sw]) << sw;
    }
}

}  // namespace
}  // namespace kadrimos::testing
