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
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

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
    "usage: kadrimos-host --module FILE [--panel FILE] [--profile FILE] [--roles FILE] [--names FILE]\n"
    "                     [--json FILE] [--audio FILE.wav] [--pictures DIR] [--film FILE.html]\n"
    "                     [--show GAUGE]... [--quiet] [SCENARIO]\n"
    "  --module   the gauge module (kadrimos.so, kadrimos.gau)\n"
    "  --panel    panel configuration (default: panel.cfg of the data folder)\n"
    "  --profile  host profile (default: profile.txt of the data folder)\n"
    "  --roles    element and mouse area labels (default: roles.txt of the data folder)\n"
    "  --names    names of host variables and key events (default: names.txt of the data folder)\n"
    "  --json     also write the timeline as JSON lines to FILE\n"
    "  --audio    mix what the crew hears into a WAV file (Linux)\n"
    "  --pictures write a PNG of every open panel window at each 'picture' step\n"
    "             of the scenario and at the end of the flight into DIR (Linux)\n"
    "  --film     write one page with the timeline, those pictures on a time\n"
    "             slider and what the crew heard (Linux)\n"
    "  --show     at the end of the flight, print the gauge's elements and mouse areas\n"
    "             with their labels, visibility, values and texts (may be repeated)\n"
    "  --quiet    do not print the timeline\n"
    "  --help     print this and exit\n"
    "  SCENARIO   the scenario to fly (without one: install, one update, finish)\n"
    "The data folder is share/kadrimos beside the program's folder where the host is\n"
    "installed, else the source tree's host/data. Exit status: 0 every expectation\n"
    "held, 1 one failed, 2 input the host cannot use.\n";

struct Options {
    std::string module;
    std::string panel, profile, roles, names;  // empty: the data folder's
    std::string json;
    std::string audio;
    std::string pictures;
    std::string film;
    std::vector<std::string> show;
    std::string scenario;
    bool quiet = false;
};

enum class Parsed { run, help, error };

Parsed parse(int argc, char** argv, Options& o) {
    struct Valued {
        const char* option;
        std::string Options::*into;
    };
    static const Valued kValued[] = {
        {"--module", &Options::module}, {"--panel", &Options::panel},       {"--profile", &Options::profile},
        {"--roles", &Options::roles},   {"--names", &Options::names},       {"--json", &Options::json},
        {"--audio", &Options::audio},   {"--pictures", &Options::pictures}, {"--film", &Options::film},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") return Parsed::help;
        if (a == "--quiet") {
            o.quiet = true;
            continue;
        }
        const Valued* valued = nullptr;
        for (const Valued& v : kValued)
            if (a == v.option) valued = &v;
        if (valued != nullptr || a == "--show") {
            if (i + 1 >= argc) {
                std::cerr << "kadrimos-host: " << a << " needs a value\n";
                return Parsed::error;
            }
            if (valued != nullptr)
                o.*(valued->into) = argv[++i];
            else
                o.show.push_back(argv[++i]);
        } else if (!a.empty() && a[0] == '-') {
            std::cerr << "kadrimos-host: unknown option " << a << "\n";
            return Parsed::error;
        } else if (o.scenario.empty()) {
            o.scenario = a;
        } else {
            std::cerr
                << "kadrimos-host: one scenario at a time (the module keeps its state for the process)\n";
            return Parsed::error;
        }
    }
    if (o.module.empty()) {
        std::cerr << "kadrimos-host: --module is needed\n";
        return Parsed::error;
    }
    return Parsed::run;
}

// The folder of the program's own file.
std::filesystem::path program_folder() {
#if defined(_WIN32)
    char path[4096];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    return std::filesystem::path(std::string(path, length)).parent_path();
#else
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
#endif
}

// Where the default panel, profile, labels and names are: beside an
// installed host (PREFIX/bin/kadrimos-host, PREFIX/share/kadrimos), else in
// the source tree the host was built from, else host/data of the current
// folder.
std::string data_folder() {
    std::error_code error;
    const std::filesystem::path installed = program_folder() / ".." / "share" / "kadrimos";
    if (std::filesystem::is_regular_file(installed / "panel.cfg", error)) return installed.string();
    const std::filesystem::path source = KADRIMOS_DATA_DIR;
    if (std::filesystem::is_regular_file(source / "panel.cfg", error)) return source.string();
    return "host/data";
}

// The module's name as a panel configuration gives it: its file name
// without the extension ("kadrimos" for kadrimos.gau or kadrimos.so).
std::string module_name(const std::string& path) { return std::filesystem::path(path).stem().string(); }

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
    switch (parse(argc, argv, options)) {
        case Parsed::help:
            std::cout << kUsage;
            return 0;
        case Parsed::error:
            std::cerr << kUsage;
            return 2;
        case Parsed::run:
            break;
    }
    const std::string data = data_folder();
    for (auto [file, name] : {std::pair{&options.panel, "panel.cfg"},
                              {&options.profile, "profile.txt"},
                              {&options.roles, "roles.txt"},
                              {&options.names, "names.txt"}})
        if (file->empty()) *file = data + "/" + name;
    try {
        LoadedModule module(options.module);
        PanelConfig config = read_panel_config(options.panel, module.gauges(), module_name(options.module));
        const Names names = Names::read(options.names);
        Profile profile = read_profile(options.profile, &names);
        Roles roles = Roles::read(options.roles);
        std::vector<GAUGEHDR*> shown_at_end;
        for (const std::string& name : options.show) {
            GAUGEHDR* found = nullptr;
            for (GAUGEHDR* g : module.gauges())
                if (name == g->gauge_name) found = g;
            if (found == nullptr) throw InputError("--show", "no gauge named \"" + name + "\" in the module");
            shown_at_end.push_back(found);
        }
        std::vector<Statement> scenario;
        if (!options.scenario.empty())
            scenario = read_scenario(options.scenario, module.gauges(), config, roles, names);

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
        trace.use_names(&names);
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
        for (GAUGEHDR* g : shown_at_end) {
            if (!options.quiet) {
                host.show(g);
                continue;
            }
            // Asked for by name, it prints even when the timeline does not.
            std::cout << "show \"" << g->gauge_name << "\"\n";
            for (const std::string& line : host.describe(g)) std::cout << "  " << line << "\n";
        }
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
