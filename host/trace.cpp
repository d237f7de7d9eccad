#include "trace.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

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

std::string Roles::area_of(const std::string& gauge, int area) const {
    auto found = gauges_.find(gauge);
    if (found == gauges_.end()) return {};
    auto label = found->second.areas.find(area);
    return label == found->second.areas.end() ? std::string() : label->second;
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

// --- Names -------------------------------------------------------------------

std::string event_hex(uint32_t id) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%05X", static_cast<unsigned>(id));
    return hex;
}

Names Names::read(const std::string& path) {
    Names names;
    for (const Line& line : read_lines(path)) {
        need_count(line, 3, 4);
        const std::string& kind = line.words[0];
        if (kind != "token" && kind != "event") line.fail("expected 'token' or 'event', not '" + kind + "'");
        if (line.words.size() == 4 && line.words[3] != "role")
            line.fail("expected 'role' after the name, not '" + line.words[3] + "'");
        const bool token = kind == "token";
        const auto number =
            static_cast<uint32_t>(need_integer(line, 1, token ? "a token number" : "an event id",
                                               token ? 0 : 0x10000, token ? 0xFFFF : 0x1FFFF));
        const std::string& name = line.words[2];
        auto& by_number = token ? names.tokens_ : names.events_;
        auto& by_name = token ? names.token_numbers_ : names.event_numbers_;
        if (!by_number.emplace(number, name).second)
            line.fail(kind + " " + line.words[1] + " is named twice");
        if (!by_name.emplace(name, number).second) line.fail("the name " + name + " is given twice");
    }
    return names;
}

namespace {

std::string find_name(const std::map<uint32_t, std::string>& names, uint32_t number) {
    auto found = names.find(number);
    return found == names.end() ? std::string() : found->second;
}

bool find_number(const std::map<std::string, uint32_t>& numbers, const std::string& name, uint32_t& out) {
    auto found = numbers.find(name);
    if (found == numbers.end()) return false;
    out = found->second;
    return true;
}

// Edit distance between two names, letter case ignored.
std::size_t distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::toupper(static_cast<unsigned char>(a[i - 1])) ==
                              std::toupper(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string close_names(const std::map<std::string, uint32_t>& numbers, const std::string& name,
                        std::size_t most) {
    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const auto& [candidate, number] : numbers) ranked.emplace_back(distance(name, candidate), candidate);
    std::sort(ranked.begin(), ranked.end());
    std::string out;
    for (std::size_t i = 0; i < ranked.size() && i < most; ++i) out += (i ? ", " : "") + ranked[i].second;
    return out.empty() ? "none" : out;
}

}  // namespace

std::string Names::token(uint32_t number) const { return find_name(tokens_, number); }
std::string Names::event(uint32_t id) const { return find_name(events_, id); }
bool Names::token_named(const std::string& name, uint32_t& number) const {
    return find_number(token_numbers_, name, number);
}
bool Names::event_named(const std::string& name, uint32_t& id) const {
    return find_number(event_numbers_, name, id);
}
std::string Names::close_tokens(const std::string& name, std::size_t most) const {
    return close_names(token_numbers_, name, most);
}
std::string Names::close_events(const std::string& name, std::size_t most) const {
    return close_names(event_numbers_, name, most);
}
std::string Names::describe_token(uint32_t number) const {
    const std::string name = token(number);
    return name.empty() ? std::to_string(number) : name + " (" + std::to_string(number) + ")";
}
std::string Names::describe_event(uint32_t id) const {
    const std::string name = event(id);
    return name.empty() ? event_hex(id) : name + " (" + event_hex(id) + ")";
}

uint32_t Names::token_at(const Line& line, std::size_t i) const {
    const std::string& word = need_word(line, i, "a host variable (its token number or name)");
    if (parse_integer(word))
        return static_cast<uint32_t>(need_integer(line, i, "a variable token", 0, 0x7FFFFFFF));
    uint32_t token = 0;
    if (!token_named(word, token))
        line.fail("no host variable is named " + word + "; the closest names: " + close_tokens(word));
    return token;
}

uint32_t Names::event_at(const Line& line, std::size_t i) const {
    const std::string& word = need_word(line, i, "a key event (its id or name)");
    if (parse_integer(word))
        return static_cast<uint32_t>(need_integer(line, i, "an event id", 0, 0xFFFFFFFF));
    uint32_t id = 0;
    if (!event_named(word, id))
        line.fail("no key event is named " + word + "; the closest names: " + close_events(word));
    return id;
}

// --- The timeline --------------------------------------------------------------

void Trace::stamp(int64_t tick) {
    int64_t ms = tick_ms(tick);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%8lld.%03lld s  tick %6lld  ", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000), static_cast<long long>(tick));
    *timeline_ << buf;
}

void Trace::elements(int64_t tick, const std::string& gauge, const std::vector<ElementChange>& changes) {
    if (changes.empty()) return;
    if (timeline_) {
        std::string shown, hidden;
        for (const ElementChange& c : changes) {
            std::string& list = c.shown ? shown : hidden;
            if (!list.empty()) list += ", ";
            list += std::to_string(c.element);
            if (!c.role.empty()) list += " (" + c.role + ")";
        }
        stamp(tick);
        *timeline_ << gauge << " ";
        if (!shown.empty()) *timeline_ << " shown " << shown;
        if (!shown.empty() && !hidden.empty()) *timeline_ << ";";
        if (!hidden.empty()) *timeline_ << " hidden " << hidden;
        *timeline_ << '\n';
    }
    if (json_)
        for (const ElementChange& c : changes)
            *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
                   << ",\"type\":\"element\",\"gauge\":" << json_string(gauge) << ",\"element\":" << c.element
                   << ",\"role\":" << json_string(c.role) << ",\"shown\":" << (c.shown ? "true" : "false")
                   << "}\n";
}

void Trace::event(int64_t tick, uint32_t id, uint32_t value) {
    const std::string hex = event_hex(id);
    const std::string name = names_ ? names_->event(id) : std::string();
    if (timeline_)
        repeatable(tick, "key event " + (names_ ? names_->describe_event(id) : hex) + " value " +
                             std::to_string(value));
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick) << ",\"type\":\"event\",\"id\":" << id
               << ",\"hex\":\"" << hex << "\",\"name\":" << json_string(name) << ",\"value\":" << value
               << "}\n";
}

void Trace::repeatable(int64_t tick, const std::string& text) {
    auto run = runs_.find(text);
    if (run != runs_.end() && run->second.last + 1 >= tick) {
        // The same line at the same or the next update continues the run.
        if (run->second.last != tick) ++run->second.count;
        run->second.last = tick;
        return;
    }
    stamp(tick);
    *timeline_ << text << '\n';
    runs_[text] = {tick, tick, 1};
}

void Trace::close_runs(int64_t now, bool all) {
    for (auto it = runs_.begin(); it != runs_.end();) {
        const Run& r = it->second;
        if (!all && r.last >= now) {
            ++it;
            continue;
        }
        if (r.count > 1 && timeline_) {
            auto seconds = [](int64_t tick) {
                char buf[32];
                const int64_t ms = tick_ms(tick);
                std::snprintf(buf, sizeof buf, "%lld.%03lld s", static_cast<long long>(ms / 1000),
                              static_cast<long long>(ms % 1000));
                return std::string(buf);
            };
            stamp(now);
            *timeline_ << it->first << " every update from " << seconds(r.first) << " to " << seconds(r.last)
                       << " (" << r.count << " times)\n";
        }
        it = runs_.erase(it);
    }
}

void Trace::show(int64_t tick, const std::string& gauge, const std::vector<std::string>& lines) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << "show " << (gauge == "state" ? gauge : "\"" + gauge + "\"") << '\n';
        for (const std::string& l : lines) *timeline_ << "                                " << l << '\n';
    }
    if (json_) {
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"show\",\"gauge\":" << json_string(gauge) << ",\"lines\":[";
        for (std::size_t i = 0; i < lines.size(); ++i) *json_ << (i ? "," : "") << json_string(lines[i]);
        *json_ << "]}\n";
    }
}

void Trace::end_update(int64_t tick) { close_runs(tick, false); }
void Trace::finish(int64_t tick) { close_runs(tick, true); }

void Trace::profile_change(int64_t tick, uint32_t token, double value, const std::string& how,
                           const std::string& rule) {
    char number[32];
    std::snprintf(number, sizeof number, "%.9g", value);
    const std::string name = names_ ? names_->describe_token(token) : std::to_string(token);
    if (timeline_) {
        stamp(tick);
        *timeline_ << "profile: " << name << (how.empty() ? " set to " : " reached ") << number;
        if (!how.empty()) *timeline_ << " " << how;
        *timeline_ << " by: " << rule << "\n";
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"profile\",\"token\":" << token
               << ",\"name\":" << json_string(names_ ? names_->token(token) : std::string())
               << ",\"value\":" << number << ",\"how\":" << json_string(how)
               << ",\"rule\":" << json_string(rule) << "}\n";
}

void Trace::motion(int64_t tick, const std::string& what, const std::string& text) {
    if (timeline_) {
        stamp(tick);
        *timeline_ << "motion: " << text << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"motion\",\"what\":" << json_string(what) << ",\"text\":" << json_string(text)
               << "}\n";
}

void Trace::motion_override(int64_t tick, uint32_t token) {
    const std::string text = (names_ ? names_->describe_token(token) : std::to_string(token)) +
                             " follows the scenario until the next motion statement";
    motion(tick, "override", text);
}

void Trace::value(int64_t tick, const std::string& gauge, int element, const std::string& role,
                  const std::string& what, double value) {
    char number[32];
    std::snprintf(number, sizeof number, "%.6g", value);
    if (timeline_) {
        stamp(tick);
        *timeline_ << gauge << "  element " << element;
        if (!role.empty()) *timeline_ << " (" << role << ")";
        *timeline_ << " " << what << " " << number << '\n';
    }
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"value\",\"gauge\":" << json_string(gauge) << ",\"element\":" << element
               << ",\"role\":" << json_string(role) << ",\"what\":" << json_string(what)
               << ",\"value\":" << number << "}\n";
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

void Trace::click(int64_t tick, const std::string& gauge, int area, const std::string& label) {
    if (timeline_)
        repeatable(tick, gauge + "  area " + std::to_string(area) +
                             (label.empty() ? "" : " (" + label + ")") + " clicked");
    if (json_)
        *json_ << "{\"tick\":" << tick << ",\"ms\":" << tick_ms(tick)
               << ",\"type\":\"click\",\"gauge\":" << json_string(gauge) << ",\"area\":" << area
               << ",\"label\":" << json_string(label) << "}\n";
}

void Trace::sound(int64_t tick, const std::string& what, const std::string& name, int32_t value) {
    if (timeline_ && (what == "open" || what == "close")) {
        stamp(tick);
        *timeline_ << "sound device " << (what == "open" ? "opened" : "closed") << '\n';
    } else if (timeline_ && what == "play") {
        repeatable(tick, "sound " + name + (value ? " looping" : " played"));
    } else if (timeline_ && what == "stop") {
        repeatable(tick, "sound " + name + " stopped");
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
