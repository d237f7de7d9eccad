// "toskelin gpws_rulo": the ground proximity warning, and the cockpit's aural
// warning centre.
//
// On the panel it is a red GPWS light that is also the test button. Behind
// it, every update evaluates the warning modes from the radio altitude,
// vertical speed, terrain closure, airspeed, gear, flaps and glideslope
// (systems/gpws/modes.h), calls out the first alert by fixed priority, runs
// the test the crew starts from the light, then sounds the cockpit's other
// aural alerts and the master warning and caution sounds
// (systems/gpws/aural_alerts.h).
//
// The warning computer runs on the DC essential bus. Without it the light is
// dark, the modes stand frozen, there is no alert (the code reads 0, so the
// radio altimeter's and the altitude alert's callouts are not held back by a
// warning nobody hears) and no callout, and a test in progress is cancelled.
//
// Its install loads the cockpit's sounds and its kill releases them: every
// other gauge plays them through the sound bank.
//
// Inputs: DcEssBusPowered, FlapDetentPositions, RadioAltitudeFt and the mode
// inputs; tokens 1 (tick), 60 (1.0 on the ground) and 329 (flaps).
// Outputs: GpwsAlertCode, and the aural alerts' items.
#include <cstdint>

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
#include "systems/gpws/aural_alerts.h"
#include "systems/gpws/gpws_state.h"
#include "systems/gpws/modes.h"

KADRIMOS_GAUGE_WITH_STATE(gpws, "toskelin gpws_rulo")

namespace kadrimos::gauges::gpws {

constinit kadrimos::gpws::GpwsState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using kadrimos::gpws::TestState;
using sound::SoundName;

constexpr uint32_t kHelpId = 0xAB4C;

// The test runs on the ground or high above it, never close to the ground
// where a real alert could be masked.
constexpr double kTestFloorFt = 1500;
// Each test callout has two seconds to itself.
constexpr double kTestStepTicks = 36;
// Test phases.
constexpr uint8_t kTestStart = 0;
constexpr uint8_t kTestGlideslopeCalled = 1;
constexpr uint8_t kTestPullUpCalled = 2;

bool powered() { return aircraft.DcEssBusPowered == 1; }

// --- Elements --------------------------------------------------------------------

constexpr ElementSpec kElements[] = {
    background_spec(4713),
    icon_spec("GPWS light", 4716, {0, 0}),
};
constexpr int kLight = depth_of(kElements, "GPWS light");

// --- Areas -----------------------------------------------------------------------

// The light is the test button: it starts a test only with the computer
// powered and quiet, and not while one is running.
int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    TestState& test = state.test;
    if (aircraft.GpwsAlertCode == 0 && test.GpwsTestActive != 1 && powered()) test.GpwsTestActive = 1;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("GPWS light TEST", {0, 0, 47, 28}, CURSOR_HAND, press_test),
};

// --- Update ----------------------------------------------------------------------

void stop_test(TestState& test) {
    test.GpwsTestActive = 0;
    test.GpwsTestPhase = kTestStart;
    timing::clear(test.deadline);
}

// The callout of the first active mode. Without power the modes keep their
// last results, but nothing is called out.
void call_out() {
    if (!powered()) {
        aircraft.GpwsAlertCode = 0;
        return;
    }
    const kadrimos::gpws::Callout callout = kadrimos::gpws::select_callout(state.modes);
    aircraft.GpwsAlertCode = callout.code;
    if (callout.code != 0) sound::play_once(callout.sound);
}

// The test: GLIDESLOPE, two seconds later WHOOP WHOOP PULL UP, two seconds
// later the end. With landing flaps the pull-up part is left out.
void run_test() {
    TestState& test = state.test;
    const bool on_ground = host::value<60>() == 1.0;
    if (test.GpwsTestActive != 1 || (!on_ground && aircraft.RadioAltitudeFt <= kTestFloorFt) ||
        aircraft.GpwsAlertCode != 0 || !powered()) {
        stop_test(test);
        return;
    }
    const double tick = finite_or(host::value<1>(), 0.0);
    const double flaps = finite_or(host::value<329>(), 0.0);
    const bool landing_flaps = flaps > aircraft.FlapDetentPositions[1] - 100;
    switch (test.GpwsTestPhase) {
        case kTestStart:
            sound::play_once(SoundName::GLIDESLOPE);
            timing::set_for(test.deadline, tick, kTestStepTicks);
            test.GpwsTestPhase = kTestGlideslopeCalled;
            break;
        case kTestGlideslopeCalled:
            if (!timing::due(test.deadline, tick)) break;
            if (landing_flaps) {
                stop_test(test);
                break;
            }
            sound::play_once(SoundName::WPULLUP);
            timing::set_for(test.deadline, tick, kTestStepTicks);
            test.GpwsTestPhase = kTestPullUpCalled;
            break;
        default:
            if (timing::due(test.deadline, tick)) stop_test(test);
            break;
    }
}

void update() {
    // Without power the modes stand frozen and call_out() clears the alert.
    if (powered()) kadrimos::gpws::evaluate_modes(state.modes, kadrimos::gpws::read_mode_inputs());
    call_out();
    run_test();
    kadrimos::gpws::update_aural_alerts();
    // The light shows the alert and the test of this update.
    set_visible(header, kLight, powered() && (aircraft.GpwsAlertCode != 0 || state.test.GpwsTestActive == 1));
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t extra) {
    switch (service) {
        case PANEL_SERVICE_PRE_INSTALL:
            sound::load_all(extra);  // the host's extra value is the module handle
            break;
        case PANEL_SERVICE_PRE_UPDATE:
            update();
            break;
        case PANEL_SERVICE_PRE_KILL:
            sound::release_all();
            break;
        default:
            break;
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 47, callback, kHelpId);

}  // namespace kadrimos::gauges::gpws
