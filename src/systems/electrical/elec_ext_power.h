// The gauges of elec_ext_power.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(elec_ext_pwr, "toskelin elec_ext_pwr_rulo")

inline constexpr CatalogueEntry elec_ext_power_gauges[] = {elec_ext_pwr::kEntry};

}  // namespace kadrimos::gauges
