// "toskelin apu_rulo": the flight engineer's APU control panel, which also
// runs the auxiliary power unit.
//
// The unit is simulated here, not by the host. The master switch and the
// START button latch a start; N1, N2 and EGT then climb along fixed steps per
// update until N1 stands at 100 and the unit is running, which is what the
// electrical network (APU generator) and engine start (bleed air) look at.
// Every rate below is per update of this gauge; only the intake flap and the
// oil consumption run on host time.
//
// Phases of the unit (phase_of):
//   off           nothing turns: master OFF or no start, N1, N2, EGT at 0
//   starting      start latched, not yet running: spool-up, fast climb, settle
//   running       N1 at 100: N2 held at its target by the N2 control, EGT 540
//   running down  master OFF, start cancelled, stopped or failed: N1 and N2
//                 lose 0.4 and EGT 0.1 per update down to 0
//
// Inputs: ApuMasterSwitch, ApuStartCommand, ApuFailure, DcEssBusPowered,
// EngStartArmState, WingAntiIceOn, the panel's own switches (private state);
// host tokens 73 (altitude, m), 604 (time, s), 1 (ticks), 624 and 643 (engine
// N1, %), 331 and 332 (gear handle and gear position).
// Outputs: ApuRunning, ApuN1, ApuN2, ApuEgt, ApuOilQuantity,
// ApuFaultWarning, the intake flap and timers (private state).
//
// Host values that are not finite numbers: altitude, engine N1, time and
// ticks read as 0 (sea level, engines stopped; the two timers hold until
// their clock reads a number again); a gear position or handle that is not a
// number counts as no gear in transit.
#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "panel/units.h"
#include "systems/apu/apu_state.h"

KADRIMOS_GAUGE(apu, "toskelin apu_rulo")

namespace kadrimos::gauges::apu {
namespace {

using kadrimos::apu::ApuState;
using kadrimos::apu::kFlapClosed;
using kadrimos::apu::kFlapMoving;
using kadrimos::apu::kFlapOpen;

ApuState& unit = private_state.apu;

// --- The unit's figures --------------------------------------------------------

// Start conditions.
constexpr double kStartCeilingFt = 25000;    // above it a start spools to 35 % and is abandoned
constexpr double kRunningCeilingFt = 30000;  // above it the unit stops
constexpr uint32_t kMinimumStartOil = 600;
constexpr uint32_t kFullOil = 800;

// Spool-up to light-off speed, then the fast climb, then the settle to 100.
constexpr double kLightOffN1 = 50;
constexpr double kSpoolN1Step = 0.2;
constexpr double kSpoolN2Step = 0.05;
constexpr double kFastClimbEndN1 = 96;    // the fast climb runs up to and including this N1
constexpr double kFastClimbN1Share = 10;  // N1 grows by a tenth of itself
constexpr double kFastClimbN2Share = 2;   // N2 by half of itself
constexpr double kSettleN1Step = 0.2;
constexpr double kRatedN1 = 100;

// An abandoned start high up spools to this N1 before the latch drops.
constexpr double kHighStartAbandonN1 = 35;
constexpr double kHighStartN1Step = 0.2;
constexpr double kHighStartN2Step = 0.01;

// Run-down per update.
constexpr double kRunDownSpeedStep = 0.4;
constexpr double kRunDownEgtStep = 0.1;

// EGT: climbs while N1 is below 99, then stands at 540.
constexpr double kEgtSettleN1 = 99;
constexpr double kRunningEgt = 540;
constexpr double kEgtClimbStep = 0.6;
constexpr double kEgtOvershootStep = 0.2;
constexpr double kEgtSettleStep = 0.1;

// N2 control: the governor's targets.
constexpr double kBleedN2 = 97;    // OVR, engine start or wing anti-ice on the ground
constexpr double kStandbyN2 = 89;  // STBY, or any selector high up
constexpr double kNormalN2 = 63;   // NOR below 7000 ft
constexpr double kHighN2AltitudeFt = 7000;
constexpr double kEnginesStoppedN1 = 10;  // engine 1 N1 + engine 2 N1 below this: engines not turning
constexpr double kN2ClimbStep = 0.2;
constexpr double kN2Deadband = 1;
constexpr double kBleedN2FallStep = 0.1;
constexpr double kN2FallStep = 0.4;

// Oil: one meter unit a minute while running.
constexpr double kOilUseSeconds = 60;
// Intake flap: moving for 90 host ticks after the master is switched on.
constexpr double kFlapTravelTicks = 90;

// The control selector's positions.
enum ControlSelector : uint8_t { kSelectorNor = 0, kSelectorStby = 1, kSelectorOvr = 2 };

// --- Elements ----------------------------------------------------------------

// Depth, bitmap, position: 1-2 master switch down/up, 3-4 fuel pump switch
// down/up, 5-7 selector STBY/NOR/OVR, 8 START light, 9 APU FIRE, 10 STBY ON,
// 11 FUEL PRES LO, 12 OIL, 13 FAULT, 14 FLAP, 15-16 agent flag charged /
// discharged.
constexpr ElementSpec kElements[] = {
    background_spec(4240),
    icon_spec("APU MASTER OFF", 4134, {73, 213}),
    icon_spec("APU MASTER ON", 4137, {73, 197}),
    icon_spec("APU FUEL PUMP AUTO", 4134, {23, 213}),
    icon_spec("APU FUEL PUMP ON", 4137, {23, 197}),
    icon_spec("APU CONTRL SYS STBY", 4124, {69, 158}),
    icon_spec("APU CONTRL SYS NOR", 4121, {70, 150}),
    icon_spec("APU CONTRL SYS OVR", 4128, {70, 136}),
    icon_spec("APU START light", 4371, {17, 146}),
    icon_spec("APU FIRE light", 4243, {18, 45}),
    icon_spec("APU STBY ON light", 4374, {60, 108}),
    icon_spec("APU FUEL PRES LO light", 4252, {60, 87}),
    icon_spec("APU OIL light", 4352, {60, 66}),
    icon_spec("APU FAULT light", 4246, {60, 45}),
    icon_spec("APU FLAP light", 4249, {60, 24}),
    icon_spec("APU AGT PRESS flag charged", 4115, {25, 10}),
    icon_spec("APU AGT PRESS flag discharged", 4118, {25, 10}),
};

// --- Mouse -------------------------------------------------------------------

// A position of one of the panel's own switches.
template <auto Item, uint8_t Position>
int32_t FSAPI set_panel_switch(PIXPOINT*, uint32_t) {
    move_switch(unit.*Item, Position);
    return 0;
}

// START: latches a start, silently, with the master ON and the DC essential
// bus alive.
int32_t FSAPI press_start(PIXPOINT*, uint32_t) {
    if (aircraft.ApuMasterSwitch == 1 && aircraft.DcEssBusPowered == 1) aircraft.ApuStartCommand = 1;
    return 0;
}

// Agent discharge over the APU FIRE light: fires the bottle, silently, when
// armed, charged and powered.
int32_t FSAPI discharge_agent(PIXPOINT*, uint32_t) {
    if (unit.ApuFireArmed == 1 && unit.ApuAgentPressurised == 1 && aircraft.DcEssBusPowered == 1) {
        unit.ApuFireArmed = 0;
        unit.ApuAgentPressurised = 0;
    }
    return 0;
}

constexpr auto kAreas = area_list(
    position_switch<&AircraftState::ApuMasterSwitch, 1, 0>({62, 192, 30, 40}, {"MASTER ON", "MASTER OFF"}),
    stacked_areas({12, 192, 30, 40}, {"FUEL PUMP ON", "FUEL PUMP AUTO"},
                  {set_panel_switch<&ApuState::ApuFuelPumpSwitch, 1>,
                   set_panel_switch<&ApuState::ApuFuelPumpSwitch, 0>}),
    stacked_areas({62, 133, 30, 51}, {"CONTROL OVR", "CONTROL NOR", "CONTROL STBY"},
                  {set_panel_switch<&ApuState::ApuControlSelector, kSelectorOvr>,
                   set_panel_switch<&ApuState::ApuControlSelector, kSelectorNor>,
                   set_panel_switch<&ApuState::ApuControlSelector, kSelectorStby>}),
    area("START", {10, 139, 39, 39}, CURSOR_HAND, press_start),
    area("FIRE AGENT", {18, 62, 29, 43}, CURSOR_HAND, discharge_agent));

// --- Model -------------------------------------------------------------------

enum class Phase : uint8_t { off, starting, running, running_down };

Phase phase_of(const AircraftState& a) {
    if (a.ApuFailure != 0 || (a.ApuRunning == 0 && a.ApuStartCommand == 0)) {
        const bool turning = !(a.ApuN1 <= 0 && a.ApuN2 <= 0 && a.ApuEgt <= 0);
        return turning ? Phase::running_down : Phase::off;
    }
    return a.ApuRunning == 1 ? Phase::running : Phase::starting;
}

// What the unit reads from the host in one update.
struct HostInputs {
    double altitude_ft;
    double engine_n1_sum;
    double time_s;
    double ticks;
    bool gear_in_transit;
};

HostInputs read_host() {
    const double handle = host::value<331>();
    const double gear = host::value<332>();
    return {
        finite_or(host::value<73>(), 0.0) * units::kFeetPerMetre,
        finite_or(host::value<624>(), 0.0) + finite_or(host::value<643>(), 0.0),
        finite_or(host::value<604>(), 0.0),
        finite_or(host::value<1>(), 0.0),
        handle == handle && gear == gear && handle != gear,
    };
}

// One run-down step: a value above 0 loses `step` (and may pass below 0 by
// less than a step for one update); anything else, NaN included, is 0.
void run_down(double& value, double step) { value = value > 0 ? value - step : 0; }

// The N2 governor: the target and the fall step of the first rule that
// applies.
struct N2Schedule {
    double target;
    double fall_step;
};

N2Schedule n2_schedule(const HostInputs& in) {
    const AircraftState& a = aircraft;
    const bool bleed_demand = unit.ApuControlSelector == kSelectorOvr || a.EngStartArmState != 0 ||
                              (a.WingAntiIceOn == 1 && in.engine_n1_sum < kEnginesStoppedN1);
    if (bleed_demand) return {kBleedN2, kBleedN2FallStep};
    if (unit.ApuControlSelector == kSelectorStby) return {kStandbyN2, kN2FallStep};
    if (in.altitude_ft >= kHighN2AltitudeFt) return {kStandbyN2, kN2FallStep};
    return {kNormalN2, kN2FallStep};
}

void control_n2(const HostInputs& in) {
    const N2Schedule s = n2_schedule(in);
    double& n2 = aircraft.ApuN2;
    if (n2 < s.target)
        n2 += kN2ClimbStep;
    else if (n2 < s.target + kN2Deadband)
        n2 = s.target;
    else if (n2 >= s.target + kN2Deadband)
        n2 -= s.fall_step;
}

// The start with the latch set: spool-up to light-off, the fast climb (N2
// overshoots far above its target and is brought down by the governor and
// the meter), then the settle to rated N1 under the governor.
void start_stage(const HostInputs& in) {
    AircraftState& a = aircraft;
    if (a.ApuStartCommand != 1) return;
    const bool can_start = unit.ApuAgentPressurised == 1 && a.ApuOilQuantity >= kMinimumStartOil;
    if (can_start && in.altitude_ft <= kStartCeilingFt && a.ApuFailure == 0) {
        if (a.ApuN1 < kLightOffN1) {
            a.ApuN1 += kSpoolN1Step;
            a.ApuN2 += kSpoolN2Step;
        } else if (a.ApuN1 <= kFastClimbEndN1) {
            a.ApuN1 += a.ApuN1 / kFastClimbN1Share;
            a.ApuN2 += a.ApuN2 / kFastClimbN2Share;
        } else if (a.ApuN1 > kFastClimbEndN1) {
            a.ApuN1 = a.ApuN1 >= kRatedN1 ? kRatedN1 : a.ApuN1 + kSettleN1Step;
            control_n2(in);
        }
    } else if (can_start && in.altitude_ft > kStartCeilingFt) {
        // Too high to light: the unit spools, the start is abandoned at 35 %
        // and it runs down. The failure flag is not looked at here.
        if (a.ApuN1 < kHighStartAbandonN1) {
            a.ApuN1 += kHighStartN1Step;
            a.ApuN2 += kHighStartN2Step;
        } else {
            a.ApuStartCommand = 0;
        }
    } else if (a.ApuOilQuantity < kMinimumStartOil) {
        a.ApuStartCommand = 0;
    }
}

bool is_running(const HostInputs& in) {
    const AircraftState& a = aircraft;
    return a.ApuN1 >= kRatedN1 && in.altitude_ft <= kRunningCeilingFt && a.ApuOilQuantity != 0 &&
           a.ApuFailure == 0;
}

void egt_step() {
    double& egt = aircraft.ApuEgt;
    const bool below_settle = aircraft.ApuN1 < kEgtSettleN1;
    if (egt <= kRunningEgt)
        egt = below_settle ? egt + kEgtClimbStep : kRunningEgt;
    else if (egt > kRunningEgt)
        egt += below_settle ? kEgtOvershootStep : -kEgtSettleStep;
}

// One unit of oil a minute of host time while running; the quantity never
// goes below 0 nor stays above a full tank.
void use_oil(const HostInputs& in) {
    uint32_t& oil = aircraft.ApuOilQuantity;
    if (aircraft.ApuRunning == 1) {
        // The minute ends on a whole second of host time.
        if (!timing::is_set(unit.ApuOilUse))
            timing::set_until(unit.ApuOilUse, in.time_s,
                              static_cast<double>(to_integer<uint32_t>(in.time_s + kOilUseSeconds)));
        if (timing::due(unit.ApuOilUse, in.time_s)) {
            if (oil > 0) --oil;
            timing::clear(unit.ApuOilUse);
        }
    }
    if (oil >= kFullOil) oil = kFullOil;
}

// The intake flap moves while the gear is in transit with the unit turning,
// and opens over 90 ticks once the master is switched on; master OFF, it is
// shown closed (its timer keeps its state).
void move_flap(const HostInputs& in) {
    const AircraftState& a = aircraft;
    if (in.gear_in_transit && (a.ApuRunning == 1 || a.ApuStartCommand == 1)) {
        unit.ApuFlapState = kFlapMoving;
    } else if (a.ApuMasterSwitch == 1) {
        if (!timing::is_set(unit.ApuFlapTravel) && unit.ApuFlapState == kFlapClosed)
            timing::set_for(unit.ApuFlapTravel, in.ticks, kFlapTravelTicks);
        if (timing::is_set(unit.ApuFlapTravel)) {
            if (!timing::due(unit.ApuFlapTravel, in.ticks)) {
                unit.ApuFlapState = kFlapMoving;
            } else {
                unit.ApuFlapState = kFlapOpen;
                timing::clear(unit.ApuFlapTravel);
            }
        }
    } else {
        unit.ApuFlapState = kFlapClosed;
    }
}

// --- Display -----------------------------------------------------------------

void show_switches() {
    show_one_of(header, {1, 2}, aircraft.ApuMasterSwitch == 1 ? 1 : 0);
    show_one_of(header, {3, 4}, unit.ApuFuelPumpSwitch == 1 ? 1 : 0);
    const uint8_t s = unit.ApuControlSelector;
    show_one_of(header, {5, 6, 7}, s == kSelectorStby ? 0 : s == kSelectorOvr ? 2 : 1);
}

void show_lights() {
    const AircraftState& a = aircraft;
    const bool dc = a.DcEssBusPowered == 1;
    const bool starting = a.ApuN1 < kLightOffN1 && a.ApuStartCommand == 1;
    light(header, 8, dc, starting);
    light(header, 9, dc, false);
    light(header, 10, dc, unit.ApuControlSelector == kSelectorStby && a.ApuRunning == 1);
    light(header, 11, dc, false);
    light(header, 12, dc, starting);
    light(header, 14, dc, unit.ApuFlapState == kFlapMoving);
    // Unpowered, neither flag bitmap: the striped flag of the background.
    light(header, 15, dc, unit.ApuAgentPressurised == 1);
    light(header, 16, dc, unit.ApuAgentPressurised == 0);
}

void fault_warning() {
    AircraftState& a = aircraft;
    if (a.ApuFailure == 0 || a.DcEssBusPowered == 0) {
        a.ApuFaultWarning = 0;
        set_visible(header, 13, false);
        return;
    }
    set_visible(header, 13, true);
    if (a.ApuFailure == 1 && a.ApuMasterSwitch == 1) a.ApuFaultWarning = 1;
}

// --- Update ------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    AircraftState& a = aircraft;
    show_switches();

    if (a.ApuMasterSwitch == 0) {
        a.ApuStartCommand = 0;
        a.ApuRunning = 0;
    }

    const Phase phase = phase_of(a);
    if (phase == Phase::off || phase == Phase::running_down) {
        run_down(a.ApuN1, kRunDownSpeedStep);
        run_down(a.ApuN2, kRunDownSpeedStep);
        run_down(a.ApuEgt, kRunDownEgtStep);
    }

    const HostInputs in = read_host();
    start_stage(in);
    a.ApuRunning = is_running(in) ? 1 : 0;
    if (a.ApuStartCommand == 1 || a.ApuRunning == 1) egt_step();

    // The governor holds N2 while running. With the start still latched it
    // has already acted once in the start stage: it acts twice per update.
    if (a.ApuRunning == 1 && a.ApuFailure == 0) control_n2(in);

    use_oil(in);
    move_flap(in);
    show_lights();
    fault_warning();
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 106, callback);

}  // namespace kadrimos::gauges::apu
