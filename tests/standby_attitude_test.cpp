// The standby attitude indicator: the gyro's supply and failures and its
// flag, the topple in roll and pitch, the slew back and its capture (from
// below a steep bank on the left too), the aircraft symbol and its knob, the
// knob's lighting, the sphere's records and its pitch stop, and attitudes that
// are not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "instruments/standby_attitude_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using gauges::adi_sec::state;

constexpr const char* kAdi = "toskelin adi_sec_rulo";
constexpr uint32_t kPitch = 78, kBank = 80, kAttitudeFailed = 276, kVacuumFailed = 288;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The gyro fed (DC essential bus, instrument bus 1), no failure, level.
struct Adi {
    FakeHost host;
    Adi() {
        aircraft.DcEssBusPowered = 1;
        aircraft.InstrBus1Powered = 1;
        attitude(0, 0);
        host.set_bits(kAttitudeFailed, 0);
        host.set_bits(kVacuumFailed, 0);
    }
    void attitude(double bank, double pitch) {
        host.set(kBank, bank);
        host.set(kPitch, pitch);
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.update(kAdi);
            host.draw(kAdi);
        }
    }
    // The shown bank after each of `updates` updates.
    std::vector<double> banks(int updates) {
        std::vector<double> out;
        for (int i = 0; i < updates; ++i) {
            serve();
            out.push_back(state.shown_bank_deg);
        }
        return out;
    }
    void power(bool on) { aircraft.DcEssBusPowered = on ? 1 : 0; }
    bool flag() const { return FakeHost::visible(kAdi, "ATT flag"); }
};

// Erect only with both supplies and neither failure; the flag shows
// otherwise, and the gyro topples.
TEST(StandbyAttitudeFlag, ShowsWithoutEitherSupplyOrWithAFailure) {
    struct Row {
        uint8_t dc_ess, instr_bus;
        uint32_t attitude_failed, vacuum_failed;
        bool erect;
    };
    const Row rows[] = {
        {1, 1, 0, 0, true},  {0, 1, 0, 0, false}, {1, 0, 0, 0, false}, {1, 1, 1, 0, false},
        {1, 1, 0, 1, false}, {1, 1, 2, 0, true},  {0, 0, 1, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.dc_ess) + std::to_string(r.instr_bus) +
                     std::to_string(r.attitude_failed) + std::to_string(r.vacuum_failed));
        Adi adi;
        aircraft.DcEssBusPowered = r.dc_ess;
        aircraft.InstrBus1Powered = r.instr_bus;
        adi.host.set_bits(kAttitudeFailed, r.attitude_failed);
        adi.host.set_bits(kVacuumFailed, r.vacuum_failed);
        adi.attitude(10, 5);
        adi.serve();
        EXPECT_EQ(adi.flag(), !r.erect);
        EXPECT_EQ(state.shown_bank_deg, r.erect ? 10 : -1);
        EXPECT_EQ(state.shown_pitch_deg, r.erect ? 5 : 0);
        EXPECT_EQ(state.bank_recovering, r.erect ? 0 : 1);
        EXPECT_EQ(state.pitch_recovering, r.erect ? 0 : 1);
    }
}

// Toppling from a bank: where the sphere stands after so many updates.
TEST(StandbyAttitudeTopple, RollsADegreeAnUpdateToThirtyRight) {
    struct Row {
        double from;
        std::vector<std::pair<int, double>> at;  // (updates, shown bank)
    };
    const std::vector<Row> rows = {
        {10, {{1, 9}, {38, -28}, {39, -30}, {80, -30}}},
        {170, {{1, 171}, {10, 180}, {11, -180}, {159, -32}, {160, -30}, {200, -30}}},
        {150, {{1, 149}, {178, -28}, {179, -30}}},
        {150.5, {{1, 151.5}, {29, 179.5}, {30, 180.5}, {31, -180}}},
        {-100, {{1, -99}, {68, -32}, {69, -30}}},
        {-31, {{1, -30}}},
        {-28, {{1, -30}}},
        {-27.5, {{1, -28.5}, {2, -30}}},
        {-190, {{1, -30}}},
        {400, {{1, -180}, {2, -179}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.from);
        Adi adi;
        adi.attitude(r.from, 0);
        adi.serve();
        adi.power(false);
        const int last = r.at.back().first;
        const std::vector<double> banks = adi.banks(last);
        for (const auto& [n, bank] : r.at) EXPECT_DOUBLE_EQ(banks[n - 1], bank) << "after " << n;
    }
}

// Pitch topples to level: a degree an update down to 2 either way, then 0.
TEST(StandbyAttitudeTopple, PitchComesLevel) {
    struct Row {
        double from;
        std::vector<double> shown;  // after each update
    };
    const Row rows[] = {
        {6, {5, 4, 3, 2, 0, 0}}, {-4.5, {-3.5, -2.5, -1.5, 0}}, {2, {0}}, {-2, {0}},
        {60, {43 - 1, 41}},  // drawn first: the stop at 43 written back
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.from);
        Adi adi;
        adi.attitude(0, r.from);
        adi.serve();
        adi.power(false);
        for (std::size_t i = 0; i < r.shown.size(); ++i) {
            adi.serve();
            EXPECT_DOUBLE_EQ(state.shown_pitch_deg, r.shown[i]) << "update " << i + 1;
        }
    }
}

// With the supply back, the slew from where the sphere stands (S) to the
// true bank: the updates it takes to capture, and the shown bank after the
// update before that.
TEST(StandbyAttitudeRecovery, SlewsBackTheShortWayAndCaptures) {
    struct Row {
        double shown, bank;
        int updates;         // the update that captures
        double just_before;  // shown bank after the update before
    };
    // clang-format off
    const Row rows[] = {
        {-30, 20, 49, 18},        // rises until within 2
        {-30, -20, 9, -22},
        {-30, -28, 1, -30},       // near the toppled bank: at once
        {-30, -32, 1, -30},
        {-30, -100, 1, -30},      // a bank on the left beyond the shown one: at once
        {-30, 165, 152, 179.9},   // down through -180, then 179.9, then 165
        {-30, 150, 152, 179.9},
        {100, 165, 282, 179.9},   // from above it: the long way round, as the gyro slews
        {170, 165, 1, 170},       // beyond it: at once
        {-180, 170, 2, 179.9},
        {-175, -100, 74, -102},   // below a steep bank on the left: rises to it, never away
        {-179, -150, 28, -152},
        {-180, -180, 1, -180},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.shown) + " to " + std::to_string(r.bank));
        Adi adi;
        state.shown_bank_deg = r.shown;
        state.bank_recovering = 1;
        adi.attitude(r.bank, 0);
        const std::vector<double> banks = adi.banks(r.updates);
        if (r.updates > 1) {
            EXPECT_DOUBLE_EQ(banks[r.updates - 2], r.just_before);
        }
        EXPECT_DOUBLE_EQ(banks.back(), r.bank);
        EXPECT_EQ(state.bank_recovering, 0);
        for (double b : banks) {
            EXPECT_GE(b, -180) << "never below -180";
            EXPECT_LT(b, 180);
        }
        adi.attitude(r.bank + 1, 0);
        adi.serve();
        EXPECT_DOUBLE_EQ(state.shown_bank_deg, r.bank + 1) << "follows once captured";
    }
}

// Pitch comes back only once the true pitch leaves the 2.5 degrees around
// level, then a degree an update until within 2 of it.
TEST(StandbyAttitudeRecovery, PitchWaitsOutsideTheLevelBand) {
    struct Row {
        double shown, pitch;
        std::vector<double> after;  // shown pitch after each update
        bool caught;
    };
    const Row rows[] = {
        {0, 1, {0, 0, 0}, false},        {0, 2.5, {0, 0}, false},
        {0, -2.5, {0, 0}, false},        {0, 6, {1, 2, 3, 4, 6}, true},
        {0, -5, {-1, -2, -3, -5}, true}, {10, 6, {6}, true},  // above it: at once
        {-10, -6, {-6}, true},                                // below it: at once
        {0, 2.6, {1, 2.6}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.shown) + " to " + std::to_string(r.pitch));
        Adi adi;
        state.shown_pitch_deg = r.shown;
        state.pitch_recovering = 1;
        adi.attitude(0, r.pitch);
        for (std::size_t i = 0; i < r.after.size(); ++i) {
            adi.serve();
            EXPECT_DOUBLE_EQ(state.shown_pitch_deg, r.after[i]) << "update " << i + 1;
        }
        EXPECT_EQ(state.pitch_recovering == 0, r.caught);
    }
}

// A bank or pitch that is not a number is a failed attitude source: the
// flag shows, the sphere topples, and nothing that is not a number reaches
// what is drawn.
TEST(StandbyAttitudeBadHost, NonFiniteAttitudeToppleTheGyro) {
    for (const auto& [bank, pitch] :
         std::vector<std::pair<double, double>>{{kNaN, 0}, {0, kNaN}, {kInf, 0}, {0, -kInf}, {kNaN, kNaN}}) {
        SCOPED_TRACE(std::to_string(bank) + " " + std::to_string(pitch));
        Adi adi;
        adi.attitude(10, 5);
        adi.serve();
        adi.attitude(bank, pitch);
        adi.serve(3);
        EXPECT_TRUE(adi.flag());
        EXPECT_DOUBLE_EQ(state.shown_bank_deg, 7);
        EXPECT_DOUBLE_EQ(state.shown_pitch_deg, 2);
        for (const char* e : {"SPHERE", "BANK SCALE"})
            EXPECT_TRUE(std::isfinite(adi.host.value(FakeHost::element(kAdi, e)))) << e;
        adi.attitude(-40, -10);
        adi.serve();
        EXPECT_FALSE(adi.flag());
        EXPECT_DOUBLE_EQ(state.shown_bank_deg, -40) << "caught at once: the true bank is beyond it";
    }
}

// The symbol knob: a step a click to its stops; the symbol stands at K + 18;
// a knob or symbol found off its travel is put back on it.
TEST(StandbyAttitudeSymbol, FollowsItsKnobBetweenItsStops) {
    Adi adi;
    adi.serve();
    EXPECT_EQ(adi.host.value(FakeHost::element(kAdi, "AIRCRAFT SYMBOL")), 18);
    struct Row {
        const char* area;
        int clicks;
        int32_t knob;
        double symbol;
    };
    const Row rows[] = {{"SYMBOL knob left", 3, 3, 21},
                        {"SYMBOL knob left", 20, 10, 28},
                        {"SYMBOL knob right", 1, 9, 27},
                        {"SYMBOL knob right", 25, -10, 8},
                        {"SYMBOL knob left", 1, -9, 9}};
    for (const Row& r : rows) {
        for (int i = 0; i < r.clicks; ++i) adi.host.click(kAdi, r.area);
        adi.serve();
        EXPECT_EQ(state.symbol_knob, r.knob) << r.area;
        EXPECT_EQ(adi.host.value(FakeHost::element(kAdi, "AIRCRAFT SYMBOL")), r.symbol) << r.area;
        EXPECT_EQ(adi.host.value(FakeHost::element(kAdi, "SYMBOL pointer")), r.knob) << r.area;
    }
    state.symbol_knob = 14;
    adi.host.draw(kAdi);
    EXPECT_EQ(state.symbol_knob, 10) << "the pointer's stop written back";
    state.symbol_position = 31;
    adi.serve();
    EXPECT_EQ(state.symbol_position, 30);
    adi.serve();
    EXPECT_EQ(state.symbol_position, 28);
    const MOUSERECT* areas = FakeHost::gauge(kAdi).mouse_rect;
    EXPECT_EQ(areas[1].cursor, CURSOR_DOWNARROW);
    EXPECT_EQ(areas[2].cursor, CURSOR_UPARROW);
    for (int a : {1, 2}) EXPECT_EQ(areas[a].mouse_flags, 0x20000000u);
}

TEST(StandbyAttitudeKnob, IsLitByThePanelLightsWithTheDeckLightBrighter) {
    struct Row {
        uint8_t lights, ac_ess, deck;
        const char* shown;
    };
    const Row rows[] = {{0, 1, 1, "SYMBOL knob"},
                        {1, 0, 1, "SYMBOL knob"},
                        {1, 1, 0, "SYMBOL knob panel lit"},
                        {1, 1, 1, "SYMBOL knob deck lit"}};
    for (const Row& r : rows) {
        Adi adi;
        aircraft.InstrumentLightsOn = r.lights;
        aircraft.AcEssBusPowered = r.ac_ess;
        aircraft.FltDeckLightSwitch = r.deck;
        adi.serve();
        for (const char* knob : {"SYMBOL knob", "SYMBOL knob panel lit", "SYMBOL knob deck lit"})
            EXPECT_EQ(FakeHost::visible(kAdi, knob), std::string(knob) == r.shown) << r.shown << ": " << knob;
    }
}

// The sphere and bank scale turn with the shown bank, a degree of picture a
// degree (clockwise for a bank to the left); the sphere moves 2 pixels a
// degree of pitch, up for nose down, and stops at 43 degrees.
TEST(StandbyAttitudeSphere, TurnsWithTheBankAndStopsAtFortyThreeInPitch) {
    for (const char* label : {"SPHERE", "BANK SCALE"}) {
        const auto* s = reinterpret_cast<const ELEMENT_SPRITE*>(FakeHost::element(kAdi, label));
        ASSERT_EQ(s->header.element_type, static_cast<uint32_t>(ELEMENT_TYPE_SPRITE)) << label;
        EXPECT_DOUBLE_EQ(s->rotation_scale, std::numbers::pi / 180) << label;
        EXPECT_EQ(s->texture_scale_x, 1.0f);
        EXPECT_EQ(s->texture_scale_y, 1.0f);
        ASSERT_NE(s->rotation_callback, nullptr);
        EXPECT_EQ(s->x_callback, nullptr);
    }
    const auto* sphere = reinterpret_cast<const ELEMENT_SPRITE*>(FakeHost::element(kAdi, "SPHERE"));
    EXPECT_DOUBLE_EQ(sphere->y_scale, -2);
    struct Row {
        double bank, pitch, shown_pitch;
    };
    for (const Row& r : {Row{25, 10, 10}, Row{-5, 43, 43}, Row{0, 50, 43}, Row{0, -60, -43}}) {
        Adi adi;
        adi.attitude(r.bank, r.pitch);
        adi.serve();
        auto* e = FakeHost::element(kAdi, "SPHERE");
        auto* s = reinterpret_cast<ELEMENT_SPRITE*>(e);
        EXPECT_EQ(s->rotation_callback(e), r.bank);
        EXPECT_EQ(s->y_callback(e), r.shown_pitch);
        EXPECT_EQ(state.shown_pitch_deg, r.shown_pitch) << "the stop written back";
    }
}

}  // namespace
}  // namespace kadrimos::testing
