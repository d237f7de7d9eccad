// "toskelin n1_calc_rulo": the thrust rating computer.
//
// Six push-buttons select the rating (T.O., FLX T.O., GA, MCT, CL, CR); a
// second press on the lit one deselects it. The computer works out the N1
// limit of the selected rating every update and publishes it as TrcN1Target,
// which the N1 command indexes and the autothrottle follow, and as the N1
// reference N1IndexManual. Its face shows the total air temperature (with a
// + or - light) and the target; two thumbwheels set the flexible take-off
// temperature. TEST lights everything and shows 88 and 888.8 for 20
// updates.
//
// The computer runs on AC bus 1. Without it the buttons do nothing, the
// read-outs go blank, a cover drops over the face, and the last target
// stands. The thumbwheels are mechanical and turn without power.
//
// A reading the computer cannot use (not a number) holds the last target
// instead of computing one from it: the altitude always, the outside air
// temperature for T.O., FLX T.O., GA and CR, the total air temperature for
// MCT and CL, the standard atmosphere's temperature for CR. An engine N1 that is not a number is
// left out of the deviation; with neither engine readable it stands.
//
// Inputs: AcBus1Powered, WingAntiIceOn, TrcMode; tokens 350 (total air
// temperature, 1/256 degree units), 341 (outside air temperature, degrees C),
// 800 (standard atmosphere temperature at the aircraft's altitude, degrees C), 73 (altitude, m), 883 and
// 884 (engine anti-ice), 625 and 644 (N2), 624 and 643 (N1).
// Outputs: TrcMode (buttons), TrcN1Target, N1IndexManual, N1Deviation.
#include <algorithm>
#include <cmath>
#include <cstdint>

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
#include "systems/engines/thrust_rating.h"
#include "systems/engines/trc_state.h"

KADRIMOS_GAUGE_WITH_STATE(n1_calc, "toskelin n1_calc_rulo")

namespace kadrimos::gauges::n1_calc {

constinit engines::TrcState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace engines;

TrcState& self = state;

constexpr uint32_t kBackground = 5758;
constexpr uint32_t kLegendsBitmap = 5764;
constexpr uint32_t kWhiteLight = 5770;
constexpr uint32_t kAmberLight = 5767;
constexpr uint32_t kPlusBitmap = 5780;
constexpr uint32_t kMinusBitmap = 5777;
constexpr uint32_t kFlexWindow = 5773;  // its strip is 5774
constexpr uint32_t kCoverBitmap = 5761;

constexpr uint8_t kTestUpdates = 20;
constexpr double kKelvinOffset = 273;
constexpr double kTotalAirScale = 256;    // the host's read-out token is in 1/256 degree
constexpr double kEngineSpoolingN2 = 15;  // percent

// The read-outs: amber figures on the display's dark blue. The temperature
// has two characters, the target five ("115.5").
constexpr TextStyle kTempWindow = {{29, 28}, 0x93FF, 0x323249, 0x93FF, 2};
constexpr TextStyle kN1Window = {{73, 28}, 0x93FF, 0x323249, 0x93FF, 5};
constexpr double kLargestTemp = 99;   // what two figures can show
constexpr double kLargestN1 = 999.9;  // what five characters can show, one decimal
constexpr double kSmallestN1 = -99.9;

// The FLX windows roll the short way between 9 and 0, through the strip's
// cell past the 9.
constexpr drum::Travel kFlexTravel = {8.9, 9.9, 9.9};

// --- Read-outs -------------------------------------------------------------------

double FSAPI temperature_readout(ELEMENT_HEADER* e) {
    ELEMENT_STRING& window = as_string(e);
    if (self.powered == 0) {
        write_text(window, "  ");
        return 0;
    }
    if (self.testing != 0) {
        write_text(window, "88");
        return 88;
    }
    const double shown = std::min<double>(std::abs(static_cast<int>(self.temperature_c)), kLargestTemp);
    write_fixed(window, shown, 2, 0);
    return shown;
}

double FSAPI n1_readout(ELEMENT_HEADER* e) {
    ELEMENT_STRING& window = as_string(e);
    const double target = aircraft.TrcN1Target;
    if (self.powered == 0 || target != target) {
        write_text(window, "    ");
        return 0;
    }
    if (self.testing != 0) {
        write_text(window, "888.8");
        return 888.8;
    }
    const double shown = std::clamp(target, kSmallestN1, kLargestN1);
    write_fixed(window, shown, 3, 1);
    return shown;
}

template <int Wheel>
double FSAPI flex_drum(ELEMENT_HEADER*) {
    double& position = self.drum_positions[Wheel];
    position = drum::animated_position(position, self.drum_digits[Wheel], kFlexTravel);
    return position;
}

// --- Elements --------------------------------------------------------------------

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("mode legends",    kLegendsBitmap, {18, 60}),
    icon_spec("T.O. light",      kWhiteLight,    {17, 47}),
    icon_spec("FLX T.O. light",  kAmberLight,    {54, 47}),
    icon_spec("GA light",        kWhiteLight,    {92, 47}),
    icon_spec("MCT light",       kWhiteLight,    {17, 93}),
    icon_spec("CL light",        kWhiteLight,    {54, 93}),
    icon_spec("CR light",        kWhiteLight,    {92, 93}),
    icon_spec("+ sign light",    kPlusBitmap,    {84, 3}),
    icon_spec("- sign light",    kMinusBitmap,   {85, 20}),
    string_spec("TEMP read-out", {7, 0},  kTempWindow, temperature_readout, 0),
    string_spec("N1 read-out",   {94, 0}, kN1Window,   n1_readout, 0),
    drum_spec("FLX tens drum",   kFlexWindow, {24, 151}, flex_drum<0>),
    drum_spec("FLX units drum",  kFlexWindow, {49, 151}, flex_drum<1>),
    icon_spec("cover",           kCoverBitmap,   {5, 0}),
};
// clang-format on
constexpr int kLegends = depth_of(kElements, "mode legends");
constexpr int kFirstModeLight = depth_of(kElements, "T.O. light");  // then in TrcMode order
constexpr int kPlus = depth_of(kElements, "+ sign light");
constexpr int kMinus = depth_of(kElements, "- sign light");
constexpr int kCover = depth_of(kElements, "cover");
static_assert(depth_of(kElements, "CR light") == kFirstModeLight + kTrcRatingCount - 1);

// --- Areas -----------------------------------------------------------------------

template <uint8_t Rating>
int32_t FSAPI rating_button(PIXPOINT*, uint32_t) {
    if (aircraft.AcBus1Powered != 1) return 0;
    aircraft.TrcMode = aircraft.TrcMode == Rating ? uint8_t{kTrcNone} : Rating;
    return 0;
}

template <int Wheel, int Delta>
int32_t FSAPI turn_wheel(PIXPOINT*, uint32_t) {
    uint8_t& digit = Wheel == 0 ? self.flex_tens : self.flex_units;
    step_wrap(digit, Delta, 10);
    return 0;
}

int32_t FSAPI test_button(PIXPOINT*, uint32_t) {
    if (aircraft.AcBus1Powered != 1) return 0;
    if (self.test_counter < kTestUpdates)
        self.test_counter = static_cast<uint8_t>(self.test_counter + kTestUpdates);
    return 0;
}

// clang-format off
constexpr AreaSpec kAreas[] = {
    area("T.O. button",          {11, 37, 35, 47},  CURSOR_HAND, rating_button<kTrcTakeOff>),
    area("FLX T.O. button",      {48, 37, 35, 47},  CURSOR_HAND, rating_button<kTrcFlexTakeOff>),
    area("GA button",            {85, 37, 35, 47},  CURSOR_HAND, rating_button<kTrcGoAround>),
    area("MCT button",           {11, 84, 35, 47},  CURSOR_HAND, rating_button<kTrcMaxContinuous>),
    area("CL button",            {48, 84, 35, 47},  CURSOR_HAND, rating_button<kTrcClimb>),
    area("CR button",            {85, 84, 35, 47},  CURSOR_HAND, rating_button<kTrcCruise>),
    knob_area("FLX tens up",     {11, 131, 33, 26}, CURSOR_UPARROW,   turn_wheel<0, 1>),
    knob_area("FLX tens down",   {11, 157, 33, 26}, CURSOR_DOWNARROW, turn_wheel<0, -1>),
    knob_area("FLX units up",    {44, 131, 33, 26}, CURSOR_UPARROW,   turn_wheel<1, 1>),
    knob_area("FLX units down",  {44, 157, 33, 26}, CURSOR_DOWNARROW, turn_wheel<1, -1>),
    knob_area("TEST button",     {89, 145, 35, 35}, CURSOR_HAND, test_button),
};
// clang-format on

// --- Update ----------------------------------------------------------------------

bool finite(double v) { return finite_or(v, 0.0) == v; }

// The rating's N1, from this update's readings; false (and the last target
// left standing) when a reading the rating needs is not a number.
bool compute_target(uint8_t rating) {
    const double altitude_m = host::value<73>();
    const double outside_c = host::value<341>();
    const double total_raw = host::value<350>();
    const double cruise_ref_c = host::value<800>();
    const bool uses_outside_air = rating != kTrcMaxContinuous && rating != kTrcClimb;
    if (!finite(altitude_m) || (uses_outside_air && !finite(outside_c)) ||
        (!uses_outside_air && !finite(total_raw)) || (rating == kTrcCruise && !finite(cruise_ref_c)))
        return false;

    RatingInputs in;
    in.altitude_ft = altitude_m * units::kFeetPerMetre;
    in.outside_air_k = to_integer<int32_t>(outside_c + kKelvinOffset);
    in.total_air_c = self.temperature_c;
    in.cruise_ref_k = to_integer<int32_t>(cruise_ref_c + kKelvinOffset);
    in.flex_temp_c = self.flex_tens * 10 + self.flex_units;
    // A nacelle reading that is not a number fails the comparison: no bleed.
    in.engine_anti_ice = host::value<883>() + host::value<884>() > 0;
    in.wing_anti_ice = aircraft.WingAntiIceOn;
    in.engine_below_idle = host::value<625>() < kEngineSpoolingN2 || host::value<644>() < kEngineSpoolingN2;
    aircraft.TrcN1Target = rating_n1(rating, in);
    aircraft.N1IndexManual = aircraft.TrcN1Target;
    return true;
}

// How far the faster engine stands above (or below) the N1 reference.
void publish_deviation() {
    const double n1_1 = host::value<624>();
    const double n1_2 = host::value<643>();
    const bool ok1 = finite(n1_1), ok2 = finite(n1_2);
    if (!ok1 && !ok2) return;
    const double highest = ok1 && ok2 ? std::max(n1_1, n1_2) : ok1 ? n1_1 : n1_2;
    aircraft.N1Deviation = highest - aircraft.N1IndexManual;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool powered = aircraft.AcBus1Powered == 1;
    self.powered = powered ? 1 : 0;
    set_visible(header, kLegends, powered);

    // The test shows for as many updates as the counter held when it began.
    self.testing = self.test_counter > 0 ? 1 : 0;
    if (self.test_counter > 0) --self.test_counter;

    if (powered) {
        self.temperature_c = to_integer<int8_t>(host::value<350>() * kTotalAirScale);
        self.drum_digits[0] = self.flex_tens;
        self.drum_digits[1] = self.flex_units;
    }

    const bool testing = self.testing != 0;
    for (uint8_t r = 1; r <= kTrcRatingCount; ++r)
        set_visible(header, kFirstModeLight + r - 1, powered && (testing || aircraft.TrcMode == r));
    set_visible(header, kPlus, powered && (testing || self.temperature_c >= 1));
    set_visible(header, kMinus, powered && (testing || self.temperature_c < 0));

    if (powered) {
        if (aircraft.TrcMode != kTrcNone) compute_target(aircraft.TrcMode);
        publish_deviation();
    }
    set_visible(header, kCover, !powered);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 128, callback);

}  // namespace kadrimos::gauges::n1_calc
