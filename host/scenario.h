// Scenarios: small line-oriented scripts that fly the simulated host. See
// docs/SCENARIOS.md for the language. A scenario is read and checked whole
// before it runs, so a malformed line stops it before anything happens.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim_host.h"
#include "text_input.h"

namespace kadrimos::host_sim {

// What a value is expected to be: V (within T), above V, below V, between
// V and V2 (ends included), or not a number.
enum class Compare { equal, above, below, between, nan };

struct Statement {
    enum class Kind {
        Set,
        Ramp,
        Calc,
        Click,
        Hold,
        Open,
        Close,
        Run,
        Mark,
        ExpectShown,
        ExpectHidden,
        ExpectValue,
        ExpectText,
        ExpectEvent,
        ExpectNoEvent,
        ExpectWindow,
        ExpectVar,
        ExpectSound,
        ExpectNoSound,
        ExpectAudio,
        Repeat,
        End,
        MarkMemory,
        ExpectMemory,
        Picture,
        Show,
        ShowState,
        TraceValue,
        Motion,
        Station,
    };
    Kind kind = Kind::Mark;
    Line line;
    uint32_t token = 0;                // Set, Ramp, ExpectVar; event id for ExpectEvent
    double value = 0.0;                // Set, Ramp target, Calc, ExpectValue, ExpectVar
    double tolerance = 0.0;            // ExpectValue, ExpectVar
    Compare compare = Compare::equal;  // ExpectValue, ExpectVar
    double value2 = 0.0;               // between: the upper end
    int64_t ticks = 0;                 // Ramp, Hold, Run
    std::string text;                  // Calc expression, ExpectText, Picture name
    GAUGEHDR* gauge = nullptr;         // Click, Hold, Expect on elements
    int element = 0;                   // element number
    char axis = 'm';                   // ExpectValue: 'm' main, 'x', 'y'
    int area = 0;                      // Click, Hold
    PIXPOINT point{0, 0};              // Click, Hold
    bool has_value = false;            // ExpectEvent / ExpectNoEvent with a value
    uint32_t event_value = 0;
    bool open = false;         // ExpectWindow
    uint32_t window = 0;       // Open, Close, ExpectWindow
    int64_t count = -1;        // ExpectSound, ExpectAudio: how many times (-1: at least once); Repeat too
    std::size_t partner = 0;   // Repeat: index of its End; End: index of its Repeat
    int64_t kib = 0;           // ExpectMemory: growth allowed since the memory mark
    std::string sound_state;   // ExpectSound: "played", "looping" or "stopped"
    bool loud = false;         // ExpectAudio: loud, else silent
    int64_t from_update = -1;  // ExpectAudio: its stretch in updates after the mark;
    int64_t to_update = -1;    // -1: from the mark to the current update
    MotionCommand motion;      // Motion
    StationCommand station;    // Station
};

// How many problems of one scenario file are reported before the rest are
// only counted as more.
inline constexpr std::size_t kMostProblemsReported = 20;

// Reads and checks a scenario against the module's gauges, the panel
// configuration and the role labels (elements and areas may be named by
// label). Throws InputError with file and line, for every problem found.
std::vector<Statement> read_scenario(const std::string& path, const std::vector<GAUGEHDR*>& catalogue,
                                     const PanelConfig& config, const Roles& roles, const Names& names);

// Runs a checked scenario. Expectation failures are reported on `report`
// with file, line, expected and actual; the run goes on. Returns the number
// of failed expectations. Throws InputError for what can only be found out
// while running (a click on a gauge whose window is closed).
int run_scenario(const std::vector<Statement>& statements, SimHost& host, std::ostream& report);

}  // namespace kadrimos::host_sim
