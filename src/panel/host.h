// The seam between the module and the host's panel services.
//
// This is the only code that reaches the services table the host writes into
// ImportTable. Systems logic and gauges call these functions; they never touch
// the table, and platform code never touches aircraft logic.
//
// Before the host has filled in its table (or if it never does), every call is
// harmless: lookups read 0, key events and window toggles go nowhere and
// return 0, calculator expressions read 0. A slot the host left null is
// treated the same way.
#pragma once

#include <cstdint>

#include "panel/host_api.h"

namespace kadrimos::host {

// A variable record and whether the host has set it up. The simulator
// fills a record's var_ptr and var_type in initialize_var and reads through
// them in every lookup_var: a record is initialised once, before its first
// lookup, and again only after the module is put back to its load state.
struct Variable {
    MODULE_VAR record;
    uint32_t initialised_in;  // the module's load epoch at initialisation; 0: never
};

// One static variable record per token, shared by every reader of that token.
template <uint32_t Token>
inline constinit Variable var = {{Token, nullptr, 0, {}, {}}, 0};

// Looks the variable up (initialising it first if need be) and returns its
// value as a double (may be NaN or infinite: the caller decides what such a
// value means for its instrument).
double read(Variable& var);
// Looks the variable up and returns the low 32 bits of its value, for
// integer, enumeration and flag-set variables.
uint32_t read_bits(Variable& var);
// The same for a variable record that lives in an element (a string's own
// variable), with the element's initialisation mark kept by its gauge.
double read(MODULE_VAR& record, uint32_t& initialised_in);

// Forgets every initialisation: the next read of each variable initialises
// it again. Part of putting the module back to its load state.
void forget_initialised_variables();

template <uint32_t Token>
double value() {
    return read(var<Token>);
}
template <uint32_t Token>
uint32_t bits() {
    return read_bits(var<Token>);
}

// Sends one key event into the simulation.
void send_event(uint32_t event_id, uint32_t value = 0);
// Shows the panel window if hidden, hides it if shown; returns the host's
// result (0 without a host).
int32_t toggle_window(uint32_t window_id);
// Evaluates a calculator expression and returns its value (0 without a host,
// or when the host leaves the value alone).
double calculate(const char* expression);

// The host operations behind the seven standard gauge routines.
void element_list_query(ELEMENT_HEADER* element);
void element_list_install(ELEMENT_HEADER* element, void* resource_file_handle);
void element_list_initialize(ELEMENT_HEADER* element);
void element_list_update(ELEMENT_HEADER* element);
void element_list_generate(ELEMENT_HEADER* element, uint32_t phase);
void element_list_plot(ELEMENT_HEADER* element);
void element_list_kill(ELEMENT_HEADER* element);

}  // namespace kadrimos::host
