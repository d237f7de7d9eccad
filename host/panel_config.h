// The panel configuration: which panel windows the aircraft has, which of
// them are open at start, and which gauges each holds, where, in serving
// order. Written in the spirit of the simulator's own panel configuration:
//
//   [Window02]
//   ident=10060
//   title=Flight engineer panel
//   visible=0
//   gauge00=kadrimos!toskelin elec_batt_rulo, 0, 0, 150, 120
//
// Sections are [WindowNN]; `ident` is the window identifier the module uses
// (MAIN_PANEL for the main panel); a gauge is module!name, x, y, width,
// height. Lines starting with ';' or '#' are comments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "panel/host_api.h"

namespace kadrimos::host_sim {

inline constexpr uint32_t kMainPanel = 0;  // ident=MAIN_PANEL

struct Placement {
    std::string name;
    GAUGEHDR* gauge = nullptr;
    int32_t x = 0, y = 0, width = 0, height = 0;
    std::string where;  // file:line, for messages
};

struct PanelWindow {
    uint32_t ident = 0;
    std::string title;
    bool open_at_start = false;
    std::vector<Placement> gauges;
};

struct PanelConfig {
    std::vector<PanelWindow> windows;
    const PanelWindow* find(uint32_t ident) const;
};

// Reads and checks a panel configuration against the module's gauges.
// Throws InputError with file and line for anything it cannot use: an
// unknown gauge name, a window without ident, an ident used twice, a bad
// number.
// A gauge entry's module (before the '!') must be `module_name`, the loaded
// module's file name without its extension, as the simulator finds gauges by
// file: letter case aside, as on Windows. Empty: any module name is taken.
PanelConfig read_panel_config(const std::string& path, const std::vector<GAUGEHDR*>& catalogue,
                              const std::string& module_name = "");

// "MAIN_PANEL" or a decimal window identifier.
bool parse_window_ident(const std::string& word, uint32_t& ident);
std::string window_name(uint32_t ident);

}  // namespace kadrimos::host_sim
