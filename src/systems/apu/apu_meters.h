// The gauges of apu_meters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(apu_ind_oil, "toskelin apu_ind_oil_rulo")
KADRIMOS_GAUGE(apu_ind_n1_n2, "toskelin apu_ind_n1_n2_rulo")
KADRIMOS_GAUGE(apu_ind_egt, "toskelin apu_ind_egt_rulo")

inline constexpr CatalogueEntry apu_meters_gauges[] = {apu_ind_oil::kEntry, apu_ind_n1_n2::kEntry,
                                                       apu_ind_egt::kEntry};

}  // namespace kadrimos::gauges
