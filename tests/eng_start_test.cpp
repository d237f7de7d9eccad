// Engine start: the ARM switch and its lamp test, the ignition selector, the
// start buttons with their bleed conditions, the starter window, the START
// VALVE OPEN lights, and the HP levers.
#include <gtest/gtest.h>

#include <limits>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kPanel = "toskelin eng_start_rulo";
constexpr const char* kLever1 = "toskelin hp_lev_1_rulo";
constexpr const char* kLever2 = "toskelin hp_lev_2_rulo";

// Mouse areas of the panel.
constexpr std::size_t kSelectorLeft = 0, kSelectorRight = 1, kArm = 2, kAbort = 3, kStart1 = 4, kStart2 = 5;
// Elements of the panel.
constexpr int kArmDown = 1, kArmUp = 2, kButtonLight1 = 3, kButtonLight2 = 4, kValveLight1 = 5,
              kValveLight2 = 6, kSelectorKnob = 7;

// Host tokens and events.
constexpr uint32_t kN1[] = {624, 643};
constexpr uint32_t kN2[] = {625, 644};
constexpr uint32_t kStarterEngaged[] = {563, 573};
constexpr uint32_t kStarterEvent[] = {0x102FC, 0x102FD};

constexpr int kLampTestTicks = 270;
constexpr int kStarterWindowTicks = 990;
constexpr uint8_t kCrank = 2, kStartA = 1;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A parked aircraft with both DC buses alive and the APU running; the
// host's tick counter advances with every update.
struct StartBench {
    FakeHost host;
    int tick = 100;

    StartBench() {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcNormBusPowered = 1;
        aircraft.ApuRunning = 1;
        host.set(1, tick);
    }
    void update() {
        ++tick;
        host.set(1, tick);
        host.update(kPanel);
    }
    void run(int updates) {
        for (int i = 0; i < updates; ++i) update();
    }
    void select(uint8_t position) {
        for (int i = 0; i < 5; ++i) host.click(kPanel, kSelectorLeft);
        for (int i = 0; i < position; ++i) host.click(kPanel, kSelectorRight);
    }
    // ARM with the selector on START A, then through the lamp test.
    void arm_and_test() {
        select(kStartA);
        host.click(kPanel, kArm);
        run(kLampTestTicks + 1);
    }
    std::size_t starter_events(std::size_t engine) const { return host.count(kStarterEvent[engine]); }
};

uint8_t request(std::size_t engine) {
    return engine == 0 ? private_state.eng_start.EngStartRequest1 : private_state.eng_start.EngStartRequest2;
}

// --- ARM, START ABORT and the lamp test -----------------------------------------------

#if !defined(_WIN32)
TEST(EngStartArm, ArmAndAbortClickOnlyWhenTheyChangeSomething) {
    StartBench b;
    b.host.load_sounds();
    b.host.click(kPanel, kAbort);  // already off
    b.host.click(kPanel, kArm);
    b.host.click(kPanel, kArm);  // already armed
    b.host.click(kPanel, kAbort);
    EXPECT_EQ(b.host.plays("CLICK"), 2u);
}
#endif

TEST(EngStartArm, TheLampTestLightsBothButtonsFor270TicksAndRefusesStarts) {
    StartBench b;
    aircraft.DcNormBusPowered = 0;
    b.host.click(kPanel, kArm);
    b.run(50);
    EXPECT_EQ(aircraft.EngStartArmState, 2) << "the test waits for the DC normal bus";
    EXPECT_FALSE(FakeHost::visible(kPanel, kButtonLight1));

    aircraft.DcNormBusPowered = 1;
    b.select(kStartA);
    b.update();
    EXPECT_EQ(aircraft.EngStartArmState, 3);
    EXPECT_TRUE(FakeHost::visible(kPanel, kButtonLight1));
    EXPECT_TRUE(FakeHost::visible(kPanel, kButtonLight2));
    b.host.click(kPanel, kStart1);  // refused: the request is held at 2
    b.host.click(kPanel, kStart2);
    b.run(kLampTestTicks - 1);
    EXPECT_EQ(aircraft.EngStartArmState, 3);
    EXPECT_TRUE(FakeHost::visible(kPanel, kButtonLight2));
    b.update();
    EXPECT_EQ(aircraft.EngStartArmState, 4);
    EXPECT_FALSE(FakeHost::visible(kPanel, kButtonLight1));
    EXPECT_FALSE(FakeHost::visible(kPanel, kButtonLight2));
    b.run(5);
    EXPECT_EQ(b.starter_events(0) + b.starter_events(1), 0u);
}

// --- Ignition selector -----------------------------------------------------------------

TEST(EngStartSelector, StepsWithoutWrappingAndClampsItsValue) {
    StartBench b;
    EXPECT_EQ(private_state.eng_start.IgnitionSelector, kCrank);
    for (int i = 0; i < 4; ++i) b.host.click(kPanel, kSelectorLeft);
    EXPECT_EQ(private_state.eng_start.IgnitionSelector, 0);
    for (int i = 0; i < 8; ++i) b.host.click(kPanel, kSelectorRight);
    EXPECT_EQ(private_state.eng_start.IgnitionSelector, 5);
    b.host.draw(kPanel);
    EXPECT_EQ(b.host.value(FakeHost::element(kPanel, kSelectorKnob)), 5);

    private_state.eng_start.IgnitionSelector = 9;
    b.host.draw(kPanel);
    EXPECT_EQ(b.host.value(FakeHost::element(kPanel, kSelectorKnob)), 5);
    EXPECT_EQ(private_state.eng_start.IgnitionSelector, 5) << "the limit is written back";
}

TEST(EngStartSelector, CrankRefusesStarts) {
    StartBench b;
    b.host.click(kPanel, kArm);
    b.run(kLampTestTicks + 1);
    b.host.click(kPanel, kStart1);
    b.update();
    EXPECT_EQ(b.starter_events(0), 0u);
    b.select(kStartA);
    b.host.click(kPanel, kStart1);
    b.update();
    EXPECT_EQ(b.starter_events(0), 1u);
}

// --- The starter -----------------------------------------------------------------------

TEST(EngStartStarter, IsHeldAtMost990TicksPerPress) {
    StartBench b;
    b.arm_and_test();
    b.host.click(kPanel, kStart1);
    b.run(kStarterWindowTicks + 50);
    EXPECT_EQ(b.starter_events(0), static_cast<std::size_t>(kStarterWindowTicks));
    EXPECT_EQ(b.starter_events(1), 0u);
    EXPECT_EQ(request(0), 0);

    b.host.click(kPanel, kStart1);  // a new press, a new window
    b.run(kStarterWindowTicks + 50);
    EXPECT_EQ(b.starter_events(0), 2u * kStarterWindowTicks);
}

TEST(EngStartStarter, IsReleasedWhenTheEnginePasses40PercentN2) {
    StartBench b;
    b.arm_and_test();
    b.host.click(kPanel, kStart2);
    b.host.set(kN2[1], 25);
    b.run(100);
    b.host.set(kN2[1], 40);
    b.run(10);
    EXPECT_EQ(b.starter_events(1), 110u) << "at exactly 40 % the starter still turns";
    b.host.set(kN2[1], 40.5);
    b.run(10);
    EXPECT_EQ(b.starter_events(1), 111u) << "sent once more in the update that releases it";
    EXPECT_EQ(request(1), 0);
}

TEST(EngStartStarter, AnInterruptedStartKeepsItsWindowRunning) {
    StartBench b;
    b.arm_and_test();
    b.host.click(kPanel, kStart1);
    b.run(400);
    b.host.click(kPanel, kAbort);
    b.update();
    b.host.click(kPanel, kArm);
    b.run(kLampTestTicks + 1);
    const std::size_t before = b.starter_events(0);
    EXPECT_EQ(before, 400u);
    // The press gets what is left of the first window, not a new one.
    b.host.click(kPanel, kStart1);
    b.run(kStarterWindowTicks + 10);
    const std::size_t rest = b.starter_events(0) - before;
    EXPECT_GT(rest, 0u);
    EXPECT_LT(before + rest, static_cast<std::size_t>(kStarterWindowTicks));
    EXPECT_EQ(request(0), 0);

    // A loss of DC essential power drops the request for good but leaves its
    // window open; once the window has passed, the next press only closes
    // it, and the press after that starts normally.
    b.host.click(kPanel, kStart1);
    b.run(10);
    const std::size_t at_loss = b.starter_events(0);
    aircraft.DcEssBusPowered = 0;
    b.run(kStarterWindowTicks + 10);
    aircraft.DcEssBusPowered = 1;
    b.run(3);
    EXPECT_EQ(b.starter_events(0), at_loss) << "the press does not come back with power";
    b.host.click(kPanel, kStart1);
    b.update();
    EXPECT_EQ(b.starter_events(0), at_loss) << "this press closes the old window";
    b.host.click(kPanel, kStart1);
    b.update();
    EXPECT_EQ(b.starter_events(0), at_loss + 1);
}

// --- Bleed air -------------------------------------------------------------------------

TEST(EngStartBleed, ComesFromTheApuExternalPowerOrTheOtherEngine) {
    StartBench b;
    b.arm_and_test();
    aircraft.ApuRunning = 0;
    b.host.click(kPanel, kStart2);
    b.run(2);
    EXPECT_EQ(b.starter_events(1), 0u);

    aircraft.ExtPowerOnBus = 1;
    b.host.click(kPanel, kStart2);
    b.update();
    EXPECT_EQ(b.starter_events(1), 1u);
    b.host.click(kPanel, kAbort);  // drops the request
    b.host.click(kPanel, kArm);
    b.run(kLampTestTicks + 1);
    aircraft.ExtPowerOnBus = 0;

    // Engine 1 at exactly 10 % N1 gives no bleed; above, it does, and the
    // starter then holds while engine 1 stays above 10 % N2.
    b.host.set(kN1[0], 10);
    b.host.set(kN2[0], 11);
    b.host.click(kPanel, kStart2);
    b.update();
    EXPECT_EQ(b.starter_events(1), 1u);
    b.host.set(kN1[0], 10.5);
    b.host.click(kPanel, kStart2);
    b.run(2);
    EXPECT_EQ(b.starter_events(1), 3u);
    b.host.set(kN2[0], 10);
    b.run(2);
    EXPECT_EQ(b.starter_events(1), 3u);
    EXPECT_EQ(request(1), 0);
}

// --- End of the sequence ---------------------------------------------------------------

TEST(EngStartSequence, BothEnginesPast40PercentEndItUntilAbortAndArm) {
    StartBench b;
    b.arm_and_test();
    b.host.set(kN2[0], 41);
    b.update();
    EXPECT_EQ(aircraft.EngStartArmState, 4) << "one engine is not enough";
    b.host.set(kN2[1], 41);
    b.update();
    EXPECT_EQ(aircraft.EngStartArmState, 1);
    EXPECT_TRUE(FakeHost::visible(kPanel, kArmUp));
    EXPECT_FALSE(FakeHost::visible(kPanel, kArmDown));

    // Engine 2 shut down: its button is dead all the same.
    b.host.set(kN2[1], 0);
    b.host.click(kPanel, kStart2);
    b.run(3);
    EXPECT_EQ(b.starter_events(1), 0u);

    b.host.click(kPanel, kAbort);
    b.host.click(kPanel, kArm);
    b.run(kLampTestTicks + 1);
    b.host.click(kPanel, kStart2);
    b.run(3);
    EXPECT_EQ(b.starter_events(1), 3u);
}

// --- START VALVE OPEN ------------------------------------------------------------------

TEST(EngStartValveLight, LitWhileTheStarterIsEngagedBelow45PercentN2) {
    StartBench b;
    b.host.set(kStarterEngaged[0], 1.0);
    b.host.set(kN2[0], 44.9);
    b.update();
    EXPECT_TRUE(FakeHost::visible(kPanel, kValveLight1));
    EXPECT_FALSE(FakeHost::visible(kPanel, kValveLight2));
    b.host.set(kN2[0], 45);
    b.update();
    EXPECT_FALSE(FakeHost::visible(kPanel, kValveLight1));
    b.host.set(kN2[0], 20);
    aircraft.DcEssBusPowered = 0;
    b.update();
    EXPECT_FALSE(FakeHost::visible(kPanel, kValveLight1));
}

// --- Host values that are not numbers ---------------------------------------------------

TEST(EngStartHostValues, NotANumberMeansAStoppedEngineAndAStoppedClock) {
    StartBench b;
    b.arm_and_test();
    aircraft.ApuRunning = 0;
    // An unreadable engine 1 gives no bleed, at the button or at the starter.
    b.host.set(kN1[0], kNaN);
    b.host.set(kN2[0], kNaN);
    b.host.click(kPanel, kStart2);
    b.run(2);
    EXPECT_EQ(b.starter_events(1), 0u);
    b.host.set(kN1[0], 22);
    b.host.click(kPanel, kStart2);
    b.run(2);
    EXPECT_EQ(request(1), 0);
    EXPECT_EQ(b.starter_events(1), 0u);

    // Unreadable N2s neither release a starter nor end the sequence, and an
    // engaged starter over an unreadable N2 shows its valve open.
    aircraft.ApuRunning = 1;
    b.host.set(kN2[1], kNaN);
    b.host.set(kStarterEngaged[1], 1.0);
    b.host.click(kPanel, kStart2);
    b.run(3);
    EXPECT_EQ(b.starter_events(1), 3u);
    EXPECT_EQ(aircraft.EngStartArmState, 4);
    EXPECT_TRUE(FakeHost::visible(kPanel, kValveLight2));

    // A tick counter that is not a number holds the window; it runs on when
    // the counter reads a number again.
    const std::size_t before = b.starter_events(1);
    b.host.set(1, std::numeric_limits<double>::infinity());
    b.host.update(kPanel);
    b.host.set(1, kNaN);
    b.host.update(kPanel);
    EXPECT_EQ(b.starter_events(1), before + 2);
    b.run(3);
    EXPECT_EQ(b.starter_events(1), before + 5);
}

// --- HP levers --------------------------------------------------------------------------

TEST(HpLevers, AClickMovesTheLeverSilentlyWithoutPower) {
    FakeHost host;
    host.load_sounds();
    host.update(kLever1);
    host.update(kLever2);
    EXPECT_TRUE(FakeHost::visible(kLever1, 1));
    EXPECT_FALSE(FakeHost::visible(kLever1, 2));
    host.click(kLever1, 0);
    host.update(kLever1);
    host.update(kLever2);
    EXPECT_EQ(aircraft.HpLever1Open, 1);
    EXPECT_EQ(aircraft.HpLever2Open, 0);
    EXPECT_FALSE(FakeHost::visible(kLever1, 1));
    EXPECT_TRUE(FakeHost::visible(kLever1, 2));
    EXPECT_TRUE(FakeHost::visible(kLever2, 1));
    host.click(kLever1, 0);
    EXPECT_EQ(aircraft.HpLever1Open, 0);
    EXPECT_EQ(host.plays("CLICK"), 0u);
}

}  // namespace
}  // namespace kadrimos::testing
