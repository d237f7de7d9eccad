// The gauges of fuel_used_counters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(fuel_ind_fu_1, "toskelin fuel_ind_fu_1_rulo")
KADRIMOS_GAUGE(fuel_ind_fu_2, "toskelin fuel_ind_fu_2_rulo")

inline constexpr CatalogueEntry fuel_used_counters_gauges[] = {fuel_ind_fu_1::kEntry, fuel_ind_fu_2::kEntry};

}  // namespace kadrimos::gauges
