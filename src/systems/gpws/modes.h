// The ground proximity warning modes and the choice of one callout.
//
// Each mode is a function of one record of inputs, read once an update from
// the host and the shared record, and of what the modes remember (ModeState).
// The airspeed- and altitude-dependent boundaries are table rows.
#pragma once

#include <cstdint>

#include "sound/sound_bank.h"
#include "systems/gpws/gpws_state.h"

namespace kadrimos::gpws {

// Everything the modes read in one update. Host doubles arrive here already
// checked: a value that is not a number is replaced before it is stored (see
// read_mode_inputs() for what each one reads as).
struct ModeInputs {
    double tick = 0;                   // token 1
    bool on_ground = false;            // token 60 reads 1.0
    double airspeed_kt = 0;            // token 61
    double altitude_ft = 0;            // token 74 (barometric, feet)
    double altitude_m_as_ft = 0;       // token 73 x 3.281
    double flaps = 0;                  // token 329, 0..16383
    double gear = 0;                   // token 332, 0..16383
    double n1_percent[2] = {0, 0};     // tokens 624 and 643
    bool glideslope_received = false;  // token 44 reads 1.0
    double glideslope_deviation = 0;   // token 41
    double radio_altitude_ft = 0;      // RadioAltitudeFt
    double vertical_speed_fpm = 0;     // VerticalSpeedFpm
    int16_t landing_flaps = 5262;      // FlapDetentPositions[1] (D2)
    bool go_around = false;            // GoAroundMode = 1
    int16_t alert_code = 0;            // GpwsAlertCode as the update found it

    // Whether the three heights could be read. An unreadable radio altitude
    // reads 0 (below the floor of every mode) and the terrain closure
    // sampler waits for a reading; an unreadable altitude neither starts nor
    // ends a measurement of climb or loss.
    bool radio_altitude_readable = true;
    bool altitude_ft_readable = true;
    bool altitude_m_readable = true;
};

// Reads the inputs from the host and the shared record.
ModeInputs read_mode_inputs();

// Evaluates modes 1 to 5 in order and updates what they remember.
void evaluate_modes(ModeState& modes, const ModeInputs& in);

// The callout of the first mode result that applies, by fixed priority.
struct Callout {
    int16_t code;            // GpwsAlertCode; 0: none
    sound::SoundName sound;  // meaningless when code is 0
};
Callout select_callout(const ModeState& modes);

// --- The envelopes' tables ----------------------------------------------------

// A height that grows with airspeed: flat up to the low speed, then a
// straight line, flat again from the high speed. Between the two speeds it
// is the whole part of ((airspeed - low kt) x slope + low ft).
// Columns: low kt, high kt, low ft, high ft, slope (ft per kt).
struct AirspeedSchedule {
    double low_kt;
    double high_kt;
    int32_t low_ft;
    int32_t high_ft;
    double slope;
};
inline constexpr AirspeedSchedule kTerrainClosureCeiling = {230, 330, 1650, 2000, 3.5};
inline constexpr AirspeedSchedule kDontSinkCeiling = {190, 250, 667, 1333, 11.1};
inline constexpr AirspeedSchedule kGearUpFloor = {200, 270, 500, 1000, 7.143};
inline constexpr AirspeedSchedule kFlapsUpFloor = {165, 270, 245, 1000, 7.19};
// Above 1000 ft the take-off clearance phase has ended, so this envelope
// reaches its effective ceiling of 1000 ft at about 235 kt.
inline constexpr AirspeedSchedule kClearanceFloor = {200, 270, 667, 1000, 9.51};

int32_t schedule_ft(const AirspeedSchedule& schedule, double airspeed_kt);

// The terrain closure warning's height against the closure rate: the first
// band whose rate the closure reaches gives the whole part of
// ((-closure - origin) x slope + base ft); a slower closure gives 0.
// Columns: closure at or below (ft/min), origin (ft/min), slope, base ft.
struct ClosureBand {
    int32_t at_or_below_fpm;
    int32_t origin_fpm;
    double slope;
    int32_t base_ft;
};
inline constexpr ClosureBand kClosureBands[] = {
    {-9000, 9000, 0.0, 2000},
    {-8000, 8000, 0.2, 1800},
    {-3500, 3500, 0.122, 1250},
    {-2000, 2000, 0.81, 30},
};

int32_t closure_boundary_ft(int32_t closure_rate_fpm);

// The callouts by priority, first first: the mode result that calls each.
// Columns: mode, its result, sound, GpwsAlertCode.
struct CalloutRow {
    uint8_t ModeState::*mode;
    uint8_t result;
    sound::SoundName sound;
    int16_t code;
};
inline constexpr CalloutRow kCalloutPriority[] = {
    {&ModeState::Mode1State, 1, sound::SoundName::SNKRATE, 10},
    {&ModeState::Mode1State, 2, sound::SoundName::WPULLUP, 12},
    {&ModeState::Mode2State, 1, sound::SoundName::TERRAIN, 20},
    {&ModeState::Mode2State, 2, sound::SoundName::WPULLUP, 22},
    {&ModeState::Mode3State, 1, sound::SoundName::DONTSNK, 30},
    {&ModeState::Mode4aState, 1, sound::SoundName::TOOLOWGEAR, 410},
    {&ModeState::Mode4aState, 2, sound::SoundName::TOOLOWTERRAIN, 412},
    {&ModeState::Mode4bState, 1, sound::SoundName::TOOLOWFLAPS, 420},
    {&ModeState::Mode4bState, 2, sound::SoundName::TOOLOWTERRAIN, 422},
    {&ModeState::Mode4cState, 1, sound::SoundName::TOOLOWTERRAIN, 43},
    {&ModeState::Mode5State, 1, sound::SoundName::GLIDESLOPE, 50},
};

}  // namespace kadrimos::gpws
