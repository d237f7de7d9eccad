// The digit windows of the autoflight panels (the selected altitude, the
// selected speed): a row of ten-position drums, the most significant digit
// first, each rolling a quarter of a digit a draw towards the digit it
// shows, over the top from 9 to 0.
//
// A panel's state keeps `drum_targets` (each drum's strip position,
// 10 - digit, 0 for 0) and `drum_positions` (where each stands); its
// update sets the targets from the number shown, its drum elements take
// their values from `rolling_digit`.
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/drum.h"
#include "panel/host_api.h"

namespace kadrimos::autoflight {

// The targets of the drums showing `value`: its last N decimal digits.
template <std::size_t N>
void set_digit_targets(double (&targets)[N], int32_t value) {
    int32_t rest = value;
    for (std::size_t k = N; k-- > 0;) {
        const int32_t digit = rest % 10;
        targets[k] = digit == 0 ? 0.0 : 10.0 - digit;
        rest /= 10;
    }
}

// The value callback of drum `Drum` of the panel whose state is `State`.
template <auto& State, int Drum>
double FSAPI rolling_digit(ELEMENT_HEADER*) {
    double& position = State.drum_positions[Drum];
    position = drum::animated_position(position, State.drum_targets[Drum], drum::kTenPositions);
    return position;
}

}  // namespace kadrimos::autoflight
