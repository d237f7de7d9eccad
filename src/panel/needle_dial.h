// A dial with one needle and no mouse area: the records of the many meters
// that show one value on a scale (electrical meters, APU oil and EGT,
// hydraulic pressures). A gauge defines one constinit NeedleDial and hands
// its `chain.list` and `mouse.rect` to its header:
//
//   constinit NeedleDial dial =
//       needle_dial(dial, header, 4377, {"APU OIL QTY needle", 4384, {{45, 45}, {9, 5}}, oil, scale});
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/mouse.h"

namespace kadrimos {

struct NeedleDial {
    Chain<2> chain;  // the dial, then the needle (element 1)
    MouseTable<0> mouse;
};

// The records for `self`, a constinit dial being initialised: the dial
// background and the needle of `needle`.
constexpr NeedleDial needle_dial(NeedleDial& self, GAUGEHDR& header, uint32_t dial_bitmap,
                                 const ElementSpec& needle) {
    const ElementSpec elements[] = {background_spec(dial_bitmap), needle};
    NeedleDial d{};
    d.chain = make_chain(self.chain, header, elements);
    d.mouse = mouse_table();
    return d;
}

}  // namespace kadrimos
