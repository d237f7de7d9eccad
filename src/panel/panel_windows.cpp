#include "panel/panel_windows.h"

#include <utility>

#include "module/aircraft_state.h"
#include "module/standard_routines.h"
#include "panel/elements.h"

namespace kadrimos {
namespace {

// Every button gauge: shows its button while the panel option is on.
void FSAPI window_button_callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    set_visible(*gauge, 0, aircraft.PanelOptionFlag == 1);
}

constexpr WindowButtonGauge make(WindowButtonGauge& self, const WindowButtonSpec& spec) {
    WindowButtonGauge g{};
    g.header = gauge_header(spec.name, spec.width_mm, self.elements, self.mouse.rect, window_button_callback);
    g.elements[0] = &self.background.header;
    g.elements[1] = nullptr;
    g.background = background(self.header, spec.background_bitmap, no_children, kBackgroundFlags | kHidden);
    g.mouse = mouse_table(spec.help_id, {area(spec.area, CURSOR_HAND, spec.handler)});
    return g;
}

template <std::size_t... I>
constexpr WindowButtonTable make_all(std::index_sequence<I...>) {
    return {{make(window_button_table.gauges[I], kWindowButtons[I])...}};
}

}  // namespace

constinit WindowButtonTable window_button_table = make_all(std::make_index_sequence<kWindowButtonCount>{});

}  // namespace kadrimos
