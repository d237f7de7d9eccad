/* The module's state directory: where the shared cockpit record lies and the
 * name, place and kind of each of its items, so that a host can show a
 * developer what the cockpit holds (the simulated host's "show state").
 *
 * It is data in a section of its own, ".kdrmst", which a host finds in the
 * loaded module as it finds any section: the simulator never looks at it,
 * and the module exports nothing for it. Plain C, for hosts in either
 * language. */
#ifndef KADRIMOS_STATE_DIRECTORY_H
#define KADRIMOS_STATE_DIRECTORY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KADRIMOS_STATE_SECTION ".kdrmst"
#define KADRIMOS_STATE_MAGIC "KDRMST01"

/* The kind of an item (of each element, for an array). */
enum {
    STATE_U8 = 1,
    STATE_I8 = 2,
    STATE_U16 = 3,
    STATE_I16 = 4,
    STATE_U32 = 5,
    STATE_I32 = 6,
    STATE_F32 = 7,
    STATE_F64 = 8
};

typedef struct STATE_ITEM {
    const char* name;
    uint32_t offset; /* from the record's start, in bytes */
    uint32_t size;   /* in bytes, all elements */
    uint32_t kind;   /* STATE_* of one element */
    uint32_t count;  /* elements: 1 unless an array */
} STATE_ITEM;

typedef struct STATE_DIRECTORY {
    char magic[8]; /* KADRIMOS_STATE_MAGIC, without its terminator */
    uint32_t item_count;
    uint32_t record_size;
    const void* record;
    const STATE_ITEM* items;
} STATE_DIRECTORY;

#ifdef __cplusplus
}
#endif

#endif /* KADRIMOS_STATE_DIRECTORY_H */
