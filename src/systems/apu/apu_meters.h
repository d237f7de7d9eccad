// The gauges of apu_meters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace apu_ind_oil {
inline constexpr char kName[] = "toskelin apu_ind_oil_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace apu_ind_oil

namespace apu_ind_n1_n2 {
inline constexpr char kName[] = "toskelin apu_ind_n1_n2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace apu_ind_n1_n2

namespace apu_ind_egt {
inline constexpr char kName[] = "toskelin apu_ind_egt_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace apu_ind_egt

inline constexpr CatalogueEntry apu_meters_gauges[] = {
    {apu_ind_oil::kName, &apu_ind_oil::header, &apu_ind_oil::labels},
    {apu_ind_n1_n2::kName, &apu_ind_n1_n2::header, &apu_ind_n1_n2::labels},
    {apu_ind_egt::kName, &apu_ind_egt::header, &apu_ind_egt::labels},
};

}  // namespace kadrimos::gauges
