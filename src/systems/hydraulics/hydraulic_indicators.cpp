// The hydraulic panel's quantity and pressure gauges.
//
// "toskelin hydrau_baches_rulo"            the three reservoir quantity needles
//                                          (blue, green, yellow), 0 to 100 %
// "toskelin hydrau_ind_press_blue_rulo"    blue system pressure, 0 to 4000 psi
// "toskelin hydrau_ind_press_green_rulo"   green (the larger half)
// "toskelin hydrau_ind_press_yellow_rulo"  yellow
//
// The blue and yellow reservoirs read constant levels. The green reservoir
// feeds the gear jacks: with the gear out its level stands at 72 %, and after
// a retraction the returning fluid brings it up to 76 %, one percent an
// update either way.
//
// The pressure gauges are direct-reading: they need no electrical power.
// Every needle limits its value to its scale and writes the limit back.
//
// Inputs: HydPressBlue, HydPressGreen, HydPressYellow; host token 334 (gear
// extension, 0 to 16383). A gear extension that is not a number leaves the
// green level where it stands.
// Outputs: the reservoir levels (private state).
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/needle_dial.h"
#include "systems/hydraulics/hydraulic_panel_state.h"

KADRIMOS_GAUGE(hydrau_baches, "toskelin hydrau_baches_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_blue, "toskelin hydrau_ind_press_blue_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_green, "toskelin hydrau_ind_press_green_rulo")
KADRIMOS_GAUGE(hydrau_ind_press_yellow, "toskelin hydrau_ind_press_yellow_rulo")

namespace kadrimos::gauges {
namespace {

constexpr uint32_t kReservoirNeedleBitmap = 4519;
constexpr uint32_t kReservoirLampBitmap = 4522;

}  // namespace

// --- Reservoirs ----------------------------------------------------------------------
namespace hydrau_baches {
namespace {

hydraulics::HydraulicPanelState& panel = private_state.hydraulic_panel;

constexpr uint32_t kBackgroundBitmap = 4510;
constexpr uint8_t kGreenGearOutPercent = 72;
constexpr uint8_t kGreenGearUpPercent = 76;
constexpr double kGearUpExtension = 1.0;  // above it the gear counts as out
constexpr uint8_t kFullPercent = 100;

// One percent an update toward the level that the gear position calls for.
void follow_gear(uint8_t& level, double gear_extension) {
    if (gear_extension != gear_extension) return;  // unreadable: hold
    if (gear_extension > kGearUpExtension)
        level = level <= kGreenGearOutPercent + 1 ? kGreenGearOutPercent : static_cast<uint8_t>(level - 1);
    else
        level = level >= kGreenGearUpPercent - 1 ? kGreenGearUpPercent : static_cast<uint8_t>(level + 1);
}

double FSAPI blue_level(ELEMENT_HEADER*) {
    return clamp_write_back<uint8_t>(panel.ReservoirBlue, 0, kFullPercent);
}
double FSAPI green_level(ELEMENT_HEADER*) {
    return clamp_write_back<uint8_t>(panel.ReservoirGreen, 0, kFullPercent);
}
double FSAPI yellow_level(ELEMENT_HEADER*) {
    return clamp_write_back<uint8_t>(panel.ReservoirYellow, 0, kFullPercent);
}

// Each needle sweeps from empty at lower left to full at lower right of its
// own dial.
constinit NONLINEARITY blue_scale[] = {{{30, 190}, 0, 0}, {{110, 190}, 100, 0}};
constinit NONLINEARITY green_scale[] = {{{131, 190}, 0, 0}, {{211, 190}, 100, 0}};
constinit NONLINEARITY yellow_scale[] = {{{232, 190}, 0, 0}, {{312, 190}, 100, 0}};
constexpr PIXPOINT kNeedlePivot = {4, 40};

// Depth: 1-3 the blue, green and yellow needles, 4-12 the reservoir lamps
// (three per reservoir), which nothing lights.
constexpr ElementSpec kElements[] = {
    background_spec(kBackgroundBitmap),
    needle_spec("BLUE reservoir needle", kReservoirNeedleBitmap, {{70, 150}, kNeedlePivot}, blue_level,
                blue_scale),
    needle_spec("GREEN reservoir needle", kReservoirNeedleBitmap, {{171, 150}, kNeedlePivot}, green_level,
                green_scale),
    needle_spec("YELLOW reservoir needle", kReservoirNeedleBitmap, {{272, 150}, kNeedlePivot}, yellow_level,
                yellow_scale),
    icon_spec("BLUE reservoir lamp 1", kReservoirLampBitmap, {40, 230}),
    icon_spec("BLUE reservoir lamp 2", kReservoirLampBitmap, {60, 230}),
    icon_spec("BLUE reservoir lamp 3", kReservoirLampBitmap, {80, 230}),
    icon_spec("GREEN reservoir lamp 1", kReservoirLampBitmap, {141, 230}),
    icon_spec("GREEN reservoir lamp 2", kReservoirLampBitmap, {161, 230}),
    icon_spec("GREEN reservoir lamp 3", kReservoirLampBitmap, {181, 230}),
    icon_spec("YELLOW reservoir lamp 1", kReservoirLampBitmap, {242, 230}),
    icon_spec("YELLOW reservoir lamp 2", kReservoirLampBitmap, {262, 230}),
    icon_spec("YELLOW reservoir lamp 3", kReservoirLampBitmap, {282, 230}),
};

constexpr int kFirstLamp = 4;
constexpr int kLastLamp = 12;

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    follow_gear(panel.ReservoirGreen, host::value<334>());
    for (int depth = 1; depth < kFirstLamp; ++depth) set_visible(header, depth, true);
    for (int depth = kFirstLamp; depth <= kLastLamp; ++depth) set_visible(header, depth, false);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 341, callback);

}  // namespace hydrau_baches

// --- Pressure gauges -------------------------------------------------------------------
namespace {

constexpr uint32_t kPressureDialBitmap = 4513;
constexpr uint32_t kPressureNeedleBitmap = 4516;
constexpr int32_t kTopPsi = 4000;

// The dial's calibration: 0 psi at 234.1 degrees clockwise from twelve
// o'clock, 1000 at 306.3, 2000 at 1.6, 3000 at 58.0, 4000 at 124.1; each
// point lies 36 pixels from the pivot.
constexpr PIXPOINT kPressurePivotOnDial = {42, 42};
constinit NONLINEARITY pressure_scale[] = {
    {{13, 63}, 0, 0}, {{13, 21}, 1000, 0}, {{43, 6}, 2000, 0}, {{73, 23}, 3000, 0}, {{72, 62}, 4000, 0},
};
constexpr Placement kPressureNeedle = {kPressurePivotOnDial, {3, 30}};

template <auto Pressure>
double FSAPI pressure(ELEMENT_HEADER*) {
    auto& psi = aircraft.*Pressure;
    using Psi = std::remove_reference_t<decltype(psi)>;
    return clamp_write_back<Psi>(psi, 0, static_cast<Psi>(kTopPsi));
}

// The pressure gauge whose needle shows `value`.
constexpr NeedleMeterRow pressure_gauge(const char* needle_label, ELEMENT_VALUE_CALLBACK value) {
    return {kPressureDialBitmap,
            needle_spec(needle_label, kPressureNeedleBitmap, kPressureNeedle, value, pressure_scale), 53,
            values_and_mouse_only};
}

constexpr NeedleMeterRow kPressureGauges[] = {
    pressure_gauge("BLUE PRESS needle", pressure<&AircraftState::HydPressBlue>),
    pressure_gauge("GREEN PRESS needle", pressure<&AircraftState::HydPressGreen>),
    pressure_gauge("YELLOW PRESS needle", pressure<&AircraftState::HydPressYellow>),
};

}  // namespace

}  // namespace kadrimos::gauges

KADRIMOS_FAMILY_GAUGE(hydrau_ind_press_blue, NeedleMeters<kPressureGauges>::Gauge, 0)
KADRIMOS_FAMILY_GAUGE(hydrau_ind_press_green, NeedleMeters<kPressureGauges>::Gauge, 1)
KADRIMOS_FAMILY_GAUGE(hydrau_ind_press_yellow, NeedleMeters<kPressureGauges>::Gauge, 2)
