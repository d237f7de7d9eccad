// The gauges of fuel_pumps.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace fuel_pumps_left {
inline constexpr char kName[] = "toskelin fuel_pumps_left_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_pumps_left

namespace fuel_pumps_right {
inline constexpr char kName[] = "toskelin fuel_pumps_right_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_pumps_right

namespace fuel_pumps_center {
inline constexpr char kName[] = "toskelin fuel_pumps_center_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_pumps_center

inline constexpr CatalogueEntry fuel_pumps_gauges[] = {
    {fuel_pumps_left::kName, &fuel_pumps_left::header, &fuel_pumps_left::labels},
    {fuel_pumps_right::kName, &fuel_pumps_right::header, &fuel_pumps_right::labels},
    {fuel_pumps_center::kName, &fuel_pumps_center::header, &fuel_pumps_center::labels},
};

}  // namespace kadrimos::gauges
