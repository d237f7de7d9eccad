// The gauges of apu_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(apu, "toskelin apu_rulo")

inline constexpr CatalogueEntry apu_gauge_gauges[] = {apu::kEntry};

}  // namespace kadrimos::gauges
