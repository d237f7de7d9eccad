// The flight engineer's engine monitoring dials, one per engine.
//
// "toskelin engomn_nac_temp_1_rulo", "..._2_rulo"    nacelle temperature, 0 to 300 degrees C
// "toskelin engomn_oil_press_1_rulo", "..._2_rulo"   oil pressure, 0 to 160 psi
// "toskelin engomn_oil_temp_1_rulo", "..._2_rulo"    oil temperature, -50 to 200 degrees C
// "toskelin engomn_oil_qtty_1_rulo", "..._2_rulo"    oil quantity, 0 to 20 quarts, with an index
// "toskelin engomn_fuel_press_1_rulo", "..._2_rulo"  fuel pressure, 0 to 160 psi
//
// Each needle closes on its engine's value 2 units an update and lands on it
// once within 4; without power it sinks to 0. The nacelle temperature is a
// model of its own: the nacelle warms to about 75 degrees around a turning
// engine, cools slowly to the outside air once the engine stops, and a fire
// drives it to about 275. The oil pressure dials also raise the low oil
// pressure warnings, whether or not the dial has power: the pressure switch
// is the engine's own.
//
// Inputs: tokens 341 (outside air, degrees C), 625/644 (N2, %), 562/572 (oil
// pressure), 561/571 (oil temperature), 270 (oil quantity), 634/653 (fuel
// pressure); DcNormBusPowered, AcBus1Powered, AcBus2Powered, HpLever1Open,
// HpLever2Open, Eng1FireWarning, Eng2FireWarning.
// Outputs: Eng1OilPressLow, Eng2OilPressLow.
//
// A host value that is not a finite number reads as 0.
#include <array>
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
#include "panel/pointers.h"
#include "panel/switches.h"
#include "systems/engines/engomn_state.h"

KADRIMOS_GAUGE(engomn_nac_temp_1, "toskelin engomn_nac_temp_1_rulo")
KADRIMOS_GAUGE(engomn_nac_temp_2, "toskelin engomn_nac_temp_2_rulo")
KADRIMOS_GAUGE(engomn_oil_press_1, "toskelin engomn_oil_press_1_rulo")
KADRIMOS_GAUGE(engomn_oil_press_2, "toskelin engomn_oil_press_2_rulo")
KADRIMOS_GAUGE(engomn_oil_temp_1, "toskelin engomn_oil_temp_1_rulo")
KADRIMOS_GAUGE(engomn_oil_temp_2, "toskelin engomn_oil_temp_2_rulo")
KADRIMOS_GAUGE(engomn_oil_qtty_1, "toskelin engomn_oil_qtty_1_rulo")
KADRIMOS_GAUGE(engomn_oil_qtty_2, "toskelin engomn_oil_qtty_2_rulo")
KADRIMOS_GAUGE(engomn_fuel_press_1, "toskelin engomn_fuel_press_1_rulo")
KADRIMOS_GAUGE(engomn_fuel_press_2, "toskelin engomn_fuel_press_2_rulo")

namespace kadrimos::engines {
namespace {

EngineMonitorState& state() { return private_state.engomn; }

enum class Reading : uint8_t { NacelleTemp, OilPress, OilTemp, OilQty, FuelPress };

constexpr uint32_t kNeedleBitmap = 6227;
constexpr uint32_t kIndexBitmap = 6243;
constexpr Placement kNeedle = {{45, 45}, {13, 5}};
constexpr Placement kIndex = {{45, 45}, {-33, 5}};

// The common needle rule.
constexpr double kNeedleStep = 2;
constexpr double kNeedleCapture = 4;

// Conversions of the host's values to the dials' units.
constexpr double kOilPressDivisor = 130;
constexpr double kOilTempDivisor = 7;
constexpr double kOilTempOffset = 50;  // the scale's 0 is -50 degrees C
constexpr double kOilQtyDivisor = 1250;
constexpr double kFuelPressFactor = 0.85;
constexpr double kLowOilPressPsi = 10;

// Nacelle temperature model: the level a nacelle settles at, the band below
// it where warming slows, and the rates per update.
struct NacelleBand {
    double slow_from;  // below: warm fast
    double settle;     // below: warm slowly; above: cool
};
constexpr NacelleBand kFireBand = {270, 280};
constexpr NacelleBand kRunningBand = {70, 80};
constexpr double kWarmFast = 0.8;
constexpr double kWarmSlow = 0.3;
constexpr double kCoolFromSettle = 0.1;
constexpr double kCoolStopped = 0.01;
constexpr double kWarmToAmbient = 2;
constexpr double kAmbientCapture = 0.5;
constexpr double kTurningN2Percent = 10;

constexpr uint32_t kOilQtyIndexTop = 20;

// Scales: value at the pixel point the needle's tip reaches.
constinit NONLINEARITY nacelle_scale[] = {
    {{5, 70}, 0, 0}, {{14, 9}, 100, 0}, {{75, 10}, 200, 0}, {{84, 69}, 300, 0}};
constinit NONLINEARITY press_scale[] = {
    {{45, 90}, 0, 0}, {{20, 85}, 20, 0}, {{4, 65}, 40, 0},   {{0, 45}, 60, 0},
    {{5, 22}, 80, 0}, {{21, 6}, 100, 0}, {{85, 22}, 160, 0},
};
constinit NONLINEARITY oil_temp_scale[] = {
    {{45, 90}, 0, 0},  {{9, 72}, 50, 0},  {{1, 37}, 100, 0},
    {{20, 6}, 150, 0}, {{54, 0}, 200, 0}, {{85, 19}, 250, 0},
};
constinit NONLINEARITY oil_qty_scale[] = {
    {{20, 83}, 0, 0}, {{6, 66}, 4, 0}, {{0, 45}, 8, 0}, {{5, 25}, 12, 0}, {{20, 6}, 16, 0}, {{45, 0}, 20, 0},
};

struct KindLayout {
    uint32_t background;
    double top;  // the needle's clamp
};

// Columns: background, top of scale; in Reading order.
constexpr KindLayout kKinds[] = {
    {6230, 300},  // NACELLE TEMP
    {6233, 160},  // OIL PRES
    {6236, 250},  // OIL TEMP
    {6240, 20},   // OIL QTY
    {6246, 160},  // FUEL PRES
};

constexpr const KindLayout& kind_of(Reading r) { return kKinds[static_cast<std::size_t>(r)]; }

bool dc_norm_powered() { return aircraft.DcNormBusPowered == 1; }
bool bus1_powered() { return aircraft.AcBus1Powered == 1; }
bool bus2_powered() { return aircraft.AcBus2Powered == 1; }

struct MonitorSpec {
    Reading reading;
    std::size_t engine;  // 0 or 1
    double (*read)();    // nacelle: N2
    bool (*powered)();
};

// Columns: reading, engine, host variable, power; in MonitorDialId order.
// Both oil quantity dials read the one quantity the host gives.
// clang-format off
constexpr MonitorSpec kMonitors[] = {
    {Reading::NacelleTemp, 0, host::value<625>, dc_norm_powered},
    {Reading::NacelleTemp, 1, host::value<644>, dc_norm_powered},
    {Reading::OilPress,    0, host::value<562>, bus1_powered},
    {Reading::OilPress,    1, host::value<572>, bus2_powered},
    {Reading::OilTemp,     0, host::value<561>, dc_norm_powered},
    {Reading::OilTemp,     1, host::value<571>, dc_norm_powered},
    {Reading::OilQty,      0, host::value<270>, bus1_powered},
    {Reading::OilQty,      1, host::value<270>, bus2_powered},
    {Reading::FuelPress,   0, host::value<634>, bus1_powered},
    {Reading::FuelPress,   1, host::value<653>, bus2_powered},
};
// clang-format on
static_assert(std::size(kMonitors) == kMonitorDialCount);

double host_value(double (*read)()) { return finite_or(read(), 0.0); }

// What the needle closes on, in the dial's units.
double target_of(Reading r, double value) {
    switch (r) {
        case Reading::OilPress:
            return value / kOilPressDivisor;
        case Reading::OilTemp:
            return value / kOilTempDivisor + kOilTempOffset;
        case Reading::OilQty:
            return value / kOilQtyDivisor;
        case Reading::FuelPress:
            return value * kFuelPressFactor;
        case Reading::NacelleTemp:
            break;
    }
    return value;
}

double warm_towards(double t, NacelleBand band) {
    if (t < band.slow_from) return t + kWarmFast;
    if (t < band.settle) return t + kWarmSlow;
    if (t > band.settle) return t - kCoolFromSettle;
    return t;
}

double nacelle_temperature(double t, std::size_t engine, double n2) {
    const uint8_t fire = engine == 0 ? aircraft.Eng1FireWarning : aircraft.Eng2FireWarning;
    if (fire == 1) return warm_towards(t, kFireBand);
    if (n2 >= kTurningN2Percent) return warm_towards(t, kRunningBand);
    const double outside = finite_or(host::value<341>(), 0.0);
    if (t > outside + kAmbientCapture && t > 0) return t - kCoolStopped;
    if (t < outside - kAmbientCapture) return t + kWarmToAmbient;
    return outside < 0 ? 0.0 : outside;
}

void update_monitor(std::size_t id) {
    const MonitorSpec& spec = kMonitors[id];
    double& needle = state().needle[id];
    if (spec.reading == Reading::OilPress) {
        const double psi = host_value(spec.read) / kOilPressDivisor;
        const uint8_t lever = spec.engine == 0 ? aircraft.HpLever1Open : aircraft.HpLever2Open;
        (spec.engine == 0 ? aircraft.Eng1OilPressLow : aircraft.Eng2OilPressLow) =
            (psi <= kLowOilPressPsi && lever == 1) ? 1 : 0;
    }
    if (!spec.powered()) {
        needle = pointer::fall_to_zero(needle, kNeedleStep);
        return;
    }
    const double value = host_value(spec.read);
    if (spec.reading == Reading::NacelleTemp)
        needle = nacelle_temperature(needle, spec.engine, value);
    else
        needle = pointer::approach(needle, target_of(spec.reading, value), kNeedleStep, kNeedleCapture);
}

template <std::size_t D>
void FSAPI update(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    update_monitor(D);
    set_visible(*gauge, 1, true);
    if (kMonitors[D].reading == Reading::OilQty) set_visible(*gauge, 2, true);
}

template <std::size_t D>
double FSAPI needle_value(ELEMENT_HEADER*) {
    return clamp_write_back(state().needle[D], 0.0, kind_of(kMonitors[D].reading).top);
}

template <std::size_t Engine>
double FSAPI index_value(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(state().oil_qty_index[Engine], 0, kOilQtyIndexTop);
}

template <std::size_t Engine, bool Up>
int32_t FSAPI turn_index(PIXPOINT*, uint32_t) {
    uint32_t& index = state().oil_qty_index[Engine];
    if (Up)
        step_up<uint32_t>(index, 1, kOilQtyIndexTop);
    else
        step_down<uint32_t>(index, 1, 0);
    return 0;
}

// Each dial's needle and index labels, in kMonitors order.
// clang-format off
constexpr const char* kNeedleLabels[][2] = {
    {"NACELLE TEMP 1 needle", ""}, {"NACELLE TEMP 2 needle", ""},
    {"OIL PRES 1 needle", ""},     {"OIL PRES 2 needle", ""},
    {"OIL TEMP 1 needle", ""},     {"OIL TEMP 2 needle", ""},
    {"OIL QTY 1 needle", "OIL QTY 1 index"}, {"OIL QTY 2 needle", "OIL QTY 2 index"},
    {"FUEL PRES 1 needle", ""},    {"FUEL PRES 2 needle", ""},
};
// clang-format on
static_assert(std::size(kNeedleLabels) == kMonitorDialCount);

// The elements of dial D.
template <std::size_t D>
constexpr auto dial_elements() {
    constexpr Reading r = kMonitors[D].reading;
    const char* const needle_label = kNeedleLabels[D][0];
    const ElementSpec background = background_spec(kind_of(r).background);
    if constexpr (r == Reading::OilQty) {
        return std::array<ElementSpec, 3>{
            background,
            needle_spec(needle_label, kNeedleBitmap, kNeedle, needle_value<D>, oil_qty_scale),
            needle_spec(kNeedleLabels[D][1], kIndexBitmap, kIndex, index_value<kMonitors[D].engine>,
                        oil_qty_scale),
        };
    } else if constexpr (r == Reading::NacelleTemp) {
        return std::array<ElementSpec, 2>{
            background, needle_spec(needle_label, kNeedleBitmap, kNeedle, needle_value<D>, nacelle_scale)};
    } else if constexpr (r == Reading::OilTemp) {
        return std::array<ElementSpec, 2>{
            background, needle_spec(needle_label, kNeedleBitmap, kNeedle, needle_value<D>, oil_temp_scale)};
    } else {
        return std::array<ElementSpec, 2>{
            background, needle_spec(needle_label, kNeedleBitmap, kNeedle, needle_value<D>, press_scale)};
    }
}

// The oil quantity dials' index knob; the other dials have no area.
template <std::size_t D>
constexpr auto dial_areas() {
    constexpr std::size_t engine = kMonitors[D].engine;
    if constexpr (kMonitors[D].reading == Reading::OilQty) {
        return index_knob("OIL QTY index down", {0, 0, 45, 91}, turn_index<engine, false>, "OIL QTY index up",
                          {46, 0, 45, 91}, turn_index<engine, true>);
    } else {
        return kNoAreas;
    }
}

constexpr uint32_t kWidthMm = 91;

// Dial D, as the gauge whose header is `Header`.
template <std::size_t D, GAUGEHDR& Header>
using MonitorDial =
    ListedGauge<kListOf<dial_elements<D>>, kListOf<dial_areas<D>>, kWidthMm, update<D>, Header>;

}  // namespace
}  // namespace kadrimos::engines

KADRIMOS_FAMILY_GAUGE(engomn_nac_temp_1, engines::MonitorDial, engines::kNacelleTemp1)
KADRIMOS_FAMILY_GAUGE(engomn_nac_temp_2, engines::MonitorDial, engines::kNacelleTemp2)
KADRIMOS_FAMILY_GAUGE(engomn_oil_press_1, engines::MonitorDial, engines::kOilPress1)
KADRIMOS_FAMILY_GAUGE(engomn_oil_press_2, engines::MonitorDial, engines::kOilPress2)
KADRIMOS_FAMILY_GAUGE(engomn_oil_temp_1, engines::MonitorDial, engines::kOilTemp1)
KADRIMOS_FAMILY_GAUGE(engomn_oil_temp_2, engines::MonitorDial, engines::kOilTemp2)
KADRIMOS_FAMILY_GAUGE(engomn_oil_qtty_1, engines::MonitorDial, engines::kOilQty1)
KADRIMOS_FAMILY_GAUGE(engomn_oil_qtty_2, engines::MonitorDial, engines::kOilQty2)
KADRIMOS_FAMILY_GAUGE(engomn_fuel_press_1, engines::MonitorDial, engines::kFuelPress1)
KADRIMOS_FAMILY_GAUGE(engomn_fuel_press_2, engines::MonitorDial, engines::kFuelPress2)
