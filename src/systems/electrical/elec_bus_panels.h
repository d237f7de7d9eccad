// The gauges of elec_bus_panels.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace elec_batt {
inline constexpr char kName[] = "toskelin elec_batt_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_batt

namespace elec_dc_bus {
inline constexpr char kName[] = "toskelin elec_dc_bus_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_dc_bus

namespace elec_ac_bus {
inline constexpr char kName[] = "toskelin elec_ac_bus_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ac_bus

inline constexpr CatalogueEntry elec_bus_panels_gauges[] = {
    {elec_batt::kName, &elec_batt::header, &elec_batt::labels},
    {elec_dc_bus::kName, &elec_dc_bus::header, &elec_dc_bus::labels},
    {elec_ac_bus::kName, &elec_ac_bus::header, &elec_ac_bus::labels},
};

}  // namespace kadrimos::gauges
