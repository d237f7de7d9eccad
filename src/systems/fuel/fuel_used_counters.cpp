// "toskelin fuel_ind_fu_1_rulo" and "toskelin fuel_ind_fu_2_rulo": the two
// engines' fuel used counters on the fuel panel.
//
// Each counter adds its engine's burn every quarter of a second of simulated
// time, from the host's fuel flow, in the unit the host's unit selector reads
// at that moment: a count started in pounds goes on in kilograms after a
// change of unit, without conversion, as the real counter does. FUEL USED
// RESET on the fuel used panel zeroes the counts. Without DC normal power
// nothing is counted and the drums hold.
//
// Inputs: simulated time (607), engine fuel flow (638, 657, lb/h), unit
// selector (335); DcNormBusPowered.
// Outputs: FuelUsed1, FuelUsed2.
#include <array>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/units.h"
#include "systems/fuel/fuel_state.h"

KADRIMOS_GAUGE(fuel_ind_fu_1, "toskelin fuel_ind_fu_1_rulo")
KADRIMOS_GAUGE(fuel_ind_fu_2, "toskelin fuel_ind_fu_2_rulo")

namespace kadrimos::fuel {
namespace {

constexpr uint32_t kTokenSeconds = 607;
constexpr uint32_t kTokenUnitSystem = 335;  // 0.0 pounds, otherwise kilograms
constexpr double kPeriodSeconds = 0.25;
// Pounds per hour to pounds per quarter second, with the counter's own
// calibration factor.
constexpr double kQuartersPerHour = 14400;
constexpr double kCalibration = 1.3407037;

constexpr uint32_t kKilogramDial = 4406;
constexpr uint32_t kPoundDial = 8499;
constexpr uint32_t kStrip = 4409;
constexpr int32_t kWindowY = 36;

// One quarter-second step of a counter, on DC normal power. A clock that is
// not a number counts nothing. A clock that jumps back (a reloaded flight)
// sets a fresh deadline instead of waiting for the old one to come round
// again.
void count(FuelUsedCounterState& s, double& used, double now_s, double flow_lb_per_hour, bool kilograms) {
    if (finite_or(now_s, -1) != now_s) return;
    if (!timing::is_set(s.next_addition)) {
        timing::set_for(s.next_addition, now_s, kPeriodSeconds);
        return;
    }
    if (!timing::due(s.next_addition, now_s)) return;
    double flow = finite_or(flow_lb_per_hour, 0.0);
    if (flow < 0) flow = 0;  // an engine does not make fuel
    used += flow / kQuartersPerHour * kCalibration * (kilograms ? units::kKilogramsPerPound : 1.0);
    timing::clear(s.next_addition);
}

template <std::size_t Engine>
void update_counter(const GAUGEHDR& gauge) {
    static_assert(Engine < kFuelUsedCounterCount);
    FuelUsedCounterState& s = private_state.fuel.fuel_used[Engine];
    double& used = Engine == 0 ? aircraft.FuelUsed1 : aircraft.FuelUsed2;
    const double now_s = host::value<kTokenSeconds>();
    const double flow = Engine == 0 ? host::value<638>() : host::value<657>();
    const bool kilograms = host::value<kTokenUnitSystem>() != 0.0;
    set_visible(gauge, 1, !kilograms);  // the pound dial over the kilogram one

    if (aircraft.DcNormBusPowered != 1) return;
    count(s, used, now_s, flow, kilograms);
    s.drum_value = finite_or(used, 0.0);
}

template <std::size_t Engine>
void FSAPI counter_callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    update_counter<Engine>(*gauge);
}

// Drum window for `place`: ten-thousands to units, the units continuous.
template <std::size_t Engine, int Place>
double FSAPI used_cell(ELEMENT_HEADER*) {
    return drum::ascending_window(private_state.fuel.fuel_used[Engine].drum_value, Place);
}

// The elements of the counter of engine `Engine`.
template <std::size_t Engine>
constexpr std::array<ElementSpec, 7> counter_elements() {
    constexpr ELEMENT_VALUE_CALLBACK cells[] = {used_cell<Engine, 10000>, used_cell<Engine, 1000>,
                                                used_cell<Engine, 100>, used_cell<Engine, 10>,
                                                used_cell<Engine, 1>};
    constexpr const char* labels[] = {"drum 10000s", "drum 1000s", "drum 100s", "drum 10s", "drum units"};
    std::array<ElementSpec, 7> specs = {
        background_spec(kKilogramDial, kBackgroundFlags, no_failures, "FUEL USED dial kg"),
        icon_spec("FUEL USED dial lb", kPoundDial, {0, 0}),
    };
    for (std::size_t w = 0; w < 5; ++w)
        specs[2 + w] = drum_spec(labels[w], kStrip, {11 + 14 * static_cast<int32_t>(w), kWindowY}, cells[w]);
    return specs;
}

template <std::size_t Engine>
inline constexpr auto kCounterElements = counter_elements<Engine>();

// The counter of engine `Engine`: kilogram background, pound dial, five drum
// windows at x 11, 25, 39, 53, 67 from the highest place down.
template <std::size_t Engine, GAUGEHDR& Header>
using FuelUsedCounter = ListedGauge<kCounterElements<Engine>, kNoAreas, 61, counter_callback<Engine>, Header>;

}  // namespace
}  // namespace kadrimos::fuel

KADRIMOS_FAMILY_GAUGE(fuel_ind_fu_1, fuel::FuelUsedCounter, 0)
KADRIMOS_FAMILY_GAUGE(fuel_ind_fu_2, fuel::FuelUsedCounter, 1)
