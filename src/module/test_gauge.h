// The development gauge "testgauge2k": its state.
#pragma once

#include <cstdint>

namespace kadrimos::gauges::testgauge2k {

struct State {
    uint8_t test_flag = 0;
    // The first read-out's value while the test flag is clear: a double that
    // nothing writes.
    double idle_readout = 0.0;
};

// The gauge's own state (reset with the module through the catalogue).
extern State state;

}  // namespace kadrimos::gauges::testgauge2k
