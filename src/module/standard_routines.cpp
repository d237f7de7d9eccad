#include "module/standard_routines.h"

#include "module/exports.h"
#include "panel/host.h"

namespace kadrimos {
namespace {

// Element 0 of the element list of the catalogue's first gauge.
ELEMENT_HEADER* first_element() { return Linkage.gauge_table[0]->elements_list[0]; }

}  // namespace

void FSAPI standard_query() { host::element_list_query(first_element()); }
void FSAPI standard_install(void* resource_file_handle) {
    host::element_list_install(first_element(), resource_file_handle);
}
void FSAPI standard_initialize() { host::element_list_initialize(first_element()); }
void FSAPI standard_update() { host::element_list_update(first_element()); }
void FSAPI standard_generate(uint32_t phase) { host::element_list_generate(first_element(), phase); }
void FSAPI standard_draw() { host::element_list_plot(first_element()); }
void FSAPI standard_kill() { host::element_list_kill(first_element()); }

void FSAPI values_and_mouse_only(GAUGEHDR*, int32_t, uintptr_t) {}

}  // namespace kadrimos
