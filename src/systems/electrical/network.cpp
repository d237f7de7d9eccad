// The electrical network solver. See network.h for the network and its
// inputs and outputs.
//
// Sources are solved first, from the buses as they stood at the end of the
// last update; then the batteries, which need to know whether any AC source
// is on line; then the DC essential bus, the bus ties and the AC buses, which
// need the sources; last the AC essential bus, which may hang on the DC
// essential bus through the inverter. A change therefore crosses one tie or
// TR per update.
//
// Host values that are not numbers: every test on an engine speed, the
// ground flag or the start values is a plain comparison, so a NaN fails it
// (a NaN N1 is a stopped engine, a NaN ground flag is "in flight"). The clock
// is the one host value turned into an integer: see solve_battery_charge().
#include "systems/electrical/network.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "module/module_state.h"
#include "panel/convert.h"
#include "panel/host.h"

namespace kadrimos::electrical {
namespace {

// Host variables, by token.
constexpr uint32_t kEngine1N1 = 624;         // percent
constexpr uint32_t kEngine2N1 = 643;         // percent
constexpr uint32_t kSimulationClock = 604;   // seconds
constexpr uint32_t kFirstUpdateCheck = 759;  // below 5 at the first update: send kFirstUpdateEvent
constexpr uint32_t kOnGround = 60;           // exactly 1.0 on the ground
constexpr uint32_t kStartState = 329;        // 4000 or more on the ground: set up a running aircraft

// Key events.
constexpr uint32_t kPanelWindowEvent = 0x103CB;  // value: a panel window identifier
constexpr uint32_t kFirstUpdateEvent = 0x102C1;  // value 0

// The panel windows named to the host at the first update, in this order.
constexpr uint32_t kStartupWindows[] = {10030, 10040, 10050, 10090, 10060, 10080};

// Generators: on line from 10 % N1; full load when they also feed across a
// closed tie, half load on their own bus.
constexpr double kGeneratorMinN1 = 10.0;
constexpr int32_t kFullLoad = 100;
constexpr int32_t kHalfLoad = 50;

// AC essential feed selector positions: GEN 2, GEN 1, NORM, APU GEN, EMRG INV.
constexpr uint8_t kFeedGen2 = 0;
constexpr uint8_t kFeedGen1 = 1;
constexpr uint8_t kFeedNormal = 2;
constexpr uint8_t kFeedApuGen = 3;
constexpr uint8_t kFeedInverter = 4;

// Batteries: charge in seconds of 50-ampere discharge; currents in amperes.
constexpr uint32_t kFullCharge = 1800;
constexpr uint32_t kTaperFromCharge = 1750;  // above it the charge current is what is left to full
constexpr int32_t kChargeCurrent = 50;
constexpr int32_t kHeavyDischarge = -50;  // with the landing or normal essential load
constexpr int32_t kLightDischarge = -10;  // minimum essential load only
// At 10 A a unit of charge lasts three seconds; no timing needs to count
// beyond the longest discharge, 5400 seconds.
constexpr int32_t kLongestDischargeS = 3 * static_cast<int32_t>(kFullCharge);

ElectricalNetworkState& state() { return private_state.electrical_network; }

bool any_battery_switch_on() {
    return aircraft.Batt1Switch != 0 || aircraft.Batt2Switch != 0 || aircraft.Batt3Switch != 0;
}

// --- 1. Start-up: name the six panel windows to the host, once ----------------

void send_startup_window_events() {
    if (aircraft.InitPhase != 0) return;
    for (uint32_t window : kStartupWindows) host::send_event(kPanelWindowEvent, window);
    aircraft.InitPhase = 1;
}

// --- 2 and 3. Engine generators -------------------------------------------------

// A generator is on line when switched on, not failed and its engine turns
// at 10 % N1 or more. Whether it carries the other side depends on its
// breaker and on its tie as the tie stood at the last update.
int32_t generator_load(uint8_t gen_switch, double n1, uint8_t failed, uint8_t breaker,
                       uint8_t tie_was_closed) {
    if (gen_switch != 1 || !(n1 >= kGeneratorMinN1) || failed != 0) return 0;
    return breaker == 1 && tie_was_closed == 1 ? kFullLoad : kHalfLoad;
}

void solve_engine_generators(const NetworkAtLastUpdate& previous) {
    const double n1_engine1 = host::value<kEngine1N1>();
    const double n1_engine2 = host::value<kEngine2N1>();
    aircraft.Gen1Load = generator_load(aircraft.Gen1Switch, n1_engine1, aircraft.Gen1Failed,
                                       aircraft.Gen1BreakerSwitch, previous.BusTie1Closed);
    aircraft.Gen2Load = generator_load(aircraft.Gen2Switch, n1_engine2, aircraft.Gen2Failed,
                                       aircraft.Gen2BreakerSwitch, previous.BusTie2Closed);
}

// --- 4. APU generator -------------------------------------------------------------

// Loaded whenever it runs with its switch on. Its meter reads the full load
// through both ties (last update), half through one, and nothing with both
// ties open.
void solve_apu_generator(const NetworkAtLastUpdate& previous) {
    aircraft.ApuGenLoad = 0;
    aircraft.ApuGenLoadMeter = 0;
    if (aircraft.ApuGenSwitch != 1 || aircraft.ApuRunning != 1) return;
    const int ties_closed = (previous.BusTie1Closed == 1 ? 1 : 0) + (previous.BusTie2Closed == 1 ? 1 : 0);
    if (ties_closed == 2) {
        aircraft.ApuGenLoad = kFullLoad;
        aircraft.ApuGenLoadMeter = kFullLoad;
    } else if (ties_closed == 0) {
        aircraft.ApuGenLoad = kFullLoad;
    } else {
        aircraft.ApuGenLoad = kHalfLoad;
        aircraft.ApuGenLoadMeter = kHalfLoad;
    }
}

// --- 5. Transformer-rectifiers and the DC normal buses ----------------------------

// A TR switched on delivers while its AC supply was powered at the last
// update. Switched on without supply it raises the DC fault, which stays
// until all three TRs deliver again (13, below).
uint8_t transformer_rectifier(uint8_t tr_switch, uint8_t supply_was_powered) {
    if (tr_switch != 1) return 0;
    if (supply_was_powered != 1) {
        aircraft.ElecDcFault = 1;
        return 0;
    }
    return 1;
}

void solve_transformer_rectifiers(const NetworkAtLastUpdate& previous) {
    aircraft.Tr1On = transformer_rectifier(aircraft.Tr1Switch, previous.AcBus1Powered);
    aircraft.Tr2On = transformer_rectifier(aircraft.Tr2Switch, previous.AcBus2Powered);
    aircraft.EssTrOn = transformer_rectifier(aircraft.EssTrSwitch, previous.AcEssNormPowered);
    aircraft.DcNormBusPowered = aircraft.Tr1On == 1 || aircraft.Tr2On == 1 ? 1 : 0;
}

// --- 6 and 7. Battery current -------------------------------------------------------

// The batteries discharge when no AC source is on line, or when nothing can
// charge them (neither the essential TR nor, at the last update, the DC bus
// tie feeds the DC essential bus). Otherwise they charge at 50 A, tapering
// over the last 50 units to full, and rest at full. Entering one regime
// stops the other's timing.
void solve_battery_current(BatteryTiming& timing, const NetworkAtLastUpdate& previous) {
    aircraft.BattSwitchedOn = any_battery_switch_on() ? 1 : 0;
    if (aircraft.BattSwitchedOn == 0) {
        aircraft.BattCurrent = 0;
        return;
    }
    const int32_t discharge = aircraft.BattLoadLevel >= 1 ? kHeavyDischarge : kLightDischarge;
    const bool ac_source_on_line = aircraft.ApuGenLoad != 0 || aircraft.Gen1Load != 0 ||
                                   aircraft.Gen2Load != 0 || aircraft.ExtPowerOnBus != 0;
    const bool charger_fed = previous.DcEssFromNormBus != 0 || aircraft.EssTrOn != 0;
    if (!ac_source_on_line || !charger_fed) {
        aircraft.BattCurrent = discharge;
        timing.charging = 0;
        return;
    }
    timing.discharging = 0;
    const uint32_t charge = aircraft.BattCharge;
    if (charge <= kTaperFromCharge) {
        aircraft.BattCurrent = kChargeCurrent;
    } else if (charge < kFullCharge) {
        aircraft.BattCurrent = static_cast<int32_t>(kFullCharge - charge);
    } else {
        aircraft.BattCurrent = 0;
    }
}

// --- 8. Battery charge ----------------------------------------------------------------

// Timed seconds never go below 0 nor count beyond the longest discharge.
int32_t bounded_seconds(int64_t seconds) {
    if (seconds < 0) return 0;
    if (seconds > kLongestDischargeS) return kLongestDischargeS;
    return static_cast<int32_t>(seconds);
}

// The charge left after so many seconds of discharge from full, never below 0.
uint32_t charge_after_discharge(int32_t elapsed_s, int32_t seconds_per_unit) {
    const uint32_t used = static_cast<uint32_t>(elapsed_s / seconds_per_unit);
    return used >= kFullCharge ? 0 : kFullCharge - used;
}

// Timing stops with what it has reached and starts again from the next good
// clock reading, so that the charge neither jumps nor runs on while the
// clock cannot be trusted.
void pause_battery_timing(BatteryTiming& timing) {
    if (timing.discharging == 1) timing.saved_elapsed_s = timing.elapsed_s;
    timing.discharging = 0;
    timing.charging = 0;
}

// Discharge: the charge is full less the seconds discharged (at 50 A), or a
// third of them (at 10 A). The seconds discharged before this discharge are
// carried in the saved time, which must describe the charge the battery
// really has: after a charge, a change of load or a charge set from outside
// it no longer does, and is worked out again from the charge, so that a
// discharge always goes on from the charge reached and never refills the
// battery.
void time_discharge(BatteryTiming& timing, int32_t now_s) {
    const int32_t current = aircraft.BattCurrent;
    if (current >= -1) return;
    const int32_t seconds_per_unit = current == kHeavyDischarge ? 1 : 3;
    if (timing.discharging == 0 || timing.seconds_per_unit != seconds_per_unit) {
        if (timing.discharging == 1) timing.saved_elapsed_s = timing.elapsed_s;
        if (charge_after_discharge(timing.saved_elapsed_s, seconds_per_unit) != aircraft.BattCharge) {
            timing.saved_elapsed_s =
                static_cast<int32_t>(kFullCharge - aircraft.BattCharge) * seconds_per_unit;
        }
        timing.start_s = now_s;
        timing.seconds_per_unit = seconds_per_unit;
        timing.discharging = 1;
    }
    timing.elapsed_s = bounded_seconds(int64_t{now_s} - timing.start_s + timing.saved_elapsed_s);
    aircraft.BattCharge = charge_after_discharge(timing.elapsed_s, seconds_per_unit);
}

// Charge: one unit per second from the charge the battery had when charging
// began, up to full (the current tapers; the charge does not).
void time_charge(BatteryTiming& timing, int32_t now_s) {
    if (aircraft.BattCurrent <= 0) return;
    if (timing.charging == 0) {
        if (aircraft.BattCharge >= kFullCharge) return;
        timing.start_s = now_s;
        timing.charge_at_start = aircraft.BattCharge;
        timing.charging = 1;
    }
    timing.elapsed_s = bounded_seconds(int64_t{now_s} - timing.start_s);
    const uint32_t charge = timing.charge_at_start + static_cast<uint32_t>(timing.elapsed_s);
    aircraft.BattCharge = charge >= kFullCharge ? kFullCharge : charge;
}

// No current: with a battery switch on the battery is full and idle, and the
// discharge time is forgotten; with every switch off it is kept for the next
// discharge. Either way both timings stop.
void rest_battery_timing(BatteryTiming& timing) {
    if (aircraft.BattCurrent != 0) return;
    if (any_battery_switch_on()) timing.elapsed_s = 0;
    timing.saved_elapsed_s = timing.elapsed_s;
    timing.discharging = 0;
    timing.charging = 0;
}

// The clock is read in whole seconds (truncated). It can be NaN or infinite
// (a host in trouble) or jump back (a flight reloaded): the timing then
// pauses, keeping the charge as it is, and starts again from the next finite
// reading. A non-finite clock counts no time at all. A clock that jumps
// forward counts the time it skipped, as the simulation says it passed.
void solve_battery_charge(BatteryTiming& timing) {
    // Only this solver writes the charge; a value above full, from anywhere
    // else, counts as full.
    if (aircraft.BattCharge > kFullCharge) aircraft.BattCharge = kFullCharge;
    const double clock_s = host::value<kSimulationClock>();
    if (!std::isfinite(clock_s)) {
        pause_battery_timing(timing);
    } else {
        const int32_t now_s = to_integer<int32_t>(clock_s);
        if (now_s < timing.last_clock_s) pause_battery_timing(timing);
        timing.last_clock_s = now_s;
        time_discharge(timing, now_s);
        time_charge(timing, now_s);
    }
    rest_battery_timing(timing);
}

// --- 9. First update's one-shot check ----------------------------------------------

// A NaN fails the test: no event.
void run_first_update_check(ElectricalNetworkState& s) {
    if (s.first_update_check_done == 1) return;
    s.first_update_check_done = 1;
    if (host::value<kFirstUpdateCheck>() < 5.0) host::send_event(kFirstUpdateEvent, 0);
}

// --- 10. Battery connection lights ----------------------------------------------------

// ON (2) connects the battery always; NORM (1) while it carries current.
uint8_t battery_connected(uint8_t battery_switch) {
    if (battery_switch == 2) return 1;
    if (battery_switch == 1) return aircraft.BattCurrent != 0 ? 1 : 0;
    return 0;
}

void solve_battery_connections() {
    aircraft.Batt1Connected = battery_connected(aircraft.Batt1Switch);
    aircraft.Batt2Connected = battery_connected(aircraft.Batt2Switch);
    aircraft.Batt3Connected = battery_connected(aircraft.Batt3Switch);
}

// --- 11. DC essential bus ---------------------------------------------------------------

// First the batteries while they hold charge, then the essential TR with AC
// bus 1 up at the last update, then the DC normal buses through the DC tie.
// Dead, the bus keeps the last word on where it was fed from.
void solve_dc_essential_bus(const NetworkAtLastUpdate& previous) {
    if (aircraft.BattSwitchedOn == 1 && aircraft.BattCharge != 0) {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcEssFromNormBus = 0;
    } else if (aircraft.EssTrOn == 1 && previous.AcBus1Powered == 1) {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcEssFromNormBus = 0;
    } else if (aircraft.DcBusTieSwitch == 1 && aircraft.DcNormBusPowered == 1) {
        aircraft.DcEssBusPowered = 1;
        aircraft.DcEssFromNormBus = 1;
    } else {
        aircraft.DcEssBusPowered = 0;
    }
}

// --- 12. AC bus ties ----------------------------------------------------------------------

// Without external power or the APU generator, a tie closes so that a live
// bus (at the last update) can feed the side whose generator is off its bus;
// both ties take the same decision. With external power or the APU
// generator, each tie closes to feed its side whose generator is off its bus.
void solve_bus_ties(const NetworkAtLastUpdate& previous) {
    const bool gen1_off_bus = aircraft.Gen1Load == 0 || aircraft.Gen1BreakerSwitch == 0;
    const bool gen2_off_bus = aircraft.Gen2Load == 0 || aircraft.Gen2BreakerSwitch == 0;
    bool tie1 = false;
    bool tie2 = false;
    if (aircraft.ExtPowerOnBus == 0 && aircraft.ApuGenLoad == 0) {
        const bool cross_feed =
            (gen1_off_bus && previous.AcBus2Powered == 1) || (gen2_off_bus && previous.AcBus1Powered == 1);
        tie1 = cross_feed;
        tie2 = cross_feed;
    } else {
        tie1 = gen1_off_bus;
        tie2 = gen2_off_bus;
    }
    aircraft.BusTie1Closed = aircraft.BusTie1Switch == 1 && tie1 ? 1 : 0;
    aircraft.BusTie2Closed = aircraft.BusTie2Switch == 1 && tie2 ? 1 : 0;
}

// --- 13. DC fault clears when all three TRs deliver -------------------------------------

void clear_dc_fault_when_all_trs_deliver() {
    if (aircraft.Tr1On == 1 && aircraft.Tr2On == 1 && aircraft.EssTrOn == 1) aircraft.ElecDcFault = 0;
}

// --- 14. AC buses 1 and 2 -------------------------------------------------------------------

// A bus is fed by its own generator through its breaker, by external power
// or the APU generator through its own tie, or by the other generator
// through both ties. A dead bus raises the AC fault.
bool ac_bus_fed(int32_t own_load, uint8_t own_breaker, uint8_t own_tie, int32_t other_load,
                uint8_t other_breaker) {
    if (own_load >= kHalfLoad && own_breaker == 1) return true;
    if ((aircraft.ExtPowerOnBus == 1 || aircraft.ApuGenLoad >= kHalfLoad) && own_tie == 1) return true;
    return other_load >= kHalfLoad && other_breaker == 1 && aircraft.BusTie1Closed == 1 &&
           aircraft.BusTie2Closed == 1;
}

void solve_ac_buses() {
    aircraft.AcBus1Powered = ac_bus_fed(aircraft.Gen1Load, aircraft.Gen1BreakerSwitch, aircraft.BusTie1Closed,
                                        aircraft.Gen2Load, aircraft.Gen2BreakerSwitch)
                                 ? 1
                                 : 0;
    if (aircraft.AcBus1Powered == 0) aircraft.ElecAcFault = 1;
    aircraft.AcBus2Powered = ac_bus_fed(aircraft.Gen2Load, aircraft.Gen2BreakerSwitch, aircraft.BusTie2Closed,
                                        aircraft.Gen1Load, aircraft.Gen1BreakerSwitch)
                                 ? 1
                                 : 0;
    if (aircraft.AcBus2Powered == 0) aircraft.ElecAcFault = 1;
}

// --- 15 and 16. AC essential bus ---------------------------------------------------------------

// In EMRG INV the bus follows the DC essential bus through the inverter, and
// both its flags say so. In the other positions it takes the selected normal
// feed, or else the inverter (with the AC fault), or is dead. A selector
// value beyond the panel's five positions changes nothing.
void solve_ac_essential_bus() {
    const uint8_t selector = aircraft.AcEssFeedSelector;
    if (selector == kFeedInverter) {
        aircraft.AcEssNormPowered = aircraft.DcEssBusPowered;
        aircraft.AcEssInvPowered = aircraft.DcEssBusPowered;
    } else if (selector <= kFeedApuGen) {
        bool normal_feed = false;
        switch (selector) {
            case kFeedGen2:
                normal_feed = aircraft.Gen2Load >= kHalfLoad;
                break;
            case kFeedGen1:
                normal_feed = aircraft.Gen1Load >= kHalfLoad;
                break;
            case kFeedNormal:
                normal_feed = aircraft.AcBus1Powered == 1;
                break;
            default:
                normal_feed = aircraft.ApuGenLoad >= kHalfLoad || aircraft.ExtPowerOnBus == 1;
                break;
        }
        if (normal_feed) {
            aircraft.AcEssNormPowered = 1;
            aircraft.AcEssInvPowered = 0;
        } else if (aircraft.DcEssBusPowered == 1) {
            aircraft.AcEssNormPowered = 0;
            aircraft.AcEssInvPowered = 1;
            aircraft.ElecAcFault = 1;
        } else {
            aircraft.AcEssNormPowered = 0;
            aircraft.AcEssInvPowered = 0;
        }
    }
    aircraft.AcEssBusPowered = aircraft.AcEssNormPowered == 1 || aircraft.AcEssInvPowered == 1 ? 1 : 0;
}

// --- 17. AC fault clears with every AC bus on its normal feed, or with no DC
// essential power to show it ----------------------------------------------------------------------

void clear_ac_fault() {
    const bool all_ac_normal =
        aircraft.AcBus1Powered == 1 && aircraft.AcBus2Powered == 1 && aircraft.AcEssNormPowered == 1;
    if (all_ac_normal || aircraft.DcEssBusPowered == 0) aircraft.ElecAcFault = 0;
}

void remember_network(NetworkAtLastUpdate& previous) {
    const AircraftState& a = aircraft;
    previous = {.BusTie1Closed = a.BusTie1Closed,
                .BusTie2Closed = a.BusTie2Closed,
                .AcBus1Powered = a.AcBus1Powered,
                .AcBus2Powered = a.AcBus2Powered,
                .AcEssNormPowered = a.AcEssNormPowered,
                .DcEssFromNormBus = a.DcEssFromNormBus};
}

void set_all(std::initializer_list<uint8_t*> items, uint8_t value) {
    for (uint8_t* item : items) *item = value;
}

}  // namespace

void solve_network() {
    ElectricalNetworkState& s = state();
    // The order is the order power flows in: sources from the last update's
    // buses, then batteries, then buses, then the faults they raise.
    send_startup_window_events();                  // 1
    solve_engine_generators(s.previous);           // 2, 3
    solve_apu_generator(s.previous);               // 4
    solve_transformer_rectifiers(s.previous);      // 5
    solve_battery_current(s.battery, s.previous);  // 6, 7
    solve_battery_charge(s.battery);               // 8
    run_first_update_check(s);                     // 9
    solve_battery_connections();                   // 10
    solve_dc_essential_bus(s.previous);            // 11: needs the batteries and TRs
    solve_bus_ties(s.previous);                    // 12: needs the sources
    clear_dc_fault_when_all_trs_deliver();         // 13
    solve_ac_buses();                              // 14: needs the ties
    solve_ac_essential_bus();                      // 15, 16: needs AC bus 1 and the DC essential bus
    clear_ac_fault();                              // 17: needs every bus
    remember_network(s.previous);
}

void apply_startup_switches() {
    if (aircraft.InitPhase != 1) return;
    // On the ground the host's start value chooses a cold cockpit or a
    // running aircraft; in flight (or when the host cannot say it is on the
    // ground) the aircraft is always set up running.
    const bool on_ground = host::value<kOnGround>() == 1.0;
    bool running = true;
    if (on_ground) running = host::value<kStartState>() >= 4000.0;
    const uint8_t on = running ? 1 : 0;
    AircraftState& a = aircraft;
    set_all({&a.Batt1Switch, &a.Batt2Switch, &a.Batt3Switch, &a.Gen1Switch, &a.Gen2Switch,
             &a.HydPtuBlueGreenSwitch, &a.HydPtuGreenYellowSwitch, &a.HpLever1Open, &a.HpLever2Open},
            on);
    if (running) {
        set_all({&a.YawDamperSwitch1, &a.YawDamperSwitch2, &a.PitchTrimSwitch1, &a.PitchTrimSwitch2,
                 &a.ProbeHeatSwitch1, &a.ProbeHeatSwitch2, &a.ProbeHeatSwitch3},
                1);
    } else {
        a.ApuGenSwitch = 0;
    }
    set_all({&a.Tr1Switch, &a.Tr2Switch, &a.EssTrSwitch, &a.BusTie1Switch, &a.BusTie2Switch,
             &a.Gen1BreakerSwitch, &a.Gen2BreakerSwitch, &a.EssBusLoadSwitch},
            1);
    a.AcEssFeedSelector = kFeedNormal;
    a.AcLandSwitch = 0;
    a.HydElecPump1Switch = 0;
    a.HydElecPump2Switch = 0;
    // The engine-driven hydraulic pumps spool up from the start.
    set_all({&a.HydPump1Spool, &a.HydPump2Spool, &a.HydPump3Spool, &a.HydPump4Spool}, 100);
    a.InitPhase = 2;
}

}  // namespace kadrimos::electrical
