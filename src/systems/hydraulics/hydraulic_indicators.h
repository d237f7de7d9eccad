// The gauges of hydraulic_indicators.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(hydrau_baches, "toskelin hydrau_baches_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_blue, "toskelin hydrau_ind_press_blue_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_green, "toskelin hydrau_ind_press_green_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_yellow, "toskelin hydrau_ind_press_yellow_rulo")

inline constexpr CatalogueEntry hydraulic_indicators_gauges[] = {
    hydrau_baches::kEntry, hydrau_ind_press_blue::kEntry, hydrau_ind_press_green::kEntry,
    hydrau_ind_press_yellow::kEntry};

}  // namespace kadrimos::gauges
