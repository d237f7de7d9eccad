// What one simulator update of the whole cockpit costs.
//
// One full update is what the simulator does for every gauge of the open
// panels 18 times a second: the element update and the gauge callback, then
// the draw with every value and string callback. It is measured here for all
// 142 gauges of the catalogue and, in the same run, for the same host loop
// over 142 empty gauges (callbacks and routines that return at once, one
// element each), which is the host's own share. The report ends with the
// ratio of the two and with how many times faster than real time the full
// update runs at 18 updates a second.
//
//   build/clang-release/bench/kadrimos_bench [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "module/exports.h"
#include "support/bare_host.h"

namespace {

using kadrimos::testing::BareHost;

std::size_t catalogue_size() {
    std::size_t n = 0;
    while (Linkage.gauge_table[n] != nullptr) ++n;
    return n;
}

// --- The empty catalogue -----------------------------------------------------

void FSAPI empty_routine() {}
void FSAPI empty_install(void*) {}
void FSAPI empty_generate(uint32_t) {}
void FSAPI empty_callback(GAUGEHDR*, int32_t, uintptr_t) {}
double FSAPI empty_value(ELEMENT_HEADER*) { return 0; }

struct EmptyGauge {
    GAUGEHDR header{};
    ELEMENT_NEEDLE needle{};
    ELEMENT_HEADER* elements[2]{};
    MOUSERECT mouse[2]{};
};

std::vector<EmptyGauge>& empty_gauges() {
    static std::vector<EmptyGauge> gauges(catalogue_size());
    return gauges;
}

std::vector<GAUGEHDR*> empty_catalogue() {
    std::vector<GAUGEHDR*> list;
    for (EmptyGauge& g : empty_gauges()) {
        g.needle.header.element_type = ELEMENT_TYPE_NEEDLE;
        g.needle.callback = empty_value;
        g.elements[0] = &g.needle.header;
        g.mouse[0].rect_type = MOUSE_RECT_PARENT;
        g.mouse[1].rect_type = MOUSE_RECT_EOL;
        g.header.gauge_name = "empty";
        g.header.elements_list = g.elements;
        g.header.query_routine = empty_routine;
        g.header.install_routine = empty_install;
        g.header.initialize_routine = empty_routine;
        g.header.update_routine = empty_routine;
        g.header.generate_routine = empty_generate;
        g.header.draw_routine = empty_routine;
        g.header.kill_routine = empty_routine;
        g.header.gauge_callback = empty_callback;
        g.header.mouse_rect = g.mouse;
        list.push_back(&g.header);
    }
    list.push_back(nullptr);
    return list;
}

// --- Benchmarks --------------------------------------------------------------

// A running aircraft on the ground: batteries, generators and hydraulics
// have work to do every update.
void running_aircraft(BareHost& host) {
    host.set(60, 1);
    host.set(329, 1);
    for (uint32_t token : {624u, 625u, 643u, 644u}) host.set(token, 60);
}

// Updates before timing: ten simulated minutes, so that start-up
// transients (the first update's start-up, spool-ups, timers) are over and
// every repetition measures the same settled cockpit.
constexpr int kSettleUpdates = 18 * 600;

void run_updates(BareHost& host, int updates) {
    for (int i = 0; i < updates; ++i) {
        host.update_all();
        host.draw_all();
    }
}

// The timed loop, and what every benchmark reports with it.
void time_updates(benchmark::State& state, BareHost& host) {
    for (auto _ : state) {
        host.update_all();
        host.draw_all();
    }
    benchmark::DoNotOptimize(host.drawn_sum);
    state.counters["gauges"] = static_cast<double>(host.gauge_count());
}

void full_update(benchmark::State& state) {
    BareHost host;
    running_aircraft(host);
    host.install_all();
    run_updates(host, kSettleUpdates);
    time_updates(state, host);
    host.kill_all();
}
BENCHMARK(full_update)->Name("full_update/catalogue");

// On an ILS approach at 140 kt, 1000 ft above the runway, with landing
// flaps and the gear down: both flight directors and both autopilots in
// LAND, the autothrottle armed in speed mode, the simulator's autopilot
// master answering on. The autopilot master runs its approach path, the
// flight director its glide path and bars, the autothrottle its speed mode,
// the altitude and heading panels their steps.
std::size_t gauge_named(const BareHost& host, const char* name) {
    for (std::size_t i = 0; i < host.gauge_count(); ++i)
        if (std::strcmp(host.name(i), name) == 0) return i;
    return host.gauge_count();
}

void approach_in_land(BareHost& host) {
    host.set(60, 0);     // in the air
    host.set(61, 140);   // kt
    host.set(614, 300);  // radio height, m: 984 ft
    host.set(73, 300);   // altitude, m
    host.set(74, 984);   // altitude, ft
    host.set(329, 16383);
    host.set(332, 16383);
    for (uint32_t token : {624u, 643u}) host.set(token, 60);
    for (uint32_t token : {625u, 644u}) host.set(token, 85);
    host.set_bits(46, 0xC0);  // localiser and glideslope received
    host.set(49, 1);
    host.set(44, 1);
    host.set(103, 1);  // the simulator's autopilot master on
}

void full_update_in_land(benchmark::State& state) {
    BareHost host;
    approach_in_land(host);
    host.install_all();
    run_updates(host, kSettleUpdates);
    const std::size_t master = gauge_named(host, "toskelin ap_master_rulo");
    constexpr std::size_t kFd1 = 3, kAp1On = 5, kAp2On = 7, kLand = 10;
    for (std::size_t area : {kFd1, kAp1On, kLand, kAp2On}) {
        host.click(master, area);
        run_updates(host, 3);
    }
    const std::size_t ats = gauge_named(host, "toskelin ap_ats_rulo");
    constexpr std::size_t kAtsOn = 6, kSpd = 4;
    for (std::size_t area : {kAtsOn, kSpd}) {
        host.click(ats, area);
        run_updates(host, 3);
    }
    if (kadrimos::aircraft.ApproachMode < 30 || kadrimos::aircraft.ApEngageState != 3 ||
        kadrimos::aircraft.AtsSpeedMode != 1) {
        state.SkipWithError("the autopilots did not engage in LAND with the autothrottle in speed mode");
        return;
    }
    time_updates(state, host);
    host.kill_all();
}
BENCHMARK(full_update_in_land)->Name("full_update/autopilot_in_land");

void empty_loop(benchmark::State& state) {
    std::vector<GAUGEHDR*> gauges = empty_catalogue();
    BareHost host(gauges.data());
    host.install_all();
    time_updates(state, host);
}
BENCHMARK(empty_loop)->Name("full_update/empty_gauges");

// Keeps each benchmark's time per iteration to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // One time per benchmark: the median where repetitions give one,
        // else the single run's (nanoseconds, the default time unit).
        for (const Run& r : runs) {
            const std::string& name = r.run_name.function_name;
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                ns_per_update_[name] = r.GetAdjustedRealTime();
                medians_.insert(name);
            } else if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !medians_.count(name)) {
                ns_per_update_[name] = r.GetAdjustedRealTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto full = ns_per_update_.find("full_update/catalogue");
        const auto empty = ns_per_update_.find("full_update/empty_gauges");
        if (full == ns_per_update_.end() || empty == ns_per_update_.end()) return;
        constexpr double kUpdateBudgetNs = 1e9 / 18;
        std::printf("\nfull update of %zu gauges: %.0f ns; empty host loop: %.0f ns\n", catalogue_size(),
                    full->second, empty->second);
        std::printf("ratio to the empty host loop: %.1f\n", full->second / empty->second);
        const auto land = ns_per_update_.find("full_update/autopilot_in_land");
        if (land != ns_per_update_.end())
            std::printf("with both autopilots in LAND and the autothrottle in speed mode: %.0f ns, ratio to the "
                        "empty host loop: %.1f\n",
                        land->second, land->second / empty->second);
        std::printf("simulated-to-real-time factor at 18 updates a second: %.0f\n",
                    kUpdateBudgetNs / full->second);
    }

private:
    std::map<std::string, double> ns_per_update_;
    std::set<std::string> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
