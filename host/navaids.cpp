#include "navaids.h"

#include <cmath>
#include <sstream>

#include "motion.h"

namespace kadrimos::host_sim {
namespace {

constexpr double kFeetPerNm = 6076.12;
constexpr double kNoDistance = -1.0;
constexpr double kSignal = 1000.0;
constexpr double kAdfRestDeg = 90.0;  // an ADF needle with nothing to point at
constexpr double kPi = 3.14159265358979323846;

// A tuned frequency matches a station within half a channel.
constexpr double kNavChannelMhz = 0.05;
constexpr double kAdfChannelKhz = 1.0;

std::string text_of(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

double number_at(const Line& line, std::size_t i, const char* what, double low, double high,
                 const char* unit) {
    const double v = need_double(line, i, what);
    if (!std::isfinite(v) || v < low || v > high)
        line.fail(std::string(what) + " '" + line.words[i] + "' is out of range " + text_of(low) + " to " +
                  text_of(high) + " " + unit);
    return v;
}

void expect_word(const Line& line, std::size_t i, const char* word, const char* what) {
    if (need_word(line, i, what) != word)
        line.fail("expected '" + std::string(word) + "', found '" + line.words[i] + "'");
}

double wrap_360(double deg) {
    double d = std::fmod(deg, 360.0);
    if (d < 0) d += 360.0;
    return d;
}

double wrap_180(double deg) {
    const double d = wrap_360(deg);
    return d > 180.0 ? d - 360.0 : d;
}

// The bearing, clockwise from north, of a step `east` and `north`.
double bearing_of(double east, double north) {
    if (north > 0) return wrap_360(arctan_deg(east / north));
    if (north < 0) return wrap_360(180.0 + arctan_deg(east / north));
    return east > 0 ? 90.0 : east < 0 ? 270.0 : 0.0;
}

// Four BCD digits of a whole number, or -1 when it is none.
double bcd_value(double bcd) {
    if (!std::isfinite(bcd) || bcd < 0 || bcd > 0xFFFF || bcd != std::floor(bcd)) return -1;
    const auto word = static_cast<uint32_t>(bcd);
    double value = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const uint32_t digit = (word >> shift) & 0xF;
        if (digit > 9) return -1;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

bool is_station_verb(const std::string& verb) { return verb == "vor" || verb == "ndb"; }

StationCommand read_station_statement(const Line& line) {
    need_count(line, 7, 7);
    StationCommand c;
    c.kind = line.words[0] == "vor" ? StationCommand::Kind::Vor : StationCommand::Kind::Ndb;
    if (c.kind == StationCommand::Kind::Vor)
        c.frequency = number_at(line, 1, "a VOR frequency", 108.0, 117.95, "MHz");
    else
        c.frequency = number_at(line, 1, "an NDB frequency", 190.0, 1750.0, "kHz");
    expect_word(line, 2, "at", "'at' and a distance");
    c.distance_nm = number_at(line, 3, "a distance", 0.1, 300.0, "nm");
    expect_word(line, 4, "nm", "'nm'");
    expect_word(line, 5, "bearing", "'bearing' and a bearing");
    c.bearing_deg = number_at(line, 6, "a bearing", 0.0, 360.0, "degrees");
    return c;
}

double nav_frequency_mhz(double bcd) {
    const double v = bcd_value(bcd);
    return v < 0 ? 0.0 : 100.0 + v / 100.0;
}


void Navaids::place(const StationCommand& c) {
    const double r = c.distance_nm * kFeetPerNm;
    const Station s = {c.kind, c.frequency, r * cosine_deg(90.0 - c.bearing_deg),
                       r * cosine_deg(c.bearing_deg)};
    for (Station& old : stations_) {
        if (old.kind == s.kind && old.frequency == s.frequency) {
            old = s;
            return;
        }
    }
    stations_.push_back(s);
}

const Navaids::Station* Navaids::tuned(StationCommand::Kind kind, double frequency) const {
    const double half = (kind == StationCommand::Kind::Vor ? kNavChannelMhz : kAdfChannelKhz) / 2;
    for (const Station& s : stations_)
        if (s.kind == kind && std::fabs(s.frequency - frequency) < half) return &s;
    return nullptr;
}

double Navaids::distance_nm(const Station& s, const Aircraft& a) {
    const double east = s.east_ft - a.east_ft, north = s.north_ft - a.north_ft;
    return std::sqrt(east * east + north * north) / kFeetPerNm;
}

double Navaids::bearing_deg(const Station& s, const Aircraft& a) {
    return bearing_of(s.east_ft - a.east_ft, s.north_ft - a.north_ft);
}

double Navaids::relative_bearing_deg(const Station& s, const Aircraft& a) {
    return wrap_360(bearing_deg(s, a) - a.heading_deg);
}

// A VOR's course deviation needle and TO/FROM flag for the course selected
// on the receiver: +-127 for +-10 degrees (positive: the course lies to the
// right, fly right), 1 TO while the station lies within 90 degrees of the
// course, else 2 FROM.
struct VorNeedle {
    double needle, to_from;
};
VorNeedle vor_needle(double bearing_to_deg, double course_deg) {
    const double off = wrap_180(bearing_to_deg - course_deg);
    const bool to = std::fabs(off) < 90.0;
    const double deviation = to ? off : -wrap_180(off + 180.0);
    double needle = deviation * 127.0 / 10.0;
    if (needle > 127.0) needle = 127.0;
    if (needle < -127.0) needle = -127.0;
    return {needle, to ? 1.0 : 2.0};
}

std::array<Navaids::Output, Navaids::kOutputs> Navaids::outputs(const Aircraft& a, const Tuning& t) const {
    using K = StationCommand::Kind;
    const Station* nav1 = tuned(K::Vor, nav_frequency_mhz(t.nav1_bcd));
    const Station* nav2 = tuned(K::Vor, nav_frequency_mhz(t.nav2_bcd));
    const Station* adf1 = tuned(K::Ndb, t.adf1_khz);
    const double dme1 = nav1 ? distance_nm(*nav1, a) : kNoDistance;
    const double course = std::isfinite(t.nav1_course_deg) ? t.nav1_course_deg : 0.0;
    const VorNeedle vor = nav1 ? vor_needle(bearing_deg(*nav1, a), course) : VorNeedle{0.0, 0.0};
    return {{
        {31, dme1},
        {35, nav2 ? distance_nm(*nav2, a) : kNoDistance},
        {860, dme1},
        {550, nav1 ? relative_bearing_deg(*nav1, a) : 0.0},
        {59, nav2 ? relative_bearing_deg(*nav2, a) : 0.0},
        {55, 0.0},
        {58, nav2 ? kSignal : 0.0},
        {39, adf1 ? relative_bearing_deg(*adf1, a) : kAdfRestDeg},
        {40, vor.needle},
        {43, vor.to_from},
        {46, 0.0},
        {49, nav1 ? kSignal : 0.0},
    }};
}

double Navaids::adf2_radial_rad(const Aircraft& a, const Tuning& t) const {
    const Station* adf2 = tuned(StationCommand::Kind::Ndb, t.adf2_khz);
    return (adf2 ? relative_bearing_deg(*adf2, a) : kAdfRestDeg) * kPi / 180.0;
}

}  // namespace kadrimos::host_sim
