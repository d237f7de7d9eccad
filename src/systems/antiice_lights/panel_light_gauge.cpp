// "toskelin panel_light_rulo": the instrument lighting of the main panel.
//
// Not a panel of switches but two overlays as wide as the main panel, drawn
// over it: the instrument lighting as it looks with the flight-deck light off
// (the background) and with it on (element 1). They show while the
// instrument lights are on (the flight director panel's push-button) and the
// AC essential bus feeds them.
//
// The simulator's panel lighting is driven by pulses: panel lights on, off 9
// ticks later, on again 9 ticks after that. One sequence switches it on when
// the instrument lights come on and off when they go off or lose their bus;
// another sets its intensity again when the flight-deck light is switched.
// Each sequence takes 18 ticks from its first pulse to its last. Switching on
// needs the AC essential bus as switching off does, so that a dead bus with
// the instrument lights selected on leaves the lighting off instead of
// switching it on and off again and again; the intensity, too, is set only
// with the bus alive.
//
// Inputs: InstrumentLightsOn, AcEssBusPowered, FltDeckLightSwitch; token 1
// (ticks).
// Outputs: key events 0x10208 (panel lights on), 0x10209 (off).
#include <cmath>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/timing.h"
#include "systems/antiice_lights/antiice_lights_state.h"

KADRIMOS_GAUGE_WITH_STATE(panel_light, "toskelin panel_light_rulo")

namespace kadrimos::gauges::panel_light {

constinit State state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBitmap = 5648;  // the background's; element 1 has kBitmap + 1

constexpr uint32_t kTickToken = 1;
constexpr uint32_t kPanelLightsOn = 0x10208;
constexpr uint32_t kPanelLightsOff = 0x10209;
constexpr double kPulseTicks = 9;

State& self = state;

// Element 0 (the background) and element 1: the lighting with the flight-deck
// light off and on. Both dark until the first update says otherwise.
constexpr ElementSpec kElements[] = {
    background_spec(kBitmap, kBackgroundFlags | kHidden, no_failures, "instrument lighting overlay"),
    icon_spec("flight-deck lighting overlay", kBitmap + 1, {0, 0}),
};
constexpr int kInstrumentLighting = 0, kFlightDeckLighting = 1;

// Which pulse of a sequence an update sent: none, the first, the second or
// the last, after which the sequence is over.
enum class Pulse : uint8_t { none, first, second, last };

// Sends the next pulse of a sequence if its time has come. Each pulse waits
// for the whole tick 9 after the one before it.
Pulse run(PulseSequencer& s, double now) {
    switch (s.step) {
        case 0:
            host::send_event(kPanelLightsOn);
            timing::set_until(s.next, now, to_integer<int32_t>(now) + kPulseTicks);
            s.step = 1;
            return Pulse::first;
        case 1:
            if (!timing::due(s.next, now)) return Pulse::none;
            host::send_event(kPanelLightsOff);
            timing::set_until(s.next, now, to_integer<int32_t>(now) + kPulseTicks);
            s.step = 2;
            return Pulse::second;
        default:
            if (!timing::due(s.next, now)) return Pulse::none;
            host::send_event(kPanelLightsOn);
            timing::clear(s.next);
            s.step = 0;
            return Pulse::last;
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const AircraftState& a = aircraft;
    const bool lit = a.InstrumentLightsOn == 1 && a.AcEssBusPowered == 1;
    const bool flight_deck = a.FltDeckLightSwitch == 1;
    set_visible(header, kInstrumentLighting, lit && !flight_deck);
    set_visible(header, kFlightDeckLighting, lit && flight_deck);

    // While the clock cannot be read the sequences wait where they are.
    const double now = host::value<kTickToken>();
    if (std::isfinite(now)) {
        const uint8_t wanted = flight_deck ? kIntensityFlightDeckLit : kIntensityFlightDeckDark;
        if (lit && self.host_lights_on == 0) {
            const Pulse p = run(self.switching, now);
            if (p == Pulse::first) self.intensity = wanted;
            if (p == Pulse::last) self.host_lights_on = 1;
        } else if (!lit && self.host_lights_on == 1) {
            if (run(self.switching, now) == Pulse::last) self.host_lights_on = 0;
        }
        if (lit && self.intensity != wanted && run(self.dimming, now) == Pulse::last) self.intensity = wanted;
    }
    if (!lit) self.intensity = kIntensityNone;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 1280, callback);

}  // namespace kadrimos::gauges::panel_light
