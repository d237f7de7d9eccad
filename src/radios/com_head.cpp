// "toskelin radio_com_rulo": the control head of the two VHF communication
// radios.
//
// The frequencies live in the simulator: each radio's two concentric knobs
// send it the tuning commands (the outer knob the megahertz, the inner one
// the 25 kHz channels), and the drums show what it reports back, rolling to
// each new digit a quarter at a draw. The upper pair of pushbuttons selects
// the radio the crew transmits on (its lamp lit); the lower pair puts the
// other radio on the headsets as well, or takes one of two off again, the
// lamp over each button lit while its radio is heard. The head keeps nothing
// of the radios but where its drums stand.
//
// Frequencies come as four binary-coded decimal digits without the leading
// 1 (118.975 is 0x1897); the hundredths drum has four positions, for the
// channels .x00, .x25, .x50 and .x75 (digits 0, 2, 5 and 7).
//
// Inputs: tokens 23 and 870 (COM 1 and COM 2 frequencies), 875 (COM 2 is
// the transmitter: 1.0), 876 (both radios heard: 1.0).
// Outputs: events 0x10064 to 0x10067 (COM 1 megahertz down/up, channel
// down/up), 0x10384 to 0x10388 (the same for COM 2), 0x1039F and 0x103A0
// (transmit on COM 1, COM 2), 0x103A2 (both radios heard: value 1, or not: 0).
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "radios/hundredths_drum.h"
#include "sound/sound_bank.h"

KADRIMOS_GAUGE_WITH_STATE(radio_com, "toskelin radio_com_rulo")

namespace kadrimos::gauges::radio_com {

// Where each drum stands and the digit it rolls to. Drums by place, right to
// left: hundredths (the channel), tenths, megahertz, tens of megahertz, the
// leading 1.
constexpr int kDrums = 5;
struct RadioDrums {
    int target[kDrums] = {0, 0, 0, 0, 1};
    double position[kDrums] = {};
};
struct ComHeadState {
    RadioDrums radio[2] = {};
};

constinit ComHeadState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBackground = 7083;
constexpr uint32_t kTransmitLight1 = 7580;
constexpr uint32_t kTransmitLight2 = 7581;
constexpr uint32_t kReceiveLight1 = 7582;
constexpr uint32_t kReceiveLight2 = 7583;
constexpr uint32_t kDigitWindow = 7584;    // its strip is 7585
constexpr uint32_t kChannelWindow = 7586;  // its strip is 7587
constexpr uint32_t kLeadingWindow = 7588;  // its strip is 7589

constexpr uint32_t kTokenCom1 = 23;
constexpr uint32_t kTokenCom2 = 870;
constexpr uint32_t kTokenCom2Transmits = 875;
constexpr uint32_t kTokenBothReceived = 876;

constexpr uint32_t kEventCom1WholeDown = 0x10064;
constexpr uint32_t kEventCom1WholeUp = 0x10065;
constexpr uint32_t kEventCom1FractionDown = 0x10066;
constexpr uint32_t kEventCom1FractionUp = 0x10067;
constexpr uint32_t kEventCom2WholeDown = 0x10384;
constexpr uint32_t kEventCom2WholeUp = 0x10385;
constexpr uint32_t kEventCom2FractionDown = 0x10386;
constexpr uint32_t kEventCom2FractionUp = 0x10388;
constexpr uint32_t kEventCom1Transmit = 0x1039F;
constexpr uint32_t kEventCom2Transmit = 0x103A0;
constexpr uint32_t kEventReceiveBoth = 0x103A2;

constexpr int kChannelDrum = 0;
constexpr int kLeadingDrum = 4;

// The drum targets of a frequency as the simulator holds it.
void set_targets(RadioDrums& drums, uint32_t bcd) {
    drums.target[kChannelDrum] = radios::hundredths_position(bcd & 0xF);
    drums.target[1] = static_cast<int>(bcd >> 4 & 0xF);
    drums.target[2] = static_cast<int>(bcd >> 8 & 0xF);
    drums.target[3] = static_cast<int>(bcd >> 12 & 0xF);
    drums.target[kLeadingDrum] = 1;
}

// --- Elements ----------------------------------------------------------------

template <int Radio, int Drum>
double FSAPI drum_position(ELEMENT_HEADER*) {
    RadioDrums& drums = state.radio[Radio];
    const drum::Steps& strip =
        Drum == kChannelDrum || Drum == kLeadingDrum ? drum::kFourDigits : drum::kTenDigits;
    drums.position[Drum] = drum::stepping_position(drums.position[Drum], drums.target[Drum], strip);
    return drums.position[Drum];
}

constexpr ElementSpec four_position_drum(const char* label, uint32_t window, PIXPOINT at,
                                         ELEMENT_VALUE_CALLBACK position) {
    return moving_image_spec(label, window, at, drum_column, 0, 1, position, 0, 4);
}

// Each radio's window reads left to right 1, tens, units . tenths, channel.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("COM 1 TX light", kTransmitLight1, {59, 20}, kIconFlags),
    icon_spec("COM 2 TX light", kTransmitLight2, {88, 20}),
    icon_spec("COM 1 RX light", kReceiveLight1, {8, 90}),
    icon_spec("COM 2 RX light", kReceiveLight2, {32, 90}),
    four_position_drum("COM 1 drum hundredths", kChannelWindow, {42, 22}, drum_position<0, 0>),
    drum_spec("COM 1 drum tenths",             kDigitWindow,   {33, 22}, drum_position<0, 1>),
    drum_spec("COM 1 drum MHz",                kDigitWindow,   {21, 22}, drum_position<0, 2>),
    drum_spec("COM 1 drum tens",               kDigitWindow,   {12, 22}, drum_position<0, 3>),
    four_position_drum("COM 1 drum hundreds",  kLeadingWindow, {3, 22},  drum_position<0, 4>),
    four_position_drum("COM 2 drum hundredths", kChannelWindow, {154, 22}, drum_position<1, 0>),
    drum_spec("COM 2 drum tenths",             kDigitWindow,   {145, 22}, drum_position<1, 1>),
    drum_spec("COM 2 drum MHz",                kDigitWindow,   {133, 22}, drum_position<1, 2>),
    drum_spec("COM 2 drum tens",               kDigitWindow,   {124, 22}, drum_position<1, 3>),
    four_position_drum("COM 2 drum hundreds",  kLeadingWindow, {115, 22}, drum_position<1, 4>),
};
// clang-format on
constexpr int kCom1TransmitLight = 1, kCom2TransmitLight = 2, kCom1ReceiveLight = 3, kCom2ReceiveLight = 4;

// --- Areas -------------------------------------------------------------------

bool reads_on(double flag) { return flag == 1.0; }

// The lower pushbuttons. With both radios heard, a press takes its own radio
// off the headsets and makes the other one the transmitter; with one radio
// heard, a press on the other radio's button puts that one on as well. The
// button of the only radio heard does nothing: the crew always hears one.
int32_t FSAPI receive_button_1(PIXPOINT*, uint32_t) {
    if (reads_on(host::value<kTokenBothReceived>())) {
        host::send_event(kEventReceiveBoth, 0);
        host::send_event(kEventCom2Transmit, 0);
    } else if (reads_on(host::value<kTokenCom2Transmits>())) {
        host::send_event(kEventReceiveBoth, 1);
    }
    return 0;
}

int32_t FSAPI receive_button_2(PIXPOINT*, uint32_t) {
    if (reads_on(host::value<kTokenBothReceived>())) {
        host::send_event(kEventReceiveBoth, 0);
        host::send_event(kEventCom1Transmit, 0);
    } else if (host::value<kTokenCom2Transmits>() == 0.0) {
        host::send_event(kEventReceiveBoth, 1);
    }
    return 0;
}

// The transmitter selector's buttons click as they are pressed.
template <uint32_t Event>
int32_t FSAPI transmit_button(PIXPOINT*, uint32_t) {
    sound::play_once(sound::SoundName::CLICK);
    host::send_event(Event, 0);
    return 0;
}

template <uint32_t Event>
int32_t FSAPI tune(PIXPOINT*, uint32_t) {
    host::send_event(Event, 0);
    return 0;
}

// clang-format off
constexpr AreaSpec kAreas[] = {
    area("COM 1 RX button", {3, 98, 24, 31},  CURSOR_HAND, receive_button_1),
    area("COM 2 RX button", {27, 98, 24, 31}, CURSOR_HAND, receive_button_2),
    area("COM 1 TX button", {54, 15, 29, 29}, CURSOR_HAND, transmit_button<kEventCom1Transmit>),
    area("COM 2 TX button", {83, 15, 29, 29}, CURSOR_HAND, transmit_button<kEventCom2Transmit>),
    knob_area("COM 1 outer knob up",   {0, 42, 33, 23},   CURSOR_UPARROW,   tune<kEventCom1WholeUp>),
    knob_area("COM 1 outer knob down", {0, 65, 33, 23},   CURSOR_DOWNARROW, tune<kEventCom1WholeDown>),
    knob_area("COM 1 inner knob up",   {33, 42, 33, 23},  CURSOR_UPARROW,   tune<kEventCom1FractionUp>),
    knob_area("COM 1 inner knob down", {33, 65, 33, 23},  CURSOR_DOWNARROW, tune<kEventCom1FractionDown>),
    knob_area("COM 2 outer knob up",   {100, 42, 33, 23}, CURSOR_UPARROW,   tune<kEventCom2WholeUp>),
    knob_area("COM 2 outer knob down", {100, 65, 33, 23}, CURSOR_DOWNARROW, tune<kEventCom2WholeDown>),
    knob_area("COM 2 inner knob up",   {133, 42, 33, 23}, CURSOR_UPARROW,   tune<kEventCom2FractionUp>),
    knob_area("COM 2 inner knob down", {133, 65, 33, 23}, CURSOR_DOWNARROW, tune<kEventCom2FractionDown>),
};
// clang-format on

// --- Update ------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    set_targets(state.radio[0], host::bits<kTokenCom1>());
    set_targets(state.radio[1], host::bits<kTokenCom2>());

    const bool com2_transmits = reads_on(host::value<kTokenCom2Transmits>());
    show_one_of(header, {kCom1TransmitLight, kCom2TransmitLight}, com2_transmits ? 1 : 0);

    const bool both_received = reads_on(host::value<kTokenBothReceived>());
    set_visible(header, kCom1ReceiveLight, both_received || !com2_transmits);
    set_visible(header, kCom2ReceiveLight, both_received || com2_transmits);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 164, callback);

}  // namespace kadrimos::gauges::radio_com
