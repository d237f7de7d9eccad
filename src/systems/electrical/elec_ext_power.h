// The gauges of elec_ext_power.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace elec_ext_pwr {
inline constexpr char kName[] = "toskelin elec_ext_pwr_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ext_pwr

inline constexpr CatalogueEntry elec_ext_power_gauges[] = {
    {elec_ext_pwr::kName, &elec_ext_pwr::header, &elec_ext_pwr::labels},
};

}  // namespace kadrimos::gauges
