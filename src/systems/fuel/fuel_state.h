// Private state of the fuel system: what the panel computes each update and
// no other part of the aircraft reads, and the conventions its gauges share.
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/convert.h"
#include "panel/timing.h"

namespace kadrimos::fuel {

// One tank quantity indicator: the weight its needle and drums show, and
// its QTY TEST sweep.
struct QuantityIndicatorState {
    double displayed_weight = 0;  // kg or lb, as the unit selector reads
    double target_weight = 0;     // the tank's contents in that unit
    uint8_t test_phase = 0;       // 0 sweeping up, 1 sweeping down
    uint8_t kilograms = 1;        // the unit selected at the last update
};

// One engine's fuel used counter: it adds the engine's burn every quarter of
// a second of simulated time.
struct FuelUsedCounterState {
    timing::Deadline next_addition;  // simulated seconds
    double drum_value = 0;           // the count the drums show, held without power
};

inline constexpr std::size_t kQuantityIndicatorCount = 5;  // M left, M right, A centre, A left, A right
inline constexpr std::size_t kFuelUsedCounterCount = 2;    // engine 1, engine 2

struct FuelState {
    // Recomputed each update of the centre pump panel: the side has a pump
    // switched on over a tank holding fuel.
    uint8_t Side1Fed = 0;
    uint8_t Side2Fed = 0;
    // Lights PUMP PRESS LO on the fuel used panel. No pressure switch is
    // modelled, so nothing sets it and the light stays dark.
    uint8_t PumpPressLoRequest = 0;

    QuantityIndicatorState quantity[kQuantityIndicatorCount];
    FuelUsedCounterState fuel_used[kFuelUsedCounterCount];
};

// Engine fuel tank selector positions, as the host numbers them.
inline constexpr uint32_t kTankOff = 0;
inline constexpr uint32_t kTankWing1 = 2;  // side 1, fed by the ON/OFF pumps
inline constexpr uint32_t kTankWing2 = 3;  // side 2, fed by the ON/OFF pumps
inline constexpr uint32_t kTankAuto1 = 4;  // side 1, fed by the AUTO pumps
inline constexpr uint32_t kTankAuto2 = 5;  // side 2, fed by the AUTO pumps
inline constexpr uint32_t kTankCentre = 6;

// A tank quantity published by the quantity indicators, in litres. A reading
// that is not a finite number (a broken indicator or host) counts as an empty
// tank: the engines are then fed from the wing tanks and the reserve lights
// come on, the safe side for a crew that cannot read the gauge.
inline double litres(double published) { return finite_or(published, 0.0); }

}  // namespace kadrimos::fuel
