/*
 * host_api.h - the panel and gauge interface between the simulator (the host)
 * and a gauge module.
 *
 * This header is the whole contract. The module exports two data records,
 * `ImportTable` and `Linkage`; a host finds them by name in the loaded library,
 * fills in `ImportTable` and walks `Linkage`. Everything else happens through
 * the pointers in the records below. Any host (the simulator, the simulated
 * host program, the unit tests) includes this file and nothing else of the
 * module.
 *
 * Plain C, so that a host written in C can include it. Every field that this
 * header does not name a meaning for is 0 in the module's records.
 *
 * Conventions used in the comments:
 *   host reads    - the module fills the field, the host only reads it;
 *   module writes - the module changes the field at run time;
 *   host owns     - the host may write the field; the module never reads it.
 */
#ifndef KADRIMOS_HOST_API_H
#define KADRIMOS_HOST_API_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every routine that crosses the interface uses the simulator's calling
 * convention: stdcall on 32-bit Windows, the platform default elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define FSAPI __stdcall
#else
#define FSAPI
#endif

/* ---------------------------------------------------------------------------
 * Service codes passed to a gauge callback. The module acts on
 * PANEL_SERVICE_PRE_INSTALL (2), PANEL_SERVICE_PRE_UPDATE (6) and
 * PANEL_SERVICE_PRE_KILL (12) only; every other code is ignored.
 * ------------------------------------------------------------------------- */
enum {
    PANEL_SERVICE_PRE_QUERY = 0,
    PANEL_SERVICE_POST_QUERY = 1,
    PANEL_SERVICE_PRE_INSTALL = 2, /* extra value: the module's handle */
    PANEL_SERVICE_POST_INSTALL = 3,
    PANEL_SERVICE_PRE_INITIALIZE = 4,
    PANEL_SERVICE_POST_INITIALIZE = 5,
    PANEL_SERVICE_PRE_UPDATE = 6, /* once per simulation update, 18 a second */
    PANEL_SERVICE_POST_UPDATE = 7,
    PANEL_SERVICE_PRE_GENERATE = 8,
    PANEL_SERVICE_POST_GENERATE = 9,
    PANEL_SERVICE_PRE_DRAW = 10,
    PANEL_SERVICE_POST_DRAW = 11,
    PANEL_SERVICE_PRE_KILL = 12,
    PANEL_SERVICE_POST_KILL = 13
};

/* Identifiers and versions fixed by the interface. */
enum {
    IMPORT_TABLE_PANELS_ID = 0x0000000F, /* ImportTable word 0 */
    MODULE_LINKAGE_ID = 0x13,            /* Linkage.module_id */
    MODULE_LINKAGE_VERSION = 0x900,      /* Linkage.module_version */
    GAUGE_HEADER_VERSION = 0x320         /* GAUGEHDR.gauge_header_version */
};

/* ---------------------------------------------------------------------------
 * Small geometry records, in pixels of the gauge's background bitmap.
 * ------------------------------------------------------------------------- */
typedef struct PIXPOINT {
    int32_t x;
    int32_t y;
} PIXPOINT;

typedef struct PIXBOX {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
} PIXBOX;

/* ---------------------------------------------------------------------------
 * MODULE_VAR: one simulation variable, named by its token. The module fills
 * `id` and calls lookup_var; the host stores the current value in `value`.
 * Most variables are doubles (`value.n`); integer, enumeration and flag-set
 * variables are read from the low 32 bits of the same 8 bytes
 * (`value.bits32`). The host owns every field but `id`.
 * ------------------------------------------------------------------------- */
typedef union MODULE_VAR_VALUE {
    double n;        /* a double variable */
    uint32_t bits32; /* low 32 bits, for integer variables (little-endian) */
    uint8_t bytes[8];
} MODULE_VAR_VALUE;

typedef struct MODULE_VAR {
    uint32_t id;            /* host reads: the variable's token */
    uint32_t type;          /* host owns */
    MODULE_VAR_VALUE value; /* host writes on lookup_var, module reads */
    void* host_data;        /* host owns */
} MODULE_VAR;

/* ---------------------------------------------------------------------------
 * Element records. Every element starts with ELEMENT_HEADER; the kind code
 * says which record follows. A gauge's elements form a tree whose root is the
 * background; `next_element` points at a null-terminated array of children.
 * ------------------------------------------------------------------------- */
enum {
    ELEMENT_TYPE_STATIC_IMAGE = 0,
    ELEMENT_TYPE_NEEDLE = 1,
    ELEMENT_TYPE_STRING = 2,
    ELEMENT_TYPE_SLIDER = 3,
    ELEMENT_TYPE_ICON = 4,
    ELEMENT_TYPE_MOVING_IMAGE = 5,
    ELEMENT_TYPE_SPRITE = 6
};

/* Image flags. IMAGE_HIDDEN is the only bit the module changes at run time;
 * the drawing bits are set once in the static record and passed through. */
#define IMAGE_USE_TRANSPARENCY 0x00000001u
#define IMAGE_USE_ERASE 0x00000002u
#define IMAGE_USE_BRIGHT 0x00000004u
#define IMAGE_NO_STATIC_BLENDING 0x00000080u
#define IMAGE_CREATE_DIBSECTION 0x00004000u
#define IMAGE_HIDDEN 0x40000000u

/* Bitmap resource id of a string element: strings have no bitmap. */
#define ELEMENT_NO_BITMAP 0xFFFFFFFFu

/* A failure list: (key, action) pairs, ended by a key of 0. */
typedef struct FAILURE_RECORD {
    int32_t key;
    int32_t action;
} FAILURE_RECORD;

struct GAUGEHDR;

typedef struct ELEMENT_HEADER {
    uint32_t element_type;                   /* host reads: ELEMENT_TYPE_* */
    uint32_t resource_id;                    /* host reads: bitmap id, ELEMENT_NO_BITMAP for strings */
    PIXPOINT position;                       /* host reads: within the gauge's background */
    PIXPOINT previous_position;              /* host owns */
    PIXPOINT offset;                         /* host reads: pivot of needles and sprites, else 0 */
    struct GAUGEHDR* gauge_header;           /* host reads: the owning gauge */
    struct ELEMENT_HEADER* previous_element; /* host owns; null in the module */
    struct ELEMENT_HEADER** next_element;    /* host reads: null-terminated children, or null */
    const FAILURE_RECORD* failure_list;      /* host reads: the gauge's failure list */
    uint32_t image_flags;                    /* host reads; module writes IMAGE_HIDDEN */
    uint32_t aspect;                         /* 0 */
    uint32_t reserved;                       /* 0 */
} ELEMENT_HEADER;

/* Value callback of needles, sliders, moving images and sprites: receives its
 * element record and returns the value that the host maps through the
 * element's table or range. String callbacks have the same shape: they write
 * the element's text into its buffer and return a double. */
typedef double(FSAPI* ELEMENT_VALUE_CALLBACK)(ELEMENT_HEADER* element);

/* Kind 0: the gauge's background. Nothing beyond the header. */
typedef struct ELEMENT_STATIC_IMAGE {
    ELEMENT_HEADER header;
} ELEMENT_STATIC_IMAGE;

/* Kind 4: a bitmap that is only shown or hidden. */
typedef struct ELEMENT_ICON {
    ELEMENT_HEADER header;
} ELEMENT_ICON;

/* One point of a needle's nonlinearity table: the pixel that the needle tip
 * reaches at `value`. */
typedef struct NONLINEARITY {
    PIXPOINT pt;
    double value;
} NONLINEARITY;

/* Kind 1: a needle turning about its pivot (`header.offset`). */
typedef struct ELEMENT_NEEDLE {
    ELEMENT_HEADER header;
    ELEMENT_VALUE_CALLBACK callback;        /* host calls; module's value */
    uint32_t nonlinearity_count;            /* host reads */
    const NONLINEARITY* nonlinearity_table; /* host reads */
} ELEMENT_NEEDLE;

/* Kind 2: one line of text in a box. */
typedef struct ELEMENT_STRING {
    ELEMENT_HEADER header;
    MODULE_VAR source_var; /* the element's own variable (id 0: none) */
    PIXPOINT box_size;     /* host reads: width, height */
    uint32_t fg_color;     /* host reads: 0x00BBGGRR */
    uint32_t bg_color;
    uint32_t highlight_color;
    const char* font_name; /* host reads */
    uint32_t font_weight;
    uint32_t char_set;
    uint32_t draw_flags;             /* host reads: DT_* style flags */
    uint32_t max_string_length;      /* host reads: characters, without the terminator */
    char* string;                    /* module writes: max_string_length + 1 bytes */
    ELEMENT_VALUE_CALLBACK callback; /* host calls before drawing the text */
} ELEMENT_STRING;

/* Kind 3: a bitmap sliding along x and/or y. A null callback leaves that axis
 * fixed. */
typedef struct ELEMENT_SLIDER {
    ELEMENT_HEADER header;
    ELEMENT_VALUE_CALLBACK x_callback;
    double x_scale;
    ELEMENT_VALUE_CALLBACK y_callback;
    double y_scale;
} ELEMENT_SLIDER;

/* Kind 5: a window onto a larger bitmap (drums, tapes), moved in x and y
 * within the given value ranges. */
typedef struct ELEMENT_MOVING_IMAGE {
    ELEMENT_HEADER header;
    ELEMENT_VALUE_CALLBACK x_callback;
    double x_min;
    double x_max;
    ELEMENT_VALUE_CALLBACK y_callback;
    double y_min;
    double y_max;
} ELEMENT_MOVING_IMAGE;

/* Kind 6: a bitmap moved and turned about its pivot. */
typedef struct ELEMENT_SPRITE {
    ELEMENT_HEADER header;
    ELEMENT_VALUE_CALLBACK x_callback;
    double x_scale;
    ELEMENT_VALUE_CALLBACK y_callback;
    double y_scale;
    ELEMENT_VALUE_CALLBACK rotation_callback;
    double rotation_scale;
} ELEMENT_SPRITE;

/* Draw flags and font settings that every string of the module uses. */
#define STRING_DRAW_CENTER 0x01u
#define STRING_DRAW_VCENTER 0x04u
#define STRING_DRAW_SINGLELINE 0x20u

/* ---------------------------------------------------------------------------
 * Mouse rectangles. Each gauge has one table: a parent record (the whole
 * gauge), its areas, the end of the parent, and the end of the table.
 * ------------------------------------------------------------------------- */
enum { MOUSE_RECT_EOL = 0, MOUSE_RECT_PARENT = 1, MOUSE_RECT_CHILD = 2, MOUSE_RECT_END_PARENT = 3 };

/* Cursor shown over an area. */
enum {
    CURSOR_NONE = -1,
    CURSOR_NORMAL = 0,
    CURSOR_UPARROW = 1,   /* the part of a control that increases or moves it up */
    CURSOR_DOWNARROW = 2, /* the part that decreases or moves it down */
    CURSOR_LEFTARROW = 3,
    CURSOR_RIGHTARROW = 4,
    CURSOR_HAND = 5 /* buttons, toggles and whole switches */
};

/* Mouse flags: which events call the area's handler. */
#define MOUSE_LEFTSINGLE 0x20000000u
#define MOUSE_DOWN_REPEAT 0x00200000u /* knobs: called again while held */

/* Mouse handler: receives the click point (relative to the gauge) and the
 * mouse flags of the event, returns an integer. */
typedef int32_t(FSAPI* MOUSE_FUNCTION)(PIXPOINT* point, uint32_t mouse_flags);

typedef struct MOUSERECT {
    uint32_t rect_type;            /* MOUSE_RECT_* */
    PIXBOX box;                    /* relative to the gauge; 0 for parent and ends */
    int32_t cursor;                /* CURSOR_* */
    uint32_t help_id;              /* parent: the gauge's help text, else 0 */
    uint32_t mouse_flags;          /* areas: MOUSE_LEFTSINGLE [| MOUSE_DOWN_REPEAT] */
    uint32_t event_id;             /* 0: the module sends its own key events */
    MOUSE_FUNCTION mouse_function; /* areas: the handler; else null */
    void* api_data;                /* 0 */
} MOUSERECT;

/* ---------------------------------------------------------------------------
 * Gauge header and callback.
 * ------------------------------------------------------------------------- */
struct GAUGEHDR;

/* The gauge callback: its own header, a PANEL_SERVICE_* code and one extra
 * value (32 bits in the simulator; pointer-sized here so that a 64-bit host
 * can hand over its module handle at PANEL_SERVICE_PRE_INSTALL). */
typedef void(FSAPI* GAUGE_CALLBACK)(struct GAUGEHDR* gauge, int32_t service_id, uintptr_t extra_data);

/* The seven standard routines. Each passes the module's first element record
 * to the host operation of the same role and returns its result. */
typedef int32_t(FSAPI* QUERY_ROUTINE)(void);
typedef int32_t(FSAPI* INSTALL_ROUTINE)(uintptr_t value);
typedef int32_t(FSAPI* INITIALIZE_ROUTINE)(void);
typedef int32_t(FSAPI* UPDATE_ROUTINE)(void);
typedef int32_t(FSAPI* GENERATE_ROUTINE)(uintptr_t value);
typedef int32_t(FSAPI* DRAW_ROUTINE)(void);
typedef int32_t(FSAPI* KILL_ROUTINE)(void);

typedef struct GAUGEHDR {
    uint32_t gauge_header_version;  /* GAUGE_HEADER_VERSION */
    const char* gauge_name;         /* the name a panel configuration places */
    ELEMENT_HEADER** elements_list; /* null-terminated: the background */
    QUERY_ROUTINE query_routine;
    INSTALL_ROUTINE install_routine;
    INITIALIZE_ROUTINE initialize_routine;
    UPDATE_ROUTINE update_routine;
    GENERATE_ROUTINE generate_routine;
    DRAW_ROUTINE draw_routine;
    KILL_ROUTINE kill_routine;
    uint32_t reserved1;            /* 0 */
    uint32_t size_x_mm;            /* default width in millimetres */
    uint32_t reserved2[8];         /* 0 */
    MOUSERECT* mouse_rect;         /* the gauge's mouse table; never null */
    GAUGE_CALLBACK gauge_callback; /* null only where a gauge has none */
    uint32_t reserved3[4];         /* 0 */
} GAUGEHDR;

/* ---------------------------------------------------------------------------
 * The host's panel services. The host fills ImportTable.services with a
 * pointer to this table before it calls any routine of the module; the
 * module calls the host only through it.
 * ------------------------------------------------------------------------- */
typedef struct PANEL_SERVICES {
    int32_t(FSAPI* element_list_query)(ELEMENT_HEADER* element);
    int32_t(FSAPI* element_list_install)(ELEMENT_HEADER* element, uintptr_t value);
    int32_t(FSAPI* element_list_initialize)(ELEMENT_HEADER* element);
    int32_t(FSAPI* element_list_update)(ELEMENT_HEADER* element);
    int32_t(FSAPI* element_list_generate)(ELEMENT_HEADER* element, uintptr_t value);
    int32_t(FSAPI* element_list_plot)(ELEMENT_HEADER* element);
    int32_t(FSAPI* element_list_kill)(ELEMENT_HEADER* element);
    /* Stores the variable's current value in var->value. */
    void(FSAPI* lookup_var)(MODULE_VAR* var);
    /* Sends one key event into the simulation; the result is never read. */
    int32_t(FSAPI* trigger_key_event)(uint32_t event_id, uint32_t value);
    /* Shows the panel window if hidden, hides it if shown. */
    int32_t(FSAPI* panel_window_toggle)(uint32_t window_id);
    /* Evaluates an expression such as "(A:Adf active frequency:2,Kilohertz)";
     * the module passes a double to receive the value and two null pointers. */
    int32_t(FSAPI* execute_calculator_code)(const char* code, double* fvalue, int32_t* ivalue,
                                            const char** svalue);
} PANEL_SERVICES;

/* ---------------------------------------------------------------------------
 * The two exported records.
 * ------------------------------------------------------------------------- */

/* `ImportTable`: the host writes `services` before any call. */
typedef struct IMPORT_TABLE {
    uint32_t panels_id;       /* IMPORT_TABLE_PANELS_ID */
    PANEL_SERVICES* services; /* host writes */
    uint32_t end_id;          /* 0 */
    void* end_ptr;            /* null */
} IMPORT_TABLE;

typedef void(FSAPI* MODULE_INIT_ROUTINE)(void);
typedef void(FSAPI* MODULE_DEINIT_ROUTINE)(void);

/* `Linkage`: announces the module and lists its gauges. `gauge_table` holds
 * the gauge headers in catalogue order followed by a null pointer; a host
 * walks it up to the null (and should bound the walk). */
typedef struct MODULE_LINKAGE {
    uint32_t module_id; /* MODULE_LINKAGE_ID */
    MODULE_INIT_ROUTINE module_init;
    MODULE_DEINIT_ROUTINE module_deinit;
    uint32_t flags;          /* 0 */
    uint32_t module_status;  /* 0 */
    uint32_t module_version; /* MODULE_LINKAGE_VERSION */
    GAUGEHDR* gauge_table[]; /* null-terminated */
} MODULE_LINKAGE;

/* The names under which the module exports the two records. */
#define MODULE_IMPORT_TABLE_SYMBOL "ImportTable"
#define MODULE_LINKAGE_SYMBOL "Linkage"

/* In the simulator's 32-bit build the layout of the two exported records is
 * fixed: ImportTable is four 32-bit words, and the gauge list of Linkage
 * starts at byte 24. */
#if defined(_WIN32) && !defined(_WIN64)
#ifdef __cplusplus
#define KADRIMOS_STATIC_ASSERT static_assert
#else
#define KADRIMOS_STATIC_ASSERT _Static_assert
#endif
KADRIMOS_STATIC_ASSERT(sizeof(IMPORT_TABLE) == 16, "ImportTable is four 32-bit words");
KADRIMOS_STATIC_ASSERT(offsetof(IMPORT_TABLE, services) == 4, "services pointer is word 1");
KADRIMOS_STATIC_ASSERT(offsetof(MODULE_LINKAGE, module_version) == 20, "Linkage header layout");
KADRIMOS_STATIC_ASSERT(offsetof(MODULE_LINKAGE, gauge_table) == 24, "Linkage gauge list at byte 24");
KADRIMOS_STATIC_ASSERT(sizeof(MODULE_VAR_VALUE) == 8, "variable values are 8 bytes");
#undef KADRIMOS_STATIC_ASSERT
#endif

#ifdef __cplusplus
}
#endif

#endif /* KADRIMOS_HOST_API_H */
