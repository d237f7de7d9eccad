// Timing on the host's clocks: the tick counter (token 1, 18 a second) and
// the simulation clock in seconds (tokens 604 and 607).
//
// A Deadline is set from a moment of the clock for a period and is due once
// the clock reads its time or later. Times are doubles, so a deadline never
// wraps however far off it is. A clock that stands still keeps a deadline
// waiting; one that jumps forward makes it due at once; one that goes back
// before the moment the deadline was set (a reloaded flight) sets it afresh
// from the new time, for the same period, instead of leaving it waiting for
// the old time to come round again. Callers read the clock through
// finite_or, so a clock that is not a number never reaches a deadline.
//
// A Flash blinks a light 4 ticks on and 4 ticks off for a given length.
#pragma once

#include <cstdint>

namespace kadrimos::timing {

struct Deadline {
    double set_at = 0;  // the clock when it was set
    double due_at = 0;  // the clock when it is due
    uint8_t set = 0;
};

// Sets `d` at `now`, due at `due_at` (some deadlines fall on whole units of
// their clock: the caller passes the time it wants).
constexpr void set_until(Deadline& d, double now, double due_at) {
    d.set_at = now;
    d.due_at = due_at;
    d.set = 1;
}

// Sets `d` at `now`, due `period` later.
constexpr void set_for(Deadline& d, double now, double period) { set_until(d, now, now + period); }

constexpr void clear(Deadline& d) { d.set = 0; }

constexpr bool is_set(const Deadline& d) { return d.set != 0; }

// Whether a set deadline has come. A clock that has gone back before the
// moment it was set sets it afresh from `now` first.
constexpr bool due(Deadline& d, double now) {
    if (d.set == 0) return false;
    if (now < d.set_at) set_for(d, now, d.due_at - d.set_at);
    return now >= d.due_at;
}

// How a flash ends: on exactly the tick its length runs out (a tick the host
// skipped leaves it blinking), or on the first tick at or after it.
enum class FlashEnd : uint8_t { OnTheTick, OnceReached };

struct Flash {
    double started = 0;  // tick of the start
    double toggled = 0;  // tick the light last came on
    uint8_t active = 0;
    uint8_t lit = 0;
};

// Starts a flash at `now`: the light comes on.
constexpr void start(Flash& f, double now) {
    f.started = now;
    f.toggled = now;
    f.active = 1;
    f.lit = 1;
}

constexpr void stop(Flash& f) {
    f.active = 0;
    f.lit = 0;
}

// One update of a flash of `length` ticks at tick `now`; returns whether the
// light is lit. 4 ticks after it came on it goes out, 8 ticks after it comes
// on again; when the length has run out the flash ends, dark.
constexpr bool blink(Flash& f, double now, double length, FlashEnd end) {
    if (f.active == 0) return false;
    const double end_tick = f.started + length;
    if (end == FlashEnd::OnceReached ? now >= end_tick : now == end_tick) {
        stop(f);
        return false;
    }
    if (now >= f.toggled + 8) {
        f.toggled = now;
        f.lit = 1;
    } else if (now >= f.toggled + 4) {
        f.lit = 0;
    }
    return f.lit != 0;
}

}  // namespace kadrimos::timing
