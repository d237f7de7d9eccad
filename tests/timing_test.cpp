// Deadlines on the host's clocks and the flash pattern.
#include "panel/timing.h"

#include <gtest/gtest.h>

#include <vector>

namespace kadrimos::timing {
namespace {

// A 27-tick deadline set at tick 100, then the clock at each row's tick.
TEST(Deadlines, DueFromTheirTimeOnAndSetAfreshWhenTheClockGoesBack) {
    struct Row {
        double now;
        bool due;
        const char* what;
    };
    const Row rows[] = {
        {100, false, "the tick it was set"},
        {100, false, "a clock that stands still"},
        {126, false, "one tick before"},
        {127, true, "on its time"},
        {5000, true, "a clock that jumped forward"},
    };
    Deadline d;
    set_for(d, 100, 27);
    for (const Row& r : rows) EXPECT_EQ(due(d, r.now), r.due) << r.what;

    // Back before the moment it was set: it waits its whole period again.
    set_for(d, 100, 27);
    EXPECT_FALSE(due(d, 40));
    EXPECT_FALSE(due(d, 66));
    EXPECT_TRUE(due(d, 67));
    EXPECT_FALSE(due(d, 65)) << "back again: 27 ticks from 65";
}

TEST(Deadlines, ClearedOrNeverSetTheyAreNeverDue) {
    Deadline d;
    EXPECT_FALSE(is_set(d));
    EXPECT_FALSE(due(d, 1e12));
    set_until(d, 10.5, 70);  // on a whole second
    EXPECT_TRUE(is_set(d));
    EXPECT_FALSE(due(d, 69.9));
    EXPECT_TRUE(due(d, 70));
    clear(d);
    EXPECT_FALSE(due(d, 70));
    set_for(d, 1e300, 1e290);  // no wrap however far off
    EXPECT_FALSE(due(d, 1e300));
    EXPECT_TRUE(due(d, 1e300 + 1e290));
}

// The lit ticks of a 20-tick flash started at tick 10, updated on `ticks`.
std::vector<double> lit_ticks(const std::vector<double>& ticks, FlashEnd end, bool* still_active) {
    Flash f;
    start(f, 10);
    std::vector<double> lit;
    for (double t : ticks)
        if (blink(f, t, 20, end)) lit.push_back(t);
    *still_active = f.active != 0;
    return lit;
}

TEST(FlashPattern, FourTicksOnFourTicksOffUntilItsLength) {
    std::vector<double> every_tick;
    for (double t = 10; t <= 40; ++t) every_tick.push_back(t);
    for (FlashEnd end : {FlashEnd::OnTheTick, FlashEnd::OnceReached}) {
        bool active = true;
        EXPECT_EQ(lit_ticks(every_tick, end, &active),
                  (std::vector<double>{10, 11, 12, 13, 18, 19, 20, 21, 26, 27, 28, 29}));
        EXPECT_FALSE(active) << "dark and over at tick 30";
    }
}

TEST(FlashPattern, ASkippedEndTickEndsOnlyAFlashThatEndsOnceReached) {
    const std::vector<double> skipping = {10, 20, 29, 31, 40};  // tick 30 is never seen
    bool active = false;
    EXPECT_EQ(lit_ticks(skipping, FlashEnd::OnceReached, &active), (std::vector<double>{10, 20, 29}));
    EXPECT_FALSE(active);
    EXPECT_EQ(lit_ticks(skipping, FlashEnd::OnTheTick, &active), (std::vector<double>{10, 20, 29, 31, 40}));
    EXPECT_TRUE(active) << "still blinking past its length";
}

TEST(FlashPattern, AStoppedFlashIsDark) {
    Flash f;
    EXPECT_FALSE(blink(f, 5, 20, FlashEnd::OnceReached)) << "never started";
    start(f, 5);
    EXPECT_TRUE(blink(f, 5, 20, FlashEnd::OnceReached));
    stop(f);
    EXPECT_FALSE(blink(f, 6, 20, FlashEnd::OnceReached));
}

}  // namespace
}  // namespace kadrimos::timing
