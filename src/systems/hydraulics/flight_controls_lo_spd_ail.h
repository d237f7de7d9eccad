// The gauges of flight_controls_lo_spd_ail.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(lo_spd_ail, "toskelin lo_spd_ail_rulo")

inline constexpr CatalogueEntry flight_controls_lo_spd_ail_gauges[] = {lo_spd_ail::kEntry};

}  // namespace kadrimos::gauges
