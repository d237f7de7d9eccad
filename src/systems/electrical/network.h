// The aircraft's electrical network, solved once per update.
//
// Two engine generators and the APU generator, with external power on the
// ground, feed AC buses 1 and 2 through their breakers and bus ties. The AC
// essential bus takes its normal feed as the five-position feed selector
// says, or else the static inverter off the DC essential bus. TR 1 (AC bus 1)
// and TR 2 (AC bus 2) feed the DC normal buses; the essential TR (the AC
// essential bus's normal feed), the three batteries or the DC bus tie feed the
// DC essential bus. The three batteries share one charge.
//
// Inputs: the electrical panel's switches, ApuRunning, Gen1Failed and
// Gen2Failed from the shared record; host variables 624 and 643 (engine 1 and
// 2 N1, percent), 604 (simulation clock, seconds), 759 (first update only),
// and 60 and 329 for the start-up switch set.
// Outputs: the bus, source, TR, battery and fault items of the "Electrical
// network solver" group of AircraftState, and InitPhase 0 -> 1 -> 2.
//
// Both run in the update of the flight-deck lighting gauge: solve_network()
// first of all, then the hydraulic power and system monitors, then
// apply_startup_switches(), then the gauge's own switches.
#pragma once

#include "systems/electrical/network_state.h"

namespace kadrimos::electrical {

// Solves the whole network for this update, sources to loads.
void solve_network();

// At the first update only (InitPhase 1), sets the cockpit's switches for a
// cold aircraft on the ground or a running one, and moves InitPhase to 2.
void apply_startup_switches();

}  // namespace kadrimos::electrical
