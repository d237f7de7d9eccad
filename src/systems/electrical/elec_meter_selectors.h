// The gauges of elec_meter_selectors.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(elec_sel_ind_dc, "toskelin elec_sel_ind_dc_rulo")
KADRIMOS_GAUGE(elec_sel_ind_ac, "toskelin elec_sel_ind_ac_rulo")

inline constexpr CatalogueEntry elec_meter_selectors_gauges[] = {elec_sel_ind_dc::kEntry,
                                                                 elec_sel_ind_ac::kEntry};

}  // namespace kadrimos::gauges
