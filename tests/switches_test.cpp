// The handler shapes: switches click only when they move, steppers stop at
// their limits or wrap, and nothing here needs electrical power.
#include "panel/switches.h"

#include <gtest/gtest.h>

#include "module/module_state.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using sound::SoundName;

// Switches with the cockpit's sounds loaded; the click count comes from the
// sound card (none is observable in the Windows build, where the checks on
// it are left out).
class Switches : public ::testing::Test {
protected:
    void SetUp() override { host.load_sounds(); }
    std::size_t clicks() const { return host.plays("CLICK"); }
    FakeHost host;
};

#if defined(_WIN32)
#define EXPECT_CLICKS(n) (void)(n)
#else
#define EXPECT_CLICKS(n) EXPECT_EQ(clicks(), static_cast<std::size_t>(n))
#endif

TEST_F(Switches, AThreePositionSwitchClickedUpTwiceClicksOnce) {
    uint8_t selector = 1;
    EXPECT_TRUE(move_switch(selector, 2));
    EXPECT_FALSE(move_switch(selector, 2));
    EXPECT_EQ(selector, 2);
    EXPECT_CLICKS(1);

    EXPECT_TRUE(move_switch(selector, 0));
    EXPECT_EQ(selector, 0);
    EXPECT_CLICKS(2);
}

TEST_F(Switches, ASharedRecordSwitchAreaMovesItsItemWithoutPower) {
    ASSERT_EQ(aircraft.DcEssBusPowered, 0);
    auto table = mouse_table(
        0, {area("BAT 1 ON", {0, 0, 10, 10}, CURSOR_HAND, set_position<&AircraftState::Batt1Switch, 2>),
            area("BAT 1 OFF", {0, 10, 10, 10}, CURSOR_HAND, set_position<&AircraftState::Batt1Switch, 0>)});
    PIXPOINT p{0, 0};
    EXPECT_EQ(table.rect[1].mouse_function(&p, MOUSE_LEFTSINGLE), 0);
    EXPECT_EQ(aircraft.Batt1Switch, 2);
    table.rect[1].mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_CLICKS(1);
    table.rect[2].mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_EQ(aircraft.Batt1Switch, 0);
    EXPECT_CLICKS(2);
}

TEST_F(Switches, WithTheClickSoundMissingSwitchesStillMoveSilently) {
    sound::release_sound(private_state.sound_bank.sounds[0]);
    private_state.sound_bank.sounds[static_cast<std::size_t>(SoundName::CLICK)] = nullptr;
    uint8_t sw = 0;
    EXPECT_TRUE(move_switch(sw, 1));
    EXPECT_EQ(sw, 1);
    EXPECT_CLICKS(0);
}

TEST_F(Switches, AClickedPressAlwaysClicksAndCodesTheTimedPress) {
    uint8_t gen = 0;
    press_and_click(gen);
    EXPECT_EQ(gen, 2);
    press_and_click(gen);
    EXPECT_EQ(gen, 3);
    gen = 1;
    press_and_click(gen);
    EXPECT_EQ(gen, 3);
    EXPECT_CLICKS(3);
}

TEST_F(Switches, AMomentaryButtonRaisesItsRequestSilently) {
    uint8_t flag = 0;
    request(flag);
    EXPECT_EQ(flag, 1);
    request(flag);
    EXPECT_EQ(flag, 1);
    EXPECT_CLICKS(0);
}

TEST_F(Switches, SteppersStopAtTheirLimitsSilently) {
    uint8_t selector = 6;
    step_up<uint8_t>(selector, 1, 7);
    step_up<uint8_t>(selector, 1, 7);
    EXPECT_EQ(selector, 7);
    selector = 1;
    step_down<uint8_t>(selector, 1, 0);
    step_down<uint8_t>(selector, 1, 0);
    EXPECT_EQ(selector, 0);

    // A coarse step near the limit lands on the limit rather than past it,
    // and an unsigned item at 0 does not wrap round.
    uint32_t quantity = 3;
    step_down<uint32_t>(quantity, 10, 0);
    EXPECT_EQ(quantity, 0u);
    int32_t altitude = 49950;
    step_up<int32_t>(altitude, 100, 50000);
    EXPECT_EQ(altitude, 50000);
    EXPECT_CLICKS(0);
}

TEST_F(Switches, AWrappingStepperGoesRoundTheCompass) {
    int32_t heading = 359;
    step_wrap(heading, 1, 360);
    EXPECT_EQ(heading, 0);
    step_wrap(heading, -1, 360);
    EXPECT_EQ(heading, 359);
    heading = 355;
    step_wrap(heading, 10, 360);
    EXPECT_EQ(heading, 5);
    step_wrap(heading, -10, 360);
    EXPECT_EQ(heading, 355);
}

// The switch shapes split their box into bands and halves with no pixel left
// over and none shared, and put the cursors and handlers where the crew
// expects them.
TEST_F(Switches, SwitchRowsSplitTheirBoxIntoBandsTopFirst) {
    constexpr auto three =
        position_switch<&AircraftState::Batt1Switch, 2, 1, 0>({10, 20, 30, 75}, {"ON", "NORM", "OFF"});
    constexpr auto knob =
        stepping_selector<&AircraftState::DcMeterSelector, 7>({0, 0, 114, 62}, "left", "right");
    constexpr Toggle kToggles[] = {
        toggle<&AircraftState::Tr1Switch>({12, 49, 39, 78}, "TR 1 ON", "TR 1 OFF")};
    constexpr auto toggles = toggle_areas(kToggles, SwitchCursors::hand);
    constexpr auto list = area_list(knob, area("button", {1, 2, 3, 4}, CURSOR_HAND, nullptr), three);

    struct Row {
        const AreaSpec& a;
        const char* label;
        PIXBOX box;
        int32_t cursor;
    };
    const Row rows[] = {
        {three[0], "ON", {10, 20, 30, 25}, CURSOR_UPARROW},
        {three[1], "NORM", {10, 45, 30, 25}, CURSOR_HAND},
        {three[2], "OFF", {10, 70, 30, 25}, CURSOR_DOWNARROW},
        {knob[0], "left", {0, 0, 57, 62}, CURSOR_DOWNARROW},
        {knob[1], "right", {57, 0, 57, 62}, CURSOR_UPARROW},
        {toggles[0], "TR 1 ON", {12, 49, 39, 39}, CURSOR_HAND},
        {toggles[1], "TR 1 OFF", {12, 88, 39, 39}, CURSOR_HAND},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_STREQ(r.a.label, r.label);
        EXPECT_EQ(r.a.rect.box.x, r.box.x);
        EXPECT_EQ(r.a.rect.box.y, r.box.y);
        EXPECT_EQ(r.a.rect.box.width, r.box.width);
        EXPECT_EQ(r.a.rect.box.height, r.box.height);
        EXPECT_EQ(r.a.rect.cursor, r.cursor);
        EXPECT_EQ(r.a.rect.rect_type, static_cast<uint32_t>(MOUSE_RECT_CHILD));
    }

    // A joined list keeps its parts in order.
    static_assert(list.size() == 6);
    EXPECT_STREQ(list[0].label, "left");
    EXPECT_STREQ(list[2].label, "button");
    EXPECT_STREQ(list[5].label, "OFF");

    // Each band moves the switch to its own position; the knob's halves step
    // it down and up, stopping at the ends.
    PIXPOINT p{0, 0};
    three[2].rect.mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_EQ(aircraft.Batt1Switch, 0);
    three[0].rect.mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_EQ(aircraft.Batt1Switch, 2);
    for (int k = 0; k < 9; ++k) knob[1].rect.mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_EQ(aircraft.DcMeterSelector, 7);
    knob[0].rect.mouse_function(&p, MOUSE_LEFTSINGLE);
    EXPECT_EQ(aircraft.DcMeterSelector, 6);

    // A toggle's icons stand at the top left of its box, the lower position's
    // first.
    constexpr auto icons = toggle_icons(kToggles);
    EXPECT_STREQ(icons[0].label, "TR 1 OFF");
    EXPECT_STREQ(icons[1].label, "TR 1 ON");
    EXPECT_EQ(icons[1].position.x, 12);
    EXPECT_EQ(icons[1].position.y, 49);
}

}  // namespace
}  // namespace kadrimos::testing
