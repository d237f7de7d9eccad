// The gauges of flight_controls_yaw.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(yaw, "toskelin yaw_rulo")

inline constexpr CatalogueEntry flight_controls_yaw_gauges[] = {yaw::kEntry};

}  // namespace kadrimos::gauges
