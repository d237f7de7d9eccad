// kadrimos-host: runs the cockpit without the simulator. Loads the module
// through its two exported records, serves its gauges from a panel
// configuration, answers its key events from a host profile and flies a
// scenario, printing the timeline of what the crew would see and hear.
//
// Exit status: 0 when every expectation held, 1 when one failed, 2 for
// input the host cannot use (arguments, module, configuration, profile,
// scenario), with file and line.
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "module_loader.h"
#include "panel_config.h"
#include "profile.h"
#include "scenario.h"
#include "sim_host.h"
#include "text_input.h"
#include "trace.h"

namespace {

const char* kUsage =
    "usage: kadrimos-host --module FILE [--panel FILE] [--profile FILE] [--roles FILE]\n"
    "                     [--json FILE] [--audio FILE.wav] [--quiet] [SCENARIO]\n"
    "  --module   the gauge module (kadrimos.so, kadrimos.gau)\n"
    "  --panel    panel configuration (default host/data/panel.cfg)\n"
    "  --profile  host profile (default host/data/profile.txt)\n"
    "  --roles    element role labels (default host/data/roles.txt)\n"
    "  --json     also write the timeline as JSON lines to FILE\n"
    "  --audio    mix what the crew hears into a WAV file (Linux)\n"
    "  --quiet    do not print the timeline\n"
    "  SCENARIO   the scenario to fly (without one: install, one update, finish)\n";

struct Options {
    std::string module;
    std::string panel = "host/data/panel.cfg";
    std::string profile = "host/data/profile.txt";
    std::string roles = "host/data/roles.txt";
    std::string json;
    std::string audio;
    std::string scenario;
    bool quiet = false;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        if (a == "--module") {
            if (!value(o.module)) return false;
        } else if (a == "--panel") {
            if (!value(o.panel)) return false;
        } else if (a == "--profile") {
            if (!value(o.profile)) return false;
        } else if (a == "--roles") {
            if (!value(o.roles)) return false;
        } else if (a == "--json") {
            if (!value(o.json)) return false;
        } else if (a == "--audio") {
            if (!value(o.audio)) return false;
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--help" || a == "-h") {
            return false;
        } else if (!a.empty() && a[0] == '-') {
            std::cerr << "kadrimos-host: unknown option " << a << "\n";
            return false;
        } else if (o.scenario.empty()) {
            o.scenario = a;
        } else {
            std::cerr
                << "kadrimos-host: one scenario at a time (the module keeps its state for the process)\n";
            return false;
        }
    }
    return !o.module.empty();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kadrimos::host_sim;
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        LoadedModule module(options.module);
        PanelConfig config = read_panel_config(options.panel, module.gauges());
        Profile profile = read_profile(options.profile);
        Roles roles = Roles::read(options.roles);
        std::vector<Statement> scenario;
        if (!options.scenario.empty()) scenario = read_scenario(options.scenario, module.gauges(), config, roles);

        std::ofstream json_file;
        if (!options.json.empty()) {
            json_file.open(options.json, std::ios::binary);
            if (!json_file) throw InputError(options.json, "cannot write the JSON timeline");
        }
        Trace trace(options.quiet ? nullptr : &std::cout, options.json.empty() ? nullptr : &json_file);
        SimHost host(module, std::move(config), std::move(profile), std::move(roles), trace);
        host.start();
        int failures = 0;
        std::size_t expectations = 0;
        for (const Statement& s : scenario) expectations += s.line.words[0] == "expect";
        if (scenario.empty())
            host.update();
        else
            failures = run_scenario(scenario, host, std::cerr);
        host.finish();
        if (host.uninitialised_lookups() > 0) {
            std::cerr
                << "kadrimos-host: the module looked up " << host.uninitialised_lookups()
                << " variables it had not initialised (the simulator reads those through a null pointer)\n";
            ++failures;
        }
        if (!options.audio.empty()) {
            std::string error;
            if (!host.audio().write_wav(options.audio, host.tick(), error))
                throw InputError(options.audio, error);
        }
        if (!options.scenario.empty())
            std::cout << options.scenario << ": " << expectations << " expectations, " << failures
                      << " failed, " << host.tick() << " updates\n";
        std::cout.flush();
        return failures == 0 ? 0 : 1;
    } catch (const InputError& e) {
        std::cout.flush();
        std::cerr << e.what() << "\n";
        return 2;
    }
}
