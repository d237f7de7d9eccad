// The flight engineer's hydraulic panel: its switches and lights.
//
// "toskelin hydrau_press_rulo"  the BLUE-GREEN and GREEN-YELLOW interconnection
//                               switches, the engine pump lamps, the electric
//                               pump lamp, the pump-transition lamp and the
//                               three LO PRESS lights; publishes HydFault
// "toskelin hydrau_pumps_rulo"  the four engine pump switches (pump 1 blue on
//                               engine 1, 2 green on engine 1, 3 green on
//                               engine 2, 4 yellow on engine 2), the two
//                               electric pump switches, the pump legend lamps
//
// An engine pump switch does not hold a position of its own: it starts or
// stops the pump, whose state the hydraulic power step ramps by 5 per update.
// ON sets 100, from which the pump spools up to 200 (delivering); OFF sets 95,
// from which it runs down to 0. A state above 95 shows the switch ON.
//
// Inputs: HydPump1Spool to HydPump4Spool, the interconnection and electric
// pump switches, HydPressBlue, HydPressGreenA, HydPressGreenB,
// HydPressYellow, HydElecPumpRunning, DcEssBusPowered, DcNormBusPowered,
// AcEssNormPowered.
// Outputs: the switch items, HydFault, the light latches (private state).
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/hydraulics/hydraulic_panel_state.h"

KADRIMOS_GAUGE(hydrau_press, "toskelin hydrau_press_rulo")
KADRIMOS_GAUGE(hydrau_pumps, "toskelin hydrau_pumps_rulo")

namespace kadrimos::hydraulics {
namespace {

// Engine pump states, as the hydraulic power step ramps them.
constexpr uint8_t kPumpStarted = 100;      // ON: spool-up begins here
constexpr uint8_t kPumpStopped = 95;       // OFF: run-down begins here
constexpr uint8_t kPumpSpoolingTop = 195;  // the last state before delivering
constexpr int32_t kLowPressurePsi = 1750;

bool is_on(uint8_t item) { return item == 1; }

// The switch stands ON from the start of spool-up on.
bool pump_switched_on(uint8_t state) { return state > kPumpStopped; }

// Spooling up: started, not yet delivering.
bool pump_spooling_up(uint8_t state) { return state >= kPumpStarted && state <= kPumpSpoolingTop; }

// A pump lamp is lit while its pump runs down or delivers, dark while it
// spools up and once it has stopped.
bool pump_lamp_lit(uint8_t state) {
    return (state >= 1 && state <= kPumpStopped) || state > kPumpSpoolingTop;
}

// Bitmaps.
constexpr uint32_t kPressPanelBitmap = 4504;
constexpr uint32_t kPumpPanelBitmap = 4507;
constexpr uint32_t kSwitchUp = 4137;
constexpr uint32_t kSwitchDown = 4134;
constexpr uint32_t kPumpLampLit = 4480;
constexpr uint32_t kPumpLampOther = 4483;
constexpr uint32_t kElecPumpLampLit = 4486;
constexpr uint32_t kElecPumpLampOther = 4489;
constexpr uint32_t kTransitionLamp = 4492;
constexpr uint32_t kLowPressLight = 4495;
constexpr uint32_t kLegendLampLit = 4498;
constexpr uint32_t kLegendLampOther = 4501;

}  // namespace
}  // namespace kadrimos::hydraulics

// --- Interconnections and lights ---------------------------------------------------

namespace kadrimos::gauges::hydrau_press {
namespace {

using namespace kadrimos::hydraulics;

HydraulicPanelState& panel = private_state.hydraulic_panel;

// Depth, bitmap, position: 1-2 BLUE-GREEN switch on/off, 3-4 GREEN-YELLOW
// switch on/off, 5-12 the engine pump lamps (lit, other) of pumps 1 to 4
// from the left, 13-14 electric pump lamp lit/other, 15 pump-transition lamp,
// 16-18 LO PRESS blue, green, yellow.
constexpr ElementSpec kElements[] = {
    background_spec(kPressPanelBitmap),
    icon_spec("BLUE-GREEN ON", kSwitchUp, {80, 62}),
    icon_spec("BLUE-GREEN OFF", kSwitchDown, {80, 92}),
    icon_spec("GREEN-YELLOW ON", kSwitchUp, {237, 62}),
    icon_spec("GREEN-YELLOW OFF", kSwitchDown, {237, 92}),
    icon_spec("PUMP 1 lamp lit", kPumpLampLit, {26, 18}),
    icon_spec("PUMP 1 lamp other", kPumpLampOther, {26, 18}),
    icon_spec("PUMP 2 lamp lit", kPumpLampLit, {110, 18}),
    icon_spec("PUMP 2 lamp other", kPumpLampOther, {110, 18}),
    icon_spec("PUMP 3 lamp lit", kPumpLampLit, {196, 18}),
    icon_spec("PUMP 3 lamp other", kPumpLampOther, {196, 18}),
    icon_spec("PUMP 4 lamp lit", kPumpLampLit, {280, 18}),
    icon_spec("PUMP 4 lamp other", kPumpLampOther, {280, 18}),
    icon_spec("ELEC PUMP lamp running", kElecPumpLampLit, {153, 96}),
    icon_spec("ELEC PUMP lamp stopped", kElecPumpLampOther, {153, 96}),
    icon_spec("PUMP TRANSIT lamp", kTransitionLamp, {153, 140}),
    icon_spec("BLUE LO PRESS light", kLowPressLight, {70, 200}),
    icon_spec("GREEN LO PRESS light", kLowPressLight, {153, 200}),
    icon_spec("YELLOW LO PRESS light", kLowPressLight, {236, 200}),
};

// BLUE-GREEN on, off; GREEN-YELLOW on, off.
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::HydPtuBlueGreenSwitch>({72, 58, 35, 62}, "BLUE-GREEN ON", "BLUE-GREEN OFF"),
    toggle<&AircraftState::HydPtuGreenYellowSwitch>({229, 58, 35, 62}, "GREEN-YELLOW ON", "GREEN-YELLOW OFF"),
};
constexpr auto kAreas = toggle_areas(kSwitches, SwitchCursors::hand);

constexpr int kFirstPumpLamp = 5;

void show_switches_and_lamps() {
    const AircraftState& a = aircraft;
    show_one_of(header, {1, 2}, is_on(a.HydPtuBlueGreenSwitch) ? 0 : 1);
    show_one_of(header, {3, 4}, is_on(a.HydPtuGreenYellowSwitch) ? 0 : 1);

    const bool dc_norm = is_on(a.DcNormBusPowered);
    const uint8_t pumps[] = {a.HydPump1Spool, a.HydPump2Spool, a.HydPump3Spool, a.HydPump4Spool};
    int depth = kFirstPumpLamp;
    for (const uint8_t state : pumps) {
        light(header, depth, dc_norm, pump_lamp_lit(state));
        set_visible(header, depth + 1, false);
        depth += 2;
    }
    // Powered, the electric pump lamp shows whether the pump runs; unpowered
    // it is dark.
    const bool running = is_on(a.HydElecPumpRunning);
    light(header, 13, dc_norm, running);
    light(header, 14, dc_norm, !running);
}

// The LO PRESS lights and the transition lamp run on the DC essential bus;
// each latch follows its light, and any latch set is the hydraulic caution.
void show_lights_and_raise_fault() {
    const AircraftState& a = aircraft;
    const bool dc_ess = is_on(a.DcEssBusPowered);
    const bool blue_low = a.HydPressBlue < static_cast<uint32_t>(kLowPressurePsi);
    // Green is low only when both halves are: one engine keeps it alive.
    const bool green_low = a.HydPressGreenA < kLowPressurePsi && a.HydPressGreenB < kLowPressurePsi;
    const bool yellow_low = a.HydPressYellow < kLowPressurePsi;
    const bool spooling = pump_spooling_up(a.HydPump1Spool) || pump_spooling_up(a.HydPump2Spool) ||
                          pump_spooling_up(a.HydPump3Spool) || pump_spooling_up(a.HydPump4Spool);

    panel.LowPressBlueLatch = dc_ess && blue_low ? 1 : 0;
    panel.LowPressGreenLatch = dc_ess && green_low ? 1 : 0;
    panel.LowPressYellowLatch = dc_ess && yellow_low ? 1 : 0;
    panel.PumpTransitionLatch = dc_ess && spooling ? 1 : 0;
    set_visible(header, 15, panel.PumpTransitionLatch == 1);
    set_visible(header, 16, panel.LowPressBlueLatch == 1);
    set_visible(header, 17, panel.LowPressGreenLatch == 1);
    set_visible(header, 18, panel.LowPressYellowLatch == 1);

    const bool any = panel.LowPressBlueLatch + panel.LowPressGreenLatch + panel.LowPressYellowLatch +
                         panel.PumpTransitionLatch !=
                     0;
    aircraft.HydFault = any ? 1 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_switches_and_lamps();
    show_lights_and_raise_fault();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 332, callback);

}  // namespace kadrimos::gauges::hydrau_press

// --- Pump switches ---------------------------------------------------------------

namespace kadrimos::gauges::hydrau_pumps {
namespace {

using namespace kadrimos::hydraulics;

// ON restarts the spool-up from 100 whatever the state; only a pump that was
// stopped or running down makes the switch click.
template <auto Pump>
int32_t FSAPI pump_on(PIXPOINT*, uint32_t) {
    uint8_t& state = aircraft.*Pump;
    if (state < kPumpStarted) play_click();
    state = kPumpStarted;
    return 0;
}

// OFF restarts the run-down from 95; only a pump that was switched on makes
// the switch click.
template <auto Pump>
int32_t FSAPI pump_off(PIXPOINT*, uint32_t) {
    uint8_t& state = aircraft.*Pump;
    if (pump_switched_on(state)) play_click();
    state = kPumpStopped;
    return 0;
}

// Depth, bitmap, position: 1-2 ELEC PUMP 1 on/off, 3-4 ELEC PUMP 2 on/off,
// 5-12 engine pump switches 1 to 4 (on, off), 13-20 the legend lamps of
// pumps 1 to 4 (lit, other).
constexpr ElementSpec kElements[] = {
    background_spec(kPumpPanelBitmap),
    icon_spec("ELEC PUMP 1 ON", kSwitchUp, {96, 11}),
    icon_spec("ELEC PUMP 1 OFF", kSwitchDown, {96, 42}),
    icon_spec("ELEC PUMP 2 ON", kSwitchUp, {137, 11}),
    icon_spec("ELEC PUMP 2 OFF", kSwitchDown, {137, 42}),
    icon_spec("ENG PUMP 1 ON", kSwitchUp, {12, 4}),
    icon_spec("ENG PUMP 1 OFF", kSwitchDown, {12, 35}),
    icon_spec("ENG PUMP 2 ON", kSwitchUp, {62, 4}),
    icon_spec("ENG PUMP 2 OFF", kSwitchDown, {62, 35}),
    icon_spec("ENG PUMP 3 ON", kSwitchUp, {172, 4}),
    icon_spec("ENG PUMP 3 OFF", kSwitchDown, {172, 35}),
    icon_spec("ENG PUMP 4 ON", kSwitchUp, {225, 4}),
    icon_spec("ENG PUMP 4 OFF", kSwitchDown, {225, 35}),
    icon_spec("PUMP 1 legend lit", kLegendLampLit, {6, 70}),
    icon_spec("PUMP 1 legend other", kLegendLampOther, {6, 70}),
    icon_spec("PUMP 2 legend lit", kLegendLampLit, {56, 70}),
    icon_spec("PUMP 2 legend other", kLegendLampOther, {56, 70}),
    icon_spec("PUMP 3 legend lit", kLegendLampLit, {166, 70}),
    icon_spec("PUMP 3 legend other", kLegendLampOther, {166, 70}),
    icon_spec("PUMP 4 legend lit", kLegendLampLit, {219, 70}),
    icon_spec("PUMP 4 legend other", kLegendLampOther, {219, 70}),
};

constexpr auto kPump1 = &AircraftState::HydPump1Spool;
constexpr auto kPump2 = &AircraftState::HydPump2Spool;
constexpr auto kPump3 = &AircraftState::HydPump3Spool;
constexpr auto kPump4 = &AircraftState::HydPump4Spool;

// ELEC PUMP 1 on, off; ELEC PUMP 2 on, off; engine pumps 1 to 4 on, off.
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::HydElecPump1Switch>({88, 7, 35, 62}, "ELEC PUMP 1 ON", "ELEC PUMP 1 OFF"),
    toggle<&AircraftState::HydElecPump2Switch>({129, 7, 35, 62}, "ELEC PUMP 2 ON", "ELEC PUMP 2 OFF"),
    {"PUMP 1 ON", "PUMP 1 OFF", {4, 0, 35, 62}, pump_on<kPump1>, pump_off<kPump1>},
    {"PUMP 2 ON", "PUMP 2 OFF", {54, 0, 35, 62}, pump_on<kPump2>, pump_off<kPump2>},
    {"PUMP 3 ON", "PUMP 3 OFF", {164, 0, 35, 62}, pump_on<kPump3>, pump_off<kPump3>},
    {"PUMP 4 ON", "PUMP 4 OFF", {217, 0, 35, 62}, pump_on<kPump4>, pump_off<kPump4>},
};
constexpr auto kAreas = toggle_areas(kSwitches, SwitchCursors::hand);

constexpr int kFirstPumpSwitch = 5;
constexpr int kFirstLegendLamp = 13;

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const AircraftState& a = aircraft;
    show_one_of(header, {1, 2}, is_on(a.HydElecPump1Switch) ? 0 : 1);
    show_one_of(header, {3, 4}, is_on(a.HydElecPump2Switch) ? 0 : 1);

    const uint8_t pumps[] = {a.HydPump1Spool, a.HydPump2Spool, a.HydPump3Spool, a.HydPump4Spool};
    const bool ac_ess = is_on(a.AcEssNormPowered);
    int switch_depth = kFirstPumpSwitch;
    int lamp_depth = kFirstLegendLamp;
    for (const uint8_t state : pumps) {
        show_one_of(header, {switch_depth, switch_depth + 1}, pump_switched_on(state) ? 0 : 1);
        // The legends are lit whenever their bus is; they do not follow the pump.
        light(header, lamp_depth, ac_ess, true);
        set_visible(header, lamp_depth + 1, false);
        switch_depth += 2;
        lamp_depth += 2;
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 287, callback);

}  // namespace kadrimos::gauges::hydrau_pumps
