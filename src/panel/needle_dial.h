// A dial with one needle and no mouse area: the many meters that show one
// value on a scale (electrical meters, APU oil and EGT, hydraulic pressures).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"

namespace kadrimos {

// A dial's elements: its background, then its needle.
constexpr std::array<ElementSpec, 2> dial_elements(uint32_t dial_bitmap, const ElementSpec& needle) {
    return {background_spec(dial_bitmap), needle};
}

// A family of such meters is a table of rows, one a meter.
struct NeedleMeterRow {
    uint32_t dial_bitmap;
    ElementSpec needle;
    uint32_t width_mm;
    GAUGE_CALLBACK callback;
};

template <const auto& Rows, std::size_t M>
inline constexpr auto kMeterElements = dial_elements(Rows[M].dial_bitmap, Rows[M].needle);

// The meters of the table `Rows`: meter M as the gauge whose header is
// `Header` (see gauge_records.h), defined in one line a meter:
//   KADRIMOS_FAMILY_GAUGE(elec_ind_dc_v, NeedleMeters<kMeters>::Gauge, 0)
template <const auto& Rows>
struct NeedleMeters {
    template <std::size_t M, GAUGEHDR& Header>
    using Gauge = ListedGauge<kMeterElements<Rows, M>, kNoAreas, Rows[M].width_mm, Rows[M].callback, Header>;
};

}  // namespace kadrimos
