// The configuration indicators: flap and slat strips at and between the
// detents, the slat lamp's flash, the take-off configuration caution and the
// flap placard, the gear lamps and lever, the brakes and the hot-brake
// caution, and the surfaces indicator's pitch condition.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "instruments/config_indicators_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kFlaps = "toskelin flaps_ind_rulo";
constexpr const char* kSurfaces = "toskelin surf_ind_rulo";
constexpr const char* kGearLamps = "toskelin gear_ind_rulo";
constexpr const char* kGearLever = "toskelin gear_h_rulo";
constexpr const char* kBrakes = "toskelin brakes_ind_rulo";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

instruments::FlapsIndicatorState& flaps = gauges::flaps_ind::state;
instruments::GearLeverState& lever = gauges::gear_h::state;
instruments::BrakesIndicatorState& brakes = gauges::brakes_ind::state;

// Powered, all three hydraulic systems up, on the ground at rest; the tick
// counter advances one a served update.
struct Bench {
    FakeHost host;
    double tick = 1000;
    Bench() {
        aircraft.AcBus1Powered = aircraft.AcBus2Powered = 1;
        aircraft.AcEssBusPowered = aircraft.DcEssBusPowered = 1;
        aircraft.HydStateBlue = aircraft.HydStateGreen = aircraft.HydStateYellow = 1;
        host.set(60, 1.0);
    }
    void serve(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.set(1, tick);
            host.update(gauge);
            tick += 1;
        }
    }
};

// --- Flaps ---------------------------------------------------------------------

// A strip standing at 70 and the slats at 1.5, then one update at the row's
// lever and flap positions: where the strips go, or that they hold.
TEST(FlapStrips, FollowTheFlapsBetweenDetentsAndHoldWithinAUnitOfThem) {
    struct Row {
        double lever, f, strip, slats;
    };
    constexpr double kHold = 70, kSlatsHold = 1.5;
    const Row rows[] = {
        {0, 0.1, 82, 1.51},                      // lever up, flaps in: slats retracting
        {1, 0, 82, 1.49},                        // lever out, flaps not yet moving: slats extending
        {1, 1, kHold, kSlatsHold},               // within a unit of the up detent
        {1, 2631, 82 - 14.5, 1.49},              // half way to the first detent
        {1, 5262, 53, 1.49},                     // on the first detent: counted with the travel below
        {1, 5262.5, kHold, kSlatsHold},          // just beyond it
        {1, 7873.5, 43.5, 1},                    // half way between the detents
        {1, 10484, 53 - 19 * 5222.0 / 5223, 1},  // a unit short of the second
        {1, 10485, kHold, kSlatsHold},           // on the second detent
        {1, 10486, kHold, kSlatsHold},
        {1, 13392.5, 17, 0.5},  // half way to full travel
        {1, 16300, 0, 0},
        {1, 16301, kHold, kSlatsHold},  // beyond full travel
        {1, kNaN, kHold, kSlatsHold},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("lever " + std::to_string(r.lever) + ", flaps " + std::to_string(r.f));
        Bench b;
        flaps.flap_strip = kHold;
        flaps.slat_strip = kSlatsHold;
        b.host.set(328, r.lever * 7000);
        b.host.set(329, r.f);
        b.serve(kFlaps);
        EXPECT_NEAR(flaps.flap_strip, r.strip, 1e-9);
        EXPECT_NEAR(flaps.slat_strip, r.slats, 1e-9);
    }
}

TEST(FlapStrips, StandStillWithoutAcBus2HydraulicsOrForTheSlatsGreen) {
    Bench b;
    b.host.set(328, 7000);
    b.host.set(329, 7873.5);
    flaps.slat_strip = 1.5;
    aircraft.HydStateGreen = 0;
    b.serve(kFlaps);
    EXPECT_DOUBLE_EQ(flaps.flap_strip, 43.5) << "yellow moves the flaps";
    EXPECT_DOUBLE_EQ(flaps.slat_strip, 1.5) << "only green moves the slats";
    aircraft.HydStateYellow = 0;
    b.host.set(328, 16000);
    b.host.set(329, 2631);
    b.serve(kFlaps);
    EXPECT_DOUBLE_EQ(flaps.flap_strip, 43.5);
    EXPECT_EQ(flaps.lever_pointer, 29) << "nor the lever pointer";
}

TEST(FlapLeverPointer, ShowsTheLeversDetent) {
    const std::vector<std::pair<double, int>> rows = {{-5, 0},     {5999, 0},   {6000, 29},
                                                      {9999, 29},  {10000, 48}, {13999, 48},
                                                      {14000, 82}, {16383, 82}, {kNaN, 82}};
    Bench b;
    flaps.lever_pointer = 48;
    for (const auto& [position, pointer] : rows) {
        b.host.set(328, position);
        b.serve(kFlaps);
        EXPECT_EQ(flaps.lever_pointer, pointer) << position;
    }
}

TEST(FlapDetents, ArePublishedFromLoadOnAndRewrittenEveryUpdate) {
    Bench b;
    const int16_t detents[] = {0, 5262, 10485};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(aircraft.FlapDetentPositions[i], detents[i]) << "at load";
    aircraft.FlapDetentPositions[1] = 1;
    b.serve(kFlaps);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(aircraft.FlapDetentPositions[i], detents[i]);
}

// Slats driven out from retracted, one step an update from tick 1000: the
// lamp comes on as they come between their stops, blinks 4 on, 4 off, goes
// dark on the 80th tick and lights steadily once they are out.
TEST(SlatLamp, FlashesOnExactTicksThroughATransitThenShowsSlatsOut) {
    Bench b;
    b.host.set(328, 7000);
    b.host.set(329, 0);
    std::string seen;
    for (int i = 0; i < 110; ++i) {
        b.serve(kFlaps);
        seen += FakeHost::visible(kFlaps, "SLATS light") ? '#' : '.';
    }
    // The slats come between their stops at the second update (1.98).
    std::string want = ".";
    for (int t = 0; t < 80; ++t) want += (t % 8) < 4 ? '#' : '.';
    want += std::string(8, '.');   // out of the flash, slats still above 1.1
    want += std::string(21, '#');  // slats out: steady
    EXPECT_EQ(seen, want);
}

TEST(SlatLamp, ATickTheHostSkippedLeavesTheFlashRunning) {
    Bench b;
    b.host.set(328, 7000);
    b.host.set(329, 0);
    b.serve(kFlaps, 2);  // the transit starts at tick 1001
    b.serve(kFlaps, 79);
    b.tick += 1;         // tick 1081, the flash's last, never comes
    b.serve(kFlaps, 4);  // 1082 to 1085
    EXPECT_EQ(flaps.slats_in_transit, 1);
    EXPECT_EQ(flaps.slat_flash.active, 1);
}

TEST(TakeoffConfiguration, CautionOnTheGroundWarningOnlyWithTakeoffThrust) {
    struct Row {
        const char* what;
        double f, slats, spoiler_right, n1_left, n1_right, on_ground;
        uint8_t dc_ess, caution, warning;
    };
    const Row rows[] = {
        {"flaps at the second detent", 10486, 1, 0, 100, 0, 1, 1, 0, 0},
        {"landing flaps, idle", 10486.5, 1, 0, 22, 22, 1, 1, 1, 0},
        {"landing flaps, 96.9 %", 12000, 1, 0, 96.9, 22, 1, 1, 1, 0},
        {"landing flaps, engine 2 at 97 %", 12000, 1, 0, 22, 97, 1, 1, 1, 1},
        {"slats retracted", 0, 1.91, 0, 97, 97, 1, 1, 1, 1},
        {"slats at 1.9", 0, 1.9, 0, 97, 97, 1, 1, 0, 0},
        {"spoiler at 501", 0, 1, 501, 0, 0, 1, 1, 1, 0},
        {"spoiler at 500", 0, 1, 500, 0, 0, 1, 1, 0, 0},
        {"airborne", 12000, 2, 900, 100, 100, 0, 1, 0, 0},
        {"on the ground read as NaN", 12000, 2, 900, 100, 100, kNaN, 1, 0, 0},
        {"no DC essential power", 12000, 2, 900, 100, 100, 1, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Bench b;
        aircraft.AcBus2Powered = 0;  // strips held where set
        flaps.slat_strip = r.slats;
        aircraft.DcEssBusPowered = r.dc_ess;
        b.host.set(329, r.f);
        b.host.set(327, r.spoiler_right);
        b.host.set(624, r.n1_left);
        b.host.set(643, r.n1_right);
        b.host.set(60, r.on_ground);
        b.serve(kFlaps);
        EXPECT_EQ(aircraft.FlapConfigCaution, r.caution);
        EXPECT_EQ(aircraft.FlapsFault, r.warning);
        EXPECT_EQ(FakeHost::visible(kFlaps, "CONFIG light"), r.caution == 1);
    }
}

TEST(FlapPlacard, EachBandHasItsSpeed) {
    struct Row {
        double f, slats, kt;
        uint8_t exceeded;
    };
    const Row rows[] = {
        {0, 1.9, 250, 0},    {0, 1.9, 250.5, 1},  {0, 1.91, 300, 0},    {1, 1, 300, 0},
        {5262, 1, 215, 0},   {5262, 1, 215.5, 1}, {5263, 1, 300, 0},    {10485, 1, 205.5, 1},
        {10485, 1, 205, 0},  {10486, 1, 300, 0},  {16300, 0, 180.5, 1}, {16301, 0, 300, 0},
        {16300, 0, kNaN, 0},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.AcBus2Powered = 0;
        flaps.slat_strip = r.slats;
        b.host.set(329, r.f);
        b.host.set(61, r.kt);
        b.serve(kFlaps);
        EXPECT_EQ(aircraft.FlapPlacardExceeded, r.exceeded) << r.f << " at " << r.kt;
    }
}

// --- Gear --------------------------------------------------------------------------

// The left leg's lamps (lower, middle, upper) as "LM.", lamp test off and on.
std::string left_leg(Bench& b, double handle, double position, bool lamp_test) {
    aircraft.AnnLightTest = lamp_test ? 1 : 0;
    b.host.set(331, handle);
    b.host.set(333, position);
    b.serve(kGearLamps);
    std::string out;
    for (const char* lamp : {"LEFT GEAR lower light", "LEFT GEAR middle light", "LEFT GEAR upper light"})
        out += FakeHost::visible(kGearLamps, lamp) ? "#" : ".";
    return out;
}

TEST(GearLamps, FollowTheLeverAndTheLegAtEachBoundary) {
    struct Row {
        double handle, position;
        const char* lamps;
        const char* under_test;
    };
    const Row rows[] = {
        {0, 16000, "##.", "##."},     {0, 15999, "###", "###"},     {0, 9000, "###", "###"},
        {0, 8999, ".##", ".##"},      {0, 3000, ".##", ".##"},      {0, 2999, "..#", "..#"},
        {0, 10, "..#", "..#"},        {0, 9.9, "...", "###"},       {16383, 300, ".#.", ".#."},
        {16383, 301, ".##", ".##"},   {16383, 13000, ".##", ".##"}, {16383, 13001, "#.#", "#.#"},
        {16383, 16000, "#.#", "#.#"}, {16383, 16001, "#..", "###"}, {16383, kNaN, "...", "###"},
        {kNaN, 16383, "...", "###"},
    };
    for (const Row& r : rows) {
        Bench b;
        EXPECT_EQ(left_leg(b, r.handle, r.position, false), r.lamps) << r.handle << " " << r.position;
        EXPECT_EQ(left_leg(b, r.handle, r.position, true), r.under_test) << r.handle << " " << r.position;
        aircraft.DcEssBusPowered = 0;
        EXPECT_EQ(left_leg(b, r.handle, r.position, true), "...") << "unpowered";
    }
}

TEST(GearLamps, LeverDownAndEveryLegAt14000ShowsLowerAndUpper) {
    Bench b;
    for (uint32_t leg : {332u, 333u, 334u}) b.host.set(leg, 14000);
    b.host.set(331, 16383);
    b.serve(kGearLamps);
    for (const char* leg : {"LEFT", "NOSE", "RIGHT"}) {
        const std::string name = std::string(leg) + " GEAR ";
        EXPECT_TRUE(FakeHost::visible(kGearLamps, name + "lower light")) << leg;
        EXPECT_FALSE(FakeHost::visible(kGearLamps, name + "middle light")) << leg;
        EXPECT_TRUE(FakeHost::visible(kGearLamps, name + "upper light")) << leg;
    }
}

TEST(GearLever, UpAndDownCommandTheGearTheMiddleOnlyMovesTheLever) {
    Bench b;
    b.host.click(kGearLever, "GEAR UP");
    EXPECT_EQ(lever.lever, instruments::kGearLeverUp);
    b.host.click(kGearLever, "GEAR MIDDLE");
    EXPECT_EQ(lever.lever, instruments::kGearLeverMiddle);
    b.host.click(kGearLever, "GEAR DOWN");
    EXPECT_EQ(lever.lever, instruments::kGearLeverDown);
    EXPECT_EQ(b.host.events(), (std::vector<KeyEvent>{{0x1021F, 0}, {0x10220, 0}}));
}

// Each row: the lever, the host's handle, DC essential power, and where the
// lever stands after an update.
TEST(GearLever, FollowsTheHostsHandleWhilePowered) {
    using namespace instruments;
    struct Row {
        uint8_t lever;
        double handle;
        uint8_t dc_ess, after;
    };
    const Row rows[] = {
        {kGearLeverUp, 16383, 1, kGearLeverDown},  {kGearLeverMiddle, 16383, 1, kGearLeverDown},
        {kGearLeverDown, 0, 1, kGearLeverUp},      {kGearLeverMiddle, 0, 1, kGearLeverMiddle},
        {kGearLeverDown, 0.5, 1, kGearLeverUp},    {kGearLeverDown, 1, 1, kGearLeverDown},
        {kGearLeverUp, 1, 1, kGearLeverUp},        {kGearLeverUp, 16383, 0, kGearLeverUp},
        {kGearLeverDown, kNaN, 1, kGearLeverDown},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.DcEssBusPowered = r.dc_ess;
        lever.lever = r.lever;
        b.host.set(331, r.handle);
        b.serve(kGearLever);
        EXPECT_EQ(lever.lever, r.after) << int{r.lever} << " with the handle at " << r.handle;
    }
}

TEST(GearLever, DrawnLitByWhicheverLightsAreOn) {
    struct Row {
        uint8_t instrument_lights, ac_ess, flight_deck;
        const char* shown;
    };
    const Row rows[] = {
        {0, 1, 1, "GEAR lever"},           {1, 0, 1, "GEAR lever"},
        {1, 1, 0, "GEAR lever panel lit"}, {1, 1, 2, "GEAR lever panel lit"},
        {1, 1, 1, "GEAR lever deck lit"},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.InstrumentLightsOn = r.instrument_lights;
        aircraft.AcEssBusPowered = r.ac_ess;
        aircraft.FltDeckLightSwitch = r.flight_deck;
        b.serve(kGearLever);
        for (const char* drawing : {"GEAR lever", "GEAR lever panel lit", "GEAR lever deck lit"})
            EXPECT_EQ(FakeHost::visible(kGearLever, drawing), std::string(drawing) == r.shown) << r.shown;
    }
}

// --- Brakes --------------------------------------------------------------------------

TEST(BrakePressures, FollowTheHostHoldOnTheParkingLatchOrBleedAway) {
    Bench b;
    b.host.set(320, 12345.9);
    b.host.set(321, kNaN);
    b.serve(kBrakes);
    EXPECT_EQ(aircraft.BrakePressLeft, 12345);
    EXPECT_EQ(aircraft.BrakePressRight, 0);

    b.host.set(323, 32000);
    b.serve(kBrakes);  // latched with pressure
    aircraft.HydStateGreen = aircraft.HydStateYellow = 0;
    b.serve(kBrakes);
    EXPECT_EQ(aircraft.BrakePressLeft, 32000);
    b.host.set(323, 0);  // released: the accumulator bleeds
    std::vector<int32_t> bleeding;
    for (int i = 0; i < 18; ++i) {
        b.serve(kBrakes);
        bleeding.push_back(aircraft.BrakePressLeft);
    }
    EXPECT_EQ(bleeding.front(), 30000);
    EXPECT_EQ(bleeding[14], 2000);
    EXPECT_EQ(bleeding[15], 0);
    aircraft.AcBus1Powered = 0;
    aircraft.BrakePressLeft = 5000;
    b.serve(kBrakes);
    EXPECT_EQ(aircraft.BrakePressLeft, 5000) << "without AC bus 1 the needle stays";
}

TEST(BrakePressures, NeedlesStopAt32000) {
    Bench b;
    b.host.set(320, 40000);
    b.host.set(321, -5);
    b.serve(kBrakes);
    b.host.draw(kBrakes);
    EXPECT_EQ(b.host.value(FakeHost::element(kBrakes, "LEFT BRAKE needle")), 32000);
    EXPECT_EQ(b.host.value(FakeHost::element(kBrakes, "RIGHT BRAKE needle")), 0);
    EXPECT_EQ(aircraft.BrakePressLeft, 32000);
}

// Braking at the row's pressure and speed for `ticks`: whether the hot-brake
// caution is up at the end.
TEST(HotBrakes, CautionAfter240TicksOfHardBrakingAt40KtForItsWhole3500) {
    struct Row {
        const char* what;
        double pressure, kt;
        int ticks;
        bool caution;
    };
    const Row rows[] = {
        {"16001 at 40 kt, 240 ticks", 16001, 40, 241, true},
        {"one tick short", 16001, 40, 240, false},
        {"16000", 16000, 40, 400, false},
        {"39.9 kt", 20000, 39.9, 400, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Bench b;
        b.host.set(320, r.pressure);
        b.host.set(61, r.kt);
        b.serve(kBrakes, r.ticks);
        EXPECT_EQ(aircraft.BrakesFault == 1, r.caution);
    }
    Bench b;
    b.host.set(320, 20000);
    b.host.set(61, 60);
    b.serve(kBrakes, 241);
    ASSERT_EQ(aircraft.BrakesFault, 1);
    b.host.set(320, 0);  // stopped and parked: the brakes stay hot
    b.host.set(61, 0);
    b.host.set(323, 32000);
    b.serve(kBrakes, 3499);
    EXPECT_EQ(aircraft.BrakesFault, 1);
    b.serve(kBrakes);
    EXPECT_EQ(aircraft.BrakesFault, 0);
    EXPECT_EQ(brakes.hot_phase, instruments::kBrakesCool);
}

TEST(HotBrakes, LettingOffOrEasingTheBrakesStartsTheDelayAgain) {
    for (double eased : {0.0, 9000.0}) {
        Bench b;
        b.host.set(61, 60);
        b.host.set(320, 20000);
        b.serve(kBrakes, 200);
        b.host.set(320, eased);
        b.serve(kBrakes);
        EXPECT_EQ(brakes.hot_phase, instruments::kBrakesCool) << eased;
        b.host.set(320, 20000);
        b.serve(kBrakes, 240);
        EXPECT_EQ(aircraft.BrakesFault, 0) << eased;
        b.serve(kBrakes);
        EXPECT_EQ(aircraft.BrakesFault, 1) << eased;
    }
}

TEST(BrakeSound, LoopsWhileBrakingAt15KtAndStopsOnce) {
    if (!FakeHost::kHearsSounds) GTEST_SKIP() << "the Windows build plays through DirectSound";
    Bench b;
    b.host.load_sounds();
    b.host.clear_logs();
    b.host.set(320, 1001);
    b.host.set(61, 14.9);
    b.serve(kBrakes, 3);
    b.host.set(61, 15);
    b.serve(kBrakes, 3);
    b.host.set(323, 1);
    b.serve(kBrakes, 3);
    EXPECT_EQ(b.host.sound_events(),
              (std::vector<SoundEvent>{{"play", "BRAKESSND", 1}, {"stop", "BRAKESSND", 0}}));
}

// --- Surfaces ------------------------------------------------------------------------

TEST(SurfacesPitch, ConditionOnTheGroundOutsideItsBandWarningWithThrust) {
    struct Row {
        double pitch, on_ground, n1;
        uint8_t hydraulics_lost, condition, warning;
    };
    const Row rows[] = {
        {3.5, 1, 100, 0, 0, 0},  {3.6, 1, 96, 0, 1, 0}, {3.6, 1, 97, 0, 1, 1}, {-1.5, 1, 100, 0, 0, 0},
        {-1.6, 1, 100, 0, 1, 1}, {8, 0, 100, 0, 0, 0},  {8, 1, 100, 1, 0, 0},  {kNaN, 1, 100, 0, 0, 0},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.PitchAttitudeDeg = r.pitch;
        aircraft.AllHydraulicsLost = r.hydraulics_lost;
        b.host.set(60, r.on_ground);
        b.host.set(624, r.n1);
        b.serve(kSurfaces);
        EXPECT_EQ(FakeHost::visible(kSurfaces, "PITCH light"), r.condition == 1) << r.pitch;
        EXPECT_EQ(aircraft.SurfacesFault, r.warning) << r.pitch;
    }
}

TEST(SurfacesPointers, ElevatorTravelsFurtherNoseUpAndAileronsLockOut) {
    Bench b;
    b.host.set(317, 10000);
    b.host.set(313, 10000);
    b.serve(kSurfaces);
    b.host.draw(kSurfaces);
    EXPECT_NEAR(b.host.value(FakeHost::element(kSurfaces, "ELEVATOR pointer")), -14.11, 1e-9);
    EXPECT_NEAR(b.host.value(FakeHost::element(kSurfaces, "RIGHT AILERON pointer")), -11.043, 1e-9);
    b.host.set(317, -1e9);  // beyond full deflection: the pointer stops
    b.host.click(kSurfaces, "AIL button");
    b.serve(kSurfaces);
    b.host.draw(kSurfaces);
    EXPECT_NEAR(b.host.value(FakeHost::element(kSurfaces, "ELEVATOR pointer")), 16383 * 0.0006135, 1e-9);
    EXPECT_EQ(b.host.value(FakeHost::element(kSurfaces, "LEFT AILERON pointer")), 0) << "locked out";
    EXPECT_TRUE(FakeHost::visible(kSurfaces, "LO SPD AIL light"));
    b.host.click(kSurfaces, "PITCH button");
    b.serve(kSurfaces);
    EXPECT_TRUE(FakeHost::visible(kSurfaces, "PITCH strip"));
    EXPECT_FALSE(FakeHost::visible(kSurfaces, "PITCH pointer"));
}

}  // namespace
}  // namespace kadrimos::testing
