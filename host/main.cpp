// kadrimos-host: runs the cockpit without the simulator. Loads the module
// through its two exported records, serves its gauges from a panel
// configuration, answers its key events from a host profile and flies a
// scenario, printing the timeline of what the crew would see and hear.
//
// Exit status: 0 when every expectation held, 1 when one failed, 2 for
// input the host cannot use (arguments, module, configuration, profile,
// scenario), with file and line.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "film.h"
#include "module_bitmaps.h"
#include "module_loader.h"
#include "panel_config.h"
#include "pictures.h"
#include "profile.h"
#include "scenario.h"
#include "sim_host.h"
#include "text_input.h"
#include "trace.h"

namespace {

const char* kUsage =
    "usage: kadrimos-host --module FILE [--panel FILE] [--profile FILE] [--roles FILE]\n"
    "                     [--json FILE] [--audio FILE.wav] [--pictures DIR] [--film FILE.html]\n"
    "                     [--quiet] [SCENARIO]\n"
    "  --module   the gauge module (kadrimos.so, kadrimos.gau)\n"
    "  --panel    panel configuration (default host/data/panel.cfg)\n"
    "  --profile  host profile (default host/data/profile.txt)\n"
    "  --roles    element role labels (default host/data/roles.txt)\n"
    "  --json     also write the timeline as JSON lines to FILE\n"
    "  --audio    mix what the crew hears into a WAV file (Linux)\n"
    "  --pictures write a PNG of every open panel window at each 'picture' step\n"
    "             of the scenario and at the end of the flight into DIR (Linux)\n"
    "  --film     write one page with the timeline, those pictures on a time\n"
    "             slider and what the crew heard (Linux)\n"
    "  --quiet    do not print the timeline\n"
    "  SCENARIO   the scenario to fly (without one: install, one update, finish)\n";

struct Options {
    std::string module;
    std::string panel = "host/data/panel.cfg";
    std::string profile = "host/data/profile.txt";
    std::string roles = "host/data/roles.txt";
    std::string json;
    std::string audio;
    std::string pictures;
    std::string film;
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
        } else if (a == "--pictures") {
            if (!value(o.pictures)) return false;
        } else if (a == "--film") {
            if (!value(o.film)) return false;
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

// Copies what is written to a stream into a string as well, so that the
// film can show the timeline exactly as it was printed.
class Tee : public std::streambuf {
public:
    Tee(std::streambuf* out, std::string& copy) : out_(out), copy_(copy) {}

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        copy_ += static_cast<char>(c);
        return out_ == nullptr ? c : out_->sputc(static_cast<char>(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        copy_.append(s, static_cast<std::size_t>(n));
        return out_ == nullptr ? n : out_->sputn(s, n);
    }
    int sync() override { return out_ == nullptr ? 0 : out_->pubsync(); }

private:
    std::streambuf* out_;
    std::string& copy_;
};

// Takes the pictures of the flight: writes them into the pictures folder
// and keeps them for the film.
struct Photographer {
    std::string folder;
    bool keep = false;
    std::vector<kadrimos::host_sim::Picture> kept;
    std::size_t written = 0;

    void take(kadrimos::host_sim::Camera& camera, const kadrimos::host_sim::SimHost& host,
              const std::string& name) {
        using kadrimos::host_sim::InputError;
        for (auto& p : camera.take(host, name)) {
            if (!folder.empty()) {
                const std::string path = folder + "/" + kadrimos::host_sim::picture_file_name(p);
                std::ofstream out(path, std::ios::binary);
                out.write(reinterpret_cast<const char*>(p.png.data()),
                          static_cast<std::streamsize>(p.png.size()));
                if (!out) throw InputError(path, "cannot write the picture");
                ++written;
            }
            if (keep) kept.push_back(std::move(p));
        }
    }
};

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
        if (!options.scenario.empty())
            scenario = read_scenario(options.scenario, module.gauges(), config, roles);

        std::ofstream json_file;
        if (!options.json.empty()) {
            json_file.open(options.json, std::ios::binary);
            if (!json_file) throw InputError(options.json, "cannot write the JSON timeline");
        }
        const bool photographing = !options.pictures.empty() || !options.film.empty();
        if (photographing && !pictures_available())
            throw InputError(options.pictures.empty() ? options.film : options.pictures,
                             "this build of the host draws no pictures (the Linux host does)");
        if (!options.pictures.empty()) {
            std::error_code error;
            std::filesystem::create_directories(options.pictures, error);
            if (error)
                throw InputError(options.pictures, "cannot make the pictures folder: " + error.message());
        }
        std::string printed;
        Tee tee(options.quiet ? nullptr : std::cout.rdbuf(), printed);
        std::ostream timeline(&tee);
        const bool keep_timeline = !options.film.empty();
        std::ostream* timeline_out = keep_timeline ? &timeline : (options.quiet ? nullptr : &std::cout);
        Trace trace(timeline_out, options.json.empty() ? nullptr : &json_file);
        SimHost host(module, std::move(config), std::move(profile), std::move(roles), trace);
        ModuleBitmaps bitmaps(options.module, module.handle());
        Camera camera(bitmaps);
        Photographer photographer{options.pictures, keep_timeline, {}, 0};
        if (photographing)
            host.on_picture([&](const std::string& name) { photographer.take(camera, host, name); });
        host.start();
        int failures = 0;
        std::size_t expectations = 0;
        for (const Statement& s : scenario) expectations += s.line.words[0] == "expect";
        if (scenario.empty())
            host.update();
        else
            failures = run_scenario(scenario, host, std::cerr);
        if (photographing) photographer.take(camera, host, "end of flight");
        timeline.flush();
        host.finish();
        for (const std::string& problem : camera.problems())
            std::cerr << "kadrimos-host: picture: " << problem << "\n";
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
        if (!options.film.empty()) {
            Film film{options.scenario.empty() ? "kadrimos"
                                               : std::filesystem::path(options.scenario).filename().string(),
                      printed, std::move(photographer.kept), host.audio().wav(host.tick())};
            std::string error;
            if (!write_film(options.film, film, error)) throw InputError(options.film, error);
        }
        if (!options.scenario.empty())
            std::cout << options.scenario << ": " << expectations << " expectations, " << failures
                      << " failed, " << host.tick() << " updates\n";
        if (!options.pictures.empty())
            std::cout << "pictures: " << photographer.written << " in " << options.pictures << "\n";
        if (!options.film.empty()) std::cout << "film: " << options.film << "\n";
        std::cout.flush();
        return failures == 0 ? 0 : 1;
    } catch (const InputError& e) {
        std::cout.flush();
        std::cerr << e.what() << "\n";
        return 2;
    }
}
