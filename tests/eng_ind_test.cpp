// The primary engine dials: needles that lag, drums that roll like an
// odometer, limit pointers, OFF flags, the N1 command index and the fuel
// flow units.
#include <gtest/gtest.h>

#include <limits>

#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kN1Left = "toskelin eng_ind_n1_1_rulo";
constexpr const char* kN1Right = "toskelin eng_ind_n1_2_rulo";
constexpr const char* kEgtLeft = "toskelin eng_ind_egt_1_rulo";
constexpr const char* kFfLeft = "toskelin eng_ind_ff_1_rulo";
constexpr const char* kN2Right = "toskelin eng_ind_n2_2_rulo";

constexpr uint32_t kN1Token1 = 624, kN1Token2 = 643, kN2Token2 = 644, kEgtToken1 = 631, kFfToken1 = 638,
                   kUnitsToken = 335;

// Elements of the N1 and N2 dials (the N2 dial has no index).
constexpr int kHundreds = 1, kTens = 2, kUnits = 3, kTenths = 4, kOffFlag = 5, kLimit = 6, kNeedle = 7,
              kIndex = 8;
// Elements of the EGT dial.
constexpr int kEgtHundreds = 1, kEgtTens = 2, kEgtUnits = 3, kEgtOff = 4, kEgtLimit = 5, kEgtNeedle = 6;
// Elements of the fuel flow dial.
constexpr int kPoundFace = 1, kFfThousands = 2, kKgHundreds = 3, kLbHundreds = 4, kFfTens = 5, kFfUnits = 6,
              kFfOff = 7, kKgNeedle = 8, kLbNeedle = 9;
// Mouse areas of the N1 dials.
constexpr std::size_t kIndexDown = 0, kIndexUp = 1;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Dials {
    FakeHost host;

    Dials() {
        aircraft.AcEssBusPowered = 1;
        aircraft.DcEssBusPowered = 1;
        aircraft.AcBus1Powered = 1;
        aircraft.AcBus2Powered = 1;
    }
    void run(const char* gauge, int updates = 1) {
        for (int i = 0; i < updates; ++i) host.update(gauge);
        host.draw(gauge);
    }
    double at(const char* gauge, int depth) const { return host.value(FakeHost::element(gauge, depth)); }
};

// --- Drums ---------------------------------------------------------------------

TEST(EngineDrums, JustBelowAHundredEveryWindowIsTurningOver) {
    Dials d;
    d.host.set(kN1Token1, 99.95);
    d.run(kN1Left);
    // Descending strips: the leading window rolls from its blank (cell 10)
    // towards the 1 (cell 9), the others from 9 (cell 1) towards 0 (cell 0).
    EXPECT_GT(d.at(kN1Left, kHundreds), 9);
    EXPECT_LT(d.at(kN1Left, kHundreds), 10);
    EXPECT_GT(d.at(kN1Left, kTens), 0);
    EXPECT_LT(d.at(kN1Left, kTens), 1);
    EXPECT_GT(d.at(kN1Left, kUnits), 0);
    EXPECT_LT(d.at(kN1Left, kUnits), 1);
    EXPECT_NEAR(d.at(kN1Left, kTenths), 0.5, 1e-6);
}

TEST(EngineDrums, AtExactlyAHundredTheDigitsStandStill) {
    Dials d;
    d.host.set(kN1Token1, 100.0);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kHundreds), 9) << "the 1";
    EXPECT_EQ(d.at(kN1Left, kTens), 0);
    EXPECT_EQ(d.at(kN1Left, kUnits), 0);
    EXPECT_EQ(d.at(kN1Left, kTenths), 10) << "the lower 0";
}

TEST(EngineDrums, TheLeadingDigitIsBlankBelowAHundred) {
    Dials d;
    d.host.set(kN1Token1, 42.0);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kHundreds), 0) << "blank";
    EXPECT_EQ(d.at(kN1Left, kTens), 6) << "the 4";
    EXPECT_EQ(d.at(kN1Left, kUnits), 8) << "the 2";
}

TEST(EngineDrums, EgtAtTheTopOfTheScaleReadsNineNineNine) {
    Dials d;
    d.host.set(kEgtToken1, 2150);
    d.run(kEgtLeft, 20);
    EXPECT_EQ(d.at(kEgtLeft, kEgtNeedle), 1000);
    EXPECT_EQ(d.at(kEgtLeft, kEgtLimit), 1000) << "pushed off the red line at 950";
    EXPECT_EQ(d.at(kEgtLeft, kEgtHundreds), 1) << "9";
    EXPECT_EQ(d.at(kEgtLeft, kEgtTens), 1) << "9";
    EXPECT_EQ(d.at(kEgtLeft, kEgtUnits), 1) << "9";
}

// --- Needles, power, limit pointers ---------------------------------------------

TEST(EngineNeedles, FollowByTheirStepAndSettleOnTheValue) {
    Dials d;
    d.host.set(kN1Token1, 12);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 5);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 10);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 12) << "within a step it lands on the value";
    d.host.set(kN1Token1, 3);
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 3) << "a falling value is followed at once";

    d.host.set(kEgtToken1, 215);
    d.run(kEgtLeft);
    EXPECT_EQ(d.at(kEgtLeft, kEgtNeedle), 50);
}

TEST(EngineNeedles, WithoutPowerTheNeedleSinksTheFlagDropsAndTheDrumFreezes) {
    Dials d;
    d.host.set(kN2Token2, 80);
    d.run(kN2Right, 16);
    EXPECT_EQ(d.at(kN2Right, kNeedle), 80);
    EXPECT_FALSE(FakeHost::visible(kN2Right, kOffFlag));
    const double tens = d.at(kN2Right, kTens);

    aircraft.AcBus2Powered = 0;
    d.host.set(kN2Token2, 20);
    d.run(kN2Right);
    EXPECT_EQ(d.at(kN2Right, kNeedle), 75);
    EXPECT_TRUE(FakeHost::visible(kN2Right, kOffFlag));
    EXPECT_EQ(d.at(kN2Right, kTens), tens) << "the drum keeps its last powered reading";
    d.run(kN2Right, 20);
    EXPECT_EQ(d.at(kN2Right, kNeedle), 0);

    aircraft.AcBus2Powered = 1;
    d.run(kN2Right);
    EXPECT_FALSE(FakeHost::visible(kN2Right, kOffFlag));
    EXPECT_EQ(d.at(kN2Right, kTens), 8) << "the 2";
}

TEST(EngineNeedles, AnN1DialNeedsBothEssentialBuses) {
    Dials d;
    aircraft.DcEssBusPowered = 0;
    d.run(kN1Left);
    EXPECT_TRUE(FakeHost::visible(kN1Left, kOffFlag));
    aircraft.DcEssBusPowered = 1;
    aircraft.AcEssBusPowered = 0;
    d.run(kN1Left);
    EXPECT_TRUE(FakeHost::visible(kN1Left, kOffFlag));
    d.run(kEgtLeft);
    EXPECT_TRUE(FakeHost::visible(kEgtLeft, kEgtOff));
}

TEST(EngineLimitPointers, AnExceedancePushesThePointerWhichNeverFalls) {
    Dials d;
    d.host.set(kN1Token1, 100);
    d.run(kN1Left, 25);
    EXPECT_EQ(d.at(kN1Left, kLimit), 118) << "on the red line";
    d.host.set(kN1Token1, 119);
    d.run(kN1Left, 3);
    EXPECT_EQ(d.at(kN1Left, kLimit), 118) << "the needle is still on its way";
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kLimit), 119);
    d.host.set(kN1Token1, 60);
    d.run(kN1Left);
    aircraft.AcEssBusPowered = 0;
    d.run(kN1Left, 30);
    EXPECT_EQ(d.at(kN1Left, kLimit), 119);

    d.host.set(kN1Token1, 250);
    aircraft.AcEssBusPowered = 1;
    d.run(kN1Left, 60);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 120) << "needle clamped to its scale";
    EXPECT_EQ(d.at(kN1Left, kLimit), 120) << "pointer clamped to its scale";
}

// --- N1 command index -----------------------------------------------------------

TEST(N1Index, TheKnobsStepTheIndexWithinItsScaleAndPublishIt) {
    Dials d;
    d.host.click(kN1Right, kIndexUp);
    d.run(kN1Left);
    d.run(kN1Right);
    EXPECT_EQ(aircraft.N1IndexValue, 101u);
    EXPECT_EQ(aircraft.N1IndexManual, 101.0);
    EXPECT_EQ(d.at(kN1Right, kIndex), 101) << "one index on both dials";
    for (int i = 0; i < 30; ++i) d.host.click(kN1Left, kIndexUp);
    EXPECT_EQ(aircraft.N1IndexValue, 120u);
    aircraft.N1IndexValue = 1;
    d.host.click(kN1Left, kIndexDown);
    d.host.click(kN1Left, kIndexDown);
    EXPECT_EQ(aircraft.N1IndexValue, 0u);
}

TEST(N1Index, WhileCoupledTheEngineOneDialResetsItFromTheComputer) {
    Dials d;
    aircraft.TrcMode = 1;
    aircraft.TrcN1Target = 95.7;
    d.run(kN1Left);
    EXPECT_EQ(aircraft.N1IndexValue, 95u);
    EXPECT_EQ(aircraft.N1IndexManual, 100.0) << "the manual setting is kept for later";

    d.host.click(kN1Left, kIndexUp);
    EXPECT_EQ(aircraft.N1IndexValue, 95u) << "the engine 1 knob is locked";
    d.host.click(kN1Right, kIndexUp);
    d.run(kN1Right);
    EXPECT_EQ(aircraft.N1IndexValue, 96u) << "the engine 2 knob is not";
    d.run(kN1Left);
    EXPECT_EQ(aircraft.N1IndexValue, 95u);

    aircraft.AcEssBusPowered = 0;
    aircraft.TrcN1Target = 90;
    d.run(kN1Left);
    EXPECT_EQ(aircraft.N1IndexValue, 95u) << "an unpowered dial leaves the index alone";
}

// --- Fuel flow -------------------------------------------------------------------

TEST(FuelFlow, TheHostsUnitSystemChoosesFaceNeedleAndDrum) {
    Dials d;
    d.host.set(kFfToken1, 5000);
    d.host.set(kUnitsToken, 1);
    d.run(kFfLeft, 10);
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kPoundFace));
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kKgHundreds));
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kLbHundreds));
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kKgNeedle));
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kLbNeedle));
    EXPECT_DOUBLE_EQ(d.at(kFfLeft, kKgNeedle), 5000 * 0.453);
    EXPECT_DOUBLE_EQ(aircraft.FuelFlow1Display, 5000 * 0.453);
    EXPECT_EQ(d.at(kFfLeft, kFfThousands), 8) << "the 2 of 2265";

    d.host.set(kUnitsToken, 0);
    d.run(kFfLeft);
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kPoundFace));
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kKgHundreds));
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kLbHundreds));
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kKgNeedle));
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kLbNeedle));
    EXPECT_DOUBLE_EQ(aircraft.FuelFlow1Display, 500) << "tens of pounds";
    EXPECT_EQ(d.at(kFfLeft, kFfThousands), 0) << "blank";
    EXPECT_EQ(d.at(kFfLeft, kLbHundreds), 5);
    EXPECT_EQ(d.at(kFfLeft, kFfTens), 0);
    EXPECT_EQ(d.at(kFfLeft, kFfUnits), 10);
    EXPECT_FALSE(FakeHost::visible(kFfLeft, kFfOff));
}

TEST(FuelFlow, EachNeedleClampsOnlyInItsOwnUnits) {
    Dials d;
    d.host.set(kFfToken1, 20000);
    d.host.set(kUnitsToken, 0);
    d.run(kFfLeft, 45);
    EXPECT_EQ(d.at(kFfLeft, kLbNeedle), 20000);
    EXPECT_EQ(d.at(kFfLeft, kKgNeedle), 20000) << "the hidden kg needle must not cut it to 10000";
    d.run(kFfLeft);
    EXPECT_EQ(d.at(kFfLeft, kLbNeedle), 20000);
    EXPECT_EQ(aircraft.FuelFlow1Display, 2000);

    d.host.set(kFfToken1, 40000);
    d.run(kFfLeft, 45);
    EXPECT_EQ(d.at(kFfLeft, kLbNeedle), 25000);
    EXPECT_EQ(aircraft.FuelFlow1Display, 4000);
}

// --- Broken host values ----------------------------------------------------------

TEST(EngineDials, ValuesThatAreNotNumbersReadAsZero) {
    Dials d;
    d.host.set(kN1Token1, 50);
    d.run(kN1Left, 10);
    d.host.set(kN1Token1, kNaN);
    aircraft.TrcMode = 1;
    aircraft.TrcN1Target = kNaN;
    d.run(kN1Left);
    EXPECT_EQ(d.at(kN1Left, kNeedle), 0);
    EXPECT_EQ(d.at(kN1Left, kTenths), 10);
    EXPECT_EQ(aircraft.N1IndexValue, 0u);

    d.host.set(kN1Token2, std::numeric_limits<double>::infinity());
    d.run(kN1Right);
    EXPECT_EQ(d.at(kN1Right, kNeedle), 0);

    d.host.set(kFfToken1, 1000);
    d.host.set(kUnitsToken, kNaN);
    d.run(kFfLeft);
    EXPECT_TRUE(FakeHost::visible(kFfLeft, kKgNeedle)) << "any unit value but 0 is kilograms";
}

}  // namespace
}  // namespace kadrimos::testing
