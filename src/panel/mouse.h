// Mouse rectangle tables.
//
// Every gauge has one table of the same shape: a parent record covering the
// whole gauge (carrying the gauge's help text identifier), zero or more areas,
// the end of the parent and the end of the table. Event identifier and extra
// data are 0 everywhere: the module never lets the host send a key event on a
// click by itself; handlers send their own.
//
//   constinit auto mouse = mouse_table(kHelpId, {
//       area({0, 0, 36, 17}, CURSOR_HAND, on_click),
//   });
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/host_api.h"

namespace kadrimos {

// A left-button click on a button, a toggle or a switch position.
constexpr MOUSERECT area(PIXBOX box, int32_t cursor, MOUSE_FUNCTION handler) {
    return {MOUSE_RECT_CHILD, box, cursor, 0, MOUSE_LEFTSINGLE, 0, handler, nullptr};
}

// A rotary knob or lever half: the handler is called again for as long as the
// host reports the button held.
constexpr MOUSERECT knob_area(PIXBOX box, int32_t cursor, MOUSE_FUNCTION handler) {
    return {MOUSE_RECT_CHILD, box, cursor, 0, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT, 0, handler, nullptr};
}

// A gauge's table: parent, areas, end of parent, end of table. The header
// points at `rect`.
template <std::size_t Areas>
struct MouseTable {
    MOUSERECT rect[Areas + 3];
};

constexpr MOUSERECT mouse_parent(uint32_t help_id) {
    return {MOUSE_RECT_PARENT, {0, 0, 0, 0}, CURSOR_NONE, help_id, 0, 0, nullptr, nullptr};
}
constexpr MOUSERECT mouse_end_parent() {
    return {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}
constexpr MOUSERECT mouse_end() {
    return {MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}

// The table of a display-only gauge: parent and ends, no area.
constexpr MouseTable<0> mouse_table(uint32_t help_id = 0) {
    return {{mouse_parent(help_id), mouse_end_parent(), mouse_end()}};
}

template <std::size_t Areas>
constexpr MouseTable<Areas> mouse_table(uint32_t help_id, const MOUSERECT (&areas)[Areas]) {
    MouseTable<Areas> table{};
    table.rect[0] = mouse_parent(help_id);
    for (std::size_t i = 0; i < Areas; ++i) table.rect[i + 1] = areas[i];
    table.rect[Areas + 1] = mouse_end_parent();
    table.rect[Areas + 2] = mouse_end();
    return table;
}

}  // namespace kadrimos
