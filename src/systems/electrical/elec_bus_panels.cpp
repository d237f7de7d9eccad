// The flight engineer's battery, DC bus and AC bus panels.
//
// Their switches write the items the network solver reads at its next run;
// their callbacks draw the switches, the flow bars of the mimic diagram and
// the OFF lights from the solver's last results.
//
// "toskelin elec_batt_rulo": three battery switches, each OFF / NORM / ON.
// In NORM a battery is connected only while it carries current; ON connects
// it outright. Over each switch a flow bar: in line while the battery is
// connected to the DC essential bus, crossed while it is not.
//
// "toskelin elec_dc_bus_rulo": the three transformer-rectifier switches
// (ON / OFF RESET), the DC bus tie (NORM / SPLIT), the TR OFF lights and the
// flow bar between the DC normal and DC essential buses.
//
// "toskelin elec_ac_bus_rulo": the generator line contactors (LINE 1,
// LINE 2), the bus ties (TRANSF 1, TRANSF 2), the AC essential bus feed
// selector (GEN 2, GEN 1, NORM, APU GEN, EMRG INV), the AC BUS OFF lights and
// the mimic's tie and emergency inverter bars.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"

KADRIMOS_GAUGE(elec_batt, "toskelin elec_batt_rulo")
KADRIMOS_GAUGE(elec_dc_bus, "toskelin elec_dc_bus_rulo")
KADRIMOS_GAUGE(elec_ac_bus, "toskelin elec_ac_bus_rulo")

namespace kadrimos::gauges {

// --- Battery panel ------------------------------------------------------------
namespace elec_batt {
namespace {

constexpr uint32_t kBitmap = 5120;  // the background's; element k has kBitmap + k

// Battery switch positions.
constexpr uint8_t kOff = 0;
constexpr uint8_t kNorm = 1;
constexpr uint8_t kOn = 2;

// Elements 1 to 6: battery k's flow bar in line (2k - 1) and crossed (2k);
// 7 REFUEL ON BAT and 8 BAT SMOKE, never lit here; 9 to 17: the three
// switches, each OFF, NORM, ON.
constexpr NumberedIcon kIcons[] = {
    {"BAT 1 bar in line", {30, 14}}, {"BAT 1 bar crossed", {22, 14}}, {"BAT 2 bar in line", {61, 14}},
    {"BAT 2 bar crossed", {53, 14}}, {"BAT 3 bar in line", {92, 14}}, {"BAT 3 bar crossed", {84, 14}},
    {"REFUEL ON BAT", {116, 52}},    {"BAT SMOKE", {116, 90}},        {"BAT 1 OFF", {19, 50}},
    {"BAT 1 NORM", {19, 50}},        {"BAT 1 ON", {19, 50}},          {"BAT 2 OFF", {50, 50}},
    {"BAT 2 NORM", {50, 50}},        {"BAT 2 ON", {50, 50}},          {"BAT 3 OFF", {81, 50}},
    {"BAT 3 NORM", {81, 50}},        {"BAT 3 ON", {81, 50}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

// Per battery, top to bottom: ON, NORM, OFF.
constexpr auto kAreas = area_list(position_switch<&AircraftState::Batt1Switch, kOn, kNorm, kOff>(
                                      {19, 50, 31, 75}, {"BAT 1 ON", "BAT 1 NORM", "BAT 1 OFF"}),
                                  position_switch<&AircraftState::Batt2Switch, kOn, kNorm, kOff>(
                                      {50, 50, 31, 75}, {"BAT 2 ON", "BAT 2 NORM", "BAT 2 OFF"}),
                                  position_switch<&AircraftState::Batt3Switch, kOn, kNorm, kOff>(
                                      {81, 50, 31, 75}, {"BAT 3 ON", "BAT 3 NORM", "BAT 3 OFF"}));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const uint8_t switches[3] = {aircraft.Batt1Switch, aircraft.Batt2Switch, aircraft.Batt3Switch};
    const uint8_t connected[3] = {aircraft.Batt1Connected, aircraft.Batt2Connected, aircraft.Batt3Connected};
    const bool dc_ess = aircraft.DcEssBusPowered == 1;
    for (int k = 1; k <= 3; ++k) {
        // The bar shows how the battery stands to a live DC essential bus.
        set_visible(header, 2 * k - 1, dc_ess && connected[k - 1] == 1);
        set_visible(header, 2 * k, dc_ess && connected[k - 1] != 1);
        const int off = 6 + 3 * k;
        show_one_of(header, {off, off + 1, off + 2}, switches[k - 1]);
    }
    // Refuelling on battery and battery smoke are not simulated.
    set_visible(header, 7, false);
    set_visible(header, 8, false);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 150, callback);

}  // namespace elec_batt

// --- DC bus panel -------------------------------------------------------------
namespace elec_dc_bus {
namespace {

constexpr uint32_t kBitmap = 5162;  // the background's; element k has kBitmap + k

// Elements 1 and 2: the DC tie flow bar in line and crossed; 3 to 10: the
// switches, lower (OFF RESET, SPLIT) then upper (ON, NORM) bitmap: TR 1, TR 2,
// ESS TR, DC TIE; 11 to 13: TR 1 OFF, TR 2 OFF, ESS TR OFF.
constexpr NumberedIcon kIcons[] = {
    {"DC TIE bar in line", {126, 130}}, {"DC TIE bar crossed", {118, 130}},
    {"TR 1 OFF RESET", {12, 49}},       {"TR 1 ON", {12, 49}},
    {"TR 2 OFF RESET", {155, 49}},      {"TR 2 ON", {155, 49}},
    {"ESS TR OFF RESET", {79, 49}},     {"ESS TR ON", {79, 49}},
    {"DC TIE SPLIT", {125, 0}},         {"DC TIE NORM", {125, 0}},
    {"TR 1 OFF light", {15, 18}},       {"TR 2 OFF light", {155, 18}},
    {"ESS TR OFF light", {82, 18}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

// Each switch: upper half on (ON, NORM), lower half off (OFF RESET, SPLIT).
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::Tr1Switch>({12, 49, 39, 78}, "TR 1 ON", "TR 1 OFF RESET"),
    toggle<&AircraftState::EssTrSwitch>({79, 49, 39, 78}, "ESS TR ON", "ESS TR OFF RESET"),
    toggle<&AircraftState::Tr2Switch>({155, 49, 30, 78}, "TR 2 ON", "TR 2 OFF RESET"),
    toggle<&AircraftState::DcBusTieSwitch>({125, 0, 30, 78}, "DC TIE NORM", "DC TIE SPLIT"),
};
constexpr auto kAreas = toggle_areas(kSwitches);

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {3, 4}, aircraft.Tr1Switch);
    show_one_of(header, {5, 6}, aircraft.Tr2Switch);
    show_one_of(header, {7, 8}, aircraft.EssTrSwitch);
    show_one_of(header, {9, 10}, aircraft.DcBusTieSwitch);

    // The DC essential bus fed through the tie from the DC normal buses.
    const bool dc_ess = aircraft.DcEssBusPowered == 1;
    const bool through_tie = aircraft.DcBusTieSwitch == 1 && aircraft.DcEssFromNormBus == 1;
    set_visible(header, 1, dc_ess && through_tie);
    set_visible(header, 2, dc_ess && !through_tie);

    // A TR OFF light: the TR is not delivering.
    light(header, 11, dc_ess, aircraft.Tr1On == 0);
    light(header, 12, dc_ess, aircraft.Tr2On == 0);
    light(header, 13, dc_ess, aircraft.EssTrOn == 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 191, callback);

}  // namespace elec_dc_bus

// --- AC bus panel -------------------------------------------------------------
namespace elec_ac_bus {
namespace {

constexpr uint32_t kBitmap = 5178;  // the background's; element k has kBitmap + k

// AC essential bus feed selector positions, counter-clockwise to clockwise.
constexpr uint8_t kFeedLast = 4;  // EMRG INV

double FSAPI feed_selector(ELEMENT_HEADER*) {
    return clamp_write_back(aircraft.AcEssFeedSelector, uint8_t{0}, kFeedLast);
}

// The knob's five positions: GEN 2, GEN 1, NORM, APU GEN, EMRG INV.
constinit NONLINEARITY feed_knob_scale[] = {
    {{73, 80}, 0, 0}, {{84, 69}, 1, 0}, {{99, 65}, 2, 0}, {{114, 69}, 3, 0}, {{125, 80}, 4, 0},
};

// Elements 1 and 2: the emergency inverter bar in line and crossed; 3 to 6:
// tie 1 and tie 2 bars, each in line then crossed; 7 to 14: the switches,
// lower (OFF) then upper (NORM) bitmap: LINE 1, LINE 2, TRANSF 1, TRANSF 2;
// 15 to 17: AC BUS 1 OFF, AC BUS 2 OFF, AC ESS BUS OFF; 18: the feed
// selector knob.
constexpr ElementSpec kElements[] = {
    background_spec(kBitmap),
    icon_spec("EMRG INV bar in line", kBitmap + 1, {178, 60}),
    icon_spec("EMRG INV bar crossed", kBitmap + 2, {170, 60}),
    icon_spec("TRANSF 1 bar in line", kBitmap + 3, {68, 150}),
    icon_spec("TRANSF 1 bar crossed", kBitmap + 4, {60, 150}),
    icon_spec("TRANSF 2 bar in line", kBitmap + 5, {112, 150}),
    icon_spec("TRANSF 2 bar crossed", kBitmap + 6, {104, 150}),
    icon_spec("LINE 1 OFF", kBitmap + 7, {16, 192}),
    icon_spec("LINE 1 NORM", kBitmap + 8, {16, 192}),
    icon_spec("LINE 2 OFF", kBitmap + 9, {150, 192}),
    icon_spec("LINE 2 NORM", kBitmap + 10, {150, 192}),
    icon_spec("TRANSF 1 OFF", kBitmap + 11, {55, 192}),
    icon_spec("TRANSF 1 NORM", kBitmap + 12, {55, 192}),
    icon_spec("TRANSF 2 OFF", kBitmap + 13, {111, 192}),
    icon_spec("TRANSF 2 NORM", kBitmap + 14, {111, 192}),
    icon_spec("AC BUS 1 OFF light", kBitmap + 15, {16, 160}),
    icon_spec("AC BUS 2 OFF light", kBitmap + 16, {150, 160}),
    icon_spec("AC ESS BUS OFF light", kBitmap + 17, {84, 4}),
    needle_spec("AC ESS FEED selector", kBitmap + 18, {{99, 95}, {6, 30}}, feed_selector, feed_knob_scale),
};

// Each switch: upper row NORM, lower row OFF; then the feed selector's halves.
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::Gen1BreakerSwitch>({16, 192, 31, 56}, "LINE 1 NORM", "LINE 1 OFF"),
    toggle<&AircraftState::BusTie1Switch>({55, 192, 31, 56}, "TRANSF 1 NORM", "TRANSF 1 OFF"),
    toggle<&AircraftState::BusTie2Switch>({111, 192, 31, 56}, "TRANSF 2 NORM", "TRANSF 2 OFF"),
    toggle<&AircraftState::Gen2BreakerSwitch>({150, 192, 31, 56}, "LINE 2 NORM", "LINE 2 OFF"),
};
constexpr auto kAreas =
    area_list(toggle_areas(kSwitches), stepping_selector<&AircraftState::AcEssFeedSelector, kFeedLast>(
                                           {29, 48, 140, 95}, "AC ESS FEED left", "AC ESS FEED right"));

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_one_of(header, {7, 8}, aircraft.Gen1BreakerSwitch);
    show_one_of(header, {9, 10}, aircraft.Gen2BreakerSwitch);
    show_one_of(header, {11, 12}, aircraft.BusTie1Switch);
    show_one_of(header, {13, 14}, aircraft.BusTie2Switch);

    // The OFF lights are fed from the DC side; a lit one is an AC fault.
    const bool dc_norm = aircraft.DcNormBusPowered == 1;
    const bool dc_ess = aircraft.DcEssBusPowered == 1;
    const bool bus1_off = dc_norm && aircraft.AcBus1Powered == 0;
    const bool bus2_off = dc_norm && aircraft.AcBus2Powered == 0;
    const bool ess_off = dc_ess && aircraft.AcEssNormPowered == 0;
    set_visible(header, 15, bus1_off);
    set_visible(header, 16, bus2_off);
    set_visible(header, 17, ess_off);
    if (bus1_off || bus2_off || ess_off) aircraft.ElecAcFault = 1;

    set_visible(header, 3, dc_norm && aircraft.BusTie1Closed == 1);
    set_visible(header, 4, dc_norm && aircraft.BusTie1Closed != 1);
    set_visible(header, 5, dc_norm && aircraft.BusTie2Closed == 1);
    set_visible(header, 6, dc_norm && aircraft.BusTie2Closed != 1);
    set_visible(header, 1, dc_ess && aircraft.AcEssInvPowered == 1);
    set_visible(header, 2, dc_ess && aircraft.AcEssInvPowered != 1);
    set_visible(header, 18, true);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 195, callback);

}  // namespace elec_ac_bus

}  // namespace kadrimos::gauges
