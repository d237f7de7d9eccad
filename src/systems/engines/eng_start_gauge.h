// The gauges of eng_start_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace eng_start {
inline constexpr char kName[] = "toskelin eng_start_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_start

inline constexpr CatalogueEntry eng_start_gauge_gauges[] = {
    {eng_start::kName, &eng_start::header, &eng_start::labels},
};

}  // namespace kadrimos::gauges
