// "toskelin plane_weight_rulo": what the weight indicator keeps to itself
// between updates. At load no unit has been applied yet, so that the first
// update sets the zero-fuel weight to the unit's default, and the display
// reads no fuel until DC normal power brings it up.
#pragma once

#include <cstdint>

namespace kadrimos::weight {

// The unit last applied to the indicator.
inline constexpr uint8_t kNoUnitYet = 0;
inline constexpr uint8_t kPounds = 1;
inline constexpr uint8_t kKilograms = 2;

struct PlaneWeightState {
    uint8_t unit_latch = kNoUnitYet;
    // Total fuel on board in tens of the unit; held while the indicator has
    // no power.
    double fuel_tens = 0;
    // The gross weight's thousands, hundreds and tens (hundreds of the unit),
    // each 0 to 9, and the units window's value, 0 up to 10.
    uint8_t weight_digits[3] = {};
    double weight_units = 0;
    // Where the thousands, hundreds and tens windows stand: each steps to its
    // digit a quarter at a time.
    double weight_drums[3] = {};
};

}  // namespace kadrimos::weight

namespace kadrimos::gauges::plane_weight {
// The gauge's own state (reset with the module through the catalogue).
extern weight::PlaneWeightState state;
}  // namespace kadrimos::gauges::plane_weight
