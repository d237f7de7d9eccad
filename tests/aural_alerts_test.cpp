// The cockpit's aural alerts: the alerts other systems ask for, the gear
// horn, the warning re-arm latches, the magnified panels on a new warning and
// the master warning sounds. The sound card is the Linux audio substitute,
// which reports every request; the Windows build checks the latches alone.
#include "systems/gpws/aural_alerts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using gpws::kLatchIdle;
using gpws::kLatchNew;
using gpws::kLatchSounded;

constexpr uint32_t kGear = 332;
constexpr uint32_t kFlaps = 329;

struct Bench {
    FakeHost host;
    Bench() {
        host.load_sounds();
        host.clear_logs();
        aircraft.DcEssBusPowered = 1;
    }
    void run(int updates = 1) {
        for (int i = 0; i < updates; ++i) gpws::update_aural_alerts();
    }
    // The requests since the last look, then forgets them.
    std::vector<SoundEvent> heard() {
        std::vector<SoundEvent> out = host.sound_events();
        host.clear_logs();
        return out;
    }
    // The loops the sound card runs after every request so far.
    std::set<std::string> loops;
    std::set<std::string> looping() {
        for (const SoundEvent& e : heard()) {
            if (e.kind == "play" && e.value == 1) loops.insert(e.name);
            if (e.kind == "stop") loops.erase(e.name);
        }
        return loops;
    }
};
using Events = std::vector<SoundEvent>;
SoundEvent loop(const char* name) { return {"play", name, 1}; }
SoundEvent once(const char* name) { return {"play", name, 0}; }
SoundEvent stop(const char* name) { return {"stop", name, 0}; }

// Each source alone: raised without power its latch is new, nothing sounds
// and a fire, door or flight control warning asks for the magnified panels;
// with power it sounds once (a loop is asked for once) and its latch is
// sounded; its loop stops once when the flag drops and the latch is idle.
TEST(WarningLatches, EverySourceLatchesSoundsOnceWithPowerAndRearms) {
    using A = AircraftState;
    struct Row {
        uint8_t A::*flag;
        const char* sound;
        int lamp;  // the cancel a new warning clears (-1: none)
    };
    // clang-format off
    std::vector<Row> rows = {{&A::Eng1FireWarning, "SONNERIE", 0}, {&A::Eng2FireWarning, "SONNERIE", 1},
                             {&A::SurfacesFault, "KLAXONINT", 3},  {&A::LowSpeedAileronFault, "KLAXONINT", 3},
                             {&A::FlapsFault, "KLAXONINT", 3}};
    for (uint8_t A::*caution : {
             &A::Eng1OilPressLow, &A::Eng2OilPressLow, &A::HydFault, &A::Gen1Fault, &A::Gen2Fault,
             &A::ApuGenFault, &A::ElecAcFault, &A::ElecDcFault, &A::ServoControlFault, &A::FuelReserveWarning,
             &A::RudderTravelFault, &A::YawDamperFault, &A::PitchTrimFault, &A::InstrBusFault, &A::AsiInop,
             &A::AltimeterInop, &A::AttitudeFailWarning, &A::HsiInop, &A::RmiInop, &A::AdfInop,
             &A::AtsOffWarning, &A::ProbeHeatFault, &A::ApuFaultWarning, &A::BrakesFault, &A::DoorsOpenWarning})
        rows.push_back({caution, "GONGMONO", -1});
    // clang-format on
    rows.push_back({&A::DoorOpenAltitudeWarning, "GONGCONT", 30});
    ASSERT_EQ(rows.size(), kWarningSourceCount);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const Row& r = rows[i];
        Bench b;
        for (uint8_t& c : aircraft.LightCancelled) c = 1;
        aircraft.DcEssBusPowered = 0;
        aircraft.*r.flag = 1;
        b.run(2);
        for (std::size_t j = 0; j < kWarningSourceCount; ++j)
            EXPECT_EQ(aircraft.WarningRearm[j], j == i ? kLatchNew : kLatchIdle);
        EXPECT_EQ(aircraft.BigPanelRequest, r.lamp >= 0 ? 1 : 0);
        for (int lamp = 0; lamp < static_cast<int>(kCancellableLightCount); ++lamp)
            EXPECT_EQ(aircraft.LightCancelled[lamp], lamp == r.lamp ? 0 : 1) << lamp;
        aircraft.DcEssBusPowered = 1;
        b.run(3);
        EXPECT_EQ(aircraft.WarningRearm[i], kLatchSounded);
        aircraft.*r.flag = 0;
        b.run(2);
        EXPECT_EQ(aircraft.WarningRearm[i], kLatchIdle);
        const bool looped = std::string(r.sound) != "GONGMONO";
        if (FakeHost::kHearsSounds) {
            EXPECT_EQ(b.heard(), looped ? (Events{loop(r.sound), stop(r.sound)}) : (Events{once(r.sound)}));
        }
    }
}

// Run from the GPWS gauge's update.
TEST(WarningLatches, ACautionRisingWhileAnotherIsLatchedGetsItsOwnGong) {
    Bench b;
    const auto serve = [&b](int updates) {
        for (int i = 0; i < updates; ++i) b.host.update("toskelin gpws_rulo");
    };
    aircraft.Gen1Fault = 1;
    serve(3);
    aircraft.HydFault = 1;
    serve(3);
    // Two at once: one gong an update, in table order.
    aircraft.AsiInop = aircraft.Eng1OilPressLow = 1;
    serve(1);
    EXPECT_EQ(aircraft.WarningRearm[5], kLatchSounded);  // Eng1OilPressLow
    EXPECT_EQ(aircraft.WarningRearm[19], kLatchNew);     // AsiInop
    serve(1);
    EXPECT_EQ(aircraft.WarningRearm[19], kLatchSounded);
    if (FakeHost::kHearsSounds) {
        EXPECT_EQ(b.host.plays("GONGMONO"), 4u);
    }
}

// One warning sounds at a time, the loudest; the quieter loops take up again
// when it goes. Without the DC essential bus nothing sounds, while the
// latches follow their flags.
TEST(WarningSounds, FireOverDoorOverFlightControlsOverCautionsAndNothingWithoutPower) {
    if (!FakeHost::kHearsSounds) GTEST_SKIP() << "the Windows build plays through DirectSound";
    struct Step {
        uint8_t fire, door, flaps, caution, silence, powered;
        std::set<std::string> loops;
        std::size_t gongs;
        uint8_t caution_latch;
    };
    const Step steps[] = {
        {0, 0, 1, 0, 0, 1, {"KLAXONINT"}, 0, kLatchIdle},
        {1, 1, 1, 1, 0, 1, {"SONNERIE"}, 0, kLatchNew},
        {1, 1, 1, 1, 1, 1, {}, 0, kLatchNew},
        {0, 1, 1, 1, 1, 1, {"GONGCONT"}, 0, kLatchNew},
        {0, 1, 1, 1, 0, 0, {}, 0, kLatchNew},
        {0, 0, 1, 1, 0, 1, {"KLAXONINT"}, 0, kLatchNew},
        {0, 0, 0, 1, 0, 1, {}, 1, kLatchSounded},
        {0, 0, 0, 0, 0, 1, {}, 0, kLatchIdle},
    };
    Bench b;
    for (const Step& s : steps) {
        SCOPED_TRACE(&s - steps);
        aircraft.Eng2FireWarning = s.fire;
        aircraft.DoorOpenAltitudeWarning = s.door;
        aircraft.FlapsFault = s.flaps;
        aircraft.Gen2Fault = s.caution;
        aircraft.MwpButton3 = s.silence;
        aircraft.DcEssBusPowered = s.powered;
        b.run(3);
        EXPECT_EQ(b.host.plays("GONGMONO"), s.gongs);
        EXPECT_EQ(b.looping(), s.loops);
        EXPECT_EQ(aircraft.WarningRearm[1], s.fire == 0 ? kLatchIdle : kLatchSounded);
        EXPECT_EQ(aircraft.WarningRearm[9], s.caution_latch);
    }
}

TEST(GearHorn, SoundsWithLandingFlapsAndTheGearNotDownUnlessSilenced) {
    if (!FakeHost::kHearsSounds) GTEST_SKIP() << "the Windows build plays through DirectSound";
    const double nan = std::nan("");
    struct Row {
        double gear, flaps;
        uint8_t silence, powered;
        bool horn;
    };
    const Row rows[] = {
        {0, 10487, 0, 1, true},      {0, 10486, 0, 1, false}, {15999, 16383, 0, 1, true},
        {16000, 16383, 0, 1, false}, {0, 16383, 1, 1, false}, {0, 16383, 0, 0, false},
        {nan, 16383, 0, 1, false},   {0, nan, 0, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(&r - rows);
        Bench b;
        b.host.set(kGear, r.gear);
        b.host.set(kFlaps, r.flaps);
        aircraft.MwpButton3 = r.silence;
        aircraft.DcEssBusPowered = r.powered;
        b.run(3);
        EXPECT_EQ(b.heard(), r.horn ? Events{loop("KLAXONCONT")} : Events{});
        b.host.set(kGear, 16383);
        b.run(2);
        EXPECT_EQ(b.heard(), r.horn ? Events{stop("KLAXONCONT")} : Events{});
    }
}

// What other systems ask for, over three updates: a sound played once is
// asked for on every update; a loop once; the decision-height callout once,
// and only with the bus and no ground proximity callout.
TEST(RequestedAlerts, PlayLoopOrWaitAsAskedAndPowered) {
    struct Row {
        uint8_t AircraftState::*request;
        int16_t gpws_code;
        uint8_t powered;
        Events heard;
        uint8_t callout_after;
    };
    const Row rows[] = {
        {&AircraftState::PitchChangeAlert, 0, 1, Events(3, once("WROOF")), 0},
        {&AircraftState::LandModeChanged, 0, 1, Events(3, once("CLICLICLIC")), 0},
        {&AircraftState::FlapPlacardExceeded, 0, 1, {loop("CLACKER")}, 0},
        {&AircraftState::AltAlertChimeRequest, 0, 1, {loop("REREP")}, 0},
        {&AircraftState::AltAlertChimeRequest, 20, 1, {}, 0},
        {&AircraftState::ReCalloutRequest, 0, 1, {once("RE")}, 2},
        {&AircraftState::ReCalloutRequest, 12, 1, {}, 1},
        {&AircraftState::ReCalloutRequest, 0, 0, {}, 1},
        {&AircraftState::PitchChangeAlert, 0, 0, {}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(&r - rows);
        Bench b;
        aircraft.*r.request = 1;
        aircraft.GpwsAlertCode = r.gpws_code;
        aircraft.DcEssBusPowered = r.powered;
        b.run(3);
        EXPECT_EQ(aircraft.ReCalloutRequest, r.callout_after);
        if (FakeHost::kHearsSounds) {
            EXPECT_EQ(b.heard(), r.heard);
        }
    }
}

// The bus drops with every loop running: each stops once; they start again
// when it comes back. Sounds reloaded by the simulator start their loops
// again too.
TEST(RequestedAlerts, LoopsStopOnceWhenTheBusDropsAndStartAgain) {
    if (!FakeHost::kHearsSounds) GTEST_SKIP() << "the Windows build plays through DirectSound";
    Bench b;
    aircraft.FlapPlacardExceeded = aircraft.AltAlertChimeRequest = aircraft.SurfacesFault = 1;
    b.host.set(kFlaps, 16383);
    const std::set<std::string> all = {"CLACKER", "REREP", "KLAXONCONT", "KLAXONINT"};
    b.run(2);
    EXPECT_EQ(b.looping(), all);
    aircraft.DcEssBusPowered = 0;
    b.run(3);
    EXPECT_EQ(b.host.sound_events().size(), all.size());
    EXPECT_EQ(b.looping(), std::set<std::string>{});
    aircraft.DcEssBusPowered = 1;
    b.run(2);
    EXPECT_EQ(b.looping(), all);
    b.host.service("toskelin gpws_rulo", PANEL_SERVICE_PRE_KILL);
    b.host.load_sounds();
    b.loops.clear();
    b.heard();
    b.run();
    EXPECT_EQ(b.looping(), all);
}

// A new fire, door or flight control warning asks for the magnified panels
// once, in the order fire 1, fire 2, door, flaps, surfaces, low-speed
// aileron, however long its latch waits; the crew can then close them.
TEST(NewWarningPanel, AskedOnceForEachNewWarningInOrder) {
    Bench b;
    aircraft.DcEssBusPowered = 0;  // the latches stay new
    for (auto flag : {&AircraftState::LowSpeedAileronFault, &AircraftState::SurfacesFault,
                      &AircraftState::FlapsFault, &AircraftState::DoorOpenAltitudeWarning,
                      &AircraftState::Eng2FireWarning, &AircraftState::Eng1FireWarning})
        aircraft.*flag = 1;
    std::vector<std::size_t> order;
    for (int update = 0; update < 8; ++update) {
        aircraft.BigPanelRequest = 3;  // the crew closes the panels
        b.run();
        for (std::size_t i = 0; i < kWarningSourceCount; ++i)
            if (private_state.aural_alerts.panel_requested[i] == 1 &&
                std::find(order.begin(), order.end(), i) == order.end())
                order.push_back(i);
        EXPECT_EQ(aircraft.BigPanelRequest, update < 6 ? 1 : 3) << update;
    }
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 30, 4, 2, 3}));
    // Gone and back: asked again.
    aircraft.Eng2FireWarning = 0;
    b.run();
    aircraft.Eng2FireWarning = 1;
    aircraft.LightCancelled[1] = 1;
    b.run();
    EXPECT_EQ(aircraft.BigPanelRequest, 1);
    EXPECT_EQ(aircraft.LightCancelled[1], 0);
}

}  // namespace
}  // namespace kadrimos::testing
