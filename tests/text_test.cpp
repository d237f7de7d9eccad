// Read-out text is the same on every platform, and never longer than the
// element's buffer.
#include "panel/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace kadrimos {
namespace {

std::string fixed(double value, int width, int precision, std::size_t capacity = 64) {
    char out[64];
    std::memset(out, '#', sizeof out);
    format_fixed(out, capacity, value, width, precision);
    return out;
}

TEST(FixedFormat, MatchesPrintfForOrdinaryValues) {
    EXPECT_EQ(fixed(0.0, 1, 6), "0.000000");
    EXPECT_EQ(fixed(3.25, 1, 6), "3.250000");
    EXPECT_EQ(fixed(-12.5, 1, 1), "-12.5");
    EXPECT_EQ(fixed(105.3, 3, 1), "105.3");
    EXPECT_EQ(fixed(0.96, 1, 1), "1.0");  // the fraction carries into the whole part
    EXPECT_EQ(fixed(99.96, 1, 1), "100.0");
    EXPECT_EQ(fixed(7.0, 4, 0), "   7");
    EXPECT_EQ(fixed(-0.0, 1, 2), "-0.00");
    EXPECT_EQ(fixed(4294967296.0, 1, 0), "4294967296");
}

TEST(FixedFormat, NonNumbersAndHugeValuesHaveDefinedText) {
    EXPECT_EQ(fixed(std::numeric_limits<double>::quiet_NaN(), 1, 6), "nan");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::quiet_NaN(), 1, 6), "nan");
    EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 1, 6), "inf");
    EXPECT_EQ(fixed(-std::numeric_limits<double>::infinity(), 5, 6), " -inf");
    EXPECT_EQ(fixed(1e300, 1, 6, 7), "100000");
    EXPECT_EQ(fixed(-1e300, 1, 6, 7), "-10000");
    EXPECT_EQ(fixed(1e20, 1, 0), "100000000000000000000");
    // The largest double prints all of its 309 digits into a large buffer.
    EXPECT_EQ(fixed(std::numeric_limits<double>::max(), 1, 0).size(), 63u);
}

TEST(FixedFormat, TextIsCutToTheBufferAndAlwaysTerminated) {
    EXPECT_EQ(fixed(123.456789, 1, 6, 7), "123.45");
    EXPECT_EQ(fixed(123.456789, 10, 2, 4), "   ");
    EXPECT_EQ(fixed(5.0, 1, 0, 1), "");
    char untouched[2] = {'x', 'y'};
    format_fixed(untouched, 0, 1.0, 1, 1);
    EXPECT_EQ(untouched[0], 'x');
    format_fixed(nullptr, 10, 1.0, 1, 1);  // ignored, no crash
}

TEST(FixedFormat, PrecisionIsLimitedToNineDecimals) {
    EXPECT_EQ(fixed(1.0, 1, 40), "1.000000000");
    EXPECT_EQ(fixed(1.6, 1, -3), "2");
}

}  // namespace
}  // namespace kadrimos
