// The timeline of a simulated flight: what changed, when. Written twice: as
// readable text lines and, if asked, as JSON lines for tools. Times are
// derived from the tick count with integer arithmetic so that every platform
// prints the same characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kadrimos::host_sim {

// Role labels of elements and mouse areas, by gauge name and number:
//   "toskelin elec_batt_rulo" 9 "BAT 1 OFF"
//   "toskelin elec_batt_rulo" area 2 "BAT 1 OFF"
// Element 0 is the background unless a line names it otherwise. Within a
// gauge a number has one label and a label one number, so that a scenario
// can name an element or an area by its label.
class Roles {
public:
    static Roles read(const std::string& path);  // throws InputError
    // Both return an error message, empty when the label was taken.
    std::string add(const std::string& gauge, int element, const std::string& role);
    std::string add_area(const std::string& gauge, int area, const std::string& role);

    std::string of(const std::string& gauge, int element) const;
    // The label of a mouse area, or empty.
    std::string area_of(const std::string& gauge, int area) const;
    // The element or area of `gauge` labelled `label`, or -1.
    int element_labelled(const std::string& gauge, const std::string& label) const;
    int area_labelled(const std::string& gauge, const std::string& label) const;
    // The gauge's element or area labels, quoted, in number order, for messages.
    std::string element_labels(const std::string& gauge) const;
    std::string area_labels(const std::string& gauge) const;

private:
    struct Labels {
        std::map<int, std::string> elements;
        std::map<int, std::string> areas;
    };
    std::map<int, std::string> elements_of(const std::string& gauge) const;

    std::map<std::string, Labels> gauges_;
};

// Names of the host variables (tokens) and key events, as host/data/names.txt
// gives them: the simulator's own names where its panel interface has them,
// else the role the module gives them.
//   token 625 TURB_ENGINE_1_N2
//   event 0x102FC TOGGLE_STARTER1
class Names {
public:
    static Names read(const std::string& path);  // throws InputError
    // The name, or empty.
    std::string token(uint32_t number) const;
    std::string event(uint32_t id) const;
    // The number of a name; false if there is none.
    bool token_named(const std::string& name, uint32_t& number) const;
    bool event_named(const std::string& name, uint32_t& id) const;
    // Up to `most` names of the kind close to `name`, nearest first, quoted
    // and comma-separated (for "did you mean" messages).
    std::string close_tokens(const std::string& name, std::size_t most = 3) const;
    std::string close_events(const std::string& name, std::size_t most = 3) const;
    // "TURB_ENGINE_1_N2 (625)", or the bare number when it has no name.
    std::string describe_token(uint32_t number) const;
    // "TOGGLE_STARTER1 (0x102FC)", or the bare hexadecimal number.
    std::string describe_event(uint32_t id) const;
    // A token or event given at word i of a line, by its number or its
    // name; an unknown name fails the line with the closest names.
    uint32_t token_at(const struct Line& line, std::size_t i) const;
    uint32_t event_at(const struct Line& line, std::size_t i) const;
    const std::map<uint32_t, std::string>& tokens() const { return tokens_; }
    const std::map<uint32_t, std::string>& events() const { return events_; }

private:
    std::map<uint32_t, std::string> tokens_, events_;
    std::map<std::string, uint32_t> token_numbers_, event_numbers_;
};

// The hexadecimal text of a key event id ("0x102FC").
std::string event_hex(uint32_t id);

class Trace {
public:
    Trace(std::ostream* timeline, std::ostream* json) : timeline_(timeline), json_(json) {}

    // Names to print beside token and event numbers (none: numbers alone).
    void use_names(const Names* names) { names_ = names; }

    // The elements of one gauge shown or hidden at this update: one line.
    struct ElementChange {
        int element;
        std::string role;
        bool shown;
    };
    void elements(int64_t tick, const std::string& gauge, const std::vector<ElementChange>& changes);
    void event(int64_t tick, uint32_t id, uint32_t value);
    void window(int64_t tick, uint32_t ident, bool open);
    void unknown_window(int64_t tick, uint32_t ident, const char* request);
    void click(int64_t tick, const std::string& gauge, int area, const std::string& label);
    void note(int64_t tick, const std::string& text);
    // A picture of the open panel windows is taken at this moment.
    void picture(int64_t tick, const std::string& name);
    // A host variable changed by the host profile's rule (not by the
    // scenario): nothing the crew's aircraft does is changed silently.
    // `how` is empty for a change as it starts, "over N updates" for the end
    // of a change that went on.
    void profile_change(int64_t tick, uint32_t token, double value, const std::string& how,
                        const std::string& rule);
    // The aircraft's motion model (motion.h): a manoeuvre starting or
    // ending, the aircraft leaving or touching the ground. `what` is the
    // note's kind, one word; `text` the line.
    void motion(int64_t tick, const std::string& what, const std::string& text);
    // A variable the motion model drives, set or ramped by the scenario: it
    // follows the scenario until the next motion statement.
    void motion_override(int64_t tick, uint32_t token);
    // A value an element's callback gave, where the scenario traces it.
    void value(int64_t tick, const std::string& gauge, int element, const std::string& role,
               const std::string& what, double value);

    // A gauge shown at the scenario's request: a heading line and the
    // description, indented.
    void show(int64_t tick, const std::string& gauge, const std::vector<std::string>& lines);

    // The end of an update. A key event, sound request or click that came at
    // every update of a run prints once as it starts; when a run of more than
    // one update ends (here, or at finish), one line says from when to when
    // and how many times.
    void end_update(int64_t tick);
    void finish(int64_t tick);
    // A request to the sound card: what ("open", "close", "create", "play",
    // "stop", "volume", "release"), of which sound, with its value (play:
    // 1 looped; volume: hundredths of a decibel). The printed timeline shows
    // the device and the plays and stops; the JSON lines show everything.
    void sound(int64_t tick, const std::string& what, const std::string& name, int32_t value);

private:
    struct Run {
        int64_t first;
        int64_t last;
        int64_t count;
    };
    void stamp(int64_t tick);
    // Prints `text` as a line at `tick` unless it continues a run.
    void repeatable(int64_t tick, const std::string& text);
    void close_runs(int64_t now, bool all);

    std::ostream* timeline_;
    std::ostream* json_;
    const Names* names_ = nullptr;
    std::map<std::string, Run> runs_;
};

// Milliseconds of simulated time at a tick (18 ticks a second).
int64_t tick_ms(int64_t tick);
std::string json_string(const std::string& s);

}  // namespace kadrimos::host_sim
