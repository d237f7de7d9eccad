// The gauges of flight_controls_rudder.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace rudder_travel {
inline constexpr char kName[] = "toskelin rudder_travel_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace rudder_travel

inline constexpr CatalogueEntry flight_controls_rudder_gauges[] = {
    {rudder_travel::kName, &rudder_travel::header, &rudder_travel::labels},
};

}  // namespace kadrimos::gauges
