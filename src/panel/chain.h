// A gauge's elements, listed once in drawing order, and the chain built from
// that list.
//
// A gauge writes its elements as a constexpr array of element specs, the
// background first: element k of the chain is entry k of the array. Each spec
// names the element's kind, bitmap, place and role label. The chain record
// holds the element records the host reads, built from the specs, each
// linked to the next; the labels stay in the specs, out of the records and
// off the update path, for the tests, the simulated host's timeline and the
// gauge's own compile-time look-ups:
//
//   constexpr ElementSpec kElements[] = {
//       background_spec(5120),
//       icon_spec("BAT 1 bar in line", 5121, {30, 14}),
//       needle_spec("VOLTS", 4378, {{45, 45}, {9, 5}}, volts, volt_scale),
//   };
//   constexpr int kVolts = depth_of(kElements, "VOLTS");  // a label missing does not compile
//
//   constinit Chain<std::size(kElements)> chain = make_chain(chain, header, kElements);
//
// Every element record of a chain has the room of the largest kind; the host
// reads only the kind's own record at the start of it, and the rest is 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "panel/elements.h"
#include "panel/host_api.h"

namespace kadrimos {

// What the module fills in an element record, for any kind.
struct ElementSpec {
    const char* label = "";
    uint32_t kind = ELEMENT_TYPE_ICON;
    uint32_t bitmap = 0;
    Placement at{};
    uint32_t image_flags = kIconFlags | kHidden;
    const FAILURE_RECORD* failures = no_failures;
    ELEMENT_VALUE_CALLBACK value = nullptr;  // needle, string
    ELEMENT_VALUE_CALLBACK x_value = nullptr;
    ELEMENT_VALUE_CALLBACK y_value = nullptr;
    double x_a = 0, x_b = 0;                    // moving image: x range; slider, sprite: x scale in x_a
    double y_a = 0, y_b = 0;                    // moving image: y range; slider, sprite: y scale in y_a
    ELEMENT_VALUE_CALLBACK rotation = nullptr;  // sprite
    double rotation_scale = 0;                  // sprite: radians a unit of `rotation`
    NONLINEARITY* table = nullptr;
    uint32_t table_points = 0;
    TextStyle style{};
    uint32_t token = 0;  // a string's own variable
};

// --- Specs, one builder a kind -----------------------------------------------

constexpr ElementSpec background_spec(uint32_t bitmap, uint32_t image_flags = kBackgroundFlags,
                                      const FAILURE_RECORD* failures = no_failures,
                                      const char* label = "background") {
    return {.label = label,
            .kind = ELEMENT_TYPE_STATIC_IMAGE,
            .bitmap = bitmap,
            .image_flags = image_flags,
            .failures = failures};
}

// Icons start hidden unless given other flags.
constexpr ElementSpec icon_spec(const char* label, uint32_t bitmap, PIXPOINT position,
                                uint32_t image_flags = kIconFlags | kHidden) {
    return {.label = label,
            .kind = ELEMENT_TYPE_ICON,
            .bitmap = bitmap,
            .at = {position, {0, 0}},
            .image_flags = image_flags};
}

// A needle turning about `at.pivot` of its bitmap, placed with that pivot at
// `at.position`; the host maps its value through `table` (see
// element_record). Drawn unless given other flags.
template <std::size_t Points>
constexpr ElementSpec needle_spec(const char* label, uint32_t bitmap, Placement at,
                                  ELEMENT_VALUE_CALLBACK value, NONLINEARITY (&table)[Points],
                                  uint32_t image_flags = kIconFlags) {
    return {.label = label,
            .kind = ELEMENT_TYPE_NEEDLE,
            .bitmap = bitmap,
            .at = at,
            .image_flags = image_flags,
            .value = value,
            .table = table,
            .table_points = static_cast<uint32_t>(Points)};
}

constexpr ElementSpec moving_image_spec(const char* label, uint32_t bitmap, PIXPOINT position,
                                        ELEMENT_VALUE_CALLBACK x_value, double x_min, double x_max,
                                        ELEMENT_VALUE_CALLBACK y_value, double y_min, double y_max,
                                        uint32_t image_flags = kIconFlags) {
    return {.label = label,
            .kind = ELEMENT_TYPE_MOVING_IMAGE,
            .bitmap = bitmap,
            .at = {position, {0, 0}},
            .image_flags = image_flags,
            .x_value = x_value,
            .y_value = y_value,
            .x_a = x_min,
            .x_b = x_max,
            .y_a = y_min,
            .y_b = y_max};
}

// A drum window over an eleven-cell strip: the host moves the window
// vertically over cells 0 to 10 by `cell`; it never moves sideways.
constexpr ElementSpec drum_spec(const char* label, uint32_t strip, PIXPOINT position,
                                ELEMENT_VALUE_CALLBACK cell) {
    return moving_image_spec(label, strip, position, drum_column, 0, 1, cell, 0, 10);
}

// An element hidden from load until its gauge's update shows it: the same
// record with the hidden flag.
constexpr ElementSpec hidden_at_load(ElementSpec s) {
    s.image_flags |= kHidden;
    return s;
}

constexpr ElementSpec slider_spec(const char* label, uint32_t bitmap, PIXPOINT position,
                                  ELEMENT_VALUE_CALLBACK x_value, double x_scale,
                                  ELEMENT_VALUE_CALLBACK y_value, double y_scale,
                                  uint32_t image_flags = kIconFlags) {
    return {.label = label,
            .kind = ELEMENT_TYPE_SLIDER,
            .bitmap = bitmap,
            .at = {position, {0, 0}},
            .image_flags = image_flags,
            .x_value = x_value,
            .y_value = y_value,
            .x_a = x_scale,
            .y_a = y_scale};
}

// A sprite: a picture moved and turned under its window, the bitmap
// `window` (the picture is the next bitmap). It turns about `at.pivot` of the
// window by `rotation` times `rotation_scale` radians and is moved, along its
// own turned axes, by each value times its scale in pixels. A null callback
// leaves that motion out. Drawn at its size (texture scale 1).
constexpr ElementSpec sprite_spec(const char* label, uint32_t window, Placement at,
                                  ELEMENT_VALUE_CALLBACK x_value, double x_scale,
                                  ELEMENT_VALUE_CALLBACK y_value, double y_scale,
                                  ELEMENT_VALUE_CALLBACK rotation, double rotation_scale,
                                  uint32_t image_flags = kIconFlags) {
    return {.label = label,
            .kind = ELEMENT_TYPE_SPRITE,
            .bitmap = window,
            .at = at,
            .image_flags = image_flags,
            .x_value = x_value,
            .y_value = y_value,
            .x_a = x_scale,
            .y_a = y_scale,
            .rotation = rotation,
            .rotation_scale = rotation_scale};
}

constexpr ElementSpec string_spec(const char* label, PIXPOINT position, const TextStyle& style,
                                  ELEMENT_VALUE_CALLBACK value, uint32_t token,
                                  uint32_t image_flags = kIconFlags) {
    return {.label = label,
            .kind = ELEMENT_TYPE_STRING,
            .bitmap = ELEMENT_NO_BITMAP,
            .at = {position, {0, 0}},
            .image_flags = image_flags,
            .value = value,
            .style = style,
            .token = token};
}

// An icon whose bitmap follows from its depth (see numbered_elements).
struct NumberedIcon {
    const char* label;
    PIXPOINT position;
    uint32_t image_flags = kIconFlags | kHidden;
};

// A background with bitmap `base` and over it icons numbered on from it: the
// icon at depth k shows bitmap base + k, as the panel art numbers most switch
// panels.
template <std::size_t N>
constexpr std::array<ElementSpec, N + 1> numbered_elements(uint32_t base, const NumberedIcon (&icons)[N]) {
    std::array<ElementSpec, N + 1> specs = {background_spec(base)};
    for (std::size_t k = 1; k <= N; ++k)
        specs[k] = icon_spec(icons[k - 1].label, base + static_cast<uint32_t>(k), icons[k - 1].position,
                             icons[k - 1].image_flags);
    return specs;
}

template <std::size_t N>
constexpr std::array<ElementSpec, N + 1> numbered_elements(uint32_t base,
                                                           const std::array<NumberedIcon, N>& icons) {
    NumberedIcon list[N] = {};
    for (std::size_t k = 0; k < N; ++k) list[k] = icons[k];
    return numbered_elements(base, list);
}

// The list `specs` with every element sharing the failure list `failures`:
// a gauge that reacts to the host's failures names one list for all its
// elements, its background included.
template <std::size_t N>
constexpr std::array<ElementSpec, N> with_failures(const ElementSpec (&specs)[N],
                                                   const FAILURE_RECORD* failures) {
    std::array<ElementSpec, N> list{};
    for (std::size_t k = 0; k < N; ++k) {
        list[k] = specs[k];
        list[k].failures = failures;
    }
    return list;
}

// --- Look-ups at compile time ----------------------------------------------

// The depth of the element labelled `label`; a label the list does not have,
// or has twice, does not compile.
template <std::size_t N>
consteval int depth_of(const ElementSpec (&specs)[N], std::string_view label) {
    int found = -1;
    for (std::size_t k = 0; k < N; ++k) {
        if (label != specs[k].label) continue;
        if (found >= 0) throw "two elements of this gauge have that label";
        found = static_cast<int>(k);
    }
    if (found < 0) throw "no element of this gauge has that label";
    return found;
}

// --- Records ---------------------------------------------------------------

// Room for an element record of any kind.
union ElementRecord {
    ELEMENT_SPRITE sprite;  // the largest kind first: value-initialisation zeroes all of it
    ELEMENT_STATIC_IMAGE static_image;
    ELEMENT_ICON icon;
    ELEMENT_NEEDLE needle;
    ELEMENT_STRING string;
    ELEMENT_SLIDER slider;
    ELEMENT_MOVING_IMAGE moving_image;
};

// The header of the record of kind `kind` held in `r`.
constexpr ELEMENT_HEADER* header_of(ElementRecord& r, uint32_t kind) {
    switch (kind) {
        case ELEMENT_TYPE_STATIC_IMAGE:
            return &r.static_image.header;
        case ELEMENT_TYPE_NEEDLE:
            return &r.needle.header;
        case ELEMENT_TYPE_STRING:
            return &r.string.header;
        case ELEMENT_TYPE_SLIDER:
            return &r.slider.header;
        case ELEMENT_TYPE_MOVING_IMAGE:
            return &r.moving_image.header;
        case ELEMENT_TYPE_SPRITE:
            return &r.sprite.header;
        default:
            return &r.icon.header;
    }
}

// The record `s` describes, its children at `children`. The host maps a
// needle's value through its table to the point the tip reaches and writes
// each entry's angle into the table when it installs the needle, so a table
// is constinit data, never constexpr, and is shared only by needles placed at
// the same point. A string's host owns the text buffer: it sets the string
// pointer before it calls the callback, which writes at most the style's
// length there.
// The records name only the fields the module fills; every other field, the
// host's working fields among them, is 0. GCC warns of each field a
// designated initialiser leaves out in C++, which is the point here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

constexpr ELEMENT_STRING string_record(const ELEMENT_HEADER& h, const ElementSpec& s) {
    ELEMENT_STRING t{.header = h};
    t.source_var[0].id = s.token;
    t.box_size = s.style.box;
    t.fg_color = s.style.text_color;
    t.bg_color = s.style.background_color;
    t.highlight_color = s.style.highlight_color;
    for (std::size_t i = 0; i < sizeof kStringFont; ++i) t.font_name[i] = kStringFont[i];
    t.font_weight = 400;
    t.char_set = 1;
    t.draw_flags = kStringDrawFlags;
    t.max_string_length = s.style.max_length;
    t.callback = s.value;
    return t;
}

constexpr ElementRecord element_record(GAUGEHDR& gauge, const ElementSpec& s, ELEMENT_HEADER** children) {
    ELEMENT_HEADER h{};
    h.element_type = s.kind;
    h.resource_id = s.bitmap;
    h.position = s.at.position;
    h.offset = s.at.pivot;
    h.gauge_header = &gauge;
    h.next_element = children;
    h.failure_list = s.failures;
    h.image_flags = s.image_flags;

    ElementRecord r{};
    switch (s.kind) {
        case ELEMENT_TYPE_STATIC_IMAGE:
            r.static_image = {.header = h};
            break;
        case ELEMENT_TYPE_NEEDLE:
            r.needle = {.header = h,
                        .nonlinearity_table = s.table,
                        .nonlinearity_count = s.table_points,
                        .callback = s.value};
            break;
        case ELEMENT_TYPE_STRING:
            r.string = string_record(h, s);
            break;
        case ELEMENT_TYPE_SLIDER:
            r.slider = {.header = h,
                        .x_scale = s.x_a,
                        .y_scale = s.y_a,
                        .x_callback = s.x_value,
                        .y_callback = s.y_value};
            break;
        case ELEMENT_TYPE_SPRITE:
            r.sprite = {.header = h,
                        .x_scale = s.x_a,
                        .y_scale = s.y_a,
                        .rotation_scale = s.rotation_scale,
                        .texture_scale_x = 1.0f,
                        .texture_scale_y = 1.0f,
                        .x_callback = s.x_value,
                        .y_callback = s.y_value,
                        .rotation_callback = s.rotation};
            break;
        case ELEMENT_TYPE_MOVING_IMAGE:
            r.moving_image = {.header = h,
                              .x_min = s.x_a,
                              .x_max = s.x_b,
                              .y_min = s.y_a,
                              .y_max = s.y_b,
                              .x_callback = s.x_value,
                              .y_callback = s.y_value};
            break;
        default:
            r.icon = {.header = h, .icon_count = 1};
            break;
    }
    return r;
}

#pragma GCC diagnostic pop

// A gauge's element list (the background alone) and its chain.
template <std::size_t N>
struct Chain {
    static_assert(N >= 1, "a chain starts with its background");
    ELEMENT_HEADER* list[2];  // the gauge header's element list
    ElementRecord records[N];
    ELEMENT_HEADER* children[N][2];  // children[k]: element k + 1, or nothing
};

// The chain for `self`, a constinit chain being initialised, from `specs` in
// drawing order.
template <std::size_t N>
constexpr Chain<N> make_chain(Chain<N>& self, GAUGEHDR& gauge, const ElementSpec (&specs)[N]) {
    Chain<N> c{};
    c.list[0] = header_of(self.records[0], specs[0].kind);
    c.list[1] = nullptr;
    for (std::size_t k = 0; k < N; ++k) {
        const bool last = k + 1 == N;
        c.children[k][0] = last ? nullptr : header_of(self.records[k + 1], specs[k + 1].kind);
        c.children[k][1] = nullptr;
        c.records[k] = element_record(gauge, specs[k], last ? no_children : self.children[k]);
    }
    return c;
}

// The same from a list that a family of gauges made.
template <std::size_t N>
constexpr Chain<N> make_chain(Chain<N>& self, GAUGEHDR& gauge, const std::array<ElementSpec, N>& specs) {
    ElementSpec list[N] = {};
    for (std::size_t k = 0; k < N; ++k) list[k] = specs[k];
    return make_chain(self, gauge, list);
}

template <std::size_t N>
consteval int depth_of(const std::array<ElementSpec, N>& specs, std::string_view label) {
    ElementSpec list[N] = {};
    for (std::size_t k = 0; k < N; ++k) list[k] = specs[k];
    return depth_of(list, label);
}

}  // namespace kadrimos
