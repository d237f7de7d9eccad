// "toskelin radio_tsp_rulo": the transponder code selector.
//
// Four octal digit drums show the code the simulator's transponder replies
// with; under each drum a knob steps its digit up (upper half) or down
// (lower half), repeating while held. The code lives in the simulator, which
// keeps it as four binary-coded digits, one a nibble, 0 to 7; the selector
// keeps no code of its own. The knobs send their events whatever the power.
//
// Inputs: token 38 (transponder code, BCD).
// Outputs: key events 65651 to 65654 (thousands to units up) and 66455 to
// 66458 (down).
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(radio_tsp, "toskelin radio_tsp_rulo")

namespace kadrimos::gauges::radio_tsp {

namespace {

constexpr int kDigits = 4;  // thousands, hundreds, tens, units

struct TransponderHeadState {
    uint8_t target[kDigits] = {};
    double position[kDigits] = {};
};

}  // namespace

constinit TransponderHeadState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

TransponderHeadState& self = state;

constexpr uint32_t kBackground = 7082;
constexpr uint32_t kEightWindow = 7970;  // its strip 7971: 0 to 7 and 0

template <int D>
double FSAPI drum(ELEMENT_HEADER*) {
    self.position[D] = drum::stepping_position(self.position[D], self.target[D], drum::kEightDigits);
    return self.position[D];
}

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("XPDR thousands drum", kEightWindow, {39, 4},  drum_column, 0, 1, drum<0>, 0, 8),
    moving_image_spec("XPDR hundreds drum",  kEightWindow, {67, 4},  drum_column, 0, 1, drum<1>, 0, 8),
    moving_image_spec("XPDR tens drum",      kEightWindow, {95, 4},  drum_column, 0, 1, drum<2>, 0, 8),
    moving_image_spec("XPDR units drum",     kEightWindow, {123, 4}, drum_column, 0, 1, drum<3>, 0, 8),
};
// clang-format on

// --- Areas ---------------------------------------------------------------------------

template <uint32_t Event>
int32_t FSAPI send(PIXPOINT*, uint32_t) {
    host::send_event(Event, 0);
    return 0;
}

// Columns: label, box, cursor, event (thousands to units, up then down).
constexpr auto kAreas =
    join<AreaSpec>(knob_area("XPDR thousands up", {32, 41, 28, 19}, CURSOR_UPARROW, send<65651>),
                   knob_area("XPDR thousands down", {32, 60, 28, 19}, CURSOR_DOWNARROW, send<66455>),
                   knob_area("XPDR hundreds up", {60, 41, 28, 19}, CURSOR_UPARROW, send<65652>),
                   knob_area("XPDR hundreds down", {60, 60, 28, 19}, CURSOR_DOWNARROW, send<66456>),
                   knob_area("XPDR tens up", {88, 41, 28, 19}, CURSOR_UPARROW, send<65653>),
                   knob_area("XPDR tens down", {88, 60, 28, 19}, CURSOR_DOWNARROW, send<66457>),
                   knob_area("XPDR units up", {116, 41, 28, 19}, CURSOR_UPARROW, send<65654>),
                   knob_area("XPDR units down", {116, 60, 28, 19}, CURSOR_DOWNARROW, send<66458>));

// --- Update ----------------------------------------------------------------------------

// The code's digits, a nibble each. A nibble above 7 is no octal digit: its
// drum stops on 7, the last figure of its strip.
void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const uint32_t code = host::bits<38>();
    for (int d = 0; d < kDigits; ++d) {
        const uint32_t digit = code >> (4 * (kDigits - 1 - d)) & 0xF;
        self.target[d] = static_cast<uint8_t>(digit > 7 ? 7 : digit);
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 179, callback);

}  // namespace kadrimos::gauges::radio_tsp
