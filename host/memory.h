// The simulated host's own resident memory, for the soak runs' check that
// nothing grows over hours of flight (module and host together).
#pragma once

#include <cstdint>

namespace kadrimos::host_sim {

// Resident memory of this process in KiB; -1 where it cannot be read.
int64_t resident_kib();

}  // namespace kadrimos::host_sim
