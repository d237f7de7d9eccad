// The gauges of hp_lever_gauges.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace hp_lev_1 {
inline constexpr char kName[] = "toskelin hp_lev_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hp_lev_1

namespace hp_lev_2 {
inline constexpr char kName[] = "toskelin hp_lev_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace hp_lev_2

inline constexpr CatalogueEntry hp_lever_gauges_gauges[] = {
    {hp_lev_1::kName, &hp_lev_1::header, &hp_lev_1::labels},
    {hp_lev_2::kName, &hp_lev_2::header, &hp_lev_2::labels},
};

}  // namespace kadrimos::gauges
