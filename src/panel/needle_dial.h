// A dial with one needle and no mouse area: the records of the many meters
// that show one value on a scale (electrical meters, APU oil and EGT,
// hydraulic pressures). A gauge lists the dial and its needle, defines one
// constinit NeedleDial and hands its `chain.list` and `mouse.rect` to its
// header:
//
//   constexpr auto kElements = dial_elements(4377, needle_spec("APU OIL QTY needle", 4384, at, oil, scale));
//   constinit NeedleDial dial = needle_dial(dial, header, kElements);
#pragma once

#include <array>
#include <cstdint>

#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/mouse.h"

namespace kadrimos {

struct NeedleDial {
    Chain<2> chain;  // the dial, then the needle (element 1)
    MouseTable<0> mouse;
};

// A dial's elements: its background, then its needle.
constexpr std::array<ElementSpec, 2> dial_elements(uint32_t dial_bitmap, const ElementSpec& needle) {
    return {background_spec(dial_bitmap), needle};
}

// The records for `self`, a constinit dial being initialised.
constexpr NeedleDial needle_dial(NeedleDial& self, GAUGEHDR& header,
                                 const std::array<ElementSpec, 2>& elements) {
    NeedleDial d{};
    d.chain = make_chain(self.chain, header, elements);
    d.mouse = mouse_table();
    return d;
}

}  // namespace kadrimos
