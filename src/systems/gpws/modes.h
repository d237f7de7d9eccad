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
// checked: a value that is not a number is replaced before it is stored.
struct ModeInputs {
    double tick = 0;                  // token 1
    bool on_ground = false;           // token 60 reads 1.0
    double airspeed_kt = 0;           // token 61
    double altitude_ft = 0;           // token 74 (barometric, feet)
    double altitude_m_as_ft = 0;      // token 73 x 3.281
    double flaps = 0;                 // token 329, 0..16383
    double gear = 0;                  // token 332, 0..16383
    double n1_percent[2] = {0, 0};    // tokens 624 and 643
    bool glideslope_received = false; // token 44 reads 1.0
    double glideslope_deviation = 0;  // token 41
    double radio_altitude_ft = 0;     // RadioAltitudeFt
    double vertical_speed_fpm = 0;    // VerticalSpeedFpm
    int16_t landing_flaps = 5262;     // FlapDetentPositions[1] (D2)
    bool go_around = false;           // GoAroundMode = 1
    int16_t alert_code = 0;           // GpwsAlertCode as the update found it
};

// Reads the inputs from the host and the shared record.
ModeInputs read_mode_inputs();

// Evaluates modes 1 to 5 in order and updates what they remember.
void evaluate_modes(ModeState& modes, const ModeInputs& in);

// The callout of the first mode result that applies, by fixed priority.
struct Callout {
    int16_t code;           // GpwsAlertCode; 0: none
    sound::SoundName sound; // meaningless when code is 0
};
Callout select_callout(const ModeState& modes);

}  // namespace kadrimos::gpws
