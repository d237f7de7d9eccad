// Probe heat and anti-ice: the heater lights against the heaters' supply,
// the wing de-ice sides and the simulator's airframe de-ice, the nacelle
// valves' travel and each engine's anti-ice.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/cockpit.h"
#include "support/fake_host.h"
#include "systems/antiice_lights/antiice_lights_state.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kProbes = "toskelin probes_heat_rulo";
constexpr const char* kWing = "toskelin wing_deice_rulo";
constexpr const char* kNacelle = "toskelin nacelle_deice_rulo";

constexpr uint32_t kTick = 1;
constexpr uint32_t kPitotHeat = 13;
constexpr uint32_t kOnGround = 60;
constexpr uint32_t kPitotFailed = 286;
constexpr uint32_t kEngineAntiIce[] = {883, 884};
constexpr uint32_t kAirframeDeIce = 905;
constexpr uint32_t kToggleAirframeDeIce = 0x10321;
constexpr uint32_t kToggleEngineAntiIce[] = {0x103B4, 0x103B5};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The heater lights that are lit, by depth.
std::string lit_heater_lights() {
    std::string out;
    for (int k = 7; k <= 20; ++k)
        if (FakeHost::visible(kProbes, k)) out += std::to_string(k) + " ";
    return out;
}

// --- Switches ------------------------------------------------------------------------

// A click moves the switch; the next update shows its position's bitmap and
// hides the others.
TEST(AntiIcePanels, EachSwitchShowsTheBitmapOfItsPositionOnly) {
    struct Row {
        const char* gauge;
        const char* area;
        std::vector<const char*> shown, hidden;
    };
    const Row rows[] = {
        {kProbes, "STBY ON", {"STBY ON", "CAPT OFF"}, {"STBY OFF", "CAPT ON"}},
        {kProbes, "STBY OFF", {"STBY OFF"}, {"STBY ON"}},
        {kWing, "LH ON", {"LH ON", "RH OFF RESET"}, {"LH OFF RESET", "LH GRND CHECK", "RH ON"}},
        {kWing, "RH GRND CHECK", {"RH GRND CHECK"}, {"RH ON", "RH OFF RESET"}},
        {kWing, "LH OFF RESET", {"LH OFF RESET"}, {"LH ON", "LH GRND CHECK"}},
        {kNacelle,
         "ENG 2 VALVE OPEN",
         {"ENG 2 VALVE OPEN", "ENG 1 CLOSE"},
         {"ENG 2 CLOSE", "ENG 1 VALVE OPEN"}},
    };
    FakeHost host;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.gauge) + ": " + r.area);
        host.click(r.gauge, r.area);
        host.update(r.gauge);
        for (const char* label : r.shown) EXPECT_TRUE(host.visible(r.gauge, label)) << label;
        for (const char* label : r.hidden) EXPECT_FALSE(host.visible(r.gauge, label)) << label;
    }
    EXPECT_EQ(aircraft.ProbeHeatSwitch2, 0);
    EXPECT_EQ(gauges::wing_deice::state.switch_right, kWingGroundCheck);
}

// --- Probe heat -------------------------------------------------------------------

// Heater k's light is element 7 + k and comes on when that heater alone is
// cold, with the DC essential bus; the captain's pitot light watches the
// simulator instead.
TEST(ProbeHeat, EachHeaterLightWatchesItsOwnHeater) {
    FakeHost host;
    host.set(kPitotHeat, 1.0);
    aircraft.DcEssBusPowered = 1;
    for (std::size_t cold = 0; cold < kProbeHeaterCount; ++cold) {
        for (std::size_t k = 0; k < kProbeHeaterCount; ++k)
            aircraft.ProbeHeaterPowered[k] = k == cold ? 0 : 1;
        host.update(kProbes);
        const std::string expected = cold == 0 ? "" : std::to_string(7 + cold) + " ";
        EXPECT_EQ(lit_heater_lights(), expected) << "heater " << cold << " cold";
    }
    for (uint8_t& heater : aircraft.ProbeHeaterPowered) heater = 0;
    host.set(kPitotHeat, 0.0);
    aircraft.DcEssBusPowered = 0;
    host.update(kProbes);
    EXPECT_EQ(lit_heater_lights(), "") << "every light needs the DC essential bus";
}

TEST(ProbeHeat, TheCaptainsPitotLightFollowsTheSimulatorsPitotHeat) {
    FakeHost host;
    for (uint8_t& heater : aircraft.ProbeHeaterPowered) heater = 1;
    struct Row {
        double pitot_heat;
        uint32_t pitot_failed;
        uint8_t dc_ess;
        bool lit;
    };
    for (const Row& r :
         {Row{0.0, 0, 1, true}, Row{1.0, 0, 1, false}, Row{1.0, 1, 1, true}, Row{0.5, 0, 1, false},
          Row{kNaN, 0, 1, false}, Row{kNaN, 1, 1, true}, Row{1.0, 2, 1, false}, Row{0.0, 1, 0, false}}) {
        host.set(kPitotHeat, r.pitot_heat);
        host.set_bits(kPitotFailed, r.pitot_failed);
        aircraft.DcEssBusPowered = r.dc_ess;
        host.update(kProbes);
        EXPECT_EQ(host.visible(kProbes, "PITOT CAPT light"), r.lit)
            << "pitot heat " << r.pitot_heat << ", failed " << r.pitot_failed << ", DC ESS " << int(r.dc_ess);
    }
}

// In flight the start-up step switches the probe heat on, and with every bus
// alive every heater is fed: only the captain's pitot light stays, until the
// simulator reports its pitot heat on (the solver asks for it).
TEST(ProbeHeat, AllSwitchesOnWithEveryBusAliveLeaveOnlyTheCaptainsPitotLight) {
    FakeHost host;
    prepare(host, Cockpit::InFlight);
    ASSERT_EQ(aircraft.ProbeHeatSwitch1 + aircraft.ProbeHeatSwitch2 + aircraft.ProbeHeatSwitch3, 3);
    host.update(kProbes);
    EXPECT_EQ(lit_heater_lights(), "7 ");
    EXPECT_TRUE(host.sent(0x10218)) << "the solver asks for the simulator's pitot heat";
    host.set(kPitotHeat, 1.0);
    host.update(kProbes);
    EXPECT_EQ(lit_heater_lights(), "");
}

// --- Wing de-ice --------------------------------------------------------------------

struct WingBench {
    FakeHost host;
    WingBench() { aircraft.DcNormBusPowered = 1; }
    void set_switches(const char* left, const char* right) {
        host.click(kWing, left);
        host.click(kWing, right);
    }
    void update() {
        host.clear_logs();
        host.update(kWing);
    }
    std::string bars() const {
        std::string out;
        for (const char* bar : {"LH supply bar crossed", "LH supply bar in line", "RH supply bar crossed",
                                "RH supply bar in line"})
            if (FakeHost::visible(kWing, bar)) out += std::string(bar) + "; ";
        return out;
    }
};

// ON works only in the air and GRND CHECK only on the ground; a side that does
// not work shows its bar crossed. Only the left side commands the
// simulator's airframe de-ice (one switch for the whole airframe).
TEST(WingDeIce, ASideWorksWithItsSwitchOnInTheAirOrAtGroundCheckOnTheGround) {
    struct Row {
        const char* left;
        const char* right;
        double on_ground;
        double host_deice;
        bool event;
        uint8_t wing_anti_ice_on;
        const char* bars;
    };
    const Row rows[] = {
        {"LH ON", "RH ON", 0.0, 0.0, true, 1, "LH supply bar in line; RH supply bar in line; "},
        {"LH ON", "RH ON", 0.0, 1.0, false, 1, "LH supply bar in line; RH supply bar in line; "},
        {"LH ON", "RH ON", 1.0, 0.0, false, 0, "LH supply bar crossed; RH supply bar crossed; "},
        {"LH ON", "RH ON", 1.0, 1.0, true, 0, "LH supply bar crossed; RH supply bar crossed; "},
        {"LH GRND CHECK", "RH GRND CHECK", 1.0, 0.0, true, 0,
         "LH supply bar in line; RH supply bar in line; "},
        {"LH GRND CHECK", "RH GRND CHECK", 0.0, 1.0, true, 0,
         "LH supply bar crossed; RH supply bar crossed; "},
        {"LH OFF RESET", "RH ON", 0.0, 0.0, false, 1, "LH supply bar crossed; RH supply bar in line; "},
        {"LH OFF RESET", "RH ON", 0.0, 1.0, true, 1, "LH supply bar crossed; RH supply bar in line; "},
        {"LH OFF RESET", "RH OFF RESET", 0.0, 1.0, true, 0, "LH supply bar crossed; RH supply bar crossed; "},
        {"LH ON", "RH OFF RESET", kNaN, 0.0, false, 0, "LH supply bar crossed; RH supply bar crossed; "},
        {"LH OFF RESET", "RH OFF RESET", 0.0, kNaN, false, 0,
         "LH supply bar crossed; RH supply bar crossed; "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.left) + ", " + r.right + ", on ground " + std::to_string(r.on_ground) +
                     ", host de-ice " + std::to_string(r.host_deice));
        WingBench b;
        b.set_switches(r.left, r.right);
        b.host.set(kOnGround, r.on_ground);
        b.host.set(kAirframeDeIce, r.host_deice);
        b.update();
        EXPECT_EQ(b.host.count(kToggleAirframeDeIce), r.event ? 1u : 0u);
        EXPECT_EQ(aircraft.WingAntiIceOn, r.wing_anti_ice_on);
        EXPECT_EQ(b.bars(), r.bars);
    }
}

TEST(WingDeIce, WithoutTheDcNormalBusBothBarsAreDarkAndTheSimulatorsDeIceGoesOff) {
    WingBench b;
    b.set_switches("LH ON", "RH ON");
    b.host.set(kOnGround, 0.0);
    b.host.set(kAirframeDeIce, 1.0);
    aircraft.DcNormBusPowered = 0;
    b.update();
    EXPECT_TRUE(b.host.sent(kToggleAirframeDeIce));
    EXPECT_EQ(b.bars(), "");
    EXPECT_EQ(aircraft.WingAntiIceOn, 0);
}

// The flag follows the sides at every update: it stays neither clear while a
// side works (the simulator's de-ice already on as the left side comes on)
// nor set once no side works (both switches moved to GRND CHECK in the air).
TEST(WingDeIce, TheWingAntiIceFlagFollowsTheSidesAtEveryUpdate) {
    WingBench b;
    b.host.set(kOnGround, 0.0);
    b.host.set(kAirframeDeIce, 1.0);
    b.set_switches("LH ON", "RH OFF RESET");
    b.update();
    EXPECT_FALSE(b.host.sent(kToggleAirframeDeIce));
    EXPECT_EQ(aircraft.WingAntiIceOn, 1);

    b.set_switches("LH GRND CHECK", "RH GRND CHECK");
    b.update();
    EXPECT_EQ(aircraft.WingAntiIceOn, 0);
    EXPECT_TRUE(b.host.sent(kToggleAirframeDeIce)) << "the left side no longer works: de-ice off";
}

// --- Nacelle anti-ice ---------------------------------------------------------------

struct NacelleBench {
    FakeHost host;
    int tick = 1000;
    NacelleBench() {
        aircraft.DcNormBusPowered = 1;
        host.set(kTick, tick);
    }
    void update() {
        host.set(kTick, ++tick);
        host.update(kNacelle);
    }
    bool transit(std::size_t engine) const {
        return FakeHost::visible(kNacelle, engine == 0 ? "ENG 1 TRANSIT light" : "ENG 2 TRANSIT light");
    }
};

// The valve starts to open at the update after the click and its TRANSIT
// light stays lit for 27 ticks; at the 28th the valve is open, the light
// goes out and the simulator's anti-ice of that engine is switched on.
TEST(NacelleAntiIce, AValveTravelsFor27TicksBeforeTheEnginesAntiIceComesOn) {
    for (std::size_t engine : {0u, 1u}) {
        SCOPED_TRACE("engine " + std::to_string(engine + 1));
        NacelleBench b;
        b.host.click(kNacelle, engine == 0 ? "ENG 1 VALVE OPEN" : "ENG 2 VALVE OPEN");
        int lit = 0;
        for (int i = 0; i < 100; ++i) {
            b.update();
            if (!b.transit(engine)) break;
            ++lit;
            EXPECT_EQ(b.host.count(kToggleEngineAntiIce[engine]), 0u) << "tick " << lit;
        }
        EXPECT_EQ(lit, 27);
        EXPECT_EQ(b.host.count(kToggleEngineAntiIce[engine]), 1u);
        EXPECT_FALSE(b.host.sent(kToggleEngineAntiIce[1 - engine]))
            << "the other engine follows its own valve";
        EXPECT_FALSE(b.transit(1 - engine));
    }
}

// The toggle goes out while the simulator reads the other way, and only then.
TEST(NacelleAntiIce, EachEnginesAntiIceFollowsItsOwnValve) {
    NacelleBench b;
    b.host.click(kNacelle, "ENG 2 VALVE OPEN");
    for (int i = 0; i < 28; ++i) b.update();
    ASSERT_EQ(gauges::nacelle_deice::state.valve[1], kValveOpen);
    b.host.clear_logs();
    b.host.set(kEngineAntiIce[0], 1.0);  // engine 1's anti-ice on by someone else
    b.host.set(kEngineAntiIce[1], 1.0);
    b.update();
    EXPECT_EQ(b.host.count(kToggleEngineAntiIce[0]), 1u) << "engine 1's valve is shut";
    EXPECT_EQ(b.host.count(kToggleEngineAntiIce[1]), 0u);
    b.host.set(kEngineAntiIce[0], kNaN);
    b.host.clear_logs();
    b.update();
    EXPECT_TRUE(b.host.events().empty()) << "an unreadable anti-ice is left alone";
}

TEST(NacelleAntiIce, ClosingOrLosingTheBusShutsTheValveAtOnce) {
    for (const bool lose_bus : {false, true}) {
        SCOPED_TRACE(lose_bus ? "bus lost" : "switched to CLOSE");
        NacelleBench b;
        b.host.click(kNacelle, "ENG 1 VALVE OPEN");
        for (int i = 0; i < 10; ++i) b.update();
        ASSERT_TRUE(b.transit(0));
        if (lose_bus)
            aircraft.DcNormBusPowered = 0;
        else
            b.host.click(kNacelle, "ENG 1 CLOSE");
        b.update();
        EXPECT_EQ(gauges::nacelle_deice::state.valve[0], kValveClosed);
        EXPECT_FALSE(b.transit(0));
        if (!lose_bus) continue;
        // The bus back: the travel starts again from the beginning.
        aircraft.DcNormBusPowered = 1;
        b.update();
        EXPECT_EQ(gauges::nacelle_deice::state.valve[0], kValveInTransit);
        for (int i = 0; i < 26; ++i) b.update();
        EXPECT_TRUE(b.transit(0));
        b.update();
        EXPECT_FALSE(b.transit(0));
    }
}

// A travel ends on the whole tick 27 after the tick it started on. While the
// clock is not a number a valve neither starts nor ends its travel, though
// CLOSE still shuts it.
TEST(NacelleAntiIce, TheTravelEndsOnAWholeTickAndWaitsForAClockThatIsNotANumber) {
    NacelleBench b;
    b.host.click(kNacelle, "ENG 1 VALVE OPEN");
    b.host.set(kTick, kNaN);
    b.host.update(kNacelle);
    EXPECT_EQ(gauges::nacelle_deice::state.valve[0], kValveClosed);
    b.host.set(kTick, 100.75);
    b.host.update(kNacelle);
    ASSERT_TRUE(b.transit(0));
    b.host.set(kTick, 126.99);
    b.host.update(kNacelle);
    EXPECT_TRUE(b.transit(0));
    b.host.set(kTick, kNaN);
    b.host.update(kNacelle);
    EXPECT_TRUE(b.transit(0));
    b.host.set(kTick, 127.0);
    b.host.update(kNacelle);
    EXPECT_FALSE(b.transit(0));
    EXPECT_EQ(gauges::nacelle_deice::state.valve[0], kValveOpen);
    b.host.click(kNacelle, "ENG 1 CLOSE");
    b.host.set(kTick, kNaN);
    b.host.update(kNacelle);
    EXPECT_EQ(gauges::nacelle_deice::state.valve[0], kValveClosed);
}

}  // namespace
}  // namespace kadrimos::testing
