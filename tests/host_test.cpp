// The simulated host: what it refuses to load, how it serves windows and
// time, and the effects of its profile. It drives the real module library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "module_loader.h"
#include "panel_config.h"
#include "profile.h"
#include "scenario.h"
#include "sim_host.h"
#include "text_input.h"

namespace kadrimos::host_sim {
namespace {

const std::string kSource = KADRIMOS_SOURCE_DIR;

// The names the default profile is written with.
const Names& default_names() {
    static const Names names = Names::read(kSource + "/host/data/names.txt");
    return names;
}

std::string message_of(auto&& action) {
    try {
        action();
    } catch (const InputError& e) {
        return e.what();
    }
    return "(no error)";
}

// A file of the running test's own, so that tests may run in parallel.
std::string write_temp(const std::string& name, const std::string& text) {
    std::string path =
        ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// --- Loading ---------------------------------------------------------------

// Laid out as MODULE_LINKAGE is.
KADRIMOS_PACK_RECORDS
struct FakeLinkage {
    uint32_t module_id = MODULE_LINKAGE_ID;
    MODULE_INIT_ROUTINE init = nullptr;
    MODULE_DEINIT_ROUTINE deinit = nullptr;
    uint32_t flags = 0, status = 0, version = MODULE_LINKAGE_VERSION;
    GAUGEHDR* gauges[kMaxGauges + 1] = {};
};
KADRIMOS_END_PACKING

const MODULE_LINKAGE* as_linkage(const FakeLinkage& f) {
    const void* p = &f;
    return static_cast<const MODULE_LINKAGE*>(p);
}

TEST(ModuleRecords, AModuleWithoutItsRecordsOrWithWrongIdentifiersIsRefused) {
    IMPORT_TABLE imports = {IMPORT_TABLE_PANELS_ID, nullptr, 0, nullptr};
    FakeLinkage linkage;
    EXPECT_EQ(message_of([&] { check_module_records("m", nullptr, as_linkage(linkage)); }),
              "m: the module does not export ImportTable");
    EXPECT_EQ(message_of([&] { check_module_records("m", &imports, nullptr); }),
              "m: the module does not export Linkage");
    linkage.module_id = 0x14;
    EXPECT_EQ(message_of([&] { check_module_records("m", &imports, as_linkage(linkage)); }),
              "m: Linkage identifier is 0x14, expected 0x13");
    linkage.module_id = MODULE_LINKAGE_ID;
    imports.panels_id = 3;
    EXPECT_EQ(message_of([&] { check_module_records("m", &imports, as_linkage(linkage)); }),
              "m: ImportTable identifier is 0x3, expected 0xF");
}

TEST(ModuleRecords, AnUnterminatedGaugeListIsRefusedAfterABoundedWalk) {
    IMPORT_TABLE imports = {IMPORT_TABLE_PANELS_ID, nullptr, 0, nullptr};
    static GAUGEHDR gauge{};
    static ELEMENT_HEADER background{};
    static ELEMENT_HEADER* list[] = {&background, nullptr};
    static MOUSERECT mouse[] = {{}};
    gauge.gauge_header_version = GAUGE_HEADER_VERSION;
    gauge.gauge_name = "g";
    gauge.elements_list = list;
    gauge.mouse_rect = mouse;
    auto linkage = std::make_unique<FakeLinkage>();
    for (GAUGEHDR*& g : linkage->gauges) g = &gauge;  // no null within the bound
    EXPECT_EQ(message_of([&] { check_module_records("m", &imports, as_linkage(*linkage)); }),
              "m: the gauge list of Linkage has no end within 4096 entries");
    linkage->gauges[2] = nullptr;
    EXPECT_EQ(check_module_records("m", &imports, as_linkage(*linkage)).size(), 2u);
    gauge.gauge_header_version = 0x300;
    EXPECT_EQ(message_of([&] { check_module_records("m", &imports, as_linkage(*linkage)); }),
              "m: gauge 1 of Linkage has header version 0x300");
}

// --- The real module in the default cockpit -----------------------------------

class DefaultCockpit : public ::testing::Test {
protected:
    DefaultCockpit()
        : module(KADRIMOS_MODULE_PATH),
          trace(&timeline, nullptr),
          host(module, read_panel_config(kSource + "/host/data/panel.cfg", module.gauges()),
               read_profile(kSource + "/host/data/profile.txt", &default_names()),
               Roles::read(kSource + "/host/data/roles.txt"), trace) {
        host.start();
    }
    GAUGEHDR* gauge(const std::string& name) {
        for (GAUGEHDR* g : module.gauges())
            if (name == g->gauge_name) return g;
        ADD_FAILURE() << name;
        return nullptr;
    }
    std::string text(const std::string& name, int element) {
        // The host gives a string its buffer when it installs the gauge.
        auto* s = reinterpret_cast<ELEMENT_STRING*>(SimHost::elements_of(gauge(name))[element]);
        return s->string != nullptr ? s->string : "";
    }
    LoadedModule module;
    std::ostringstream timeline;
    Trace trace;
    SimHost host;
};

TEST_F(DefaultCockpit, TheDefaultPanelPlacesEveryGaugeOfTheModuleOnce) {
    PanelConfig config = read_panel_config(kSource + "/host/data/panel.cfg", module.gauges());
    std::vector<const GAUGEHDR*> placed;
    for (const PanelWindow& w : config.windows)
        for (const Placement& p : w.gauges) placed.push_back(p.gauge);
    EXPECT_EQ(placed.size(), 142u);
    for (GAUGEHDR* g : module.gauges())
        EXPECT_EQ(std::count(placed.begin(), placed.end(), g), 1) << g->gauge_name;
    for (uint32_t ident : {10030u, 10040u, 10050u, 10060u, 10070u, 10080u, 10090u, 10100u, kMainPanel})
        EXPECT_NE(config.find(ident), nullptr) << ident;
}

// Installing a gauge, the host works out the angle of each point of each
// needle's table from where the needle stands, as the simulator does; a
// value then maps to an angle between its neighbours' angles.
TEST_F(DefaultCockpit, NeedlesStandAtTheAnglesOfTheirTablesPoints) {
    ASSERT_TRUE(host.open_window(10060));
    // The blue reservoir needle stands at (70, 150): empty is down to the
    // left (135 degrees), full down to the right (45 degrees).
    const auto* blue = reinterpret_cast<const ELEMENT_NEEDLE*>(
        SimHost::elements_of(gauge("toskelin hydrau_baches_rulo"))[1]);
    ASSERT_EQ(blue->header.element_type, static_cast<uint32_t>(ELEMENT_TYPE_NEEDLE));
    EXPECT_DOUBLE_EQ(blue->nonlinearity_table[0].degrees, 135.0);
    EXPECT_DOUBLE_EQ(blue->nonlinearity_table[1].degrees, 45.0);
    EXPECT_DOUBLE_EQ(needle_angle(*blue, 50), 90.0) << "half full points straight down";
}

TEST(NeedleAngle, LinearBetweenPointsHeldAtTheEndsTheShortWayRound) {
    // Points at 170 and -170 degrees: the scale crosses the 180 degree line.
    NONLINEARITY rising[] = {{{0, 0}, 0, 170}, {{0, 0}, 10, -170}, {{0, 0}, 30, -130}};
    NONLINEARITY falling[] = {{{0, 0}, 100, 0}, {{0, 0}, 0, 90}};
    ELEMENT_NEEDLE up{};
    up.nonlinearity_table = rising;
    up.nonlinearity_count = 3;
    ELEMENT_NEEDLE down{};
    down.nonlinearity_table = falling;
    down.nonlinearity_count = 2;
    struct Case {
        const ELEMENT_NEEDLE* needle;
        double value;
        double angle;
    };
    const Case cases[] = {
        {&up, -5, 170},  {&up, 0, 170},     {&up, 5, 180},   {&up, 10, -170},
        {&up, 20, -150}, {&up, 30, -130},   {&up, 99, -130}, {&down, 100, 0},
        {&down, 150, 0}, {&down, 25, 67.5}, {&down, -1, 90}, {&up, std::nan(""), 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(needle_angle(*c.needle, c.value), c.angle) << c.value;
    ELEMENT_NEEDLE none{};
    EXPECT_EQ(needle_angle(none, 5), 0.0) << "a needle without a table";
}

// The simulator's autopilot as the default profile answers the module's
// events: the flags switch, the references land in their variables, and
// the motion model flies what they ask.
TEST_F(DefaultCockpit, TheAutopilotsEventsSwitchItsFunctionsAndSetItsReferences) {
    struct Row {
        uint32_t event;
        uint32_t value;
        uint32_t token;
        double expected;
    };
    const Row rows[] = {
        {0x10100, 0, 103, 1.0},
        {0x100FF, 0, 103, 0.0},
        {0x1002C, 0, 103, 1.0},
        {0x10111, 0, 104, 1.0},
        {0x10119, 0, 104, 0.0},
        {0x1010D, 0, 112, 1.0},
        {0x10115, 0, 112, 0.0},
        {0x10113, 0, 105, 1.0},
        {0x1011B, 0, 105, 0.0},
        {0x1010F, 0, 106, 1.0},
        {0x10117, 0, 106, 0.0},
        {0x10110, 0, 108, 1.0},
        {0x10118, 0, 108, 0.0},
        {0x1010E, 0, 112, 1.0},
        {0x1010E, 0, 111, 1.0},
        {0x10116, 0, 112, 0.0},
        {0x10116, 0, 111, 0.0},
        {0x102F0, 0, 792, 1.0},
        {0x102F0, 0, 792, 0.0},
        {0x1024C, 4500, 109, 4500.0},
        {0x101F3, 1524, 109, 5000.0},
        {0x101F4, static_cast<uint32_t>(-1200), 120, -1200.0},
        {0x101FA, 275, 107, 275.0},
        {0x100B4, 359, 45, 359.0},
        {0x1009E, static_cast<uint32_t>(-30000), 309, -30000.0},
        {0x1009F, 7500, 311, 7500.0},
    };
    for (const Row& r : rows) {
        host.key_event(r.event, r.value);
        EXPECT_NEAR(host.variable(r.token), r.expected, 1e-6) << std::hex << r.event;
    }
}

TEST_F(DefaultCockpit, EachUpdateAdvancesTheTickAndTheClock) {
    EXPECT_EQ(host.variable(1), 0.0);
    for (int i = 0; i < 36; ++i) host.update();
    EXPECT_EQ(host.tick(), 36);
    EXPECT_EQ(host.variable(1), 36.0);
    EXPECT_EQ(host.variable(604), 2.0);
}

TEST_F(DefaultCockpit, OnlyTheMainPanelsGaugesAreInstalledAtStart) {
    EXPECT_TRUE(host.installed(gauge("toskelin flt_deck_lt_rulo")));
    EXPECT_FALSE(host.installed(gauge("toskelin elec_batt_rulo")));
    EXPECT_FALSE(host.installed(gauge("testgauge2k")));
    host.open_window(10060);
    EXPECT_TRUE(host.installed(gauge("toskelin elec_batt_rulo")));
}

TEST_F(DefaultCockpit, AClosedWindowsGaugesAreNotServedOrDrawn) {
    host.set_variable(349, 3.0);
    host.update();
    EXPECT_EQ(text("testgauge2k", 3), "") << "its window is closed";
    host.open_window(10100);
    host.update();
    EXPECT_EQ(text("testgauge2k", 3), "3.0000");
    host.close_window(10100);
    host.set_variable(349, 4.0);
    host.update();
    EXPECT_EQ(text("testgauge2k", 3), "3.0000");
}

TEST_F(DefaultCockpit, WindowEventsAndTogglesOpenAndCloseWindows) {
    host.key_event(kEventOpenWindow, 10060);
    EXPECT_TRUE(host.window_open(10060));
    host.key_event(kEventCloseWindow, 10060);
    EXPECT_FALSE(host.window_open(10060));
    EXPECT_EQ(host.toggle_window(10040), 1);
    EXPECT_TRUE(host.window_open(10040));
    EXPECT_EQ(host.toggle_window(10040), 1);
    EXPECT_FALSE(host.window_open(10040));
    EXPECT_EQ(host.toggle_window(4242), 0) << "no such window";
    host.key_event(kEventOpenWindow, 4242);
    EXPECT_NE(timeline.str().find("window 4242, which the panel configuration does not have"),
              std::string::npos);
}

TEST_F(DefaultCockpit, AFullUpdateServesAllGaugesWithEveryWindowOpen) {
    for (uint32_t w : {10030u, 10040u, 10050u, 10060u, 10070u, 10080u, 10090u, 10100u}) host.open_window(w);
    for (GAUGEHDR* g : module.gauges()) EXPECT_TRUE(host.installed(g)) << g->gauge_name;
    for (int i = 0; i < 18; ++i) host.update();
    host.finish();
    EXPECT_EQ(host.tick(), 18);
}

#if !defined(_WIN32)
// The loudest sample of a 16-bit mono track between two times.
double peak(const std::vector<int16_t>& track, double from_s, double to_s) {
    int peak = 0;
    auto a = static_cast<std::size_t>(from_s * AudioTrack::kRate);
    auto b = std::min(track.size(), static_cast<std::size_t>(to_s * AudioTrack::kRate));
    for (std::size_t i = a; i < b; ++i) peak = std::max(peak, std::abs(static_cast<int>(track[i])));
    return peak / 32768.0;
}

TEST_F(DefaultCockpit, TheAudioTrackHasEachClickWhereItHappened) {
    // Two seconds for the caution gong that the start-up faults sound as
    // the essential bus comes up, then nothing but the clicks.
    for (int i = 0; i < 36; ++i) host.update();
    GAUGEHDR* panel = gauge("toskelin flt_deck_lt_rulo");
    host.click(panel, 0, {60, 20});  // at 2 s
    for (int i = 0; i < 18; ++i) host.update();
    host.click(panel, 1, {60, 40});  // at 3 s
    for (int i = 0; i < 36; ++i) host.update();
    std::string path = write_temp("track.wav", "");
    std::string error;
    ASSERT_TRUE(host.audio().write_wav(path, host.tick(), error)) << error;

    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u);
    std::vector<int16_t> track((bytes.size() - 44) / 2);
    std::memcpy(track.data(), bytes.data() + 44, track.size() * 2);
    EXPECT_EQ(track.size(), 5u * AudioTrack::kRate);

    EXPECT_EQ(peak(track, 1.5, 2.0), 0.0) << "the gong has ended";
    EXPECT_GT(peak(track, 2.0, 2.1), 0.01) << "the first click";
    EXPECT_EQ(peak(track, 2.15, 2.95), 0.0) << "silence between";
    EXPECT_GT(peak(track, 3.0, 3.1), 0.01) << "the second click";
    EXPECT_EQ(peak(track, 3.15, 5.0), 0.0);
    // The click plays at its load volume, -20 dB: a tenth of full scale.
    EXPECT_LT(peak(track, 2.0, 5.0), 0.11);
}
#endif

// --- Hearing the track in a scenario ---------------------------------------------

class ListeningCockpit : public DefaultCockpit {
protected:
    std::vector<Statement> scenario(const std::string& text) {
        path = write_temp("listening.scn", text);
        return read_scenario(path, module.gauges(), host.config(),
                             Roles::read(kSource + "/host/data/roles.txt"), default_names());
    }
    std::string path;  // of the last scenario read
};

TEST_F(ListeningCockpit, AMalformedAudioExpectationNamesItsLine) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"expect audio", "expected 'loud' or 'silent' after 'audio'"},
        {"expect audio quiet", "expected 'loud' or 'silent', found 'quiet'"},
        {"expect audio silent 2 times", "'expect audio silent' takes no count"},
        {"expect audio loud twice", "expected 'N times' or 'from A to B seconds', found 'twice'"},
        {"expect audio loud 2 sounds", "expected 'times' after the count"},
        {"expect audio loud from 1 to 2 minutes", "expected 'updates' or 'seconds', found 'minutes'"},
        {"expect audio loud from 1 to 2", "expected 'updates' or 'seconds' after '2'"},
        {"expect audio loud from 0 until 1 seconds", "expected 'from A to B seconds'"},
        {"expect audio loud 2 times 0 to 1 seconds", "expected 'from A to B seconds', found '0'"},
        {"expect audio loud from 2 to 1 seconds", "the stretch from 2 to 1 seconds holds no update"},
        {"expect audio loud from 1.5 to 3 updates", "a number of updates must be whole"},
        {"expect audio silent from -1 to 1 seconds", "a time is 0 or more, found '-1'"},
        {"expect audio silent from 0 to inf seconds", "a time out of range"},
        {"expect audio silent from 0 to 1 seconds now", "unexpected 'now' at the end of the line"},
    };
    // Every problem of the file at once, each with its line, after a good one.
    std::string text = "expect audio loud 0 times from 0 to 1 updates\n";
    for (const Case& c : cases) text += std::string(c.line) + "\n";
    const std::string problems = message_of([&] { scenario(text); });
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NE(problems.find("listening.scn:" + std::to_string(i + 2) + ": " + cases[i].message),
                  std::string::npos)
            << cases[i].line << "\n"
            << problems;
    EXPECT_EQ(problems.find("listening.scn:1:"), std::string::npos) << problems;
}

TEST_F(ListeningCockpit, ListeningAheadOfTheFlightStopsItWithTheLine) {
    const std::vector<Statement> ahead = scenario("run 1 seconds\nexpect audio loud from 0 to 2 seconds\n");
    std::ostringstream report;
    EXPECT_EQ(message_of([&] { run_scenario(ahead, host, report); }),
              path +
                  ":2: the stretch ends 2.000 s after the start, but the flight has come only 1.000 s past "
                  "it: run on before listening");
    const std::vector<Statement> nothing = scenario("mark\nexpect audio silent\n");
    EXPECT_NE(message_of([&] {
                  run_scenario(nothing, host, report);
              }).find(":2: no update has run after the mark: there is nothing to hear yet"),
              std::string::npos);
}

#if !defined(_WIN32)
// Two switch clicks a second apart, counted from a mark 56 updates into the
// flight, once the gong of the start-up cautions has died away: heard at
// their moments, silence between and after.
TEST_F(ListeningCockpit, TheClicksAreHeardWhereTheyHappenedAndSilenceElsewhere) {
    const std::string flight =
        "run 56 updates\n"
        "mark\n"
        "click \"toskelin flt_deck_lt_rulo\" area 0\n"
        "run 1 seconds\n"
        "click \"toskelin flt_deck_lt_rulo\" area 2\n"
        "run 1 seconds\n";
    struct Case {
        const char* expectation;
        const char* failure;  // what the report says; null: it holds
    };
    const Case cases[] = {
        {"expect audio loud from 0 to 1 updates", nullptr},
        {"expect audio loud from 18 to 19 updates", nullptr},
        {"expect audio silent from 4 to 18 updates", nullptr},
        {"expect audio silent from 1.2 to 2 seconds", nullptr},
        {"expect audio loud 2 times", nullptr},
        {"expect audio loud 1 times from 0 to 1 seconds", nullptr},
        {"expect audio loud 0 times from 0.5 to 1 seconds", nullptr},
        {"expect audio silent",
         "expected: silent: every update below -65.0 dBFS from 0.000 s to 2.000 s after the mark\n"
         "  actual:   -41.3 dBFS at 0.000 s; 2 sound(s): 0.000 s to 0.055 s (-41.3 dBFS), "
         "1.000 s to 1.055 s (-41.3 dBFS)"},
        {"expect audio loud from 0.5 to 1 seconds",
         "expected: loud: an update at or above -55.0 dBFS from 0.500 s to 1.000 s after the mark\n"
         "  actual:   the loudest update digital silence at 0.500 s"},
        {"expect audio loud 3 times", "  actual:   2 sound(s): 0.000 s to 0.055 s"},
        {"expect audio silent from 0.9 to 1.1 seconds", "  actual:   -41.3 dBFS at 1.000 s"},
    };
    std::string text = flight;
    for (const Case& c : cases) text += std::string(c.expectation) + "\n";
    std::ostringstream report;
    const int failures = run_scenario(scenario(text), host, report);
    const int first_line = 7;
    int expected_failures = 0;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string where = "listening.scn:" + std::to_string(first_line + i) + ": expectation failed";
        const std::size_t at = report.str().find(where);
        if (cases[i].failure == nullptr) {
            EXPECT_EQ(at, std::string::npos) << cases[i].expectation << "\n" << report.str();
            continue;
        }
        ++expected_failures;
        ASSERT_NE(at, std::string::npos) << cases[i].expectation << "\n" << report.str();
        const std::size_t next = report.str().find("listening.scn:", at + where.size());
        EXPECT_NE(report.str().substr(at, next - at).find(cases[i].failure), std::string::npos)
            << cases[i].expectation << "\n"
            << report.str();
    }
    EXPECT_EQ(failures, expected_failures);
}
#endif

TEST(HostProfile, EffectsApplyInFileOrderAndRampsMoveEachUpdate) {
    LoadedModule module(KADRIMOS_MODULE_PATH);
    std::string profile_path = write_temp("profile.txt",
                                          "integer 848\n"
                                          "initial 848 -1\n"
                                          "on 0x100 toggle 5\n"
                                          "on 0x101 set 6 value\n"
                                          "on 0x102 add 7 2 min 0 max 3\n"
                                          "on 0x103 ramp 8 to 10 rate 18\n"
                                          "on 0x104 set 6 1.5\n"
                                          "on 0x104 add 6 1\n"
                                          "on 0x105 set 9 value times 0.0625\n");
    Trace trace(nullptr, nullptr);
    SimHost host(module, read_panel_config(kSource + "/host/data/panel.cfg", module.gauges()),
                 read_profile(profile_path), Roles{}, trace);
    host.start();
    MODULE_VAR var{};
    var.id = 848;
    host.initialize(&var);
    host.lookup(&var);
    EXPECT_EQ(var.value.bits32, 0xFFFFFFFFu);
    host.set_variable(848, std::nan(""));
    host.lookup(&var);
    EXPECT_EQ(var.value.bits32, 0u) << "NaN serves as 0, without an undefined conversion";

    host.key_event(0x100, 0);
    EXPECT_EQ(host.variable(5), 1.0);
    host.key_event(0x100, 0);
    EXPECT_EQ(host.variable(5), 0.0);
    host.key_event(0x101, 77);
    EXPECT_EQ(host.variable(6), 77.0);
    for (int i = 0; i < 3; ++i) host.key_event(0x102, 0);
    EXPECT_EQ(host.variable(7), 3.0) << "an add stops at its maximum";
    host.key_event(0x104, 0);
    EXPECT_EQ(host.variable(6), 2.5);
    host.key_event(0x105, 16212);
    EXPECT_EQ(host.variable(9), 1013.25) << "the event's value scaled by its factor";

    host.key_event(0x103, 0);  // one unit per update
    for (int i = 0; i < 4; ++i) host.update();
    EXPECT_EQ(host.variable(8), 4.0);
    for (int i = 0; i < 20; ++i) host.update();
    EXPECT_EQ(host.variable(8), 10.0) << "a ramp stops at its target";
}

TEST(HostProfile, AHeldValueLastsWhileItsEventComesAtEveryUpdate) {
    LoadedModule module(KADRIMOS_MODULE_PATH);
    std::string profile_path = write_temp("profile.txt", "on 0x200 hold 9 1 release 0.25\n");
    Trace trace(nullptr, nullptr);
    SimHost host(module, read_panel_config(kSource + "/host/data/panel.cfg", module.gauges()),
                 read_profile(profile_path), Roles{}, trace);
    host.start();
    host.key_event(0x200, 0);
    for (int i = 0; i < 3; ++i) {
        host.update();
        EXPECT_EQ(host.variable(9), 1.0) << "update " << i;
        host.key_event(0x200, 0);
    }
    host.update();
    EXPECT_EQ(host.variable(9), 1.0) << "the event came during this update";
    host.update();
    EXPECT_EQ(host.variable(9), 0.25) << "an update without it releases the value";
    host.key_event(0x200, 0);
    host.set_variable(9, 5);
    host.update();
    host.update();
    EXPECT_EQ(host.variable(9), 5.0) << "a value set from outside is no longer held";
}

TEST(HostProfile, RulesApplyAtTheEndOfEachUpdateWhileAllTheirConditionsHold) {
    LoadedModule module(KADRIMOS_MODULE_PATH);
    std::string profile_path = write_temp("profile.txt",
                                          "when 20 == 1 and 21 < 10 then ramp 21 to 10 rate 36\n"
                                          "when 21 >= 10 then add 22 1 max 3\n"
                                          "when 20 != 1 then ramp 21 to -1 rate 9\n"
                                          "when 23 <= 0 then set 24 7\n");
    Trace trace(nullptr, nullptr);
    SimHost host(module, read_panel_config(kSource + "/host/data/panel.cfg", module.gauges()),
                 read_profile(profile_path), Roles{}, trace);
    host.start();
    host.set_variable(20, 1);
    host.update();
    EXPECT_EQ(host.variable(21), 2.0) << "two units per update";
    EXPECT_EQ(host.variable(24), 7.0);
    for (int i = 0; i < 3; ++i) host.update();
    EXPECT_EQ(host.variable(21), 8.0);
    EXPECT_EQ(host.variable(22), 0.0);
    host.update();
    EXPECT_EQ(host.variable(21), 10.0);
    EXPECT_EQ(host.variable(22), 1.0) << "a rule sees what the rules before it did";
    for (int i = 0; i < 5; ++i) host.update();
    EXPECT_EQ(host.variable(21), 10.0) << "a rule's ramp stops at its target";
    EXPECT_EQ(host.variable(22), 3.0);

    host.set_variable(20, 0);
    host.update();
    EXPECT_EQ(host.variable(21), 9.5);
    host.set_variable(20, std::nan(""));
    host.set_variable(23, std::nan(""));
    host.set_variable(24, 0);
    host.update();
    EXPECT_EQ(host.variable(21), 9.5) << "no comparison with NaN holds, not even !=";
    EXPECT_EQ(host.variable(24), 0.0);
}

TEST(HostProfile, MalformedHoldsAndRulesNameFileAndLine) {
    auto error = [&](const std::string& text) {
        std::string path = write_temp("profile.txt", text);
        std::string m = message_of([&] { read_profile(path); });
        return m.substr(m.find("profile.txt"));
    };
    EXPECT_EQ(error("on 0x200 hold 9 1 0\n"), "profile.txt:1: 'on' is missing words");
    EXPECT_EQ(error("on 0x200 hold 9 1 until 0\n"), "profile.txt:1: expected 'release' after the value held");
    EXPECT_EQ(error("on 0x200 set 9 value by 2\n"), "profile.txt:1: expected 'times' after 'value'");
    EXPECT_EQ(error("on 0x200 set 9 value times\n"), "profile.txt:1: 'on' is missing words");
    EXPECT_EQ(error("on 0x200 set 9 value times 2 3\n"),
              "profile.txt:1: unexpected '3' at the end of the line");
    EXPECT_EQ(error("when 20 = 1 then set 21 0\n"),
              "profile.txt:1: unknown comparison '=' (<, <=, >, >=, == or !=)");
    EXPECT_EQ(error("when 20 == 1 or 21 < 2 then set 21 0\n"),
              "profile.txt:1: expected 'and' or 'then', found 'or'");
    EXPECT_EQ(error("when 20 == 1\n"), "profile.txt:1: expected 'and' or 'then' after '1'");
    EXPECT_EQ(error("when 20 == 1 then toggle 21\n"),
              "profile.txt:1: a rule's effect is set (to a number), add or ramp");
    EXPECT_EQ(error("when 20 == 1 then set 21 value\n"),
              "profile.txt:1: a rule's effect is set (to a number), add or ramp");
    EXPECT_EQ(error("when 20 == 1 then ramp 21 to 5 rate 0\n"), "profile.txt:1: the rate must be above 0");
}

TEST(HostInputs, PanelConfigurationErrorsNameFileAndLine) {
    LoadedModule module(KADRIMOS_MODULE_PATH);
    auto error = [&](const std::string& text) {
        std::string path = write_temp("panel.cfg", text);
        std::string m = message_of([&] { read_panel_config(path, module.gauges()); });
        return m.substr(m.find("panel.cfg"));
    };
    EXPECT_EQ(error("[Window00]\nvisible=1\n[Window01]\nident=10030\n"),
              "panel.cfg:3: window section before this line has no ident=");
    EXPECT_EQ(error("[Window00]\nident=10030\n[Window01]\nident=10030\n"),
              "panel.cfg:4: window 10030 is defined twice");
    EXPECT_EQ(error("[Window00]\nident=10030\ngauge00=testgauge2k, 0, 0, 1, 1\n"),
              "panel.cfg:3: a gauge is module!name, x, y, width, height; found 'testgauge2k, 0, 0, 1, 1'");
    EXPECT_EQ(error("[Window00]\nident=10030\ngauge00=kadrimos!testgauge2k, 0, -4, 1, 1\n"),
              "panel.cfg:3: gauge position and size are whole pixels from 0 to 100000, found '-4'");
    EXPECT_EQ(error("[Window00]\nident=cockpit\n"),
              "panel.cfg:2: window ident must be MAIN_PANEL or a positive number, found 'cockpit'");
    EXPECT_EQ(error("; nothing\n"), "panel.cfg: no [WindowNN] section");
}

TEST(HostInputs, NumbersMustBeWholeWords) {
    EXPECT_EQ(parse_integer("0x10417"), 0x10417);
    EXPECT_EQ(parse_integer("-12"), -12);
    EXPECT_FALSE(parse_integer("12abc"));
    EXPECT_FALSE(parse_integer("0x"));
    EXPECT_FALSE(parse_integer("--3"));
    EXPECT_FALSE(parse_integer("99999999999999999999999"));
    EXPECT_EQ(parse_double("-2.5e3"), -2500.0);
    EXPECT_TRUE(std::isnan(*parse_double("nan")));
    EXPECT_EQ(parse_double("-inf"), -HUGE_VAL);
    EXPECT_FALSE(parse_double("1e999"));
    EXPECT_FALSE(parse_double("1.5.2"));
    EXPECT_EQ(split_words("click \"a b\" at 1 2 # comment", "w"),
              (std::vector<std::string>{"click", "a b", "at", "1", "2"}));
}

}  // namespace
}  // namespace kadrimos::host_sim

namespace kadrimos::host_sim {
namespace {

// --- The simulator's own clocks ------------------------------------------------

// The engines' working time runs as the simulator runs it: while either
// engine burns fuel, and only then (a profile of its own, so that no rule of
// the default one moves the fuel flows).
TEST(SimulatorClocks, TheEnginesWorkingTimeRunsWhileAnEngineBurnsFuel) {
    LoadedModule module(KADRIMOS_MODULE_PATH);
    const std::string profile_path = ::testing::TempDir() + "empty_profile.txt";
    std::ofstream(profile_path, std::ios::binary) << "# nothing\n";
    Trace trace(nullptr, nullptr);
    SimHost host(module, read_panel_config(kSource + "/host/data/panel.cfg", module.gauges()),
                 read_profile(profile_path), Roles{}, trace);
    host.start();
    auto run = [&host](int updates) {
        for (int i = 0; i < updates; ++i) host.update();
    };
    run(18);
    EXPECT_EQ(host.variable(kTokenEngineWorkingTime), 0.0);
    host.set_variable(kTokenFuelFlow2, 900);
    run(36);
    EXPECT_NEAR(host.variable(kTokenEngineWorkingTime), 2.0, 1e-9);
    host.set_variable(kTokenFuelFlow1, 900);
    run(18);
    EXPECT_NEAR(host.variable(kTokenEngineWorkingTime), 3.0, 1e-9) << "two engines count once";
    host.set_variable(kTokenFuelFlow1, 0);
    host.set_variable(kTokenFuelFlow2, 0);
    run(18);
    EXPECT_NEAR(host.variable(kTokenEngineWorkingTime), 3.0, 1e-9);
    host.finish();
}

// --- Names of host variables and key events ------------------------------------

TEST(Names, AMalformedNamesFileIsRefusedWithFileAndLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"token 1 TICK18\ntoken 1 OTHER\n", "names.txt:2: token 1 is named twice"},
        {"token 1 TICK18\ntoken 2 TICK18\n", "names.txt:2: the name TICK18 is given twice"},
        {"tokens 1 TICK18\n", "names.txt:1: expected 'token' or 'event', not 'tokens'"},
        {"event 0x90000 FAR_AWAY\n", "names.txt:1: an event id 589824 is out of range"},
        {"token 60 ON_GROUND maybe\n", "names.txt:1: expected 'role' after the name, not 'maybe'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = ::testing::TempDir() + "names.txt";
        std::ofstream(path, std::ios::binary) << c.text;
        std::string message;
        try {
            Names::read(path);
        } catch (const InputError& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

TEST(Names, NamesAndNumbersBothWaysWithCloseNamesForAMisspelling) {
    const std::string path = ::testing::TempDir() + "good_names.txt";
    std::ofstream(path, std::ios::binary) << "token 624 TURB_ENGINE_1_N1\ntoken 625 TURB_ENGINE_1_N2\n"
                                             "event 0x102FC TOGGLE_STARTER1\nevent 0x10417 TEST_EVENT role\n";
    const Names names = Names::read(path);
    uint32_t number = 0;
    EXPECT_TRUE(names.token_named("TURB_ENGINE_1_N2", number));
    EXPECT_EQ(number, 625u);
    EXPECT_TRUE(names.event_named("TEST_EVENT", number));
    EXPECT_EQ(number, 0x10417u);
    EXPECT_FALSE(names.token_named("TOGGLE_STARTER1", number)) << "an event's name is no variable's";
    EXPECT_EQ(names.describe_token(625), "TURB_ENGINE_1_N2 (625)");
    EXPECT_EQ(names.describe_token(61), "61");
    EXPECT_EQ(names.describe_event(0x102FC), "TOGGLE_STARTER1 (0x102FC)");
    EXPECT_EQ(names.describe_event(0x10001), "0x10001");
    EXPECT_EQ(names.close_tokens("turb_engine1_n2", 1), "TURB_ENGINE_1_N2");
}

// --- The timeline's runs of repeated lines -------------------------------------

TEST(TimelineRuns, AnEventAtEveryUpdatePrintsOnceAndItsRunWhenItStops) {
    std::ostringstream out;
    Trace trace(&out, nullptr);
    for (int64_t tick = 1; tick <= 4; ++tick) {
        trace.event(tick, 0x102FC, 0);
        trace.end_update(tick);
    }
    trace.end_update(5);         // the run ends: its line comes now
    trace.event(7, 0x102FC, 0);  // alone: one line, no run
    trace.end_update(7);
    trace.end_update(8);
    trace.event(9, 0x102FD, 1);
    trace.event(9, 0x102FD, 1);  // twice in one update is still one
    trace.end_update(9);
    trace.finish(9);
    const std::string text = out.str();
    auto count = [&text](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("key event 0x102FC value 0\n"), 2u) << text;
    EXPECT_EQ(count("key event 0x102FC value 0 every update from 0.055 s to 0.222 s (4 times)"), 1u) << text;
    EXPECT_NE(text.find("tick      5  key event 0x102FC value 0 every update"), std::string::npos) << text;
    EXPECT_EQ(count("0x102FD value 1\n"), 1u) << text;
    EXPECT_EQ(count("every update"), 1u) << text;
}

}  // namespace
}  // namespace kadrimos::host_sim
