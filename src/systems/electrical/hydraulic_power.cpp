#include "systems/electrical/hydraulic_power.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "module/module_state.h"
#include "panel/convert.h"
#include "panel/host.h"
#include "panel/units.h"

namespace kadrimos::electrical {
namespace {

HydraulicMonitorState& self = private_state.hydraulic_monitor;

// --- Host variables ------------------------------------------------------------
//
// Read once at the start of the update. A value that is not a finite number
// (a reloaded flight, a failed instrument, an add-on writing garbage) has one
// defined meaning per variable, chosen so that it never invents a command:
//   - quantities (engine speeds, airspeed, surface and trim positions, the
//     pitch, the flap setting, the tick) read as 0: engines stopped, aircraft
//     at rest, surfaces and trim neutral, flaps up;
//   - host flags and the positions that gate a toggle (yaw damper, autopilot,
//     on-ground, pitot heat, parking brake, brake pressure, flap extension,
//     fuel levers, tokens 824 and 866) are kept as they are: NaN equals no
//     value and fails every comparison, so no toggle or command goes out on a
//     value nobody can read. Infinities compare as the extremes they are.
//   - the gear extensions are captured at a loss as "down" when unreadable,
//     so that a loss never commands the gear up on a guess.
struct HostReadings {
    double tick;             // 1: host tick counter, 18 per second
    double pitot_heat;       // 13: host pitot heat, 1.0 on, 0.0 off
    double on_ground;        // 60: exactly 1.0 on the ground
    double airspeed_kt;      // 61: indicated airspeed
    double autopilot;        // 103: host autopilot flag, tested for 1.0
    double yaw_damper;       // 114: host yaw damper, 1.0 on, 0.0 off
    double fuel_lever[2];    // 130, 165: engine fuel levers, 0 to 16383
    uint32_t pitot_inhibit;  // 286 as an integer: 1 leaves the captain's pitot unheated
    double surface_313;      // 313, 316, 317: surfaces of the surfaces indicator
    double surface_316;
    double surface_317;
    double elevator_trim;   // 318
    double brake_pressure;  // 320
    double parking_brake;   // 323
    double flap_extension;  // 326: 0 to 16383
    double flap_setting;    // 328: the flap lever's setting
    double gear_333;        // 333, 334: gear extensions, 0 to 16383
    double gear_334;
    double engine_n2[2];      // 625, 644: engine rotor speeds in percent
    double pitch_rad;         // 783: pitch attitude
    double loss_toggle_item;  // 824: the host item toggled off at a loss, on at recovery
    double yellow_item;       // 866: the host item commanded while yellow is lost
};

template <uint32_t Token>
double quantity() {
    return finite_or(host::value<Token>(), 0.0);
}

HostReadings read_host() {
    HostReadings in{};
    in.tick = quantity<1>();
    in.pitot_heat = host::value<13>();
    in.on_ground = host::value<60>();
    in.airspeed_kt = quantity<61>();
    in.autopilot = host::value<103>();
    in.yaw_damper = host::value<114>();
    in.fuel_lever[0] = host::value<130>();
    in.fuel_lever[1] = host::value<165>();
    in.pitot_inhibit = host::bits<286>();
    in.surface_313 = quantity<313>();
    in.surface_316 = quantity<316>();
    in.surface_317 = quantity<317>();
    in.elevator_trim = quantity<318>();
    in.brake_pressure = host::value<320>();
    in.parking_brake = host::value<323>();
    in.flap_extension = host::value<326>();
    in.flap_setting = quantity<328>();
    in.gear_333 = host::value<333>();
    in.gear_334 = host::value<334>();
    in.engine_n2[0] = quantity<625>();
    in.engine_n2[1] = quantity<644>();
    in.pitch_rad = host::value<783>();
    in.loss_toggle_item = host::value<824>();
    in.yellow_item = host::value<866>();
    return in;
}

// --- Key events sent ------------------------------------------------------------

constexpr uint32_t kGearUp = 0x1021F;
constexpr uint32_t kGearDown = 0x10220;
constexpr uint32_t kLossToggle = 0x10305;  // the host item of token 824
constexpr uint32_t kParkingBrakeToggle = 0x10306;
constexpr uint32_t kSurface316Command = 0x10099;
constexpr uint32_t kYawDamperOn = 0x10215;
constexpr uint32_t kYawDamperOff = 0x10216;
constexpr uint32_t kFlapsSmallExtension = 0x10211;  // flaps out less than 3000
constexpr uint32_t kFlapsLowSpeed = 0x10210;        // flaps well out at 60 kt or less
constexpr uint32_t kFlapsSet = 0x100FA;             // with the flap extension as value
constexpr uint32_t kFlapsHighSpeedSetting = 7000;
constexpr uint32_t kSurface313Command = 0x1004C;
constexpr uint32_t kInFlightSurfaceCommand = 0x100A0;
constexpr uint32_t kSurface317Command = 0x1009E;
constexpr uint32_t kElevatorTrimSet = 0x100AA;  // with the trim as value
constexpr uint32_t kYellowLossCommand = 0x10356;
constexpr uint32_t kPitotHeatOn = 0x10218;
constexpr uint32_t kPitotHeatOff = 0x10219;

// The host takes a signed trim in the event's 32-bit value.
uint32_t as_event_value(int32_t value) { return static_cast<uint32_t>(value); }

// --- Pressures and states ----------------------------------------------------------

constexpr int64_t kMaxPsi = 3000;
constexpr int64_t kRisePsi = 30;   // per update: a full rise takes 100 updates
constexpr int64_t kDecayPsi = 15;  // per update: a full decay takes 200 updates
constexpr int64_t kAvailablePsi = 1750;
constexpr double kTurningPercent = 20.0;
constexpr double kRamAirKt = 150.0;  // yellow is driven by the airflow from here on
constexpr uint8_t kPumpDelivering = 200;
constexpr uint8_t kPumpSwitchedOn = 100;
constexpr uint8_t kPumpRampStep = 5;

bool available(int64_t psi) { return psi >= kAvailablePsi; }
bool turning(double n2_percent) { return n2_percent >= kTurningPercent; }
bool is_on(uint8_t item) { return item == 1; }

// Worked in 64 bits, so that no pressure can wrap: the blue pressure is
// unsigned, and a decay from below 15 psi must end at 0, not near 4 billion.
int64_t rise(int64_t psi) { return psi + kRisePsi >= kMaxPsi ? kMaxPsi : psi + kRisePsi; }
int64_t decay(int64_t psi) { return psi - kDecayPsi < 2 ? 0 : psi - kDecayPsi; }

enum class EnginePump { Delivering, Unavailable, Spooling };

// A failure flag counts whatever its non-zero value: a failed pump never
// holds its system's pressure.
EnginePump engine_pump(uint8_t spool, double n2_percent, uint8_t failed) {
    if (failed != 0 || spool == 0 || !turning(n2_percent)) return EnginePump::Unavailable;
    if (spool == kPumpDelivering) return EnginePump::Delivering;
    return EnginePump::Spooling;
}

// One system half: its own engine pump if it delivers, the pressure held
// while the pump spools, its alternative source when the pump is out.
template <typename Psi>
Psi next_pressure(Psi psi, EnginePump pump, bool alternative_source) {
    int64_t next = psi;
    if (pump == EnginePump::Delivering || (pump == EnginePump::Unavailable && alternative_source))
        next = rise(psi);
    else if (pump == EnginePump::Unavailable)
        next = decay(psi);
    return static_cast<Psi>(next);
}

void run_electric_pump() {
    // Electric pump 1 runs on AC bus 1, electric pump 2 on AC bus 2.
    const bool first = is_on(aircraft.HydElecPump1Switch) && is_on(aircraft.AcBus1Powered);
    const bool second = is_on(aircraft.HydElecPump2Switch) && is_on(aircraft.AcBus2Powered);
    aircraft.HydElecPumpRunning = first || second ? 1 : 0;
}

void solve_pressures(const HostReadings& in) {
    AircraftState& a = aircraft;
    const double e1 = in.engine_n2[0];
    const double e2 = in.engine_n2[1];
    if (a.HydPump1Spool == 0 && a.HydPump2Spool == 0 && a.HydPump3Spool == 0 && a.HydPump4Spool == 0) {
        // Every engine pump switched off and run down: nothing is pumped,
        // not even through the interconnections.
        a.HydPressBlue = static_cast<uint32_t>(decay(a.HydPressBlue));
        a.HydPressGreenA = static_cast<int32_t>(decay(a.HydPressGreenA));
        a.HydPressGreenB = static_cast<int32_t>(decay(a.HydPressGreenB));
        a.HydPressYellow = static_cast<int32_t>(decay(a.HydPressYellow));
    } else {
        const bool blue_green_link = is_on(a.HydPtuBlueGreenSwitch);
        const bool green_yellow_link = is_on(a.HydPtuGreenYellowSwitch);
        const bool electric_pump = is_on(a.HydElecPumpRunning);
        // The interconnections see green and yellow as the previous update
        // left them, blue as just computed: blue is solved first.
        a.HydPressBlue = next_pressure(a.HydPressBlue, engine_pump(a.HydPump1Spool, e1, a.HydPumpBlueFailed),
                                       available(self.previous_green_psi) && blue_green_link);
        a.HydPressGreenA = next_pressure(
            a.HydPressGreenA, engine_pump(a.HydPump2Spool, e1, a.HydPumpGreenFailed),
            (turning(e2) && available(self.previous_yellow_psi) && green_yellow_link) || electric_pump);
        a.HydPressGreenB =
            next_pressure(a.HydPressGreenB, engine_pump(a.HydPump3Spool, e2, a.HydPumpGreenFailed),
                          (turning(e1) && available(a.HydPressBlue) && blue_green_link) || electric_pump);
        a.HydPressYellow = next_pressure(
            a.HydPressYellow, engine_pump(a.HydPump4Spool, e2, a.HydPumpYellowFailed),
            (available(self.previous_green_psi) && green_yellow_link) || in.airspeed_kt >= kRamAirKt);
    }
    a.HydPressGreen = std::max(a.HydPressGreenA, a.HydPressGreenB);
    self.previous_green_psi = a.HydPressGreen;
    self.previous_yellow_psi = a.HydPressYellow;
}

// 0 lost; 1 driven by an engine; 2 on its alternative source at low speed;
// 3 (yellow only) driven by the airflow.
uint8_t system_state(int64_t psi, uint8_t when_pressurised) { return available(psi) ? when_pressurised : 0; }

void solve_system_states(const HostReadings& in) {
    const bool e1 = turning(in.engine_n2[0]);
    const bool e2 = turning(in.engine_n2[1]);
    aircraft.HydStateBlue = system_state(aircraft.HydPressBlue, e1 ? 1 : 2);
    aircraft.HydStateGreen = system_state(aircraft.HydPressGreen, e1 || e2 ? 1 : 2);
    const uint8_t yellow_source = e2 ? 1 : in.airspeed_kt < kRamAirKt ? 2 : 3;
    aircraft.HydStateYellow = system_state(aircraft.HydPressYellow, yellow_source);
}

bool lost(uint8_t state) { return state == 0; }
bool green_and_yellow_lost() { return lost(aircraft.HydStateGreen) && lost(aircraft.HydStateYellow); }
bool blue_and_yellow_lost() { return lost(aircraft.HydStateBlue) && lost(aircraft.HydStateYellow); }
bool all_systems_lost() { return lost(aircraft.HydStateBlue) && green_and_yellow_lost(); }

// --- What a loss commands ------------------------------------------------------------

// The surface-316 and flap rules belong to more than one loss, and with all three
// systems lost every one of those losses holds at once. Each rule runs at
// most once per update, so that no event goes out twice in one update: a
// repeated toggle would undo itself, a repeated step would move twice.
struct LossRulesRun {
    bool surface_316 = false;
    bool flaps = false;
};

// On the ground, slowing through 10 to 60 kt, with surface 316 out.
void apply_surface_316_rule(const HostReadings& in, LossRulesRun& run) {
    if (run.surface_316) return;
    run.surface_316 = true;
    if (in.on_ground == 1.0 && in.airspeed_kt >= 10.0 && in.airspeed_kt <= 60.0 && in.surface_316 != 0.0)
        host::send_event(kSurface316Command);
}

// Without blue and yellow the flaps cannot be held where they are: small
// extensions, and large ones at low speed, are commanded; at speed the flaps
// are set to 7000. An unreadable extension commands nothing.
void apply_flap_rule(const HostReadings& in, LossRulesRun& run) {
    if (run.flaps) return;
    run.flaps = true;
    const double extension = in.flap_extension;
    if (extension < 3000.0) {
        if (extension >= 1.0) host::send_event(kFlapsSmallExtension);
    } else if (extension >= 3000.0) {
        if (in.airspeed_kt <= 60.0) {
            if (extension > 6000.0 && extension < 16382.0) host::send_event(kFlapsLowSpeed);
        } else if (extension > 4000.0) {
            host::send_event(kFlapsSet, kFlapsHighSpeedSetting);
        }
    }
}

// The parking brake is set once per loss, if it was off.
void apply_parking_brake_rule(const HostReadings& in) {
    if (self.parking_brake_latch == 0 && in.parking_brake == 0.0) {
        host::send_event(kParkingBrakeToggle);
        self.parking_brake_latch = 1;
    }
}

constexpr double kGearDownExtension = 16383.0;

// On the first update without green and yellow: where the gear and the flap
// lever stood. Runs before the loss rules so that they act in this update.
void capture_at_green_and_yellow_loss(const HostReadings& in) {
    if (!green_and_yellow_lost() || self.loss_latched != 0) return;
    self.gear_at_loss[0] = to_integer<int32_t>(finite_or(in.gear_333, kGearDownExtension));
    self.gear_at_loss[1] = to_integer<int32_t>(finite_or(in.gear_334, kGearDownExtension));
    self.flap_at_loss = to_integer<int32_t>(in.flap_setting);
    self.loss_latched = 1;
}

// Without green and yellow the gear is held where it was, the autopilot and
// flight director drop out, the item of token 824 is switched off and the
// parking brake set; when either system comes back, both are given back.
void hold_controls_through_green_and_yellow_loss(const HostReadings& in, LossRulesRun& run) {
    if (green_and_yellow_lost()) {
        if (self.loss_latched == 0) return;
        autoflight::drop_autoflight_for_hydraulic_loss();
        if (self.gear_at_loss[0] < 2 && self.gear_at_loss[1] < 2) {
            if (in.gear_333 > 2.0) host::send_event(kGearUp);
        } else if (in.gear_333 < 16000.0) {
            host::send_event(kGearDown);
        }
        if (in.loss_toggle_item > 0.99 && self.loss_toggle_latched == 0) {
            host::send_event(kLossToggle);
            self.loss_toggle_latched = 1;
        }
        apply_parking_brake_rule(in);
        apply_surface_316_rule(in, run);
        return;
    }
    if (in.loss_toggle_item < 0.01 && self.loss_toggle_latched != 0) {
        host::send_event(kLossToggle);
        self.loss_toggle_latched = 0;
    }
    if (self.parking_brake_latch != 0) {
        host::send_event(kParkingBrakeToggle);
        self.parking_brake_latch = 0;
    }
    self.loss_latched = 0;
}

// The yaw dampers are driven by blue and yellow.
void drop_yaw_dampers_without_blue_and_yellow(const HostReadings& in, LossRulesRun& run) {
    if (!blue_and_yellow_lost()) return;
    if (in.yaw_damper == 1.0) host::send_event(kYawDamperOff);
    aircraft.YawDamperSwitch1 = 0;
    aircraft.YawDamperSwitch2 = 0;
    apply_flap_rule(in, run);
}

void secure_controls_at_total_loss(const HostReadings& in, LossRulesRun& run) {
    if (!all_systems_lost()) {
        aircraft.AllHydraulicsLost = 0;
        return;
    }
    apply_surface_316_rule(in, run);
    apply_flap_rule(in, run);
    apply_parking_brake_rule(in);
    aircraft.AllHydraulicsLost = 1;
    if (in.on_ground == 1.0) {
        if (in.surface_313 != 0.0) host::send_event(kSurface313Command);
        if (in.surface_317 != 0.0) host::send_event(kSurface317Command);
    } else {
        host::send_event(kSurface313Command);
        host::send_event(kInFlightSurfaceCommand);
        host::send_event(kSurface317Command);
    }
    if (in.elevator_trim > 1.0 || in.elevator_trim < -1.0) host::send_event(kElevatorTrimSet, 0);
}

void command_at_yellow_loss(const HostReadings& in) {
    if (lost(aircraft.HydStateYellow) && in.yellow_item > 0.001 && in.yellow_item < 0.999)
        host::send_event(kYellowLossCommand);
}

// With green or yellow back, a parking brake still set is released; one set
// by the loss is released again once the brake pressure has built up.
void release_parking_brake(const HostReadings& in) {
    const bool braking_system = !green_and_yellow_lost();
    if (in.parking_brake > 0.0 && braking_system && in.brake_pressure < 5000.0) {
        host::send_event(kParkingBrakeToggle);
        self.parking_brake_latch = 0;
    }
    if (self.parking_brake_latch == 1 && in.brake_pressure > 5000.0) {
        host::send_event(kParkingBrakeToggle);
        self.parking_brake_latch = 2;
    }
}

// --- Engine pumps and fuel ---------------------------------------------------------

// The hydraulic panel switches a pump on by setting 100 and off by setting 95:
// a pump spools up to 200 (delivering) and down to 0 by 5 per update. The
// ramp saturates at both ends, whatever value it is handed.
uint8_t ramp_spool(uint8_t spool) {
    if (spool >= kPumpDelivering) return kPumpDelivering;
    if (spool >= kPumpSwitchedOn)
        return static_cast<uint8_t>(std::min<int>(spool + kPumpRampStep, kPumpDelivering));
    return static_cast<uint8_t>(spool > kPumpRampStep ? spool - kPumpRampStep : 0);
}

void ramp_engine_pumps() {
    for (uint8_t* spool :
         {&aircraft.HydPump1Spool, &aircraft.HydPump2Spool, &aircraft.HydPump3Spool, &aircraft.HydPump4Spool})
        *spool = ramp_spool(*spool);
}

// Engine fuel valves: the HP lever, with the DC essential bus, opens the
// host's fuel lever; otherwise the lever is closed. Each event is sent on
// every update until the host's lever agrees.
struct EngineFuel {
    uint8_t AircraftState::*hp_lever;
    uint32_t open_event;
    uint32_t cut_event;
};
// Columns: HP lever item, fuel open event, fuel cut-off event.
constexpr EngineFuel kEngineFuel[] = {
    {&AircraftState::HpLever1Open, 0x101BF, 0x101C3},
    {&AircraftState::HpLever2Open, 0x101C4, 0x101C8},
};
static_assert(std::size(kEngineFuel) == std::size(HostReadings{}.fuel_lever));

constexpr double kFuelLeverOpenAtLoad = 8000.0;
constexpr double kFuelLeverOpen = 0.5;

void command_engine_fuel(const HostReadings& in) {
    for (std::size_t engine = 0; engine < std::size(kEngineFuel); ++engine) {
        const EngineFuel& e = kEngineFuel[engine];
        const double fuel_lever = in.fuel_lever[engine];
        // At the first update the HP lever takes the host's fuel lever, so
        // that a flight loaded with engines running keeps them fed.
        if (self.hp_lever_initialised[engine] == 0) {
            aircraft.*e.hp_lever = fuel_lever >= kFuelLeverOpenAtLoad ? 1 : 0;
            self.hp_lever_initialised[engine] = 1;
        }
        if (is_on(aircraft.*e.hp_lever) && is_on(aircraft.DcEssBusPowered)) {
            if (fuel_lever < kFuelLeverOpen) host::send_event(e.open_event);
        } else if (fuel_lever >= kFuelLeverOpen) {
            host::send_event(e.cut_event);
        }
    }
}

// --- Servo monitors --------------------------------------------------------------

uint8_t count_on(uint8_t first, uint8_t second) { return static_cast<uint8_t>(is_on(first) + is_on(second)); }

// Yaw damper 1 is supplied by the DC essential bus, yaw damper 2 by the DC
// normal bus, both hydraulically by blue or yellow; without rudder travel
// and with the flaps up they are dropped. A dropped damper stays dropped
// until the crew engages it again.
void monitor_yaw_dampers(const HostReadings& in) {
    uint8_t& first = aircraft.YawDamperSwitch1;
    uint8_t& second = aircraft.YawDamperSwitch2;
    uint8_t& fault = aircraft.YawDamperFault;
    aircraft.YawDamperCount = count_on(first, second);
    const bool fed = !lost(aircraft.HydStateBlue) || !lost(aircraft.HydStateYellow);
    const bool essential = is_on(aircraft.DcEssBusPowered);
    const bool normal = is_on(aircraft.DcNormBusPowered);
    const auto engaged = [&] { return is_on(first) || is_on(second); };
    if (in.flap_setting < 1.0 && aircraft.RudderTravelPowered == 0 && engaged()) {
        first = 0;
        second = 0;
        fault = 1;
    }
    if ((!essential || !fed) && engaged()) {
        first = 0;
        fault = 1;
    }
    if ((!normal || !fed) && engaged()) {
        second = 0;
        fault = 1;
    }
    if (first == 0 && second == 0 && essential && normal && fed) fault = 1;
    if ((is_on(first) && essential) || (is_on(second) && normal && fed)) {
        if (in.yaw_damper == 0.0 && in.autopilot == 1.0) host::send_event(kYawDamperOn);
        fault = 0;
    } else if (essential && normal && fed && engaged()) {
        fault = 0;
    } else if (in.yaw_damper == 1.0) {
        host::send_event(kYawDamperOff);
    }
}

// The pitch trim servos need the DC essential bus and one hydraulic system.
// When they lose it under autopilot, the trim is set back to where it stood
// at the loss and both servos drop out.
void monitor_pitch_trim_servos(const HostReadings& in) {
    uint8_t& first = aircraft.PitchTrimSwitch1;
    uint8_t& second = aircraft.PitchTrimSwitch2;
    aircraft.PitchTrimCount = count_on(first, second);
    const bool essential = is_on(aircraft.DcEssBusPowered);
    const bool unsupplied = !essential || all_systems_lost();
    const bool under_autopilot = in.autopilot == 1.0;
    const auto engaged = [&] { return is_on(first) || is_on(second); };
    if (engaged() && unsupplied && self.trim_captured == 0) {
        if (under_autopilot) self.trim_at_servo_loss = to_integer<int32_t>(in.elevator_trim);
        self.trim_captured = 1;
    }
    if (engaged() && unsupplied && self.trim_captured != 0) {
        if (under_autopilot) host::send_event(kElevatorTrimSet, as_event_value(self.trim_at_servo_loss));
        first = 0;
        second = 0;
        aircraft.PitchTrimFault = 1;
    }
    if (engaged() && !unsupplied) self.trim_captured = 0;
    if (first == 0 && second == 0 && essential) aircraft.PitchTrimFault = 1;
    if (essential && !all_systems_lost() && engaged()) aircraft.PitchTrimFault = 0;
}

// --- Pitch ----------------------------------------------------------------------

constexpr double kUpperPitchLimitDeg = 12.0;
constexpr double kLowerPitchLimitDeg = -3.0;
constexpr double kProtectionTrimStep = 50.0;

// At a pitch of 12 degrees or more, or -3 or less, the trim is moved back by 50 on
// every update while the attitude lasts.
void protect_pitch_attitude(const HostReadings& in) {
    const double pitch = pitch_degrees(in.pitch_rad);
    self.pitch_deg = pitch;
    aircraft.PitchAttitudeDeg = pitch;
    if (pitch >= kUpperPitchLimitDeg)
        host::send_event(kElevatorTrimSet,
                         as_event_value(to_integer<int32_t>(in.elevator_trim - kProtectionTrimStep)));
    if (pitch <= kLowerPitchLimitDeg)
        host::send_event(kElevatorTrimSet,
                         as_event_value(to_integer<int32_t>(in.elevator_trim + kProtectionTrimStep)));
}

constexpr double kSampleTicks = 18.0;  // one second
constexpr double kCleanThresholdDeg = 2.5;
constexpr double kFlapsThresholdDeg = 4.5;

// Samples the pitch once a second into alternate slots and raises the GPWS
// pitch-change alert when it moved by more than the threshold (an equal
// change clears it) since the other slot's sample. One step per update.
void monitor_pitch_change(const HostReadings& in) {
    const double threshold = in.flap_setting <= 0.0 ? kCleanThresholdDeg : kFlapsThresholdDeg;
    const double pitch = self.pitch_deg;
    const auto take = [&](double& slot, double other, PitchSamplePhase next) {
        slot = pitch;
        timing::set_for(self.next_pitch_sample, in.tick, kSampleTicks);
        aircraft.PitchChangeAlert = std::fabs(pitch - other) > threshold ? 1 : 0;
        self.pitch_phase = next;
    };
    const bool due = timing::due(self.next_pitch_sample, in.tick);
    switch (self.pitch_phase) {
        case PitchSamplePhase::FirstX:
            take(self.pitch_sample_x, self.pitch_sample_y, PitchSamplePhase::FirstY);
            break;
        case PitchSamplePhase::FirstY:
            if (due) take(self.pitch_sample_y, self.pitch_sample_x, PitchSamplePhase::SecondX);
            break;
        case PitchSamplePhase::SecondX:
            if (due) take(self.pitch_sample_x, self.pitch_sample_y, PitchSamplePhase::SecondY);
            break;
        case PitchSamplePhase::SecondY:
            if (due) take(self.pitch_sample_y, self.pitch_sample_x, PitchSamplePhase::FirstX);
            break;
    }
}

// --- Probe heaters ------------------------------------------------------------------

struct ProbeHeater {
    uint8_t AircraftState::*probe_heat_switch;
    uint8_t AircraftState::*bus;
};
// Columns: the probe heat switch that heats the probe, the bus that feeds it.
// The captain's pitot also needs host token 286 not at 1.
constexpr ProbeHeater kProbeHeaters[] = {
    {&AircraftState::ProbeHeatSwitch1, &AircraftState::DcEssBusPowered},   //  0 PITOT CAPT
    {&AircraftState::ProbeHeatSwitch2, &AircraftState::DcEssBusPowered},   //  1 PITOT STBY
    {&AircraftState::ProbeHeatSwitch3, &AircraftState::DcNormBusPowered},  //  2 PITOT F/O
    {&AircraftState::ProbeHeatSwitch1, &AircraftState::DcNormBusPowered},  //  3 STAT LH CAPT
    {&AircraftState::ProbeHeatSwitch2, &AircraftState::DcNormBusPowered},  //  4 STAT LH STBY
    {&AircraftState::ProbeHeatSwitch3, &AircraftState::DcNormBusPowered},  //  5 STAT LH F/O
    {&AircraftState::ProbeHeatSwitch1, &AircraftState::DcNormBusPowered},  //  6 STAT RH CAPT
    {&AircraftState::ProbeHeatSwitch2, &AircraftState::DcNormBusPowered},  //  7 STAT RH STBY
    {&AircraftState::ProbeHeatSwitch3, &AircraftState::DcNormBusPowered},  //  8 STAT RH F/O
    {&AircraftState::ProbeHeatSwitch1, &AircraftState::AcBus1Powered},     //  9 AOA CAPT
    {&AircraftState::ProbeHeatSwitch2, &AircraftState::AcBus1Powered},     // 10 AOA STBY
    {&AircraftState::ProbeHeatSwitch3, &AircraftState::AcBus2Powered},     // 11 AOA F/O
    {&AircraftState::ProbeHeatSwitch1, &AircraftState::AcBus1Powered},     // 12 TAT CAPT
    {&AircraftState::ProbeHeatSwitch2, &AircraftState::AcBus2Powered},     // 13 TAT STBY
};
static_assert(std::size(kProbeHeaters) == kProbeHeaterCount);

// The host's pitot heat follows the captain's pitot heater.
void power_probe_heaters(const HostReadings& in) {
    std::size_t powered = 0;
    for (std::size_t i = 0; i < std::size(kProbeHeaters); ++i) {
        const ProbeHeater& heater = kProbeHeaters[i];
        bool on = is_on(aircraft.*heater.probe_heat_switch) && is_on(aircraft.*heater.bus);
        if (i == 0) on = on && in.pitot_inhibit != 1;
        aircraft.ProbeHeaterPowered[i] = on ? 1 : 0;
        powered += on ? 1 : 0;
    }
    const bool captain_pitot = aircraft.ProbeHeaterPowered[0] == 1;
    if (captain_pitot && in.pitot_heat == 0.0) host::send_event(kPitotHeatOn);
    if (!captain_pitot && in.pitot_heat == 1.0) host::send_event(kPitotHeatOff);
    aircraft.ProbeHeatFault = powered < kProbeHeaterCount && is_on(aircraft.DcEssBusPowered) ? 1 : 0;
}

}  // namespace

double pitch_degrees(double radians) { return finite_or(radians * units::kDegreesPerRadian, 0.0); }

void solve_hydraulics_and_monitors() {
    const HostReadings in = read_host();
    LossRulesRun loss_rules;
    // The green halves fall back on the electric pump.
    run_electric_pump();
    // Pressures, then the states every rule below reads.
    solve_pressures(in);
    solve_system_states(in);
    // The capture comes first so that the loss acts on its very first update;
    // then each loss, from green and yellow to all three systems.
    capture_at_green_and_yellow_loss(in);
    hold_controls_through_green_and_yellow_loss(in, loss_rules);
    drop_yaw_dampers_without_blue_and_yellow(in, loss_rules);
    secure_controls_at_total_loss(in, loss_rules);
    command_at_yellow_loss(in);
    // After the loss rules, which may have set the parking brake this update.
    release_parking_brake(in);
    // After the pressures: a pump's new spool counts from the next update.
    ramp_engine_pumps();
    command_engine_fuel(in);
    // After the loss of blue and yellow, which drops the yaw dampers; the count
    // is what stays engaged before this monitor drops any.
    monitor_yaw_dampers(in);
    monitor_pitch_trim_servos(in);
    // The pitch angle first: the pitch-change monitor samples it.
    protect_pitch_attitude(in);
    monitor_pitch_change(in);
    power_probe_heaters(in);
}

}  // namespace kadrimos::electrical
