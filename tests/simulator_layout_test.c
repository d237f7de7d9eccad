/*
 * The built kadrimos.gau as the 32-bit simulator sees it.
 *
 * Every record is read and written here through byte offsets written in this
 * file, the simulator's own, and never through the module's interface
 * header: a test built from that header cannot see an error in it. The
 * program loads the DLL, hands the module a services table with the routines
 * at their slots, and checks what the simulator relies on: the exported
 * records, the gauge headers and their size, every element kind's fields and
 * callbacks, the string text buffer and its length, variable records
 * initialised before they are looked up with the value at byte 12, key
 * events and window toggles through their slots, and that every record the
 * simulator writes lies in writable memory without overlapping another.
 *
 *   simulator_layout_test path\to\kadrimos.gau
 *
 * Exits 0 when everything holds; prints each failure.
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "c_check.h"

/* --- The simulator's offsets ----------------------------------------------- */

/* Services table: slot index times four, after a six-word header. */
enum {
    SLOT_ELEMENT_QUERY = 96,
    SLOT_ELEMENT_INSTALL = 100,
    SLOT_ELEMENT_INITIALIZE = 104,
    SLOT_ELEMENT_UPDATE = 108,
    SLOT_ELEMENT_GENERATE = 112,
    SLOT_ELEMENT_PLOT = 116,
    SLOT_ELEMENT_ERASE = 120,
    SLOT_ELEMENT_KILL = 124,
    SLOT_PANEL_WINDOW_TOGGLE = 140,
    SLOT_TRIGGER_KEY_EVENT = 144,
    SLOT_INITIALIZE_VAR = 152,
    SLOT_LOOKUP_VAR = 160,
    SLOT_EXECUTE_CALCULATOR_CODE = 276,
    SERVICES_SIZE = 328
};

/* Gauge header. */
enum {
    HDR_VERSION = 0,
    HDR_NAME = 4,
    HDR_ELEMENTS = 8,
    HDR_QUERY = 12,
    HDR_INSTALL = 16,
    HDR_INITIALIZE = 20,
    HDR_UPDATE = 24,
    HDR_GENERATE = 28,
    HDR_DRAW = 32,
    HDR_KILL = 36,
    HDR_SIZE_X_MM = 44,
    HDR_MOUSE = 80,
    HDR_CALLBACK = 84,
    HDR_SIZE = 252
};

/* Element header and kinds. */
enum {
    EL_KIND = 0,
    EL_GAUGE = 32,
    EL_NEXT = 40,
    EL_FLAGS = 48,
    STATIC_SIZE = 96,
    NEEDLE_TABLE = 112,
    NEEDLE_COUNT = 116,
    NEEDLE_CALLBACK = 224,
    NEEDLE_SIZE = 236,
    TABLE_ENTRY = 24,
    TABLE_DEGREES = 16,
    STRING_VAR = 60,
    STRING_POINTER = 184,
    STRING_FONT = 248,
    STRING_MAX_LENGTH = 292,
    STRING_CALLBACK = 312,
    STRING_SIZE = 324,
    SLIDER_X_CALLBACK = 168,
    SLIDER_Y_CALLBACK = 172,
    SLIDER_SIZE = 192,
    ICON_COUNT = 112,
    ICON_CALLBACK = 132,
    ICON_SIZE = 140,
    MOVING_Y_MIN = 144,
    MOVING_Y_MAX = 152,
    MOVING_X_CALLBACK = 244,
    MOVING_Y_CALLBACK = 248,
    MOVING_SIZE = 268,
    SPRITE_ROTATION_SCALE = 172,
    SPRITE_TEXTURE_X = 180,
    SPRITE_TEXTURE_Y = 184,
    SPRITE_X_CALLBACK = 316,
    SPRITE_Y_CALLBACK = 320,
    SPRITE_ROTATION_CALLBACK = 324,
    SPRITE_SIZE = 352
};

/* Variable record. */
enum { VAR_ID = 0, VAR_PTR = 4, VAR_VALUE = 12, VAR_SIZE = 28 };

/* Mouse rectangle. */
enum { RECT_KIND = 0, RECT_FUNCTION = 36, RECT_SIZE = 44 };

static uint32_t u32(const void* base, size_t at) {
    uint32_t v;
    memcpy(&v, (const uint8_t*)base + at, sizeof v);
    return v;
}
static uint16_t u16(const void* base, size_t at) {
    uint16_t v;
    memcpy(&v, (const uint8_t*)base + at, sizeof v);
    return v;
}
static double f64(const void* base, size_t at) {
    double v;
    memcpy(&v, (const uint8_t*)base + at, sizeof v);
    return v;
}
static float f32(const void* base, size_t at) {
    float v;
    memcpy(&v, (const uint8_t*)base + at, sizeof v);
    return v;
}
static void* ptr(const void* base, size_t at) {
    void* v;
    memcpy(&v, (const uint8_t*)base + at, sizeof v);
    return v;
}
static void put_ptr(void* base, size_t at, const void* v) { memcpy((uint8_t*)base + at, &v, sizeof v); }
static void put_f64(void* base, size_t at, double v) { memcpy((uint8_t*)base + at, &v, sizeof v); }

typedef void(__stdcall* ROUTINE)(void);
typedef void(__stdcall* ROUTINE_WITH_POINTER)(void*);
typedef void(__stdcall* ROUTINE_WITH_WORD)(uint32_t);
typedef void(__stdcall* CALLBACK_FN)(void* gauge, int32_t service, uint32_t extra);
typedef double(__stdcall* VALUE_FN)(void* element);
typedef int32_t(__stdcall* MOUSE_FN)(void* point, uint32_t flags);

/* --- The host's routines, recording what the module asks ---------------- */

static int last_slot = -1;
static void* last_element = NULL;
static uint32_t last_value = 0;
static uint32_t last_event = 0;
static int events = 0;
static uint32_t last_toggle = 0;
static int lookups = 0;
static int uninitialised_lookups = 0;
static const int initialised_marker = 1;

static void note(int slot, void* e, uint32_t value) {
    last_slot = slot;
    last_element = e;
    last_value = value;
}
static void __stdcall element_query(void* e) { note(SLOT_ELEMENT_QUERY, e, 0); }
static void __stdcall element_install(void* e, void* h) {
    note(SLOT_ELEMENT_INSTALL, e, (uint32_t)(uintptr_t)h);
}
static void __stdcall element_initialize(void* e) { note(SLOT_ELEMENT_INITIALIZE, e, 0); }
static void __stdcall element_update(void* e) { note(SLOT_ELEMENT_UPDATE, e, 0); }
static void __stdcall element_generate(void* e, uint32_t phase) { note(SLOT_ELEMENT_GENERATE, e, phase); }
static void __stdcall element_plot(void* e) { note(SLOT_ELEMENT_PLOT, e, 0); }
static void __stdcall element_erase(void* e) { note(SLOT_ELEMENT_ERASE, e, 0); }
static void __stdcall element_kill(void* e) { note(SLOT_ELEMENT_KILL, e, 0); }
static int32_t __stdcall panel_window_toggle(uint32_t id) {
    last_toggle = id;
    return 7;
}
static uint32_t __stdcall trigger_key_event(uint32_t id, uint32_t value) {
    (void)value;
    last_event = id;
    ++events;
    return 0;
}
static void __stdcall initialize_var(void* var) { put_ptr(var, VAR_PTR, &initialised_marker); }
static void __stdcall lookup_var(void* var) {
    ++lookups;
    if (ptr(var, VAR_PTR) != &initialised_marker) ++uninitialised_lookups;
    put_f64(var, VAR_VALUE, u32(var, VAR_ID) == 349 ? 2.5 : 0.0);
}
static int32_t __stdcall execute_calculator_code(const char* code, double* f, int32_t* i, const char** s) {
    (void)code;
    (void)i;
    (void)s;
    if (f) *f = 0.0;
    return 1;
}

static uint8_t services[SERVICES_SIZE];

static void fill_services(void) {
    memset(services, 0, sizeof services);
    put_ptr(services, SLOT_ELEMENT_QUERY, (const void*)element_query);
    put_ptr(services, SLOT_ELEMENT_INSTALL, (const void*)element_install);
    put_ptr(services, SLOT_ELEMENT_INITIALIZE, (const void*)element_initialize);
    put_ptr(services, SLOT_ELEMENT_UPDATE, (const void*)element_update);
    put_ptr(services, SLOT_ELEMENT_GENERATE, (const void*)element_generate);
    put_ptr(services, SLOT_ELEMENT_PLOT, (const void*)element_plot);
    put_ptr(services, SLOT_ELEMENT_ERASE, (const void*)element_erase);
    put_ptr(services, SLOT_ELEMENT_KILL, (const void*)element_kill);
    put_ptr(services, SLOT_PANEL_WINDOW_TOGGLE, (const void*)panel_window_toggle);
    put_ptr(services, SLOT_TRIGGER_KEY_EVENT, (const void*)trigger_key_event);
    put_ptr(services, SLOT_INITIALIZE_VAR, (const void*)initialize_var);
    put_ptr(services, SLOT_LOOKUP_VAR, (const void*)lookup_var);
    put_ptr(services, SLOT_EXECUTE_CALCULATOR_CODE, (const void*)execute_calculator_code);
}

/* --- Records the simulator writes: where they are --------------------------- */

typedef struct Range {
    uintptr_t start;
    uintptr_t end;
    const char* what;
    const char* gauge;
} Range;

static Range ranges[4096];
static int range_count = 0;

static int writable(const void* p, size_t size) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(p, &info, sizeof info) == 0) return 0;
    const DWORD rw = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if ((info.Protect & rw) == 0) return 0;
    return (uintptr_t)p + size <= (uintptr_t)info.BaseAddress + info.RegionSize;
}

static void record(const void* p, size_t size, const char* what, const char* gauge) {
    if (!writable(p, size)) {
        fprintf(stderr, "%s: the %s at %p is not in writable memory\n", gauge, what, p);
        ++failures;
    }
    if (range_count < (int)(sizeof ranges / sizeof ranges[0])) {
        Range r = {(uintptr_t)p, (uintptr_t)p + size, what, gauge};
        ranges[range_count++] = r;
    }
}

static int by_start(const void* a, const void* b) {
    const Range* x = (const Range*)a;
    const Range* y = (const Range*)b;
    return x->start < y->start ? -1 : x->start > y->start ? 1 : 0;
}

/* --- The checks ---------------------------------------------------------- */

static size_t kind_size(uint32_t kind) {
    static const size_t sizes[] = {STATIC_SIZE, NEEDLE_SIZE, STRING_SIZE, SLIDER_SIZE,
                                   ICON_SIZE,   MOVING_SIZE, SPRITE_SIZE};
    return kind < sizeof sizes / sizeof sizes[0] ? sizes[kind] : 0;
}

static int element_kinds[7];

/* One element and, through its children, the rest of its tree. */
static void check_element(uint8_t* e, uint8_t* gauge, const char* name, int depth) {
    if (e == NULL || depth > 1000) return;
    uint32_t kind = u32(e, EL_KIND);
    CHECK(kind <= 6);
    if (kind > 6) return;
    ++element_kinds[kind];
    CHECK(ptr(e, EL_GAUGE) == gauge);
    record(e, kind_size(kind), "element record", name);
    switch (kind) {
        case 1: { /* needle: its table, which the simulator writes, and its value */
            uint8_t* table = (uint8_t*)ptr(e, NEEDLE_TABLE);
            uint32_t count = u32(e, NEEDLE_COUNT);
            CHECK(table != NULL);
            CHECK(count >= 2 && count <= 64);
            if (table != NULL && count <= 64) {
                if (writable(table, (size_t)count * TABLE_ENTRY))
                    for (uint32_t i = 0; i < count; ++i) put_f64(table, i * TABLE_ENTRY + TABLE_DEGREES, 1.0);
                else {
                    fprintf(stderr, "%s: a needle table is not in writable memory\n", name);
                    ++failures;
                }
            }
            VALUE_FN value = (VALUE_FN)ptr(e, NEEDLE_CALLBACK);
            CHECK(value != NULL);
            if (value) (void)value(e);
            break;
        }
        case 2: { /* string: font inline, length, callback */
            CHECK(strcmp((const char*)e + STRING_FONT, "Quartz") == 0);
            CHECK(u16(e, STRING_MAX_LENGTH) >= 1);
            CHECK(ptr(e, STRING_CALLBACK) != NULL);
            break;
        }
        case 3: /* slider: at least one axis */
            CHECK(ptr(e, SLIDER_X_CALLBACK) != NULL || ptr(e, SLIDER_Y_CALLBACK) != NULL);
            if (ptr(e, SLIDER_X_CALLBACK)) (void)((VALUE_FN)ptr(e, SLIDER_X_CALLBACK))(e);
            if (ptr(e, SLIDER_Y_CALLBACK)) (void)((VALUE_FN)ptr(e, SLIDER_Y_CALLBACK))(e);
            break;
        case 4: /* icon: one image, no callback */
            CHECK(u32(e, ICON_COUNT) == 1);
            CHECK(ptr(e, ICON_CALLBACK) == NULL);
            break;
        case 5: /* moving image: a range and at least one axis */
            CHECK(f64(e, MOVING_Y_MIN) <= f64(e, MOVING_Y_MAX));
            CHECK(ptr(e, MOVING_X_CALLBACK) != NULL || ptr(e, MOVING_Y_CALLBACK) != NULL);
            if (ptr(e, MOVING_X_CALLBACK)) (void)((VALUE_FN)ptr(e, MOVING_X_CALLBACK))(e);
            if (ptr(e, MOVING_Y_CALLBACK)) (void)((VALUE_FN)ptr(e, MOVING_Y_CALLBACK))(e);
            break;
        case 6: /* sprite: drawn at its size, turned or moved by a callback */
            CHECK(f32(e, SPRITE_TEXTURE_X) == 1.0f && f32(e, SPRITE_TEXTURE_Y) == 1.0f);
            CHECK(ptr(e, SPRITE_ROTATION_CALLBACK) == NULL || f64(e, SPRITE_ROTATION_SCALE) != 0.0);
            CHECK(ptr(e, SPRITE_X_CALLBACK) != NULL || ptr(e, SPRITE_Y_CALLBACK) != NULL ||
                  ptr(e, SPRITE_ROTATION_CALLBACK) != NULL);
            if (ptr(e, SPRITE_X_CALLBACK)) (void)((VALUE_FN)ptr(e, SPRITE_X_CALLBACK))(e);
            if (ptr(e, SPRITE_Y_CALLBACK)) (void)((VALUE_FN)ptr(e, SPRITE_Y_CALLBACK))(e);
            if (ptr(e, SPRITE_ROTATION_CALLBACK)) (void)((VALUE_FN)ptr(e, SPRITE_ROTATION_CALLBACK))(e);
            break;
        default:
            break;
    }
    void** children = (void**)ptr(e, EL_NEXT);
    for (int i = 0; children != NULL && children[i] != NULL && i < 64; ++i)
        check_element((uint8_t*)children[i], gauge, name, depth + 1);
}

/* The seven standard routines call the element slots of their role with the
 * module's first element (the background of the first gauge). */
static void check_standard_routines(uint8_t* gauge, void* first_element) {
    struct {
        size_t at;
        int slot;
        int argument; /* 0 none, 1 pointer, 2 word */
    } routines[] = {
        {HDR_QUERY, SLOT_ELEMENT_QUERY, 0},
        {HDR_INSTALL, SLOT_ELEMENT_INSTALL, 1},
        {HDR_INITIALIZE, SLOT_ELEMENT_INITIALIZE, 0},
        {HDR_UPDATE, SLOT_ELEMENT_UPDATE, 0},
        {HDR_GENERATE, SLOT_ELEMENT_GENERATE, 2},
        {HDR_DRAW, SLOT_ELEMENT_PLOT, 0},
        {HDR_KILL, SLOT_ELEMENT_KILL, 0},
    };
    for (size_t i = 0; i < sizeof routines / sizeof routines[0]; ++i) {
        void* routine = ptr(gauge, routines[i].at);
        CHECK(routine != NULL);
        if (routine == NULL) continue;
        last_slot = -1;
        last_element = NULL;
        last_value = 0;
        if (routines[i].argument == 1)
            ((ROUTINE_WITH_POINTER)routine)((void*)(uintptr_t)0x1234);
        else if (routines[i].argument == 2)
            ((ROUTINE_WITH_WORD)routine)(5);
        else
            ((ROUTINE)routine)();
        CHECK(last_slot == routines[i].slot);
        CHECK(last_element == first_element);
        if (routines[i].argument == 1) CHECK(last_value == 0x1234);
        if (routines[i].argument == 2) CHECK(last_value == 5);
    }
}

/* The second read-out of the test gauge: its own variable (token 349) is
 * looked up after initialisation and read from byte 12 of its record; its
 * text goes to the buffer the host sets, cut to the maximum length. */
static void check_string(uint8_t* readout) {
    CHECK(u32(readout, EL_KIND) == 2);
    CHECK(u32(readout, STRING_VAR + VAR_ID) == 349);
    CHECK(u16(readout, STRING_MAX_LENGTH) == 6);
    VALUE_FN callback = (VALUE_FN)ptr(readout, STRING_CALLBACK);
    if (callback == NULL) return;

    char text[16];
    memset(text, '#', sizeof text);
    put_ptr(readout, STRING_POINTER, text);
    int before = uninitialised_lookups;
    double shown = callback(readout);
    CHECK(shown == 2.5);
    CHECK(strcmp(text, "2.5000") == 0);
    CHECK(text[7] == '#');
    CHECK(uninitialised_lookups == before);

    put_ptr(readout, STRING_POINTER, NULL);
    CHECK(callback(readout) == 2.5); /* no buffer: nothing written, value still given */
}

/* The first area of a gauge's mouse table, after the parent record. */
static MOUSE_FN first_area(uint8_t* gauge) {
    uint8_t* table = (uint8_t*)ptr(gauge, HDR_MOUSE);
    if (table == NULL || u32(table, RECT_KIND) != 1) return NULL;
    return (MOUSE_FN)ptr(table + RECT_SIZE, RECT_FUNCTION);
}

static uint8_t* gauge_named(uint8_t** list, int count, const char* name) {
    for (int i = 0; i < count; ++i)
        if (strcmp((const char*)ptr(list[i], HDR_NAME), name) == 0) return list[i];
    return NULL;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: simulator_layout_test path\\to\\kadrimos.gau\n");
        return 2;
    }
    HMODULE module = LoadLibraryA(argv[1]);
    if (module == NULL) {
        fprintf(stderr, "cannot load %s (error %lu)\n", argv[1], (unsigned long)GetLastError());
        return 2;
    }
    uint8_t* imports = (uint8_t*)GetProcAddress(module, "ImportTable");
    uint8_t* linkage = (uint8_t*)GetProcAddress(module, "Linkage");
    CHECK(imports != NULL);
    CHECK(linkage != NULL);
    if (imports == NULL || linkage == NULL) return 1;

    /* ImportTable: four words; the simulator writes word 1. */
    CHECK(u32(imports, 0) == 0x0F);
    CHECK(ptr(imports, 4) == NULL);
    CHECK(u32(imports, 8) == 0);
    CHECK(ptr(imports, 12) == NULL);
    record(imports, 16, "ImportTable", "the module");

    /* Linkage: identifier, version, and the gauge list from byte 24. */
    CHECK(u32(linkage, 0) == 0x13);
    CHECK(u32(linkage, 20) == 0x900);
    uint8_t** list = (uint8_t**)(linkage + 24);
    int count = 0;
    while (count < 1000 && list[count] != NULL) ++count;
    CHECK(count == 142);

    fill_services();
    put_ptr(imports, 4, services);

    /* Every header, its size in memory, and its element tree. */
    int right_after_header = 0;
    for (int i = 0; i < count; ++i) {
        uint8_t* g = list[i];
        const char* name = (const char*)ptr(g, HDR_NAME);
        CHECK(u32(g, HDR_VERSION) == 0x320);
        CHECK(name != NULL);
        CHECK(u32(g, HDR_SIZE_X_MM) > 0);
        CHECK(ptr(g, HDR_MOUSE) != NULL);
        record(g, HDR_SIZE, "gauge header", name);
        /* Where a gauge's element list follows its header in memory, it
         * lies the full header size after it. */
        uintptr_t elements = (uintptr_t)ptr(g, HDR_ELEMENTS);
        if (elements > (uintptr_t)g && elements < (uintptr_t)g + 2 * HDR_SIZE) {
            CHECK(elements >= (uintptr_t)g + HDR_SIZE);
            right_after_header += elements == (uintptr_t)g + HDR_SIZE;
        }
        void** top = (void**)ptr(g, HDR_ELEMENTS);
        CHECK(top != NULL && top[0] != NULL);
        if (top != NULL && top[0] != NULL) check_element((uint8_t*)top[0], g, name, 0);
        uint8_t* mouse = (uint8_t*)ptr(g, HDR_MOUSE);
        size_t records = 0;
        while (mouse != NULL && records < 256 && u32(mouse + records * RECT_SIZE, RECT_KIND) != 0) ++records;
        if (mouse != NULL) record(mouse, (records + 1) * RECT_SIZE, "mouse table", name);
    }
    CHECK(right_after_header >= 60);
    for (int k = 0; k < 7; ++k) CHECK(element_kinds[k] > 0);

    /* No record the simulator writes overlaps another. */
    qsort(ranges, (size_t)range_count, sizeof ranges[0], by_start);
    for (int i = 1; i < range_count; ++i) {
        if (ranges[i].start < ranges[i - 1].end) {
            fprintf(stderr, "the %s of %s overlaps the %s of %s\n", ranges[i].what, ranges[i].gauge,
                    ranges[i - 1].what, ranges[i - 1].gauge);
            ++failures;
        }
    }

    uint8_t* test = list[0];
    CHECK(strcmp((const char*)ptr(test, HDR_NAME), "testgauge2k") == 0);
    void* first_element = ((void**)ptr(test, HDR_ELEMENTS))[0];
    check_standard_routines(list[57], first_element);
    check_string((uint8_t*)((void**)ptr(first_element, EL_NEXT))[2]);

    /* A click on the test gauge sends its event through the key event slot;
     * a window button toggles its window through its slot and passes the
     * host's answer back. */
    MOUSE_FN click = first_area(test);
    CHECK(click != NULL);
    int32_t point[2] = {1, 1};
    if (click) click(point, 0x20000000u);
    CHECK(events == 1 && last_event == 0x10417);
    uint8_t* radios = gauge_named(list, count, "toskelin toggle_pan_rad_rulo");
    MOUSE_FN toggle = radios ? first_area(radios) : NULL;
    CHECK(toggle != NULL);
    if (toggle) CHECK(toggle(point, 0x20000000u) == 7);
    CHECK(last_toggle == 10050);

    /* Updates of every gauge: every variable is initialised before it is
     * looked up. */
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < count; ++i) {
            CALLBACK_FN callback = (CALLBACK_FN)ptr(list[i], HDR_CALLBACK);
            if (callback) callback(list[i], 6, 0);
        }
    CHECK(lookups > 100);
    CHECK(uninitialised_lookups == 0);

    put_ptr(imports, 4, NULL);
    FreeLibrary(module);
    if (failures == 0)
        printf(
            "simulator_layout_test: %d gauges (%d element lists right after their header), %d records, "
            "every offset as the simulator reads it\n",
            count, right_after_header, range_count);
    return failures == 0 ? 0 : 1;
}
