// "toskelin gpws_rulo": what the ground proximity warning keeps to itself
// between updates. The load values are those of an aircraft parked with the
// warning quiet.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::gpws {

// The results of the warning modes, and what the modes remember from one
// update to the next.
struct ModeState {
    uint8_t Mode1State = 0;   // 0, 1 SINK RATE, 2 PULL UP
    uint8_t Mode2State = 0;   // 0, 1 TERRAIN, 2 PULL UP
    uint8_t Mode3State = 0;   // 0, 1 DON'T SINK
    uint8_t Mode4aState = 0;  // 0, 1 TOO LOW GEAR, 2 TOO LOW TERRAIN
    uint8_t Mode4bState = 0;  // 0, 1 TOO LOW FLAPS, 2 TOO LOW TERRAIN
    uint8_t Mode4cState = 0;  // 0, 1 TOO LOW TERRAIN
    uint8_t Mode5State = 0;   // 0, 1 GLIDESLOPE

    // The terrain closure sampler: four samples of the radio altitude a
    // second apart, then one at the next update (phase 0) to start the next
    // round. Each sample gives the closure rate from an earlier one: the
    // last two are kept (whole feet, and the tick each was taken at).
    uint8_t sampler_phase = 0;
    timing::Deadline next_sample{};
    uint32_t previous_sample_ft = 0;
    uint32_t current_sample_ft = 0;
    double previous_sample_tick = 0;
    double current_sample_tick = 0;
    uint8_t sampled = 0;      // samples taken, up to 2: the first has nothing before it
    int32_t ClosureRate = 0;  // ft/min, negative towards the ground

    // Mode 2: the barometric altitude where PULL UP began, whole feet, once
    // the altitude could be read there or since.
    int32_t pull_up_start_ft = 0;
    uint8_t pull_up_start_known = 0;

    // Mode 3: 0 none, 2 on the ground (armed), 1 in the take-off climb.
    uint8_t TakeoffPhase = 0;
    int32_t highest_altitude_ft = 0;
    uint8_t highest_altitude_set = 0;  // 0 until the climb's first altitude
    int32_t altitude_loss_ft = 0;

    // Mode 4c: 0 none, 2 at take-off thrust or in go-around, 1 in the climb.
    uint8_t ClearancePhase = 0;
    uint32_t highest_radio_altitude_ft = 0;
};

// The test started from the light.
struct TestState {
    uint8_t GpwsTestActive = 0;
    uint8_t GpwsTestPhase = 0;  // 0 start, 1 after GLIDESLOPE, 2 after WHOOP WHOOP PULL UP
    timing::Deadline deadline{};
};

struct GpwsState {
    ModeState modes{};
    TestState test{};
};

}  // namespace kadrimos::gpws

namespace kadrimos::gauges::gpws {
// The gauge's own state (reset with the module through the catalogue).
extern kadrimos::gpws::GpwsState state;
}  // namespace kadrimos::gauges::gpws
