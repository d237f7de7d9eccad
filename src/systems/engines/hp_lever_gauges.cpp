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
constexpr ElementSpec kElements[] = {
    background_spec(kBackgroundBitmap),
    icon_spec("HP LEVER 1 shut", 4745, {0, 0}),
    icon_spec("HP LEVER 1 open", 4748, {0, 0}),
};
constexpr AreaSpec kAreas[] = {
    area("HP LEVER 1", {0, 0, 35, 63}, CURSOR_HAND, move_lever<&AircraftState::HpLever1Open>),
};
}  // namespace
constinit GAUGEHDR header =
    gauge_of<kElements, kAreas, header>(kName, 35, show_lever<&AircraftState::HpLever1Open>);
constinit const GaugeLabels labels = {kElements, kAreas};
}  // namespace hp_lev_1

// --- HP lever 2 -------------------------------------------------------------------
namespace hp_lev_2 {
namespace {
constexpr ElementSpec kElements[] = {
    background_spec(kBackgroundBitmap),
    icon_spec("HP LEVER 2 shut", 4752, {0, 0}),
    icon_spec("HP LEVER 2 open", 4755, {0, 0}),
};
constexpr AreaSpec kAreas[] = {
    area("HP LEVER 2", {0, 0, 35, 63}, CURSOR_HAND, move_lever<&AircraftState::HpLever2Open>),
};
}  // namespace
constinit GAUGEHDR header =
    gauge_of<kElements, kAreas, header>(kName, 35, show_lever<&AircraftState::HpLever2Open>);
constinit const GaugeLabels labels = {kElements, kAreas};
}  // namespace hp_lev_2

}  // namespace kadrimos::gauges
