// "toskelin adi_fd_rulo": the captain's attitude director indicator, and the
// flight director's computer behind it.
//
// The indicator: the sphere (pitch and bank), the lateral, pitch and rollout
// command bars, the localiser and glide-slope deviation pointers, the speed
// error pointer, the turn and sideslip indices, the attitude, localiser and
// glide-slope flags, the FD1/FD2 source lights and the decision-height
// lights, and its test button. Nothing on it jumps: the sphere slews a
// degree an update back to the aircraft's attitude after a loss of power,
// the pointers come in and go out of view 10 units an update, and the bars
// move by their own laws (flight_director.cpp).
//
// The computer (flight_director.h): the glide path's capture and the
// vertical-speed target that the autopilot flies on an approach, the
// localiser capture and its intercept heading for the heading panel.
//
// A loss of the attitude source (the host's attitude or vacuum failure) or
// of the autopilot computer's power disengages the autopilot at once.
//
// Inputs: FdBarsSwitch, the mode bytes and annunciation codes (modes.h),
// SelectedHeading, SelectedSpeed, SelectedAltitude, HoldAltitudeReference,
// ApVsCommand, PitchWheelSetting, HsiCourse, RadioAltitudeFt, DhState,
// AnnLightTest, LandLowInhibit, RunwayGuidanceActive, RolloutActive,
// ApproachCoupled, the supplies (modes.h); tokens 1, 40, 41, 44, 45, 46,
// 49, 61, 65, 69, 74, 78, 80, 84, 106, 276, 288, 614, 794.
// Outputs: LocCaptured, GsCaptured, GsVsTarget, FdHeadingCommand,
// AttitudeFailWarning, ApproachCoupled (the receiver's glideslope bit, which
// the autopilot master then overwrites), NavStatusLocFlag, GsValidFlag, and
// the autopilot's disengagement.
#include <cmath>
#include <cstdint>

#include "autoflight/flight_director.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(adi_fd, "toskelin adi_fd_rulo")

namespace kadrimos::gauges::adi_fd {

constinit autoflight::AdiState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace autoflight;
AdiState& self = state;

constexpr uint32_t kBackground = 7091;
constexpr uint32_t kHelpId = 0xAB0D;      // the simulator's help text for the attitude director
constexpr uint32_t kSphereWindow = 7930;  // the sphere behind it is 7931
constexpr uint32_t kRollBar = 7932;
constexpr uint32_t kPitchBar = 7933;
constexpr uint32_t kRolloutBar = 7934;
constexpr uint32_t kLocPointer = 7935;
constexpr uint32_t kGsPointer = 7936;
constexpr uint32_t kSpeedPointer = 7937;
constexpr uint32_t kTurnIndex = 7938;
constexpr uint32_t kSideslipBall = 7939;
constexpr uint32_t kBezel = 7940;
constexpr uint32_t kAttFlag = 7941;
constexpr uint32_t kLocFlag = 7942;
constexpr uint32_t kGsFlag = 7943;
constexpr uint32_t kFd1Light = 7944;
constexpr uint32_t kFd2Light = 7945;
constexpr uint32_t kDhLight = 7946;
constexpr uint32_t kTestLight = 7947;

// The sphere: 2 pixels a degree of pitch (the shown pitch is 1.4 units a
// degree, nose down positive, which carries the horizon up), a degree of the
// picture for a degree of bank.
constexpr double kPixelsPerPitchUnit = -2.0 / 1.4;
constexpr double kRadiansPerBankDeg = 3.14159265358979 / 180;
// The bars: 16 pixels a unit of travel sideways, 12 up and down, 6 in the
// middle of the sphere; stowed (14, -4) they stand off the sphere, under the
// bezel.
constexpr double kBarPixels = 16;
constexpr double kPitchBarPixels = 12;
// Pointers and indices: pixels a unit of their values.
constexpr double kLocPointerPixels = 0.4;
constexpr double kGsPointerPixels = 0.8;
constexpr double kSpeedPointerPixels = 0.8;
constexpr double kTurnPixels = 1;
constexpr double kBallPixels = 5;

// --- Elements -------------------------------------------------------------------

double FSAPI sphere_bank(ELEMENT_HEADER*) { return self.bank_deg; }
double FSAPI sphere_pitch(ELEMENT_HEADER*) { return self.pitch; }
double FSAPI roll_bar(ELEMENT_HEADER*) { return self.roll_bar.shown; }
double FSAPI pitch_bar(ELEMENT_HEADER*) { return self.pitch_bar.shown; }
double FSAPI rollout_bar(ELEMENT_HEADER*) { return self.rollout_bar.shown; }
double FSAPI loc_pointer(ELEMENT_HEADER*) { return self.loc_pointer; }
double FSAPI gs_pointer(ELEMENT_HEADER*) { return self.gs_pointer; }
double FSAPI speed_pointer(ELEMENT_HEADER*) { return self.speed_pointer; }
double FSAPI turn_index(ELEMENT_HEADER*) { return self.turn; }
double FSAPI sideslip_ball(ELEMENT_HEADER*) { return self.sideslip; }

// Where each slider stands at a value of 0: the bars' middle (6) and the
// pointers' centre values (104, 100, 103) fall on the sphere's centre lines.
constexpr int16_t kCentreX = 167;
constexpr int16_t kCentreY = 125;
constexpr int16_t at_zero(int16_t centre, double centre_value, double pixels) {
    return static_cast<int16_t>(centre - centre_value * pixels);
}

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    sprite_spec("SPHERE", kSphereWindow, {{kCentreX - 110, kCentreY - 110}, {110, 110}}, nullptr, 0,
                sphere_pitch, kPixelsPerPitchUnit, sphere_bank, kRadiansPerBankDeg),
    slider_spec("ROLL command bar",    kRollBar,    {at_zero(kCentreX - 2, 6, kBarPixels), kCentreY - 75},
                roll_bar, kBarPixels, nullptr, 0),
    slider_spec("PITCH command bar",   kPitchBar,   {kCentreX - 75, at_zero(kCentreY - 2, 6, kPitchBarPixels)},
                nullptr, 0, pitch_bar, kPitchBarPixels),
    slider_spec("ROLLOUT command bar", kRolloutBar, {at_zero(kCentreX - 2, 6, kBarPixels), 205},
                rollout_bar, kBarPixels, nullptr, 0),
    icon_spec("ADI bezel", kBezel, {0, 0}, kIconFlags),
    slider_spec("LOC pointer",   kLocPointer,   {at_zero(kCentreX - 4, 104, kLocPointerPixels), 228},
                loc_pointer, kLocPointerPixels, nullptr, 0, kIconFlags | kHidden),
    slider_spec("GS pointer",    kGsPointer,    {293, at_zero(kCentreY - 4, 100, kGsPointerPixels)},
                nullptr, 0, gs_pointer, kGsPointerPixels, kIconFlags | kHidden),
    slider_spec("SPEED pointer", kSpeedPointer, {26, at_zero(kCentreY - 4, 103, kSpeedPointerPixels)},
                nullptr, 0, speed_pointer, kSpeedPointerPixels),
    slider_spec("TURN index",    kTurnIndex,    {kCentreX - 3, 243}, turn_index, kTurnPixels, nullptr, 0),
    slider_spec("SIDESLIP ball", kSideslipBall, {kCentreX - 4, 252}, sideslip_ball, kBallPixels, nullptr, 0),
    icon_spec("ATT flag",  kAttFlag,  {70, 20}),
    icon_spec("LOC flag",  kLocFlag,  {145, 206}),
    icon_spec("GS flag",   kGsFlag,   {262, 60}),
    icon_spec("FD1 light", kFd1Light, {14, 8}),
    icon_spec("FD2 light", kFd2Light, {14, 30}),
    icon_spec("DH light",  kDhLight,  {282, 8}),
    icon_spec("DH test light", kTestLight, {282, 30}),
};
// clang-format on
constexpr int kLocPointerDepth = depth_of(kElements, "LOC pointer");
constexpr int kGsPointerDepth = depth_of(kElements, "GS pointer");
constexpr int kAttFlagDepth = depth_of(kElements, "ATT flag");
constexpr int kLocFlagDepth = depth_of(kElements, "LOC flag");
constexpr int kGsFlagDepth = depth_of(kElements, "GS flag");
constexpr int kFd1Depth = depth_of(kElements, "FD1 light");
constexpr int kFd2Depth = depth_of(kElements, "FD2 light");
constexpr int kDhDepth = depth_of(kElements, "DH light");
constexpr int kTestDepth = depth_of(kElements, "DH test light");

// --- Areas ----------------------------------------------------------------------

constexpr int32_t kTestUpdates = 20;

// The test button: 20 updates more of test, while fewer than 20 remain and
// the autopilot computer is powered.
int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    if (self.test_counter < kTestUpdates && ap_computer_powered()) self.test_counter += kTestUpdates;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("ADI TEST button", {282, 226, 40, 35}, CURSOR_HAND, press_test),
};

// --- Update ---------------------------------------------------------------------

FdReadings read_host() {
    FdReadings in;
    in.tick = host::value<1>();
    in.loc_deviation = host::value<40>();
    in.gs_deviation = host::value<41>();
    const double gs_flag = host::value<44>();
    in.gs_valid = gs_flag == 1.0;
    in.gs_lost = gs_flag == 0.0;
    in.course_deg = host::value<45>();
    in.nav_status = host::bits<46>();
    in.nav_signal = host::value<49>();
    in.ias_kt = host::value<61>();
    in.vs_raw = host::value<65>();
    in.turn_ball = host::value<69>();
    in.altitude_ft = host::value<74>();
    in.pitch_deg = host::value<78>();
    in.bank_deg = host::value<80>();
    in.heading_deg = host::value<84>();
    in.heading_hold = host::value<106>();
    in.attitude_failed = host::bits<276>() == 1 || host::bits<288>() == 1;
    in.radio_height_m = host::value<614>();
    in.commanded_bank_deg = host::value<794>();
    return in;
}

constexpr double kSlewDeg = 1;
constexpr double kCatchDeg = 2;
constexpr double kTestBankDeg = 10;
constexpr double kTestPitch = -14.7;
constexpr double kPitchUnitsPerDeg = 1.4;

// Towards `target` a step an update, and onto it once within 2 (then the
// slew is over). A target that is not a number leaves the display alone.
void slew(double& shown, uint8_t& slewing, double target) {
    if (!std::isfinite(target)) return;
    if (slewing != 0 && std::fabs(target - shown) > kCatchDeg) {
        shown += target > shown ? kSlewDeg : -kSlewDeg;
        return;
    }
    shown = target;
    slewing = 0;
}

// Unpowered, the sphere goes back to level a degree an update.
void level(double& shown, uint8_t& slewing) {
    slewing = 1;
    if (std::fabs(shown) <= kCatchDeg)
        shown = 0;
    else
        shown += shown > 0 ? -kSlewDeg : kSlewDeg;
    if (shown < -180) shown = 179.9;
}

void move_sphere(const FdReadings& in, bool powered) {
    if (!powered) {
        level(self.bank_deg, self.bank_slewing);
        level(self.pitch, self.pitch_slewing);
        return;
    }
    if (self.test_counter > 0) {
        // The test rolls the sphere to 10 degrees and pitches it up.
        if (self.bank_deg > kTestBankDeg + kCatchDeg)
            self.bank_deg -= kSlewDeg;
        else if (self.bank_deg < kTestBankDeg - kCatchDeg)
            self.bank_deg += kSlewDeg;
        // It slews back to the aircraft's attitude after the test.
        self.bank_slewing = 1;
        self.pitch_slewing = 1;
        slew(self.pitch, self.pitch_slewing, kTestPitch);
        self.pitch_slewing = 1;
        return;
    }
    slew(self.bank_deg, self.bank_slewing, in.bank_deg);
    slew(self.pitch, self.pitch_slewing, in.pitch_deg * kPitchUnitsPerDeg);
}

// A deviation pointer comes into view 10 units an update until within 10 of
// its value, then follows it; out of use it goes 10 an update back to 0,
// where it is out of view.
constexpr double kPointerStep = 10;
void move_pointer(const GAUGEHDR& g, int depth, double& p, bool in_use, double value) {
    if (in_use && std::isfinite(value)) {
        if (std::fabs(value - p) <= kPointerStep)
            p = value;
        else
            p += value > p ? kPointerStep : -kPointerStep;
    } else {
        p = p - kPointerStep <= 0 ? 0 : p - kPointerStep;
    }
    set_visible(g, depth, p > 0);
}

// The speed error pointer: 103 on the selected speed, one unit a knot, to
// its stops 50 knots either way.
double speed_pointer_value(double ias_kt) {
    if (!std::isfinite(ias_kt)) return 103;
    const double e = ias_kt - aircraft.SelectedSpeed;
    if (e > 50) return 53;
    if (e < -50) return 153;
    return 103 - e;
}

double finite_or_zero(double v) { return std::isfinite(v) ? v : 0.0; }

// The roll bar's error by the lateral annunciation code.
void run_roll_bar(const FdReadings& in, bool bars_usable) {
    Bar& bar = self.roll_bar;
    const uint8_t code = aircraft.FdLateralAnnunciation;
    if (!bars_usable || code < 1 || code > 4) {
        stow_side_bar(bar);
        return;
    }
    if (code == 1) {
        const double v = lateral_basic_value(aircraft.FdHeadingCommand, in.heading_deg, in.bank_deg);
        move_roll_bar(bar, (120.0 - v) / 20.0, false);
        return;
    }
    double x = 0;
    if (code == 2) {
        x = heading_select_error(aircraft.SelectedHeading, in.heading_deg, in.bank_deg);
    } else if ((in.nav_status & (kNavStatusGlideslope | kNavStatusLocaliser)) != 0) {
        x = finite_or_zero(in.bank_deg) - finite_or_zero(in.commanded_bank_deg);
    }
    const bool low = aircraft.LandLowInhibit != 0;
    if (code == 4 && low && bar.centred == 0) {
        centre_roll_bar(bar);
        return;
    }
    if (!low) bar.centred = 0;
    move_roll_bar(bar, bar_target(x), low);
}

// The vertical speed the altitude modes fly towards their altitude.
constexpr double kCaptureBandFt = 300;
constexpr double kCaptureGain = 3.5;
constexpr double kToHoldFpm = 500;
double altitude_mode_vs(double altitude_ft) {
    if (!std::isfinite(altitude_ft)) return aircraft.ApVsCommand;
    if (vertical_mode() == Vertical::HoldPresent) {
        const double h = aircraft.HoldAltitudeReference;
        if (altitude_ft > h + kCaptureBandFt) return -kToHoldFpm;
        if (altitude_ft < h - kCaptureBandFt) return kToHoldFpm;
        return (h - altitude_ft) * kCaptureGain;
    }
    const double s = aircraft.SelectedAltitude;
    if (std::fabs(s - altitude_ft) <= kCaptureBandFt) return (s - altitude_ft) * kCaptureGain;
    return aircraft.ApVsCommand;
}

void run_pitch_bar(const FdReadings& in, bool bars_usable) {
    Bar& bar = self.pitch_bar;
    const uint8_t code = aircraft.FdVerticalAnnunciation;
    if (!bars_usable || code < 1 || code > 5) {
        stow_pitch_bar(bar);
        return;
    }
    const double vs = units::feet_per_minute(in.vs_raw);
    double x = 0;
    switch (code) {
        case 1:
            x = -(aircraft.PitchWheelSetting + in.pitch_deg) * 4;
            break;
        case 2:
            x = -(aircraft.ApVsCommand - vs) / 50;
            break;
        case 3:
        case 4:
            x = -(altitude_mode_vs(in.altitude_ft) - vs) / 50;
            break;
        default:
            if (aircraft.LandLowInhibit != 0) {
                if (bar.centred == 0) centre_pitch_bar(bar);
                return;
            }
            bar.centred = 0;
            x = gs_captured() ? -(aircraft.GsVsTarget / units::kHostVerticalSpeedPerFootPerMinute - vs) / 50
                              : vs / 50;
            break;
    }
    move_pitch_bar(bar, bar_target(x));
}

void run_rollout_bar(const FdReadings& in, bool powered) {
    Bar& bar = self.rollout_bar;
    if (!powered || (aircraft.RunwayGuidanceActive == 0 && aircraft.RolloutActive == 0)) {
        stow_side_bar(bar);
        return;
    }
    move_rollout_bar(bar, bar_target(rollout_error(in.course_deg, in.heading_deg, in.loc_deviation)) + 0.1);
}

// The localiser and glide path, every update whatever is shown.
void run_computer(const FdReadings& in) {
    const bool loc_signal = (in.nav_status & kNavStatusLocaliser) != 0;
    aircraft.NavStatusLocFlag = loc_signal ? 1 : 0;
    aircraft.ApproachCoupled = (in.nav_status & kNavStatusGlideslope) != 0 ? 1 : 0;

    update_glide_path_capture(in, self.glide_path);
    aircraft.GsValidFlag = glide_path_receivable(in) ? 1 : 0;
    update_glide_path_target(in, self.glide_path, aircraft.RadioAltitudeFt);

    const double base = capture_base(loc_signal, aircraft.ApproachCoupled != 0, in.nav_signal);
    update_localiser_capture(in, base);
    CaptureBands bands = capture_bands(base, self.capture);
    update_capture_phases(in.loc_deviation, bands, self.capture);
    bands = capture_bands(base, self.capture);
    aircraft.FdHeadingCommand =
        heading_command(aircraft.HsiCourse, in.loc_deviation, in.heading_deg, bands,
                        aircraft.FdLateralAnnunciation == 1, aircraft.FdHeadingCommand);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const FdReadings in = read_host();
    const bool annunciators = annunciators_powered();
    const bool computer = ap_computer_powered();
    const bool powered = annunciators && computer;

    run_computer(in);

    // The attitude: a failed source or no computer power drops the autopilot.
    const bool attitude_bad = in.attitude_failed || !computer;
    if (attitude_bad) disengage_autopilots();
    const bool att_flag = attitude_bad || !annunciators;
    aircraft.AttitudeFailWarning = att_flag ? 1 : 0;
    set_visible(header, kAttFlagDepth, att_flag);

    move_sphere(in, powered);
    if (self.test_counter > 0) --self.test_counter;

    const bool loc_signal = (in.nav_status & kNavStatusLocaliser) != 0;
    move_pointer(header, kLocPointerDepth, self.loc_pointer, powered && loc_signal && in.nav_signal > 0,
                 in.loc_deviation * 1.4173 + 104);
    move_pointer(header, kGsPointerDepth, self.gs_pointer, powered && in.gs_valid,
                 in.gs_deviation * 0.418 + 100);
    self.speed_pointer = speed_pointer_value(in.ias_kt);
    self.turn = finite_or_zero(in.turn_ball) * 0.33;
    self.sideslip = finite_or_zero(in.turn_ball) * 0.0315;

    set_visible(header, kLocFlagDepth, !powered || (loc_signal && !(in.nav_signal > 0)));
    set_visible(header, kGsFlagDepth,
                !powered || ((in.nav_status & kNavStatusGlideslope) != 0 && in.gs_lost));
    const FdCommand source = fd_command();
    set_visible(header, kFd1Depth, source == FdCommand::Fd1 || source == FdCommand::Both);
    set_visible(header, kFd2Depth, source == FdCommand::Fd2);
    const bool test = aircraft.AnnLightTest != 0;
    light(header, kDhDepth, annunciators, aircraft.DhState == 1 || test);
    light(header, kTestDepth, annunciators, test);

    const bool supplied = (channel_first_supply(1) || annunciators) && instrument_supply();
    const bool bars_usable = aircraft.FdBarsSwitch == 1 && supplied && !att_flag;
    run_roll_bar(in, bars_usable);
    run_pitch_bar(in, bars_usable);
    run_rollout_bar(in, powered);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 334, callback, kHelpId);

}  // namespace kadrimos::gauges::adi_fd
