// "toskelin lo_spd_ail_rulo": the low-speed aileron selector, the two supply
// lamps and the fault light.
//
// The low-speed ailerons work with the flaps out or on the ground, as long as
// any hydraulic system has pressure. Each supply lamp is fed by its own AC bus
// and shows whether the ailerons are active and selected in; the fault light
// comes on whenever the selector is away from its normal position.
//
// Inputs: the selector (private state), DcEssBusPowered, AcEssNormPowered
// (lamp 1), AcBus2Powered (lamp 2), HydStateBlue, HydStateGreen,
// HydStateYellow; host tokens 60 (on ground, exactly 1.0) and 328 (flap
// setting; a value that is not a finite number reads as flaps up).
// Outputs: LoSpdAilActive, LowSpeedAileronFault.
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
#include "panel/switches.h"
#include "systems/hydraulics/flight_controls_state.h"

KADRIMOS_GAUGE(lo_spd_ail, "toskelin lo_spd_ail_rulo")

namespace kadrimos::gauges::lo_spd_ail {
namespace {

constexpr uint8_t kNormal = 0;  // the middle position
constexpr uint8_t kUpper = 1;
constexpr uint8_t kLower = 2;  // the position that takes the lamps' active bitmaps away

constexpr double kFlapsOut = 1.0;   // token 328 at or above this
constexpr uint32_t kBitmap = 5320;  // the background's; element k has kBitmap + k

uint8_t& selector = private_state.flight_controls.LoSpdAilSelector;

// --- Elements ----------------------------------------------------------------

// Elements 1 to 3: the selector at 0 (middle), 1 (up) and 2 (down); 4 and 5:
// supply lamp 1 inactive and active; 6 and 7: supply lamp 2 inactive and
// active; 8: the fault light.
// clang-format off
constexpr NumberedIcon kIcons[] = {
    {"LO SPD AIL selector NORMAL", {16, 18}},
    {"LO SPD AIL selector up", {16, 18}},
    {"LO SPD AIL selector down", {16, 18}},
    {"LO SPD AIL supply 1 inactive", {70, 24}},
    {"LO SPD AIL supply 1 active", {70, 24}},
    {"LO SPD AIL supply 2 inactive", {120, 24}},
    {"LO SPD AIL supply 2 active", {120, 24}},
    {"LO SPD AIL FAULT light", {95, 96}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);
// clang-format on

constexpr int kLamp1Inactive = 4, kLamp1Active = 5, kLamp2Inactive = 6, kLamp2Active = 7, kFaultLight = 8;

// --- Mouse -------------------------------------------------------------------

template <uint8_t Position>
int32_t FSAPI set_selector(PIXPOINT*, uint32_t) {
    move_switch(selector, Position);
    return 0;
}

// The selector's upper, middle and lower parts.
// clang-format off
constexpr AreaSpec kAreas[] = {
    area("LO SPD AIL upper", {16, 18, 31, 20}, CURSOR_UPARROW,   set_selector<kUpper>),
    area("LO SPD AIL normal", {16, 38, 31, 28}, CURSOR_HAND,      set_selector<kNormal>),
    area("LO SPD AIL lower", {16, 66, 31, 20}, CURSOR_DOWNARROW, set_selector<kLower>),
};
// clang-format on

// --- Update ------------------------------------------------------------------

// A supply lamp: unsupplied, neither bitmap; supplied, one of the two.
void supply_lamp(int inactive, int active, bool supplied, bool lit) {
    set_visible(header, active, supplied && lit);
    set_visible(header, inactive, supplied && !lit);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    const bool flaps_out = finite_or(host::value<328>(), 0.0) >= kFlapsOut;
    const bool on_ground = host::value<60>() == 1.0;
    const bool hydraulics = a.HydStateBlue != 0 || a.HydStateGreen != 0 || a.HydStateYellow != 0;
    a.LoSpdAilActive = ((flaps_out || on_ground) && hydraulics) ? 1 : 0;

    const bool lit = a.LoSpdAilActive == 1 && selector != kLower;
    supply_lamp(kLamp1Inactive, kLamp1Active, a.AcEssNormPowered == 1, lit);
    supply_lamp(kLamp2Inactive, kLamp2Active, a.AcBus2Powered == 1, lit);
    show_one_of(header, {1, 2, 3}, selector);

    const bool fault = selector != kNormal && a.DcEssBusPowered == 1;
    set_visible(header, kFaultLight, fault);
    a.LowSpeedAileronFault = fault ? 1 : 0;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 172, callback);

}  // namespace kadrimos::gauges::lo_spd_ail
