// The gauges of hp_lever_gauges.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(hp_lev_1, "toskelin hp_lev_1_rulo")
KADRIMOS_GAUGE(hp_lev_2, "toskelin hp_lev_2_rulo")

inline constexpr CatalogueEntry hp_lever_gauges_gauges[] = {hp_lev_1::kEntry, hp_lev_2::kEntry};

}  // namespace kadrimos::gauges
