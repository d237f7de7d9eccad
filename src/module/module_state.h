// All state of the module beyond its static records.
//
// The shared record `aircraft` (aircraft_state.h) and, in `private_state`, the
// state that each part of the aircraft keeps to itself: one member per part,
// each a struct whose member initialisers are its load values. A part's state
// struct is declared beside that part's code; it lives here so that the whole
// module can be put back to its load state in one call. A gauge file may
// instead keep its state to itself and declare the gauge with
// KADRIMOS_GAUGE_WITH_STATE (catalogue_entry.h): the reset reaches it through
// the catalogue.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "module/aircraft_state.h"
#include "sound/sound_bank.h"
#include "systems/apu/apu_state.h"
#include "systems/electrical/elec_panel_state.h"
#include "systems/electrical/hydraulic_monitor_state.h"
#include "systems/electrical/network_state.h"
#include "systems/engines/eng_ind_state.h"
#include "systems/engines/eng_start_state.h"
#include "systems/engines/engomn_state.h"
#include "systems/fuel/fuel_state.h"
#include "systems/gpws/aural_alerts.h"
#include "systems/hydraulics/flight_controls_state.h"
#include "systems/hydraulics/hydraulic_panel_state.h"

namespace kadrimos {

struct PrivateState {
    electrical::ElectricalNetworkState electrical_network;
    electrical::ElecPanelState elec_panel;
    HydraulicMonitorState hydraulic_monitor;
    apu::ApuState apu;
    fuel::FuelState fuel;
    hydraulics::HydraulicPanelState hydraulic_panel;
    flight_controls::FlightControlsState flight_controls;
    engines::EngStartState eng_start;
    engines::EngineIndicatorState eng_ind;
    engines::EngineMonitorState engomn;
    gpws::AuralAlertState aural_alerts;
    sound::SoundBank sound_bank;
    sound::SoundEngineState sound_engine;
};

extern PrivateState private_state;

// Puts the module back exactly as it was loaded: the shared record, every
// private state and every element's hidden bit and text. Not exported: the
// simulator never calls it; tests call it so that none depends on another's
// leftovers. Loaded sounds are forgotten, not released: reset after the
// sound bank has been released (FakeHost does).
void reset_module();

// Puts a part's own state back byte for byte as the library image holds its
// load value, the padding between members included (an assignment of T{}
// leaves padding as it finds it). For a gauge's reset_state().
template <typename T>
void reset_to_load_values(T& state) {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr T load{};
    std::memcpy(&state, &load, sizeof state);
}

// Elements found in the catalogue at load, and how many reset_module() can
// put back; the catalogue's completeness test checks the one fits the other.
std::size_t element_count_at_load();
std::size_t element_capacity();

}  // namespace kadrimos
