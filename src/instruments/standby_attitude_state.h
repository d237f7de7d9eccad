// "toskelin adi_sec_rulo": what the standby attitude indicator keeps to
// itself between updates. Everything starts at 0: the sphere level, the
// aircraft symbol's knob centred.
#pragma once

#include <cstdint>

namespace kadrimos::instruments {

struct StandbyAttitudeState {
    double shown_bank_deg = 0;   // S: where the sphere stands in roll
    double shown_pitch_deg = 0;  // Q: where it stands in pitch, shown within +-43
    // Set while the gyro topples and until the shown attitude has caught
    // the true one again.
    uint8_t bank_recovering = 0;
    uint8_t pitch_recovering = 0;
    int32_t symbol_knob = 0;     // K: -10 to 10
    double symbol_position = 0;  // V: the aircraft symbol, 0 to 30 (K + 18)
};

}  // namespace kadrimos::instruments

namespace kadrimos::gauges::adi_sec {
// The gauge's own state (reset with the module through the catalogue).
extern instruments::StandbyAttitudeState state;
}  // namespace kadrimos::gauges::adi_sec
