// What the two barometric altimeters keep to themselves between updates.
// Each has its own copy; everything starts at 0 at load, the counter at 0
// ft and the pressure windows at 0000.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::instruments {

// One group of pressure windows (millibars, or hundredths of an inch of
// mercury): three stepping drums and a continuous units drum.
struct PressureWindows {
    uint8_t target[3] = {};   // the digits the thousands, hundreds and tens drums step to
    double position[3] = {};  // where those drums stand, 0 to 10 (digit k at k)
    double units = 0;         // the units drum, with its fraction
};

// What an altimeter shows: the pointer, the counter, the pressure windows and
// the flags in the counter's ten-thousands window and on the dial. Unpowered,
// the pointer, the counter and the pressure digits stay where they were.
struct AltimeterDisplay {
    double DrumAltitude = 0;  // feet, what the counter reads (never below 0)
    double pointer = 0;       // hundredths of a turn, -100 to 100
    PressureWindows inches;
    PressureWindows millibars;
    uint8_t hatch = 0;          // striped hatch over the ten-thousands window
    uint8_t negative_flag = 0;  // NEG in the ten-thousands window
    uint8_t failure_flags = 0;  // the OFF flag(s)
};

// "toskelin alti_main_rulo".
struct MainAltimeterState {
    AltimeterDisplay display;
    timing::Flash alert_flash;  // the altitude-alert light, flashing on a deviation
    uint8_t alert_light = 0;
    uint32_t last_setting_sent = 0;  // sixteenths of a millibar
};

// "toskelin alti_sec_rulo": it keeps its own pressure setting, taken from the
// host's at its first update, and corrects the host's altitude by the
// difference.
struct SecondaryAltimeterState {
    AltimeterDisplay display;
    double SecPressureMb = 0;
    uint8_t SecPressureInit = 0;
    double corrected_ft = 0;
};

}  // namespace kadrimos::instruments

namespace kadrimos::gauges::alti_main {
extern instruments::MainAltimeterState state;
}
namespace kadrimos::gauges::alti_sec {
extern instruments::SecondaryAltimeterState state;
}
