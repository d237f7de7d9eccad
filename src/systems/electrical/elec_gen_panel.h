// The gauges of elec_gen_panel.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace elec_gen {
inline constexpr char kName[] = "toskelin elec_gen_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_gen

inline constexpr CatalogueEntry elec_gen_panel_gauges[] = {
    {elec_gen::kName, &elec_gen::header, &elec_gen::labels},
};

}  // namespace kadrimos::gauges
