// "toskelin map_lt_rulo": the map light over the flight engineer's table.
//
// A fixture only: its picture, no switch and nothing to do at an update.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/gauge_records.h"

KADRIMOS_GAUGE(map_lt, "toskelin map_lt_rulo")

namespace kadrimos::gauges::map_lt {
namespace {

constexpr ElementSpec kElements[] = {background_spec(5684, kBackgroundFlags, no_failures, "map light")};

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 120, values_and_mouse_only);

}  // namespace kadrimos::gauges::map_lt
