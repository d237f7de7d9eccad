/*
 * The one assertion of the plain C test hosts: reports a failed condition
 * with its place and counts it; the program exits non-zero if any failed.
 */
#ifndef KADRIMOS_TESTS_C_CHECK_H
#define KADRIMOS_TESTS_C_CHECK_H

#include <stdio.h>

static int failures = 0;

#define CHECK(cond)                                                            \
    do {                                                                       \
        if (!(cond)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                        \
        }                                                                      \
    } while (0)

#endif
