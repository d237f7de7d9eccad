// "toskelin adf_rulo" and "toskelin rmi_rulo": the ADF bearing indicator
// and the radio magnetic indicator.
//
// Both carry a compass card turned to the gyro heading and two bearing
// needles, which point at the stations over the card. The ADF indicator's
// needles follow the two ADF receivers; its card is fed by the AC
// essential bus, its needles by the AC essential normal or DC normal bus,
// with the instrument loads on (battery load level 2). Shedding those loads
// on the external-power panel parks the needles and drops the flag without
// raising the caution. Its self-test (requested from the ADF control head)
// swings both needles to 315 for 35 ticks.
//
// The RMI's needles follow the two VOR receivers (receiver 1 on the AC
// essential bus, receiver 2 on AC bus 2); a receiver tuned to a localiser
// has no bearing and its needle parks at 0. Its two DME windows show the
// distances in tenths of a mile; a receiver with no distance keeps the last
// figures under the window's cover, and one with no signal shows its flag.
//
// A host heading-instrument failure (token 282) stops both cards and
// raises both instruments' failure flags; a navigation failure (token 285)
// raises the RMI's receiver flags.
//
// Inputs: AcEssBusPowered, AcEssNormPowered, DcNormBusPowered,
// AcBus2Powered, BattLoadLevel, AdfTestRequest; tokens 1 (ticks), 31 and 35
// (DME distances, nm, negative: none), 39 (bearing to ADF 1's station), 46
// and 55 (receivers' status words: 0x80 localiser, 0x40 glide slope), 49 and
// 58 (signals), 59 and 550 (bearings to the stations of receivers 2 and 1),
// 84 (gyro heading), 282 and 285 (integers, 1: failed); the calculator's
// "(A:ADF Radial:2,radians)".
// Outputs: AdfInop, RmiInop, AdfTestRequest (cleared at the end of a test).
#include <cmath>
#include <cstdint>
#include <numbers>

#include "instruments/nav_indicators.h"
#include "instruments/nav_indicators_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/timing.h"

KADRIMOS_GAUGE_WITH_STATE(adf, "toskelin adf_rulo")
KADRIMOS_GAUGE_WITH_STATE(rmi, "toskelin rmi_rulo")

namespace kadrimos::instruments::nav {
namespace {

// A compass card turns against the heading, so that the heading stands
// under the lubber line at the top.
constexpr double kCardRadiansPerDeg = -std::numbers::pi / 180;

// A bearing needle's scale: its value is the angle clockwise from pointing
// right (see bearing_needle), once round.
template <int X, int Y, int R>
constinit NONLINEARITY bearing_scale[] = {
    {{X + R, Y}, 0, 0}, {{X, Y + R}, 90, 0}, {{X - R, Y}, 180, 0}, {{X, Y - R}, 270, 0}, {{X + R, Y}, 360, 0},
};

bool heading_failed() { return host::bits<282>() == 1; }
bool navigation_failed() { return host::bits<285>() == 1; }

// A keeps-its-value heading for a card: a heading that is not a number
// leaves the card where it stands.
void turn_card(double& card_deg) { card_deg = finite_or(host::value<84>(), card_deg); }

}  // namespace
}  // namespace kadrimos::instruments::nav

// --- ADF indicator ------------------------------------------------------------------

namespace kadrimos::gauges::adf {

constinit instruments::AdfIndicatorState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace instruments::nav;
instruments::AdfIndicatorState& self = state;

constexpr uint32_t kBackground = 7086;
constexpr uint32_t kCardWindow = 8300;  // the card behind it is 8301
constexpr uint32_t kNeedle2Bitmap = 8302;
constexpr uint32_t kNeedle1Bitmap = 8303;
constexpr uint32_t kCoverBitmap = 8304;
constexpr uint32_t kFlagBitmap = 8305;

// The second receiver's bearing comes in radians, turned into degrees by
// the aircraft's own factor.
constexpr const char* kAdf2Radial = "(A:ADF Radial:2,radians)";
constexpr double kAdf2DegPerRadian = 180 / 3.14116;
constexpr double kTestNeedle = 315;
constexpr double kTestTicks = 35;
constexpr uint8_t kLoadsOn = 2;  // battery load level with the instrument loads

double FSAPI card(ELEMENT_HEADER*) { return self.card_deg; }
double FSAPI needle1(ELEMENT_HEADER*) { return clamp_write_back(self.needle1, 0.0, 360.0); }
double FSAPI needle2(ELEMENT_HEADER*) { return clamp_write_back(self.needle2, 0.0, 360.0); }

constexpr PIXPOINT kCentre = {90, 72};
constexpr PIXPOINT kNeedlePivot = {44, 5};

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    sprite_spec("ADF card", kCardWindow, {{26, 8}, {64, 64}}, nullptr, 0, nullptr, 0, card, kCardRadiansPerDeg),
    needle_spec("ADF 2 needle", kNeedle2Bitmap, {kCentre, kNeedlePivot}, needle2, bearing_scale<90, 72, 50>),
    needle_spec("ADF 1 needle", kNeedle1Bitmap, {kCentre, kNeedlePivot}, needle1, bearing_scale<90, 72, 50>),
    icon_spec("ADF cover", kCoverBitmap, {18, 0}, kIconFlags),
    icon_spec("ADF flag",  kFlagBitmap,  {118, 24}),
};
// clang-format on
constexpr int kFlag = depth_of(kElements, "ADF flag");

bool needles_supplied() { return aircraft.AcEssNormPowered == 1 || aircraft.DcNormBusPowered == 1; }

// The self-test, once its request is in: both needles at 315 until the
// 35 ticks are out, then the request is answered.
void self_test() {
    const double now = finite_or(host::value<1>(), 0.0);
    if (!timing::is_set(self.test_end)) timing::set_until(self.test_end, now, std::trunc(now + kTestTicks));
    if (!timing::due(self.test_end, now)) {
        self.needle1 = kTestNeedle;
        self.needle2 = kTestNeedle;
        return;
    }
    timing::clear(self.test_end);
    aircraft.AdfTestRequest = 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool failed = heading_failed();
    if (aircraft.AcEssBusPowered == 1 && !failed && aircraft.BattLoadLevel != 0) turn_card(self.card_deg);

    if (needles_supplied() && aircraft.BattLoadLevel == kLoadsOn) {
        const double bearing2 = host::calculate(kAdf2Radial) * kAdf2DegPerRadian;
        if (aircraft.AdfTestRequest == 1) {
            self_test();
        } else {
            self.needle1 = bearing_needle(host::value<39>());
            self.needle2 = bearing_needle(bearing2);
        }
    } else {
        self.needle1 = 0;
        self.needle2 = 0;
    }

    if (!failed && needles_supplied()) aircraft.AdfInop = 0;
    const bool flagged = failed || !needles_supplied() || aircraft.BattLoadLevel != kLoadsOn;
    set_visible(header, kFlag, flagged);
    if (flagged) aircraft.AdfInop = aircraft.BattLoadLevel == kLoadsOn ? 1 : 0;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 181, callback);

}  // namespace kadrimos::gauges::adf

// --- RMI ----------------------------------------------------------------------------

namespace kadrimos::gauges::rmi {

constinit instruments::RmiState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace instruments::nav;
using instruments::RmiState;
RmiState& self = state;

constexpr uint32_t kBackground = 7087;
constexpr uint32_t kDrumWindow = 8310;  // one digit strip, 8311, for all eight drums
constexpr uint32_t kCoverBitmap = 8312;
constexpr uint32_t kNoSignalBitmap = 8313;
constexpr uint32_t kCardWindow = 8314;  // the card behind it is 8315
constexpr uint32_t kNeedle2Bitmap = 8316;
constexpr uint32_t kNeedle1Bitmap = 8317;
constexpr uint32_t kBezelBitmap = 8318;
constexpr uint32_t kFlagBitmap = 8319;  // three flags, 8319 to 8321

// A receiver tuned to a localiser (0x80) or a glide slope (0x40) gives no
// bearing.
constexpr uint32_t kIlsBits = 0x80 | 0x40;

template <double RmiState::*Distance>
double FSAPI hundreds(ELEMENT_HEADER*) {
    return rmi_drums(self.*Distance).hundreds;
}
template <double RmiState::*Distance>
double FSAPI tens(ELEMENT_HEADER*) {
    return rmi_drums(self.*Distance).tens;
}
template <double RmiState::*Distance>
double FSAPI miles(ELEMENT_HEADER*) {
    return rmi_drums(self.*Distance).miles;
}
template <double RmiState::*Distance>
double FSAPI tenths(ELEMENT_HEADER*) {
    return rmi_drums(self.*Distance).tenths;
}
constexpr auto kD1 = &RmiState::distance1_tenths;
constexpr auto kD2 = &RmiState::distance2_tenths;

double FSAPI card(ELEMENT_HEADER*) { return self.card_deg; }
double FSAPI needle1(ELEMENT_HEADER*) { return clamp_write_back(self.needle1, 0.0, 360.0); }
double FSAPI needle2(ELEMENT_HEADER*) { return clamp_write_back(self.needle2, 0.0, 360.0); }

constexpr PIXPOINT kCentre = {90, 80};
constexpr PIXPOINT kNeedlePivot = {40, 5};

// Drums from right to left: tenths, miles, tens, hundreds; window 1 at the
// top left, window 2 at the top right.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    drum_spec("DME 1 tenths drum",   kDrumWindow, {43, 4},  tenths<kD1>),
    drum_spec("DME 1 miles drum",    kDrumWindow, {33, 4},  miles<kD1>),
    drum_spec("DME 1 tens drum",     kDrumWindow, {23, 4},  tens<kD1>),
    drum_spec("DME 1 hundreds drum", kDrumWindow, {13, 4},  hundreds<kD1>),
    drum_spec("DME 2 tenths drum",   kDrumWindow, {158, 4}, tenths<kD2>),
    drum_spec("DME 2 miles drum",    kDrumWindow, {148, 4}, miles<kD2>),
    drum_spec("DME 2 tens drum",     kDrumWindow, {138, 4}, tens<kD2>),
    drum_spec("DME 2 hundreds drum", kDrumWindow, {128, 4}, hundreds<kD2>),
    icon_spec("DME 1 cover",         kCoverBitmap,    {13, 4},  kIconFlags),
    icon_spec("DME 2 cover",         kCoverBitmap,    {128, 4}, kIconFlags),
    icon_spec("DME 1 no signal flag", kNoSignalBitmap, {13, 20},  kIconFlags),
    icon_spec("DME 2 no signal flag", kNoSignalBitmap, {128, 20}, kIconFlags),
    sprite_spec("RMI card", kCardWindow, {{30, 20}, {60, 60}}, nullptr, 0, nullptr, 0, card, kCardRadiansPerDeg),
    needle_spec("RMI 2 needle", kNeedle2Bitmap, {kCentre, kNeedlePivot}, needle2, bearing_scale<90, 80, 45>),
    needle_spec("RMI 1 needle", kNeedle1Bitmap, {kCentre, kNeedlePivot}, needle1, bearing_scale<90, 80, 45>),
    icon_spec("RMI bezel", kBezelBitmap, {26, 16}, kIconFlags),
    icon_spec("RMI flag",          kFlagBitmap,     {60, 44}),
    icon_spec("RMI 2 supply flag", kFlagBitmap + 1, {126, 110}),
    icon_spec("RMI 1 supply flag", kFlagBitmap + 2, {30, 110}),
};
// clang-format on
constexpr int kCover1 = depth_of(kElements, "DME 1 cover");
constexpr int kCover2 = depth_of(kElements, "DME 2 cover");
constexpr int kNoSignal1 = depth_of(kElements, "DME 1 no signal flag");
constexpr int kNoSignal2 = depth_of(kElements, "DME 2 no signal flag");
constexpr int kFlag = depth_of(kElements, "RMI flag");
constexpr int kSupplyFlag2 = depth_of(kElements, "RMI 2 supply flag");
constexpr int kSupplyFlag1 = depth_of(kElements, "RMI 1 supply flag");

// One receiver's side of the instrument: its supply, its variables, its
// needle, distance and window.
struct Receiver {
    bool powered;
    uint32_t status;
    double signal;
    double bearing;
    double dme_nm;
};

double needle_of(const Receiver& r) {
    if (!r.powered || (r.status & kIlsBits) != 0) return 0;
    return bearing_needle(r.bearing);
}

// A distance 0 or more is taken (in tenths); none (negative, or not a
// number) keeps the last.
void take_distance(const Receiver& r, double& tenths) {
    if (r.powered && r.dme_nm >= 0) tenths = r.dme_nm * 10;
}

// The window's cover is down without a signal or a distance; its flag
// without a signal.
void show_window(const Receiver& r, int cover, int no_signal) {
    const bool no_signal_now = !(r.signal > 0) || !r.powered;
    set_visible(header, no_signal, no_signal_now);
    set_visible(header, cover, no_signal_now || r.dme_nm < 0);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool ess = aircraft.AcEssBusPowered == 1;
    const bool bus2 = aircraft.AcBus2Powered == 1;
    const bool heading_lost = heading_failed();
    const bool nav_lost = navigation_failed();
    if (ess && !heading_lost) turn_card(self.card_deg);

    const Receiver r1 = {ess, ess ? host::bits<46>() : 0u, host::value<49>(), host::value<550>(),
                         host::value<31>()};
    const Receiver r2 = {bus2, bus2 ? host::bits<55>() : 0u, host::value<58>(), host::value<59>(),
                         host::value<35>()};
    self.needle1 = needle_of(r1);
    self.needle2 = needle_of(r2);
    take_distance(r1, self.distance1_tenths);
    take_distance(r2, self.distance2_tenths);

    uint8_t& inop = aircraft.RmiInop;
    if (!heading_lost && !nav_lost && ess && bus2) inop = 0;
    const bool flag = heading_lost || !ess;
    const bool flag2 = !bus2 || nav_lost;
    const bool flag1 = !ess || nav_lost;
    set_visible(header, kFlag, flag);
    set_visible(header, kSupplyFlag2, flag2);
    set_visible(header, kSupplyFlag1, flag1);
    if (flag || flag1 || flag2) inop = 1;

    show_window(r1, kCover1, kNoSignal1);
    show_window(r2, kCover2, kNoSignal2);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 181, callback);

}  // namespace kadrimos::gauges::rmi
