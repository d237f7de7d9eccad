// The heading panel and the course window: heading arithmetic they share,
// and what each keeps to itself between updates.
//
// Every heading and course the two gauges hold or hand to the host stays
// within 0 to 359 degrees: 350 and 10 more is 0, never 360, and the host
// is never sent 360 for a course.
#pragma once

#include <cmath>
#include <cstdint>

#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/host_api.h"

namespace kadrimos::autoflight {

inline constexpr int32_t kFullCircle = 360;

// Any whole number of degrees brought into 0..359.
constexpr int32_t wrap_heading(int64_t degrees) {
    const int64_t r = degrees % kFullCircle;
    return static_cast<int32_t>(r < 0 ? r + kFullCircle : r);
}

// A heading read from the host, in degrees, as whole degrees 0..359: brought
// onto the circle first, then its whole degrees (-90.5 is 269.5, so 269). A
// reading that is not a finite number gives `fallback`.
inline int32_t heading_from_host(double degrees, int32_t fallback) {
    if (!std::isfinite(degrees)) return fallback;
    double on_circle = std::fmod(degrees, 360.0);
    if (on_circle < 0) on_circle += 360.0;
    return wrap_heading(to_integer<int32_t>(on_circle));
}

// The three drum targets of a heading or course window: the hundreds on a
// four-position drum (4 - h, 0 for 0), the tens and units on ten-position
// ones (10 - d, 0 for 0).
struct WindowTargets {
    double hundreds = 0;
    double tens = 0;
    double units = 0;
};
constexpr WindowTargets window_targets(int32_t degrees) {
    const int32_t d = wrap_heading(degrees);
    const int32_t h = d / 100, t = d / 10 % 10, u = d % 10;
    return {h == 0 ? 0.0 : 4.0 - h, t == 0 ? 0.0 : 10.0 - t, u == 0 ? 0.0 : 10.0 - u};
}

// A three-drum window: where each drum stands and where it is going.
struct HeadingWindow {
    WindowTargets target{};
    double hundreds = 0;
    double tens = 0;
    double units = 0;
};

// The window's drums, for the element records of a gauge whose state (a
// static record with a `window`) is `State`: each moves a step towards its
// digit at every draw.
template <auto& State>
double FSAPI window_hundreds_drum(ELEMENT_HEADER*) {
    HeadingWindow& w = State.window;
    w.hundreds = drum::animated_position(w.hundreds, w.target.hundreds, drum::kFourPositions);
    return w.hundreds;
}
template <auto& State>
double FSAPI window_tens_drum(ELEMENT_HEADER*) {
    HeadingWindow& w = State.window;
    w.tens = drum::animated_position(w.tens, w.target.tens, drum::kTenPositions);
    return w.tens;
}
template <auto& State>
double FSAPI window_units_drum(ELEMENT_HEADER*) {
    HeadingWindow& w = State.window;
    w.units = drum::animated_position(w.units, w.target.units, drum::kTenPositions);
    return w.units;
}

struct HeadingPanelState {
    HeadingWindow window{};
};

struct CourseWindowState {
    HeadingWindow window{};
};

}  // namespace kadrimos::autoflight

namespace kadrimos::gauges::ap_hdg {
extern autoflight::HeadingPanelState state;
}  // namespace kadrimos::gauges::ap_hdg

namespace kadrimos::gauges::ap_crs {
extern autoflight::CourseWindowState state;
}  // namespace kadrimos::gauges::ap_crs
