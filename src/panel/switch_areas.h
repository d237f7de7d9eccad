// The mouse areas of the cockpit's common switch shapes, one row a switch.
//
// Most switches of the panels are toggles or rotary switches whose positions
// stand one above the other: each position has a band of the switch's box,
// top position first, and a click on a band puts the switch there. Rotary
// selectors that step through their positions are clicked on their left half
// (one position counter-clockwise) or their right half (one clockwise). A
// gauge's area list is made of such rows and of single areas, in table order:
//
//   constexpr auto kAreas = area_list(
//       position_switch<&AircraftState::Tr1Switch, 1, 0>({12, 49, 39, 78}, {"TR 1 ON", "TR 1 OFF RESET"}),
//       stepping_selector<&AircraftState::DcMeterSelector, 7>({0, 0, 114, 62}, "DC METER selector"),
//       area("EXT PWR button", {92, 4, 57, 51}, CURSOR_HAND, ext_pwr_button));
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "module/aircraft_state.h"
#include "panel/chain.h"
#include "panel/host_api.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switches.h"

namespace kadrimos {

// The cursors over a switch's bands: arrows (up over the top band, down over
// the bottom one, a hand between) or a hand throughout.
enum class SwitchCursors : uint8_t { arrows, hand };

// The areas of a switch whose N positions share `box` in N bands of equal
// height, top position first; `handlers[k]` moves it to position k.
template <std::size_t N>
constexpr std::array<AreaSpec, N> stacked_areas(PIXBOX box, const char* const (&labels)[N],
                                                const MOUSE_FUNCTION (&handlers)[N],
                                                SwitchCursors cursors = SwitchCursors::arrows) {
    static_assert(N >= 2, "a switch has two positions at least");
    // A box that does not split evenly would leave pixels of the switch that
    // no click reaches: such a list does not compile.
    if (box.height % static_cast<int32_t>(N) != 0) throw "the switch's box does not split into equal bands";
    std::array<AreaSpec, N> areas{};
    const int32_t band = box.height / static_cast<int32_t>(N);
    for (std::size_t k = 0; k < N; ++k) {
        int32_t cursor = CURSOR_HAND;
        if (cursors == SwitchCursors::arrows && k == 0) cursor = CURSOR_UPARROW;
        if (cursors == SwitchCursors::arrows && k + 1 == N) cursor = CURSOR_DOWNARROW;
        const PIXBOX b = {box.x, box.y + band * static_cast<int32_t>(k), box.width, band};
        areas[k] = area(labels[k], b, cursor, handlers[k]);
    }
    return areas;
}

// A position switch on an item of the shared record: its positions' values
// top to bottom, e.g. <&AircraftState::Batt1Switch, kOn, kNorm, kOff>.
template <auto Item, uint8_t... Positions>
constexpr std::array<AreaSpec, sizeof...(Positions)> position_switch(
    PIXBOX box, const char* const (&labels)[sizeof...(Positions)],
    SwitchCursors cursors = SwitchCursors::arrows) {
    const MOUSE_FUNCTION handlers[] = {set_position<Item, Positions>...};
    return stacked_areas(box, labels, handlers, cursors);
}

// A rotary selector stepping its item between 0 and `Last`, silently,
// stopping at both ends.
template <auto Item, uint8_t Last>
int32_t FSAPI turn_counter_clockwise(PIXPOINT*, uint32_t) {
    step_down(aircraft.*Item, uint8_t{1}, uint8_t{0});
    return 0;
}
template <auto Item, uint8_t Last>
int32_t FSAPI turn_clockwise(PIXPOINT*, uint32_t) {
    step_up(aircraft.*Item, uint8_t{1}, Last);
    return 0;
}

// A selector's two halves of `box`: "<name> left" turns it down (the
// handler `down`), "<name> right" up. The labels are given whole.
constexpr std::array<AreaSpec, 2> selector_halves(PIXBOX box, const char* left_label, MOUSE_FUNCTION down,
                                                  const char* right_label, MOUSE_FUNCTION up) {
    if (box.width % 2 != 0) throw "the selector's box does not split into equal halves";
    const int32_t half = box.width / 2;
    return {area(left_label, {box.x, box.y, half, box.height}, CURSOR_DOWNARROW, down),
            area(right_label, {box.x + half, box.y, half, box.height}, CURSOR_UPARROW, up)};
}

template <auto Item, uint8_t Last>
constexpr std::array<AreaSpec, 2> stepping_selector(PIXBOX box, const char* left_label,
                                                    const char* right_label) {
    return selector_halves(box, left_label, turn_counter_clockwise<Item, Last>, right_label,
                           turn_clockwise<Item, Last>);
}

// --- Two-position toggles, icons and areas from one row ---------------------------

// A toggle as most panels draw it: an icon a position at the top left of its
// box (the lower position's first, then the upper's) and its two areas, the
// upper band first.
struct Toggle {
    const char* up_label;
    const char* down_label;
    PIXBOX box;
    MOUSE_FUNCTION to_up;
    MOUSE_FUNCTION to_down;
};

template <auto Item, uint8_t Up = 1, uint8_t Down = 0>
constexpr Toggle toggle(PIXBOX box, const char* up_label, const char* down_label) {
    return {up_label, down_label, box, set_position<Item, Up>, set_position<Item, Down>};
}

template <std::size_t N>
constexpr std::array<NumberedIcon, 2 * N> toggle_icons(const Toggle (&toggles)[N]) {
    std::array<NumberedIcon, 2 * N> icons{};
    for (std::size_t k = 0; k < N; ++k) {
        const PIXPOINT at = {toggles[k].box.x, toggles[k].box.y};
        icons[2 * k] = {toggles[k].down_label, at};
        icons[2 * k + 1] = {toggles[k].up_label, at};
    }
    return icons;
}

template <std::size_t N>
constexpr std::array<AreaSpec, 2 * N> toggle_areas(const Toggle (&toggles)[N],
                                                   SwitchCursors cursors = SwitchCursors::arrows) {
    std::array<AreaSpec, 2 * N> areas{};
    for (std::size_t k = 0; k < N; ++k) {
        const Toggle& t = toggles[k];
        const auto pair = stacked_areas(t.box, {t.up_label, t.down_label}, {t.to_up, t.to_down}, cursors);
        areas[2 * k] = pair[0];
        areas[2 * k + 1] = pair[1];
    }
    return areas;
}

// The areas of `rows` (single areas and switch rows) in order.
template <typename... Rows>
constexpr auto area_list(const Rows&... rows) {
    return join<AreaSpec>(rows...);
}

}  // namespace kadrimos
