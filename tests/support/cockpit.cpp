#include "support/cockpit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <regex>

#include "module/module_state.h"

namespace kadrimos::testing {
namespace {

constexpr uint32_t kTicks = 1;         // host update counter
constexpr uint32_t kSeconds = 604;     // simulation time, seconds
constexpr uint32_t kOnGround = 60;     // exactly 1.0 on the ground
constexpr uint32_t kStartState = 329;  // 4000 or more: a running aircraft
constexpr uint32_t kAltitudeM = 73;
constexpr uint32_t kGearHandle = 331;
constexpr uint32_t kGearPosition = 332;
constexpr uint32_t kGearExtension = 334;
constexpr uint32_t kOutsideAirC = 341;
constexpr uint32_t kOilQuantity = 270;
constexpr uint32_t kRadioHeightM = 614;  // the radio altimeter's antennas above the ground

// Per engine: N1, N2, EGT, fuel flow (lb/h), oil pressure, oil temperature,
// fuel pressure, vibration, in the host's units.
struct EngineTokens {
    uint32_t n1, n2, egt, fuel_flow, oil_pressure, oil_temperature, fuel_pressure, vibration;
};
constexpr EngineTokens kEngines[] = {
    {624, 625, 631, 638, 562, 561, 634, 642},
    {643, 644, 650, 657, 572, 571, 653, 661},
};

struct EngineState {
    double n1, n2, egt, fuel_flow, oil_pressure, oil_temperature, fuel_pressure, vibration;
};
constexpr EngineState kGroundIdle = {22, 62, 1500, 1100, 5200, 500, 30, 0.5};
constexpr EngineState kCruise = {88, 92, 2600, 3400, 7800, 600, 40, 1.0};

double ticks = 0;

void set_engines(FakeHost& host, const EngineState& e) {
    for (const EngineTokens& t : kEngines) {
        host.set(t.n1, e.n1);
        host.set(t.n2, e.n2);
        host.set(t.egt, e.egt);
        host.set(t.fuel_flow, e.fuel_flow);
        host.set(t.oil_pressure, e.oil_pressure);
        host.set(t.oil_temperature, e.oil_temperature);
        host.set(t.fuel_pressure, e.fuel_pressure);
        host.set(t.vibration, e.vibration);
    }
}

void serve_seconds(FakeHost& host, double seconds, const UpdateWatch& watch) {
    serve_panel(host, static_cast<int>(seconds * 18), watch);
}

std::vector<std::string> read_panel_order() {
    const std::string path = std::string(KADRIMOS_SOURCE_DIR) + "/host/data/panel.cfg";
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot read " << path;
    const std::regex placement(R"(^gauge\d+=kadrimos!([^,]+),)");
    std::vector<std::string> order;
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (!std::regex_search(line, m, placement)) continue;
        const std::string name = m[1];
        bool seen = false;
        for (const std::string& n : order) seen = seen || n == name;
        if (!seen) order.push_back(name);
    }
    EXPECT_FALSE(order.empty()) << path << " places no gauge";
    return order;
}

}  // namespace

const char* name_of(Cockpit cockpit) {
    switch (cockpit) {
        case Cockpit::ColdAndDark:
            return "cold and dark";
        case Cockpit::BatteriesOn:
            return "batteries on";
        case Cockpit::PoweredOnGround:
            return "powered on the ground";
        case Cockpit::EnginesRunningOnGround:
            return "engines running on the ground";
        case Cockpit::InFlight:
            return "in flight";
    }
    return "?";
}

const std::vector<std::string>& panel_order() {
    static const std::vector<std::string> order = read_panel_order();
    return order;
}

void serve_panel(FakeHost& host, int updates, const UpdateWatch& watch) {
    for (int u = 0; u < updates; ++u) {
        ticks += 1;
        host.set(kTicks, ticks);
        host.set(kSeconds, ticks / 18);
        for (const std::string& name : panel_order()) {
            AircraftState before;  // a byte copy: the padding too, for the watch to compare
            std::memcpy(&before, &aircraft, sizeof before);
            host.update(name);
            if (watch) watch(name, before);
        }
    }
}

void prepare(FakeHost& host, Cockpit cockpit, const UpdateWatch& watch) {
    ticks = 0;
    const bool flying = cockpit == Cockpit::InFlight;
    const bool running = flying || cockpit == Cockpit::EnginesRunningOnGround;
    host.set(kOnGround, flying ? 0 : 1);
    host.set(kStartState, running ? 4000 : 0);
    host.set(kOutsideAirC, flying ? -30 : 15);
    host.set(kAltitudeM, flying ? 9000 : 0);
    host.set(kRadioHeightM, flying ? 9000 : 2.5);
    host.set(kGearHandle, flying ? 0 : 1);
    host.set(kGearPosition, flying ? 0 : 1);
    host.set(kGearExtension, flying ? 0 : 16383);
    host.set(kOilQuantity, 15000);
    if (running) set_engines(host, flying ? kCruise : kGroundIdle);
    serve_panel(host, 1, watch);  // the first update sets the cockpit up

    if (cockpit == Cockpit::BatteriesOn || cockpit == Cockpit::PoweredOnGround) {
        for (const char* battery : {"BAT 1 ON", "BAT 2 ON", "BAT 3 ON"})
            host.click("toskelin elec_batt_rulo", battery);
        serve_panel(host, 1, watch);
    }
    if (cockpit == Cockpit::PoweredOnGround) {
        host.click("toskelin apu_rulo", "MASTER ON");
        host.click("toskelin apu_rulo", "START");
        serve_seconds(host, 30, watch);
        host.click("toskelin elec_gen_rulo", "APU GEN ON");
    }
    serve_seconds(host, 2, watch);
}

}  // namespace kadrimos::testing
