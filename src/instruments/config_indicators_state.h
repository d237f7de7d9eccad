// What the configuration indicators keep to themselves between updates: the
// positions their pointers stand at, the slat lamp's flash, the gear lever,
// the brakes' parking latch and hot-brake timer. Each gauge owns its own
// struct; the load values are those of an aircraft parked clean with the
// gear down.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::instruments {

// "toskelin flaps_ind_rulo".
struct FlapsIndicatorState {
    double flap_strip = 82;           // 82 retracted .. 0 fully extended
    double slat_strip = 2;            // 2 retracted, 1 extended (0 at full flap)
    uint8_t lever_pointer = 0;        // the flap lever's detent: 0, 29, 48 or 82
    uint8_t slats_between_stops = 0;  // last seen between 1.01 and 1.99
    uint8_t slats_in_transit = 0;     // the slat lamp flashing
    uint8_t slats_extended = 0;       // extended and at rest
    uint8_t spoiler_lamp = 0;         // as last evaluated with hydraulics
    timing::Flash slat_flash{};
};

// "toskelin surf_ind_rulo". Pointer values are pixels of travel.
struct SurfacesIndicatorState {
    double spoiler_left = 0;
    double spoiler_right = 0;
    double aileron_left = 0;
    double aileron_right = 0;
    double rudder = 0;
    double elevator = 0;
    double pitch_pointer = 0;
    double pitch_strip = 15;        // 15 - pitch, 3 to 18
    uint8_t aileron_button = 0;     // 1: the pointers show the low-speed ailerons
    uint8_t pitch_strip_shown = 0;  // 1: the pitch strip in place of the pointer
    uint8_t pitch_condition = 0;    // take-off pitch out of its band on the ground
};

// Gear lever positions, as the lever's drawings are moved by them.
inline constexpr uint8_t kGearLeverUp = 198;
inline constexpr uint8_t kGearLeverMiddle = 0;
inline constexpr uint8_t kGearLeverDown = 58;

// "toskelin gear_h_rulo".
struct GearLeverState {
    uint8_t lever = kGearLeverDown;
};

// Hot-brake timer phases.
inline constexpr uint8_t kBrakesCool = 0;
inline constexpr uint8_t kBrakesHeating = 1;  // braking hard, the caution's delay running
inline constexpr uint8_t kBrakesHot = 2;      // caution raised, for a fixed time

// "toskelin brakes_ind_rulo".
struct BrakesIndicatorState {
    uint8_t parking_latch = 0;
    uint8_t hot_phase = kBrakesCool;
    timing::Deadline hot_deadline{};
    uint8_t sound_looping = 0;
};

}  // namespace kadrimos::instruments

namespace kadrimos::gauges::flaps_ind {
extern instruments::FlapsIndicatorState state;
}
namespace kadrimos::gauges::surf_ind {
extern instruments::SurfacesIndicatorState state;
}
namespace kadrimos::gauges::gear_h {
extern instruments::GearLeverState state;
}
namespace kadrimos::gauges::brakes_ind {
extern instruments::BrakesIndicatorState state;
}
