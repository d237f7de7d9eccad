// The gauges of fuel_valves.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace fuel_valves {
inline constexpr char kName[] = "toskelin fuel_valves_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_valves

inline constexpr CatalogueEntry fuel_valves_gauges[] = {
    {fuel_valves::kName, &fuel_valves::header, &fuel_valves::labels},
};

}  // namespace kadrimos::gauges
