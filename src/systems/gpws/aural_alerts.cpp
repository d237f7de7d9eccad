// The cockpit's aural alerts besides the ground proximity callouts. The GPWS
// gauge's update runs them once it has chosen its callout, so GpwsAlertCode
// is this update's. In this order:
//
//   1. the alerts other systems ask for: the roof warning of a sudden pitch
//      change, the flap placard clacker, the autoland mode clicks, the
//      decision-height callout and the altitude alert chime;
//   2. the gear horn;
//   3. the re-arm latches, one per warning source (kWarningSources);
//   4. the request for the magnified warning panels on a new warning;
//   5. the master warning and caution sounds.
//
// Power: everything that sounds hangs on the DC essential bus. Without it
// nothing is played and every loop is stopped, so that no bell, klaxon or
// clacker is left running when the bus drops. The latches (3) and the panel
// request (4) follow their flags with or without power, so that a warning
// that rose while the bus was dead sounds when it comes back. A callout the
// radio altimeter asked for waits too: the request stays raised until the
// bus is back (or the radio altimeter withdraws it), as it waits for a
// ground proximity callout to end.
//
// Loops are asked of the sound card as they start and as they stop, not on
// every update; a sound played once is asked for on every update while its
// condition stands, so a standing alert repeats back to back.
//
// Host values that are not numbers: a gear position reads as down and a flap
// position as up, so a bad reading never sounds the gear horn.
#include "systems/gpws/aural_alerts.h"

#include <array>

#include "module/module_state.h"
#include "panel/convert.h"
#include "panel/host.h"
#include "sound/sound_bank.h"

namespace kadrimos::gpws {
namespace {

using sound::SoundName;

// Host variables, by token.
constexpr uint32_t kGearPosition = 332;  // 0..16383
constexpr uint32_t kFlapPosition = 329;  // 0..16383

constexpr double kGearDown = 16000;  // and above
constexpr double kGearReadingWhenUnknown = 16383;
constexpr double kFlapReadingWhenUnknown = 0;
// The horn sounds with the flaps beyond the second detent (landing flaps)
// and the gear not down.
constexpr std::size_t kLandingFlapDetent = 2;

// ReCalloutRequest: 1 asked for by the radio altimeter, 2 called out.
constexpr uint8_t kCalloutAsked = 1;
constexpr uint8_t kCalloutMade = 2;

constexpr uint8_t kBigPanelOpenRequested = 1;  // BigPanelRequest

// The loop of each alarm that loops, in the alarms' order.
struct AlarmLoop {
    Alarm alarm;
    SoundName sound;
};
constexpr AlarmLoop kAlarmLoops[] = {
    {Alarm::Fire, SoundName::SONNERIE},
    {Alarm::DoorAtAltitude, SoundName::GONGCONT},
    {Alarm::FlightControl, SoundName::KLAXONINT},
};

// The rows of kWarningSources that ask for the magnified panels, in the
// order of their ranks.
constexpr std::size_t kRequestCount = [] {
    std::size_t n = 0;
    for (const WarningSource& s : kWarningSources) n += s.request_rank != 0 ? 1 : 0;
    return n;
}();
constexpr std::array<std::size_t, kRequestCount> kRequestOrder = [] {
    std::array<std::size_t, kRequestCount> order{};
    for (std::size_t i = 0; i < kWarningSourceCount; ++i)
        if (kWarningSources[i].request_rank != 0) order[kWarningSources[i].request_rank - 1u] = i;
    return order;
}();
constexpr bool requests_are_well_formed() {
    std::array<bool, kRequestCount> seen{};
    for (const WarningSource& s : kWarningSources) {
        if (s.request_rank == 0) {
            if (s.lamp != kNoLamp) return false;
            continue;
        }
        if (s.request_rank > kRequestCount || seen[s.request_rank - 1u]) return false;
        if (s.lamp >= kCancellableLightCount) return false;
        seen[s.request_rank - 1u] = true;
    }
    return true;
}
static_assert(requests_are_well_formed(), "request ranks run 1..n, each with a lamp that can be cancelled");

AuralAlertState& self() { return private_state.aural_alerts; }

// Asks for a loop to start or stop only when it is not already so.
void loop_while(SoundName sound, bool on) {
    if (on && !sound::is_looping(sound)) sound::start_loop(sound);
    if (!on && sound::is_looping(sound)) sound::stop_loop(sound);
}

// --- 1. The alerts other systems ask for -------------------------------------------

void requested_alerts(bool powered) {
    AircraftState& a = aircraft;
    const bool no_callout = a.GpwsAlertCode == 0;
    if (powered && a.PitchChangeAlert == 1) sound::play_once(SoundName::WROOF);
    loop_while(SoundName::CLACKER, powered && a.FlapPlacardExceeded == 1);
    if (powered && a.LandModeChanged == 1) sound::play_once(SoundName::CLICLICLIC);
    // The decision-height callout waits for a ground proximity callout to
    // end, and for the bus to come back.
    if (powered && no_callout && a.ReCalloutRequest == kCalloutAsked) {
        sound::play_once(SoundName::RE);
        a.ReCalloutRequest = kCalloutMade;
    }
    loop_while(SoundName::REREP, powered && no_callout && a.AltAlertChimeRequest == 1);
}

// --- 2. The gear horn ----------------------------------------------------------------

void gear_horn(bool powered) {
    const double gear = finite_or(host::value<kGearPosition>(), kGearReadingWhenUnknown);
    const double flaps = finite_or(host::value<kFlapPosition>(), kFlapReadingWhenUnknown);
    const double landing_flaps = aircraft.FlapDetentPositions[kLandingFlapDetent] + 1.0;
    const bool landing_without_gear = gear < kGearDown && flaps > landing_flaps;
    loop_while(SoundName::KLAXONCONT, powered && landing_without_gear && aircraft.MwpButton3 != 1);
}

// --- 3. The re-arm latches -----------------------------------------------------------

void follow_warning_flags() {
    for (std::size_t i = 0; i < kWarningSourceCount; ++i) {
        const uint8_t flag = aircraft.*kWarningSources[i].flag;
        uint8_t& latch = aircraft.WarningRearm[i];
        if (flag == 1 && latch == kLatchIdle) latch = kLatchNew;
        if (flag == 0) latch = kLatchIdle;
    }
}

// --- 4. The magnified panels on a new warning ----------------------------------------

// A new fire, door or flight control warning lights its lamp again (the crew
// may have cancelled it for an earlier warning on the same lamp) and opens
// the magnified panels. Once per warning: a latch that waits behind a louder
// alarm, or for the bus, stays new, and asking again on every update would
// clear the crew's cancel and reopen the panels each time they close them.
void request_panels_for_new_warning() {
    AuralAlertState& s = self();
    for (std::size_t i = 0; i < kWarningSourceCount; ++i)
        if (aircraft.WarningRearm[i] == kLatchIdle) s.panel_requested[i] = 0;
    for (std::size_t i : kRequestOrder) {
        if (aircraft.WarningRearm[i] != kLatchNew || s.panel_requested[i] == 1) continue;
        aircraft.LightCancelled[kWarningSources[i].lamp] = 0;
        aircraft.BigPanelRequest = kBigPanelOpenRequested;
        s.panel_requested[i] = 1;
        return;
    }
}

// --- 5. The master warning and caution sounds ----------------------------------------

// The latch of the first source of `alarm`, in table order, that is set
// (any warning) or new (one not yet sounded); null if none.
enum class Latched : uint8_t { Set, New };
uint8_t* first_latch(Alarm alarm, Latched which) {
    for (std::size_t i = 0; i < kWarningSourceCount; ++i) {
        uint8_t& latch = aircraft.WarningRearm[i];
        if (kWarningSources[i].alarm != alarm) continue;
        if (which == Latched::Set ? latch != kLatchIdle : latch == kLatchNew) return &latch;
    }
    return nullptr;
}

// One warning sounds at a time: the bell over the door gong over the
// klaxon, and those over the caution gong. A louder alarm stops a quieter
// loop, which takes up again once the louder one has gone.
void warning_sounds(bool powered) {
    bool alarm_found = false;
    const AlarmLoop* sounding = nullptr;
    for (const AlarmLoop& l : kAlarmLoops) {
        uint8_t* latch = powered ? first_latch(l.alarm, Latched::Set) : nullptr;
        if (latch == nullptr) continue;
        *latch = kLatchSounded;
        alarm_found = true;
        // The crew silences the fire bell with the third button of warning
        // panel 2; the quieter alarms stay silent behind it.
        if (!(l.alarm == Alarm::Fire && aircraft.MwpButton3 == 1)) sounding = &l;
        break;
    }
    for (const AlarmLoop& l : kAlarmLoops) loop_while(l.sound, &l == sounding);
    if (!powered || alarm_found) return;
    if (uint8_t* latch = first_latch(Alarm::Caution, Latched::New)) {
        sound::play_once(SoundName::GONGMONO);
        *latch = kLatchSounded;
    }
}

}  // namespace

void update_aural_alerts() {
    const bool powered = aircraft.DcEssBusPowered == 1;
    requested_alerts(powered);
    gear_horn(powered);
    follow_warning_flags();
    request_panels_for_new_warning();
    warning_sounds(powered);
}

}  // namespace kadrimos::gpws
