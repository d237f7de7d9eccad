// "toskelin elec_ext_pwr_rulo": the external power panel.
//
// The EXT PWR button calls a ground power unit, or sends it away: on the
// ground, at rest and with at most one engine turning, each press makes
// external power available (AVAIL lit, message EXT PWR AVAIL) or takes it
// away (the disconnection message). Pressed anywhere else it brings up
// NO EXT PWR. Once available, the EXT PWR switch puts it on the buses (EXT
// PWR ON lit). External power drops, and its switch with it, as soon as the
// aircraft leaves the ground, moves or has both engines turning. Each
// message stays up for 36 ticks (2 s).
//
// Two more switches set how much the batteries must carry: AC LAND (NORM /
// LAND) and ESS BUS LOAD (NORM / MIN). They give the battery load level that
// the network solver discharges at, and with it whether the two instrument
// buses are fed.
//
// Inputs: the three switches, the button's request, AcEssNormPowered,
// AcBus2Powered; tokens 625 and 644 (engine rotor speeds, percent), 60
// (exactly 1.0 on the ground), 551 and 552 (their sum above 6: the aircraft
// moves), 1 (ticks).
// Outputs: ExtPowerAvailable, ExtPowerOnBus, ExtPowerSwitch (dropped),
// BattLoadLevel, InstrBus1Powered, InstrBus2Powered, InstrBusFault.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/electrical/elec_panel_ticks.h"

KADRIMOS_GAUGE(elec_ext_pwr, "toskelin elec_ext_pwr_rulo")

namespace kadrimos::gauges::elec_ext_pwr {
namespace {

constexpr uint32_t kBitmap = 5144;  // the background's; element k has kBitmap + k

constexpr double kMessageTicks = 36;
constexpr int kFirstMessageElement = 9;  // message m is element 8 + m

// Where a ground unit can be plugged in.
constexpr double kEngineTurningPercent = 20.0;
constexpr double kMovingSum = 6.0;

// AC LAND and ESS BUS LOAD positions.
constexpr uint8_t kAcLandNorm = 0;
constexpr uint8_t kAcLandLand = 1;
constexpr uint8_t kEssLoadMin = 0;
constexpr uint8_t kEssLoadNorm = 1;

// Battery load levels.
constexpr uint8_t kLoadLow = 0;
constexpr uint8_t kLoadLand = 1;
constexpr uint8_t kLoadFull = 2;

electrical::ExtPowerPanelState& self = private_state.elec_panel.ext_power;

int32_t FSAPI ext_pwr_button(PIXPOINT*, uint32_t) {
    request(self.request);
    return 0;
}

// Elements 1 AVAIL and 2 EXT PWR ON (the button's lights); 3 to 8: the
// switches, lower then upper bitmap: EXT PWR (OFF, ON), AC LAND (LAND, NORM),
// ESS BUS LOAD (MIN, NORM); 9 to 11: the messages EXT PWR AVAIL,
// disconnection, NO EXT PWR. Areas: the switches, upper then lower half, and
// the button.
constexpr NumberedIcon kButtonLights[] = {
    {"AVAIL light", {98, 8}},
    {"EXT PWR ON light", {98, 30}},
};
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::ExtPowerSwitch>({56, 0, 31, 64}, "EXT PWR ON", "EXT PWR OFF"),
    toggle<&AircraftState::AcLandSwitch, kAcLandNorm, kAcLandLand>({17, 58, 31, 64}, "AC LAND NORM",
                                                                   "AC LAND LAND"),
    toggle<&AircraftState::EssBusLoadSwitch, kEssLoadNorm, kEssLoadMin>({93, 58, 31, 64}, "ESS BUS LOAD NORM",
                                                                        "ESS BUS LOAD MIN"),
};
constexpr NumberedIcon kMessages[] = {
    {"EXT PWR AVAIL message", {2, 100}},
    {"EXT PWR disconnected message", {2, 100}},
    {"NO EXT PWR message", {2, 100}},
};
constexpr auto kElements =
    numbered_elements(kBitmap, join<NumberedIcon>(kButtonLights, toggle_icons(kSwitches), kMessages));
constexpr auto kAreas =
    area_list(toggle_areas(kSwitches), area("EXT PWR button", {92, 4, 57, 51}, CURSOR_HAND, ext_pwr_button));

// On the ground, at rest, and not both engines turning. A value that is not
// a number fails its comparison: external power is never connected on a
// reading nobody can make (one engine read stopped is enough, though, to know
// that not both are turning).
bool ground_unit_may_be_plugged_in() {
    const double engine1 = host::value<625>();
    const double engine2 = host::value<644>();
    const double on_ground = host::value<60>();
    const double speed_a = host::value<551>();
    const double speed_b = host::value<552>();
    return on_ground == 1.0 && (engine1 < kEngineTurningPercent || engine2 < kEngineTurningPercent) &&
           speed_a + speed_b <= kMovingSum;
}

void handle_button(bool may) {
    if (may) {
        if (self.request) {
            const bool was_available = aircraft.ExtPowerAvailable == 1;
            aircraft.ExtPowerAvailable = was_available ? 0 : 1;
            self.message = was_available ? electrical::kExtPowerDisconnected : electrical::kExtPowerAvailable;
        }
    } else {
        if (self.request) self.message = electrical::kNoExtPower;
        aircraft.ExtPowerAvailable = 0;
    }
    self.request = 0;
}

// Each message shows from when it becomes the current one until its time is
// up. A message whose time runs out after another has replaced it leaves the
// newer one alone.
void run_messages() {
    const double now = electrical::current_tick();
    for (int m = 1; m <= electrical::kExtPowerMessageCount; ++m) {
        timing::Deadline& timer = self.timers[m - 1];
        if (self.message == m && !timing::is_set(timer)) {
            timing::set_for(timer, now, kMessageTicks);
        } else if (timing::due(timer, now)) {
            timing::clear(timer);
            if (self.message == m) self.message = electrical::kNoMessage;
        }
        set_visible(header, kFirstMessageElement + m - 1, self.message == m && timing::is_set(timer));
    }
}

// The instrument buses are fed only at the full battery load level; one that
// is not then raises the instrument bus fault, one that is clears it.
void feed_instrument_bus(uint8_t& powered, bool source) {
    powered = aircraft.BattLoadLevel == kLoadFull && source ? 1 : 0;
    if (powered == 1)
        aircraft.InstrBusFault = 0;
    else if (aircraft.BattLoadLevel == kLoadFull)
        aircraft.InstrBusFault = 1;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {3, 4}, aircraft.ExtPowerSwitch == 1 ? 1 : 0);
    show_one_of(header, {5, 6}, aircraft.AcLandSwitch == kAcLandNorm ? 1 : 0);
    show_one_of(header, {7, 8}, aircraft.EssBusLoadSwitch == kEssLoadNorm ? 1 : 0);

    handle_button(ground_unit_may_be_plugged_in());
    if (aircraft.ExtPowerAvailable == 1) {
        aircraft.ExtPowerOnBus = aircraft.ExtPowerSwitch == 1 ? 1 : 0;
    } else {
        aircraft.ExtPowerOnBus = 0;
        aircraft.ExtPowerSwitch = 0;
    }
    set_visible(header, 1, aircraft.ExtPowerAvailable == 1);
    set_visible(header, 2, aircraft.ExtPowerOnBus == 1);
    run_messages();

    aircraft.BattLoadLevel = aircraft.EssBusLoadSwitch == kEssLoadNorm ? kLoadFull
                             : aircraft.AcLandSwitch == kAcLandLand    ? kLoadLand
                                                                       : kLoadLow;
    feed_instrument_bus(aircraft.InstrBus1Powered, aircraft.AcEssNormPowered == 1);
    feed_instrument_bus(aircraft.InstrBus2Powered, aircraft.AcBus2Powered == 1);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 151, callback);

}  // namespace kadrimos::gauges::elec_ext_pwr
