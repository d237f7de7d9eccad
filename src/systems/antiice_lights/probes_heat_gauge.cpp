// "toskelin probes_heat_rulo": the PROBE HEAT panel.
//
// Three switches (CAPT, STBY, F/O) heat the pitot, static, angle-of-attack
// and total-temperature probes of their side; which heaters are fed is
// worked out by the system monitors from the switches and the buses. Each of
// the fourteen heaters has an amber light that comes on while the heater is
// cold, so with every switch on and every bus alive the panel goes dark. The
// captain's pitot light is the exception: it watches the simulator's own
// pitot heat, which follows the captain's pitot heater, and comes on while
// that is off or the simulator has the pitot failed. All lights are fed by
// the DC essential bus.
//
// Inputs: ProbeHeatSwitch1..3 (written by the handlers), ProbeHeaterPowered,
// DcEssBusPowered; tokens 13 (the host's pitot heat, exactly 0.0 off) and
// 286 (as an integer, 1: the pitot failed).
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"

KADRIMOS_GAUGE(probes_heat, "toskelin probes_heat_rulo")

namespace kadrimos::gauges::probes_heat {
namespace {

constexpr uint32_t kBitmap = 5600;  // the background's; element k has kBitmap + k

constexpr uint32_t kPitotHeatToken = 13;
constexpr uint32_t kPitotFailedToken = 286;

// Elements 1 to 6: the switches, lower (OFF) then upper (ON) bitmap: CAPT,
// STBY, F/O. Areas: each switch's upper band (ON) then its lower band (OFF).
constexpr Toggle kSwitches[] = {
    toggle<&AircraftState::ProbeHeatSwitch1>({18, 2, 42, 60}, "CAPT ON", "CAPT OFF"),
    toggle<&AircraftState::ProbeHeatSwitch2>({67, 2, 42, 60}, "STBY ON", "STBY OFF"),
    toggle<&AircraftState::ProbeHeatSwitch3>({114, 2, 42, 60}, "F/O ON", "F/O OFF"),
};

// Elements 7 to 20: heater k's light is element 7 + k. The lights stand in
// rows by probe under the switch of their side.
constexpr int32_t kCapt = 18, kStby = 67, kFo = 114;
constexpr int32_t kRow = 13, kFirstRow = 76;
constexpr NumberedIcon kLights[] = {
    {"PITOT CAPT light", {kCapt, kFirstRow}},
    {"PITOT STBY light", {kStby, kFirstRow}},
    {"PITOT F/O light", {kFo, kFirstRow}},
    {"STAT LH CAPT light", {kCapt, kFirstRow + kRow}},
    {"STAT LH STBY light", {kStby, kFirstRow + kRow}},
    {"STAT LH F/O light", {kFo, kFirstRow + kRow}},
    {"STAT RH CAPT light", {kCapt, kFirstRow + 2 * kRow}},
    {"STAT RH STBY light", {kStby, kFirstRow + 2 * kRow}},
    {"STAT RH F/O light", {kFo, kFirstRow + 2 * kRow}},
    {"AOA CAPT light", {kCapt, kFirstRow + 3 * kRow}},
    {"AOA STBY light", {kStby, kFirstRow + 3 * kRow}},
    {"AOA F/O light", {kFo, kFirstRow + 3 * kRow}},
    {"TAT CAPT light", {kCapt, kFirstRow + 4 * kRow}},
    {"TAT STBY light", {kStby, kFirstRow + 4 * kRow}},
};
static_assert(std::size(kLights) == kProbeHeaterCount, "one light a heater");

constexpr auto kElements = numbered_elements(kBitmap, join<NumberedIcon>(toggle_icons(kSwitches), kLights));
constexpr auto kAreas = toggle_areas(kSwitches);

constexpr int kPitotCaptLight = 7;  // heater k's light is kPitotCaptLight + k

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const AircraftState& a = aircraft;
    show_one_of(header, {1, 2}, a.ProbeHeatSwitch1 == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, a.ProbeHeatSwitch2 == 1 ? 1 : 0);
    show_one_of(header, {5, 6}, a.ProbeHeatSwitch3 == 1 ? 1 : 0);

    const bool powered = a.DcEssBusPowered == 1;
    // A pitot heat the simulator reports as neither on nor off (not a
    // number) lights nothing of itself.
    const bool host_pitot_heat_off = host::value<kPitotHeatToken>() == 0.0;
    const bool pitot_failed = host::bits<kPitotFailedToken>() == 1;
    light(header, kPitotCaptLight, powered, host_pitot_heat_off || pitot_failed);
    for (std::size_t k = 1; k < kProbeHeaterCount; ++k)
        light(header, kPitotCaptLight + static_cast<int>(k), powered, a.ProbeHeaterPowered[k] == 0);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 156, callback);

}  // namespace kadrimos::gauges::probes_heat
