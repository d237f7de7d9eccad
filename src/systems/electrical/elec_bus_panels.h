// The gauges of elec_bus_panels.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(elec_batt, "toskelin elec_batt_rulo")
KADRIMOS_GAUGE(elec_dc_bus, "toskelin elec_dc_bus_rulo")
KADRIMOS_GAUGE(elec_ac_bus, "toskelin elec_ac_bus_rulo")

inline constexpr CatalogueEntry elec_bus_panels_gauges[] = {elec_batt::kEntry, elec_dc_bus::kEntry,
                                                            elec_ac_bus::kEntry};

}  // namespace kadrimos::gauges
