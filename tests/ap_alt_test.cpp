// The altitude panel: the selection knobs and their stops, the drums and the
// hatch, the ALT and ALT HOLD buttons, altitude select from arming to the
// hold, the holds and the move to a new selection, the altitude alert's
// bands and its chime, and readings that are not numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "autoflight/ap_alt_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using autoflight::Vertical;
using gauges::ap_alt::state;

constexpr const char* kAlt = "toskelin ap_alt_rulo";
constexpr uint32_t kAltitude = 74, kNoseGear = 332, kN2Engine1 = 625, kN2Engine2 = 644;
constexpr uint32_t kAltitudeReference = 0x1024C, kVsReference = 0x101F4;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr const char* kDown10 = "ALTITUDE knob 10 ft decrease";
constexpr const char* kUp10 = "ALTITUDE knob 10 ft increase";
constexpr const char* kDown100 = "ALTITUDE knob 100 ft decrease";
constexpr const char* kUp100 = "ALTITUDE knob 100 ft increase";

uint8_t mode(Vertical v) { return static_cast<uint8_t>(v); }
uint32_t as_sent(int32_t value) { return static_cast<uint32_t>(value); }

// In the air, gear up, engines running, the annunciator bus powered and the
// first flight director commanding.
struct AltBench {
    FakeHost host;

    AltBench(int32_t selected, double altitude, double vs_fpm) {
        aircraft.DcEssBusPowered = 1;
        autoflight::set_fd_command(autoflight::FdCommand::Fd1);
        aircraft.SelectedAltitude = selected;
        host.set(kNoseGear, 0);
        host.set(kN2Engine1, 80);
        host.set(kN2Engine2, 80);
        fly(altitude, vs_fpm);
    }
    void fly(double altitude, double vs_fpm) {
        host.set(kAltitude, altitude);
        aircraft.VerticalSpeedFpm = vs_fpm;
    }
    void in_mode(Vertical v) { autoflight::set_vertical_mode(v); }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.update(kAlt);
            host.draw(kAlt);
        }
    }
    Vertical now() const { return autoflight::vertical_mode(); }
    // The value of the last event of that id, if any was sent.
    std::optional<uint32_t> last(uint32_t id) const {
        std::optional<uint32_t> found;
        for (const KeyEvent& e : host.events())
            if (e.id == id) found = e.value;
        return found;
    }
    double drawn(const char* label) const { return host.value(FakeHost::element(kAlt, label)); }
};

TEST(AltitudePanel, KnobsStepTheSelectionAndStopAtZeroAnd40000) {
    struct Row {
        int32_t from;
        const char* area;
        int32_t to;
    };
    const Row rows[] = {
        {5, kDown10, 0},        {10, kDown10, 0},       {11, kDown10, 1},      {20000, kDown10, 19990},
        {39995, kUp10, 40000},  {39990, kUp10, 40000},  {39989, kUp10, 39999}, {40000, kUp10, 40000},
        {100, kDown100, 0},     {101, kDown100, 1},     {0, kDown100, 0},      {39899, kUp100, 39999},
        {39900, kUp100, 40000}, {39901, kUp100, 40000}, {1000, kUp100, 1100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.from) + " " + r.area);
        FakeHost host;
        aircraft.SelectedAltitude = r.from;
        host.click(kAlt, r.area);
        EXPECT_EQ(aircraft.SelectedAltitude, r.to);
    }
}

TEST(AltitudePanel, ASelectionOutsideTheWindowsRangeIsBroughtBackIntoIt) {
    for (const auto& [from, to] : {std::pair{-50, 0}, std::pair{40010, 40000}}) {
        AltBench b(from, 5000, 0);
        b.serve();
        EXPECT_EQ(aircraft.SelectedAltitude, to);
    }
}

// The windows show the selection's digits; the hatch covers the leading one
// below 10000 ft.
TEST(AltitudePanel, DrumsSettleOnTheSelectionsDigitsUnderTheHatchBelow10000) {
    struct Row {
        int32_t selected;
        double positions[5];
        bool hatch;
    };
    const Row rows[] = {
        {0, {0, 0, 0, 0, 0}, true},      {9990, {0, 1, 1, 1, 0}, true},   {10000, {9, 0, 0, 0, 0}, false},
        {35270, {7, 5, 8, 3, 0}, false}, {40000, {6, 0, 0, 0, 0}, false},
    };
    const char* drums[] = {"ALTITUDE drum ten thousands", "ALTITUDE drum thousands", "ALTITUDE drum hundreds",
                           "ALTITUDE drum tens", "ALTITUDE drum units"};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.selected);
        AltBench b(r.selected, 5000, 0);
        b.serve(60);
        for (int d = 0; d < 5; ++d) EXPECT_DOUBLE_EQ(b.drawn(drums[d]), r.positions[d]) << drums[d];
        EXPECT_EQ(FakeHost::visible(kAlt, "ALTITUDE leading digit hatch"), r.hatch);
    }
}

// A tens window going from 1 to 0 rolls forward past the strip's end (10)
// and starts again at its top; one going from 9 to 0 steps back one cell;
// one leaving 0 for 1 jumps to the strip's end and rolls back.
TEST(AltitudePanel, TensDrumRollsForwardThroughTheStripsEnd) {
    struct Row {
        int32_t from, to;
        std::vector<double> path;
    };
    const Row rows[] = {
        {10, 0, {9.25, 9.5, 9.75, 10, 0, 0}},
        {90, 100, {0.75, 0.5, 0.25, 0, 0}},
        {0, 10, {10, 9.75, 9.5, 9.25, 9, 9}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.from) + " to " + std::to_string(r.to));
        AltBench b(r.from, 5000, 0);
        b.serve(60);
        aircraft.SelectedAltitude = r.to;
        for (double expected : r.path) {
            b.serve();
            EXPECT_DOUBLE_EQ(b.drawn("ALTITUDE drum tens"), expected);
        }
    }
}

TEST(AltitudePanel, LightsShowTheModeFamilyOnlyWithTheAnnunciatorBus) {
    struct Row {
        Vertical mode;
        bool alt_hold, alt;
    };
    const Row rows[] = {
        {Vertical::None, false, false},           {Vertical::AltSelectArmed, false, true},
        {Vertical::Capture, false, true},         {Vertical::HoldSelected, true, false},
        {Vertical::HoldPresent, true, false},     {Vertical::ToNewSelection, false, true},
        {Vertical::HoldPresentNext, false, true},
    };
    for (bool powered : {true, false}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(::testing::Message() << int(mode(r.mode)) << (powered ? " powered" : " dark"));
            AltBench b(5000, 5000, 0);
            aircraft.DcEssBusPowered = powered ? 1 : 0;
            b.host.set(kAltitude, kNaN);  // the modes stand still
            b.in_mode(r.mode);
            b.serve();
            EXPECT_EQ(FakeHost::visible(kAlt, "ALT HOLD light"), powered && r.alt_hold);
            EXPECT_EQ(FakeHost::visible(kAlt, "ALT light"), powered && r.alt);
            EXPECT_EQ(FakeHost::visible(kAlt, "ALTITUDE window backlight"), powered);
        }
    }
}

TEST(AltitudePanel, ButtonsChangeTheModeOnlyWithTheFlightDirectorOn) {
    struct Row {
        const char* what;
        const char* button;
        Vertical before;
        uint8_t approach, glide_path;
        bool fd;
        Vertical after;
        uint8_t approach_after;
    };
    const Row rows[] = {
        {"ALT arms", "ALT button", Vertical::None, 0, 0, true, Vertical::AltSelectArmed, 0},
        {"ALT cancels the capture", "ALT button", Vertical::Capture, 0, 0, true, Vertical::None, 0},
        {"ALT cancels the move", "ALT button", Vertical::ToNewSelection, 0, 0, true, Vertical::None, 0},
        {"ALT in a hold holds here", "ALT button", Vertical::HoldSelected, 0, 0, true, Vertical::HoldPresent,
         0},
        {"no FD, no ALT", "ALT button", Vertical::None, 0, 0, false, Vertical::None, 0},
        {"ALT HOLD holds", "ALT HOLD button", Vertical::Capture, 0, 0, true, Vertical::HoldPresent, 0},
        {"ALT HOLD releases", "ALT HOLD button", Vertical::HoldPresent, 0, 0, true, Vertical::None, 0},
        {"ALT HOLD in LAND before the glide path", "ALT HOLD button", Vertical::None, 30, 0, true,
         Vertical::HoldPresent, 30},
        {"ALT HOLD in LAND on the glide path", "ALT HOLD button", Vertical::None, 30, 1, true, Vertical::None,
         30},
        {"ALT HOLD ends LOC on the glide path", "ALT HOLD button", Vertical::None, 20, 1, true,
         Vertical::HoldPresent, 0},
        {"ALT HOLD keeps LOC before it", "ALT HOLD button", Vertical::None, 20, 0, true,
         Vertical::HoldPresent, 20},
        {"no FD, no ALT HOLD", "ALT HOLD button", Vertical::None, 0, 0, false, Vertical::None, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        AltBench b(20000, 5000, 0);
        if (!r.fd) autoflight::set_fd_command(autoflight::FdCommand::Off);
        b.in_mode(r.before);
        aircraft.ApproachMode = r.approach;
        aircraft.GsCaptured = r.glide_path;
        aircraft.SpeedOnPitchMode = aircraft.ModeCancelHold = aircraft.GoAroundMode = 1;
        b.host.click(kAlt, r.button);
        // The update that follows settles the transient modes: an armed
        // selection 15000 ft away waits, ALT from a hold becomes the hold.
        b.serve();
        EXPECT_EQ(mode(b.now()), mode(r.after));
        EXPECT_EQ(aircraft.ApproachMode, r.approach_after);
        const bool hold_pressed =
            r.button == std::string("ALT HOLD button") && r.after == Vertical::HoldPresent;
        if (hold_pressed) {
            EXPECT_EQ(aircraft.ModeCancelHold + aircraft.GoAroundMode + aircraft.SpeedOnPitchMode, 0);
        }
        if (!r.fd) {
            EXPECT_EQ(aircraft.ModeCancelHold + aircraft.GoAroundMode, 2);
        }
    }
}

// Armed, the capture starts once the selection is a third of a minute away
// at the present vertical speed (v / 3 ft to go).
TEST(AltitudeSelect, CaptureStartsAThirdOfAMinuteBeforeTheSelection) {
    struct Row {
        double to_go, vs;
        Vertical after;
    };
    const Row rows[] = {
        {1001, 3000, Vertical::AltSelectArmed},
        {1000, 3000, Vertical::Capture},
        {-1001, -3000, Vertical::AltSelectArmed},
        {-1000, -3000, Vertical::Capture},
        {0, 0, Vertical::Capture},
        {1000, -3000, Vertical::AltSelectArmed},
        {-1000, 3000, Vertical::AltSelectArmed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.to_go << " ft to go at " << r.vs);
        AltBench b(20000, 20000 - r.to_go, r.vs);
        b.in_mode(Vertical::AltSelectArmed);
        aircraft.SpeedOnPitchMode = 1;
        b.serve();
        EXPECT_EQ(mode(b.now()), mode(r.after));
        EXPECT_EQ(aircraft.SpeedOnPitchMode, r.after == Vertical::Capture ? 0 : 1);
    }
}

TEST(AltitudeSelect, ArmedTenThousandFeetBelowAtAClimbOf3000CapturesAt1000ToGo) {
    AltBench b(20000, 10000, 3000);
    b.host.click(kAlt, "ALT button");
    double altitude = 10000;
    while (b.now() == Vertical::AltSelectArmed && altitude < 20000) {
        b.fly(altitude, 3000);
        b.serve();
        if (b.now() == Vertical::AltSelectArmed) altitude += 50;
    }
    EXPECT_EQ(b.now(), Vertical::Capture);
    EXPECT_DOUBLE_EQ(altitude, 19000);
}

// The capture's vertical-speed steps, by side and band, and the hold
// within 20 ft. The armed vertical speed was 1800 ft/min (either sign).
TEST(AltitudeSelect, CaptureStepsTheVerticalSpeedByBand) {
    struct Row {
        double offset, vs;            // altitude above the selection, vertical speed
        std::optional<int32_t> sent;  // vertical-speed command, if any
        Vertical after;
    };
    constexpr int32_t kArmed = -1800;
    const Row rows[] = {
        {1000, -2501, -1500, Vertical::Capture}, {1000, -2500, {}, Vertical::Capture},
        {1000, -2200, {}, Vertical::Capture},    {1000, -2001, {}, Vertical::Capture},
        {1000, -2000, -1000, Vertical::Capture}, {1000, -1001, -1000, Vertical::Capture},
        {1000, -1000, {}, Vertical::Capture},    {1000, -999, kArmed, Vertical::Capture},
        {301, -2200, {}, Vertical::Capture},     {-1000, 3201, 2500, Vertical::Capture},
        {-1000, 3200, 1500, Vertical::Capture},  {-1000, 2501, 1500, Vertical::Capture},
        {-1000, 2500, 1000, Vertical::Capture},  {-1000, 1001, 1000, Vertical::Capture},
        {-1000, 1000, {}, Vertical::Capture},    {-1000, 999, kArmed, Vertical::Capture},
        {300, -2200, {}, Vertical::Capture},     {20, -6, {}, Vertical::Capture},
        {19, -6, {}, Vertical::HoldSelected},    {19, -5, {}, Vertical::Capture},
        {-19, 6, {}, Vertical::HoldSelected},    {-20, 6, {}, Vertical::Capture},
        {-19, -6, {}, Vertical::HoldSelected},   {250, 6, {}, Vertical::HoldSelected},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.offset << " ft above at " << r.vs);
        AltBench b(15000, 15000 + r.offset, r.vs);
        b.in_mode(Vertical::Capture);
        state.armed_vertical_speed = kArmed;
        aircraft.PitchHoldLatch = 1;
        aircraft.ApVsCommand = 7;
        b.serve();
        EXPECT_EQ(mode(b.now()), mode(r.after));
        EXPECT_EQ(b.last(kAltitudeReference), as_sent(15000));
        if (r.sent) {
            EXPECT_EQ(b.last(kVsReference), as_sent(*r.sent));
            EXPECT_EQ(aircraft.ApVsCommand, *r.sent);
            EXPECT_EQ(aircraft.PitchHoldLatch, 0);
        } else {
            EXPECT_FALSE(b.last(kVsReference).has_value());
            EXPECT_EQ(aircraft.ApVsCommand, 7);
            EXPECT_EQ(aircraft.PitchHoldLatch, 1);
        }
    }
}

// ALT HOLD takes the altitude of the moment, 20 ft ahead of the way the
// aircraft goes, once, and stops the basic pitch hold.
TEST(AltitudeHold, PresentAltitudeIsTakenOnceTwentyFeetAhead) {
    struct Row {
        double vs;
        int32_t reference;
    };
    const Row rows[] = {{-300, 7980}, {300, 8020}, {0, 8000}, {0.5, 8020}, {kNaN, 8000}, {kInf, 8000}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.vs);
        AltBench b(20000, 8000, r.vs);
        aircraft.PitchHoldActive = aircraft.PitchHoldLatch = aircraft.SpeedOnPitchMode = 1;
        b.host.click(kAlt, "ALT HOLD button");
        b.serve();
        EXPECT_EQ(aircraft.HoldAltitudeReference, r.reference);
        EXPECT_EQ(b.last(kAltitudeReference), as_sent(r.reference));
        EXPECT_EQ(aircraft.PitchHoldActive + aircraft.PitchHoldLatch + aircraft.SpeedOnPitchMode, 0);
        b.host.clear_logs();
        b.fly(8100, 0);
        b.serve(3);
        EXPECT_EQ(aircraft.HoldAltitudeReference, r.reference);
        EXPECT_FALSE(b.last(kAltitudeReference).has_value());
        EXPECT_EQ(b.now(), Vertical::HoldPresent);
    }
}

// A new selection while holding: from a settled hold of the selected
// altitude, or from the hold of the present one, the aircraft goes to it at
// 1000 ft/min and holds it within 20 ft.
TEST(AltitudeHold, ANewSelectionFromASettledHoldStartsTheMoveToIt) {
    struct Row {
        const char* what;
        Vertical hold;
        double settle_vs;
        int32_t new_selection;
        std::optional<int32_t> sent;
        Vertical after;
    };
    const Row rows[] = {
        {"settled, up 500", Vertical::HoldSelected, 99, 10500, 1000, Vertical::ToNewSelection},
        {"settled, down 500", Vertical::HoldSelected, -99, 9500, -1000, Vertical::ToNewSelection},
        {"settled, up 10 ft", Vertical::HoldSelected, 0, 10010, {}, Vertical::HoldSelected},
        {"not settled", Vertical::HoldSelected, 100, 10500, {}, Vertical::HoldSelected},
        {"holding here, up 500", Vertical::HoldPresent, 400, 10500, 1000, Vertical::ToNewSelection},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        AltBench b(10000, 10000, r.settle_vs);
        b.in_mode(r.hold);
        b.serve();
        aircraft.SelectedAltitude = r.new_selection;
        b.host.clear_logs();
        b.serve();
        EXPECT_EQ(mode(b.now()), mode(r.after));
        if (r.sent) {
            EXPECT_EQ(b.last(kVsReference), as_sent(*r.sent));
        } else {
            EXPECT_FALSE(b.last(kVsReference).has_value());
        }
    }
}

TEST(AltitudeHold, TheMoveToANewSelectionHoldsItWithinTwentyFeetOnItExactlyToo) {
    struct Row {
        double offset;
        Vertical after;
    };
    const Row rows[] = {{301, Vertical::ToNewSelection}, {20, Vertical::ToNewSelection},
                        {19, Vertical::HoldSelected},    {0, Vertical::HoldSelected},
                        {-19, Vertical::HoldSelected},   {-20, Vertical::ToNewSelection}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.offset);
        AltBench b(12000, 12000 + r.offset, 0);
        b.in_mode(Vertical::ToNewSelection);
        b.serve();
        EXPECT_EQ(mode(b.now()), mode(r.after));
        EXPECT_EQ(b.last(kAltitudeReference), as_sent(12000));
    }
}

// ALT pressed in a settled hold of the selected altitude: the hold of the
// present altitude takes this altitude, not the one an earlier hold took.
TEST(AltitudeHold, AltFromASettledHoldTakesThePresentAltitude) {
    AltBench b(10000, 5000, 0);
    b.host.click(kAlt, "ALT HOLD button");
    b.serve();
    ASSERT_EQ(aircraft.HoldAltitudeReference, 5000);
    b.in_mode(Vertical::HoldSelected);
    b.fly(10000, 0);
    b.serve();  // settled: the hold latch is set
    b.host.click(kAlt, "ALT button");
    b.host.clear_logs();
    b.serve(2);
    EXPECT_EQ(b.now(), Vertical::HoldPresent);
    EXPECT_EQ(aircraft.HoldAltitudeReference, 10000);
    EXPECT_EQ(b.last(kAltitudeReference), as_sent(10000));
}

TEST(AltitudeHold, TheGlidePathEndsTheVerticalModeInAnApproach) {
    AltBench b(3000, 3000, 0);
    b.in_mode(Vertical::HoldSelected);
    aircraft.ApproachMode = 30;
    aircraft.AltAlertState = 3;
    for (uint8_t glide : {uint8_t{0}, uint8_t{2}}) {
        aircraft.GsCaptured = glide;
        b.serve();
    }
    EXPECT_EQ(b.now(), Vertical::None);
    EXPECT_EQ(aircraft.AltAlertState, 0);
}

// The alert's bands at their edges: going to the selection, 750 to 250 ft
// before it; holding it, 250 to 750 ft away from it.
TEST(AltitudeAlert, BandsAtTheirEdgesBothWaysAndWhileHolding) {
    struct Row {
        Vertical mode;
        double offset, vs;  // altitude above the selection, vertical speed
        uint8_t before, after, chime;
    };
    const Row rows[] = {
        // Climbing to it.
        {Vertical::Capture, -750, 6, 0, 0, 0},
        {Vertical::Capture, -749, 6, 0, 1, 1},
        {Vertical::Capture, -251, 6, 1, 2, 0},
        {Vertical::Capture, -250, 6, 2, 0, 0},
        {Vertical::AltSelectArmed, -600, 6, 0, 1, 1},
        {Vertical::ToNewSelection, -600, 6, 3, 2, 0},
        {Vertical::Capture, 600, 6, 2, 0, 0},
        // Descending to it.
        {Vertical::Capture, 750, -6, 0, 0, 0},
        {Vertical::Capture, 749, -6, 0, 1, 1},
        {Vertical::Capture, 251, -6, 1, 2, 0},
        {Vertical::Capture, 250, -6, 2, 0, 0},
        {Vertical::ToNewSelection, 600, -6, 0, 1, 1},
        {Vertical::Capture, -600, -6, 2, 0, 0},
        // Level: nothing changes.
        {Vertical::Capture, -600, 5, 0, 0, 0},
        {Vertical::Capture, -600, -5, 2, 2, 0},
        // Holding it: the deviation alert.
        {Vertical::HoldSelected, 250, 6, 0, 0, 0},
        {Vertical::HoldSelected, 251, 6, 0, 3, 1},
        {Vertical::HoldSelected, 749, 6, 3, 3, 1},
        {Vertical::HoldSelected, 750, 6, 3, 0, 0},
        {Vertical::HoldSelected, -250, -6, 0, 0, 0},
        {Vertical::HoldSelected, -251, -6, 0, 3, 1},
        {Vertical::HoldSelected, -749, -6, 0, 3, 1},
        {Vertical::HoldSelected, -750, -6, 3, 0, 0},
        {Vertical::HoldSelected, -600, 6, 3, 0, 0},
        // Holding the present altitude: no alert of its own.
        {Vertical::HoldPresent, 600, 6, 2, 2, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << int(mode(r.mode)) << " at " << r.offset << " ft, " << r.vs);
        AltBench b(15000, 15000 + r.offset, r.vs);
        b.in_mode(r.mode);
        state.hold_latch = 1;  // a hold already taken and settled
        state.latched_selection = 15000;
        aircraft.AltAlertState = r.before;
        b.serve();
        EXPECT_EQ(aircraft.AltAlertState, r.after);
        EXPECT_EQ(aircraft.AltAlertChimeRequest, r.chime);
    }
}

TEST(AltitudeAlert, SoundsOnlyAirborneWithAnEngineRunningAndTheFlightDirectorOn) {
    struct Row {
        const char* what;
        double gear, n2_1, n2_2;
        bool fd;
        uint8_t after;
    };
    const Row rows[] = {
        {"all there", 0, 80, 80, true, 1},           {"engine 2 alone", 0, 0, 20.5, true, 1},
        {"gear not up", 1, 80, 80, true, 0},         {"gear unknown", kNaN, 80, 80, true, 0},
        {"engines at 20 %", 0, 20, 20, true, 0},     {"engines unknown", 0, kNaN, kNaN, true, 0},
        {"no flight director", 0, 80, 80, false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        AltBench b(15000, 14500, 500);
        b.in_mode(Vertical::Capture);
        b.host.set(kNoseGear, r.gear);
        b.host.set(kN2Engine1, r.n2_1);
        b.host.set(kN2Engine2, r.n2_2);
        if (!r.fd) autoflight::set_fd_command(autoflight::FdCommand::Off);
        b.serve();
        EXPECT_EQ(aircraft.AltAlertState, r.after);
        EXPECT_EQ(aircraft.AltAlertChimeRequest, r.after);
    }
}

// The chime is asked for only while no ground proximity callout speaks; it
// is withdrawn with the flight directors or the vertical mode.
TEST(AltitudeAlert, ChimeWaitsForTheGroundProximityCalloutAndGoesWithTheMode) {
    AltBench b(15000, 14400, -500);
    b.in_mode(Vertical::HoldSelected);
    aircraft.GpwsAlertCode = 4;
    b.serve();
    EXPECT_EQ(aircraft.AltAlertState, 3);
    EXPECT_EQ(aircraft.AltAlertChimeRequest, 0);
    aircraft.GpwsAlertCode = 0;
    b.serve();
    EXPECT_EQ(aircraft.AltAlertChimeRequest, 1);
    autoflight::set_fd_command(autoflight::FdCommand::Off);
    b.serve();
    EXPECT_EQ(aircraft.AltAlertChimeRequest, 0);
    autoflight::set_fd_command(autoflight::FdCommand::Fd1);
    b.serve();
    EXPECT_EQ(aircraft.AltAlertChimeRequest, 1);
    b.in_mode(Vertical::None);
    b.serve();
    EXPECT_EQ(aircraft.AltAlertState, 0);
    EXPECT_EQ(aircraft.AltAlertChimeRequest, 0);
}

// An altitude that is not a number: the modes stand, nothing goes to the
// host, the alert stays as it was; the altitude back, all goes on.
TEST(AltitudeAlert, AnAltitudeThatIsNoNumberChangesNothing) {
    for (double bad : {kNaN, kInf, -kInf}) {
        SCOPED_TRACE(bad);
        AltBench b(15000, 14400, 500);
        b.in_mode(Vertical::Capture);
        b.serve();
        ASSERT_EQ(aircraft.AltAlertState, 1);
        b.host.clear_logs();
        b.fly(bad, 500);
        b.serve(3);
        EXPECT_EQ(b.now(), Vertical::Capture);
        EXPECT_EQ(aircraft.AltAlertState, 1);
        EXPECT_TRUE(b.host.events().empty());
        b.fly(14995, 500);
        b.serve();
        EXPECT_EQ(b.now(), Vertical::HoldSelected);
    }
}

}  // namespace
}  // namespace kadrimos::testing
