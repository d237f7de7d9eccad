// The electrical network solver: start-up, batteries, sources, ties, buses
// and the two fault flags.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"
#include "systems/electrical/network.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kPanel = "toskelin flt_deck_lt_rulo";
constexpr uint32_t kClock = 604, kN1Engine1 = 624, kN1Engine2 = 643, kOnGround = 60, kStartState = 329;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// --- Start-up -------------------------------------------------------------------

TEST(ElectricalStartUp, TheFirstUpdateNamesSixPanelWindowsInOrderThenSetsTheSwitchesOnce) {
    FakeHost host;
    electrical::solve_network();
    EXPECT_EQ(aircraft.InitPhase, 1);
    electrical::apply_startup_switches();
    EXPECT_EQ(aircraft.InitPhase, 2);
    electrical::solve_network();
    electrical::apply_startup_switches();
    std::vector<uint32_t> windows;
    for (const KeyEvent& e : host.events())
        if (e.id == 0x103CB) windows.push_back(e.value);
    EXPECT_EQ(windows, (std::vector<uint32_t>{10030, 10040, 10050, 10090, 10060, 10080}));
    EXPECT_EQ(aircraft.InitPhase, 2);
}

TEST(ElectricalStartUp, OnTheGroundALowStartValueGivesAColdCockpitWhoseBusDiesAtTheNextUpdate) {
    FakeHost host;
    host.set(kOnGround, 1.0);
    host.set(kStartState, 3999.0);
    aircraft.ApuGenSwitch = 1;
    host.update(kPanel);  // the solver, then the start-up set
    EXPECT_EQ(aircraft.DcEssBusPowered, 1) << "the batteries were on during the solve";
    EXPECT_EQ(aircraft.AcBus1Powered + aircraft.AcBus2Powered + aircraft.AcEssNormPowered, 0);
    EXPECT_EQ(aircraft.AcEssInvPowered, 1) << "the static inverter runs off the batteries";
    for (uint8_t off :
         {aircraft.Batt1Switch, aircraft.Batt3Switch, aircraft.Gen2Switch, aircraft.HpLever1Open,
          aircraft.HydPtuGreenYellowSwitch, aircraft.ApuGenSwitch, aircraft.AcLandSwitch})
        EXPECT_EQ(off, 0);
    for (uint8_t on :
         {aircraft.Tr1Switch, aircraft.BusTie2Switch, aircraft.Gen2BreakerSwitch, aircraft.EssBusLoadSwitch})
        EXPECT_EQ(on, 1);
    EXPECT_EQ(aircraft.AcEssFeedSelector, 2);
    EXPECT_EQ(aircraft.HydPump4Spool, 100);
    EXPECT_EQ(aircraft.InitPhase, 2);
    host.update(kPanel);
    EXPECT_EQ(aircraft.DcEssBusPowered, 0);
}

TEST(ElectricalStartUp, AHighStartValueOnTheGroundOrFlightOrANaNGroundFlagGiveARunningAircraft) {
    for (double on_ground : {1.0, 0.0, kNaN}) {
        FakeHost host;
        host.set(kOnGround, on_ground);
        host.set(kStartState, 4000.0);
        aircraft.ApuGenSwitch = 1;
        host.update(kPanel);
        for (uint8_t on :
             {aircraft.Batt2Switch, aircraft.Gen1Switch, aircraft.HpLever2Open, aircraft.YawDamperSwitch2,
              aircraft.PitchTrimSwitch1, aircraft.ProbeHeatSwitch1, aircraft.ApuGenSwitch})
            EXPECT_EQ(on, 1) << "ground flag " << on_ground;
    }
}

TEST(ElectricalStartUp, TheFirstUpdateCheckSendsItsEventOnlyBelowFiveAndOnlyOnce) {
    for (double value : {4.99, 5.0, kNaN}) {
        FakeHost host;
        host.set(759, value);
        electrical::solve_network();
        electrical::solve_network();
        EXPECT_EQ(host.count(0x102C1), value < 5.0 ? 1u : 0u) << value;
    }
}

// --- After start-up, switches at their load values ---------------------------------

class ElectricalNetwork : public ::testing::Test {
protected:
    void SetUp() override { aircraft.InitPhase = 2; }
    void solve_at(double clock_s) {
        host.set(kClock, clock_s);
        electrical::solve_network();
    }
    // Generator 2 alone carries both AC buses across the ties after three updates.
    void run_on_generator_2() {
        host.set(kN1Engine2, 100.0);
        aircraft.Gen2Switch = 1;
        for (int i = 0; i < 3; ++i) solve_at(0);
    }
    FakeHost host;
};

TEST_F(ElectricalNetwork, TheBatteryEmptiesIn1800SecondsAt50AOr5400At10AAndStaysEmpty) {
    // Load level, clock, current, charge; a row at clock 0 starts a full battery afresh.
    const std::tuple<uint8_t, double, int32_t, uint32_t> rows[] = {
        {1, 100, -50, 1800}, {1, 1000.5, -50, 900}, {1, 1899, -50, 1}, {1, 1900, -50, 0},
        {1, 9e6, -50, 0},    {0, 0, -10, 1800},     {0, 2, -10, 1800}, {0, 3, -10, 1799},
        {0, 5399, -10, 1},   {0, 5400, -10, 0},     {2, 0, -50, 1800}};
    for (const auto& [load_level, clock, current, charge] : rows) {
        if (clock == 0) reset_module();
        aircraft.InitPhase = 2;
        aircraft.BattLoadLevel = load_level;
        solve_at(clock);
        EXPECT_EQ(aircraft.BattCurrent, current) << "clock " << clock;
        EXPECT_EQ(aircraft.BattCharge, charge) << "clock " << clock;
    }
}

TEST_F(ElectricalNetwork, ChargingRunsAt50AUpTo1750ThenTapersToFull) {
    aircraft.BattCharge = 1700;
    aircraft.ExtPowerOnBus = 1;
    solve_at(0);  // the essential TR delivers from the next update
    solve_at(0);
    // Clock, current (from the charge of the update before), charge.
    const std::tuple<double, int32_t, uint32_t> rows[] = {
        {50, 50, 1750}, {60, 50, 1760}, {70, 40, 1770}, {100, 30, 1800}, {101, 0, 1800}};
    for (const auto& [clock, current, charge] : rows) {
        solve_at(clock);
        EXPECT_EQ(aircraft.BattCurrent, current) << "clock " << clock;
        EXPECT_EQ(aircraft.BattCharge, charge) << "clock " << clock;
    }
}

TEST_F(ElectricalNetwork, SwitchingEveryBatteryOffKeepsTheDischargeReachedForTheNextDischarge) {
    aircraft.BattLoadLevel = 1;
    solve_at(0);
    solve_at(600);
    aircraft.Batt1Switch = aircraft.Batt2Switch = aircraft.Batt3Switch = 0;
    solve_at(700);
    EXPECT_EQ(aircraft.BattCurrent, 0);
    aircraft.Batt2Switch = 1;
    solve_at(1000);
    EXPECT_EQ(aircraft.BattCharge, 1200u);
    solve_at(1100);
    EXPECT_EQ(aircraft.BattCharge, 1100u);
}

TEST_F(ElectricalNetwork, ADischargeGoesOnFromTheChargeReachedAfterAChargeOrALoadChange) {
    aircraft.BattLoadLevel = 1;
    solve_at(0);
    solve_at(600);  // 1200
    aircraft.ExtPowerOnBus = 1;
    for (double clock : {600, 600, 700}) solve_at(clock);
    EXPECT_EQ(aircraft.BattCharge, 1300u);
    aircraft.ExtPowerOnBus = 0;
    solve_at(800);
    EXPECT_EQ(aircraft.BattCharge, 1300u) << "from the charge reached, not from full";
    solve_at(900);
    aircraft.BattLoadLevel = 0;
    solve_at(1200);
    EXPECT_EQ(aircraft.BattCharge, 1200u);
    solve_at(1500);
    EXPECT_EQ(aircraft.BattCharge, 1100u);
}

TEST_F(ElectricalNetwork, AClockThatJumpsBackOrIsNotANumberKeepsTheChargeAndTimesOnFromTheNextReading) {
    aircraft.BattLoadLevel = 1;
    solve_at(1000);
    solve_at(1600);  // 1200
    for (double clock : {10.0, kNaN, kInf, -kInf, 5000.0}) {
        solve_at(clock);
        EXPECT_EQ(aircraft.BattCharge, 1200u) << "clock " << clock;
    }
    solve_at(5100);
    EXPECT_EQ(aircraft.BattCharge, 1100u);
    aircraft.ExtPowerOnBus = 1;
    for (double clock : {5100, 5100, 5100, 5200, 0}) solve_at(clock);
    EXPECT_EQ(aircraft.BattCharge, 1200u) << "charging, then the clock went back";
    solve_at(kNaN);
    solve_at(50);  // time the clock could not tell is not counted
    EXPECT_EQ(aircraft.BattCharge, 1200u);
    solve_at(100);
    EXPECT_EQ(aircraft.BattCharge, 1250u);
}

TEST_F(ElectricalNetwork, TheChargeStaysBetweenEmptyAndFullWhateverTheClockOrTheSharedRecordHolds) {
    aircraft.ExtPowerOnBus = 1;
    aircraft.BattCharge = 0;
    for (double clock : {-1e12, -1e12, -1e12, 1e300}) solve_at(clock);
    EXPECT_EQ(aircraft.BattCharge, 1800u);
    aircraft.BattCharge = 5000;
    solve_at(2e300);
    EXPECT_EQ(aircraft.BattCharge, 1800u);
    aircraft.ExtPowerOnBus = 0;
    solve_at(0);
    solve_at(3e9);
    EXPECT_EQ(aircraft.BattCharge, 0u);
}

TEST_F(ElectricalNetwork, ABatteryLightShowsOnAlwaysAndNormOnlyWhileCurrentFlows) {
    aircraft.Batt1Switch = 0;
    aircraft.Batt3Switch = 2;
    solve_at(0);  // discharging
    EXPECT_EQ(aircraft.Batt1Connected * 100 + aircraft.Batt2Connected * 10 + aircraft.Batt3Connected, 11);
    aircraft.ExtPowerOnBus = 1;
    solve_at(0);
    solve_at(0);  // full and idle
    EXPECT_EQ(aircraft.BattCurrent, 0);
    EXPECT_EQ(aircraft.Batt1Connected * 100 + aircraft.Batt2Connected * 10 + aircraft.Batt3Connected, 1);
}

// --- Sources, ties and buses --------------------------------------------------------

TEST_F(ElectricalNetwork, AGeneratorNeedsItsSwitchTenPercentN1AndNoFailure) {
    // Switch, N1, failed, load.
    const std::tuple<uint8_t, double, uint8_t, int32_t> rows[] = {{1, 10.0, 0, 50}, {1, 9.99, 0, 0},
                                                                  {1, kNaN, 0, 0},  {1, kInf, 0, 50},
                                                                  {1, 100.0, 1, 0}, {0, 100.0, 0, 0}};
    for (const auto& [gen_switch, n1, failed, load] : rows) {
        aircraft.Gen1Switch = gen_switch;
        aircraft.Gen1Failed = failed;
        host.set(kN1Engine1, n1);
        solve_at(0);
        EXPECT_EQ(aircraft.Gen1Load, load) << "N1 " << n1;
    }
}

TEST_F(ElectricalNetwork, AGeneratorOnLineAcrossClosedTiesTakesFullLoadUntilTheTiesOpen) {
    run_on_generator_2();
    EXPECT_EQ(aircraft.Gen2Load, 100);
    EXPECT_EQ(aircraft.BusTie1Closed + aircraft.BusTie2Closed, 2);
    EXPECT_EQ(aircraft.AcBus1Powered + aircraft.AcBus2Powered + aircraft.AcEssNormPowered, 3);
    EXPECT_EQ(aircraft.ElecAcFault + aircraft.ElecDcFault, 0);
    host.set(kN1Engine1, 100.0);
    aircraft.Gen1Switch = 1;
    solve_at(0);
    EXPECT_EQ(aircraft.Gen1Load + aircraft.Gen2Load, 200);
    EXPECT_EQ(aircraft.BusTie1Closed + aircraft.BusTie2Closed, 0) << "each generator on its own bus";
    solve_at(0);
    EXPECT_EQ(aircraft.Gen1Load + aircraft.Gen2Load, 100);
}

TEST_F(ElectricalNetwork, OpeningATieDropsItsGeneratorToHalfLoadAtTheNextUpdateAndLosesTheFarBus) {
    run_on_generator_2();
    aircraft.BusTie2Switch = 0;
    solve_at(0);
    EXPECT_EQ(aircraft.Gen2Load, 100);
    EXPECT_EQ(aircraft.AcBus1Powered, 0);
    EXPECT_EQ(aircraft.AcEssInvPowered, 1) << "the inverter takes the essential bus";
    EXPECT_EQ(aircraft.ElecAcFault, 1);
    solve_at(0);
    EXPECT_EQ(aircraft.Gen2Load, 50);
}

// One generator feeding its own bus and, through both ties, the other; the
// essential bus on that generator's normal feed. Opening the far tie loses
// the far AC bus alone, and that loss raises the AC fault by itself.
TEST_F(ElectricalNetwork, AnAcBusLostOnItsOwnRaisesTheAcFaultWithTheEssentialBusOnItsNormalFeed) {
    struct Row {
        uint32_t n1_token;
        uint8_t AircraftState::*generator;
        uint8_t feed_selector;  // the running generator's own position
        uint8_t AircraftState::*far_tie;
        uint8_t AircraftState::*lost_bus;
        uint8_t AircraftState::*kept_bus;
    };
    const Row rows[] = {
        {kN1Engine2, &AircraftState::Gen2Switch, 0, &AircraftState::BusTie2Switch,
         &AircraftState::AcBus1Powered, &AircraftState::AcBus2Powered},
        {kN1Engine1, &AircraftState::Gen1Switch, 1, &AircraftState::BusTie1Switch,
         &AircraftState::AcBus2Powered, &AircraftState::AcBus1Powered},
    };
    for (const Row& row : rows) {
        reset_module();
        aircraft.InitPhase = 2;
        host.set(kN1Engine1, 0.0);
        host.set(kN1Engine2, 0.0);
        host.set(row.n1_token, 100.0);
        aircraft.*row.generator = 1;
        aircraft.AcEssFeedSelector = row.feed_selector;
        for (int i = 0; i < 3; ++i) solve_at(0);
        ASSERT_EQ(aircraft.AcBus1Powered + aircraft.AcBus2Powered + aircraft.AcEssNormPowered, 3);
        ASSERT_EQ(aircraft.ElecAcFault, 0);

        aircraft.*row.far_tie = 0;
        solve_at(0);
        EXPECT_EQ(aircraft.*row.lost_bus, 0);
        EXPECT_EQ(aircraft.*row.kept_bus, 1);
        EXPECT_EQ(aircraft.AcEssNormPowered, 1) << "the essential bus keeps its normal feed";
        EXPECT_EQ(aircraft.AcEssInvPowered, 0);
        EXPECT_EQ(aircraft.ElecAcFault, 1) << "feed selector " << int{row.feed_selector};
    }
}

TEST_F(ElectricalNetwork, TheApuGeneratorsLoadAndMeterFollowTheTiesOfTheLastUpdate) {
    aircraft.ApuGenSwitch = 1;
    aircraft.ApuRunning = 1;
    // Ties 1 and 2 at the last update, load, meter.
    const std::tuple<uint8_t, uint8_t, int32_t, int32_t> rows[] = {
        {1, 1, 100, 100}, {0, 0, 100, 0}, {1, 0, 50, 50}, {0, 1, 50, 50}};
    for (const auto& [tie1, tie2, load, meter] : rows) {
        private_state.electrical_network.previous.BusTie1Closed = tie1;
        private_state.electrical_network.previous.BusTie2Closed = tie2;
        solve_at(0);
        EXPECT_EQ(aircraft.ApuGenLoad, load);
        EXPECT_EQ(aircraft.ApuGenLoadMeter, meter);
    }
    aircraft.ApuRunning = 0;
    solve_at(0);
    EXPECT_EQ(aircraft.ApuGenLoad + aircraft.ApuGenLoadMeter, 0);
}

TEST_F(ElectricalNetwork, EachFeedSelectorPositionTakesItsNormalFeedOrElseTheInverter) {
    run_on_generator_2();  // AC bus 1 across the ties; no generator 1, APU or external power
    // Position (7 is none: the flags stay), normal feed, inverter and AC fault.
    const std::tuple<uint8_t, uint8_t, uint8_t> rows[] = {
        {0, 1, 0}, {1, 0, 1}, {2, 1, 0}, {3, 0, 1}, {7, 0, 1}};
    for (const auto& [position, normal, inverter] : rows) {
        aircraft.AcEssFeedSelector = position;
        solve_at(0);
        EXPECT_EQ(aircraft.AcEssNormPowered, normal) << "position " << int{position};
        EXPECT_EQ(aircraft.AcEssInvPowered, inverter) << "position " << int{position};
        EXPECT_EQ(aircraft.ElecAcFault, inverter) << "position " << int{position};
    }
}

TEST_F(ElectricalNetwork, InEmergencyInverterBothEssentialFlagsFollowTheDcEssentialBus) {
    aircraft.AcEssFeedSelector = 4;
    solve_at(0);
    EXPECT_EQ(aircraft.AcEssNormPowered + aircraft.AcEssInvPowered + aircraft.AcEssBusPowered, 3);
    aircraft.Batt1Switch = aircraft.Batt2Switch = aircraft.Batt3Switch = 0;
    solve_at(0);
    EXPECT_EQ(aircraft.AcEssNormPowered + aircraft.AcEssInvPowered + aircraft.AcEssBusPowered, 0);
}

TEST_F(ElectricalNetwork, TheDcFaultLatchesUntilAllThreeTrsDeliver) {
    aircraft.Tr1Switch = 0;
    solve_at(0);
    EXPECT_EQ(aircraft.ElecDcFault, 1) << "TR 2 and the essential TR on without supply";
    run_on_generator_2();
    EXPECT_EQ(aircraft.ElecDcFault, 1) << "TR 1 is off";
    aircraft.Tr1Switch = 1;
    solve_at(0);
    EXPECT_EQ(aircraft.ElecDcFault, 0);
}

TEST_F(ElectricalNetwork, AnEmptyBatteryLeavesTheDcEssentialBusToTheDcTie) {
    aircraft.BattCharge = 0;
    host.set(kN1Engine2, 100.0);
    aircraft.Gen2Switch = 1;
    solve_at(0);
    EXPECT_EQ(aircraft.DcEssBusPowered, 0);
    solve_at(0);  // TR 2 delivers, the essential TR not yet
    EXPECT_EQ(aircraft.DcEssBusPowered + aircraft.DcEssFromNormBus, 2);
    aircraft.DcBusTieSwitch = 0;
    aircraft.EssTrSwitch = 0;
    solve_at(0);
    EXPECT_EQ(aircraft.DcEssBusPowered, 0);
    EXPECT_EQ(aircraft.DcEssFromNormBus, 1) << "a dead bus keeps where it was last fed from";
}

}  // namespace
}  // namespace kadrimos::testing
