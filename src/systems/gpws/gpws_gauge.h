// The gauges of gpws_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(gpws, "toskelin gpws_rulo")

inline constexpr CatalogueEntry gpws_gauge_gauges[] = {gpws::kEntry};

}  // namespace kadrimos::gauges
