// What the navigation indicators keep to themselves between updates. Every
// needle, card and drum stands at 0 at load, until the first powered update.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::instruments {

struct AdfIndicatorState {
    double card_deg = 0;  // the card's heading
    double needle1 = 0;   // bearing needles, 0 to 360 (see nav::bearing_needle)
    double needle2 = 0;
    // The self-test: both needles swing to 315 for 35 ticks.
    timing::Deadline test_end{};
};

struct RmiState {
    double card_deg = 0;
    double needle1 = 0;
    double needle2 = 0;
    // The two DME distances, tenths of a mile, kept while a receiver has
    // no distance to give.
    double distance1_tenths = 0;
    double distance2_tenths = 0;
};

struct HsiState {
    double card_deg = 0;
    // The course arrow, heading marker and drift pointer on the 0 to 720
    // degree scale (360: straight up).
    uint32_t course_angle = 0;
    uint32_t bug_angle = 0;
    uint32_t drift_angle = 0;
    double drift_deg = 0;
    double deviation = 0;   // localiser deviation, +-127
    double glideslope = 0;  // glide-slope pointer, pixels
    double distance_nm = 0;
};

struct StandbyCompassState {
    // Which of its two commands the compass's push sends next: 0 the first
    // (66513), 1 the second (66514).
    uint8_t toggled = 0;
};

}  // namespace kadrimos::instruments

namespace kadrimos::gauges::adf {
extern instruments::AdfIndicatorState state;
}
namespace kadrimos::gauges::rmi {
extern instruments::RmiState state;
}
namespace kadrimos::gauges::hsi {
extern instruments::HsiState state;
}
namespace kadrimos::gauges::compass {
extern instruments::StandbyCompassState state;
}
