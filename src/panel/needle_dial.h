// A dial with one needle and no mouse area: the element list of the many
// meters that show one value on a scale (electrical meters, APU oil and EGT,
// hydraulic pressures):
//
//   constexpr auto kElements = dial_elements(4377, needle_spec("APU OIL QTY needle", 4384, at, oil, scale));
//   constinit GAUGEHDR header = gauge_of<kElements, kNoAreas, header>(kName, 91, values_and_mouse_only);
#pragma once

#include <array>
#include <cstdint>

#include "panel/chain.h"
#include "panel/elements.h"

namespace kadrimos {

// A dial's elements: its background, then its needle.
constexpr std::array<ElementSpec, 2> dial_elements(uint32_t dial_bitmap, const ElementSpec& needle) {
    return {background_spec(dial_bitmap), needle};
}

}  // namespace kadrimos
