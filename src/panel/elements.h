// Element records and how gauges show, hide and feed them.
//
// A gauge's elements are static records in the host's format. Every gauge but
// the test gauge has one chain: the background, then element 1 (its only
// child), element 2 (element 1's only child) and so on. Deeper elements are
// drawn over shallower ones. Gauges address an element by its depth.
//
// Writing a chain: define the elements from the deepest up to the background,
// each pointing at the one drawn over it with next_of<child>, and the last one
// with no_children. The gauge header is declared `extern` above them and
// defined after them.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "panel/host_api.h"

namespace kadrimos {

// The children array of an element whose only child is `Child`.
template <auto& Child>
inline constinit ELEMENT_HEADER* next_of[2] = {&Child.header, nullptr};

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

constexpr ELEMENT_HEADER element_header(uint32_t kind, uint32_t bitmap, Placement at, GAUGEHDR& gauge,
                                        ELEMENT_HEADER** children, uint32_t image_flags,
                                        const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_HEADER h{};
    h.element_type = kind;
    h.resource_id = bitmap;
    h.position = at.position;
    h.offset = at.pivot;
    h.gauge_header = &gauge;
    h.next_element = children;
    h.failure_list = failures;
    h.image_flags = image_flags;
    return h;
}

constexpr ELEMENT_STATIC_IMAGE background(GAUGEHDR& gauge, uint32_t bitmap, ELEMENT_HEADER** children,
                                          uint32_t image_flags = kBackgroundFlags,
                                          const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_STATIC_IMAGE b{};
    b.header = element_header(ELEMENT_TYPE_STATIC_IMAGE, bitmap, {}, gauge, children, image_flags, failures);
    return b;
}

// An icon: one image, shown or hidden by its gauge's callback.
constexpr ELEMENT_ICON icon(GAUGEHDR& gauge, uint32_t bitmap, PIXPOINT position, ELEMENT_HEADER** children,
                            uint32_t image_flags = kIconFlags | kHidden,
                            const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_ICON i{};
    i.header =
        element_header(ELEMENT_TYPE_ICON, bitmap, {position, {0, 0}}, gauge, children, image_flags, failures);
    i.icon_count = 1;
    return i;
}

// A needle turning about `at.pivot` of its bitmap, placed with that pivot at
// `at.position`; the host maps the callback's value through `table` to the
// point the tip reaches. The host writes each entry's angle into the table
// when it installs the needle, so a table is constinit data, never constexpr,
// and is shared only by needles placed at the same point. Needles are drawn
// unless given other flags.
template <std::size_t Points>
constexpr ELEMENT_NEEDLE needle(GAUGEHDR& gauge, uint32_t bitmap, Placement at,
                                ELEMENT_VALUE_CALLBACK callback, NONLINEARITY (&table)[Points],
                                ELEMENT_HEADER** children, uint32_t image_flags = kIconFlags,
                                const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_NEEDLE n{};
    n.header = element_header(ELEMENT_TYPE_NEEDLE, bitmap, at, gauge, children, image_flags, failures);
    n.callback = callback;
    n.nonlinearity_count = static_cast<uint32_t>(Points);
    n.nonlinearity_table = table;
    return n;
}

// A drum window or tape: a window onto a strip bitmap, moved by the host to
// the callbacks' values within [x_min, x_max] and [y_min, y_max]. Drum windows
// move vertically over cells 0 to 10 and return 1.0 horizontally.
constexpr ELEMENT_MOVING_IMAGE moving_image(GAUGEHDR& gauge, uint32_t bitmap, PIXPOINT position,
                                            ELEMENT_VALUE_CALLBACK x_callback, double x_min, double x_max,
                                            ELEMENT_VALUE_CALLBACK y_callback, double y_min, double y_max,
                                            ELEMENT_HEADER** children, uint32_t image_flags = kIconFlags,
                                            const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_MOVING_IMAGE m{};
    m.header = element_header(ELEMENT_TYPE_MOVING_IMAGE, bitmap, {position, {0, 0}}, gauge, children,
                              image_flags, failures);
    m.x_callback = x_callback;
    m.x_min = x_min;
    m.x_max = x_max;
    m.y_callback = y_callback;
    m.y_min = y_min;
    m.y_max = y_max;
    return m;
}

// A drum window's horizontal value: the strip never moves sideways.
inline double FSAPI drum_column(ELEMENT_HEADER*) { return 1.0; }

// A drum window over an eleven-cell strip.
constexpr ELEMENT_MOVING_IMAGE drum_window(GAUGEHDR& gauge, uint32_t strip, PIXPOINT position,
                                           ELEMENT_VALUE_CALLBACK cell, ELEMENT_HEADER** children) {
    return moving_image(gauge, strip, position, drum_column, 0, 1, cell, 0, 10, children);
}

// A slider: a bitmap moved by the host along x and/or y, by each callback's
// value times its scale. A null callback leaves that axis fixed. Sliders are
// drawn unless given other flags.
constexpr ELEMENT_SLIDER slider(GAUGEHDR& gauge, uint32_t bitmap, PIXPOINT position,
                                ELEMENT_VALUE_CALLBACK x_callback, double x_scale,
                                ELEMENT_VALUE_CALLBACK y_callback, double y_scale, ELEMENT_HEADER** children,
                                uint32_t image_flags = kIconFlags,
                                const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_SLIDER s{};
    s.header = element_header(ELEMENT_TYPE_SLIDER, bitmap, {position, {0, 0}}, gauge, children, image_flags,
                              failures);
    s.x_callback = x_callback;
    s.x_scale = x_scale;
    s.y_callback = y_callback;
    s.y_scale = y_scale;
    return s;
}

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

// A string element. The host owns the text buffer: it sets the element's
// string pointer before it calls `callback`, which writes at most
// `style.max_length` characters there.
constexpr ELEMENT_STRING string_element(GAUGEHDR& gauge, PIXPOINT position, const TextStyle& style,
                                        ELEMENT_VALUE_CALLBACK callback, uint32_t token,
                                        ELEMENT_HEADER** children, uint32_t image_flags = kIconFlags,
                                        const FAILURE_RECORD* failures = no_failures) {
    ELEMENT_STRING s{};
    s.header = element_header(ELEMENT_TYPE_STRING, ELEMENT_NO_BITMAP, {position, {0, 0}}, gauge, children,
                              image_flags, failures);
    s.source_var[0].id = token;
    s.box_size = style.box;
    s.fg_color = style.text_color;
    s.bg_color = style.background_color;
    s.highlight_color = style.highlight_color;
    for (std::size_t i = 0; i < sizeof kStringFont; ++i) s.font_name[i] = kStringFont[i];
    s.font_weight = 400;
    s.char_set = 1;
    s.draw_flags = kStringDrawFlags;
    s.max_string_length = style.max_length;
    s.callback = callback;
    return s;
}

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

}  // namespace kadrimos
