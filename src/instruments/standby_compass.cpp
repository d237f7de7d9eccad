// "toskelin compass_rulo": the standby compass.
//
// A magnetic compass needs no power: its strip card is read straight from
// the host's compass heading whenever the host draws it, so the gauge has
// no update of its own. The strip is a moving picture 360 degrees long,
// moved by 360 less the heading; a heading the host gives outside 0 to 360
// (or not a number) parks it on its 0 end.
//
// Pushing the compass sends the host its two commands in turn, the first
// at the first push.
//
// Inputs: token 83 (compass heading, degrees).
// Outputs: key events 66513 and 66514.
#include <cstdint>

#include "instruments/nav_indicators_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(compass, "toskelin compass_rulo")

namespace kadrimos::gauges::compass {

constinit instruments::StandbyCompassState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::StandbyCompassState& self = state;

constexpr uint32_t kBackground = 7129;
constexpr uint32_t kStripWindow = 8360;  // the strip behind it is 8361
constexpr uint32_t kFirstCommand = 66513;
constexpr uint32_t kSecondCommand = 66514;
constexpr uint32_t kHelpId = 0xAB94;
// The simulator's compass failure (key 12, action 1) on every element.
inline constexpr FAILURE_RECORD kFailures[] = {{12, 1, nullptr}, {0, 0, nullptr}};

double FSAPI strip(ELEMENT_HEADER*) {
    const double travel = 360 - host::value<83>();
    return travel >= 0 && travel <= 360 ? travel : 0;
}

// clang-format off
constexpr ElementSpec kList[] = {
    background_spec(kBackground),
    moving_image_spec("COMPASS strip", kStripWindow, {8, 20}, strip, 0, 360, drum_column, 0, 1),
};
// clang-format on
constexpr auto kElements = with_failures(kList, kFailures);

int32_t FSAPI push(PIXPOINT*, uint32_t) {
    if (self.toggled == 1) {
        host::send_event(kSecondCommand, 0);
        self.toggled = 0;
    } else {
        host::send_event(kFirstCommand, 0);
        self.toggled = 1;
    }
    return 0;
}

constexpr auto kAreas = join<AreaSpec>(area("COMPASS", {0, 0, 75, 75}, CURSOR_HAND, push));

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 75, nullptr, kHelpId);

}  // namespace kadrimos::gauges::compass
