// The host profile: what the simulated aircraft does when the module sends
// it a key event, which variables are integers, and where they start.
//
//   integer 848                      # read as the low 32 bits of the value
//   initial 60 1                     # on the ground at start
//   on 0x10417 toggle 900            # 0 <-> 1
//   on 0x102C1 set 329 0
//   on 0x1034B set 10 value          # the event's value
//   on 0x10100 add 907 1 min 0 max 5
//   on 0x10200 ramp 600 to 25 rate 2 # 2 units per second towards 25
//
// An event may have several effects; they apply in file order.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

struct Effect {
    enum class Kind { Toggle, Set, SetEventValue, Add, Ramp };
    Kind kind = Kind::Set;
    uint32_t token = 0;
    double value = 0.0;  // Set: the value; Add: the step; Ramp: the target
    double low = -1e300, high = 1e300;  // Add: limits
    double rate_per_second = 0.0;       // Ramp
};

struct Profile {
    std::set<uint32_t> integer_tokens;
    std::map<uint32_t, double> initial_values;
    std::map<uint32_t, std::vector<Effect>> effects;  // by event id
};

// Throws InputError with file and line.
Profile read_profile(const std::string& path);

}  // namespace kadrimos::host_sim
