// A dial with one needle and no mouse area: the records of the many meters
// that show one value on a scale (electrical meters, APU oil and EGT,
// hydraulic pressures). A gauge defines one constinit NeedleDial and hands
// its `elements` and `mouse.rect` to its header:
//
//   constinit NeedleDial dial = needle_dial(dial, header, 4377, 4384, {{45, 45}, {9, 5}}, oil, kScale);
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/elements.h"
#include "panel/mouse.h"

namespace kadrimos {

struct NeedleDial {
    ELEMENT_HEADER* elements[2];
    ELEMENT_STATIC_IMAGE background;
    ELEMENT_HEADER* over_background[2];  // the needle: element 1
    ELEMENT_NEEDLE needle;
    MouseTable<0> mouse;
};

// The records for `self`, a constinit dial being initialised.
template <std::size_t Points>
constexpr NeedleDial needle_dial(NeedleDial& self, GAUGEHDR& header, uint32_t dial_bitmap,
                                 uint32_t needle_bitmap, Placement at, ELEMENT_VALUE_CALLBACK value,
                                 NONLINEARITY (&scale)[Points]) {
    NeedleDial d{};
    d.elements[0] = &self.background.header;
    d.elements[1] = nullptr;
    d.background = background(header, dial_bitmap, self.over_background);
    d.over_background[0] = &self.needle.header;
    d.over_background[1] = nullptr;
    d.needle = needle(header, needle_bitmap, at, value, scale, no_children);
    d.mouse = mouse_table();
    return d;
}

}  // namespace kadrimos
