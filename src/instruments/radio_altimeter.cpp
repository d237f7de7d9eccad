// "toskelin ralt_rulo": the radio altimeter.
//
// The radio height under the aircraft, 0 to 2610 ft, on a moving tape, with
// the decision-height index beside it and the decision height set on three
// drums by a knob: its inner ring steps 1 ft, its outer ring 10 ft, from 10
// to 499 ft. The altimeter is fed by AC bus 1; without it the reading, the
// tape and the index stand where they were and the OFF flag drops over the
// tape.
//
// On the ground the radio reads the height of its antennas above the runway;
// that reading, in whole feet, is taken as the instrument's zero and
// subtracted in the air, so that the wheels touch at 0. Above 2610 ft the
// radio has no return worth reading: the reading stops at the top of the
// scale. A height the host reports that is not a finite number is no reading
// at all: everything stays as it was, the zero included.
//
// The reading is published for the ground proximity warning, the flight
// director, the autopilot and the autoland, with the decision-height state:
// 0 on the ground, 2 above the decision height, 1 at or below it once the
// aircraft has been above it. Going down through the decision height with the
// DC essential bus powered and more than 30 ft to go, the gauge asks the
// warning's sound player for the decision-height callout, unless a ground
// proximity alert is sounding. The request is raised once a descent: it is
// cleared on the ground and whenever the aircraft is back above the decision
// height (a go-around), so that the next approach is called out too, and a
// request still waiting behind an alert is never called out late, above the
// decision height.
//
// Inputs: AcBus1Powered, DcEssBusPowered, GpwsAlertCode, ReCalloutRequest;
// tokens 614 (height above the ground, metres) and 60 (exactly 1.0 on the
// ground).
// Outputs: RadioAltitudeFt, DhState, ReCalloutRequest (raised and cleared).
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "instruments/radio_altimeter_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(ralt, "toskelin ralt_rulo")

namespace kadrimos::gauges::ralt {

constinit instruments::RadioAltimeterState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::RadioAltimeterState& self = state;

constexpr uint32_t kBackground = 7073;
constexpr uint32_t kTapeWindow = 7730;   // the tape behind it is 7731
constexpr uint32_t kIndexWindow = 7732;  // the index's strip is 7733
constexpr uint32_t kLampBitmap = 7734;
constexpr uint32_t kFlagBitmap = 7735;
constexpr uint32_t kDrumWindow = 7736;  // one digit strip, 7737, for all three drums

constexpr double kTopOfScaleFt = 2610;
constexpr double kIndexSpanFt = 500;  // the index shows the last 500 ft above the decision height
constexpr double kCalloutFloorFt = 30;

// The decision-height states.
constexpr uint8_t kDhOnGround = 0;
constexpr uint8_t kDhReached = 1;
constexpr uint8_t kDhAbove = 2;

// --- Elements --------------------------------------------------------------------

double FSAPI tape(ELEMENT_HEADER*) { return clamp_write_back(self.tape, 0.0, kTopOfScaleFt); }
double FSAPI index(ELEMENT_HEADER*) { return clamp_write_back(self.index, 0.0, kIndexSpanFt); }

// The hundreds and tens drums step to their digits; the units drum turns
// with the decision height.
double FSAPI hundreds_drum(ELEMENT_HEADER*) {
    self.hundreds_drum = drum::stepping_position(self.hundreds_drum, self.dh_digits[0]);
    return self.hundreds_drum;
}
double FSAPI tens_drum(ELEMENT_HEADER*) {
    self.tens_drum = drum::stepping_position(self.tens_drum, self.dh_digits[1]);
    return self.tens_drum;
}
double FSAPI units_drum(ELEMENT_HEADER*) { return drum::ascending_continuous(self.dh_digits[2]); }

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("RA tape",  kTapeWindow,  {8, 8},  drum_column, 0, 1, tape,  0, kTopOfScaleFt),
    moving_image_spec("DH index", kIndexWindow, {34, 8}, drum_column, 0, 1, index, 0, kIndexSpanFt),
    icon_spec("RA lamp",     kLampBitmap, {45, 10}, kIconFlags),
    icon_spec("RA OFF flag", kFlagBitmap, {8, 48}),
    drum_spec("DH hundreds drum", kDrumWindow, {10, 104}, hundreds_drum),
    drum_spec("DH tens drum",     kDrumWindow, {20, 104}, tens_drum),
    drum_spec("DH units drum",    kDrumWindow, {30, 104}, units_drum),
};
// clang-format on
constexpr int kLamp = depth_of(kElements, "RA lamp");
constexpr int kOffFlag = depth_of(kElements, "RA OFF flag");

// --- Areas ---------------------------------------------------------------------------

// The knob: inner ring (upper areas) 1 ft, outer ring (lower areas) 10 ft a
// click, repeating while held. Each step is taken only from inside its
// limit, so the setting never leaves 10 to 499 ft.
template <int Step, int Limit>
int32_t FSAPI set_decision_height(PIXPOINT*, uint32_t) {
    uint16_t& dh = self.DecisionHeight;
    if ((Step < 0 && dh > Limit) || (Step > 0 && dh < Limit)) dh = static_cast<uint16_t>(dh + Step);
    return 0;
}

constexpr auto kAreas = join<AreaSpec>(
    knob_area("DH knob units down", {18, 121, 21, 19}, CURSOR_DOWNARROW, set_decision_height<-1, 10>),
    knob_area("DH knob units up", {39, 121, 21, 19}, CURSOR_UPARROW, set_decision_height<1, 499>),
    knob_area("DH knob tens down", {18, 140, 21, 19}, CURSOR_DOWNARROW, set_decision_height<-10, 19>),
    knob_area("DH knob tens up", {39, 140, 21, 19}, CURSOR_UPARROW, set_decision_height<10, 490>));

// --- Update ----------------------------------------------------------------------------

bool on_ground() { return host::value<60>() == 1.0; }

// The radio's reading, while AC bus 1 feeds it.
void read_radio() {
    if (aircraft.AcBus1Powered != 1) return;
    const double height_ft = host::value<614>() * units::kFeetPerMetre;
    const bool grounded = on_ground();
    if (!std::isfinite(height_ft)) return;
    if (grounded) self.ground_offset_ft = to_integer<int32_t>(height_ft);
    const double ra = height_ft >= kTopOfScaleFt ? kTopOfScaleFt : height_ft - self.ground_offset_ft;
    aircraft.RadioAltitudeFt = ra;
    // A reading below the instrument's zero (the aircraft lower than where
    // the zero was taken) would carry the tape past its end: it stops there.
    self.tape = std::clamp(kTopOfScaleFt - ra, 0.0, kTopOfScaleFt);
    self.index = self.DecisionHeight + kIndexSpanFt - ra;
}

void split_decision_height() {
    const int dh = self.DecisionHeight;
    self.dh_digits[0] = static_cast<uint8_t>(dh / 100 % 10);
    self.dh_digits[1] = static_cast<uint8_t>(dh % 100 / 10);
    self.dh_digits[2] = static_cast<uint8_t>(dh % 10);
}

void decision_height_state() {
    const double ra = aircraft.RadioAltitudeFt;
    const double dh = self.DecisionHeight;
    uint8_t& s = aircraft.DhState;
    if (on_ground()) {
        s = kDhOnGround;
        return;
    }
    if (dh < ra) s = kDhAbove;
    if (s == kDhAbove && dh >= ra) s = kDhReached;
}

void callout() {
    uint8_t& request = aircraft.ReCalloutRequest;
    if (aircraft.DhState == kDhReached && aircraft.DcEssBusPowered == 1 && request == 0 &&
        aircraft.GpwsAlertCode == 0 && aircraft.RadioAltitudeFt > kCalloutFloorFt)
        request = 1;
    if (aircraft.DhState != kDhReached) request = 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    read_radio();
    split_decision_height();
    set_visible(header, kOffFlag, aircraft.AcBus1Powered != 1);
    set_visible(header, kLamp, true);
    decision_height_state();
    callout();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 60, callback);

}  // namespace kadrimos::gauges::ralt
