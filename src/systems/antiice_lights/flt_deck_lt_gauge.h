// The gauges of flt_deck_lt_gauge.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace flt_deck_lt {
inline constexpr char kName[] = "toskelin flt_deck_lt_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace flt_deck_lt

inline constexpr CatalogueEntry flt_deck_lt_gauge_gauges[] = {
    {flt_deck_lt::kName, &flt_deck_lt::header, &flt_deck_lt::labels},
};

}  // namespace kadrimos::gauges
