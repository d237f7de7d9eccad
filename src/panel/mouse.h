// Mouse rectangle tables.
//
// Every gauge has one table of the same shape: a parent record covering the
// whole gauge (carrying the gauge's help text identifier), zero or more areas,
// the end of the parent and the end of the table. Event identifier and extra
// data are 0 everywhere: the module never lets the host send a key event on a
// click by itself; handlers send their own.
//
// Each area has a role label ("BAT 1 ON"), kept with it in the gauge's area
// list for the tests and the simulated host's scenarios, never in the table
// the host reads:
//
//   constexpr AreaSpec kAreas[] = {
//       area("TEST flag", {0, 0, 36, 17}, CURSOR_HAND, on_click),
//   };
//   constinit auto mouse = mouse_table(kHelpId, kAreas);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "panel/host_api.h"

namespace kadrimos {

// One area of a gauge and its role label.
struct AreaSpec {
    const char* label;
    MOUSERECT rect;
};

// A left-button click on a button, a toggle or a switch position.
constexpr AreaSpec area(const char* label, PIXBOX box, int32_t cursor, MOUSE_FUNCTION handler) {
    return {label, {MOUSE_RECT_CHILD, box, cursor, 0, MOUSE_LEFTSINGLE, 0, handler, nullptr}};
}

// A rotary knob or lever half: the handler is called again for as long as the
// host reports the button held.
constexpr AreaSpec knob_area(const char* label, PIXBOX box, int32_t cursor, MOUSE_FUNCTION handler) {
    return {label,
            {MOUSE_RECT_CHILD, box, cursor, 0, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT, 0, handler, nullptr}};
}

// An index knob turned down by clicking one half and up by clicking the
// other, repeating while held.
constexpr std::array<AreaSpec, 2> index_knob(const char* down_label, PIXBOX down_box, MOUSE_FUNCTION down,
                                             const char* up_label, PIXBOX up_box, MOUSE_FUNCTION up) {
    return {knob_area(down_label, down_box, CURSOR_DOWNARROW, down),
            knob_area(up_label, up_box, CURSOR_UPARROW, up)};
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
constexpr MouseTable<Areas> mouse_table(uint32_t help_id, const AreaSpec* areas) {
    MouseTable<Areas> table{};
    table.rect[0] = mouse_parent(help_id);
    for (std::size_t i = 0; i < Areas; ++i) table.rect[i + 1] = areas[i].rect;
    table.rect[Areas + 1] = mouse_end_parent();
    table.rect[Areas + 2] = mouse_end();
    return table;
}

template <std::size_t Areas>
constexpr MouseTable<Areas> mouse_table(uint32_t help_id, const AreaSpec (&areas)[Areas]) {
    return mouse_table<Areas>(help_id, &areas[0]);
}

// The same from a list that a family of gauges made.
template <std::size_t Areas>
constexpr MouseTable<Areas> mouse_table(uint32_t help_id, const std::array<AreaSpec, Areas>& areas) {
    return mouse_table<Areas>(help_id, areas.data());
}

}  // namespace kadrimos
