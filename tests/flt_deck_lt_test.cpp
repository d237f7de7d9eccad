// The flight-deck lighting panel's switches: positions, clicks, bitmaps and
// the lamp test.
#include <gtest/gtest.h>

#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kPanel = "toskelin flt_deck_lt_rulo";

TEST(FlightDeckLights, TheLightSwitchShowsItsPositionAfterTheNextUpdate) {
    FakeHost host;
    host.update(kPanel);
    EXPECT_TRUE(host.visible(kPanel, 1));
    EXPECT_FALSE(host.visible(kPanel, 2));
    host.click_at(kPanel, 60, 20);  // ON
    EXPECT_EQ(aircraft.FltDeckLightSwitch, 1);
    EXPECT_TRUE(host.visible(kPanel, 1)) << "handlers never draw";
    host.update(kPanel);
    EXPECT_FALSE(host.visible(kPanel, 1));
    EXPECT_TRUE(host.visible(kPanel, 2));
}

TEST(FlightDeckLights, TheSelectorShowsOnePositionAndTestsTheLamps) {
    FakeHost host;
    struct Row {
        int32_t x, y;
        uint8_t position;
        int shown;  // element
        uint8_t lamp_test;
    };
    for (const Row& r : {Row{120, 10, 2, 5, 1}, Row{110, 30, 0, 4, 0}, Row{105, 50, 1, 3, 0}}) {
        host.click_at(kPanel, r.x, r.y);
        host.update(kPanel);
        EXPECT_EQ(aircraft.AnnLightSelector, r.position);
        for (int k = 3; k <= 5; ++k) EXPECT_EQ(host.visible(kPanel, k), k == r.shown) << "element " << k;
        EXPECT_EQ(aircraft.AnnLightTest, r.lamp_test);
    }
}

#if !defined(_WIN32)
TEST(FlightDeckLights, EachSwitchClicksOnlyWhenItMoves) {
    FakeHost host;
    host.load_sounds();
    host.click(kPanel, 0);  // light ON
    host.click(kPanel, 0);
    host.click(kPanel, 2);  // selector TEST
    host.click(kPanel, 2);
    host.click(kPanel, 3);  // BRT
    EXPECT_EQ(host.plays("CLICK"), 3u);
}
#endif

}  // namespace
}  // namespace kadrimos::testing
