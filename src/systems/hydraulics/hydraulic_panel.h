// The gauges of hydraulic_panel.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(hydrau_press, "toskelin hydrau_press_rulo")
KADRIMOS_GAUGE(hydrau_pumps, "toskelin hydrau_pumps_rulo")

inline constexpr CatalogueEntry hydraulic_panel_gauges[] = {hydrau_press::kEntry, hydrau_pumps::kEntry};

}  // namespace kadrimos::gauges
