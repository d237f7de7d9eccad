#include "motion_script.h"

#include <cmath>
#include <initializer_list>
#include <sstream>

namespace kadrimos::host_sim {
namespace {

constexpr double kFeetPerMetre = 1.0 / 0.3048;

// What the statements accept: the ranges a scenario may ask for.
constexpr double kHighestSpeedKt = 600.0;
constexpr double kHighestVerticalRateFpm = 20000.0;
constexpr double kHighestAccelerationKtPerS = 50.0;
constexpr double kHighestTurnRateDegPerS = 20.0;
constexpr double kLargestIsaOffsetK = 60.0;

std::string number_text(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

// A number at word i within [low, high]; nan and inf are no amounts.
double amount_at(const Line& line, std::size_t i, const char* what, double low, double high,
                 const char* unit) {
    const double v = need_double(line, i, what);
    if (!std::isfinite(v)) line.fail(std::string(what) + " must be a number, not '" + line.words[i] + "'");
    if (v < low || v > high)
        line.fail(std::string(what) + " " + line.words[i] + " is out of range " + number_text(low) + " to " +
                  number_text(high) + " " + unit);
    return v;
}

// The unit word at i: one of `units`, else a message listing them.
const std::string& unit_at(const Line& line, std::size_t i, const char* after,
                           std::initializer_list<const char*> units) {
    std::string list;
    for (const char* u : units) list += (list.empty() ? "'" : " or '") + std::string(u) + "'";
    const std::string& w = need_word(line, i, list.c_str());
    for (const char* u : units)
        if (w == u) return w;
    line.fail("expected " + list + " after " + after + ", found '" + w + "'");
}

// ALT ft|m at words i, i+1, in feet.
double altitude_at(const Line& line, std::size_t i) {
    need_double(line, i, "an altitude");
    const bool metres = unit_at(line, i + 1, "the altitude", {"ft", "m"}) == "m";
    const double low = metres ? kLowestAltitudeFt / kFeetPerMetre : kLowestAltitudeFt;
    const double high = metres ? kHighestAltitudeFt / kFeetPerMetre : kHighestAltitudeFt;
    const double v = amount_at(line, i, "an altitude", low, high, metres ? "m" : "ft");
    return metres ? v * kFeetPerMetre : v;
}

double speed_at(const Line& line, std::size_t i) {
    need_double(line, i, "a speed");
    unit_at(line, i + 1, "the speed", {"kt"});
    return amount_at(line, i, "a speed", 0.0, kHighestSpeedKt, "kt");
}

// "heading HDG" at words i, i+1: 0 to 360 degrees, 360 read as 0.
double heading_at(const Line& line, std::size_t i) {
    if (need_word(line, i, "'heading'") != "heading")
        line.fail("expected 'heading' and a heading, found '" + line.words[i] + "'");
    const double h = amount_at(line, i + 1, "a heading", 0.0, 360.0, "degrees");
    return h == 360.0 ? 0.0 : h;
}

// An optional "at RATE UNIT" at word i, in the unit the model takes: 0 when
// the line ends before it.
enum class RateKind { Vertical, Speed, Turn };
double rate_at(const Line& line, std::size_t i, RateKind kind) {
    if (i >= line.words.size()) return 0.0;
    if (line.words[i] != "at") line.fail("expected 'at' and a rate, found '" + line.words[i] + "'");
    need_count(line, i + 3, i + 3);
    const double v = need_double(line, i + 1, "a rate");
    if (std::isfinite(v) && !(v > 0.0))
        line.fail("the rate must be above 0, found '" + line.words[i + 1] + "'");
    switch (kind) {
        case RateKind::Vertical: {
            const bool metric = unit_at(line, i + 2, "the rate", {"fpm", "ft/min", "m/s"}) == "m/s";
            const double scale = metric ? kFeetPerMetre * 60.0 : 1.0;
            return amount_at(line, i + 1, "a vertical rate", 0.0, kHighestVerticalRateFpm / scale,
                             metric ? "m/s" : "fpm") *
                   scale;
        }
        case RateKind::Speed:
            unit_at(line, i + 2, "the rate", {"kt/s"});
            return amount_at(line, i + 1, "an acceleration", 0.0, kHighestAccelerationKtPerS, "kt/s");
        case RateKind::Turn:
            unit_at(line, i + 2, "the rate", {"deg/s"});
            return amount_at(line, i + 1, "a rate of turn", 0.0, kHighestTurnRateDegPerS, "deg/s");
    }
    return 0.0;
}

void need_word_is(const Line& line, std::size_t i, const char* word, const char* what) {
    if (need_word(line, i, what) != word)
        line.fail(std::string("expected ") + what + ", found '" + line.words[i] + "'");
}

// aircraft [on ground] at ALT [SPEED kt] [heading HDG]
MotionCommand read_place(const Line& line) {
    MotionCommand c;
    c.kind = MotionCommand::Kind::Place;
    std::size_t i = 1;
    if (need_word(line, 1, "'at' or 'on ground'") == "on") {
        need_word_is(line, 2, "ground", "'ground' after 'on'");
        c.on_ground = true;
        i = 3;
    }
    need_word_is(line, i, "at", "'at' and the altitude");
    c.value = altitude_at(line, i + 1);
    bool has_speed = false;
    for (i += 3; i < line.words.size(); i += 2) {
        if (line.words[i] == "heading") {
            if (c.has_heading) line.fail("the heading is given twice");
            c.heading_deg = heading_at(line, i);
            c.has_heading = true;
        } else {
            if (has_speed) line.fail("expected 'heading', found '" + line.words[i] + "'");
            c.speed_kt = speed_at(line, i);
            has_speed = true;
        }
    }
    if (!c.on_ground && !(c.speed_kt > 0.0))
        line.fail("an aircraft in the air needs its speed, above 0 kt ('aircraft at 3000 ft 250 kt')");
    return c;
}

// The runway's ILS: the threshold from 0.5 to 25 nm ahead, up to 5 nm to
// the side, a glideslope of 1 to 6 degrees.
constexpr double kNearestThresholdNm = 0.5;
constexpr double kFarthestThresholdNm = 25.0;
constexpr double kWidestOffsetNm = 5.0;
constexpr double kFlattestGlideslopeDeg = 1.0;
constexpr double kSteepestGlideslopeDeg = 6.0;
constexpr double kLowestLocaliserMhz = 108.10;
constexpr double kHighestLocaliserMhz = 111.95;

// ils course CRS at DIST nm [left|right OFF nm] [elevation ALT ft] [glideslope G deg]
//     [frequency F MHz]
MotionCommand read_ils(const Line& line) {
    MotionCommand c;
    c.kind = MotionCommand::Kind::Ils;
    need_word_is(line, 1, "course", "'course' and the runway's course");
    c.value = amount_at(line, 2, "a course", 0.0, 360.0, "degrees");
    if (c.value == 360.0) c.value = 0.0;
    need_word_is(line, 3, "at", "'at' and the threshold's distance");
    need_double(line, 4, "a distance");
    unit_at(line, 5, "the distance", {"nm"});
    c.distance_nm = amount_at(line, 4, "a distance", kNearestThresholdNm, kFarthestThresholdNm, "nm");
    bool has_offset = false, has_glideslope = false, has_frequency = false;
    for (std::size_t i = 6; i < line.words.size(); i += 3) {
        const std::string& w = line.words[i];
        if (w == "left" || w == "right") {
            if (has_offset) line.fail("the offset is given twice");
            need_double(line, i + 1, "an offset");
            unit_at(line, i + 2, "the offset", {"nm"});
            const double off = amount_at(line, i + 1, "an offset", 0.0, kWidestOffsetNm, "nm");
            c.offset_nm = w == "left" ? -off : off;
            has_offset = true;
        } else if (w == "elevation") {
            if (c.has_elevation) line.fail("the elevation is given twice");
            c.elevation_ft = altitude_at(line, i + 1);
            c.has_elevation = true;
        } else if (w == "glideslope") {
            if (has_glideslope) line.fail("the glideslope is given twice");
            need_double(line, i + 1, "a glideslope angle");
            unit_at(line, i + 2, "the glideslope angle", {"deg"});
            c.glideslope_deg = amount_at(line, i + 1, "a glideslope angle", kFlattestGlideslopeDeg,
                                         kSteepestGlideslopeDeg, "deg");
            has_glideslope = true;
        } else if (w == "frequency") {
            // A localiser's frequency: 108.10 to 111.95 MHz, odd tenths.
            if (has_frequency) line.fail("the frequency is given twice");
            need_double(line, i + 1, "a localiser frequency");
            unit_at(line, i + 2, "the frequency", {"MHz"});
            c.frequency_mhz = amount_at(line, i + 1, "a localiser frequency", kLowestLocaliserMhz,
                                        kHighestLocaliserMhz, "MHz");
            const long hundredths = std::lround(c.frequency_mhz * 100.0);
            if ((hundredths / 10) % 2 == 0 || (hundredths % 10 != 0 && hundredths % 10 != 5))
                line.fail("'" + line.words[i + 1] +
                          "' is no localiser frequency: its tenths are odd (108.10, 109.35, 110.30...)");
            has_frequency = true;
        } else {
            line.fail("expected 'left', 'right', 'elevation', 'glideslope' or 'frequency', found '" + w + "'");
        }
    }
    return c;
}

}  // namespace

MotionCommand read_motion_statement(const Line& line) {
    using K = MotionCommand::Kind;
    const std::string& verb = line.words[0];
    MotionCommand c;
    if (verb == "aircraft") return read_place(line);
    if (verb == "ils") return read_ils(line);
    if (verb == "terrain") {
        // terrain ALT [at RATE]
        need_count(line, 3, 6);
        c.kind = K::Terrain;
        c.value = altitude_at(line, 1);
        c.rate = rate_at(line, 3, RateKind::Vertical);
    } else if (verb == "temperature") {
        // temperature ISA [OFFSET C]
        need_count(line, 2, 4);
        c.kind = K::Temperature;
        need_word_is(line, 1, "ISA", "'ISA'");
        if (line.words.size() > 2) {
            need_count(line, 4, 4);
            need_double(line, 2, "an offset from ISA");
            unit_at(line, 3, "the offset", {"C"});
            c.value = amount_at(line, 2, "an offset from ISA", -kLargestIsaOffsetK, kLargestIsaOffsetK, "C");
        }
    } else if (verb == "climb" || verb == "descend") {
        // climb|descend to ALT [at RATE]
        need_count(line, 4, 7);
        c.kind = verb == "climb" ? K::Climb : K::Descend;
        need_word_is(line, 1, "to", "'to' and the altitude");
        c.value = altitude_at(line, 2);
        c.rate = rate_at(line, 4, RateKind::Vertical);
    } else if (verb == "accelerate" || verb == "decelerate") {
        need_count(line, 4, 7);
        c.kind = verb == "accelerate" ? K::Accelerate : K::Decelerate;
        need_word_is(line, 1, "to", "'to' and the speed");
        c.value = speed_at(line, 2);
        c.rate = rate_at(line, 4, RateKind::Speed);
    } else if (verb == "turn") {
        // turn left|right to heading HDG [at RATE]
        need_count(line, 5, 8);
        const std::string& side = line.words[1];
        if (side != "left" && side != "right") line.fail("expected 'left' or 'right', found '" + side + "'");
        c.kind = side == "left" ? K::TurnLeft : K::TurnRight;
        need_word_is(line, 2, "to", "'to' and the heading");
        c.value = heading_at(line, 3);
        c.rate = rate_at(line, 5, RateKind::Turn);
    } else if (verb == "level") {
        need_count(line, 2, 2);
        need_word_is(line, 1, "off", "'off' after 'level'");
        c.kind = K::LevelOff;
    } else {
        line.fail("'" + verb + "' is not a motion statement");
    }
    return c;
}

}  // namespace kadrimos::host_sim
