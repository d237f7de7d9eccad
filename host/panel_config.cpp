#include "panel_config.h"

#include <cctype>

#include <fstream>
#include <set>

#include "text_input.h"

namespace kadrimos::host_sim {
namespace {

std::string trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    std::size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> split_commas(const std::string& s) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = s.find(',', start);
        parts.push_back(trim(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

GAUGEHDR* find_gauge(const std::vector<GAUGEHDR*>& catalogue, const std::string& name) {
    for (GAUGEHDR* g : catalogue)
        if (name == g->gauge_name) return g;
    return nullptr;
}

}  // namespace

const PanelWindow* PanelConfig::find(uint32_t ident) const {
    for (const PanelWindow& w : windows)
        if (w.ident == ident) return &w;
    return nullptr;
}

bool parse_window_ident(const std::string& word, uint32_t& ident) {
    if (word == "MAIN_PANEL") {
        ident = kMainPanel;
        return true;
    }
    auto v = parse_integer(word);
    if (!v || *v <= 0 || *v > 0x7FFFFFFF) return false;
    ident = static_cast<uint32_t>(*v);
    return true;
}

std::string window_name(uint32_t ident) { return ident == kMainPanel ? "MAIN_PANEL" : std::to_string(ident); }

namespace {

// Equal but for letter case.
bool same_letters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

PanelConfig read_panel_config(const std::string& path, const std::vector<GAUGEHDR*>& catalogue,
                              const std::string& module_name) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path, "cannot open the panel configuration");
    PanelConfig config;
    PanelWindow* window = nullptr;
    std::vector<bool> has_ident;
    std::set<uint32_t> idents;
    std::string text;
    int number = 0;
    auto where = [&] { return path + ":" + std::to_string(number); };
    auto close_section = [&] {
        if (window != nullptr && !has_ident.back())
            throw InputError(where(), "window section before this line has no ident=");
    };
    while (std::getline(in, text)) {
        ++number;
        std::string line = trim(text);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.find('\0') != std::string::npos) throw InputError(where(), "NUL byte; is this a text file?");
        if (line.front() == '[') {
            if (line.back() != ']') throw InputError(where(), "section header without ']'");
            close_section();
            std::string section = line.substr(1, line.size() - 2);
            if (section.rfind("Window", 0) != 0) {
                window = nullptr;  // other sections of a panel configuration are not the host's concern
                continue;
            }
            config.windows.emplace_back();
            window = &config.windows.back();
            has_ident.push_back(false);
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) throw InputError(where(), "expected key=value, found '" + line + "'");
        std::string key = trim(line.substr(0, eq));
        std::string value = trim(line.substr(eq + 1));
        if (window == nullptr) continue;
        if (key == "ident") {
            if (!parse_window_ident(value, window->ident))
                throw InputError(where(), "window ident must be MAIN_PANEL or a positive number, found '" + value + "'");
            if (!idents.insert(window->ident).second)
                throw InputError(where(), "window " + value + " is defined twice");
            has_ident.back() = true;
        } else if (key == "title") {
            window->title = value;
        } else if (key == "visible") {
            if (value != "0" && value != "1") throw InputError(where(), "visible must be 0 or 1");
            window->open_at_start = value == "1";
        } else if (key.rfind("gauge", 0) == 0) {
            std::vector<std::string> parts = split_commas(value);
            std::size_t bang = parts[0].find('!');
            if (bang == std::string::npos)
                throw InputError(where(), "a gauge is module!name, x, y, width, height; found '" + value + "'");
            const std::string module = parts[0].substr(0, bang);
            if (!module_name.empty() && !same_letters(module, module_name))
                throw InputError(where(), "the gauge is in module '" + module + "', but the module loaded is '" +
                                              module_name + "'");
            Placement p;
            p.name = parts[0].substr(bang + 1);
            p.where = where();
            p.gauge = find_gauge(catalogue, p.name);
            if (p.gauge == nullptr) throw InputError(where(), "no gauge named \"" + p.name + "\" in the module");
            if (parts.size() != 5)
                throw InputError(where(), "a gauge needs x, y, width and height after its name");
            int32_t* fields[] = {&p.x, &p.y, &p.width, &p.height};
            for (int i = 0; i < 4; ++i) {
                auto v = parse_integer(parts[static_cast<std::size_t>(i) + 1]);
                if (!v || *v < 0 || *v > 100000)
                    throw InputError(where(), "gauge position and size are whole pixels from 0 to 100000, found '" +
                                                  parts[static_cast<std::size_t>(i) + 1] + "'");
                *fields[i] = static_cast<int32_t>(*v);
            }
            window->gauges.push_back(std::move(p));
        }
        // Other keys of a window section (size, position, background) are the
        // renderer's; the simulated host draws no pixels.
    }
    close_section();
    if (config.windows.empty()) throw InputError(path, "no [WindowNN] section");
    return config;
}

}  // namespace kadrimos::host_sim
