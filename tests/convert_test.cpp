// Host doubles that would be undefined behaviour in a plain cast get a
// defined integer instead.
#include "panel/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace kadrimos {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CheckedConversion, NonNumbersAndOutOfRangeValuesSaturate) {
    EXPECT_EQ(to_integer<int32_t>(kNaN), 0);
    EXPECT_EQ(to_integer<int32_t>(kInf), INT32_MAX);
    EXPECT_EQ(to_integer<int32_t>(-kInf), INT32_MIN);
    EXPECT_EQ(to_integer<int32_t>(1e300), INT32_MAX);
    EXPECT_EQ(to_integer<int32_t>(-1e300), INT32_MIN);

    EXPECT_EQ(to_integer<uint32_t>(kNaN), 0u);
    EXPECT_EQ(to_integer<uint32_t>(kInf), UINT32_MAX);
    EXPECT_EQ(to_integer<uint32_t>(-kInf), 0u);
    EXPECT_EQ(to_integer<uint32_t>(1e300), UINT32_MAX);
    EXPECT_EQ(to_integer<uint32_t>(-1e300), 0u);
    EXPECT_EQ(to_integer<uint32_t>(-0.5), 0u);

    EXPECT_EQ(to_integer<uint8_t>(300.0), 255);
    EXPECT_EQ(to_integer<int16_t>(-40000.0), INT16_MIN);
}

TEST(CheckedConversion, InRangeValuesTruncateTowardZeroLikeACast) {
    EXPECT_EQ(to_integer<int32_t>(2.9), 2);
    EXPECT_EQ(to_integer<int32_t>(-2.9), -2);
    EXPECT_EQ(to_integer<int32_t>(-0.0), 0);
    EXPECT_EQ(to_integer<int32_t>(2147483646.7), 2147483646);
    EXPECT_EQ(to_integer<uint32_t>(4294967294.5), 4294967294u);
    EXPECT_EQ(to_integer<int32_t>(std::numeric_limits<double>::denorm_min()), 0);
}

TEST(CheckedConversion, FiniteOrReplacesOnlyNonNumbers) {
    EXPECT_EQ(finite_or(kNaN, 5.0), 5.0);
    EXPECT_EQ(finite_or(kInf, 5.0), 5.0);
    EXPECT_EQ(finite_or(-kInf, 5.0), 5.0);
    EXPECT_EQ(finite_or(1e300, 5.0), 1e300);
    EXPECT_EQ(finite_or(-3.5, 5.0), -3.5);
}

}  // namespace
}  // namespace kadrimos
