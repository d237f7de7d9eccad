// The development gauge "testgauge2k": a test flag and four read-outs.
#pragma once

#include <cstdint>

#include "module/catalogue_entry.h"

namespace kadrimos {

struct TestGaugeState {
    uint8_t test_flag = 0;
    // The first read-out's value while the test flag is clear: a double that
    // nothing writes.
    double idle_readout = 0.0;
};

}  // namespace kadrimos

namespace kadrimos::gauges {

KADRIMOS_GAUGE(testgauge2k, "testgauge2k")

inline constexpr CatalogueEntry test_gauge_gauges[] = {testgauge2k::kEntry};

}  // namespace kadrimos::gauges
