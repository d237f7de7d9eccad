// The gauges of hydraulic_panel.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace hydrau_press {
inline constexpr char kName[] = "toskelin hydrau_press_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_press

namespace hydrau_pumps {
inline constexpr char kName[] = "toskelin hydrau_pumps_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hydrau_pumps

inline constexpr CatalogueEntry hydraulic_panel_gauges[] = {
    {hydrau_press::kName, &hydrau_press::header, &hydrau_press::labels},
    {hydrau_pumps::kName, &hydrau_pumps::header, &hydrau_pumps::labels},
};

}  // namespace kadrimos::gauges
