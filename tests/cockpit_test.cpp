// The test presets reach the cockpits they are named after, and the panel is
// served as the simulator serves it.
#include "support/cockpit.h"

#include <gtest/gtest.h>

#include "module/module_state.h"

namespace kadrimos::testing {
namespace {

TEST(Cockpit, ThePanelIsServedInTheConfigurationsOrderEachGaugeOnce) {
    const std::vector<std::string>& order = panel_order();
    ASSERT_FALSE(order.empty());
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_STREQ(FakeHost::gauge(order[i]).gauge_name, order[i].c_str());
        for (std::size_t j = i + 1; j < order.size(); ++j) EXPECT_NE(order[i], order[j]);
    }
}

TEST(Cockpit, EachPresetStandsWhereItsNameSays) {
    struct Expected {
        Cockpit cockpit;
        bool dc_essential, ac_bus_1, apu_running, generator_1_on_line;
    };
    const Expected table[] = {
        {Cockpit::ColdAndDark, false, false, false, false},
        {Cockpit::BatteriesOn, true, false, false, false},
        {Cockpit::PoweredOnGround, true, true, true, false},
        {Cockpit::EnginesRunningOnGround, true, true, false, true},
        {Cockpit::InFlight, true, true, false, true},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(name_of(e.cockpit));
        FakeHost host;
        prepare(host, e.cockpit);
        EXPECT_EQ(aircraft.DcEssBusPowered == 1, e.dc_essential);
        EXPECT_EQ(aircraft.AcBus1Powered == 1, e.ac_bus_1);
        EXPECT_EQ(aircraft.ApuRunning == 1, e.apu_running);
        EXPECT_EQ(aircraft.Gen1Load > 0, e.generator_1_on_line);
    }
}

}  // namespace
}  // namespace kadrimos::testing
