// The tick counter as the electrical panel's timed displays read it: the
// external power messages and the generator TEST hold.
#pragma once

#include <cstdint>

#include "panel/convert.h"
#include "panel/host.h"

namespace kadrimos::electrical {

// The host's tick counter (token 1, 18 per second) in whole ticks. A counter
// that is not a finite number reads as 0, like every quantity of the solver:
// a running timer then holds until the counter reads a number again.
inline int32_t current_tick() { return to_integer<int32_t>(finite_or(host::value<1>(), 0.0)); }

}  // namespace kadrimos::electrical
