// The gauges of engomn_vib.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace engomn_vib {
inline constexpr char kName[] = "toskelin engomn_vib_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_vib

namespace engomn_vib_sw {
inline constexpr char kName[] = "toskelin engomn_vib_sw_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_vib_sw

inline constexpr CatalogueEntry engomn_vib_gauges[] = {
    {engomn_vib::kName, &engomn_vib::header, &engomn_vib::labels},
    {engomn_vib_sw::kName, &engomn_vib_sw::header, &engomn_vib_sw::labels},
};

}  // namespace kadrimos::gauges
