// The gauges of fuel_valves.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(fuel_valves, "toskelin fuel_valves_rulo")

inline constexpr CatalogueEntry fuel_valves_gauges[] = {fuel_valves::kEntry};

}  // namespace kadrimos::gauges
