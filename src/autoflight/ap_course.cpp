// "toskelin ap_crs_rulo": the course window of the autoflight panel.
//
// The window shows the course set on the first navigation receiver, read
// from the host at each update, on three drums: the hundreds on a drum of
// four positions, the tens and units on drums of ten, each rolling to its
// digit a quarter position at each draw. The course is the receiver's own:
// the window keeps none. Its four knob areas hand the receiver a new course,
// one or ten degrees either way, repeating while held; the course goes round
// through north (359 and 1 more is 0, 0 and 1 less is 359, never 360).
//
// A course reading that is not a number shows 000 and the knob hands the
// receiver nothing: there is no course to turn from.
//
// Inputs: token 45 (the first navigation receiver's course, degrees).
// Outputs: event 0x100b4 (the receiver's course).
#include <cmath>
#include <cstdint>

#include "autoflight/heading_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(ap_crs, "toskelin ap_crs_rulo")

namespace kadrimos::gauges::ap_crs {

constinit autoflight::CourseWindowState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

autoflight::HeadingWindow& window = state.window;

constexpr uint32_t kBackground = 7096;
constexpr uint32_t kHundredsWindow = 7306;  // the strip is the next bitmap
constexpr uint32_t kDigitWindow = 7308;

constexpr uint32_t kTokenCourse = 45;
constexpr uint32_t kEventCourseSet = 0x100b4;

// --- Elements ----------------------------------------------------------------

constexpr auto hundreds_drum = autoflight::window_hundreds_drum<state>;
constexpr auto tens_drum = autoflight::window_tens_drum<state>;
constexpr auto units_drum = autoflight::window_units_drum<state>;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("CRS drum 100s", kHundredsWindow, {25, 62}, drum_column, 0, 1, hundreds_drum, 0, 4),
    drum_spec("CRS drum 10s",  kDigitWindow, {37, 62}, tens_drum),
    drum_spec("CRS drum units", kDigitWindow, {49, 62}, units_drum),
};
// clang-format on

// --- Areas -------------------------------------------------------------------

// The knob hands the receiver the course it reads now, turned by `step`.
template <int Step>
int32_t FSAPI turn_course(PIXPOINT*, uint32_t) {
    const double reading = host::value<kTokenCourse>();
    if (!std::isfinite(reading)) return 0;
    const int32_t course = autoflight::heading_from_host(reading, 0);
    host::send_event(kEventCourseSet, static_cast<uint32_t>(autoflight::wrap_heading(course + Step)));
    return 0;
}

constexpr AreaSpec kAreas[] = {
    knob_area("CRS knob minus 1", {0, 104, 43, 35}, CURSOR_DOWNARROW, turn_course<-1>),
    knob_area("CRS knob plus 1", {43, 104, 43, 35}, CURSOR_UPARROW, turn_course<1>),
    knob_area("CRS knob minus 10", {0, 139, 43, 35}, CURSOR_DOWNARROW, turn_course<-10>),
    knob_area("CRS knob plus 10", {43, 139, 43, 35}, CURSOR_UPARROW, turn_course<10>),
};

// --- Update ------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const int32_t course = autoflight::heading_from_host(host::value<kTokenCourse>(), 0);
    window.target = autoflight::window_targets(course);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 86, callback);

}  // namespace kadrimos::gauges::ap_crs
