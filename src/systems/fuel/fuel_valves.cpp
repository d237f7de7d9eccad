// "toskelin fuel_valves_rulo": the tank shut-off valves and the cross-feed,
// which drive the host's two engine fuel valves.
//
// Each side has two shut-off valve knobs that move together; a knob turned
// in line with its flow line is open. The cross-feed knob joins the two
// sides: in position 1 side 1 feeds both engines, in position 2 side 2 does,
// provided the feeding side's valves are open. The host's engine fuel valves
// only toggle, so each update compares them with what the panel calls for
// and sends at most one toggle per engine; the next update reads the result.
//
// Inputs: TankValve1Open, TankValve2Open, CrossfeedSelector, DcNormBusPowered;
// host tokens 895 and 896 (engine 1 and 2 fuel valves, 1.0 open, 0.0 shut).
// Outputs: CrossfeedMode; key events 0x103be and 0x103bf (toggle the engine 1
// and 2 fuel valves).
//
// A fuel valve that reads neither exactly 1.0 nor exactly 0.0 (NaN, infinity,
// a valve in transit) is left alone: no toggle is sent until it reads one of
// the two again.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switches.h"

KADRIMOS_GAUGE(fuel_valves, "toskelin fuel_valves_rulo")

namespace kadrimos::gauges::fuel_valves {
namespace {

constexpr uint32_t kToggleEngine1Valve = 0x103be;
constexpr uint32_t kToggleEngine2Valve = 0x103bf;

// The cross-feed knob's positions.
enum CrossfeedPosition : uint8_t { kCrossfeedClosed = 0, kCrossfeedFromSide1 = 1, kCrossfeedFromSide2 = 2 };

// Knob bitmaps and the flow lines drawn over them.
constexpr uint32_t kKnobInLine = 4457;
constexpr uint32_t kKnobAcross = 4460;
constexpr uint32_t kLineOpen = 4464;
constexpr uint32_t kLineShut = 4467;
constexpr uint32_t kCrossfeedLineClosed = 4470;  // two separate lines, 1 and 2
constexpr uint32_t kCrossfeedLineFrom1 = 4473;
constexpr uint32_t kCrossfeedLineFrom2 = 4476;

// --- Elements ----------------------------------------------------------------

// Depth, bitmap, position. Per shut-off valve knob, from `first`: knob in
// line, open line, knob across, shut line. Side 1: knobs at 1 (x 0) and 5
// (x 65); side 2: 9 (x 176) and 13 (x 242). Cross-feed at 121, 14: 17 knob in
// line, 18 knob across, 19-21 lines closed / from side 1 / from side 2.
constexpr ElementSpec kElements[] = {
    background_spec(4454),
    icon_spec("SHUT OFF 1 left knob open", kKnobInLine, {0, 14}),
    icon_spec("SHUT OFF 1 left line open", kLineOpen, {0, 14}),
    icon_spec("SHUT OFF 1 left knob shut", kKnobAcross, {0, 14}),
    icon_spec("SHUT OFF 1 left line shut", kLineShut, {0, 14}),
    icon_spec("SHUT OFF 1 right knob open", kKnobInLine, {65, 14}),
    icon_spec("SHUT OFF 1 right line open", kLineOpen, {65, 14}),
    icon_spec("SHUT OFF 1 right knob shut", kKnobAcross, {65, 14}),
    icon_spec("SHUT OFF 1 right line shut", kLineShut, {65, 14}),
    icon_spec("SHUT OFF 2 left knob open", kKnobInLine, {176, 14}),
    icon_spec("SHUT OFF 2 left line open", kLineOpen, {176, 14}),
    icon_spec("SHUT OFF 2 left knob shut", kKnobAcross, {176, 14}),
    icon_spec("SHUT OFF 2 left line shut", kLineShut, {176, 14}),
    icon_spec("SHUT OFF 2 right knob open", kKnobInLine, {242, 14}),
    icon_spec("SHUT OFF 2 right line open", kLineOpen, {242, 14}),
    icon_spec("SHUT OFF 2 right knob shut", kKnobAcross, {242, 14}),
    icon_spec("SHUT OFF 2 right line shut", kLineShut, {242, 14}),
    icon_spec("CROSS FEED knob closed", kKnobInLine, {121, 14}),
    icon_spec("CROSS FEED knob open", kKnobAcross, {121, 14}),
    icon_spec("CROSS FEED lines closed", kCrossfeedLineClosed, {121, 14}),
    icon_spec("CROSS FEED line from 1", kCrossfeedLineFrom1, {121, 14}),
    icon_spec("CROSS FEED line from 2", kCrossfeedLineFrom2, {121, 14}),
};

// --- Mouse -------------------------------------------------------------------

// Either knob of a side turns both of its valves, silently. Each knob has a
// handler of its own (`Knob`), as every area of the cockpit does.
template <auto Item, int Knob>
int32_t FSAPI toggle_valve(PIXPOINT*, uint32_t) {
    aircraft.*Item = aircraft.*Item == 1 ? 0 : 1;
    return 0;
}

// The cross-feed knob, silently.
template <uint8_t Position>
int32_t FSAPI set_crossfeed(PIXPOINT*, uint32_t) {
    aircraft.CrossfeedSelector = Position;
    return 0;
}

// Side 1 knobs, side 2 knobs, then the cross-feed knob's thirds left to right.
// clang-format off
constexpr AreaSpec kAreas[] = {
    area("TANK VALVE 1 left", {0, 6, 43, 57},   CURSOR_HAND, toggle_valve<&AircraftState::TankValve1Open, 1>),
    area("TANK VALVE 1 right", {65, 6, 37, 57},  CURSOR_HAND, toggle_valve<&AircraftState::TankValve1Open, 2>),
    area("TANK VALVE 2 left", {183, 6, 37, 57}, CURSOR_HAND, toggle_valve<&AircraftState::TankValve2Open, 1>),
    area("TANK VALVE 2 right", {242, 6, 43, 57}, CURSOR_HAND, toggle_valve<&AircraftState::TankValve2Open, 2>),
    area("X FEED from side 2", {102, 6, 27, 57}, CURSOR_HAND, set_crossfeed<kCrossfeedFromSide2>),
    area("X FEED closed", {129, 6, 27, 57}, CURSOR_HAND, set_crossfeed<kCrossfeedClosed>),
    area("X FEED from side 1", {156, 6, 27, 57}, CURSOR_HAND, set_crossfeed<kCrossfeedFromSide1>),
};
// clang-format on

// --- Display -----------------------------------------------------------------

// A shut-off valve knob from `first`: knob and line in line when open,
// across when shut.
void show_valve(int first, bool open) {
    show_one_of(header, {first, first + 2}, open ? 0 : 1);
    show_one_of(header, {first + 1, first + 3}, open ? 0 : 1);
}

void show_knobs() {
    const AircraftState& a = aircraft;
    show_valve(1, a.TankValve1Open == 1);
    show_valve(5, a.TankValve1Open == 1);
    show_valve(9, a.TankValve2Open == 1);
    show_valve(13, a.TankValve2Open == 1);
    const uint8_t x = a.CrossfeedSelector;
    show_one_of(header, {17, 18}, x == kCrossfeedClosed ? 0 : 1);
    show_one_of(header, {19, 20, 21}, x);
}

// --- Engine fuel valves ------------------------------------------------------

uint8_t crossfeed_mode(const AircraftState& a) {
    if (a.CrossfeedSelector == kCrossfeedFromSide1 && a.TankValve1Open == 1) return kCrossfeedFromSide1;
    if (a.CrossfeedSelector == kCrossfeedFromSide2 && a.TankValve2Open == 1) return kCrossfeedFromSide2;
    return kCrossfeedClosed;
}

// The engine's valve disagrees with its side's shut-off valves.
bool disagrees(uint8_t tank_valve_open, double engine_valve) {
    return (tank_valve_open == 0 && engine_valve == 1.0) || (tank_valve_open == 1 && engine_valve == 0.0);
}

void drive_engine_valves() {
    const AircraftState& a = aircraft;
    if (a.DcNormBusPowered != 1) return;  // the valves' motors freeze where they are
    const double engine1 = host::value<895>();
    const double engine2 = host::value<896>();
    // Each engine follows its own side's valves, except the engine fed
    // across, whose valve is held open whatever its own side says.
    if (a.CrossfeedMode != kCrossfeedFromSide2 && disagrees(a.TankValve1Open, engine1))
        host::send_event(kToggleEngine1Valve);
    if (a.CrossfeedMode != kCrossfeedFromSide1 && disagrees(a.TankValve2Open, engine2))
        host::send_event(kToggleEngine2Valve);
    if (a.CrossfeedMode == kCrossfeedFromSide2 && engine1 == 0.0)
        host::send_event(kToggleEngine1Valve);
    else if (a.CrossfeedMode == kCrossfeedFromSide1 && engine2 == 0.0)
        host::send_event(kToggleEngine2Valve);
}

// --- Update ------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_knobs();
    aircraft.CrossfeedMode = crossfeed_mode(aircraft);
    drive_engine_valves();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 285, callback);

}  // namespace kadrimos::gauges::fuel_valves
