// The two altimeters: pointer and counter at, between and beyond their
// points (negative, huge and unreadable altitudes), the pressure windows and
// their stepping drums, the knobs at their limits, the secondary's own
// setting, power and the inoperative report, and the altitude-alert light's
// flash on a tick counter that skips.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "instruments/altimeters_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kMain = "toskelin alti_main_rulo";
constexpr const char* kSec = "toskelin alti_sec_rulo";
constexpr uint32_t kTick = 1, kAltitude = 74, kSettingMb = 75, kSettingIn = 76, kInoperative = 275;
constexpr uint32_t kKohlsmanSet = 0x101F8;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

instruments::MainAltimeterState& main_state = gauges::alti_main::state;
instruments::SecondaryAltimeterState& sec_state = gauges::alti_sec::state;

// Both buses up, the simulator at the standard setting.
struct Altimeters {
    FakeHost host;
    double tick = 100;
    Altimeters() {
        aircraft.AcEssBusPowered = aircraft.DcEssBusPowered = 1;
        host.set(kSettingMb, 1013.25);
        host.set(kSettingIn, 29.92);
    }
    // One update of both altimeters at the tick counter's next tick, drawn.
    void serve() {
        host.set(kTick, tick++);
        host.update(kMain);
        host.update(kSec);
        host.draw(kMain);
        host.draw(kSec);
    }
    void at(double ft) {
        host.set(kAltitude, ft);
        serve();
    }
    double value(const char* gauge, const std::string& label) const {
        return host.value(FakeHost::element(gauge, label));
    }
    static bool shown(const char* gauge, const char* label) { return FakeHost::visible(gauge, label); }
    // Draws enough for every stepping drum to reach its digit.
    void settle() {
        for (int i = 0; i < 45; ++i) {
            host.draw(kMain);
            host.draw(kSec);
        }
    }
};

// --- The counter and the pointer ------------------------------------------------------

TEST(AltimeterCounter, TheMainReadsEveryAltitudeOnItsPointerAndDrums) {
    struct Row {
        double ft;
        double pointer, ten_thousands, thousands, hundreds, tens;  // drum cells: digit k at 10 - k
    };
    const Row rows[] = {
        {0, 0, 0, 0, 0, 0},
        {0.5, 0.05, 0, 0, 0, 0},                 // within a foot of 0: the counter at 0
        {-1, -0.1, 0, 9.1, 0.1, 0.1},            // reads 999, the last ten feet rolling
        {-1000, 0, 0, 8, 0, 0},                  // reads 2000
        {-1999, 0.1, 0, 9, 0, 9.9},              // reads 1001; the pointer a turn on from -99.9
        {-2000, 0, 0, 0, 0, 0},                  // and below: 0
        {-2500, -50, 0, 0, 0, 0},                // the pointer still turns
        {1234.5, 23.45, 0, 9, 8, 6.55},          // 01234.5
        {9995, -0.5, 9.5, 0.5, 0.5, 0.5},        // every drum half way over: 0999 to 1000
        {10000, 0, 9, 0, 0, 0},                  // 10000
        {99999.95, -0.005, 0, 0, 0.005, 0.005},  // windows past their last figure stand on 0
        {150000, 0, 0, 0, 0, 0},                 // beyond the counter
        {1e9, 0, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ft);
        Altimeters a;
        a.at(r.ft);
        EXPECT_NEAR(a.value(kMain, "ALT pointer"), r.pointer, 1e-9);
        EXPECT_NEAR(a.value(kMain, "ALT ten thousands drum"), r.ten_thousands, 1e-9);
        EXPECT_NEAR(a.value(kMain, "ALT thousands drum"), r.thousands, 1e-9);
        EXPECT_NEAR(a.value(kMain, "ALT hundreds drum"), r.hundreds, 1e-9);
        EXPECT_NEAR(a.value(kMain, "ALT tens drum"), r.tens, 1e-9);
    }
}

TEST(AltimeterCounter, TheSecondaryTurnsItsHundredsAndRollsTheOthersOverTheLastFoot) {
    struct Row {
        double ft;
        double ten_thousands, thousands, hundreds;
    };
    const Row rows[] = {
        {1234.5, 0, 9, 7.655},       {9998.5, 0, 1, 0.015},  // thousands still on 9
        {9999.5, 9.5, 0.5, 0.005},   {-1, 0, 0, 0.01},       // reads 999
        {19999.95, 8.05, 0, 0.0005},                         // 1 to 2, 95 % of the way over
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ft);
        Altimeters a;
        a.at(r.ft);
        EXPECT_NEAR(a.value(kSec, "ALT ten thousands drum"), r.ten_thousands, 1e-9);
        EXPECT_NEAR(a.value(kSec, "ALT thousands drum"), r.thousands, 1e-9);
        EXPECT_NEAR(a.value(kSec, "ALT hundreds drum"), r.hundreds, 1e-9);
        EXPECT_NEAR(a.value(kSec, "ALT pointer"), a.value(kMain, "ALT pointer"), 1e-12);
    }
}

TEST(AltimeterCounter, AnAltitudeThatIsNotAFiniteNumberMovesNothing) {
    for (double bad : {kNaN, kInf, -kInf}) {
        SCOPED_TRACE(bad);
        Altimeters a;
        a.at(1234.5);
        a.at(bad);
        for (const char* gauge : {kMain, kSec}) {
            EXPECT_NEAR(a.value(gauge, "ALT pointer"), 23.45, 1e-9);
            EXPECT_NEAR(a.value(gauge, "ALT thousands drum"), 9, 1e-9);
            EXPECT_TRUE(Altimeters::shown(gauge, "ALT ten thousands hatch"));
            EXPECT_FALSE(Altimeters::shown(gauge, "ALT ten thousands NEG window flag"));
        }
        EXPECT_EQ(main_state.display.DrumAltitude, 1234.5);
    }
}

TEST(AltimeterPointer, StandsOnItsCalibrationAndATurnOnBeyondIt) {
    struct Row {
        double ft, value;
    };
    for (const Row& r : {Row{100, 10}, Row{450, 45}, Row{900, 90}, Row{905, 90.5 - 100}, Row{999, -0.1},
                         Row{1000, 0}, Row{-450, -45}, Row{-900, -90}, Row{-950, 5}, Row{-1e20, 0}}) {
        Altimeters a;
        a.at(r.ft);
        EXPECT_NEAR(a.value(kMain, "ALT pointer"), r.value, 1e-9) << r.ft;
        EXPECT_GE(a.value(kMain, "ALT pointer"), -90) << r.ft;
        EXPECT_LE(a.value(kMain, "ALT pointer"), 90) << r.ft;
    }
    // Every point of the scale 36 degrees on from the last, clockwise from
    // twelve o'clock, a point every 10 units from -90 to 90.
    for (const char* gauge : {kMain, kSec}) {
        const auto* needle = reinterpret_cast<const ELEMENT_NEEDLE*>(FakeHost::element(gauge, "ALT pointer"));
        ASSERT_EQ(needle->nonlinearity_count, 19u);
        for (uint32_t i = 0; i < 19; ++i) {
            const NONLINEARITY& p = needle->nonlinearity_table[i];
            EXPECT_EQ(p.value, -90.0 + 10 * i);
            const double degrees =
                std::atan2(p.pt.x - needle->header.position.x, needle->header.position.y - p.pt.y) * 180 /
                std::acos(-1.0);
            EXPECT_NEAR(std::remainder(degrees - 3.6 * p.value, 360), 0, 1) << gauge << " point " << i;
        }
    }
}

// --- The ten-thousands window ------------------------------------------------------------

TEST(AltimeterWindowFlags, HatchBelowItsAltitudeAndNegBelowMinusOneFoot) {
    struct Row {
        const char* gauge;
        double from, to;
        bool hatch, negative;
    };
    const Row rows[] = {
        {kMain, 5000, -1, true, true},  // the hatch stays as it was
        {kMain, 20000, -1, false, true}, {kMain, -5, -0.5, true, false},   {kMain, 0, 9997.9, true, false},
        {kMain, 0, 9998, false, false},  {kMain, -5, 12000, false, false}, {kMain, 5000, kNaN, true, false},
        {kSec, 0, 9998, true, false},    {kSec, 0, 9999.9, true, false},   {kSec, 0, 10000, false, false},
        {kSec, 20000, -1, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.gauge) + " " + std::to_string(r.from) + " to " + std::to_string(r.to));
        Altimeters a;
        a.at(r.from);
        a.at(r.to);
        EXPECT_EQ(Altimeters::shown(r.gauge, "ALT ten thousands hatch"), r.hatch);
        EXPECT_EQ(Altimeters::shown(r.gauge, "ALT ten thousands NEG window flag"), r.negative);
    }
}

// --- Power and the inoperative report ------------------------------------------------------

TEST(AltimeterPower, WithoutItsBusAnAltimeterStandsStillAndShowsItsOffFlags) {
    Altimeters a;
    a.at(1234.5);
    // The AC essential bus lost: the main altimeter stands at 1234.5 ft and
    // 1013.25 mb, its flags down; the secondary, on the DC bus, goes on.
    aircraft.AcEssBusPowered = 0;
    a.host.set(kSettingMb, 1020);
    a.host.set(kSettingIn, 30.12);
    a.at(12000);
    a.settle();
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT OFF flag"));
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT ten thousands OFF window flag"));
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT ten thousands hatch"));
    EXPECT_NEAR(a.value(kMain, "ALT pointer"), 23.45, 1e-9);
    EXPECT_NEAR(a.value(kMain, "ALT tens drum"), 6.55, 1e-9);
    EXPECT_EQ(a.value(kMain, "BARO mb tens drum"), 1);
    EXPECT_EQ(a.value(kMain, "BARO mb units drum"), 3.25);
    EXPECT_EQ(a.value(kMain, "BARO in tens drum"), 9);
    EXPECT_FALSE(Altimeters::shown(kSec, "ALT OFF flag"));
    EXPECT_FALSE(Altimeters::shown(kSec, "ALT ten thousands hatch"));

    // Back on, and the DC essential bus lost: the other way round.
    aircraft.AcEssBusPowered = 1;
    aircraft.DcEssBusPowered = 0;
    a.at(5000);
    a.settle();
    EXPECT_FALSE(Altimeters::shown(kMain, "ALT OFF flag"));
    EXPECT_NEAR(a.value(kMain, "ALT pointer"), 0, 1e-9);
    EXPECT_EQ(a.value(kMain, "BARO mb tens drum"), 2);
    EXPECT_EQ(a.value(kMain, "BARO in tens drum"), 1);
    EXPECT_TRUE(Altimeters::shown(kSec, "ALT OFF flag"));
    EXPECT_EQ(sec_state.display.DrumAltitude, 12000 - (1020 - 1013.25) * 29.52);
}

TEST(AltimeterPower, TheInoperativeReportShowsTheMainFlagsWithoutStoppingIt) {
    struct Row {
        uint8_t ac_ess;
        uint32_t report;
        uint8_t inop;
        bool flags;
    };
    for (const Row& r : {Row{1, 0, 0, false}, Row{1, 1, 1, true}, Row{0, 1, 1, true}, Row{0, 0, 0, true},
                         Row{1, 2, 0, false}}) {
        Altimeters a;
        aircraft.AcEssBusPowered = r.ac_ess;
        a.host.set_bits(kInoperative, r.report);
        a.at(1500);
        EXPECT_EQ(aircraft.AltimeterInop, r.inop) << int(r.ac_ess) << " " << r.report;
        EXPECT_EQ(Altimeters::shown(kMain, "ALT OFF flag"), r.flags) << int(r.ac_ess) << " " << r.report;
        EXPECT_EQ(Altimeters::shown(kMain, "ALT ten thousands OFF window flag"), r.flags);
        EXPECT_NEAR(a.value(kMain, "ALT pointer"), r.ac_ess == 1 ? 50 : 0, 1e-9);
    }
    // Reported inoperative, the window flags stay as they were.
    Altimeters a;
    a.at(1500);
    a.host.set_bits(kInoperative, 1);
    a.at(-50);
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT ten thousands hatch"));
    EXPECT_FALSE(Altimeters::shown(kMain, "ALT ten thousands NEG window flag"));
    EXPECT_NEAR(a.value(kMain, "ALT pointer"), -5, 1e-9);
}

// --- The pressure windows -------------------------------------------------------------------

TEST(AltimeterPressure, TheWindowsSplitTheSimulatorsSettingIntoDigits) {
    struct Row {
        double mb, in;
        int mb_digits[3];
        double mb_units;
        int in_digits[3];
        double in_units;
    };
    const Row rows[] = {
        {1013.25, 29.92, {1, 0, 1}, 3.25, {2, 9, 9}, 2},
        {999.9, 29.53, {0, 9, 9}, 9.9, {2, 9, 5}, 3},
        {1053.3, 31.1, {1, 0, 5}, 3.3, {3, 1, 1}, 0},
        {739, 21.82, {0, 7, 3}, 9, {2, 1, 8}, 2},
        {1009.9375, 29.8199, {1, 0, 0}, 9.9375, {2, 9, 8}, 1.99},  // the units carry the fraction
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.mb) + " mb, " + std::to_string(r.in) + " in");
        Altimeters a;
        a.host.set(kSettingMb, r.mb);
        a.host.set(kSettingIn, r.in);
        a.at(0);
        a.settle();
        const char* places[] = {"thousands", "hundreds", "tens"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(a.value(kMain, std::string("BARO mb ") + places[i] + " drum"), r.mb_digits[i])
                << places[i];
            EXPECT_EQ(a.value(kMain, std::string("BARO in ") + places[i] + " drum"), r.in_digits[i])
                << places[i];
        }
        EXPECT_NEAR(a.value(kMain, "BARO mb units drum"), r.mb_units, 1e-9);
        EXPECT_NEAR(a.value(kMain, "BARO in units drum"), r.in_units, 1e-9);
    }
}

// The positions a pressure drum is drawn at, `draws` draws long.
std::vector<double> drawn(Altimeters& a, const char* label, int draws) {
    std::vector<double> out;
    for (int i = 0; i < draws; ++i) {
        a.host.draw(kMain);
        out.push_back(a.value(kMain, label));
    }
    return out;
}

TEST(AltimeterPressure, SteppingDrumsMoveAQuarterADrawAndTakeTheShortWayRound) {
    Altimeters a;
    a.host.set(kSettingMb, 1009);
    a.at(0);
    a.settle();
    a.host.set(kSettingMb, 1010);
    a.host.update(kMain);
    EXPECT_EQ(drawn(a, "BARO mb tens drum", 5), (std::vector<double>{0.25, 0.5, 0.75, 1, 1}));
    EXPECT_EQ(a.value(kMain, "BARO mb units drum"), 0);

    a.host.set(kSettingMb, 1009.5);
    a.host.update(kMain);
    EXPECT_EQ(drawn(a, "BARO mb tens drum", 5), (std::vector<double>{0.75, 0.5, 0.25, 0, 0}));
    EXPECT_EQ(a.value(kMain, "BARO mb units drum"), 9.5);

    // 1000 to 990: hundreds and tens backward from 0 to 9 through 9.9, the
    // thousands down from 1 to 0.
    a.host.set(kSettingMb, 1000);
    a.host.update(kMain);
    a.settle();
    a.host.set(kSettingMb, 990);
    a.host.update(kMain);
    EXPECT_EQ(drawn(a, "BARO mb hundreds drum", 5), (std::vector<double>{9.9, 9.65, 9.4, 9.15, 9}));
    // And forward again from 9 to 0 over the wrap.
    a.host.set(kSettingMb, 1000);
    a.host.update(kMain);
    EXPECT_EQ(drawn(a, "BARO mb hundreds drum", 6), (std::vector<double>{9.25, 9.5, 9.75, 10, 0, 0}));
}

// --- The main altimeter's knob ---------------------------------------------------------------

TEST(AltimeterKnob, TheMainKnobSendsTheSettingInSixteenthsWithinItsLimits) {
    constexpr int64_t kNothing = -1;
    struct Row {
        const char* area;
        double mb;
        int64_t sent;
    };
    const Row rows[] = {
        {"BARO knob left coarse", 750, kNothing},
        {"BARO knob left coarse", 750.0625, 11991},  // ends beyond the limit
        {"BARO knob left fine", 745, 11919},         // below the large steps' limit
        {"BARO knob left fine", 739, kNothing},
        {"BARO knob left fine", 739.0625, 11824},
        {"BARO knob right coarse", 1040, kNothing},
        {"BARO knob right coarse", 1039.9375, 16649},
        {"BARO knob right fine", 1053, kNothing},
        {"BARO knob right fine", 1052.9375, 16848},
        {"BARO knob left coarse", 1013.25, 16202},
        {"BARO knob right fine", 1013.2, 16212},              // 16211.2 + 1, cut to the sixteenth
        {"BARO knob right fine", 1012.9999999999999, 16208},  // 16207.99... + 1
        {"BARO knob left fine", kNaN, kNothing},
        {"BARO knob left coarse", kInf, kNothing},
        {"BARO knob right fine", -kInf, kNothing},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.area) + " at " + std::to_string(r.mb));
        Altimeters a;
        a.host.set(kSettingMb, r.mb);
        a.host.click(kMain, r.area);
        if (r.sent == kNothing) {
            EXPECT_TRUE(a.host.events().empty());
            EXPECT_EQ(main_state.last_setting_sent, 0u);
        } else {
            EXPECT_EQ(a.host.events(),
                      (std::vector<KeyEvent>{{kKohlsmanSet, static_cast<uint32_t>(r.sent)}}));
            EXPECT_EQ(main_state.last_setting_sent, r.sent);
        }
    }
    Altimeters a;
    aircraft.AcEssBusPowered = 0;
    a.host.click(kMain, "BARO knob right fine");
    EXPECT_TRUE(a.host.events().empty());
}

// --- The secondary altimeter's own setting ------------------------------------------------------

TEST(SecondaryAltimeter, TakesTheSimulatorsSettingOnceAndCorrectsItsAltitudeByItsOwn) {
    Altimeters a;
    a.at(5000);
    EXPECT_EQ(sec_state.SecPressureMb, 1013.25);
    EXPECT_EQ(sec_state.SecPressureInit, 1);

    // The main altimeter's setting changes; the secondary keeps its own.
    a.host.set(kSettingMb, 1003.25);
    a.at(5000);
    EXPECT_EQ(sec_state.SecPressureMb, 1013.25);
    EXPECT_EQ(sec_state.corrected_ft, 5000 - (1003.25 - 1013.25) * 29.52);
    EXPECT_EQ(sec_state.display.DrumAltitude, sec_state.corrected_ft);

    // Three clicks down: a millibar lower, and its windows with it.
    for (int i = 0; i < 3; ++i) a.host.click(kSec, "BARO knob left");
    a.serve();
    a.settle();
    const double own = 1013.25 - 3 * 0.33334;
    EXPECT_NEAR(sec_state.SecPressureMb, own, 1e-9);
    EXPECT_NEAR(sec_state.corrected_ft, 5000 - (1003.25 - own) * 29.52, 1e-9);
    EXPECT_NEAR(a.value(kSec, "BARO mb units drum"), 2.24998, 1e-9);
    EXPECT_EQ(a.value(kSec, "BARO mb tens drum"), 1);
    EXPECT_NEAR(a.value(kSec, "BARO in units drum"), std::fmod(own * 2.9531, 10), 1e-9);  // 2989.27...
    EXPECT_EQ(a.value(kSec, "BARO in tens drum"), 8);
    EXPECT_TRUE(a.host.events().empty()) << "the simulator is not told";
}

TEST(SecondaryAltimeter, TheKnobStepsAThirdOfAMillibarWithinItsLimits) {
    struct Row {
        double from;
        const char* area;
        double to;
    };
    for (const Row& r :
         {Row{739.1, "BARO knob left", 739.1 - 0.33334}, Row{739, "BARO knob left", 739},
          Row{1052.9, "BARO knob right", 1052.9 + 0.33334}, Row{1053, "BARO knob right", 1053}}) {
        Altimeters a;
        a.serve();
        sec_state.SecPressureMb = r.from;
        a.host.click(kSec, r.area);
        EXPECT_EQ(sec_state.SecPressureMb, r.to) << r.from << " " << r.area;
    }
    Altimeters a;
    a.serve();
    aircraft.DcEssBusPowered = 0;
    a.host.click(kSec, "BARO knob right");
    EXPECT_EQ(sec_state.SecPressureMb, 1013.25);
}

TEST(SecondaryAltimeter, WaitsForASettingThatIsANumberAndReadsUncorrectedMeanwhile) {
    Altimeters a;
    a.host.set(kSettingMb, kNaN);
    a.at(3000);
    EXPECT_EQ(sec_state.SecPressureInit, 0);
    EXPECT_EQ(sec_state.display.DrumAltitude, 3000);
    a.host.set(kSettingMb, 1000);
    a.at(3000);
    EXPECT_EQ(sec_state.SecPressureInit, 1);
    EXPECT_EQ(sec_state.SecPressureMb, 1000);
    EXPECT_EQ(sec_state.display.DrumAltitude, 3000);
}

// --- The altitude-alert light --------------------------------------------------------------------

TEST(AltitudeAlertLight, SteadyForAnAlertAndWithTheLampTestOtherwise) {
    struct Row {
        uint8_t alert, lamp_test;
        bool lit;
    };
    for (const Row& r : {Row{0, 0, false}, Row{0, 1, true}, Row{1, 0, true}, Row{2, 0, true}, Row{2, 1, true},
                         Row{3, 0, true}, Row{4, 0, false}, Row{4, 1, true}, Row{255, 0, false}}) {
        Altimeters a;
        aircraft.AltAlertState = r.alert;
        aircraft.AnnLightTest = r.lamp_test;
        a.serve();
        EXPECT_EQ(Altimeters::shown(kMain, "ALT ALERT light"), r.lit)
            << int(r.alert) << " " << int(r.lamp_test);
    }
}

// The light at each of `ticks`, with the deviation alert on.
std::vector<bool> flash(Altimeters& a, std::initializer_list<double> ticks) {
    aircraft.AltAlertState = 3;
    std::vector<bool> lit;
    for (double t : ticks) {
        a.tick = t;
        a.serve();
        lit.push_back(Altimeters::shown(kMain, "ALT ALERT light"));
    }
    return lit;
}

TEST(AltitudeAlertLight, FlashesFourTicksOnAndFourOffFromTheTickEachChangeIsReached) {
    {
        Altimeters a;
        EXPECT_EQ(flash(a, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 116}),
                  (std::vector<bool>{1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 0, 1}));
    }
    {
        // A skipped T + 4 puts the light out at the next tick; a skipped T + 8
        // lights it at the next one, and the flash goes on from there.
        Altimeters a;
        EXPECT_EQ(flash(a, {100, 101, 103, 105, 107, 109, 110, 112, 113, 117}),
                  (std::vector<bool>{1, 1, 1, 0, 0, 1, 1, 1, 0, 1}));
    }
}

TEST(AltitudeAlertLight, RestartsWhenTheAlertLeavesItsFlashAndHoldsWithoutPower) {
    Altimeters a;
    EXPECT_EQ(flash(a, {100, 104}), (std::vector<bool>{1, 0}));
    aircraft.AltAlertState = 0;
    a.serve();
    EXPECT_FALSE(Altimeters::shown(kMain, "ALT ALERT light"));
    EXPECT_EQ(flash(a, {106, 109, 110}), (std::vector<bool>{1, 1, 0}));  // on again at once

    // Dark, the DC essential bus lost: it stays dark whatever the alert.
    aircraft.DcEssBusPowered = 0;
    EXPECT_EQ(flash(a, {114, 118}), (std::vector<bool>{0, 0}));
    aircraft.AltAlertState = 1;
    a.serve();
    EXPECT_FALSE(Altimeters::shown(kMain, "ALT ALERT light"));
    // Lit, and reported inoperative: it stays lit.
    aircraft.DcEssBusPowered = 1;
    a.serve();
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT ALERT light"));
    a.host.set_bits(kInoperative, 1);
    aircraft.AltAlertState = 0;
    a.serve();
    EXPECT_TRUE(Altimeters::shown(kMain, "ALT ALERT light"));
}

}  // namespace
}  // namespace kadrimos::testing
