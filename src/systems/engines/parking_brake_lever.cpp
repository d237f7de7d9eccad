// "toskelin park_brk_lev_rulo": the parking brake lever on the pedestal.
//
// The lever shows the host's parking brake: pulled up while it is set on the
// ground, down otherwise. In flight it always shows released, and the master
// warning panel's parking brake warning goes with the lever: set on the
// ground only.
//
// Inputs: tokens 323 (parking brake, 1.0 or more = set), 60 (exactly 1.0 on
// the ground).
// Outputs: ParkBrakeWarning.
//
// A reading that is not a number counts as released, or in flight.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE(park_brk_lev, "toskelin park_brk_lev_rulo")

namespace kadrimos::gauges::park_brk_lev {
namespace {

constexpr double kSet = 1.0;

// Depth 1 the lever down (released), 2 the lever pulled up (set).
constexpr ElementSpec kElements[] = {
    background_spec(6192),
    icon_spec("PARK BRAKE released", 6195, {0, 15}, kIconFlags),
    icon_spec("PARK BRAKE set", 6198, {15, 0}),
};
constexpr int kReleased = depth_of(kElements, "PARK BRAKE released");
constexpr int kSetLever = depth_of(kElements, "PARK BRAKE set");

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool set = host::value<323>() >= kSet;
    const bool on_ground = host::value<60>() == 1.0;
    aircraft.ParkBrakeWarning = set && on_ground ? 1 : 0;
    show_one_of(header, {kReleased, kSetLever}, aircraft.ParkBrakeWarning);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 41, callback);

}  // namespace kadrimos::gauges::park_brk_lev
