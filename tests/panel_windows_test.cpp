// The panel window buttons: drawn only with the panel option, each click
// toggles its window and answers what the host answered.
#include <gtest/gtest.h>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

struct Button {
    const char* gauge;
    uint32_t window;
};

const Button kButtons[] = {
    {"toskelin toggle_pan_rad_rulo", 10050},  {"toskelin toggle_pan_ped_rulo", 10040},
    {"toskelin toggle_pan_fe_rulo", 10060},   {"toskelin toggle_pan_gps_rulo", 10080},
    {"toskelin toggle_pan_fail_rulo", 10100}, {"toskelin toggle_pan_up2_rulo", 10030},
    {"toskelin toggle_pan_ins_rulo", 10070},
};

TEST(PanelWindowButtons, AreHiddenAtLoadAndFollowThePanelOption) {
    FakeHost host;
    for (const Button& b : kButtons) EXPECT_FALSE(host.visible(b.gauge, 0)) << b.gauge;

    aircraft.PanelOptionFlag = 1;
    for (const Button& b : kButtons) host.update(b.gauge);
    for (const Button& b : kButtons) EXPECT_TRUE(host.visible(b.gauge, 0)) << b.gauge;

    aircraft.PanelOptionFlag = 0;
    for (const Button& b : kButtons) host.update(b.gauge);
    for (const Button& b : kButtons) EXPECT_FALSE(host.visible(b.gauge, 0)) << b.gauge;
}

TEST(PanelWindowButtons, OnlyAnUpdateChangesTheirVisibility) {
    FakeHost host;
    aircraft.PanelOptionFlag = 1;
    for (int code : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13})
        host.service("toskelin toggle_pan_fe_rulo", code);
    EXPECT_FALSE(host.visible("toskelin toggle_pan_fe_rulo", 0));
}

TEST(PanelWindowButtons, EachClickTogglesItsWindowOnceSilently) {
    FakeHost host;
    for (const Button& b : kButtons) {
        host.clear_logs();
        host.click(b.gauge, 0);
        host.click(b.gauge, 0);
        EXPECT_EQ(host.toggled_windows(), (std::vector<uint32_t>{b.window, b.window})) << b.gauge;
        EXPECT_TRUE(host.events().empty());
    }
}

TEST(PanelWindowButtons, TheHandlerReturnsTheHostsAnswer) {
    FakeHost host;
    host.toggle_result = 0;
    EXPECT_EQ(host.click("toskelin toggle_pan_gps_rulo", 0), 0);
    host.toggle_result = 1;
    EXPECT_EQ(host.click_at("toskelin toggle_pan_gps_rulo", 71, 101), 1);
}

TEST(PanelWindowButtons, ButtonsWorkWhetherOrNotTheyAreDrawn) {
    FakeHost host;
    aircraft.PanelOptionFlag = 0;
    host.update("toskelin toggle_pan_up2_rulo");
    host.click_at("toskelin toggle_pan_up2_rulo", 0, 0);
    EXPECT_EQ(host.toggled_windows(), std::vector<uint32_t>{10030});
}

TEST(PanelWindowButtons, WithoutAHostTableAClickAnswersZero) {
    reset_module();
    PIXPOINT point{1, 1};
    const MOUSERECT* area = areas_of(FakeHost::gauge("toskelin toggle_pan_rad_rulo"))[0];
    EXPECT_EQ(area->mouse_function(&point, area->mouse_flags), 0);
}

}  // namespace
}  // namespace kadrimos::testing
