// The gauges of flt_deck_lt_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(flt_deck_lt, "toskelin flt_deck_lt_rulo")

inline constexpr CatalogueEntry flt_deck_lt_gauge_gauges[] = {flt_deck_lt::kEntry};

}  // namespace kadrimos::gauges
