// The meter selectors of the electrical panel: rotary knobs that choose what
// the voltmeters and the frequency meter read.
//
// "toskelin elec_sel_ind_dc_rulo": the DC meter selector, OFF, ESS BUS, TR 1,
// ESS TR, TR 2, BAT 1, BAT 2, BAT 3 (0 to 7), read by the DC voltmeter.
//
// "toskelin elec_sel_ind_ac_rulo": the AC phase selector, A, B, C (0 to 2),
// which only turns its knob, and the AC meter selector, OFF, EXT PWR,
// ESS BUS, EMRG BUS, BUS 1, BUS 2, GEN 1, GEN 2, APU GEN (0 to 8), read by the
// AC voltmeter and the frequency meter.
//
// Each knob is a needle that shows its selector; the left half of a knob
// turns it one position counter-clockwise, the right half one clockwise,
// silently, stopping at the end positions. Neither gauge has anything to do
// on an update.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"

KADRIMOS_GAUGE(elec_sel_ind_dc, "toskelin elec_sel_ind_dc_rulo")
KADRIMOS_GAUGE(elec_sel_ind_ac, "toskelin elec_sel_ind_ac_rulo")

namespace kadrimos::gauges {

// --- DC meter selector ----------------------------------------------------------
namespace elec_sel_ind_dc {
namespace {

constexpr uint32_t kBitmap = 5140;  // the background's; the knob has kBitmap + 1
constexpr uint8_t kLast = 7;        // BAT 3

double FSAPI knob(ELEMENT_HEADER*) { return clamp_write_back(aircraft.DcMeterSelector, uint8_t{0}, kLast); }

constinit NONLINEARITY knob_scale[] = {
    {{38, 51}, 0, 0}, {{35, 38}, 1, 0}, {{40, 26}, 2, 0}, {{51, 19}, 3, 0},
    {{63, 19}, 4, 0}, {{74, 26}, 5, 0}, {{79, 38}, 6, 0}, {{76, 51}, 7, 0},
};

// Element 1: the knob.
constexpr ElementSpec kElements[] = {
    background_spec(kBitmap),
    needle_spec("DC METER SELECTOR knob", kBitmap + 1, {{57, 40}, {5, 24}}, knob, knob_scale),
};

constexpr auto kAreas = stepping_selector<&AircraftState::DcMeterSelector, kLast>(
    {0, 0, 114, 62}, "DC METER selector left", "DC METER selector right");

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 120, values_and_mouse_only);

}  // namespace elec_sel_ind_dc

// --- AC phase and meter selectors -------------------------------------------------
namespace elec_sel_ind_ac {
namespace {

constexpr uint32_t kBitmap = 5158;  // the background's; element k has kBitmap + k
constexpr uint8_t kLastPhase = 2;   // C
constexpr uint8_t kLastMeter = 8;   // APU GEN

double FSAPI phase_knob(ELEMENT_HEADER*) {
    return clamp_write_back(aircraft.AcPhaseSelector, uint8_t{0}, kLastPhase);
}
double FSAPI meter_knob(ELEMENT_HEADER*) {
    return clamp_write_back(aircraft.AcMeterSelector, uint8_t{0}, kLastMeter);
}

constinit NONLINEARITY phase_knob_scale[] = {{{17, 27}, 0, 0}, {{33, 18}, 1, 0}, {{49, 27}, 2, 0}};
constinit NONLINEARITY meter_knob_scale[] = {
    {{82, 46}, 0, 0},  {{79, 36}, 1, 0},  {{82, 26}, 2, 0},  {{89, 19}, 3, 0},  {{99, 16}, 4, 0},
    {{109, 19}, 5, 0}, {{116, 26}, 6, 0}, {{119, 36}, 7, 0}, {{116, 46}, 8, 0},
};

// Element 1: the phase knob; 2: the meter knob.
constexpr ElementSpec kElements[] = {
    background_spec(kBitmap),
    needle_spec("AC PHASE SELECTOR knob", kBitmap + 1, {{33, 36}, {5, 20}}, phase_knob, phase_knob_scale),
    needle_spec("AC METER SELECTOR knob", kBitmap + 2, {{99, 36}, {5, 22}}, meter_knob, meter_knob_scale),
};

constexpr auto kAreas = area_list(stepping_selector<&AircraftState::AcPhaseSelector, kLastPhase>(
                                      {0, 0, 66, 66}, "AC PHASE selector left", "AC PHASE selector right"),
                                  stepping_selector<&AircraftState::AcMeterSelector, kLastMeter>(
                                      {66, 0, 66, 66}, "AC METER selector left", "AC METER selector right"));

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 146, values_and_mouse_only);

}  // namespace elec_sel_ind_ac

}  // namespace kadrimos::gauges
