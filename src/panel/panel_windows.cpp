#include "panel/panel_windows.h"

#include <utility>

#include "module/aircraft_state.h"
#include "panel/elements.h"

namespace kadrimos {
namespace {

// Every button gauge: shows its button while the panel option is on.
void FSAPI window_button_callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    set_visible(*gauge, 0, aircraft.PanelOptionFlag == 1);
}

constexpr BackgroundGauge<1> make(BackgroundGauge<1>& self, const WindowButtonSpec& spec,
                                  const ElementSpec& background, const AreaSpec& button) {
    return background_gauge(self, spec.name, spec.width_mm, background, mouse_table(spec.help_id, {button}),
                            window_button_callback);
}

template <std::size_t... I>
constexpr WindowButtonTable make_all(std::index_sequence<I...>) {
    return {{make(window_button_table.gauges[I], kWindowButtons[I], kWindowButtonBackgrounds[I],
                  kWindowButtonAreas[I])...}};
}

}  // namespace

constinit WindowButtonTable window_button_table = make_all(std::make_index_sequence<kWindowButtonCount>{});

}  // namespace kadrimos
