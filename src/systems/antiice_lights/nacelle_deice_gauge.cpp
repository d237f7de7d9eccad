// "toskelin nacelle_deice_rulo": the NACELLE ANTI ICE panel.
//
// One valve switch an engine (VALVE OPEN / CLOSE). Opening a valve takes 27
// ticks (a second and a half), during which the engine's amber TRANSIT light
// is lit; once it is open the simulator's anti-ice of that engine is switched
// on. Closing it, or losing the DC normal bus that drives the valves, shuts
// the valve at once and switches the simulator's anti-ice off again. Each
// engine follows its own valve.
//
// Inputs: the two valve switches (own state), DcNormBusPowered; tokens 1
// (ticks), 883 and 884 (the host's engine 1 and 2 anti-ice, exactly 1.0 on,
// 0.0 off).
// Outputs: key events 0x103B4 (engine 1) and 0x103B5 (engine 2), toggles.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "panel/switches.h"
#include "panel/timing.h"
#include "systems/antiice_lights/antiice_lights_state.h"

KADRIMOS_GAUGE_WITH_STATE(nacelle_deice, "toskelin nacelle_deice_rulo")

namespace kadrimos::gauges::nacelle_deice {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBitmap = 5640;  // the background's; element k has kBitmap + k

constexpr uint32_t kTickToken = 1;
constexpr uint32_t kEngine1AntiIceToken = 883;
constexpr uint32_t kEngine2AntiIceToken = 884;
constexpr uint32_t kToggleAntiIce[] = {0x103B4, 0x103B5};  // engine 1, engine 2

constexpr double kTransitTicks = 27;

State& self = state;

// --- Elements and areas --------------------------------------------------------

template <std::size_t Engine, uint8_t Position>
int32_t FSAPI set_valve_switch(PIXPOINT*, uint32_t) {
    move_switch(self.valve_switch[Engine], Position);
    return 0;
}

template <std::size_t Engine>
constexpr Toggle valve_switch(int32_t x, const char* open, const char* close) {
    return {open, close, {x, 57, 49, 42}, set_valve_switch<Engine, 1>, set_valve_switch<Engine, 0>};
}

// Elements 1 to 4: the valve switches, lower (CLOSE) then upper (VALVE OPEN):
// engine 1, engine 2; 5 and 6: the TRANSIT lights of engines 1 and 2.
constexpr Toggle kSwitches[] = {
    valve_switch<0>(17, "ENG 1 VALVE OPEN", "ENG 1 CLOSE"),
    valve_switch<1>(121, "ENG 2 VALVE OPEN", "ENG 2 CLOSE"),
};
constexpr NumberedIcon kLights[] = {
    {"ENG 1 TRANSIT light", {20, 34}},
    {"ENG 2 TRANSIT light", {124, 34}},
};
constexpr auto kElements = numbered_elements(kBitmap, join<NumberedIcon>(toggle_icons(kSwitches), kLights));
constexpr auto kAreas = toggle_areas(kSwitches);

constexpr int kFirstTransitLight = 5;

// --- Update --------------------------------------------------------------------

// Engine `e`'s valve: it starts to open when selected open with the bus
// alive, is open once its travel is over, and shuts at once when selected
// closed or when the bus drops. The travel ends on a whole tick. While the
// clock cannot be read a valve neither starts nor ends its travel.
void move_valve(std::size_t e, bool clock_readable, double now, bool powered) {
    uint8_t& valve = self.valve[e];
    timing::Deadline& end = self.transit_end[e];
    const bool selected_open = self.valve_switch[e] == 1;
    if (clock_readable && selected_open && powered) {
        if (valve == kValveClosed) {
            valve = kValveInTransit;
            timing::set_until(end, now, to_integer<int32_t>(now) + kTransitTicks);
        }
        if (valve == kValveInTransit && timing::due(end, now)) valve = kValveOpen;
    }
    if (!selected_open || !powered) {
        valve = kValveClosed;
        timing::clear(end);
    }
}

// The simulator's anti-ice of the engine is on exactly while its valve is
// open; a reading that is neither on nor off sends nothing.
void command_host(std::size_t e, double host_anti_ice) {
    const bool open = self.valve[e] == kValveOpen;
    if (open ? host_anti_ice == 0.0 : host_anti_ice == 1.0) host::send_event(kToggleAntiIce[e]);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {1, 2}, self.valve_switch[0] == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, self.valve_switch[1] == 1 ? 1 : 0);

    const double now = host::value<kTickToken>();
    const bool clock_readable = std::isfinite(now);
    const double host_anti_ice[] = {host::value<kEngine1AntiIceToken>(), host::value<kEngine2AntiIceToken>()};
    const bool powered = aircraft.DcNormBusPowered == 1;
    for (std::size_t e = 0; e < 2; ++e) {
        move_valve(e, clock_readable, now, powered);
        command_host(e, host_anti_ice[e]);
        light(header, kFirstTransitLight + static_cast<int>(e), powered, self.valve[e] == kValveInTransit);
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 184, callback);

}  // namespace kadrimos::gauges::nacelle_deice
