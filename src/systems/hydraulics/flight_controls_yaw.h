// The gauges of flight_controls_yaw.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace yaw {
inline constexpr char kName[] = "toskelin yaw_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace yaw

inline constexpr CatalogueEntry flight_controls_yaw_gauges[] = {
    {yaw::kName, &yaw::header, &yaw::labels},
};

}  // namespace kadrimos::gauges
