// The seven standard routines that every gauge header points at.
//
// Each passes the module's first element record (the background of the test
// gauge, the first gauge of the catalogue) to the host operation of the same
// role. Like the host's operations they return nothing. They do not look at the gauge being
// served: which element lists the host installs, updates and draws for a
// placed gauge lies with the host, which has every header's element list.
#pragma once

#include <cstdint>

#include "panel/host_api.h"

namespace kadrimos {

void FSAPI standard_query();
void FSAPI standard_install(void* resource_file_handle);
void FSAPI standard_initialize();
void FSAPI standard_update();
void FSAPI standard_generate(uint32_t phase);
void FSAPI standard_draw();
void FSAPI standard_kill();

// The callback of a gauge that works through its value callbacks and mouse
// handlers alone (meters, the QTY TEST button): it ignores every service
// code. Its elements are visible in their static records and stay so.
void FSAPI values_and_mouse_only(GAUGEHDR* gauge, int32_t service, uintptr_t value);

// Builds a gauge header as every gauge of the module fills it.
constexpr GAUGEHDR gauge_header(const char* name, uint32_t width_mm, ELEMENT_HEADER** elements,
                                MOUSERECT* mouse_table, GAUGE_CALLBACK callback) {
    GAUGEHDR h{};
    h.gauge_header_version = GAUGE_HEADER_VERSION;
    h.gauge_name = name;
    h.elements_list = elements;
    h.query_routine = standard_query;
    h.install_routine = standard_install;
    h.initialize_routine = standard_initialize;
    h.update_routine = standard_update;
    h.generate_routine = standard_generate;
    h.draw_routine = standard_draw;
    h.kill_routine = standard_kill;
    h.size_x_mm = width_mm;
    h.mouse_rect = mouse_table;
    h.gauge_callback = callback;
    return h;
}

}  // namespace kadrimos
