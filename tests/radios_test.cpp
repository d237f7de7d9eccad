// The radio control heads: the navigation receivers' drums and knobs, the
// marker lights and their test, the ADF head's digits, knobs and test
// request, the transponder's octal drums, and each without power.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kNav = "toskelin radio_nav_rulo";
constexpr const char* kOmi = "toskelin omi_rulo";
constexpr const char* kAdf = "toskelin radio_adf1_rulo";
constexpr const char* kTsp = "toskelin radio_tsp_rulo";
constexpr uint32_t kNav1Freq = 24, kNav2Freq = 27, kCode = 38, kMarker = 354, kTicks = 1;
constexpr const char* kAdf1Freq = "(A:Adf active frequency:1,Kilohertz)";
constexpr const char* kAdf2Freq = "(A:Adf active frequency:2,Kilohertz)";

// Updates and draws a gauge `times` times; enough for any drum to settle.
void serve(FakeHost& host, const char* gauge, int times = 60) {
    for (int i = 0; i < times; ++i) {
        host.update(gauge);
        host.draw(gauge);
    }
}

double drawn(const FakeHost& host, const char* gauge, const char* label) {
    return host.value(FakeHost::element(gauge, label));
}

std::vector<double> drums(const FakeHost& host, const char* gauge, const std::vector<std::string>& labels) {
    std::vector<double> out;
    for (const std::string& l : labels) out.push_back(host.value(FakeHost::element(gauge, l)));
    return out;
}

const std::vector<std::string> kNav1Drums = {"NAV 1 hundreds drum", "NAV 1 tens drum", "NAV 1 units drum",
                                             "NAV 1 tenths drum", "NAV 1 hundredths drum"};
const std::vector<std::string> kNav2Drums = {"NAV 2 hundreds drum", "NAV 2 tens drum", "NAV 2 units drum",
                                             "NAV 2 tenths drum", "NAV 2 hundredths drum"};

// --- Navigation receivers ----------------------------------------------------------

TEST(NavHead, DrumsSettleOnTheDigitsOfEachReceiversFrequency) {
    struct Row {
        uint32_t bcd;
        std::vector<double> positions;  // hundreds, tens, units, tenths, hundredths position
    };
    const Row rows[] = {
        {0x0805, {1, 0, 8, 0, 2}},  // 108.05: hundredths 5 at position 2
        {0x1795, {1, 1, 7, 9, 2}},  // 117.95
        {0x1030, {1, 1, 0, 3, 0}},  // 110.30
        {0x0912, {1, 0, 9, 1, 1}},  // a 2 in the hundredths at position 1
        {0x0917, {1, 0, 9, 1, 3}},  // a 7 at position 3
        {0x0913, {1, 0, 9, 1, 0}},  // any other hundredths digit at 0
    };
    for (const Row& r : rows) {
        FakeHost host;
        aircraft.DcEssBusPowered = 1;
        host.set_bits(kNav1Freq, r.bcd);
        host.set_bits(kNav2Freq, 0x1350);  // 113.50 on the other receiver
        serve(host, kNav);
        EXPECT_EQ(drums(host, kNav, kNav1Drums), r.positions) << std::hex << r.bcd;
        EXPECT_EQ(drums(host, kNav, kNav2Drums), (std::vector<double>{1, 1, 3, 5, 0})) << std::hex << r.bcd;
    }
}

TEST(NavHead, OneMegahertzUpFrom109StepsTheTensUpAndTheUnitsForwardOverTheWrap) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    host.set_bits(kNav1Freq, 0x0900);
    serve(host, kNav);
    host.set_bits(kNav1Freq, 0x1000);
    std::vector<double> tens, units;
    for (int i = 0; i < 6; ++i) {
        serve(host, kNav, 1);
        tens.push_back(drawn(host, kNav, "NAV 1 tens drum"));
        units.push_back(drawn(host, kNav, "NAV 1 units drum"));
    }
    EXPECT_EQ(tens, (std::vector<double>{0.25, 0.5, 0.75, 1, 1, 1}));
    EXPECT_EQ(units, (std::vector<double>{9.25, 9.5, 9.75, 10, 0, 0}));
}

TEST(NavHead, SelectorShowsOneReceiverAndChoosesTheEventsOfLaterClicks) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    serve(host, kNav, 1);
    EXPECT_TRUE(FakeHost::visible(kNav, "NAV 1 indicator"));
    EXPECT_FALSE(FakeHost::visible(kNav, "NAV 2 tens drum"));

    struct Step {
        const char* area;
        uint32_t event;  // 0: none
    };
    const Step steps[] = {
        {"NAV whole MHz down", 65640},
        {"NAV whole MHz up", 65641},
        {"NAV fractional MHz down", 65642},
        {"NAV fractional MHz up", 65643},
        {"NAV selector", 0},
        {"NAV whole MHz down", 65644},
        {"NAV whole MHz up", 65645},
        {"NAV fractional MHz down", 65646},
        {"NAV fractional MHz up", 65647},
        {"NAV selector", 0},
        {"NAV whole MHz up", 65641},
    };
    for (const Step& s : steps) {
        host.clear_logs();
        host.click(kNav, s.area);
        if (s.event == 0) {
            EXPECT_TRUE(host.events().empty()) << s.area;
        } else {
            ASSERT_EQ(host.events().size(), 1u) << s.area;
            EXPECT_EQ(host.events()[0].id, s.event) << s.area;
            EXPECT_EQ(host.events()[0].value, 0u) << s.area;
        }
    }
    host.click(kNav, "NAV selector");
    serve(host, kNav, 1);
    EXPECT_FALSE(FakeHost::visible(kNav, "NAV 1 indicator"));
    EXPECT_TRUE(FakeHost::visible(kNav, "NAV 2 indicator"));
    EXPECT_FALSE(FakeHost::visible(kNav, "NAV 1 tens drum"));
    EXPECT_TRUE(FakeHost::visible(kNav, "NAV 2 tens drum"));
}

// Each call the host makes while a knob is held is one more step: the knob
// areas ask to be called again while held, and each call sends its event.
TEST(NavHead, KnobsRepeatWhileHeldAndTheirPointersWrapRoundSixteenPositions) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    const GAUGEHDR& g = FakeHost::gauge(kNav);
    for (const char* area :
         {"NAV whole MHz down", "NAV whole MHz up", "NAV fractional MHz down", "NAV fractional MHz up"})
        EXPECT_EQ(g.mouse_rect[1 + FakeHost::area_of(kNav, area)].mouse_flags, 0x20200000u) << area;
    EXPECT_EQ(g.mouse_rect[1 + FakeHost::area_of(kNav, "NAV selector")].mouse_flags, 0x20000000u);

    serve(host, kNav, 1);
    EXPECT_EQ(drawn(host, kNav, "NAV whole MHz knob pointer"), 4);
    for (int i = 0; i < 5; ++i) host.click(kNav, "NAV whole MHz down");  // held: 4, 3, 2, 1, 0, 15
    EXPECT_EQ(host.count(65640), 5u);
    serve(host, kNav, 1);
    EXPECT_EQ(drawn(host, kNav, "NAV whole MHz knob pointer"), 15);
    host.click(kNav, "NAV whole MHz up");
    serve(host, kNav, 1);
    EXPECT_EQ(drawn(host, kNav, "NAV whole MHz knob pointer"), 0);
    // The selector changes the events, not the pointers.
    host.click(kNav, "NAV selector");
    for (int i = 0; i < 12; ++i) host.click(kNav, "NAV fractional MHz up");  // 4 + 12 = 16: 0
    serve(host, kNav, 1);
    EXPECT_EQ(host.count(65647), 12u);
    EXPECT_EQ(drawn(host, kNav, "NAV whole MHz knob pointer"), 0);
    EXPECT_EQ(drawn(host, kNav, "NAV fractional MHz knob pointer"), 0);
}

TEST(NavHead, WithoutTheDcEssentialBusTheDrumsStayOnTheLastFrequenciesButTheKnobsStillTune) {
    FakeHost host;
    aircraft.DcEssBusPowered = 1;
    host.set_bits(kNav1Freq, 0x0990);
    serve(host, kNav);
    aircraft.DcEssBusPowered = 0;
    host.set_bits(kNav1Freq, 0x1550);
    serve(host, kNav);
    EXPECT_EQ(drums(host, kNav, kNav1Drums), (std::vector<double>{1, 0, 9, 9, 0}));
    host.click(kNav, "NAV whole MHz up");
    EXPECT_TRUE(host.sent(65641));
    aircraft.DcEssBusPowered = 1;
    serve(host, kNav);
    EXPECT_EQ(drums(host, kNav, kNav1Drums), (std::vector<double>{1, 1, 5, 5, 0}));
}

// --- Marker lights -------------------------------------------------------------------

std::string lit(const char*) {
    std::string s;
    for (const char* l : {"OM light", "MM light", "IM light"})
        if (FakeHost::visible(kOmi, l)) s += std::string(l).substr(0, 2);
    return s.empty() ? "-" : s;
}

TEST(MarkerLights, FollowTheReceivedBeaconOnlyWithTheDcNormalBus) {
    struct Row {
        uint32_t marker;
        uint8_t powered;
        const char* lights;
    };
    const Row rows[] = {
        {0, 1, "-"}, {1, 1, "OM"},         {2, 1, "MM"}, {3, 1, "IM"},
        {4, 1, "-"}, {0xFFFFFFFF, 1, "-"}, {1, 0, "-"},  {3, 0, "-"},
    };
    for (const Row& r : rows) {
        FakeHost host;
        aircraft.DcNormBusPowered = r.powered;
        host.set_bits(kMarker, r.marker);
        host.update(kOmi);
        EXPECT_EQ(lit(kOmi), r.lights) << r.marker << " powered " << int(r.powered);
    }
}

// The test: inner 25 ticks, middle 25, outer 18, each tone at its start,
// the next step on the update its predecessor ends; the beacon is ignored.
TEST(MarkerLights, TestLightsInnerMiddleOuterInTurnWithTheirTones) {
    FakeHost host;
    host.load_sounds();
    aircraft.DcNormBusPowered = 1;
    host.set_bits(kMarker, 1);
    host.set(kTicks, 100);
    host.update(kOmi);
    host.click(kOmi, "MKR TEST button");
    std::string timeline;
    std::string last;
    for (int tick = 100; tick <= 172; ++tick) {
        host.set(kTicks, tick);
        if (tick == 110) host.click(kOmi, "MKR TEST button");  // during the test: nothing
        host.update(kOmi);
        const std::string now = lit(kOmi);
        if (now != last) timeline += std::to_string(tick) + ":" + now + " ";
        last = now;
    }
    EXPECT_EQ(timeline, "100:IM 125:MM 150:OM 168:- 169:OM ");
    // The tones are heard through the sound card's substitute; the Windows
    // build plays them through DirectSound.
    if (FakeHost::kHearsSounds) {
        EXPECT_EQ(host.plays("INNER"), 1u);
        EXPECT_EQ(host.plays("MIDDLE"), 1u);
        EXPECT_EQ(host.plays("OUTER"), 1u);
    }
}

TEST(MarkerLights, LosingTheDcNormalBusAbortsTheTestAndNoTestStartsWithoutIt) {
    FakeHost host;
    aircraft.DcNormBusPowered = 1;
    host.set(kTicks, 10);
    host.click(kOmi, "MKR TEST button");
    host.update(kOmi);
    EXPECT_EQ(lit(kOmi), "IM");
    aircraft.DcNormBusPowered = 0;
    host.update(kOmi);
    EXPECT_EQ(lit(kOmi), "-");
    host.click(kOmi, "MKR TEST button");
    aircraft.DcNormBusPowered = 1;
    host.set(kTicks, 11);
    host.update(kOmi);
    EXPECT_EQ(lit(kOmi), "-") << "the aborted test does not resume, the unpowered press did nothing";
}

// --- ADF ------------------------------------------------------------------------------

const std::vector<std::string> kAdfDrums = {"ADF thousands drum", "ADF hundreds drum", "ADF tens drum",
                                            "ADF units drum", "ADF tenths drum"};

TEST(AdfHead, DrumsShowTheFrequencyToTheNearestTenth) {
    struct Row {
        double khz;
        std::vector<double> digits;
    };
    const Row rows[] = {
        {1234.5, {1, 2, 3, 4, 5}},
        {415, {0, 4, 1, 5, 0}},
        {415.29999999999995, {0, 4, 1, 5, 3}},  // 415.3 as the simulator holds it
        {415.3, {0, 4, 1, 5, 3}},
        {1799.96, {1, 8, 0, 0, 0}},  // rounds up into the next hundred
        {190, {0, 1, 9, 0, 0}},
        {std::numeric_limits<double>::quiet_NaN(), {0, 0, 0, 0, 0}},
        {-5, {0, 0, 0, 0, 0}},
    };
    for (const Row& r : rows) {
        FakeHost host;
        host.set_calculator(kAdf1Freq, r.khz);
        serve(host, kAdf);
        EXPECT_EQ(drums(host, kAdf, kAdfDrums), r.digits) << r.khz;
    }
}

TEST(AdfHead, SelectorSwapsReceiversAndTheDrumsStepToTheOther) {
    FakeHost host;
    host.set_calculator(kAdf1Freq, 415);
    host.set_calculator(kAdf2Freq, 425);
    serve(host, kAdf);
    EXPECT_TRUE(FakeHost::visible(kAdf, "ADF 1 picture"));
    EXPECT_FALSE(FakeHost::visible(kAdf, "ADF 2 picture"));
    host.click(kAdf, "ADF selector");
    serve(host, kAdf, 1);
    EXPECT_FALSE(FakeHost::visible(kAdf, "ADF 1 picture"));
    EXPECT_TRUE(FakeHost::visible(kAdf, "ADF 2 picture"));
    EXPECT_EQ(drawn(host, kAdf, "ADF tens drum"), 1.25) << "a quarter a draw toward 2";
    serve(host, kAdf);
    EXPECT_EQ(drums(host, kAdf, kAdfDrums), (std::vector<double>{0, 4, 2, 5, 0}));
    host.click(kAdf, "ADF selector");
    serve(host, kAdf);
    EXPECT_EQ(drums(host, kAdf, kAdfDrums), (std::vector<double>{0, 4, 1, 5, 0}));
}

TEST(AdfHead, KnobsSendTheSelectedReceiversEventsAndFineTurnsTheUnitsKnobIntoTenths) {
    struct Row {
        const char* area;
        uint32_t adf1, adf2, adf1_fine, adf2_fine;
    };
    const Row rows[] = {
        {"ADF hundreds up", 65648, 66544, 65648, 66544}, {"ADF hundreds down", 65666, 66548, 65666, 66548},
        {"ADF tens up", 65649, 66545, 65649, 66545},     {"ADF tens down", 65667, 66549, 65667, 66549},
        {"ADF units up", 65650, 66546, 66462, 66554},    {"ADF units down", 65668, 66550, 66461, 66555},
    };
    for (const Row& r : rows) {
        FakeHost host;
        const uint32_t expected[] = {r.adf1, r.adf2, r.adf2_fine, r.adf1_fine};
        const char* before[] = {nullptr, "ADF selector", "ADF FINE button", "ADF selector"};
        for (int k = 0; k < 4; ++k) {
            if (before[k] != nullptr) host.click(kAdf, before[k]);
            host.clear_logs();
            host.click(kAdf, r.area);
            ASSERT_EQ(host.events().size(), 1u) << r.area << " " << k;
            EXPECT_EQ(host.events()[0].id, expected[k]) << r.area << " " << k;
        }
        EXPECT_EQ(FakeHost::gauge(kAdf).mouse_rect[1 + FakeHost::area_of(kAdf, r.area)].mouse_flags,
                  0x20200000u);
    }
}

TEST(AdfHead, TestRequestNeedsOneOfTheIndicatorsSupplies) {
    struct Row {
        uint8_t ac_ess_norm, dc_norm, request;
    };
    const Row rows[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
    for (const Row& r : rows) {
        FakeHost host;
        aircraft.AcEssNormPowered = r.ac_ess_norm;
        aircraft.DcNormBusPowered = r.dc_norm;
        host.click(kAdf, "ADF TEST button");
        EXPECT_EQ(aircraft.AdfTestRequest, r.request) << int(r.ac_ess_norm) << int(r.dc_norm);
    }
}

// --- Transponder ----------------------------------------------------------------------

const std::vector<std::string> kTspDrums = {"XPDR thousands drum", "XPDR hundreds drum", "XPDR tens drum",
                                            "XPDR units drum"};

TEST(Transponder, DrumsShowTheOctalCodeAndPassBetween7And0OverTheWrap) {
    FakeHost host;
    host.set_bits(kCode, 0x7700);
    serve(host, kTsp);
    EXPECT_EQ(drums(host, kTsp, kTspDrums), (std::vector<double>{7, 7, 0, 0}));

    host.set_bits(kCode, 0x0707);  // thousands 7 to 0 forward, units 0 to 7 back over the wrap
    std::vector<double> thousands, units;
    for (int i = 0; i < 6; ++i) {
        serve(host, kTsp, 1);
        thousands.push_back(drawn(host, kTsp, "XPDR thousands drum"));
        units.push_back(drawn(host, kTsp, "XPDR units drum"));
    }
    EXPECT_EQ(thousands, (std::vector<double>{7.25, 7.5, 7.75, 8, 0, 0}));
    const double expected_units[] = {7.9, 7.65, 7.4, 7.15, 7, 7};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(units[i], expected_units[i], 1e-9) << i;

    host.set_bits(kCode, 0x9999);  // no octal digit: the drums stop on 7
    serve(host, kTsp);
    EXPECT_EQ(drums(host, kTsp, kTspDrums), (std::vector<double>{7, 7, 7, 7}));
}

TEST(Transponder, EachKnobHalfSendsItsDigitsEventWhateverThePower) {
    struct Row {
        const char* area;
        uint32_t event;
    };
    const Row rows[] = {
        {"XPDR thousands up", 65651},  {"XPDR thousands down", 66455}, {"XPDR hundreds up", 65652},
        {"XPDR hundreds down", 66456}, {"XPDR tens up", 65653},        {"XPDR tens down", 66457},
        {"XPDR units up", 65654},      {"XPDR units down", 66458},
    };
    for (const Row& r : rows) {
        FakeHost host;
        host.click(kTsp, r.area);
        ASSERT_EQ(host.events().size(), 1u) << r.area;
        EXPECT_EQ(host.events()[0].id, r.event) << r.area;
        EXPECT_EQ(FakeHost::gauge(kTsp).mouse_rect[1 + FakeHost::area_of(kTsp, r.area)].mouse_flags,
                  0x20200000u);
    }
}

}  // namespace
}  // namespace kadrimos::testing
