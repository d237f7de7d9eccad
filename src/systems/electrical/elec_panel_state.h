// Private state of the flight engineer's electrical panel: the external power
// button and its three messages, the generator TEST hold, and the meters'
// needle values.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::electrical {

// Messages of the external power panel, one bitmap each.
enum ExtPowerMessage : uint8_t {
    kNoMessage = 0,
    kExtPowerAvailable = 1,  // EXT PWR AVAIL: the ground unit has been called
    kExtPowerDisconnected = 2,
    kNoExtPower = 3,  // the button was pressed where no ground unit can be plugged in
};
inline constexpr int kExtPowerMessageCount = 3;

// A message stays up for a fixed number of host ticks from when it appears:
// one deadline per message, message 1 first.
struct ExtPowerPanelState {
    uint8_t request = 0;           // the EXT PWR button was pressed since the last update
    uint8_t message = kNoMessage;  // the message being shown, ExtPowerMessage
    timing::Deadline timers[kExtPowerMessageCount];
};

// The meters' needle values. Each moves one step per update toward what its
// selected source delivers.
struct ElectricalMeterState {
    int32_t dc_volts = 0;
    int32_t ac_volts = 0;
    int32_t ac_frequency = 0;  // deviation from nominal, 0 = nominal
    int32_t test_load = 50;    // what a load meter shows while its generator is held in TEST
};

struct ElecPanelState {
    ExtPowerPanelState ext_power;
    // One timer serves the three generator switches: a TEST press holds the
    // switch for a fixed number of ticks and then lets it spring back.
    timing::Deadline generator_test;
    ElectricalMeterState meters;
};

}  // namespace kadrimos::electrical
