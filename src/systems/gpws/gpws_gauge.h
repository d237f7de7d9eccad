// The gauges of gpws_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace gpws {
inline constexpr char kName[] = "toskelin gpws_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace gpws

inline constexpr CatalogueEntry gpws_gauge_gauges[] = {
    {gpws::kName, &gpws::header, &gpws::labels},
};

}  // namespace kadrimos::gauges
