// "toskelin fuel_pumps_left_rulo", "toskelin fuel_pumps_right_rulo" and
// "toskelin fuel_pumps_center_rulo": the fuel pump switches, and the tank
// selection that turns them into the host's engine fuel tank selectors.
//
// Each wing has an ON/OFF pump switch (L1, R1) and an AUTO/OFF one (L2, R2);
// the centre tank has one AUTO/OFF switch per side. Interlocks keep at least
// one pump source switched on per side: the pair (1, 2) only takes the
// states (ON, AUTO), (OFF, AUTO) and (OFF, OFF) (L1 ON also puts L2 to AUTO,
// L2 OFF also switches L1 off); a wing switch goes off only while another
// source of its side stays on, the centre switch only while a wing switch of
// its side is on. Every switch clicks when it moves, and only then.
//
// The centre panel's update is the tank selection: the centre tank feeds
// while it holds at least 0.9 litres and both its switch and the side's
// ON/OFF switch are on, the wing tanks otherwise; the cross-feed lets one
// side feed both engines when the other is unfed or shut off. Without the DC
// essential bus both selectors go to off and the engines starve. The AUTO
// switches take no part in the selection, only in the "side fed" flags and
// the flow flags.
//
// Inputs: the pump switches, TankValve1Open, TankValve2Open, CrossfeedMode,
// FuelQtyMLeft, FuelQtyMRight, FuelQtyACenter, FuelQtyALeft, FuelQtyARight,
// DcNormBusPowered, DcEssBusPowered; host tokens 307 and 906 (engine 1 and 2
// tank selectors, integers).
// Outputs: Side1Fed, Side2Fed (private state); key events 0x101a3-0x101a9
// (engine 1 selector) and 0x103d4-0x103da (engine 2 selector), value 0.
//
// Quantities that are not finite numbers count as empty tanks (fuel_state.h).
// A selector reading a position outside the table below is simply corrected
// to the wanted one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/fuel/fuel_state.h"

KADRIMOS_GAUGE(fuel_pumps_left, "toskelin fuel_pumps_left_rulo")
KADRIMOS_GAUGE(fuel_pumps_right, "toskelin fuel_pumps_right_rulo")
KADRIMOS_GAUGE(fuel_pumps_center, "toskelin fuel_pumps_center_rulo")

namespace kadrimos::fuel {
namespace {

// --- Shared by the three panels ----------------------------------------------

constexpr double kEmptyLitres = 1.0;      // below it a tank counts as empty
constexpr double kCentreLowLitres = 0.9;  // below it the centre tank no longer feeds

// Flow flag and knob bitmaps.
constexpr uint32_t kFlagFlowing = 4115;  // vertical bar
constexpr uint32_t kFlagNoFlow = 4118;   // horizontal bar
constexpr uint32_t kKnobUp = 4128;
constexpr uint32_t kKnobMiddle = 4121;
constexpr uint32_t kKnobDown = 4124;

// Columns: selector position, key event for engine 1, for engine 2.
struct SelectorEvent {
    uint32_t position;
    uint32_t engine1;
    uint32_t engine2;
};
// clang-format off
constexpr SelectorEvent kSelectorEvents[] = {
    {kTankOff,    0x101a3, 0x103d4},
    {kTankWing1,  0x101a5, 0x103d6},
    {kTankWing2,  0x101a6, 0x103d7},
    {kTankAuto1,  0x101a7, 0x103d8},
    {kTankAuto2,  0x101a8, 0x103d9},
    {kTankCentre, 0x101a9, 0x103da},
};
// clang-format on
static_assert(std::size(kSelectorEvents) == 6);

enum class Engine : uint8_t { one, two };

uint32_t selector(Engine e) { return e == Engine::one ? host::bits<307>() : host::bits<906>(); }

// Sends the event that puts the engine's selector to `position`.
void command(Engine e, uint32_t position) {
    for (const SelectorEvent& row : kSelectorEvents) {
        if (row.position == position) host::send_event(e == Engine::one ? row.engine1 : row.engine2);
    }
}

// Commands `position` only where the selector stands elsewhere.
void select(Engine e, uint32_t position) {
    if (selector(e) != position) command(e, position);
}

// A flow flag pair: hidden without DC normal power, otherwise the vertical
// bar while fuel flows through it, else the horizontal one.
void flow_flag(const GAUGEHDR& gauge, int first, bool flowing) {
    const bool dc = aircraft.DcNormBusPowered == 1;
    light(gauge, first, dc, flowing);
    light(gauge, first + 1, dc, !flowing);
}

// The four wing switch actions of one side.
template <auto One, auto Two, auto Centre>
int32_t FSAPI one_on(PIXPOINT*, uint32_t) {
    move_switch(aircraft.*One, 1);
    aircraft.*Two = 1;
    return 0;
}
template <auto One, auto Two, auto Centre>
int32_t FSAPI one_off(PIXPOINT*, uint32_t) {
    if (aircraft.*Centre + aircraft.*Two != 0) move_switch(aircraft.*One, 0);
    return 0;
}
template <auto One, auto Two, auto Centre>
int32_t FSAPI two_auto(PIXPOINT*, uint32_t) {
    move_switch(aircraft.*Two, 1);
    return 0;
}
template <auto One, auto Two, auto Centre>
int32_t FSAPI two_off(PIXPOINT*, uint32_t) {
    if (aircraft.*Centre != 0 && move_switch(aircraft.*Two, 0)) aircraft.*One = 0;
    return 0;
}

// A wing panel's switches and flags. Elements from 1: switch 1's two knobs
// (up, down each), switch 2's two knobs (middle, down each), then the flags
// of switch 1's pair and of switch 2's pair (flowing, no flow each).
void show_wing_panel(const GAUGEHDR& gauge, uint8_t one, uint8_t two, Engine engine, double main_litres) {
    const int one_shown = one == 1 ? 0 : 1;
    const int two_shown = two == 1 ? 0 : 1;
    show_one_of(gauge, {1, 2}, one_shown);
    show_one_of(gauge, {3, 4}, one_shown);
    show_one_of(gauge, {5, 6}, two_shown);
    show_one_of(gauge, {7, 8}, two_shown);

    const uint32_t s = selector(engine);
    const uint32_t wing = engine == Engine::one ? kTankWing1 : kTankWing2;
    const uint32_t automatic = engine == Engine::one ? kTankAuto1 : kTankAuto2;
    const double m = litres(main_litres);
    const bool one_flows = s == wing && m < kEmptyLitres;
    const bool two_flows = (s == wing && m >= kEmptyLitres) || s == automatic;
    flow_flag(gauge, 9, one_flows);
    flow_flag(gauge, 11, one_flows);
    flow_flag(gauge, 13, two_flows);
    flow_flag(gauge, 15, two_flows);
}

// Where a wing panel's parts stand: the background, the x of switch 1's and
// switch 2's two knobs, and of the flags of switch 1's and switch 2's pairs.
// The right panel is the left one mirrored.
struct WingLayout {
    uint32_t background;
    int32_t one_knobs[2];
    int32_t two_knobs[2];
    int32_t one_flags[2];
    int32_t two_flags[2];
};

// Knob and flag rows.
constexpr int32_t kKnobUpY = 32, kKnobMiddleY = 45, kKnobDownY = 53, kFlagY = 13;

// A wing panel's records: the background and its chain of 16 icons in the
// order show_wing_panel() addresses them.
inline constexpr std::size_t kWingIcons = 16;
using WingPanel = Chain<kWingIcons + 1>;

// The labels of a wing panel's icons, for pumps `one` and `two` ("L1", "L2"
// or "R1", "R2").
struct WingLabels {
    const char* text[kWingIcons];
};
inline constexpr WingLabels kLeftLabels = {{
    "L1 ON",
    "L1 OFF",
    "L1 ON (second knob)",
    "L1 OFF (second knob)",
    "L2 AUTO",
    "L2 OFF",
    "L2 AUTO (second knob)",
    "L2 OFF (second knob)",
    "L1 flag 1 flow",
    "L1 flag 1 no flow",
    "L1 flag 2 flow",
    "L1 flag 2 no flow",
    "L2 flag 1 flow",
    "L2 flag 1 no flow",
    "L2 flag 2 flow",
    "L2 flag 2 no flow",
}};
inline constexpr WingLabels kRightLabels = {{
    "R1 ON",
    "R1 OFF",
    "R1 ON (second knob)",
    "R1 OFF (second knob)",
    "R2 AUTO",
    "R2 OFF",
    "R2 AUTO (second knob)",
    "R2 OFF (second knob)",
    "R1 flag 1 flow",
    "R1 flag 1 no flow",
    "R1 flag 2 flow",
    "R1 flag 2 no flow",
    "R2 flag 1 flow",
    "R2 flag 1 no flow",
    "R2 flag 2 flow",
    "R2 flag 2 no flow",
}};

// A wing panel's elements.
constexpr std::array<ElementSpec, kWingIcons + 1> wing_panel(const WingLayout& at, const WingLabels& labels) {
    struct Icon {
        uint32_t bitmap;
        PIXPOINT position;
    };
    const Icon icons[kWingIcons] = {
        {kKnobUp, {at.one_knobs[0], kKnobUpY}},         {kKnobDown, {at.one_knobs[0], kKnobDownY}},
        {kKnobUp, {at.one_knobs[1], kKnobUpY}},         {kKnobDown, {at.one_knobs[1], kKnobDownY}},
        {kKnobMiddle, {at.two_knobs[0], kKnobMiddleY}}, {kKnobDown, {at.two_knobs[0], kKnobDownY}},
        {kKnobMiddle, {at.two_knobs[1], kKnobMiddleY}}, {kKnobDown, {at.two_knobs[1], kKnobDownY}},
        {kFlagFlowing, {at.one_flags[0], kFlagY}},      {kFlagNoFlow, {at.one_flags[0], kFlagY}},
        {kFlagFlowing, {at.one_flags[1], kFlagY}},      {kFlagNoFlow, {at.one_flags[1], kFlagY}},
        {kFlagFlowing, {at.two_flags[0], kFlagY}},      {kFlagNoFlow, {at.two_flags[0], kFlagY}},
        {kFlagFlowing, {at.two_flags[1], kFlagY}},      {kFlagNoFlow, {at.two_flags[1], kFlagY}},
    };
    std::array<ElementSpec, kWingIcons + 1> specs = {background_spec(at.background)};
    for (std::size_t i = 0; i < kWingIcons; ++i)
        specs[i + 1] = icon_spec(labels.text[i], icons[i].bitmap, icons[i].position);
    return specs;
}

// One row a wing panel: the left one, then the right one, which is the left
// mirrored (pump 1's knobs and flags on the outboard side).
struct WingRow {
    WingLayout layout;
    const WingLabels* labels;
    const char* areas[4];  // pump 1 ON, pump 1 OFF, pump 2 AUTO, pump 2 OFF
    int32_t one_x, two_x;  // the knobs' areas
    uint8_t AircraftState::*one;
    uint8_t AircraftState::*two;
    uint8_t AircraftState::*centre;
    Engine engine;
    double AircraftState::*main_tank;
};
// clang-format off
constexpr WingRow kWings[] = {
    {{4435, {16, 42}, {80, 106}, {22, 44}, {86, 108}}, &kLeftLabels, {"L1 ON", "L1 OFF", "L2 AUTO", "L2 OFF"}, 11, 75,
     &AircraftState::PumpSwitchL1, &AircraftState::PumpSwitchL2, &AircraftState::CtrPumpSwitchL, Engine::one,
     &AircraftState::FuelQtyMLeft},
    {{4438, {100, 126}, {38, 64}, {106, 128}, {44, 66}}, &kRightLabels, {"R1 ON", "R1 OFF", "R2 AUTO", "R2 OFF"}, 95, 34,
     &AircraftState::PumpSwitchR1, &AircraftState::PumpSwitchR2, &AircraftState::CtrPumpSwitchR, Engine::two,
     &AircraftState::FuelQtyMRight},
};
// clang-format on

// Elements: 1-2 pump 1 outer knob ON/OFF, 3-4 its inner knob, 5-6 pump 2
// outer knob AUTO/OFF, 7-8 its inner knob, 9-12 pump 1 flags, 13-16 pump 2
// flags.
template <std::size_t W>
inline constexpr auto kWingElements = wing_panel(kWings[W].layout, *kWings[W].labels);

template <std::size_t W>
inline constexpr std::array<AreaSpec, 4> kWingAreas = [] {
    constexpr WingRow w = kWings[W];
    return std::array<AreaSpec, 4>{
        area(w.areas[0], {w.one_x, 22, 51, 21}, CURSOR_UPARROW, one_on<w.one, w.two, w.centre>),
        area(w.areas[1], {w.one_x, 43, 51, 21}, CURSOR_DOWNARROW, one_off<w.one, w.two, w.centre>),
        area(w.areas[2], {w.two_x, 22, 51, 21}, CURSOR_UPARROW, two_auto<w.one, w.two, w.centre>),
        area(w.areas[3], {w.two_x, 43, 51, 21}, CURSOR_DOWNARROW, two_off<w.one, w.two, w.centre>),
    };
}();

template <std::size_t W, GAUGEHDR& Header>
void FSAPI wing_callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const WingRow& w = kWings[W];
    show_wing_panel(Header, aircraft.*w.one, aircraft.*w.two, w.engine, aircraft.*w.main_tank);
}

}  // namespace

template <std::size_t W, GAUGEHDR& Header>
using WingPanel = ListedGauge<kWingElements<W>, kWingAreas<W>, 156, wing_callback<W, Header>, Header>;

}  // namespace kadrimos::fuel

KADRIMOS_FAMILY_GAUGE(fuel_pumps_left, fuel::WingPanel, 0)
KADRIMOS_FAMILY_GAUGE(fuel_pumps_right, fuel::WingPanel, 1)

// --- Centre tank pumps and the tank selection ------------------------------------

namespace kadrimos::gauges::fuel_pumps_center {
namespace {

using namespace kadrimos::fuel;

FuelState& fuel = private_state.fuel;

constexpr uint8_t kFromSide1 = 1;  // CrossfeedMode
constexpr uint8_t kFromSide2 = 2;

// Depth, bitmap, position: 1-2 the tank shut-off valve selectors LH, RH
// (fixed); 3-4 LH centre pump AUTO/OFF; 5-6 RH; 7-8 the upper flags (shown
// with DC normal power); 9-10 engine 1 centre flow flag flowing / no flow;
// 11-12 engine 2.
constexpr ElementSpec kElements[] = {
    background_spec(4432),
    icon_spec("TANK SHUT OFF VALVES LH selector", kKnobMiddle, {38, 23}, kIconFlags),
    icon_spec("TANK SHUT OFF VALVES RH selector", kKnobMiddle, {117, 23}, kIconFlags),
    icon_spec("CTR TANK LH AUTO", kKnobMiddle, {37, 68}),
    icon_spec("CTR TANK LH OFF", kKnobDown, {38, 76}),
    icon_spec("CTR TANK RH AUTO", kKnobMiddle, {116, 68}),
    icon_spec("CTR TANK RH OFF", kKnobDown, {117, 76}),
    icon_spec("upper flag 1", kFlagFlowing, {70, 24}),
    icon_spec("upper flag 2", kFlagFlowing, {93, 24}),
    icon_spec("ENG 1 centre flag flow", kFlagFlowing, {70, 65}),
    icon_spec("ENG 1 centre flag no flow", kFlagNoFlow, {70, 65}),
    icon_spec("ENG 2 centre flag flow", kFlagFlowing, {93, 65}),
    icon_spec("ENG 2 centre flag no flow", kFlagNoFlow, {93, 65}),
};

// A centre pump switch: AUTO always; OFF only while a wing switch of its side
// stays on.
template <auto Centre>
int32_t FSAPI centre_auto(PIXPOINT*, uint32_t) {
    move_switch(aircraft.*Centre, 1);
    return 0;
}
template <auto Centre, auto One, auto Two>
int32_t FSAPI centre_off(PIXPOINT*, uint32_t) {
    if (aircraft.*One + aircraft.*Two != 0) move_switch(aircraft.*Centre, 0);
    return 0;
}

constexpr auto CL = &AircraftState::CtrPumpSwitchL;
constexpr auto CR = &AircraftState::CtrPumpSwitchR;

// LH AUTO, LH OFF, RH AUTO, RH OFF.
constexpr Toggle kCentreSwitches[] = {
    {"LH AUTO",
     "LH OFF",
     {30, 45, 31, 42},
     centre_auto<CL>,
     centre_off<CL, &AircraftState::PumpSwitchL1, &AircraftState::PumpSwitchL2>},
    {"RH AUTO",
     "RH OFF",
     {108, 45, 31, 42},
     centre_auto<CR>,
     centre_off<CR, &AircraftState::PumpSwitchR1, &AircraftState::PumpSwitchR2>},
};
constexpr auto kAreas = toggle_areas(kCentreSwitches);

// --- Tank selection ----------------------------------------------------------

bool holds_fuel(double published) { return litres(published) >= kEmptyLitres; }

void compute_fed_sides() {
    const AircraftState& a = aircraft;
    fuel.Side1Fed = (a.CtrPumpSwitchL == 1 && holds_fuel(a.FuelQtyACenter)) ||
                            (a.PumpSwitchL1 == 1 && holds_fuel(a.FuelQtyALeft)) ||
                            (a.PumpSwitchL2 == 1 && holds_fuel(a.FuelQtyMLeft))
                        ? 1
                        : 0;
    fuel.Side2Fed = (a.CtrPumpSwitchR == 1 && holds_fuel(a.FuelQtyACenter)) ||
                            (a.PumpSwitchR1 == 1 && holds_fuel(a.FuelQtyARight)) ||
                            (a.PumpSwitchR2 == 1 && holds_fuel(a.FuelQtyMRight))
                        ? 1
                        : 0;
}

bool centre_low() { return litres(aircraft.FuelQtyACenter) < kCentreLowLitres; }

// The tank a side's switches call for when the centre pump and the ON/OFF
// wing pump are both on.
uint32_t centre_or_wing(uint32_t wing) { return centre_low() ? wing : kTankCentre; }

// The engine fed across copies the feeding engine's wing tank, the centre
// tank otherwise.
uint32_t follow(uint32_t feeding, uint32_t wing, uint32_t automatic) {
    return feeding == wing ? wing : feeding == automatic ? automatic : kTankCentre;
}

// Engine 2 on its own side's tanks, as its switches call for.
void select_side2_own_tank() {
    const AircraftState& a = aircraft;
    if (a.CtrPumpSwitchR == 1 && a.PumpSwitchR1 == 1)
        select(Engine::two, centre_or_wing(kTankWing2));
    else if (a.CtrPumpSwitchR == 1)
        select(Engine::two, kTankCentre);
    else
        select(Engine::two, a.PumpSwitchR1 == 1 ? kTankWing2 : kTankAuto2);
}

// Side 1 feeds both engines.
void crossfeed_from_side1() {
    const AircraftState& a = aircraft;
    if (a.CtrPumpSwitchL == 1 && a.PumpSwitchL1 == 1)
        select(Engine::one, centre_or_wing(kTankWing1));
    else if (a.CtrPumpSwitchL == 1)
        command(Engine::one, kTankCentre);  // sent every update, as the panel's logic does
    else
        select(Engine::one, a.PumpSwitchL1 == 1 ? kTankWing1 : kTankAuto1);
    select(Engine::two, follow(selector(Engine::one), kTankWing1, kTankAuto1));
}

// Side 2 feeds both engines.
void crossfeed_from_side2() {
    select_side2_own_tank();
    select(Engine::one, follow(selector(Engine::two), kTankWing2, kTankAuto2));
}

// Each side feeds its own engine.
void each_side_own_engine() {
    const AircraftState& a = aircraft;
    if (a.CtrPumpSwitchL == 1 && a.PumpSwitchL1 == 1) {
        select(Engine::one, centre_or_wing(kTankWing1));
    } else if (a.CtrPumpSwitchL == 1) {
        // With side 2 cross-feeding and the centre tank nearly dry, engine 1
        // is left on whatever it draws from.
        const bool hold = a.CrossfeedMode == kFromSide2 && litres(a.FuelQtyACenter) < kEmptyLitres;
        if (!hold) select(Engine::one, kTankCentre);
    } else {
        select(Engine::one, a.PumpSwitchL1 == 1 ? kTankWing1 : kTankAuto1);
    }

    select_side2_own_tank();
}

void select_tanks() {
    const AircraftState& a = aircraft;
    if (a.DcEssBusPowered != 1) {
        // The tank selector motors run on the DC essential bus: without it
        // both selectors go to off and the engines starve.
        select(Engine::one, kTankOff);
        select(Engine::two, kTankOff);
        return;
    }
    if (a.CrossfeedMode == kFromSide1 && (fuel.Side2Fed == 0 || a.TankValve2Open == 0))
        crossfeed_from_side1();
    else if (a.CrossfeedMode == kFromSide2 && (fuel.Side1Fed == 0 || a.TankValve1Open == 0))
        crossfeed_from_side2();
    else
        each_side_own_engine();
}

// --- Display -----------------------------------------------------------------

void show_panel() {
    const AircraftState& a = aircraft;
    set_visible(header, 1, true);
    set_visible(header, 2, true);
    show_one_of(header, {3, 4}, a.CtrPumpSwitchL == 1 ? 0 : 1);
    show_one_of(header, {5, 6}, a.CtrPumpSwitchR == 1 ? 0 : 1);
    const bool dc = a.DcNormBusPowered == 1;
    light(header, 7, dc, true);
    light(header, 8, dc, true);
    flow_flag(header, 9, selector(Engine::one) == kTankCentre);
    flow_flag(header, 11, selector(Engine::two) == kTankCentre);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    compute_fed_sides();
    select_tanks();
    show_panel();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 168, callback);

}  // namespace kadrimos::gauges::fuel_pumps_center
