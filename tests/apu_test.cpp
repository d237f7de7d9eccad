// The auxiliary power unit: its panel, its start, run and run-down, the
// intake flap, oil, and the three meters.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"
#include "systems/electrical/network.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kApu = "toskelin apu_rulo";
constexpr const char* kOilMeter = "toskelin apu_ind_oil_rulo";
constexpr const char* kN1N2Meter = "toskelin apu_ind_n1_n2_rulo";
constexpr const char* kEgtMeter = "toskelin apu_ind_egt_rulo";

// Mouse areas of the panel.
constexpr std::size_t kMasterOn = 0, kMasterOff = 1, kPumpOn = 2, kSelectorOvr = 4, kSelectorNor = 5,
                      kSelectorStby = 6, kStart = 7;
// Elements of the panel.
constexpr int kStartLight = 8, kStbyOnLight = 10, kOilLight = 12, kFaultLight = 13, kFlapLight = 14,
              kAgentCharged = 15, kAgentDischarged = 16;

constexpr double kMetresPerFoot = 1 / 3.281;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A parked aircraft with the DC essential bus alive; the host's clocks
// advance with every update, 18 ticks a second.
struct ApuBench {
    FakeHost host;
    int tick = 0;

    ApuBench() { aircraft.DcEssBusPowered = 1; }

    void update(bool with_meters = false) {
        ++tick;
        host.set(1, tick);
        host.set(604, tick / 18.0);
        host.update(kApu);
        if (with_meters) host.draw(kN1N2Meter);
    }
    void run(int updates, bool with_meters = false) {
        for (int i = 0; i < updates; ++i) update(with_meters);
    }
    void start() {
        host.click(kApu, kMasterOn);
        host.click(kApu, kStart);
    }
    // Runs until the unit is running; returns the updates it took.
    int run_until_running(bool with_meters = false) {
        int n = 0;
        while (aircraft.ApuRunning == 0 && n < 1000) {
            update(with_meters);
            ++n;
        }
        return n;
    }
};

// --- Panel ---------------------------------------------------------------------

TEST(ApuPanel, EachSwitchShowsTheBitmapOfItsPositionOnly) {
    ApuBench b;
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, 1));
    EXPECT_FALSE(FakeHost::visible(kApu, 2));
    EXPECT_TRUE(FakeHost::visible(kApu, 6)) << "selector at NOR";

    b.host.click(kApu, kMasterOn);
    b.host.click(kApu, kPumpOn);
    b.host.click(kApu, kSelectorStby);
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, 1));
    EXPECT_TRUE(FakeHost::visible(kApu, 2));
    EXPECT_FALSE(FakeHost::visible(kApu, 3));
    EXPECT_TRUE(FakeHost::visible(kApu, 4));
    EXPECT_TRUE(FakeHost::visible(kApu, 5));
    EXPECT_FALSE(FakeHost::visible(kApu, 6));

    b.host.click(kApu, kSelectorOvr);
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, 7));
    EXPECT_FALSE(FakeHost::visible(kApu, 5));
}

TEST(ApuPanel, StartDoesNothingWithTheMasterOffOrWithoutDcPower) {
    ApuBench b;
    b.host.click(kApu, kStart);
    EXPECT_EQ(aircraft.ApuStartCommand, 0);
    b.host.click(kApu, kMasterOn);
    aircraft.DcEssBusPowered = 0;
    b.host.click(kApu, kStart);
    EXPECT_EQ(aircraft.ApuStartCommand, 0);
    aircraft.DcEssBusPowered = 1;
    b.host.click(kApu, kStart);
    EXPECT_EQ(aircraft.ApuStartCommand, 1);
}

TEST(ApuPanel, TheAgentFlagShowsChargedOnlyWithDcPower) {
    ApuBench b;
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, kAgentCharged));
    EXPECT_FALSE(FakeHost::visible(kApu, kAgentDischarged));
    aircraft.DcEssBusPowered = 0;
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kAgentCharged));
    EXPECT_FALSE(FakeHost::visible(kApu, kAgentDischarged));
}

TEST(ApuPanel, TheSolvedNetworkWithBatteriesOnPowersTheStart) {
    ApuBench b;
    aircraft.DcEssBusPowered = 0;
    electrical::solve_network();  // batteries in NORM at load
    ASSERT_EQ(aircraft.DcEssBusPowered, 1);
    b.start();
    EXPECT_EQ(aircraft.ApuStartCommand, 1);
}

// --- Cold start ----------------------------------------------------------------

TEST(ApuStart, N1SpoolsTo50In250UpdatesThenGrowsByATenthPerUpdate) {
    ApuBench b;
    b.start();
    b.run(249);
    EXPECT_TRUE(FakeHost::visible(kApu, kStartLight)) << "START and OIL while N1 is below 50";
    EXPECT_TRUE(FakeHost::visible(kApu, kOilLight));
    b.update();
    EXPECT_NEAR(aircraft.ApuN1, 50, 1e-9);
    EXPECT_NEAR(aircraft.ApuN2, 12.5, 1e-9);
    for (double expected : {55.0, 60.5, 66.55, 73.205, 80.5255, 88.57805, 97.435855}) {
        b.update();
        EXPECT_NEAR(aircraft.ApuN1, expected, 1e-6);
    }
    EXPECT_FALSE(FakeHost::visible(kApu, kStartLight));
    EXPECT_FALSE(FakeHost::visible(kApu, kOilLight));
    b.update();
    EXPECT_NEAR(aircraft.ApuN1, 97.635855, 1e-6) << "then 0.2 per update";
}

TEST(ApuStart, EgtClimbsDuringTheStartAndIsSetTo540WhenN1Reaches99) {
    ApuBench b;
    b.start();
    while (aircraft.ApuN1 < 99) {
        EXPECT_LE(aircraft.ApuEgt, 540);
        b.update();
    }
    EXPECT_EQ(aircraft.ApuEgt, 540);
    b.run_until_running();
    EXPECT_EQ(aircraft.ApuEgt, 540);
    EXPECT_GE(aircraft.ApuN1, 100.0) << "running from the step that passes 100";
    b.update();
    EXPECT_EQ(aircraft.ApuN1, 100.0) << "then N1 stands at 100";
}

TEST(ApuStart, TheDisplayedMeterClampsTheN2OvershootTo120) {
    ApuBench b;
    b.start();
    b.run(257, /*with_meters=*/true);
    EXPECT_EQ(aircraft.ApuN2, 120.0);
    EXPECT_EQ(b.host.value(FakeHost::element(kN1N2Meter, 2)), 120.0);
}

TEST(ApuStart, WithoutTheMeterN2OvershootsFarAbove120) {
    ApuBench b;
    b.start();
    b.run(257);
    EXPECT_GT(aircraft.ApuN2, 200.0);
}

TEST(ApuStart, RunningOnTheGroundTheGovernorBringsN2To63TwiceAsFast) {
    ApuBench b;
    b.start();
    b.run_until_running(true);
    const double n2 = aircraft.ApuN2;
    b.update(true);
    EXPECT_NEAR(aircraft.ApuN2, n2 - 0.8, 1e-9) << "falls 0.4 twice per update with the start latched";
    b.run(300, true);
    EXPECT_EQ(aircraft.ApuN2, 63.0);
    EXPECT_EQ(aircraft.ApuRunning, 1);
}

TEST(ApuStart, OverrideClimbsN2To97At04PerUpdateWithTheLatchSet) {
    ApuBench b;
    b.start();
    b.run_until_running(true);
    b.run(300, true);
    b.host.click(kApu, kSelectorOvr);
    b.update();
    EXPECT_NEAR(aircraft.ApuN2, 63.4, 1e-9);
    b.run(100);
    EXPECT_EQ(aircraft.ApuN2, 97.0);
}

TEST(ApuStart, StbyOnIsLitWhileRunningAtStby) {
    ApuBench b;
    b.start();
    b.host.click(kApu, kSelectorStby);
    b.run_until_running();
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, kStbyOnLight));
    b.host.click(kApu, kSelectorNor);
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kStbyOnLight));
}

TEST(ApuStart, Oil600AllowsAStartAnd599DoesNot) {
    {
        ApuBench b;
        aircraft.ApuOilQuantity = 600;
        b.start();
        b.update();
        EXPECT_EQ(aircraft.ApuStartCommand, 1);
        EXPECT_NEAR(aircraft.ApuN1, 0.2, 1e-12);
    }
    {
        ApuBench b;
        aircraft.ApuOilQuantity = 599;
        b.start();
        b.update();
        EXPECT_EQ(aircraft.ApuStartCommand, 0);
        EXPECT_EQ(aircraft.ApuN1, 0.0);
    }
}

TEST(ApuStart, AStartAt26000FeetSpoolsTo35AndIsAbandoned) {
    ApuBench b;
    b.host.set(73, 26000 * kMetresPerFoot);
    b.start();
    b.run(100);
    EXPECT_NEAR(aircraft.ApuN1, 20, 1e-6);
    EXPECT_TRUE(FakeHost::visible(kApu, kStartLight));
    int n = 0;
    while (aircraft.ApuStartCommand == 1 && n < 500) {
        b.update();
        ++n;
    }
    EXPECT_EQ(aircraft.ApuStartCommand, 0);
    EXPECT_GE(aircraft.ApuN1, 35 - 0.4);
    EXPECT_EQ(aircraft.ApuRunning, 0);
    const double n1 = aircraft.ApuN1;
    b.update();
    EXPECT_NEAR(aircraft.ApuN1, n1 - 0.4, 1e-9) << "and runs down";
    EXPECT_FALSE(FakeHost::visible(kApu, kStartLight));
}

// --- Shut down -----------------------------------------------------------------

TEST(ApuShutdown, MasterOffClearsTheLatchAndRunningAndTheUnitRunsDownToZero) {
    ApuBench b;
    b.start();
    b.run_until_running(true);
    b.update(true);
    b.host.click(kApu, kMasterOff);
    b.update();
    EXPECT_EQ(aircraft.ApuStartCommand, 0);
    EXPECT_EQ(aircraft.ApuRunning, 0);
    EXPECT_NEAR(aircraft.ApuN1, 99.6, 1e-9);
    EXPECT_NEAR(aircraft.ApuEgt, 539.9, 1e-9);
    b.run(6000);
    EXPECT_EQ(aircraft.ApuN1, 0.0);
    EXPECT_EQ(aircraft.ApuN2, 0.0);
    EXPECT_EQ(aircraft.ApuEgt, 0.0);
}

TEST(ApuShutdown, AFailureStopsTheUnitLightsFaultAndRaisesTheWarning) {
    ApuBench b;
    b.start();
    b.run_until_running();
    aircraft.ApuFailure = 1;
    b.update();
    EXPECT_EQ(aircraft.ApuRunning, 0);
    EXPECT_TRUE(FakeHost::visible(kApu, kFaultLight));
    EXPECT_EQ(aircraft.ApuFaultWarning, 1);
    aircraft.DcEssBusPowered = 0;
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kFaultLight));
    EXPECT_EQ(aircraft.ApuFaultWarning, 0);
}

TEST(ApuShutdown, OilFallsOneUnitAMinuteWhileRunning) {
    ApuBench b;
    b.start();
    b.run_until_running();
    b.run(18 * 60 + 1);
    EXPECT_EQ(aircraft.ApuOilQuantity, 799u);
}

TEST(ApuShutdown, OilAtZeroStopsTheUnitAndNeverWraps) {
    ApuBench b;
    b.start();
    b.run_until_running();
    aircraft.ApuOilQuantity = 1;
    b.run(18 * 60 + 1);
    EXPECT_EQ(aircraft.ApuOilQuantity, 0u);
    EXPECT_EQ(aircraft.ApuRunning, 0);
    b.run(18 * 120);
    EXPECT_EQ(aircraft.ApuOilQuantity, 0u);
}

// --- Intake flap ---------------------------------------------------------------

TEST(ApuFlap, TheFlapLightShowsFor90TicksAfterTheMasterIsSwitchedOn) {
    ApuBench b;
    b.host.click(kApu, kMasterOn);
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, kFlapLight));
    b.run(89);
    EXPECT_TRUE(FakeHost::visible(kApu, kFlapLight));
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kFlapLight)) << "open 90 ticks after arming";
    b.run(100);
    EXPECT_FALSE(FakeHost::visible(kApu, kFlapLight));
}

TEST(ApuFlap, TheFlapLightShowsWhileTheGearIsInTransitWithTheUnitRunning) {
    ApuBench b;
    b.start();
    b.run_until_running();
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kFlapLight));
    b.host.set(331, 1);
    b.host.set(332, 0.5);
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, kFlapLight));
    // The transit leaves the flap moving with its timer disarmed, and only a
    // closed flap re-arms it: the light stays until the master is cycled.
    b.host.set(332, 1);
    b.update();
    EXPECT_TRUE(FakeHost::visible(kApu, kFlapLight));
    b.host.click(kApu, kMasterOff);
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kFlapLight));
}

// --- Host values that are not numbers ------------------------------------------

TEST(ApuHostValues, ANaNAltitudeReadsAsSeaLevelAndDoesNotStopTheUnit) {
    ApuBench b;
    b.start();
    b.run_until_running();
    b.host.set(73, kNaN);
    b.update();
    EXPECT_EQ(aircraft.ApuRunning, 1);
    b.host.set(73, std::numeric_limits<double>::infinity());
    b.update();
    EXPECT_EQ(aircraft.ApuRunning, 1);
}

TEST(ApuHostValues, NaNClocksHoldTheFlapAndOilTimers) {
    ApuBench b;
    b.start();
    b.run_until_running();
    const uint32_t oil = aircraft.ApuOilQuantity;
    for (int i = 0; i < 18 * 120; ++i) {
        b.host.set(1, kNaN);
        b.host.set(604, kNaN);
        b.host.update(kApu);
    }
    EXPECT_EQ(aircraft.ApuOilQuantity, oil);
    EXPECT_EQ(private_state.apu.ApuFlapState, 2);
}

TEST(ApuHostValues, ANaNGearPositionIsNotATransit) {
    ApuBench b;
    b.start();
    b.run_until_running();
    b.host.set(331, kNaN);
    b.host.set(332, kNaN);
    b.update();
    EXPECT_FALSE(FakeHost::visible(kApu, kFlapLight));
}

TEST(ApuHostValues, NaNEngineN1ReadsAsEnginesStoppedForWingAntiIce) {
    ApuBench b;
    b.start();
    b.run_until_running(true);
    b.run(300, true);
    aircraft.WingAntiIceOn = 1;
    b.host.set(624, kNaN);
    b.host.set(643, kNaN);
    b.run(200);
    EXPECT_EQ(aircraft.ApuN2, 97.0);
}

// --- Meters ----------------------------------------------------------------------

TEST(ApuMeters, EachNeedleClampsItsValueAndWritesItBack) {
    FakeHost host;
    aircraft.ApuOilQuantity = 900;
    aircraft.ApuN1 = -3;
    aircraft.ApuN2 = kNaN;
    aircraft.ApuEgt = 950;
    host.draw(kOilMeter);
    host.draw(kN1N2Meter);
    host.draw(kEgtMeter);
    EXPECT_EQ(aircraft.ApuOilQuantity, 800u);
    EXPECT_EQ(aircraft.ApuN1, 0.0);
    EXPECT_EQ(aircraft.ApuN2, 0.0);
    EXPECT_EQ(aircraft.ApuEgt, 700.0);
    EXPECT_EQ(host.value(FakeHost::element(kEgtMeter, 1)), 700.0);
    aircraft.ApuEgt = -1;
    host.draw(kEgtMeter);
    EXPECT_EQ(aircraft.ApuEgt, 0.0);
}

TEST(ApuMeters, TheCentreCoverIsDrawnOverBothNeedles) {
    FakeHost host;
    host.update(kN1N2Meter);
    EXPECT_TRUE(FakeHost::visible(kN1N2Meter, 1));
    EXPECT_TRUE(FakeHost::visible(kN1N2Meter, 2));
    EXPECT_TRUE(FakeHost::visible(kN1N2Meter, 3));
    EXPECT_EQ(FakeHost::element(kN1N2Meter, 3)->resource_id, 4396u);
    EXPECT_EQ(FakeHost::element(kN1N2Meter, 3)->position.x, 37);
}

}  // namespace
}  // namespace kadrimos::testing
