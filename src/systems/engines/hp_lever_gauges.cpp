// "toskelin hp_lev_1_rulo", "toskelin hp_lev_2_rulo": the HP levers, the
// engines' fuel shut-off levers on the pedestal.
//
// A click moves the lever between shut (handle low) and open (handle high),
// silently and without power: it is a mechanical lever. The flight-deck
// update turns HpLever1Open and HpLever2Open into the host's engine fuel
// commands, with the DC essential bus.
//
// Inputs and outputs: HpLever1Open, HpLever2Open.
#include <array>
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE(hp_lev_1, "toskelin hp_lev_1_rulo")
KADRIMOS_GAUGE(hp_lev_2, "toskelin hp_lev_2_rulo")

namespace kadrimos::gauges {
namespace {

constexpr int kShut = 1, kOpen = 2;  // element depths

template <auto Lever>
int32_t FSAPI move_lever(PIXPOINT*, uint32_t) {
    uint8_t& lever = aircraft.*Lever;
    lever = lever == 1 ? 0 : 1;
    return 0;
}

template <auto Lever>
void FSAPI show_lever(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    show_one_of(*gauge, {kShut, kOpen}, aircraft.*Lever == 1 ? 1 : 0);
}

// One row a lever: its labels, its background (the lever's slot, with its
// number), its shut bitmap (the open one is 3 on) and its item.
struct LeverRow {
    const char* shut;
    const char* open;
    const char* handle;
    uint32_t background;
    uint32_t shut_bitmap;
    uint8_t AircraftState::*lever;
};
constexpr LeverRow kLevers[] = {
    {"HP LEVER 1 shut", "HP LEVER 1 open", "HP LEVER 1", 7054, 4745, &AircraftState::HpLever1Open},
    {"HP LEVER 2 shut", "HP LEVER 2 open", "HP LEVER 2", 7055, 4752, &AircraftState::HpLever2Open},
};

// Depth 1: handle low (shut); 2: handle high (open).
template <std::size_t L>
inline constexpr std::array<ElementSpec, 3> kLeverElements = {
    background_spec(kLevers[L].background),
    icon_spec(kLevers[L].shut, kLevers[L].shut_bitmap, {0, 0}),
    icon_spec(kLevers[L].open, kLevers[L].shut_bitmap + 3, {0, 0}),
};
template <std::size_t L>
inline constexpr std::array<AreaSpec, 1> kLeverAreas = {
    area(kLevers[L].handle, {0, 0, 35, 63}, CURSOR_HAND, move_lever<kLevers[L].lever>),
};

}  // namespace

template <std::size_t L, GAUGEHDR& Header>
using HpLever = ListedGauge<kLeverElements<L>, kLeverAreas<L>, 35, show_lever<kLevers[L].lever>, Header>;

}  // namespace kadrimos::gauges

KADRIMOS_FAMILY_GAUGE(hp_lev_1, HpLever, 0)
KADRIMOS_FAMILY_GAUGE(hp_lev_2, HpLever, 1)
