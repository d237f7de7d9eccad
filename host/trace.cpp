#include "trace.h"

#include <cstdio>

#include "panel_config.h"
#include "text_input.h"

namespace kadrimos::host_sim {

int64_t tick_ms(int64_t tick) { return tick * 1000 / 18; }

std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

std::string add_label(std::map<int, std::string>& labels, const std::string& gauge, const char* what,
                      int number, const std::string& label) {
    auto taken = labels.find(number);
    if (taken != labels.end())
        return std::string(what) + " " + std::to_string(number) + " of \"" + gauge +
               "\" is already labelled \"" + taken->second + "\"";
    for (const auto& [other, text] : labels)
        if (text == label)
            return "\"" + label + "\" already labels " + what + " " + std::to_string(other) + " of \"" +
                   gauge + "\"";
    labels.emplace(number, label);
    return {};
}

int find_label(const std::map<int, std::string>& labels, const std::string& label) {
    for (const auto& [number, text] : labels)
        if (text == label) return number;
    return -1;
}

std::string quoted_list(const std::map<int, std::string>& labels) {
    std::string out;
    for (const auto& [number, text] : labels) {
        if (!out.empty()) out += ", ";
        out += "\"" + text + "\"";
    }
    return out.empty() ? "none" : out;
}

}  // namespace

Roles Roles::read(const std::string& path) {
    Roles roles;
    for (const Line& line : read_lines(path)) {
        std::string error;
        if (line.words.size() > 1 && line.words[1] == "area") {
            need_count(line, 4, 4);
            error = roles.add_area(line.words[0],
                                   static_cast<int>(need_integer(line, 2, "an area number", 0, 100000)),
                                   line.words[3]);
        } else {
            need_count(line, 3, 3);
            error = roles.add(line.words[0],
                              static_cast<int>(need_integer(line, 1, "an element number", 0, 100000)),
                              line.words[2]);
        }
        if (!error.empty()) line.fail(error);
    }
    return roles;
}

std::string Roles::add(const std::string& gauge, int element, const std::string& role) {
    return add_label(gauges_[gauge].elements, gauge, "element", element, role);
}

std::string Roles::add_area(const std::string& gauge, int area, const std::string& role) {
    return add_label(gauges_[gauge].areas, gauge, "area", area, role);
}

std::string Roles::of(const std::string& gauge, int element) const {
    auto found = gauges_.find(gauge);
    if (found != gauges_.end()) {
        auto label = found->second.elements.find(element);
        if (label != found->second.elements.end()) return label->second;
    }
    return element == 0 ? "background" : "";
}

// Element 0 is "background" unless the file labels it otherwise.
std::map<int, std::string> Roles::elements_of(const std::string& gauge) const {
    std::map<int, std::string> labels;
    auto found = gauges_.find(gauge);
    if (found != gauges_.end()) labels = found->second.elements;
    labels.emplace(0, "background");
    return labels;
}

int Roles::element_labelled(const std::string& gauge, const std::string& label) const {
    return find_label(elements_of(gauge), label);
}

int Roles::area_labelled(const std::string& gauge, const std::string& label) const {
    auto found = gauges_.find(gauge);
    return found == gauges_.end() ? -1 : find_label(found->second.areas, label);
}

std::string Roles::element_labels(const std::string& gauge) const { return quoted_list(elements_of(gauge)); }

std::string Roles::area_labels(const std::string& gauge) const {
    auto found = gauges_.find(gauge);
    return found == gauges_.end() ? "none" : quoted_list(found->second.areas);
}

void Trace::stamp(int64_t tick) {
    int64_t ms = tick_ms(tick);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%8lld.%03lld s  tick %6lld  ", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000), static_cast<long long>(tick));
    *timeline_ << buf;
}

void Trace::element(int64_t tick, const std::string& gauge, int element, const std::string& role,
                    bool shown) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << gauge << "  element " << element;
        if (!role.empty()) *timeline_ << " (" << role << ")";
        *timeline_ << (shown ? " shown" : " hidden") << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"element\",\"gauge\":" << json_string(gauge) << ",\"element\":" << element
               << ",\"role\":" << json_string(role) << ",\"shown\":" << (shown ? "true" : "false") << "}\n";
}

void Trace::event(int64_t tick, uint32_t id, uint32_t value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%05X", static_cast<unsigned>(id));
    if (timeline_) {
        stamp(tick);
        *timeline_ << "key event " << hex << " value " << value << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick) << ",\"type\":\"event\",\"id\":" << id
               << ",\"hex\":\"" << hex << "\",\"value\":" << value << "}\n";
}

void Trace::window(int64_t tick, uint32_t ident, bool open) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << "window " << window_name(ident) << (open ? " opened" : " closed") << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"window\",\"window\":" << ident << ",\"open\":" << (open ? "true" : "false")
               << "}\n";
}

void Trace::unknown_window(int64_t tick, uint32_t ident, const char* request) {
    note(tick, std::string(request) + " of window " + std::to_string(ident) +
                   ", which the panel configuration does not have: ignored");
}

void Trace::click(int64_t tick, const std::string& gauge, int area) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << gauge << "  area " << area << " clicked\n";
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"click\",\"gauge\":" << json_string(gauge) << ",\"area\":" << area << "}\n";
}

void Trace::sound(int64_t tick, const std::string& what, const std::string& name, int32_t value) {
    if (timeline_ && (what == "play" || what == "stop" || what == "open" || what == "close")) {
        stamp(tick);
        if (what == "open" || what == "close")
            *timeline_ << "sound device " << (what == "open" ? "opened" : "closed") << '\n';
        else if (what == "play")
            *timeline_ << "sound " << name << (value ? " looping" : " played") << '\n';
        else
            *timeline_ << "sound " << name << " stopped\n";
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"sound\",\"what\":" << json_string(what) << ",\"sound\":" << json_string(name)
               << ",\"value\":" << value << "}\n";
}

void Trace::note(int64_t tick, const std::string& text) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << "note: " << text << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"note\",\"text\":" << json_string(text) << "}\n";
}

void Trace::picture(int64_t tick, const std::string& name) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << "picture \"" << name << "\"\n";
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"picture\",\"name\":" << json_string(name) << "}\n";
}

}  // namespace kadrimos::host_sim
