// Gauges of the catalogue whose cockpit item is not simulated yet.
//
// Each has what the host needs to place it: its header (name, width, the
// standard routines), its background element and a mouse table with no area.
// Its callback, gauge_not_built_yet, ignores every service code: such a gauge
// draws its background and does nothing else. A gauge leaves this table when
// its own file takes its place in the catalogue.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "module/catalogue_entry.h"
#include "panel/background_gauge.h"
#include "panel/elements.h"
#include "panel/host_api.h"

namespace kadrimos {

struct PlaceholderSpec {
    const char* name;
    uint32_t width_mm;
    uint32_t background_bitmap;
    uint32_t help_id;
    bool has_callback;  // false: a gauge with no callback at all
    const FAILURE_RECORD* failures;
};

// Each gauge has a background bitmap of its own, so that its placeholder
// picture carries its name and shows where it sits on the panel. Where the
// number of the instrument's own picture is known, it is used. Where it is
// not known yet, the number is 7000 plus the gauge's place in the catalogue.
// No gauge already built uses that range, and it stays clear of the known art
// numbers.
// Columns: gauge name, default width (mm), background bitmap, help text id on
// the mouse parent, whether it has a callback, failure list.
// clang-format off
inline constexpr PlaceholderSpec kPlaceholders[] = {
    {"toskelin voy_ap_off_rulo",                 32, 7095, 0     , true , no_failures},
    {"toskelin idpp_rulo",                      190, 7101, 0     , true , no_failures},
    {"toskelin autoland_light_1_rulo",           56, 7107, 0     , true , no_failures},
    {"toskelin autoland_light_2_rulo",           43, 7108, 0     , true , no_failures},
    {"toskelin ga_light_rulo",                   35, 7109, 0     , true , no_failures},
    {"toskelin autoland_ecart_loc_rulo",         62, 7110, 0     , true , no_failures},
    {"toskelin autoland_ecart_gs_rulo",          32, 7111, 0     , true , no_failures},
    {"toskelin loop_rulo",                      187, 7124, 0     , true , no_failures},
    {"toskelin mwp_1_rulo",                     108, 7125, 0     , true , no_failures},
    {"toskelin mwp_2_rulo",                     108, 7126, 0     , true , no_failures},
    {"toskelin mwp_1_big_rulo",                 149, 7127, 0     , true , no_failures},
    {"toskelin mwp_2_big_rulo",                 149, 7128, 0     , true , no_failures},
    {"toskelin gps_drives_rulo",                 57, 7130, 0     , true , no_failures},
    {"toskelin failures_rulo",                 1179, 7137, 0     , true , no_failures},
    {"toskelin gps_drives_2_rulo",               50, 7139, 0     , true , no_failures},
    {"toskelin ins_sw_rulo",                     40, 7140, 0     , true , no_failures},
};
// clang-format on

inline constexpr std::size_t kPlaceholderCount = std::size(kPlaceholders);

// Each placeholder's one element, its background.
inline constexpr auto kPlaceholderBackgrounds = [] {
    std::array<ElementSpec, kPlaceholderCount> backgrounds{};
    for (std::size_t i = 0; i < kPlaceholderCount; ++i)
        backgrounds[i] = background_spec(kPlaceholders[i].background_bitmap, IMAGE_USE_TRANSPARENCY,
                                         kPlaceholders[i].failures);
    return backgrounds;
}();

struct PlaceholderTable {
    BackgroundGauge<0> gauges[kPlaceholderCount];
};

extern PlaceholderTable placeholder_table;

inline constexpr auto placeholder_labels = background_labels(kPlaceholderBackgrounds);

// The placeholders for the catalogue.
inline constexpr auto placeholder_gauges =
    background_entries(kPlaceholders, placeholder_table.gauges, placeholder_labels);

}  // namespace kadrimos
