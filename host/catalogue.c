/*
 * catalogue: loads the module as the simulator does and lists the gauges it
 * offers to a panel configuration: position, name, default width, elements,
 * mouse areas and whether the gauge has a callback.
 *
 *   catalogue path/to/kadrimos.so
 *   catalogue --records path/to/kadrimos.so
 *
 * With --records it prints every record a host reads instead: each gauge's
 * header, every element of its tree (kind, bitmap, position, pivot, flags,
 * failure list and what the kind adds, value tables included) and every
 * mouse rectangle. Routines are named by role, in the order they are first
 * met (value callback 3, handler 17), so that two builds of the same records
 * print the same text, whatever addresses their code has.
 */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

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

/* --- Routines by role ------------------------------------------------------ */

enum { MAX_ROUTINES = 4096 };

typedef struct Roles {
    const char* kind;
    const void* seen[MAX_ROUTINES];
    int count;
} Roles;

static Roles gauge_callbacks = {"gauge callback", {0}, 0};
static Roles value_callbacks = {"value callback", {0}, 0};
static Roles handlers = {"handler", {0}, 0};
static Roles routines = {"routine", {0}, 0};

/* "none", or the role's number of this routine. */
static const char* role(Roles* roles, const void* routine, char* out, size_t size) {
    if (routine == NULL) return "none";
    int i = 0;
    while (i < roles->count && roles->seen[i] != routine) ++i;
    if (i == roles->count && roles->count < MAX_ROUTINES) roles->seen[roles->count++] = routine;
    snprintf(out, size, "%s %d", roles->kind, i + 1);
    return out;
}

/* A function pointer as an address for the role table (data and code
 * pointers have the same size on the platforms this program runs on). */
#define CODE(f) ((const void*)(size_t)(f))

/* --- Records ------------------------------------------------------------ */

static void print_element(const ELEMENT_HEADER* e, const char* path) {
    char a[64], b[64], c[64];
    printf("  element %s: kind %u bitmap %u at (%d, %d) pivot (%d, %d) flags 0x%X aspect %u reserved %u\n", path,
           (unsigned)e->element_type, (unsigned)e->resource_id, (int)e->position.x, (int)e->position.y,
           (int)e->offset.x, (int)e->offset.y, (unsigned)e->image_flags, (unsigned)e->aspect,
           (unsigned)e->reserved);
    printf("    failures:");
    for (const FAILURE_RECORD* f = e->failure_list; f != NULL; ++f) {
        printf(" (%d, %d)", (int)f->key, (int)f->action);
        if (f->key == 0) break;
    }
    printf("\n");
    switch (e->element_type) {
        case ELEMENT_TYPE_NEEDLE: {
            const ELEMENT_NEEDLE* n = (const ELEMENT_NEEDLE*)e;
            printf("    needle: variable %u, %s, %u points:", (unsigned)n->source_var.id,
                   role(&value_callbacks, CODE(n->callback), a, sizeof a), (unsigned)n->nonlinearity_count);
            for (uint32_t i = 0; n->nonlinearity_table != NULL && i < n->nonlinearity_count; ++i)
                printf(" (%d, %d) %.17g", (int)n->nonlinearity_table[i].pt.x, (int)n->nonlinearity_table[i].pt.y,
                       n->nonlinearity_table[i].value);
            printf("\n");
            break;
        }
        case ELEMENT_TYPE_STRING: {
            const ELEMENT_STRING* s = (const ELEMENT_STRING*)e;
            printf("    string: variables %u %u %u, box %d x %d, colours 0x%X 0x%X 0x%X, font \"%.32s\" %u %u, "
                   "draw 0x%X, length %u, %s\n",
                   (unsigned)s->source_var[0].id, (unsigned)s->source_var[1].id, (unsigned)s->source_var[2].id,
                   (int)s->box_size.x, (int)s->box_size.y, (unsigned)s->fg_color, (unsigned)s->bg_color,
                   (unsigned)s->highlight_color, s->font_name, (unsigned)s->font_weight, (unsigned)s->char_set,
                   (unsigned)s->draw_flags, (unsigned)s->max_string_length,
                   role(&value_callbacks, CODE(s->callback), a, sizeof a));
            break;
        }
        case ELEMENT_TYPE_SLIDER: {
            const ELEMENT_SLIDER* s = (const ELEMENT_SLIDER*)e;
            printf("    slider: x %s scale %.17g, y %s scale %.17g\n",
                   role(&value_callbacks, CODE(s->x_callback), a, sizeof a), s->x_scale,
                   role(&value_callbacks, CODE(s->y_callback), b, sizeof b), s->y_scale);
            break;
        }
        case ELEMENT_TYPE_ICON: {
            const ELEMENT_ICON* i = (const ELEMENT_ICON*)e;
            printf("    icon: %u images, %s\n", (unsigned)i->icon_count,
                   role(&value_callbacks, CODE(i->callback), a, sizeof a));
            break;
        }
        case ELEMENT_TYPE_MOVING_IMAGE: {
            const ELEMENT_MOVING_IMAGE* m = (const ELEMENT_MOVING_IMAGE*)e;
            printf("    moving: x %s %.17g to %.17g, y %s %.17g to %.17g\n",
                   role(&value_callbacks, CODE(m->x_callback), a, sizeof a), m->x_min, m->x_max,
                   role(&value_callbacks, CODE(m->y_callback), b, sizeof b), m->y_min, m->y_max);
            break;
        }
        case ELEMENT_TYPE_SPRITE: {
            const ELEMENT_SPRITE* s = (const ELEMENT_SPRITE*)e;
            printf("    sprite: x %s %.17g, y %s %.17g, rotation %s %.17g, texture %.9g %.9g\n",
                   role(&value_callbacks, CODE(s->x_callback), a, sizeof a), s->x_scale,
                   role(&value_callbacks, CODE(s->y_callback), b, sizeof b), s->y_scale,
                   role(&value_callbacks, CODE(s->rotation_callback), c, sizeof c), s->rotation_scale,
                   (double)s->texture_scale_x, (double)s->texture_scale_y);
            break;
        }
        default:
            break;
    }
}

/* The tree below `e`, depth first; `path` names the element by the child
 * index taken at each level ("0", "0.0", "0.0.2"). */
static void print_tree(const ELEMENT_HEADER* e, char* path, size_t length, int depth) {
    if (e == NULL || depth > 2000) return;
    print_element(e, path);
    if (e->next_element == NULL) return;
    for (int i = 0; e->next_element[i] != NULL; ++i) {
        size_t end = strlen(path);
        if (end + 12 >= length) return;
        snprintf(path + end, length - end, ".%d", i);
        print_tree(e->next_element[i], path, length, depth + 1);
        path[end] = '\0';
    }
}

static void print_records(const GAUGEHDR* g) {
    char a[64], b[64];
    printf("gauge \"%s\": version 0x%X width %u mm, %s\n", g->gauge_name, (unsigned)g->gauge_header_version,
           (unsigned)g->size_x_mm, role(&gauge_callbacks, CODE(g->gauge_callback), a, sizeof a));
    const void* seven[] = {CODE(g->query_routine),  CODE(g->install_routine), CODE(g->initialize_routine),
                           CODE(g->update_routine), CODE(g->generate_routine), CODE(g->draw_routine),
                           CODE(g->kill_routine)};
    printf("  routines:");
    for (int i = 0; i < 7; ++i) printf(" %s,", role(&routines, seven[i], b, sizeof b));
    printf("\n");
    static char path[16384];
    for (int i = 0; g->elements_list != NULL && g->elements_list[i] != NULL; ++i) {
        snprintf(path, sizeof path, "%d", i);
        print_tree(g->elements_list[i], path, sizeof path, 0);
    }
    int n = 0;
    for (const MOUSERECT* r = g->mouse_rect; r != NULL && n < 4096; ++r, ++n) {
        printf("  mouse %d: kind %u box (%d, %d, %d, %d) cursor %d help 0x%X flags 0x%X event %u %s data %s\n", n,
               (unsigned)r->rect_type, (int)r->box.x, (int)r->box.y, (int)r->box.width, (int)r->box.height,
               (int)r->cursor, (unsigned)r->help_id, (unsigned)r->mouse_flags, (unsigned)r->event_id,
               role(&handlers, CODE(r->mouse_function), a, sizeof a), r->api_data ? "set" : "none");
        if (r->rect_type == MOUSE_RECT_EOL) break;
    }
}

int main(int argc, char** argv) {
    int records = argc == 3 && strcmp(argv[1], "--records") == 0;
    if (argc != 2 && !records) {
        fprintf(stderr, "usage: catalogue [--records] path/to/kadrimos.so\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        fprintf(stderr, "catalogue: cannot load %s: %s\n", path, dlerror());
        return 2;
    }
    const MODULE_LINKAGE* linkage = (const MODULE_LINKAGE*)dlsym(module, MODULE_LINKAGE_SYMBOL);
    if (!linkage || !dlsym(module, MODULE_IMPORT_TABLE_SYMBOL)) {
        fprintf(stderr, "catalogue: %s does not export Linkage and ImportTable\n", path);
        return 2;
    }
    if (linkage->module_id != MODULE_LINKAGE_ID) {
        fprintf(stderr, "catalogue: %s: Linkage identifier 0x%X, expected 0x%X\n", path,
                (unsigned)linkage->module_id, (unsigned)MODULE_LINKAGE_ID);
        return 2;
    }
    if (!records)
        printf("%-4s %-40s %6s %8s %6s %s\n", "#", "gauge", "width", "elements", "areas", "callback");
    int i = 0;
    for (; i < 4096 && linkage->gauge_table[i] != NULL; ++i) {
        const GAUGEHDR* g = linkage->gauge_table[i];
        if (records) {
            print_records(g);
            continue;
        }
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
