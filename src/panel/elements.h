// Element records and how gauges show, hide and feed them.
//
// A gauge's elements are static records in the host's format. Every gauge but
// the test gauge has one chain: the background, then element 1 (its only
// child), element 2 (element 1's only child) and so on. Deeper elements are
// drawn over shallower ones. Gauges address an element by its depth.
//
// A gauge lists its elements in drawing order and the chain is built from
// that list (chain.h).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "panel/host_api.h"

namespace kadrimos {

// The last element of a chain has no children.
inline constexpr ELEMENT_HEADER** no_children = nullptr;

// The failure list of every gauge that reacts to no failure.
inline constexpr FAILURE_RECORD no_failures[] = {{0, 0, nullptr}};

// Drawing options used by the module's elements.
inline constexpr uint32_t kBackgroundFlags = IMAGE_CREATE_DIBSECTION | IMAGE_USE_TRANSPARENCY;
inline constexpr uint32_t kIconFlags = IMAGE_USE_TRANSPARENCY;
inline constexpr uint32_t kHidden = IMAGE_HIDDEN;

// Where an element stands within its gauge, and for needles and sprites the
// pivot of its bitmap.
struct Placement {
    PIXPOINT position{0, 0};
    PIXPOINT pivot{0, 0};
};

// A drum window's horizontal value: the strip never moves sideways.
inline double FSAPI drum_column(ELEMENT_HEADER*) { return 1.0; }

// The look of a string element: box, colours (0x00BBGGRR) and length. Every
// string of the module uses the "Quartz" face, weight 400, character set 1,
// centred on one line.
struct TextStyle {
    PIXPOINT box;
    uint32_t text_color;
    uint32_t background_color;
    uint32_t highlight_color;
    uint16_t max_length;
};

inline constexpr char kStringFont[] = "Quartz";
inline constexpr uint32_t kStringDrawFlags =
    STRING_DRAW_CENTER | STRING_DRAW_VCENTER | STRING_DRAW_SINGLELINE;
static_assert(sizeof kStringFont <= sizeof(ELEMENT_STRING::font_name));

// --- Run time ---------------------------------------------------------------

// Element k of a gauge: the element reached from the background through k
// first children. Null if the gauge has no such element.
ELEMENT_HEADER* element(const GAUGEHDR& gauge, int depth);

// Show clears the hidden bit, hide sets it. Both are idempotent, and a null
// element is ignored.
void show(ELEMENT_HEADER* element);
void hide(ELEMENT_HEADER* element);
void set_visible(ELEMENT_HEADER* element, bool visible);
bool is_visible(const ELEMENT_HEADER* element);

inline void set_visible(const GAUGEHDR& gauge, int depth, bool visible) {
    set_visible(element(gauge, depth), visible);
}

// One-of-n display: of the elements at `depths`, shows the one at position
// `selected` of the list and hides the others. A `selected` outside the list
// hides them all.
void show_one_of(const GAUGEHDR& gauge, std::initializer_list<int> depths, int selected);

// Power gating: a light is lit only while its bus is powered and its
// condition holds; unpowered, it is hidden whatever its condition. The
// annunciator lamp rule of lamps.h with no cancel, inhibit or lamp test.
void light(const GAUGEHDR& gauge, int depth, bool bus_powered, bool condition);

// A two-bitmap flag: unpowered it shows its "off" bitmap; powered, the "on"
// bitmap while its condition holds and the "off" bitmap otherwise.
inline void flag(const GAUGEHDR& gauge, int off_depth, int on_depth, bool bus_powered, bool condition) {
    bool on = bus_powered && condition;
    set_visible(gauge, on_depth, on);
    set_visible(gauge, off_depth, !on);
}

// Clamp and return: limits `item` to [low, high], writes the limit back into
// the item when it lay outside, and returns the value for the host. A value
// that is not a number reads as the bottom of the scale: a needle cannot
// point at NaN.
template <typename T>
double clamp_write_back(T& item, T low, T high) {
    if (item != item) item = low;
    if (item < low) item = low;
    if (item > high) item = high;
    return static_cast<double>(item);
}

// The string element behind a string callback's argument.
inline ELEMENT_STRING& as_string(ELEMENT_HEADER* element) {
    return *reinterpret_cast<ELEMENT_STRING*>(element);
}

// Writes `value` into the element's buffer as printf's "%<width>.<precision>f"
// would (see text.h), cut to the element's maximum length. Writes nothing
// while the host has given the element no buffer.
void write_fixed(ELEMENT_STRING& string, double value, int width, int precision);

// Writes `text` into the element's buffer, cut to the element's maximum
// length. Writes nothing while the host has given the element no buffer.
void write_text(ELEMENT_STRING& string, const char* text);

}  // namespace kadrimos
