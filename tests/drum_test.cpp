// Odometer drum windows, on both strip layouts.
#include "panel/drum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kadrimos::drum {
namespace {

TEST(DrumDigits, EachWindowReadsItsDigitBelowTheNextPlace) {
    EXPECT_DOUBLE_EQ(digit_value(12345, 10000), 1.2345);
    EXPECT_DOUBLE_EQ(digit_value(12345, 1000), 2.345);
    EXPECT_DOUBLE_EQ(digit_value(12345, 100), 3.45);
    EXPECT_DOUBLE_EQ(digit_value(12345, 10), 4.5);
    EXPECT_DOUBLE_EQ(digit_value(12345, 1), 5);
}

TEST(DrumDigits, BadValuesStayInsideTheWindow) {
    EXPECT_EQ(digit_value(std::numeric_limits<double>::quiet_NaN(), 100), 0);
    EXPECT_EQ(digit_value(std::numeric_limits<double>::infinity(), 1), 0);
    EXPECT_EQ(digit_value(-1.0, 1), 9);
    EXPECT_EQ(digit_value(-1e-300, 10), 0);  // a remainder a hair below 100 rounds up to it
    for (double v : {-1.0, -0.25, -12345.6, 1e17 + 3, 1e300, -1e300}) {
        for (double place : {1.0, 10.0, 1000.0}) {
            double d = digit_value(v, place);
            EXPECT_GE(d, 0) << v << " at " << place;
            EXPECT_LT(d, 10) << v << " at " << place;
        }
    }
}

TEST(AscendingDrum, StandsOnItsDigitUntilTheRollZone) {
    EXPECT_EQ(ascending_cell(3.0, kRollTenths), 3);
    EXPECT_EQ(ascending_cell(3.9, kRollTenths), 3);
    EXPECT_NEAR(ascending_cell(3.95, kRollTenths), 3.5, 1e-9);
    EXPECT_NEAR(ascending_cell(3.99999, kRollTenths), 4, 1e-3);
    EXPECT_EQ(ascending_cell(3.999, kRollThousandths), 3);
    EXPECT_NEAR(ascending_cell(3.9995, kRollThousandths), 3.5, 1e-6);
}

TEST(AscendingDrum, EveryWindowRollsWhileTheUnitsPassFromNineToZero) {
    const double d = 19999.5;
    EXPECT_NEAR(ascending_cell(digit_value(d, 10000), kRollTenThousandths), 1.5, 1e-6);
    EXPECT_NEAR(ascending_cell(digit_value(d, 1000), kRollThousandths), 9.5, 1e-6);
    EXPECT_NEAR(ascending_cell(digit_value(d, 100), kRollHundredths), 9.5, 1e-6);
    EXPECT_NEAR(ascending_cell(digit_value(d, 10), kRollTenths), 9.5, 1e-6);
    EXPECT_EQ(ascending_continuous(d), 9.5);
}

TEST(AscendingDrum, HigherWindowsStandStillWhileTheUnitsTurnBelowNine) {
    const double d = 19995;
    EXPECT_EQ(ascending_cell(digit_value(d, 10000), kRollTenThousandths), 1);
    EXPECT_EQ(ascending_cell(digit_value(d, 1000), kRollThousandths), 9);
    EXPECT_EQ(ascending_cell(digit_value(d, 100), kRollHundredths), 9);
    EXPECT_NEAR(ascending_cell(digit_value(d, 10), kRollTenths), 9, 1e-9);
    EXPECT_EQ(ascending_continuous(d), 5);
}

TEST(AscendingDrum, TheTopWindowWrapsPastNine) {
    EXPECT_EQ(ascending_cell(10.2, kRollTenThousandths), 0);
    EXPECT_EQ(ascending_cell(-0.5, kRollTenths), 9);  // a negative count reads as 9.5 below ten
}

TEST(DescendingDrum, AnN1Of99Point95RollsEveryWindow) {
    const double v = 99.95;
    EXPECT_NEAR(descending_cell(digit_value(v, 100), kRollThousandths), 9.5, 1e-6);  // 0 going to 1
    EXPECT_NEAR(descending_cell(digit_value(v, 10), kRollHundredths), 0.5, 1e-6);    // 9 going to 0
    EXPECT_NEAR(descending_cell(digit_value(v, 1), kRollTenths), 0.5, 1e-6);         // 9 going to 0
    EXPECT_NEAR(descending_continuous(10 * v), 0.5, 1e-6);                           // tenths 9.5
}

TEST(DescendingDrum, AnN1OfExactly100StandsStill) {
    const double v = 100.0;
    EXPECT_EQ(descending_cell(digit_value(v, 100), kRollThousandths), 9);  // digit 1
    EXPECT_EQ(descending_cell(digit_value(v, 10), kRollHundredths), 0);
    EXPECT_EQ(descending_cell(digit_value(v, 1), kRollTenths), 0);
    EXPECT_EQ(descending_continuous(10 * v), 10);  // the lower 0 cell
}

TEST(DescendingDrum, EveryDigitHasItsCell) {
    for (int d = 1; d <= 9; ++d) EXPECT_EQ(descending_cell(d + 0.5, kRollTenths), 10 - d) << d;
    EXPECT_EQ(descending_cell(0.5, kRollTenths), 0);
}

// The flight instruments' windows: x in the window's own unit.
TEST(FlightInstrumentDrum, RollingWindowsStandRollAndStandOnZeroPastTheLastFigure) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Row {
        double x;
        Roll roll;
        double cell;
    };
    const Row rows[] = {
        {0, kRollThousandths, 0},  // 0 stands at the top cell
        {0.999, kRollThousandths, 0},
        {0.9995, kRollThousandths, 9.5},  // half way from 0 to 1
        {3, kRollThousandths, 7},
        {3.99, kRollHundredths, 7},
        {3.995, kRollHundredths, 6.5},
        {3.9, kRollTenths, 7},
        {3.95, kRollTenths, 6.5},
        {9.999, kRollThousandths, 1},
        {9.9995, kRollThousandths, 0.5},  // half way from 9 to 0
        {9.9999, kRollThousandths, 0.1},  // the last point that rolls
        {9.99995, kRollThousandths, 0},   // past it: 0
        {9.99995, kRollTenThousandths, 0},
        {9.99985, kRollTenThousandths, 1},  // so the last foot before 100000 never rolls
        {3.99995, kRollTenThousandths, 6.5},
        {10, kRollThousandths, 0},
        {15, kRollThousandths, 0},  // a top window is not wrapped
        {1e9, kRollTenths, 0},
        {kInf, kRollTenths, 0},
        {-kInf, kRollTenths, 0},
        {std::numeric_limits<double>::quiet_NaN(), kRollTenths, 0},
    };
    for (const Row& r : rows) EXPECT_NEAR(descending_rolling(r.x, r.roll), r.cell, 1e-9) << r.x;
}

TEST(FlightInstrumentDrum, TheContinuousWindowShowsZeroOnTheTopCell) {
    struct Row {
        double x, cell;
    };
    for (const Row& r : {Row{0, 0}, Row{0.0005, 0}, Row{0.001, 9.999}, Row{0.5, 9.5}, Row{9.5, 0.5},
                         Row{10, 0}, Row{12.5, 7.5}})
        EXPECT_NEAR(descending_continuous_top(r.x), r.cell, 1e-12) << r.x;
    // The engine dials keep their bottom cell for 0.
    EXPECT_EQ(descending_continuous(0), 10);
}

// The positions a drum passes through from `from`, `steps` moves long.
template <typename Move>
std::vector<double> travel(double from, int steps, Move move) {
    std::vector<double> out;
    for (double v = from; steps-- > 0;) out.push_back(v = move(v));
    return out;
}

TEST(SteppingDrum, MovesAQuarterDigitADrawAndSnapsWithinAFifth) {
    auto to = [](int t) { return [t](double v) { return stepping_position(v, t); }; };
    // 1009 to 1010 millibars: the tens drum forward from 0 to 1.
    EXPECT_EQ(travel(0, 5, to(1)), (std::vector<double>{0.25, 0.5, 0.75, 1, 1}));
    // And back: 1 to 0.
    EXPECT_EQ(travel(1, 5, to(0)), (std::vector<double>{0.75, 0.5, 0.25, 0, 0}));
    EXPECT_EQ(stepping_position(4.85, 5), 5) << "within 0.2 below";
    EXPECT_EQ(stepping_position(5.15, 5), 5) << "within 0.2 above";
    // Exactly 0.2 away neither snaps nor steps: the bands are open. Quarter
    // steps from a digit or from 9.9 never land there.
    EXPECT_EQ(stepping_position(4.8, 5), 4.8);
}

TEST(SteppingDrum, TakesTheShortWayOverTheWrapBetweenNineAndZero) {
    auto to = [](int t) { return [t](double v) { return stepping_position(v, t); }; };
    EXPECT_EQ(travel(0, 5, to(9)), (std::vector<double>{9.9, 9.65, 9.4, 9.15, 9}));    // backward through 0
    EXPECT_EQ(travel(9, 6, to(0)), (std::vector<double>{9.25, 9.5, 9.75, 10, 0, 0}));  // forward through 9.9
    EXPECT_EQ(stepping_position(8.9, 0), 8.65) << "from 8.9 down the long way";
    EXPECT_EQ(stepping_position(std::numeric_limits<double>::quiet_NaN(), 3), 0.25);
    EXPECT_EQ(stepping_position(2, 42), 2.25) << "a target beyond 9 is 9";
}

TEST(DrumAnimator, StepsTowardItsStripPositionAndOverTheTopWhenBoundForIt) {
    auto to = [](double t, const Travel& strip) {
        return [t, &strip](double v) { return animated_position(v, t, strip); };
    };
    EXPECT_EQ(travel(0, 4, to(3, kTenPositions)), (std::vector<double>{0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(travel(3, 4, to(1, kTenPositions)), (std::vector<double>{2.75, 2.5, 2.25, 2}));
    // Bound for 9 (the digit 1) from 0: over the top, then down to it.
    EXPECT_EQ(travel(0, 5, to(9, kTenPositions)), (std::vector<double>{10, 9.75, 9.5, 9.25, 9}));
    // Bound for 0 from above 8.9: forward to 9.9, where it is 0.
    EXPECT_EQ(travel(9, 5, to(0, kTenPositions)), (std::vector<double>{9.25, 9.5, 9.75, 10, 0}));
    EXPECT_EQ(animated_position(5, 0, kTenPositions), 4.75) << "from below 8.9 down to 0";
    // The four-position hundreds strip of the heading window.
    EXPECT_EQ(travel(0, 5, to(3, kFourPositions)), (std::vector<double>{4, 3.75, 3.5, 3.25, 3}));
    EXPECT_EQ(travel(3, 4, to(0, kFourPositions)), (std::vector<double>{3.25, 3.5, 3.75, 4}));
    EXPECT_EQ(animated_position(4, 0, kFourPositions), 0);
}

}  // namespace
}  // namespace kadrimos::drum
