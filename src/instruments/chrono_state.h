// "toskelin chrono_rulo": the cockpit clock's own state.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::gauges::chrono {

// The elapsed-time selector.
enum EtPosition : uint8_t { kEtRun = 0, kEtHold = 1, kEtReset = 2 };

// The chronograph, stepped by its button: off, running, stopped, reset (which
// the next update carries out, leaving the chronograph off).
enum ChrPhase : uint8_t { kChrOff = 0, kChrRunning = 1, kChrStopped = 2, kChrReset = 3 };

// The display test: asked for by its button, then showing "8" everywhere.
enum TestPhase : uint8_t { kTestIdle = 0, kTestRequested = 1, kTestShowing = 2 };

// A count of whole seconds of the simulation clock. While it runs, the count
// is the clock's second less the reference second; while it is held the
// reference follows the clock, so that the count stays and carries on from
// there when it runs again.
struct SecondsCounter {
    int32_t seconds = 0;     // counted, never below 0
    int32_t start = 0;       // the reference second
    uint8_t referenced = 0;  // whether `start` has been taken since the last reset
};

struct ChronoState {
    uint8_t powered = 0;  // as the last update found the clock

    // Time of day: hours tens, hours units, minutes tens, minutes units.
    uint8_t clock_digits[4] = {};

    uint8_t EtSelector = kEtRun;
    SecondsCounter et;
    int32_t et_hours = 0;
    // Hours tens, hours units, minutes tens, minutes units.
    uint8_t et_digits[4] = {};

    uint8_t ChrState = kChrOff;
    SecondsCounter chr;
    int32_t chr_minutes = 0;  // minutes of the hour: the window shows no hours
    int32_t chr_hours = 0;
    uint8_t chr_digits[2] = {};  // minutes tens, minutes units
    uint8_t chr_hand = 0;        // seconds of the minute

    uint8_t DisplayTest = kTestIdle;
    timing::Deadline test_end;  // on the tick counter
};

// The gauge's own state (reset with the module through the catalogue).
extern ChronoState state;

}  // namespace kadrimos::gauges::chrono
