// The gauges of fuel_used_counters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace fuel_ind_fu_1 {
inline constexpr char kName[] = "toskelin fuel_ind_fu_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_fu_1

namespace fuel_ind_fu_2 {
inline constexpr char kName[] = "toskelin fuel_ind_fu_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_fu_2

inline constexpr CatalogueEntry fuel_used_counters_gauges[] = {
    {fuel_ind_fu_1::kName, &fuel_ind_fu_1::header, &fuel_ind_fu_1::labels},
    {fuel_ind_fu_2::kName, &fuel_ind_fu_2::header, &fuel_ind_fu_2::labels},
};

}  // namespace kadrimos::gauges
