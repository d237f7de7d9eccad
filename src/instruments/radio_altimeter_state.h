// "toskelin ralt_rulo": what the radio altimeter keeps to itself between
// updates. The load values are those of an aircraft parked with the decision
// height set to 100 ft.
#pragma once

#include <cstdint>

namespace kadrimos::instruments {

struct RadioAltimeterState {
    // The height the radio reads with the wheels on the ground (the antenna
    // stands above the runway), taken at every update on the ground and
    // subtracted in the air. Whole feet.
    int32_t ground_offset_ft = 0;
    // The crew's decision height, feet, 10 to 499.
    uint16_t DecisionHeight = 100;
    // The tape: 2610 less the radio altitude, 0 (the top of the scale) to
    // 2610 (the ground).
    double tape = 0;
    // The decision-height index: the decision height + 500 less the radio
    // altitude, shown from 0 to 500.
    double index = 0;
    // Hundreds, tens and units of the decision height.
    uint8_t dh_digits[3] = {1, 0, 0};
    // Where the hundreds and tens drums stand (they step to their digit a
    // quarter at a time); at load on the digits of 100.
    double hundreds_drum = 1;
    double tens_drum = 0;
};

}  // namespace kadrimos::instruments

namespace kadrimos::gauges::ralt {
// The gauge's own state (reset with the module through the catalogue).
extern instruments::RadioAltimeterState state;
}  // namespace kadrimos::gauges::ralt
