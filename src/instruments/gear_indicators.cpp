// The landing gear: "toskelin gear_ind_rulo", three lamps for each leg, and
// "toskelin gear_h_rulo", the gear lever.
//
// Each leg has a lower (gear down, green), a middle (lever and gear
// disagree, red) and an upper lamp (gear unlocked, amber), lit by where the
// gear lever is (the host's handle, token 331: 0 up) and where the leg is
// (0 retracted to 16383 extended). A leg locked down under a lever down
// shows its lower lamp alone; a leg retracted under a lever up shows nothing
// but under the lamp test.
//
// The lever has three positions, up, middle and down, held as 198, 0 and 58.
// Moving it up or down commands the host's gear; the middle position
// commands nothing. While the DC essential bus is powered the lever follows
// the host's handle: a handle down puts it down, a handle up takes it out
// of the down position. Its drawing follows the cockpit lighting: with the
// instrument lights on (and AC essential power) it is drawn lit by the
// panel lights, or by the flight deck lights when their switch is at 1.
//
// Inputs: tokens 331 (gear handle), 333, 332 and 334 (left, nose and right
// leg positions); DcEssBusPowered, AcEssBusPowered, AnnLightTest,
// InstrumentLightsOn, FltDeckLightSwitch.
// Outputs: key events 0x1021F (gear up) and 0x10220 (gear down), value 0.
//
// A handle or leg position that is not a number lights a leg's lamps only
// under the lamp test, and leaves the lever where it is.
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "instruments/config_indicators_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE(gear_ind, "toskelin gear_ind_rulo")
KADRIMOS_GAUGE_WITH_STATE(gear_h, "toskelin gear_h_rulo")

// --- Gear lamps ------------------------------------------------------------------

namespace kadrimos::gauges::gear_ind {
namespace {

constexpr uint32_t kBackground = 7076;
constexpr uint32_t kLowerBitmap = 7770;
constexpr uint32_t kMiddleBitmap = 7771;
constexpr uint32_t kUpperBitmap = 7772;

enum class Lamp : uint8_t { Dark, Lit, Test };  // Test: lit only under the lamp test

struct LegLamps {
    Lamp lower, middle, upper;
};

constexpr Lamp D = Lamp::Dark, L = Lamp::Lit, T = Lamp::Test;

// Lever up: the first row whose position the leg has reached.
struct UpRow {
    double from;
    LegLamps lamps;
};
// Columns: leg position from, lower, middle, upper.
constexpr UpRow kLeverUp[] = {
    {16000, {L, L, D}},
    {9000, {L, L, L}},
    {3000, {D, L, L}},
    {10, {D, D, L}},
};
constexpr LegLamps kLeverUpRetracted = {T, T, T};

// Lever down: the first row whose position the leg has not passed.
struct DownRow {
    double up_to;
    LegLamps lamps;
};
// Columns: leg position up to, lower, middle, upper.
constexpr DownRow kLeverDown[] = {
    {300, {D, L, D}},
    {13000, {D, L, L}},
    {16000, {L, D, L}},
};
constexpr LegLamps kLeverDownLocked = {L, T, T};
constexpr LegLamps kUnreadable = {T, T, T};

// The lamps of a leg at `position` with the handle at `handle`.
constexpr LegLamps leg_lamps(double handle, double position) {
    if (handle != handle || position != position) return kUnreadable;
    if (handle == 0) {
        for (const UpRow& r : kLeverUp)
            if (position >= r.from) return r.lamps;
        return kLeverUpRetracted;
    }
    for (const DownRow& r : kLeverDown)
        if (position <= r.up_to) return r.lamps;
    return kLeverDownLocked;
}

struct Leg {
    double (*position)();
    int first;  // depth of its lower lamp; middle and upper follow
};
constexpr int kLampsPerLeg = 3;

// Columns: leg position, depth of its lower lamp. Left, nose, right.
constexpr Leg kLegs[] = {
    {host::value<333>, 1},
    {host::value<332>, 1 + kLampsPerLeg},
    {host::value<334>, 1 + 2 * kLampsPerLeg},
};

// Per leg, left to right: lower, middle and upper lamps, upper on top.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("LEFT GEAR lower light",   kLowerBitmap,  {1, 36}),
    icon_spec("LEFT GEAR middle light",  kMiddleBitmap, {1, 20}),
    icon_spec("LEFT GEAR upper light",   kUpperBitmap,  {1, 4}),
    icon_spec("NOSE GEAR lower light",   kLowerBitmap,  {25, 36}),
    icon_spec("NOSE GEAR middle light",  kMiddleBitmap, {25, 20}),
    icon_spec("NOSE GEAR upper light",   kUpperBitmap,  {25, 4}),
    icon_spec("RIGHT GEAR lower light",  kLowerBitmap,  {49, 36}),
    icon_spec("RIGHT GEAR middle light", kMiddleBitmap, {49, 20}),
    icon_spec("RIGHT GEAR upper light",  kUpperBitmap,  {49, 4}),
};
// clang-format on
static_assert(std::size(kElements) == 1 + std::size(kLegs) * kLampsPerLeg);

bool lit(Lamp lamp, bool lamp_test) { return lamp == Lamp::Lit || (lamp == Lamp::Test && lamp_test); }

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool powered = aircraft.DcEssBusPowered == 1;
    const bool lamp_test = aircraft.AnnLightTest == 1;
    const double handle = host::value<331>();
    for (const Leg& leg : kLegs) {
        const LegLamps lamps = leg_lamps(handle, leg.position());
        set_visible(header, leg.first, powered && lit(lamps.lower, lamp_test));
        set_visible(header, leg.first + 1, powered && lit(lamps.middle, lamp_test));
        set_visible(header, leg.first + 2, powered && lit(lamps.upper, lamp_test));
    }
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 72, callback);

}  // namespace kadrimos::gauges::gear_ind

// --- Gear lever --------------------------------------------------------------------

namespace kadrimos::gauges::gear_h {

constinit instruments::GearLeverState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using instruments::kGearLeverDown;
using instruments::kGearLeverMiddle;
using instruments::kGearLeverUp;

instruments::GearLeverState& self = state;

constexpr uint32_t kBackground = 7077;
constexpr uint32_t kLeverBitmap = 7780;
constexpr uint32_t kPanelLitBitmap = 7781;
constexpr uint32_t kDeckLitBitmap = 7782;

constexpr uint32_t kGearUpEvent = 0x1021F;    // 66079
constexpr uint32_t kGearDownEvent = 0x10220;  // 66080

// The lever's handle stands in the band of its position: the up band
// (0 to 53), the middle band (53 to 111) or the down band (111 to 164).
constexpr double travel_of(uint8_t lever) {
    switch (lever) {
        case kGearLeverUp:
            return 0;
        case kGearLeverDown:
            return 111;
        default:
            return 55;
    }
}
double FSAPI lever_travel(ELEMENT_HEADER*) { return travel_of(self.lever); }

constexpr double kOnePixel = 1;

// The same lever three times: as it is, lit by the panel lights, lit by the
// flight deck lights. Exactly one is drawn.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    slider_spec("GEAR lever",           kLeverBitmap,    {0, 0}, nullptr, 0, lever_travel, kOnePixel),
    slider_spec("GEAR lever panel lit", kPanelLitBitmap, {0, 0}, nullptr, 0, lever_travel, kOnePixel,
                kIconFlags | kHidden),
    slider_spec("GEAR lever deck lit",  kDeckLitBitmap,  {0, 0}, nullptr, 0, lever_travel, kOnePixel,
                kIconFlags | kHidden),
};
// clang-format on
constexpr int kLever = depth_of(kElements, "GEAR lever");
constexpr int kPanelLit = depth_of(kElements, "GEAR lever panel lit");
constexpr int kDeckLit = depth_of(kElements, "GEAR lever deck lit");

// Up and down command the host's gear at once, whatever the power; the
// middle position only moves the lever.
int32_t FSAPI lever_up(PIXPOINT*, uint32_t) {
    host::send_event(kGearUpEvent, 0);
    self.lever = kGearLeverUp;
    return 0;
}
int32_t FSAPI lever_middle(PIXPOINT*, uint32_t) {
    self.lever = kGearLeverMiddle;
    return 0;
}
int32_t FSAPI lever_down(PIXPOINT*, uint32_t) {
    host::send_event(kGearDownEvent, 0);
    self.lever = kGearLeverDown;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("GEAR UP", {0, 0, 50, 53}, CURSOR_UPARROW, lever_up),
    area("GEAR MIDDLE", {0, 53, 50, 58}, CURSOR_HAND, lever_middle),
    area("GEAR DOWN", {0, 111, 50, 53}, CURSOR_DOWNARROW, lever_down),
};

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const AircraftState& a = aircraft;
    if (a.DcEssBusPowered == 1) {
        const double handle = host::value<331>();
        if (handle > 1 && self.lever != kGearLeverDown) self.lever = kGearLeverDown;
        if (handle < 1 && self.lever == kGearLeverDown) self.lever = kGearLeverUp;
    }
    int drawing = 0;
    if (a.InstrumentLightsOn == 1 && a.AcEssBusPowered == 1) drawing = a.FltDeckLightSwitch == 1 ? 2 : 1;
    show_one_of(header, {kLever, kPanelLit, kDeckLit}, drawing);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 50, callback);

}  // namespace kadrimos::gauges::gear_h
