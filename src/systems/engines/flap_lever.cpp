// "toskelin flaps_lev_rulo": the flap lever on the pedestal.
//
// Clicking below the lever asks the host for one more step of flap, above it
// for one step less, as long as the flaps can move: yellow or green pressure
// and DC essential power for their control. The lever is drawn where the
// host's flap lever stands while the flaps can move; otherwise it stays where
// it was last drawn.
//
// Inputs: token 328 (flap lever, 0 to 16383); HydStateYellow, HydStateGreen,
// DcEssBusPowered.
// Outputs: events FLAPS_INCR (0x100DE, one step out) and FLAPS_DECR
// (0x100DF, one step in).
//
// A lever reading that is not a number leaves the lever where it was.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(flaps_lev, "toskelin flaps_lev_rulo")

namespace kadrimos::gauges::flaps_lev {

// Where the lever is drawn: 0 (up) to 77, in slider units.
struct State {
    uint8_t lever_position = 0;
};

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

State& self = state;

constexpr uint32_t kFlapsIncrease = 0x100DE;
constexpr uint32_t kFlapsDecrease = 0x100DF;
constexpr double kHostUnitsPerStep = 213;
constexpr uint8_t kLastStep = 77;
constexpr double kPixelsPerStep = 1.0;  // down the slot as the flaps go out

double FSAPI lever_value(ELEMENT_HEADER*) {
    return clamp_write_back<uint8_t>(self.lever_position, 0, kLastStep);
}

constexpr ElementSpec kElements[] = {
    background_spec(6185),
    slider_spec("FLAP lever", 6188, {10, 9}, nullptr, 0, lever_value, kPixelsPerStep),
};

bool flap_control_powered() {
    return (aircraft.HydStateYellow != 0 || aircraft.HydStateGreen != 0) && aircraft.DcEssBusPowered == 1;
}

template <uint32_t Event>
int32_t FSAPI command(PIXPOINT*, uint32_t) {
    if (flap_control_powered()) host::send_event(Event, 0);
    return 0;
}

// The lower half pulls the lever a step towards full flap, the upper half
// pushes it a step towards up.
constexpr AreaSpec kAreas[] = {
    area("FLAPS extend", {0, 54, 42, 54}, CURSOR_DOWNARROW, command<kFlapsIncrease>),
    area("FLAPS retract", {0, 0, 42, 54}, CURSOR_UPARROW, command<kFlapsDecrease>),
};

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    if (flap_control_powered()) {
        const double lever = host::value<328>();
        if (lever == lever) self.lever_position = to_integer<uint8_t>(lever / kHostUnitsPerStep);
    }
    if (self.lever_position > kLastStep) self.lever_position = kLastStep;
    set_visible(header, 1, true);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 42, callback);

}  // namespace kadrimos::gauges::flaps_lev
