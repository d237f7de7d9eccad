// "toskelin adi_sec_rulo": the standby attitude indicator.
//
// A gyro sphere showing pitch and bank, a bank scale turning with it, the
// aircraft symbol that the crew sets up or down with its knob, and the
// failure flag. The gyro lives on the DC essential bus and instrument bus 1.
//
// The sphere is a gyro's: when its supply goes, or the host fails the
// attitude source (the attitude instrument or the vacuum), it does not stand
// still but topples, a degree an update, to 30 degrees of bank to the right
// and level pitch, and stays there. When the supply comes back it slews back
// to the true attitude a degree an update and follows it again once within
// 2 degrees of it: in roll the short way through 180 degrees from the
// toppled attitude, and at once when the aircraft is near the toppled bank
// itself; in pitch only once the true pitch leaves the 2.5 degrees around
// level. The flag is in view whenever the gyro is not erect.
//
// A bank or pitch the host reports that is not a finite number is an
// attitude source failed: the flag drops and the sphere topples, as it does
// for the host's own failure flags.
//
// The host's attitude is the simulator's: bank positive with the left wing
// down, pitch positive nose down. The sphere turns and moves against the
// aircraft, as the horizon does.
//
// Inputs: DcEssBusPowered, InstrBus1Powered, AcEssBusPowered,
// InstrumentLightsOn, FltDeckLightSwitch; tokens 80 (bank, degrees), 78
// (pitch, degrees), 276 and 288 (integers, 1: the attitude instrument or the
// vacuum failed).
#include <cmath>
#include <cstdint>
#include <numbers>

#include "instruments/standby_attitude_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(adi_sec, "toskelin adi_sec_rulo")

namespace kadrimos::gauges::adi_sec {

constinit instruments::StandbyAttitudeState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::StandbyAttitudeState& self = state;

constexpr uint32_t kBackground = 7089;
constexpr uint32_t kSphereWindow = 7890;  // the sphere behind it is 7891
constexpr uint32_t kScaleWindow = 7892;   // the bank scale, 7893
constexpr uint32_t kSymbolWindow = 7894;  // the aircraft symbol, 7895
constexpr uint32_t kFlagBitmap = 7896;
constexpr uint32_t kKnobBitmap = 7897;  // unlit, lit by the panel lights, lit with the deck light on
constexpr uint32_t kKnobPointerBitmap = 7900;

// The simulator's failure list of this instrument: its attitude failure
// (key 8, action 0), shared by every element.
inline constexpr FAILURE_RECORD kFailures[] = {{8, 0, nullptr}, {0, 0, nullptr}};

// The sphere's travel: 2 pixels a degree of pitch, at most 43 degrees either
// way; it turns a degree of the picture for a degree of bank.
constexpr double kPitchShownDeg = 43;
constexpr double kPixelsPerPitchDeg = -2;  // nose down (positive) carries the horizon up
constexpr double kRadiansPerBankDeg = std::numbers::pi / 180;

// Where the gyro comes to rest, and how fast it gets there and back.
constexpr double kToppledBankDeg = -30;
constexpr double kStepDeg = 1;
constexpr double kCaptureDeg = 2;
constexpr double kLevelBandDeg = 2.5;  // pitch within it: the slew waits
constexpr double kLevelPitchDeg = 2;   // toppling pitch within it: level

// The symbol: the knob's setting, -10 to 10, lifts it from 8 to 28 pixels.
constexpr int32_t kKnobStop = 10;
constexpr double kSymbolCentre = 18;
constexpr double kSymbolTravel = 30;

// --- Elements ---------------------------------------------------------------------

double FSAPI sphere_bank(ELEMENT_HEADER*) { return self.shown_bank_deg; }
double FSAPI sphere_pitch(ELEMENT_HEADER*) {
    return clamp_write_back(self.shown_pitch_deg, -kPitchShownDeg, kPitchShownDeg);
}
double FSAPI symbol(ELEMENT_HEADER*) { return self.symbol_position; }
double FSAPI knob_pointer(ELEMENT_HEADER*) {
    return clamp_write_back(self.symbol_knob, -kKnobStop, kKnobStop);
}

// The knob's pointer about its centre: up at 0, turned left for a symbol
// raised, right for a symbol lowered.
constinit NONLINEARITY knob_scale[] = {{{317, 283}, -10, 0}, {{300, 273}, 0, 0}, {{283, 283}, 10, 0}};

// clang-format off
constexpr ElementSpec kList[] = {
    background_spec(kBackground),
    sprite_spec("SPHERE",      kSphereWindow, {{30, 30}, {110, 110}}, nullptr, 0, sphere_pitch, kPixelsPerPitchDeg,
                sphere_bank, kRadiansPerBankDeg),
    sprite_spec("BANK SCALE",  kScaleWindow,  {{9, 9}, {131, 131}},   nullptr, 0, nullptr, 0,
                sphere_bank, kRadiansPerBankDeg),
    moving_image_spec("AIRCRAFT SYMBOL", kSymbolWindow, {60, 122}, drum_column, 0, 1, symbol, 0, kSymbolTravel),
    icon_spec("ATT flag",              kFlagBitmap,     {196, 60}),
    icon_spec("SYMBOL knob",           kKnobBitmap,     {274, 267}, kIconFlags),
    icon_spec("SYMBOL knob panel lit", kKnobBitmap + 1, {274, 267}),
    icon_spec("SYMBOL knob deck lit",  kKnobBitmap + 2, {274, 267}),
    needle_spec("SYMBOL pointer", kKnobPointerBitmap, {{300, 293}, {4, 3}}, knob_pointer, knob_scale),
};
// clang-format on
constexpr auto kElements = with_failures(kList, kFailures);
constexpr int kFlag = depth_of(kElements, "ATT flag");
constexpr int kKnob = depth_of(kElements, "SYMBOL knob");
constexpr int kKnobPanelLit = depth_of(kElements, "SYMBOL knob panel lit");
constexpr int kKnobDeckLit = depth_of(kElements, "SYMBOL knob deck lit");

// --- Areas --------------------------------------------------------------------------

// The knob's left half raises the symbol, its right half lowers it, a step
// a click, silently, up to its stops.
int32_t FSAPI raise_symbol(PIXPOINT*, uint32_t) {
    if (self.symbol_knob < kKnobStop) ++self.symbol_knob;
    return 0;
}
int32_t FSAPI lower_symbol(PIXPOINT*, uint32_t) {
    if (self.symbol_knob > -kKnobStop) --self.symbol_knob;
    return 0;
}

constexpr auto kAreas =
    join<AreaSpec>(area("SYMBOL knob left", {260, 243, 40, 101}, CURSOR_DOWNARROW, raise_symbol),
                   area("SYMBOL knob right", {300, 243, 40, 101}, CURSOR_UPARROW, lower_symbol));

// --- Update ----------------------------------------------------------------------------

// The symbol follows its knob; a position found off its travel is put back
// on the nearer end first.
void place_symbol() {
    double& v = self.symbol_position;
    if (v >= 0 && v <= kSymbolTravel)
        v = self.symbol_knob + kSymbolCentre;
    else
        v = v < 0 ? 0 : kSymbolTravel;
}

// The knob in the panel lights, brighter with the flight deck light off.
int knob_drawing() {
    if (aircraft.InstrumentLightsOn != 1 || aircraft.AcEssBusPowered != 1) return 0;
    return aircraft.FltDeckLightSwitch == 1 ? 2 : 1;
}

// Without supply the sphere rolls a degree an update toward 30 degrees
// right: down from the left and from up to 150 left, up (over the top, through
// 180) from beyond 150, up from the right beyond 32; near -30 it drops there.
void topple_bank() {
    double& s = self.shown_bank_deg;
    if (s > -28 && s <= 150)
        s -= kStepDeg;
    else if (s > 150 && s < 180)
        s += kStepDeg;
    else if (s >= 180)
        s = -180;
    else if (s >= -180 && s < -32)
        s += kStepDeg;
    else
        s = kToppledBankDeg;
}

// Slewing back to the true bank b. From the toppled attitude the sphere
// goes the short way: up toward a bank on the left, down through -180 (shown
// as 179.9 once there) toward a steep bank beyond 150, and straight to a
// bank on the right or near the toppled one.
void recover_bank(double b) {
    double& s = self.shown_bank_deg;
    const auto capture = [&] {
        s = b;
        self.bank_recovering = 0;
    };
    if (b >= -180 && b < -32.5) {
        // Below the true bank the sphere rises to it, as everywhere else.
        if (b - kCaptureDeg <= s)
            capture();
        else
            s += kStepDeg;
    } else if (b >= 150 && b < 180) {
        if (s <= -180)
            s = 179.9;
        else if (s >= 180 || b - kCaptureDeg <= s)
            capture();
        else
            s -= kStepDeg;
    } else if (b <= -27.5 || b - kCaptureDeg <= s) {
        capture();
    } else {
        s += kStepDeg;
    }
}

void bank(bool erect, double b) {
    if (!erect) {
        self.bank_recovering = 1;
        topple_bank();
    } else if (self.bank_recovering == 0) {
        self.shown_bank_deg = b;
    } else {
        recover_bank(b);
    }
}

void pitch(bool erect, double p) {
    double& q = self.shown_pitch_deg;
    const auto capture = [&] {
        q = p;
        self.pitch_recovering = 0;
    };
    if (!erect) {
        self.pitch_recovering = 1;
        if (q > kLevelPitchDeg)
            q -= kStepDeg;
        else if (q < -kLevelPitchDeg)
            q += kStepDeg;
        else
            q = 0;
    } else if (self.pitch_recovering == 0) {
        q = p;
    } else if (p > kLevelBandDeg) {
        if (p - kCaptureDeg <= q)
            capture();
        else
            q += kStepDeg;
    } else if (p < -kLevelBandDeg) {
        if (q <= p + kCaptureDeg)
            capture();
        else
            q -= kStepDeg;
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    place_symbol();

    const double b = host::value<80>();
    const double p = host::value<78>();
    const bool powered = aircraft.DcEssBusPowered == 1 && aircraft.InstrBus1Powered == 1;
    const bool failed =
        host::bits<276>() == 1 || host::bits<288>() == 1 || !std::isfinite(b) || !std::isfinite(p);
    const bool erect = powered && !failed;
    set_visible(header, kFlag, !erect);
    show_one_of(header, {kKnob, kKnobPanelLit, kKnobDeckLit}, knob_drawing());

    bank(erect, b);
    pitch(erect, p);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 340, callback);

}  // namespace kadrimos::gauges::adi_sec
