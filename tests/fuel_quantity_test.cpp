// The tank quantity indicators and the fuel used counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kMainLeft = "toskelin fuel_ind_qtty_m_left_rulo";
constexpr const char* kCentreTank = "toskelin fuel_ind_qtty_a_center_rulo";
constexpr const char* kAuxLeft = "toskelin fuel_ind_qtty_a_left_rulo";
constexpr const char* kUsed1 = "toskelin fuel_ind_fu_1_rulo";
constexpr const char* kUsed2 = "toskelin fuel_ind_fu_2_rulo";
constexpr const char* kReserve1 = "toskelin fuel_qtty_reserve_1_rulo";

constexpr uint32_t kUnitSystem = 335, kDensity = 306, kSeconds = 607, kFlow1 = 638, kFlow2 = 657;
constexpr uint32_t kMainLeftLevel = 293, kMainLeftCapacity = 294;
constexpr uint32_t kCentreLevel = 289, kCentreCapacity = 290;
constexpr uint32_t kAuxLeftLevel = 291, kAuxLeftCapacity = 292;
constexpr double kLevelPerPercent = 83886.08;

// Depths on the five-window dials: pound dial, drums, kilogram and pound
// needles.
constexpr int kPoundDial = 1, kFirstDrum = 2, kMainKgNeedle = 7, kMainLbNeedle = 8;
constexpr int kAuxKgNeedle = 6, kAuxLbNeedle = 7;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// DC normal power, pounds, 6 lb per gallon: 1.5625 lb per litre of the
// panel's 3.84-litre gallon.
struct QuantityBench {
    FakeHost host;

    QuantityBench() {
        aircraft.DcNormBusPowered = 1;
        host.set(kUnitSystem, 0.0);
        host.set(kDensity, 6.0);
    }
    // A tank of 4000 gallons holding `pounds`.
    void tank(uint32_t level, uint32_t capacity, double pounds) {
        const double litres = pounds / 1.5625;
        host.set(capacity, 4000);
        host.set(level, litres * 100 / (4000 * 3.84) * kLevelPerPercent);
    }
    // Displayed weights over `n` updates of one indicator.
    std::vector<double> run(const char* gauge, int n) {
        std::vector<double> shown;
        for (int i = 0; i < n; ++i) {
            host.update(gauge);
            shown.push_back(displayed(gauge));
        }
        return shown;
    }
    double displayed(const char* gauge) {
        const int index = gauge == kMainLeft ? 0 : gauge == kCentreTank ? 2 : 3;
        return private_state.fuel.quantity[index].displayed_weight;
    }
    double needle(const char* gauge, int depth) {
        host.draw(gauge);
        return host.value(FakeHost::element(gauge, depth));
    }
};

TEST(FuelQuantity, PublishesTheTankInLitres) {
    QuantityBench b;
    b.host.set(kCentreCapacity, 1000);
    b.host.set(kCentreLevel, 50 * kLevelPerPercent);
    b.host.update(kCentreTank);
    EXPECT_DOUBLE_EQ(aircraft.FuelQtyACenter, 1920);  // half of 1000 gallons of 3.84 litres

    // Even without power: the tank selection must not lose the tanks.
    aircraft.DcNormBusPowered = 0;
    b.host.set(kCentreLevel, 25 * kLevelPerPercent);
    b.host.update(kCentreTank);
    EXPECT_DOUBLE_EQ(aircraft.FuelQtyACenter, 960);
}

TEST(FuelQuantity, BadHostReadingsCountAsAnEmptyTank) {
    QuantityBench b;
    for (double level : {kNaN, std::numeric_limits<double>::infinity(), -5000.0}) {
        b.host.set(kAuxLeftCapacity, 1000);
        b.host.set(kAuxLeftLevel, level);
        b.host.update(kAuxLeft);
        EXPECT_EQ(aircraft.FuelQtyALeft, 0) << level;
    }
    b.tank(kAuxLeftLevel, kAuxLeftCapacity, 2000);
    b.host.set(kDensity, kNaN);
    b.run(kAuxLeft, 3);
    EXPECT_EQ(b.displayed(kAuxLeft), 0);
    EXPECT_GT(aircraft.FuelQtyALeft, 0);  // the litres do not need the density
}

TEST(FuelQuantity, ClimbsAt500ATickPassingTheContentsForOneUpdateAndFallsAtOnce) {
    QuantityBench b;
    b.tank(kMainLeftLevel, kMainLeftCapacity, 1800);
    // 1500 is short of 1800 - 100: one more step of 500 takes the needle to
    // 2000, and the next update settles it on the contents.
    EXPECT_EQ(b.run(kMainLeft, 6), (std::vector<double>{500, 1000, 1500, 2000, 1800, 1800}));

    b.tank(kMainLeftLevel, kMainLeftCapacity, 600);  // draining: no lag downwards
    b.host.update(kMainLeft);
    EXPECT_NEAR(b.displayed(kMainLeft), 600, 1e-9);
}

TEST(FuelQuantity, HoldsWithoutPower) {
    QuantityBench b;
    b.tank(kMainLeftLevel, kMainLeftCapacity, 5000);
    b.run(kMainLeft, 2);
    aircraft.DcNormBusPowered = 0;
    b.tank(kMainLeftLevel, kMainLeftCapacity, 100);
    b.run(kMainLeft, 5);
    EXPECT_EQ(b.displayed(kMainLeft), 1000);
    aircraft.DcNormBusPowered = 1;
    b.host.update(kMainLeft);
    EXPECT_NEAR(b.displayed(kMainLeft), 100, 1e-9);
}

TEST(FuelQuantity, TestInPoundsSweepsToTheTopAndSettlesOnTheContents) {
    QuantityBench b;
    b.tank(kMainLeftLevel, kMainLeftCapacity, 12000);
    b.run(kMainLeft, 30);
    ASSERT_NEAR(b.displayed(kMainLeft), 12000, 1e-6);

    aircraft.QtyTestRequest[0] = 1;
    aircraft.QtyTestRequest[1] = 1;
    std::vector<double> sweep = b.run(kMainLeft, 200);
    EXPECT_NEAR(sweep[0], 12400, 1e-6);
    EXPECT_NEAR(sweep[44], 30000, 1e-6);  // 45 steps of 400
    EXPECT_NEAR(sweep[45], 29600, 1e-6);
    EXPECT_NEAR(sweep[88], 12400, 1e-6);
    EXPECT_NEAR(sweep[89], 12000, 1e-6);  // within 100 of the contents
    EXPECT_NEAR(sweep.back(), 12000, 1e-6);
    EXPECT_EQ(aircraft.QtyTestRequest[0], 0);
    EXPECT_EQ(aircraft.QtyTestRequest[1], 1);  // each indicator clears its own
}

TEST(FuelQuantity, TestInKilogramsAndOnTheAuxiliaryDials) {
    QuantityBench b;
    b.host.set(kUnitSystem, 1.0);
    b.tank(kCentreLevel, kCentreCapacity, 4000);  // 1812 kg
    b.tank(kAuxLeftLevel, kAuxLeftCapacity, 2000);
    b.run(kCentreTank, 10);
    b.run(kAuxLeft, 10);
    aircraft.QtyTestRequest[2] = 1;
    aircraft.QtyTestRequest[3] = 1;

    std::vector<double> centre = b.run(kCentreTank, 150);
    EXPECT_NEAR(centre[0], 1812 + 200, 1e-6);
    EXPECT_NEAR(*std::max_element(centre.begin(), centre.end()), 15000, 1e-6);
    EXPECT_NEAR(centre.back(), 1812, 1e-6);
    EXPECT_EQ(aircraft.QtyTestRequest[2], 0);

    std::vector<double> aux = b.run(kAuxLeft, 100);
    EXPECT_NEAR(aux[0], 906 + 100, 1e-6);
    EXPECT_NEAR(*std::max_element(aux.begin(), aux.end()), 4500, 1e-6);
    EXPECT_NEAR(aux[36], 4500 - 250, 1e-6);  // 36 steps of 100 from 906 reach the top
    EXPECT_NEAR(aux.back(), 906, 1e-6);
}

TEST(FuelQuantity, ARequestedTestWaitsForPower) {
    QuantityBench b;
    b.tank(kAuxLeftLevel, kAuxLeftCapacity, 2000);
    b.run(kAuxLeft, 10);
    aircraft.DcNormBusPowered = 0;
    aircraft.QtyTestRequest[3] = 1;
    b.run(kAuxLeft, 10);
    EXPECT_NEAR(b.displayed(kAuxLeft), 2000, 1e-6);
    aircraft.DcNormBusPowered = 1;
    b.host.update(kAuxLeft);
    EXPECT_NEAR(b.displayed(kAuxLeft), 2200, 1e-6);
}

TEST(FuelQuantity, TheUnitSelectsDialAndNeedleAndOnlyThatNeedleClamps) {
    QuantityBench b;
    b.tank(kMainLeftLevel, kMainLeftCapacity, 12000);
    b.host.update(kMainLeft);
    EXPECT_TRUE(FakeHost::visible(kMainLeft, kPoundDial));
    EXPECT_TRUE(FakeHost::visible(kMainLeft, kMainLbNeedle));
    EXPECT_FALSE(FakeHost::visible(kMainLeft, kMainKgNeedle));

    b.host.set(kUnitSystem, 1.0);
    b.host.update(kMainLeft);
    EXPECT_FALSE(FakeHost::visible(kMainLeft, kPoundDial));
    EXPECT_TRUE(FakeHost::visible(kMainLeft, kMainKgNeedle));
    EXPECT_FALSE(FakeHost::visible(kMainLeft, kMainLbNeedle));

    // A display beyond the kilogram scale: the kilogram needle clamps and
    // writes back; the hidden pound needle leaves the display alone.
    private_state.fuel.quantity[0].displayed_weight = 20000;
    b.host.draw(kMainLeft);
    EXPECT_EQ(b.host.value(FakeHost::element(kMainLeft, kMainKgNeedle)), 15000);
    EXPECT_EQ(private_state.fuel.quantity[0].displayed_weight, 15000);

    b.host.set(kUnitSystem, 0.0);
    b.host.update(kAuxLeft);
    private_state.fuel.quantity[3].displayed_weight = 6000;
    EXPECT_EQ(b.needle(kAuxLeft, kAuxKgNeedle), 4500);
    EXPECT_EQ(private_state.fuel.quantity[3].displayed_weight, 6000);
    EXPECT_EQ(b.needle(kAuxLeft, kAuxLbNeedle), 6000);
}

TEST(FuelQuantity, DrumsReadTheDisplayedWeight) {
    QuantityBench b;
    private_state.fuel.quantity[0].displayed_weight = 12345;
    b.host.draw(kMainLeft);
    std::vector<double> cells;
    for (int depth = kFirstDrum; depth < kFirstDrum + 5; ++depth)
        cells.push_back(b.host.value(FakeHost::element(kMainLeft, depth)));
    EXPECT_EQ(cells, (std::vector<double>{1, 2, 3, 4, 5}));

    // The auxiliary dials show the lower four digits of the same counter.
    private_state.fuel.quantity[3].displayed_weight = 4519.5;
    b.host.draw(kAuxLeft);
    EXPECT_EQ(b.host.value(FakeHost::element(kAuxLeft, kFirstDrum)), 4);
    EXPECT_EQ(b.host.value(FakeHost::element(kAuxLeft, kFirstDrum + 1)), 5);
    EXPECT_NEAR(b.host.value(FakeHost::element(kAuxLeft, kFirstDrum + 2)), 1.5, 1e-9);  // rolling 1 to 2
    EXPECT_NEAR(b.host.value(FakeHost::element(kAuxLeft, kFirstDrum + 3)), 9.5, 1e-9);
}

// Each window rolls in the zone of its place: tens over the last tenth of
// the units' decade, hundreds over the last hundredth, and so on. A count of
// 19.5, 199.5 ... sets the window of its highest place halfway from 1 to 2
// and every window below it halfway from 9 to 0, which only each window's
// own zone does; the windows above stand on 0.
TEST(DrumWindows, EachWindowOfTheCountersRollsInTheZoneOfItsPlace) {
    QuantityBench b;
    struct Row {
        const char* gauge;
        double* count;  // what the gauge's drums read
        int first_window;
        int places;  // windows, the highest place first
    };
    const Row rows[] = {
        {kMainLeft, &private_state.fuel.quantity[0].displayed_weight, kFirstDrum, 5},
        {kAuxLeft, &private_state.fuel.quantity[3].displayed_weight, kFirstDrum, 4},
        {kUsed1, &private_state.fuel.fuel_used[0].drum_value, kFirstDrum, 5},
    };
    // Count, place whose window rolls halfway: 19.5 rolls the tens, 199.5 the
    // hundreds, 1999.5 the thousands, 19999.5 the ten-thousands.
    const std::pair<double, int> counts[] = {{19.5, 10}, {199.5, 100}, {1999.5, 1000}, {19999.5, 10000}};
    for (const Row& row : rows) {
        for (const auto& [count, rolling_place] : counts) {
            int place = 1;
            for (int i = 1; i < row.places; ++i) place *= 10;
            if (rolling_place > place) continue;  // no window for that place
            *row.count = count;
            for (int w = 0; w < row.places; ++w, place /= 10) {
                auto* window = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(
                    FakeHost::element(row.gauge, row.first_window + w));
                ASSERT_EQ(window->header.element_type, static_cast<uint32_t>(ELEMENT_TYPE_MOVING_IMAGE));
                const double cell = window->y_callback(&window->header);
                if (place == 1) continue;  // the units turn continuously
                const double expected = place == rolling_place ? 1.5 : place > rolling_place ? 0 : 9.5;
                EXPECT_NEAR(cell, expected, 1e-6)
                    << row.gauge << ": count " << count << ", window of the " << place << "s";
            }
        }
    }
}

TEST(FuelQuantity, TheAuxiliaryTankLightsReserveFrom1150LitresDown) {
    QuantityBench b;
    b.host.set(kAuxLeftCapacity, 1000);
    for (double litres : {1149.99, 1150.01}) {
        b.host.set(kAuxLeftLevel, litres * 100 / 3840 * kLevelPerPercent);
        b.host.update(kAuxLeft);
        b.host.update(kReserve1);
        EXPECT_EQ(FakeHost::visible(kReserve1, 1), litres < 1150) << litres;
    }
}

// --- Fuel used counters ----------------------------------------------------------

struct CounterBench {
    FakeHost host;

    CounterBench() {
        aircraft.DcNormBusPowered = 1;
        host.set(kUnitSystem, 0.0);
        host.set(kFlow1, 14400);  // 1 lb per quarter second, before calibration
        host.set(kFlow2, 0);
    }
    void at(double seconds, const char* gauge = kUsed1) {
        host.set(kSeconds, seconds);
        host.update(gauge);
    }
};

constexpr double kQuarter = 1.3407037;  // one quarter second at 14400 lb/h

TEST(FuelUsed, AddsTheBurnEveryQuarterSecond) {
    CounterBench b;
    b.at(10.0);  // arms
    EXPECT_EQ(aircraft.FuelUsed1, 0);
    b.at(10.2);
    EXPECT_EQ(aircraft.FuelUsed1, 0);
    b.at(10.25);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter);
    b.at(10.3);  // re-arms for 10.55
    b.at(10.5);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter);
    b.at(10.6);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, 2 * kQuarter);
    EXPECT_EQ(aircraft.FuelUsed2, 0);
}

TEST(FuelUsed, AChangeOfUnitCarriesOnWithoutConverting) {
    CounterBench b;
    b.at(0);
    b.at(0.25);
    b.host.set(kUnitSystem, 1.0);
    b.at(0.3);
    b.at(0.55);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter + kQuarter * 0.453);
    EXPECT_FALSE(FakeHost::visible(kUsed1, kPoundDial));
}

TEST(FuelUsed, CountsNothingAndHoldsItsDrumsWithoutPower) {
    CounterBench b;
    aircraft.FuelUsed1 = 12345;
    b.at(0);
    aircraft.DcNormBusPowered = 0;
    aircraft.FuelUsed1 = 0;  // FUEL USED RESET works without power
    b.at(1);
    b.at(2);
    EXPECT_EQ(aircraft.FuelUsed1, 0);
    b.host.draw(kUsed1);
    EXPECT_EQ(b.host.value(FakeHost::element(kUsed1, kFirstDrum)), 1);
    EXPECT_EQ(b.host.value(FakeHost::element(kUsed1, kFirstDrum + 4)), 5);

    aircraft.DcNormBusPowered = 1;
    b.at(3);
    b.host.draw(kUsed1);
    EXPECT_EQ(b.host.value(FakeHost::element(kUsed1, kFirstDrum)), 0);
}

TEST(FuelUsed, ClockFaultsNeitherStopNorRaceTheCounter) {
    CounterBench b;
    b.at(5000);  // armed for 5000.25
    b.at(100);   // the flight was reloaded earlier in the day
    b.at(100.25);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter);

    b.at(kNaN);
    b.at(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter);

    b.host.set(kFlow1, kNaN);
    b.at(101);
    b.at(101.25);
    b.host.set(kFlow1, -14400);
    b.at(102);
    b.at(102.25);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed1, kQuarter);
}

TEST(FuelUsed, EachEngineHasItsOwnCounter) {
    CounterBench b;
    b.host.set(kFlow2, 28800);
    b.at(0, kUsed2);
    b.at(0.25, kUsed2);
    EXPECT_DOUBLE_EQ(aircraft.FuelUsed2, 2 * kQuarter);
    EXPECT_EQ(aircraft.FuelUsed1, 0);
}

}  // namespace
}  // namespace kadrimos::testing
