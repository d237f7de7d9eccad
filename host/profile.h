// The host profile: what the simulated aircraft does when the module sends
// it a key event, which variables are integers, and where they start.
//
//   integer 848                      # read as the low 32 bits of the value
//   initial 60 1                     # on the ground at start
//   on 0x10417 toggle 900            # 0 <-> 1
//   on 0x102C1 set 329 0
//   on 0x1034B set 10 value          # the event's value
//   on 0x101F8 set 75 value times 0.0625  # the event's value scaled
//   on 0x10100 add 907 1 min 0 max 5
//   on 0x10200 ramp 600 to 25 rate 2 # 2 units per second towards 25
//   on 0x102FC hold 563 1 release 0  # 1 while the event comes every update
//   when 563 == 1 and 625 < 25 then ramp 625 to 25 rate 2
//
// An event may have several effects; they apply in file order. A `when`
// rule applies its effect at the end of every update in which all its
// conditions hold (comparisons with NaN never hold); the rules run in file
// order, each seeing what the ones before it did. A rule's ramp moves its
// variable by one update's step towards the target, and stops there.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

struct Effect {
    enum class Kind { Toggle, Set, SetEventValue, Add, Ramp, Hold };
    Kind kind = Kind::Set;
    uint32_t token = 0;
    double value = 0.0;  // Set: the value; SetEventValue: the factor; Add: the step; Ramp: the target;
                         // Hold: the value held
    double low = -1e300, high = 1e300;  // Add: limits
    double rate_per_second = 0.0;       // Ramp
    double release = 0.0;               // Hold: the value once the event stops
    std::string source;                 // the profile line, for the timeline
};

// One condition of a rule: the variable TOKEN compared with VALUE.
struct Condition {
    enum class Op { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual };
    uint32_t token = 0;
    Op op = Op::Equal;
    double value = 0.0;
    bool holds(double variable) const;
};

// when CONDITION [and CONDITION]... then EFFECT (set, add or ramp).
struct Rule {
    std::vector<Condition> conditions;
    Effect effect;  // its source is the whole rule's line
};

struct Profile {
    std::set<uint32_t> integer_tokens;
    std::map<uint32_t, double> initial_values;
    std::map<uint32_t, std::vector<Effect>> effects;  // by event id
    std::vector<Rule> rules;                          // in file order
};

class Names;

// Throws InputError with file and line. Tokens and events may be given by
// their names when `names` is given.
Profile read_profile(const std::string& path, const Names* names = nullptr);

}  // namespace kadrimos::host_sim
