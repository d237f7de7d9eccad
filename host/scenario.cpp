#include "scenario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "hearing.h"
#include "memory.h"
#include "motion_script.h"

namespace kadrimos::host_sim {
namespace {

// Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB,
// so resident memory says nothing about growth.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr int64_t kMaxTicks = 18LL * 3600 * 24 * 30;  // a month of flying

uint32_t read_token(const Line& line, std::size_t i, const Names& names) { return names.token_at(line, i); }
uint32_t read_event(const Line& line, std::size_t i, const Names& names) { return names.event_at(line, i); }

// "N updates" or "S seconds" at words i, i+1.
int64_t read_duration(const Line& line, std::size_t i) {
    double amount = need_double(line, i, "a duration");
    const std::string& unit = need_word(line, i + 1, "'updates' or 'seconds'");
    double ticks = 0;
    if (unit == "updates" || unit == "update") {
        ticks = amount;
        if (ticks != std::floor(ticks)) line.fail("a number of updates must be whole");
    } else if (unit == "seconds" || unit == "second") {
        ticks = std::round(amount * kTicksPerSecond);
    } else {
        line.fail("expected 'updates' or 'seconds', found '" + unit + "'");
    }
    if (!(ticks >= 0 && ticks <= static_cast<double>(kMaxTicks))) line.fail("duration out of range");
    return static_cast<int64_t>(ticks);
}

// A moment "A seconds|updates" at words i, i+1, as a number of updates:
// seconds are rounded to the nearest update, as `run` rounds them.
int64_t read_moment(const Line& line, std::size_t i, const std::string& unit) {
    const double amount = need_double(line, i, "a time");
    if (!(amount >= 0)) line.fail("a time is 0 or more, found '" + line.words[i] + "'");
    double ticks = amount;
    if (unit == "updates" || unit == "update") {
        if (ticks != std::floor(ticks)) line.fail("a number of updates must be whole");
    } else if (unit == "seconds" || unit == "second") {
        ticks = std::round(amount * kTicksPerSecond);
    } else {
        line.fail("expected 'updates' or 'seconds', found '" + unit + "'");
    }
    if (!(ticks <= static_cast<double>(kMaxTicks))) line.fail("a time out of range");
    return static_cast<int64_t>(ticks);
}

// expect audio loud|silent [N times] [from A to B seconds|updates]
void read_audio(const Line& line, Statement& s) {
    s.kind = Statement::Kind::ExpectAudio;
    const std::string& how = need_word(line, 2, "'loud' or 'silent'");
    if (how != "loud" && how != "silent") line.fail("expected 'loud' or 'silent', found '" + how + "'");
    s.loud = how == "loud";
    std::size_t i = 3;
    if (i < line.words.size() && line.words[i] != "from") {
        if (!s.loud) line.fail("'expect audio silent' takes no count: say where, 'from A to B seconds'");
        if (!parse_integer(line.words[i]))
            line.fail("expected 'N times' or 'from A to B seconds', found '" + line.words[i] + "'");
        s.count = need_integer(line, i, "a count", 0, 1000000);
        if (need_word(line, i + 1, "'times'") != "times") line.fail("expected 'times' after the count");
        i += 2;
    }
    if (i < line.words.size()) {
        if (line.words[i] != "from")
            line.fail("expected 'from A to B seconds', found '" + line.words[i] + "'");
        if (need_word(line, i + 2, "'to'") != "to") line.fail("expected 'from A to B seconds'");
        const std::string& unit = need_word(line, i + 4, "'updates' or 'seconds'");
        s.from_update = read_moment(line, i + 1, unit);
        s.to_update = read_moment(line, i + 3, unit);
        if (s.to_update <= s.from_update)
            line.fail("the stretch from " + line.words[i + 1] + " to " + line.words[i + 3] + " " + unit +
                      " holds no update: its end must come after its start");
        need_count(line, i + 5, i + 5);
    }
}

// What a scenario is checked against while it is read.
struct Cockpit {
    const std::vector<GAUGEHDR*>& catalogue;
    const PanelConfig& config;
    const Roles& roles;
    const Names& names;
};

GAUGEHDR* read_gauge(const Line& line, std::size_t i, const std::vector<GAUGEHDR*>& catalogue) {
    const std::string& name = need_word(line, i, "a gauge name in quotes");
    for (GAUGEHDR* g : catalogue)
        if (name == g->gauge_name) return g;
    line.fail("no gauge named \"" + name + "\" in the module");
}

// An element by number or by its role label.
int read_element(const Line& line, std::size_t i, const GAUGEHDR* gauge, const Roles& roles) {
    auto count = static_cast<int64_t>(SimHost::elements_of(gauge).size());
    const std::string& word = need_word(line, i, "an element number or label");
    if (parse_integer(word))
        return static_cast<int>(need_integer(line, i, "an element number", 0, count - 1));
    int element = roles.element_labelled(gauge->gauge_name, word);
    if (element < 0)
        line.fail(std::string("no element of \"") + gauge->gauge_name + "\" is labelled \"" + word +
                  "\"; its labels: " + roles.element_labels(gauge->gauge_name));
    if (element >= count)
        line.fail("the role labels name element " + std::to_string(element) + " \"" + word + "\", but \"" +
                  gauge->gauge_name + "\" has " + std::to_string(count) + " elements");
    return element;
}

uint32_t read_window(const Line& line, std::size_t i, const PanelConfig& config) {
    const std::string& w = need_word(line, i, "a window (MAIN_PANEL or its number)");
    uint32_t ident = 0;
    if (!parse_window_ident(w, ident))
        line.fail("expected a window (MAIN_PANEL or its number), found '" + w + "'");
    if (config.find(ident) == nullptr) line.fail("the panel configuration has no window " + w);
    return ident;
}

// "area N", "at X Y" or an area's label from word i; returns the next
// word's index.
std::size_t read_target(const Line& line, std::size_t i, Statement& s, const Roles& roles) {
    const std::string& how = need_word(line, i, "'area N', 'at X Y' or an area's label");
    auto areas = SimHost::areas_of(s.gauge);
    auto press_middle = [&] {
        const MOUSERECT* r = areas[static_cast<std::size_t>(s.area)];
        s.point = {r->box.x + r->box.width / 2, r->box.y + r->box.height / 2};
    };
    if (how == "area") {
        if (areas.empty()) line.fail(std::string("\"") + s.gauge->gauge_name + "\" has no mouse area");
        s.area = static_cast<int>(
            need_integer(line, i + 1, "an area number", 0, static_cast<int64_t>(areas.size()) - 1));
        press_middle();
        return i + 2;
    }
    if (how == "at") {
        s.point.x = static_cast<int32_t>(need_integer(line, i + 1, "x in gauge pixels", -100000, 100000));
        s.point.y = static_cast<int32_t>(need_integer(line, i + 2, "y in gauge pixels", -100000, 100000));
        for (std::size_t k = 0; k < areas.size(); ++k) {
            const PIXBOX& b = areas[k]->box;
            if (s.point.x >= b.x && s.point.x < b.x + b.width && s.point.y >= b.y &&
                s.point.y < b.y + b.height) {
                s.area = static_cast<int>(k);
                return i + 3;
            }
        }
        line.fail("no mouse area of \"" + std::string(s.gauge->gauge_name) + "\" under (" +
                  std::to_string(s.point.x) + ", " + std::to_string(s.point.y) + ")");
    }
    s.area = roles.area_labelled(s.gauge->gauge_name, how);
    if (s.area < 0)
        line.fail(std::string("no mouse area of \"") + s.gauge->gauge_name + "\" is labelled \"" + how +
                  "\"; its areas: " + roles.area_labels(s.gauge->gauge_name));
    if (static_cast<std::size_t>(s.area) >= areas.size())
        line.fail("the role labels name area " + std::to_string(s.area) + " \"" + how + "\", but \"" +
                  s.gauge->gauge_name + "\" has " + std::to_string(areas.size()) + " areas");
    press_middle();
    return i + 1;
}

// Optional "within T" at word i.
void read_tolerance(const Line& line, std::size_t i, Statement& s) {
    if (i >= line.words.size()) return;
    if (line.words[i] != "within") line.fail("expected 'within TOLERANCE', found '" + line.words[i] + "'");
    s.tolerance = need_double(line, i + 1, "a tolerance");
    if (!(s.tolerance >= 0)) line.fail("a tolerance is 0 or more");
    need_count(line, i + 2, i + 2);
}

// The expected value from word i on: V [within T], above V, below V,
// between V and V2, or nan.
void read_expected(const Line& line, std::size_t i, Statement& s) {
    const std::string& first = need_word(line, i, "the expected value");
    if (first == "nan") {
        s.compare = Compare::nan;
        need_count(line, i + 1, i + 1);
    } else if (first == "above" || first == "below") {
        s.compare = first == "above" ? Compare::above : Compare::below;
        s.value = need_double(line, i + 1, "the bound");
        need_count(line, i + 2, i + 2);
    } else if (first == "between") {
        s.compare = Compare::between;
        s.value = need_double(line, i + 1, "the lower end");
        if (need_word(line, i + 2, "'and'") != "and") line.fail("expected 'between A and B'");
        s.value2 = need_double(line, i + 3, "the upper end");
        if (!(s.value <= s.value2)) line.fail("between A and B needs A no greater than B");
        need_count(line, i + 4, i + 4);
    } else {
        s.compare = Compare::equal;
        s.value = need_double(line, i, "the expected value");
        read_tolerance(line, i + 1, s);
    }
}

// Whether `actual` is what the statement expects, and the expectation in words.
bool holds(const Statement& s, double actual) {
    switch (s.compare) {
        case Compare::nan:
            return std::isnan(actual);
        case Compare::above:
            return actual > s.value;
        case Compare::below:
            return actual < s.value;
        case Compare::between:
            return actual >= s.value && actual <= s.value2;
        case Compare::equal:
            break;
    }
    return std::fabs(actual - s.value) <= s.tolerance;
}

Statement read_expect(const Line& line, const Cockpit& cockpit) {
    Statement s;
    s.line = line;
    const std::string& what = need_word(line, 1, "what to expect");
    if (what == "shown" || what == "hidden") {
        need_count(line, 4, 4);
        s.kind = what == "shown" ? Statement::Kind::ExpectShown : Statement::Kind::ExpectHidden;
        s.gauge = read_gauge(line, 2, cockpit.catalogue);
        s.element = read_element(line, 3, s.gauge, cockpit.roles);
    } else if (what == "value") {
        s.kind = Statement::Kind::ExpectValue;
        s.gauge = read_gauge(line, 2, cockpit.catalogue);
        s.element = read_element(line, 3, s.gauge, cockpit.roles);
        std::size_t i = 4;
        if (i < line.words.size() && (line.words[i] == "x" || line.words[i] == "y"))
            s.axis = line.words[i++][0];
        read_expected(line, i, s);
    } else if (what == "text") {
        need_count(line, 5, 5);
        s.kind = Statement::Kind::ExpectText;
        s.gauge = read_gauge(line, 2, cockpit.catalogue);
        s.element = read_element(line, 3, s.gauge, cockpit.roles);
        if (SimHost::elements_of(s.gauge)[static_cast<std::size_t>(s.element)]->element_type !=
            ELEMENT_TYPE_STRING)
            line.fail("element " + std::to_string(s.element) + " of \"" + s.gauge->gauge_name +
                      "\" is not a string");
        s.text = line.words[4];
    } else if (what == "no" && line.words.size() > 2 && line.words[2] == "sound") {
        // expect no sound NAME
        need_count(line, 4, 4);
        s.kind = Statement::Kind::ExpectNoSound;
        s.text = line.words[3];
    } else if (what == "event" || what == "no") {
        std::size_t i = 2;
        s.kind = Statement::Kind::ExpectEvent;
        if (what == "no") {
            if (need_word(line, 2, "'event'") != "event") line.fail("expected 'event' after 'no'");
            s.kind = Statement::Kind::ExpectNoEvent;
            i = 3;
        }
        s.token = read_event(line, i, cockpit.names);
        if (i + 1 < line.words.size()) {
            if (line.words[i + 1] != "value")
                line.fail("expected 'value V', found '" + line.words[i + 1] + "'");
            s.has_value = true;
            s.event_value =
                static_cast<uint32_t>(need_integer(line, i + 2, "an event value", INT32_MIN, 0xFFFFFFFF));
            need_count(line, i + 3, i + 3);
        }
    } else if (what == "window") {
        need_count(line, 4, 4);
        s.kind = Statement::Kind::ExpectWindow;
        const std::string& state = line.words[2];
        if (state != "open" && state != "closed")
            line.fail("expected 'open' or 'closed', found '" + state + "'");
        s.open = state == "open";
        s.window = read_window(line, 3, cockpit.config);
    } else if (what == "sound") {
        // expect sound NAME played|looping|stopped [N times]
        s.kind = Statement::Kind::ExpectSound;
        s.text = need_word(line, 2, "a sound name");
        const std::string& how = need_word(line, 3, "'played', 'looping' or 'stopped'");
        if (how != "played" && how != "looping" && how != "stopped")
            line.fail("expected 'played', 'looping' or 'stopped', found '" + how + "'");
        s.sound_state = how;
        if (line.words.size() > 4) {
            s.count = need_integer(line, 4, "a count", 0, 1000000);
            if (need_word(line, 5, "'times'") != "times") line.fail("expected 'times' after the count");
            need_count(line, 6, 6);
        }
    } else if (what == "audio") {
        read_audio(line, s);
    } else if (what == "memory") {
        // expect memory within N kB
        need_count(line, 5, 5);
        s.kind = Statement::Kind::ExpectMemory;
        if (line.words[2] != "within") line.fail("expected 'within' after 'memory'");
        s.kib = need_integer(line, 3, "a size in kB", 0, 100000000);
        if (line.words[4] != "kB") line.fail("expected 'kB' after the size");
    } else if (what == "var") {
        s.kind = Statement::Kind::ExpectVar;
        s.token = read_token(line, 2, cockpit.names);
        read_expected(line, 3, s);
    } else {
        line.fail("unknown expectation '" + what +
                  "' (shown, hidden, value, text, event, no event, window, var, sound, no sound, audio, "
                  "memory)");
    }
    return s;
}

Statement read_statement(const Line& line, const Cockpit& cockpit) {
    Statement s;
    s.line = line;
    const std::string& verb = line.words[0];
    if (verb == "set") {
        need_count(line, 3, 3);
        s.kind = Statement::Kind::Set;
        s.token = read_token(line, 1, cockpit.names);
        s.value = need_double(line, 2, "the value");
    } else if (verb == "ramp") {
        // ramp TOKEN to VALUE over N seconds|updates
        need_count(line, 7, 7);
        s.kind = Statement::Kind::Ramp;
        s.token = read_token(line, 1, cockpit.names);
        if (line.words[2] != "to") line.fail("expected 'to' after the token");
        s.value = need_double(line, 3, "the target value");
        if (line.words[4] != "over") line.fail("expected 'over' after the target");
        s.ticks = read_duration(line, 5);
    } else if (verb == "calc") {
        need_count(line, 3, 3);
        s.kind = Statement::Kind::Calc;
        s.text = line.words[1];
        s.value = need_double(line, 2, "the value");
    } else if (verb == "click") {
        s.kind = Statement::Kind::Click;
        s.gauge = read_gauge(line, 1, cockpit.catalogue);
        std::size_t end = read_target(line, 2, s, cockpit.roles);
        need_count(line, end, end);
    } else if (verb == "hold") {
        // hold GAUGE (area N | at X Y) for DURATION
        s.kind = Statement::Kind::Hold;
        s.gauge = read_gauge(line, 1, cockpit.catalogue);
        std::size_t i = read_target(line, 2, s, cockpit.roles);
        if (need_word(line, i, "'for'") != "for") line.fail("expected 'for' and a duration");
        s.ticks = read_duration(line, i + 1);
        need_count(line, i + 3, i + 3);
    } else if (verb == "open" || verb == "close") {
        need_count(line, 2, 2);
        s.kind = verb == "open" ? Statement::Kind::Open : Statement::Kind::Close;
        s.window = read_window(line, 1, cockpit.config);
    } else if (verb == "run") {
        need_count(line, 3, 3);
        s.kind = Statement::Kind::Run;
        s.ticks = read_duration(line, 1);
    } else if (verb == "mark") {
        need_count(line, 1, 2);
        s.kind = Statement::Kind::Mark;
        if (line.words.size() == 2) {
            if (line.words[1] != "memory") line.fail("expected 'mark' alone or 'mark memory'");
            s.kind = Statement::Kind::MarkMemory;
        }
    } else if (verb == "picture") {
        need_count(line, 2, 2);
        s.kind = Statement::Kind::Picture;
        s.text = need_word(line, 1, "the moment's name");
        if (s.text.empty()) line.fail("a picture needs a name for its moment");
    } else if (verb == "show") {
        // show "GAUGE" | show state
        need_count(line, 2, 2);
        if (line.words[1] == "state") {
            s.kind = Statement::Kind::ShowState;
        } else {
            s.kind = Statement::Kind::Show;
            s.gauge = read_gauge(line, 1, cockpit.catalogue);
        }
    } else if (verb == "trace") {
        // trace value "GAUGE" ELEMENT
        need_count(line, 4, 4);
        if (line.words[1] != "value") line.fail("expected 'trace value \"GAUGE\" ELEMENT'");
        s.kind = Statement::Kind::TraceValue;
        s.gauge = read_gauge(line, 2, cockpit.catalogue);
        s.element = read_element(line, 3, s.gauge, cockpit.roles);
    } else if (verb == "repeat") {
        // repeat N ... end
        need_count(line, 2, 2);
        s.kind = Statement::Kind::Repeat;
        s.count = need_integer(line, 1, "a repeat count", 1, 100000000);
    } else if (verb == "end") {
        need_count(line, 1, 1);
        s.kind = Statement::Kind::End;
    } else if (verb == "expect") {
        return read_expect(line, cockpit);
    } else if (is_motion_verb(verb)) {
        s.kind = Statement::Kind::Motion;
        s.motion = read_motion_statement(line);
    } else if (is_station_verb(verb)) {
        s.kind = Statement::Kind::Station;
        s.station = read_station_statement(line);
    } else {
        line.fail("unknown statement '" + verb + "'");
    }
    return s;
}

std::string number(double v) {
    std::ostringstream s;
    s.precision(10);
    s << v;
    return s.str();
}

std::string expected_text(const Statement& s) {
    switch (s.compare) {
        case Compare::nan:
            return "not a number";
        case Compare::above:
            return "above " + number(s.value);
        case Compare::below:
            return "below " + number(s.value);
        case Compare::between:
            return "between " + number(s.value) + " and " + number(s.value2);
        case Compare::equal:
            break;
    }
    return number(s.value) + (s.tolerance > 0 ? " within " + number(s.tolerance) : "");
}

// A stretch of updates as the timeline writes a moment: "1.055 s".
std::string seconds_text(int64_t updates) {
    const int64_t ms = updates * 1000 / kTicksPerSecond;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%03lld s", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

// The sounds a listener heard, each from its first update to the end of
// its last, in seconds after `origin`.
std::string bursts_text(const Listener& heard, int64_t origin) {
    constexpr std::size_t kMostListed = 8;
    const std::vector<Burst>& bursts = heard.bursts();
    std::string text = std::to_string(bursts.size()) + " sound(s)";
    for (std::size_t i = 0; i < bursts.size() && i < kMostListed; ++i)
        text += std::string(i == 0 ? ": " : ", ") + seconds_text(bursts[i].first - origin) + " to " +
                seconds_text(bursts[i].last + 1 - origin) + " (" + dbfs_text(bursts[i].loudest_dbfs) + ")";
    if (bursts.size() > kMostListed) text += ", ...";
    return text;
}

// Listens to updates [from, to) of the track and says whether the
// expectation holds; if not, what was expected and heard, the times counted
// from `origin` (the mark).
bool hear_as_expected(const Statement& s, const AudioTrack& track, int64_t from, int64_t to, int64_t origin,
                      std::string& expected, std::string& actual) {
    Listener heard;
    track.listen(from, to, [&heard](int64_t tick, double dbfs) { heard.hear(tick, dbfs); });
    heard.finish();
    const std::string loudest = "the loudest update " + dbfs_text(heard.loudest_dbfs()) + " at " +
                                seconds_text(heard.loudest_tick() - origin);
    if (!s.loud) {
        expected = "silent: every update below " + dbfs_text(kSilentDbfs);
        actual = dbfs_text(heard.first_sound_dbfs()) + " at " +
                 seconds_text(heard.first_sound_tick() - origin) + "; " + bursts_text(heard, origin);
        return heard.silent();
    }
    if (s.count < 0) {
        expected = "loud: an update at or above " + dbfs_text(kLoudDbfs);
        actual = loudest;
        return heard.loud();
    }
    expected = std::to_string(s.count) + " sound(s) loud, at or above " + dbfs_text(kLoudDbfs) +
               ", set apart by " + std::to_string(kPauseUpdates) + " silent updates or more";
    actual = bursts_text(heard, origin) + "; " + loudest;
    return static_cast<int64_t>(heard.bursts().size()) == s.count;
}

void require_open(const Statement& s, const SimHost& host) {
    if (!host.gauge_on_open_window(s.gauge))
        s.line.fail(std::string("\"") + s.gauge->gauge_name +
                    "\" is on no open window: the pilot cannot click it");
}

}  // namespace

std::vector<Statement> read_scenario(const std::string& path, const std::vector<GAUGEHDR*>& catalogue,
                                     const PanelConfig& config, const Roles& roles, const Names& names) {
    const Cockpit cockpit{catalogue, config, roles, names};
    std::vector<Statement> statements;
    std::vector<std::size_t> open_repeats;
    // Every problem of the file is reported in one go, up to a limit, so that
    // an author fixes them all at once rather than one run at a time.
    std::vector<std::string> problems;
    auto problem = [&problems](const std::exception& e) {
        if (problems.size() < kMostProblemsReported)
            problems.push_back(e.what());
        else if (problems.size() == kMostProblemsReported)
            problems.push_back("... and more problems");
    };
    // A manoeuvre needs the aircraft placed by a line before it; terrain and
    // temperature may come first.
    bool placed = false;
    for (const Line& line : read_lines(path)) {
        try {
            Statement s = read_statement(line, cockpit);
            if (s.kind == Statement::Kind::Motion) {
                using M = MotionCommand::Kind;
                const M kind = s.motion.kind;
                if (kind == M::Place) placed = true;
                if (!placed && kind != M::Place && kind != M::Terrain && kind != M::Temperature)
                    line.fail(
                        "the aircraft is placed by no line before this one: begin with 'aircraft on "
                        "ground at ALT ft' or 'aircraft at ALT ft SPEED kt'");
            }
            if (s.kind == Statement::Kind::End) {
                if (open_repeats.empty()) line.fail("'end' without a 'repeat'");
                s.partner = open_repeats.back();
                statements[s.partner].partner = statements.size();
                open_repeats.pop_back();
            }
            statements.push_back(std::move(s));
            if (statements.back().kind == Statement::Kind::Repeat)
                open_repeats.push_back(statements.size() - 1);
        } catch (const InputError& e) {
            problem(e);
        }
    }
    for (std::size_t open : open_repeats) {
        try {
            statements[open].line.fail("'repeat' without an 'end'");
        } catch (const InputError& e) {
            problem(e);
        }
    }
    if (!problems.empty()) throw InputError(problems);
    return statements;
}

int run_scenario(const std::vector<Statement>& statements, SimHost& host, std::ostream& report) {
    int failures = 0;
    bool marked = false;  // expectations look at events and sounds since a mark
    int64_t mark_tick = 0;
    int64_t memory_mark_kib = -1;
    std::vector<int64_t> repeats_left;  // of the repeat blocks being run, innermost last
    auto fail = [&](const Statement& s, const std::string& expected, const std::string& actual) {
        ++failures;
        report << s.line.where() << ": expectation failed: " << s.line.text << "\n  expected: " << expected
               << "\n  actual:   " << actual << "\n";
    };
    for (std::size_t at = 0; at < statements.size(); ++at) {
        const Statement& s = statements[at];
        using K = Statement::Kind;
        switch (s.kind) {
            case K::Repeat:
                repeats_left.push_back(s.count);
                break;
            case K::End:
                if (--repeats_left.back() > 0) {
                    at = s.partner;  // the loop's ++at goes on with the block's first statement
                } else {
                    repeats_left.pop_back();
                }
                break;
            case K::MarkMemory:
                memory_mark_kib = resident_kib();
                break;
            case K::ExpectMemory: {
                const int64_t now = resident_kib();
                if (kAddressSanitizer) {
                    report << s.line.where()
                           << ": skipped: AddressSanitizer holds freed memory back (it finds leaks itself)\n";
                } else if (memory_mark_kib < 0 || now < 0) {
                    report << s.line.where()
                           << ": skipped: no memory mark, or this host cannot read its memory\n";
                } else if (now - memory_mark_kib > s.kib) {
                    fail(s,
                         "at most " + std::to_string(s.kib) + " kB more than at the mark (" +
                             std::to_string(memory_mark_kib) + " kB)",
                         std::to_string(now) + " kB, " + std::to_string(now - memory_mark_kib) + " kB more");
                }
                break;
            }
            case K::Set:
                host.set_variable(s.token, s.value);
                break;
            case K::Ramp:
                host.ramp_variable(s.token, s.value, s.ticks);
                break;
            case K::Calc:
                host.set_calculator(s.text, s.value);
                break;
            case K::Click:
                require_open(s, host);
                host.click(s.gauge, s.area, s.point);
                break;
            case K::Hold:
                require_open(s, host);
                for (int64_t t = 0; t < s.ticks; ++t) {
                    host.click(s.gauge, s.area, s.point);
                    host.update();
                }
                break;
            case K::Open:
                host.open_window(s.window);
                break;
            case K::Close:
                host.close_window(s.window);
                break;
            case K::Run:
                for (int64_t t = 0; t < s.ticks; ++t) host.update();
                break;
            case K::Picture:
                host.picture(s.text);
                break;
            case K::Show:
                host.show(s.gauge);
                break;
            case K::ShowState:
                host.show_state();
                break;
            case K::TraceValue:
                host.trace_value(s.gauge, s.element);
                break;
            case K::Motion: {
                // Only now is it known where the aircraft is: a climb to
                // below it stops the flight as any bad input does.
                const std::string why = host.move_aircraft(s.motion);
                if (!why.empty()) s.line.fail(why);
                break;
            }
            case K::Station:
                host.place_station(s.station);
                break;
            case K::Mark:
                host.forget_history();
                marked = true;
                mark_tick = host.tick();
                break;
            case K::ExpectAudio: {
                // The stretch is checked on every host, so that a scenario
                // that listens ahead of the flight fails alike everywhere.
                const int64_t now = host.tick();
                const std::string since = marked ? " after the mark" : " after the start";
                const int64_t from = mark_tick + std::max<int64_t>(s.from_update, 0);
                const int64_t to = s.to_update >= 0 ? mark_tick + s.to_update : now;
                if (to > now)
                    s.line.fail("the stretch ends " + seconds_text(to - mark_tick) + since +
                                ", but the flight has come only " + seconds_text(now - mark_tick) +
                                " past it: run on before listening");
                if (to <= from) s.line.fail("no update has run" + since + ": there is nothing to hear yet");
                if (!SimHost::kHearsSounds) {
                    report << s.line.where() << ": skipped: this host cannot hear the sound card\n";
                    break;
                }
                std::string expected, actual;
                if (!hear_as_expected(s, host.audio(), from, to, mark_tick, expected, actual))
                    fail(s,
                         expected + " from " + seconds_text(from - mark_tick) + " to " +
                             seconds_text(to - mark_tick) + since,
                         actual);
                break;
            }
            case K::ExpectSound:
            case K::ExpectNoSound: {
                if (!SimHost::kHearsSounds) {
                    report << s.line.where() << ": skipped: this host cannot hear the sound card\n";
                    break;
                }
                int64_t seen = 0;
                const auto& sounds = host.sounds();
                for (std::size_t i = 0; i < sounds.size(); ++i)
                    if (sounds[i].name == s.text &&
                        (s.kind == K::ExpectNoSound || sounds[i].what == s.sound_state))
                        ++seen;
                const std::string since = marked ? " since the mark" : " since the start";
                if (s.kind == K::ExpectNoSound) {
                    if (seen != 0)
                        fail(s, "no request for " + s.text, std::to_string(seen) + " request(s)" + since);
                } else if (s.count >= 0 ? seen != s.count : seen == 0) {
                    fail(s,
                         s.text + " " + s.sound_state +
                             (s.count >= 0 ? " " + std::to_string(s.count) + " time(s)" : ""),
                         s.sound_state + " " + std::to_string(seen) + " time(s)" + since);
                }
                break;
            }
            case K::ExpectShown:
            case K::ExpectHidden: {
                const ELEMENT_HEADER* e = SimHost::elements_of(s.gauge)[static_cast<std::size_t>(s.element)];
                bool shown = (e->image_flags & IMAGE_HIDDEN) == 0;
                bool want = s.kind == K::ExpectShown;
                if (shown != want) fail(s, want ? "shown" : "hidden", shown ? "shown" : "hidden");
                break;
            }
            case K::ExpectValue: {
                const ELEMENT_HEADER* e = SimHost::elements_of(s.gauge)[static_cast<std::size_t>(s.element)];
                const DrawnValue* v = host.drawn(e);
                if (v == nullptr) {
                    fail(s, expected_text(s),
                         "the element has not been drawn (no value callback, or no update yet)");
                    break;
                }
                double actual = s.axis == 'x' ? v->x : s.axis == 'y' ? v->y : v->main;
                if (!holds(s, actual)) fail(s, expected_text(s), number(actual));
                break;
            }
            case K::ExpectText: {
                const auto* e = reinterpret_cast<const ELEMENT_STRING*>(
                    SimHost::elements_of(s.gauge)[static_cast<std::size_t>(s.element)]);
                std::string actual = e->string != nullptr ? std::string(e->string) : std::string();
                if (actual != s.text) fail(s, "\"" + s.text + "\"", "\"" + actual + "\"");
                break;
            }
            case K::ExpectEvent:
            case K::ExpectNoEvent: {
                std::size_t seen = 0;
                const auto& events = host.events();
                for (std::size_t i = 0; i < events.size(); ++i)
                    if (events[i].id == s.token && (!s.has_value || events[i].value == s.event_value)) ++seen;
                bool want = s.kind == K::ExpectEvent;
                if ((seen > 0) != want)
                    fail(s, want ? "the event sent" : "the event not sent",
                         "sent " + std::to_string(seen) + " time(s) since " +
                             (marked ? "the mark" : "the start"));
                break;
            }
            case K::ExpectWindow:
                if (host.window_open(s.window) != s.open)
                    fail(s, s.open ? "open" : "closed", host.window_open(s.window) ? "open" : "closed");
                break;
            case K::ExpectVar: {
                double actual = host.variable(s.token);
                if (!holds(s, actual)) fail(s, expected_text(s), number(actual));
                break;
            }
        }
    }
    return failures;
}

}  // namespace kadrimos::host_sim
