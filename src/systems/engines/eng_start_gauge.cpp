// "toskelin eng_start_rulo": the engine start panel.
//
// The flight engineer arms the start system (ARM), which runs a 270-tick
// lamp test of the start button lights on the DC normal bus; then, with the
// ignition selector off CRANK and bleed air available (APU, ground cart with
// external power, or the other engine), a start button holds that engine's
// starter on: the starter event is sent once per update for at most 990
// ticks (55 s) and released as soon as the engine passes 40 % N2. When both
// engines are past 40 % the sequence is over: the buttons are dead until
// START ABORT and ARM again. The ignition positions themselves command
// nothing; only CRANK refuses a start.
//
// Start sequence (EngStartArmState, ArmPhase):
//   off        -> just armed   ARM
//   just armed -> lamp test    first update with the DC normal bus
//   lamp test  -> ready        270 ticks later
//   any armed  -> finished     both engines past 40 % N2
//   any        -> off          START ABORT
//
// Inputs: DcNormBusPowered, DcEssBusPowered, ApuRunning, ExtPowerOnBus; host
// tokens 1 (ticks), 624 and 643 (engine N1, %), 625 and 644 (engine N2, %),
// 563 and 573 (starter engaged, exactly 1.0).
// Outputs: EngStartArmState; key events 0x102FC and 0x102FD (starters).
//
// Host values that are not finite numbers: an N1 or N2 reads as 0 (the
// engine is not known to turn: no bleed from it, no release of its
// starter), the tick counter reads as 0 (the timers hold until it reads a
// number again).
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/engines/eng_start_state.h"

KADRIMOS_GAUGE(eng_start, "toskelin eng_start_rulo")

namespace kadrimos::gauges::eng_start {
namespace {

using namespace kadrimos::engines;

EngStartState& panel = private_state.eng_start;

// --- Figures --------------------------------------------------------------------

constexpr double kLampTestTicks = 270;       // 15 s
constexpr double kStarterWindowTicks = 990;  // 55 s: the starter's duty limit
constexpr double kStarterCutOutN2 = 40;      // self-sustaining: starter released
constexpr double kValveLightMaxN2 = 45;      // above it the valve light stays dark
constexpr double kBleedMinSpeed = 10;        // the other engine gives bleed air above this

// --- Elements -------------------------------------------------------------------

// The selector knob's six positions: START B, START A, CRANK, CONT RELIGHT
// A, B, AB.
constinit NONLINEARITY selector_scale[] = {
    {{58, 53}, 0, 0},  {{67, 37}, 1, 0},  {{89, 31}, 2, 0},
    {{108, 37}, 3, 0}, {{117, 53}, 4, 0}, {{115, 73}, 5, 0},
};

double FSAPI selector_value(ELEMENT_HEADER*) {
    return clamp_write_back(panel.IgnitionSelector, uint8_t{kIgnitionStartB}, uint8_t{kIgnitionContAB});
}

// Depth, bitmap, position: 1-2 ARM lever down / up, 3-4 ENG 1 / ENG 2 start
// button lights, 5-6 ENG 1 / ENG 2 START VALVE OPEN, 7 the selector knob.
constexpr ElementSpec kElements[] = {
    background_spec(4697),
    icon_spec("ARM lever down", 4681, {80, 123}),
    icon_spec("ARM lever up", 4688, {81, 98}),
    icon_spec("ENG 1 start button light", 4704, {9, 113}),
    icon_spec("ENG 2 start button light", 4704, {134, 113}),
    icon_spec("ENG 1 START VALVE OPEN", 4707, {8, 75}),
    icon_spec("ENG 2 START VALVE OPEN", 4707, {132, 75}),
    needle_spec("ignition selector knob", 4700, {{88, 60}, {22, 22}}, selector_value, selector_scale),
};

constexpr int kArmDown = 1, kArmUp = 2, kButtonLight1 = 3, kButtonLight2 = 4, kValveLight1 = 5,
              kValveLight2 = 6;

// --- The two starters -------------------------------------------------------------

struct Starter {
    uint8_t EngStartState::*request;
    timing::Deadline EngStartState::*window;
    uint32_t starter_event;
    int button_light;
    int valve_light;
};
// Columns: request, starter window, starter event, button light, valve
// light.
// clang-format off
constexpr Starter kStarters[] = {
    {&EngStartState::EngStartRequest1, &EngStartState::EngStartWindow1, 0x102FC, kButtonLight1, kValveLight1},
    {&EngStartState::EngStartRequest2, &EngStartState::EngStartWindow2, 0x102FD, kButtonLight2, kValveLight2},
};
// clang-format on
constexpr std::size_t kEngines = std::size(kStarters);

std::size_t other(std::size_t engine) { return engine == 0 ? 1 : 0; }

void set_both_requests(uint8_t request) {
    for (const Starter& s : kStarters) panel.*s.request = request;
}

// Bleed air for a start: the APU, the ground cart that comes with external
// power, or the other engine turning fast enough.
bool bleed_available(double other_engine_speed) {
    return aircraft.ApuRunning == 1 || aircraft.ExtPowerOnBus == 1 || other_engine_speed > kBleedMinSpeed;
}

bool armed_for_start() { return aircraft.EngStartArmState > kArmFinished; }

// --- Mouse ------------------------------------------------------------------------

int32_t FSAPI arm(PIXPOINT*, uint32_t) {
    if (aircraft.EngStartArmState == kArmOff) {
        aircraft.EngStartArmState = kArmJustArmed;
        play_click();
    }
    return 0;
}

int32_t FSAPI start_abort(PIXPOINT*, uint32_t) {
    if (aircraft.EngStartArmState != kArmOff) play_click();
    aircraft.EngStartArmState = kArmOff;
    set_both_requests(kRequestNone);
    return 0;
}

// A start button: the other engine's N1 tells whether it can give bleed.
template <std::size_t Engine, uint32_t OtherN1Token>
int32_t FSAPI press_start(PIXPOINT*, uint32_t) {
    const double other_n1 = finite_or(host::value<OtherN1Token>(), 0.0);
    uint8_t& request = panel.*kStarters[Engine].request;
    if (request != kRequestBlocked && panel.IgnitionSelector != kIgnitionCrank && armed_for_start() &&
        bleed_available(other_n1))
        request = kRequestStarting;
    return 0;
}

// The ignition selector turns on the panel's own item, between START B and
// CONT A+B.
template <bool Clockwise>
int32_t FSAPI turn_ignition_selector(PIXPOINT*, uint32_t) {
    if (Clockwise)
        step_up(panel.IgnitionSelector, uint8_t{1}, uint8_t{kIgnitionContAB});
    else
        step_down(panel.IgnitionSelector, uint8_t{1}, uint8_t{kIgnitionStartB});
    return 0;
}

constexpr auto kAreas =
    area_list(selector_halves({47, 19, 82, 73}, "IGNITION selector left", turn_ignition_selector<false>,
                              "IGNITION selector right", turn_ignition_selector<true>),
              stacked_areas({63, 96, 51, 54}, {"ARM", "START ABORT"}, {arm, start_abort}),
              area("START 1", {4, 107, 43, 43}, CURSOR_HAND, press_start<0, 643>),
              area("START 2", {129, 107, 43, 43}, CURSOR_HAND, press_start<1, 624>));

// --- Update -----------------------------------------------------------------------

struct HostInputs {
    double ticks;
    double n2[kEngines];
    bool starter_engaged[kEngines];
};

HostInputs read_host() {
    return {
        finite_or(host::value<1>(), 0.0),
        {finite_or(host::value<625>(), 0.0), finite_or(host::value<644>(), 0.0)},
        {host::value<563>() == 1.0, host::value<573>() == 1.0},
    };
}

// The lamp test: begins at the first update with the DC normal bus after
// ARM, refuses starts and lights both buttons while it runs.
void run_lamp_test(double ticks) {
    uint8_t& phase = aircraft.EngStartArmState;
    const bool dc_norm = aircraft.DcNormBusPowered == 1;
    if (phase == kArmJustArmed && dc_norm) {
        timing::set_for(panel.ArmTest, ticks, kLampTestTicks);
        phase = kArmLampTest;
    }
    if (phase == kArmLampTest && timing::due(panel.ArmTest, ticks)) {
        set_both_requests(kRequestNone);
        phase = kArmReady;
    }
    const bool testing = phase == kArmLampTest && dc_norm;
    if (testing) set_both_requests(kRequestBlocked);
    for (const Starter& s : kStarters) set_visible(header, s.button_light, testing);
}

// One engine's starter. Without DC essential power, without bleed or with
// the system not armed, the request drops and nothing else changes: the
// window of an interrupted start runs on, so that a press within it gets only
// what is left of it, and a press after it has closed is used up closing it
// (the press after that starts afresh). Otherwise a request opens its
// 990-tick window at the first update, holds the starter until the window
// closes, and ends as soon as the engine passes 40 % N2.
void run_starter(const Starter& s, std::size_t engine, const HostInputs& in) {
    uint8_t& request = panel.*s.request;
    timing::Deadline& window = panel.*s.window;
    const bool can_crank =
        aircraft.DcEssBusPowered == 1 && bleed_available(in.n2[other(engine)]) && armed_for_start();
    if (!can_crank) {
        request = kRequestNone;
        return;
    }
    if (request == kRequestStarting) {
        if (!timing::is_set(window)) timing::set_for(window, in.ticks, kStarterWindowTicks);
        if (timing::due(window, in.ticks)) {
            request = kRequestNone;
            timing::clear(window);
        } else {
            host::send_event(s.starter_event, 0);
        }
    }
    if (in.n2[engine] > kStarterCutOutN2) {
        request = kRequestNone;
        timing::clear(window);
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    show_one_of(header, {kArmDown, kArmUp}, a.EngStartArmState == kArmOff ? 0 : 1);

    const HostInputs in = read_host();
    run_lamp_test(in.ticks);

    const bool dc_ess = a.DcEssBusPowered == 1;
    for (std::size_t engine = 0; engine < kEngines; ++engine)
        light(header, kStarters[engine].valve_light, dc_ess,
              in.starter_engaged[engine] && in.n2[engine] < kValveLightMaxN2);

    for (std::size_t engine = 0; engine < kEngines; ++engine) run_starter(kStarters[engine], engine, in);

    // Both engines self-sustaining: the sequence is over.
    if (in.n2[0] > kStarterCutOutN2 && in.n2[1] > kStarterCutOutN2 && armed_for_start())
        a.EngStartArmState = kArmFinished;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 185, callback);

}  // namespace kadrimos::gauges::eng_start
