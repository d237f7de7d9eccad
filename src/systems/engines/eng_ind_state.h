// Private state of the eight primary engine dials of the centre panel: for
// each dial its needle, the value its drum counter shows, and its limit
// pointer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos::engines {

// The dials in catalogue order.
enum PrimaryDialId : std::size_t {
    kN1Engine1,
    kN1Engine2,
    kFfEngine1,
    kFfEngine2,
    kEgtEngine1,
    kEgtEngine2,
    kN2Engine1,
    kN2Engine2,
    kPrimaryDialCount,
};

// Where the limit pointers stand at load: on the red lines. The fuel flow
// dials have none.
inline constexpr uint32_t kN1LimitStartPercent = 118;
inline constexpr uint32_t kN2LimitStartPercent = 112;
inline constexpr uint32_t kEgtLimitStartCelsius = 950;

struct PrimaryDial {
    double needle = 0.0;
    double drum = 0.0;           // the last value read while powered
    uint32_t limit_pointer = 0;  // pushed up by exceedances, never lowered
    uint8_t pound_units = 0;     // fuel flow: 1 while the host counts in pounds
};

struct EngineIndicatorState {
    PrimaryDial dials[kPrimaryDialCount] = {
        {0.0, 0.0, kN1LimitStartPercent, 0},
        {0.0, 0.0, kN1LimitStartPercent, 0},
        {0.0, 0.0, 0, 0},
        {0.0, 0.0, 0, 0},
        {0.0, 0.0, kEgtLimitStartCelsius, 0},
        {0.0, 0.0, kEgtLimitStartCelsius, 0},
        {0.0, 0.0, kN2LimitStartPercent, 0},
        {0.0, 0.0, kN2LimitStartPercent, 0},
    };
};

}  // namespace kadrimos::engines
