// "toskelin servo_controls_rulo": the three servo control levers (blue,
// green, yellow), each with its hydraulic pressure lamp and fault light.
//
// A lever has three stops down its slot, at 0, 27 and 57 pixels of travel.
// At the bottom stop the lever takes its system's servo off; at most two
// levers may be there, so that the controls always keep one system. The
// pressure lamp says that the system could feed the servo: the lever is not
// at the bottom and the system holds more than 1800 psi. On the ground a
// lever left at the top stop is a fault.
//
// Inputs: the levers (private state), DcEssBusPowered, HydPressBlue,
// HydPressGreen, HydPressYellow; host token 60 (on ground, exactly 1.0).
// Outputs: ServoControlFault (latched: raised by any lit fault light, cleared
// without the DC essential bus or once one lever is at the bottom stop and
// neither of the others is at the top).
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "systems/hydraulics/flight_controls_state.h"

KADRIMOS_GAUGE(servo_controls, "toskelin servo_controls_rulo")

namespace kadrimos::gauges::servo_controls {
namespace {

using flight_controls::kLeverBottom;
using flight_controls::kLeverMiddle;
using flight_controls::kLeverTop;
using flight_controls::kServoLeverCount;

constexpr int64_t kServoPressurePsi = 1800;  // the lamp needs more than this
constexpr uint32_t kBitmap = 5280;           // the background's; element k has kBitmap + k

uint8_t (&levers)[kServoLeverCount] = private_state.flight_controls.ServoLever;

// --- Elements ----------------------------------------------------------------

// The slider's value is the lever's travel in pixels, one for one.
template <std::size_t Lever>
double FSAPI lever_travel(ELEMENT_HEADER*) {
    return clamp_write_back(levers[Lever], kLeverTop, kLeverBottom);
}
constexpr double kPixelsPerUnit = 1.0;

// Per lever from `first` = 1 + 6 × (lever index): the slot's legend for the
// top, middle and bottom stops, the lever knob (slider), the pressure lamp
// and the fault light. Levers at x 10, 71 and 128.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBitmap),
    icon_spec("BLUE lever legend top", kBitmap + 1, {10, 31}),
    icon_spec("BLUE lever legend middle", kBitmap + 2, {10, 31}),
    icon_spec("BLUE lever legend bottom", kBitmap + 3, {10, 31}),
    slider_spec("BLUE lever", kBitmap + 4, {10, 31}, nullptr, 0, lever_travel<0>, kPixelsPerUnit),
    icon_spec("BLUE PRESS lamp", kBitmap + 5, {10, 4}),
    icon_spec("BLUE FAULT light", kBitmap + 6, {35, 4}),
    icon_spec("GREEN lever legend top", kBitmap + 7, {71, 31}),
    icon_spec("GREEN lever legend middle", kBitmap + 8, {71, 31}),
    icon_spec("GREEN lever legend bottom", kBitmap + 9, {71, 31}),
    slider_spec("GREEN lever", kBitmap + 10, {71, 31}, nullptr, 0, lever_travel<1>, kPixelsPerUnit),
    icon_spec("GREEN PRESS lamp", kBitmap + 11, {71, 4}),
    icon_spec("GREEN FAULT light", kBitmap + 12, {96, 4}),
    icon_spec("YELLOW lever legend top", kBitmap + 13, {128, 31}),
    icon_spec("YELLOW lever legend middle", kBitmap + 14, {128, 31}),
    icon_spec("YELLOW lever legend bottom", kBitmap + 15, {128, 31}),
    slider_spec("YELLOW lever", kBitmap + 16, {128, 31}, nullptr, 0, lever_travel<2>, kPixelsPerUnit),
    icon_spec("YELLOW PRESS lamp", kBitmap + 17, {128, 4}),
    icon_spec("YELLOW FAULT light", kBitmap + 18, {153, 4}),
};
// clang-format on

constexpr int kElementsPerLever = 6;
constexpr int first_element(std::size_t lever) { return 1 + kElementsPerLever * static_cast<int>(lever); }

// --- Mouse -------------------------------------------------------------------

// A lever goes to the bottom stop only while fewer than two others are
// there; every other move is free. Levers move silently.
template <std::size_t Lever, uint8_t Stop>
int32_t FSAPI move_lever(PIXPOINT*, uint32_t) {
    if constexpr (Stop == kLeverBottom) {
        int others_at_bottom = 0;
        for (std::size_t k = 0; k < kServoLeverCount; ++k)
            if (k != Lever && levers[k] == kLeverBottom) ++others_at_bottom;
        if (others_at_bottom >= 2) return 0;
    }
    levers[Lever] = Stop;
    return 0;
}

// Per lever, top to bottom: top, middle and bottom stops.
// clang-format off
constexpr AreaSpec kAreas[] = {
    area("SERVO 1 top", {10, 31, 49, 33},  CURSOR_HAND, move_lever<0, kLeverTop>),
    area("SERVO 1 middle", {10, 63, 49, 33},  CURSOR_HAND, move_lever<0, kLeverMiddle>),
    area("SERVO 1 bottom", {10, 95, 49, 33},  CURSOR_HAND, move_lever<0, kLeverBottom>),
    area("SERVO 2 top", {71, 31, 49, 33},  CURSOR_HAND, move_lever<1, kLeverTop>),
    area("SERVO 2 middle", {71, 63, 49, 33},  CURSOR_HAND, move_lever<1, kLeverMiddle>),
    area("SERVO 2 bottom", {71, 95, 49, 33},  CURSOR_HAND, move_lever<1, kLeverBottom>),
    area("SERVO 3 top", {128, 31, 49, 33}, CURSOR_HAND, move_lever<2, kLeverTop>),
    area("SERVO 3 middle", {128, 63, 49, 33}, CURSOR_HAND, move_lever<2, kLeverMiddle>),
    area("SERVO 3 bottom", {128, 95, 49, 33}, CURSOR_HAND, move_lever<2, kLeverBottom>),
};
// clang-format on

// --- Update ------------------------------------------------------------------

// The stop's index among the three legends; a lever between stops shows none.
int stop_index(uint8_t travel) {
    switch (travel) {
        case kLeverTop:
            return 0;
        case kLeverMiddle:
            return 1;
        case kLeverBottom:
            return 2;
        default:
            return -1;
    }
}

// Neither green nor yellow pressure can be negative in a working system; the
// comparison is made in a type that holds every value of both widths.
int64_t system_pressure(const AircraftState& a, std::size_t lever) {
    switch (lever) {
        case 0:
            return a.HydPressBlue;
        case 1:
            return a.HydPressGreen;
        default:
            return a.HydPressYellow;
    }
}

// One lever at the bottom stop and neither of the others at the top: the
// controls are set as the crew should set them.
bool levers_set(const uint8_t (&lever)[kServoLeverCount]) {
    for (std::size_t k = 0; k < kServoLeverCount; ++k) {
        if (lever[k] != kLeverBottom) continue;
        bool others_clear = true;
        for (std::size_t j = 0; j < kServoLeverCount; ++j)
            if (j != k && lever[j] == kLeverTop) others_clear = false;
        if (others_clear) return true;
    }
    return false;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    const bool dc_ess = a.DcEssBusPowered == 1;
    const bool on_ground = host::value<60>() == 1.0;
    bool any_fault = false;
    for (std::size_t k = 0; k < kServoLeverCount; ++k) {
        const int first = first_element(k);
        show_one_of(header, {first, first + 1, first + 2}, stop_index(levers[k]));
        const bool feeding = levers[k] != kLeverBottom && system_pressure(a, k) > kServoPressurePsi;
        light(header, first + 4, dc_ess, feeding);
        const bool fault = on_ground && levers[k] == kLeverTop;
        light(header, first + 5, dc_ess, fault);
        any_fault = any_fault || (dc_ess && fault);
    }
    if (any_fault) a.ServoControlFault = 1;
    if (!dc_ess || levers_set(levers)) a.ServoControlFault = 0;
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 177, callback);

}  // namespace kadrimos::gauges::servo_controls
