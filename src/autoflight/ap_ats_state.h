// What the autothrottle keeps to itself between updates.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::autoflight {

inline constexpr int kSpeedDrums = 3;  // hundreds, tens, units
// The remembered throttle position while no ATS-off warning waits for the
// pilot's hand on the levers.
inline constexpr int32_t kNoRememberedThrottle = 65000;

struct AtsState {
    double drum_targets[kSpeedDrums] = {};
    double drum_positions[kSpeedDrums] = {};
    // The thrust mode's timed steps: one throttle step, then a wait of 18
    // ticks before the next.
    timing::Deadline step_timer{};
    // The throttle commands of engines 1 and 2, in the host's lever units.
    int32_t throttle_command[2] = {0, 0};
    // Low N1 while armed: the host's autothrottle is disarmed once, then
    // armed again.
    uint8_t host_arm_pulse = 0;
    // The ATS-off warning has been raised for this OFF selection; it stays
    // set until the switch has left OFF and the warning is cancelled, so
    // that one disconnect gives one warning.
    uint8_t warning_latched = 0;
    int32_t remembered_throttle = kNoRememberedThrottle;
    // The go-around's first update has dropped the approach and the other
    // modes and sent the first vertical-speed command.
    uint8_t go_around_initialised = 0;
};

}  // namespace kadrimos::autoflight

namespace kadrimos::gauges::ap_ats {
extern autoflight::AtsState state;
}  // namespace kadrimos::gauges::ap_ats
