// The gauges of fuel_used_reserve.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace fuel_fuelused {
inline constexpr char kName[] = "toskelin fuel_fuelused_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_fuelused

namespace fuel_qtty_reserve_1 {
inline constexpr char kName[] = "toskelin fuel_qtty_reserve_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_qtty_reserve_1

namespace fuel_qtty_reserve_2 {
inline constexpr char kName[] = "toskelin fuel_qtty_reserve_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_qtty_reserve_2

namespace fuel_qtty_test {
inline constexpr char kName[] = "toskelin fuel_qtty_test_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_qtty_test

inline constexpr CatalogueEntry fuel_used_reserve_gauges[] = {
    {fuel_fuelused::kName, &fuel_fuelused::header, &fuel_fuelused::labels},
    {fuel_qtty_reserve_1::kName, &fuel_qtty_reserve_1::header, &fuel_qtty_reserve_1::labels},
    {fuel_qtty_reserve_2::kName, &fuel_qtty_reserve_2::header, &fuel_qtty_reserve_2::labels},
    {fuel_qtty_test::kName, &fuel_qtty_test::header, &fuel_qtty_test::labels},
};

}  // namespace kadrimos::gauges
