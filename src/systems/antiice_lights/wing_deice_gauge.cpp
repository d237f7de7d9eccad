// "toskelin wing_deice_rulo": the WING DE ICE panel.
//
// Two three-position switches, LH and RH: ON (in flight), OFF RESET, and GRND
// CHECK (a test on the ground). A side works when its switch is ON in the air
// or at GRND CHECK on the ground; in the other case it stays off and its
// supply bar shows crossed. The bars are fed by the DC normal bus.
//
// The simulator has one airframe de-ice switch (token 905); the left system's
// valve is the one mapped onto it, so only the LH side commands it, by the
// toggle event 0x10321, on while the left side works and off otherwise. The
// right side shows its supply and counts for the wing anti-ice flag.
//
// WingAntiIceOn, which the APU and the thrust rating computer read, says that
// the wing anti-ice is working in flight: a side works, the DC normal bus is
// alive and the aircraft is not on the ground. It is worked out afresh at
// every update from the two sides, so that it cannot stay set once no side
// works, nor stay clear while one does when the simulator's de-ice was
// already on.
//
// Inputs: the two switches (own state), DcNormBusPowered; tokens 60 (exactly
// 1.0 on the ground, exactly 0.0 in the air) and 905 (the host's airframe
// de-ice, exactly 1.0 on, 0.0 off).
// Outputs: WingAntiIceOn; key event 0x10321.
#include <array>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switches.h"
#include "systems/antiice_lights/antiice_lights_state.h"

KADRIMOS_GAUGE_WITH_STATE(wing_deice, "toskelin wing_deice_rulo")

namespace kadrimos::gauges::wing_deice {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBitmap = 5624;  // the background's; element k has kBitmap + k

constexpr uint32_t kOnGroundToken = 60;
constexpr uint32_t kAirframeDeIceToken = 905;
constexpr uint32_t kToggleAirframeDeIce = 0x10321;

State& self = state;

// --- Elements ----------------------------------------------------------------

// Elements 1 to 3: the LH switch at GRND CHECK, OFF RESET and ON; 4 to 6 the
// RH switch likewise; 7 and 8: the LH supply bar crossed and in line; 9 and
// 10 the RH bar; 11 to 14: lights this aircraft does not use, always dark.
constexpr NumberedIcon kIcons[] = {
    {"LH GRND CHECK", {17, 74}},
    {"LH OFF RESET", {17, 74}},
    {"LH ON", {17, 74}},
    {"RH GRND CHECK", {121, 74}},
    {"RH OFF RESET", {121, 74}},
    {"RH ON", {121, 74}},
    {"LH supply bar crossed", {30, 38}},
    {"LH supply bar in line", {38, 38}},
    {"RH supply bar crossed", {134, 38}},
    {"RH supply bar in line", {142, 38}},
    {"unused light 1", {72, 78}},
    {"unused light 2", {72, 94}},
    {"unused light 3", {72, 110}},
    {"unused light 4", {72, 126}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

constexpr int kLeftSwitch = 1, kRightSwitch = 4;  // each side's GRND CHECK bitmap; OFF RESET and ON follow
constexpr int kLeftCrossed = 7, kLeftInLine = 8, kRightCrossed = 9, kRightInLine = 10;
constexpr int kFirstUnused = 11, kLastUnused = 14;

// --- Areas -------------------------------------------------------------------

template <auto Item, uint8_t Position>
int32_t FSAPI move_wing_switch(PIXPOINT*, uint32_t) {
    move_switch(self.*Item, Position);
    return 0;
}

// Each switch: ON (top), OFF RESET, GRND CHECK (bottom).
template <auto Item>
constexpr std::array<AreaSpec, 3> wing_switch(int32_t x, const char* on, const char* off, const char* check) {
    return {area(on, {x, 74, 49, 23}, CURSOR_UPARROW, move_wing_switch<Item, kWingOn>),
            area(off, {x, 97, 49, 23}, CURSOR_DOWNARROW, move_wing_switch<Item, kWingOffReset>),
            area(check, {x, 120, 49, 23}, CURSOR_HAND, move_wing_switch<Item, kWingGroundCheck>)};
}
constexpr auto kAreas =
    join<AreaSpec>(wing_switch<&State::switch_left>(17, "LH ON", "LH OFF RESET", "LH GRND CHECK"),
                   wing_switch<&State::switch_right>(121, "RH ON", "RH OFF RESET", "RH GRND CHECK"));

// --- Update ------------------------------------------------------------------

// The bitmap of a switch's position, among GRND CHECK, OFF RESET and ON.
int bitmap_of(uint8_t position) {
    switch (position) {
        case kWingGroundCheck:
            return 0;
        case kWingOffReset:
            return 1;
        case kWingOn:
            return 2;
        default:
            return -1;
    }
}

// ON works in the air, GRND CHECK on the ground; a reading that is neither
// exactly on the ground nor exactly in the air lets neither work.
bool works(uint8_t position, double on_ground) {
    return (position == kWingOn && on_ground == 0.0) || (position == kWingGroundCheck && on_ground == 1.0);
}

// A side's supply bar: in line while it works, crossed while it does not,
// neither without the DC normal bus.
void supply_bar(int crossed, int in_line, bool powered, bool working) {
    set_visible(header, in_line, powered && working);
    set_visible(header, crossed, powered && !working);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {kLeftSwitch, kLeftSwitch + 1, kLeftSwitch + 2}, bitmap_of(self.switch_left));
    show_one_of(header, {kRightSwitch, kRightSwitch + 1, kRightSwitch + 2}, bitmap_of(self.switch_right));

    const double on_ground = host::value<kOnGroundToken>();
    const double airframe_deice = host::value<kAirframeDeIceToken>();
    const bool powered = aircraft.DcNormBusPowered == 1;
    const bool left = works(self.switch_left, on_ground) && powered;
    const bool right = works(self.switch_right, on_ground) && powered;

    // The simulator's de-ice follows the left side.
    if (left ? airframe_deice == 0.0 : airframe_deice == 1.0) host::send_event(kToggleAirframeDeIce);
    supply_bar(kLeftCrossed, kLeftInLine, powered, left);
    supply_bar(kRightCrossed, kRightInLine, powered, right);
    for (int k = kFirstUnused; k <= kLastUnused; ++k) set_visible(header, k, false);

    aircraft.WingAntiIceOn = (left || right) && on_ground != 1.0 ? 1 : 0;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 188, callback);

}  // namespace kadrimos::gauges::wing_deice
