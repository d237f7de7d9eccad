// Private state of the flight engineer's engine monitoring dials: one needle
// per dial, the oil quantity index of each engine and the two vibration bars.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos::engines {

// The dials in catalogue order.
enum MonitorDialId : std::size_t {
    kNacelleTemp1,
    kNacelleTemp2,
    kOilPress1,
    kOilPress2,
    kOilTemp1,
    kOilTemp2,
    kOilQty1,
    kOilQty2,
    kFuelPress1,
    kFuelPress2,
    kMonitorDialCount,
};

struct EngineMonitorState {
    double needle[kMonitorDialCount] = {};
    uint32_t oil_qty_index[2] = {0, 0};  // quarts, 0 to 20, set by the pilot
    double vib_bar[2] = {0.0, 0.0};      // vibration level bars, engines 1 and 2
};

}  // namespace kadrimos::engines
