// "toskelin radio_nav_rulo": the control head of the two navigation receivers.
//
// One head for both receivers. The selector at the top chooses the receiver
// the two tuning knobs act on and whose frequency the drums show; a small
// indicator beside it shows which one. The frequencies live in the
// simulator: the left knob sends the whole-megahertz events, the right knob
// the fractional ones, and the drums read the frequency back. The knobs turn
// while held, their pointers stepping round a sixteen-position scale.
//
// The head is fed by the DC essential bus: without it the drums stand on the
// last frequencies read. The knobs are mechanical and send their events
// whatever the power.
//
// A frequency is held by the simulator as four binary-coded digits without
// the leading 1 (108.05 MHz is 0x0805). The hundredths drum has four
// positions, 0, 2, 5 and 7; any other hundredths digit shows 0.
//
// Inputs: DcEssBusPowered; tokens 24 and 27 (NAV 1 and NAV 2 frequency, BCD).
// Outputs: key events 65640 to 65647 (NAV 1/2 whole and fractional, down
// and up).
#include <cstdint>

#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "radios/hundredths_drum.h"

KADRIMOS_GAUGE_WITH_STATE(radio_nav, "toskelin radio_nav_rulo")

namespace kadrimos::gauges::radio_nav {

namespace {

constexpr int kDrums = 5;  // hundreds of MHz, tens, units, tenths, hundredths
constexpr uint8_t kKnobPositions = 16;

struct Receiver {
    uint32_t frequency_bcd = 0;  // last value read while powered
    uint8_t target[kDrums] = {};
    double position[kDrums] = {};
};

struct NavHeadState {
    uint8_t NavSelector = 1;
    uint8_t NavKnob1Pos = 4;
    uint8_t NavKnob2Pos = 4;
    Receiver receiver[2] = {};
};

}  // namespace

constinit NavHeadState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

NavHeadState& self = state;

constexpr uint32_t kBackground = 7080;
constexpr uint32_t kIndicatorBitmap = 7950;  // receiver 2's is the next one
constexpr uint32_t kPointerBitmap = 7952;
constexpr uint32_t kFourWindow = 7953;        // its strip 7954: 0 1 2 3 0
constexpr uint32_t kTenWindow = 7955;         // its strip 7956: 0 to 9 and 0
constexpr uint32_t kHundredthsWindow = 7957;  // its strip 7958: 0 2 5 7 0

void split(Receiver& r) {
    const uint32_t f = r.frequency_bcd;
    r.target[0] = 1;
    r.target[1] = static_cast<uint8_t>(f >> 12 & 0xF);
    r.target[2] = static_cast<uint8_t>(f >> 8 & 0xF);
    r.target[3] = static_cast<uint8_t>(f >> 4 & 0xF);
    r.target[4] = static_cast<uint8_t>(radios::hundredths_position(f & 0xF));
}

// --- Elements --------------------------------------------------------------------

template <int R, int D>
double FSAPI drum(ELEMENT_HEADER*) {
    constexpr const drum::Steps& steps = (D == 0 || D == kDrums - 1) ? drum::kFourDigits : drum::kTenDigits;
    Receiver& r = self.receiver[R];
    r.position[D] = drum::stepping_position(r.position[D], r.target[D], steps);
    return r.position[D];
}

double FSAPI knob1_pointer(ELEMENT_HEADER*) {
    return clamp_write_back(self.NavKnob1Pos, uint8_t{0}, uint8_t{kKnobPositions - 1});
}
double FSAPI knob2_pointer(ELEMENT_HEADER*) {
    return clamp_write_back(self.NavKnob2Pos, uint8_t{0}, uint8_t{kKnobPositions - 1});
}

// The knob pointers, a sixteenth of a turn a step, 0 at twelve o'clock,
// clockwise; one table each, as each knob turns about its own centre.
#define KADRIMOS_KNOB_SCALE(name, cx, cy)                                                     \
    constinit NONLINEARITY name[] = {                                                         \
        {{cx, cy - 14}, 0, 0},      {{cx + 10, cy - 10}, 2, 0},  {{cx + 14, cy}, 4, 0},       \
        {{cx + 10, cy + 10}, 6, 0}, {{cx, cy + 14}, 8, 0},       {{cx - 10, cy + 10}, 10, 0}, \
        {{cx - 14, cy}, 12, 0},     {{cx - 10, cy - 10}, 14, 0}, {{cx - 5, cy - 13}, 15, 0},  \
    }
KADRIMOS_KNOB_SCALE(knob1_scale, 33, 86);
KADRIMOS_KNOB_SCALE(knob2_scale, 93, 86);
#undef KADRIMOS_KNOB_SCALE

constexpr Placement kKnob1 = {{33, 86}, {2, 2}};
constexpr Placement kKnob2 = {{93, 86}, {2, 2}};

template <int R>
constexpr ElementSpec drums_of(int d, const char* label, PIXPOINT at) {
    ElementSpec s =
        d == 0   ? moving_image_spec(label, kFourWindow, at, drum_column, 0, 1, drum<R, 0>, 0, 4)
        : d == 1 ? drum_spec(label, kTenWindow, at, drum<R, 1>)
        : d == 2 ? drum_spec(label, kTenWindow, at, drum<R, 2>)
        : d == 3 ? drum_spec(label, kTenWindow, at, drum<R, 3>)
                 : moving_image_spec(label, kHundredthsWindow, at, drum_column, 0, 1, drum<R, 4>, 0, 4);
    return R == 1 ? hidden_at_load(s) : s;
}

// Drum columns, left to right, and the gap for the decimal point.
constexpr PIXPOINT kDrumAt[kDrums] = {{22, 38}, {36, 38}, {50, 38}, {68, 38}, {82, 38}};

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("NAV 1 indicator", kIndicatorBitmap,     {84, 10}, kIconFlags),
    icon_spec("NAV 2 indicator", kIndicatorBitmap + 1, {84, 10}),
    needle_spec("NAV whole MHz knob pointer",      kPointerBitmap, kKnob1, knob1_pointer, knob1_scale),
    needle_spec("NAV fractional MHz knob pointer", kPointerBitmap, kKnob2, knob2_pointer, knob2_scale),
    drums_of<0>(0, "NAV 1 hundreds drum",   kDrumAt[0]),
    drums_of<0>(1, "NAV 1 tens drum",       kDrumAt[1]),
    drums_of<0>(2, "NAV 1 units drum",      kDrumAt[2]),
    drums_of<0>(3, "NAV 1 tenths drum",     kDrumAt[3]),
    drums_of<0>(4, "NAV 1 hundredths drum", kDrumAt[4]),
    drums_of<1>(0, "NAV 2 hundreds drum",   kDrumAt[0]),
    drums_of<1>(1, "NAV 2 tens drum",       kDrumAt[1]),
    drums_of<1>(2, "NAV 2 units drum",      kDrumAt[2]),
    drums_of<1>(3, "NAV 2 tenths drum",     kDrumAt[3]),
    drums_of<1>(4, "NAV 2 hundredths drum", kDrumAt[4]),
};
// clang-format on
constexpr int kIndicator1 = depth_of(kElements, "NAV 1 indicator");
constexpr int kIndicator2 = depth_of(kElements, "NAV 2 indicator");
constexpr int kFirstDrum1 = depth_of(kElements, "NAV 1 hundreds drum");
constexpr int kFirstDrum2 = depth_of(kElements, "NAV 2 hundreds drum");

// --- Areas ---------------------------------------------------------------------------

// Tuning events: NAV 1 whole down, whole up, fractional down, fractional up;
// NAV 2 the same four numbers on.
constexpr uint32_t kNav1WholeDec = 65640;
constexpr uint32_t kNav2WholeDec = 65644;

// One click of a tuning knob: the event for the receiver selected at the
// time of the click, and the knob's pointer a step round.
template <int Offset, uint8_t NavHeadState::*Knob, int Step>
int32_t FSAPI turn(PIXPOINT*, uint32_t) {
    host::send_event((self.NavSelector == 2 ? kNav2WholeDec : kNav1WholeDec) + Offset, 0);
    self.*Knob = static_cast<uint8_t>((self.*Knob + kKnobPositions + Step) % kKnobPositions);
    return 0;
}

int32_t FSAPI selector(PIXPOINT*, uint32_t) {
    self.NavSelector = self.NavSelector == 2 ? 1 : 2;
    return 0;
}

constexpr auto kAreas = join<AreaSpec>(
    knob_area("NAV whole MHz down", {3, 58, 30, 56}, CURSOR_DOWNARROW,
              turn<0, &NavHeadState::NavKnob1Pos, -1>),
    knob_area("NAV whole MHz up", {33, 58, 30, 56}, CURSOR_UPARROW, turn<1, &NavHeadState::NavKnob1Pos, 1>),
    knob_area("NAV fractional MHz down", {63, 58, 30, 56}, CURSOR_DOWNARROW,
              turn<2, &NavHeadState::NavKnob2Pos, -1>),
    knob_area("NAV fractional MHz up", {93, 58, 30, 56}, CURSOR_UPARROW,
              turn<3, &NavHeadState::NavKnob2Pos, 1>),
    area("NAV selector", {24, 0, 75, 33}, CURSOR_HAND, selector));

// --- Update ----------------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    if (aircraft.DcEssBusPowered == 1) {
        self.receiver[0].frequency_bcd = host::bits<24>();
        self.receiver[1].frequency_bcd = host::bits<27>();
    }
    split(self.receiver[0]);
    split(self.receiver[1]);
    const bool second = self.NavSelector == 2;
    set_visible(header, kIndicator1, !second);
    set_visible(header, kIndicator2, second);
    for (int d = 0; d < kDrums; ++d) {
        set_visible(header, kFirstDrum1 + d, !second);
        set_visible(header, kFirstDrum2 + d, second);
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 127, callback);

}  // namespace kadrimos::gauges::radio_nav
