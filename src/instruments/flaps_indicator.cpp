// "toskelin flaps_ind_rulo": the flap and slat position indicator, with the
// flap lever's pointer beside the flap strip and four lamps: spoilers out,
// take-off configuration, slats (flashing while they travel) and flap
// asymmetry.
//
// The flaps have two detents between up and full, at 5262 and 10485 of the
// host's 0 to 16383 flap units; the indicator publishes them for the
// ground proximity warning and the airspeed indicators. The strips are
// driven by hydraulics and AC bus 2: without them they stay where they are.
// Within one unit of a detent the strips hold still too, so that the
// indicator settles on the detent's mark instead of creeping; the first
// detent itself is counted with the travel below it (a flap exactly at 5262
// shows the first detent's mark).
//
// The indicator also raises the take-off configuration caution (flaps beyond
// the second detent, slats retracted or spoilers out, on the ground), which
// becomes a warning with take-off thrust on either engine, and the flap
// placard flag: slats or flaps out above their speed limits.
//
// Inputs: tokens 328 (flap lever), 329 and 330 (left and right flap, 0 to
// 16383), 325 (spoiler handle), 326 and 327 (left and right spoilers), 60 (1
// on the ground), 61 (airspeed, kt), 624 and 643 (N1, %), 1 (ticks);
// AcBus2Powered, DcEssBusPowered, HydStateBlue, HydStateGreen,
// HydStateYellow, AnnLightTest.
// Outputs: FlapDetentPositions, FlapConfigCaution, FlapsFault,
// FlapPlacardExceeded.
//
// A host value that is not a number moves nothing: a strip or pointer whose
// input cannot be read stays where it is, and a caution, placard or lamp
// whose condition cannot be read is not raised.
#include <cmath>
#include <cstddef>
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
#include "panel/timing.h"

KADRIMOS_GAUGE_WITH_STATE(flaps_ind, "toskelin flaps_ind_rulo")

namespace kadrimos::gauges::flaps_ind {

constinit instruments::FlapsIndicatorState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::FlapsIndicatorState& self = state;

constexpr uint32_t kBackground = 7074;
constexpr uint32_t kLeverPointerBitmap = 7740;
constexpr uint32_t kFlapStripBitmap = 7741;
constexpr uint32_t kSlatStripBitmap = 7742;
constexpr uint32_t kSpoilersBitmap = 7743;
constexpr uint32_t kConfigBitmap = 7744;
constexpr uint32_t kSlatsBitmap = 7745;
constexpr uint32_t kAsymmetryBitmap = 7746;

// The detents, in the host's flap units.
constexpr int16_t kDetents[kFlapDetentCount] = {0, 5262, 10485};
constexpr double kFirstDetent = kDetents[1];
constexpr double kSecondDetent = kDetents[2];
constexpr double kFullTravel = 16300;  // beyond: the strips hold
constexpr double kDetentBand = 1;      // within a unit of a detent: hold

// Flap strip travel: 82 retracted, 53 at the first detent, 34 at the second,
// 0 at full travel. Slat strip: 2 retracted, 1 extended.
constexpr double kFlapStripUp = 82;
constexpr double kFlapStripFirst = 53;
constexpr double kFlapStripSecond = 34;
constexpr double kSlatsRetracted = 2;
constexpr double kSlatsExtended = 1;
constexpr double kSlatStep = 0.01;     // a slat stroke takes 100 updates
constexpr double kSlatCapture = 0.01;  // within this of a stop: on it
constexpr double kSlatsTransitLow = 1.01;
constexpr double kSlatsTransitHigh = 1.99;
constexpr double kSlatsOutSteady = 1.1;  // at or below, at rest: extended
constexpr double kSlatsIn = 1.9;         // above: retracted for take-off and placard

// The flap lever pointer: the lever's host position read into its detents.
struct LeverDetent {
    double from;  // lever position, host units
    uint8_t pointer;
};
// Columns: lever position from which the pointer shows, pointer value.
constexpr LeverDetent kLeverDetents[] = {
    {14000, 82},
    {10000, 48},
    {6000, 29},
};

constexpr double kSpoilerOut = 500;       // either spoiler above: take-off caution
constexpr double kTakeoffThrustN1 = 97;   // percent
constexpr double kSlatFlashTicks = 80;    // the slat lamp flashes this long
constexpr double kAsymmetryUnits = 3200;  // left and right flaps this far apart

// Placard speeds, kt: slats out with the flaps up, then flaps up to the
// first detent, to the second, and beyond.
constexpr double kPlacardSlatsKt = 250;
constexpr double kPlacardFirstKt = 215;
constexpr double kPlacardSecondKt = 205;
constexpr double kPlacardFullKt = 180;

// --- Elements ----------------------------------------------------------------

// The pointers' values are their travel in pixels: the lever pointer moves
// down as the lever goes out; the strips, whose values fall as the surfaces
// extend, move down with them.
double FSAPI lever_pointer(ELEMENT_HEADER*) { return self.lever_pointer; }
double FSAPI flap_strip(ELEMENT_HEADER*) { return clamp_write_back(self.flap_strip, 0.0, kFlapStripUp); }
double FSAPI slat_strip(ELEMENT_HEADER*) { return clamp_write_back(self.slat_strip, 0.0, kSlatsRetracted); }

constexpr double kLeverPixelsPerUnit = 1;
constexpr double kFlapPixelsPerUnit = -1;
constexpr double kSlatPixelsPerUnit = -10;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    slider_spec("FLAP lever pointer", kLeverPointerBitmap, {30, 6},  nullptr, 0, lever_pointer, kLeverPixelsPerUnit),
    slider_spec("FLAP strip",         kFlapStripBitmap,    {40, 88}, nullptr, 0, flap_strip,    kFlapPixelsPerUnit),
    slider_spec("SLAT strip",         kSlatStripBitmap,    {8, 26},  nullptr, 0, slat_strip,    kSlatPixelsPerUnit),
    icon_spec("SPOILERS light",  kSpoilersBitmap,  {62, 4}),
    icon_spec("CONFIG light",    kConfigBitmap,    {62, 24}),
    icon_spec("SLATS light",     kSlatsBitmap,     {62, 44}),
    icon_spec("FLAP ASYM light", kAsymmetryBitmap, {62, 64}),
};
// clang-format on
constexpr int kSpoilersLight = depth_of(kElements, "SPOILERS light");
constexpr int kConfigLight = depth_of(kElements, "CONFIG light");
constexpr int kSlatsLight = depth_of(kElements, "SLATS light");
constexpr int kAsymmetryLight = depth_of(kElements, "FLAP ASYM light");

// --- Update ------------------------------------------------------------------

// The host values of one update.
struct HostInputs {
    double lever;           // 328
    double flap_left;       // 329: F below
    double flap_right;      // 330
    double spoiler_handle;  // 325
    double spoiler_left;    // 326
    double spoiler_right;   // 327
    bool on_ground;         // 60
    double airspeed_kt;     // 61
    bool takeoff_thrust;    // 624, 643
    double tick;            // 1
};

HostInputs read_host() {
    const double n1_left = host::value<624>();
    const double n1_right = host::value<643>();
    return {host::value<328>(),
            host::value<329>(),
            host::value<330>(),
            host::value<325>(),
            host::value<326>(),
            host::value<327>(),
            host::value<60>() == 1.0,
            host::value<61>(),
            n1_left >= kTakeoffThrustN1 || n1_right >= kTakeoffThrustN1,
            finite_or(host::value<1>(), 0.0)};
}

bool flap_hydraulics(const AircraftState& a) { return a.HydStateYellow != 0 || a.HydStateGreen != 0; }

// The lever's detent; a lever that cannot be read leaves the pointer.
void point_at_lever(double lever) {
    if (lever != lever) return;
    uint8_t pointer = 0;
    for (const LeverDetent& d : kLeverDetents) {
        if (lever >= d.from) {
            pointer = d.pointer;
            break;
        }
    }
    self.lever_pointer = pointer;
}

double slats_toward_retracted(double slats) {
    return slats >= kSlatsRetracted - kSlatCapture ? kSlatsRetracted : slats + kSlatStep;
}
double slats_toward_extended(double slats) {
    return slats < kSlatsExtended + kSlatCapture ? kSlatsExtended : slats - kSlatStep;
}

// Step 3: the strips from the lever and the left flap F. The slats follow
// only with green pressure. Bands are tried in order; outside them (within a
// unit of a detent, beyond full travel, or F unreadable) both strips hold.
void move_strips(double lever, double f, bool slats_powered) {
    double slats = self.slat_strip;
    if (lever < 1 && f <= 0.1) {
        self.flap_strip = kFlapStripUp;
        slats = slats_toward_retracted(slats);
    } else if (lever >= 1 && f <= 0) {
        self.flap_strip = kFlapStripUp;
        slats = slats_toward_extended(slats);
    } else if (kDetentBand < f && f <= kFirstDetent) {
        self.flap_strip = kFlapStripUp - (kFlapStripUp - kFlapStripFirst) * f / kFirstDetent;
        slats = slats_toward_extended(slats);
    } else if (kFirstDetent + kDetentBand < f && f <= kSecondDetent - kDetentBand) {
        self.flap_strip = kFlapStripFirst - (kFlapStripFirst - kFlapStripSecond) * (f - kFirstDetent) /
                                                (kSecondDetent - kFirstDetent);
        slats = kSlatsExtended;
    } else if (kSecondDetent + kDetentBand < f && f <= kFullTravel) {
        const double beyond = (f - kSecondDetent) / (kFullTravel - kSecondDetent);
        self.flap_strip = kFlapStripSecond - kFlapStripSecond * beyond;
        slats = kSlatsExtended - beyond;
    }
    if (slats_powered) self.slat_strip = slats;
}

// Step 4: slats between their stops are in transit. Coming between them arms
// the lamp's flash; reaching a stop ends it.
void watch_slats(double tick) {
    const bool between = kSlatsTransitLow < self.slat_strip && self.slat_strip < kSlatsTransitHigh;
    if (between && self.slats_between_stops == 0) {
        self.slats_in_transit = 1;
        timing::start(self.slat_flash, tick);
    } else if (!between && self.slats_between_stops == 1) {
        self.slats_in_transit = 0;
        timing::stop(self.slat_flash);
    }
    self.slats_between_stops = between ? 1 : 0;
    self.slats_extended = self.slat_strip <= kSlatsOutSteady && self.slats_in_transit == 0 ? 1 : 0;
}

// Step 5: the take-off configuration caution, and the warning with take-off
// thrust.
void check_takeoff_configuration(const HostInputs& in, bool dc_ess) {
    const bool wrong =
        in.on_ground && (in.flap_left > kSecondDetent + kDetentBand || self.slat_strip > kSlatsIn ||
                         in.spoiler_left > kSpoilerOut || in.spoiler_right > kSpoilerOut);
    const bool caution = dc_ess && wrong;
    aircraft.FlapConfigCaution = caution ? 1 : 0;
    aircraft.FlapsFault = caution && in.takeoff_thrust ? 1 : 0;
}

// Step 6: slats or flaps out above their placard speed.
bool placard_exceeded(const HostInputs& in) {
    const double f = in.flap_left;
    const double kt = in.airspeed_kt;
    return (self.slat_strip <= kSlatsIn && f <= 0 && kt > kPlacardSlatsKt) ||
           (kDetentBand < f && f <= kFirstDetent && kt > kPlacardFirstKt) ||
           (kFirstDetent + kDetentBand < f && f <= kSecondDetent && kt > kPlacardSecondKt) ||
           (kSecondDetent + kDetentBand < f && f <= kFullTravel && kt > kPlacardFullKt);
}

// The slat lamp: flashing through a transit, which ends when the flash has
// run its length; at rest, lit while the slats are out.
bool slat_lamp(double tick, bool lamp_test) {
    if (self.slats_in_transit == 1) {
        const bool lit = timing::blink(self.slat_flash, tick, kSlatFlashTicks, timing::FlashEnd::OnTheTick);
        if (self.slat_flash.active == 0) self.slats_in_transit = 0;
        return lit;
    }
    return self.slats_extended == 1 || lamp_test;
}

// Step 7.
void show_lamps(const HostInputs& in, const AircraftState& a) {
    const bool dc_ess = a.DcEssBusPowered == 1;
    const bool lamp_test = a.AnnLightTest == 1;
    if (!dc_ess) {
        timing::stop(self.slat_flash);
        self.slats_in_transit = 0;
        self.slats_between_stops = 0;
    }
    if (a.HydStateYellow != 0 || a.HydStateBlue != 0) {
        const bool spoilers_out = (in.spoiler_left > 0 || in.spoiler_right > 0) && in.spoiler_handle >= 1;
        self.spoiler_lamp = spoilers_out || lamp_test ? 1 : 0;
    }
    light(header, kSpoilersLight, dc_ess, self.spoiler_lamp == 1);
    light(header, kConfigLight, dc_ess, a.FlapConfigCaution == 1 || lamp_test);
    light(header, kSlatsLight, dc_ess, dc_ess && slat_lamp(in.tick, lamp_test));
    light(header, kAsymmetryLight, dc_ess,
          std::fabs(in.flap_left - in.flap_right) >= kAsymmetryUnits || lamp_test);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    for (std::size_t i = 0; i < kFlapDetentCount; ++i) a.FlapDetentPositions[i] = kDetents[i];

    const HostInputs in = read_host();
    const bool dc_ess = a.DcEssBusPowered == 1;
    const bool hydraulics = flap_hydraulics(a);
    if (a.AcBus2Powered == 1 && hydraulics) point_at_lever(in.lever);
    if (a.AcBus2Powered == 1 && dc_ess && hydraulics) {
        const bool green = a.HydStateGreen != 0;
        move_strips(in.lever, in.flap_left, green);
        if (green) watch_slats(in.tick);
    }
    check_takeoff_configuration(in, dc_ess);
    a.FlapPlacardExceeded = dc_ess && placard_exceeded(in) ? 1 : 0;
    show_lamps(in, a);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 108, callback);

}  // namespace kadrimos::gauges::flaps_ind
