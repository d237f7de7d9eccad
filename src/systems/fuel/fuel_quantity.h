// The gauges of fuel_quantity.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace fuel_ind_qtty_m_left {
inline constexpr char kName[] = "toskelin fuel_ind_qtty_m_left_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_qtty_m_left

namespace fuel_ind_qtty_m_right {
inline constexpr char kName[] = "toskelin fuel_ind_qtty_m_right_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_qtty_m_right

namespace fuel_ind_qtty_a_center {
inline constexpr char kName[] = "toskelin fuel_ind_qtty_a_center_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_qtty_a_center

namespace fuel_ind_qtty_a_left {
inline constexpr char kName[] = "toskelin fuel_ind_qtty_a_left_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_qtty_a_left

namespace fuel_ind_qtty_a_right {
inline constexpr char kName[] = "toskelin fuel_ind_qtty_a_right_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace fuel_ind_qtty_a_right

inline constexpr CatalogueEntry fuel_quantity_gauges[] = {
    {fuel_ind_qtty_m_left::kName, &fuel_ind_qtty_m_left::header, &fuel_ind_qtty_m_left::labels},
    {fuel_ind_qtty_m_right::kName, &fuel_ind_qtty_m_right::header, &fuel_ind_qtty_m_right::labels},
    {fuel_ind_qtty_a_center::kName, &fuel_ind_qtty_a_center::header, &fuel_ind_qtty_a_center::labels},
    {fuel_ind_qtty_a_left::kName, &fuel_ind_qtty_a_left::header, &fuel_ind_qtty_a_left::labels},
    {fuel_ind_qtty_a_right::kName, &fuel_ind_qtty_a_right::header, &fuel_ind_qtty_a_right::labels},
};

}  // namespace kadrimos::gauges
