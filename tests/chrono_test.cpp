// The cockpit clock: time of day, elapsed time, chronograph, the quarters of
// the minute, the display test, its power, and a host clock that goes back
// or is not a number.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "instruments/chrono_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using gauges::chrono::state;

constexpr const char* kClock = "toskelin chrono_rulo";
constexpr uint32_t kTicks = 1, kHours = 3, kMinutes = 4, kSecondOfMinute = 5, kSimSeconds = 604;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Chrono {
    FakeHost host;

    // One update at simulation second `s` (the tick counter with it), drawn.
    void at(double s, double ticks) {
        host.set(kSimSeconds, s);
        host.set(kTicks, ticks);
        host.update(kClock);
        host.draw(kClock);
    }
    void at(double s) { at(s, s * 18); }
    std::string window(const char* name) const {
        std::string out;
        for (const char* place : {"hours tens", "hours units", "minutes tens", "minutes units"}) {
            if (std::string(name) == "CHR" && std::string(place).starts_with("hours")) continue;
            out += FakeHost::text(FakeHost::element(kClock, std::string(name) + " " + place));
        }
        return out;
    }
    void click(const char* area) { host.click(kClock, area); }
    bool shown(const char* label) const { return FakeHost::visible(kClock, label); }
    void power_off() { aircraft.Batt1Switch = 0, aircraft.DcEssBusPowered = 0; }
};

TEST(ChronoPower, BatteryOneWithChargeOrTheEssentialBus) {
    struct Row {
        uint8_t battery_switch;
        uint32_t charge;
        uint8_t dc_ess;
        const char* time;
    };
    for (const Row& r : {Row{1, 1800, 0, "1205"}, Row{2, 1, 0, "1205"}, Row{0, 1800, 0, "    "},
                         Row{1, 0, 0, "    "}, Row{0, 0, 1, "1205"}}) {
        Chrono c;
        aircraft.Batt1Switch = r.battery_switch, aircraft.BattCharge = r.charge,
        aircraft.DcEssBusPowered = r.dc_ess;
        c.host.set(kHours, 12), c.host.set(kMinutes, 5);
        c.at(10);
        EXPECT_EQ(c.window("TIME"), r.time)
            << int(r.battery_switch) << " " << r.charge << " " << int(r.dc_ess);
        EXPECT_EQ(c.shown("TIME colon upper dot"), r.time[0] != ' ');
    }
}

TEST(ChronoPower, TheWindowsShowWhatTheUpdateSawLikeTheMarksAndColons) {
    Chrono c;
    c.host.set(kHours, 12), c.host.set(kMinutes, 5);
    c.host.update(kClock);
    c.power_off();  // later in the same update, by the network solver
    c.host.draw(kClock);
    EXPECT_EQ(c.window("TIME"), "1205");
    EXPECT_TRUE(c.shown("TIME colon lower dot"));
}

TEST(ChronoTimeOfDay, ShowsTheHostClockWithOneCharacterAWindow) {
    struct Row {
        double hours, minutes;
        const char* shown;
    };
    for (const Row& r : {Row{23, 59, "2359"}, Row{0, 0, "0000"}, Row{9.7, 5, "0905"}, Row{kNaN, 7, "0007"},
                         Row{-3, 1e12, "0047"}, Row{123, 60, "2360"}}) {
        Chrono c;
        c.host.set(kHours, r.hours), c.host.set(kMinutes, r.minutes);
        c.at(1);
        EXPECT_EQ(c.window("TIME"), r.shown) << r.hours << ":" << r.minutes;
    }
}

TEST(ChronoTimeOfDay, TheKnobHalvesSetTheHostClockOnlyWithPower) {
    Chrono c;
    for (const char* area :
         {"CLOCK HOURS left", "CLOCK HOURS right", "CLOCK MINUTES left", "CLOCK MINUTES right"})
        c.click(area);
    EXPECT_EQ(c.host.events(),
              (std::vector<KeyEvent>{{0x10079, 0}, {0x1007A, 0}, {0x1007B, 0}, {0x1007C, 0}}));
    c.power_off();
    c.click("CLOCK HOURS right");
    EXPECT_EQ(c.host.events().size(), 4u);
}

TEST(ChronoElapsedTime, CountsHoursAndMinutesAndRollsOverAfter9959) {
    struct Row {
        double elapsed;
        const char* shown;
    };
    for (const Row& r : {Row{59, "0000"}, Row{60, "0001"}, Row{3599, "0059"}, Row{3600, "0100"},
                         Row{359999, "9959"}, Row{360000, "0000"}, Row{1e15, "2312"}}) {
        Chrono c;
        c.at(100);  // the reference second
        c.at(100 + r.elapsed);
        EXPECT_EQ(c.window("ET"), r.shown) << r.elapsed;
        EXPECT_TRUE(c.shown("ET colon upper dot"));
    }
}

TEST(ChronoElapsedTime, HoldKeepsTheCountThroughAnyPeriodAndResetStartsAgain) {
    Chrono c;
    c.at(10);
    c.at(10 + 300);
    c.click("ET HOLD");
    c.at(400);
    EXPECT_EQ(c.window("ET"), "    ") << "held, the window is blank";
    EXPECT_FALSE(c.shown("ET colon lower dot"));
    c.at(90000);
    c.click("ET RUN");
    c.at(90000 + 60);
    EXPECT_EQ(c.window("ET"), "0006");
    c.click("ET RESET");
    c.at(90100);
    EXPECT_EQ(c.window("ET"), "0000");
    EXPECT_EQ(state.et.seconds, 0);
    c.click("ET RUN");
    c.at(90200);  // the new reference
    c.at(90200 + 120);
    EXPECT_EQ(c.window("ET"), "0002");
}

TEST(ChronoElapsedTime, AClockGoingBackOrNotANumberLeavesTheCountStanding) {
    Chrono c;
    c.at(1000);
    c.at(1000 + 600);
    c.at(5);  // a reloaded flight
    EXPECT_EQ(state.et.seconds, 600);
    c.at(5 + 60);
    EXPECT_EQ(state.et.seconds, 660) << "it carries on from where it stood";
    c.at(kNaN);
    EXPECT_EQ(state.et.seconds, 660);
    EXPECT_EQ(c.window("ET"), "0011");
}

TEST(ChronoElapsedTime, WithoutPowerItIsBlankAndStandsButKeepsItsReference) {
    Chrono c;
    c.at(100);
    c.at(160);
    c.power_off();
    c.at(400);
    EXPECT_EQ(state.et.seconds, 60);
    EXPECT_EQ(c.window("ET") + c.window("CHR"), "      ");
    EXPECT_FALSE(c.shown("ET colon upper dot"));
    aircraft.DcEssBusPowered = 1;
    c.at(400);
    EXPECT_EQ(state.et.seconds, 300) << "the reference second stayed where it was";
}

TEST(ChronoChronograph, TheButtonStartsStopsResetsAndTurnsItOff) {
    Chrono c;
    c.at(50);
    EXPECT_EQ(c.window("CHR"), "  ") << "off";
    c.click("CHR button");  // start
    c.at(50 + 125);
    EXPECT_EQ(c.window("CHR"), "02");
    EXPECT_EQ(c.host.value(FakeHost::element(kClock, "CHR seconds hand")), 5);
    c.click("CHR button");  // stop
    c.at(1000);
    EXPECT_EQ(c.window("CHR"), "02");
    EXPECT_EQ(state.chr.seconds, 125);
    c.click("CHR button");  // reset
    EXPECT_EQ(state.ChrState, gauges::chrono::kChrReset);
    c.at(1001);
    EXPECT_EQ(state.chr.seconds, 0);
    EXPECT_EQ(state.ChrState, gauges::chrono::kChrOff);
    EXPECT_EQ(c.window("CHR"), "  ");

    c.power_off();
    c.click("CHR button");
    EXPECT_EQ(state.ChrState, gauges::chrono::kChrOff) << "no start without power";
}

TEST(ChronoChronograph, MinutesWrapAfter59AndTheHandStopsAtTheEndOfItsScale) {
    struct Row {
        double elapsed;
        const char* minutes;
        double hand;
    };
    for (const Row& r : {Row{54, "00", 54}, Row{57, "00", 55}, Row{3599, "59", 55}, Row{3600, "00", 0},
                         Row{3600 + 61, "01", 1}}) {
        Chrono c;
        c.click("CHR button");
        c.at(20);
        c.at(20 + r.elapsed);
        EXPECT_EQ(c.window("CHR"), r.minutes) << r.elapsed;
        EXPECT_EQ(c.host.value(FakeHost::element(kClock, "CHR seconds hand")), r.hand) << r.elapsed;
    }
}

TEST(ChronoDisplayTest, EightsEverywhereForThirtySixTicks) {
    Chrono c;
    c.click("ET HOLD");
    c.at(1, 100);
    c.click("TEST button");
    c.click("TEST button");
    c.at(1, 101);
    EXPECT_EQ(c.window("TIME") + c.window("ET") + c.window("CHR"), "8888888888");
    EXPECT_TRUE(c.shown("15 s mark") && c.shown("30 s mark") && c.shown("45 s mark"));
    c.at(1, 136);
    EXPECT_EQ(c.window("CHR"), "88");
    c.at(1, 137);
    EXPECT_EQ(c.window("ET") + c.window("CHR"), "      ") << "ET held and the chronograph off";
    EXPECT_FALSE(c.shown("15 s mark"));

    c.click("TEST button");
    c.at(1, 500);
    c.at(1, 10);  // the tick counter went back: the test runs 36 ticks from there
    c.at(1, 45);
    EXPECT_EQ(c.window("TIME"), "8888");
    c.power_off();
    c.at(1, 45.5);
    EXPECT_EQ(state.DisplayTest, gauges::chrono::kTestShowing);
    EXPECT_EQ(c.window("TIME"), "    ");
    EXPECT_FALSE(c.shown("45 s mark")) << "no lit mark without power";
    c.at(1, 46);
    c.click("TEST button");
    EXPECT_EQ(state.DisplayTest, gauges::chrono::kTestIdle) << "no test without power";
}

TEST(ChronoQuarterMarks, CountTheQuartersOfTheMinute) {
    const double seconds[] = {0, 14.9, 15, 29.9, 30, 44.9, 45, 59, kNaN};
    const int marks[] = {0, 0, 1, 1, 2, 2, 3, 3, 0};
    for (std::size_t i = 0; i < std::size(seconds); ++i) {
        Chrono c;
        c.host.set(kSecondOfMinute, seconds[i]);
        c.at(1);
        EXPECT_EQ(int(c.shown("15 s mark")) + c.shown("30 s mark") + c.shown("45 s mark"), marks[i])
            << seconds[i];
        EXPECT_EQ(c.shown("15 s mark"), marks[i] >= 1);
    }
}

TEST(ChronoSelectorKnob, LitByThePanelLightsAndNeverPastReset) {
    struct Row {
        uint8_t instrument_lights, ac_ess, deck_light;
        const char* shown;
    };
    for (const Row& r : {Row{0, 1, 1, "ET selector knob"}, Row{1, 0, 0, "ET selector knob"},
                         Row{1, 1, 0, "ET selector knob lit"}, Row{1, 1, 1, "ET selector knob deck lit"}}) {
        Chrono c;
        aircraft.InstrumentLightsOn = r.instrument_lights, aircraft.AcEssBusPowered = r.ac_ess;
        aircraft.FltDeckLightSwitch = r.deck_light;
        state.EtSelector = 7;
        c.at(1);
        for (const char* knob : {"ET selector knob", "ET selector knob lit", "ET selector knob deck lit"})
            EXPECT_EQ(c.shown(knob), std::string(knob) == r.shown) << knob;
        EXPECT_EQ(c.host.value(FakeHost::element(kClock, r.shown)), 2);
        EXPECT_EQ(state.EtSelector, gauges::chrono::kEtReset);
    }
}

}  // namespace
}  // namespace kadrimos::testing
