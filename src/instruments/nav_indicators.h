// The navigation indicators' arithmetic, shared by the ADF indicator, the
// RMI and the HSI: bearing needles, the DME windows' drums, the drift angle
// and the course the flight director steers.
//
// Every function takes any double the host may give: a value that is not a
// finite number gives a defined reading, never a NaN on a needle.
#pragma once

#include <cmath>
#include <cstdint>

#include "panel/convert.h"
#include "panel/drum.h"

namespace kadrimos::instruments::nav {

// A bearing needle's value: its bitmap points to the right (a relative
// bearing of 90 degrees), so the needle stands at the bearing less 90,
// kept within 0 to 360. Bearings outside one turn are first brought into
// it; a bearing that is not a number points the needle at 0.
inline double bearing_needle(double bearing_deg) {
    double b = std::fmod(finite_or(bearing_deg, 90.0), 360.0);
    if (b < 0) b += 360.0;
    return b >= 90.0 ? b - 90.0 : b + 270.0;
}

// The drift angle, degrees from the aircraft's nose to its track over the
// ground (0 to 180, no side), from the forward and sideways components of
// its ground speed. Worked out as the aircraft's computer does, the arc
// cosine through an arc tangent and its own value of pi. An aircraft that
// does not move has no drift: 0, rather than the 0/0 of the formula.
inline double drift_angle_deg(double forward, double side) {
    const double u = finite_or(forward, 0.0);
    const double v = finite_or(side, 0.0);
    const double speed = std::sqrt(u * u + v * v);
    if (!(speed > 0) || !std::isfinite(speed)) return 0.0;
    double r = u / speed;
    // Rounding can carry the ratio a hair past 1 where the aircraft moves
    // straight ahead or straight back.
    if (r > 1.0) r = 1.0;
    if (r < -1.0) r = -1.0;
    // Straight ahead or straight back the arc tangent's argument is
    // infinite: its limits, pi/2 either way, kept in the aircraft's units.
    const double quarter_turn = 2.0 * std::atan(1.0);
    if (r == 1.0) return 0.0;
    if (r == -1.0) return 2.0 * quarter_turn * 180.0 / 3.1415927;
    return (std::atan(-r / std::sqrt(1.0 - r * r)) + quarter_turn) * 180.0 / 3.1415927;
}

// The course of the first receiver corrected by the drift: the course the
// flight director steers. Drift to one side (side speed 1 ft/s or more)
// takes the drift off the course, to the other side adds it; a side speed
// under 1 ft/s either way leaves the course alone. The result wraps
// through north.
inline double drift_corrected_course(double course_deg, double drift_deg, double side) {
    const double c = finite_or(course_deg, 0.0);
    const double d = finite_or(drift_deg, 0.0);
    const double v = finite_or(side, 0.0);
    if (v <= -1.0) return c >= 360.0 - d ? d - (360.0 - c) : c + d;
    if (v >= 1.0) return c < d ? 360.0 - (d - c) : c - d;
    return c;
}

// The HSI's angles on its 0 to 720 degree scale (the card's 360 degrees
// plus what the course or the bug lies beyond the heading), whole degrees.
inline uint32_t relative_angle(double heading_deg, double target_deg) {
    return to_integer<uint32_t>(360.0 - finite_or(heading_deg, 0.0) + finite_or(target_deg, 0.0));
}
inline uint32_t drift_pointer(double drift_deg, double side) {
    return side >= 0 ? to_integer<uint32_t>(drift_deg) : to_integer<uint32_t>(360.0 - drift_deg);
}

// The DME windows: descending digit strips, the highest window standing on
// 0 past its last figure, the lowest turning continuously.
//
// RMI: the distance in tenths of a mile over four windows, hundreds of
// miles, tens, miles, tenths.
struct RmiDrums {
    double hundreds, tens, miles, tenths;
};
inline RmiDrums rmi_drums(double tenths) {
    return {drum::descending_rolling(finite_or(tenths, 0.0) / 1000.0, drum::kRollThousandths),
            drum::descending_rolling(drum::digit_value(tenths, 100), drum::kRollHundredths),
            drum::descending_rolling(drum::digit_value(tenths, 10), drum::kRollTenths),
            drum::descending_continuous_top(tenths)};
}
// HSI: whole miles over three windows, hundreds, tens, units.
struct HsiDrums {
    double hundreds, tens, units;
};
inline HsiDrums hsi_drums(double miles) {
    return {drum::descending_rolling(finite_or(miles, 0.0) / 100.0, drum::kRollHundredths),
            drum::descending_rolling(drum::digit_value(miles, 10), drum::kRollTenths),
            drum::descending_continuous_top(miles)};
}

}  // namespace kadrimos::instruments::nav
