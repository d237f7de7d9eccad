// The electrical panel's seven meters.
//
// "toskelin elec_ind_dc_v_rulo"       DC volts, 0 to 35, source by the DC meter selector
// "toskelin elec_ind_dc_amps_rulo"    battery amperes, -300 to 300
// "toskelin elec_ind_ac_v_rulo"       AC volts, 0 to 130, source by the AC meter selector
// "toskelin elec_ind_ac_frq_rulo"     AC frequency, -300 to 300 about nominal (0), same source
// "toskelin elec_ind_ac_load1_rulo"   GEN 1 load, 0 to 200 percent
// "toskelin elec_ind_ac_load2_rulo"   GEN 2 load
// "toskelin elec_ind_ac_loadapu_rulo" APU GEN load
//
// The voltmeters and the frequency meter are driven: their needle moves one
// step per update, in the gauge's own update, toward what the selected source
// delivers, and falls back when it delivers nothing. The ammeter and the load
// meters show the network solver's values as they are, computed when drawn;
// their gauges have nothing to do on an update. A load meter shows a fixed
// test load while its generator is held in TEST.
//
// Every needle limits its value to its scale and writes the limit back.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/needle_dial.h"

KADRIMOS_GAUGE(elec_ind_dc_v, "toskelin elec_ind_dc_v_rulo")
KADRIMOS_GAUGE(elec_ind_dc_amps, "toskelin elec_ind_dc_amps_rulo")
KADRIMOS_GAUGE(elec_ind_ac_v, "toskelin elec_ind_ac_v_rulo")
KADRIMOS_GAUGE(elec_ind_ac_frq, "toskelin elec_ind_ac_frq_rulo")
KADRIMOS_GAUGE(elec_ind_ac_load1, "toskelin elec_ind_ac_load1_rulo")
KADRIMOS_GAUGE(elec_ind_ac_load2, "toskelin elec_ind_ac_load2_rulo")
KADRIMOS_GAUGE(elec_ind_ac_loadapu, "toskelin elec_ind_ac_loadapu_rulo")

namespace kadrimos::gauges {
namespace {

electrical::ElectricalMeterState& meters = private_state.elec_panel.meters;

// Needle placement shared by the seven dials: pivot on the dial, and the
// pivot within the needle bitmap.
constexpr Placement kDialNeedle = {{37, 34}, {3, 24}};

// One step toward a live source's value, never past it; from above the
// value, the needle drops onto it at once.
int32_t rise(int32_t value, int32_t target, int32_t step) {
    return value > target - step ? target : value + step;
}
// One step toward 0 when the source is dead.
int32_t fall(int32_t value, int32_t step) { return value < step ? 0 : value - step; }

// Whether the source chosen on the AC meter selector delivers: a bus, or a
// generator on line or held in TEST.
bool ac_source_live() {
    const AircraftState& a = aircraft;
    switch (a.AcMeterSelector) {
        case 1:  // EXT PWR
            return a.ExtPowerOnBus == 1;
        case 2:  // ESS BUS
            return a.AcEssNormPowered == 1;
        case 3:  // EMRG BUS
            return a.AcEssBusPowered == 1;
        case 4:  // BUS 1
            return a.AcBus1Powered == 1;
        case 5:  // BUS 2
            return a.AcBus2Powered == 1;
        case 6:  // GEN 1
            return a.Gen1Load >= 50 || a.Gen1Switch >= 2;
        case 7:  // GEN 2
            return a.Gen2Load >= 50 || a.Gen2Switch >= 2;
        case 8:  // APU GEN
            return a.ApuGenLoad >= 50 || a.ApuGenSwitch >= 2;
        default:  // OFF
            return false;
    }
}

// What a load meter shows: the generator's load, or the test load while its
// switch is held in TEST.
double load_reading(int32_t& load, uint8_t generator_switch) {
    if (generator_switch >= 2) return clamp_write_back(meters.test_load, 0, 200);
    return clamp_write_back(load, 0, 200);
}

// A meter whose dial's bitmap is `bitmap` and its needle's `bitmap + 1`.
template <std::size_t Points>
constexpr NeedleMeterRow meter(uint32_t bitmap, const char* needle_label, ELEMENT_VALUE_CALLBACK value,
                               NONLINEARITY (&scale)[Points], GAUGE_CALLBACK callback) {
    return {bitmap, needle_spec(needle_label, bitmap + 1, kDialNeedle, value, scale), 75, callback};
}

}  // namespace

// --- DC voltmeter -----------------------------------------------------------------
namespace elec_ind_dc_v {
namespace {

constexpr int32_t kSourceVolts = 28;
constexpr int32_t kDischargingBatteryVolts = 24;

struct DcSource {
    bool live;
    int32_t volts;
};

// The source chosen on the DC meter selector. The three battery positions
// read the batteries' shared bus: 24 V while they discharge, 28 V otherwise.
DcSource dc_source() {
    const AircraftState& a = aircraft;
    switch (a.DcMeterSelector) {
        case 1:  // ESS BUS
            return {a.DcEssBusPowered == 1, kSourceVolts};
        case 2:  // TR 1
            return {a.Tr1On == 1, kSourceVolts};
        case 3:  // ESS TR
            return {a.EssTrOn == 1, kSourceVolts};
        case 4:  // TR 2
            return {a.Tr2On == 1, kSourceVolts};
        case 5:  // BAT 1
        case 6:  // BAT 2
        case 7:  // BAT 3
            return {a.BattSwitchedOn == 1, a.BattCurrent < 0 ? kDischargingBatteryVolts : kSourceVolts};
        default:  // OFF
            return {false, 0};
    }
}

double FSAPI volts(ELEMENT_HEADER*) { return clamp_write_back(meters.dc_volts, 0, 35); }

constinit NONLINEARITY scale[] = {
    {{19, 52}, 0, 0},  {{11, 30}, 15, 0}, {{25, 11}, 20, 0},
    {{49, 11}, 25, 0}, {{63, 30}, 30, 0}, {{55, 52}, 35, 0},
};

void FSAPI callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const int32_t step = meters.dc_volts < 15 ? 4 : 2;
    const DcSource source = dc_source();
    meters.dc_volts = source.live ? rise(meters.dc_volts, source.volts, step) : fall(meters.dc_volts, step);
    if (gauge != nullptr) set_visible(*gauge, 1, true);
}

}  // namespace

}  // namespace elec_ind_dc_v

// --- DC ammeter -------------------------------------------------------------------
namespace elec_ind_dc_amps {
namespace {

double FSAPI amperes(ELEMENT_HEADER*) { return clamp_write_back(aircraft.BattCurrent, -300, 300); }

constinit NONLINEARITY scale[] = {
    {{19, 52}, -300, 0}, {{11, 34}, -200, 0}, {{19, 16}, -100, 0}, {{37, 8}, 0, 0},
    {{55, 16}, 100, 0},  {{63, 34}, 200, 0},  {{55, 52}, 300, 0},
};

}  // namespace

}  // namespace elec_ind_dc_amps

// --- AC voltmeter -----------------------------------------------------------------
namespace elec_ind_ac_v {
namespace {

constexpr int32_t kSourceVolts = 115;

double FSAPI volts(ELEMENT_HEADER*) { return clamp_write_back(meters.ac_volts, 0, 130); }

constinit NONLINEARITY scale[] = {
    {{19, 52}, 0, 0}, {{13, 24}, 100, 0}, {{37, 8}, 110, 0}, {{61, 24}, 120, 0}, {{55, 52}, 130, 0},
};

void FSAPI callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const int32_t step = meters.ac_volts < 100 ? 10 : 2;
    meters.ac_volts =
        ac_source_live() ? rise(meters.ac_volts, kSourceVolts, step) : fall(meters.ac_volts, step);
    if (gauge != nullptr) set_visible(*gauge, 1, true);
}

}  // namespace

}  // namespace elec_ind_ac_v

// --- AC frequency meter -----------------------------------------------------------
namespace elec_ind_ac_frq {
namespace {

constexpr int32_t kStep = 20;
constexpr int32_t kBottom = -300;

double FSAPI frequency(ELEMENT_HEADER*) { return clamp_write_back(meters.ac_frequency, kBottom, 300); }

constinit NONLINEARITY scale[] = {
    {{19, 52}, -300, 0}, {{11, 34}, -200, 0}, {{19, 16}, -100, 0}, {{37, 8}, 0, 0},
    {{55, 16}, 100, 0},  {{63, 34}, 200, 0},  {{55, 52}, 300, 0},
};

// Live, the needle climbs to nominal (0); dead, it sinks to the bottom stop.
void FSAPI callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    int32_t& f = meters.ac_frequency;
    if (ac_source_live())
        f = f > -kStep ? 0 : f + kStep;
    else
        f = f < kBottom + kStep ? kBottom : f - kStep;
    if (gauge != nullptr) set_visible(*gauge, 1, true);
}

}  // namespace

}  // namespace elec_ind_ac_frq

// --- Load meters ------------------------------------------------------------------

namespace {
constinit NONLINEARITY load_scale[] = {
    {{19, 52}, 0, 0}, {{13, 24}, 50, 0}, {{37, 8}, 100, 0}, {{61, 24}, 150, 0}, {{55, 52}, 200, 0},
};
}  // namespace

namespace elec_ind_ac_load1 {
namespace {

double FSAPI load(ELEMENT_HEADER*) { return load_reading(aircraft.Gen1Load, aircraft.Gen1Switch); }

}  // namespace

}  // namespace elec_ind_ac_load1

namespace elec_ind_ac_load2 {
namespace {

double FSAPI load(ELEMENT_HEADER*) { return load_reading(aircraft.Gen2Load, aircraft.Gen2Switch); }

}  // namespace

}  // namespace elec_ind_ac_load2

namespace elec_ind_ac_loadapu {
namespace {

// The APU meter shows the share of the APU generator's output that reaches
// the buses through the ties.
double FSAPI load(ELEMENT_HEADER*) { return load_reading(aircraft.ApuGenLoadMeter, aircraft.ApuGenSwitch); }

}  // namespace

}  // namespace elec_ind_ac_loadapu

// --- The seven meters -----------------------------------------------------------
namespace {

// clang-format off
constexpr NeedleMeterRow kMeters[] = {
    meter(5212, "DC VOLTS needle",     elec_ind_dc_v::volts,       elec_ind_dc_v::scale,    elec_ind_dc_v::callback),
    meter(5214, "DC AMPS needle",      elec_ind_dc_amps::amperes,  elec_ind_dc_amps::scale, values_and_mouse_only),
    meter(5216, "AC VOLTS needle",     elec_ind_ac_v::volts,       elec_ind_ac_v::scale,    elec_ind_ac_v::callback),
    meter(5218, "AC FREQ needle",      elec_ind_ac_frq::frequency, elec_ind_ac_frq::scale,  elec_ind_ac_frq::callback),
    meter(5220, "GEN 1 LOAD needle",   elec_ind_ac_load1::load,    load_scale,              values_and_mouse_only),
    meter(5222, "GEN 2 LOAD needle",   elec_ind_ac_load2::load,    load_scale,              values_and_mouse_only),
    meter(5224, "APU GEN LOAD needle", elec_ind_ac_loadapu::load,  load_scale,              values_and_mouse_only),
};
// clang-format on

}  // namespace

}  // namespace kadrimos::gauges

KADRIMOS_FAMILY_GAUGE(elec_ind_dc_v, NeedleMeters<kMeters>::Gauge, 0)
KADRIMOS_FAMILY_GAUGE(elec_ind_dc_amps, NeedleMeters<kMeters>::Gauge, 1)
KADRIMOS_FAMILY_GAUGE(elec_ind_ac_v, NeedleMeters<kMeters>::Gauge, 2)
KADRIMOS_FAMILY_GAUGE(elec_ind_ac_frq, NeedleMeters<kMeters>::Gauge, 3)
KADRIMOS_FAMILY_GAUGE(elec_ind_ac_load1, NeedleMeters<kMeters>::Gauge, 4)
KADRIMOS_FAMILY_GAUGE(elec_ind_ac_load2, NeedleMeters<kMeters>::Gauge, 5)
KADRIMOS_FAMILY_GAUGE(elec_ind_ac_loadapu, NeedleMeters<kMeters>::Gauge, 6)
