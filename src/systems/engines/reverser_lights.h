// The thrust reverser lights' logic, one engine each.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::engines {

// A thrust reverser's travel as its lights tell it.
enum ReverserPhase : uint8_t { kStowed, kDeploying, kDeployed, kStowing };

struct ReverserLightState {
    uint8_t phase = kStowed;
    timing::Deadline unlocked;  // the transit ends: R.UNLK goes out
    timing::Deadline rev;       // REV comes on (deploying) or goes out (stowing)
};

struct ReverserLights {
    bool unlocked = false;  // R.UNLK
    bool rev = false;       // REV
};

// Engines 1 and 2.
extern ReverserLightState reverser_lights[2];

// One powered update of a reverser at `position` (the host's reverser
// position) and tick `now`: its phase moves on, and the lights it asks for.
ReverserLights reverser_step(ReverserLightState& r, double position, double now);

}  // namespace kadrimos::engines
