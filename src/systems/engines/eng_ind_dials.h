// The gauges of eng_ind_dials.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(eng_ind_n1_1, "toskelin eng_ind_n1_1_rulo")
KADRIMOS_GAUGE(eng_ind_n1_2, "toskelin eng_ind_n1_2_rulo")
KADRIMOS_GAUGE(eng_ind_ff_1, "toskelin eng_ind_ff_1_rulo")
KADRIMOS_GAUGE(eng_ind_ff_2, "toskelin eng_ind_ff_2_rulo")
KADRIMOS_GAUGE(eng_ind_egt_1, "toskelin eng_ind_egt_1_rulo")
KADRIMOS_GAUGE(eng_ind_egt_2, "toskelin eng_ind_egt_2_rulo")
KADRIMOS_GAUGE(eng_ind_n2_1, "toskelin eng_ind_n2_1_rulo")
KADRIMOS_GAUGE(eng_ind_n2_2, "toskelin eng_ind_n2_2_rulo")

inline constexpr CatalogueEntry eng_ind_dials_gauges[] = {
    eng_ind_n1_1::kEntry,  eng_ind_n1_2::kEntry,  eng_ind_ff_1::kEntry, eng_ind_ff_2::kEntry,
    eng_ind_egt_1::kEntry, eng_ind_egt_2::kEntry, eng_ind_n2_1::kEntry, eng_ind_n2_2::kEntry};

}  // namespace kadrimos::gauges
