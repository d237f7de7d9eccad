// "toskelin flt_deck_lt_rulo": the flight-deck lighting panel.
//
// Two switches: the flight-deck light (ON / OFF) and the annunciator light
// selector (TEST / BRT / DIM). The selector in TEST is the lamp test that
// lights every annunciator that tests it.
//
// The aircraft's systems solver also runs in this gauge's update, before the
// switches are drawn: the electrical network, then the hydraulic power and
// system monitors, then, at the first update only, the start-up switch set.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/electrical/hydraulic_power.h"
#include "systems/electrical/network.h"

KADRIMOS_GAUGE(flt_deck_lt, "toskelin flt_deck_lt_rulo")

namespace kadrimos::gauges::flt_deck_lt {
namespace {

// Annunciator light selector positions.
enum AnnLightPosition : uint8_t { kAnnBright = 0, kAnnDim = 1, kAnnTest = 2 };

// Elements 1 and 2: the flight-deck light switch (OFF, ON); 3 to 5: the
// annunciator selector (DIM, BRT, TEST).
constexpr ElementSpec kElements[] = {
    background_spec(4723),
    icon_spec("FLT DECK LT OFF", 4726, {53, 34}),
    icon_spec("FLT DECK LT ON", 4729, {53, 14}),
    icon_spec("ANN LT DIM", 4732, {102, 43}),
    icon_spec("ANN LT BRT", 4735, {107, 26}),
    icon_spec("ANN LT TEST", 4738, {113, 9}),
};

constexpr auto kAreas = area_list(position_switch<&AircraftState::FltDeckLightSwitch, 1, 0>(
                                      {53, 14, 33, 40}, {"FLT DECK LT ON", "FLT DECK LT OFF"}),
                                  area("ANN LT TEST", {113, 9, 33, 17}, CURSOR_UPARROW,
                                       set_position<&AircraftState::AnnLightSelector, kAnnTest>),
                                  area("ANN LT BRT", {107, 26, 33, 17}, CURSOR_HAND,
                                       set_position<&AircraftState::AnnLightSelector, kAnnBright>),
                                  area("ANN LT DIM", {102, 43, 33, 17}, CURSOR_DOWNARROW,
                                       set_position<&AircraftState::AnnLightSelector, kAnnDim>));

// The switch bitmaps and the lamp test, last in the update.
void show_light_switches() {
    const bool on = aircraft.FltDeckLightSwitch == 1;
    set_visible(header, 1, !on);
    set_visible(header, 2, on);
    const uint8_t selector = aircraft.AnnLightSelector;
    show_one_of(header, {3, 4, 5}, selector == kAnnDim ? 0 : selector == kAnnTest ? 2 : 1);
    aircraft.AnnLightTest = selector == kAnnTest ? 1 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    electrical::solve_network();
    electrical::solve_hydraulics_and_monitors();
    electrical::apply_startup_switches();
    show_light_switches();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 165, callback);

}  // namespace kadrimos::gauges::flt_deck_lt
