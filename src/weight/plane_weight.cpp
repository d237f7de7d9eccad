// "toskelin plane_weight_rulo": the flight engineer's TOTAL WT / TOTAL FUEL
// indicator.
//
// The lower counter shows the fuel on board as the simulator weighs it, in
// tens of the unit the host's unit selector gives (kilograms, or pounds when
// it reads 0), on three odometer drums. The upper counter shows the gross
// weight in hundreds of that unit: the fuel plus the zero-fuel weight the
// crew sets with the knob beside it, 10 a click, from 1000 to 3220. A change
// of unit sets the zero-fuel weight to the unit's usual figure (2250 hundred
// pounds, 1020 hundred kilograms), as the crew would re-enter it. Its three
// upper windows step to their digits a quarter at a time, the short way
// round from 9 to 0; its units window turns with the weight.
//
// The fuel reading needs DC normal power: without it the fuel counter holds
// and the OFF flag drops. The gross weight is published for the airspeed
// indicators' speed presets and for the autopilot.
//
// A unit reading that is not a number changes nothing, so that a broken
// reading cannot throw away the crew's setting (pounds until a unit has been
// read). A fuel reading that is not a finite number leaves the counter where
// it was; a negative one reads as empty tanks.
//
// Inputs: tokens 335 (unit system: 0.0 pounds, otherwise kilograms) and 791
// (total fuel, pounds); DcNormBusPowered; ZeroFuelWeightSetting.
// Outputs: GrossWeightHundreds, ZeroFuelWeightSetting.
#include <cmath>
#include <cstdint>

#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switches.h"
#include "panel/units.h"
#include "weight/plane_weight_state.h"

KADRIMOS_GAUGE_WITH_STATE(plane_weight, "toskelin plane_weight_rulo")

namespace kadrimos::gauges::plane_weight {

constinit weight::PlaneWeightState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

weight::PlaneWeightState& self = state;

constexpr uint32_t kTokenUnitSystem = 335;  // 0.0 pounds, otherwise kilograms
constexpr uint32_t kTokenTotalFuelLb = 791;

constexpr uint32_t kKilogramFace = 5432;
constexpr uint32_t kPoundFace = 8508;
constexpr uint32_t kOffFlagBitmap = 5435;
constexpr uint32_t kFuelStrip = 5385;
constexpr uint32_t kWeightStrip = 5420;

// Zero-fuel weight, hundreds of the unit.
constexpr int16_t kPoundsDefault = 2250;
constexpr int16_t kKilogramsDefault = 1020;
constexpr int16_t kLightest = 1000;
constexpr int16_t kHeaviest = 3220;
constexpr int16_t kStep = 10;

// --- Elements ----------------------------------------------------------------

// The gross weight's windows: thousands, hundreds and tens step to their
// digit at each draw; the units window turns continuously.
template <int Window>
double FSAPI weight_drum(ELEMENT_HEADER*) {
    double& position = self.weight_drums[Window];
    position = drum::stepping_position(position, self.weight_digits[Window]);
    return position;
}
double FSAPI weight_units(ELEMENT_HEADER*) { return self.weight_units; }

// The fuel counter's windows read the thousands, hundreds and tens of the
// fuel in tens of the unit; each rolls in the last part of the decade below
// it, as an odometer does.
template <int Place>
double FSAPI fuel_drum(ELEMENT_HEADER*) {
    return drum::ascending_window(self.fuel_tens, Place);
}

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kKilogramFace, kBackgroundFlags, no_failures, "TOTAL WT face kg"),
    icon_spec("TOTAL WT face lb", kPoundFace, {0, 0}),
    drum_spec("GROSS WT drum 1000s", kWeightStrip, {8, 6},  weight_drum<0>),
    drum_spec("GROSS WT drum 100s",  kWeightStrip, {18, 6}, weight_drum<1>),
    drum_spec("GROSS WT drum 10s",   kWeightStrip, {28, 6}, weight_drum<2>),
    drum_spec("GROSS WT drum units", kWeightStrip, {40, 6}, weight_units),
    drum_spec("FUEL drum 1000s",     kFuelStrip,   {12, 49}, fuel_drum<1000>),
    drum_spec("FUEL drum 100s",      kFuelStrip,   {24, 49}, fuel_drum<100>),
    drum_spec("FUEL drum 10s",       kFuelStrip,   {36, 49}, fuel_drum<10>),
    icon_spec("OFF flag", kOffFlagBitmap, {0, 26}),
};
// clang-format on
constexpr int kPoundFaceDepth = depth_of(kElements, "TOTAL WT face lb");
constexpr int kOffFlag = depth_of(kElements, "OFF flag");

// --- Areas -------------------------------------------------------------------

// The zero-fuel weight knob: its left half takes 10 off, its right half adds
// 10, a click at a time, silently; the setting stops at its limits.
int32_t FSAPI decrease_setting(PIXPOINT*, uint32_t) {
    step_down(aircraft.ZeroFuelWeightSetting, kStep, kLightest);
    return 0;
}
int32_t FSAPI increase_setting(PIXPOINT*, uint32_t) {
    step_up(aircraft.ZeroFuelWeightSetting, kStep, kHeaviest);
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("ZFW knob left decrease", {45, 8, 26, 60}, CURSOR_DOWNARROW, decrease_setting),
    area("ZFW knob right increase", {71, 8, 26, 60}, CURSOR_UPARROW, increase_setting),
};

// --- Update ------------------------------------------------------------------

// The unit the host's selector gives. A reading that is not a number keeps
// the unit already applied, or pounds before any.
uint8_t selected_unit() {
    const double reading = host::value<kTokenUnitSystem>();
    if (std::isnan(reading)) return self.unit_latch == weight::kNoUnitYet ? weight::kPounds : self.unit_latch;
    return reading == 0.0 ? weight::kPounds : weight::kKilograms;
}

// A new unit: the zero-fuel weight starts again from the unit's usual figure.
void apply_unit(uint8_t unit) {
    if (unit == self.unit_latch) return;
    self.unit_latch = unit;
    aircraft.ZeroFuelWeightSetting = unit == weight::kKilograms ? kKilogramsDefault : kPoundsDefault;
}

// The fuel on board, in tens of the unit, while DC normal power feeds the
// indicator.
void read_fuel() {
    const double pounds = host::value<kTokenTotalFuelLb>();
    if (!std::isfinite(pounds)) return;
    const double on_board = pounds > 0 ? pounds : 0.0;
    const double per_pound = self.unit_latch == weight::kKilograms ? units::kKilogramsPerPound : 1.0;
    self.fuel_tens = on_board * per_pound / 10;
}

uint8_t whole_digit(double value, double place) {
    return to_integer<uint8_t>(std::floor(drum::digit_value(value, place)));
}

void publish_gross_weight() {
    const double gross = self.fuel_tens / 10 + aircraft.ZeroFuelWeightSetting;
    aircraft.GrossWeightHundreds = gross;
    self.weight_digits[0] = whole_digit(gross, 1000);
    self.weight_digits[1] = whole_digit(gross, 100);
    self.weight_digits[2] = whole_digit(gross, 10);
    self.weight_units = drum::ascending_continuous(gross);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    apply_unit(selected_unit());
    set_visible(header, kPoundFaceDepth, self.unit_latch == weight::kPounds);

    const bool powered = aircraft.DcNormBusPowered == 1;
    if (powered) read_fuel();
    publish_gross_weight();
    set_visible(header, kOffFlag, !powered);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 97, callback);

}  // namespace kadrimos::gauges::plane_weight
