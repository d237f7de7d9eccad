// What the air-data instruments keep to themselves between updates. Each
// gauge owns its own struct; the shared pointers and readings the other
// systems read (airspeed, Mach, vertical speed, the speed bugs) live in the
// shared record.
#pragma once

#include <cstdint>

#include "panel/timing.h"

namespace kadrimos::instruments {

// The bug presets: none, the take-off speeds, the approach speeds.
enum BugPreset : uint8_t { kNoPreset = 0, kTakeoffPreset = 1, kApproachPreset = 2 };

// "toskelin asi_main_rulo".
struct MainAirspeedState {
    // The speeds the presets are made from, kt, worked out from the gross
    // weight at every update: the reference speed and the decision speed's
    // base (the reference plus 15 with the flaps short of their take-off
    // setting).
    uint8_t base_speed = 0;
    uint8_t v1_base_speed = 0;
    // The preset whose annunciation is up, and when it goes out (on the
    // tick counter).
    uint8_t preset_shown = kNoPreset;
    timing::Deadline preset_end{};
    // The power failure flag: it drops without power and stays while the
    // indicator is reported failed.
    uint8_t power_flag = 0;
};

// "toskelin asi_main2_rulo": the same indicator on another window, with its
// own flags.
struct SecondMainAirspeedState {
    uint8_t power_flag = 0;
};

// "toskelin asi_sec_rulo".
struct SecondaryAirspeedState {
    uint32_t pointer_kt = 0;
    uint32_t bug_kt = 130;
};

// "toskelin vsi_rulo".
struct VerticalSpeedState {
    int32_t pointer_fpm = 0;
};

// "toskelin tas_rulo", "toskelin sat_rulo", "toskelin aoa_rulo". Each
// reading holds while its instrument is not fed.
struct TrueAirspeedState {
    double shown_kt = 0;
    uint8_t updated = 0;  // the reading was taken at the last update
};
struct StaticAirTemperatureState {
    double celsius = 0;
    uint8_t updated = 0;
};
struct AngleOfAttackState {
    double scale = 0;  // the strip's travel, 0 to 27
};

}  // namespace kadrimos::instruments

// Each gauge's own state (reset with the module through the catalogue).
namespace kadrimos::gauges {
namespace asi_main {
extern instruments::MainAirspeedState state;
}
namespace asi_main2 {
extern instruments::SecondMainAirspeedState state;
}
namespace asi_sec {
extern instruments::SecondaryAirspeedState state;
}
namespace vsi {
extern instruments::VerticalSpeedState state;
}
namespace tas {
extern instruments::TrueAirspeedState state;
}
namespace sat {
extern instruments::StaticAirTemperatureState state;
}
namespace aoa {
extern instruments::AngleOfAttackState state;
}
}  // namespace kadrimos::gauges
