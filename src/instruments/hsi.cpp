// "toskelin hsi_rulo": the horizontal situation indicator.
//
// A compass card turned to the gyro heading; over it the course arrow set
// to the first navigation receiver's course, with its TO/FROM pointers and
// the deviation bar displaced by the localiser or radial deviation; the
// heading marker on the selected heading; the drift pointer on the track;
// the glide-slope pointer; the DME distance in whole miles; the receiver's
// mode legend (VOR or ILS) and the GPS annunciator when the GPS drives the
// receiver.
//
// The HSI lives on the AC essential bus with the instrument loads at least
// at their landing level, and instrument bus 1. Without them the pointers
// and the distance stand where they were and the flags drop. A host
// heading-instrument failure (token 282) drops the HSI flag and
// disconnects both autopilots, which must not fly on a heading they no
// longer have.
//
// The course the flight director steers, HsiCourse, is the receiver's
// course corrected by the drift, published at every update.
//
// Inputs: AcEssBusPowered, BattLoadLevel, InstrBus1Powered,
// SelectedHeading; tokens 40 (deviation, +-127), 41 (glide-slope
// deviation, +-120), 43 (0 none, 1 TO, 2 FROM), 44 (glide slope received,
// 1.0), 45 (course, degrees), 46 (status word: 0x40 glide slope), 49
// (signal), 84 (gyro heading), 282 (integer, 1: failed), 551 and 552
// (forward and sideways ground speed), 848 (GPS drives the receiver, 1.0),
// 860 (the HSI's DME distance, nm, negative: none; the variable before it,
// 859, is the DME's ground speed, not a distance).
// Outputs: HsiCourse, HsiInop; ApEngageState, ApLever1On, ApLever2On,
// ApMasterSeenOn (cleared on the heading failure).
#include <cmath>
#include <cstdint>
#include <numbers>

#include "autoflight/modes.h"
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

KADRIMOS_GAUGE_WITH_STATE(hsi, "toskelin hsi_rulo")

namespace kadrimos::gauges::hsi {

constinit instruments::HsiState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace instruments::nav;
instruments::HsiState& self = state;

constexpr uint32_t kBackground = 7088;
constexpr uint32_t kVorLegendBitmap = 8330;
constexpr uint32_t kIlsLegendBitmap = 8331;
constexpr uint32_t kCardWindow = 8332;  // the card behind it is 8333
constexpr uint32_t kHsiFlagBitmap = 8334;
constexpr uint32_t kGsPointerBitmap = 8335;
constexpr uint32_t kGsFlagBitmap = 8336;
constexpr uint32_t kCourseTailBitmap = 8337;
constexpr uint32_t kFromBitmap = 8338;
constexpr uint32_t kToBitmap = 8339;
constexpr uint32_t kNavFlagBitmap = 8340;
constexpr uint32_t kDriftBitmap = 8341;
constexpr uint32_t kBugBitmap = 8342;
constexpr uint32_t kCourseArrowBitmap = 8343;
constexpr uint32_t kDeviationWindow = 8344;  // the bar behind it is 8345
constexpr uint32_t kAircraftBitmap = 8346;
constexpr uint32_t kDrumWindow = 8347;  // one digit strip, 8348, for the three drums
constexpr uint32_t kDmeFlagBitmap = 8349;
constexpr uint32_t kGpsBitmap = 8350;

constexpr double kCardRadiansPerDeg = -std::numbers::pi / 180;
constexpr double kGsPixelsPerUnit = 0.418;       // +-120 of the receiver: +-50 pixels
constexpr double kDeviationPixelsPerUnit = 0.3;  // +-127 of the receiver: +-38 pixels
constexpr uint32_t kGlideSlopeBit = 0x40;
constexpr uint8_t kLandingLoads = 1;  // battery load level: the landing loads at least

// The HSI's angles: 360 (and 0 and 720) straight up, clockwise, over two
// turns so that a course up to a turn beyond the heading needs no wrap.
constexpr PIXPOINT kCentre = {139, 111};
template <int R>
constinit NONLINEARITY hsi_scale[] = {
    {{139, 111 - R}, 0, 0},   {{139 + R, 111}, 90, 0},  {{139, 111 + R}, 180, 0},
    {{139 - R, 111}, 270, 0}, {{139, 111 - R}, 360, 0}, {{139 + R, 111}, 450, 0},
    {{139, 111 + R}, 540, 0}, {{139 - R, 111}, 630, 0}, {{139, 111 - R}, 720, 0},
};

double FSAPI card(ELEMENT_HEADER*) { return self.card_deg; }
double FSAPI course(ELEMENT_HEADER*) { return clamp_write_back<uint32_t>(self.course_angle, 0, 720); }
double FSAPI bug(ELEMENT_HEADER*) { return clamp_write_back<uint32_t>(self.bug_angle, 0, 720); }
double FSAPI drift(ELEMENT_HEADER*) { return clamp_write_back<uint32_t>(self.drift_angle, 0, 720); }
double FSAPI glideslope(ELEMENT_HEADER*) { return clamp_write_back(self.glideslope, -50.0, 50.0); }

bool powered() { return aircraft.AcEssBusPowered == 1 && aircraft.BattLoadLevel >= kLandingLoads; }

// The bar lies on the course: centred without power.
double FSAPI deviation(ELEMENT_HEADER*) {
    return powered() ? clamp_write_back(self.deviation, -127.0, 127.0) : 0;
}

double FSAPI dme_hundreds(ELEMENT_HEADER*) { return hsi_drums(self.distance_nm).hundreds; }
double FSAPI dme_tens(ELEMENT_HEADER*) { return hsi_drums(self.distance_nm).tens; }
double FSAPI dme_units(ELEMENT_HEADER*) { return hsi_drums(self.distance_nm).units; }

constexpr Placement kArrow = {kCentre, {70, 5}};

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("VOR legend", kVorLegendBitmap, {20, 14}, kIconFlags),
    icon_spec("ILS legend", kIlsLegendBitmap, {20, 14}, kIconFlags),
    sprite_spec("HSI card", kCardWindow, {{39, 11}, {100, 100}}, nullptr, 0, nullptr, 0, card, kCardRadiansPerDeg),
    icon_spec("HSI flag", kHsiFlagBitmap, {60, 60}, kIconFlags),
    slider_spec("GS pointer", kGsPointerBitmap, {250, 105}, nullptr, 0, glideslope, 1, kIconFlags),
    icon_spec("GS flag", kGsFlagBitmap, {246, 90}, kIconFlags),
    needle_spec("COURSE tail",  kCourseTailBitmap, kArrow, course, hsi_scale<70>),
    needle_spec("FROM pointer", kFromBitmap,       kArrow, course, hsi_scale<70>),
    needle_spec("TO pointer",   kToBitmap,         kArrow, course, hsi_scale<70>),
    needle_spec("NAV flag",     kNavFlagBitmap,    kArrow, course, hsi_scale<70>),
    needle_spec("DRIFT pointer",  kDriftBitmap, {kCentre, {92, 4}}, drift, hsi_scale<92>),
    needle_spec("HEADING marker", kBugBitmap,   {kCentre, {96, 6}}, bug,   hsi_scale<96>),
    needle_spec("COURSE arrow", kCourseArrowBitmap, kArrow, course, hsi_scale<70>),
    sprite_spec("DEVIATION bar", kDeviationWindow, {{69, 41}, {70, 70}}, deviation, kDeviationPixelsPerUnit,
                nullptr, 0, course, std::numbers::pi / 180),
    icon_spec("AIRCRAFT symbol", kAircraftBitmap, {127, 100}, kIconFlags),
    drum_spec("DME hundreds drum", kDrumWindow, {14, 190}, dme_hundreds),
    drum_spec("DME tens drum",     kDrumWindow, {24, 190}, dme_tens),
    drum_spec("DME units drum",    kDrumWindow, {34, 190}, dme_units),
    icon_spec("DME flag", kDmeFlagBitmap, {14, 190}, kIconFlags),
    icon_spec("GPS annunciator", kGpsBitmap, {230, 14}),
};
// clang-format on
constexpr int kVorLegend = depth_of(kElements, "VOR legend");
constexpr int kIlsLegend = depth_of(kElements, "ILS legend");
constexpr int kHsiFlag = depth_of(kElements, "HSI flag");
constexpr int kGsPointer = depth_of(kElements, "GS pointer");
constexpr int kGsFlag = depth_of(kElements, "GS flag");
constexpr int kFrom = depth_of(kElements, "FROM pointer");
constexpr int kTo = depth_of(kElements, "TO pointer");
constexpr int kNavFlag = depth_of(kElements, "NAV flag");
constexpr int kDmeFlag = depth_of(kElements, "DME flag");
constexpr int kGps = depth_of(kElements, "GPS annunciator");

// The course, drift and marker angles, and the course published for the
// flight director.
void steer() {
    const double side = finite_or(host::value<552>(), 0.0);
    self.drift_deg = drift_angle_deg(host::value<551>(), side);
    aircraft.HsiCourse = drift_corrected_course(host::value<45>(), self.drift_deg, side);
    if (!powered()) return;
    const double heading = host::value<84>();
    self.course_angle = relative_angle(heading, host::value<45>());
    self.bug_angle = relative_angle(heading, aircraft.SelectedHeading);
    self.drift_angle = drift_pointer(self.drift_deg, side);
}

// TO/FROM: 0 (none, the NAV flag), 1 TO, 2 FROM; with power only.
void to_from() {
    const uint32_t indication = host::bits<43>();
    if (!powered() || indication > 2) return;
    show_one_of(header, {kNavFlag, kTo, kFrom}, static_cast<int>(indication));
}

void receiver_pointers() {
    if (powered()) show_one_of(header, {kVorLegend, kIlsLegend}, (host::bits<46>() & kGlideSlopeBit) != 0);
    const bool gs_valid = host::value<44>() == 1.0;
    const bool gs_shown = gs_valid && powered();
    set_visible(header, kGsPointer, gs_shown);
    set_visible(header, kGsFlag, !gs_shown);
    if (!(host::value<49>() > 0)) set_visible(header, kNavFlag, true);
    if (gs_shown) self.glideslope = finite_or(host::value<41>(), 0.0) * kGsPixelsPerUnit;
    if (powered()) {
        self.card_deg = finite_or(host::value<84>(), self.card_deg);
        self.deviation = finite_or(host::value<40>(), 0.0);
    }
}

// The failure flags, and the autopilots dropped on a heading failure.
void failures() {
    const bool heading_lost = host::bits<282>() == 1;
    const bool supplied = aircraft.AcEssBusPowered == 1 && aircraft.InstrBus1Powered == 1;
    if (supplied) {
        if (!heading_lost) {
            aircraft.HsiInop = 0;
            set_visible(header, kHsiFlag, false);
        }
    } else {
        aircraft.HsiInop = 1;
        for (int e : {kNavFlag, kGsFlag, kHsiFlag, kDmeFlag}) set_visible(header, e, true);
        for (int e : {kTo, kFrom, kGsPointer}) set_visible(header, e, false);
    }
    if (heading_lost) {
        autoflight::disengage_autopilots();
        aircraft.HsiInop = 1;
        set_visible(header, kHsiFlag, true);
    } else if (powered()) {
        if (aircraft.InstrBus1Powered == 1) aircraft.HsiInop = 0;
        set_visible(header, kHsiFlag, false);
    }
    set_visible(header, kGps, host::value<848>() == 1.0 && aircraft.AcEssBusPowered == 1);
}

// The distance, while both supplies feed the DME indication.
void distance() {
    if (aircraft.AcEssBusPowered != 1 || aircraft.InstrBus1Powered != 1) return;
    const double nm = host::value<860>();
    if (nm < 0) {
        set_visible(header, kDmeFlag, true);
    } else if (nm >= 0) {
        self.distance_nm = nm;
        set_visible(header, kDmeFlag, false);
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    steer();
    to_from();
    receiver_pointers();
    failures();
    distance();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 279, callback);

}  // namespace kadrimos::gauges::hsi
