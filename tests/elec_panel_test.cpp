// The flight engineer's electrical panel: switches, flow bars and OFF lights,
// external power, the generator TEST press, and the meters.
#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"
#include "systems/electrical/network.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kBatteries = "toskelin elec_batt_rulo";
constexpr const char* kDcBus = "toskelin elec_dc_bus_rulo";
constexpr const char* kAcBus = "toskelin elec_ac_bus_rulo";

// The depths of `depths` that are shown.
std::string shown(const char* gauge, std::initializer_list<int> depths) {
    std::string out;
    for (int k : depths)
        if (FakeHost::visible(gauge, k)) out += std::to_string(k) + " ";
    return out;
}

// --- Battery panel ------------------------------------------------------------

TEST(BatteryPanel, EachSwitchShowsTheBitmapOfItsPositionOnly) {
    FakeHost host;
    struct Row {
        std::size_t area;
        uint8_t AircraftState::*item;
        uint8_t position;
        int first;  // OFF bitmap; NORM and ON follow
    };
    for (const Row& r :
         {Row{0, &AircraftState::Batt1Switch, 2, 9}, Row{2, &AircraftState::Batt1Switch, 0, 9},
          Row{4, &AircraftState::Batt2Switch, 1, 12}, Row{5, &AircraftState::Batt2Switch, 0, 12},
          Row{6, &AircraftState::Batt3Switch, 2, 15}, Row{7, &AircraftState::Batt3Switch, 1, 15}}) {
        host.click(kBatteries, r.area);
        host.update(kBatteries);
        EXPECT_EQ(aircraft.*r.item, r.position);
        EXPECT_EQ(shown(kBatteries, {r.first, r.first + 1, r.first + 2}),
                  std::to_string(r.first + r.position) + " ")
            << "area " << r.area;
    }
}

TEST(BatteryPanel, FlowBarsShowHowEachBatteryStandsToALiveEssentialBus) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    aircraft.Batt1Connected = 1;
    aircraft.Batt2Connected = 0;
    aircraft.Batt3Connected = 1;
    host.update(kBatteries);
    EXPECT_EQ(shown(kBatteries, {1, 2, 3, 4, 5, 6}), "1 4 5 ");

    aircraft.DcEssBusPowered = 0;
    host.update(kBatteries);
    EXPECT_EQ(shown(kBatteries, {1, 2, 3, 4, 5, 6, 7, 8}), "") << "no bar and no light without the bus";
}

TEST(BatteryPanel, TheBarsFollowTheSolvedNetwork) {
    FakeHost host;
    electrical::solve_network();  // batteries in NORM, discharging: connected
    host.update(kBatteries);
    EXPECT_EQ(shown(kBatteries, {1, 2, 3, 4, 5, 6}), "1 3 5 ");
}

#if !defined(_WIN32)
TEST(BatteryPanel, ASwitchClicksOnlyWhenItMoves) {
    FakeHost host;
    host.load_sounds();
    host.click(kBatteries, 1);  // battery 1 NORM: already there
    host.click(kBatteries, 0);  // ON
    host.click(kBatteries, 0);
    host.click(kBatteries, 8);  // battery 3 OFF
    EXPECT_EQ(host.plays("CLICK"), 2u);
}
#endif

// --- DC bus panel ---------------------------------------------------------------

TEST(DcBusPanel, SwitchesShowLowerWhenOffAndUpperWhenOn) {
    FakeHost host;
    host.click_at(kDcBus, 20, 100);  // TR 1 OFF RESET
    host.click_at(kDcBus, 130, 50);  // DC TIE SPLIT
    host.update(kDcBus);
    EXPECT_EQ(aircraft.Tr1Switch, 0);
    EXPECT_EQ(aircraft.DcBusTieSwitch, 0);
    EXPECT_EQ(shown(kDcBus, {3, 4, 5, 6, 7, 8, 9, 10}), "3 6 8 9 ");
}

TEST(DcBusPanel, TrOffLightsNeedTheEssentialBus) {
    FakeHost host;
    aircraft.Tr1On = 0;
    aircraft.Tr2On = 1;
    aircraft.EssTrOn = 0;
    host.update(kDcBus);
    EXPECT_EQ(shown(kDcBus, {1, 2, 11, 12, 13}), "");
    aircraft.DcEssBusPowered = 1;
    host.update(kDcBus);
    EXPECT_EQ(shown(kDcBus, {11, 12, 13}), "11 13 ");
}

TEST(DcBusPanel, TheTieBarIsInLineOnlyWhenTheEssentialBusIsFedThroughIt) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    aircraft.DcEssFromNormBus = 1;
    host.update(kDcBus);
    EXPECT_EQ(shown(kDcBus, {1, 2}), "1 ");
    aircraft.DcBusTieSwitch = 0;
    host.update(kDcBus);
    EXPECT_EQ(shown(kDcBus, {1, 2}), "2 ");
}

// --- AC bus panel ---------------------------------------------------------------

TEST(AcBusPanel, LineAndTransferSwitchesShowTheirPosition) {
    FakeHost host;
    host.click(kAcBus, 1);  // LINE 1 OFF
    host.click(kAcBus, 5);  // TRANSF 2 OFF
    host.update(kAcBus);
    EXPECT_EQ(aircraft.Gen1BreakerSwitch, 0);
    EXPECT_EQ(aircraft.BusTie2Switch, 0);
    EXPECT_EQ(shown(kAcBus, {7, 8, 9, 10, 11, 12, 13, 14}), "7 10 12 13 ");
}

TEST(AcBusPanel, TheFeedSelectorStopsAtGen2AndAtTheEmergencyInverter) {
    FakeHost host;
    for (int i = 0; i < 4; ++i) host.click(kAcBus, 8);
    EXPECT_EQ(aircraft.AcEssFeedSelector, 0);
    for (int i = 0; i < 6; ++i) host.click(kAcBus, 9);
    EXPECT_EQ(aircraft.AcEssFeedSelector, 4);
}

#if !defined(_WIN32)
TEST(AcBusPanel, TheFeedSelectorTurnsSilently) {
    FakeHost host;
    host.load_sounds();
    host.click(kAcBus, 8);
    host.click(kAcBus, 9);
    host.click(kAcBus, 9);
    host.click(kAcBus, 9);
    EXPECT_EQ(host.plays("CLICK"), 0u);
}
#endif

TEST(AcBusPanel, TheFeedKnobLimitsItsSelectorAndWritesTheLimitBack) {
    FakeHost host;
    aircraft.AcEssFeedSelector = 9;
    host.draw(kAcBus);
    EXPECT_EQ(host.value(FakeHost::element(kAcBus, 18)), 4.0);
    EXPECT_EQ(aircraft.AcEssFeedSelector, 4);
}

TEST(AcBusPanel, ALitOffLightRaisesTheAcFault) {
    FakeHost host;
    aircraft.DcNormBusPowered = 1;
    aircraft.AcBus1Powered = 1;
    aircraft.AcBus2Powered = 0;
    host.update(kAcBus);
    EXPECT_EQ(shown(kAcBus, {15, 16, 17}), "16 ");
    EXPECT_EQ(aircraft.ElecAcFault, 1);
}

TEST(AcBusPanel, OffLightsAndBarsStayDarkWithoutDcPower) {
    FakeHost host;
    host.update(kAcBus);
    EXPECT_EQ(shown(kAcBus, {1, 2, 3, 4, 5, 6, 15, 16, 17}), "");
    EXPECT_EQ(aircraft.ElecAcFault, 0);
    aircraft.DcEssBusPowered = 1;
    aircraft.AcEssNormPowered = 1;
    host.update(kAcBus);
    EXPECT_EQ(shown(kAcBus, {1, 2}), "2 ") << "the emergency bar crosses while the inverter is idle";
}

// --- Generator panel --------------------------------------------------------------

constexpr const char* kGenerators = "toskelin elec_gen_rulo";
constexpr uint32_t kTick = 1;

TEST(GeneratorPanel, TestHoldsTheSwitchFor27TicksThenReturnsItToOff) {
    FakeHost host;
    host.set(kTick, 100);
    host.click(kGenerators, 2);  // GEN 1 TEST
    EXPECT_EQ(aircraft.Gen1Switch, 2);
    host.update(kGenerators);
    EXPECT_EQ(shown(kGenerators, {1, 2, 3}), "1 ");
    host.set(kTick, 126);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen1Switch, 2) << "still held one tick before the end";
    host.set(kTick, 127);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen1Switch, 0);
    host.update(kGenerators);
    EXPECT_EQ(shown(kGenerators, {1, 2, 3}), "2 ");
}

TEST(GeneratorPanel, TestFromOnOrPressedAgainReturnsToOn) {
    FakeHost host;
    host.set(kTick, 10);
    host.click(kGenerators, 6);  // GEN 2 ON
    host.click(kGenerators, 8);  // GEN 2 TEST
    EXPECT_EQ(aircraft.Gen2Switch, 3);
    host.update(kGenerators);
    host.set(kTick, 37);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen2Switch, 1);

    host.click(kGenerators, 5);  // APU GEN TEST from OFF
    host.update(kGenerators);
    host.click(kGenerators, 5);  // and again while held
    EXPECT_EQ(aircraft.ApuGenSwitch, 3);
    host.set(kTick, 64);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.ApuGenSwitch, 1);
}

TEST(GeneratorPanel, ATestLeftByHandStopsTheTimerSoTheNextTestHoldsItsFullTime) {
    FakeHost host;
    host.set(kTick, 100);
    host.click(kGenerators, 2);  // GEN 1 TEST
    host.update(kGenerators);
    host.set(kTick, 105);
    host.click(kGenerators, 0);  // GEN 1 to ON by hand, 22 ticks early
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen1Switch, 1);

    host.set(kTick, 200);
    host.click(kGenerators, 8);  // GEN 2 TEST from OFF, long after GEN 1's time
    host.update(kGenerators);
    host.set(kTick, 226);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen2Switch, 2) << "held for its own 27 ticks";
    host.set(kTick, 227);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen2Switch, 0);
    EXPECT_EQ(aircraft.Gen1Switch, 1);
}

TEST(GeneratorPanel, AnUnreadableTickCounterHoldsTheTestUntilItReadsAgain) {
    FakeHost host;
    host.set(kTick, std::numeric_limits<double>::quiet_NaN());
    host.click(kGenerators, 2);
    for (int i = 0; i < 50; ++i) host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen1Switch, 2);
    host.set(kTick, 27);
    host.update(kGenerators);
    EXPECT_EQ(aircraft.Gen1Switch, 0);
}

TEST(GeneratorPanel, AnOffLightShowsAGeneratorDeliveringNothingAndItsFaultWhenAskedToDeliver) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    aircraft.Gen1Switch = 1;
    host.update(kGenerators);
    EXPECT_EQ(shown(kGenerators, {10, 11, 12}), "10 11 ") << "the APU is not running";
    EXPECT_EQ(aircraft.Gen1Fault, 1);
    EXPECT_EQ(aircraft.Gen2Fault, 0) << "GEN 2 is switched off";

    aircraft.Gen1Load = 100;
    aircraft.ApuRunning = 1;
    aircraft.ApuGenSwitch = 1;
    host.update(kGenerators);
    EXPECT_EQ(shown(kGenerators, {10, 11, 12}), "11 12 ");
    EXPECT_EQ(aircraft.Gen1Fault, 0);
    EXPECT_EQ(aircraft.ApuGenFault, 1);

    aircraft.DcEssBusPowered = 0;
    host.update(kGenerators);
    EXPECT_EQ(shown(kGenerators, {10, 11, 12}), "");
    EXPECT_EQ(aircraft.ApuGenFault, 0);
}

TEST(GeneratorPanel, NoOffLightWhileTheSwitchIsHeldInTest) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    host.click(kGenerators, 2);
    host.update(kGenerators);
    EXPECT_FALSE(host.visible(kGenerators, 10));
}

#if !defined(_WIN32)
TEST(GeneratorPanel, TestClicksOnEveryPressButOnOffOnlyOnAChange) {
    FakeHost host;
    host.load_sounds();
    host.click(kGenerators, 2);  // TEST
    host.click(kGenerators, 2);  // TEST again
    host.click(kGenerators, 0);  // ON
    host.click(kGenerators, 0);  // ON again
    EXPECT_EQ(host.plays("CLICK"), 3u);
}
#endif

// --- External power panel ---------------------------------------------------------

constexpr const char* kExtPower = "toskelin elec_ext_pwr_rulo";
constexpr std::size_t kExtPwrButton = 6;
constexpr std::size_t kExtPwrSwitchOn = 0;

// Parked: on the ground, at rest, engines stopped.
void park(FakeHost& host) {
    host.set(60, 1.0);
    host.set(625, 0.0);
    host.set(644, 0.0);
    host.set(551, 0.0);
    host.set(552, 0.0);
}

void press_ext_pwr(FakeHost& host, double tick) {
    host.set(kTick, tick);
    host.click(kExtPower, kExtPwrButton);
    host.update(kExtPower);
}

TEST(ExternalPower, PressingOnTheGroundShowsExtPwrAvailFor36TicksAndLightsAvail) {
    FakeHost host;
    park(host);
    press_ext_pwr(host, 200);
    EXPECT_EQ(aircraft.ExtPowerAvailable, 1);
    EXPECT_EQ(shown(kExtPower, {1, 2, 9, 10, 11}), "1 9 ");
    host.set(kTick, 235);
    host.update(kExtPower);
    EXPECT_TRUE(host.visible(kExtPower, 9));
    host.set(kTick, 236);
    host.update(kExtPower);
    EXPECT_EQ(shown(kExtPower, {1, 2, 9, 10, 11}), "1 ");
}

TEST(ExternalPower, TheSwitchPutsItOnTheBusesAndASecondPressSendsItAway) {
    FakeHost host;
    park(host);
    press_ext_pwr(host, 0);
    host.click(kExtPower, kExtPwrSwitchOn);
    host.update(kExtPower);
    EXPECT_EQ(aircraft.ExtPowerOnBus, 1);
    EXPECT_EQ(shown(kExtPower, {1, 2, 3, 4}), "1 2 4 ");

    press_ext_pwr(host, 100);
    EXPECT_EQ(aircraft.ExtPowerAvailable, 0);
    EXPECT_EQ(aircraft.ExtPowerOnBus, 0);
    EXPECT_EQ(aircraft.ExtPowerSwitch, 0);
    EXPECT_EQ(shown(kExtPower, {1, 2, 9, 10, 11}), "10 ");
    host.set(kTick, 136);
    host.update(kExtPower);
    EXPECT_EQ(shown(kExtPower, {3, 4, 9, 10, 11}), "3 ");
}

TEST(ExternalPower, PressingInFlightShowsNoExtPwr) {
    FakeHost host;
    park(host);
    host.set(60, 0.0);
    press_ext_pwr(host, 50);
    EXPECT_EQ(aircraft.ExtPowerAvailable, 0);
    EXPECT_EQ(shown(kExtPower, {1, 2, 9, 10, 11}), "11 ");
    host.set(kTick, 86);
    host.update(kExtPower);
    EXPECT_FALSE(host.visible(kExtPower, 11));
}

TEST(ExternalPower, ANewerMessageRunsItsFullTimeWhenAnOlderOneExpires) {
    FakeHost host;
    park(host);
    press_ext_pwr(host, 0);   // EXT PWR AVAIL until 36
    press_ext_pwr(host, 10);  // disconnection until 46
    host.set(kTick, 40);
    host.update(kExtPower);
    EXPECT_EQ(shown(kExtPower, {9, 10, 11}), "10 ");
    host.set(kTick, 46);
    host.update(kExtPower);
    EXPECT_EQ(shown(kExtPower, {9, 10, 11}), "");
}

TEST(ExternalPower, ItDropsWhenTheAircraftMovesLeavesTheGroundOrRunsBothEngines) {
    struct Row {
        uint32_t token;
        double value;
        bool drops;
    };
    for (const Row& r : {Row{551, 7.0, true}, Row{552, 3.5, true}, Row{552, 3.0, false}, Row{60, 0.0, true},
                         Row{625, 60.0, false}, Row{644, 19.9, false}}) {
        FakeHost host;
        park(host);
        press_ext_pwr(host, 0);
        host.click(kExtPower, kExtPwrSwitchOn);
        host.set(551, 3.0);  // a slow roll within the limit
        host.set(r.token, r.value);
        host.update(kExtPower);
        EXPECT_EQ(aircraft.ExtPowerAvailable, r.drops ? 0 : 1) << "token " << r.token;
        EXPECT_EQ(aircraft.ExtPowerSwitch, r.drops ? 0 : 1) << "token " << r.token;
        EXPECT_FALSE(host.visible(kExtPower, 11)) << "no message without a press";
    }
    FakeHost host;
    park(host);
    press_ext_pwr(host, 0);
    host.set(625, 60.0);
    host.set(644, 20.0);
    host.update(kExtPower);
    EXPECT_EQ(aircraft.ExtPowerAvailable, 0) << "both engines turning";
}

TEST(ExternalPower, AnUnreadableGroundOrSpeedDropsItButOneUnreadableEngineDoesNot) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        uint32_t token;
        double value;
        uint8_t available;
    };
    for (const Row& r :
         {Row{60, nan, 0}, Row{551, nan, 0}, Row{552, inf, 0}, Row{625, nan, 1}, Row{644, inf, 1}}) {
        FakeHost host;
        park(host);
        press_ext_pwr(host, 0);
        host.set(r.token, r.value);
        host.update(kExtPower);
        EXPECT_EQ(aircraft.ExtPowerAvailable, r.available) << "token " << r.token;
    }
}

TEST(ExternalPower, TheButtonActsOncePerUpdate) {
    FakeHost host;
    park(host);
    host.click(kExtPower, kExtPwrButton);
    host.click(kExtPower, kExtPwrButton);
    host.update(kExtPower);
    EXPECT_EQ(aircraft.ExtPowerAvailable, 1);
}

#if !defined(_WIN32)
TEST(ExternalPower, TheButtonIsSilentAndTheSwitchesClickOnlyWhenTheyMove) {
    FakeHost host;
    host.load_sounds();
    host.click(kExtPower, kExtPwrButton);
    host.click(kExtPower, 2);  // AC LAND NORM: already there
    host.click(kExtPower, 3);  // LAND
    host.click(kExtPower, 4);  // ESS BUS LOAD NORM: already there
    host.click(kExtPower, 5);  // MIN
    EXPECT_EQ(host.plays("CLICK"), 2u);
}
#endif

TEST(ExternalPower, TheSwitchFallsBackToOffWithoutAGroundUnit) {
    FakeHost host;
    park(host);
    host.click(kExtPower, kExtPwrSwitchOn);
    host.update(kExtPower);
    EXPECT_EQ(aircraft.ExtPowerSwitch, 0);
    EXPECT_EQ(aircraft.ExtPowerOnBus, 0);
}

TEST(ExternalPower, TheLoadSwitchesSetTheBatteryLoadLevel) {
    struct Row {
        std::size_t ess_area, land_area;  // ESS BUS LOAD and AC LAND positions clicked
        uint8_t level;
        const char* bitmaps;
    };
    for (const Row& r :
         {Row{4, 2, 2, "6 8 "}, Row{4, 3, 2, "5 8 "}, Row{5, 3, 1, "5 7 "}, Row{5, 2, 0, "6 7 "}}) {
        FakeHost host;
        host.click(kExtPower, r.ess_area);
        host.click(kExtPower, r.land_area);
        host.update(kExtPower);
        EXPECT_EQ(aircraft.BattLoadLevel, r.level);
        EXPECT_EQ(shown(kExtPower, {5, 6, 7, 8}), r.bitmaps);
    }
}

TEST(ExternalPower, InstrumentBusesAreFedAtFullLoadAndTheFaultFollowsBus2) {
    FakeHost host;
    aircraft.AcEssNormPowered = 1;
    aircraft.AcBus2Powered = 0;
    host.update(kExtPower);  // ESS BUS LOAD NORM: full load
    EXPECT_EQ(aircraft.InstrBus1Powered, 1);
    EXPECT_EQ(aircraft.InstrBus2Powered, 0);
    EXPECT_EQ(aircraft.InstrBusFault, 1);
    aircraft.AcBus2Powered = 1;
    host.update(kExtPower);
    EXPECT_EQ(aircraft.InstrBusFault, 0);

    aircraft.AcBus2Powered = 0;
    host.update(kExtPower);
    host.click(kExtPower, 5);  // ESS BUS LOAD MIN
    host.update(kExtPower);
    EXPECT_EQ(aircraft.InstrBus1Powered, 0);
    EXPECT_EQ(aircraft.InstrBus2Powered, 0);
    EXPECT_EQ(aircraft.InstrBusFault, 1) << "below full load the fault keeps its value";
}

// --- Meter selectors --------------------------------------------------------------

constexpr const char* kDcSelector = "toskelin elec_sel_ind_dc_rulo";
constexpr const char* kAcSelectors = "toskelin elec_sel_ind_ac_rulo";

TEST(MeterSelectors, EachKnobStepsOnePositionAndStopsAtItsEnds) {
    FakeHost host;
    host.click(kDcSelector, 0);
    EXPECT_EQ(aircraft.DcMeterSelector, 0);
    for (int i = 0; i < 9; ++i) host.click(kDcSelector, 1);
    EXPECT_EQ(aircraft.DcMeterSelector, 7);
    for (int i = 0; i < 4; ++i) host.click(kAcSelectors, 1);
    EXPECT_EQ(aircraft.AcPhaseSelector, 2);
    host.click(kAcSelectors, 0);
    EXPECT_EQ(aircraft.AcPhaseSelector, 1);
    for (int i = 0; i < 10; ++i) host.click(kAcSelectors, 3);
    EXPECT_EQ(aircraft.AcMeterSelector, 8);
    for (int i = 0; i < 10; ++i) host.click(kAcSelectors, 2);
    EXPECT_EQ(aircraft.AcMeterSelector, 0);
}

TEST(MeterSelectors, KnobsShowTheirSelectorLimitedToTheTopPositionWrittenBack) {
    FakeHost host;
    aircraft.DcMeterSelector = 3;
    host.draw(kDcSelector);
    EXPECT_EQ(host.value(FakeHost::element(kDcSelector, 1)), 3.0);
    aircraft.DcMeterSelector = 200;
    aircraft.AcPhaseSelector = 3;
    aircraft.AcMeterSelector = 9;
    host.draw(kDcSelector);
    host.draw(kAcSelectors);
    EXPECT_EQ(host.value(FakeHost::element(kDcSelector, 1)), 7.0);
    EXPECT_EQ(host.value(FakeHost::element(kAcSelectors, 1)), 2.0);
    EXPECT_EQ(host.value(FakeHost::element(kAcSelectors, 2)), 8.0);
    EXPECT_EQ(aircraft.DcMeterSelector, 7);
    EXPECT_EQ(aircraft.AcPhaseSelector, 2);
    EXPECT_EQ(aircraft.AcMeterSelector, 8);
}

// --- Meters -----------------------------------------------------------------------

constexpr const char* kDcVolts = "toskelin elec_ind_dc_v_rulo";
constexpr const char* kDcAmps = "toskelin elec_ind_dc_amps_rulo";
constexpr const char* kAcVolts = "toskelin elec_ind_ac_v_rulo";
constexpr const char* kAcFrequency = "toskelin elec_ind_ac_frq_rulo";
constexpr const char* kGen1Load = "toskelin elec_ind_ac_load1_rulo";
constexpr const char* kApuLoad = "toskelin elec_ind_ac_loadapu_rulo";

// The needle's value after `updates` updates of its gauge.
double needle_after(FakeHost& host, const char* gauge, int updates) {
    for (int i = 0; i < updates; ++i) host.update(gauge);
    host.draw(gauge);
    return host.value(FakeHost::element(gauge, 1));
}

TEST(DcVoltmeter, OnABatteryPositionItClimbsToTwentyFourWhileTheBatteriesDischarge) {
    FakeHost host;
    electrical::solve_network();  // no AC source: the batteries discharge
    ASSERT_LT(aircraft.BattCurrent, 0);
    for (int i = 0; i < 5; ++i) host.click(kDcSelector, 1);  // BAT 1
    // 4 V steps to 16, then 2 V steps, stopping on 24.
    EXPECT_EQ(needle_after(host, kDcVolts, 1), 4.0);
    EXPECT_EQ(needle_after(host, kDcVolts, 3), 16.0);
    EXPECT_EQ(needle_after(host, kDcVolts, 4), 24.0);
    EXPECT_EQ(needle_after(host, kDcVolts, 10), 24.0);
}

TEST(DcVoltmeter, ItSettlesAtTwentyEightOnABatteryChargingOrIdleAndComesDownOntoTwentyFour) {
    FakeHost host;
    aircraft.DcMeterSelector = 7;  // BAT 3
    aircraft.BattSwitchedOn = 1;
    aircraft.BattCurrent = 0;
    EXPECT_EQ(needle_after(host, kDcVolts, 30), 28.0);
    aircraft.BattCurrent = 50;
    EXPECT_EQ(needle_after(host, kDcVolts, 1), 28.0);
    aircraft.BattCurrent = -50;
    EXPECT_EQ(needle_after(host, kDcVolts, 1), 24.0);
}

TEST(DcVoltmeter, ItFallsToZeroWhenTheSourceDies) {
    FakeHost host;
    aircraft.DcMeterSelector = 1;  // ESS BUS
    aircraft.DcEssBusPowered = 1;
    EXPECT_EQ(needle_after(host, kDcVolts, 20), 28.0);
    aircraft.DcEssBusPowered = 0;
    EXPECT_EQ(needle_after(host, kDcVolts, 1), 26.0);
    EXPECT_EQ(needle_after(host, kDcVolts, 6), 14.0);
    EXPECT_EQ(needle_after(host, kDcVolts, 4), 0.0);
}

TEST(AcVoltmeter, OnGen1ItShows115WhileGen1IsHeldInTestWithTheEngineStopped) {
    FakeHost host;
    for (int i = 0; i < 6; ++i) host.click(kAcSelectors, 3);  // GEN 1
    host.click(kGenerators, 2);                               // GEN 1 TEST
    // 10 V steps to 100, then 2 V steps, stopping on 115.
    EXPECT_EQ(needle_after(host, kAcVolts, 10), 100.0);
    EXPECT_EQ(needle_after(host, kAcVolts, 7), 114.0);
    EXPECT_EQ(needle_after(host, kAcVolts, 1), 115.0);
    EXPECT_EQ(needle_after(host, kAcVolts, 5), 115.0);
    aircraft.Gen1Switch = 0;
    EXPECT_EQ(needle_after(host, kAcVolts, 1), 113.0);
}

TEST(AcFrequencyMeter, ItSinksToTheBottomStopDeadAndClimbsToNominalLive) {
    FakeHost host;
    EXPECT_EQ(needle_after(host, kAcFrequency, 1), -20.0);
    EXPECT_EQ(needle_after(host, kAcFrequency, 20), -300.0);
    aircraft.AcMeterSelector = 4;  // BUS 1
    aircraft.AcBus1Powered = 1;
    EXPECT_EQ(needle_after(host, kAcFrequency, 1), -280.0);
    EXPECT_EQ(needle_after(host, kAcFrequency, 20), 0.0);
}

TEST(LoadMeters, AGeneratorHeldInTestShowsTheTestLoad) {
    FakeHost host;
    aircraft.Gen1Load = 100;
    EXPECT_EQ(needle_after(host, kGen1Load, 0), 100.0);
    host.click(kGenerators, 2);  // GEN 1 TEST
    EXPECT_EQ(needle_after(host, kGen1Load, 0), 50.0);
    aircraft.ApuGenLoadMeter = 50;
    EXPECT_EQ(needle_after(host, kApuLoad, 0), 50.0);
}

TEST(MeterClamps, EachNeedleLimitsItsValueToTheScaleAndWritesTheLimitBack) {
    FakeHost host;
    electrical::ElectricalMeterState& m = private_state.elec_panel.meters;
    m.dc_volts = 50;
    m.ac_volts = 400;
    m.ac_frequency = -1000;
    aircraft.BattCurrent = -500;
    aircraft.Gen1Load = 250;
    aircraft.ApuGenLoadMeter = -5;
    for (const char* gauge : {kDcVolts, kAcVolts, kAcFrequency, kDcAmps, kGen1Load, kApuLoad})
        host.draw(gauge);
    EXPECT_EQ(host.value(FakeHost::element(kDcVolts, 1)), 35.0);
    EXPECT_EQ(host.value(FakeHost::element(kAcVolts, 1)), 130.0);
    EXPECT_EQ(host.value(FakeHost::element(kAcFrequency, 1)), -300.0);
    EXPECT_EQ(host.value(FakeHost::element(kDcAmps, 1)), -300.0);
    EXPECT_EQ(host.value(FakeHost::element(kGen1Load, 1)), 200.0);
    EXPECT_EQ(host.value(FakeHost::element(kApuLoad, 1)), 0.0);
    EXPECT_EQ(m.dc_volts, 35);
    EXPECT_EQ(m.ac_volts, 130);
    EXPECT_EQ(m.ac_frequency, -300);
    EXPECT_EQ(aircraft.BattCurrent, -300);
    EXPECT_EQ(aircraft.Gen1Load, 200);
    EXPECT_EQ(aircraft.ApuGenLoadMeter, 0);
}

TEST(MeterClamps, AMeterWrittenFarOutOfRangeStepsBackWithoutOverflow) {
    FakeHost host;
    electrical::ElectricalMeterState& m = private_state.elec_panel.meters;
    m.dc_volts = std::numeric_limits<int32_t>::min();
    m.ac_frequency = std::numeric_limits<int32_t>::min();
    host.update(kDcVolts);
    host.update(kAcFrequency);
    EXPECT_EQ(m.dc_volts, 0);
    EXPECT_EQ(m.ac_frequency, -300);
}

}  // namespace
}  // namespace kadrimos::testing
