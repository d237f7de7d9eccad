// Lagging pointers: at, inside and beyond their capture bands, both ways.
#include "panel/pointers.h"

#include <gtest/gtest.h>

namespace kadrimos::pointer {
namespace {

struct Row {
    double value;
    double target;
    double expected;
};

// Step 2, capture 4 (the engine monitoring needles).
TEST(Pointers, ApproachStepsUntilWithinTheBandThenStandsOnTheTarget) {
    const Row rows[] = {
        {0, 10, 2},      // below the band: one step up
        {5.9, 10, 7.9},  // just below the band's lower edge
        {6, 10, 10},     // on the edge: on the target
        {9, 10, 10},     // inside
        {14, 10, 10},    // on the upper edge
        {14.1, 10, 12.1},
        {100, 10, 98},  // far above: one step down
        {10, 10, 10},
    };
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(approach(r.value, r.target, 2, 4), r.expected) << r.value;
}

// A band whose edges are sums of their own (b + 3 and b + 7 about b + 5):
// a pointer standing exactly on an edge is on the target, even where b + 5 - 2
// rounds to another number than b + 3.
TEST(Pointers, ApproachBandCapturesOnItsOwnEdges) {
    const double b = 0.1;
    ASSERT_NE(b + 5 - 2, b + 3) << "the case this band is for";
    const Row rows[] = {
        {b + 3, b + 5, b + 5},
        {b + 7, b + 5, b + 5},
        {2.9, b + 5, 4.9},
        {7.2, b + 5, 5.2},
    };
    for (const Row& r : rows)
        EXPECT_EQ(approach_band(r.value, b + 3, b + 7, r.target, 2), r.expected) << r.value;
}

// Step 500, capture 100 (the fuel quantity servo); and the capture of one
// step (the engine dials).
TEST(Pointers, RiseTowardLagsUpwardsOnlyAndMayPassTheTargetOnItsLastStep) {
    const Row rows[] = {
        {0, 1800, 500},
        {1500, 1800, 2000},  // short of the band: the step passes the target
        {1700, 1800, 1800},  // on the band's edge
        {2000, 1800, 1800},  // above the target: taken at once
        {5000, 0, 0},
    };
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(rise_toward(r.value, r.target, 500, 100), r.expected) << r.value;
    EXPECT_DOUBLE_EQ(rise_toward(8, 10, 2, 2), 10) << "a step short of the target is on it";
    EXPECT_DOUBLE_EQ(rise_toward(7.5, 10, 2, 2), 9.5);
}

TEST(Pointers, FallToZeroStepsDownAndStopsAtZero) {
    const Row rows[] = {{10, 0, 8}, {2.5, 0, 0.5}, {2, 0, 0}, {1, 0, 0}, {0, 0, 0}, {-3, 0, 0}};
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(fall_to_zero(r.value, 2), r.expected) << r.value;
}

}  // namespace
}  // namespace kadrimos::pointer
