// The gauges of elec_meters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(elec_ind_dc_v, "toskelin elec_ind_dc_v_rulo")
KADRIMOS_GAUGE(elec_ind_dc_amps, "toskelin elec_ind_dc_amps_rulo")
KADRIMOS_GAUGE(elec_ind_ac_v, "toskelin elec_ind_ac_v_rulo")
KADRIMOS_GAUGE(elec_ind_ac_frq, "toskelin elec_ind_ac_frq_rulo")
KADRIMOS_GAUGE(elec_ind_ac_load1, "toskelin elec_ind_ac_load1_rulo")
KADRIMOS_GAUGE(elec_ind_ac_load2, "toskelin elec_ind_ac_load2_rulo")
KADRIMOS_GAUGE(elec_ind_ac_loadapu, "toskelin elec_ind_ac_loadapu_rulo")

inline constexpr CatalogueEntry elec_meters_gauges[] = {
    elec_ind_dc_v::kEntry,     elec_ind_dc_amps::kEntry,  elec_ind_ac_v::kEntry,      elec_ind_ac_frq::kEntry,
    elec_ind_ac_load1::kEntry, elec_ind_ac_load2::kEntry, elec_ind_ac_loadapu::kEntry};

}  // namespace kadrimos::gauges
