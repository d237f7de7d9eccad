// The speed brake lever "toskelin spd_brk_lev_rulo": the state it keeps to
// itself.
#pragma once

#include <cstdint>

namespace kadrimos::gauges::spd_brk_lev {

// Lever positions: 0 (stowed) to 16000 in steps of 1000; 16001 marks the
// spoilers deployed, whether by the lever or by the ground spoiler logic.
inline constexpr int16_t kLeverStep = 1000;
inline constexpr int16_t kLeverFull = 16000;
inline constexpr int16_t kLeverDeployed = 16001;

// What the ground spoilers were armed for.
enum ArmMode : uint8_t {
    kNotArmed = 0,
    kRejectedTakeoff = 1,  // armed on the ground
    kLanding = 2,          // armed in flight
};

struct State {
    int16_t lever = 0;
    uint8_t arm_mode = kNotArmed;
    // Highest engine 1 N1 (whole percent) seen on the ground while armed:
    // take-off thrust has been set once it reaches 85.
    uint32_t takeoff_n1_peak = 0;
    // The two sliders' values, worked out at each update for the next draw.
    double handle_value = 0;
    double lever_value = 0;
};

// The gauge's own state (reset with the module through the catalogue).
extern State state;

}  // namespace kadrimos::gauges::spd_brk_lev
