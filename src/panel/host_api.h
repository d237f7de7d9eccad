/*
 * host_api.h - the panel and gauge interface between the simulator (the host)
 * and a gauge module, in the simulator's own binary layout.
 *
 * This header is the whole contract. The module exports two data records,
 * `ImportTable` and `Linkage`; a host finds them by name in the loaded library,
 * fills in `ImportTable` and walks `Linkage`. Everything else happens through
 * the pointers in the records below. Any host (the simulator, the simulated
 * host program, the unit tests) includes this file and nothing else of the
 * module.
 *
 * The simulator reads and writes these records at fixed byte offsets, packed
 * to 4 bytes: a field one byte off, or a record shorter than the simulator's,
 * and the simulator reads garbage or writes its working fields over the next
 * record. Each record is therefore declared at its full size (the longest the
 * simulator's interface has known; the tail the older simulator does not use
 * stays zero), and every offset the module or the simulator relies on is
 * asserted for the 32-bit build at the end of this file. The fields that the
 * simulator keeps for itself (image sets, save buffers, device contexts,
 * angles) are not named here: they are the host's working areas, 0 in the
 * module's records and never read by the module.
 *
 * On 64-bit builds (the simulated host and the tests, never the simulator)
 * the same declarations apply with 8-byte pointers and natural alignment, so
 * that no pointer or double in a record is misaligned; only the 32-bit
 * layout is the simulator's.
 *
 * Plain C, so that a host written in C can include it.
 *
 * Conventions used in the comments:
 *   host reads    - the module fills the field, the host only reads it;
 *   module writes - the module changes the field at run time;
 *   host writes   - the host fills or changes the field; the module reads it;
 *   host owns     - the host's working field; the module never reads it.
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

/* The simulator packs its records to 4 bytes (a double may start at any
 * multiple of 4). */
#if UINTPTR_MAX == 0xFFFFFFFFu
#define KADRIMOS_PACK_RECORDS _Pragma("pack(push, 4)")
#define KADRIMOS_END_PACKING _Pragma("pack(pop)")
#else
#define KADRIMOS_PACK_RECORDS
#define KADRIMOS_END_PACKING
#endif

KADRIMOS_PACK_RECORDS

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
 * `id`, has the host set the record up once with initialize_var, and then
 * calls lookup_var before each read; the host stores the current value in
 * `value`. Most variables are doubles (`value.n`); integer, enumeration and
 * flag-set variables are read from the low 32 bits of the same 8 bytes
 * (`value.bits32`).
 * ------------------------------------------------------------------------- */
typedef union MODULE_VAR_VALUE {
    double n;        /* a double variable */
    uint32_t bits32; /* low 32 bits, for integer variables (little-endian) */
    uint8_t bytes[8];
} MODULE_VAR_VALUE;

typedef struct MODULE_VAR {
    uint32_t id;                /* host reads: the variable's token */
    void* var_ptr;              /* host writes (initialize_var): where the host keeps the variable */
    uint32_t var_type;          /* host writes (initialize_var): the variable's type */
    MODULE_VAR_VALUE value;     /* host writes (lookup_var): the current value */
    MODULE_VAR_VALUE value_old; /* host owns: the value of the lookup before */
} MODULE_VAR;

/* ---------------------------------------------------------------------------
 * Element records. Every element starts with ELEMENT_HEADER; the kind code
 * says which record it is. A gauge's elements form a tree whose root is the
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

/* One entry of a failure list: which simulated failure acts on the gauge and
 * how. A list ends with a key of 0. */
typedef struct FAILURE_RECORD {
    int32_t key;
    int32_t action;
    void* reserved; /* 0 */
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

/* Value callback of needles, sliders, moving images, sprites and strings:
 * receives its element record and returns the value that the host maps
 * through the element's table or range. A string callback also writes the
 * element's text into the buffer the host gave it (`ELEMENT_STRING.string`). */
typedef double(FSAPI* ELEMENT_VALUE_CALLBACK)(ELEMENT_HEADER* element);

/* Kind 0: the gauge's background. Nothing but the header is the module's. */
typedef struct ELEMENT_STATIC_IMAGE {
    ELEMENT_HEADER header;
    uint32_t host_work[9]; /* host owns: image set, save buffer, device context */
} ELEMENT_STATIC_IMAGE;

/* Kind 4: a bitmap that is only shown or hidden. The module's icons have one
 * image and no value callback. */
typedef struct ELEMENT_ICON {
    ELEMENT_HEADER header;
    uint32_t host_work_1[13];        /* host owns: the icon's variable, its switch type and images */
    uint32_t icon_count;             /* host reads: images in the icon's strip (1) */
    uint32_t host_work_2[4];         /* host owns */
    ELEMENT_VALUE_CALLBACK callback; /* host calls when set: the image to show; null in the module */
    uint32_t host_work_3;            /* host owns */
} ELEMENT_ICON;

/* One point of a needle's nonlinearity table: the pixel of the background
 * that the needle tip reaches at `value`. The host derives the needle's
 * angle at that point into `degrees` when it installs the needle, so the
 * table lies in writable memory and the module leaves `degrees` at 0. */
typedef struct NONLINEARITY {
    PIXPOINT pt;    /* host reads */
    double value;   /* host reads */
    double degrees; /* host writes: the needle's angle at `pt` */
} NONLINEARITY;

/* Kind 1: a needle turning about its pivot (`header.offset`), placed with
 * that pivot at `header.position`. */
typedef struct ELEMENT_NEEDLE {
    ELEMENT_HEADER header;
    MODULE_VAR source_var;            /* the element's own variable (id 0: none) */
    uint32_t host_work_1[6];          /* host owns */
    NONLINEARITY* nonlinearity_table; /* host reads; host writes each entry's degrees */
    uint32_t nonlinearity_count;      /* host reads */
    uint32_t host_work_2[26];         /* host owns: angles, image sets, save buffer */
    ELEMENT_VALUE_CALLBACK callback;  /* host calls: the needle's value */
    uint32_t host_work_3[2];          /* host owns */
} ELEMENT_NEEDLE;

/* Kind 2: one line of text in a box. The host keeps the text buffer: it sets
 * `string` to max_string_length + 1 bytes of its own before it calls the
 * callback, which writes the text there. */
typedef struct ELEMENT_STRING {
    ELEMENT_HEADER header;
    MODULE_VAR source_var[3];        /* the element's own variables (id 0: none) */
    uint32_t host_work_1[10];        /* host owns: saved values */
    char* string;                    /* host writes: its buffer for the text, or null */
    uint32_t host_work_2;            /* host owns: the text drawn last */
    PIXPOINT box_size;               /* host reads: width, height of the text box */
    uint32_t host_work_3[2];         /* host owns */
    uint32_t fg_color;               /* host reads: 0x00BBGGRR */
    uint32_t bg_color;               /* host reads */
    uint32_t highlight_color;        /* host reads */
    uint32_t host_work_4[7];         /* host owns: device context, font, bitmaps */
    char font_name[32];              /* host reads: the face name, inline and terminated */
    uint32_t font_weight;            /* host reads */
    uint8_t char_set;                /* host reads */
    uint8_t host_work_5[3];          /* host owns */
    uint32_t draw_flags;             /* host reads: DT_* style flags */
    uint16_t max_string_length;      /* host reads: characters, without the terminator */
    uint8_t host_work_6[18];         /* host owns */
    ELEMENT_VALUE_CALLBACK callback; /* host calls before drawing the text */
    uint32_t host_work_7[2];         /* host owns */
} ELEMENT_STRING;

/* Kind 3: a bitmap sliding along x and/or y by each callback's value times
 * its scale. A null callback leaves that axis fixed. */
typedef struct ELEMENT_SLIDER {
    ELEMENT_HEADER header;
    uint32_t host_work_1[8];           /* host owns: the x axis's variable */
    double x_scale;                    /* host reads: pixels per unit of value */
    uint32_t host_work_2[8];           /* host owns: the y axis's variable */
    double y_scale;                    /* host reads */
    uint32_t host_work_3[7];           /* host owns: image set, save buffer */
    ELEMENT_VALUE_CALLBACK x_callback; /* host calls when set */
    ELEMENT_VALUE_CALLBACK y_callback; /* host calls when set */
    uint32_t host_work_4[4];           /* host owns */
} ELEMENT_SLIDER;

/* Kind 5: a window onto a larger bitmap (drums, tapes), moved in x and y
 * within the given value ranges. */
typedef struct ELEMENT_MOVING_IMAGE {
    ELEMENT_HEADER header;
    uint32_t host_work_1[8];           /* host owns: the x axis's variable */
    double x_min;                      /* host reads */
    double x_max;                      /* host reads */
    uint32_t host_work_2[9];           /* host owns: the y axis's variable */
    double y_min;                      /* host reads */
    double y_max;                      /* host reads */
    uint32_t host_work_3[21];          /* host owns: scales, image sets, save buffer */
    ELEMENT_VALUE_CALLBACK x_callback; /* host calls when set */
    ELEMENT_VALUE_CALLBACK y_callback; /* host calls when set */
    uint32_t host_work_4[4];           /* host owns */
} ELEMENT_MOVING_IMAGE;

/* Kind 6: a bitmap moved and turned about its pivot. */
typedef struct ELEMENT_SPRITE {
    ELEMENT_HEADER header;
    uint32_t host_work_1[8];                  /* host owns: the x axis's variable */
    double x_scale;                           /* host reads */
    uint32_t host_work_2[8];                  /* host owns: the y axis's variable */
    double y_scale;                           /* host reads */
    uint32_t host_work_3[8];                  /* host owns: the rotation's variable */
    double rotation_scale;                    /* host reads */
    float texture_scale_x;                    /* host reads: 1.0 draws the bitmap at its size */
    float texture_scale_y;                    /* host reads */
    uint32_t host_work_4[32];                 /* host owns: textures, save buffers */
    ELEMENT_VALUE_CALLBACK x_callback;        /* host calls when set */
    ELEMENT_VALUE_CALLBACK y_callback;        /* host calls when set */
    ELEMENT_VALUE_CALLBACK rotation_callback; /* host calls when set */
    uint32_t host_work_5[6];                  /* host owns */
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
 * mouse flags of the event, returns a BOOL. */
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

/* The gauge callback: its own header, a PANEL_SERVICE_* code and one extra
 * value (32 bits in the simulator; pointer-sized here so that a 64-bit host
 * can hand over its module handle at PANEL_SERVICE_PRE_INSTALL). */
typedef void(FSAPI* GAUGE_CALLBACK)(struct GAUGEHDR* gauge, int32_t service_id, uintptr_t extra_data);

/* The seven standard routines. Each passes the module's first element record
 * to the host operation of the same role; they return nothing. */
typedef void(FSAPI* QUERY_ROUTINE)(void);
typedef void(FSAPI* INSTALL_ROUTINE)(void* resource_file_handle);
typedef void(FSAPI* INITIALIZE_ROUTINE)(void);
typedef void(FSAPI* UPDATE_ROUTINE)(void);
typedef void(FSAPI* GENERATE_ROUTINE)(uint32_t phase);
typedef void(FSAPI* DRAW_ROUTINE)(void);
typedef void(FSAPI* KILL_ROUTINE)(void);

typedef struct GAUGEHDR {
    uint32_t gauge_header_version;  /* host reads: GAUGE_HEADER_VERSION */
    const char* gauge_name;         /* host reads: the name a panel configuration places */
    ELEMENT_HEADER** elements_list; /* host reads: null-terminated: the background */
    QUERY_ROUTINE query_routine;    /* host calls: the seven standard routines */
    INSTALL_ROUTINE install_routine;
    INITIALIZE_ROUTINE initialize_routine;
    UPDATE_ROUTINE update_routine;
    GENERATE_ROUTINE generate_routine;
    DRAW_ROUTINE draw_routine;
    KILL_ROUTINE kill_routine;
    void* reserved1;               /* 0 */
    uint32_t size_x_mm;            /* host reads: default width in millimetres */
    uint32_t size_y_mm;            /* host owns: 0 (height from the bitmap) */
    float x_adjust;                /* host owns */
    float y_adjust;                /* host owns */
    void* host_work_1[2];          /* host owns */
    PIXPOINT position;             /* host owns: where the panel placed the gauge */
    void* host_work_2;             /* host owns */
    MOUSERECT* mouse_rect;         /* host reads: the gauge's mouse table; never null */
    GAUGE_CALLBACK gauge_callback; /* host calls: null only where a gauge has none */
    uint32_t user_data;            /* 0 */
    const char* parameters;        /* host owns: the placement's parameter text */
    const char* usage;             /* host owns */
    int32_t reserved2;             /* 0 */
    void* reserved3;               /* 0 */
    PIXPOINT size;                 /* host owns: the gauge's size in pixels */
    double user_area[10];          /* 0 */
    uint32_t flags;                /* 0 */
    void* reserved4;               /* 0 */
    uint32_t later_fields[12];     /* 0: fields of the later simulator, unused by this one */
} GAUGEHDR;

/* ---------------------------------------------------------------------------
 * The host's panel services. The host fills ImportTable.services with a
 * pointer to this table before it calls any routine of the module; the
 * module calls the host only through it. The table starts with the host
 * panel module's own header; every routine then has a fixed slot. The slots
 * this module does not call are reserved pointers here.
 * ------------------------------------------------------------------------- */
typedef struct PANEL_SERVICES {
    uint32_t module_id; /* host's panel module header */
    void* module_init;
    void* module_deinit;
    uint32_t module_flags;
    uint32_t module_priority;
    uint32_t module_version;
    void* reserved_before_elements[18]; /* visibility, tooltip and reserved routines */

    /* The element operations behind the seven standard routines. */
    void(FSAPI* element_list_query)(ELEMENT_HEADER* element);
    void(FSAPI* element_list_install)(ELEMENT_HEADER* element, void* resource_file_handle);
    void(FSAPI* element_list_initialize)(ELEMENT_HEADER* element);
    void(FSAPI* element_list_update)(ELEMENT_HEADER* element);
    void(FSAPI* element_list_generate)(ELEMENT_HEADER* element, uint32_t phase);
    void(FSAPI* element_list_plot)(ELEMENT_HEADER* element);
    void* element_list_erase; /* not called by the module */
    void(FSAPI* element_list_kill)(ELEMENT_HEADER* element);

    void* reserved_mouse_lists[3]; /* mouse list install, register, unregister */
    /* Shows the panel window if hidden, hides it if shown; a BOOL. */
    int32_t(FSAPI* panel_window_toggle)(uint32_t window_id);
    /* Sends one key event into the simulation; returns an error code that
     * the module never reads. */
    uint32_t(FSAPI* trigger_key_event)(uint32_t event_id, uint32_t value);
    void* reserved_register_var_by_name;
    /* Sets a variable record up: fills var_ptr and var_type from its id. */
    void(FSAPI* initialize_var)(MODULE_VAR* var);
    void* reserved_initialize_var_by_name;
    /* Stores the variable's current value in var->value. */
    void(FSAPI* lookup_var)(MODULE_VAR* var);
    void* reserved_before_calculator[28]; /* named variables, windows, resources, gauge flags */
    /* Evaluates an expression such as "(A:Adf active frequency:2,Kilohertz)";
     * the module passes a double to receive the value and two null pointers.
     * A BOOL the module never reads. */
    int32_t(FSAPI* execute_calculator_code)(const char* code, double* fvalue, int32_t* ivalue,
                                            const char** svalue);
    void* reserved_after_calculator[12]; /* formatting, units, aircraft variables, key handlers */
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

KADRIMOS_END_PACKING

/* The names under which the module exports the two records. */
#define MODULE_IMPORT_TABLE_SYMBOL "ImportTable"
#define MODULE_LINKAGE_SYMBOL "Linkage"

/* ---------------------------------------------------------------------------
 * The simulator's 32-bit layout, byte by byte. A build for the simulator
 * does not compile if any of these moves.
 * ------------------------------------------------------------------------- */
#if defined(_WIN32) && !defined(_WIN64)
#ifdef __cplusplus
#define KADRIMOS_LAYOUT(record, field, at) static_assert(offsetof(record, field) == (at), #record "." #field)
#define KADRIMOS_SIZE(record, size) static_assert(sizeof(record) == (size), "size of " #record)
#else
#define KADRIMOS_LAYOUT(record, field, at) _Static_assert(offsetof(record, field) == (at), #record "." #field)
#define KADRIMOS_SIZE(record, size) _Static_assert(sizeof(record) == (size), "size of " #record)
#endif

/* The exported records: four words, and the gauge list after six. */
KADRIMOS_SIZE(IMPORT_TABLE, 16);
KADRIMOS_LAYOUT(IMPORT_TABLE, services, 4);
KADRIMOS_LAYOUT(MODULE_LINKAGE, module_version, 20);
KADRIMOS_LAYOUT(MODULE_LINKAGE, gauge_table, 24);

/* The services table: slot index times four. */
KADRIMOS_LAYOUT(PANEL_SERVICES, reserved_before_elements, 24);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_query, 96);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_install, 100);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_initialize, 104);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_update, 108);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_generate, 112);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_plot, 116);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_erase, 120);
KADRIMOS_LAYOUT(PANEL_SERVICES, element_list_kill, 124);
KADRIMOS_LAYOUT(PANEL_SERVICES, panel_window_toggle, 140);
KADRIMOS_LAYOUT(PANEL_SERVICES, trigger_key_event, 144);
KADRIMOS_LAYOUT(PANEL_SERVICES, initialize_var, 152);
KADRIMOS_LAYOUT(PANEL_SERVICES, lookup_var, 160);
KADRIMOS_LAYOUT(PANEL_SERVICES, execute_calculator_code, 276);
KADRIMOS_SIZE(PANEL_SERVICES, 328);

/* Variables: 28 bytes, the value at 12. */
KADRIMOS_SIZE(MODULE_VAR_VALUE, 8);
KADRIMOS_LAYOUT(MODULE_VAR, var_ptr, 4);
KADRIMOS_LAYOUT(MODULE_VAR, var_type, 8);
KADRIMOS_LAYOUT(MODULE_VAR, value, 12);
KADRIMOS_LAYOUT(MODULE_VAR, value_old, 20);
KADRIMOS_SIZE(MODULE_VAR, 28);

/* Geometry, failure lists and mouse rectangles. */
KADRIMOS_SIZE(PIXPOINT, 8);
KADRIMOS_SIZE(PIXBOX, 16);
KADRIMOS_SIZE(FAILURE_RECORD, 12);
KADRIMOS_LAYOUT(MOUSERECT, box, 4);
KADRIMOS_LAYOUT(MOUSERECT, cursor, 20);
KADRIMOS_LAYOUT(MOUSERECT, help_id, 24);
KADRIMOS_LAYOUT(MOUSERECT, mouse_flags, 28);
KADRIMOS_LAYOUT(MOUSERECT, event_id, 32);
KADRIMOS_LAYOUT(MOUSERECT, mouse_function, 36);
KADRIMOS_LAYOUT(MOUSERECT, api_data, 40);
KADRIMOS_SIZE(MOUSERECT, 44);

/* The common element header. */
KADRIMOS_LAYOUT(ELEMENT_HEADER, resource_id, 4);
KADRIMOS_LAYOUT(ELEMENT_HEADER, position, 8);
KADRIMOS_LAYOUT(ELEMENT_HEADER, previous_position, 16);
KADRIMOS_LAYOUT(ELEMENT_HEADER, offset, 24);
KADRIMOS_LAYOUT(ELEMENT_HEADER, gauge_header, 32);
KADRIMOS_LAYOUT(ELEMENT_HEADER, previous_element, 36);
KADRIMOS_LAYOUT(ELEMENT_HEADER, next_element, 40);
KADRIMOS_LAYOUT(ELEMENT_HEADER, failure_list, 44);
KADRIMOS_LAYOUT(ELEMENT_HEADER, image_flags, 48);
KADRIMOS_LAYOUT(ELEMENT_HEADER, aspect, 52);
KADRIMOS_LAYOUT(ELEMENT_HEADER, reserved, 56);
KADRIMOS_SIZE(ELEMENT_HEADER, 60);

/* The element kinds. */
KADRIMOS_SIZE(ELEMENT_STATIC_IMAGE, 96);

KADRIMOS_SIZE(NONLINEARITY, 24);
KADRIMOS_LAYOUT(NONLINEARITY, value, 8);
KADRIMOS_LAYOUT(NONLINEARITY, degrees, 16);
KADRIMOS_LAYOUT(ELEMENT_NEEDLE, source_var, 60);
KADRIMOS_LAYOUT(ELEMENT_NEEDLE, nonlinearity_table, 112);
KADRIMOS_LAYOUT(ELEMENT_NEEDLE, nonlinearity_count, 116);
KADRIMOS_LAYOUT(ELEMENT_NEEDLE, callback, 224);
KADRIMOS_SIZE(ELEMENT_NEEDLE, 236);

KADRIMOS_LAYOUT(ELEMENT_STRING, source_var, 60);
KADRIMOS_LAYOUT(ELEMENT_STRING, string, 184);
KADRIMOS_LAYOUT(ELEMENT_STRING, box_size, 192);
KADRIMOS_LAYOUT(ELEMENT_STRING, fg_color, 208);
KADRIMOS_LAYOUT(ELEMENT_STRING, bg_color, 212);
KADRIMOS_LAYOUT(ELEMENT_STRING, highlight_color, 216);
KADRIMOS_LAYOUT(ELEMENT_STRING, font_name, 248);
KADRIMOS_LAYOUT(ELEMENT_STRING, font_weight, 280);
KADRIMOS_LAYOUT(ELEMENT_STRING, char_set, 284);
KADRIMOS_LAYOUT(ELEMENT_STRING, draw_flags, 288);
KADRIMOS_LAYOUT(ELEMENT_STRING, max_string_length, 292);
KADRIMOS_LAYOUT(ELEMENT_STRING, callback, 312);
KADRIMOS_SIZE(ELEMENT_STRING, 324);

KADRIMOS_LAYOUT(ELEMENT_SLIDER, x_scale, 92);
KADRIMOS_LAYOUT(ELEMENT_SLIDER, y_scale, 132);
KADRIMOS_LAYOUT(ELEMENT_SLIDER, x_callback, 168);
KADRIMOS_LAYOUT(ELEMENT_SLIDER, y_callback, 172);
KADRIMOS_SIZE(ELEMENT_SLIDER, 192);

KADRIMOS_LAYOUT(ELEMENT_ICON, icon_count, 112);
KADRIMOS_LAYOUT(ELEMENT_ICON, callback, 132);
KADRIMOS_SIZE(ELEMENT_ICON, 140);

KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, x_min, 92);
KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, x_max, 100);
KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, y_min, 144);
KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, y_max, 152);
KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, x_callback, 244);
KADRIMOS_LAYOUT(ELEMENT_MOVING_IMAGE, y_callback, 248);
KADRIMOS_SIZE(ELEMENT_MOVING_IMAGE, 268);

KADRIMOS_LAYOUT(ELEMENT_SPRITE, x_scale, 92);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, y_scale, 132);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, rotation_scale, 172);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, texture_scale_x, 180);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, texture_scale_y, 184);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, x_callback, 316);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, y_callback, 320);
KADRIMOS_LAYOUT(ELEMENT_SPRITE, rotation_callback, 324);
KADRIMOS_SIZE(ELEMENT_SPRITE, 352);

/* The gauge header: the older simulator's fields end at 204, the record is
 * sized at the later one's 252. */
KADRIMOS_LAYOUT(GAUGEHDR, gauge_name, 4);
KADRIMOS_LAYOUT(GAUGEHDR, elements_list, 8);
KADRIMOS_LAYOUT(GAUGEHDR, query_routine, 12);
KADRIMOS_LAYOUT(GAUGEHDR, kill_routine, 36);
KADRIMOS_LAYOUT(GAUGEHDR, reserved1, 40);
KADRIMOS_LAYOUT(GAUGEHDR, size_x_mm, 44);
KADRIMOS_LAYOUT(GAUGEHDR, position, 68);
KADRIMOS_LAYOUT(GAUGEHDR, mouse_rect, 80);
KADRIMOS_LAYOUT(GAUGEHDR, gauge_callback, 84);
KADRIMOS_LAYOUT(GAUGEHDR, user_data, 88);
KADRIMOS_LAYOUT(GAUGEHDR, parameters, 92);
KADRIMOS_LAYOUT(GAUGEHDR, usage, 96);
KADRIMOS_LAYOUT(GAUGEHDR, reserved2, 100);
KADRIMOS_LAYOUT(GAUGEHDR, reserved3, 104);
KADRIMOS_LAYOUT(GAUGEHDR, size, 108);
KADRIMOS_LAYOUT(GAUGEHDR, user_area, 116);
KADRIMOS_LAYOUT(GAUGEHDR, flags, 196);
KADRIMOS_LAYOUT(GAUGEHDR, reserved4, 200);
KADRIMOS_LAYOUT(GAUGEHDR, later_fields, 204);
KADRIMOS_SIZE(GAUGEHDR, 252);

#undef KADRIMOS_LAYOUT
#undef KADRIMOS_SIZE
#endif

#ifdef __cplusplus
}
#endif

#endif /* KADRIMOS_HOST_API_H */
