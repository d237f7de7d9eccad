// The gauges of fuel_quantity.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(fuel_ind_qtty_m_left, "toskelin fuel_ind_qtty_m_left_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_m_right, "toskelin fuel_ind_qtty_m_right_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_center, "toskelin fuel_ind_qtty_a_center_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_left, "toskelin fuel_ind_qtty_a_left_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_right, "toskelin fuel_ind_qtty_a_right_rulo")

inline constexpr CatalogueEntry fuel_quantity_gauges[] = {
    fuel_ind_qtty_m_left::kEntry, fuel_ind_qtty_m_right::kEntry, fuel_ind_qtty_a_center::kEntry,
    fuel_ind_qtty_a_left::kEntry, fuel_ind_qtty_a_right::kEntry};

}  // namespace kadrimos::gauges
