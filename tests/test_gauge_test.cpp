// The development gauge: its flag, its event and its read-outs.
#include "module/test_gauge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kGauge = "testgauge2k";

ELEMENT_HEADER* readout(int n) {  // n = 1..4, the background's children 1..4
    return FakeHost::gauge(kGauge).elements_list[0]->next_element[n];
}

TEST(TestGauge, TwoClicksSendTheTestEventOnceAndLeaveTheFlagClear) {
    FakeHost host;
    host.click(kGauge, 0);
    EXPECT_EQ(gauges::testgauge2k::state.test_flag, 1);
    host.click_at(kGauge, 35, 16);
    EXPECT_EQ(gauges::testgauge2k::state.test_flag, 0);
    EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{0x10417, 0}}));
}

TEST(TestGauge, ItsIconIsHiddenAndUpdatesChangeNothing) {
    FakeHost host;
    ELEMENT_HEADER* icon = FakeHost::gauge(kGauge).elements_list[0]->next_element[0];
    EXPECT_EQ(icon->element_type, static_cast<uint32_t>(ELEMENT_TYPE_ICON));
    host.update(kGauge);
    EXPECT_NE(icon->image_flags & IMAGE_HIDDEN, 0u);
    EXPECT_TRUE(host.events().empty());
}

TEST(TestGauge, ReadoutsPrintSixDecimalsCutToSixCharacters) {
    FakeHost host;
    host.set(349, 12.5);
    host.set(78, -3.0);
    host.set(329, 8191.0);
    private_state.hydraulic_monitor.flap_at_loss = 4096;
    host.draw(kGauge);
    EXPECT_EQ(FakeHost::text(readout(1)), "0.0000");
    EXPECT_EQ(FakeHost::text(readout(2)), "12.500");
    EXPECT_EQ(FakeHost::text(readout(3)), "-3.000");
    EXPECT_EQ(FakeHost::text(readout(4)), "4096.0");
    EXPECT_EQ(host.value(readout(2)), 12.5);
    EXPECT_EQ(host.value(readout(4)), 4096.0);

    // With the flag set, the first shows the vertical mode and the fourth its
    // own variable.
    aircraft.VerticalMode = 3;
    host.click(kGauge, 0);
    host.draw(kGauge);
    EXPECT_EQ(FakeHost::text(readout(1)), "3.0000");
    EXPECT_EQ(FakeHost::text(readout(4)), "8191.0");
}

// The host owns the text: a read-out writes only into the buffer the host
// set, at most its maximum length and the terminator, and nothing at all
// while the host has set none.
TEST(TestGauge, ReadoutsWriteOnlyWithinTheHostsBuffer) {
    FakeHost host;
    host.set(349, -123456.75);
    auto* s = reinterpret_cast<ELEMENT_STRING*>(readout(2));
    char* own = s->string;
    char guarded[16];
    std::memset(guarded, '#', sizeof guarded);
    s->string = guarded;
    EXPECT_EQ(s->callback(&s->header), -123456.75);
    EXPECT_STREQ(guarded, "-12345");
    for (std::size_t i = s->max_string_length + 1u; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], '#') << i;
    s->string = nullptr;
    EXPECT_EQ(s->callback(&s->header), -123456.75) << "the value still reaches the host";
    s->string = own;
}

TEST(TestGauge, HostileValuesPrintWithinTheBuffer) {
    FakeHost host;
    host.set(349, std::numeric_limits<double>::quiet_NaN());
    host.set(78, -1e300);
    host.draw(kGauge);
    EXPECT_EQ(FakeHost::text(readout(2)), "nan");
    EXPECT_EQ(FakeHost::text(readout(3)), "-10000");
    for (int n = 1; n <= 4; ++n) {
        const auto* s = reinterpret_cast<const ELEMENT_STRING*>(readout(n));
        EXPECT_EQ(s->max_string_length, 6u);
        EXPECT_LE(std::strlen(s->string), 6u);
        EXPECT_EQ(s->fg_color, 0x80FFu);
        EXPECT_EQ(s->box_size.x, 80);
        EXPECT_EQ(s->box_size.y, 30);
        EXPECT_EQ(s->header.position.y, 36 * (n - 1));
    }
}

}  // namespace
}  // namespace kadrimos::testing
