// The flight engineer's engine monitoring dials: nacelle temperature with
// fire, oil and fuel pressure, oil temperature and quantity, the low oil
// pressure warnings and the vibration indicator with its test.
#include <gtest/gtest.h>

#include <limits>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kNacelle1 = "toskelin engomn_nac_temp_1_rulo";
constexpr const char* kNacelle2 = "toskelin engomn_nac_temp_2_rulo";
constexpr const char* kOilPress1 = "toskelin engomn_oil_press_1_rulo";
constexpr const char* kOilPress2 = "toskelin engomn_oil_press_2_rulo";
constexpr const char* kOilTemp1 = "toskelin engomn_oil_temp_1_rulo";
constexpr const char* kOilQty1 = "toskelin engomn_oil_qtty_1_rulo";
constexpr const char* kOilQty2 = "toskelin engomn_oil_qtty_2_rulo";
constexpr const char* kFuelPress2 = "toskelin engomn_fuel_press_2_rulo";
constexpr const char* kVib = "toskelin engomn_vib_rulo";
constexpr const char* kVibSwitch = "toskelin engomn_vib_sw_rulo";

constexpr uint32_t kOutsideAir = 341, kN2Engine1 = 625, kN2Engine2 = 644, kOilPressEngine1 = 562,
                   kOilPressEngine2 = 572, kOilTempEngine1 = 561, kOilQty = 270, kFuelPressEngine2 = 653,
                   kVibEngine1 = 642, kVibEngine2 = 661;
constexpr double kPsi = 130;  // host units per psi of oil pressure

constexpr int kNeedle = 1, kIndex = 2;
constexpr std::size_t kIndexDown = 0, kIndexUp = 1;
constexpr int kBar1 = 1, kBar2 = 2;
constexpr int kLeverUp = 1, kLeverDown = 2;
constexpr std::size_t kFan = 0, kTurbine = 1, kTest = 2;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Monitors {
    FakeHost host;

    Monitors() {
        aircraft.DcNormBusPowered = 1;
        aircraft.AcBus1Powered = 1;
        aircraft.AcBus2Powered = 1;
    }
    double run(const char* gauge, int updates = 1, int depth = kNeedle) {
        for (int i = 0; i < updates; ++i) host.update(gauge);
        host.draw(gauge);
        return host.value(FakeHost::element(gauge, depth));
    }
};

// --- Nacelle temperature ---------------------------------------------------------

TEST(NacelleTemperature, AFireDrivesItFastToTwoSeventyThenSlowlyToTwoEighty) {
    Monitors m;
    m.host.set(kN2Engine1, 60);
    aircraft.Eng1FireWarning = 1;
    private_state.engomn.needle[0] = 75;
    EXPECT_NEAR(m.run(kNacelle1), 75.8, 1e-9);
    EXPECT_LT(m.run(kNacelle1, 242), 270) << "243 updates at 0.8 from 75";
    const double at_270 = m.run(kNacelle1);
    EXPECT_GE(at_270, 270);
    EXPECT_NEAR(m.run(kNacelle1), at_270 + 0.3, 1e-9);
    const double settled = m.run(kNacelle1, 1000);
    EXPECT_NEAR(settled, 280, 0.3);

    aircraft.Eng1FireWarning = 0;
    EXPECT_NEAR(m.run(kNacelle1), settled - 0.1, 1e-9) << "fire out, engine running: cools to 80";
    EXPECT_EQ(m.run(kNacelle2), 0) << "the other engine's nacelle is not on fire";
}

TEST(NacelleTemperature, ARunningEngineWarmsItsNacelleToEighty) {
    Monitors m;
    m.host.set(kN2Engine2, 30);
    EXPECT_NEAR(m.run(kNacelle2), 0.8, 1e-9);
    EXPECT_NEAR(m.run(kNacelle2, 2000), 80, 0.3);
}

TEST(NacelleTemperature, AStoppedEngineFollowsTheOutsideAir) {
    Monitors m;
    m.host.set(kOutsideAir, 16);
    m.host.set(kN2Engine1, 5);
    EXPECT_EQ(m.run(kNacelle1), 2) << "below the outside air it warms 2 an update";
    EXPECT_EQ(m.run(kNacelle1, 7), 16);
    m.host.set(kOutsideAir, 16.4);
    EXPECT_EQ(m.run(kNacelle1), 16.4) << "within half a degree it takes the outside air";

    private_state.engomn.needle[0] = 80;
    EXPECT_NEAR(m.run(kNacelle1, 100), 79, 1e-9) << "it cools 0.01 an update";

    m.host.set(kOutsideAir, -20);
    private_state.engomn.needle[0] = 0.2;
    EXPECT_NEAR(m.run(kNacelle1), 0.19, 1e-9);
    EXPECT_EQ(m.run(kNacelle1, 25), 0) << "a frozen nacelle reads the bottom of the scale";

    aircraft.DcNormBusPowered = 0;
    private_state.engomn.needle[0] = 5;
    EXPECT_EQ(m.run(kNacelle1), 3);
    EXPECT_EQ(m.run(kNacelle1, 2), 0);
}

// --- Needles closing on their values ------------------------------------------------

TEST(MonitorNeedles, OilPressureClimbsTwoAnUpdateThenSnapsToTheValue) {
    Monitors m;
    m.host.set(kOilPressEngine1, 60 * kPsi);
    for (int k = 1; k <= 28; ++k) ASSERT_EQ(m.run(kOilPress1), 2 * k) << "update " << k;
    EXPECT_EQ(m.run(kOilPress1), 60);
    m.host.set(kOilPressEngine1, 58 * kPsi);
    EXPECT_EQ(m.run(kOilPress1), 58);
    m.host.set(kOilPressEngine1, 40 * kPsi);
    EXPECT_EQ(m.run(kOilPress1), 56);

    aircraft.AcBus1Powered = 0;
    EXPECT_EQ(m.run(kOilPress1), 54) << "without power it sinks";
    EXPECT_EQ(m.run(kOilPress1, 27), 0);
}

TEST(MonitorNeedles, EachDialReadsItsOwnValueInItsUnits) {
    Monitors m;
    m.host.set(kOilTempEngine1, 7 * 40);
    EXPECT_EQ(m.run(kOilTemp1, 60), 90) << "40 degrees on a scale starting at -50";
    m.host.set(kOilQty, 1250 * 15);
    EXPECT_EQ(m.run(kOilQty2, 20), 15);
    m.host.set(kFuelPressEngine2, 100);
    EXPECT_EQ(m.run(kFuelPress2, 50), 85);
    m.host.set(kFuelPressEngine2, 1000);
    EXPECT_EQ(m.run(kFuelPress2, 100), 160) << "clamped to the scale";
    m.host.set(kOilPressEngine2, 30 * kPsi);
    EXPECT_EQ(m.run(kOilPress2, 20), 30);
}

TEST(MonitorNeedles, ValuesThatAreNotNumbersReadAsZero) {
    Monitors m;
    m.host.set(kOilPressEngine1, kNaN);
    m.host.set(kOilTempEngine1, std::numeric_limits<double>::infinity());
    m.host.set(kOutsideAir, kNaN);
    m.host.set(kN2Engine1, kNaN);
    EXPECT_EQ(m.run(kOilPress1), 0);
    EXPECT_EQ(m.run(kOilTemp1, 30), 50) << "a zero reading stands at 0 degrees";
    EXPECT_EQ(m.run(kNacelle1), 0);
    private_state.engomn.needle[0] = kNaN;
    EXPECT_EQ(m.run(kNacelle1, 0), 0) << "the needle never points at NaN";
}

// --- Low oil pressure ------------------------------------------------------------------

TEST(LowOilPressure, WarnsOnlyWithTheHpLeverOpenWhateverThePower) {
    Monitors m;
    m.run(kOilPress1);
    EXPECT_EQ(aircraft.Eng1OilPressLow, 0) << "HP lever shut";
    aircraft.HpLever1Open = 1;
    m.run(kOilPress1);
    EXPECT_EQ(aircraft.Eng1OilPressLow, 1) << "lever open, engine stopped";
    EXPECT_EQ(aircraft.Eng2OilPressLow, 0);
    m.host.set(kOilPressEngine1, 10 * kPsi);
    m.run(kOilPress1);
    EXPECT_EQ(aircraft.Eng1OilPressLow, 1) << "10 psi is still low";
    m.host.set(kOilPressEngine1, 11 * kPsi);
    aircraft.AcBus1Powered = 0;
    m.run(kOilPress1);
    EXPECT_EQ(aircraft.Eng1OilPressLow, 0);

    aircraft.HpLever2Open = 1;
    m.run(kOilPress2);
    EXPECT_EQ(aircraft.Eng2OilPressLow, 1);
}

// --- Oil quantity index ------------------------------------------------------------------

TEST(OilQuantityIndex, EachDialsHalvesStepItsOwnIndexWithinTheScale) {
    Monitors m;
    m.host.click(kOilQty1, kIndexDown);
    EXPECT_EQ(m.run(kOilQty1, 1, kIndex), 0);
    for (int i = 0; i < 25; ++i) m.host.click(kOilQty1, kIndexUp);
    EXPECT_EQ(m.run(kOilQty1, 1, kIndex), 20);
    m.host.click(kOilQty1, kIndexDown);
    EXPECT_EQ(m.run(kOilQty1, 1, kIndex), 19);
    EXPECT_EQ(m.run(kOilQty2, 1, kIndex), 0);
    EXPECT_TRUE(FakeHost::visible(kOilQty2, kIndex));
}

// --- Vibration ---------------------------------------------------------------------------

TEST(Vibration, TheBarsFollowTheEnginesThroughThePickUpsGain) {
    Monitors m;
    m.host.set(kVibEngine1, 2);
    m.host.set(kVibEngine2, 1);
    EXPECT_NEAR(m.run(kVib, 1, kBar1), -0.2, 1e-9) << "the slider moves up";
    EXPECT_NEAR(m.run(kVib, 60, kBar1), -8, 1e-9);
    EXPECT_NEAR(m.run(kVib, 0, kBar2), -4, 1e-9);

    m.host.click(kVibSwitch, kTurbine);
    m.host.update(kVibSwitch);
    EXPECT_FALSE(FakeHost::visible(kVibSwitch, kLeverUp));
    EXPECT_TRUE(FakeHost::visible(kVibSwitch, kLeverDown));
    EXPECT_NEAR(m.run(kVib, 40, kBar1), -12, 1e-9);

    aircraft.AcBus1Powered = 0;
    m.host.set(kVibEngine1, 0);
    EXPECT_NEAR(m.run(kVib, 1, kBar1), -11.8, 1e-9) << "unpowered, a bar above its target sinks";
    m.host.set(kVibEngine2, 5);
    EXPECT_EQ(m.run(kVib, 1, kBar2), 0) << "one at or below its target drops";
}

TEST(Vibration, TheTestRaisesBothBarsToTheTopInHundredFortyUpdates) {
    Monitors m;
    m.host.click(kVibSwitch, kTest);
    ASSERT_EQ(aircraft.VibTestActive, 1);
    m.run(kVib, 139);
    EXPECT_EQ(aircraft.VibTestActive, 1);
    EXPECT_NEAR(m.run(kVib, 1, kBar2), -28, 1e-9);
    EXPECT_EQ(aircraft.VibTestActive, 0);
    EXPECT_NEAR(m.run(kVib, 1, kBar1), -27.8, 1e-9) << "then back to the engine's level";
}

TEST(Vibration, WithoutPowerTheTestCannotStartAndARunningOneIsCancelled) {
    Monitors m;
    aircraft.AcBus1Powered = 0;
    m.host.click(kVibSwitch, kTest);
    EXPECT_EQ(aircraft.VibTestActive, 0);

    aircraft.AcBus1Powered = 1;
    m.host.click(kVibSwitch, kTest);
    m.run(kVib, 10);
    aircraft.AcBus1Powered = 0;
    EXPECT_NEAR(m.run(kVib, 1, kBar1), -1.8, 1e-9) << "the indicator drops its bars first";
    m.host.update(kVibSwitch);
    EXPECT_EQ(aircraft.VibTestActive, 0) << "the selector gauge cancels the test";
}

TEST(Vibration, ThePickUpLeverClicksOnlyWhenItMoves) {
    Monitors m;
    m.host.load_sounds();
    m.host.update(kVibSwitch);
    EXPECT_TRUE(FakeHost::visible(kVibSwitch, kLeverUp)) << "FAN at load";
    m.host.click(kVibSwitch, kFan);
    m.host.click(kVibSwitch, kTurbine);
    m.host.click(kVibSwitch, kTurbine);
    EXPECT_EQ(aircraft.VibPickupSelector, 2);
    m.host.click(kVibSwitch, kFan);
    EXPECT_EQ(aircraft.VibPickupSelector, 1);
#if !defined(_WIN32)
    EXPECT_EQ(m.host.plays("CLICK"), 2u);
#endif
}

}  // namespace
}  // namespace kadrimos::testing
