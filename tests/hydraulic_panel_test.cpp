// The hydraulic panel: pump and interconnection switches, pump lamps, the LO
// PRESS lights and their latches, the hydraulic caution, the reservoir levels
// and the pressure gauges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr const char* kPress = "toskelin hydrau_press_rulo";
constexpr const char* kPumps = "toskelin hydrau_pumps_rulo";
constexpr const char* kReservoirs = "toskelin hydrau_baches_rulo";
constexpr const char* kPressureGauges[] = {"toskelin hydrau_ind_press_blue_rulo",
                                           "toskelin hydrau_ind_press_green_rulo",
                                           "toskelin hydrau_ind_press_yellow_rulo"};

// Press panel elements: pump N's lamp is 3 + 2N (lit) and 4 + 2N (other).
constexpr int kElecLampLit = 13, kElecLampOther = 14, kTransition = 15, kLoBlue = 16, kLoGreen = 17,
              kLoYellow = 18;

uint8_t* const kPumpStates[] = {&aircraft.HydPump1Spool, &aircraft.HydPump2Spool, &aircraft.HydPump3Spool,
                                &aircraft.HydPump4Spool};

// Powered, every pump delivering, every pressure normal.
struct HydraulicBench {
    FakeHost host;
    HydraulicBench() {
        aircraft.DcEssBusPowered = aircraft.DcNormBusPowered = aircraft.AcEssNormPowered = 1;
        pressures(3000, 3000, 3000, 3000);
        host.load_sounds();
    }
    static void pressures(uint32_t blue, int32_t green_a, int32_t green_b, int32_t yellow) {
        aircraft.HydPressBlue = blue;
        aircraft.HydPressGreenA = green_a;
        aircraft.HydPressGreenB = green_b;
        aircraft.HydPressYellow = yellow;
    }
    bool lit(int depth) {
        host.update(kPress);
        return FakeHost::visible(kPress, depth);
    }
};

TEST(HydraulicPumpSwitches, OnAndOffRestartTheRampAndClickOnlyWhenTheSwitchMoves) {
    // Columns: state before, ON (else OFF), state after, clicks.
    struct Case {
        uint8_t before;
        bool on;
        uint8_t after;
        std::size_t clicks;
    };
    const Case cases[] = {{0, true, 100, 1},   {95, true, 100, 1},  {99, true, 100, 1}, {100, true, 100, 0},
                          {150, true, 100, 0}, {200, true, 100, 0}, {96, false, 95, 1}, {200, false, 95, 1},
                          {95, false, 95, 0},  {40, false, 95, 0}};
    for (std::size_t pump = 0; pump < 4; ++pump) {
        for (const Case& c : cases) {
            HydraulicBench bench;
            *kPumpStates[pump] = c.before;
            bench.host.click(kPumps, 4 + 2 * pump + (c.on ? 0 : 1));
            EXPECT_EQ(*kPumpStates[pump], c.after) << "pump " << pump + 1 << " from " << int{c.before};
            if (FakeHost::kHearsSounds) {
                EXPECT_EQ(bench.host.plays("CLICK"), c.clicks) << "pump " << pump + 1 << " from " << int{c.before};
            }
            for (std::size_t other = 0; other < 4; ++other) {
                if (other == pump) continue;
                EXPECT_EQ(*kPumpStates[other], 200) << "pump " << other + 1 << " untouched";
            }
        }
    }
}

TEST(HydraulicPumpSwitches, ArtFollowsThePumpStateAndLegendsFollowTheirBus) {
    HydraulicBench bench;
    aircraft.HydPump1Spool = 95;
    aircraft.HydPump2Spool = 96;
    bench.host.update(kPumps);
    EXPECT_TRUE(FakeHost::visible(kPumps, 6));  // pump 1 OFF
    EXPECT_FALSE(FakeHost::visible(kPumps, 5));
    EXPECT_TRUE(FakeHost::visible(kPumps, 7));  // pump 2 ON
    EXPECT_FALSE(FakeHost::visible(kPumps, 8));
    for (int lamp = 13; lamp <= 20; ++lamp) EXPECT_EQ(FakeHost::visible(kPumps, lamp), lamp % 2 == 1) << lamp;
    aircraft.AcEssNormPowered = 0;
    bench.host.update(kPumps);
    for (int lamp = 13; lamp <= 20; ++lamp) EXPECT_FALSE(FakeHost::visible(kPumps, lamp)) << lamp;
}

TEST(HydraulicSwitches, ElectricPumpsAndInterconnectionsClickOncePerMove) {
    HydraulicBench bench;
    aircraft.HydPtuBlueGreenSwitch = 1;
    for (int i = 0; i < 2; ++i) {
        bench.host.click(kPumps, 2);  // ELEC PUMP 2 on
        bench.host.click(kPress, 1);  // BLUE-GREEN off
    }
    EXPECT_EQ(aircraft.HydElecPump2Switch, 1);
    EXPECT_EQ(aircraft.HydPtuBlueGreenSwitch, 0);
    if (FakeHost::kHearsSounds) {
        EXPECT_EQ(bench.host.plays("CLICK"), 2u);
    }
    bench.host.update(kPumps);
    EXPECT_TRUE(FakeHost::visible(kPumps, 3));
    EXPECT_TRUE(FakeHost::visible(kPumps, 2));  // ELEC PUMP 1 still off
    EXPECT_TRUE(bench.lit(2));                  // BLUE-GREEN off bitmap
    EXPECT_FALSE(FakeHost::visible(kPress, 1));
}

TEST(HydraulicLamps, PumpLampLitWhileRunningDownOrDeliveringWithDcNormal) {
    // Columns: pump state, lamp lit.
    const std::pair<uint8_t, bool> cases[] = {{0, false},   {1, true},    {95, true},  {96, false},
                                              {100, false}, {195, false}, {196, true}, {200, true}};
    for (const auto& [state, lit] : cases) {
        HydraulicBench bench;
        aircraft.HydPump3Spool = state;
        EXPECT_EQ(bench.lit(9), lit) << int{state};
        EXPECT_FALSE(FakeHost::visible(kPress, 10));
        aircraft.DcNormBusPowered = 0;
        EXPECT_FALSE(bench.lit(9)) << int{state};
    }
}

TEST(HydraulicLamps, ElectricPumpLampShowsRunningOrNotOnlyWithDcNormal) {
    HydraulicBench bench;
    aircraft.HydElecPumpRunning = 1;
    EXPECT_TRUE(bench.lit(kElecLampLit));
    EXPECT_FALSE(FakeHost::visible(kPress, kElecLampOther));
    aircraft.HydElecPumpRunning = 0;
    EXPECT_TRUE(bench.lit(kElecLampOther));
    EXPECT_FALSE(FakeHost::visible(kPress, kElecLampLit));
    aircraft.DcNormBusPowered = 0;
    EXPECT_FALSE(bench.lit(kElecLampOther));
    EXPECT_FALSE(FakeHost::visible(kPress, kElecLampLit));
}

TEST(HydraulicCaution, LowPressureLightsSetAndResetTheirLatchesAndHydFault) {
    // Columns: blue, green A, green B, yellow, lights blue/green/yellow.
    struct Case {
        uint32_t blue;
        int32_t green_a, green_b, yellow;
        bool lo_blue, lo_green, lo_yellow;
    };
    const Case cases[] = {{1749, 3000, 3000, 3000, true, false, false},
                          {1750, 1800, 1700, 1750, false, false, false},
                          {3000, 1749, 1749, 3000, false, true, false},
                          {3000, 3000, 3000, 0, false, false, true}};
    for (const Case& c : cases) {
        HydraulicBench bench;
        HydraulicBench::pressures(c.blue, c.green_a, c.green_b, c.yellow);
        EXPECT_EQ(bench.lit(kLoBlue), c.lo_blue);
        EXPECT_EQ(FakeHost::visible(kPress, kLoGreen), c.lo_green);
        EXPECT_EQ(FakeHost::visible(kPress, kLoYellow), c.lo_yellow);
        EXPECT_EQ(aircraft.HydFault, c.lo_blue || c.lo_green || c.lo_yellow ? 1 : 0);
        // Back to normal pressure: light, latch and caution all clear.
        HydraulicBench::pressures(3000, 3000, 3000, 3000);
        EXPECT_FALSE(bench.lit(kLoBlue) || FakeHost::visible(kPress, kLoGreen) ||
                     FakeHost::visible(kPress, kLoYellow));
        EXPECT_EQ(aircraft.HydFault, 0);
        EXPECT_EQ(private_state.hydraulic_panel.LowPressBlueLatch +
                      private_state.hydraulic_panel.LowPressGreenLatch +
                      private_state.hydraulic_panel.LowPressYellowLatch,
                  0);
    }
}

TEST(HydraulicCaution, SpoolUpLightsTheTransitionLampAndRaisesHydFault) {
    HydraulicBench bench;
    for (const uint8_t state : {uint8_t{100}, uint8_t{195}}) {
        aircraft.HydPump4Spool = state;
        EXPECT_TRUE(bench.lit(kTransition));
        EXPECT_EQ(aircraft.HydFault, 1);
    }
    aircraft.HydPump4Spool = 200;
    EXPECT_FALSE(bench.lit(kTransition));
    EXPECT_EQ(aircraft.HydFault, 0);
}

TEST(HydraulicCaution, WithoutDcEssentialNothingIsLitAndNoCaution) {
    HydraulicBench bench;
    aircraft.DcEssBusPowered = 0;
    HydraulicBench::pressures(0, 0, 0, 0);
    aircraft.HydPump1Spool = 150;
    for (int depth : {kTransition, kLoBlue, kLoGreen, kLoYellow}) EXPECT_FALSE(bench.lit(depth));
    EXPECT_EQ(aircraft.HydFault, 0);
}

TEST(HydraulicReservoirs, GreenLevelFollowsTheGearOneUnitPerUpdate) {
    HydraulicBench bench;
    bench.host.set(334, 0.0);  // gear up: 72 climbs to 76 and stays
    for (double expected : {73.0, 74.0, 75.0, 76.0, 76.0}) {
        bench.host.update(kReservoirs);
        bench.host.draw(kReservoirs);
        EXPECT_EQ(bench.host.value(FakeHost::element(kReservoirs, 2)), expected);
    }
    bench.host.set(334, kNaN);  // unreadable gear: the level holds
    bench.host.update(kReservoirs);
    EXPECT_EQ(private_state.hydraulic_panel.ReservoirGreen, 76);
    bench.host.set(334, 16383.0);  // gear out: back down to 72
    for (int expected : {75, 74, 73, 72, 72}) {
        bench.host.update(kReservoirs);
        EXPECT_EQ(private_state.hydraulic_panel.ReservoirGreen, expected);
    }
    bench.host.draw(kReservoirs);
    EXPECT_EQ(bench.host.value(FakeHost::element(kReservoirs, 1)), 55.0);
    EXPECT_EQ(bench.host.value(FakeHost::element(kReservoirs, 3)), 70.0);
    for (int lamp = 4; lamp <= 12; ++lamp) EXPECT_FALSE(FakeHost::visible(kReservoirs, lamp));
}

TEST(HydraulicPressureGauges, NeedlesClampTo0And4000AndWriteTheLimitBack) {
    HydraulicBench bench;
    aircraft.HydPressBlue = 4'000'000'000u;
    aircraft.HydPressGreen = -20;
    aircraft.HydPressYellow = 2500;
    for (const char* gauge : kPressureGauges) bench.host.draw(gauge);
    EXPECT_EQ(bench.host.value(FakeHost::element(kPressureGauges[0], 1)), 4000.0);
    EXPECT_EQ(bench.host.value(FakeHost::element(kPressureGauges[1], 1)), 0.0);
    EXPECT_EQ(bench.host.value(FakeHost::element(kPressureGauges[2], 1)), 2500.0);
    EXPECT_EQ(aircraft.HydPressBlue, 4000u);
    EXPECT_EQ(aircraft.HydPressGreen, 0);
}

TEST(HydraulicPressureGauges, ScalePointsLieAtTheDialsCalibratedAngles) {
    // Degrees clockwise from twelve o'clock, for 0 to 4000 psi.
    const double degrees[] = {234.1, 306.3, 1.6, 58.0, 124.1};
    for (const char* gauge : kPressureGauges) {
        const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(FakeHost::element(gauge, 1));
        ASSERT_EQ(needle->nonlinearity_count, std::size(degrees));
        const PIXPOINT pivot = needle->header.position;
        for (std::size_t i = 0; i < std::size(degrees); ++i) {
            const NONLINEARITY& p = needle->nonlinearity_table[i];
            EXPECT_EQ(p.value, 1000.0 * static_cast<double>(i));
            const double dx = static_cast<double>(p.pt.x - pivot.x),
                         dy = static_cast<double>(pivot.y - p.pt.y);
            const double angle = std::fmod(std::atan2(dx, dy) * 180.0 / std::numbers::pi + 360.0, 360.0);
            EXPECT_NEAR(std::remainder(angle - degrees[i], 360.0), 0.0, 1.0) << gauge << " point " << i;
        }
    }
}

}  // namespace
}  // namespace kadrimos::testing
