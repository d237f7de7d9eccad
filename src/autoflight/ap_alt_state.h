// "toskelin ap_alt_rulo": what the altitude panel keeps to itself between
// updates.
#pragma once

#include <cstdint>

namespace kadrimos::autoflight {

// The five windows of the selected altitude, left to right.
inline constexpr int kAltitudeDrums = 5;

struct ApAltState {
    // The hold latch: set once a hold has taken its reference (or, holding
    // the selected altitude, once the vertical speed has settled), with the
    // selected altitude of that moment; a new selection after it starts the
    // move to the new altitude.
    uint8_t hold_latch = 0;
    int32_t latched_selection = 0;
    // The vertical speed while altitude select is armed, ft/min: the capture
    // starts from it and flies it on until the capture bands take over.
    int32_t armed_vertical_speed = 0;
    // The last altitude reference and vertical-speed command handed to the
    // host's autopilot.
    int32_t altitude_reference_sent = 0;
    int32_t vertical_speed_sent = 0;
    // Strip positions the windows are bound for (10 - digit, 0 for the
    // digit 0), and where each stands.
    double drum_targets[kAltitudeDrums] = {};
    double drum_positions[kAltitudeDrums] = {};
};

}  // namespace kadrimos::autoflight

namespace kadrimos::gauges::ap_alt {
// The gauge's own state (reset with the module through the catalogue).
extern autoflight::ApAltState state;
}  // namespace kadrimos::gauges::ap_alt
