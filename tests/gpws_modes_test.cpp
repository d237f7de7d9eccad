// The ground proximity warning modes: each envelope at, inside and outside
// its corners across the airspeed schedule, the terrain closure sampler and
// its clock, the take-off and clearance phases, the callout priority, and
// the inputs as read from the host.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "systems/gpws/modes.h"

namespace kadrimos::gpws {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kGearDown = 16383, kLandingFlaps = 10485;

// In flight and level, clean, gear up, both engines at 95 %, no glideslope:
// nothing to warn of.
ModeInputs flight(double ra_ft, double airspeed_kt = 180) {
    ModeInputs in{};
    in.radio_altitude_ft = ra_ft;
    in.airspeed_kt = airspeed_kt;
    in.n1_percent[0] = in.n1_percent[1] = 95;
    return in;
}

// A state whose closure rate stands at `rate_fpm` until the next sample,
// far off.
ModeState closing_at(int32_t rate_fpm) {
    ModeState m{};
    m.sampled = 1;
    m.sampler_phase = 1;
    timing::set_until(m.next_sample, 0, 1e9);
    m.ClosureRate = rate_fpm;
    return m;
}

// One update as the gauge runs it: the modes see the callout of the update
// before, and the new callout is returned.
int16_t update(ModeState& m, ModeInputs in, int16_t& code) {
    in.alert_code = code;
    evaluate_modes(m, in);
    code = select_callout(m).code;
    return code;
}

// Each schedule below its low speed, at it, just above it, just below its
// high speed, at it and beyond.
TEST(GpwsSchedules, FlatOutsideTheirSpeedsAndTheWholePartOfALineBetween) {
    struct Row {
        const AirspeedSchedule* schedule;
        double kt[6];
        int32_t ft[6];
    };
    const Row rows[] = {
        {&kTerrainClosureCeiling, {0, 230, 231, 329, 330, 500}, {1650, 1650, 1653, 1996, 2000, 2000}},
        {&kDontSinkCeiling, {-50, 190, 195, 249, 250, 251}, {667, 667, 722, 1321, 1333, 1333}},
        {&kGearUpFloor, {199, 200, 210, 269, 270, 300}, {500, 500, 571, 992, 1000, 1000}},
        {&kFlapsUpFloor, {100, 165, 166, 269, 270, 271}, {245, 245, 252, 992, 1000, 1000}},
        {&kClearanceFloor, {0, 200, 201, 235, 270, 400}, {667, 667, 676, 999, 1000, 1000}},
    };
    for (const Row& r : rows) {
        for (int i = 0; i < 6; ++i) EXPECT_EQ(schedule_ft(*r.schedule, r.kt[i]), r.ft[i]) << r.kt[i] << " kt";
    }
}

TEST(GpwsSchedules, TerrainClosureHeightByBand) {
    constexpr int32_t kFastest = std::numeric_limits<int32_t>::min();
    const int32_t rates_fpm[] = {5000,  -1999, -2000, -2500, -3499,   -3500,
                                 -7999, -8000, -8999, -9000, kFastest};
    const int32_t heights_ft[] = {0, 0, 30, 435, 1244, 1250, 1798, 1800, 1999, 2000, 2000};
    for (std::size_t i = 0; i < std::size(rates_fpm); ++i)
        EXPECT_EQ(closure_boundary_ft(rates_fpm[i]), heights_ft[i]) << rates_fpm[i] << " ft/min";
}

// At 3000 ft/min the sink-rate boundary is 1230 ft and the pull-up boundary
// 802 ft; from 1800 ft/min down the pull-up boundary starts at 350 ft; at
// 1000 ft/min the sink-rate boundary is 10 ft, the floor of the mode.
TEST(GpwsMode1, SinkRateAndPullUpBoundariesFromTheVerticalSpeed) {
    struct Row {
        double ra, vs;
        uint8_t expected;
    };
    const Row rows[] = {
        {1000, -3000, 1}, {800, -3000, 2},  {1230, -3000, 1}, {1231, -3000, 0}, {802, -3000, 2},
        {803, -3000, 1},  {350, -1800, 2},  {351, -1800, 1},  {350, -1799, 1},  {497, -1799, 1},
        {498, -1799, 0},  {11, -1000, 0},   {500, -999.9, 0}, {2450, -6000, 1}, {2450.5, -6000, 0},
        {10, -6000, 0},   {10.5, -6000, 2},
    };
    for (const Row& r : rows) {
        ModeState m{};
        ModeInputs in = flight(r.ra);
        in.vertical_speed_fpm = r.vs;
        evaluate_modes(m, in);
        EXPECT_EQ(m.Mode1State, r.expected) << r.ra << " ft, " << r.vs << " ft/min";
    }
}

TEST(GpwsMode2, TerrainAndPullUpUnderTheClosureHeightWithinItsCeiling) {
    struct Row {
        double ra, kt;
        int32_t closure;
        double flaps;
        bool glideslope;
        uint8_t expected;
    };
    const Row rows[] = {
        {400, 250, -2500, 0, false, 1},    {435, 250, -2500, 0, false, 1},  // B 435, H 217
        {436, 250, -2500, 0, false, 0},    {218, 250, -2500, 0, false, 1},
        {217, 250, -2500, 0, false, 2},    {31, 250, -2500, 0, false, 2},
        {30, 250, -2500, 0, false, 0},     {100, 250, -1999, 0, false, 0},
        {1720, 250, -9000, 0, false, 1},   {1721, 250, -9000, 0, false, 0},  // ceiling 1720
        {1650, 200, -9000, 0, false, 1},   {1651, 200, -9000, 0, false, 0},
        {2000, 400, -9000, 0, false, 1},   {1000, 400, -9000, 0, false, 2},
        {200, 250, -2500, 5161, false, 2}, {200, 250, -2500, 5162, false, 0},  // landing flaps
        {200, 250, -2500, 0, true, 0},
    };
    for (const Row& r : rows) {
        ModeState m = closing_at(r.closure);
        ModeInputs in = flight(r.ra, r.kt);
        in.flaps = r.flaps;
        in.glideslope_received = r.glideslope;
        evaluate_modes(m, in);
        EXPECT_EQ(m.Mode2State, r.expected) << r.ra << " ft, " << r.kt << " kt, " << r.closure;
    }
}

// Closing at 2500 ft/min at 250 kt: TERRAIN at 400 ft, PULL UP at 200 ft,
// which stands until 300 ft above where it began, unless the aircraft leaves
// the TERRAIN height. An altitude that cannot be read neither ends it nor
// loses where the climb is measured from.
TEST(GpwsMode2, PullUpStandsUntil300FtAboveItsStart) {
    struct Step {
        double ra, altitude_ft;
        int16_t code;
    };
    const std::initializer_list<Step> sequences[] = {
        {{400, 1400, 20},
         {200, 1200, 22},
         {200, kNaN, 22},
         {300, 1300, 22},
         {300, kNaN, 22},
         {300, 1500, 22},
         {300, 1501, 0},
         {300, 1501, 20}},
        {{200, 1200, 22}, {436, 1436, 0}},
        {{200, kNaN, 22}, {300, 1210, 22}, {300, 1510, 22}, {300, 1511, 0}},
    };
    for (const auto& steps : sequences) {
        ModeState m = closing_at(-2500);
        int16_t code = 0;
        int step = 0;
        for (const Step& s : steps) {
            ModeInputs in = flight(s.ra, 250);
            in.altitude_ft_readable = s.altitude_ft == s.altitude_ft;
            in.altitude_ft = in.altitude_ft_readable ? s.altitude_ft : 0;
            EXPECT_EQ(update(m, in, code), s.code) << "step " << step++ << " at " << s.ra << " ft";
        }
    }
}

// A steady descent of 2 ft a tick (2160 ft/min) sampled on the host's clock.
TEST(GpwsClosureSampler, RatesScaledByTheTicksThatPassed) {
    struct Step {
        double tick, ra;
        bool readable;
        int32_t rate;
        uint8_t phase_after;
        const char* what;
    };
    const Step steps[] = {
        {100, 2000, true, 0, 1, "the first sample has nothing before it"},
        {101, 1998, true, 0, 1, "waits a second"},
        {118, 1964, true, -2160, 2, "a second later"},
        {136, 1928, true, -2160, 3, ""},
        {154, 1892, true, -2160, 0, ""},
        {155, 1890, true, -2160, 1, "the next round starts one tick later"},
        {155, 1890, true, -2160, 1, "a second update in the same tick"},
        {173, 1854, true, -2160, 2, ""},
        {191, 1818, true, -2160, 3, ""},
        {209, 1782, true, -2160, 0, ""},
        {209, 1782, true, -2160, 1, "the round starts on a clock that stands still"},
        {300, 1600, true, -2160, 2, "the clock jumped 91 ticks"},
        {50, 1590, true, -2160, 2, "the clock went back: a second from there"},
        {68, 1554, true, -2160, 3, "no time measured back to the last sample"},
        {86, 1518, true, -2160, 0, ""},
        {87, 0, false, -2160, 0, "no radio altitude: waits for one"},
        {88, 1514, true, -2160, 1, "two ticks after the last sample"},
        {106, 1514, true, 0, 2, "level"},
        {124, 1550.5, true, 2190, 3, "climbing; measured from the reading"},
    };
    ModeState m{};
    for (const Step& s : steps) {
        ModeInputs in = flight(s.ra);
        in.tick = s.tick;
        in.radio_altitude_readable = s.readable;
        evaluate_modes(m, in);
        EXPECT_EQ(m.ClosureRate, s.rate) << "tick " << s.tick << ": " << s.what;
        EXPECT_EQ(m.sampler_phase, s.phase_after) << "tick " << s.tick << ": " << s.what;
    }
}

// Over rising ground at 3000 ft/min, read to fractions of a foot: every
// rate, the round's one-tick sample included, is within one foot's worth of
// the truth over its interval (60 ft/min a second), so a standing TERRAIN
// never drops out for a second.
TEST(GpwsClosureSampler, ASteadyClosureReadsSteadilyAtEverySample) {
    ModeState m{};
    const double ft_per_tick = 3000.0 / 60 / 18;
    for (int tick = 1; tick <= 400; ++tick) {
        ModeInputs in = flight(2000.3 - ft_per_tick * tick);
        in.tick = tick;
        evaluate_modes(m, in);
        if (tick > 19) {
            ASSERT_LE(m.ClosureRate, -2940) << "tick " << tick;
            ASSERT_GE(m.ClosureRate, -3001) << "tick " << tick;
        }
    }
}

TEST(GpwsMode3, TakeoffPhaseAndDontSinkOnAnAltitudeLoss) {
    struct Step {
        bool ground;
        double ra, altitude_ft, flaps, gear;
        bool go_around;
        int16_t code_before;
        uint8_t phase, expected;
        const char* what;
    };
    const Step steps[] = {
        {true, 0, 500, 0, kGearDown, false, 0, 2, 0, "armed on the ground"},
        {false, 29, 529, 0, kGearDown, false, 0, 2, 0, ""},
        {false, 30, 530, 0, kGearDown, false, 0, 1, 0, "take-off flaps from 30 ft"},
        {false, 300, 800, 0, kGearDown, false, 0, 1, 0, ""},
        {false, 250, 750, 0, kGearDown, false, 0, 1, 1, "50 ft lost: DON'T SINK up to 333 ft"},
        {false, 334, 750, 0, kGearDown, false, 30, 1, 0, ""},
        {false, 250, 750, 0, kGearDown, false, 0, 1, 1, ""},
        {false, 668, 750, 0, kGearDown, false, 10, 1, 1, "above the ceiling, held under SINK RATE"},
        {false, 668, 750, 0, kGearDown, false, 30, 1, 0, "but not under itself"},
        {false, 250, 750, kLandingFlaps, 10, false, 0, 1, 0, "landing flaps, gear not up"},
        {false, 250, 750, kLandingFlaps, 9, false, 0, 1, 1, ""},
        {false, 250, kNaN, kLandingFlaps, 9, false, 0, 1, 0, "no altitude: no loss measured"},
        {false, 250, 750, kLandingFlaps, 9, false, 0, 1, 1, "read again"},
        {false, 1334, 1900, 0, 0, false, 0, 0, 0, "the phase ends above 1333 ft"},
        // An approach enters the envelope at 1100 ft and goes around at 700.
        {false, 600, 1100, kLandingFlaps, kGearDown, false, 0, 0, 0, ""},
        {false, 200, 700, kLandingFlaps, kGearDown, true, 0, 0, 0, "landing configuration"},
        {false, 250, 750, kLandingFlaps, 0, true, 0, 1, 0, "gear up: the loss counts from here"},
        {false, 240, 700, kLandingFlaps, 0, true, 0, 1, 1, ""},
    };
    ModeState m{};
    for (const Step& s : steps) {
        ModeInputs in = flight(s.ra, 180);
        in.on_ground = s.ground;
        in.altitude_m_readable = s.altitude_ft == s.altitude_ft;
        in.altitude_m_as_ft = in.altitude_m_readable ? s.altitude_ft : 0;
        in.flaps = s.flaps;
        in.gear = s.gear;
        in.go_around = s.go_around;
        in.n1_percent[0] = in.n1_percent[1] = 90;  // no other mode
        in.alert_code = s.code_before;
        evaluate_modes(m, in);
        EXPECT_EQ(m.TakeoffPhase, s.phase) << s.ra << " ft " << s.what;
        EXPECT_EQ(m.Mode3State, s.expected) << s.ra << " ft " << s.what;
    }
}

// A field below sea level: the climb's first altitude is its highest so
// far, not sea level.
TEST(GpwsMode3, TakeoffBelowSeaLevelMeasuresTheLossFromTheClimb) {
    const double steps[][3] = {
        {0, -1240, 0},
        {31, -1209, 0},
        {200, -1040, 0},
        {190, -1070, 1},
    };
    ModeState m{};
    for (const auto& s : steps) {
        ModeInputs in = flight(s[0]);
        in.on_ground = s[0] == 0;
        in.altitude_m_as_ft = s[1];
        in.n1_percent[0] = in.n1_percent[1] = 90;
        evaluate_modes(m, in);
        EXPECT_EQ(m.Mode3State, s[2]) << s[1] << " ft";
    }
}

// Gear up (4a) then gear down with the flaps up (4b), across their schedules;
// with both engines at or above the limit the result stands as it was.
TEST(GpwsMode4, TooLowWithTheGearUpOrTheFlapsUp) {
    struct Row {
        double ra, kt, gear, flaps, n1a, n1b;
        uint8_t before, mode4a, mode4b;
    };
    const Row rows[] = {
        {400, 180, 0, 0, 85, 85, 0, 1, 0},        {400, 180, 0, 0, 85, 95, 0, 1, 0},
        {400, 180, 0, 0, 95, 89.9, 0, 1, 0},      {400, 180, 0, 0, 90, 90, 0, 0, 0},
        {400, 180, 0, 0, 90, 90, 1, 1, 0},        {400, 180, 0, 0, 90, 90, 2, 2, 0},
        {500, 180, 0, 0, 85, 85, 0, 1, 0},        {501, 180, 0, 0, 85, 85, 1, 0, 0},
        {500, 200, 0, 0, 85, 85, 0, 1, 0},        {500, 200.5, 0, 0, 85, 85, 0, 0, 0},
        {500, 200.5, 0, 0, 79.9, 95, 0, 2, 0},    {992, 269, 0, 0, 70, 70, 0, 2, 0},
        {993, 269, 0, 0, 70, 70, 2, 0, 0},        {1000, 270, 0, 0, 70, 70, 0, 2, 0},
        {1000.5, 400, 0, 0, 70, 70, 2, 0, 0},     {30, 180, 0, 0, 85, 85, 1, 0, 0},
        {31, 180, 0, 0, 85, 85, 0, 1, 0},         {400, 180, 9.9, 0, 85, 85, 0, 1, 0},
        {400, 180, 10, 0, 85, 85, 1, 0, 0},       {245, 150, 16000, 0, 85, 85, 0, 0, 1},
        {246, 150, 16000, 0, 85, 85, 1, 0, 0},    {245, 165, 16000, 0, 85, 85, 0, 0, 1},
        {250, 166, 16000, 0, 85, 85, 0, 0, 2},    {250, 166, 16000, 0, 90, 90, 0, 0, 0},
        {250, 166, 16000, 0, 90, 90, 2, 0, 2},    {1000, 270, 16000, 0, 85, 85, 0, 0, 2},
        {1001, 270, 16000, 0, 85, 85, 2, 0, 0},   {200, 150, 15000, 0, 85, 85, 1, 0, 0},
        {200, 150, 15001, 0, 85, 85, 0, 0, 1},    {200, 150, 16000, 5162, 85, 85, 1, 0, 0},
        {200, 150, 16000, 5161, 85, 85, 0, 0, 1}, {30, 150, 16000, 0, 85, 85, 1, 0, 0},
    };
    for (const Row& r : rows) {
        ModeState m{};
        m.Mode4aState = m.Mode4bState = r.before;
        ModeInputs in = flight(r.ra, r.kt);
        in.gear = r.gear;
        in.flaps = r.flaps;
        in.n1_percent[0] = r.n1a;
        in.n1_percent[1] = r.n1b;
        evaluate_modes(m, in);
        const std::string where = std::to_string(r.ra) + " ft, " + std::to_string(r.kt) + " kt, gear " +
                                  std::to_string(r.gear) + ", N1 " + std::to_string(r.n1a) + "/" +
                                  std::to_string(r.n1b) + ", before " + std::to_string(r.before);
        EXPECT_EQ(m.Mode4aState, r.mode4a) << where;
        EXPECT_EQ(m.Mode4bState, r.mode4b) << where;
    }
}

TEST(GpwsMode4c, ClearanceAfterTakeoffAndGoAround) {
    struct Step {
        bool ground;
        double ra, n1;
        bool go_around;
        uint8_t phase, expected;
    };
    const Step steps[] = {
        {true, 0, 90, false, 0, 0},    // idle: not armed
        {true, 0, 90.1, false, 2, 0},  // take-off thrust
        {false, 29, 95, false, 2, 0},   {false, 30, 95, false, 1, 0},  {false, 400, 95, false, 1, 0},
        {false, 301, 95, false, 1, 0},  {false, 300, 95, false, 1, 1},  // three quarters of 400 ft
        {false, 1000, 95, false, 1, 0}, {false, 749, 95, false, 1, 0},  // above 667 ft at 180 kt
        {false, 1001, 95, false, 0, 0}, {false, 500, 95, false, 0, 0}, {false, 500, 95, true, 1, 0},
        {false, 376, 95, false, 1, 0},  {false, 375, 95, false, 1, 1},
    };
    ModeState m{};
    for (const Step& s : steps) {
        ModeInputs in = flight(s.ra);
        in.on_ground = s.ground;
        in.n1_percent[0] = in.n1_percent[1] = s.n1;
        in.go_around = s.go_around;
        evaluate_modes(m, in);
        EXPECT_EQ(m.ClearancePhase, s.phase) << s.ra << " ft";
        EXPECT_EQ(m.Mode4cState, s.expected) << s.ra << " ft";
    }
}

TEST(GpwsMode5, WellBelowTheGlideslopeWithReducedThrust) {
    struct Row {
        double ra;
        bool received;
        double deviation, n1b;
        uint8_t before, expected;
    };
    const Row rows[] = {
        {500, true, -101, 85, 0, 1},    {500, true, -100, 85, 1, 0},   {500, false, -101, 85, 1, 0},
        {150, true, -101, 85, 1, 0},    {150.5, true, -101, 85, 0, 1}, {1000, true, -101, 85, 0, 1},
        {1000.5, true, -101, 85, 1, 0}, {500, true, -101, 90, 0, 0},   {500, true, -101, 90, 1, 1},
    };
    for (const Row& r : rows) {
        ModeState m{};
        m.Mode5State = r.before;
        ModeInputs in = flight(r.ra);
        in.glideslope_received = r.received;
        in.glideslope_deviation = r.deviation;
        in.n1_percent[0] = 85;
        in.n1_percent[1] = r.n1b;
        in.gear = kGearDown;
        in.flaps = kLandingFlaps;
        evaluate_modes(m, in);
        EXPECT_EQ(m.Mode5State, r.expected) << r.ra << " ft, " << r.deviation << ", N1 " << r.n1b;
    }
}

// Any two callouts standing at once: the one higher in the table sounds.
TEST(GpwsCallout, FirstRowThatAppliesWins) {
    static_assert(std::size(kCalloutPriority) == 11, "one row per callout");
    const int16_t codes_by_priority[] = {10, 12, 20, 22, 30, 410, 412, 420, 422, 43, 50};
    for (std::size_t i = 0; i < std::size(kCalloutPriority); ++i)
        EXPECT_EQ(kCalloutPriority[i].code, codes_by_priority[i]) << "row " << i;
    EXPECT_EQ(select_callout(ModeState{}).code, 0);
    for (std::size_t i = 0; i < std::size(kCalloutPriority); ++i) {
        const CalloutRow& first = kCalloutPriority[i];
        ModeState alone{};
        alone.*first.mode = first.result;
        const Callout callout = select_callout(alone);
        EXPECT_EQ(callout.code, first.code);
        EXPECT_EQ(callout.sound, first.sound);
        for (std::size_t j = i + 1; j < std::size(kCalloutPriority); ++j) {
            const CalloutRow& second = kCalloutPriority[j];
            if (second.mode == first.mode) continue;
            ModeState both = alone;
            both.*second.mode = second.result;
            EXPECT_EQ(select_callout(both).code, first.code) << first.code << " over " << second.code;
        }
    }
    // Flown: gear up at 180 kt and 400 ft, sinking at 3000 ft/min.
    ModeState m{};
    ModeInputs in = flight(400);
    in.vertical_speed_fpm = -3000;
    in.n1_percent[0] = 60;
    evaluate_modes(m, in);
    EXPECT_EQ(m.Mode4aState, 1);
    EXPECT_EQ(select_callout(m).code, 12);
}

TEST(GpwsInputs, ReadFromTheHostWithAMeaningForWhatIsNotANumber) {
    testing::FakeHost host;
    const uint32_t tokens[] = {1, 60, 61, 73, 74, 329, 332, 624, 643, 44, 41};
    const double finite[] = {1234, 1, 250, 100, 350, 2000, 16383, 91, 88, 1, -120};
    for (std::size_t i = 0; i < std::size(tokens); ++i) host.set(tokens[i], finite[i]);
    aircraft.RadioAltitudeFt = 420;
    aircraft.VerticalSpeedFpm = -1500;
    aircraft.GoAroundMode = 1;
    aircraft.GpwsAlertCode = 410;
    aircraft.FlapDetentPositions[1] = 5300;
    ModeInputs in = read_mode_inputs();
    EXPECT_EQ(in.tick, 1234);
    EXPECT_TRUE(in.on_ground);
    EXPECT_EQ(in.airspeed_kt, 250);
    EXPECT_DOUBLE_EQ(in.altitude_m_as_ft, 328.1);
    EXPECT_EQ(in.altitude_ft, 350);
    EXPECT_EQ(in.flaps, 2000);
    EXPECT_EQ(in.gear, 16383);
    EXPECT_EQ(in.n1_percent[0], 91);
    EXPECT_EQ(in.n1_percent[1], 88);
    EXPECT_TRUE(in.glideslope_received);
    EXPECT_EQ(in.glideslope_deviation, -120);
    EXPECT_EQ(in.radio_altitude_ft, 420);
    EXPECT_EQ(in.vertical_speed_fpm, -1500);
    EXPECT_EQ(in.landing_flaps, 5300);
    EXPECT_TRUE(in.go_around);
    EXPECT_EQ(in.alert_code, 410);
    EXPECT_TRUE(in.radio_altitude_readable && in.altitude_ft_readable && in.altitude_m_readable);

    for (double bad : {kNaN, kInf, -kInf}) {
        for (uint32_t token : tokens) host.set(token, bad);
        aircraft.RadioAltitudeFt = bad;
        aircraft.VerticalSpeedFpm = bad;
        in = read_mode_inputs();
        EXPECT_EQ(in.tick, 0);
        EXPECT_FALSE(in.on_ground);
        EXPECT_EQ(in.airspeed_kt, 0);
        EXPECT_EQ(in.flaps, 16383);
        EXPECT_EQ(in.gear, 8192);
        EXPECT_EQ(in.n1_percent[0], 90);
        EXPECT_EQ(in.n1_percent[1], 90);
        EXPECT_FALSE(in.glideslope_received);
        EXPECT_EQ(in.glideslope_deviation, 0);
        EXPECT_EQ(in.radio_altitude_ft, 0);
        EXPECT_EQ(in.vertical_speed_fpm, 0);
        EXPECT_FALSE(in.radio_altitude_readable || in.altitude_ft_readable || in.altitude_m_readable);

        // In a take-off climb at 400 ft, 300 ft below the climb's highest
        // altitude and 50 ft below its highest radio altitude: nothing
        // unreadable raises a callout.
        aircraft.RadioAltitudeFt = 400;
        ModeState m{};
        m.TakeoffPhase = 1;
        m.ClearancePhase = 1;
        m.highest_radio_altitude_ft = 450;
        m.highest_altitude_set = 1;
        m.highest_altitude_ft = 1500;
        m.altitude_loss_ft = 300;
        for (int update = 0; update < 40; ++update) evaluate_modes(m, read_mode_inputs());
        EXPECT_EQ(select_callout(m).code, 0) << bad;
    }
}

}  // namespace
}  // namespace kadrimos::gpws
