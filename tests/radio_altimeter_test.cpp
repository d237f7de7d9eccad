// The radio altimeter: the reading and its ground zero, the top of the
// scale, the tape and index within their travel, power and readings that are
// not numbers, the decision-height state and its callout request, the
// decision-height knob and drums.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "instruments/radio_altimeter_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using gauges::ralt::state;

constexpr const char* kRalt = "toskelin ralt_rulo";
constexpr uint32_t kOnGround = 60, kRadioHeightM = 614;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// AC bus 1 and the DC essential bus powered; the aircraft on the ground with
// its antennas 2.5 m (8.2025 ft) above the runway, a zero of 8 ft.
struct Ralt {
    FakeHost host;
    Ralt() {
        aircraft.AcBus1Powered = 1;
        aircraft.DcEssBusPowered = 1;
        on_ground(2.5);
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.update(kRalt);
            host.draw(kRalt);
        }
    }
    void on_ground(double metres) {
        host.set(kOnGround, 1);
        host.set(kRadioHeightM, metres);
        serve();
    }
    void in_flight(double metres, int updates = 1) {
        host.set(kOnGround, 0);
        host.set(kRadioHeightM, metres);
        serve(updates);
    }
    double drawn(const char* label) const { return host.value(FakeHost::element(kRalt, label)); }
};

// Heights in flight over the 8 ft zero taken on the ground: the reading, the
// tape drawn and the index drawn (decision height 100 ft).
TEST(RadioAltitude, IsTheHeightAboveTheGroundZeroUpToTheTopOfTheScale) {
    struct Row {
        double metres;
        double reading_ft, tape, index;
    };
    const Row rows[] = {
        {100, 328.1 - 8, 2610 - 320.1, 600 - 320.1},
        {152.4, 500.0244 - 8, 2610 - 492.0244, 600 - 492.0244},
        {795.4, 2609.7074 - 8, 2610 - 2601.7074, 0},  // just below 2610 ft: still over the zero
        {795.5, 2610, 0, 0},                          // 2610.0355 ft: the top of the scale
        {800, 2610, 0, 0},
        {1e6, 2610, 0, 0},
        {kInf, 0.2025, 2609.7975, 500},  // no reading: the ground's stands
        {2.5, 0.2025, 2609.7975, 500},   // back at the height of the zero
        {1, 3.281 - 8, 2610, 500},       // below the zero: the tape stops at its end
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.metres) + " m");
        Ralt ra;
        ra.in_flight(r.metres);
        EXPECT_NEAR(aircraft.RadioAltitudeFt, r.reading_ft, 1e-9);
        EXPECT_NEAR(ra.drawn("RA tape"), r.tape, 1e-9);
        EXPECT_NEAR(ra.drawn("DH index"), r.index, 1e-9);
    }
}

// On the ground the zero is taken at every update, so the reading is the
// fraction of a foot the zero leaves, whatever the height the radio reads
// there below the top of the scale.
TEST(RadioAltitude, OnTheGroundReadsUnderAFootAndRetakesItsZero) {
    for (double metres : {0.0, 2.5, 3.0, -1.5, 150.0, 795.0}) {
        SCOPED_TRACE(metres);
        Ralt ra;
        ra.on_ground(metres);
        EXPECT_LT(std::abs(aircraft.RadioAltitudeFt), 1);
        EXPECT_EQ(state.ground_offset_ft, std::trunc(metres * 3.281));
        EXPECT_EQ(aircraft.DhState, 0);
    }
}

// A zero taken below the runway (a host reporting a negative height on the
// ground) puts the reading near the top above 2610: the tape is never drawn
// past its top, nor stored there, not even for one update.
TEST(RadioTape, IsNeverNegative) {
    Ralt ra;
    ra.on_ground(-2);  // -6.562 ft: a zero of -6
    EXPECT_EQ(state.ground_offset_ft, -6);
    for (double metres : {795.0, 795.3, 795.4, 795.48, 795.49, 800.0, 795.0, 10.0}) {
        ra.host.set(kOnGround, 0);
        ra.host.set(kRadioHeightM, metres);
        ra.host.update(kRalt);
        EXPECT_GE(state.tape, 0) << metres << " m, before the draw";
        ra.host.draw(kRalt);
        EXPECT_GE(ra.drawn("RA tape"), 0) << metres << " m";
        EXPECT_LE(ra.drawn("RA tape"), 2610) << metres << " m";
    }
    ra.in_flight(795.4);  // 2609.7074 ft over a zero of -6
    EXPECT_NEAR(aircraft.RadioAltitudeFt, 2615.7074, 1e-9);
    EXPECT_EQ(ra.drawn("RA tape"), 0);
}

// Without AC bus 1 the reading, tape and index stand and the OFF flag shows;
// a height that is not a finite number changes nothing either, not even the
// zero taken on the ground.
TEST(RadioAltitude, StandsWithoutPowerOrAReading) {
    Ralt ra;
    ra.in_flight(100);
    const double reading = aircraft.RadioAltitudeFt;
    EXPECT_FALSE(FakeHost::visible(kRalt, "RA OFF flag"));
    EXPECT_TRUE(FakeHost::visible(kRalt, "RA lamp"));

    aircraft.AcBus1Powered = 0;
    ra.in_flight(200);
    EXPECT_EQ(aircraft.RadioAltitudeFt, reading);
    EXPECT_NEAR(ra.drawn("RA tape"), 2610 - reading, 1e-9);
    EXPECT_TRUE(FakeHost::visible(kRalt, "RA OFF flag"));
    aircraft.AcBus1Powered = 1;

    for (double bad : {kNaN, kInf, -kInf}) {
        SCOPED_TRACE(bad);
        ra.in_flight(bad);
        EXPECT_EQ(aircraft.RadioAltitudeFt, reading);
        ra.host.set(kOnGround, 1);
        ra.serve();
        EXPECT_EQ(state.ground_offset_ft, 8);
        EXPECT_FALSE(std::isnan(ra.drawn("DH index")));
    }
}

// The decision-height state and the callout request along a flight: take-off,
// a climb, an approach to the decision height (100 ft), a go-around, a second
// approach and the landing. The ground proximity warning's sound player
// plays a request (1) and marks it done (2), as it does.
TEST(DecisionHeight, IsCalledOutOnceADescentAndAgainOnTheNext) {
    struct Step {
        bool ground;
        double feet;  // over the zero
        int dh_state;
        int request;  // as the altimeter leaves it
    };
    const Step steps[] = {
        {true, 0, 0, 0},      {false, 50, 0, 0},   {false, 99.5, 0, 0},  // not yet above it
        {false, 100.5, 2, 0}, {false, 1500, 2, 0}, {false, 150, 2, 0},   // above it
        {false, 99.5, 1, 1},                                             // reached: asked for
        {false, 90, 1, 2},    {false, 60, 1, 2},                         // played, not asked again
        {false, 120, 2, 0},                                              // go-around: re-armed
        {false, 99, 1, 1},    {false, 80, 1, 2},                         // the second approach
        {false, 20, 1, 2},    {true, 0, 0, 0},                           // touchdown
    };
    Ralt ra;
    int asked = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.feet) + (s.ground ? " ft on the ground" : " ft"));
        const uint8_t before = aircraft.ReCalloutRequest;
        if (s.ground)
            ra.on_ground(2.5);
        else
            ra.in_flight((s.feet + 8.0) / 3.281);
        EXPECT_EQ(aircraft.DhState, s.dh_state);
        EXPECT_EQ(aircraft.ReCalloutRequest, s.request);
        asked += before != 1 && aircraft.ReCalloutRequest == 1;
        if (aircraft.ReCalloutRequest == 1) aircraft.ReCalloutRequest = 2;  // the sound player
    }
    EXPECT_EQ(asked, 2);
}

// Reaching the decision height, the request is raised only with the DC
// essential bus, without a ground proximity alert and above 30 ft; what holds
// it back holds it only while it lasts.
TEST(DecisionHeight, CalloutWaitsForPowerNoAlertAndHeight) {
    struct Row {
        uint8_t dc_ess;
        int16_t alert;
        double dh, feet;
        bool asked;
    };
    const Row rows[] = {
        {1, 0, 100, 99.5, true},  {1, 0, 100, 31, true},     {1, 0, 100, 29.5, false},
        {0, 0, 100, 99.5, false}, {1, 22, 100, 99.5, false}, {1, 0, 31, 30.5, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("DH " + std::to_string(r.dh) + " at " + std::to_string(r.feet) + " ft");
        Ralt ra;
        state.DecisionHeight = static_cast<uint16_t>(r.dh);
        ra.in_flight((r.dh + 50 + 8) / 3.281);  // above it
        aircraft.DcEssBusPowered = r.dc_ess;
        aircraft.GpwsAlertCode = r.alert;
        ra.in_flight((r.feet + 8) / 3.281);
        EXPECT_EQ(aircraft.DhState, 1);
        EXPECT_EQ(aircraft.ReCalloutRequest == 1, r.asked);
        aircraft.DcEssBusPowered = 1;
        aircraft.GpwsAlertCode = 0;
        ra.serve();
        EXPECT_EQ(aircraft.ReCalloutRequest == 1, r.feet > 30);
    }
}

// A zero taken 100 ft below the runway puts the reading at exactly 100 ft
// over a height of 0: at the decision height is reached.
TEST(DecisionHeight, IsReachedAtItsOwnHeight) {
    Ralt ra;
    ra.on_ground(-30.48);  // -100.00488 ft
    ASSERT_EQ(state.ground_offset_ft, -100);
    ra.in_flight(0.5);
    EXPECT_EQ(aircraft.DhState, 2);
    ra.in_flight(0);
    EXPECT_EQ(aircraft.RadioAltitudeFt, 100);
    EXPECT_EQ(aircraft.DhState, 1);
    EXPECT_EQ(aircraft.ReCalloutRequest, 1);
}

// Each knob area steps the decision height from inside its limit only.
TEST(DecisionHeightKnob, StepsWithinTenTo499) {
    struct Row {
        const char* area;
        uint16_t from, to;
    };
    const Row rows[] = {
        {"DH knob units down", 100, 99}, {"DH knob units down", 11, 10}, {"DH knob units down", 10, 10},
        {"DH knob units up", 100, 101},  {"DH knob units up", 498, 499}, {"DH knob units up", 499, 499},
        {"DH knob tens down", 100, 90},  {"DH knob tens down", 20, 10},  {"DH knob tens down", 19, 19},
        {"DH knob tens down", 15, 15},   {"DH knob tens up", 100, 110},  {"DH knob tens up", 489, 499},
        {"DH knob tens up", 490, 490},   {"DH knob tens up", 495, 495},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.area) + " from " + std::to_string(r.from));
        Ralt ra;
        state.DecisionHeight = r.from;
        ra.host.click(kRalt, r.area);
        EXPECT_EQ(state.DecisionHeight, r.to);
    }
    // Held, the knob keeps stepping and stops at its end: the outer ring from
    // whole tens at 490, the inner one at 10.
    Ralt ra;
    for (int i = 0; i < 60; ++i) ra.host.click(kRalt, "DH knob tens up");
    EXPECT_EQ(state.DecisionHeight, 490);
    for (int i = 0; i < 600; ++i) ra.host.click(kRalt, "DH knob units down");
    EXPECT_EQ(state.DecisionHeight, 10);
    const MOUSERECT* areas = FakeHost::gauge(kRalt).mouse_rect;
    for (int a = 1; a <= 4; ++a) EXPECT_EQ(areas[a].mouse_flags, 0x20200000u) << "area " << a - 1;
    EXPECT_EQ(areas[1].cursor, CURSOR_DOWNARROW);
    EXPECT_EQ(areas[2].cursor, CURSOR_UPARROW);
}

// The hundreds and tens drums step a quarter digit a draw to the new digits
// (the tens the short way back over 0 to 9), the units drum turns at once.
TEST(DecisionHeightDrums, StepToTheDigitsOfTheSetting) {
    Ralt ra;
    EXPECT_EQ(ra.drawn("DH hundreds drum"), 1);
    EXPECT_EQ(ra.drawn("DH tens drum"), 0);
    EXPECT_EQ(ra.drawn("DH units drum"), 0);
    state.DecisionHeight = 499;
    std::vector<double> hundreds, tens;
    for (int i = 0; i < 14; ++i) {
        ra.serve();
        hundreds.push_back(ra.drawn("DH hundreds drum"));
        tens.push_back(ra.drawn("DH tens drum"));
        EXPECT_EQ(ra.drawn("DH units drum"), 9);
    }
    const std::vector<double> want_hundreds = {1.25, 1.5,  1.75, 2,    2.25, 2.5, 2.75,
                                               3,    3.25, 3.5,  3.75, 4,    4,   4};
    const std::vector<double> want_tens = {9.9, 9.65, 9.4, 9.15, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    for (std::size_t i = 0; i < hundreds.size(); ++i) {
        EXPECT_NEAR(hundreds[i], want_hundreds[i], 1e-9) << "draw " << i;
        EXPECT_NEAR(tens[i], want_tens[i], 1e-9) << "draw " << i;
    }
    state.DecisionHeight = 10;
    ra.serve(40);
    EXPECT_EQ(ra.drawn("DH hundreds drum"), 0);
    EXPECT_EQ(ra.drawn("DH tens drum"), 1);
    EXPECT_EQ(ra.drawn("DH units drum"), 0);
}

}  // namespace
}  // namespace kadrimos::testing
