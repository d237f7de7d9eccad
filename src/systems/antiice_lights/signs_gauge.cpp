// "toskelin signs_rulo": the passenger signs, SEAT BELTS and NO SMOKING.
//
// Each switch lights its sign in the cabin; the cabin hears it change by the
// chime, a high tone as a sign comes on and a low one as it goes off. The
// chime needs the DC essential bus; the switch's click does not. The chimes
// are the gauge's only sounds besides the clicks; its update only shows the
// switches.
//
// Inputs: the two switches (own state), DcEssBusPowered (at the click).
#include <array>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switches.h"
#include "sound/sound_bank.h"
#include "systems/antiice_lights/antiice_lights_state.h"

KADRIMOS_GAUGE_WITH_STATE(signs, "toskelin signs_rulo")

namespace kadrimos::gauges::signs {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBitmap = 5676;  // the background's; element k has kBitmap + k

State& self = state;

// Elements 1 and 2: SEAT BELTS at OFF and ON; 3 and 4: NO SMOKING.
constexpr NumberedIcon kIcons[] = {
    {"SEAT BELTS OFF", {16, 0}},
    {"SEAT BELTS ON", {16, 0}},
    {"NO SMOKING OFF", {2, 43}},
    {"NO SMOKING ON", {2, 43}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

// A sign switch: clicks as it moves, and chimes if the chime has power.
template <auto Item, uint8_t Position>
int32_t FSAPI move_sign(PIXPOINT*, uint32_t) {
    if (move_switch(self.*Item, Position) && aircraft.DcEssBusPowered == 1)
        sound::play_once(Position == 1 ? sound::SoundName::HI : sound::SoundName::LO);
    return 0;
}

// Each switch: upper band ON, lower band OFF, standing a little to its left.
template <auto Item>
constexpr std::array<AreaSpec, 2> sign_switch(const char* on, PIXPOINT upper, const char* off,
                                              PIXPOINT lower) {
    return {area(on, {upper.x, upper.y, 33, 20}, CURSOR_UPARROW, move_sign<Item, 1>),
            area(off, {lower.x, lower.y, 33, 20}, CURSOR_DOWNARROW, move_sign<Item, 0>)};
}

constexpr auto kAreas =
    join<AreaSpec>(sign_switch<&State::seat_belts>("SEAT BELTS ON", {21, 0}, "SEAT BELTS OFF", {16, 20}),
                   sign_switch<&State::no_smoking>("NO SMOKING ON", {7, 43}, "NO SMOKING OFF", {2, 63}));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {1, 2}, self.seat_belts == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, self.no_smoking == 1 ? 1 : 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 57, callback);

}  // namespace kadrimos::gauges::signs
