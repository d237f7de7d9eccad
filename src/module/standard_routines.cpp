#include "module/standard_routines.h"

#include "module/exports.h"
#include "panel/host.h"

namespace kadrimos {
namespace {

// Element 0 of the element list of the catalogue's first gauge.
ELEMENT_HEADER* first_element() { return Linkage.gauge_table[0]->elements_list[0]; }

}  // namespace

int32_t FSAPI standard_query() { return host::element_list_query(first_element()); }
int32_t FSAPI standard_install(uintptr_t value) { return host::element_list_install(first_element(), value); }
int32_t FSAPI standard_initialize() { return host::element_list_initialize(first_element()); }
int32_t FSAPI standard_update() { return host::element_list_update(first_element()); }
int32_t FSAPI standard_generate(uintptr_t value) {
    return host::element_list_generate(first_element(), value);
}
int32_t FSAPI standard_draw() { return host::element_list_plot(first_element()); }
int32_t FSAPI standard_kill() { return host::element_list_kill(first_element()); }

void FSAPI values_and_mouse_only(GAUGEHDR*, int32_t, uintptr_t) {}

}  // namespace kadrimos
