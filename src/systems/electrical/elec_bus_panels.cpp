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
#include "module/catalog.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/elements.h"
#include "panel/mouse.h"
#include "panel/switches.h"

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
constinit ELEMENT_ICON batt3_on = icon(header, kBitmap + 17, {81, 50}, no_children);
constinit ELEMENT_ICON batt3_norm = icon(header, kBitmap + 16, {81, 50}, next_of<batt3_on>);
constinit ELEMENT_ICON batt3_off = icon(header, kBitmap + 15, {81, 50}, next_of<batt3_norm>);
constinit ELEMENT_ICON batt2_on = icon(header, kBitmap + 14, {50, 50}, next_of<batt3_off>);
constinit ELEMENT_ICON batt2_norm = icon(header, kBitmap + 13, {50, 50}, next_of<batt2_on>);
constinit ELEMENT_ICON batt2_off = icon(header, kBitmap + 12, {50, 50}, next_of<batt2_norm>);
constinit ELEMENT_ICON batt1_on = icon(header, kBitmap + 11, {19, 50}, next_of<batt2_off>);
constinit ELEMENT_ICON batt1_norm = icon(header, kBitmap + 10, {19, 50}, next_of<batt1_on>);
constinit ELEMENT_ICON batt1_off = icon(header, kBitmap + 9, {19, 50}, next_of<batt1_norm>);
constinit ELEMENT_ICON bat_smoke = icon(header, kBitmap + 8, {116, 90}, next_of<batt1_off>);
constinit ELEMENT_ICON refuel_on_bat = icon(header, kBitmap + 7, {116, 52}, next_of<bat_smoke>);
constinit ELEMENT_ICON batt3_crossed = icon(header, kBitmap + 6, {84, 14}, next_of<refuel_on_bat>);
constinit ELEMENT_ICON batt3_inline = icon(header, kBitmap + 5, {92, 14}, next_of<batt3_crossed>);
constinit ELEMENT_ICON batt2_crossed = icon(header, kBitmap + 4, {53, 14}, next_of<batt3_inline>);
constinit ELEMENT_ICON batt2_inline = icon(header, kBitmap + 3, {61, 14}, next_of<batt2_crossed>);
constinit ELEMENT_ICON batt1_crossed = icon(header, kBitmap + 2, {22, 14}, next_of<batt2_inline>);
constinit ELEMENT_ICON batt1_inline = icon(header, kBitmap + 1, {30, 14}, next_of<batt1_crossed>);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBitmap, next_of<batt1_inline>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};

// Per battery, top to bottom: ON, NORM, OFF.
// clang-format off
constinit auto mouse = mouse_table(0, {
    area({19, 50, 31, 25},  CURSOR_UPARROW,   set_position<&AircraftState::Batt1Switch, kOn>),
    area({19, 75, 31, 25},  CURSOR_HAND,      set_position<&AircraftState::Batt1Switch, kNorm>),
    area({19, 100, 31, 25}, CURSOR_DOWNARROW, set_position<&AircraftState::Batt1Switch, kOff>),
    area({50, 50, 31, 25},  CURSOR_UPARROW,   set_position<&AircraftState::Batt2Switch, kOn>),
    area({50, 75, 31, 25},  CURSOR_HAND,      set_position<&AircraftState::Batt2Switch, kNorm>),
    area({50, 100, 31, 25}, CURSOR_DOWNARROW, set_position<&AircraftState::Batt2Switch, kOff>),
    area({81, 50, 31, 25},  CURSOR_UPARROW,   set_position<&AircraftState::Batt3Switch, kOn>),
    area({81, 75, 31, 25},  CURSOR_HAND,      set_position<&AircraftState::Batt3Switch, kNorm>),
    area({81, 100, 31, 25}, CURSOR_DOWNARROW, set_position<&AircraftState::Batt3Switch, kOff>),
});
// clang-format on

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

constinit GAUGEHDR header = gauge_header("toskelin elec_batt_rulo", 150, elements, mouse.rect, callback);

}  // namespace elec_batt

// --- DC bus panel -------------------------------------------------------------
namespace elec_dc_bus {
namespace {

constexpr uint32_t kBitmap = 5162;  // the background's; element k has kBitmap + k

// Elements 1 and 2: the DC tie flow bar in line and crossed; 3 to 10: the
// switches, lower (OFF RESET, SPLIT) then upper (ON, NORM) bitmap: TR 1, TR 2,
// ESS TR, DC TIE; 11 to 13: TR 1 OFF, TR 2 OFF, ESS TR OFF.
constinit ELEMENT_ICON ess_tr_off_light = icon(header, kBitmap + 13, {82, 18}, no_children);
constinit ELEMENT_ICON tr2_off_light = icon(header, kBitmap + 12, {155, 18}, next_of<ess_tr_off_light>);
constinit ELEMENT_ICON tr1_off_light = icon(header, kBitmap + 11, {15, 18}, next_of<tr2_off_light>);
constinit ELEMENT_ICON dc_tie_norm = icon(header, kBitmap + 10, {125, 0}, next_of<tr1_off_light>);
constinit ELEMENT_ICON dc_tie_split = icon(header, kBitmap + 9, {125, 0}, next_of<dc_tie_norm>);
constinit ELEMENT_ICON ess_tr_on = icon(header, kBitmap + 8, {79, 49}, next_of<dc_tie_split>);
constinit ELEMENT_ICON ess_tr_off = icon(header, kBitmap + 7, {79, 49}, next_of<ess_tr_on>);
constinit ELEMENT_ICON tr2_on = icon(header, kBitmap + 6, {155, 49}, next_of<ess_tr_off>);
constinit ELEMENT_ICON tr2_off = icon(header, kBitmap + 5, {155, 49}, next_of<tr2_on>);
constinit ELEMENT_ICON tr1_on = icon(header, kBitmap + 4, {12, 49}, next_of<tr2_off>);
constinit ELEMENT_ICON tr1_off = icon(header, kBitmap + 3, {12, 49}, next_of<tr1_on>);
constinit ELEMENT_ICON tie_crossed = icon(header, kBitmap + 2, {118, 130}, next_of<tr1_off>);
constinit ELEMENT_ICON tie_inline = icon(header, kBitmap + 1, {126, 130}, next_of<tie_crossed>);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBitmap, next_of<tie_inline>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};

// Each switch: upper half on (ON, NORM), lower half off (OFF RESET, SPLIT).
// clang-format off
constinit auto mouse = mouse_table(0, {
    area({12, 49, 39, 39},  CURSOR_UPARROW,   set_position<&AircraftState::Tr1Switch, 1>),
    area({12, 88, 39, 39},  CURSOR_DOWNARROW, set_position<&AircraftState::Tr1Switch, 0>),
    area({79, 49, 39, 39},  CURSOR_UPARROW,   set_position<&AircraftState::EssTrSwitch, 1>),
    area({79, 88, 39, 39},  CURSOR_DOWNARROW, set_position<&AircraftState::EssTrSwitch, 0>),
    area({155, 49, 30, 39}, CURSOR_UPARROW,   set_position<&AircraftState::Tr2Switch, 1>),
    area({155, 88, 30, 39}, CURSOR_DOWNARROW, set_position<&AircraftState::Tr2Switch, 0>),
    area({125, 0, 30, 39},  CURSOR_UPARROW,   set_position<&AircraftState::DcBusTieSwitch, 1>),
    area({125, 39, 30, 39}, CURSOR_DOWNARROW, set_position<&AircraftState::DcBusTieSwitch, 0>),
});
// clang-format on

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

constinit GAUGEHDR header = gauge_header("toskelin elec_dc_bus_rulo", 191, elements, mouse.rect, callback);

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
constinit ELEMENT_NEEDLE feed_knob =
    needle(header, kBitmap + 18, {{99, 95}, {6, 30}}, feed_selector, feed_knob_scale, no_children);
constinit ELEMENT_ICON ac_ess_off_light = icon(header, kBitmap + 17, {84, 4}, next_of<feed_knob>);
constinit ELEMENT_ICON ac_bus2_off_light = icon(header, kBitmap + 16, {150, 160}, next_of<ac_ess_off_light>);
constinit ELEMENT_ICON ac_bus1_off_light = icon(header, kBitmap + 15, {16, 160}, next_of<ac_bus2_off_light>);
constinit ELEMENT_ICON transf2_norm = icon(header, kBitmap + 14, {111, 192}, next_of<ac_bus1_off_light>);
constinit ELEMENT_ICON transf2_off = icon(header, kBitmap + 13, {111, 192}, next_of<transf2_norm>);
constinit ELEMENT_ICON transf1_norm = icon(header, kBitmap + 12, {55, 192}, next_of<transf2_off>);
constinit ELEMENT_ICON transf1_off = icon(header, kBitmap + 11, {55, 192}, next_of<transf1_norm>);
constinit ELEMENT_ICON line2_norm = icon(header, kBitmap + 10, {150, 192}, next_of<transf1_off>);
constinit ELEMENT_ICON line2_off = icon(header, kBitmap + 9, {150, 192}, next_of<line2_norm>);
constinit ELEMENT_ICON line1_norm = icon(header, kBitmap + 8, {16, 192}, next_of<line2_off>);
constinit ELEMENT_ICON line1_off = icon(header, kBitmap + 7, {16, 192}, next_of<line1_norm>);
constinit ELEMENT_ICON tie2_crossed = icon(header, kBitmap + 6, {104, 150}, next_of<line1_off>);
constinit ELEMENT_ICON tie2_inline = icon(header, kBitmap + 5, {112, 150}, next_of<tie2_crossed>);
constinit ELEMENT_ICON tie1_crossed = icon(header, kBitmap + 4, {60, 150}, next_of<tie2_inline>);
constinit ELEMENT_ICON tie1_inline = icon(header, kBitmap + 3, {68, 150}, next_of<tie1_crossed>);
constinit ELEMENT_ICON emergency_crossed = icon(header, kBitmap + 2, {170, 60}, next_of<tie1_inline>);
constinit ELEMENT_ICON emergency_inline = icon(header, kBitmap + 1, {178, 60}, next_of<emergency_crossed>);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBitmap, next_of<emergency_inline>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};

int32_t FSAPI feed_selector_left(PIXPOINT*, uint32_t) {
    step_down(aircraft.AcEssFeedSelector, uint8_t{1}, uint8_t{0});
    return 0;
}
int32_t FSAPI feed_selector_right(PIXPOINT*, uint32_t) {
    step_up(aircraft.AcEssFeedSelector, uint8_t{1}, kFeedLast);
    return 0;
}

// Each switch: upper row NORM, lower row OFF.
// clang-format off
constinit auto mouse = mouse_table(0, {
    area({16, 192, 31, 28},  CURSOR_UPARROW,   set_position<&AircraftState::Gen1BreakerSwitch, 1>),
    area({16, 220, 31, 28},  CURSOR_DOWNARROW, set_position<&AircraftState::Gen1BreakerSwitch, 0>),
    area({55, 192, 31, 28},  CURSOR_UPARROW,   set_position<&AircraftState::BusTie1Switch, 1>),
    area({55, 220, 31, 28},  CURSOR_DOWNARROW, set_position<&AircraftState::BusTie1Switch, 0>),
    area({111, 192, 31, 28}, CURSOR_UPARROW,   set_position<&AircraftState::BusTie2Switch, 1>),
    area({111, 220, 31, 28}, CURSOR_DOWNARROW, set_position<&AircraftState::BusTie2Switch, 0>),
    area({150, 192, 31, 28}, CURSOR_UPARROW,   set_position<&AircraftState::Gen2BreakerSwitch, 1>),
    area({150, 220, 31, 28}, CURSOR_DOWNARROW, set_position<&AircraftState::Gen2BreakerSwitch, 0>),
    area({29, 48, 70, 95},   CURSOR_DOWNARROW, feed_selector_left),
    area({99, 48, 70, 95},   CURSOR_UPARROW,   feed_selector_right),
});
// clang-format on

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

constinit GAUGEHDR header = gauge_header("toskelin elec_ac_bus_rulo", 195, elements, mouse.rect, callback);

}  // namespace elec_ac_bus

}  // namespace kadrimos::gauges
