// "toskelin rudder_travel_rulo": the two rudder travel systems, each with its
// ON/OFF switch and a fault light in its RESET button.
//
// A fault is acknowledged by a reset cycle: press RESET (latch 1), switch
// the system off (latch 2) and on again (latch 0). Until the cycle is
// complete, or while the system is switched off, its light stays on. With
// both systems off the rudder is no longer limited and the host is told so
// on every update.
//
// Inputs: the switches and latches (private state), DcNormBusPowered (fault
// lights), DcEssBusPowered, HydStateBlue, HydStateGreen, HydStateYellow.
// Outputs: RudderTravelFault (raised by a lit light, cleared once both
// systems are on with their latches at rest), RudderTravelPowered, key event
// 0x10099 (both systems off).
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/hydraulics/flight_controls_state.h"

KADRIMOS_GAUGE(rudder_travel, "toskelin rudder_travel_rulo")

namespace kadrimos::gauges::rudder_travel {
namespace {

using namespace flight_controls;

constexpr uint32_t kBothSystemsOff = 0x10099;  // 65689
constexpr uint32_t kBitmap = 5300;             // the background's; element k has kBitmap + k

FlightControlsState& panel = private_state.flight_controls;

// --- Elements and mouse ------------------------------------------------------

// Switching on completes a reset cycle; switching off after a reset is its
// middle step. The switch clicks only when it moves.
template <std::size_t System, uint8_t Position>
int32_t FSAPI move_travel_switch(PIXPOINT*, uint32_t) {
    move_switch(panel.RudderTravelSwitch[System], Position);
    uint8_t& latch = panel.RudderTravelLatch[System];
    if (Position == 1 && latch == kLatchSwitchedOffAfterReset) latch = kLatchNormal;
    if (Position == 0 && latch == kLatchResetPressed) latch = kLatchSwitchedOffAfterReset;
    return 0;
}

template <std::size_t System>
int32_t FSAPI reset(PIXPOINT*, uint32_t) {
    move_switch(panel.RudderTravelLatch[System], kLatchResetPressed);
    return 0;
}

// Elements 1 to 4: switch 1 OFF and ON, switch 2 OFF and ON; 5 and 6: the
// fault lights of systems 1 and 2, in their RESET buttons. Areas: switch 1
// ON and OFF, switch 2 ON and OFF, RESET 1, RESET 2.
constexpr Toggle kSwitches[] = {
    {"RUDDER TRAVEL 1 ON",
     "RUDDER TRAVEL 1 OFF",
     {56, 14, 31, 50},
     move_travel_switch<0, 1>,
     move_travel_switch<0, 0>},
    {"RUDDER TRAVEL 2 ON",
     "RUDDER TRAVEL 2 OFF",
     {100, 14, 31, 50},
     move_travel_switch<1, 1>,
     move_travel_switch<1, 0>},
};
constexpr NumberedIcon kFaultLights[] = {
    {"RUDDER TRAVEL 1 FAULT light", {10, 28}},
    {"RUDDER TRAVEL 2 FAULT light", {134, 28}},
};
constexpr auto kElements =
    numbered_elements(kBitmap, join<NumberedIcon>(toggle_icons(kSwitches), kFaultLights));
constexpr auto kAreas = area_list(toggle_areas(kSwitches, SwitchCursors::hand),
                                  area("RUDDER TRAVEL 1 RESET", {10, 28, 42, 22}, CURSOR_HAND, reset<0>),
                                  area("RUDDER TRAVEL 2 RESET", {134, 28, 42, 22}, CURSOR_HAND, reset<1>));

constexpr int kFirstSwitch = 1;  // system k's OFF bitmap at 1 + 2k, ON at 2 + 2k
constexpr int kFirstFault = 5;   // system k's light at 5 + k

// --- Update ------------------------------------------------------------------

bool system_on(std::size_t k) { return panel.RudderTravelSwitch[k] == 1; }
bool at_rest(std::size_t k) { return system_on(k) && panel.RudderTravelLatch[k] == kLatchNormal; }

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    const bool dc_norm = a.DcNormBusPowered == 1;
    for (std::size_t k = 0; k < kRudderTravelSystemCount; ++k) {
        const int off = kFirstSwitch + 2 * static_cast<int>(k);
        show_one_of(header, {off, off + 1}, system_on(k) ? 1 : 0);
        const bool lit = dc_norm && !at_rest(k);
        set_visible(header, kFirstFault + static_cast<int>(k), lit);
        if (lit) a.RudderTravelFault = 1;
    }
    if (at_rest(0) && at_rest(1)) a.RudderTravelFault = 0;

    const bool any_on = system_on(0) || system_on(1);
    if (!any_on) host::send_event(kBothSystemsOff);

    const bool hydraulics = a.HydStateBlue != 0 || a.HydStateGreen != 0 || a.HydStateYellow != 0;
    a.RudderTravelPowered = (any_on && a.DcEssBusPowered == 1 && hydraulics) ? 1 : 0;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 189, callback);

}  // namespace kadrimos::gauges::rudder_travel
