// What the anti-ice, lighting and sign panels keep to themselves: switches
// no other panel reads, the nacelle valves' travel and the panel lighting's
// pulse sequences. Each gauge's state is its own (reset with the module
// through the catalogue); the probe heat switches and WingAntiIceOn, which
// other systems read, live in the shared record.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos {

// Wing de-ice switch positions.
enum WingDeIcePosition : uint8_t { kWingOffReset = 0, kWingOn = 1, kWingGroundCheck = 2 };

// Nacelle anti-ice valve states.
enum NacelleValveState : uint8_t { kValveClosed = 0, kValveOpen = 1, kValveInTransit = 2 };

// Landing light switch positions.
enum LandLightPosition : uint8_t { kLandRetract = 0, kLandOff = 1, kLandOn = 2 };

// Three pulses to the host's panel lights: on, 9 ticks later off, 9 ticks
// later on again. `step` is the pulse to send next.
struct PulseSequencer {
    uint8_t step = 0;
    timing::Deadline next{};
};

namespace gauges::wing_deice {
struct State {
    uint8_t switch_left = kWingOffReset;
    uint8_t switch_right = kWingOffReset;
};
extern State state;
}  // namespace gauges::wing_deice

namespace gauges::nacelle_deice {
struct State {
    uint8_t valve_switch[2] = {0, 0};  // 1 VALVE OPEN, 0 CLOSE
    uint8_t valve[2] = {kValveClosed, kValveClosed};
    timing::Deadline transit_end[2]{};
};
extern State state;
}  // namespace gauges::nacelle_deice

namespace gauges::panel_light {
// The intensity the host's panel lighting was last set to: none yet, the
// one for a lit flight deck, the one for a dark flight deck.
enum Intensity : uint8_t { kIntensityNone = 0, kIntensityFlightDeckLit = 1, kIntensityFlightDeckDark = 2 };
struct State {
    uint8_t host_lights_on = 0;
    uint8_t intensity = kIntensityNone;
    PulseSequencer switching{};  // sequence A: the host's lights on or off
    PulseSequencer dimming{};    // sequence B: a change of intensity
};
extern State state;
}  // namespace gauges::panel_light

namespace gauges::ext_lt {
struct State {
    uint8_t nav = 0;
    uint8_t logo = 0;
    uint8_t beacon = 0;
    uint8_t strobe = 0;
    uint8_t wing = 0;
    uint8_t land = kLandRetract;
    uint8_t nose_runway = 0;
};
extern State state;
}  // namespace gauges::ext_lt

namespace gauges::signs {
struct State {
    uint8_t seat_belts = 0;
    uint8_t no_smoking = 0;
};
extern State state;
}  // namespace gauges::signs

}  // namespace kadrimos
