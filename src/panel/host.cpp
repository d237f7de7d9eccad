#include "panel/host.h"

#include <cstring>

#include "module/exports.h"

namespace kadrimos::host {
namespace {

// The host's table, or null while the host has not filled ImportTable.
const PANEL_SERVICES* services() { return ImportTable.services; }

// Bumped each time the module goes back to its load state; a variable whose
// mark differs has not been initialised since.
uint32_t load_epoch = 1;

// Looks `record` up through the host, initialising it first where it has not
// been since the module's load state. False without a host to ask.
bool look_up(MODULE_VAR& record, uint32_t& initialised_in) {
    const PANEL_SERVICES* s = services();
    if (s == nullptr || s->lookup_var == nullptr) {
        record.value.n = 0.0;
        return false;
    }
    if (initialised_in != load_epoch) {
        if (s->initialize_var != nullptr) s->initialize_var(&record);
        initialised_in = load_epoch;
    }
    s->lookup_var(&record);
    return true;
}

}  // namespace

void forget_initialised_variables() {
    ++load_epoch;
    if (load_epoch == 0) load_epoch = 1;  // 0 marks a record never initialised
}

double read(MODULE_VAR& record, uint32_t& initialised_in) {
    return look_up(record, initialised_in) ? record.value.n : 0.0;
}

double read(Variable& var) { return read(var.record, var.initialised_in); }

uint32_t read_bits(Variable& var) {
    if (!look_up(var.record, var.initialised_in)) return 0;
    uint32_t low = 0;
    std::memcpy(&low, var.record.value.bytes, sizeof low);
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

// The element operations return nothing; a missing table or slot is skipped.
#define KADRIMOS_ELEMENT_OPERATION(name)                          \
    void name(ELEMENT_HEADER* element) {                          \
        const PANEL_SERVICES* s = services();                     \
        if (s != nullptr && s->name != nullptr) s->name(element); \
    }
KADRIMOS_ELEMENT_OPERATION(element_list_query)
KADRIMOS_ELEMENT_OPERATION(element_list_initialize)
KADRIMOS_ELEMENT_OPERATION(element_list_update)
KADRIMOS_ELEMENT_OPERATION(element_list_plot)
KADRIMOS_ELEMENT_OPERATION(element_list_kill)
#undef KADRIMOS_ELEMENT_OPERATION

void element_list_install(ELEMENT_HEADER* element, void* resource_file_handle) {
    const PANEL_SERVICES* s = services();
    if (s != nullptr && s->element_list_install != nullptr)
        s->element_list_install(element, resource_file_handle);
}

void element_list_generate(ELEMENT_HEADER* element, uint32_t phase) {
    const PANEL_SERVICES* s = services();
    if (s != nullptr && s->element_list_generate != nullptr) s->element_list_generate(element, phase);
}

}  // namespace kadrimos::host
