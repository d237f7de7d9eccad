// Lighting and signs: the exterior lights put right by event while powered
// and only while the simulator differs, the landing light switch, the
// passenger sign chimes, and the panel lighting's pulse sequences.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"
#include "systems/antiice_lights/antiice_lights_state.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kExterior = "toskelin ext_lt_rulo";
constexpr const char* kSigns = "toskelin signs_rulo";
constexpr const char* kPanelLighting = "toskelin panel_light_rulo";

constexpr uint32_t kTick = 1;
constexpr uint32_t kPanelLights = 10;
constexpr uint32_t kLandingLights = 14;
constexpr uint32_t kLandingExtension = 869;
constexpr uint32_t kPanelLightsOn = 0x10208, kPanelLightsOff = 0x10209;
constexpr uint32_t kToggleNav = 0x1034B, kToggleCabin = 0x10413, kToggleRecognition = 0x10349;
constexpr uint32_t kLandingOn = 0x1020B, kLandingOff = 0x1020C, kExtendLandingLights = 0x10357;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- Switches ----------------------------------------------------------------------------

// A click moves the switch; the next update shows its position's bitmap and
// hides the others. LAND shows both landing lights in one position; the nose
// and runway levers are one switch.
TEST(LightPanels, EachSwitchShowsTheBitmapOfItsPositionOnly) {
    struct Row {
        const char* gauge;
        const char* area;
        std::vector<const char*> shown, hidden;
    };
    const Row rows[] = {
        {kExterior, "STROBE ON", {"STROBE ON", "NAV OFF"}, {"STROBE OFF", "NAV ON"}},
        {kExterior,
         "LAND OFF",
         {"LAND left OFF", "LAND right OFF"},
         {"LAND left ON", "LAND right ON", "LAND left RETRACT", "LAND right RETRACT"}},
        {kExterior, "LAND ON", {"LAND left ON", "LAND right ON"}, {"LAND left OFF", "LAND right OFF"}},
        {kExterior, "RUNWAY ON", {"NOSE ON", "RUNWAY ON"}, {"NOSE OFF", "RUNWAY OFF"}},
        {kExterior, "NOSE OFF", {"NOSE OFF", "RUNWAY OFF"}, {"NOSE ON", "RUNWAY ON"}},
        {kSigns, "NO SMOKING ON", {"NO SMOKING ON", "SEAT BELTS OFF"}, {"NO SMOKING OFF", "SEAT BELTS ON"}},
    };
    FakeHost host;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.gauge) + ": " + r.area);
        host.click(r.gauge, r.area);
        host.update(r.gauge);
        for (const char* label : r.shown) EXPECT_TRUE(host.visible(r.gauge, label)) << label;
        for (const char* label : r.hidden) EXPECT_FALSE(host.visible(r.gauge, label)) << label;
    }
}

// --- Exterior lights ----------------------------------------------------------------

// Where the power comes from.
enum class Power { none, dc_only, external_power, apu_generator };

void supply(Power p) {
    aircraft.DcEssBusPowered = p == Power::none ? 0 : 1;
    aircraft.AcBus1Powered = p == Power::external_power || p == Power::apu_generator ? 1 : 0;
    aircraft.ExtPowerOnBus = p == Power::external_power ? 1 : 0;
    aircraft.ApuGenLoad = p == Power::apu_generator ? 60 : 0;
}

struct ExteriorBench {
    FakeHost host;
    explicit ExteriorBench(Power p = Power::apu_generator) { supply(p); }
    // One update; returns the events it sent.
    std::vector<KeyEvent> update() {
        host.clear_logs();
        host.update(kExterior);
        return host.events();
    }
};

// Each light: its switch's areas, the simulator's light and the events that
// switch it (one toggle, or an on and an off event).
struct LightRow {
    const char* name;
    const char* on_area;
    const char* off_area;
    uint32_t token;
    uint32_t on_event;
    uint32_t off_event;
};
constexpr LightRow kLights[] = {
    {"NAV", "NAV ON", "NAV OFF", 619, kToggleNav, kToggleNav},
    {"LOGO", "LOGO ON", "LOGO OFF", 620, 0x10348, 0x10348},
    {"BEACON", "BEACON ON", "BEACON OFF", 368, 0x102BF, 0x102BF},
    {"STROBE", "STROBE ON", "STROBE OFF", 11, 0x10204, 0x10205},
    {"WING", "WING ON", "WING OFF", 621, 0x1034A, 0x1034A},
    {"NOSE", "NOSE ON", "NOSE OFF", 369, 0x102C0, 0x102C0},
    {"RUNWAY", "RUNWAY ON", "RUNWAY OFF", 369, 0x102C0, 0x102C0},
};

// At every update, and only while the simulator's light reads the other way
// from the switch: one event an update until the simulator follows.
TEST(ExteriorLights, EachLightIsPutRightAtEveryUpdateWhileTheSimulatorDiffers) {
    for (const LightRow& r : kLights) {
        SCOPED_TRACE(r.name);
        ExteriorBench b;
        // The simulator's panel lights go with the navigation lights.
        auto simulator_shows = [&](double light) {
            b.host.set(r.token, light);
            if (r.on_event == kToggleNav) b.host.set(kPanelLights, light);
        };
        EXPECT_EQ(b.update().size(), 0u) << "switch off, light off";

        b.host.click(kExterior, r.on_area);
        for (int i = 0; i < 3; ++i) {
            b.update();
            EXPECT_EQ(b.host.count(r.on_event), 1u) << "update " << i;
        }
        simulator_shows(1.0);
        EXPECT_EQ(b.update().size(), 0u) << "the simulator has followed";

        b.host.click(kExterior, r.off_area);
        b.update();
        EXPECT_EQ(b.host.count(r.off_event), 1u);
        simulator_shows(0.0);
        EXPECT_EQ(b.update().size(), 0u);

        b.host.click(kExterior, r.on_area);
        simulator_shows(kNaN);
        EXPECT_EQ(b.update().size(), 0u) << "a light that reads neither on nor off is left alone";
    }
}

// NAV needs only the DC essential bus. The logo lights take AC from a
// generator or from external power; the other AC lights need a generator
// carrying load. Unpowered, a light that is on is driven off.
TEST(ExteriorLights, EachLightNeedsItsOwnPower) {
    struct Row {
        Power power;
        const char* lit;  // the lights driven on, in table order
    };
    const Row rows[] = {
        {Power::none, ""},
        {Power::dc_only, "NAV "},
        {Power::external_power, "NAV LOGO "},
        {Power::apu_generator, "NAV LOGO BEACON STROBE WING NOSE RUNWAY "},
    };
    for (const Row& row : rows) {
        std::string lit;
        for (const LightRow& r : kLights) {
            ExteriorBench b(row.power);
            b.host.click(kExterior, r.on_area);
            b.update();
            const bool on = b.host.sent(r.on_event);
            b.host.set(r.token, 1.0);
            b.update();
            const bool kept = !b.host.sent(r.off_event);
            if (on && kept) lit += std::string(r.name) + " ";
        }
        EXPECT_EQ(lit, row.lit) << "power " << static_cast<int>(row.power);
    }
}

TEST(ExteriorLights, NavBringsThePanelCabinAndRecognitionLightsInThatOrder) {
    ExteriorBench b(Power::dc_only);
    b.host.click(kExterior, "NAV ON");
    EXPECT_EQ(b.update(),
              (std::vector<KeyEvent>{
                  {kPanelLightsOn, 0}, {kToggleNav, 0}, {kToggleCabin, 0}, {kToggleRecognition, 0}}));
    b.host.set(619, 1.0);
    b.host.set(kPanelLights, 1.0);
    b.host.click(kExterior, "NAV OFF");
    EXPECT_EQ(b.update(),
              (std::vector<KeyEvent>{
                  {kPanelLightsOff, 0}, {kToggleNav, 0}, {kToggleCabin, 0}, {kToggleRecognition, 0}}));
}

// LAND: up from RETRACT does nothing, from OFF it goes to ON; RETRACT is
// refused while the simulator's landing lights are on.
TEST(ExteriorLights, TheLandingLightSwitchMovesOnlyThroughOffAndRetractsOnlyWhenDark) {
    struct Step {
        const char* area;
        double landing_lights;
        uint8_t position;
    };
    const Step steps[] = {
        {"LAND ON", 0.0, kLandRetract}, {"LAND OFF", 0.0, kLandOff},     {"LAND ON", 0.0, kLandOn},
        {"LAND ON", 0.0, kLandOn},      {"LAND RETRACT", 1.0, kLandOn},  {"LAND RETRACT", kNaN, kLandRetract},
        {"LAND OFF", 0.0, kLandOff},    {"LAND RETRACT", 1.0, kLandOff}, {"LAND RETRACT", 0.0, kLandRetract},
    };
    ExteriorBench b;
    for (const Step& s : steps) {
        b.host.set(kLandingLights, s.landing_lights);
        b.host.click(kExterior, s.area);
        EXPECT_EQ(gauges::ext_lt::state.land, s.position)
            << s.area << " with landing lights " << s.landing_lights;
    }
}

// ON and OFF both keep the lights extended; RETRACT, or no AC, retracts them.
TEST(ExteriorLights, TheLandingLightsExtendAtOnAndOffAndRetractAtRetractOrWithoutAc) {
    struct Row {
        const char* area;
        Power power;
        double lit, extended;
        std::vector<KeyEvent> events;
    };
    const Row rows[] = {
        {"LAND ON", Power::apu_generator, 0.0, 0.0, {{kLandingOn, 0}, {kExtendLandingLights, 1}}},
        {"LAND ON", Power::apu_generator, 1.0, 1.0, {}},
        {"LAND OFF", Power::apu_generator, 1.0, 1.0, {{kLandingOff, 0}}},
        {"LAND OFF", Power::apu_generator, 0.0, 0.0, {{kExtendLandingLights, 1}}},
        {"LAND RETRACT", Power::apu_generator, 0.0, 1.0, {{kExtendLandingLights, 0}}},
        {"LAND ON", Power::external_power, 1.0, 1.0, {{kLandingOff, 0}, {kExtendLandingLights, 0}}},
        {"LAND ON", Power::external_power, 0.0, 0.0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.area);
        ExteriorBench b(r.power);
        b.host.click(kExterior, "LAND OFF");
        if (std::string(r.area) != "LAND OFF") b.host.click(kExterior, r.area);
        b.host.set(kLandingLights, r.lit);
        b.host.set(kLandingExtension, r.extended);
        EXPECT_EQ(b.update(), r.events);
    }
}

// --- Passenger signs --------------------------------------------------------------------

#if !defined(_WIN32)
// The chime sounds with the click, high as a sign comes on and low as it goes
// off, and only with the DC essential bus; a switch that does not move is
// silent.
TEST(PassengerSigns, TheChimeGoesWithTheClickWhenTheEssentialBusIsAlive) {
    struct Row {
        uint8_t dc_ess;
        std::vector<const char*> clicks;
        std::size_t click, hi, lo;
    };
    const Row rows[] = {
        {1, {"SEAT BELTS ON"}, 1, 1, 0},
        {1, {"SEAT BELTS ON", "SEAT BELTS ON", "SEAT BELTS OFF"}, 2, 1, 1},
        {1, {"NO SMOKING OFF"}, 0, 0, 0},
        {1, {"NO SMOKING ON", "SEAT BELTS ON"}, 2, 2, 0},
        {0, {"SEAT BELTS ON", "SEAT BELTS OFF"}, 2, 0, 0},
    };
    for (const Row& r : rows) {
        FakeHost host;
        host.load_sounds();
        aircraft.DcEssBusPowered = r.dc_ess;
        for (const char* area : r.clicks) host.click(kSigns, area);
        SCOPED_TRACE(std::string(r.clicks.front()) + ", DC ESS " + std::to_string(r.dc_ess));
        EXPECT_EQ(host.plays("CLICK"), r.click);
        EXPECT_EQ(host.plays("HI"), r.hi);
        EXPECT_EQ(host.plays("LO"), r.lo);
    }
}
#endif

// --- Panel lighting ---------------------------------------------------------------------

struct LightingBench {
    FakeHost host;
    int tick = 500;
    LightingBench() {
        aircraft.AcEssBusPowered = 1;
        host.set(kTick, tick);
    }
    // Runs `updates` updates; returns the events sent, each with the number
    // of its update (counted from 0).
    std::vector<std::pair<int, uint32_t>> run(int updates) {
        std::vector<std::pair<int, uint32_t>> sent;
        for (int u = 0; u < updates; ++u) {
            host.clear_logs();
            host.update(kPanelLighting);
            for (const KeyEvent& e : host.events()) sent.emplace_back(u, e.id);
            host.set(kTick, ++tick);
        }
        return sent;
    }
    std::string overlays() const {
        std::string out;
        for (const char* o : {"instrument lighting overlay", "flight-deck lighting overlay"})
            if (FakeHost::visible(kPanelLighting, o)) out += o;
        return out;
    }
};

using Pulses = std::vector<std::pair<int, uint32_t>>;
const Pulses kSequence = {{0, kPanelLightsOn}, {9, kPanelLightsOff}, {18, kPanelLightsOn}};

TEST(PanelLighting, TheInstrumentLightsSwitchTheSimulatorsPanelLightsByThreePulses) {
    LightingBench b;
    EXPECT_EQ(b.run(40), Pulses{}) << "instrument lights off: nothing";
    EXPECT_EQ(b.overlays(), "");

    aircraft.InstrumentLightsOn = 1;
    EXPECT_EQ(b.run(100), kSequence) << "on, then settled";
    EXPECT_EQ(b.overlays(), "instrument lighting overlay");
    EXPECT_EQ(gauges::panel_light::state.intensity, gauges::panel_light::kIntensityFlightDeckDark);

    aircraft.FltDeckLightSwitch = 1;
    EXPECT_EQ(b.run(100), kSequence) << "the intensity for a lit flight deck";
    EXPECT_EQ(b.overlays(), "flight-deck lighting overlay");

    aircraft.InstrumentLightsOn = 0;
    EXPECT_EQ(b.run(100), kSequence) << "off, then settled";
    EXPECT_EQ(b.overlays(), "");
    EXPECT_EQ(gauges::panel_light::state.host_lights_on, 0);
}

// With the instrument lights on and the AC essential bus dead the lighting is
// switched off once and then left alone, not switched on and off for as long
// as the bus stays dead; it comes on again with the bus.
TEST(PanelLighting, ADeadEssentialBusSwitchesTheLightingOffOnceAndForAll) {
    LightingBench b;
    aircraft.InstrumentLightsOn = 1;
    b.run(30);
    ASSERT_EQ(gauges::panel_light::state.host_lights_on, 1);

    aircraft.AcEssBusPowered = 0;
    EXPECT_EQ(b.run(300), kSequence);
    EXPECT_EQ(b.overlays(), "");
    aircraft.AcEssBusPowered = 1;
    EXPECT_EQ(b.run(100), kSequence);
    EXPECT_EQ(b.overlays(), "instrument lighting overlay");
}

TEST(PanelLighting, ASequenceWaitsForAWholeTickAndForAClockThatIsNotANumber) {
    LightingBench b;
    aircraft.InstrumentLightsOn = 1;
    b.host.set(kTick, 100.5);
    b.host.update(kPanelLighting);  // first pulse; the next at tick 109
    b.host.clear_logs();
    for (double t : {108.99, kNaN}) {
        b.host.set(kTick, t);
        b.host.update(kPanelLighting);
    }
    EXPECT_TRUE(b.host.events().empty());
    b.host.set(kTick, 109.0);
    b.host.update(kPanelLighting);
    EXPECT_EQ(b.host.events(), (std::vector<KeyEvent>{{kPanelLightsOff, 0}}));
}

}  // namespace
}  // namespace kadrimos::testing
