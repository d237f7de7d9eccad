// The communication control head and the audio panel: frequency drums,
// the transmitter and receiver buttons and lamps, the tuning knobs, the
// audio channels kept in step with their switches and supplies, and the
// master volume knob.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kCom = "toskelin radio_com_rulo";
constexpr const char* kAudio = "toskelin radio_snd_rulo";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr uint32_t kCom1 = 23, kCom2 = 870, kCom2Transmits = 875, kBothReceived = 876;
constexpr uint32_t kCom1Transmit = 0x1039F, kCom2Transmit = 0x103A0, kReceiveBoth = 0x103A2;
constexpr uint32_t kMarkerTones = 881, kNav1Ident = 877, kNav2Ident = 878, kAdfIdent = 880;

// Draws the head until every drum has come to rest.
void settle(FakeHost& host) {
    for (int i = 0; i < 60; ++i) host.draw(kCom);
}

double drum(const FakeHost& host, const std::string& label) {
    return host.value(FakeHost::element(kCom, label));
}

TEST(ComHead, DrumsShowEachRadiosFrequencyWithTheChannelOnFourPositions) {
    struct Row {
        uint32_t bcd;
        double hundreds, tens, units, tenths, channel;
    };
    const Row rows[] = {
        {0x1897, 1, 1, 8, 9, 3},  // 118.975
        {0x1800, 1, 1, 8, 0, 0},  // 118.000
        {0x3697, 1, 3, 6, 9, 3},  // 136.975
        {0x2152, 1, 2, 1, 5, 1},  // 121.525
        {0x2285, 1, 2, 2, 8, 2},  // 122.850
        {0x1891, 1, 1, 8, 9, 0},  // between channels: no position of the drum
    };
    for (const Row& r : rows) {
        for (const char* radio : {"COM 1", "COM 2"}) {
            FakeHost host;  // no power at all: the head shows what the radios report
            host.set_bits(std::string(radio) == "COM 1" ? kCom1 : kCom2, r.bcd);
            host.update(kCom);
            settle(host);
            const std::string p = std::string(radio) + " drum ";
            EXPECT_EQ(drum(host, p + "hundreds"), r.hundreds) << std::hex << r.bcd << " " << radio;
            EXPECT_EQ(drum(host, p + "tens"), r.tens) << std::hex << r.bcd << " " << radio;
            EXPECT_EQ(drum(host, p + "MHz"), r.units) << std::hex << r.bcd << " " << radio;
            EXPECT_EQ(drum(host, p + "tenths"), r.tenths) << std::hex << r.bcd << " " << radio;
            EXPECT_EQ(drum(host, p + "hundredths"), r.channel) << std::hex << r.bcd << " " << radio;
        }
    }
}

TEST(ComHead, ChannelDrumRollsForwardOverItsWrapFromSeventyFiveToZero) {
    FakeHost host;
    host.set_bits(kCom1, 0x1897);
    host.update(kCom);
    settle(host);
    host.set_bits(kCom1, 0x1900);  // 118.975 to 119.000
    host.update(kCom);
    std::vector<double> seen;
    for (int i = 0; i < 6; ++i) {
        host.draw(kCom);
        seen.push_back(drum(host, "COM 1 drum hundredths"));
    }
    EXPECT_EQ(seen, (std::vector<double>{3.25, 3.5, 3.75, 4.0, 0.0, 0.0}));
    settle(host);
    EXPECT_EQ(drum(host, "COM 1 drum MHz"), 9);
    EXPECT_EQ(drum(host, "COM 1 drum tenths"), 0);
}

TEST(ComHead, LampsFollowTheTransmitterAndTheRadiosHeard) {
    struct Row {
        double com2_transmits, both_received;
        bool tx1, tx2, rx1, rx2;
    };
    const Row rows[] = {
        {0, 0, true, false, true, false},     {1, 0, false, true, false, true},
        {0, 1, true, false, true, true},      {1, 1, false, true, true, true},
        {kNaN, 0, true, false, true, false},  {0, kNaN, true, false, true, false},
        {0.5, 0.5, true, false, true, false},
    };
    for (const Row& r : rows) {
        FakeHost host;
        host.set(kCom2Transmits, r.com2_transmits);
        host.set(kBothReceived, r.both_received);
        host.update(kCom);
        const std::string at = std::to_string(r.com2_transmits) + " " + std::to_string(r.both_received);
        EXPECT_EQ(FakeHost::visible(kCom, "COM 1 TX light"), r.tx1) << at;
        EXPECT_EQ(FakeHost::visible(kCom, "COM 2 TX light"), r.tx2) << at;
        EXPECT_EQ(FakeHost::visible(kCom, "COM 1 RX light"), r.rx1) << at;
        EXPECT_EQ(FakeHost::visible(kCom, "COM 2 RX light"), r.rx2) << at;
    }
}

TEST(ComHead, ReceiverButtonsAddTheOtherRadioOrDropTheirOwn) {
    struct Row {
        const char* button;
        double com2_transmits, both_received;
        std::vector<KeyEvent> sent;
    };
    const Row rows[] = {
        // Both heard: the button's radio goes, the other one transmits.
        {"COM 1 RX button", 0, 1, {{kReceiveBoth, 0}, {kCom2Transmit, 0}}},
        {"COM 2 RX button", 1, 1, {{kReceiveBoth, 0}, {kCom1Transmit, 0}}},
        // One heard: the other radio's button adds it.
        {"COM 1 RX button", 1, 0, {{kReceiveBoth, 1}}},
        {"COM 2 RX button", 0, 0, {{kReceiveBoth, 1}}},
        // The only radio heard stays on.
        {"COM 1 RX button", 0, 0, {}},
        {"COM 2 RX button", 1, 0, {}},
        // A selection nobody can read changes nothing.
        {"COM 1 RX button", kNaN, kNaN, {}},
        {"COM 2 RX button", kNaN, kNaN, {}},
    };
    for (const Row& r : rows) {
        FakeHost host;
        host.load_sounds();
        host.set(kCom2Transmits, r.com2_transmits);
        host.set(kBothReceived, r.both_received);
        host.click(kCom, r.button);
        EXPECT_EQ(host.events(), r.sent) << r.button << " " << r.com2_transmits << " " << r.both_received;
        EXPECT_EQ(host.plays("CLICK"), 0u) << r.button;
    }
}

TEST(ComHead, TransmitterButtonsClickAndSelectTheirRadio) {
    FakeHost host;
    host.load_sounds();
    host.click(kCom, "COM 2 TX button");
    host.click(kCom, "COM 1 TX button");
    EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{kCom2Transmit, 0}, {kCom1Transmit, 0}}));
    if (FakeHost::kHearsSounds) {
        EXPECT_EQ(host.plays("CLICK"), 2u);
    }
}

TEST(ComHead, KnobsSendTheirTuningCommandAndRepeatWhileHeld) {
    struct Row {
        const char* knob;
        uint32_t event;
    };
    const Row rows[] = {
        {"COM 1 outer knob up", 0x10065}, {"COM 1 outer knob down", 0x10064},
        {"COM 1 inner knob up", 0x10067}, {"COM 1 inner knob down", 0x10066},
        {"COM 2 outer knob up", 0x10385}, {"COM 2 outer knob down", 0x10384},
        {"COM 2 inner knob up", 0x10388}, {"COM 2 inner knob down", 0x10386},
    };
    const GAUGEHDR& head = FakeHost::gauge(kCom);
    for (const Row& r : rows) {
        FakeHost host;
        host.click(kCom, r.knob);
        EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{r.event, 0}})) << r.knob;
        const MOUSERECT& area = head.mouse_rect[1 + FakeHost::area_of(kCom, r.knob)];
        EXPECT_NE(area.mouse_flags & MOUSE_DOWN_REPEAT, 0u) << r.knob;
    }
    for (const char* button : {"COM 1 RX button", "COM 2 RX button", "COM 1 TX button", "COM 2 TX button"}) {
        const MOUSERECT& area = head.mouse_rect[1 + FakeHost::area_of(kCom, button)];
        EXPECT_EQ(area.mouse_flags & MOUSE_DOWN_REPEAT, 0u) << button;
    }
}

// --- Audio panel -----------------------------------------------------------------

struct Supplies {
    uint8_t dc_norm = 1, ac_ess = 1, ac_bus_2 = 1, ac_ess_norm = 1;
    void apply() const {
        aircraft.DcNormBusPowered = dc_norm;
        aircraft.AcEssBusPowered = ac_ess;
        aircraft.AcBus2Powered = ac_bus_2;
        aircraft.AcEssNormPowered = ac_ess_norm;
    }
};

TEST(AudioPanel, EachChannelFollowsItsSwitchWhileItsSupplyIsThere) {
    struct Row {
        const char* click;  // the switch position clicked before the update
        uint32_t token;
        double host_state;
        Supplies supplies;
        std::vector<KeyEvent> sent;
    };
    Supplies none{0, 0, 0, 0};
    const Row rows[] = {
        {"MKR audio ON", kMarkerTones, 0, {}, {{0x103AE, 1}}},
        {"MKR audio ON", kMarkerTones, 1, {}, {}},
        {"MKR audio ON", kMarkerTones, kNaN, {}, {{0x103AE, 1}}},
        {"MKR audio OFF", kMarkerTones, 1, {}, {{0x103AE, 0}}},
        {"MKR audio OFF", kMarkerTones, 0, {}, {}},
        {"MKR audio ON", kMarkerTones, 1, {0, 1, 1, 1}, {{0x103AE, 0}}},
        {"MKR audio ON", kMarkerTones, 0, {0, 1, 1, 1}, {}},
        {"NAV 1 audio ON", kNav1Ident, 0, {}, {{0x1012D, 0}}},
        {"NAV 1 audio OFF", kNav1Ident, 1, {}, {{0x10128, 0}}},
        {"NAV 1 audio ON", kNav1Ident, 1, {1, 0, 1, 1}, {{0x10128, 0}}},
        {"NAV 2 audio ON", kNav2Ident, 0, {}, {{0x1012E, 0}}},
        {"NAV 2 audio OFF", kNav2Ident, 1, {}, {{0x10129, 0}}},
        {"NAV 2 audio ON", kNav2Ident, 1, {1, 1, 0, 1}, {{0x10129, 0}}},
        {"ADF audio ON", kAdfIdent, 0, {}, {{0x10131, 0}}},
        {"ADF audio OFF", kAdfIdent, 1, {}, {{0x1012C, 0}}},
        {"ADF audio ON", kAdfIdent, 0, {1, 0, 0, 0}, {{0x10131, 0}}},  // on the DC normal bus alone
        // On the AC essential normal bus alone; the markers, on the DC normal bus,
        // go off as well.
        {"ADF audio ON", kAdfIdent, 0, {0, 0, 0, 1}, {{0x103AE, 0}, {0x10131, 0}}},
        {"ADF audio ON", kAdfIdent, 1, none, {{0x103AE, 0}, {0x1012C, 0}}},
    };
    for (const Row& r : rows) {
        FakeHost host;
        r.supplies.apply();
        // Every other channel already where its switch at load wants it.
        host.set(kMarkerTones, 1);
        for (uint32_t t : {kNav1Ident, kNav2Ident, kAdfIdent}) host.set(t, 0);
        host.set(r.token, r.host_state);
        host.click(kAudio, r.click);
        host.update(kAudio);
        EXPECT_EQ(host.events(), r.sent) << r.click << " " << r.host_state;
    }
}

TEST(AudioPanel, StartsWithInterphoneAndMarkersOnAndSwitchesSilently) {
    FakeHost host;
    host.load_sounds();
    Supplies{}.apply();
    host.update(kAudio);
    for (const char* on :
         {"INT audio ON", "MKR audio ON", "NAV 1 audio OFF", "NAV 2 audio OFF", "ADF audio OFF"})
        EXPECT_TRUE(FakeHost::visible(kAudio, on)) << on;
    EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{0x103AE, 1}}));

    host.clear_logs();
    host.click(kAudio, "INT audio OFF");
    host.click(kAudio, "NAV 1 audio ON");
    host.update(kAudio);
    EXPECT_TRUE(FakeHost::visible(kAudio, "INT audio OFF"));
    EXPECT_FALSE(FakeHost::visible(kAudio, "INT audio ON"));
    EXPECT_TRUE(FakeHost::visible(kAudio, "NAV 1 audio ON"));
    EXPECT_FALSE(FakeHost::visible(kAudio, "NAV 1 audio OFF"));
    EXPECT_EQ(host.plays("CLICK"), 0u);
}

TEST(AudioPanel, ChannelTakenOffWithoutItsBusComesBackWithIt) {
    FakeHost host;
    Supplies{}.apply();
    host.set(kMarkerTones, 1);
    host.set(kNav1Ident, 1);
    host.click(kAudio, "NAV 1 audio ON");
    aircraft.AcEssBusPowered = 0;
    host.update(kAudio);
    EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{0x10128, 0}}));
    host.set(kNav1Ident, 0);  // as the simulator answers
    host.clear_logs();
    host.update(kAudio);
    EXPECT_TRUE(host.events().empty());
    aircraft.AcEssBusPowered = 1;
    host.update(kAudio);
    EXPECT_EQ(host.events(), (std::vector<KeyEvent>{{0x1012D, 0}}));
}

TEST(AudioPanel, VolumeKnobStepsTheMasterVolumeAndStopsAtItsEnds) {
    FakeHost host;
    host.load_sounds();
    const ELEMENT_HEADER* pointer = FakeHost::element(kAudio, "VOLUME knob pointer");
    struct Row {
        const char* area;
        int clicks;
        double step;
    };
    const Row rows[] = {
        {"VOLUME up", 1, 1},      {"VOLUME up", 9, 10},    {"VOLUME up", 3, 10},
        {"VOLUME down", 20, -10}, {"VOLUME down", 1, -10}, {"VOLUME up", 10, 0},
    };
    for (const Row& r : rows) {
        for (int i = 0; i < r.clicks; ++i) host.click(kAudio, r.area);
        host.draw(kAudio);
        EXPECT_EQ(host.value(pointer), r.step) << r.area << " " << r.clicks;
        EXPECT_EQ(private_state.sound_bank.master_step, r.step) << r.area << " " << r.clicks;
    }
    EXPECT_EQ(private_state.sound_bank.volumes[0], -2000) << "CLICK back at its load volume";
    EXPECT_EQ(host.plays("CLICK"), 0u);
}

TEST(AudioPanel, VolumePointerHoldsAStepBeyondTheKnobsRangeAtItsEnd) {
    FakeHost host;
    private_state.sound_bank.master_step = 42;
    host.draw(kAudio);
    EXPECT_EQ(host.value(FakeHost::element(kAudio, "VOLUME knob pointer")), 10);
    EXPECT_EQ(private_state.sound_bank.master_step, 10);
    private_state.sound_bank.master_step = -128;
    host.draw(kAudio);
    EXPECT_EQ(private_state.sound_bank.master_step, -10);
}

}  // namespace
}  // namespace kadrimos::testing
