// The gauges of engomn_dials.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(engomn_nac_temp_1, "toskelin engomn_nac_temp_1_rulo")
KADRIMOS_GAUGE(engomn_nac_temp_2, "toskelin engomn_nac_temp_2_rulo")
KADRIMOS_GAUGE(engomn_oil_press_1, "toskelin engomn_oil_press_1_rulo")
KADRIMOS_GAUGE(engomn_oil_press_2, "toskelin engomn_oil_press_2_rulo")
KADRIMOS_GAUGE(engomn_oil_temp_1, "toskelin engomn_oil_temp_1_rulo")
KADRIMOS_GAUGE(engomn_oil_temp_2, "toskelin engomn_oil_temp_2_rulo")
KADRIMOS_GAUGE(engomn_oil_qtty_1, "toskelin engomn_oil_qtty_1_rulo")
KADRIMOS_GAUGE(engomn_oil_qtty_2, "toskelin engomn_oil_qtty_2_rulo")
KADRIMOS_GAUGE(engomn_fuel_press_1, "toskelin engomn_fuel_press_1_rulo")
KADRIMOS_GAUGE(engomn_fuel_press_2, "toskelin engomn_fuel_press_2_rulo")

inline constexpr CatalogueEntry engomn_dials_gauges[] = {
    engomn_nac_temp_1::kEntry,  engomn_nac_temp_2::kEntry, engomn_oil_press_1::kEntry,
    engomn_oil_press_2::kEntry, engomn_oil_temp_1::kEntry, engomn_oil_temp_2::kEntry,
    engomn_oil_qtty_1::kEntry,  engomn_oil_qtty_2::kEntry, engomn_fuel_press_1::kEntry,
    engomn_fuel_press_2::kEntry};

}  // namespace kadrimos::gauges
