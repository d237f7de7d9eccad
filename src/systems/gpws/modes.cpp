// The ground proximity warning modes, evaluated in this order once an
// update while the DC essential bus feeds the computer:
//
//   1  excessive sink rate          SINK RATE, PULL UP
//      terrain closure sampler      the radio altitude about once a second
//   2  excessive terrain closure    TERRAIN, PULL UP
//   3  altitude loss after take-off DON'T SINK (with its take-off phase)
//   4a too low with the gear up     TOO LOW GEAR, TOO LOW TERRAIN
//   4b too low, flaps not landing   TOO LOW FLAPS, TOO LOW TERRAIN
//   4c take-off terrain clearance   TOO LOW TERRAIN (with its clearance phase)
//   5  below the glideslope         GLIDESLOPE
//
// Every mode is armed all the time: this aircraft's GPWS has no inhibit
// switch. "Whole part" below is truncation toward zero.
//
// Inputs (read_mode_inputs): tokens 1 (tick), 60 (on ground), 61 (airspeed,
// kt), 73 (altitude, m), 74 (barometric altitude, ft), 329 (flaps), 332
// (nose gear), 624 and 643 (N1, %), 44 (glideslope received), 41
// (glideslope deviation); RadioAltitudeFt, VerticalSpeedFpm,
// FlapDetentPositions, GoAroundMode, GpwsAlertCode.
//
// A value that is not a finite number reads as whatever raises no alert:
//   - tick: 0, a clock gone back; the sampler measures from its next reading;
//   - on the ground, glideslope received: not 1.0, so in flight, no beam;
//   - airspeed: 0 kt, the smallest envelopes;
//   - flaps: 16383, fully down, which silences every flap-dependent mode;
//   - gear: 8192, in transit, neither up (mode 4a) nor down (mode 4b);
//   - N1: 90 %, the one figure that is neither take-off thrust (above 90)
//     nor reduced thrust (below 90, or 80);
//   - glideslope deviation: 0, on the beam;
//   - vertical speed: 0 ft/min;
//   - radio altitude: 0 ft, below the floor of every mode; the closure
//     sampler waits for the next reading instead of taking it as a sample;
//   - the barometric altitude (74): a PULL UP already standing keeps its
//     start, one starting takes it from the first reading;
//   - the altitude in metres (73): no altitude loss is measured.
#include "systems/gpws/modes.h"

#include <cmath>
#include <cstdint>

#include "module/aircraft_state.h"
#include "panel/convert.h"
#include "panel/host.h"
#include "panel/timing.h"
#include "panel/units.h"

namespace kadrimos::gpws {
namespace {

// Host variables, by token.
constexpr uint32_t kTick = 1;                  // 18 a second
constexpr uint32_t kGlideslopeDeviation = 41;  // below the beam from -100 down
constexpr uint32_t kGlideslopeReceived = 44;   // exactly 1.0 with a beam
constexpr uint32_t kOnGround = 60;             // exactly 1.0 on the ground
constexpr uint32_t kAirspeed = 61;             // kt
constexpr uint32_t kAltitudeMetres = 73;       // m
constexpr uint32_t kBarometricAltitude = 74;   // ft
constexpr uint32_t kFlapPosition = 329;        // 0..16383
constexpr uint32_t kNoseGearPosition = 332;    // 0..16383
constexpr uint32_t kEngine1N1 = 624;           // %
constexpr uint32_t kEngine2N1 = 643;           // %

// What an unreadable value reads as (see the top of the file).
constexpr double kFlapsFullyDown = 16383;
constexpr double kGearInTransit = 8192;
constexpr double kNeutralN1 = 90;

constexpr double kTicksPerSecond = 18;

// Flaps within 100 units of the second detent are in the landing position.
constexpr double kLandingFlapMargin = 100;

// The gear counts as up below 10 (modes 3 and 4a) and as down above 15000
// (mode 4b).
constexpr double kGearUpBelow = 10;
constexpr double kGearDownAbove = 15000;

bool readable(double value) { return std::isfinite(value); }

bool landing_flaps(const ModeInputs& in) { return in.flaps >= in.landing_flaps - kLandingFlapMargin; }

bool either_n1_below(const ModeInputs& in, double percent) {
    return in.n1_percent[0] < percent || in.n1_percent[1] < percent;
}

// --- Mode 1: excessive sink rate -----------------------------------------------

// Between 10 and 2450 ft, sinking at 1000 ft/min or more: SINK RATE under a
// height that grows 0.61 ft for each ft/min beyond 1000, PULL UP under one
// that starts at 350 ft at 1800 ft/min and grows 0.377 ft for each ft/min.
void excessive_sink_rate(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    const double vs = in.vertical_speed_fpm;
    if (ra > 2450 || ra <= 10 || vs > -1000) {
        m.Mode1State = 0;
        return;
    }
    const int32_t sink_rate_ft = to_integer<int32_t>((-vs - 1000) * 0.61 + 10);
    const int32_t pull_up_ft = vs > -1800 ? 0 : to_integer<int32_t>((-vs - 1800) * 0.377 + 350);
    m.Mode1State = ra <= pull_up_ft ? 2 : ra <= sink_rate_ft ? 1 : 0;
}

// --- The terrain closure sampler ------------------------------------------------

// Four samples of the radio altitude, whole feet, a second (18 ticks) apart,
// then one at the very next update to start the next round. Each sample
// gives the closure rate, in ft/min, from an earlier sample to the radio
// altitude as it reads, scaled by the ticks that actually passed: a clock
// that jumps spreads its change over the time that went by. A whole-foot
// sample measured over a single tick would carry an error of up to 1080
// ft/min, enough to drop a standing TERRAIN for a second: the sample that
// starts a round, taken an update after the last one, is measured from the
// sample before that, a second and a tick earlier. The stored samples are
// cut down to whole feet, so the rate can only err towards a climb, never
// invent a closure. The first sample has nothing before it and gives 0; a
// sample on a clock that has not moved forward from the one it is measured
// from (still, or gone back) keeps the last rate.
void sample_terrain_closure(ModeState& m, const ModeInputs& in) {
    const bool sample_due = m.sampler_phase == 0 || timing::due(m.next_sample, in.tick);
    if (!sample_due || !in.radio_altitude_readable) return;

    if (m.sampled == 0) {
        m.ClosureRate = 0;
    } else {
        const bool short_interval = in.tick - m.current_sample_tick < kTicksPerSecond;
        const bool from_older = short_interval && m.sampled >= 2;
        const double from_ft = static_cast<double>(from_older ? m.previous_sample_ft : m.current_sample_ft);
        const double elapsed_ticks = in.tick - (from_older ? m.previous_sample_tick : m.current_sample_tick);
        if (elapsed_ticks > 0)
            m.ClosureRate =
                to_integer<int32_t>((in.radio_altitude_ft - from_ft) * 60 * kTicksPerSecond / elapsed_ticks);
    }
    m.previous_sample_ft = m.current_sample_ft;
    m.previous_sample_tick = m.current_sample_tick;
    m.current_sample_ft = to_integer<uint32_t>(in.radio_altitude_ft);
    m.current_sample_tick = in.tick;
    if (m.sampled < 2) ++m.sampled;
    timing::set_until(m.next_sample, in.tick, to_integer<uint32_t>(in.tick + kTicksPerSecond));
    m.sampler_phase = m.sampler_phase >= 3 ? uint8_t{0} : static_cast<uint8_t>(m.sampler_phase + 1);
}

// --- Mode 2: excessive terrain closure ------------------------------------------

void take_pull_up_start(ModeState& m, const ModeInputs& in, bool already_pulling_up) {
    if (in.altitude_ft_readable) {
        m.pull_up_start_ft = to_integer<int32_t>(in.altitude_ft);
        m.pull_up_start_known = 1;
    } else if (!already_pulling_up) {
        m.pull_up_start_known = 0;
    }
}

// Below a ceiling of 1650 to 2000 ft with airspeed, flaps not in the landing
// position and no glideslope: TERRAIN under the closure rate's height, PULL
// UP under half of it. PULL UP stands, once sounding, until the aircraft is
// 300 ft above the altitude where it last was under half the height, or out
// of the envelope.
void excessive_terrain_closure(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    const bool was_pulling_up = m.Mode2State == 2;
    if (ra > schedule_ft(kTerrainClosureCeiling, in.airspeed_kt) || ra <= 30 || landing_flaps(in) ||
        in.glideslope_received) {
        m.Mode2State = 0;
    } else {
        const int32_t terrain_ft = closure_boundary_ft(m.ClosureRate);
        const int32_t pull_up_ft = terrain_ft / 2;
        if (ra <= pull_up_ft) {
            m.Mode2State = 2;
            take_pull_up_start(m, in, was_pulling_up);
        } else if (ra <= terrain_ft) {
            if (in.alert_code != 22) m.Mode2State = 1;
        } else {
            m.Mode2State = 0;
        }
    }
    if (m.Mode2State != 2 || !in.altitude_ft_readable) return;
    if (m.pull_up_start_known == 0) {
        take_pull_up_start(m, in, true);
    } else if (in.altitude_ft > m.pull_up_start_ft + 300.0) {
        m.Mode2State = 0;
    }
}

// --- Mode 3: altitude loss after take-off -----------------------------------------

// The climb's highest altitude starts afresh: the next altitude inside the
// envelope is the first of the climb.
void restart_altitude_loss(ModeState& m) {
    m.highest_altitude_ft = 0;
    m.highest_altitude_set = 0;
    m.altitude_loss_ft = 0;
}

// 2 on the ground; 1 from 30 ft once the aircraft is out of the landing
// configuration (or in a go-around); 0 above 1333 ft. A go-around after the
// phase has ended measures its loss from its own climb, not from the
// altitude where the approach entered the envelope.
void takeoff_phase(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    if (in.on_ground) {
        m.TakeoffPhase = 2;
        restart_altitude_loss(m);
    }
    if ((m.TakeoffPhase == 2 || in.go_around) && ra >= 30 && (!landing_flaps(in) || in.gear < kGearUpBelow)) {
        if (m.TakeoffPhase == 0) restart_altitude_loss(m);
        m.TakeoffPhase = 1;
    }
    if (ra > 1333) {
        m.TakeoffPhase = 0;
        restart_altitude_loss(m);
    }
}

// While another of these callouts sounds, DON'T SINK does not clear.
bool holds_dont_sink(int16_t alert_code) {
    constexpr int16_t kHolding[] = {10, 22, 410, 420, 43, 50};
    for (int16_t code : kHolding) {
        if (alert_code == code) return true;
    }
    return false;
}

// In the take-off phase, below a ceiling of 667 to 1333 ft with airspeed:
// DON'T SINK once the radio altitude is at most 6.665 times the altitude
// lost since the climb's highest point inside the envelope.
void altitude_loss_after_takeoff(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    const int32_t ceiling_ft = schedule_ft(kDontSinkCeiling, in.airspeed_kt);
    const bool inside = ra <= ceiling_ft && ra > 30;
    if (in.altitude_m_readable) {
        const int32_t altitude_ft = to_integer<int32_t>(in.altitude_m_as_ft);
        if (inside && (m.highest_altitude_set == 0 || altitude_ft > m.highest_altitude_ft)) {
            m.highest_altitude_ft = altitude_ft;
            m.highest_altitude_set = 1;
        }
        m.altitude_loss_ft =
            m.highest_altitude_set == 0
                ? 0
                : to_integer<int32_t>(static_cast<double>(m.highest_altitude_ft) - altitude_ft);
    } else {
        m.altitude_loss_ft = 0;
    }

    uint8_t result = 0;
    const bool landing_configuration = landing_flaps(in) && in.gear >= kGearUpBelow;
    if (inside && !landing_configuration && m.TakeoffPhase == 1) {
        result = ra <= to_integer<int32_t>(m.altitude_loss_ft * 6.665) ? 1 : 0;
    }
    if (result == 0 && holds_dont_sink(in.alert_code)) return;
    m.Mode3State = result;
}

// --- Modes 4a and 4b: too low, not in the landing configuration ------------------

// Below the envelope with reduced thrust on either engine: 1 (TOO LOW GEAR
// or TOO LOW FLAPS) up to the schedule's low speed, 2 (TOO LOW TERRAIN)
// above it, each with its own thrust limit. With both engines at or above
// the limit the result stands as it was: an aircraft flying on with power is
// neither newly warned nor released.
void too_low(uint8_t& mode, const ModeInputs& in, const AirspeedSchedule& floor, double slow_n1_limit,
             double fast_n1_limit) {
    if (in.radio_altitude_ft > schedule_ft(floor, in.airspeed_kt)) {
        mode = 0;
        return;
    }
    const bool slow = in.airspeed_kt <= floor.low_kt;
    if (either_n1_below(in, slow ? slow_n1_limit : fast_n1_limit)) mode = slow ? 1 : 2;
}

// Gear not down, between 30 and 1000 ft: TOO LOW GEAR up to 200 kt (N1
// below 90), TOO LOW TERRAIN above (N1 below 80).
void too_low_gear(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    if (ra > 1000 || ra <= 30 || in.gear >= kGearUpBelow) {
        m.Mode4aState = 0;
        return;
    }
    too_low(m.Mode4aState, in, kGearUpFloor, 90, 80);
}

// Gear down, flaps not in the landing position, between 30 and 1000 ft: TOO
// LOW FLAPS up to 165 kt, TOO LOW TERRAIN above (N1 below 90 either way).
void too_low_flaps(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    if (ra > 1000 || ra <= 30 || in.gear <= kGearDownAbove || landing_flaps(in)) {
        m.Mode4bState = 0;
        return;
    }
    too_low(m.Mode4bState, in, kFlapsUpFloor, 90, 90);
}

// --- Mode 4c: take-off terrain clearance; mode 5: glideslope ---------------------

// The clearance phase is 2 at take-off thrust on the ground or in a
// go-around, 1 from 30 ft, 0 above 1000 ft. In the climb, TOO LOW TERRAIN
// once the radio altitude falls to three quarters of the highest reached.
void takeoff_terrain_clearance(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    if ((in.on_ground && (in.n1_percent[0] > 90 || in.n1_percent[1] > 90)) || in.go_around) {
        m.ClearancePhase = 2;
        m.highest_radio_altitude_ft = 0;
    }
    if (m.ClearancePhase == 2 && ra >= 30) m.ClearancePhase = 1;
    if (ra > 1000) {
        m.ClearancePhase = 0;
        m.highest_radio_altitude_ft = 0;
    }
    const int32_t ceiling_ft = schedule_ft(kClearanceFloor, in.airspeed_kt);
    const uint32_t ra_ft = to_integer<uint32_t>(ra);
    if (ra_ft > m.highest_radio_altitude_ft) m.highest_radio_altitude_ft = ra_ft;
    if (ra > ceiling_ft || ra <= 30 || m.ClearancePhase != 1) {
        m.Mode4cState = 0;
        return;
    }
    const uint64_t three_quarters_ft = static_cast<uint64_t>(m.highest_radio_altitude_ft) * 75 / 100;
    m.Mode4cState = ra <= static_cast<double>(three_quarters_ft) ? 1 : 0;
}

// Between 150 and 1000 ft on a glideslope, well below it with both engines
// at reduced thrust: GLIDESLOPE. With either engine at 90 % or more the
// result stands as it was.
void below_glideslope(ModeState& m, const ModeInputs& in) {
    const double ra = in.radio_altitude_ft;
    if (ra > 1000 || ra <= 150 || !in.glideslope_received || in.glideslope_deviation >= -100) {
        m.Mode5State = 0;
        return;
    }
    if (in.n1_percent[0] < 90 && in.n1_percent[1] < 90) m.Mode5State = 1;
}

}  // namespace

int32_t schedule_ft(const AirspeedSchedule& schedule, double airspeed_kt) {
    if (!(airspeed_kt > schedule.low_kt)) return schedule.low_ft;
    if (airspeed_kt >= schedule.high_kt) return schedule.high_ft;
    return to_integer<int32_t>((airspeed_kt - schedule.low_kt) * schedule.slope + schedule.low_ft);
}

int32_t closure_boundary_ft(int32_t closure_rate_fpm) {
    for (const ClosureBand& band : kClosureBands) {
        if (closure_rate_fpm <= band.at_or_below_fpm) {
            const double beyond_fpm = -static_cast<double>(closure_rate_fpm) - band.origin_fpm;
            return to_integer<int32_t>(beyond_fpm * band.slope + band.base_ft);
        }
    }
    return 0;
}

ModeInputs read_mode_inputs() {
    ModeInputs in{};
    in.tick = finite_or(host::value<kTick>(), 0.0);
    in.on_ground = host::value<kOnGround>() == 1.0;
    in.airspeed_kt = finite_or(host::value<kAirspeed>(), 0.0);

    const double altitude_ft = host::value<kBarometricAltitude>();
    in.altitude_ft_readable = readable(altitude_ft);
    in.altitude_ft = finite_or(altitude_ft, 0.0);
    const double altitude_m_as_ft = host::value<kAltitudeMetres>() * units::kFeetPerMetre;
    in.altitude_m_readable = readable(altitude_m_as_ft);
    in.altitude_m_as_ft = finite_or(altitude_m_as_ft, 0.0);

    in.flaps = finite_or(host::value<kFlapPosition>(), kFlapsFullyDown);
    in.gear = finite_or(host::value<kNoseGearPosition>(), kGearInTransit);
    in.n1_percent[0] = finite_or(host::value<kEngine1N1>(), kNeutralN1);
    in.n1_percent[1] = finite_or(host::value<kEngine2N1>(), kNeutralN1);
    in.glideslope_received = host::value<kGlideslopeReceived>() == 1.0;
    in.glideslope_deviation = finite_or(host::value<kGlideslopeDeviation>(), 0.0);

    in.radio_altitude_readable = readable(aircraft.RadioAltitudeFt);
    in.radio_altitude_ft = finite_or(aircraft.RadioAltitudeFt, 0.0);
    in.vertical_speed_fpm = finite_or(aircraft.VerticalSpeedFpm, 0.0);
    in.landing_flaps = aircraft.FlapDetentPositions[1];
    in.go_around = aircraft.GoAroundMode == 1;
    in.alert_code = aircraft.GpwsAlertCode;
    return in;
}

void evaluate_modes(ModeState& modes, const ModeInputs& in) {
    excessive_sink_rate(modes, in);
    sample_terrain_closure(modes, in);
    excessive_terrain_closure(modes, in);
    takeoff_phase(modes, in);
    altitude_loss_after_takeoff(modes, in);
    too_low_gear(modes, in);
    too_low_flaps(modes, in);
    takeoff_terrain_clearance(modes, in);
    below_glideslope(modes, in);
}

Callout select_callout(const ModeState& modes) {
    for (const CalloutRow& row : kCalloutPriority) {
        if (modes.*row.mode == row.result) return {row.code, row.sound};
    }
    return {0, sound::SoundName::CLICK};
}

}  // namespace kadrimos::gpws
