// Private state of the hydraulic power and system monitors, which run in the
// systems solver after the electrical network.
#pragma once

#include <cstdint>

namespace kadrimos {

struct HydraulicMonitorState {
    // Flap lever value captured when all hydraulics were lost; the flaps are
    // held there by the host events sent at the loss. The test gauge shows it.
    int32_t flap_at_loss = 0;
};

}  // namespace kadrimos
