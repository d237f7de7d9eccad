// The process-wide cockpit state that all gauges share.
//
// Every item has one owner: the part of the aircraft whose gauge writes it.
// Everyone else only reads it. Items are grouped below by owner. The values
// given here are the values the items hold when the module is loaded, before
// the host's first call; they are part of the aircraft's behaviour (battery,
// TR, bus-tie and breaker switches start on, the batteries start full, ...).
//
// An item whose owner is not simulated yet keeps its load value, so every
// reader sees the aircraft as it stands at load.
//
// Widths are part of the behaviour as well: counters and pressures that must
// never go below zero are unsigned; switch positions and flags are one byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kadrimos {

// One re-arm latch per aural warning source of the GPWS gauge's warning
// sequencer: thirty flags in table order plus the door-open-at-altitude latch.
inline constexpr std::size_t kWarningSourceCount = 31;
// Heated probes whose heater supply the hydraulic/monitor step publishes.
inline constexpr std::size_t kProbeHeaterCount = 14;
// Fuel quantity indicators that take part in the quantity test.
inline constexpr std::size_t kQtyTestIndicatorCount = 5;
// Lamps of the master warning panels that can be cancelled one by one.
inline constexpr std::size_t kCancellableLightCount = 32;
// Flap detents, in the host's flap units: up, the first and the second.
inline constexpr std::size_t kFlapDetentCount = 3;

struct AircraftState {
    // Electrical network solver
    uint8_t AcBus1Powered = 0;
    uint8_t AcBus2Powered = 0;
    uint8_t AcEssBusPowered = 0;
    uint8_t AcEssInvPowered = 0;
    uint8_t AcEssNormPowered = 0;
    int32_t ApuGenLoad = 0;
    int32_t ApuGenLoadMeter = 0;
    uint8_t Batt1Connected = 0;
    uint8_t Batt2Connected = 0;
    uint8_t Batt3Connected = 0;
    uint32_t BattCharge = 1800;
    int32_t BattCurrent = 0;
    uint8_t BattSwitchedOn = 0;
    uint8_t BusTie1Closed = 0;
    uint8_t BusTie2Closed = 0;
    uint8_t DcEssBusPowered = 0;
    uint8_t DcEssFromNormBus = 0;
    uint8_t DcNormBusPowered = 0;
    uint8_t ElecAcFault = 0;
    uint8_t ElecDcFault = 0;
    uint8_t EssTrOn = 1;
    int32_t Gen1Load = 0;
    int32_t Gen2Load = 0;
    uint8_t InitPhase = 0;
    uint8_t Tr1On = 1;
    uint8_t Tr2On = 1;

    // Electrical panel controls and meters
    uint8_t AcEssFeedSelector = 2;
    uint8_t AcLandSwitch = 0;
    uint8_t AcMeterSelector = 0;
    uint8_t AcPhaseSelector = 0;
    uint8_t ApuGenFault = 0;
    uint8_t ApuGenSwitch = 0;
    uint8_t Batt1Switch = 1;
    uint8_t Batt2Switch = 1;
    uint8_t Batt3Switch = 1;
    uint8_t BattLoadLevel = 0;
    uint8_t BusTie1Switch = 1;
    uint8_t BusTie2Switch = 1;
    uint8_t DcBusTieSwitch = 1;
    uint8_t DcMeterSelector = 0;
    uint8_t EssBusLoadSwitch = 1;
    uint8_t EssTrSwitch = 1;
    uint8_t ExtPowerAvailable = 0;
    uint8_t ExtPowerOnBus = 0;
    uint8_t ExtPowerSwitch = 0;
    uint8_t Gen1BreakerSwitch = 1;
    uint8_t Gen1Fault = 0;
    uint8_t Gen1Switch = 0;
    uint8_t Gen2BreakerSwitch = 1;
    uint8_t Gen2Fault = 0;
    uint8_t Gen2Switch = 0;
    uint8_t InstrBus1Powered = 1;
    uint8_t InstrBus2Powered = 1;
    uint8_t InstrBusFault = 0;
    uint8_t Tr1Switch = 1;
    uint8_t Tr2Switch = 1;

    // Hydraulic power and system monitors
    uint8_t AllHydraulicsLost = 0;
    uint8_t AnnLightTest = 0;
    uint8_t HydElecPumpRunning = 0;
    uint32_t HydPressBlue = 0;
    int32_t HydPressGreen = 0;
    int32_t HydPressGreenA = 0;
    int32_t HydPressGreenB = 0;
    int32_t HydPressYellow = 0;
    uint8_t HydPump1Spool = 200;
    uint8_t HydPump2Spool = 200;
    uint8_t HydPump3Spool = 200;
    uint8_t HydPump4Spool = 200;
    uint8_t HydStateBlue = 0;
    uint8_t HydStateGreen = 0;
    uint8_t HydStateYellow = 0;
    double PitchAttitudeDeg = 0.0;
    uint8_t PitchChangeAlert = 0;
    uint8_t PitchTrimCount = 0;
    uint8_t PitchTrimFault = 0;
    uint8_t ProbeHeaterPowered[kProbeHeaterCount]{};
    uint8_t ProbeHeatFault = 0;
    uint8_t YawDamperCount = 0;
    uint8_t YawDamperFault = 0;

    // Auxiliary power unit
    double ApuEgt = 0.0;
    uint8_t ApuFaultWarning = 0;
    uint8_t ApuMasterSwitch = 0;
    double ApuN1 = 0.0;
    double ApuN2 = 0.0;
    uint32_t ApuOilQuantity = 800;
    uint8_t ApuRunning = 0;
    uint8_t ApuStartCommand = 0;

    // Fuel system
    uint8_t CrossfeedMode = 0;
    uint8_t CrossfeedSelector = 0;
    uint8_t CtrPumpSwitchL = 1;
    uint8_t CtrPumpSwitchR = 1;
    uint8_t FuelReserveWarning = 0;
    uint8_t PumpSwitchL1 = 1;
    uint8_t PumpSwitchL2 = 1;
    uint8_t PumpSwitchR1 = 1;
    uint8_t PumpSwitchR2 = 1;
    uint8_t QtyTestRequest[kQtyTestIndicatorCount]{};
    uint8_t TankValve1Open = 1;
    uint8_t TankValve2Open = 1;

    // Fuel quantity indicators
    double FuelQtyACenter = 0.0;
    double FuelQtyALeft = 0.0;
    double FuelQtyARight = 0.0;
    double FuelQtyMLeft = 0.0;
    double FuelQtyMRight = 0.0;
    double FuelUsed1 = 0.0;
    double FuelUsed2 = 0.0;

    // Hydraulic system
    uint8_t HydElecPump1Switch = 0;
    uint8_t HydElecPump2Switch = 0;
    uint8_t HydFault = 0;
    uint8_t HydPtuBlueGreenSwitch = 1;
    uint8_t HydPtuGreenYellowSwitch = 1;

    // Flight control panels
    uint8_t LoSpdAilActive = 0;
    uint8_t LowSpeedAileronFault = 0;
    uint8_t PitchTrimSwitch1 = 0;
    uint8_t PitchTrimSwitch2 = 0;
    uint8_t RudderTravelFault = 0;
    uint8_t RudderTravelPowered = 0;
    uint8_t ServoControlFault = 0;
    uint8_t YawDamperSwitch1 = 0;
    uint8_t YawDamperSwitch2 = 0;

    // Engine start and HP levers
    uint8_t EngStartArmState = 0;
    uint8_t HpLever1Open = 0;
    uint8_t HpLever2Open = 0;

    // Engine primary indicators
    double FuelFlow1Display = 0.0;
    double FuelFlow2Display = 0.0;
    double N1IndexManual = 100.0;
    uint32_t N1IndexValue = 100;

    // Engine secondary indicators
    uint8_t Eng1OilPressLow = 0;
    uint8_t Eng2OilPressLow = 0;
    uint8_t VibPickupSelector = 1;
    uint8_t VibTestActive = 0;

    // Thrust rating computer and reverser lights
    double N1Deviation = 0.0;
    uint8_t TrcMode = 0;
    double TrcN1Target = 105.3;

    // Cockpit levers
    uint8_t ParkBrakeWarning = 0;
    uint8_t SpeedBrakeArmed = 0;
    uint8_t ThrottleNumbersShown = 0;

    // Probe heat and anti-ice
    uint8_t ProbeHeatSwitch1 = 0;
    uint8_t ProbeHeatSwitch2 = 0;
    uint8_t ProbeHeatSwitch3 = 0;
    uint8_t WingAntiIceOn = 0;

    // Lighting and signs
    uint8_t AnnLightSelector = 0;
    uint8_t FltDeckLightSwitch = 0;

    // Ground proximity warning
    int16_t GpwsAlertCode = 0;
    uint8_t ReCalloutRequest = 0;
    uint8_t WarningRearm[kWarningSourceCount]{};

    // Altimeters
    uint8_t AltimeterInop = 0;

    // Airspeed and air data
    uint8_t AsiInop = 0;
    uint32_t AsiMaxSpeedPointer = 350;
    double AsiPointer = 0.0;
    uint8_t AsiPresetRequest = 0;
    int32_t AsiSelectedSpeedPointer = 0;
    double MachReadout = 0.0;
    // The four speed bugs of the main airspeed indicators, kt.
    uint32_t SpeedBug1 = 120;
    uint32_t SpeedBug2 = 150;
    uint32_t SpeedBug3 = 185;
    uint32_t SpeedBug4 = 215;
    double VerticalSpeedFpm = 0.0;

    // Radio altimeter
    uint8_t DhState = 0;
    double RadioAltitudeFt = 0.0;

    // Configuration indicators
    int32_t BrakePressLeft = 0;
    int32_t BrakePressRight = 0;
    uint8_t BrakesFault = 0;
    uint8_t FlapConfigCaution = 0;
    // Up, first and second detent. The first holds 0 from load on; the
    // other two hold their detents from load on as well, so that a gauge
    // served before the flap indicator's first update reads real detents.
    int16_t FlapDetentPositions[kFlapDetentCount] = {0, 5262, 10485};
    uint8_t FlapPlacardExceeded = 0;
    uint8_t FlapsFault = 0;
    uint8_t SurfacesFault = 0;

    // Navigation indicators
    uint8_t AdfInop = 0;
    double HsiCourse = 0.0;
    uint8_t HsiInop = 0;
    uint8_t RmiInop = 0;

    // ADF receiver
    uint8_t AdfTestRequest = 0;

    // Autopilot master
    uint8_t ApEngageState = 0;
    uint8_t ApLever1On = 0;
    uint8_t ApLever2On = 0;
    uint8_t ApMasterSeenOn = 0;
    uint8_t ApproachCoupled = 0;
    uint8_t ApproachMode = 0;
    int32_t ApVsCommand = 0;
    uint8_t BasicRollAllowed = 0;
    uint8_t FdCommandState = 0;
    uint8_t FdLateralAnnunciation = 0;
    uint8_t FdLateralBasicMode = 0;
    uint8_t FdPitchBasicMode = 0;
    uint8_t FdVerticalAnnunciation = 0;
    uint8_t FlareActive = 0;
    uint8_t GoAroundMode = 0;
    uint8_t LandLowInhibit = 0;
    uint8_t ModeCancelHold = 0;
    uint8_t PitchHoldActive = 0;
    uint8_t PitchHoldLatch = 0;
    double PitchWheelSetting = 0.0;
    uint8_t RolloutActive = 0;
    uint8_t RunwayGuidanceActive = 0;
    uint8_t SpeedOnPitchMode = 0;

    // Altitude and vertical modes
    uint8_t AltAlertChimeRequest = 0;
    uint8_t AltAlertState = 0;
    int32_t HoldAltitudeReference = 0;
    int32_t SelectedAltitude = 0;
    uint8_t VerticalMode = 0;

    // Heading and course
    uint8_t BankRefRetake = 0;
    int32_t HeadingReference = 0;  // degrees: the heading last handed to the host's autopilot
    uint8_t HeadingSelectMode = 0;
    uint8_t NavCoupled = 0;  // radio navigation with a signal, the host's navigation hold requested
    uint8_t NavMode = 0;
    int32_t SelectedHeading = 0;

    // Autothrottle
    uint8_t AtsArmSwitch = 0;
    uint8_t AtsOffWarning = 0;
    uint8_t AtsSpeedMode = 0;
    uint8_t AtsThrustMode = 0;
    int32_t SelectedSpeed = 130;

    // Flight director
    uint8_t AttitudeFailWarning = 0;
    uint8_t FdBarsSwitch = 0;
    int32_t FdHeadingCommand = 0;
    uint8_t GsCaptured = 0;
    uint8_t GsValidFlag = 0;
    double GsVsTarget = -850.0;
    uint8_t InstrumentLightsOn = 0;
    uint8_t LocCaptured = 0;
    uint8_t NavStatusLocFlag = 0;

    // Autoland annunciators
    uint8_t AutolandWarning = 0;
    uint8_t LandModeChanged = 0;
    uint8_t PanelOptionFlag = 0;

    // Master warning panels
    uint8_t BigPanelRequest = 0;
    uint8_t BusPowerLossWarning = 0;
    uint8_t DoorOpenAltitudeWarning = 0;
    uint8_t DoorsOpenWarning = 0;
    uint8_t ElecFault = 0;
    uint8_t Eng2FireWarning = 0;
    uint8_t FlightControlWarning = 0;
    uint8_t InstrumentFault = 0;
    uint8_t LightCancelled[kCancellableLightCount]{};
    uint8_t MwpButton1 = 0;
    uint8_t MwpButton2 = 0;
    uint8_t MwpButton3 = 0;

    // Failures
    uint8_t ApuFailure = 0;
    uint8_t Eng1FireWarning = 0;
    uint8_t FailEng2FireSel = 0;
    uint8_t Gen1Failed = 0;
    uint8_t Gen2Failed = 0;
    uint8_t HydPumpBlueFailed = 0;
    uint8_t HydPumpGreenFailed = 0;
    uint8_t HydPumpYellowFailed = 0;

    // Aircraft weight
    double GrossWeightHundreds = 0.0;
    int16_t ZeroFuelWeightSetting = 1020;

    // INS and GPS controls
    uint8_t GpsNavSwitch = 0;
    int16_t InsCoupledValue = 0;
    uint8_t InsNavSwitch = 0;
};

// The one shared record. Gauges read and write it directly: the host calls
// the module from one thread only, one call at a time.
extern AircraftState aircraft;

}  // namespace kadrimos
