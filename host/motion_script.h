// The scenario statements of the aircraft's motion (motion.h), read and
// checked one line at a time:
//
//   aircraft on ground at 430 ft [SPEED kt] [heading 270]
//   aircraft at 3000 ft 250 kt [heading 090]
//   terrain 430 ft
//   temperature ISA [+10 C]
//   climb to 10000 ft [at 2000 fpm]       descend to 200 ft [at 700 fpm]
//   accelerate to 250 kt [at 2 kt/s]      decelerate to 140 kt [at 2 kt/s]
//   turn left|right to heading 270 [at 3 deg/s]
//   level off
//   ils course 270 at 8 nm [left|right 1 nm] [elevation 430 ft] [glideslope 3 deg]
//
// Altitudes in ft or m, vertical rates in fpm or m/s. Whether a climb goes
// up from where the aircraft is can only be known as the scenario runs.
#pragma once

#include "motion.h"
#include "text_input.h"

namespace kadrimos::host_sim {

// Throws InputError with the line for a malformed statement, a unit the
// statement does not take, a number out of its range (nan and inf
// included) or a rate of 0 or less.
MotionCommand read_motion_statement(const Line& line);

}  // namespace kadrimos::host_sim
