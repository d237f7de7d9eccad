// The development gauge "testgauge2k": its state.
#pragma once

#include <cstdint>

namespace kadrimos {

struct TestGaugeState {
    uint8_t test_flag = 0;
    // The first read-out's value while the test flag is clear: a double that
    // nothing writes.
    double idle_readout = 0.0;
};

}  // namespace kadrimos
