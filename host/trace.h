// The timeline of a simulated flight: what changed, when. Written twice: as
// readable text lines and, if asked, as JSON lines for tools. Times are
// derived from the tick count with integer arithmetic so that every platform
// prints the same characters.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>

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

class Trace {
public:
    Trace(std::ostream* timeline, std::ostream* json) : timeline_(timeline), json_(json) {}

    void element(int64_t tick, const std::string& gauge, int element, const std::string& role, bool shown);
    void event(int64_t tick, uint32_t id, uint32_t value);
    void window(int64_t tick, uint32_t ident, bool open);
    void unknown_window(int64_t tick, uint32_t ident, const char* request);
    void click(int64_t tick, const std::string& gauge, int area);
    void note(int64_t tick, const std::string& text);
    // A picture of the open panel windows is taken at this moment.
    void picture(int64_t tick, const std::string& name);
    // A request to the sound card: what ("open", "close", "create", "play",
    // "stop", "volume", "release"), of which sound, with its value (play:
    // 1 looped; volume: hundredths of a decibel). The printed timeline shows
    // the device and the plays and stops; the JSON lines show everything.
    void sound(int64_t tick, const std::string& what, const std::string& name, int32_t value);

private:
    void stamp(int64_t tick);
    std::ostream* timeline_;
    std::ostream* json_;
};

// Milliseconds of simulated time at a tick (18 ticks a second).
int64_t tick_ms(int64_t tick);
std::string json_string(const std::string& s);

}  // namespace kadrimos::host_sim
