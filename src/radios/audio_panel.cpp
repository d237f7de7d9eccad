// "toskelin radio_snd_rulo": the audio control panel.
//
// Five two-position switches choose what the crew hears besides the
// communication radios: switch 1 (the interphone) is a switch and nothing
// more; switches 2 to 5 put the marker tones, the idents of the two
// navigation receivers and the ADF's ident on the headsets. The simulator
// keeps each of those four audio channels on or off; every update the panel
// brings it back in step with its switch, sending a command only while the
// two differ, so a channel switched by anything else is switched back. A
// channel comes on only while the receiver's supply is there: without it the
// channel is taken off whatever the switch says, and put back at the first
// update after the supply returns.
//
// The knob sets the cockpit's master volume: every sound of the module a
// step of 1 dB louder or softer, within ten steps either way; its pointer
// shows the step.
//
// Inputs: the switches; tokens 881 (marker tones), 877 and 878 (navigation
// receivers 1 and 2 idents), 880 (ADF ident), each on at 1.0;
// DcNormBusPowered, AcEssBusPowered, AcBus2Powered, AcEssNormPowered.
// Outputs: events 0x103AE (marker tones, value 1 on, 0 off), 0x1012D and
// 0x10128 (receiver 1 ident on, off), 0x1012E and 0x10129 (receiver 2),
// 0x10131 and 0x1012C (ADF); the master volume step.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "sound/sound_bank.h"

KADRIMOS_GAUGE_WITH_STATE(radio_snd, "toskelin radio_snd_rulo")

namespace kadrimos::gauges::radio_snd {

constexpr int kSwitches = 5;
struct AudioPanelState {
    uint8_t position[kSwitches] = {1, 1, 0, 0, 0};  // 1: on
};

constinit AudioPanelState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

constexpr uint32_t kBackground = 7084;
constexpr uint32_t kFirstSwitchBitmap = 7590;  // switch n: 7588 + 2n (off), 7589 + 2n (on)
constexpr uint32_t kPointerBitmap = 7600;

// --- Channels ----------------------------------------------------------------

// Which supply a receiver's audio needs.
enum class Supply : uint8_t { none, dc_norm, ac_ess, ac_bus_2, ac_ess_norm_or_dc_norm };

bool supplied(Supply s) {
    switch (s) {
        case Supply::dc_norm:
            return aircraft.DcNormBusPowered == 1;
        case Supply::ac_ess:
            return aircraft.AcEssBusPowered == 1;
        case Supply::ac_bus_2:
            return aircraft.AcBus2Powered == 1;
        case Supply::ac_ess_norm_or_dc_norm:
            return aircraft.AcEssNormPowered == 1 || aircraft.DcNormBusPowered == 1;
        case Supply::none:
            break;
    }
    return false;
}

// Columns: the host's channel state (a token read through `state`, null for a
// switch with no channel), its supply, the command (and its value) that puts
// it on, the one that takes it off.
struct Channel {
    double (*host_state)();
    Supply supply;
    uint32_t on_event;
    uint32_t on_value;
    uint32_t off_event;
    uint32_t off_value;
};
// clang-format off
constexpr Channel kChannels[kSwitches] = {
    {nullptr,                   Supply::none,                   0,       0, 0,       0},
    {host::value<881>,          Supply::dc_norm,                0x103AE, 1, 0x103AE, 0},
    {host::value<877>,          Supply::ac_ess,                 0x1012D, 0, 0x10128, 0},
    {host::value<878>,          Supply::ac_bus_2,               0x1012E, 0, 0x10129, 0},
    {host::value<880>,          Supply::ac_ess_norm_or_dc_norm, 0x10131, 0, 0x1012C, 0},
};
// clang-format on

// A channel reads on only at exactly 1.0: a reading that is no number is
// off, and a switch that wants it on asks for it again.
void keep_in_step(const Channel& c, bool switched_on) {
    if (c.host_state == nullptr) return;
    const bool on = c.host_state() == 1.0;
    if (switched_on && supplied(c.supply)) {
        if (!on) host::send_event(c.on_event, c.on_value);
    } else if (on) {
        host::send_event(c.off_event, c.off_value);
    }
}

// --- Elements ----------------------------------------------------------------

// The knob's pointer stands on the master volume step. The step cannot leave
// -10..10 through the knob; a step beyond is shown at its end and set there.
double FSAPI volume_pointer(ELEMENT_HEADER*) {
    return clamp_write_back<int8_t>(private_state.sound_bank.master_step, -sound::kMasterStepLimit,
                                    sound::kMasterStepLimit);
}

constinit NONLINEARITY volume_scale[] = {
    {{111, 27}, -10, 0}, {{108, 14}, -5, 0}, {{119, 7}, 0, 0}, {{130, 14}, 5, 0}, {{127, 27}, 10, 0},
};

// Switch n's bitmaps stand at the top left of its two areas: off, then on.
constexpr PIXPOINT kSwitchAt[kSwitches] = {{9, 2}, {9, 45}, {53, 45}, {97, 45}, {53, 79}};
constexpr const char* kOffLabel[kSwitches] = {"INT audio OFF", "MKR audio OFF", "NAV 1 audio OFF",
                                              "NAV 2 audio OFF", "ADF audio OFF"};
constexpr const char* kOnLabel[kSwitches] = {"INT audio ON", "MKR audio ON", "NAV 1 audio ON",
                                             "NAV 2 audio ON", "ADF audio ON"};

constexpr auto make_elements() {
    std::array<ElementSpec, 2 * kSwitches + 2> specs = {background_spec(kBackground)};
    for (int n = 0; n < kSwitches; ++n) {
        specs[2 * n + 1] = icon_spec(kOffLabel[n], kFirstSwitchBitmap + 2 * n, kSwitchAt[n]);
        specs[2 * n + 2] = icon_spec(kOnLabel[n], kFirstSwitchBitmap + 2 * n + 1, kSwitchAt[n]);
    }
    specs[2 * kSwitches + 1] =
        needle_spec("VOLUME knob pointer", kPointerBitmap, {{119, 19}, {3, 2}}, volume_pointer, volume_scale);
    return specs;
}
constexpr auto kElements = make_elements();

// --- Areas -------------------------------------------------------------------

// Each switch is thrown by a click on its left half (off) or its right half
// (on), silently.
template <int Switch, uint8_t Position>
int32_t FSAPI throw_switch(PIXPOINT*, uint32_t) {
    state.position[Switch] = Position;
    return 0;
}

int32_t FSAPI volume_down(PIXPOINT*, uint32_t) {
    sound::master_volume_down();
    return 0;
}

int32_t FSAPI volume_up(PIXPOINT*, uint32_t) {
    sound::master_volume_up();
    return 0;
}

constexpr int32_t kSwitchWidth = 22, kSwitchHeight = 34;

template <int Switch>
constexpr std::array<AreaSpec, 2> switch_halves() {
    const PIXPOINT at = kSwitchAt[Switch];
    return {area(kOffLabel[Switch], {at.x, at.y, kSwitchWidth, kSwitchHeight}, CURSOR_DOWNARROW,
                 throw_switch<Switch, 0>),
            area(kOnLabel[Switch], {at.x + kSwitchWidth, at.y, kSwitchWidth, kSwitchHeight}, CURSOR_UPARROW,
                 throw_switch<Switch, 1>)};
}

constexpr auto kAreas =
    area_list(switch_halves<0>(), switch_halves<1>(), switch_halves<2>(), switch_halves<3>(),
              switch_halves<4>(), area("VOLUME down", {97, 2, 22, 34}, CURSOR_DOWNARROW, volume_down),
              area("VOLUME up", {119, 2, 22, 34}, CURSOR_UPARROW, volume_up));

// --- Update ------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    for (int n = 0; n < kSwitches; ++n) {
        const bool on = state.position[n] == 1;
        show_one_of(header, {2 * n + 1, 2 * n + 2}, on ? 1 : 0);
        keep_in_step(kChannels[n], on);
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 175, callback);

}  // namespace kadrimos::gauges::radio_snd
