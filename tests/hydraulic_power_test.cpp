// Hydraulic power and the system monitors: pressures and states, what a loss
// commands, the pump ramps, the engine fuel valves, the yaw damper and pitch
// trim monitors, the pitch protections and the probe heaters.
#include "systems/electrical/hydraulic_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <set>
#include <vector>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
HydraulicMonitorState& monitor = private_state.hydraulic_monitor;

class Solver : public ::testing::Test {
protected:
    FakeHost host;

    static void run(int updates = 1) {
        for (int i = 0; i < updates; ++i) electrical::solve_hydraulics_and_monitors();
    }
    void engines(double n2_1, double n2_2) {
        host.set(625, n2_1);
        host.set(644, n2_2);
    }
    static void all_pressures(int32_t psi) {
        aircraft.HydPressBlue = static_cast<uint32_t>(psi);
        aircraft.HydPressGreenA = aircraft.HydPressGreenB = aircraft.HydPressGreen = psi;
        aircraft.HydPressYellow = monitor.previous_green_psi = monitor.previous_yellow_psi = psi;
    }
    void healthy() {
        engines(60.0, 60.0);
        all_pressures(3000);
    }
    static void buses(uint8_t on) {
        aircraft.DcEssBusPowered = aircraft.DcNormBusPowered = on;
        aircraft.AcBus1Powered = aircraft.AcBus2Powered = on;
    }
    KeyEvent last_event() const { return host.events().empty() ? KeyEvent{0, 0} : host.events().back(); }
    // A host pitch in radians that this aircraft reads as exactly `degrees`.
    static double radians_for(double degrees) {
        double r = degrees / (180.0 / 3.14116);
        for (int i = 0; i < 8 && electrical::pitch_degrees(r) != degrees; ++i)
            r = std::nextafter(r, electrical::pitch_degrees(r) < degrees ? 1.0e9 : -1.0e9);
        return r;
    }
};

// --- Pressures, states and pumps ----------------------------------------------------

using HydraulicPressures = Solver;

TEST_F(HydraulicPressures, RiseBy30PerUpdateOnTheirEnginePumpsAndStopAt3000) {
    engines(60.0, 60.0);
    run();
    EXPECT_EQ(aircraft.HydPressBlue, 30u);
    EXPECT_EQ(aircraft.HydPressYellow, 30);
    run(100);
    EXPECT_EQ(aircraft.HydPressBlue, 3000u);
    EXPECT_EQ(aircraft.HydPressGreen, 3000);
    EXPECT_EQ(aircraft.HydStateYellow, 1);
}

TEST_F(HydraulicPressures, DecayBy15PerUpdateToZeroWithoutAnySourceAndNeverWrap) {
    aircraft.HydPtuBlueGreenSwitch = aircraft.HydPtuGreenYellowSwitch = 0;
    all_pressures(3000);
    run(83);
    ASSERT_EQ(aircraft.HydPressBlue, 1755u);
    EXPECT_EQ(aircraft.HydStateBlue, 2);
    EXPECT_EQ(aircraft.AllHydraulicsLost, 0);
    run();
    EXPECT_EQ(aircraft.AllHydraulicsLost, 1);
    run(116);
    EXPECT_EQ(aircraft.HydPressBlue, 0u);
    aircraft.HydPressBlue = 10;  // less than one step: ends at 0, not near 4 billion
    run();
    EXPECT_EQ(aircraft.HydPressBlue, 0u);
}

TEST_F(HydraulicPressures, EngineOneAloneFeedsGreenBThroughBlueOfThisUpdate) {
    engines(60.0, 0.0);
    aircraft.HydPressBlue = 1720;
    run();
    EXPECT_EQ(aircraft.HydPressBlue, 1750u);
    EXPECT_EQ(aircraft.HydPressGreenA, 30);
    EXPECT_EQ(aircraft.HydPressGreenB, 30);
    EXPECT_EQ(aircraft.HydPressYellow, 0);
}

TEST_F(HydraulicPressures, TheElectricPumpFeedsGreenUnlessEveryEnginePumpIsRunDown) {
    aircraft.HydElecPump2Switch = aircraft.AcBus2Powered = 1;
    run();
    EXPECT_EQ(aircraft.HydElecPumpRunning, 1);
    EXPECT_EQ(aircraft.HydPressGreenA, 30);
    EXPECT_EQ(aircraft.HydPressGreenB, 30);
    aircraft.HydPump1Spool = aircraft.HydPump2Spool = aircraft.HydPump3Spool = aircraft.HydPump4Spool = 0;
    run();
    EXPECT_EQ(aircraft.HydPressGreen, 15);
}

TEST_F(HydraulicPressures, AFailedGreenPumpWithItsEngineTurningNeverHoldsPressure) {
    healthy();
    aircraft.HydPtuGreenYellowSwitch = aircraft.HydPtuBlueGreenSwitch = 0;
    aircraft.HydPumpGreenFailed = 1;
    aircraft.HydPump1Spool = 150;  // spooling: blue holds
    run();
    EXPECT_EQ(aircraft.HydPressGreen, 2985);
    EXPECT_EQ(aircraft.HydPressBlue, 3000u);
    aircraft.HydPtuBlueGreenSwitch = 1;
    run();
    EXPECT_EQ(aircraft.HydPressGreenB, 3000) << "fed by blue through the link";
    EXPECT_EQ(aircraft.HydPressGreenA, 2970);
}

// The GREEN-YELLOW interconnection both ways: green A, its own pump down with
// engine 1, takes yellow's pressure of the last update while engine 2 turns;
// yellow, its pump down with engine 2, takes green's. Each only with the
// link on; otherwise (no electric pump, no ram air) the side decays.
TEST_F(HydraulicPressures, TheGreenYellowLinkFeedsGreenAFromYellowWhileEngineTwoTurnsAndYellowFromGreen) {
    struct Row {
        double n2_1;
        double n2_2;
        uint8_t link;
        int32_t AircraftState::*side;
        int32_t psi;  // from 2000, one update later
        const char* what;
    };
    const Row rows[] = {
        {0, 60, 1, &AircraftState::HydPressGreenA, 2030, "green A through the link"},
        {0, 60, 0, &AircraftState::HydPressGreenA, 1985, "green A, link off"},
        {0, 19.9, 1, &AircraftState::HydPressGreenA, 1985, "green A, engine 2 below 20"},
        {60, 0, 1, &AircraftState::HydPressYellow, 2030, "yellow through the link"},
        {60, 0, 0, &AircraftState::HydPressYellow, 1985, "yellow, link off"},
    };
    for (const Row& row : rows) {
        aircraft.HydElecPump1Switch = aircraft.HydElecPump2Switch = 0;
        aircraft.HydPtuBlueGreenSwitch = 0;
        aircraft.HydPtuGreenYellowSwitch = row.link;
        engines(row.n2_1, row.n2_2);
        all_pressures(2000);
        run();
        EXPECT_EQ(aircraft.*row.side, row.psi) << row.what;
    }
}

TEST_F(HydraulicPressures, YellowAloneIsPressurisedAt150KnotsInStateThree) {
    aircraft.HydPtuBlueGreenSwitch = aircraft.HydPtuGreenYellowSwitch = 0;
    host.set(61, 150.0);
    run(59);
    EXPECT_EQ(aircraft.HydPressYellow, 1770);
    EXPECT_EQ(aircraft.HydStateYellow, 3);
    EXPECT_EQ(aircraft.HydStateGreen, 0);
    host.set(61, 149.9);
    run();
    EXPECT_EQ(aircraft.HydPressYellow, 1755);
    EXPECT_EQ(aircraft.HydStateYellow, 2);
}

TEST_F(HydraulicPressures, EnginePumpsSpoolBy5AndSaturateAtBothEnds) {
    aircraft.HydPump1Spool = 100;
    aircraft.HydPump2Spool = 95;
    aircraft.HydPump3Spool = 3;
    aircraft.HydPump4Spool = 255;
    run();
    EXPECT_EQ(aircraft.HydPump2Spool, 90);
    EXPECT_EQ(aircraft.HydPump3Spool, 0);
    EXPECT_EQ(aircraft.HydPump4Spool, 200);
    run(19);
    EXPECT_EQ(aircraft.HydPump1Spool, 200);
    EXPECT_EQ(aircraft.HydPump2Spool, 0);
}

// --- Losses --------------------------------------------------------------------

using HydraulicLoss = Solver;

TEST_F(HydraulicLoss, ATotalLossInFlightSendsEachEventOnceAndRepeatsOnlyTheCommands) {
    host.set(824, 1.0);
    host.set(326, 8000.0);
    host.set(61, 250.0);
    host.set(328, 3.7);
    aircraft.ApEngageState = 2;
    run();
    EXPECT_EQ(aircraft.AllHydraulicsLost, 1);
    EXPECT_EQ(aircraft.ApEngageState, 0);
    EXPECT_EQ(monitor.flap_at_loss, 3);
    const std::vector<KeyEvent> expected = {{0x10305, 0}, {0x10306, 0}, {0x100FA, 7000},
                                            {0x1004C, 0}, {0x100A0, 0}, {0x1009E, 0}};
    EXPECT_EQ(host.events(), expected) << "no gear event: the gear was up; no 0x10099: in flight";
    run(2);
    EXPECT_EQ(host.count(0x10305), 1u);
    EXPECT_EQ(host.count(0x10306), 1u);
    EXPECT_EQ(host.count(0x100A0), 3u);
    EXPECT_EQ(host.count(0x100FA), 3u);
}

TEST_F(HydraulicLoss, TheRecoveryGivesBackTheParkingBrakeAndTheToggledItemOnce) {
    host.set(824, 1.0);
    run();
    host.set(824, 0.0);
    host.set(323, 1.0);
    host.set(320, 8000.0);
    healthy();
    host.clear_logs();
    run(2);
    EXPECT_EQ(host.count(0x10305), 1u);
    EXPECT_EQ(host.count(0x10306), 1u);
}

TEST_F(HydraulicLoss, AnUnreadableGearAtTheLossIsTakenAsDownAndNeverRetracted) {
    host.set(333, kNaN);
    host.set(334, kNaN);
    run();
    EXPECT_EQ(monitor.gear_at_loss[0], 16383);
    EXPECT_FALSE(host.sent(0x10220)) << "no command on a position nobody can read";
    host.set(333, 5000.0);
    run(2);
    EXPECT_FALSE(host.sent(0x1021F));
    EXPECT_EQ(host.count(0x10220), 2u) << "held down on every update";
}

TEST_F(HydraulicLoss, OnTheGroundSurface316IsCommandedOncePerUpdateFrom10To60Knots) {
    host.set(60, 1.0);
    host.set(61, 60.0);
    host.set(316, 0.5);
    run();
    EXPECT_EQ(host.count(0x10099), 1u);
    host.set(61, 60.5);
    run();
    EXPECT_EQ(host.count(0x10099), 1u);
}

// --- Servo monitors ------------------------------------------------------------------

using ServoMonitors = Solver;

TEST_F(ServoMonitors, YawDampersDropWithoutBlueAndYellowAndSwitchTheHostsOff) {
    all_pressures(3000);
    aircraft.HydPressBlue = 0;
    aircraft.HydPressYellow = 0;
    aircraft.YawDamperSwitch1 = aircraft.YawDamperSwitch2 = 1;
    host.set(114, 1.0);
    run();
    EXPECT_EQ(aircraft.YawDamperSwitch1 + aircraft.YawDamperSwitch2, 0);
    EXPECT_TRUE(host.sent(0x10216));
}

TEST_F(ServoMonitors, AYawDamperStaysEngagedWhileSuppliedAndDropsWithItsBus) {
    healthy();
    buses(1);
    aircraft.RudderTravelPowered = 1;
    aircraft.YawDamperSwitch1 = 1;
    host.set(103, 1.0);
    run();
    EXPECT_TRUE(host.sent(0x10215));
    EXPECT_EQ(aircraft.YawDamperFault, 0);
    EXPECT_EQ(aircraft.YawDamperCount, 1);
    aircraft.DcEssBusPowered = 0;
    run();
    EXPECT_EQ(aircraft.YawDamperSwitch1, 0);
    EXPECT_EQ(aircraft.YawDamperFault, 1);
}

TEST_F(ServoMonitors, PitchTrimServosLosingTheirBusUnderAutopilotPutTheTrimBackAndDrop) {
    healthy();
    aircraft.PitchTrimSwitch1 = aircraft.PitchTrimSwitch2 = 1;
    host.set(103, 1.0);
    host.set(318, -1234.0);
    run();
    EXPECT_EQ(aircraft.PitchTrimCount, 2);
    EXPECT_EQ(aircraft.PitchTrimSwitch1 + aircraft.PitchTrimSwitch2, 0);
    EXPECT_EQ(aircraft.PitchTrimFault, 1);
    EXPECT_EQ(last_event(), (KeyEvent{0x100AA, static_cast<uint32_t>(-1234)}));
}

// --- Pitch ----------------------------------------------------------------------

using PitchMonitors = Solver;

TEST_F(PitchMonitors, TheTrimProtectionActsAtExactly12DegreesAndNotAt1199) {
    healthy();
    host.set(318, 100.0);
    host.set(783, radians_for(12.0));
    run();
    ASSERT_EQ(aircraft.PitchAttitudeDeg, 12.0);
    EXPECT_EQ(last_event(), (KeyEvent{0x100AA, 50}));
    host.clear_logs();
    for (double unprotected : {11.99, -2.99, kNaN}) {
        host.set(783, std::isnan(unprotected) ? kNaN : radians_for(unprotected));
        run();
    }
    EXPECT_FALSE(host.sent(0x100AA));
    EXPECT_EQ(aircraft.PitchAttitudeDeg, 0.0) << "an unreadable pitch reads level";
    host.set(783, radians_for(-3.0));
    run();
    ASSERT_EQ(aircraft.PitchAttitudeDeg, -3.0);
    EXPECT_EQ(last_event(), (KeyEvent{0x100AA, 150}));
}

TEST_F(PitchMonitors, APitchChangeOfExactlyTheThresholdDoesNotRaiseTheAlert) {
    healthy();
    run();  // sample X = 0 at tick 0; the next is due at tick 18
    host.set(783, radians_for(2.5));
    host.set(1, 17.0);
    run();
    EXPECT_EQ(monitor.pitch_phase, PitchSamplePhase::FirstY) << "waits a second";
    host.set(1, 18.0);
    run();
    ASSERT_EQ(monitor.pitch_sample_y, 2.5);
    EXPECT_EQ(aircraft.PitchChangeAlert, 0);
    host.set(783, radians_for(-0.01));
    host.set(1, 36.0);
    run();
    EXPECT_EQ(aircraft.PitchChangeAlert, 1) << "2.51 degrees from sample Y";
    host.set(783, radians_for(4.0));
    host.set(328, 1.0);
    host.set(1, 54.0);
    run();
    EXPECT_EQ(aircraft.PitchChangeAlert, 0) << "4.01 degrees is within the 4.5 of flaps out";
}

// --- Engine fuel and probe heaters ---------------------------------------------------

using SystemCommands = Solver;

TEST_F(SystemCommands, HpLeversTakeTheHostFuelLeversOnceAndThenCommandThem) {
    host.set(130, 16383.0);
    aircraft.DcEssBusPowered = 1;
    run();
    EXPECT_EQ(aircraft.HpLever1Open, 1);
    EXPECT_EQ(aircraft.HpLever2Open, 0);
    EXPECT_FALSE(host.sent(0x101BF) || host.sent(0x101C3));
    aircraft.HpLever2Open = 1;
    run(2);
    EXPECT_EQ(host.count(0x101C4), 2u);
    aircraft.DcEssBusPowered = 0;
    host.set(130, kNaN);
    run();
    EXPECT_FALSE(host.sent(0x101C3)) << "no command on an unreadable lever";
    host.set(130, 16383.0);
    run();
    EXPECT_TRUE(host.sent(0x101C3));
}

TEST_F(SystemCommands, EachProbeHeaterFollowsItsSwitchAndBus) {
    struct Row {
        uint8_t AircraftState::*only;  // the one switch on, or the one bus powered
        std::set<int> powered;
    };
    const Row rows[] = {
        {&AircraftState::DcEssBusPowered, {0, 1}},
        {&AircraftState::DcNormBusPowered, {2, 3, 4, 5, 6, 7, 8}},
        {&AircraftState::AcBus1Powered, {9, 10, 12}},
        {&AircraftState::AcBus2Powered, {11, 13}},
        {&AircraftState::ProbeHeatSwitch1, {0, 3, 6, 9, 12}},
        {&AircraftState::ProbeHeatSwitch2, {1, 4, 7, 10, 13}},
        {&AircraftState::ProbeHeatSwitch3, {2, 5, 8, 11}},
    };
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        reset_module();
        const uint8_t switches = r < 4 ? 1 : 0;
        aircraft.ProbeHeatSwitch1 = aircraft.ProbeHeatSwitch2 = aircraft.ProbeHeatSwitch3 = switches;
        buses(static_cast<uint8_t>(1 - switches));
        aircraft.*rows[r].only = 1;
        run();
        for (int i = 0; i < static_cast<int>(kProbeHeaterCount); ++i)
            EXPECT_EQ(aircraft.ProbeHeaterPowered[i] == 1, rows[r].powered.count(i) == 1)
                << "row " << r << ", heater " << i;
    }
}

TEST_F(SystemCommands, TheHostsPitotHeatFollowsTheCaptainsPitotHeater) {
    buses(1);
    aircraft.ProbeHeatSwitch1 = aircraft.ProbeHeatSwitch2 = aircraft.ProbeHeatSwitch3 = 1;
    run();
    EXPECT_TRUE(host.sent(0x10218));
    EXPECT_EQ(aircraft.ProbeHeatFault, 0);
    host.set_bits(286, 1);
    host.set(13, 1.0);
    run();
    EXPECT_EQ(aircraft.ProbeHeaterPowered[0], 0);
    EXPECT_TRUE(host.sent(0x10219));
    EXPECT_EQ(aircraft.ProbeHeatFault, 1);
}

TEST_F(SystemCommands, TheFlightDeckPanelUpdateRunsTheSolver) {
    engines(60.0, 60.0);
    host.update("toskelin flt_deck_lt_rulo");
    EXPECT_EQ(aircraft.HydPressYellow, 30);
}

}  // namespace
}  // namespace kadrimos::testing
