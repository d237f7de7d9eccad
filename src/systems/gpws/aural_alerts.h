// The cockpit's aural alerts other than the ground proximity callouts: the
// alerts other gauges request, the gear horn, the warning re-arm latches and
// the master warning and caution sounds. Run by the GPWS gauge's update after
// its callout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "module/aircraft_state.h"

namespace kadrimos::gpws {

// How a warning source sounds, in the order the warning sequence serves
// them: the first alarm with a latched source sounds, the others wait.
enum class Alarm : uint8_t {
    Fire,            // the fire bell SONNERIE, looped; MwpButton3 silences it
    DoorAtAltitude,  // the continuous gong GONGCONT, looped
    FlightControl,   // the intermittent klaxon KLAXONINT, looped
    Caution,         // one stroke of the gong GONGMONO
};

// Latch values (WarningRearm): idle, new warning, sounded.
inline constexpr uint8_t kLatchIdle = 0;
inline constexpr uint8_t kLatchNew = 1;
inline constexpr uint8_t kLatchSounded = 2;

// LightCancelled entries: panel 1's cancellable lamps 1 to 18 and 20 are
// entries 0 to 18, panel 2's lamps 1 to 13 entries 19 to 31.
inline constexpr uint8_t kEng1FireLamp = 0;         // panel 1, lamp 1
inline constexpr uint8_t kEng2FireLamp = 1;         // panel 1, lamp 2
inline constexpr uint8_t kFlightControlLamp = 3;    // panel 1, lamp 4
inline constexpr uint8_t kDoorAtAltitudeLamp = 30;  // panel 2, lamp 12
inline constexpr uint8_t kNoLamp = 0xFF;

struct WarningSource {
    uint8_t AircraftState::*flag;
    Alarm alarm;
    // The lamp whose cancel a new warning of this source clears as it asks
    // for the magnified warning panels; kNoLamp: it asks for nothing.
    uint8_t lamp;
    // Its place in the order of those requests (1 first); 0: none.
    uint8_t request_rank;
};

// The warning sources, one re-arm latch each (WarningRearm[row]).
// Columns: source flag, alarm, lamp of the panel request, rank of the request.
// clang-format off
inline constexpr WarningSource kWarningSources[] = {
    {&AircraftState::Eng1FireWarning,         Alarm::Fire,           kEng1FireLamp,       1},
    {&AircraftState::Eng2FireWarning,         Alarm::Fire,           kEng2FireLamp,       2},
    {&AircraftState::SurfacesFault,           Alarm::FlightControl,  kFlightControlLamp,  5},
    {&AircraftState::LowSpeedAileronFault,    Alarm::FlightControl,  kFlightControlLamp,  6},
    {&AircraftState::FlapsFault,              Alarm::FlightControl,  kFlightControlLamp,  4},
    {&AircraftState::Eng1OilPressLow,         Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::Eng2OilPressLow,         Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::HydFault,                Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::Gen1Fault,               Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::Gen2Fault,               Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ApuGenFault,             Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ElecAcFault,             Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ElecDcFault,             Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ServoControlFault,       Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::FuelReserveWarning,      Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::RudderTravelFault,       Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::YawDamperFault,          Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::PitchTrimFault,          Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::InstrBusFault,           Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::AsiInop,                 Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::AltimeterInop,           Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::AttitudeFailWarning,     Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::HsiInop,                 Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::RmiInop,                 Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::AdfInop,                 Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::AtsOffWarning,           Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ProbeHeatFault,          Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::ApuFaultWarning,         Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::BrakesFault,             Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::DoorsOpenWarning,        Alarm::Caution,        kNoLamp,             0},
    {&AircraftState::DoorOpenAltitudeWarning, Alarm::DoorAtAltitude, kDoorAtAltitudeLamp, 3},
};
// clang-format on
static_assert(std::size(kWarningSources) == kWarningSourceCount, "one latch per warning source");

// What the aural alerts keep to themselves between updates.
struct AuralAlertState {
    // 1 once the magnified panels have been asked for on this source's
    // behalf; cleared when its latch is idle again. A warning is announced
    // to the panel once, however long its latch waits to be sounded.
    uint8_t panel_requested[kWarningSourceCount] = {};
};

// One update of the aural alerts (reads the host's gear and flap positions
// and the shared record; writes WarningRearm, LightCancelled,
// BigPanelRequest and ReCalloutRequest).
void update_aural_alerts();

}  // namespace kadrimos::gpws
