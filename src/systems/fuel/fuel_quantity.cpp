// The five tank quantity indicators of the fuel panel:
//
// "toskelin fuel_ind_qtty_m_left_rulo"    main tank, side 1     needle 0-15000 kg / 0-30000 lb
// "toskelin fuel_ind_qtty_m_right_rulo"   main tank, side 2     five drum windows
// "toskelin fuel_ind_qtty_a_center_rulo"  centre tank
// "toskelin fuel_ind_qtty_a_left_rulo"    auxiliary tank, side 1  needle 0-4500 kg / 0-9000 lb
// "toskelin fuel_ind_qtty_a_right_rulo"   auxiliary tank, side 2  four drum windows
//
// Each indicator reads its tank from the host, publishes the contents in
// litres for the fuel system (tank selection, RESERVE lights) and shows the
// weight in the unit the host's unit selector gives: kilograms, or pounds
// when the selector reads 0. The indicator is a servo: on DC normal power its
// display drops to a lower contents at once and climbs to a higher one at
// 500 a tick (the climb after power-up); without power it holds. QTY TEST
// drives the display up to the top of the scale and back down onto the
// contents, then clears the indicator's request.
//
// Inputs: host tank level and capacity, fuel density (306), unit selector
// (335); DcNormBusPowered; QtyTestRequest.
// Outputs: FuelQtyMLeft, FuelQtyMRight, FuelQtyACenter, FuelQtyALeft,
// FuelQtyARight; QtyTestRequest (cleared).
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
#include "panel/pointers.h"
#include "panel/units.h"
#include "systems/fuel/fuel_state.h"

KADRIMOS_GAUGE(fuel_ind_qtty_m_left, "toskelin fuel_ind_qtty_m_left_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_m_right, "toskelin fuel_ind_qtty_m_right_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_center, "toskelin fuel_ind_qtty_a_center_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_left, "toskelin fuel_ind_qtty_a_left_rulo")
KADRIMOS_GAUGE(fuel_ind_qtty_a_right, "toskelin fuel_ind_qtty_a_right_rulo")

namespace kadrimos::fuel {
namespace {

static_assert(kQuantityIndicatorCount == kQtyTestIndicatorCount);

constexpr uint32_t kTokenUnitSystem = 335;       // 0.0 pounds, otherwise kilograms
constexpr uint32_t kTokenPoundsPerGallon = 306;  // fuel density
constexpr double kLevelPerPercent = 83886.08;    // host tank level units per percent
constexpr double kSettleBand = 100;              // within it of the contents, the display is the contents
constexpr double kClimbPerTick = 500;

// The art the five indicators share.
constexpr uint32_t kNeedleBitmap = 4413;
constexpr Placement kNeedle = {{45, 45}, {9, 9}};
constexpr uint32_t kHighStrip = 4422;  // the upper digit windows
constexpr uint32_t kLowStrip = 4428;   // tens and units
constexpr int32_t kHighStripY = 58;
constexpr int32_t kLowStripY = 59;

// A test sweep: up by `climb` a tick to `top`, then down by `fall` onto the
// contents.
struct Sweep {
    double climb;
    double top;
    double fall;
};

// Needle scales and test sweeps of the two dial sizes.
constinit NONLINEARITY main_kilograms[] = {
    {{17, 80}, 0, 0},     {{1, 57}, 2000, 0},   {{4, 26}, 4000, 0},
    {{23, 5}, 6000, 0},   {{52, 0}, 8000, 0},   {{78, 15}, 10000, 0},
    {{90, 41}, 12000, 0}, {{83, 70}, 14000, 0}, {{73, 81}, 15000, 0},
};
constinit NONLINEARITY main_pounds[] = {
    {{8, 69}, 0, 0},      {{2, 38}, 5000, 0},   {{17, 10}, 10000, 0}, {{45, 1}, 15000, 0},
    {{73, 11}, 20000, 0}, {{89, 38}, 25000, 0}, {{82, 69}, 30000, 0},
};
constinit NONLINEARITY auxiliary_kilograms[] = {
    {{13, 77}, 0, 0},    {{3, 33}, 1000, 0},  {{33, 1}, 2000, 0},
    {{77, 13}, 3000, 0}, {{90, 57}, 4000, 0}, {{77, 77}, 4500, 0},
};
constinit NONLINEARITY auxiliary_pounds[] = {
    {{13, 77}, 0, 0},    {{3, 33}, 2000, 0},  {{33, 1}, 4000, 0},
    {{77, 13}, 6000, 0}, {{90, 57}, 8000, 0}, {{77, 77}, 9000, 0},
};
constexpr Sweep kMainSweepPounds = {400, 30000, 400};
constexpr Sweep kMainSweepKilograms = {200, 15000, 400};
constexpr Sweep kAuxiliarySweepPounds = {200, 9000, 250};
constexpr Sweep kAuxiliarySweepKilograms = {100, 4500, 250};

// What differs between the five indicators. Columns: host level and
// capacity tokens, published quantity, sweeps in pounds and kilograms.
struct Tank {
    uint32_t level_token;
    uint32_t capacity_token;
    double AircraftState::*published;
    Sweep pounds;
    Sweep kilograms;
};

constexpr Tank kTanks[kQuantityIndicatorCount] = {
    {293, 294, &AircraftState::FuelQtyMLeft, kMainSweepPounds, kMainSweepKilograms},
    {299, 300, &AircraftState::FuelQtyMRight, kMainSweepPounds, kMainSweepKilograms},
    {289, 290, &AircraftState::FuelQtyACenter, kMainSweepPounds, kMainSweepKilograms},
    {291, 292, &AircraftState::FuelQtyALeft, kAuxiliarySweepPounds, kAuxiliarySweepKilograms},
    {297, 298, &AircraftState::FuelQtyARight, kAuxiliarySweepPounds, kAuxiliarySweepKilograms},
};

// The tank's contents in litres. A host value that is not a number, or a
// negative one, reads as an empty tank.
double tank_litres(double level, double capacity_gallons) {
    const double litres =
        finite_or(level / kLevelPerPercent * capacity_gallons * units::kLitresPerGallon / 100, 0.0);
    return litres > 0 ? litres : 0.0;
}

// One update of the indicator's servo and test sweep, on DC normal power.
void drive_display(QuantityIndicatorState& s, uint8_t& test_request, const Sweep& sweep) {
    if (test_request == 1) {
        if (s.test_phase == 0) {
            s.displayed_weight += sweep.climb;
            if (s.displayed_weight >= sweep.top) {
                s.displayed_weight = sweep.top;
                s.test_phase = 1;
            }
            return;
        }
        s.displayed_weight -= sweep.fall;
        if (s.displayed_weight <= s.target_weight + kSettleBand) {
            s.displayed_weight = s.target_weight;
            test_request = 0;
            s.test_phase = 0;
        }
        return;
    }
    // The servo climbs in steps of 500: its last step can carry the needle
    // past the contents, and it settles on them at the next update.
    s.displayed_weight =
        pointer::rise_toward(s.displayed_weight, s.target_weight, kClimbPerTick, kSettleBand);
}

// Element depths, the same on every indicator: 1 the pound dial over the
// kilogram background, then the drum windows, then the kilogram and pound
// needles.
constexpr int kPoundDial = 1;

template <std::size_t Index, std::size_t Windows>
void update_indicator(const GAUGEHDR& gauge) {
    QuantityIndicatorState& s = private_state.fuel.quantity[Index];
    constexpr Tank tank = kTanks[Index];

    s.kilograms = host::value<kTokenUnitSystem>() != 0.0;
    const int kilogram_needle = kPoundDial + static_cast<int>(Windows) + 1;
    set_visible(gauge, kPoundDial, !s.kilograms);
    set_visible(gauge, kilogram_needle, s.kilograms);
    set_visible(gauge, kilogram_needle + 1, !s.kilograms);

    const double litres = tank_litres(host::value<tank.level_token>(), host::value<tank.capacity_token>());
    aircraft.*tank.published = litres;
    const double pounds_per_litre =
        finite_or(host::value<kTokenPoundsPerGallon>() / units::kLitresPerGallon, 0.0);
    s.target_weight = litres * pounds_per_litre * (s.kilograms ? units::kKilogramsPerPound : 1.0);

    if (aircraft.DcNormBusPowered != 1) return;  // the servo holds without power
    drive_display(s, aircraft.QtyTestRequest[Index], s.kilograms ? tank.kilograms : tank.pounds);
}

// The needle of a unit clamps the display to its scale, and writes the limit
// back, only while that unit is selected.
template <std::size_t Index, bool Kilograms>
double FSAPI needle_value(ELEMENT_HEADER*) {
    QuantityIndicatorState& s = private_state.fuel.quantity[Index];
    const Sweep& scale = Kilograms ? kTanks[Index].kilograms : kTanks[Index].pounds;
    if ((s.kilograms != 0) != Kilograms) {
        const double shown = finite_or(s.displayed_weight, 0.0);
        return shown < 0 ? 0 : (shown > scale.top ? scale.top : shown);
    }
    return clamp_write_back(s.displayed_weight, 0.0, scale.top);
}

// Drum window for `place` (10000 down to 1). Every window above the units
// rolls in the last part of the decade below it.
template <std::size_t Index, int Place>
double FSAPI drum_cell(ELEMENT_HEADER*) {
    return drum::ascending_window(private_state.fuel.quantity[Index].displayed_weight, Place);
}

// Drum window columns: place, strip, x, y, label.
struct Window {
    int place;
    uint32_t strip;
    int32_t x;
    int32_t y;
    const char* label;
};
constexpr Window kFiveWindows[] = {
    {10000, kHighStrip, 14, kHighStripY, "drum 10000s"}, {1000, kHighStrip, 27, kHighStripY, "drum 1000s"},
    {100, kLowStrip, 40, kLowStripY, "drum 100s"},       {10, kLowStrip, 53, kLowStripY, "drum 10s"},
    {1, kLowStrip, 66, kLowStripY, "drum units"},
};
constexpr Window kFourWindows[] = {
    {1000, kHighStrip, 27, kHighStripY, "drum 1000s"},
    {100, kHighStrip, 40, kHighStripY, "drum 100s"},
    {10, kLowStrip, 53, kLowStripY, "drum 10s"},
    {1, kLowStrip, 66, kLowStripY, "drum units"},
};

template <std::size_t Index>
constexpr ELEMENT_VALUE_CALLBACK drum_callback(int place) {
    switch (place) {
        case 10000:
            return drum_cell<Index, 10000>;
        case 1000:
            return drum_cell<Index, 1000>;
        case 100:
            return drum_cell<Index, 100>;
        case 10:
            return drum_cell<Index, 10>;
        default:
            return drum_cell<Index, 1>;
    }
}

// The elements of indicator `Index`.
template <std::size_t Index, std::size_t Windows, std::size_t KgPoints, std::size_t LbPoints>
constexpr std::array<ElementSpec, Windows + 4> indicator_elements(uint32_t kilogram_bitmap,
                                                                  uint32_t pound_bitmap,
                                                                  const Window (&layout)[Windows],
                                                                  NONLINEARITY (&kilograms)[KgPoints],
                                                                  NONLINEARITY (&pounds)[LbPoints]) {
    std::array<ElementSpec, Windows + 4> specs = {
        background_spec(kilogram_bitmap, kBackgroundFlags, no_failures, "QTY dial kg"),
        icon_spec("QTY dial lb", pound_bitmap, {0, 0}),
    };
    for (std::size_t w = 0; w < Windows; ++w)
        specs[2 + w] = drum_spec(layout[w].label, layout[w].strip, {layout[w].x, layout[w].y},
                                 drum_callback<Index>(layout[w].place));
    specs[Windows + 2] =
        needle_spec("needle kg", kNeedleBitmap, kNeedle, needle_value<Index, true>, kilograms);
    specs[Windows + 3] = needle_spec("needle lb", kNeedleBitmap, kNeedle, needle_value<Index, false>, pounds,
                                     kIconFlags | kHidden);
    return specs;
}

constexpr uint32_t kMainKilogramDial = 4416;
constexpr uint32_t kMainPoundDial = 8502;
constexpr uint32_t kAuxiliaryKilogramDial = 4419;
constexpr uint32_t kAuxiliaryPoundDial = 8505;

// The update of indicator `Index` (service code 6).
template <std::size_t Index, std::size_t Windows>
void FSAPI indicator_callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    update_indicator<Index, Windows>(*gauge);
}

// Indicators 0 to 2 are the main tanks' (five drum windows), 3 and 4 the
// auxiliary tanks' (four).
template <std::size_t Index>
constexpr auto elements_of_indicator() {
    if constexpr (Index < 3)
        return indicator_elements<Index>(kMainKilogramDial, kMainPoundDial, kFiveWindows, main_kilograms,
                                         main_pounds);
    else
        return indicator_elements<Index>(kAuxiliaryKilogramDial, kAuxiliaryPoundDial, kFourWindows,
                                         auxiliary_kilograms, auxiliary_pounds);
}
template <std::size_t Index>
inline constexpr auto kIndicatorElements = elements_of_indicator<Index>();

// Indicator `Index`, as the gauge whose header is `Header`.
template <std::size_t Index, GAUGEHDR& Header>
using QuantityIndicator =
    ListedGauge<kIndicatorElements<Index>, kNoAreas, 61,
                indicator_callback<Index, kIndicatorElements<Index>.size() - 4>, Header>;

}  // namespace
}  // namespace kadrimos::fuel

KADRIMOS_FAMILY_GAUGE(fuel_ind_qtty_m_left, fuel::QuantityIndicator, 0)
KADRIMOS_FAMILY_GAUGE(fuel_ind_qtty_m_right, fuel::QuantityIndicator, 1)
KADRIMOS_FAMILY_GAUGE(fuel_ind_qtty_a_center, fuel::QuantityIndicator, 2)
KADRIMOS_FAMILY_GAUGE(fuel_ind_qtty_a_left, fuel::QuantityIndicator, 3)
KADRIMOS_FAMILY_GAUGE(fuel_ind_qtty_a_right, fuel::QuantityIndicator, 4)
