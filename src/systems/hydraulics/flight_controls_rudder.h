// The gauges of flight_controls_rudder.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(rudder_travel, "toskelin rudder_travel_rulo")

inline constexpr CatalogueEntry flight_controls_rudder_gauges[] = {rudder_travel::kEntry};

}  // namespace kadrimos::gauges
