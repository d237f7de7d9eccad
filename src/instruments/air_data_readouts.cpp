// The air data computer's small readouts beside the flight instruments.
//
// "toskelin tas_rulo"  true airspeed, kt, on three drums; it reads no lower
//                      than 120 kt;
// "toskelin sat_rulo"  static air temperature, degrees C, on two drums and a
//                      sign: a positive temperature reads on the left pair
//                      of windows with the plus sign at the right, a
//                      negative one on the right pair behind the minus sign;
// "toskelin aoa_rulo"  angle of attack on a moving strip (travel 0 to 27):
//                      on the ground it settles on 7; in the air it follows
//                      the host's angle of attack plus 5, 2 a step, and
//                      stays within 0.5 to 26.7.
//
// The true airspeed and the temperature come from the AC essential bus; the
// temperature's flag also hangs on the DC essential bus. The angle of attack
// is fed by AC bus 1. Each readout holds its last reading while unfed, and
// its flag shows whenever the reading is not being updated.
//
// Inputs: tokens 350 (total air temperature, degrees C / 256), 64 (Mach x
// 20480), 341 (outside air temperature, degrees C), 789 (angle of attack,
// radians), 60 (1 on the ground); AcEssBusPowered, DcEssBusPowered,
// AcBus1Powered.
//
// A host reading that is not a finite number, or one that gives no true
// airspeed (a temperature below absolute zero), is not taken: the readout
// holds and its flag shows. An angle of attack that is not a number leaves
// the strip where it stands.
#include <cmath>
#include <cstdint>

#include "instruments/air_data_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/pointers.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(tas, "toskelin tas_rulo")
KADRIMOS_GAUGE_WITH_STATE(sat, "toskelin sat_rulo")
KADRIMOS_GAUGE_WITH_STATE(aoa, "toskelin aoa_rulo")

// --- "toskelin tas_rulo" ----------------------------------------------------------------
namespace kadrimos::gauges::tas {

constinit instruments::TrueAirspeedState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::TrueAirspeedState& self = state;

constexpr uint32_t kBackground = 7069;
constexpr uint32_t kWindow = 7690;  // its strip is 7691
constexpr uint32_t kFlagBitmap = 7692;

constexpr double kLowestKt = 120;
constexpr double kTatDegreesPerHostUnit = 256;  // the host's value x 256 is degrees C
constexpr double kMachPerHostUnit = 3.2 / 65536;
constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr double kKnotsPerSpeedOfSoundRootKelvin = 39;

// The drums read the shown value on descending strips: hundreds and tens
// roll over as odometers do, the units turn with the value.
double FSAPI hundreds(ELEMENT_HEADER*) {
    return drum::descending_cell(drum::digit_value(self.shown_kt, 100), drum::kRollHundredths);
}
double FSAPI tens(ELEMENT_HEADER*) {
    return drum::descending_cell(drum::digit_value(self.shown_kt, 10), drum::kRollTenths);
}
double FSAPI units_drum(ELEMENT_HEADER*) { return drum::descending_continuous(self.shown_kt); }

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    drum_spec("TAS hundreds drum", kWindow, {12, 14}, hundreds),
    drum_spec("TAS tens drum", kWindow, {22, 14}, tens),
    drum_spec("TAS units drum", kWindow, {32, 14}, units_drum),
    icon_spec("TAS failure flag", kFlagBitmap, {10, 16}),
};
constexpr int kFlag = depth_of(kElements, "TAS failure flag");

// The true airspeed from the total air temperature and the Mach number: the
// static temperature is the total one less the ram rise, and the speed of
// sound 39 kt a root kelvin of it.
double true_airspeed_kt(double tat_host, double mach_host) {
    const double t = tat_host * kTatDegreesPerHostUnit;
    const double m = mach_host * kMachPerHostUnit;
    return kKnotsPerSpeedOfSoundRootKelvin * m * std::sqrt((t + kKelvinAtZeroCelsius) / (0.2 * m * m + 1));
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    self.updated = 0;
    if (aircraft.AcEssBusPowered == 1) {
        const double tas = true_airspeed_kt(host::value<350>(), host::value<64>());
        if (std::isfinite(tas)) {
            self.shown_kt = tas > kLowestKt ? tas : kLowestKt;
            self.updated = 1;
        }
    }
    set_visible(header, kFlag, self.updated == 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 53, callback);

}  // namespace kadrimos::gauges::tas

// --- "toskelin sat_rulo" ----------------------------------------------------------------
namespace kadrimos::gauges::sat {

constinit instruments::StaticAirTemperatureState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::StaticAirTemperatureState& self = state;

constexpr uint32_t kBackground = 7070;
constexpr uint32_t kWindow = 7700;  // its strip is 7701
constexpr uint32_t kMinusBitmap = 7702;
constexpr uint32_t kPlusBitmap = 7703;
constexpr uint32_t kFlagBitmap = 7704;

// Three window places, left to right: the minus sign's or the tens', the
// tens' or the units', the units' or the plus sign's.
constexpr int16_t kPlaceX[] = {8, 18, 28};
constexpr int16_t kWindowY = 14;

double FSAPI tens(ELEMENT_HEADER*) {
    return drum::descending_cell(drum::digit_value(std::fabs(self.celsius), 10), drum::kRollTenths);
}
double FSAPI units_drum(ELEMENT_HEADER*) { return drum::descending_continuous(std::fabs(self.celsius)); }

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    drum_spec("SAT tens drum left", kWindow, {kPlaceX[0], kWindowY}, tens),
    drum_spec("SAT units drum left", kWindow, {kPlaceX[1], kWindowY}, units_drum),
    hidden_at_load(drum_spec("SAT tens drum right", kWindow, {kPlaceX[1], kWindowY}, tens)),
    hidden_at_load(drum_spec("SAT units drum right", kWindow, {kPlaceX[2], kWindowY}, units_drum)),
    icon_spec("SAT minus sign", kMinusBitmap, {kPlaceX[0], kWindowY}),
    icon_spec("SAT plus sign", kPlusBitmap, {kPlaceX[2], kWindowY}),
    icon_spec("SAT failure flag", kFlagBitmap, {6, 16}),
};
constexpr int kLeftTens = depth_of(kElements, "SAT tens drum left");
constexpr int kLeftUnits = depth_of(kElements, "SAT units drum left");
constexpr int kRightTens = depth_of(kElements, "SAT tens drum right");
constexpr int kRightUnits = depth_of(kElements, "SAT units drum right");
constexpr int kMinus = depth_of(kElements, "SAT minus sign");
constexpr int kPlus = depth_of(kElements, "SAT plus sign");
constexpr int kFlag = depth_of(kElements, "SAT failure flag");

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const double celsius = host::value<341>();
    self.updated = aircraft.AcEssBusPowered == 1 && std::isfinite(celsius) ? 1 : 0;
    if (self.updated == 1) self.celsius = celsius;

    const bool positive = self.celsius >= 0;
    for (int depth : {kLeftTens, kLeftUnits, kPlus}) set_visible(header, depth, positive);
    for (int depth : {kRightTens, kRightUnits, kMinus}) set_visible(header, depth, !positive);
    // The flag is the DC essential bus's; it also shows a reading frozen
    // for want of the AC essential bus.
    set_visible(header, kFlag, aircraft.DcEssBusPowered != 1 || self.updated == 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 59, callback);

}  // namespace kadrimos::gauges::sat

// --- "toskelin aoa_rulo" ----------------------------------------------------------------
namespace kadrimos::gauges::aoa {

constinit instruments::AngleOfAttackState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::AngleOfAttackState& self = state;

constexpr uint32_t kBackground = 7071;
constexpr uint32_t kWindow = 7710;  // its strip is 7711
constexpr uint32_t kFlagBitmap = 7712;

constexpr double kTravel = 27;
constexpr double kOnGround = 7;     // where the strip settles on the ground
constexpr double kGroundStep = 1;   // and how fast
constexpr double kAirStep = 2;      // in the air
constexpr double kAirOffset = 5;    // the strip reads the angle plus 5
constexpr double kAirBandLow = 3;   // within the angle plus 3 ..
constexpr double kAirBandHigh = 7;  // .. plus 7 it stands on the angle plus 5
constexpr double kAirLowest = 0.5;  // and stays within these in the air
constexpr double kAirHighest = 26.7;

double FSAPI strip(ELEMENT_HEADER*) { return clamp_write_back(self.scale, 0.0, kTravel); }

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("AOA scale", kWindow, {11, 4}, drum_column, 0, 1, strip, 0, kTravel),
    icon_spec("AOA failure flag", kFlagBitmap, {4, 9}),
};
constexpr int kFlag = depth_of(kElements, "AOA failure flag");

void follow_angle_of_attack() {
    if (host::value<60>() == 1.0) {
        self.scale = pointer::approach(self.scale, kOnGround, kGroundStep, kGroundStep);
        return;
    }
    const double radians = host::value<789>();
    if (radians != radians) return;
    const double b = radians * units::kDegreesPerRadian;
    self.scale =
        pointer::approach_band(self.scale, b + kAirBandLow, b + kAirBandHigh, b + kAirOffset, kAirStep);
    if (self.scale < kAirLowest) self.scale = kAirLowest;
    if (self.scale >= kAirHighest) self.scale = kAirHighest;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool powered = aircraft.AcBus1Powered == 1;
    if (powered) follow_angle_of_attack();
    set_visible(header, kFlag, !powered);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 38, callback);

}  // namespace kadrimos::gauges::aoa
