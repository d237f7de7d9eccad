// The panel window buttons: seven small gauges, each a labelled button that
// opens and closes one of the aircraft's other panel windows. The buttons are
// drawn only while the panel option flag is set.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "module/catalogue_entry.h"
#include "panel/background_gauge.h"
#include "panel/host.h"
#include "panel/host_api.h"
#include "panel/mouse.h"

namespace kadrimos {

// Panel window identifiers, as the host's panel configuration names them.
namespace window {
inline constexpr uint32_t kUpperPanel = 10030;
inline constexpr uint32_t kPedestal = 10040;
inline constexpr uint32_t kRadios = 10050;
inline constexpr uint32_t kFlightEngineer = 10060;
inline constexpr uint32_t kIns = 10070;
inline constexpr uint32_t kGps = 10080;
inline constexpr uint32_t kStartupOnly = 10090;  // opened and closed at start-up only
inline constexpr uint32_t kFailures = 10100;
}  // namespace window

// Area handler of a window button: asks the host to toggle the window and
// returns its answer. No sound, no state change in the module.
template <uint32_t WindowId>
int32_t FSAPI toggle_window_area(PIXPOINT*, uint32_t) {
    return host::toggle_window(WindowId);
}

struct WindowButtonSpec {
    const char* name;
    uint32_t width_mm;
    PIXBOX area;
    uint32_t help_id;
    uint32_t background_bitmap;
    MOUSE_FUNCTION handler;
    const char* label;  // the button, as element and as area
};

// Columns: gauge name, width (mm), mouse area (x, y, width, height), help
// text id, background bitmap (the labelled button), area handler, label.
// clang-format off
inline constexpr WindowButtonSpec kWindowButtons[] = {
    {"toskelin toggle_pan_rad_rulo",  132, {0, 0, 132, 60},  0xAB86, 8470, toggle_window_area<window::kRadios>,         "RADIOS button"},
    {"toskelin toggle_pan_ped_rulo",  132, {0, 0, 132, 60},  0xAB88, 8473, toggle_window_area<window::kPedestal>,       "PEDESTAL button"},
    {"toskelin toggle_pan_fe_rulo",   132, {0, 0, 132, 60},  0xAB8A, 8476, toggle_window_area<window::kFlightEngineer>, "FLIGHT ENGINEER button"},
    {"toskelin toggle_pan_gps_rulo",   72, {0, 0, 72, 102},  0xAB87, 8479, toggle_window_area<window::kGps>,            "GPS button"},
    {"toskelin toggle_pan_fail_rulo", 201, {0, 0, 201, 74},  0xAB8B, 8482, toggle_window_area<window::kFailures>,       "FAILURES button"},
    {"toskelin toggle_pan_up2_rulo",  450, {0, 0, 450, 84},  0xAB8B, 8485, toggle_window_area<window::kUpperPanel>,     "UPPER PANEL button"},
    {"toskelin toggle_pan_ins_rulo",   72, {0, 0, 72, 102},  0xAB8B, 8488, toggle_window_area<window::kIns>,            "INS button"},
};
// clang-format on

inline constexpr std::size_t kWindowButtonCount = std::size(kWindowButtons);

// Each button's one element and one area, under the button's label.
inline constexpr auto kWindowButtonBackgrounds = [] {
    std::array<ElementSpec, kWindowButtonCount> backgrounds{};
    for (std::size_t i = 0; i < kWindowButtonCount; ++i)
        backgrounds[i] = background_spec(kWindowButtons[i].background_bitmap, kBackgroundFlags | kHidden,
                                         no_failures, kWindowButtons[i].label);
    return backgrounds;
}();
inline constexpr auto kWindowButtonAreas = [] {
    std::array<AreaSpec, kWindowButtonCount> areas{};
    for (std::size_t i = 0; i < kWindowButtonCount; ++i)
        areas[i] =
            area(kWindowButtons[i].label, kWindowButtons[i].area, CURSOR_HAND, kWindowButtons[i].handler);
    return areas;
}();

struct WindowButtonTable {
    BackgroundGauge<1> gauges[kWindowButtonCount];
};

extern WindowButtonTable window_button_table;

inline constexpr auto window_button_labels = background_labels(kWindowButtonBackgrounds, kWindowButtonAreas);

// The window buttons for the catalogue.
inline constexpr auto window_button_gauges =
    background_entries(kWindowButtons, window_button_table.gauges, window_button_labels);

}  // namespace kadrimos
