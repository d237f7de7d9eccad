// Private state of the engine start panel: the ignition selector, each
// engine's start request and its starter window, and the lamp test timer.
// The ARM switch state and the HP levers are in the shared record: other
// parts of the aircraft read them.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::engines {

// EngStartArmState: the start sequence, as the ARM and START ABORT switch
// leave it.
enum ArmPhase : uint8_t {
    kArmOff = 0,        // START ABORT: no start possible
    kArmFinished = 1,   // both engines past 40 % N2; lever still up
    kArmJustArmed = 2,  // ARM pressed, lamp test waits for the DC normal bus
    kArmLampTest = 3,   // start button lights on, starts refused
    kArmReady = 4,      // starts accepted
};

// A start button's request.
enum StartRequest : uint8_t {
    kRequestNone = 0,
    kRequestStarting = 1,  // the starter is held
    kRequestBlocked = 2,   // refused during the lamp test
};

// Ignition selector positions, counter-clockwise to clockwise.
enum IgnitionPosition : uint8_t {
    kIgnitionStartB = 0,
    kIgnitionStartA = 1,
    kIgnitionCrank = 2,
    kIgnitionContA = 3,
    kIgnitionContB = 4,
    kIgnitionContAB = 5,
};

struct EngStartState {
    uint8_t IgnitionSelector = kIgnitionCrank;
    uint8_t EngStartRequest1 = kRequestNone;
    uint8_t EngStartRequest2 = kRequestNone;
    timing::Deadline ArmTest;          // host ticks: the end of the lamp test
    timing::Deadline EngStartWindow1;  // host ticks: the end of the starter's window
    timing::Deadline EngStartWindow2;
};

}  // namespace kadrimos::engines
