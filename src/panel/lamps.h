// The annunciator lamp rule, and warning panels as tables of lamps.
//
// A lamp is lit while its bus is powered, it is neither cancelled nor
// inhibited, and either its condition holds or, for a lamp on the lamp test
// circuit, the flight deck's lamp test (AnnLightTest) is on. Every light of
// the cockpit follows this one rule; a plain light is a lamp with no cancel,
// no inhibit and no test.
//
//   constexpr Lamp kLamps[] = {
//       // element, bus,                          condition,                    cancel, inhibit, tested
//       {3, &AircraftState::DcEssBusPowered, &AircraftState::HydFault, nullptr, nullptr, true},
//   };
//   show_lamps(header, kLamps);
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/aircraft_state.h"
#include "panel/elements.h"

namespace kadrimos {

constexpr bool lamp_lit(bool powered, bool condition, bool cancelled, bool inhibited, bool tested,
                        bool lamp_test) {
    return powered && !cancelled && !inhibited && (condition || (tested && lamp_test));
}

// One lamp of a panel. Flags count as set when they are exactly 1; a null
// cancel or inhibit is never set.
struct Lamp {
    int element;  // depth in the gauge's chain
    const uint8_t AircraftState::*bus;
    const uint8_t AircraftState::*condition;
    const uint8_t AircraftState::*cancel = nullptr;
    const uint8_t AircraftState::*inhibit = nullptr;
    bool tested = true;  // on the lamp test circuit
};

constexpr bool flag_set(const AircraftState& a, const uint8_t AircraftState::*flag) {
    return flag != nullptr && a.*flag == 1;
}

constexpr bool lamp_lit(const AircraftState& a, const Lamp& lamp) {
    return lamp_lit(flag_set(a, lamp.bus), flag_set(a, lamp.condition), flag_set(a, lamp.cancel),
                    flag_set(a, lamp.inhibit), lamp.tested, a.AnnLightTest == 1);
}

// Shows each lamp of `lamps` lit or dark by the rule.
template <std::size_t N>
void show_lamps(const GAUGEHDR& gauge, const AircraftState& a, const Lamp (&lamps)[N]) {
    for (const Lamp& lamp : lamps) set_visible(gauge, lamp.element, lamp_lit(a, lamp));
}

}  // namespace kadrimos
