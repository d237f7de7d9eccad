// "toskelin ext_lt_rulo": the exterior light panel.
//
// NAV, LOGO, BEACON, STROBE and WING switches, the LAND switch for both
// landing lights (ON, OFF, RETRACT) and one switch for the nose and runway
// turn-off lights, which has a lever for each. The simulator keeps the lights
// themselves; at every update each one is compared with its switch and put
// right by a key event while they differ, so that a light something else
// switches is set back at the next update.
//
// Power: the navigation lights need only the DC essential bus. The others are
// AC lights and need AC on the aircraft's buses from a generator on line:
// a generator (engine or APU) carrying load, or for the logo lights also
// external power. Without it they are driven off whatever their switches
// say. The landing lights extend with LAND at ON or OFF and retract at
// RETRACT or without AC; the simulator's tail hook stands in for their
// extension. They cannot be retracted while lit.
//
// Inputs: the switches (own state), DcEssBusPowered, AcBus1Powered,
// AcBus2Powered, Gen1Load, Gen2Load, ApuGenLoad, ExtPowerOnBus; tokens 10
// (panel lights), 11 (strobes), 14 (landing lights), 368 (beacon), 369
// (taxi: nose and runway), 619 (nav), 620 (logo), 621 (wing), 869 (tail hook:
// landing light extension); each exactly 0.0 off and 1.0 on.
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

KADRIMOS_GAUGE_WITH_STATE(ext_lt, "toskelin ext_lt_rulo")

namespace kadrimos::gauges::ext_lt {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBitmap = 5652;  // the background's; element k has kBitmap + k

// The simulator's lights.
constexpr uint32_t kPanelLightsToken = 10;
constexpr uint32_t kStrobeToken = 11;
constexpr uint32_t kLandingToken = 14;
constexpr uint32_t kBeaconToken = 368;
constexpr uint32_t kTaxiToken = 369;
constexpr uint32_t kNavToken = 619;
constexpr uint32_t kLogoToken = 620;
constexpr uint32_t kWingToken = 621;
constexpr uint32_t kLandingExtensionToken = 869;

// And the events that switch them.
constexpr uint32_t kPanelLightsOn = 0x10208;
constexpr uint32_t kPanelLightsOff = 0x10209;
constexpr uint32_t kToggleNav = 0x1034B;
constexpr uint32_t kToggleCabin = 0x10413;
constexpr uint32_t kToggleRecognition = 0x10349;
constexpr uint32_t kToggleLogo = 0x10348;
constexpr uint32_t kToggleBeacon = 0x102BF;
constexpr uint32_t kToggleWing = 0x1034A;
constexpr uint32_t kToggleTaxi = 0x102C0;
constexpr uint32_t kStrobesOn = 0x10204;
constexpr uint32_t kStrobesOff = 0x10205;
constexpr uint32_t kLandingOn = 0x1020B;
constexpr uint32_t kLandingOff = 0x1020C;
constexpr uint32_t kLandingExtension = 0x10357;  // value 1 extends, 0 retracts

State& self = state;

// --- Elements ----------------------------------------------------------------

// Elements 1 to 10: NAV, LOGO, BEACON, STROBE, WING, each lower (OFF) then
// upper (ON); 11 and 12: the left landing light at OFF and ON, 13 and 14 the
// right one; 15 and 16: NOSE at OFF and ON, 17 and 18 RUNWAY; 19 and 20: the
// left and right landing lights at RETRACT.
constexpr int32_t kLandLeft = 2, kLandRight = 48, kLandTop = 56;
constexpr NumberedIcon kIcons[] = {
    {"NAV OFF", {11, 14}},
    {"NAV ON", {11, 14}},
    {"LOGO OFF", {47, 16}},
    {"LOGO ON", {47, 16}},
    {"BEACON OFF", {82, 14}},
    {"BEACON ON", {82, 14}},
    {"STROBE OFF", {118, 14}},
    {"STROBE ON", {118, 14}},
    {"WING OFF", {154, 14}},
    {"WING ON", {154, 14}},
    {"LAND left OFF", {kLandLeft, kLandTop}},
    {"LAND left ON", {kLandLeft, kLandTop}},
    {"LAND right OFF", {kLandRight, kLandTop}},
    {"LAND right ON", {kLandRight, kLandTop}},
    {"NOSE OFF", {95, 58}},
    {"NOSE ON", {95, 58}},
    {"RUNWAY OFF", {139, 58}},
    {"RUNWAY ON", {139, 58}},
    {"LAND left RETRACT", {kLandLeft, kLandTop}},
    {"LAND right RETRACT", {kLandRight, kLandTop}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

// --- Areas -------------------------------------------------------------------

// A two-position lever whose lower band stands a little to the left of its
// upper one, as the panel is seen: upper band ON, lower band OFF. The nose and
// runway levers work one switch; `Lever` gives each area a handler of its own.
template <auto Item, uint8_t Position, int Lever>
int32_t FSAPI move_lever(PIXPOINT*, uint32_t) {
    move_switch(self.*Item, Position);
    return 0;
}

template <auto Item, int Lever = 0>
constexpr std::array<AreaSpec, 2> lever(const char* on, PIXPOINT upper, const char* off, PIXPOINT lower) {
    return {area(on, {upper.x, upper.y, 33, 20}, CURSOR_UPARROW, move_lever<Item, 1, Lever>),
            area(off, {lower.x, lower.y, 33, 20}, CURSOR_DOWNARROW, move_lever<Item, 0, Lever>)};
}

// LAND up: from OFF to ON only; a switch at RETRACT must first come out to
// OFF.
int32_t FSAPI land_up(PIXPOINT*, uint32_t) {
    if (self.land == kLandOff) move_switch(self.land, kLandOn);
    return 0;
}

// LAND down to RETRACT: refused while the simulator's landing lights are on.
int32_t FSAPI land_retract(PIXPOINT*, uint32_t) {
    if (self.land != kLandRetract && host::value<kLandingToken>() != 1.0)
        move_switch(self.land, kLandRetract);
    return 0;
}

constexpr auto kAreas =
    join<AreaSpec>(lever<&State::nav>("NAV ON", {14, 14}, "NAV OFF", {11, 34}),
                   lever<&State::logo>("LOGO ON", {50, 16}, "LOGO OFF", {47, 34}),
                   lever<&State::beacon>("BEACON ON", {85, 14}, "BEACON OFF", {82, 34}),
                   lever<&State::strobe>("STROBE ON", {120, 14}, "STROBE OFF", {117, 34}),
                   lever<&State::wing>("WING ON", {157, 14}, "WING OFF", {154, 34}),
                   area("LAND ON", {6, 56, 88, 20}, CURSOR_UPARROW, land_up),
                   area("LAND OFF", {4, 76, 88, 17}, CURSOR_HAND, move_lever<&State::land, kLandOff, 0>),
                   area("LAND RETRACT", {2, 93, 88, 20}, CURSOR_DOWNARROW, land_retract),
                   lever<&State::nose_runway>("NOSE ON", {98, 58}, "NOSE OFF", {95, 78}),
                   lever<&State::nose_runway, 1>("RUNWAY ON", {142, 58}, "RUNWAY OFF", {139, 78}));

// --- Update ------------------------------------------------------------------

// The simulator's lights, read once an update.
struct HostLights {
    double panel, strobe, landing, beacon, taxi, nav, logo, wing, landing_extension;
};

HostLights read_host() {
    return {
        host::value<kPanelLightsToken>(), host::value<kStrobeToken>(), host::value<kLandingToken>(),
        host::value<kBeaconToken>(),      host::value<kTaxiToken>(),   host::value<kNavToken>(),
        host::value<kLogoToken>(),        host::value<kWingToken>(),   host::value<kLandingExtensionToken>()};
}

// A host light is off at exactly 0.0 and on at exactly 1.0; a reading that is
// neither (not a number, a value in between) is left alone.
bool is_off(double light) { return light == 0.0; }
bool is_on(double light) { return light == 1.0; }

// A light with one toggle event: toggled while it reads the other way.
void toggle_to(bool wanted, double light, uint32_t toggle) {
    if (wanted ? is_off(light) : is_on(light)) host::send_event(toggle);
}

// A light with an on and an off event.
void switch_to(bool wanted, double light, uint32_t on, uint32_t off) {
    if (wanted && is_off(light)) host::send_event(on);
    if (!wanted && is_on(light)) host::send_event(off);
}

// AC from a generator on line: an AC bus alive and some generator carrying
// load. The logo lights also take external power.
bool ac_available(const AircraftState& a) {
    const bool ac_bus = a.AcBus1Powered == 1 || a.AcBus2Powered == 1;
    const int64_t load = int64_t{a.Gen1Load} + a.Gen2Load + a.ApuGenLoad;
    return ac_bus && load != 0;
}
bool logo_power(const AircraftState& a) {
    const bool ac_bus = a.AcBus1Powered == 1 || a.AcBus2Powered == 1;
    const bool generator = a.Gen1Load != 0 || a.Gen2Load != 0 || a.ApuGenLoad != 0;
    return ac_bus && (generator || a.ExtPowerOnBus == 1);
}

void show_switches() {
    show_one_of(header, {1, 2}, self.nav == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, self.logo == 1 ? 1 : 0);
    show_one_of(header, {5, 6}, self.beacon == 1 ? 1 : 0);
    show_one_of(header, {7, 8}, self.strobe == 1 ? 1 : 0);
    show_one_of(header, {9, 10}, self.wing == 1 ? 1 : 0);
    const int land = self.land == kLandRetract ? 0
                     : self.land == kLandOff   ? 1
                     : self.land == kLandOn    ? 2
                                               : -1;
    show_one_of(header, {19, 11, 12}, land);
    show_one_of(header, {20, 13, 14}, land);
    show_one_of(header, {15, 16}, self.nose_runway == 1 ? 1 : 0);
    show_one_of(header, {17, 18}, self.nose_runway == 1 ? 1 : 0);
}

// The navigation lights bring the simulator's panel lights with them, and
// its cabin and recognition lights, which it switches with one toggle each.
void drive_nav(bool on, const HostLights& h) {
    switch_to(on, h.panel, kPanelLightsOn, kPanelLightsOff);
    if (on ? is_off(h.nav) : is_on(h.nav)) {
        host::send_event(kToggleNav);
        host::send_event(kToggleCabin);
        host::send_event(kToggleRecognition);
    }
}

void drive_landing_lights(bool ac, const HostLights& h) {
    const bool extended = ac && (self.land == kLandOn || self.land == kLandOff);
    switch_to(extended && self.land == kLandOn, h.landing, kLandingOn, kLandingOff);
    if (extended && is_off(h.landing_extension)) host::send_event(kLandingExtension, 1);
    if (!extended && is_on(h.landing_extension)) host::send_event(kLandingExtension, 0);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_switches();
    const HostLights h = read_host();
    const AircraftState& a = aircraft;
    const bool ac = ac_available(a);
    drive_nav(self.nav == 1 && a.DcEssBusPowered == 1, h);
    toggle_to(self.logo == 1 && logo_power(a), h.logo, kToggleLogo);
    toggle_to(self.beacon == 1 && ac, h.beacon, kToggleBeacon);
    toggle_to(self.wing == 1 && ac, h.wing, kToggleWing);
    toggle_to(self.nose_runway == 1 && ac, h.taxi, kToggleTaxi);
    switch_to(self.strobe == 1 && ac, h.strobe, kStrobesOn, kStrobesOff);
    drive_landing_lights(ac, h);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 194, callback);

}  // namespace kadrimos::gauges::ext_lt
