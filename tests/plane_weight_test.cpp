// The weight indicator: fuel and gross weight in both units, the zero-fuel
// weight knob and its limits, the unit selector, power, readings that are not
// numbers, and the two counters' drums.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "weight/plane_weight_state.h"

namespace kadrimos::testing {
namespace {

using gauges::plane_weight::state;

constexpr const char* kWeight = "toskelin plane_weight_rulo";
constexpr const char* kDown = "ZFW knob left decrease";
constexpr const char* kUp = "ZFW knob right increase";
constexpr uint32_t kUnitSystem = 335, kTotalFuelLb = 791;
constexpr double kPounds = 0.0, kKilograms = 1.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The simulated host's tanks brim full: 4200 gallons of 6.7 lb.
constexpr double kFullTanksLb = 28140;

constexpr const char* kWeightWindows[] = {"GROSS WT drum 1000s", "GROSS WT drum 100s", "GROSS WT drum 10s",
                                          "GROSS WT drum units"};
constexpr const char* kFuelWindows[] = {"FUEL drum 1000s", "FUEL drum 100s", "FUEL drum 10s"};

// DC normal power on, the unit and the fuel as given.
struct WeightBench {
    FakeHost host;

    explicit WeightBench(double unit = kPounds, double fuel_lb = 0) {
        aircraft.DcNormBusPowered = 1;
        host.set(kUnitSystem, unit);
        host.set(kTotalFuelLb, fuel_lb);
        serve();
    }
    void serve(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            host.update(kWeight);
            host.draw(kWeight);
        }
    }
    double drawn(const char* label) const { return host.value(FakeHost::element(kWeight, label)); }
    void click(const char* area, int times = 1) {
        for (int i = 0; i < times; ++i) host.click(kWeight, area);
    }
};

// The fuel in tens of the unit, the gross weight in hundreds, and where the
// drums settle.
TEST(AircraftWeight, IsTheFuelPlusTheZeroFuelWeightInTheSelectedUnit) {
    struct Row {
        const char* what;
        double unit, fuel_lb;
        double fuel_tens, gross;
        double weight_cells[4];
        double fuel_cells[3];
    };
    const Row rows[] = {
        {"empty, lb", kPounds, 0, 0, 2250, {2, 2, 5, 0}, {0, 0, 0}},
        {"empty, kg", kKilograms, 0, 0, 1020, {1, 0, 2, 0}, {0, 0, 0}},
        {"50 000 lb, lb", kPounds, 50000, 5000, 2750, {2, 7, 5, 0}, {5, 0, 0}},
        {"50 000 lb, kg", kKilograms, 50000, 2265, 1246.5, {1, 2, 4, 6.5}, {2, 2, 6}},
        {"full, lb", kPounds, kFullTanksLb, 2814, 2531.4, {2, 5, 3, 1.4}, {2, 8, 1}},
        {"full, kg", kKilograms, kFullTanksLb, 1274.742, 1147.4742, {1, 1, 4, 7.4742}, {1, 2, 7}},
        {"unit 2 is kg", 2.0, 50000, 2265, 1246.5, {1, 2, 4, 6.5}, {2, 2, 6}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        WeightBench b(r.unit, r.fuel_lb);
        b.serve(40);  // the stepping windows settle on their digits
        EXPECT_NEAR(state.fuel_tens, r.fuel_tens, 1e-9);
        EXPECT_NEAR(aircraft.GrossWeightHundreds, r.gross, 1e-9);
        for (int w = 0; w < 4; ++w) EXPECT_NEAR(b.drawn(kWeightWindows[w]), r.weight_cells[w], 1e-9) << w;
        for (int w = 0; w < 3; ++w) EXPECT_NEAR(b.drawn(kFuelWindows[w]), r.fuel_cells[w], 1e-9) << w;
        EXPECT_EQ(FakeHost::visible(kWeight, "TOTAL WT face lb"), r.unit == kPounds);
        EXPECT_FALSE(FakeHost::visible(kWeight, "OFF flag"));
    }
}

// The fuel counter's windows roll only in the last part of the decade below
// them (the last tenth, hundredth and thousandth from the tens up).
TEST(AircraftWeight, FuelDrumsRollAsAnOdometer) {
    struct Row {
        double fuel_lb;
        double cells[3];
    };
    const Row rows[] = {
        {49995, {4.5, 9.5, 9.5}},      // 4999.5 tens: all three half way over
        {9999.5, {0.95, 9.95, 9.95}},  // 999.95 tens: the top one in its last thousandth
        {100000, {0, 0, 0}},           // past the top figure the counter shows 000
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fuel_lb);
        WeightBench b(kPounds, r.fuel_lb);
        for (int w = 0; w < 3; ++w) EXPECT_NEAR(b.drawn(kFuelWindows[w]), r.cells[w], 1e-6) << w;
    }
}

// The knob steps the setting by 10 and stops it at 1000 and 3220; a step
// from within 10 of a limit lands on it. The clicks make no sound.
TEST(ZeroFuelWeight, StepsByTenWithinItsLimits) {
    struct Row {
        int16_t setting;
        const char* area;
        int16_t after;
    };
    const Row rows[] = {
        {2250, kUp, 2260},   {2250, kDown, 2240}, {1010, kDown, 1000}, {1005, kDown, 1000},
        {1015, kDown, 1005}, {1000, kDown, 1000}, {3210, kUp, 3220},   {3215, kUp, 3220},
        {3205, kUp, 3215},   {3220, kUp, 3220},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.setting) + " " + r.area);
        WeightBench b;
        b.host.load_sounds();
        aircraft.ZeroFuelWeightSetting = r.setting;
        b.click(r.area);
        EXPECT_EQ(aircraft.ZeroFuelWeightSetting, r.after);
        b.serve();
        EXPECT_DOUBLE_EQ(aircraft.GrossWeightHundreds, r.after);
        EXPECT_EQ(b.host.plays("CLICK"), 0u);
    }

    WeightBench b;
    b.click(kDown, 200);
    EXPECT_EQ(aircraft.ZeroFuelWeightSetting, 1000);
    b.click(kUp, 300);
    EXPECT_EQ(aircraft.ZeroFuelWeightSetting, 3220);
}

// A change of unit puts the setting back to the unit's figure; an update in
// the same unit, or a unit reading that is not a number, leaves the crew's
// setting alone. Before any unit has been read, such a reading is pounds.
TEST(ZeroFuelWeight, IsResetByAChangeOfUnitOnly) {
    struct Step {
        double unit;
        int clicks_up;
        int16_t setting;
        bool pound_face;
    };
    const Step steps[] = {
        {kPounds, 0, 2250, true},     {kPounds, 3, 2280, true},     {kPounds, 0, 2280, true},
        {kKilograms, 0, 1020, false}, {kKilograms, 2, 1040, false}, {kNaN, 0, 1040, false},
        {kInf, 0, 1040, false},       {kPounds, 0, 2250, true},     {kNaN, 1, 2260, true},
        {-kInf, 0, 1020, false},
    };
    {
        WeightBench b;
        for (std::size_t i = 0; i < std::size(steps); ++i) {
            const Step& s = steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            b.host.set(kUnitSystem, s.unit);
            b.click(kUp, s.clicks_up);
            b.serve();
            EXPECT_EQ(aircraft.ZeroFuelWeightSetting, s.setting);
            EXPECT_EQ(FakeHost::visible(kWeight, "TOTAL WT face lb"), s.pound_face);
        }
    }

    // The load value of the setting is the kilogram figure, but a first
    // reading in pounds, or one that is no number at all, sets the pound one.
    for (double first : {kPounds, kNaN}) {
        FakeHost host;
        EXPECT_EQ(aircraft.ZeroFuelWeightSetting, 1020);
        host.set(kUnitSystem, first);
        host.update(kWeight);
        EXPECT_EQ(aircraft.ZeroFuelWeightSetting, 2250);
        EXPECT_EQ(state.unit_latch, weight::kPounds);
    }
}

// Without DC normal power the fuel counter holds and the OFF flag shows; the
// gross weight still follows the knob.
TEST(AircraftWeight, FuelHoldsWithoutPower) {
    {
        WeightBench b(kPounds, 30000);
        EXPECT_DOUBLE_EQ(state.fuel_tens, 3000);

        aircraft.DcNormBusPowered = 0;
        b.host.set(kTotalFuelLb, 20000);
        b.click(kUp);
        b.serve();
        EXPECT_DOUBLE_EQ(state.fuel_tens, 3000);
        EXPECT_DOUBLE_EQ(aircraft.GrossWeightHundreds, 300 + 2260);
        EXPECT_TRUE(FakeHost::visible(kWeight, "OFF flag"));

        aircraft.DcNormBusPowered = 1;
        b.serve();
        EXPECT_DOUBLE_EQ(state.fuel_tens, 2000);
        EXPECT_DOUBLE_EQ(aircraft.GrossWeightHundreds, 200 + 2260);
        EXPECT_FALSE(FakeHost::visible(kWeight, "OFF flag"));
    }

    // Cold and dark from the load: nothing read yet, the flag down.
    FakeHost cold;
    cold.set(kTotalFuelLb, 30000);
    cold.update(kWeight);
    EXPECT_EQ(state.fuel_tens, 0);
    EXPECT_DOUBLE_EQ(aircraft.GrossWeightHundreds, 2250);
    EXPECT_TRUE(FakeHost::visible(kWeight, "OFF flag"));
}

// A fuel reading that is not a finite number leaves the counter where it
// was; a negative one reads as empty tanks. Nothing drawn is ever NaN.
TEST(AircraftWeight, KeepsTheLastFuelOverABrokenReading) {
    struct Row {
        double fuel_lb;
        double fuel_tens;
    };
    const Row rows[] = {
        {kNaN, 3000}, {kInf, 3000}, {-kInf, 3000}, {-500, 0}, {12345, 1234.5}, {kNaN, 1234.5},
    };
    WeightBench b(kPounds, 30000);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fuel_lb);
        b.host.set(kTotalFuelLb, r.fuel_lb);
        b.serve();
        EXPECT_DOUBLE_EQ(state.fuel_tens, r.fuel_tens);
        EXPECT_DOUBLE_EQ(aircraft.GrossWeightHundreds, r.fuel_tens / 10 + 2250);
        for (const char* w : kFuelWindows) EXPECT_FALSE(std::isnan(b.drawn(w))) << w;
        for (const char* w : kWeightWindows) EXPECT_FALSE(std::isnan(b.drawn(w))) << w;
    }
}

// The gross weight's upper windows step a quarter of a digit a draw; a
// window at 0 bound for 9 goes back over the wrap, one at 9 bound for 0 on
// through the strip's last cell. The units window follows the weight at once.
TEST(AircraftWeight, WeightWindowsStepTheShortWay) {
    constexpr const char* kTens = "GROSS WT drum 10s";
    WeightBench b(kKilograms);  // 1020, from the load's 0 0 0
    EXPECT_EQ(b.drawn("GROSS WT drum 1000s"), 0.25);
    EXPECT_EQ(b.drawn("GROSS WT drum 100s"), 0);
    EXPECT_EQ(b.drawn(kTens), 0.25);

    b.click(kDown, 2);  // 1000
    b.serve();
    EXPECT_EQ(b.drawn(kTens), 0);
    b.click(kUp, 9);  // 1090
    b.serve();
    EXPECT_NEAR(b.drawn(kTens), 9.9, 1e-9);
    b.serve(4);
    EXPECT_EQ(b.drawn(kTens), 9);
    b.click(kUp);  // 1100
    b.serve(4);
    EXPECT_EQ(b.drawn(kTens), 10);
    b.serve();
    EXPECT_EQ(b.drawn(kTens), 0);
    EXPECT_EQ(b.drawn("GROSS WT drum 100s"), 1);

    b.host.set(kTotalFuelLb, 75);  // 7.5 tens of pounds, 3.3975 of kilograms
    b.serve();
    EXPECT_NEAR(aircraft.GrossWeightHundreds, 1100.33975, 1e-9);
    EXPECT_NEAR(b.drawn("GROSS WT drum units"), 0.33975, 1e-9);
}

}  // namespace
}  // namespace kadrimos::testing
