// Private state of the flight control panels: the controls that no other
// part of the aircraft reads. The cautions, the low-speed aileron state, the
// rudder travel supply and the yaw damper and pitch trim switches are shared
// and live in the aircraft record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos::flight_controls {

// The three hydraulic systems in panel order: blue, green, yellow.
inline constexpr std::size_t kServoLeverCount = 3;
// Rudder travel systems 1 and 2.
inline constexpr std::size_t kRudderTravelSystemCount = 2;

// Servo lever stops, in pixels of travel down the lever's slot.
inline constexpr uint8_t kLeverTop = 0;
inline constexpr uint8_t kLeverMiddle = 27;
inline constexpr uint8_t kLeverBottom = 57;

// Rudder travel fault latch.
enum RudderTravelLatch : uint8_t {
    kLatchNormal = 0,
    kLatchResetPressed = 1,
    kLatchSwitchedOffAfterReset = 2,
};

struct FlightControlsState {
    uint8_t ServoLever[kServoLeverCount]{};               // all at the top stop at load
    uint8_t RudderTravelSwitch[kRudderTravelSystemCount]{};  // 0 off, 1 on
    uint8_t RudderTravelLatch[kRudderTravelSystemCount]{};   // RudderTravelLatch codes
    uint8_t LoSpdAilSelector = 0;                          // 0, 1 (upper), 2 (lower)
};

}  // namespace kadrimos::flight_controls
