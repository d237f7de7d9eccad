// "toskelin hp_lev_1_rulo", "toskelin hp_lev_2_rulo": the HP levers, the
// engines' fuel shut-off levers on the pedestal.
//
// A click moves the lever between shut (handle low) and open (handle high),
// silently and without power: it is a mechanical lever. The flight-deck
// update turns HpLever1Open and HpLever2Open into the host's engine fuel
// commands, with the DC essential bus.
//
// Inputs and outputs: HpLever1Open, HpLever2Open.
#include <cstdint>

#include "module/catalog.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/elements.h"
#include "panel/mouse.h"

namespace kadrimos::gauges {
namespace {

constexpr uint32_t kBackgroundBitmap = 4096;
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

}  // namespace

// --- HP lever 1 -------------------------------------------------------------------
namespace hp_lev_1 {
namespace {
// Depth 1: handle low (shut); 2: handle high (open).
constinit ELEMENT_ICON open = icon(header, 4748, {0, 0}, no_children);
constinit ELEMENT_ICON shut = icon(header, 4745, {0, 0}, next_of<open>);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBackgroundBitmap, next_of<shut>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};
constinit auto mouse = mouse_table(0, {
    area({0, 0, 35, 63}, CURSOR_HAND, move_lever<&AircraftState::HpLever1Open>),
});
}  // namespace
constinit GAUGEHDR header =
    gauge_header("toskelin hp_lev_1_rulo", 35, elements, mouse.rect, show_lever<&AircraftState::HpLever1Open>);
}  // namespace hp_lev_1

// --- HP lever 2 -------------------------------------------------------------------
namespace hp_lev_2 {
namespace {
constinit ELEMENT_ICON open = icon(header, 4755, {0, 0}, no_children);
constinit ELEMENT_ICON shut = icon(header, 4752, {0, 0}, next_of<open>);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBackgroundBitmap, next_of<shut>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};
constinit auto mouse = mouse_table(0, {
    area({0, 0, 35, 63}, CURSOR_HAND, move_lever<&AircraftState::HpLever2Open>),
});
}  // namespace
constinit GAUGEHDR header =
    gauge_header("toskelin hp_lev_2_rulo", 35, elements, mouse.rect, show_lever<&AircraftState::HpLever2Open>);
}  // namespace hp_lev_2

}  // namespace kadrimos::gauges
