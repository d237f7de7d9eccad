// Private state of the electrical network solver (network.h): the battery
// timing, the first update's one-shot check, and the network as it stood at
// the end of the last update.
#pragma once

#include <cstdint>

namespace kadrimos::electrical {

// The solver's own results of the last update. Generator loads, TRs, battery
// current and bus ties are solved from these before this update's buses are,
// so a change of source or tie reaches the buses one update later. They are
// copies of the shared items of the same names, taken as the solve ends, so
// that nothing written into the shared record between two updates can change
// how the next one starts.
struct NetworkAtLastUpdate {
    uint8_t BusTie1Closed = 0;
    uint8_t BusTie2Closed = 0;
    uint8_t AcBus1Powered = 0;
    uint8_t AcBus2Powered = 0;
    uint8_t AcEssNormPowered = 0;
    uint8_t DcEssFromNormBus = 0;
};

// The three batteries share one charge, 0 to 1800 (seconds of 50-ampere
// discharge left). It is timed on the simulation clock in whole seconds: each
// regime (discharge, charge) starts its timing when it begins and the charge
// is worked out from the seconds timed since.
struct BatteryTiming {
    int32_t start_s = 0;           // clock second at which the running regime began timing
    int32_t elapsed_s = 0;         // discharging: seconds discharged, saved ones included;
                                   // charging: seconds since the charge began
    int32_t saved_elapsed_s = 0;   // seconds discharged before the running discharge began
    uint32_t charge_at_start = 0;  // charge when the running charge began
    int32_t seconds_per_unit = 0;  // running discharge: 1 at 50 A, 3 at 10 A
    int32_t last_clock_s = 0;      // the clock at its last finite reading
    uint8_t discharging = 0;       // discharge timing runs
    uint8_t charging = 0;          // charge timing runs
};

struct ElectricalNetworkState {
    BatteryTiming battery;
    uint8_t first_update_check_done = 0;
    NetworkAtLastUpdate previous;
};

}  // namespace kadrimos::electrical
