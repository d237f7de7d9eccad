// Private state of the auxiliary power unit: the panel's switches that no
// other part of the aircraft reads, the fire extinguisher agent, the air
// intake flap and the two timers.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::apu {

// Air intake flap positions.
enum FlapState : uint8_t {
    kFlapClosed = 0,
    kFlapMoving = 1,  // the FLAP light
    kFlapOpen = 2,
};

struct ApuState {
    uint8_t ApuFuelPumpSwitch = 0;    // 0 AUTO, 1 ON; moves only its own bitmap
    uint8_t ApuControlSelector = 0;   // 0 NOR, 1 STBY, 2 OVR
    uint8_t ApuAgentPressurised = 1;  // the extinguisher bottle is charged at load
    uint8_t ApuFireArmed = 0;         // nothing in the aircraft arms the discharge
    uint8_t ApuFlapState = kFlapClosed;
    timing::Deadline ApuFlapTravel;  // host ticks
    timing::Deadline ApuOilUse;      // whole seconds of host time
};

}  // namespace kadrimos::apu
