// Hydraulic power and the system monitors of the flight-engineer station.
//
// Runs once per update in the systems solver of the flight-deck lighting
// gauge, after the electrical network (whose bus flags it reads) and before
// the start-up switch state and the light switches are drawn.
//
// Computes, in this order:
//   the electric pump, the pressures of the blue, green (two halves, one per
//   engine) and yellow systems and their states; what a loss of green and
//   yellow, of blue and yellow, of yellow alone and of all three commands to
//   the host (gear, flaps, parking brake, surfaces, trim); the parking brake
//   on recovery; the engine pump spool ramps; the engine fuel valves that
//   follow the HP levers; the yaw damper and pitch trim servo monitors; the
//   pitch attitude trim protection; the pitch-change monitor of the GPWS;
//   the power of the fourteen probe heaters and the host's pitot heat.
//
// Reads: the hydraulic panel's pump and interconnection switches, the flight
// control panel's yaw damper, pitch trim and rudder travel items, the HP
// levers, the probe heat switches, the pump failure flags and the bus flags.
// Writes: the hydraulic items of the shared record, the yaw damper and pitch
// trim switches (dropped on a loss of supply), the HP levers (once, from the
// host's fuel levers), FdCommandState and ApEngageState (cleared at a loss of
// green and yellow), and HydraulicMonitorState.
#pragma once

namespace kadrimos::electrical {

void solve_hydraulics_and_monitors();

// The pitch angle in degrees for a host pitch in radians, with this
// aircraft's conversion (180 over 3.14116, not over pi; the surfaces
// indicator shows the same angle). Not a finite number: 0.
double pitch_degrees(double radians);

}  // namespace kadrimos::electrical
