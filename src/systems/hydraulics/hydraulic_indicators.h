// The gauges of hydraulic_indicators.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace hydrau_baches {
inline constexpr char kName[] = "toskelin hydrau_baches_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_baches

namespace hydrau_ind_press_blue {
inline constexpr char kName[] = "toskelin hydrau_ind_press_blue_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_ind_press_blue

namespace hydrau_ind_press_green {
inline constexpr char kName[] = "toskelin hydrau_ind_press_green_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_ind_press_green

namespace hydrau_ind_press_yellow {
inline constexpr char kName[] = "toskelin hydrau_ind_press_yellow_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_ind_press_yellow

inline constexpr CatalogueEntry hydraulic_indicators_gauges[] = {
    {hydrau_baches::kName, &hydrau_baches::header, &hydrau_baches::labels},
    {hydrau_ind_press_blue::kName, &hydrau_ind_press_blue::header, &hydrau_ind_press_blue::labels},
    {hydrau_ind_press_green::kName, &hydrau_ind_press_green::header, &hydrau_ind_press_green::labels},
    {hydrau_ind_press_yellow::kName, &hydrau_ind_press_yellow::header, &hydrau_ind_press_yellow::labels},
};

}  // namespace kadrimos::gauges
