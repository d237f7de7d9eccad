// The ground proximity warning gauge: its light and test button, the test's
// callouts and their timing, and what the computer does without power.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "systems/gpws/gpws_state.h"

namespace kadrimos::testing {
namespace {

using gauges::gpws::state;

constexpr const char* kGpws = "toskelin gpws_rulo";
constexpr uint32_t kTick = 1, kOnGround = 60, kFlaps = 329, kGear = 332;

// The computer powered, the aircraft parked with the gear down and the flaps
// up, the sounds loaded.
struct Gpws {
    FakeHost host;
    double tick = 1000;
    Gpws() {
        aircraft.DcEssBusPowered = 1;
        host.set(kOnGround, 1);
        host.set(kGear, 16383);
        host.set(kFlaps, 0);
        host.load_sounds();
        serve();
        host.clear_logs();
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.set(kTick, tick++);
            host.update(kGpws);
            host.draw(kGpws);
        }
    }
    bool light() const { return FakeHost::visible(kGpws, "GPWS light"); }
    // The callouts played once since the logs were last cleared.
    std::vector<std::string> callouts() const {
        std::vector<std::string> out;
        for (const SoundEvent& e : host.sound_events())
            if (e.kind == "play" && e.value == 0) out.push_back(e.name);
        return out;
    }
};

using Calls = std::vector<std::string>;

// Pressing the light starts the test: GLIDESLOPE at once, WHOOP WHOOP PULL UP
// two seconds (36 ticks) later, the end two seconds after that. With landing
// flaps the test ends after GLIDESLOPE.
TEST(GpwsTest, CallsGlideslopeThenPullUpTwoSecondsApart) {
    struct Row {
        double flaps;
        int ticks_to_end;
        Calls calls;
    };
    const Row rows[] = {
        {0, 72, {"GLIDESLOPE", "WPULLUP"}},
        {5162, 72, {"GLIDESLOPE", "WPULLUP"}},  // up to 100 short of the landing detent
        {5163, 36, {"GLIDESLOPE"}},             // past it: landing flaps
        {16383, 36, {"GLIDESLOPE"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.flaps);
        Gpws g;
        g.host.set(kFlaps, r.flaps);
        g.host.click(kGpws, "GPWS light TEST");
        g.serve();  // the test's first update: GLIDESLOPE
        EXPECT_TRUE(g.light());
        g.serve(r.ticks_to_end - 1);
        EXPECT_EQ(state.test.GpwsTestActive, 1);
        EXPECT_TRUE(g.light());
        g.serve();
        EXPECT_EQ(state.test.GpwsTestActive, 0);
        EXPECT_FALSE(g.light());
        if (FakeHost::kHearsSounds) {
            EXPECT_EQ(g.callouts(), r.calls);
        }
    }
}

TEST(GpwsTest, PullUpComesOnTheThirtySixthTickAfterGlideslope) {
    if (!FakeHost::kHearsSounds) GTEST_SKIP() << "the Windows build plays through DirectSound";
    Gpws g;
    g.host.click(kGpws, "GPWS light TEST");
    g.serve(36);
    EXPECT_EQ(g.callouts(), Calls{"GLIDESLOPE"});
    g.serve();
    EXPECT_EQ(g.callouts(), (Calls{"GLIDESLOPE", "WPULLUP"}));
}

// The button starts a test only with the computer powered and quiet; in
// flight the test runs only above 1500 ft, and it stops when it no longer may.
TEST(GpwsTest, RunsOnlyOnTheGroundOrHighAndPowered) {
    {
        Gpws g;  // no power: the press is ignored
        aircraft.DcEssBusPowered = 0;
        g.host.click(kGpws, "GPWS light TEST");
        EXPECT_EQ(state.test.GpwsTestActive, 0);
    }
    for (double ra : {1500.0, 1501.0}) {
        Gpws g;
        g.host.set(kOnGround, 0);
        aircraft.RadioAltitudeFt = ra;
        g.host.click(kGpws, "GPWS light TEST");
        g.serve();
        EXPECT_EQ(state.test.GpwsTestActive, ra > 1500 ? 1 : 0) << ra;
    }
    {
        Gpws g;  // the bus lost in mid-test ends it, and it does not resume
        g.host.click(kGpws, "GPWS light TEST");
        g.serve(10);
        aircraft.DcEssBusPowered = 0;
        g.serve();
        EXPECT_EQ(state.test.GpwsTestActive, 0);
        EXPECT_FALSE(g.light());
        aircraft.DcEssBusPowered = 1;
        g.host.clear_logs();
        g.serve(80);
        EXPECT_TRUE(g.callouts().empty());
    }
    {
        Gpws g;  // a second press while the test runs does not restart it
        g.host.click(kGpws, "GPWS light TEST");
        g.serve(20);
        g.host.click(kGpws, "GPWS light TEST");
        g.serve(17);  // 37 updates in: the second callout, on time
        EXPECT_EQ(state.test.GpwsTestPhase, 2);
    }
}

// A sink towards the ground: the light and the callout come on the same
// update; without the DC essential bus the alert is gone and nothing is
// called out, though the modes keep their results for when power returns.
TEST(GpwsPower, WithoutTheEssentialBusThereIsNoAlertAndNoCallout) {
    Gpws g;
    g.host.set(kOnGround, 0);
    g.host.set(61, 200);
    aircraft.RadioAltitudeFt = 1000;
    aircraft.VerticalSpeedFpm = -3000;
    g.serve();
    EXPECT_EQ(aircraft.GpwsAlertCode, 10);
    EXPECT_TRUE(g.light());
    if (FakeHost::kHearsSounds) {
        EXPECT_EQ(g.callouts(), Calls{"SNKRATE"});
    }

    aircraft.DcEssBusPowered = 0;
    aircraft.VerticalSpeedFpm = 0;  // the computer is not there to see it
    g.host.clear_logs();
    g.serve(5);
    EXPECT_EQ(aircraft.GpwsAlertCode, 0);
    EXPECT_FALSE(g.light());
    EXPECT_EQ(state.modes.Mode1State, 1);
    EXPECT_TRUE(g.callouts().empty());

    aircraft.DcEssBusPowered = 1;
    g.serve();
    EXPECT_EQ(aircraft.GpwsAlertCode, 0);  // re-evaluated: the sink has ended
    EXPECT_EQ(state.modes.Mode1State, 0);
}

}  // namespace
}  // namespace kadrimos::testing
