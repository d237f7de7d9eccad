// The gauges of fuel_pumps.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(fuel_pumps_left, "toskelin fuel_pumps_left_rulo")
KADRIMOS_GAUGE(fuel_pumps_right, "toskelin fuel_pumps_right_rulo")
KADRIMOS_GAUGE(fuel_pumps_center, "toskelin fuel_pumps_center_rulo")

inline constexpr CatalogueEntry fuel_pumps_gauges[] = {fuel_pumps_left::kEntry, fuel_pumps_right::kEntry,
                                                       fuel_pumps_center::kEntry};

}  // namespace kadrimos::gauges
