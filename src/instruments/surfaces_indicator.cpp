// "toskelin surf_ind_rulo": the control surface position indicator.
//
// Pointers for both spoilers, both ailerons, the rudder and the elevator,
// and the pitch attitude, shown either by a pointer or, at the press of the
// PITCH button, by a strip behind a window. The AIL button makes the aileron
// pointers show the low-speed ailerons, which stand at 0 while they are
// locked out (lamp lit in the button). The pointers are moved by AC bus 2
// with some hydraulics left; otherwise they stay where they are.
//
// On the ground a pitch attitude outside -1.5 to 3.5 degrees is a take-off
// pitch condition (PITCH lamp), and with take-off thrust on either engine a
// warning.
//
// The host's surface positions are its own (-16383 to 16383): the rudder's
// (token 316) moves its pointer sideways, the elevator's (token 317) moves
// its pointer up and down, further for the one sense than the other as the
// elevator's travel is.
//
// Inputs: tokens 313 (ailerons), 316 (rudder), 317 (elevator), 326 and 327
// (spoilers), 60 (1 on the ground), 624 and 643 (N1, %); PitchAttitudeDeg,
// AcBus2Powered, DcEssBusPowered, AllHydraulicsLost, LoSpdAilActive,
// AnnLightTest.
// Outputs: SurfacesFault.
//
// A surface position that is not a finite number leaves its pointer where it
// is; a pitch attitude that is not one moves neither pitch display and
// raises no pitch condition.
#include <cstdint>

#include "instruments/config_indicators_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(surf_ind, "toskelin surf_ind_rulo")

namespace kadrimos::gauges::surf_ind {

constinit instruments::SurfacesIndicatorState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::SurfacesIndicatorState& self = state;

constexpr uint32_t kBackground = 7075;
constexpr uint32_t kBarBitmap = 7750;  // the vertical pointers, shared
constexpr uint32_t kRudderBitmap = 7751;
constexpr uint32_t kPitchPointerBitmap = 7752;
constexpr uint32_t kPitchStripBitmap = 7753;
constexpr uint32_t kPitchMaskBitmap = 7754;
constexpr uint32_t kAileronLampBitmap = 7755;
constexpr uint32_t kPitchLampBitmap = 7756;

// Pixels of pointer travel per unit of the host's positions.
constexpr double kAileronScale = 0.0011043;
constexpr double kRudderScale = 0.0013497;
constexpr double kElevatorScale = 0.001411;           // the elevator's larger sense
constexpr double kElevatorNegativeScale = 0.0006135;  // and its smaller one
constexpr double kSpoilerScaleInFlight = 0.2208589 / 100;
constexpr double kSpoilerScaleOnGround = 0.1533742 / 100;

// The pitch pointer: pixels per degree nose up and nose down, and its stops.
constexpr double kPitchUpScale = 1.6;
constexpr double kPitchDownScale = 1.8;
constexpr double kPitchUpStop = 19;
constexpr double kPitchDownStop = 5.3;
// The pitch strip: 15 - pitch, shown from -3 to 12 degrees.
constexpr double kPitchStripZero = 15;
constexpr double kPitchStripLowestDeg = -3;
constexpr double kPitchStripHighestDeg = 12;

// The take-off pitch band on the ground, degrees.
constexpr double kPitchBandLow = -1.5;
constexpr double kPitchBandHigh = 3.5;
constexpr double kTakeoffThrustN1 = 97;

// --- Elements ----------------------------------------------------------------

// Each pointer stops where its surface does at full deflection (16383 in the
// host's units); a host reporting more moves it no further.
constexpr double kFullDeflection = 16383;
constexpr double kSpoilerTravel = kFullDeflection * kSpoilerScaleInFlight;
constexpr double kAileronTravel = kFullDeflection * kAileronScale;
constexpr double kRudderTravel = kFullDeflection * kRudderScale;
constexpr double kElevatorTravelUp = kFullDeflection * kElevatorScale;
constexpr double kElevatorTravelDown = kFullDeflection * kElevatorNegativeScale;

double FSAPI spoiler_left(ELEMENT_HEADER*) {
    return clamp_write_back(self.spoiler_left, -kSpoilerTravel, 0.0);
}
double FSAPI spoiler_right(ELEMENT_HEADER*) {
    return clamp_write_back(self.spoiler_right, -kSpoilerTravel, 0.0);
}
double FSAPI aileron_left(ELEMENT_HEADER*) {
    return clamp_write_back(self.aileron_left, -kAileronTravel, kAileronTravel);
}
double FSAPI aileron_right(ELEMENT_HEADER*) {
    return clamp_write_back(self.aileron_right, -kAileronTravel, kAileronTravel);
}
double FSAPI rudder(ELEMENT_HEADER*) { return clamp_write_back(self.rudder, -kRudderTravel, kRudderTravel); }
double FSAPI elevator(ELEMENT_HEADER*) {
    return clamp_write_back(self.elevator, -kElevatorTravelUp, kElevatorTravelDown);
}
double FSAPI pitch_pointer(ELEMENT_HEADER*) { return self.pitch_pointer; }
double FSAPI pitch_strip(ELEMENT_HEADER*) { return self.pitch_strip; }

constexpr double kOnePixel = 1;
// The strip rises 2 pixels a unit of its value: nose up, it comes down
// behind its window, showing the higher marks.
constexpr double kStripTravel = -2;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    slider_spec("LEFT SPOILER pointer",  kBarBitmap,          {4, 40},   nullptr, 0, spoiler_left,  kOnePixel),
    slider_spec("RIGHT SPOILER pointer", kBarBitmap,          {20, 40},  nullptr, 0, spoiler_right, kOnePixel),
    slider_spec("LEFT AILERON pointer",  kBarBitmap,          {4, 72},   nullptr, 0, aileron_left,  kOnePixel),
    slider_spec("RIGHT AILERON pointer", kBarBitmap,          {20, 72},  nullptr, 0, aileron_right, kOnePixel),
    slider_spec("RUDDER pointer",        kRudderBitmap,       {52, 98},  rudder, kOnePixel, nullptr, 0),
    slider_spec("ELEVATOR pointer",      kBarBitmap,          {38, 62},  nullptr, 0, elevator,      kOnePixel),
    slider_spec("PITCH pointer",         kPitchPointerBitmap, {58, 24},  nullptr, 0, pitch_pointer, kOnePixel),
    slider_spec("PITCH strip",           kPitchStripBitmap,   {58, 36},  nullptr, 0, pitch_strip,   kStripTravel,
                kIconFlags | kHidden),
    icon_spec("PITCH strip mask", kPitchMaskBitmap, {53, 0}),
    icon_spec("LO SPD AIL light", kAileronLampBitmap, {83, 83}),
    icon_spec("PITCH light",      kPitchLampBitmap,   {83, 4}),
};
// clang-format on
constexpr int kPitchPointer = depth_of(kElements, "PITCH pointer");
constexpr int kPitchStrip = depth_of(kElements, "PITCH strip");
constexpr int kPitchMask = depth_of(kElements, "PITCH strip mask");
constexpr int kAileronLight = depth_of(kElements, "LO SPD AIL light");
constexpr int kPitchLight = depth_of(kElements, "PITCH light");

// --- Mouse -------------------------------------------------------------------

// Both buttons change only what the indicator shows; they are silent.
int32_t FSAPI toggle_ailerons_shown(PIXPOINT*, uint32_t) {
    self.aileron_button = self.aileron_button == 1 ? 0 : 1;
    return 0;
}
int32_t FSAPI toggle_pitch_display(PIXPOINT*, uint32_t) {
    self.pitch_strip_shown = self.pitch_strip_shown == 1 ? 0 : 1;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("AIL button", {81, 81, 27, 27}, CURSOR_HAND, toggle_ailerons_shown),
    area("PITCH button", {53, 0, 29, 41}, CURSOR_HAND, toggle_pitch_display),
};

// --- Update ------------------------------------------------------------------

bool finite(double v) { return finite_or(v, 0.0) == v; }

// A pointer at `v` when it can be read; where it is otherwise. A pointer at
// rest reads 0, never -0.
void move_to(double& pointer, double v) {
    if (finite(v)) pointer = v == 0 ? 0.0 : v;
}

double elevator_travel(double position) {
    return -position * (position < 0 ? kElevatorNegativeScale : kElevatorScale);
}

double pitch_pointer_travel(double p) {
    if (p >= 0) return p * kPitchUpScale >= kPitchUpStop ? -kPitchUpStop : -(p * kPitchUpScale);
    return p * kPitchDownScale <= -kPitchDownStop ? kPitchDownStop : -(p * kPitchDownScale);
}

// The strip shows -3 to 12 degrees and stops at either end.
double pitch_strip_travel(double p) {
    if (p > kPitchStripHighestDeg) p = kPitchStripHighestDeg;
    if (p < kPitchStripLowestDeg) p = kPitchStripLowestDeg;
    return kPitchStripZero - p;
}

void move_pointers(const AircraftState& a, bool on_ground) {
    const double ailerons = host::value<313>();
    const bool locked_out = self.aileron_button == 1 && a.LoSpdAilActive == 0;
    move_to(self.aileron_left, locked_out ? 0.0 : ailerons * kAileronScale);
    move_to(self.aileron_right, locked_out ? 0.0 : -ailerons * kAileronScale);
    move_to(self.rudder, host::value<316>() * kRudderScale);
    move_to(self.elevator, elevator_travel(host::value<317>()));
    const double spoiler_scale = on_ground ? kSpoilerScaleOnGround : kSpoilerScaleInFlight;
    move_to(self.spoiler_left, -host::value<326>() * spoiler_scale);
    move_to(self.spoiler_right, -host::value<327>() * spoiler_scale);
    const double p = a.PitchAttitudeDeg;
    if (finite(p)) {
        move_to(self.pitch_pointer, pitch_pointer_travel(p));
        move_to(self.pitch_strip, pitch_strip_travel(p));
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    const bool on_ground = host::value<60>() == 1.0;
    const bool hydraulics = a.AllHydraulicsLost == 0;
    if (a.AcBus2Powered == 1 && hydraulics) move_pointers(a, on_ground);

    const double p = a.PitchAttitudeDeg;
    const bool in_band = !finite(p) || (kPitchBandLow <= p && p <= kPitchBandHigh);
    const bool pitch_condition = a.DcEssBusPowered == 1 && hydraulics && !in_band && on_ground;
    self.pitch_condition = pitch_condition ? 1 : 0;
    const bool takeoff_thrust =
        host::value<624>() >= kTakeoffThrustN1 || host::value<643>() >= kTakeoffThrustN1;
    a.SurfacesFault = pitch_condition && takeoff_thrust ? 1 : 0;

    const bool dc_ess = a.DcEssBusPowered == 1;
    const bool lamp_test = a.AnnLightTest == 1;
    light(header, kAileronLight, dc_ess, self.aileron_button == 1 || lamp_test);
    light(header, kPitchLight, dc_ess, (pitch_condition || lamp_test) && hydraulics);

    const bool strip = self.pitch_strip_shown == 1;
    set_visible(header, kPitchStrip, strip);
    set_visible(header, kPitchMask, strip);
    set_visible(header, kPitchPointer, !strip);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 108, callback);

}  // namespace kadrimos::gauges::surf_ind
