// Private state of the hydraulic power and system monitors, which run in the
// systems solver after the electrical network.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos {

// The pitch-change monitor samples the pitch angle alternately into two
// slots, once every 18 ticks, four samples to a cycle.
enum class PitchSamplePhase : uint8_t {
    FirstX,   // takes sample X at once, whatever the tick
    FirstY,   // takes sample Y when the next-sample tick is reached
    SecondX,  // takes sample X when the next-sample tick is reached
    SecondY,  // takes sample Y when the next-sample tick is reached, then starts over
};

struct HydraulicMonitorState {
    // Flap lever value captured when all hydraulics were lost; the flaps are
    // held there by the host events sent at the loss. The test gauge shows it.
    int32_t flap_at_loss = 0;

    // Green and yellow pressures as this step left them at the end of the
    // previous update: the interconnections and the alternative sources of
    // blue, green and yellow look one update back.
    int32_t previous_green_psi = 0;
    int32_t previous_yellow_psi = 0;

    // Set on the first update with green and yellow both lost, cleared when
    // either comes back: the gear and flap captures happen once per loss.
    uint8_t loss_latched = 0;
    // Gear extensions (host tokens 333 and 334) captured at the loss; both
    // below 2 means the gear was up and is held up.
    int32_t gear_at_loss[2] = {0, 0};
    // Set when the loss has sent the toggle for the host item at token 824,
    // so that the recovery sends it back exactly once.
    uint8_t loss_toggle_latched = 0;
    // 0: the parking brake was left alone; 1: set by the loss; 2: released
    // again once the brake pressure built up.
    uint8_t parking_brake_latch = 0;

    // Elevator trim captured when the pitch trim servos lost their supply,
    // and whether it has been captured for this loss.
    int32_t trim_at_servo_loss = 0;
    uint8_t trim_captured = 0;

    // Pitch angle of this update in degrees, and the pitch-change monitor's
    // two samples, its phase and the tick at which it samples next.
    double pitch_deg = 0.0;
    double pitch_sample_x = 0.0;
    double pitch_sample_y = 0.0;
    PitchSamplePhase pitch_phase = PitchSamplePhase::FirstX;
    timing::Deadline next_pitch_sample;  // host ticks

    // One per engine: the HP lever has been set once from the host's fuel
    // lever at the first update.
    uint8_t hp_lever_initialised[2] = {0, 0};
};

}  // namespace kadrimos
