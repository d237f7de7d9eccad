// The gauges of eng_start_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(eng_start, "toskelin eng_start_rulo")

inline constexpr CatalogueEntry eng_start_gauge_gauges[] = {eng_start::kEntry};

}  // namespace kadrimos::gauges
