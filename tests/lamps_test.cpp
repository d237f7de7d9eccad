// The annunciator lamp rule and lamp tables.
#include "panel/lamps.h"

#include <gtest/gtest.h>

#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos {
namespace {

TEST(LampRule, LitWithPowerNoCancelNoInhibitAndItsConditionOrTheLampTest) {
    struct Row {
        bool powered, condition, cancelled, inhibited, tested, lamp_test, lit;
    };
    const Row rows[] = {
        {true, true, false, false, false, false, true},   // the condition
        {false, true, false, false, true, true, false},   // no power: dark whatever else
        {true, true, true, false, true, true, false},     // cancelled
        {true, true, false, true, true, true, false},     // inhibited
        {true, false, false, false, true, true, true},    // the lamp test lights a tested lamp
        {true, false, false, false, false, true, false},  // but not one off the test circuit
        {true, false, false, false, true, false, false},  // nothing to show
    };
    for (const Row& r : rows)
        EXPECT_EQ(lamp_lit(r.powered, r.condition, r.cancelled, r.inhibited, r.tested, r.lamp_test), r.lit)
            << r.powered << r.condition << r.cancelled << r.inhibited << r.tested << r.lamp_test;
}

TEST(LampRule, ATableShowsEachLampByTheRuleReadingFlagsThatAreExactlyOne) {
    testing::FakeHost host;
    constexpr Lamp kLamps[] = {{1, &AircraftState::DcEssBusPowered, &AircraftState::HydFault,
                                &AircraftState::ElecAcFault, nullptr, true}};
    const GAUGEHDR& gauge = testing::FakeHost::gauge("testgauge2k");
    aircraft.DcEssBusPowered = 1;
    aircraft.HydFault = 1;
    show_lamps(gauge, aircraft, kLamps);
    EXPECT_TRUE(is_visible(element(gauge, 1)));
    aircraft.ElecAcFault = 1;  // the cancel
    show_lamps(gauge, aircraft, kLamps);
    EXPECT_FALSE(is_visible(element(gauge, 1)));
    aircraft.ElecAcFault = 0;
    aircraft.HydFault = 2;  // not exactly 1
    show_lamps(gauge, aircraft, kLamps);
    EXPECT_FALSE(is_visible(element(gauge, 1)));
    aircraft.AnnLightTest = 1;
    show_lamps(gauge, aircraft, kLamps);
    EXPECT_TRUE(is_visible(element(gauge, 1)));
}

}  // namespace
}  // namespace kadrimos
