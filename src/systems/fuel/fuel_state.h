// Private state of the fuel system: what the panel computes each update and
// no other part of the aircraft reads, and the conventions its gauges share.
#pragma once

#include <cstdint>

#include "panel/convert.h"

namespace kadrimos::fuel {

struct FuelState {
    // Recomputed each update of the centre pump panel: the side has a pump
    // switched on over a tank holding fuel.
    uint8_t Side1Fed = 0;
    uint8_t Side2Fed = 0;
    // Lights PUMP PRESS LO on the fuel used panel. No pressure switch is
    // modelled, so nothing sets it and the light stays dark.
    uint8_t PumpPressLoRequest = 0;
};

// Engine fuel tank selector positions, as the host numbers them.
inline constexpr uint32_t kTankOff = 0;
inline constexpr uint32_t kTankWing1 = 2;   // side 1, fed by the ON/OFF pumps
inline constexpr uint32_t kTankWing2 = 3;   // side 2, fed by the ON/OFF pumps
inline constexpr uint32_t kTankAuto1 = 4;   // side 1, fed by the AUTO pumps
inline constexpr uint32_t kTankAuto2 = 5;   // side 2, fed by the AUTO pumps
inline constexpr uint32_t kTankCentre = 6;

// A tank quantity published by the quantity indicators, in litres. A reading
// that is not a finite number (a broken indicator or host) counts as an empty
// tank: the engines are then fed from the wing tanks and the reserve lights
// come on, the safe side for a crew that cannot read the gauge.
inline double litres(double published) { return finite_or(published, 0.0); }

}  // namespace kadrimos::fuel
