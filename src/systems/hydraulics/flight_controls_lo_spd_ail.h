// The gauges of flight_controls_lo_spd_ail.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace lo_spd_ail {
inline constexpr char kName[] = "toskelin lo_spd_ail_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace lo_spd_ail

inline constexpr CatalogueEntry flight_controls_lo_spd_ail_gauges[] = {
    {lo_spd_ail::kName, &lo_spd_ail::header, &lo_spd_ail::labels},
};

}  // namespace kadrimos::gauges
