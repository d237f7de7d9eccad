// reset_module() puts the module back byte for byte as it was loaded, so no
// test depends on what another left behind.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "module/module_state.h"
#include "module/test_gauge.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

std::vector<unsigned char> bytes_of(const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    return {b, b + n};
}

std::vector<uint32_t> all_flags() {
    std::vector<uint32_t> out;
    for (GAUGEHDR* g : FakeHost::all_gauges())
        for (ELEMENT_HEADER* e : elements_of(*g)) out.push_back(e->image_flags);
    return out;
}

// Taken while the test program starts, before any test has run: the state
// exactly as the library image holds it.
const auto load_aircraft = bytes_of(&aircraft, sizeof aircraft);
const auto load_private = bytes_of(&private_state, sizeof private_state);
const auto load_flags = all_flags();
const auto load_test_gauge = bytes_of(&gauges::testgauge2k::state, sizeof gauges::testgauge2k::state);

TEST(Reset, AfterClicksUpdatesAndDrawsTheModuleIsAsLoaded) {
    {
        FakeHost host;
        host.set(349, 77.0);
        aircraft.PanelOptionFlag = 1;
        aircraft.BattCharge = 3;
        aircraft.TrcN1Target = -1.0;
        aircraft.LightCancelled[31] = 1;
        private_state.hydraulic_monitor.flap_at_loss = 99;
        host.click("testgauge2k", 0);
        ASSERT_EQ(gauges::testgauge2k::state.test_flag, 1)
            << "a gauge's own state, reached through the catalogue";
        for (GAUGEHDR* g : FakeHost::all_gauges()) {
            if (g->gauge_callback) g->gauge_callback(g, PANEL_SERVICE_PRE_UPDATE, 0);
            host.draw(g->gauge_name);
        }
        ASSERT_NE(all_flags(), load_flags);
        ASSERT_NE(FakeHost::text(FakeHost::gauge("testgauge2k").elements_list[0]->next_element[2]), "");
        reset_module();
    }
    EXPECT_EQ(bytes_of(&aircraft, sizeof aircraft), load_aircraft);
    EXPECT_EQ(bytes_of(&private_state, sizeof private_state), load_private);
    EXPECT_EQ(bytes_of(&gauges::testgauge2k::state, sizeof gauges::testgauge2k::state), load_test_gauge);
    EXPECT_EQ(all_flags(), load_flags);
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        for (ELEMENT_HEADER* e : elements_of(*g)) {
            if (e->element_type == ELEMENT_TYPE_STRING) {
                EXPECT_EQ(FakeHost::text(e), "");
            }
        }
    }
}

TEST(Reset, TheSharedRecordStartsWithTheAircraftsLoadValues) {
    reset_module();
    // A sample of the load values that are part of the behaviour.
    EXPECT_EQ(aircraft.BattCharge, 1800u);
    EXPECT_EQ(aircraft.Batt1Switch, 1);
    EXPECT_EQ(aircraft.Gen2BreakerSwitch, 1);
    EXPECT_EQ(aircraft.AcEssFeedSelector, 2);
    EXPECT_EQ(aircraft.HydPump3Spool, 200);
    EXPECT_EQ(aircraft.ApuOilQuantity, 800u);
    EXPECT_EQ(aircraft.N1IndexValue, 100u);
    EXPECT_EQ(aircraft.TrcN1Target, 105.3);
    EXPECT_EQ(aircraft.AsiMaxSpeedPointer, 350u);
    EXPECT_EQ(aircraft.SpeedBug1, 120u);
    EXPECT_EQ(aircraft.SpeedBug4, 215u);
    EXPECT_EQ(aircraft.SelectedSpeed, 130);
    EXPECT_EQ(aircraft.GsVsTarget, -850.0);
    EXPECT_EQ(aircraft.ZeroFuelWeightSetting, 1020);
    EXPECT_EQ(aircraft.VibPickupSelector, 1);
    EXPECT_EQ(aircraft.DcEssBusPowered, 0);
    for (uint8_t rearm : aircraft.WarningRearm) EXPECT_EQ(rearm, 0);
}

}  // namespace
}  // namespace kadrimos::testing
