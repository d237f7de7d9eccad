// "toskelin chrono_rulo": the cockpit clock.
//
// Four windows of digits and a sweep hand on one face:
//   - the time of day (hours and minutes), taken from the simulator's clock;
//     the halves of its hours and minutes windows send the simulator's
//     clock-setting commands, down on the left, up on the right;
//   - the elapsed time (hours and minutes) with its RUN / HOLD / RESET
//     selector; held, the count stays and its window goes blank, and back at
//     RUN it carries on from the held count;
//   - the chronograph (minutes of the hour and the sweep hand), stepped by
//     its button: start, stop, reset;
//   - three marks that count the quarters of the current minute.
// The TEST button shows "8" in every window and all three marks for two
// seconds. The colon of the time of day is lit while the clock has power, the
// colon of the elapsed time while it also runs.
//
// The clock lives on battery 1 or on the DC essential bus. Without power the
// windows are blank, the counters stand, and their reference seconds stay as
// they were: with power back, a running count takes in the time it was dark.
// Counts are whole seconds of the simulation clock. A clock that goes back (a
// reloaded flight) leaves every count where it stood and counts on from there;
// while the clock is not a finite number nothing counts, and the references
// stay as they were. The four-digit
// elapsed-time window rolls over from 99:59 to 00:00, the chronograph's
// minutes from 59 to 00; no text is ever longer than its window.
//
// Inputs: Batt1Switch, BattCharge, DcEssBusPowered, InstrumentLightsOn,
// AcEssBusPowered, FltDeckLightSwitch; tokens 3, 4 and 5 (the clock's hours,
// minutes and seconds), 604 (simulation seconds), 1 (ticks).
// Outputs: key events 0x10079 to 0x1007C (clock hours down / up, minutes
// down / up).
#include <cmath>
#include <cstdint>
#include <limits>

#include "instruments/chrono_state.h"
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
#include "panel/timing.h"

KADRIMOS_GAUGE_WITH_STATE(chrono, "toskelin chrono_rulo")

namespace kadrimos::gauges::chrono {
namespace {

// The simulator's clock-setting commands.
constexpr uint32_t kClockHoursDown = 0x10079;
constexpr uint32_t kClockHoursUp = 0x1007A;
constexpr uint32_t kClockMinutesDown = 0x1007B;
constexpr uint32_t kClockMinutesUp = 0x1007C;

constexpr double kTestTicks = 36;  // 2 s

// The windows: one character each, amber on the display's grey.
constexpr TextStyle kTimeWindow = {{17, 28}, 0x93FF, 0x3C3C3C, 0x93FF, 1};
constexpr TextStyle kEtWindow = {{15, 24}, 0x93FF, 0x3C3C3C, 0x93FF, 1};
constexpr TextStyle kChrWindow = {{17, 26}, 0x93FF, 0x3C3C3C, 0x93FF, 1};

constexpr uint32_t kBackground = 7072;
constexpr uint32_t kMarkBitmap = 7872;
constexpr uint32_t kColonDotBitmap = 7873;
constexpr uint32_t kHandBitmap = 7874;
constexpr uint32_t kKnobBitmap = 7875;  // unlit, then lit by the panel lights, then with the deck light on

ChronoState& self = state;

bool clock_powered() {
    return (aircraft.Batt1Switch != 0 && aircraft.BattCharge != 0) || aircraft.DcEssBusPowered == 1;
}

// --- Windows -----------------------------------------------------------------

enum class Window : uint8_t { TimeOfDay, ElapsedTime, Chronograph };

// The windows show what the last update saw: the power may change later in
// the same update (the network solver runs in another gauge), and the marks
// and colons were set by then.
bool window_lit(Window w) {
    if (self.powered == 0) return false;
    switch (w) {
        case Window::ElapsedTime:
            return self.EtSelector != kEtHold || self.DisplayTest == kTestShowing;
        case Window::Chronograph:
            return self.ChrState != kChrOff || self.DisplayTest == kTestShowing;
        default:
            return true;
    }
}

// One digit window: "8" during the display test, its digit while lit, else
// blank. Returns the digit shown (0 when blank).
double show_digit(ELEMENT_HEADER* e, Window w, uint8_t digit) {
    ELEMENT_STRING& window = as_string(e);
    if (!window_lit(w)) {
        write_text(window, " ");
        return 0;
    }
    const double shown = self.DisplayTest == kTestShowing ? 8 : digit;
    write_fixed(window, shown, 1, 0);
    return shown;
}

template <Window W, int Index>
double FSAPI digit_window(ELEMENT_HEADER* e) {
    if constexpr (W == Window::TimeOfDay) return show_digit(e, W, self.clock_digits[Index]);
    if constexpr (W == Window::ElapsedTime) return show_digit(e, W, self.et_digits[Index]);
    return show_digit(e, W, self.chr_digits[Index]);
}

// The seconds hand stands on the chronograph's seconds of the minute; the
// scale ends at 55.
double FSAPI seconds_hand(ELEMENT_HEADER*) {
    return clamp_write_back(self.chr_hand, uint8_t{0}, uint8_t{55});
}

// The selector's pointer; a position past RESET is put back on it.
double FSAPI selector_pointer(ELEMENT_HEADER*) {
    return clamp_write_back(self.EtSelector, uint8_t{kEtRun}, uint8_t{kEtReset});
}

// --- Elements ------------------------------------------------------------------

// The sweep hand about the face's centre, 30 degrees for 5 seconds, clockwise
// from twelve o'clock.
constinit NONLINEARITY hand_scale[] = {
    {{80, 26}, 0, 0},    {{107, 33}, 5, 0},   {{127, 53}, 10, 0}, {{134, 80}, 15, 0},
    {{127, 107}, 20, 0}, {{107, 127}, 25, 0}, {{80, 134}, 30, 0}, {{53, 127}, 35, 0},
    {{33, 107}, 40, 0},  {{26, 80}, 45, 0},   {{33, 53}, 50, 0},  {{53, 33}, 55, 0},
};
// The selector knob's pointer at RUN, HOLD and RESET. The three drawings of
// the knob stand at the one point and share it.
constinit NONLINEARITY selector_scale[] = {
    {{12, 112}, kEtRun, 0}, {{11, 137}, kEtHold, 0}, {{30, 140}, kEtReset, 0}};
constexpr Placement kHand = {{80, 80}, {10, 3}};
constexpr Placement kKnob = {{22, 126}, {12, 12}};

template <Window W, int Index>
constexpr ElementSpec digit(const char* label, PIXPOINT at, const TextStyle& style) {
    return string_spec(label, at, style, digit_window<W, Index>, 0);
}

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("15 s mark", kMarkBitmap, {92, 99}),
    icon_spec("30 s mark", kMarkBitmap, {103, 99}),
    icon_spec("45 s mark", kMarkBitmap, {114, 99}),
    icon_spec("TIME colon upper dot", kColonDotBitmap, {79, 72}),
    icon_spec("TIME colon lower dot", kColonDotBitmap, {79, 86}),
    icon_spec("ET colon upper dot", kColonDotBitmap, {80, 36}),
    icon_spec("ET colon lower dot", kColonDotBitmap, {80, 46}),
    digit<Window::TimeOfDay, 0>("TIME hours tens", {39, 66}, kTimeWindow),
    digit<Window::TimeOfDay, 1>("TIME hours units", {56, 66}, kTimeWindow),
    digit<Window::TimeOfDay, 2>("TIME minutes tens", {89, 66}, kTimeWindow),
    digit<Window::TimeOfDay, 3>("TIME minutes units", {106, 66}, kTimeWindow),
    digit<Window::ElapsedTime, 0>("ET hours tens", {48, 30}, kEtWindow),
    digit<Window::ElapsedTime, 1>("ET hours units", {63, 30}, kEtWindow),
    digit<Window::ElapsedTime, 2>("ET minutes tens", {84, 30}, kEtWindow),
    digit<Window::ElapsedTime, 3>("ET minutes units", {99, 30}, kEtWindow),
    digit<Window::Chronograph, 0>("CHR minutes tens", {63, 106}, kChrWindow),
    digit<Window::Chronograph, 1>("CHR minutes units", {80, 106}, kChrWindow),
    needle_spec("CHR seconds hand", kHandBitmap, kHand, seconds_hand, hand_scale),
    needle_spec("ET selector knob", kKnobBitmap, kKnob, selector_pointer, selector_scale),
    needle_spec("ET selector knob lit", kKnobBitmap + 1, kKnob, selector_pointer, selector_scale,
                kIconFlags | kHidden),
    needle_spec("ET selector knob deck lit", kKnobBitmap + 2, kKnob, selector_pointer, selector_scale,
                kIconFlags | kHidden),
};

constexpr int kFirstMark = depth_of(kElements, "15 s mark");
constexpr int kTimeColon[] = {depth_of(kElements, "TIME colon upper dot"),
                              depth_of(kElements, "TIME colon lower dot")};
constexpr int kEtColon[] = {depth_of(kElements, "ET colon upper dot"),
                            depth_of(kElements, "ET colon lower dot")};
constexpr int kKnobUnlit = depth_of(kElements, "ET selector knob");
constexpr int kKnobLit = depth_of(kElements, "ET selector knob lit");
constexpr int kKnobDeckLit = depth_of(kElements, "ET selector knob deck lit");

// --- Areas ---------------------------------------------------------------------

// The clock-setting halves repeat while held, and act only with power.
template <uint32_t Event>
int32_t FSAPI set_clock(PIXPOINT*, uint32_t) {
    if (clock_powered()) host::send_event(Event, 0);
    return 0;
}

template <uint8_t Position>
int32_t FSAPI select_et(PIXPOINT*, uint32_t) {
    self.EtSelector = Position;
    return 0;
}

// Start (only with power), stop, reset, and back to off.
int32_t FSAPI chr_button(PIXPOINT*, uint32_t) {
    switch (self.ChrState) {
        case kChrOff:
            if (clock_powered()) self.ChrState = kChrRunning;
            break;
        case kChrRunning:
            self.ChrState = kChrStopped;
            break;
        case kChrStopped:
            self.ChrState = kChrReset;
            break;
        default:
            self.ChrState = kChrOff;
            break;
    }
    return 0;
}

int32_t FSAPI test_button(PIXPOINT*, uint32_t) {
    if (self.DisplayTest == kTestIdle && clock_powered()) self.DisplayTest = kTestRequested;
    return 0;
}

constexpr auto kAreas = join<AreaSpec>(
    knob_area("CLOCK HOURS left", {31, 54, 25, 52}, CURSOR_DOWNARROW, set_clock<kClockHoursDown>),
    knob_area("CLOCK HOURS right", {56, 54, 25, 52}, CURSOR_UPARROW, set_clock<kClockHoursUp>),
    knob_area("CLOCK MINUTES left", {81, 54, 25, 52}, CURSOR_DOWNARROW, set_clock<kClockMinutesDown>),
    knob_area("CLOCK MINUTES right", {106, 54, 25, 52}, CURSOR_UPARROW, set_clock<kClockMinutesUp>),
    area("ET RUN", {0, 99, 22, 26}, CURSOR_UPARROW, select_et<kEtRun>),
    area("ET HOLD", {0, 125, 22, 26}, CURSOR_HAND, select_et<kEtHold>),
    area("ET RESET", {22, 134, 22, 26}, CURSOR_DOWNARROW, select_et<kEtReset>),
    area("CHR button", {113, 112, 47, 47}, CURSOR_HAND, chr_button),
    area("TEST button", {124, 13, 31, 31}, CURSOR_HAND, test_button));

// --- Update --------------------------------------------------------------------

// The two digits of a two-digit window; a value past 99 rolls over.
void split(int32_t value, uint8_t* tens_units) {
    const int32_t v = value < 0 ? 0 : value % 100;
    tens_units[0] = static_cast<uint8_t>(v / 10);
    tens_units[1] = static_cast<uint8_t>(v % 10);
}

// Held (or standing by): the reference follows the clock, the count stays.
void hold(SecondsCounter& c, int32_t now) {
    const int64_t start = int64_t{now} - c.seconds;
    c.start = start < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                          : static_cast<int32_t>(start);
    c.referenced = 1;
}

// Running: the first second after a reset becomes the reference; after that
// the count is the clock's second less the reference. A clock gone back below
// the count holds it instead.
void run(SecondsCounter& c, int32_t now) {
    if (c.referenced == 0) {
        c.start = now;
        c.referenced = 1;
        return;
    }
    const int64_t elapsed = int64_t{now} - c.start;
    if (elapsed < c.seconds) {
        hold(c, now);
        return;
    }
    c.seconds = elapsed > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                              : static_cast<int32_t>(elapsed);
}

void time_of_day() {
    split(to_integer<int32_t>(host::value<3>()), &self.clock_digits[0]);
    split(to_integer<int32_t>(host::value<4>()), &self.clock_digits[2]);
}

// `now` is the clock's whole second, or nothing while the clock is not a
// finite number.
void elapsed_time(const int32_t* now) {
    if (self.EtSelector == kEtReset) {
        self.et = {};
    } else if (now != nullptr) {
        if (self.EtSelector == kEtHold)
            hold(self.et, *now);
        else
            run(self.et, *now);
    }
    self.et_hours = self.et.seconds / 3600;
    const int32_t minutes = self.et.seconds / 60 - 60 * self.et_hours;
    split(self.et_hours, &self.et_digits[0]);
    split(minutes, &self.et_digits[2]);
}

void chronograph(const int32_t* now) {
    if (self.ChrState == kChrReset) {
        self.chr = {};
        self.ChrState = kChrOff;
    } else if (now != nullptr) {
        if (self.ChrState == kChrRunning)
            run(self.chr, *now);
        else
            hold(self.chr, *now);
    }
    self.chr_hours = self.chr.seconds / 3600;
    self.chr_minutes = self.chr.seconds / 60 - 60 * self.chr_hours;
    split(self.chr_minutes, self.chr_digits);
    self.chr_hand = static_cast<uint8_t>(self.chr.seconds % 60);
}

// The test runs on the tick counter, with or without power once asked for.
void display_test() {
    const double tick = finite_or(host::value<1>(), 0.0);
    timing::Deadline& end = self.test_end;
    if (self.DisplayTest == kTestRequested && !timing::is_set(end))
        timing::set_until(end, tick, std::trunc(tick + kTestTicks));
    if (self.DisplayTest == kTestIdle) return;
    if (!timing::is_set(end) || timing::due(end, tick)) {
        self.DisplayTest = kTestIdle;
        timing::clear(end);
    } else {
        self.DisplayTest = kTestShowing;
    }
}

// How many quarters of the minute have gone by on the simulator's clock.
int quarters_gone() {
    const double seconds = finite_or(host::value<5>(), 0.0);
    if (seconds >= 45) return 3;
    if (seconds >= 30) return 2;
    if (seconds >= 15) return 1;
    return 0;
}

// The knob in the panel lights, brighter with the flight deck light off.
int knob_drawing() {
    if (aircraft.InstrumentLightsOn != 1 || aircraft.AcEssBusPowered != 1) return 0;
    return aircraft.FltDeckLightSwitch == 1 ? 2 : 1;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool powered = clock_powered();
    self.powered = powered ? 1 : 0;
    if (powered) {
        time_of_day();
        const double seconds = host::value<604>();
        const int32_t now = to_integer<int32_t>(seconds);
        const int32_t* clock = std::isfinite(seconds) ? &now : nullptr;
        elapsed_time(clock);
        chronograph(clock);
    }
    display_test();

    // A display without power shows nothing, not even its test.
    const int marks = !powered ? 0 : self.DisplayTest == kTestShowing ? 3 : quarters_gone();
    for (int k = 0; k < 3; ++k) set_visible(header, kFirstMark + k, k < marks);
    for (int depth : kTimeColon) set_visible(header, depth, powered);
    for (int depth : kEtColon) set_visible(header, depth, powered && self.EtSelector == kEtRun);
    show_one_of(header, {kKnobUnlit, kKnobLit, kKnobDeckLit}, knob_drawing());
}

}  // namespace

constinit ChronoState state{};
void reset_state() { reset_to_load_values(state); }

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 161, callback);

}  // namespace kadrimos::gauges::chrono
