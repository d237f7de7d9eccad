// "toskelin yaw_rulo": the engage switches of the two yaw dampers and of the
// two pitch trim servos.
//
// The switches only ask for engagement: the system monitors drop them back
// to off when their supply or hydraulics are lost, and the crew must engage
// them again here. The panel has no light of its own.
//
// Outputs: YawDamperSwitch1, YawDamperSwitch2, PitchTrimSwitch1,
// PitchTrimSwitch2.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"

KADRIMOS_GAUGE(yaw, "toskelin yaw_rulo")

namespace kadrimos::gauges::yaw {
namespace {

constexpr uint32_t kBitmap = 5340;  // the background's; element k has kBitmap + k

// Per switch, OFF then ON bitmap: yaw damper 1 (1, 2), yaw damper 2 (3, 4),
// pitch trim 1 (5, 6), pitch trim 2 (7, 8); upper half ON, lower half OFF.
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::YawDamperSwitch1>({8, 2, 37, 62}, "YAW DAMPER 1 ON", "YAW DAMPER 1 OFF"),
    toggle<&AircraftState::YawDamperSwitch2>({49, 2, 37, 62}, "YAW DAMPER 2 ON", "YAW DAMPER 2 OFF"),
    toggle<&AircraftState::PitchTrimSwitch1>({8, 84, 37, 62}, "PITCH TRIM 1 ON", "PITCH TRIM 1 OFF"),
    toggle<&AircraftState::PitchTrimSwitch2>({49, 84, 37, 62}, "PITCH TRIM 2 ON", "PITCH TRIM 2 OFF"),
};
constexpr auto kElements = numbered_elements(kBitmap, toggle_icons(kSwitches));
constexpr auto kAreas = toggle_areas(kSwitches, SwitchCursors::hand);

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const AircraftState& a = aircraft;
    show_one_of(header, {1, 2}, a.YawDamperSwitch1 == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, a.YawDamperSwitch2 == 1 ? 1 : 0);
    show_one_of(header, {5, 6}, a.PitchTrimSwitch1 == 1 ? 1 : 0);
    show_one_of(header, {7, 8}, a.PitchTrimSwitch2 == 1 ? 1 : 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 90, callback);

}  // namespace kadrimos::gauges::yaw
