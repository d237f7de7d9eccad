// Private state of the hydraulic panel: the reservoir levels its quantity
// gauges show and the latches behind the hydraulic caution.
#pragma once

#include <cstdint>

namespace kadrimos::hydraulics {

struct HydraulicPanelState {
    // Reservoir contents in percent of the gauge's scale. Blue and yellow
    // stand still; green follows the gear, whose retraction jacks take fluid
    // from it.
    uint8_t ReservoirBlue = 55;
    uint8_t ReservoirGreen = 72;
    uint8_t ReservoirYellow = 70;
    // Set while their light is lit, cleared when it goes dark: the three LO
    // PRESS lights and the pump-transition lamp. Any of them raises HydFault.
    uint8_t LowPressBlueLatch = 0;
    uint8_t LowPressGreenLatch = 0;
    uint8_t LowPressYellowLatch = 0;
    uint8_t PumpTransitionLatch = 0;
};

}  // namespace kadrimos::hydraulics
