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

// The attitude indicator (secondary) and the standby compass react to host
// failures; every other gauge's failure list is empty.
inline constexpr FAILURE_RECORD adi_sec_failures[] = {{8, 0, nullptr}, {0, 0, nullptr}};
inline constexpr FAILURE_RECORD compass_failures[] = {{12, 1, nullptr}, {0, 0, nullptr}};

struct PlaceholderSpec {
    const char* name;
    uint32_t width_mm;
    uint32_t background_bitmap;
    uint32_t help_id;
    bool has_callback;  // the standby compass has none at all
    const FAILURE_RECORD* failures;
};

// Columns: gauge name, default width (mm), background bitmap, help text id on
// the mouse parent, whether it has a callback, failure list.
// clang-format off
inline constexpr PlaceholderSpec kPlaceholders[] = {
    {"toskelin probes_heat_rulo",               156, 4096, 0     , true , no_failures},
    {"toskelin wing_deice_rulo",                188, 4096, 0     , true , no_failures},
    {"toskelin nacelle_deice_rulo",             184, 4096, 0     , true , no_failures},
    {"toskelin panel_light_rulo",              1280, 4096, 0     , true , no_failures},
    {"toskelin ext_lt_rulo",                    194, 4096, 0     , true , no_failures},
    {"toskelin signs_rulo",                      57, 4096, 0     , true , no_failures},
    {"toskelin alti_main_rulo",                 191, 4096, 0     , true , no_failures},
    {"toskelin alti_sec_rulo",                  191, 4096, 0     , true , no_failures},
    {"toskelin asi_main_rulo",                  184, 4096, 0     , true , no_failures},
    {"toskelin asi_sec_rulo",                   110, 4096, 0     , true , no_failures},
    {"toskelin vsi_rulo",                       133, 4096, 0     , true , no_failures},
    {"toskelin tas_rulo",                        53, 4096, 0     , true , no_failures},
    {"toskelin sat_rulo",                        59, 4096, 0     , true , no_failures},
    {"toskelin aoa_rulo",                        38, 4096, 0     , true , no_failures},
    {"toskelin chrono_rulo",                    161, 4096, 0     , true , no_failures},
    {"toskelin ralt_rulo",                       60, 4096, 0     , true , no_failures},
    {"toskelin flaps_ind_rulo",                 108, 4096, 0     , true , no_failures},
    {"toskelin surf_ind_rulo",                  108, 4096, 0     , true , no_failures},
    {"toskelin gear_ind_rulo",                   72, 4096, 0     , true , no_failures},
    {"toskelin gear_h_rulo",                     50, 4096, 0     , true , no_failures},
    {"toskelin brakes_ind_rulo",                 76, 4096, 0     , true , no_failures},
    {"toskelin omi_rulo",                        69, 4096, 0     , true , no_failures},
    {"toskelin radio_nav_rulo",                 127, 4096, 0     , true , no_failures},
    {"toskelin radio_adf1_rulo",                142, 4096, 0     , true , no_failures},
    {"toskelin radio_tsp_rulo",                 179, 4096, 0     , true , no_failures},
    {"toskelin radio_com_rulo",                 164, 4096, 0     , true , no_failures},
    {"toskelin radio_snd_rulo",                 175, 4096, 0     , true , no_failures},
    {"toskelin plane_weight_rulo",               97, 5432, 0     , true , no_failures},
    {"toskelin adf_rulo",                       181, 4096, 0     , true , no_failures},
    {"toskelin rmi_rulo",                       181, 4096, 0     , true , no_failures},
    {"toskelin hsi_rulo",                       279, 4096, 0     , true , no_failures},
    {"toskelin adi_sec_rulo",                   340, 4096, 0     , true , adi_sec_failures},
    {"toskelin fd_bars_sw_rulo",                 92, 4096, 0     , true , no_failures},
    {"toskelin adi_fd_rulo",                    334, 4096, 0xAB0D, true , no_failures},
    {"toskelin rev_voy_left_rulo",               93, 5749, 0     , true , no_failures},
    {"toskelin rev_voy_right_rulo",              93, 5749, 0     , true , no_failures},
    {"toskelin n1_calc_rulo",                   128, 5758, 0     , true , no_failures},
    {"toskelin voy_ap_off_rulo",                 32, 4096, 0     , true , no_failures},
    {"toskelin ap_crs_rulo",                     86, 4096, 0     , true , no_failures},
    {"toskelin ap_master_rulo",                 308, 4096, 0     , true , no_failures},
    {"toskelin ap_alt_rulo",                    138, 4096, 0     , true , no_failures},
    {"toskelin ap_hdg_rulo",                    102, 4096, 0     , true , no_failures},
    {"toskelin ap_ats_rulo",                    143, 4096, 0     , true , no_failures},
    {"toskelin idpp_rulo",                      190, 4096, 0     , true , no_failures},
    {"toskelin spd_brk_lev_rulo",                33, 6155, 0     , true , no_failures},
    {"toskelin throttles_rulo",                  58, 6163, 0     , true , no_failures},
    {"toskelin flaps_lev_rulo",                  42, 6185, 0     , true , no_failures},
    {"toskelin park_brk_lev_rulo",               41, 6192, 0     , true , no_failures},
    {"toskelin throttles_num_rulo",              42, 6182, 0     , true , no_failures},
    {"toskelin autoland_light_1_rulo",           56, 4096, 0     , true , no_failures},
    {"toskelin autoland_light_2_rulo",           43, 4096, 0     , true , no_failures},
    {"toskelin ga_light_rulo",                   35, 4096, 0     , true , no_failures},
    {"toskelin autoland_ecart_loc_rulo",         62, 4096, 0     , true , no_failures},
    {"toskelin autoland_ecart_gs_rulo",          32, 4096, 0     , true , no_failures},
    {"toskelin loop_rulo",                      187, 4096, 0     , true , no_failures},
    {"toskelin mwp_1_rulo",                     108, 4096, 0     , true , no_failures},
    {"toskelin mwp_2_rulo",                     108, 4096, 0     , true , no_failures},
    {"toskelin mwp_1_big_rulo",                 149, 4096, 0     , true , no_failures},
    {"toskelin mwp_2_big_rulo",                 149, 4096, 0     , true , no_failures},
    {"toskelin compass_rulo",                    75, 4096, 0xAB94, false, compass_failures},
    {"toskelin gps_drives_rulo",                 57, 4096, 0     , true , no_failures},
    {"toskelin failures_rulo",                 1179, 4096, 0     , true , no_failures},
    {"toskelin map_lt_rulo",                    120, 4096, 0     , true , no_failures},
    {"toskelin gps_drives_2_rulo",               50, 4096, 0     , true , no_failures},
    {"toskelin ins_sw_rulo",                     40, 4096, 0     , true , no_failures},
    {"toskelin asi_main2_rulo",                 184, 4096, 0     , true , no_failures},};
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
