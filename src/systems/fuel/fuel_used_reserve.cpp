// "toskelin fuel_fuelused_rulo", "toskelin fuel_qtty_reserve_1_rulo",
// "toskelin fuel_qtty_reserve_2_rulo" and "toskelin fuel_qtty_test_rulo": the
// fuel used panel, the two RESERVE lights and the QTY TEST button.
//
// FUEL USED RESET zeroes both engines' fuel used counters, which the fuel
// used indicators integrate. The PUMP PRESS LO light of the same panel has no
// pressure switch behind it and stays dark. A RESERVE light comes on when its
// wing's auxiliary tank holds 1150 litres or less and raises the fuel reserve
// warning for the master warning panel and the GPWS; nothing clears the
// warning afterwards. QTY TEST asks the five quantity indicators to run their
// test sweep. Every light and the test need the DC normal bus.
//
// Inputs: FuelQtyALeft, FuelQtyARight, DcNormBusPowered, PumpPressLoRequest
// (private state).
// Outputs: FuelUsed1, FuelUsed2 (reset), FuelReserveWarning, QtyTestRequest.
//
// A quantity that is not a finite number counts as an empty tank
// (fuel_state.h): the RESERVE light comes on.
#include <array>
#include <cstddef>
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "systems/fuel/fuel_state.h"

KADRIMOS_GAUGE(fuel_fuelused, "toskelin fuel_fuelused_rulo")
KADRIMOS_GAUGE(fuel_qtty_reserve_1, "toskelin fuel_qtty_reserve_1_rulo")
KADRIMOS_GAUGE(fuel_qtty_reserve_2, "toskelin fuel_qtty_reserve_2_rulo")
KADRIMOS_GAUGE(fuel_qtty_test, "toskelin fuel_qtty_test_rulo")

// --- Fuel used panel -------------------------------------------------------------

namespace kadrimos::gauges::fuel_fuelused {
namespace {

// Depth, bitmap, position: 1 PUMP PRESS LO.
constexpr ElementSpec kElements[] = {
    background_spec(4400),
    icon_spec("PUMP PRESS LO light", 4403, {0, 42}),
};

// FUEL USED RESET, silent and unpowered: a mechanical reset of the counters.
int32_t FSAPI reset_fuel_used(PIXPOINT*, uint32_t) {
    aircraft.FuelUsed1 = 0;
    aircraft.FuelUsed2 = 0;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("FUEL USED RESET", {242, 32, 37, 37}, CURSOR_HAND, reset_fuel_used),
};

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    light(header, 1, aircraft.DcNormBusPowered == 1, private_state.fuel.PumpPressLoRequest == 1);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 287, callback);

}  // namespace kadrimos::gauges::fuel_fuelused

// --- RESERVE 1 and 2 --------------------------------------------------------------

namespace kadrimos::gauges {
namespace {

constexpr double kReserveLitres = 1150;  // at or below it the RESERVE light comes on
constexpr uint32_t kReserveLight = 4444;

// A RESERVE light, element 1 of its gauge: its wing's auxiliary tank.
template <auto Tank>
void FSAPI reserve_light(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    const bool lit = aircraft.DcNormBusPowered == 1 && !(fuel::litres(aircraft.*Tank) > kReserveLitres);
    set_visible(*gauge, 1, lit);
    if (lit) aircraft.FuelReserveWarning = 1;
}

// One row a light: its background, its label, where the light stands and
// its tank.
struct ReserveRow {
    uint32_t background;
    const char* label;
    PIXPOINT at;
    double AircraftState::*tank;
};
constexpr ReserveRow kReserveLights[] = {
    {4448, "RESERVE 1 light", {18, 0}, &AircraftState::FuelQtyALeft},
    {4451, "RESERVE 2 light", {0, 0}, &AircraftState::FuelQtyARight},
};

template <std::size_t R>
inline constexpr std::array<ElementSpec, 2> kReserveElements = {
    background_spec(kReserveLights[R].background),
    icon_spec(kReserveLights[R].label, kReserveLight, kReserveLights[R].at),
};

}  // namespace

template <std::size_t R, GAUGEHDR& Header>
using ReserveLight =
    ListedGauge<kReserveElements<R>, kNoAreas, 56, reserve_light<kReserveLights[R].tank>, Header>;

}  // namespace kadrimos::gauges

KADRIMOS_FAMILY_GAUGE(fuel_qtty_reserve_1, ReserveLight, 0)
KADRIMOS_FAMILY_GAUGE(fuel_qtty_reserve_2, ReserveLight, 1)

// --- QTY TEST --------------------------------------------------------------------

namespace kadrimos::gauges::fuel_qtty_test {
namespace {

constexpr ElementSpec kElements[] = {
    background_spec(4441, kBackgroundFlags, no_failures, "QTY TEST button"),
};

// QTY TEST: with DC normal power, asks every quantity indicator for its test.
int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    if (aircraft.DcNormBusPowered != 1) return 0;
    for (uint8_t& request : aircraft.QtyTestRequest) request = 1;
    return 0;
}

constexpr AreaSpec kAreas[] = {
    area("QTY TEST", {0, 19, 25, 25}, CURSOR_HAND, press_test),
};

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 25, values_and_mouse_only);

}  // namespace kadrimos::gauges::fuel_qtty_test
