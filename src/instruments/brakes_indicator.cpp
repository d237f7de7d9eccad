// "toskelin brakes_ind_rulo": the brake pressure indicator, two needles on
// one half-circle dial (left brake on the left half, right brake mirrored),
// and the hot-brake caution.
//
// With AC bus 1 and yellow or green hydraulics the needles show the host's
// brake pressures. Without that hydraulics the brake accumulator holds 32000
// while the parking brake has been latched on with pressure; otherwise the
// pressure bleeds away. Without AC bus 1 the needles stay where they are.
//
// Hot brakes: braking hard (one side above 16000) on the ground at 40 kt or
// more with the parking brake off, for 240 ticks (about 13 s), raises the
// caution for 3500 ticks (about 3 min 15 s), however the aircraft is then
// stopped or parked. The delay starts again whenever the brakes are let off
// (both at 0), the braking falls below 10000 in all, or the aircraft slows
// below 40 kt, leaves the ground or is parked.
//
// The brakes squeal (BRAKESSND, looped) while braking above 1000 at 15 kt or
// more with the parking brake off.
//
// Inputs: tokens 320 and 321 (left and right brake, 0 to 32000), 323
// (parking brake), 60 (1 on the ground), 61 (airspeed, kt), 1 (ticks);
// AcBus1Powered, HydStateGreen, HydStateYellow.
// Outputs: BrakePressLeft, BrakePressRight, BrakesFault; the brake sound.
//
// A brake value that is not a number reads as 0 (no pressure). A parking
// brake that is not one is not known to be off: no heating, no squeal, and
// the latch stays as it is. A speed that is not a number is no speed.
#include <cmath>
#include <cstdint>

#include "instruments/config_indicators_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/timing.h"
#include "sound/sound_bank.h"

KADRIMOS_GAUGE_WITH_STATE(brakes_ind, "toskelin brakes_ind_rulo")

namespace kadrimos::gauges::brakes_ind {

constinit instruments::BrakesIndicatorState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using instruments::kBrakesCool;
using instruments::kBrakesHeating;
using instruments::kBrakesHot;

instruments::BrakesIndicatorState& self = state;

constexpr uint32_t kBackground = 7078;
constexpr uint32_t kNeedleBitmap = 7790;

constexpr int32_t kAccumulatorPressure = 32000;
constexpr int32_t kBleedPerUpdate = 2000;
constexpr int32_t kHardBraking = 16000;   // one side above: heating
constexpr int64_t kBrakingAtAll = 10000;  // both together below: the delay starts again
constexpr double kBrakesOff = 0.3;        // both at or below: let off
constexpr double kHeatingSpeedKt = 40;
constexpr double kHeatingDelayTicks = 240;
constexpr double kCautionTicks = 3500;
constexpr int32_t kSquealPressure = 1000;
constexpr double kSquealSpeedKt = 15;

// --- Elements ----------------------------------------------------------------

// One scale a needle: 0 at the bottom, 20000 level with the pivot, 40000 at
// the top; the needles stop at 32000.
constexpr Placement kNeedle = {{38, 37}, {8, 3}};
constinit NONLINEARITY left_scale[] = {
    {{38, 65}, 0, 0}, {{18, 57}, 10000, 0}, {{10, 37}, 20000, 0}, {{18, 17}, 30000, 0}, {{38, 9}, 40000, 0},
};
constinit NONLINEARITY right_scale[] = {
    {{38, 65}, 0, 0}, {{58, 57}, 10000, 0}, {{66, 37}, 20000, 0}, {{58, 17}, 30000, 0}, {{38, 9}, 40000, 0},
};

double FSAPI left_pressure(ELEMENT_HEADER*) {
    return clamp_write_back<int32_t>(aircraft.BrakePressLeft, 0, kAccumulatorPressure);
}
double FSAPI right_pressure(ELEMENT_HEADER*) {
    return clamp_write_back<int32_t>(aircraft.BrakePressRight, 0, kAccumulatorPressure);
}

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    needle_spec("LEFT BRAKE needle", kNeedleBitmap, kNeedle, left_pressure, left_scale),
    needle_spec("RIGHT BRAKE needle", kNeedleBitmap, kNeedle, right_pressure, right_scale),
};

// --- Update ------------------------------------------------------------------

struct HostInputs {
    double brake_left;   // 320
    double brake_right;  // 321
    double parking;      // 323
    bool on_ground;      // 60
    double airspeed_kt;  // 61
    double tick;         // 1
};

HostInputs read_host() {
    return {host::value<320>(),       host::value<321>(), host::value<323>(),
            host::value<60>() == 1.0, host::value<61>(),  finite_or(host::value<1>(), 0.0)};
}

int32_t bled(int32_t pressure) { return pressure > kBleedPerUpdate ? pressure - kBleedPerUpdate : 0; }

// Steps 1 and 2: the parking latch and the pressures.
void read_pressures(const HostInputs& in, AircraftState& a) {
    const bool hydraulics = a.HydStateYellow != 0 || a.HydStateGreen != 0;
    if (in.parking == 0)
        self.parking_latch = 0;
    else if (hydraulics && in.parking > 0)
        self.parking_latch = 1;
    if (a.AcBus1Powered != 1) return;
    if (hydraulics) {
        a.BrakePressLeft = to_integer<int32_t>(in.brake_left);
        a.BrakePressRight = to_integer<int32_t>(in.brake_right);
    } else if (self.parking_latch == 1) {
        a.BrakePressLeft = kAccumulatorPressure;
        a.BrakePressRight = kAccumulatorPressure;
    } else {
        a.BrakePressLeft = bled(a.BrakePressLeft);
        a.BrakePressRight = bled(a.BrakePressRight);
    }
}

void cool_down(AircraftState& a) {
    a.BrakesFault = 0;
    self.hot_phase = kBrakesCool;
    timing::clear(self.hot_deadline);
}

// Step 3: the hot-brake caution.
void watch_brake_heat(const HostInputs& in, AircraftState& a) {
    const int32_t left = a.BrakePressLeft;
    const int32_t right = a.BrakePressRight;
    const double now = in.tick;
    const bool braking_rolling = in.parking == 0 && in.airspeed_kt >= kHeatingSpeedKt && in.on_ground;
    if (braking_rolling) {
        if ((left > kHardBraking || right > kHardBraking) && self.hot_phase == kBrakesCool) {
            timing::set_until(self.hot_deadline, now, std::trunc(now + kHeatingDelayTicks));
            self.hot_phase = kBrakesHeating;
        }
        if (self.hot_phase == kBrakesHeating && timing::due(self.hot_deadline, now)) {
            a.BrakesFault = 1;
            timing::set_until(self.hot_deadline, now, std::trunc(now + kCautionTicks));
            self.hot_phase = kBrakesHot;
        }
        if (self.hot_phase != kBrakesHot && left <= kBrakesOff && right <= kBrakesOff) cool_down(a);
    } else if (self.hot_phase != kBrakesHot) {
        cool_down(a);
    }
    if (self.hot_phase == kBrakesHot && timing::due(self.hot_deadline, now)) cool_down(a);
    if (int64_t{left} + right < kBrakingAtAll && self.hot_phase != kBrakesHot) {
        timing::clear(self.hot_deadline);
        self.hot_phase = kBrakesCool;
    }
}

// Step 4: the squeal, asked of the sound card only as it starts and stops.
void squeal(const HostInputs& in, const AircraftState& a) {
    const bool on = in.parking == 0 && in.airspeed_kt >= kSquealSpeedKt &&
                    (a.BrakePressLeft > kSquealPressure || a.BrakePressRight > kSquealPressure);
    if (on && self.sound_looping == 0) sound::start_loop(sound::SoundName::BRAKESSND);
    if (!on && self.sound_looping == 1) sound::stop_loop(sound::SoundName::BRAKESSND);
    self.sound_looping = on ? 1 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    const HostInputs in = read_host();
    read_pressures(in, a);
    watch_brake_heat(in, a);
    squeal(in, a);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 76, callback);

}  // namespace kadrimos::gauges::brakes_ind
