/*
 * catalogue: loads the module as the simulator does and lists the gauges it
 * offers to a panel configuration: position, name, default width, elements,
 * mouse areas and whether the gauge has a callback.
 */
#include <dlfcn.h>
#include <stdio.h>

#include "host_api.h"

static int count_elements(const ELEMENT_HEADER* e) {
    int n = 0;
    for (; e != NULL; e = e->next_element ? e->next_element[0] : NULL) {
        ++n;
        if (e->next_element)
            for (int i = 1; e->next_element[0] && e->next_element[i]; ++i)
                n += count_elements(e->next_element[i]);
    }
    return n;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: catalogue path/to/kadrimos.so\n");
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        fprintf(stderr, "catalogue: cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    const MODULE_LINKAGE* linkage = (const MODULE_LINKAGE*)dlsym(module, MODULE_LINKAGE_SYMBOL);
    if (!linkage || !dlsym(module, MODULE_IMPORT_TABLE_SYMBOL)) {
        fprintf(stderr, "catalogue: %s does not export Linkage and ImportTable\n", argv[1]);
        return 2;
    }
    if (linkage->module_id != MODULE_LINKAGE_ID) {
        fprintf(stderr, "catalogue: %s: Linkage identifier 0x%X, expected 0x%X\n", argv[1],
                (unsigned)linkage->module_id, (unsigned)MODULE_LINKAGE_ID);
        return 2;
    }
    printf("%-4s %-40s %6s %8s %6s %s\n", "#", "gauge", "width", "elements", "areas", "callback");
    int i = 0;
    for (; i < 4096 && linkage->gauge_table[i] != NULL; ++i) {
        const GAUGEHDR* g = linkage->gauge_table[i];
        int areas = 0;
        for (const MOUSERECT* r = g->mouse_rect; r && r->rect_type != MOUSE_RECT_EOL; ++r)
            areas += r->rect_type == MOUSE_RECT_CHILD;
        printf("%-4d %-40s %6u %8d %6d %s\n", i + 1, g->gauge_name, (unsigned)g->size_x_mm,
               count_elements(g->elements_list[0]), areas, g->gauge_callback ? "yes" : "no");
    }
    printf("%d gauges\n", i);
    dlclose(module);
    return 0;
}
