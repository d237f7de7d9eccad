// The simulated host's radio stack: each tuning event turns its digit as a
// real radio's knob does, wrapping at the band's ends, in the simulator's
// encoding of each frequency and code.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>

#include "radio_stack.h"

namespace kadrimos::host_sim::radio_stack {
namespace {

TEST(RadioStack, NavKnobsTurnTheirDigitsAndWrapAtTheBandsEnds) {
    struct Row {
        uint32_t event;
        double before;  // BCD, without the leading 1
        uint32_t after;
    };
    const Row rows[] = {
        {65641, 0x1030, 0x1130},  // NAV 1 whole up: 110.30 -> 111.30
        {65641, 0x1795, 0x0895},  // 117.95 -> 108.95: MHz round again
        {65640, 0x0800, 0x1700},  // whole down: 108.00 -> 117.00
        {65643, 0x1030, 0x1035},  // fractional up: .30 -> .35
        {65643, 0x1095, 0x1000},  // .95 -> .00, the MHz left alone
        {65642, 0x0800, 0x0895},  // fractional down: 108.00 -> 108.95
        {65642, 0x1795, 0x1790},
        {65641, 0, 0x0900},  // never tuned: from 108.00
        {65643, std::numeric_limits<double>::quiet_NaN(), 0x0805},
    };
    for (const Row& r : rows) {
        for (uint32_t receiver : {0u, 4u}) {  // NAV 2's events are NAV 1's plus 4
            std::map<uint32_t, double> vars = {{kTokenNav1, r.before}, {kTokenNav2, r.before}};
            std::map<std::string, double> calc;
            ASSERT_TRUE(answer(r.event + receiver, vars, calc));
            const uint32_t tuned = receiver == 0 ? kTokenNav1 : kTokenNav2;
            const uint32_t other = receiver == 0 ? kTokenNav2 : kTokenNav1;
            EXPECT_EQ(static_cast<uint32_t>(vars[tuned]), r.after) << std::hex << r.event + receiver;
            EXPECT_TRUE(vars[other] == r.before || (vars[other] != vars[other] && r.before != r.before))
                << "the other receiver is left alone";
        }
    }
}

TEST(RadioStack, AdfKnobsTurnOneDigitAndTheTenthsCarryAndWrap) {
    struct Row {
        uint32_t event;
        double before_khz, after_khz;
    };
    const Row rows[] = {
        {65648, 415.0, 515.0},                          // hundreds up
        {65648, 1715.5, 115.5},                         // hundreds 17 -> 1
        {65666, 115.0, 1715.0},                         // hundreds 1 -> 17
        {65649, 495.0, 405.0},                          // tens 9 -> 0 without carry
        {65667, 405.0, 495.0},  {65650, 419.0, 410.0},  // units 9 -> 0 without carry
        {65668, 410.0, 419.0},  {66462, 415.9, 416.0},  // tenths up carries
        {66462, 1799.9, 100.0},                         // the top of the band wraps to its bottom
        {66461, 100.0, 1799.9}, {66461, 416.0, 415.9}, {65650, 0.0, 101.0},  // never tuned: from 100.0
        {65648, 1850.0, 199.9},  // above the band: from its top, 1799.9, then 17 -> 1 hundreds
    };
    for (const Row& r : rows) {
        std::map<uint32_t, double> vars;
        std::map<std::string, double> calc = {{kAdf1Expression, r.before_khz},
                                              {kAdf2Expression, r.before_khz}};
        ASSERT_TRUE(answer(r.event, vars, calc));
        EXPECT_NEAR(calc[kAdf1Expression], r.after_khz, 1e-9) << r.event << " from " << r.before_khz;
        EXPECT_EQ(calc[kAdf2Expression], r.before_khz) << "ADF 2 is left alone";
    }
    // ADF 2's events turn ADF 2 only.
    std::map<uint32_t, double> vars;
    std::map<std::string, double> calc = {{kAdf1Expression, 415.0}, {kAdf2Expression, 415.0}};
    for (uint32_t e : {66544u, 66545u, 66546u, 66554u}) ASSERT_TRUE(answer(e, vars, calc));
    EXPECT_NEAR(calc[kAdf2Expression], 526.1, 1e-9);
    EXPECT_EQ(calc[kAdf1Expression], 415.0);
}

TEST(RadioStack, TransponderDigitsGoRound0To7WithoutCarry) {
    struct Row {
        uint32_t event;
        uint32_t before, after;
    };
    const Row rows[] = {
        {65651, 0x7700, 0x0700},  // thousands 7 -> 0
        {65654, 0x1237, 0x1230},  // units 7 -> 0, the tens left alone
        {66458, 0x1230, 0x1237},  // units 0 -> 7
        {66455, 0x0000, 0x7000}, {65652, 0x1200, 0x1300}, {66456, 0x1200, 0x1100},
        {65653, 0x1200, 0x1210}, {66457, 0x1200, 0x1270},
    };
    for (const Row& r : rows) {
        std::map<uint32_t, double> vars = {{kTokenTransponder, static_cast<double>(r.before)}};
        std::map<std::string, double> calc;
        ASSERT_TRUE(answer(r.event, vars, calc));
        EXPECT_EQ(static_cast<uint32_t>(vars[kTokenTransponder]), r.after) << std::hex << r.before;
    }
}

TEST(RadioStack, OtherEventsAreNotItsOwn) {
    std::map<uint32_t, double> vars;
    std::map<std::string, double> calc;
    for (uint32_t e : {65536u, 65639u, 65655u, 65665u, 65669u, 66459u, 66543u, 66556u, 0x103CBu})
        EXPECT_FALSE(answer(e, vars, calc)) << e;
    EXPECT_TRUE(vars.empty());
    EXPECT_TRUE(calc.empty());
}

}  // namespace
}  // namespace kadrimos::host_sim::radio_stack
