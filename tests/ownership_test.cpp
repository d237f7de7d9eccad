// Every item of the shared record has an owner: the gauge or gauges whose
// update writes it. Every other gauge only reads it. Here each gauge's update
// runs in the cockpits the crew meets (cold and dark to in flight), with every
// switch of the panel worked and the engines lost, and after each one the
// whole record is compared with what it held before: an item that changed
// must be the updating gauge's own, or one of the few that an owner shares
// for a stated reason. A gauge built later is checked without a line here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "module/module_state.h"
#include "module/state_directory.h"
#include "support/catalogue_walk.h"
#include "support/cockpit.h"

namespace kadrimos {
extern const STATE_DIRECTORY kStateDirectory;
}

namespace kadrimos::testing {
namespace {

// Who runs each part of the aircraft, by gauge.
enum Owner {
    kNetworkSolver,
    kElectricalPanel,
    kSystemMonitors,
    kApu,
    kFuelSystem,
    kFuelIndicators,
    kHydraulicPanel,
    kFlightControls,
    kEngineStart,
    kPrimaryIndicators,
    kSecondaryIndicators,
    kAntiIce,
    kCockpitLevers,
    kLighting,
    kGpws,
    kConfigIndicators,
    kAltimeters,
    kAirData,
    kRadioAltimeter,
    kNavIndicators,
    kAircraftWeight,
    kAltitudeModes,
    kHeadingPanel,
    kAutopilotMaster,
    kFlightDirector,
    kAdfReceiver,
    kThrustRating,
    kAutothrottle,
    kNotBuilt,  // no gauge writes these yet: they keep their load values
};

// The electrical network solver, the hydraulic power and monitor step and
// the cockpit lighting all run in the flight-deck light gauge's update.
constexpr std::string_view kSolverGauge = "toskelin flt_deck_lt_rulo";

const std::map<Owner, std::vector<std::string_view>> kGaugesOf = {
    {kNetworkSolver, {kSolverGauge}},
    {kElectricalPanel,
     {"toskelin elec_batt_rulo", "toskelin elec_dc_bus_rulo", "toskelin elec_ac_bus_rulo",
      "toskelin elec_gen_rulo", "toskelin elec_ext_pwr_rulo", "toskelin elec_sel_ind_dc_rulo",
      "toskelin elec_sel_ind_ac_rulo", "toskelin elec_ind_dc_v_rulo", "toskelin elec_ind_dc_amps_rulo",
      "toskelin elec_ind_ac_v_rulo", "toskelin elec_ind_ac_frq_rulo", "toskelin elec_ind_ac_load1_rulo",
      "toskelin elec_ind_ac_load2_rulo", "toskelin elec_ind_ac_loadapu_rulo"}},
    {kSystemMonitors, {kSolverGauge}},
    {kApu,
     {"toskelin apu_rulo", "toskelin apu_ind_oil_rulo", "toskelin apu_ind_n1_n2_rulo",
      "toskelin apu_ind_egt_rulo"}},
    {kFuelSystem,
     {"toskelin fuel_valves_rulo", "toskelin fuel_pumps_left_rulo", "toskelin fuel_pumps_right_rulo",
      "toskelin fuel_pumps_center_rulo", "toskelin fuel_fuelused_rulo", "toskelin fuel_qtty_reserve_1_rulo",
      "toskelin fuel_qtty_reserve_2_rulo", "toskelin fuel_qtty_test_rulo"}},
    {kFuelIndicators,
     {"toskelin fuel_ind_qtty_m_left_rulo", "toskelin fuel_ind_qtty_m_right_rulo",
      "toskelin fuel_ind_qtty_a_center_rulo", "toskelin fuel_ind_qtty_a_left_rulo",
      "toskelin fuel_ind_qtty_a_right_rulo", "toskelin fuel_ind_fu_1_rulo", "toskelin fuel_ind_fu_2_rulo"}},
    {kHydraulicPanel,
     {"toskelin hydrau_press_rulo", "toskelin hydrau_pumps_rulo", "toskelin hydrau_baches_rulo",
      "toskelin hydrau_ind_press_blue_rulo", "toskelin hydrau_ind_press_green_rulo",
      "toskelin hydrau_ind_press_yellow_rulo"}},
    {kFlightControls,
     {"toskelin servo_controls_rulo", "toskelin rudder_travel_rulo", "toskelin lo_spd_ail_rulo",
      "toskelin yaw_rulo"}},
    {kEngineStart, {"toskelin eng_start_rulo", "toskelin hp_lev_1_rulo", "toskelin hp_lev_2_rulo"}},
    {kPrimaryIndicators,
     {"toskelin eng_ind_n1_1_rulo", "toskelin eng_ind_n1_2_rulo", "toskelin eng_ind_ff_1_rulo",
      "toskelin eng_ind_ff_2_rulo", "toskelin eng_ind_egt_1_rulo", "toskelin eng_ind_egt_2_rulo",
      "toskelin eng_ind_n2_1_rulo", "toskelin eng_ind_n2_2_rulo"}},
    {kSecondaryIndicators,
     {"toskelin engomn_nac_temp_1_rulo", "toskelin engomn_nac_temp_2_rulo",
      "toskelin engomn_oil_press_1_rulo", "toskelin engomn_oil_press_2_rulo",
      "toskelin engomn_oil_temp_1_rulo", "toskelin engomn_oil_temp_2_rulo", "toskelin engomn_oil_qtty_1_rulo",
      "toskelin engomn_oil_qtty_2_rulo", "toskelin engomn_fuel_press_1_rulo",
      "toskelin engomn_fuel_press_2_rulo", "toskelin engomn_vib_rulo", "toskelin engomn_vib_sw_rulo"}},
    {kAntiIce, {"toskelin probes_heat_rulo", "toskelin wing_deice_rulo", "toskelin nacelle_deice_rulo"}},
    {kCockpitLevers,
     {"toskelin spd_brk_lev_rulo", "toskelin throttles_rulo", "toskelin throttles_num_rulo",
      "toskelin flaps_lev_rulo", "toskelin park_brk_lev_rulo"}},
    {kLighting, {kSolverGauge}},
    {kGpws, {"toskelin gpws_rulo"}},
    {kConfigIndicators, {"toskelin flaps_ind_rulo", "toskelin surf_ind_rulo", "toskelin brakes_ind_rulo"}},
    {kAltimeters, {"toskelin alti_main_rulo"}},
    {kAirData,
     {"toskelin asi_main_rulo", "toskelin asi_main2_rulo", "toskelin asi_sec_rulo", "toskelin vsi_rulo",
      "toskelin tas_rulo", "toskelin sat_rulo", "toskelin aoa_rulo"}},
    {kRadioAltimeter, {"toskelin ralt_rulo"}},
    {kNavIndicators, {"toskelin adf_rulo", "toskelin rmi_rulo", "toskelin hsi_rulo"}},
    {kAircraftWeight, {"toskelin plane_weight_rulo"}},
    {kAltitudeModes, {"toskelin ap_alt_rulo"}},
    {kHeadingPanel, {"toskelin ap_hdg_rulo"}},
    {kAutopilotMaster, {"toskelin ap_master_rulo"}},
    {kFlightDirector, {"toskelin adi_fd_rulo", "toskelin fd_bars_sw_rulo"}},
    {kAdfReceiver, {"toskelin radio_adf1_rulo"}},
    {kThrustRating, {"toskelin n1_calc_rulo", "toskelin rev_voy_left_rulo", "toskelin rev_voy_right_rulo"}},
    {kAutothrottle, {"toskelin ap_ats_rulo"}},
    {kNotBuilt, {}},
};

struct Item {
    const char* name;
    std::size_t offset;
    std::size_t size;
};
#define ITEM(member) \
    Item { #member, offsetof(AircraftState, member), sizeof(AircraftState::member) }

struct Group {
    const char* part;
    Owner owner;
    std::vector<Item> items;
};

// The record's items in declaration order, grouped by owner.
// clang-format off
const std::vector<Group> kGroups = {
    {"Electrical network solver", kNetworkSolver, {
        ITEM(AcBus1Powered), ITEM(AcBus2Powered), ITEM(AcEssBusPowered), ITEM(AcEssInvPowered),
        ITEM(AcEssNormPowered), ITEM(ApuGenLoad), ITEM(ApuGenLoadMeter), ITEM(Batt1Connected),
        ITEM(Batt2Connected), ITEM(Batt3Connected), ITEM(BattCharge), ITEM(BattCurrent), ITEM(BattSwitchedOn),
        ITEM(BusTie1Closed), ITEM(BusTie2Closed), ITEM(DcEssBusPowered), ITEM(DcEssFromNormBus),
        ITEM(DcNormBusPowered), ITEM(ElecAcFault), ITEM(ElecDcFault), ITEM(EssTrOn), ITEM(Gen1Load),
        ITEM(Gen2Load), ITEM(InitPhase), ITEM(Tr1On), ITEM(Tr2On)}},
    {"Electrical panel controls and meters", kElectricalPanel, {
        ITEM(AcEssFeedSelector), ITEM(AcLandSwitch), ITEM(AcMeterSelector), ITEM(AcPhaseSelector),
        ITEM(ApuGenFault), ITEM(ApuGenSwitch), ITEM(Batt1Switch), ITEM(Batt2Switch), ITEM(Batt3Switch),
        ITEM(BattLoadLevel), ITEM(BusTie1Switch), ITEM(BusTie2Switch), ITEM(DcBusTieSwitch),
        ITEM(DcMeterSelector), ITEM(EssBusLoadSwitch), ITEM(EssTrSwitch), ITEM(ExtPowerAvailable),
        ITEM(ExtPowerOnBus), ITEM(ExtPowerSwitch), ITEM(Gen1BreakerSwitch), ITEM(Gen1Fault), ITEM(Gen1Switch),
        ITEM(Gen2BreakerSwitch), ITEM(Gen2Fault), ITEM(Gen2Switch), ITEM(InstrBus1Powered),
        ITEM(InstrBus2Powered), ITEM(InstrBusFault), ITEM(Tr1Switch), ITEM(Tr2Switch)}},
    {"Hydraulic power and system monitors", kSystemMonitors, {
        ITEM(AllHydraulicsLost), ITEM(AnnLightTest), ITEM(HydElecPumpRunning), ITEM(HydPressBlue),
        ITEM(HydPressGreen), ITEM(HydPressGreenA), ITEM(HydPressGreenB), ITEM(HydPressYellow),
        ITEM(HydPump1Spool), ITEM(HydPump2Spool), ITEM(HydPump3Spool), ITEM(HydPump4Spool), ITEM(HydStateBlue),
        ITEM(HydStateGreen), ITEM(HydStateYellow), ITEM(PitchAttitudeDeg), ITEM(PitchChangeAlert),
        ITEM(PitchTrimCount), ITEM(PitchTrimFault), ITEM(ProbeHeaterPowered), ITEM(ProbeHeatFault),
        ITEM(YawDamperCount), ITEM(YawDamperFault)}},
    {"Auxiliary power unit", kApu, {
        ITEM(ApuEgt), ITEM(ApuFaultWarning), ITEM(ApuMasterSwitch), ITEM(ApuN1), ITEM(ApuN2),
        ITEM(ApuOilQuantity), ITEM(ApuRunning), ITEM(ApuStartCommand)}},
    {"Fuel system", kFuelSystem, {
        ITEM(CrossfeedMode), ITEM(CrossfeedSelector), ITEM(CtrPumpSwitchL), ITEM(CtrPumpSwitchR),
        ITEM(FuelReserveWarning), ITEM(PumpSwitchL1), ITEM(PumpSwitchL2), ITEM(PumpSwitchR1),
        ITEM(PumpSwitchR2), ITEM(QtyTestRequest), ITEM(TankValve1Open), ITEM(TankValve2Open)}},
    {"Fuel quantity indicators", kFuelIndicators, {
        ITEM(FuelQtyACenter), ITEM(FuelQtyALeft), ITEM(FuelQtyARight), ITEM(FuelQtyMLeft), ITEM(FuelQtyMRight),
        ITEM(FuelUsed1), ITEM(FuelUsed2)}},
    {"Hydraulic system", kHydraulicPanel, {
        ITEM(HydElecPump1Switch), ITEM(HydElecPump2Switch), ITEM(HydFault), ITEM(HydPtuBlueGreenSwitch),
        ITEM(HydPtuGreenYellowSwitch)}},
    {"Flight control panels", kFlightControls, {
        ITEM(LoSpdAilActive), ITEM(LowSpeedAileronFault), ITEM(PitchTrimSwitch1), ITEM(PitchTrimSwitch2),
        ITEM(RudderTravelFault), ITEM(RudderTravelPowered), ITEM(ServoControlFault), ITEM(YawDamperSwitch1),
        ITEM(YawDamperSwitch2)}},
    {"Engine start and HP levers", kEngineStart, {
        ITEM(EngStartArmState), ITEM(HpLever1Open), ITEM(HpLever2Open)}},
    {"Engine primary indicators", kPrimaryIndicators, {
        ITEM(FuelFlow1Display), ITEM(FuelFlow2Display), ITEM(N1IndexManual), ITEM(N1IndexValue)}},
    {"Engine secondary indicators", kSecondaryIndicators, {
        ITEM(Eng1OilPressLow), ITEM(Eng2OilPressLow), ITEM(VibPickupSelector), ITEM(VibTestActive)}},
    {"Thrust rating computer and reverser lights", kThrustRating, {
        ITEM(N1Deviation), ITEM(TrcMode), ITEM(TrcN1Target)}},
    {"Cockpit levers", kCockpitLevers, {
        ITEM(ParkBrakeWarning), ITEM(SpeedBrakeArmed), ITEM(ThrottleNumbersShown)}},
    {"Probe heat and anti-ice", kAntiIce, {
        ITEM(ProbeHeatSwitch1), ITEM(ProbeHeatSwitch2), ITEM(ProbeHeatSwitch3), ITEM(WingAntiIceOn)}},
    {"Lighting and signs", kLighting, {
        ITEM(AnnLightSelector), ITEM(FltDeckLightSwitch)}},
    {"Ground proximity warning", kGpws, {
        ITEM(GpwsAlertCode), ITEM(ReCalloutRequest), ITEM(WarningRearm)}},
    {"Altimeters", kAltimeters, {
        ITEM(AltimeterInop)}},
    {"Airspeed and air data", kAirData, {
        ITEM(AsiInop), ITEM(AsiMaxSpeedPointer), ITEM(AsiPointer), ITEM(AsiPresetRequest),
        ITEM(AsiSelectedSpeedPointer), ITEM(MachReadout), ITEM(SpeedBug1), ITEM(SpeedBug2), ITEM(SpeedBug3),
        ITEM(SpeedBug4), ITEM(VerticalSpeedFpm)}},
    {"Radio altimeter", kRadioAltimeter, {
        ITEM(DhState), ITEM(RadioAltitudeFt)}},
    {"Configuration indicators", kConfigIndicators, {
        ITEM(BrakePressLeft), ITEM(BrakePressRight), ITEM(BrakesFault), ITEM(FlapConfigCaution),
        ITEM(FlapDetentPositions), ITEM(FlapPlacardExceeded), ITEM(FlapsFault), ITEM(SurfacesFault)}},
    {"Navigation indicators", kNavIndicators, {
        ITEM(AdfInop), ITEM(HsiCourse), ITEM(HsiInop), ITEM(RmiInop)}},
    {"ADF receiver", kAdfReceiver, {
        ITEM(AdfTestRequest)}},
    {"Autopilot master", kAutopilotMaster, {
        ITEM(ApEngageState), ITEM(ApLever1On), ITEM(ApLever2On), ITEM(ApMasterSeenOn), ITEM(ApproachCoupled),
        ITEM(ApproachMode), ITEM(ApVsCommand), ITEM(BasicRollAllowed), ITEM(FdCommandState),
        ITEM(FdLateralAnnunciation), ITEM(FdLateralBasicMode), ITEM(FdPitchBasicMode),
        ITEM(FdVerticalAnnunciation), ITEM(FlareActive), ITEM(GoAroundMode), ITEM(LandLowInhibit),
        ITEM(ModeCancelHold), ITEM(PitchHoldActive), ITEM(PitchHoldLatch), ITEM(PitchWheelSetting),
        ITEM(RolloutActive), ITEM(RunwayGuidanceActive), ITEM(SpeedOnPitchMode)}},
    {"Altitude and vertical modes", kAltitudeModes, {
        ITEM(AltAlertChimeRequest), ITEM(AltAlertState), ITEM(HoldAltitudeReference), ITEM(SelectedAltitude),
        ITEM(VerticalMode)}},
    {"Heading and course", kHeadingPanel, {
        ITEM(BankRefRetake), ITEM(HeadingReference), ITEM(HeadingSelectMode), ITEM(NavCoupled), ITEM(NavMode),
        ITEM(SelectedHeading)}},
    {"Autothrottle", kAutothrottle, {
        ITEM(AtsArmSwitch), ITEM(AtsOffWarning), ITEM(AtsSpeedMode), ITEM(AtsThrustMode), ITEM(SelectedSpeed)}},
    {"Flight director", kFlightDirector, {
        ITEM(AttitudeFailWarning), ITEM(FdBarsSwitch), ITEM(FdHeadingCommand), ITEM(GsCaptured),
        ITEM(GsValidFlag), ITEM(GsVsTarget), ITEM(InstrumentLightsOn), ITEM(LocCaptured),
        ITEM(NavStatusLocFlag)}},
    {"Autoland annunciators", kNotBuilt, {
        ITEM(AutolandWarning), ITEM(LandModeChanged), ITEM(PanelOptionFlag)}},
    {"Master warning panels", kNotBuilt, {
        ITEM(BigPanelRequest), ITEM(BusPowerLossWarning), ITEM(DoorOpenAltitudeWarning), ITEM(DoorsOpenWarning),
        ITEM(ElecFault), ITEM(Eng2FireWarning), ITEM(FlightControlWarning), ITEM(InstrumentFault),
        ITEM(LightCancelled), ITEM(MwpButton1), ITEM(MwpButton2), ITEM(MwpButton3)}},
    {"Failures", kNotBuilt, {
        ITEM(ApuFailure), ITEM(Eng1FireWarning), ITEM(FailEng2FireSel), ITEM(Gen1Failed), ITEM(Gen2Failed),
        ITEM(HydPumpBlueFailed), ITEM(HydPumpGreenFailed), ITEM(HydPumpYellowFailed)}},
    {"Aircraft weight", kAircraftWeight, {
        ITEM(GrossWeightHundreds), ITEM(ZeroFuelWeightSetting)}},
    {"INS and GPS controls", kNotBuilt, {
        ITEM(GpsNavSwitch), ITEM(InsCoupledValue), ITEM(InsNavSwitch)}},
};
// clang-format on

// Items an owner lets another gauge write, and why.
struct SharedItem {
    const char* item;
    std::string_view gauge;
    const char* why;
};
// At the first update the network solver's start-up step sets the cockpit's
// switches as the host's start state asks: a cold cockpit or a running
// aircraft.
constexpr const char* kStartUpReason = "the start-up step sets the cockpit's switches at the first update";
// Hydraulic loss takes away what the lost systems drive.
constexpr const char* kLossReason = "without green and yellow the autopilot and flight director drop out";
constexpr const char* kYawReason = "without blue and yellow the yaw dampers drop out";
// The aural warning sequence tells the master warning panels of a new
// warning.
constexpr const char* kNewWarningReason =
    "a new fire, door or flight control warning lights its lamp again and opens the magnified panels";

// The altitude modes take the autopilot's pitch channel: their vertical-speed
// commands are the autopilot's, and speed on pitch and the basic pitch hold
// stop (the hold to take a new reference when it flies again).
constexpr const char* kPitchChannelReason =
    "the altitude capture and holds command the vertical speed and stop speed on pitch and the pitch hold";
// ALT HOLD replaces the mode-cancel hold and the go-around, and ends a
// localiser approach already on its glide path.
constexpr const char* kAltHoldReason =
    "ALT HOLD ends the mode-cancel hold, the go-around and a localiser mode on the glide path";
// Heading select and NAV take the lateral path: the localiser capture, the
// FD lateral basic mode, the mode-cancel hold, the go-around and the approach
// give way to them.
constexpr const char* kLateralReason = "heading select and NAV end the lateral modes they replace";
// The autopilot master drops the altitude, heading and approach modes with
// the flight directors, on mode cancel and for its own modes.
constexpr std::string_view kApMaster = "toskelin ap_master_rulo";
constexpr const char* kModesDroppedReason =
    "the flight directors off, mode cancel and speed on pitch drop the altitude, heading and approach modes";

// The attitude director drops the autopilot when its attitude source or the
// autopilot computer fails, and hands the receiver's glideslope bit to the
// approach coupling, which the autopilot master then decides.
constexpr std::string_view kAdi = "toskelin adi_fd_rulo";
constexpr const char* kAttitudeLossReason = "a failed attitude source or computer disengages the autopilot at once";
// The HSI disconnects both autopilots when the host fails the heading
// instrument.
constexpr std::string_view kHsi = "toskelin hsi_rulo";
constexpr const char* kHeadingLostReason = "the autopilots drop when the HSI loses its heading";

// The autothrottle's go-around takes the flight path: the approach, lateral
// and vertical modes drop, the autopilot flies the go-around's vertical
// speed, and a go-around that is no longer flown ends with its rating and
// leaves one autopilot.
constexpr std::string_view kAts = "toskelin ap_ats_rulo";
constexpr const char* kGoAroundReason =
    "the go-around drops the approach and the other modes, commands the climb and leaves one autopilot";

const SharedItem kShared[] = {
    {"N1IndexManual", "toskelin n1_calc_rulo", "with a rating selected, the N1 reference is the rating's target"},
    {"GoAroundMode", kAts, kGoAroundReason},
    {"ApVsCommand", kAts, kGoAroundReason},
    {"ApEngageState", kAts, kGoAroundReason},
    {"ApproachMode", kAts, kGoAroundReason},
    {"HeadingSelectMode", kAts, kGoAroundReason},
    {"VerticalMode", kAts, kGoAroundReason},
    {"SpeedOnPitchMode", kAts, kGoAroundReason},
    {"NavMode", kAts, kGoAroundReason},
    {"ModeCancelHold", kAts, kGoAroundReason},
    {"TrcMode", kAts, kGoAroundReason},
    {"ApEngageState", kAdi, kAttitudeLossReason},
    {"ApLever1On", kAdi, kAttitudeLossReason},
    {"ApLever2On", kAdi, kAttitudeLossReason},
    {"ApMasterSeenOn", kAdi, kAttitudeLossReason},
    {"ApproachCoupled", kAdi, "the receiver's glideslope bit, before the autopilot master's coupling decides"},
    {"AcEssFeedSelector", kSolverGauge, kStartUpReason},
    {"AcLandSwitch", kSolverGauge, kStartUpReason},
    {"ApuGenSwitch", kSolverGauge, kStartUpReason},
    {"Batt1Switch", kSolverGauge, kStartUpReason},
    {"Batt2Switch", kSolverGauge, kStartUpReason},
    {"Batt3Switch", kSolverGauge, kStartUpReason},
    {"BusTie1Switch", kSolverGauge, kStartUpReason},
    {"BusTie2Switch", kSolverGauge, kStartUpReason},
    {"EssBusLoadSwitch", kSolverGauge, kStartUpReason},
    {"EssTrSwitch", kSolverGauge, kStartUpReason},
    {"Gen1BreakerSwitch", kSolverGauge, kStartUpReason},
    {"Gen1Switch", kSolverGauge, kStartUpReason},
    {"Gen2BreakerSwitch", kSolverGauge, kStartUpReason},
    {"Gen2Switch", kSolverGauge, kStartUpReason},
    {"HpLever1Open", kSolverGauge, kStartUpReason},
    {"HpLever2Open", kSolverGauge, kStartUpReason},
    {"HydElecPump1Switch", kSolverGauge, kStartUpReason},
    {"HydElecPump2Switch", kSolverGauge, kStartUpReason},
    {"HydPtuBlueGreenSwitch", kSolverGauge, kStartUpReason},
    {"HydPtuGreenYellowSwitch", kSolverGauge, kStartUpReason},
    {"PitchTrimSwitch1", kSolverGauge, kStartUpReason},
    {"PitchTrimSwitch2", kSolverGauge, kStartUpReason},
    {"ProbeHeatSwitch1", kSolverGauge, kStartUpReason},
    {"ProbeHeatSwitch2", kSolverGauge, kStartUpReason},
    {"ProbeHeatSwitch3", kSolverGauge, kStartUpReason},
    {"Tr1Switch", kSolverGauge, kStartUpReason},
    {"Tr2Switch", kSolverGauge, kStartUpReason},
    {"YawDamperSwitch1", kSolverGauge, kStartUpReason},
    {"YawDamperSwitch2", kSolverGauge, kStartUpReason},
    {"FdCommandState", kSolverGauge, kLossReason},
    {"ApEngageState", kSolverGauge, kLossReason},
    {"YawDamperSwitch1", kSolverGauge, kYawReason},
    {"YawDamperSwitch2", kSolverGauge, kYawReason},
    {"ReCalloutRequest", "toskelin ralt_rulo",
     "the radio altimeter asks for the decision-height callout and withdraws the request"},
    {"LightCancelled", "toskelin gpws_rulo", kNewWarningReason},
    {"VerticalMode", kApMaster, kModesDroppedReason},
    {"NavMode", kApMaster, kModesDroppedReason},
    {"HeadingSelectMode", kApMaster, kModesDroppedReason},
    {"LocCaptured", kApMaster, kModesDroppedReason},
    {"AtsSpeedMode", kApMaster,
     "speed on pitch and the touchdown of a LAND take the speed from the autothrottle"},
    {"GpsNavSwitch", kApMaster, "the LOC and LAND buttons take the navigation drive back from the GPS"},
    {"BankRefRetake", kApMaster, "the bank hold takes the new bank reference the heading panel asks for"},
    {"BigPanelRequest", "toskelin gpws_rulo", kNewWarningReason},
    {"ApVsCommand", "toskelin ap_alt_rulo", kPitchChannelReason},
    {"SpeedOnPitchMode", "toskelin ap_alt_rulo", kPitchChannelReason},
    {"PitchHoldActive", "toskelin ap_alt_rulo", kPitchChannelReason},
    {"PitchHoldLatch", "toskelin ap_alt_rulo", kPitchChannelReason},
    {"ModeCancelHold", "toskelin ap_alt_rulo", kAltHoldReason},
    {"GoAroundMode", "toskelin ap_alt_rulo", kAltHoldReason},
    {"ApproachMode", "toskelin ap_alt_rulo", kAltHoldReason},
    {"LocCaptured", "toskelin ap_hdg_rulo", kLateralReason},
    {"FdLateralBasicMode", "toskelin ap_hdg_rulo", kLateralReason},
    {"ModeCancelHold", "toskelin ap_hdg_rulo", kLateralReason},
    {"GoAroundMode", "toskelin ap_hdg_rulo", kLateralReason},
    {"ApproachMode", "toskelin ap_hdg_rulo", kLateralReason},
    {"ApEngageState", kHsi, kHeadingLostReason},
    {"ApLever1On", kHsi, kHeadingLostReason},
    {"ApLever2On", kHsi, kHeadingLostReason},
    {"ApMasterSeenOn", kHsi, kHeadingLostReason},
    {"AdfTestRequest", "toskelin adf_rulo",
     "the ADF indicator answers the test request once its test has run"},
};

bool may_write(std::string_view gauge, const Group& group, const Item& item) {
    for (std::string_view owner : kGaugesOf.at(group.owner))
        if (owner == gauge) return true;
    for (const SharedItem& s : kShared)
        if (s.gauge == gauge && item.name == std::string_view(s.item)) return true;
    return false;
}

// The bytes of the record that some item holds.
std::vector<bool> covered_bytes() {
    std::vector<bool> covered(sizeof(AircraftState), false);
    for (const Group& group : kGroups)
        for (const Item& item : group.items)
            for (std::size_t i = 0; i < item.size; ++i) covered[item.offset + i] = true;
    return covered;
}

// What `gauge` wrote between `before` and `after` that it may not write: one
// line an item, and one for any changed byte that belongs to no item.
std::vector<std::string> trespasses(std::string_view gauge, const AircraftState& before,
                                    const AircraftState& after) {
    std::vector<std::string> out;
    if (std::memcmp(&before, &after, sizeof(AircraftState)) == 0) return out;
    const auto* b = reinterpret_cast<const unsigned char*>(&before);
    const auto* a = reinterpret_cast<const unsigned char*>(&after);
    for (const Group& group : kGroups) {
        for (const Item& item : group.items) {
            if (std::memcmp(b + item.offset, a + item.offset, item.size) == 0) continue;
            if (!may_write(gauge, group, item))
                out.push_back(std::string(gauge) + " wrote " + item.name + ", an item of " + group.part);
        }
    }
    static const std::vector<bool> covered = covered_bytes();
    for (std::size_t i = 0; i < sizeof(AircraftState); ++i)
        if (!covered[i] && a[i] != b[i])
            out.push_back(std::string(gauge) + " changed byte " + std::to_string(i) +
                          ", which no listed item holds");
    return out;
}

TEST(Ownership, TheTableListsEveryItemOfTheRecordOnceInOrder) {
    std::size_t end = 0;
    std::set<std::string_view> names;
    for (const Group& group : kGroups) {
        for (const Item& item : group.items) {
            SCOPED_TRACE(item.name);
            EXPECT_TRUE(names.insert(item.name).second);
            EXPECT_GE(item.offset, end) << "items overlap or are out of order";
            // What lies between two items is padding: less than the next
            // item's alignment (at most 8).
            EXPECT_LT(item.offset - end, std::min<std::size_t>(item.size, 8));
            end = item.offset + item.size;
        }
    }
    EXPECT_LT(sizeof(AircraftState) - end, alignof(AircraftState));
    for (const SharedItem& s : kShared) EXPECT_TRUE(names.count(s.item)) << s.item;
}

// The check itself, on writes made up here: a gauge writing its own item, an
// item shared with it, and one it does not own.
TEST(Ownership, AWriteOutsideTheGaugesOwnItemsIsReported) {
    struct Case {
        std::string_view gauge;
        void (*write)(AircraftState&);
        std::size_t reported;
    };
    const Case cases[] = {
        {"toskelin apu_rulo", [](AircraftState& a) { a.ApuN2 = 50; }, 0},
        {kSolverGauge, [](AircraftState& a) { a.Batt1Switch = 0; }, 0},
        {"toskelin apu_rulo", [](AircraftState& a) { a.Batt1Switch = 0; }, 1},
        {"toskelin elec_batt_rulo",
         [](AircraftState& a) {
             a.FdBarsSwitch = 1;
             a.ApuN1 = 3;
         },
         2},
    };
    for (const Case& c : cases) {
        // Byte copies, so that the padding of the two records is the same.
        AircraftState before;
        AircraftState after;
        std::memcpy(&before, &aircraft, sizeof before);
        std::memcpy(&after, &aircraft, sizeof after);
        c.write(after);
        EXPECT_EQ(trespasses(c.gauge, before, after).size(), c.reported) << c.gauge;
    }
}

// Every gauge's update, in every cockpit, while the crew works every switch
// and then loses both engines.
TEST(Ownership, EveryGaugesUpdateWritesOnlyItsOwnItems) {
    std::set<std::string> found;
    const UpdateWatch watch = [&found](const std::string& gauge, const AircraftState& before) {
        for (const std::string& t : trespasses(gauge, before, aircraft)) found.insert(t);
    };
    for (Cockpit cockpit : kAllCockpits) {
        SCOPED_TRACE(name_of(cockpit));
        FakeHost host;
        prepare(host, cockpit, watch);
        for (GAUGEHDR* g : FakeHost::all_gauges()) {
            for (std::size_t area = 0; area < areas_of(*g).size(); ++area) host.click(g->gauge_name, area);
            serve_panel(host, 1, watch);
        }
        serve_panel(host, 36, watch);
        for (uint32_t n2 : {625u, 644u}) host.set(n2, 0);
        for (uint32_t n1 : {624u, 643u}) host.set(n1, 0);
        serve_panel(host, 18 * 20, watch);
    }
    std::ostringstream report;
    for (const std::string& t : found) report << "\n  " << t;
    EXPECT_TRUE(found.empty()) << report.str();
}

// The directory a host reads to name the shared record's items (made at
// build time from the record's declaration) holds exactly this table's
// items: every one, in declaration order, at its place and size, and nothing
// else, for a record that lies where the module keeps it.
TEST(Ownership, TheStateDirectoryNamesEveryItemAtItsPlace) {
    std::vector<Item> items;
    for (const Group& g : kGroups) items.insert(items.end(), g.items.begin(), g.items.end());
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.offset < b.offset; });
    const STATE_DIRECTORY& d = kStateDirectory;
    EXPECT_EQ(std::string(d.magic, 8), KADRIMOS_STATE_MAGIC);
    EXPECT_EQ(d.record, static_cast<const void*>(&aircraft));
    EXPECT_EQ(d.record_size, sizeof(AircraftState));
    ASSERT_EQ(d.item_count, items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].name);
        EXPECT_STREQ(d.items[i].name, items[i].name);
        EXPECT_EQ(d.items[i].offset, items[i].offset);
        EXPECT_EQ(d.items[i].size, items[i].size);
        EXPECT_GE(d.items[i].count, 1u);
        EXPECT_EQ(d.items[i].size % d.items[i].count, 0u);
    }
}

}  // namespace
}  // namespace kadrimos::testing
