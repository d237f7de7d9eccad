#include "panel/host.h"

#include <cstring>

#include "module/exports.h"

namespace kadrimos::host {
namespace {

// The host's table, or null while the host has not filled ImportTable.
const PANEL_SERVICES* services() { return ImportTable.services; }

}  // namespace

double read(MODULE_VAR& var) {
    const PANEL_SERVICES* s = services();
    if (s == nullptr || s->lookup_var == nullptr) {
        var.value.n = 0.0;
        return 0.0;
    }
    s->lookup_var(&var);
    return var.value.n;
}

uint32_t read_bits(MODULE_VAR& var) {
    const PANEL_SERVICES* s = services();
    if (s == nullptr || s->lookup_var == nullptr) {
        var.value.n = 0.0;
        return 0;
    }
    s->lookup_var(&var);
    uint32_t low = 0;
    std::memcpy(&low, var.value.bytes, sizeof low);
    return low;
}

void send_event(uint32_t event_id, uint32_t value) {
    const PANEL_SERVICES* s = services();
    if (s != nullptr && s->trigger_key_event != nullptr) s->trigger_key_event(event_id, value);
}

int32_t toggle_window(uint32_t window_id) {
    const PANEL_SERVICES* s = services();
    if (s == nullptr || s->panel_window_toggle == nullptr) return 0;
    return s->panel_window_toggle(window_id);
}

double calculate(const char* expression) {
    const PANEL_SERVICES* s = services();
    double result = 0.0;
    if (s != nullptr && s->execute_calculator_code != nullptr)
        s->execute_calculator_code(expression, &result, nullptr, nullptr);
    return result;
}

// The element operations pass the host's result back unchanged.
#define KADRIMOS_ELEMENT_OPERATION(name)                                    \
    int32_t name(ELEMENT_HEADER* element) {                                 \
        const PANEL_SERVICES* s = services();                               \
        return (s != nullptr && s->name != nullptr) ? s->name(element) : 0; \
    }
#define KADRIMOS_ELEMENT_OPERATION_WITH_VALUE(name)                                \
    int32_t name(ELEMENT_HEADER* element, uintptr_t value) {                       \
        const PANEL_SERVICES* s = services();                                      \
        return (s != nullptr && s->name != nullptr) ? s->name(element, value) : 0; \
    }
KADRIMOS_ELEMENT_OPERATION(element_list_query)
KADRIMOS_ELEMENT_OPERATION_WITH_VALUE(element_list_install)
KADRIMOS_ELEMENT_OPERATION(element_list_initialize)
KADRIMOS_ELEMENT_OPERATION(element_list_update)
KADRIMOS_ELEMENT_OPERATION_WITH_VALUE(element_list_generate)
KADRIMOS_ELEMENT_OPERATION(element_list_plot)
KADRIMOS_ELEMENT_OPERATION(element_list_kill)
#undef KADRIMOS_ELEMENT_OPERATION
#undef KADRIMOS_ELEMENT_OPERATION_WITH_VALUE

}  // namespace kadrimos::host
