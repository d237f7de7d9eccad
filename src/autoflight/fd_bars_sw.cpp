// "toskelin fd_bars_sw_rulo": the flight director bars switch (ON/OFF) and
// the instrument-lighting pushbutton beside it.
//
// The bars switch only says whether the command bars may show: the attitude
// director's update stows them while it is OFF. The pushbutton toggles the
// instrument lighting, which lives on the annunciator bus: without it a
// press puts the lighting out.
//
// Inputs: DcEssBusPowered (the annunciator bus, modes.h).
// Outputs: FdBarsSwitch, InstrumentLightsOn.
#include <cstdint>

#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/switch_areas.h"

KADRIMOS_GAUGE(fd_bars_sw, "toskelin fd_bars_sw_rulo")

namespace kadrimos::gauges::fd_bars_sw {
namespace {

constexpr uint32_t kBackground = 7090;
constexpr uint32_t kSwitchOn = 7928;
constexpr uint32_t kSwitchOff = 7929;

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("FD BARS ON", kSwitchOn, {0, 0}),
    icon_spec("FD BARS OFF", kSwitchOff, {0, 0}, kIconFlags),
};
constexpr int kOnDepth = depth_of(kElements, "FD BARS ON");
constexpr int kOffDepth = depth_of(kElements, "FD BARS OFF");

int32_t FSAPI press_lights(PIXPOINT*, uint32_t) {
    aircraft.InstrumentLightsOn =
        autoflight::annunciators_powered() && aircraft.InstrumentLightsOn == 0 ? 1 : 0;
    return 0;
}

constexpr auto kAreas = area_list(
    position_switch<&AircraftState::FdBarsSwitch, 1, 0>({0, 0, 31, 54}, {"FD BARS ON", "FD BARS OFF"}),
    area("INSTRUMENT LIGHTS pushbutton", {36, 0, 53, 53}, CURSOR_HAND, press_lights));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    set_visible(header, kOnDepth, aircraft.FdBarsSwitch == 1);
    set_visible(header, kOffDepth, aircraft.FdBarsSwitch != 1);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 92, callback);

}  // namespace kadrimos::gauges::fd_bars_sw
