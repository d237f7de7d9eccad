/*
 * A minimal host in plain C that knows the module only through host_api.h:
 * it loads the library, hands the module its services, walks the catalogue
 * as the simulator does and runs the test gauge through a click, an update
 * and a draw. Exits 0 when everything the module did was right.
 */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include "c_check.h"
#include "host_api.h"

static uint32_t last_event = 0;
static int events = 0;
static int lookups = 0;
static int installs = 0;
static int initialisations = 0;
static const int initialised_marker = 1;

static void FSAPI element_install(ELEMENT_HEADER* e, void* handle) {
    (void)e;
    (void)handle;
    ++installs;
}
static void FSAPI initialize_var(MODULE_VAR* var) {
    ++initialisations;
    var->var_ptr = (void*)&initialised_marker;
}
static void FSAPI lookup_var(MODULE_VAR* var) {
    ++lookups;
    memset(&var->value, 0, sizeof var->value);
    if (var->var_ptr == NULL) return; /* never set up: the simulator would read through null */
    var->value.n = var->id == 349 ? 2.5 : 0.0;
}
static uint32_t FSAPI trigger_key_event(uint32_t id, uint32_t value) {
    (void)value;
    last_event = id;
    ++events;
    return 0;
}
static int32_t FSAPI panel_window_toggle(uint32_t id) {
    (void)id;
    return 1;
}
static int32_t FSAPI execute_calculator_code(const char* code, double* f, int32_t* i, const char** s) {
    (void)code;
    (void)i;
    (void)s;
    if (f) *f = 0.0;
    return 1;
}

static PANEL_SERVICES services = {
    .element_list_install = element_install,
    .panel_window_toggle = panel_window_toggle,
    .trigger_key_event = trigger_key_event,
    .initialize_var = initialize_var,
    .lookup_var = lookup_var,
    .execute_calculator_code = execute_calculator_code,
};

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: abi_host path/to/module\n");
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    IMPORT_TABLE* imports = (IMPORT_TABLE*)dlsym(module, MODULE_IMPORT_TABLE_SYMBOL);
    MODULE_LINKAGE* linkage = (MODULE_LINKAGE*)dlsym(module, MODULE_LINKAGE_SYMBOL);
    CHECK(imports != NULL);
    CHECK(linkage != NULL);
    if (!imports || !linkage) return 1;

    CHECK(imports->panels_id == IMPORT_TABLE_PANELS_ID);
    imports->services = &services;
    CHECK(linkage->module_id == MODULE_LINKAGE_ID);
    CHECK(linkage->module_version == MODULE_LINKAGE_VERSION);
    linkage->module_init();

    int count = 0;
    while (count < 1000 && linkage->gauge_table[count] != NULL) ++count;
    CHECK(count == 142);

    GAUGEHDR* test = linkage->gauge_table[0];
    CHECK(strcmp(test->gauge_name, "testgauge2k") == 0);
    test->install_routine(NULL);
    CHECK(installs == 1);

    /* Click the test gauge's one area, then update and draw it. */
    const MOUSERECT* area = test->mouse_rect + 1;
    CHECK(area->rect_type == MOUSE_RECT_CHILD);
    PIXPOINT point = {1, 1};
    area->mouse_function(&point, area->mouse_flags);
    CHECK(events == 1 && last_event == 0x10417);

    test->gauge_callback(test, PANEL_SERVICE_PRE_UPDATE, 0);
    ELEMENT_HEADER* background = test->elements_list[0];
    ELEMENT_STRING* second = (ELEMENT_STRING*)background->next_element[2];
    CHECK(second->header.element_type == ELEMENT_TYPE_STRING);
    /* The host owns the text: the callback writes into the buffer it is
     * given, at most max_string_length characters and the terminator. */
    char text[16];
    memset(text, '#', sizeof text);
    CHECK(second->max_string_length == 6);
    second->string = text;
    double shown = second->callback(&second->header);
    CHECK(shown == 2.5);
    CHECK(strcmp(text, "2.5000") == 0);
    CHECK(text[7] == '#');
    CHECK(lookups > 0);
    CHECK(initialisations > 0);
    second->string = NULL;

    /* Every gauge survives an update. */
    for (int i = 0; i < count; ++i) {
        GAUGEHDR* g = linkage->gauge_table[i];
        if (g->gauge_callback) g->gauge_callback(g, PANEL_SERVICE_PRE_UPDATE, 0);
    }
    linkage->module_deinit();
    imports->services = NULL;
    dlclose(module);

    if (failures == 0)
        printf("abi_host: the module loaded, walked, clicked, updated and drew as a host expects\n");
    return failures == 0 ? 0 : 1;
}
