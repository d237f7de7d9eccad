// Private state of the thrust rating computer.
#pragma once

#include <cstdint>

namespace kadrimos::engines {

struct TrcState {
    uint8_t flex_tens = 2;  // FLX thumbwheels, each 0 to 9: 20 degrees at load
    uint8_t flex_units = 0;
    uint8_t test_counter = 0;               // TrcTestCounter: updates of display test left
    uint8_t testing = 0;                    // this update shows the display test
    uint8_t powered = 0;                    // AC bus 1, as this update saw it
    int8_t temperature_c = 0;               // the temperature read-out, whole degrees
    uint8_t drum_digits[2] = {2, 0};        // the digits the FLX windows turn to
    double drum_positions[2] = {2.0, 0.0};  // where the FLX windows stand
};

}  // namespace kadrimos::engines

namespace kadrimos::gauges::n1_calc {
extern engines::TrcState state;
}  // namespace kadrimos::gauges::n1_calc
