// The APU's three meters on the flight engineer's panel.
//
// "toskelin apu_ind_oil_rulo"    oil quantity, 0 to 800 meter units (dial 0 to 8)
// "toskelin apu_ind_n1_n2_rulo"  N1 (left needle) and N2 (right), 0 to 120 %,
//                                under a centre cover
// "toskelin apu_ind_egt_rulo"    exhaust gas temperature, 0 to 700 degrees C
//
// The meters show the unit's values as they are when drawn; their gauges
// have nothing to compute on an update and ignore every service code. Every needle limits its value to its
// scale and writes the limit back into the unit's value: a displayed meter
// also limits the model (the N2 overshoot of a start stops at 120).
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/needle_dial.h"

KADRIMOS_GAUGE(apu_ind_oil, "toskelin apu_ind_oil_rulo")
KADRIMOS_GAUGE(apu_ind_n1_n2, "toskelin apu_ind_n1_n2_rulo")
KADRIMOS_GAUGE(apu_ind_egt, "toskelin apu_ind_egt_rulo")

namespace kadrimos::gauges {
namespace {

// Oil and EGT share a needle bitmap and its placement.
constexpr uint32_t kSingleNeedleBitmap = 4384;
constexpr Placement kSingleNeedle = {{45, 45}, {9, 5}};

}  // namespace

// --- Oil quantity ------------------------------------------------------------------
namespace apu_ind_oil {
namespace {

double FSAPI oil(ELEMENT_HEADER*) { return clamp_write_back<uint32_t>(aircraft.ApuOilQuantity, 0, 800); }

constinit NONLINEARITY scale[] = {
    {{25, 73}, 0, 0},   {{13, 56}, 100, 0}, {{12, 34}, 200, 0}, {{24, 17}, 300, 0}, {{45, 11}, 400, 0},
    {{66, 17}, 500, 0}, {{78, 34}, 600, 0}, {{78, 57}, 700, 0}, {{66, 73}, 800, 0},
};

}  // namespace

}  // namespace apu_ind_oil

// --- N1 and N2 -------------------------------------------------------------------
namespace apu_ind_n1_n2 {
namespace {

constexpr uint32_t kDialBitmap = 4387;
constexpr uint32_t kN1NeedleBitmap = 4390;
constexpr uint32_t kN2NeedleBitmap = 4393;
constexpr uint32_t kCoverBitmap = 4396;
constexpr double kTopPercent = 120;

double FSAPI n1(ELEMENT_HEADER*) { return clamp_write_back(aircraft.ApuN1, 0.0, kTopPercent); }
double FSAPI n2(ELEMENT_HEADER*) { return clamp_write_back(aircraft.ApuN2, 0.0, kTopPercent); }

// N1 on the left half dial, bottom to top; N2 on the right, top to bottom.
constinit NONLINEARITY n1_scale[] = {
    {{35, 79}, 0, 0}, {{20, 72}, 20, 0},  {{10, 60}, 40, 0},  {{6, 45}, 60, 0},
    {{6, 31}, 80, 0}, {{20, 18}, 100, 0}, {{35, 10}, 120, 0},
};
constinit NONLINEARITY n2_scale[] = {
    {{55, 10}, 120, 0}, {{70, 18}, 100, 0}, {{80, 31}, 80, 0}, {{84, 45}, 60, 0},
    {{80, 60}, 40, 0},  {{70, 72}, 20, 0},  {{55, 81}, 0, 0},
};

// Element 1 the N1 needle, 2 the N2 needle, 3 the centre cover over both.
constexpr ElementSpec kElements[] = {
    background_spec(kDialBitmap),
    needle_spec("APU N1 needle", kN1NeedleBitmap, {{35, 45}, {8, 4}}, n1, n1_scale),
    needle_spec("APU N2 needle", kN2NeedleBitmap, {{55, 45}, {8, 4}}, n2, n2_scale),
    icon_spec("APU N1 N2 centre cover", kCoverBitmap, {37, 0}, kIconFlags),
};

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 91, values_and_mouse_only);

}  // namespace apu_ind_n1_n2

// --- EGT -------------------------------------------------------------------------
namespace apu_ind_egt {
namespace {

double FSAPI egt(ELEMENT_HEADER*) { return clamp_write_back(aircraft.ApuEgt, 0.0, 700.0); }

constinit NONLINEARITY scale[] = {
    {{23, 72}, 0, 0},   {{11, 51}, 100, 0}, {{15, 28}, 200, 0}, {{33, 12}, 300, 0},
    {{57, 13}, 400, 0}, {{75, 28}, 500, 0}, {{79, 51}, 600, 0}, {{68, 71}, 700, 0},
};

}  // namespace

}  // namespace apu_ind_egt

// --- The single-needle meters ------------------------------------------------------
namespace {

constexpr NeedleMeterRow kSingleNeedleMeters[] = {
    {4377,
     needle_spec("APU OIL QTY needle", kSingleNeedleBitmap, kSingleNeedle, apu_ind_oil::oil,
                 apu_ind_oil::scale),
     91, values_and_mouse_only},
    {4380,
     needle_spec("APU EGT needle", kSingleNeedleBitmap, kSingleNeedle, apu_ind_egt::egt, apu_ind_egt::scale),
     91, values_and_mouse_only},
};

}  // namespace

}  // namespace kadrimos::gauges

KADRIMOS_FAMILY_GAUGE(apu_ind_oil, NeedleMeters<kSingleNeedleMeters>::Gauge, 0)
KADRIMOS_FAMILY_GAUGE(apu_ind_egt, NeedleMeters<kSingleNeedleMeters>::Gauge, 1)
