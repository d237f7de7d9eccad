// Private state of the engine start panel: the ignition selector, each
// engine's start request and its starter window, and the lamp test timer.
// The ARM switch state and the HP levers are in the shared record: other
// parts of the aircraft read them.
#pragma once

#include <cstdint>

namespace kadrimos::engines {

// EngStartArmState: the start sequence, as the ARM and START ABORT switch
// leave it.
enum ArmPhase : uint8_t {
    kArmOff = 0,       // START ABORT: no start possible
    kArmFinished = 1,  // both engines past 40 % N2; lever still up
    kArmJustArmed = 2,  // ARM pressed, lamp test waits for the DC normal bus
    kArmLampTest = 3,  // start button lights on, starts refused
    kArmReady = 4,     // starts accepted
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
    uint32_t ArmTestDeadline = 0;  // host ticks
    uint32_t EngStartDeadline1 = 0;  // host ticks
    uint32_t EngStartDeadline2 = 0;  // host ticks
    uint8_t EngStartTimerArmed1 = 0;
    uint8_t EngStartTimerArmed2 = 0;
};

}  // namespace kadrimos::engines
