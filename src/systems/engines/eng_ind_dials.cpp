// The eight primary engine dials of the centre panel.
//
// "toskelin eng_ind_n1_1_rulo", "toskelin eng_ind_n1_2_rulo"    N1, 0 to 120 %
// "toskelin eng_ind_ff_1_rulo", "toskelin eng_ind_ff_2_rulo"    fuel flow, kg/h or lb/h
// "toskelin eng_ind_egt_1_rulo", "toskelin eng_ind_egt_2_rulo"  EGT, 0 to 1000 degrees C
// "toskelin eng_ind_n2_1_rulo", "toskelin eng_ind_n2_2_rulo"    N2, 0 to 120 %
//
// Every dial shows its engine's value twice: on a needle that follows the
// value by a fixed step per update, and on an odometer drum counter. Without
// power a red OFF flag drops, the needle sinks to 0 step by step and the drum
// stays on its last powered reading. N1, N2 and EGT carry a limit pointer
// that starts on the red line and is pushed up, never down, by an
// exceedance. The N1 dials carry the N1 command index, set by their knob or,
// while the thrust rating computer drives it, from the computer's target.
// The fuel flow dials follow the host's unit system: kilograms or pounds.
//
// Inputs: tokens 624/643 (N1), 625/644 (N2), 631/650 (EGT), 638/657 (fuel
// flow, lb/h), 335 (unit system); AcEssBusPowered, DcEssBusPowered,
// AcBus1Powered, AcBus2Powered, TrcMode, TrcN1Target.
// Outputs: N1IndexValue, N1IndexManual, FuelFlow1Display, FuelFlow2Display.
//
// A host value that is not a finite number reads as 0.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/pointers.h"
#include "panel/switches.h"
#include "panel/units.h"
#include "systems/engines/eng_ind_state.h"

KADRIMOS_GAUGE(eng_ind_n1_1, "toskelin eng_ind_n1_1_rulo")
KADRIMOS_GAUGE(eng_ind_n1_2, "toskelin eng_ind_n1_2_rulo")
KADRIMOS_GAUGE(eng_ind_ff_1, "toskelin eng_ind_ff_1_rulo")
KADRIMOS_GAUGE(eng_ind_ff_2, "toskelin eng_ind_ff_2_rulo")
KADRIMOS_GAUGE(eng_ind_egt_1, "toskelin eng_ind_egt_1_rulo")
KADRIMOS_GAUGE(eng_ind_egt_2, "toskelin eng_ind_egt_2_rulo")
KADRIMOS_GAUGE(eng_ind_n2_1, "toskelin eng_ind_n2_1_rulo")
KADRIMOS_GAUGE(eng_ind_n2_2, "toskelin eng_ind_n2_2_rulo")

namespace kadrimos::engines {
namespace {

EngineIndicatorState& state() { return private_state.eng_ind; }

enum class Quantity : uint8_t { N1, N2, Egt, FuelFlow };

// Art shared by the dials.
constexpr uint32_t kDigitStrip = 4870;    // cells 0 9 8 7 6 5 4 3 2 1 0
constexpr uint32_t kLeadingStrip = 4889;  // cells blank 9 8 7 6 5 4 3 2 1 blank: a leading 0 is blank
constexpr uint32_t kLimitPointerBitmap = 4880;
constexpr uint32_t kNeedleBitmap = 4883;
constexpr uint32_t kIndexBitmap = 4886;
constexpr uint32_t kPoundBackground = 8496;  // lbs/h x1000 over the kg/h dial
constexpr int16_t kPoundHundredsX = 54;      // the lb/h face has its hundreds further left

// Needles pivot at the dial's centre; the pivot offsets are those of each
// needle bitmap.
constexpr PIXPOINT kPivot = {76, 76};
constexpr Placement kLimitPointer = {kPivot, {6, 6}};
constexpr Placement kNeedle = {kPivot, {15, 5}};
constexpr Placement kIndex = {kPivot, {-49, 16}};

constexpr double kEgtTokenPerCelsius = 2.15;
constexpr double kPoundDrumDivisor = 10;  // the lb/h drum counts tens of pounds
constexpr double kFuelFlowTopKg = 10000;
constexpr double kFuelFlowTopLb = 25000;
constexpr uint32_t kIndexTopPercent = 120;
constexpr double kUncapped = std::numeric_limits<double>::max();

// Scales: value at the pixel point the needle's tip reaches.
constinit NONLINEARITY percent_scale[] = {
    {{23, 99}, 0, 0},   {{20, 61}, 20, 0},   {{41, 30}, 40, 0},   {{76, 18}, 60, 0},
    {{111, 30}, 80, 0}, {{132, 61}, 100, 0}, {{129, 99}, 120, 0},
};
constinit NONLINEARITY egt_scale[] = {
    {{21, 95}, 0, 0},   {{22, 52}, 200, 0},  {{57, 21}, 400, 0},
    {{99, 23}, 600, 0}, {{128, 50}, 800, 0}, {{131, 93}, 1000, 0},
};
constinit NONLINEARITY kilogram_scale[] = {
    {{24, 92}, 0, 0},    {{28, 51}, 2000, 0},  {{55, 27}, 4000, 0},
    {{99, 27}, 6000, 0}, {{125, 52}, 8000, 0}, {{129, 92}, 10000, 0},
};
constinit NONLINEARITY pound_scale[] = {
    {{24, 92}, 0, 0},     {{28, 51}, 5000, 0},   {{55, 27}, 10000, 0},
    {{99, 27}, 15000, 0}, {{125, 52}, 20000, 0}, {{129, 92}, 25000, 0},
};

struct DrumCell {
    uint32_t strip;
    int16_t x;
};

// What tells the four kinds of dial apart. The drum reads the value times
// drum_scale in whole units: its last window turns continuously, the windows
// above it roll over as on an odometer.
struct DialLayout {
    uint32_t background;
    std::size_t window_count;
    DrumCell windows[4];  // most significant first
    int16_t window_y;
    uint32_t off_flag;
    PIXPOINT off_at;
    double step;         // needle travel per update
    double needle_top;   // fuel flow: per unit system, below
    uint32_t limit_top;  // 0: no limit pointer
    double drum_top;
    double drum_scale;
};

// clang-format off
// Columns: background, windows (strip, x), window y, OFF flag and place, needle step,
// needle top, limit pointer top, drum cap, drum scale.
constexpr DialLayout kN1Layout  = {4761, 4, {{kLeadingStrip, 33}, {kDigitStrip, 53}, {kDigitStrip, 74}, {kDigitStrip, 99}},
                                   103, 4874, {33, 113},   5,  120,  120, kUncapped, 10};
constexpr DialLayout kN2Layout  = {4864, 4, {{kLeadingStrip, 33}, {kDigitStrip, 53}, {kDigitStrip, 74}, {kDigitStrip, 99}},
                                   103, 4874, {33, 113},   5,  120,  120, kUncapped, 10};
constexpr DialLayout kEgtLayout = {4764, 3, {{kLeadingStrip, 48}, {kDigitStrip, 68}, {kDigitStrip, 89}, {0, 0}},
                                   103, 4877, {47, 113},  50, 1000, 1000,       999,  1};
constexpr DialLayout kFfLayout  = {4867, 4, {{kLeadingStrip, 33}, {kDigitStrip, 59}, {kDigitStrip, 79}, {kDigitStrip, 100}},
                                   101, 4874, {33, 113}, 500, kFuelFlowTopKg, 0, 9999,  1};
// clang-format on

constexpr const DialLayout& layout_of(Quantity q) {
    switch (q) {
        case Quantity::N1:
            return kN1Layout;
        case Quantity::N2:
            return kN2Layout;
        case Quantity::Egt:
            return kEgtLayout;
        case Quantity::FuelFlow:
            break;
    }
    return kFfLayout;
}

bool n1_powered() { return aircraft.AcEssBusPowered == 1 && aircraft.DcEssBusPowered == 1; }
bool egt_powered() { return aircraft.AcEssBusPowered == 1; }
bool bus1_powered() { return aircraft.AcBus1Powered == 1; }
bool bus2_powered() { return aircraft.AcBus2Powered == 1; }

struct DialSpec {
    Quantity quantity;
    double (*read)();  // the engine's host variable
    bool (*powered)();
};

// Columns: quantity, host variable, power condition; in PrimaryDialId order.
// clang-format off
constexpr DialSpec kDials[] = {
    {Quantity::N1,       host::value<624>, n1_powered},
    {Quantity::N1,       host::value<643>, n1_powered},
    {Quantity::FuelFlow, host::value<638>, bus1_powered},
    {Quantity::FuelFlow, host::value<657>, bus2_powered},
    {Quantity::Egt,      host::value<631>, egt_powered},
    {Quantity::Egt,      host::value<650>, egt_powered},
    {Quantity::N2,       host::value<625>, bus1_powered},
    {Quantity::N2,       host::value<644>, bus2_powered},
};
// clang-format on
static_assert(std::size(kDials) == kPrimaryDialCount);

// Depth of each element in a dial's chain; 0 where the dial has none. The
// fuel flow dial lays its lb/h face over the kg/h background and has a
// hundreds window and a needle for each unit system.
struct Depths {
    int pound_background = 0;
    int window[4] = {};
    int pound_hundreds = 0;
    int off_flag = 0;
    int limit_pointer = 0;
    int needle = 0;
    int pound_needle = 0;
    int index = 0;
    int count = 0;
};

constexpr Depths depths_of(Quantity q) {
    Depths d;
    int k = 0;
    if (q == Quantity::FuelFlow) d.pound_background = ++k;
    for (std::size_t w = 0; w < layout_of(q).window_count; ++w) {
        d.window[w] = ++k;
        if (q == Quantity::FuelFlow && w == 1) d.pound_hundreds = ++k;
    }
    d.off_flag = ++k;
    if (layout_of(q).limit_top != 0) d.limit_pointer = ++k;
    d.needle = ++k;
    if (q == Quantity::FuelFlow) d.pound_needle = ++k;
    if (q == Quantity::N1) d.index = ++k;
    d.count = k;
    return d;
}

constexpr int kMaxChain = 10;

// --- Value callbacks --------------------------------------------------------------

template <std::size_t D>
double FSAPI needle_value(ELEMENT_HEADER*) {
    return clamp_write_back(state().dials[D].needle, 0.0, layout_of(kDials[D].quantity).needle_top);
}

// A fuel flow needle clamps only while its unit system is selected: the
// hidden one must not cut the shown one's value to its own scale.
template <std::size_t D, bool Pounds>
double FSAPI fuel_flow_needle(ELEMENT_HEADER*) {
    PrimaryDial& dial = state().dials[D];
    if ((dial.pound_units == 1) != Pounds) return dial.needle;
    return clamp_write_back(dial.needle, 0.0, Pounds ? kFuelFlowTopLb : kFuelFlowTopKg);
}

template <std::size_t D>
double FSAPI limit_pointer_value(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(state().dials[D].limit_pointer, 0,
                                      layout_of(kDials[D].quantity).limit_top);
}

double FSAPI index_value(ELEMENT_HEADER*) {
    return clamp_write_back<uint32_t>(aircraft.N1IndexValue, 0, kIndexTopPercent);
}

// Roll zones by how many windows a window stands above the continuous one.
constexpr drum::Roll kRolls[] = {{0, 0}, drum::kRollTenths, drum::kRollHundredths, drum::kRollThousandths};

// Drum window W (0 the most significant) of dial D.
template <std::size_t D, std::size_t W>
double FSAPI window_cell(ELEMENT_HEADER*) {
    const DialLayout& layout = layout_of(kDials[D].quantity);
    if (W >= layout.window_count) return 0.0;
    const double v = state().dials[D].drum * layout.drum_scale;
    const std::size_t above = layout.window_count - 1 - W;
    if (above == 0) return drum::descending_continuous(v);
    double place = 1;
    for (std::size_t i = 0; i < above; ++i) place *= 10;
    return drum::descending_cell(drum::digit_value(v, place), kRolls[above]);
}

// --- Elements -----------------------------------------------------------------------

// Each dial's role labels by depth, in PrimaryDialId order.
// clang-format off
constexpr const char* kDialLabels[kPrimaryDialCount][kMaxChain + 1] = {
    {"background", "N1 1 hundreds drum", "N1 1 tens drum", "N1 1 units drum", "N1 1 tenths drum", "N1 1 OFF flag", "N1 1 limit pointer", "N1 1 needle", "N1 1 command index"},
    {"background", "N1 2 hundreds drum", "N1 2 tens drum", "N1 2 units drum", "N1 2 tenths drum", "N1 2 OFF flag", "N1 2 limit pointer", "N1 2 needle", "N1 2 command index"},
    {"background", "FF 1 lb/h face", "FF 1 thousands drum", "FF 1 hundreds drum kg/h", "FF 1 hundreds drum lb/h", "FF 1 tens drum", "FF 1 units drum", "FF 1 OFF flag", "FF 1 needle kg/h", "FF 1 needle lb/h"},
    {"background", "FF 2 lb/h face", "FF 2 thousands drum", "FF 2 hundreds drum kg/h", "FF 2 hundreds drum lb/h", "FF 2 tens drum", "FF 2 units drum", "FF 2 OFF flag", "FF 2 needle kg/h", "FF 2 needle lb/h"},
    {"background", "EGT 1 hundreds drum", "EGT 1 tens drum", "EGT 1 units drum", "EGT 1 OFF flag", "EGT 1 limit pointer", "EGT 1 needle"},
    {"background", "EGT 2 hundreds drum", "EGT 2 tens drum", "EGT 2 units drum", "EGT 2 OFF flag", "EGT 2 limit pointer", "EGT 2 needle"},
    {"background", "N2 1 hundreds drum", "N2 1 tens drum", "N2 1 units drum", "N2 1 tenths drum", "N2 1 OFF flag", "N2 1 limit pointer", "N2 1 needle"},
    {"background", "N2 2 hundreds drum", "N2 2 tens drum", "N2 2 units drum", "N2 2 tenths drum", "N2 2 OFF flag", "N2 2 limit pointer", "N2 2 needle"},
};
// clang-format on

// The elements of dial D, in the order of depths_of().
template <std::size_t D>
constexpr std::array<ElementSpec, depths_of(kDials[D].quantity).count + 1> dial_elements() {
    constexpr Quantity q = kDials[D].quantity;
    constexpr DialLayout layout = layout_of(q);
    constexpr Depths at = depths_of(q);
    static_assert(at.count <= kMaxChain);
    constexpr ELEMENT_VALUE_CALLBACK cells[] = {window_cell<D, 0>, window_cell<D, 1>, window_cell<D, 2>,
                                                window_cell<D, 3>};
    const auto& label = kDialLabels[D];

    std::array<ElementSpec, at.count + 1> specs = {background_spec(layout.background)};
    if (at.pound_background != 0)
        specs[at.pound_background] = icon_spec(label[at.pound_background], kPoundBackground, {0, 0});
    for (std::size_t w = 0; w < layout.window_count; ++w)
        specs[at.window[w]] = drum_spec(label[at.window[w]], layout.windows[w].strip,
                                        {layout.windows[w].x, layout.window_y}, cells[w]);
    if (at.pound_hundreds != 0) {
        specs[at.pound_hundreds] =
            drum_spec(label[at.pound_hundreds], kDigitStrip, {kPoundHundredsX, layout.window_y}, cells[1]);
        specs[at.pound_hundreds].image_flags |= kHidden;
    }
    specs[at.off_flag] = icon_spec(label[at.off_flag], layout.off_flag, layout.off_at);
    if (q == Quantity::FuelFlow) {
        specs[at.needle] =
            needle_spec(label[at.needle], kNeedleBitmap, kNeedle, fuel_flow_needle<D, false>, kilogram_scale);
        specs[at.pound_needle] = needle_spec(label[at.pound_needle], kNeedleBitmap, kNeedle,
                                             fuel_flow_needle<D, true>, pound_scale, kIconFlags | kHidden);
    } else if (q == Quantity::Egt) {
        specs[at.limit_pointer] = needle_spec(label[at.limit_pointer], kLimitPointerBitmap, kLimitPointer,
                                              limit_pointer_value<D>, egt_scale);
        specs[at.needle] = needle_spec(label[at.needle], kNeedleBitmap, kNeedle, needle_value<D>, egt_scale);
    } else {
        specs[at.limit_pointer] = needle_spec(label[at.limit_pointer], kLimitPointerBitmap, kLimitPointer,
                                              limit_pointer_value<D>, percent_scale);
        specs[at.needle] =
            needle_spec(label[at.needle], kNeedleBitmap, kNeedle, needle_value<D>, percent_scale);
    }
    if (at.index != 0)
        specs[at.index] = needle_spec(label[at.index], kIndexBitmap, kIndex, index_value, percent_scale);
    return specs;
}

// --- Update -------------------------------------------------------------------------

struct Reading {
    double needle;
    double drum;
};

Reading reading_of(Quantity q, double value, bool pounds) {
    switch (q) {
        case Quantity::N1:
        case Quantity::N2:
            return {value, value};
        case Quantity::Egt: {
            const double celsius = value / kEgtTokenPerCelsius;
            return {celsius, std::min(celsius, kEgtLayout.drum_top)};
        }
        case Quantity::FuelFlow:
            break;
    }
    if (pounds) return {value, std::min(value / kPoundDrumDivisor, kFfLayout.drum_top)};
    const double kilograms = value * units::kKilogramsPerPound;
    return {kilograms, std::min(kilograms, kFfLayout.drum_top)};
}

void update_dial(const GAUGEHDR& gauge, std::size_t id) {
    const DialSpec& spec = kDials[id];
    const DialLayout& layout = layout_of(spec.quantity);
    const Depths at = depths_of(spec.quantity);
    PrimaryDial& dial = state().dials[id];

    const bool pounds = spec.quantity == Quantity::FuelFlow && host::value<335>() == 0.0;
    dial.pound_units = pounds ? 1 : 0;

    const bool powered = spec.powered();
    if (powered) {
        const Reading r = reading_of(spec.quantity, finite_or(spec.read(), 0.0), pounds);
        dial.drum = r.drum;
        dial.needle = pointer::rise_toward(dial.needle, r.needle, layout.step, layout.step);
        if (id == kN1Engine1) {
            // The thrust rating computer drives the index; the pilot's setting
            // is what the computer reads back when it lets go.
            if (aircraft.TrcMode != 0)
                aircraft.N1IndexValue = to_integer<uint32_t>(aircraft.TrcN1Target);
            else
                aircraft.N1IndexManual = aircraft.N1IndexValue;
        }
    } else {
        dial.needle = pointer::fall_to_zero(dial.needle, layout.step);
    }
    if (layout.limit_top != 0 && static_cast<double>(dial.limit_pointer) < dial.needle)
        dial.limit_pointer = to_integer<uint32_t>(dial.needle);
    if (id == kFfEngine1) aircraft.FuelFlow1Display = dial.drum;
    if (id == kFfEngine2) aircraft.FuelFlow2Display = dial.drum;

    // Depth 0 is the background: an element the dial does not have is skipped.
    auto show_if = [&gauge](int depth, bool shown) {
        if (depth != 0) set_visible(gauge, depth, shown);
    };
    show_if(at.pound_background, pounds);
    for (std::size_t w = 0; w < layout.window_count; ++w) show_if(at.window[w], true);
    if (at.pound_hundreds != 0) {
        show_if(at.window[1], !pounds);
        show_if(at.pound_hundreds, pounds);
    }
    show_if(at.off_flag, !powered);
    show_if(at.limit_pointer, true);
    show_if(at.needle, !pounds);
    show_if(at.pound_needle, pounds);
    show_if(at.index, true);
}

template <std::size_t D>
void FSAPI update(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    update_dial(*gauge, D);
}

// --- N1 command index knob --------------------------------------------------------

// While the thrust rating computer drives the index, the engine 1 knob is
// locked; the engine 2 knob still turns it, until engine 1's next update.
template <std::size_t D, bool Up>
int32_t FSAPI turn_index(PIXPOINT*, uint32_t) {
    if (D == kN1Engine1 && aircraft.TrcMode != 0) return 0;
    if (Up)
        step_up<uint32_t>(aircraft.N1IndexValue, 1, kIndexTopPercent);
    else
        step_down<uint32_t>(aircraft.N1IndexValue, 1, 0);
    return 0;
}

// The N1 dials' command index knob; the other dials have no area.
template <std::size_t D>
constexpr auto dial_areas() {
    if constexpr (kDials[D].quantity == Quantity::N1) {
        return index_knob("N1 index down", {97, 98, 36, 70}, turn_index<D, false>, "N1 index up",
                          {133, 98, 36, 70}, turn_index<D, true>);
    } else {
        return kNoAreas;
    }
}

// Width (mm): the N1 and EGT dials are the large ones.
constexpr uint32_t width_of(Quantity q) { return q == Quantity::N1 || q == Quantity::Egt ? 169 : 153; }

// Dial D, as the gauge whose header is `Header`. Element order: (fuel flow:
// lb/h face), drum windows from the most significant, (fuel flow: lb/h
// hundreds after the kg/h one), OFF flag, (limit pointer), needle, (fuel
// flow: lb/h needle), (N1: index).
template <std::size_t D, GAUGEHDR& Header>
using EngineDial = ListedGauge<kListOf<dial_elements<D>>, kListOf<dial_areas<D>>,
                               width_of(kDials[D].quantity), update<D>, Header>;

}  // namespace
}  // namespace kadrimos::engines

KADRIMOS_FAMILY_GAUGE(eng_ind_n1_1, engines::EngineDial, engines::kN1Engine1)
KADRIMOS_FAMILY_GAUGE(eng_ind_n1_2, engines::EngineDial, engines::kN1Engine2)
KADRIMOS_FAMILY_GAUGE(eng_ind_ff_1, engines::EngineDial, engines::kFfEngine1)
KADRIMOS_FAMILY_GAUGE(eng_ind_ff_2, engines::EngineDial, engines::kFfEngine2)
KADRIMOS_FAMILY_GAUGE(eng_ind_egt_1, engines::EngineDial, engines::kEgtEngine1)
KADRIMOS_FAMILY_GAUGE(eng_ind_egt_2, engines::EngineDial, engines::kEgtEngine2)
KADRIMOS_FAMILY_GAUGE(eng_ind_n2_1, engines::EngineDial, engines::kN2Engine1)
KADRIMOS_FAMILY_GAUGE(eng_ind_n2_2, engines::EngineDial, engines::kN2Engine2)
