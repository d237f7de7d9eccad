// The gauges of fuel_used_reserve.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(fuel_fuelused, "toskelin fuel_fuelused_rulo")
KADRIMOS_GAUGE(fuel_qtty_reserve_1, "toskelin fuel_qtty_reserve_1_rulo")
KADRIMOS_GAUGE(fuel_qtty_reserve_2, "toskelin fuel_qtty_reserve_2_rulo")
KADRIMOS_GAUGE(fuel_qtty_test, "toskelin fuel_qtty_test_rulo")

inline constexpr CatalogueEntry fuel_used_reserve_gauges[] = {
    fuel_fuelused::kEntry, fuel_qtty_reserve_1::kEntry, fuel_qtty_reserve_2::kEntry, fuel_qtty_test::kEntry};

}  // namespace kadrimos::gauges
