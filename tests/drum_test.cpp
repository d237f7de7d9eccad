// Odometer drum windows, on both strip layouts.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "panel/drum.h"

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
    EXPECT_NEAR(descending_continuous(10 * v), 0.5, 1e-6);                            // tenths 9.5
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

}  // namespace
}  // namespace kadrimos::drum
