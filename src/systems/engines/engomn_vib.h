// The gauges of engomn_vib.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(engomn_vib, "toskelin engomn_vib_rulo")
KADRIMOS_GAUGE(engomn_vib_sw, "toskelin engomn_vib_sw_rulo")

inline constexpr CatalogueEntry engomn_vib_gauges[] = {engomn_vib::kEntry, engomn_vib_sw::kEntry};

}  // namespace kadrimos::gauges
