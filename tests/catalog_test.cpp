// The catalogue as a host sees it: walking Linkage and every gauge header,
// element tree and mouse table from the exported records alone.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "module/catalogue.h"
#include "module/exports.h"
#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

struct Expected {
    const char* name;
    uint32_t width_mm;
};

// The aircraft's gauges in catalogue order, with their default widths.
const Expected kCatalogue[] = {
    {"testgauge2k", 36},
    {"toskelin elec_batt_rulo", 150},
    {"toskelin elec_sel_ind_dc_rulo", 120},
    {"toskelin elec_ext_pwr_rulo", 151},
    {"toskelin elec_sel_ind_ac_rulo", 146},
    {"toskelin elec_dc_bus_rulo", 191},
    {"toskelin elec_ac_bus_rulo", 195},
    {"toskelin elec_gen_rulo", 187},
    {"toskelin elec_ind_dc_v_rulo", 75},
    {"toskelin elec_ind_dc_amps_rulo", 75},
    {"toskelin elec_ind_ac_v_rulo", 75},
    {"toskelin elec_ind_ac_frq_rulo", 75},
    {"toskelin elec_ind_ac_load1_rulo", 75},
    {"toskelin elec_ind_ac_load2_rulo", 75},
    {"toskelin elec_ind_ac_loadapu_rulo", 75},
    {"toskelin apu_rulo", 106},
    {"toskelin apu_ind_oil_rulo", 91},
    {"toskelin apu_ind_n1_n2_rulo", 91},
    {"toskelin apu_ind_egt_rulo", 91},
    {"toskelin fuel_fuelused_rulo", 287},
    {"toskelin fuel_valves_rulo", 285},
    {"toskelin fuel_pumps_left_rulo", 156},
    {"toskelin fuel_pumps_right_rulo", 156},
    {"toskelin fuel_pumps_center_rulo", 168},
    {"toskelin fuel_ind_fu_1_rulo", 61},
    {"toskelin fuel_ind_fu_2_rulo", 61},
    {"toskelin fuel_ind_qtty_m_left_rulo", 61},
    {"toskelin fuel_ind_qtty_m_right_rulo", 61},
    {"toskelin fuel_ind_qtty_a_center_rulo", 61},
    {"toskelin fuel_ind_qtty_a_left_rulo", 61},
    {"toskelin fuel_ind_qtty_a_right_rulo", 61},
    {"toskelin fuel_qtty_reserve_1_rulo", 56},
    {"toskelin fuel_qtty_reserve_2_rulo", 56},
    {"toskelin fuel_qtty_test_rulo", 25},
    {"toskelin hydrau_press_rulo", 332},
    {"toskelin hydrau_pumps_rulo", 287},
    {"toskelin hydrau_baches_rulo", 341},
    {"toskelin hydrau_ind_press_blue_rulo", 53},
    {"toskelin hydrau_ind_press_green_rulo", 53},
    {"toskelin hydrau_ind_press_yellow_rulo", 53},
    {"toskelin probes_heat_rulo", 156},
    {"toskelin servo_controls_rulo", 177},
    {"toskelin rudder_travel_rulo", 189},
    {"toskelin lo_spd_ail_rulo", 172},
    {"toskelin yaw_rulo", 90},
    {"toskelin wing_deice_rulo", 188},
    {"toskelin nacelle_deice_rulo", 184},
    {"toskelin eng_start_rulo", 185},
    {"toskelin panel_light_rulo", 1280},
    {"toskelin gpws_rulo", 47},
    {"toskelin flt_deck_lt_rulo", 165},
    {"toskelin ext_lt_rulo", 194},
    {"toskelin signs_rulo", 57},
    {"toskelin hp_lev_1_rulo", 35},
    {"toskelin hp_lev_2_rulo", 35},
    {"toskelin eng_ind_n1_1_rulo", 169},
    {"toskelin eng_ind_n1_2_rulo", 169},
    {"toskelin eng_ind_ff_1_rulo", 153},
    {"toskelin eng_ind_ff_2_rulo", 153},
    {"toskelin eng_ind_egt_1_rulo", 169},
    {"toskelin eng_ind_egt_2_rulo", 169},
    {"toskelin eng_ind_n2_1_rulo", 153},
    {"toskelin eng_ind_n2_2_rulo", 153},
    {"toskelin alti_main_rulo", 191},
    {"toskelin alti_sec_rulo", 191},
    {"toskelin asi_main_rulo", 184},
    {"toskelin asi_sec_rulo", 110},
    {"toskelin vsi_rulo", 133},
    {"toskelin tas_rulo", 53},
    {"toskelin sat_rulo", 59},
    {"toskelin aoa_rulo", 38},
    {"toskelin chrono_rulo", 161},
    {"toskelin ralt_rulo", 60},
    {"toskelin flaps_ind_rulo", 108},
    {"toskelin surf_ind_rulo", 108},
    {"toskelin gear_ind_rulo", 72},
    {"toskelin gear_h_rulo", 50},
    {"toskelin brakes_ind_rulo", 76},
    {"toskelin omi_rulo", 69},
    {"toskelin radio_nav_rulo", 127},
    {"toskelin radio_adf1_rulo", 142},
    {"toskelin radio_tsp_rulo", 179},
    {"toskelin radio_com_rulo", 164},
    {"toskelin radio_snd_rulo", 175},
    {"toskelin plane_weight_rulo", 97},
    {"toskelin adf_rulo", 181},
    {"toskelin rmi_rulo", 181},
    {"toskelin hsi_rulo", 279},
    {"toskelin adi_sec_rulo", 340},
    {"toskelin fd_bars_sw_rulo", 92},
    {"toskelin adi_fd_rulo", 334},
    {"toskelin rev_voy_left_rulo", 93},
    {"toskelin rev_voy_right_rulo", 93},
    {"toskelin n1_calc_rulo", 128},
    {"toskelin voy_ap_off_rulo", 32},
    {"toskelin ap_crs_rulo", 86},
    {"toskelin ap_master_rulo", 308},
    {"toskelin ap_alt_rulo", 138},
    {"toskelin ap_hdg_rulo", 102},
    {"toskelin ap_ats_rulo", 143},
    {"toskelin idpp_rulo", 190},
    {"toskelin spd_brk_lev_rulo", 33},
    {"toskelin throttles_rulo", 58},
    {"toskelin flaps_lev_rulo", 42},
    {"toskelin park_brk_lev_rulo", 41},
    {"toskelin throttles_num_rulo", 42},
    {"toskelin autoland_light_1_rulo", 56},
    {"toskelin autoland_light_2_rulo", 43},
    {"toskelin ga_light_rulo", 35},
    {"toskelin autoland_ecart_loc_rulo", 62},
    {"toskelin autoland_ecart_gs_rulo", 32},
    {"toskelin engomn_nac_temp_1_rulo", 91},
    {"toskelin engomn_nac_temp_2_rulo", 91},
    {"toskelin engomn_oil_press_1_rulo", 91},
    {"toskelin engomn_oil_press_2_rulo", 91},
    {"toskelin engomn_oil_temp_1_rulo", 91},
    {"toskelin engomn_oil_temp_2_rulo", 91},
    {"toskelin engomn_oil_qtty_1_rulo", 91},
    {"toskelin engomn_oil_qtty_2_rulo", 91},
    {"toskelin engomn_fuel_press_1_rulo", 91},
    {"toskelin engomn_fuel_press_2_rulo", 91},
    {"toskelin engomn_vib_rulo", 61},
    {"toskelin engomn_vib_sw_rulo", 81},
    {"toskelin loop_rulo", 187},
    {"toskelin mwp_1_rulo", 108},
    {"toskelin mwp_2_rulo", 108},
    {"toskelin mwp_1_big_rulo", 149},
    {"toskelin mwp_2_big_rulo", 149},
    {"toskelin compass_rulo", 75},
    {"toskelin gps_drives_rulo", 57},
    {"toskelin toggle_pan_rad_rulo", 132},
    {"toskelin toggle_pan_ped_rulo", 132},
    {"toskelin toggle_pan_fe_rulo", 132},
    {"toskelin toggle_pan_gps_rulo", 72},
    {"toskelin toggle_pan_fail_rulo", 201},
    {"toskelin toggle_pan_up2_rulo", 450},
    {"toskelin failures_rulo", 1179},
    {"toskelin map_lt_rulo", 120},
    {"toskelin gps_drives_2_rulo", 50},
    {"toskelin ins_sw_rulo", 40},
    {"toskelin toggle_pan_ins_rulo", 72},
    {"toskelin asi_main2_rulo", 184},
};

// Gauges whose callback is empty: they work through their value callbacks and
// mouse handlers alone.
const std::set<std::string> kEmptyCallbacks = {"testgauge2k",
                                               "toskelin elec_sel_ind_dc_rulo",
                                               "toskelin elec_sel_ind_ac_rulo",
                                               "toskelin elec_ind_dc_amps_rulo",
                                               "toskelin elec_ind_ac_load1_rulo",
                                               "toskelin elec_ind_ac_load2_rulo",
                                               "toskelin elec_ind_ac_loadapu_rulo",
                                               "toskelin apu_ind_oil_rulo",
                                               "toskelin apu_ind_n1_n2_rulo",
                                               "toskelin apu_ind_egt_rulo",
                                               "toskelin fuel_qtty_test_rulo",
                                               "toskelin hydrau_ind_press_blue_rulo",
                                               "toskelin hydrau_ind_press_green_rulo",
                                               "toskelin hydrau_ind_press_yellow_rulo",
                                               "toskelin throttles_num_rulo",
                                               "toskelin loop_rulo",
                                               "toskelin map_lt_rulo"};

// Linkage as a host sees it, through the layout of the interface header.
const MODULE_LINKAGE& linkage() {
    const void* exported = &Linkage;
    return *static_cast<const MODULE_LINKAGE*>(exported);
}

TEST(Catalogue, LinkageAnnouncesTheModuleAndListsTheGaugesInOrderThenNull) {
    EXPECT_EQ(linkage().module_id, 0x13u);
    EXPECT_EQ(linkage().module_version, 0x900u);
    EXPECT_EQ(linkage().flags, 0u);
    EXPECT_EQ(linkage().module_status, 0u);
    ASSERT_NE(linkage().module_init, nullptr);
    ASSERT_NE(linkage().module_deinit, nullptr);

    ASSERT_EQ(std::size(kCatalogue), 142u);
    for (std::size_t i = 0; i < std::size(kCatalogue); ++i) {
        const GAUGEHDR* g = linkage().gauge_table[i];
        ASSERT_NE(g, nullptr) << "gauge list ends early at " << i;
        EXPECT_STREQ(g->gauge_name, kCatalogue[i].name) << "catalogue position " << i + 1;
        EXPECT_EQ(g->size_x_mm, kCatalogue[i].width_mm) << kCatalogue[i].name;
    }
    EXPECT_EQ(linkage().gauge_table[142], nullptr);
}

TEST(Catalogue, ImportTableWaitsForTheHostsServices) {
    EXPECT_EQ(ImportTable.panels_id, 0x0Fu);
    EXPECT_EQ(ImportTable.services, nullptr);
    EXPECT_EQ(ImportTable.end_id, 0u);
    EXPECT_EQ(ImportTable.end_ptr, nullptr);
}

TEST(Catalogue, InitialisationAndShutdownDoNothing) {
    FakeHost host;
    linkage().module_init();
    linkage().module_deinit();
    EXPECT_TRUE(host.element_calls().empty());
    EXPECT_TRUE(host.events().empty());
    EXPECT_EQ(host.lookups(), 0u);
}

TEST(Catalogue, EveryHeaderHasVersionRoutinesMouseTableAndZeroedSpareWords) {
    const GAUGEHDR* first = linkage().gauge_table[0];
    std::set<std::string> names;
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        SCOPED_TRACE(g->gauge_name);
        EXPECT_TRUE(names.insert(g->gauge_name).second) << "name used twice";
        EXPECT_EQ(g->gauge_header_version, 0x320u);
        EXPECT_EQ(g->query_routine, first->query_routine);
        EXPECT_EQ(g->install_routine, first->install_routine);
        EXPECT_EQ(g->initialize_routine, first->initialize_routine);
        EXPECT_EQ(g->update_routine, first->update_routine);
        EXPECT_EQ(g->generate_routine, first->generate_routine);
        EXPECT_EQ(g->draw_routine, first->draw_routine);
        EXPECT_EQ(g->kill_routine, first->kill_routine);
        EXPECT_NE(g->query_routine, nullptr);
        EXPECT_NE(g->mouse_rect, nullptr);
        // Every other field, the host's working fields and the later
        // simulator's tail included, is 0 in the module's record.
        GAUGEHDR rest = *g;
        rest.gauge_header_version = 0;
        rest.gauge_name = nullptr;
        rest.elements_list = nullptr;
        rest.query_routine = nullptr;
        rest.install_routine = nullptr;
        rest.initialize_routine = nullptr;
        rest.update_routine = nullptr;
        rest.generate_routine = nullptr;
        rest.draw_routine = nullptr;
        rest.kill_routine = nullptr;
        rest.size_x_mm = 0;
        rest.mouse_rect = nullptr;
        rest.gauge_callback = nullptr;
        const GAUGEHDR zero{};
        EXPECT_EQ(std::memcmp(&rest, &zero, sizeof rest), 0) << "a spare or host field is not 0";
        bool is_compass = std::string(g->gauge_name) == "toskelin compass_rulo";
        EXPECT_EQ(g->gauge_callback == nullptr, is_compass);
    }
}

TEST(Catalogue, GaugesWithEmptyCallbacksIgnoreEveryServiceCode) {
    FakeHost host;
    for (const std::string& name : kEmptyCallbacks) {
        SCOPED_TRACE(name);
        ASSERT_NE(FakeHost::gauge(name).gauge_callback, nullptr);
        // Hidden by hand: a callback that shows or hides anything gives
        // itself away.
        const std::vector<ELEMENT_HEADER*> elements = elements_of(FakeHost::gauge(name));
        for (ELEMENT_HEADER* e : elements) e->image_flags |= IMAGE_HIDDEN;
        for (int32_t code = PANEL_SERVICE_PRE_QUERY; code <= PANEL_SERVICE_POST_KILL; ++code)
            if (code != PANEL_SERVICE_PRE_INSTALL && code != PANEL_SERVICE_PRE_KILL) host.service(name, code);
        for (ELEMENT_HEADER* e : elements) EXPECT_NE(e->image_flags & IMAGE_HIDDEN, 0u);
    }
    EXPECT_TRUE(host.events().empty());
    EXPECT_TRUE(host.toggled_windows().empty());
    EXPECT_EQ(host.lookups(), 0u);
}

// Every element of every gauge belongs to a well-formed tree: one background
// at the root, back-pointers to the owning header, known kinds and flags, and
// a single chain below the background in every gauge but the test gauge.
TEST(Catalogue, ElementTreesAreWellFormed) {
    const std::set<uint32_t> drawing_flags = {0x1, 0x2, 0x3, 0x4, 0x6, 0x7, 0x4001, 0x4002, 0x4003, 0x4083};
    std::size_t total = 0;
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        SCOPED_TRACE(g->gauge_name);
        ASSERT_NE(g->elements_list, nullptr);
        ASSERT_NE(g->elements_list[0], nullptr);
        EXPECT_EQ(g->elements_list[1], nullptr) << "one top-level element";
        const ELEMENT_HEADER* bg = g->elements_list[0];
        EXPECT_EQ(bg->element_type, static_cast<uint32_t>(ELEMENT_TYPE_STATIC_IMAGE));
        EXPECT_TRUE((bg->image_flags & ~IMAGE_HIDDEN) == 0x4001 || (bg->image_flags & ~IMAGE_HIDDEN) == 0x1);

        for (const ELEMENT_HEADER* e : elements_of(*g)) {
            ++total;
            EXPECT_EQ(e->gauge_header, g);
            EXPECT_EQ(e->previous_element, nullptr);
            EXPECT_LE(e->element_type, 6u);
            EXPECT_TRUE(drawing_flags.count(e->image_flags & ~IMAGE_HIDDEN)) << std::hex << e->image_flags;
            ASSERT_NE(e->failure_list, nullptr);
            if (e->element_type == ELEMENT_TYPE_STRING) {
                EXPECT_EQ(e->resource_id, ELEMENT_NO_BITMAP);
                const auto* s = reinterpret_cast<const ELEMENT_STRING*>(e);
                EXPECT_STREQ(s->font_name, "Quartz");
                EXPECT_EQ(s->font_weight, 400u);
                EXPECT_EQ(s->char_set, 1u);
                EXPECT_EQ(s->draw_flags, 0x25u);
                EXPECT_GT(s->max_string_length, 0u);
                EXPECT_NE(s->callback, nullptr);
            } else {
                EXPECT_GE(e->resource_id, 4096u);
                EXPECT_LE(e->resource_id, 8512u);
            }
            if (e->element_type == ELEMENT_TYPE_ICON || e->element_type == ELEMENT_TYPE_STATIC_IMAGE) {
                EXPECT_EQ(e->offset.x | e->offset.y, 0);
            }
            if (e->element_type == ELEMENT_TYPE_ICON) {
                const auto* i = reinterpret_cast<const ELEMENT_ICON*>(e);
                EXPECT_EQ(i->icon_count, 1u) << "an icon has one image";
                EXPECT_EQ(i->callback, nullptr);
            }
            if (e->next_element == nullptr) continue;
            std::size_t children = 0;
            while (e->next_element[children] != nullptr) ++children;
            bool test_gauge_background = std::string(g->gauge_name) == "testgauge2k" && e == bg;
            EXPECT_EQ(children, test_gauge_background ? 5u : 1u) << "a chain has one child per element";
        }
    }
    EXPECT_EQ(total, element_count_at_load());
    EXPECT_LE(total, element_capacity()) << "reset_module cannot put back every element";
}

// The host writes the angle of each point into a needle's table, measured
// from where the needle stands: a table serves several needles only where
// they all stand at the same point of their backgrounds.
// The labels a gauge file gives the catalogue describe its records one for
// one: an element's label sits at the element's depth, an area's at the
// area's place in the mouse table, and no label is used twice in a gauge.
TEST(Catalogue, EveryGaugesLabelsNameItsElementsAndAreasOneForOne) {
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        SCOPED_TRACE(g->gauge_name);
        const CatalogueEntry* entry = catalogue_entry_of(g);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->name, g->gauge_name);
        const GaugeLabels& labels = *entry->labels;

        std::vector<ELEMENT_HEADER*> elements = elements_of(*g);
        ASSERT_EQ(labels.elements.size(), elements.size());
        std::set<std::string> element_labels;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const ElementSpec& spec = labels.elements[i];
            EXPECT_EQ(spec.kind, elements[i]->element_type) << "element " << i;
            EXPECT_EQ(spec.bitmap, elements[i]->resource_id) << "element " << i;
            EXPECT_EQ(spec.at.position.x, elements[i]->position.x) << "element " << i;
            EXPECT_EQ(spec.at.position.y, elements[i]->position.y) << "element " << i;
            EXPECT_TRUE(element_labels.insert(spec.label).second)
                << "element label used twice: " << spec.label;
        }

        std::vector<const MOUSERECT*> areas = areas_of(*g);
        ASSERT_EQ(labels.areas.size(), areas.size());
        std::set<std::string> area_labels;
        for (std::size_t i = 0; i < areas.size(); ++i) {
            EXPECT_EQ(std::memcmp(&labels.areas[i].rect, areas[i], sizeof(MOUSERECT)), 0) << "area " << i;
            EXPECT_TRUE(area_labels.insert(labels.areas[i].label).second)
                << "area label used twice: " << labels.areas[i].label;
        }
    }
}

TEST(Catalogue, NeedleTablesAreSharedOnlyByNeedlesAtTheSamePoint) {
    std::map<const NONLINEARITY*, std::pair<PIXPOINT, std::string>> first_user;
    std::size_t needles = 0;
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        for (const ELEMENT_HEADER* e : elements_of(*g)) {
            if (e->element_type != ELEMENT_TYPE_NEEDLE) continue;
            ++needles;
            const auto* n = reinterpret_cast<const ELEMENT_NEEDLE*>(e);
            ASSERT_NE(n->nonlinearity_table, nullptr) << g->gauge_name;
            EXPECT_GE(n->nonlinearity_count, 2u) << g->gauge_name;
            EXPECT_EQ(n->source_var.id, 0u) << g->gauge_name << ": needles read their values from callbacks";
            auto [it, first] = first_user.try_emplace(n->nonlinearity_table, e->position, g->gauge_name);
            if (first) continue;
            EXPECT_TRUE(it->second.first.x == e->position.x && it->second.first.y == e->position.y)
                << g->gauge_name << " shares a needle table with " << it->second.second
                << " at another point";
        }
    }
    EXPECT_GT(needles, 0u);
}

TEST(Catalogue, FailureListsAreEmptyButForTheStandbyAttitudeAndCompass) {
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        SCOPED_TRACE(g->gauge_name);
        const FAILURE_RECORD* list = g->elements_list[0]->failure_list;
        for (const ELEMENT_HEADER* e : elements_of(*g))
            EXPECT_EQ(e->failure_list, list) << "one list per gauge";
        std::string name = g->gauge_name;
        if (name == "toskelin adi_sec_rulo") {
            EXPECT_EQ(list[0].key, 8);
            EXPECT_EQ(list[0].action, 0);
            EXPECT_EQ(list[1].key, 0);
        } else if (name == "toskelin compass_rulo") {
            EXPECT_EQ(list[0].key, 12);
            EXPECT_EQ(list[0].action, 1);
            EXPECT_EQ(list[1].key, 0);
        } else {
            EXPECT_EQ(list[0].key, 0);
        }
    }
}

// Parent, areas, end of parent, end of table; nothing else anywhere.
TEST(Catalogue, MouseTablesHaveTheOneShape) {
    const std::map<std::string, uint32_t> help_ids = {
        {"testgauge2k", 0xAA1A},
        {"toskelin gpws_rulo", 0xAB4C},
        {"toskelin adi_fd_rulo", 0xAB0D},
        {"toskelin compass_rulo", 0xAB94},
        {"toskelin toggle_pan_rad_rulo", 0xAB86},
        {"toskelin toggle_pan_gps_rulo", 0xAB87},
        {"toskelin toggle_pan_ped_rulo", 0xAB88},
        {"toskelin toggle_pan_fe_rulo", 0xAB8A},
        {"toskelin toggle_pan_fail_rulo", 0xAB8B},
        {"toskelin toggle_pan_up2_rulo", 0xAB8B},
        {"toskelin toggle_pan_ins_rulo", 0xAB8B},
    };
    std::set<MOUSE_FUNCTION> handlers;
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        SCOPED_TRACE(g->gauge_name);
        const MOUSERECT* r = g->mouse_rect;
        ASSERT_EQ(r->rect_type, static_cast<uint32_t>(MOUSE_RECT_PARENT));
        auto help = help_ids.find(g->gauge_name);
        EXPECT_EQ(r->help_id, help == help_ids.end() ? 0u : help->second);
        EXPECT_EQ(r->cursor, CURSOR_NONE);
        EXPECT_EQ(r->mouse_function, nullptr);
        for (++r; r->rect_type == MOUSE_RECT_CHILD; ++r) {
            EXPECT_TRUE(r->cursor == CURSOR_HAND || r->cursor == CURSOR_UPARROW ||
                        r->cursor == CURSOR_DOWNARROW);
            EXPECT_TRUE(r->mouse_flags == 0x20000000u || r->mouse_flags == 0x20200000u);
            EXPECT_EQ(r->help_id, 0u);
            EXPECT_EQ(r->event_id, 0u);
            EXPECT_EQ(r->api_data, nullptr);
            EXPECT_GT(r->box.width, 0);
            EXPECT_GT(r->box.height, 0);
            ASSERT_NE(r->mouse_function, nullptr);
            handlers.insert(r->mouse_function);
        }
        ASSERT_EQ(r->rect_type, static_cast<uint32_t>(MOUSE_RECT_END_PARENT));
        EXPECT_EQ(r->cursor, CURSOR_NONE);
        ++r;
        ASSERT_EQ(r->rect_type, static_cast<uint32_t>(MOUSE_RECT_EOL));
        EXPECT_EQ(r->cursor, CURSOR_NONE);
    }
    std::size_t areas = 0;
    for (GAUGEHDR* g : FakeHost::all_gauges()) areas += areas_of(*g).size();
    EXPECT_EQ(handlers.size(), areas) << "every area has a handler of its own";
}

// The seven standard routines hand the module's first element record (and
// the install handle or generate phase) to the host operation of the same
// role.
TEST(Catalogue, StandardRoutinesPassTheFirstElementToTheHost) {
    FakeHost host;
    const GAUGEHDR* g = linkage().gauge_table[57];  // any gauge: they all share them
    ELEMENT_HEADER* first = linkage().gauge_table[0]->elements_list[0];
    g->query_routine();
    g->install_routine(reinterpret_cast<void*>(uintptr_t{1234}));
    g->initialize_routine();
    g->update_routine();
    g->generate_routine(5);
    g->draw_routine();
    g->kill_routine();
    const std::vector<std::string> roles = {"query",    "install", "initialize", "update",
                                            "generate", "plot",    "kill"};
    ASSERT_EQ(host.element_calls().size(), roles.size());
    for (std::size_t i = 0; i < roles.size(); ++i) {
        EXPECT_EQ(host.element_calls()[i].operation, roles[i]);
        EXPECT_EQ(host.element_calls()[i].element, first);
    }
    EXPECT_EQ(host.element_calls()[1].value, 1234u);
    EXPECT_EQ(host.element_calls()[4].value, 5u);
}

// Before the host fills ImportTable the routines call nothing; in a table
// with slots the host left null they call only the slots that are filled.
int updates_seen = 0;
void FSAPI count_update(ELEMENT_HEADER*) { ++updates_seen; }

TEST(Catalogue, StandardRoutinesCallOnlyTheSlotsAHostFilled) {
    reset_module();
    const GAUGEHDR* g = linkage().gauge_table[3];
    updates_seen = 0;
    g->update_routine();
    PANEL_SERVICES only_update{};
    only_update.element_list_update = count_update;
    ImportTable.services = &only_update;
    g->query_routine();
    g->install_routine(nullptr);
    g->initialize_routine();
    g->update_routine();
    g->generate_routine(1);
    g->draw_routine();
    g->kill_routine();
    ImportTable.services = nullptr;
    EXPECT_EQ(updates_seen, 1);
}

}  // namespace
}  // namespace kadrimos::testing
