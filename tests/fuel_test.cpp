// The fuel system: pump switch interlocks, tank selection, the engine fuel
// valves and the cross-feed, the RESERVE lights, fuel used and QTY TEST.
#include <gtest/gtest.h>

#include <limits>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kValves = "toskelin fuel_valves_rulo";
constexpr const char* kLeft = "toskelin fuel_pumps_left_rulo";
constexpr const char* kRight = "toskelin fuel_pumps_right_rulo";
constexpr const char* kCentre = "toskelin fuel_pumps_center_rulo";
constexpr const char* kFuelUsed = "toskelin fuel_fuelused_rulo";
constexpr const char* kReserve1 = "toskelin fuel_qtty_reserve_1_rulo";
constexpr const char* kReserve2 = "toskelin fuel_qtty_reserve_2_rulo";
constexpr const char* kQtyTest = "toskelin fuel_qtty_test_rulo";

// Mouse areas.
constexpr std::size_t kOneOn = 0, kOneOff = 1, kTwoAuto = 2, kTwoOff = 3;       // wing panels
constexpr std::size_t kCentreLhAuto = 0, kCentreLhOff = 1, kCentreRhOff = 3;   // centre panel
constexpr std::size_t kValve1 = 0, kValve2 = 2, kCrossfeedFrom2 = 4, kCrossfeedClosed = 5,
                      kCrossfeedFrom1 = 6;

// Key events.
constexpr uint32_t kEngine1Off = 0x101a3, kEngine1Wing = 0x101a5, kEngine1Centre = 0x101a9;
constexpr uint32_t kEngine2Off = 0x103d4, kEngine2Wing1 = 0x103d6, kEngine2Wing = 0x103d7,
                   kEngine2Centre = 0x103da;
constexpr uint32_t kToggleValve1 = 0x103be, kToggleValve2 = 0x103bf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Both DC buses alive, every tank full, engine fuel valves open and the
// selectors off, as the host reports them.
struct FuelBench {
    FakeHost host;

    FuelBench() {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.FuelQtyACenter = 5000;
        aircraft.FuelQtyALeft = 3000;
        aircraft.FuelQtyARight = 3000;
        aircraft.FuelQtyMLeft = 6000;
        aircraft.FuelQtyMRight = 6000;
        selectors(0, 0);
        host.set(895, 1.0);
        host.set(896, 1.0);
    }
    void selectors(uint32_t engine1, uint32_t engine2) {
        host.set_bits(307, engine1);
        host.set_bits(906, engine2);
    }
    void select_tanks() {
        host.clear_logs();
        host.update(kCentre);
    }
    void drive_valves() {
        host.clear_logs();
        host.update(kValves);
    }
};

// --- Pump switch interlocks ------------------------------------------------

TEST(FuelPumpSwitches, L1OnAlsoPutsL2ToAuto) {
    FakeHost host;
    aircraft.PumpSwitchL1 = 0;
    aircraft.PumpSwitchL2 = 0;
    host.click(kLeft, kOneOn);
    EXPECT_EQ(aircraft.PumpSwitchL1, 1);
    EXPECT_EQ(aircraft.PumpSwitchL2, 1);
}

TEST(FuelPumpSwitches, L2OffAlsoSwitchesL1Off) {
    FakeHost host;
    host.click(kLeft, kTwoOff);
    EXPECT_EQ(aircraft.PumpSwitchL2, 0);
    EXPECT_EQ(aircraft.PumpSwitchL1, 0);
}

TEST(FuelPumpSwitches, L2CannotGoOffWithTheCentreSwitchOff) {
    FakeHost host;
    aircraft.CtrPumpSwitchL = 0;
    host.click(kLeft, kTwoOff);
    EXPECT_EQ(aircraft.PumpSwitchL2, 1);
    EXPECT_EQ(aircraft.PumpSwitchL1, 1);
}

TEST(FuelPumpSwitches, L1CannotGoOffAsTheSideLastSource) {
    FakeHost host;
    aircraft.CtrPumpSwitchL = 0;
    aircraft.PumpSwitchL2 = 0;
    host.click(kLeft, kOneOff);
    EXPECT_EQ(aircraft.PumpSwitchL1, 1);
}

TEST(FuelPumpSwitches, TheRightPanelMirrorsTheLeftOne) {
    FakeHost host;
    host.click(kRight, kTwoOff);
    EXPECT_EQ(aircraft.PumpSwitchR2, 0);
    EXPECT_EQ(aircraft.PumpSwitchR1, 0);
    host.click(kRight, kOneOn);
    EXPECT_EQ(aircraft.PumpSwitchR1, 1);
    EXPECT_EQ(aircraft.PumpSwitchR2, 1);
    EXPECT_EQ(aircraft.PumpSwitchL1, 1);
}

TEST(FuelPumpSwitches, TheCentreSwitchCannotGoOffWithBothWingSwitchesOff) {
    FakeHost host;
    aircraft.PumpSwitchL1 = 0;
    aircraft.PumpSwitchL2 = 0;
    host.click(kCentre, kCentreLhOff);
    EXPECT_EQ(aircraft.CtrPumpSwitchL, 1);
}

TEST(FuelPumpSwitches, TheCentreSwitchGoesOffWhileAWingSwitchIsOn) {
    FakeHost host;
    aircraft.PumpSwitchL1 = 0;
    host.click(kCentre, kCentreLhOff);
    EXPECT_EQ(aircraft.CtrPumpSwitchL, 0);
    host.click(kCentre, kCentreLhAuto);
    EXPECT_EQ(aircraft.CtrPumpSwitchL, 1);
}

TEST(FuelPumpSwitches, KnobsShowTheirPositions) {
    FakeHost host;
    host.click(kLeft, kTwoOff);
    host.update(kLeft);
    EXPECT_FALSE(FakeHost::visible(kLeft, 1));
    EXPECT_TRUE(FakeHost::visible(kLeft, 2));
    EXPECT_TRUE(FakeHost::visible(kLeft, 4));
    EXPECT_TRUE(FakeHost::visible(kLeft, 6));
    EXPECT_FALSE(FakeHost::visible(kLeft, 7));
}

#if !defined(_WIN32)
TEST(FuelPumpSwitches, ClickOnlyWhenTheyMove) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    host.click(kLeft, kOneOn);        // already ON
    host.click(kRight, kTwoAuto);     // already AUTO
    host.click(kCentre, kCentreLhAuto);
    EXPECT_EQ(host.plays("CLICK"), 0u);
    host.click(kLeft, kTwoOff);       // L2 and L1 off: one click
    EXPECT_EQ(host.plays("CLICK"), 1u);
    host.click(kLeft, kOneOn);        // L1 on, L2 back to AUTO: one click
    EXPECT_EQ(host.plays("CLICK"), 2u);
    host.click(kCentre, kCentreRhOff);
    EXPECT_EQ(host.plays("CLICK"), 3u);
}

TEST(FuelValveKnobs, AreSilent) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    host.click(kValves, kValve1);
    host.click(kValves, kCrossfeedFrom1);
    EXPECT_EQ(host.plays("CLICK"), 0u);
}
#endif

// --- Tank selection ------------------------------------------------------------

TEST(FuelTankSelection, TheCentreTankFeedsBothEnginesAtPointNineLitres) {
    FuelBench bench;
    aircraft.FuelQtyACenter = 0.9;
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine1Centre));
    EXPECT_TRUE(bench.host.sent(kEngine2Centre));
}

TEST(FuelTankSelection, TheWingTanksFeedBelowPointNineLitres) {
    FuelBench bench;
    aircraft.FuelQtyACenter = 0.89;
    bench.selectors(6, 6);
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine1Wing));
    EXPECT_TRUE(bench.host.sent(kEngine2Wing));
}

TEST(FuelTankSelection, NothingIsSentWhileTheSelectorsAgree) {
    FuelBench bench;
    bench.selectors(6, 6);
    bench.select_tanks();
    EXPECT_TRUE(bench.host.events().empty());
}

TEST(FuelTankSelection, WithoutTheCentreSwitchTheEngineDrawsFromItsWingTanks) {
    FuelBench bench;
    aircraft.CtrPumpSwitchL = 0;
    aircraft.CtrPumpSwitchR = 0;
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine1Wing));
    EXPECT_TRUE(bench.host.sent(kEngine2Wing));
}

TEST(FuelTankSelection, DcEssentialLossDrivesBothSelectorsToOff) {
    FuelBench bench;
    bench.selectors(6, 3);
    aircraft.DcEssBusPowered = 0;
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine1Off));
    EXPECT_TRUE(bench.host.sent(kEngine2Off));
    EXPECT_EQ(bench.host.events().size(), 2u);
    bench.selectors(0, 0);
    bench.select_tanks();
    EXPECT_TRUE(bench.host.events().empty());
}

TEST(FuelTankSelection, CrossfeedFromSide1FeedsEngine2LikeEngine1) {
    FuelBench bench;
    aircraft.CrossfeedMode = 1;
    aircraft.CtrPumpSwitchL = 0;
    aircraft.CtrPumpSwitchR = 0;
    aircraft.FuelQtyARight = 0;
    aircraft.FuelQtyMRight = 0;  // side 2 unfed
    bench.selectors(2, 0);
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine2Wing1));
    EXPECT_FALSE(bench.host.sent(kEngine1Wing));
}

TEST(FuelTankSelection, CrossfeedFromSide1WithOnlyTheCentrePumpResendsCentreEveryUpdate) {
    FuelBench bench;
    aircraft.CrossfeedMode = 1;
    aircraft.PumpSwitchL1 = 0;
    aircraft.TankValve2Open = 0;
    bench.selectors(6, 6);
    bench.select_tanks();
    EXPECT_EQ(bench.host.count(kEngine1Centre), 1u);
    EXPECT_FALSE(bench.host.sent(kEngine2Centre));
}

TEST(FuelTankSelection, CentreQuantityThatIsNotANumberCountsAsEmpty) {
    FuelBench bench;
    aircraft.FuelQtyACenter = kNaN;
    bench.select_tanks();
    EXPECT_TRUE(bench.host.sent(kEngine1Wing));
    EXPECT_TRUE(bench.host.sent(kEngine2Wing));
    EXPECT_EQ(private_state.fuel.Side1Fed, 1);  // the wing tanks still hold fuel
}

TEST(FuelTankSelection, CentreFlagsFollowTheSelectorsWithDcNormalPower) {
    FuelBench bench;
    bench.selectors(6, 3);
    bench.select_tanks();
    EXPECT_TRUE(FakeHost::visible(kCentre, 9));
    EXPECT_TRUE(FakeHost::visible(kCentre, 12));
    aircraft.DcNormBusPowered = 0;
    bench.select_tanks();
    for (int k = 7; k <= 12; ++k) EXPECT_FALSE(FakeHost::visible(kCentre, k)) << k;
    EXPECT_TRUE(FakeHost::visible(kCentre, 1));
}

TEST(FuelTankSelection, WingFlagsShowWhichPumpsFeed) {
    FuelBench bench;
    bench.selectors(4, 2);
    bench.host.update(kLeft);
    EXPECT_TRUE(FakeHost::visible(kLeft, 10));  // L1 pair: no flow
    EXPECT_TRUE(FakeHost::visible(kLeft, 13));  // L2 pair: flowing
    aircraft.FuelQtyMLeft = kNaN;                // reads empty
    bench.selectors(2, 2);
    bench.host.update(kLeft);
    EXPECT_TRUE(FakeHost::visible(kLeft, 9));
    EXPECT_TRUE(FakeHost::visible(kLeft, 14));
}

// --- Engine fuel valves ----------------------------------------------------------

TEST(FuelEngineValves, ShuttingTheTankValvesTogglesTheEngineValveOnce) {
    FuelBench bench;
    bench.host.click(kValves, kValve1);
    EXPECT_EQ(aircraft.TankValve1Open, 0);
    bench.drive_valves();
    EXPECT_EQ(bench.host.count(kToggleValve1), 1u);
    bench.host.set(895, 0.0);
    bench.drive_valves();
    EXPECT_TRUE(bench.host.events().empty());
}

TEST(FuelEngineValves, TheCrossFedEnginesValveIsHeldOpen) {
    FuelBench bench;
    bench.host.click(kValves, kCrossfeedFrom1);
    bench.host.click(kValves, kValve2);
    bench.drive_valves();
    EXPECT_EQ(aircraft.CrossfeedMode, 1);
    EXPECT_FALSE(bench.host.sent(kToggleValve2));
    bench.host.set(896, 0.0);
    bench.drive_valves();
    EXPECT_EQ(bench.host.count(kToggleValve2), 1u);
}

TEST(FuelEngineValves, CrossfeedWithItsOwnSideShutDoesNothing) {
    FuelBench bench;
    bench.host.click(kValves, kValve1);
    bench.host.click(kValves, kCrossfeedFrom1);
    bench.drive_valves();
    EXPECT_EQ(aircraft.CrossfeedMode, 0);
    bench.host.click(kValves, kCrossfeedFrom2);
    bench.drive_valves();
    EXPECT_EQ(aircraft.CrossfeedMode, 2);
    bench.host.click(kValves, kCrossfeedClosed);
    bench.drive_valves();
    EXPECT_EQ(aircraft.CrossfeedMode, 0);
}

TEST(FuelEngineValves, WithoutDcNormalPowerTheyFreeze) {
    FuelBench bench;
    aircraft.DcNormBusPowered = 0;
    bench.host.set(895, 0.0);
    bench.host.set(896, 0.0);
    bench.drive_valves();
    EXPECT_TRUE(bench.host.events().empty());
}

TEST(FuelEngineValves, AValveReadingNotANumberIsLeftAlone) {
    FuelBench bench;
    bench.host.set(895, kNaN);
    bench.host.set(896, std::numeric_limits<double>::infinity());
    bench.host.click(kValves, kValve1);
    bench.drive_valves();
    EXPECT_TRUE(bench.host.events().empty());
}

TEST(FuelEngineValves, KnobsShowOpenAndShut) {
    FuelBench bench;
    bench.host.click(kValves, kValve2);
    bench.drive_valves();
    EXPECT_TRUE(FakeHost::visible(kValves, 1));
    EXPECT_TRUE(FakeHost::visible(kValves, 2));
    EXPECT_TRUE(FakeHost::visible(kValves, 11));
    EXPECT_TRUE(FakeHost::visible(kValves, 12));
    EXPECT_FALSE(FakeHost::visible(kValves, 9));
    EXPECT_TRUE(FakeHost::visible(kValves, 17));
    EXPECT_TRUE(FakeHost::visible(kValves, 19));
}

// --- Reserve, fuel used, quantity test --------------------------------------------

TEST(FuelReserve, Light1ComesOnAtExactly1150Litres) {
    FuelBench bench;
    aircraft.FuelQtyALeft = 1150.000001;
    bench.host.update(kReserve1);
    EXPECT_FALSE(FakeHost::visible(kReserve1, 1));
    EXPECT_EQ(aircraft.FuelReserveWarning, 0);
    aircraft.FuelQtyALeft = 1150;
    bench.host.update(kReserve1);
    EXPECT_TRUE(FakeHost::visible(kReserve1, 1));
    EXPECT_EQ(aircraft.FuelReserveWarning, 1);
}

TEST(FuelReserve, TheWarningStaysOnceRaised) {
    FuelBench bench;
    aircraft.FuelQtyARight = 1000;
    bench.host.update(kReserve2);
    aircraft.FuelQtyARight = 5000;
    bench.host.update(kReserve2);
    EXPECT_FALSE(FakeHost::visible(kReserve2, 1));
    EXPECT_EQ(aircraft.FuelReserveWarning, 1);
}

TEST(FuelReserve, IsDarkWithoutDcNormalPower) {
    FuelBench bench;
    aircraft.DcNormBusPowered = 0;
    aircraft.FuelQtyALeft = 0;
    bench.host.update(kReserve1);
    EXPECT_FALSE(FakeHost::visible(kReserve1, 1));
    EXPECT_EQ(aircraft.FuelReserveWarning, 0);
}

TEST(FuelReserve, AQuantityThatIsNotANumberLightsIt) {
    FuelBench bench;
    aircraft.FuelQtyARight = kNaN;
    bench.host.update(kReserve2);
    EXPECT_TRUE(FakeHost::visible(kReserve2, 1));
}

TEST(FuelUsed, ResetZeroesBothCounters) {
    FakeHost host;
    aircraft.FuelUsed1 = 120;
    aircraft.FuelUsed2 = 95;
    host.click(kFuelUsed, 0);
    EXPECT_EQ(aircraft.FuelUsed1, 0.0);
    EXPECT_EQ(aircraft.FuelUsed2, 0.0);
}

TEST(FuelUsed, PumpPressLoLightsOnRequestWithDcNormalPower) {
    FuelBench bench;
    bench.host.update(kFuelUsed);
    EXPECT_FALSE(FakeHost::visible(kFuelUsed, 1));
    private_state.fuel.PumpPressLoRequest = 1;
    bench.host.update(kFuelUsed);
    EXPECT_TRUE(FakeHost::visible(kFuelUsed, 1));
}

TEST(FuelQtyTest, AsksAllFiveIndicatorsOnlyWithDcNormalPower) {
    FakeHost host;
    host.click(kQtyTest, 0);
    for (uint8_t r : aircraft.QtyTestRequest) EXPECT_EQ(r, 0);
    aircraft.DcNormBusPowered = 1;
    host.click(kQtyTest, 0);
    for (uint8_t r : aircraft.QtyTestRequest) EXPECT_EQ(r, 1);
}

}  // namespace
}  // namespace kadrimos::testing
