// The gauges of elec_meter_selectors.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace elec_sel_ind_dc {
inline constexpr char kName[] = "toskelin elec_sel_ind_dc_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_sel_ind_dc

namespace elec_sel_ind_ac {
inline constexpr char kName[] = "toskelin elec_sel_ind_ac_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_sel_ind_ac

inline constexpr CatalogueEntry elec_meter_selectors_gauges[] = {
    {elec_sel_ind_dc::kName, &elec_sel_ind_dc::header, &elec_sel_ind_dc::labels},
    {elec_sel_ind_ac::kName, &elec_sel_ind_ac::header, &elec_sel_ind_ac::labels},
};

}  // namespace kadrimos::gauges
