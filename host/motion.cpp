#include "motion.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace kadrimos::host_sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFeetToMetres = 0.3048;
constexpr double kKnotToMetresPerSecond = 1852.0 / 3600.0;
constexpr double kKnotToFeetPerSecond = 1852.0 / 3600.0 / 0.3048;
constexpr double kKnotToFeetPerMinute = kKnotToFeetPerSecond * 60.0;
constexpr double kGravity = 9.80665;  // m/s2

// The standard atmosphere: sea level, the lapse rate up to the tropopause.
constexpr double kSeaLevelK = 288.15;
constexpr double kLapseKPerFt = 0.0019812;
constexpr double kTropopauseFt = 36089.2388;
constexpr double kTropopauseK = 216.65;
constexpr double kSeaLevelSoundKt = 661.4786;
constexpr double kZeroCelsiusK = 273.15;

// Static pressure over the sea-level pressure, every 1000 ft from -2000 ft
// to 60000 ft: (1 - 6.8755856e-6 h)^5.2558797 below the tropopause and
// 0.2233609 e^(-4.806346e-5 (h - 36089.2388)) above it, worked out once.
constexpr double kPressureRatio[] = {
    1.074421182, 1.036669929, 1.000000000, 0.964387537, 0.929809052, 0.896241420, 0.863661876, 0.832048013,
    0.801377781, 0.771629477, 0.742781751, 0.714813594, 0.687704341, 0.661433665, 0.635981577, 0.611328417,
    0.587454858, 0.564341897, 0.541970855, 0.520323375, 0.499381413, 0.479127244, 0.459543451, 0.440612926,
    0.422318865, 0.404644767, 0.387574429, 0.371091945, 0.355181699, 0.339828369, 0.325016915, 0.310732584,
    0.296960903, 0.283687676, 0.270898982, 0.258581172, 0.246720866, 0.235304948, 0.224320567, 0.213794338,
    0.203761676, 0.194199813, 0.185086658, 0.176401152, 0.168123229, 0.160233761, 0.152714520, 0.145548132,
    0.138718039, 0.132208459, 0.126004353, 0.120091385, 0.114455893, 0.109084856, 0.103965864, 0.099087089,
    0.094437260, 0.090005631, 0.085781964, 0.081756500, 0.077919937, 0.074263412, 0.070778475,
};
constexpr double kTableStepFt = 1000.0;
static_assert(std::size(kPressureRatio) ==
                  static_cast<std::size_t>((kHighestAltitudeFt - kLowestAltitudeFt) / kTableStepFt) + 1,
              "one pressure ratio every 1000 ft over the model's altitudes");

// The body angles the model never goes beyond, and how fast it rolls and
// pitches towards the manoeuvre's attitude.
constexpr double kHighestPitchDeg = 25.0;
constexpr double kLowestPitchDeg = -20.0;
constexpr double kPitchRateDegPerS = 3.0;
constexpr double kRollRateDegPerS = 5.0;

// Angle of attack of the clean wing: 2 degrees at 250 kt in level flight,
// growing with the load factor and as the square of the speed falls.
constexpr double kAoaReferenceKt = 250.0;
constexpr double kAoaAtReferenceDeg = 2.0;
constexpr double kAoaZeroLiftDeg = -1.0;
constexpr double kHighestAoaDeg = 15.0;
constexpr double kLowestAoaDeg = -2.0;

// A manoeuvre is there when what is left is within this of its last step:
// sums of steps such as 1/18 of 3 degrees carry rounding, and a turn of 90
// degrees at 3 deg/s must end at its 540th update, not one later.
constexpr double kThere = 1e-9;

// The simulator's autopilot: it turns at the standard rate, intercepts the
// localiser at up to 30 degrees (a degree for every 100 ft off the
// centreline) and turns towards the heading that asks at half a degree a
// second for every degree still to go; it follows the glideslope at the
// path's own descent, corrected by 6 ft/min for every foot off the path,
// never climbing to it and never sinking faster than 2500 ft/min.
constexpr double kApTurnRateDegPerS = 3.0;
constexpr double kApInterceptDegPerFt = 0.01;
constexpr double kApLargestInterceptDeg = 30.0;
constexpr double kApHeadingGainPerS = 0.5;
constexpr double kApPathGainFpmPerFt = 6.0;
constexpr double kApSteepestPathFpm = -2500.0;
constexpr double kApPathToTheGroundFt = 100.0;

// The ILS: the localiser at the runway's far end, 10000 ft beyond the
// threshold; the glideslope's antenna abeam the touchdown zone, 1000 ft
// beyond it. The localiser is received within 35 degrees of the course and
// 25 nm, the glideslope within 8 degrees and 10 nm; full scale is 2.5
// degrees of the localiser and 0.7 degrees of the glideslope.
constexpr double kFeetPerNm = 1852.0 / 0.3048;
constexpr double kLocaliserBeyondThresholdFt = 10000.0;
constexpr double kGlideslopeBeyondThresholdFt = 1000.0;
// The marker beacons before the threshold: outer (4.5 nm), middle, inner.
constexpr double kMarkerBeforeThresholdFt[] = {4.5 * kFeetPerNm, 3500.0, 1000.0};
constexpr double kMarkerFanRatio = 0.7;
constexpr double kMarkerFanLeastFt = 300.0;
constexpr double kMarkerFanAcrossFt = 4000.0;
constexpr double kLocaliserCoverageDeg = 35.0;
constexpr double kLocaliserRangeFt = 25.0 * kFeetPerNm;
constexpr double kGlideslopeCoverageDeg = 8.0;
constexpr double kGlideslopeRangeFt = 10.0 * kFeetPerNm;
constexpr double kLocaliserFullScaleDeg = 2.5;
constexpr double kLocaliserFullScale = 127.0;
constexpr double kGlideslopeFullScaleDeg = 0.7;
constexpr double kGlideslopeFullScale = 120.0;
constexpr double kIlsSignal = 1000.0;
constexpr uint32_t kIlsStatusWord = 0xC0;  // 0x80 localiser, 0x40 glideslope

// (1 + 0.2 M^2)^3.5, the ratio of total to static pressure at Mach M, with
// x = 1 + 0.2 M^2.
double power_3_5(double x) { return x * x * x * std::sqrt(x); }

// atan(t) for |t| <= tan(pi/8): the series up to t^31 (error below 1e-14).
double arctan_series(double t) {
    const double t2 = t * t;
    double sum = 0.0;
    for (int k = 31; k >= 3; k -= 2) sum = (sum + ((k / 2) % 2 == 0 ? 1.0 : -1.0) / k) * t2;
    return t * (1.0 + sum);
}

double wrap_degrees(double d) {
    if (!(d == d)) return 0.0;
    while (d < 0.0) d += 360.0;
    while (d >= 360.0) d -= 360.0;
    return d;
}

double clamp(double v, double low, double high) { return v < low ? low : v > high ? high : v; }

// Numbers as the timeline prints them: to a tenth, without a trailing ".0".
std::string amount(double v) {
    if (v == 0.0) v = 0.0;  // no "-0"
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s == "-0" ? "0" : s;
}
std::string feet(double v) { return amount(v) + " ft"; }
std::string knots(double v) { return amount(v) + " kt"; }
std::string mhz(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.2f MHz", v);
    return buf;
}
std::string heading_text(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%05.1f", v);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return "heading " + s;
}

}  // namespace

// --- The standard atmosphere ---------------------------------------------------

double isa_temperature_k(double altitude_ft) {
    return altitude_ft < kTropopauseFt ? kSeaLevelK - kLapseKPerFt * altitude_ft : kTropopauseK;
}

double isa_pressure_ratio(double altitude_ft) {
    if (!(altitude_ft == altitude_ft)) return altitude_ft;
    const double h = clamp(altitude_ft, kLowestAltitudeFt, kHighestAltitudeFt);
    const double position = (h - kLowestAltitudeFt) / kTableStepFt;
    const double below = std::floor(position);
    auto i = static_cast<std::size_t>(below);
    if (i + 1 >= std::size(kPressureRatio)) return kPressureRatio[std::size(kPressureRatio) - 1];
    return kPressureRatio[i] + (position - below) * (kPressureRatio[i + 1] - kPressureRatio[i]);
}

// The pitot's impact pressure for the airspeed at sea level, over the static
// pressure where the aircraft flies, gives the Mach number:
// (1 + 0.2 M^2)^3.5 = 1 + ((1 + 0.2 (V / a0)^2)^3.5 - 1) / delta. Solved by
// halving an interval a fixed number of times: the same steps everywhere.
double mach_from_airspeed(double airspeed_kt, double pressure_ratio) {
    if (!(airspeed_kt > 0.0) || !(pressure_ratio > 0.0)) return 0.0;
    const double v = airspeed_kt / kSeaLevelSoundKt;
    const double wanted = (power_3_5(1.0 + 0.2 * v * v) - 1.0) / pressure_ratio + 1.0;
    if (!(wanted < power_3_5(1.2))) return 1.0;
    double low = 0.0, high = 1.0;
    for (int i = 0; i < 60; ++i) {
        const double m = 0.5 * (low + high);
        (power_3_5(1.0 + 0.2 * m * m) < wanted ? low : high) = m;
    }
    return 0.5 * (low + high);
}

double speed_of_sound_kt(double temperature_k) {
    return kSeaLevelSoundKt * std::sqrt(temperature_k / kSeaLevelK);
}

double arctan_deg(double x) {
    if (!(x == x)) return x;
    const bool negative = x < 0.0;
    double a = negative ? -x : x;
    const bool inverted = a > 1.0;
    if (inverted) a = 1.0 / a;  // atan(a) = pi/2 - atan(1/a)
    // atan(a) = pi/4 + atan((a - 1) / (a + 1)) brings a above tan(pi/8) down.
    constexpr double kTanPiOver8 = 0.41421356237309503;
    double r = a > kTanPiOver8 ? kPi / 4.0 + arctan_series((a - 1.0) / (a + 1.0)) : arctan_series(a);
    if (inverted) r = kPi / 2.0 - r;
    const double deg = r * 180.0 / kPi;
    return negative ? -deg : deg;
}

double cosine_deg(double degrees) {
    if (!(degrees == degrees) || degrees > 1e6 || degrees < -1e6) return std::nan("");
    double d = wrap_degrees(degrees < 0.0 ? -degrees : degrees);
    if (d > 180.0) d = 360.0 - d;
    const bool back = d > 90.0;  // cos(d) = -cos(180 - d)
    if (back) d = 180.0 - d;
    const double r = d * kPi / 180.0;
    const double r2 = r * r;
    // The series up to r^16: below 1e-12 over 0..pi/2.
    double sum = 0.0;
    for (int k = 16; k >= 2; k -= 2) sum = (sum + ((k / 2) % 2 == 0 ? 1.0 : -1.0)) * r2 / (k * (k - 1));
    const double c = 1.0 + sum;
    return back ? -c : c;
}

namespace {

double sine_deg(double degrees) { return cosine_deg(90.0 - degrees); }

// The signed difference from `from` to `to`, -180 (exclusive) to 180: the
// short way round, right positive; exactly opposite turns right.
double short_way(double from, double to) {
    const double d = wrap_degrees(to - from);
    return d > 180.0 ? d - 360.0 : d;
}

// A host flag is on while it reads exactly 1.
bool on(double flag) { return flag == 1.0; }

}  // namespace

// --- Commands ------------------------------------------------------------------

bool is_motion_verb(const std::string& verb) {
    for (const char* v : {"aircraft", "terrain", "temperature", "climb", "descend", "accelerate",
                          "decelerate", "turn", "level", "ils"})
        if (verb == v) return true;
    return false;
}

bool AircraftMotion::drives(uint32_t token) {
    for (const DrivenVariable& d : kDrivenVariables)
        if (d.token == token) return true;
    return false;
}

bool AircraftMotion::drives_now(uint32_t token) const {
    if (!active_) return false;
    if (drives(token)) return true;
    if (ils_.placed)
        for (const DrivenVariable& d : kIlsVariables)
            if (d.token == token) return true;
    return false;
}

std::vector<MotionNote> AircraftMotion::take_notes() {
    std::vector<MotionNote> out;
    out.swap(notes_);
    return out;
}

void AircraftMotion::start(Manoeuvre& m, double target, double rate, const std::string& text,
                           const std::string& from) {
    if (m.running) {
        const std::string where = &m == &vertical_  ? feet(altitude_ft_)
                                  : &m == &terrain_ ? "terrain " + feet(terrain_ft_)
                                  : &m == &speed_   ? knots(airspeed_kt_)
                                                    : heading_text(heading_deg_);
        end(m, "stopped", "at " + where);
    }
    m = {true, target, rate, 0, text};
    note("start", text + ", from " + from);
}

void AircraftMotion::end(Manoeuvre& m, const std::string& what, const std::string& where) {
    note(what, what + " " + where + " over " + std::to_string(m.updates) + " updates by: " + m.text);
    m.running = false;
}

std::string AircraftMotion::command(const MotionCommand& c) {
    using K = MotionCommand::Kind;
    const auto rate_or = [&c](double fallback) { return c.rate > 0.0 ? c.rate : fallback; };
    switch (c.kind) {
        case K::Place: {
            if (!c.on_ground && !(c.value > terrain_ft_))
                return "the aircraft would be at or below the terrain (" + feet(terrain_ft_) +
                       "): place it on the ground, or lower the terrain first";
            active_ = true;
            if (vertical_.running) end(vertical_, "stopped", "at " + feet(altitude_ft_));
            if (speed_.running) end(speed_, "stopped", "at " + knots(airspeed_kt_));
            if (turn_.running) end(turn_, "stopped", "at " + heading_text(heading_deg_));
            if (terrain_.running) end(terrain_, "stopped", "at terrain " + feet(terrain_ft_));
            on_ground_ = c.on_ground;
            altitude_ft_ = c.value;
            if (on_ground_) terrain_ft_ = c.value;
            airspeed_kt_ = c.speed_kt;
            vertical_speed_fpm_ = 0.0;
            if (c.has_heading) heading_deg_ = c.heading_deg;
            bank_deg_ = 0.0;
            pitch_deg_ = pitch_target_deg();
            note("place", std::string("aircraft ") + (on_ground_ ? "on ground " : "") + "at " +
                              feet(altitude_ft_) + ", " + knots(airspeed_kt_) + ", " +
                              heading_text(heading_deg_) + ", terrain " + feet(terrain_ft_));
            return {};
        }
        case K::Terrain:
            if (c.rate > 0.0 && c.value != terrain_ft_) {
                const bool up = c.value > terrain_ft_;
                start(terrain_, c.value, up ? c.rate : -c.rate,
                      std::string("terrain ") + (up ? "rising" : "falling") + " to " + feet(c.value) +
                          " at " + amount(c.rate) + " fpm",
                      "terrain " + feet(terrain_ft_));
                return {};
            }
            if (terrain_.running) end(terrain_, "stopped", "at terrain " + feet(terrain_ft_));
            terrain_ft_ = c.value;
            note("terrain", "terrain " + feet(terrain_ft_));
            if (active_) settle();
            return {};
        case K::Temperature:
            isa_offset_k_ = c.value;
            note("temperature", "temperature ISA" +
                                    (c.value == 0.0 ? std::string()
                                                    : (c.value > 0.0 ? " +" : " ") + amount(c.value) + " C"));
            return {};
        default:
            break;
    }
    if (!active_) return "the aircraft has not been placed: an 'aircraft' statement comes first";
    switch (c.kind) {
        case K::Climb: {
            if (c.value < altitude_ft_)
                return "the aircraft is at " + feet(altitude_ft_) + ", above " + feet(c.value) +
                       ": use 'descend'";
            const double rate = rate_or(kDefaultClimbFpm);
            start(vertical_, c.value, rate, "climb to " + feet(c.value) + " at " + amount(rate) + " fpm",
                  feet(altitude_ft_));
            if (altitude_ft_ == c.value) end(vertical_, "reached", feet(c.value));
            return {};
        }
        case K::Descend: {
            if (on_ground_)
                return "the aircraft is on the ground at " + feet(altitude_ft_) + ": it cannot descend";
            if (c.value > altitude_ft_)
                return "the aircraft is at " + feet(altitude_ft_) + ", below " + feet(c.value) +
                       ": use 'climb'";
            const double rate = rate_or(kDefaultDescentFpm);
            start(vertical_, c.value, -rate, "descend to " + feet(c.value) + " at " + amount(rate) + " fpm",
                  feet(altitude_ft_));
            if (altitude_ft_ == c.value) end(vertical_, "reached", feet(c.value));
            return {};
        }
        case K::Accelerate:
        case K::Decelerate: {
            const bool faster = c.kind == K::Accelerate;
            if (faster ? c.value < airspeed_kt_ : c.value > airspeed_kt_)
                return "the aircraft flies at " + knots(airspeed_kt_) + (faster ? ", above " : ", below ") +
                       knots(c.value) + (faster ? ": use 'decelerate'" : ": use 'accelerate'");
            const double rate =
                rate_or(on_ground_ ? kDefaultGroundAccelerationKtPerS : kDefaultAirAccelerationKtPerS);
            start(speed_, c.value, faster ? rate : -rate,
                  std::string(faster ? "accelerate" : "decelerate") + " to " + knots(c.value) + " at " +
                      amount(rate) + " kt/s",
                  knots(airspeed_kt_));
            if (airspeed_kt_ == c.value) end(speed_, "reached", knots(c.value));
            return {};
        }
        case K::TurnLeft:
        case K::TurnRight: {
            const bool right = c.kind == K::TurnRight;
            const double rate = rate_or(kStandardRateDegPerS);
            start(turn_, c.value, right ? rate : -rate,
                  std::string("turn ") + (right ? "right" : "left") + " to " + heading_text(c.value) +
                      " at " + amount(rate) + " deg/s",
                  heading_text(heading_deg_));
            if (heading_deg_ == c.value) end(turn_, "reached", heading_text(c.value));
            return {};
        }
        case K::LevelOff:
            if (vertical_.running) end(vertical_, "stopped", "at " + feet(altitude_ft_));
            vertical_speed_fpm_ = 0.0;
            note("level", "level off at " + feet(altitude_ft_));
            return {};
        case K::Ils: {
            // The threshold ahead of the aircraft along its heading, and to
            // the side of that line.
            const double ahead = c.distance_nm * kFeetPerNm;
            const double side = c.offset_nm * kFeetPerNm;
            const double sh = sine_deg(heading_deg_), ch = cosine_deg(heading_deg_);
            ils_.placed = true;
            ils_.course_deg = c.value;
            ils_.sin_course = sine_deg(c.value);
            ils_.cos_course = cosine_deg(c.value);
            ils_.threshold_east = east_ft_ + ahead * sh + side * ch;
            ils_.threshold_north = north_ft_ + ahead * ch - side * sh;
            ils_.elevation_ft = c.has_elevation ? c.elevation_ft : terrain_ft_;
            ils_.glideslope_deg = c.glideslope_deg;
            ils_.tan_glideslope = sine_deg(c.glideslope_deg) / cosine_deg(c.glideslope_deg);
            ils_.frequency_mhz = c.frequency_mhz;
            marker_ = 0;
            note("ils",
                 "ILS course " + amount(c.value) + ", threshold " + amount(c.distance_nm) + " nm ahead" +
                     (c.offset_nm == 0.0 ? std::string()
                                         : ", " + amount(c.offset_nm < 0.0 ? -c.offset_nm : c.offset_nm) +
                                               " nm " + (c.offset_nm < 0.0 ? "left" : "right")) +
                     ", elevation " + feet(ils_.elevation_ft) + ", glideslope " + amount(c.glideslope_deg) +
                     " deg" + (c.frequency_mhz == 0.0 ? std::string() : ", " + mhz(c.frequency_mhz)));
            return {};
        }
        default:
            return {};
    }
}

// --- One update ----------------------------------------------------------------

void AircraftMotion::settle() {
    if (!on_ground_ && altitude_ft_ <= terrain_ft_) {
        note("touchdown", "touched down at " + feet(terrain_ft_) + ", " + knots(airspeed_kt_) + ", " +
                              amount(-vertical_speed_fpm_) + " fpm down");
        on_ground_ = true;
        if (vertical_.running)
            end(vertical_, vertical_.target == terrain_ft_ ? "reached" : "stopped",
                vertical_.target == terrain_ft_ ? feet(terrain_ft_)
                                                : "on the ground at " + feet(terrain_ft_));
    }
    if (on_ground_) {
        altitude_ft_ = terrain_ft_;
        vertical_speed_fpm_ = 0.0;
    }
}

// A turbofan gives most of its N1 in the first part of the lever's travel:
// the N1 grows as the square root of the travel, so that take-off thrust
// (some 105 % on this engine) lies near 80 % of it and the full travel
// reaches the highest rating's limit.
double n1_for_lever(double lever_fraction) {
    const double f = lever_fraction == lever_fraction ? clamp(lever_fraction, 0.0, 1.0) : 0.0;
    return kIdleN1 + (kFullThrottleN1 - kIdleN1) * std::sqrt(f);
}

double spool_n1(double n1, double lever_fraction) {
    const double from = std::isfinite(n1) ? n1 : kIdleN1;
    const double target = n1_for_lever(lever_fraction);
    if (target > from) return std::fmin(from + kSpoolUpPerS * AircraftMotion::kUpdateSeconds, target);
    return std::fmax(from - kSpoolDownPerS * AircraftMotion::kUpdateSeconds, target);
}

double n2_for_n1(double n1) {
    return kIdleN2 + (n1 - kIdleN1) * (kFullThrottleN2 - kIdleN2) / (kFullThrottleN1 - kIdleN1);
}

double n1_to_hold(double airspeed_kt, double altitude_ft, double vertical_speed_fpm) {
    return 30.0 + 0.15 * airspeed_kt + 0.005 * vertical_speed_fpm + 0.0002 * altitude_ft;
}

double thrust_acceleration(double n1, double airspeed_kt, double altitude_ft, double vertical_speed_fpm) {
    if (!std::isfinite(n1)) return 0.0;
    const double a = 0.1 * (n1 - n1_to_hold(airspeed_kt, altitude_ft, vertical_speed_fpm));
    return clamp(a, -kMostThrustAccelerationKtPerS, kMostThrustAccelerationKtPerS);
}

// The speed in the air while no manoeuvre moves it: the airspeed hold flies
// its reference, else the thrust of commanded throttles works against the
// drag. The speed never goes below 0.
void AircraftMotion::fly_thrust() {
    if (speed_.running || on_ground_) return;
    if (thrust_.airspeed_hold && std::isfinite(thrust_.reference_kt)) {
        const double step = kAirspeedHoldKtPerS * kUpdateSeconds;
        const double to_go = thrust_.reference_kt - airspeed_kt_;
        airspeed_kt_ += clamp(to_go, -step, step);
    } else if (thrust_.throttles_commanded) {
        airspeed_kt_ +=
            thrust_acceleration(thrust_.n1, airspeed_kt_, altitude_ft_, vertical_speed_fpm_) * kUpdateSeconds;
    }
    if (airspeed_kt_ < 0.0) airspeed_kt_ = 0.0;
}

void AircraftMotion::step() {
    if (!active_) return;
    fly_autopilot();
    // Speed.
    if (speed_.running) {
        ++speed_.updates;
        airspeed_kt_ += speed_.rate * kUpdateSeconds;
        if (speed_.rate > 0.0 ? airspeed_kt_ >= speed_.target - kThere
                              : airspeed_kt_ <= speed_.target + kThere) {
            airspeed_kt_ = speed_.target;
            end(speed_, "reached", knots(speed_.target));
        }
    }
    fly_thrust();
    // Vertical: a climb lifts the aircraft off; reaching the terrain puts it
    // down, whatever the descent's target.
    if (vertical_.running) {
        ++vertical_.updates;
        const double rate = vertical_.rate;
        if (on_ground_ && rate > 0.0) {
            on_ground_ = false;
            note("lift-off", "left the ground at " + feet(altitude_ft_) + ", " + knots(airspeed_kt_));
        }
        if (!on_ground_) {
            vertical_speed_fpm_ = rate;
            altitude_ft_ += rate / 60.0 * kUpdateSeconds;
            const bool there = rate > 0.0 ? altitude_ft_ >= vertical_.target - kThere
                                          : altitude_ft_ <= vertical_.target + kThere;
            if (there) altitude_ft_ = vertical_.target;
            if (there && altitude_ft_ > terrain_ft_) {
                vertical_speed_fpm_ = 0.0;
                end(vertical_, "reached", feet(vertical_.target));
            }
        }
    }
    // Terrain: the ground under the aircraft at its rate up to its
    // elevation; rising into a grounded aircraft carries it, into one in
    // the air touches it down (settle).
    if (terrain_.running) {
        ++terrain_.updates;
        terrain_ft_ += terrain_.rate / 60.0 * kUpdateSeconds;
        if (terrain_.rate > 0.0 ? terrain_ft_ >= terrain_.target - kThere
                                : terrain_ft_ <= terrain_.target + kThere) {
            terrain_ft_ = terrain_.target;
            end(terrain_, "reached", "terrain " + feet(terrain_.target));
        }
    }
    settle();
    // Heading: the turn's rate up to the heading, the short side of it.
    if (turn_.running) {
        ++turn_.updates;
        const double to_go = turn_.rate > 0.0 ? wrap_degrees(turn_.target - heading_deg_)
                                              : wrap_degrees(heading_deg_ - turn_.target);
        if (to_go <= std::fabs(turn_.rate) * kUpdateSeconds + kThere || to_go >= 360.0 - kThere) {
            heading_deg_ = turn_.target;
            end(turn_, "reached", heading_text(turn_.target));
        } else {
            heading_deg_ = wrap_degrees(heading_deg_ + turn_.rate * kUpdateSeconds);
        }
    }
    // Attitude: rolled and pitched towards the manoeuvre's at fixed rates.
    const auto towards = [](double& v, double target, double per_second) {
        const double most = per_second * kUpdateSeconds;
        v = target - v > most ? v + most : target - v < -most ? v - most : target;
    };
    towards(bank_deg_, bank_target_deg(), kRollRateDegPerS);
    towards(pitch_deg_, pitch_target_deg(), kPitchRateDegPerS);
    move_along();
    // The marker beacons passed over, for the timeline.
    static constexpr const char* kMarkerNames[] = {"", "outer", "middle", "inner"};
    const int marker = marker_over();
    if (marker != marker_) {
        if (marker_ != 0) note("marker", std::string("past the ") + kMarkerNames[marker_] + " marker");
        if (marker != 0)
            note("marker",
                 std::string("over the ") + kMarkerNames[marker] + " marker at " + feet(altitude_ft_));
        marker_ = marker;
    }
}

// Over the ground along the heading at the ground speed (no wind).
void AircraftMotion::move_along() {
    const double feet_per_update = ground_speed_kt() * kKnotToFeetPerSecond * kUpdateSeconds;
    east_ft_ += feet_per_update * sine_deg(heading_deg_);
    north_ft_ += feet_per_update * cosine_deg(heading_deg_);
}

// --- The simulator's autopilot ---------------------------------------------------

void AircraftMotion::fly_autopilot() {
    const HostAutopilot& ap = autopilot_;
    const bool flying = on(ap.master) && !on_ground_;
    const bool localiser = !std::isnan(localiser_deviation_deg());
    const bool glideslope = !std::isnan(glideslope_deviation_deg());

    // Which function has each axis: the approach hold's glideslope before
    // the altitude hold; the localiser (nav or approach hold) before the
    // heading hold, which comes before the wing leveler.
    ApVertical vertical = ApVertical::None;
    // Over the last 100 ft above the runway the path is flown on past the
    // glideslope's antenna, down to the ground.
    const bool low_on_the_path = ap_vertical_ == ApVertical::Glideslope && localiser &&
                                 altitude_ft_ - ils_.elevation_ft <= kApPathToTheGroundFt;
    if (flying && on(ap.approach_hold) && on(ap.glideslope_hold) && (glideslope || low_on_the_path))
        vertical = ApVertical::Glideslope;
    else if (flying && on(ap.altitude_hold))
        vertical = ApVertical::AltitudeHold;
    ApLateral lateral = ApLateral::None;
    if (flying && (on(ap.nav_hold) || on(ap.approach_hold)) && localiser)
        lateral = ApLateral::Localiser;
    else if (flying && on(ap.heading_hold))
        lateral = ApLateral::Heading;
    else if (flying && (on(ap.wing_leveler) || on(ap.nav_hold) || on(ap.approach_hold)))
        lateral = ApLateral::WingsLevel;

    static constexpr const char* kVerticalNames[] = {"", "altitude hold", "glideslope"};
    static constexpr const char* kLateralNames[] = {"", "wings level", "heading hold", "localiser"};
    // A scenario's manoeuvre on an axis the autopilot has ends at once.
    if (vertical != ApVertical::None && vertical_.running)
        end(vertical_, "stopped", "at " + feet(altitude_ft_) + " (the autopilot has the climb and descent)");
    if (lateral != ApLateral::None && turn_.running)
        end(turn_, "stopped", "at " + heading_text(heading_deg_) + " (the autopilot has the turn)");
    if (vertical != ap_vertical_) {
        if (vertical == ApVertical::None) {
            // Let go, the aircraft flies on level (the model has no inertia).
            vertical_speed_fpm_ = 0.0;
            note("autopilot", std::string("autopilot: ") + kVerticalNames[static_cast<int>(ap_vertical_)] +
                                  " off at " + feet(altitude_ft_));
        } else {
            note("autopilot", std::string("autopilot: ") + kVerticalNames[static_cast<int>(vertical)] +
                                  " at " + feet(altitude_ft_));
        }
        ap_vertical_ = vertical;
        ap_level_ = false;
    }
    if (lateral != ap_lateral_) {
        note("autopilot", std::string("autopilot: ") +
                              (lateral == ApLateral::None
                                   ? std::string(kLateralNames[static_cast<int>(ap_lateral_)]) + " off at "
                                   : std::string(kLateralNames[static_cast<int>(lateral)]) + " at ") +
                              heading_text(heading_deg_));
        ap_lateral_ = lateral;
        ap_on_heading_ = false;
    }

    // Vertical: towards the altitude reference at the vertical speed
    // reference's rate, exactly onto it; or down the glideslope. A
    // reference that is not a number holds the present altitude; a vertical
    // speed that is not a number holds it too.
    if (vertical == ApVertical::AltitudeHold) {
        const double target = std::isfinite(ap.altitude_ref_ft)
                                  ? clamp(ap.altitude_ref_ft, kLowestAltitudeFt, kHighestAltitudeFt)
                                  : altitude_ft_;
        const double rate =
            std::isfinite(ap.vertical_speed_ref_fpm) ? std::fabs(ap.vertical_speed_ref_fpm) : 0.0;
        const double step = rate / 60.0 * kUpdateSeconds;
        const double to_go = target - altitude_ft_;
        if (std::fabs(to_go) <= step + kThere) {
            altitude_ft_ = target;
            vertical_speed_fpm_ = 0.0;
            if (!ap_level_) note("autopilot", "autopilot: level at " + feet(target));
            ap_level_ = true;
        } else {
            vertical_speed_fpm_ = to_go > 0.0 ? rate : -rate;
            altitude_ft_ += to_go > 0.0 ? step : -step;
            ap_level_ = false;
        }
    } else if (vertical == ApVertical::Glideslope) {
        const double to_antenna =
            before(ils_.threshold_east + kGlideslopeBeyondThresholdFt * ils_.sin_course,
                   ils_.threshold_north + kGlideslopeBeyondThresholdFt * ils_.cos_course);
        const double path_ft = ils_.elevation_ft + to_antenna * ils_.tan_glideslope;
        const double path_fpm = -ground_speed_fpm() * ils_.tan_glideslope;
        const double fpm = path_fpm - (altitude_ft_ - path_ft) * kApPathGainFpmPerFt;
        vertical_speed_fpm_ = clamp(fpm, kApSteepestPathFpm, 0.0);
        altitude_ft_ += vertical_speed_fpm_ / 60.0 * kUpdateSeconds;
    }

    // Lateral: the heading hold turns the short way at the standard rate and
    // stops on the bug; the localiser is intercepted and tracked. A bug that
    // is not a number holds the present heading.
    ap_turn_rate_ = 0.0;
    double wanted = heading_deg_;
    if (lateral == ApLateral::Heading) {
        if (std::isfinite(ap.heading_bug_deg)) wanted = wrap_degrees(ap.heading_bug_deg);
        const double to_go = short_way(heading_deg_, wanted);
        const double most = kApTurnRateDegPerS * kUpdateSeconds;
        if (std::fabs(to_go) <= most + kThere) {
            heading_deg_ = wanted;
            if (!ap_on_heading_) note("autopilot", "autopilot: on " + heading_text(wanted));
            ap_on_heading_ = true;
        } else {
            ap_turn_rate_ = to_go > 0.0 ? kApTurnRateDegPerS : -kApTurnRateDegPerS;
            heading_deg_ = wrap_degrees(heading_deg_ + ap_turn_rate_ * kUpdateSeconds);
            ap_on_heading_ = false;
        }
    } else if (lateral == ApLateral::Localiser) {
        const double intercept = clamp(right_of_centreline() * kApInterceptDegPerFt, -kApLargestInterceptDeg,
                                       kApLargestInterceptDeg);
        wanted = wrap_degrees(ils_.course_deg - intercept);
        ap_turn_rate_ = clamp(short_way(heading_deg_, wanted) * kApHeadingGainPerS, -kApTurnRateDegPerS,
                              kApTurnRateDegPerS);
        heading_deg_ = wrap_degrees(heading_deg_ + ap_turn_rate_ * kUpdateSeconds);
    }
}

// --- The ILS ---------------------------------------------------------------------------

double AircraftMotion::before(double antenna_east, double antenna_north) const {
    return -((east_ft_ - antenna_east) * ils_.sin_course + (north_ft_ - antenna_north) * ils_.cos_course);
}

double AircraftMotion::right_of_centreline() const {
    return (east_ft_ - ils_.threshold_east) * ils_.cos_course -
           (north_ft_ - ils_.threshold_north) * ils_.sin_course;
}

double AircraftMotion::localiser_deviation_deg() const {
    if (!ils_.placed) return std::nan("");
    // Placed with a frequency, the localiser is heard only with NAV 1 on it.
    if (ils_.frequency_mhz != 0.0 && !(std::fabs(nav1_mhz_ - ils_.frequency_mhz) < 0.005))
        return std::nan("");
    const double antenna_east = ils_.threshold_east + kLocaliserBeyondThresholdFt * ils_.sin_course;
    const double antenna_north = ils_.threshold_north + kLocaliserBeyondThresholdFt * ils_.cos_course;
    const double along = before(antenna_east, antenna_north);
    const double across = right_of_centreline();
    if (!(along > 0.0) || along * along + across * across > kLocaliserRangeFt * kLocaliserRangeFt)
        return std::nan("");
    const double deviation = arctan_deg(across / along);
    return std::fabs(deviation) <= kLocaliserCoverageDeg ? deviation : std::nan("");
}

double AircraftMotion::glideslope_deviation_deg() const {
    const double lateral = localiser_deviation_deg();
    if (std::isnan(lateral) || std::fabs(lateral) > kGlideslopeCoverageDeg) return std::nan("");
    const double along = before(ils_.threshold_east + kGlideslopeBeyondThresholdFt * ils_.sin_course,
                                ils_.threshold_north + kGlideslopeBeyondThresholdFt * ils_.cos_course);
    if (!(along > 0.0) || along > kGlideslopeRangeFt) return std::nan("");
    return arctan_deg((altitude_ft_ - ils_.elevation_ft) / along) - ils_.glideslope_deg;
}

// The three marker beacons on the approach's centreline before the
// threshold, each heard in a fan above it: along the course within 0.7 of
// the height above the runway (at least 300 ft), across it within 4000 ft.
// The inner marker before the middle before the outer where fans meet.
int AircraftMotion::marker_over() const {
    if (!ils_.placed || !active_) return 0;
    const double across = std::fabs(right_of_centreline());
    if (across > kMarkerFanAcrossFt) return 0;
    const double height = altitude_ft_ - ils_.elevation_ft;
    const double half_fan = std::fmax(height * kMarkerFanRatio, kMarkerFanLeastFt);
    const double to_threshold = before(ils_.threshold_east, ils_.threshold_north);
    for (int k = static_cast<int>(std::size(kMarkerBeforeThresholdFt)); k >= 1; --k)
        if (std::fabs(to_threshold - kMarkerBeforeThresholdFt[k - 1]) <= half_fan) return k;
    return 0;
}

std::array<AircraftMotion::Output, kIlsCount> AircraftMotion::ils_outputs() const {
    const double lateral = localiser_deviation_deg();
    const double vertical = glideslope_deviation_deg();
    const bool localiser = !std::isnan(lateral);
    const bool glideslope = !std::isnan(vertical);
    const double values[] = {
        localiser ? clamp(-lateral / kLocaliserFullScaleDeg * kLocaliserFullScale, -kLocaliserFullScale,
                          kLocaliserFullScale)
                  : 0.0,
        glideslope ? clamp(vertical / kGlideslopeFullScaleDeg * kGlideslopeFullScale, -kGlideslopeFullScale,
                           kGlideslopeFullScale)
                   : 0.0,
        localiser ? 1.0 : 0.0,
        glideslope ? 1.0 : 0.0,
        localiser ? static_cast<double>(kIlsStatusWord) : 0.0,
        localiser ? kIlsSignal : 0.0,
        static_cast<double>(marker_over()),
    };
    static_assert(std::size(values) == kIlsCount, "a value for every receiver variable");
    std::array<Output, kIlsCount> out{};
    for (std::size_t i = 0; i < kIlsCount; ++i) out[i] = {kIlsVariables[i].token, values[i]};
    return out;
}

// --- What follows from the state -------------------------------------------------

double AircraftMotion::mach() const {
    return mach_from_airspeed(airspeed_kt_, isa_pressure_ratio(altitude_ft_));
}

double AircraftMotion::true_airspeed_kt() const {
    return mach() * speed_of_sound_kt(isa_temperature_k(altitude_ft_) + isa_offset_k_);
}

double AircraftMotion::angle_of_attack_deg() const {
    if (on_ground_) return 0.0;
    const double load_factor = 1.0 / cosine_deg(bank_deg_);
    const double speed = airspeed_kt_ > 1.0 ? airspeed_kt_ : 1.0;
    const double ratio = kAoaReferenceKt / speed;
    return clamp(kAoaZeroLiftDeg + (kAoaAtReferenceDeg - kAoaZeroLiftDeg) * load_factor * ratio * ratio,
                 kLowestAoaDeg, kHighestAoaDeg);
}

double AircraftMotion::flight_path_deg() const {
    const double tas = true_airspeed_kt();
    const double up = vertical_speed_fpm_ / kKnotToFeetPerMinute;
    const double along = tas * tas - up * up;
    if (!(along > 0.0)) return up > 0.0 ? 90.0 : up < 0.0 ? -90.0 : 0.0;
    return arctan_deg(up / std::sqrt(along));
}

double AircraftMotion::ground_speed_kt() const {
    const double tas = true_airspeed_kt();
    const double up = vertical_speed_fpm_ / kKnotToFeetPerMinute;
    const double along = tas * tas - up * up;
    return along > 0.0 ? std::sqrt(along) : 0.0;
}

double AircraftMotion::pitch_target_deg() const {
    if (on_ground_) return 0.0;
    return clamp(flight_path_deg() + angle_of_attack_deg(), kLowestPitchDeg, kHighestPitchDeg);
}

// The bank of a coordinated turn at the turn's rate: tan(bank) = rate x TAS / g.
double AircraftMotion::bank_target_deg() const {
    if (on_ground_) return 0.0;
    const double rate = turn_.running ? turn_.rate : ap_turn_rate_;
    if (rate == 0.0) return 0.0;
    const double rate_rad = rate * kPi / 180.0;
    return arctan_deg(rate_rad * true_airspeed_kt() * kKnotToMetresPerSecond / kGravity);
}

std::array<AircraftMotion::Output, kDrivenCount> AircraftMotion::outputs(double altimeter_setting_mb) const {
    const double setting = std::isfinite(altimeter_setting_mb) ? altimeter_setting_mb : kStandardSettingMb;
    const double m = mach();
    const double static_k = isa_temperature_k(altitude_ft_) + isa_offset_k_;
    const double total_k = static_k * (1.0 + 0.2 * m * m);
    const double height_ft = altitude_ft_ > terrain_ft_ ? altitude_ft_ - terrain_ft_ : 0.0;
    const double values[] = {
        terrain_ft_ * kFeetToMetres * 256.0,
        on_ground_ ? 1.0 : 0.0,
        airspeed_kt_,
        m * 20480.0,
        vertical_speed_fpm_ * kFeetToMetres / 60.0 * 256.0,
        altitude_ft_ * kFeetToMetres,
        altitude_ft_ + (setting - kStandardSettingMb) * kFeetPerMillibar,
        -pitch_deg_,
        -bank_deg_,
        heading_deg_,
        heading_deg_,
        static_k - kZeroCelsiusK,
        (total_k - kZeroCelsiusK) / 256.0,
        ground_speed_kt() * kKnotToFeetPerSecond,
        0.0,
        height_ft * kFeetToMetres,
        angle_of_attack_deg() * kPi / 180.0,
        // The bank the autopilot's lateral function flies; 0 without one.
        ap_lateral_ != ApLateral::None ? -bank_target_deg() : 0.0,
    };
    static_assert(std::size(values) == kDrivenCount, "a value for every driven variable");
    std::array<Output, kDrivenCount> out{};
    for (std::size_t i = 0; i < kDrivenCount; ++i) out[i] = {kDrivenVariables[i].token, values[i]};
    return out;
}

}  // namespace kadrimos::host_sim
