#include "autoflight/flight_director.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "autoflight/heading_state.h"
#include "autoflight/modes.h"
#include "panel/units.h"

namespace kadrimos::autoflight {

namespace {

// An angle difference into -180..180.
double wrap_180(double d) {
    while (d > 180.0) d -= 360.0;
    while (d < -180.0) d += 360.0;
    return d;
}

// An error of a few tenths of a degree is no error.
double heading_error(double to_deg, double from_deg, double dead_band) {
    if (!std::isfinite(to_deg) || !std::isfinite(from_deg)) return 0.0;
    const double e = wrap_180(std::fmod(to_deg - from_deg, 360.0));
    return std::fabs(e) <= dead_band ? 0.0 : e;
}

// --- Glide path ---

constexpr double kCaptureBelowPath = -15;  // deviation units
constexpr double kTrackOnPath = 0;
constexpr double kLostBelowPath = -119;
constexpr double kNotDescendingRaw = -250;  // host vertical-speed units
constexpr double kMostAwayFromCourseDeg = 90;

// Above the path by 15 units or more the aircraft dives for it at
// 1500 ft/min; 15 below or more it flies level until the path comes down.
constexpr double kFarAbovePath = 15;
constexpr double kDiveRaw = -1500.0 * units::kHostVerticalSpeedPerFootPerMinute;
constexpr double kCorrectionRawPerUnit = 10;
constexpr double kCorrectionTicks = 20;

// Heights of the three samples (m), the height below which the mean is flown
// (m), and the radio height down to which it is (ft).
constexpr double kSampleHeightsM[] = {240, 220, 202};
constexpr double kMeanBelowM = 200;
constexpr double kMeanDownToFt = 155;

}  // namespace

double nominal_descent(double ias_kt) {
    if (!std::isfinite(ias_kt)) return 0.0;
    return -(ias_kt / 2.0 * 10.0 * units::kHostVerticalSpeedPerFootPerMinute);
}

bool glide_path_receivable(const FdReadings& in) {
    if (!in.gs_valid || !std::isfinite(in.course_deg) || !std::isfinite(in.heading_deg)) return false;
    return std::fabs(heading_error(in.heading_deg, in.course_deg, 0.0)) <= kMostAwayFromCourseDeg;
}

void update_glide_path_capture(const FdReadings& in, GlidePathMemory& m) {
    if (!glide_path_receivable(in)) {
        set_glide_path(GlidePath::NotCaptured);
        m = GlidePathMemory{};
        return;
    }
    const double g = in.gs_deviation;
    if (glide_path() == GlidePath::NotCaptured && g > kCaptureBelowPath && in.vs_raw > kNotDescendingRaw)
        set_glide_path(GlidePath::Captured);
    if (glide_path() == GlidePath::Captured && g >= kTrackOnPath) set_glide_path(GlidePath::Tracking);
    if (g <= kLostBelowPath) set_glide_path(GlidePath::NotCaptured);
}

void update_glide_path_target(const FdReadings& in, GlidePathMemory& m, double radio_height_ft) {
    const double n = nominal_descent(in.ias_kt);
    const double h = in.radio_height_m;
    if (std::isfinite(in.vs_raw))
        for (std::size_t i = 0; i < std::size(kSampleHeightsM); ++i)
            if (h > kSampleHeightsM[i]) m.samples[i] = in.vs_raw;
    m.mean = (m.samples[0] + m.samples[1] + m.samples[2]) / 3.0;

    double& target = aircraft.GsVsTarget;
    if (h > kMeanBelowM) {
        switch (glide_path()) {
            case GlidePath::NotCaptured:
                target = 0.0;
                m.next_correction_tick = 0;
                break;
            case GlidePath::Captured:
                target = n;
                m.next_correction_tick = 0;
                break;
            case GlidePath::Tracking: {
                if (!(in.tick >= m.next_correction_tick)) break;
                m.next_correction_tick = in.tick + kCorrectionTicks;
                const double g = in.gs_deviation;
                if (g <= -kFarAbovePath)
                    target = 0.0;
                else if (g >= kFarAbovePath)
                    target = kDiveRaw;
                else if (std::isfinite(g))
                    target = n - kCorrectionRawPerUnit * g;
                break;
            }
        }
    } else if (h <= kMeanBelowM && radio_height_ft > kMeanDownToFt) {
        target = m.mean;
    }
}

// --- Localiser ---

namespace {

constexpr double kLocaliserBase = 117;
constexpr double kWeakSignalLimit = 300;
// The band edges below the base, each a division of the one before; the last
// two divisors depend on the capture phases.
constexpr double kFirstDivisors[] = {3, 1.5, 1.5};
constexpr double kFourthDivisor[] = {2.5, 2};
constexpr double kZeroDivisor[] = {2, 1.5};
constexpr int kAngles[] = {20, 15, 10, 5, 1, 0};
constexpr double kBankToCaptureDeg = 5;

uint8_t next_phase(uint8_t phase, bool inside) {
    switch (phase) {
        case 0:
            return inside ? 1 : 0;
        case 1:
            return inside ? 1 : 2;
        case 2:
            return inside ? 3 : 2;
        default:
            return inside ? 3 : 0;
    }
}

// The finer divisor the first time in, the coarser after an overshoot.
std::size_t alternative(uint8_t phase) { return phase >= 2 ? 1 : 0; }

}  // namespace

double capture_base(bool localiser_signal, bool approach_coupled, double nav_signal) {
    if (localiser_signal || approach_coupled) return kLocaliserBase;
    if (!(nav_signal > 0)) return 0.0;
    return nav_signal <= kWeakSignalLimit ? nav_signal / 15.0 : nav_signal / 30.0 + 30.0;
}

CaptureBands capture_bands(double base, const LateralCapture& c) {
    CaptureBands b;
    b.base = base;
    double v = base;
    for (std::size_t i = 0; i < std::size(kFirstDivisors); ++i) {
        v /= kFirstDivisors[i];
        b.edge[i] = v;
    }
    b.edge[3] = v / kFourthDivisor[alternative(c.phase_a)];
    b.zero = b.edge[3] / kZeroDivisor[alternative(c.phase_b)];
    return b;
}

void update_capture_phases(double deviation, const CaptureBands& bands, LateralCapture& c) {
    const double d = std::fabs(deviation);
    if (!std::isfinite(d) || d >= bands.base) {
        c = LateralCapture{};
        return;
    }
    c.phase_a = next_phase(c.phase_a, d < bands.edge[2]);
    c.phase_b = next_phase(c.phase_b, d < bands.edge[3]);
}

int intercept_angle(double deviation, const CaptureBands& bands) {
    const double d = std::fabs(deviation);
    if (!std::isfinite(d) || d >= bands.base) return -1;
    static_assert(std::size(kAngles) == std::size(CaptureBands{}.edge) + 2, "an angle a band");
    if (d < bands.zero) return kAngles[5];
    for (int i = 3; i >= 0; --i)
        if (d < bands.edge[i]) return kAngles[i + 1];
    return kAngles[0];
}

int32_t heading_command(double course_deg, double deviation, double heading_deg, const CaptureBands& bands,
                        bool lateral_basic, int32_t previous) {
    const int angle = intercept_angle(deviation, bands);
    const int32_t heading = heading_from_host(heading_deg, previous);
    if (!std::isfinite(course_deg) || !std::isfinite(deviation)) return heading;
    const int32_t course = heading_from_host(course_deg, previous);
    const int a = angle < 0 ? 0 : angle;
    if (lateral_basic) {
        if (deviation < 0) return wrap_heading(static_cast<int64_t>(course) + a);
        if (deviation > 0) return wrap_heading(static_cast<int64_t>(course) - a);
        return heading;
    }
    if (angle < 0 || deviation == 0) return heading;
    return wrap_heading(deviation > 0 ? static_cast<int64_t>(course) + a : static_cast<int64_t>(course) - a);
}

void update_localiser_capture(const FdReadings& in, double base) {
    if (approach_set()) {
        if (std::fabs(in.commanded_bank_deg) > kBankToCaptureDeg && in.heading_hold == 0.0)
            set_loc_captured(true);
    } else if (nav_on()) {
        if (std::fabs(in.loc_deviation) <= base) set_loc_captured(true);
    }
    if (!(in.nav_signal > 0)) set_loc_captured(false);
}

// --- Command bars ---

namespace {

constexpr double kLowStop = 1;
constexpr double kHighStop = 11;
constexpr double kPitchLowStop = 0;
constexpr double kSideStowed = 14;
constexpr double kPitchStowed = -4;
constexpr double kMiddle = 6;

// One step of size `step` towards `target`.
void step_towards(double& v, double target, double step) { v += target > v ? step : -step; }

void limit(double& v, double low) {
    if (v <= low) v = low;
    if (v >= kHighStop) v = kHighStop;
}

}  // namespace

void move_roll_bar(Bar& b, double target, bool fine) {
    if (!std::isfinite(target)) return;
    const double d = std::fabs(target - b.shown);
    if (b.settled == 0) {
        if (d > 1)
            step_towards(b.shown, target, 1);
        else if (d > 0.1)
            step_towards(b.shown, target, 0.05);
        else {
            b.shown = target;
            b.settled = 1;
        }
    } else {
        const double band = fine ? 0.02 : 0.01;
        if (d > band)
            step_towards(b.shown, target, fine ? 0.01 : 0.005);
        else
            b.shown = target;
    }
    limit(b.shown, kLowStop);
}

void move_pitch_bar(Bar& b, double target) {
    if (!std::isfinite(target)) return;
    const double d = std::fabs(target - b.shown);
    if (b.settled == 0 && d > 1) {
        step_towards(b.shown, target, 1);
    } else if (d > 0.2) {
        step_towards(b.shown, target, 0.1);
    } else {
        b.shown = target;
        b.settled = 1;
    }
    limit(b.shown, kPitchLowStop);
}

// The rollout bar's two fine states: a quarter of a unit away or more it
// closes at 0.025 an update, nearer at 0.01.
void move_rollout_bar(Bar& b, double target) {
    if (!std::isfinite(target)) return;
    const double d = std::fabs(target - b.shown);
    if (b.settled == 0 && d > 1) {
        step_towards(b.shown, target, 1);
    } else if (d > 0.05) {
        step_towards(b.shown, target, d >= 0.25 ? 0.025 : 0.01);
    } else {
        b.shown = target;
        b.settled = 1;
    }
    limit(b.shown, kLowStop);
}

void stow_side_bar(Bar& b) {
    b.settled = 0;
    b.centred = 0;
    b.shown = b.shown + 1 >= kSideStowed ? kSideStowed : b.shown + 1;
}

void stow_pitch_bar(Bar& b) {
    b.settled = 0;
    b.centred = 0;
    b.shown = b.shown - 1 <= kPitchStowed ? kPitchStowed : b.shown - 1;
}

// To the middle: a unit at a time from beyond 7 (or 5), then ever finer steps
// to within a hundredth of it.
void centre_roll_bar(Bar& b) {
    struct Step {
        double beyond, by;
    };
    static constexpr Step kSteps[] = {{1, 1}, {0.1, 0.05}, {0.02, 0.01}, {0.01, 0.005}};
    const double d = std::fabs(b.shown - kMiddle);
    for (const Step& s : kSteps)
        if (d > s.beyond) {
            step_towards(b.shown, kMiddle, s.by);
            return;
        }
    b.shown = kMiddle;
    b.centred = 1;
}

void centre_pitch_bar(Bar& b) {
    const double d = std::fabs(b.shown - kMiddle);
    if (d > 1)
        step_towards(b.shown, kMiddle, 1);
    else if (d > 0.2)
        step_towards(b.shown, kMiddle, 0.1);
    else {
        b.shown = kMiddle;
        b.centred = 1;
    }
}

namespace {

// A bank to fly for a heading error beyond the small band: the error's
// upper bound of each band and the bank, mirrored for negative errors.
struct ErrorBand {
    double up_to;
    double value;
};
constexpr double kBeyond = std::numeric_limits<double>::infinity();
constexpr ErrorBand kHeadingSelectBands[] = {{5, 5}, {10, 10}, {15, 15}, {kBeyond, 25}};
// Within 5 degrees the error itself is flown, so the steps start beyond it.
constexpr ErrorBand kLateralBasicBands[] = {{10, 5}, {15, 10}, {kBeyond, 25}};

double by_band(double e, const ErrorBand* bands, std::size_t n) {
    const double m = std::fabs(e);
    for (std::size_t i = 0; i < n; ++i)
        if (m <= bands[i].up_to) return e < 0 ? -bands[i].value : bands[i].value;
    return 0.0;
}

double finite_or_zero(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

double heading_select_error(double selected_deg, double heading_deg, double bank_deg) {
    const double e = heading_error(selected_deg, heading_deg, 0.5);
    if (std::fabs(e) <= 3) return e;
    return by_band(e, kHeadingSelectBands, std::size(kHeadingSelectBands)) + finite_or_zero(bank_deg);
}

double lateral_basic_value(int32_t command_deg, double heading_deg, double bank_deg) {
    const double e = heading_error(command_deg, heading_deg, 0.2);
    if (std::fabs(e) <= 5) return e;
    return by_band(e, kLateralBasicBands, std::size(kLateralBasicBands)) + finite_or_zero(bank_deg);
}

double rollout_error(double course_deg, double heading_deg, double deviation) {
    return 0.75 * (heading_error(course_deg, heading_deg, 0.5) + finite_or_zero(deviation));
}

}  // namespace kadrimos::autoflight
