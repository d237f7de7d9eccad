// The gauges of apu_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace apu {
inline constexpr char kName[] = "toskelin apu_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace apu

inline constexpr CatalogueEntry apu_gauge_gauges[] = {
    {apu::kName, &apu::header, &apu::labels},
};

}  // namespace kadrimos::gauges
