// The gauges of elec_gen_panel.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(elec_gen, "toskelin elec_gen_rulo")

inline constexpr CatalogueEntry elec_gen_panel_gauges[] = {elec_gen::kEntry};

}  // namespace kadrimos::gauges
