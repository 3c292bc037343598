/* Compile-time checks for the byte layouts shared with client code.
   Works in C99 (no _Static_assert there) and in C++. */
#ifndef TARNWELL_LAYOUT_ASSERT_H
#define TARNWELL_LAYOUT_ASSERT_H

#include <stddef.h>

#ifdef __cplusplus
#define TW_LAYOUT_ASSERT(cond, tag) static_assert((cond), #tag)
#else
#define TW_LAYOUT_ASSERT(cond, tag) typedef char tw_layout_assert_##tag[(cond) ? 1 : -1]
#endif

/* Field `field` of `type` starts at byte `offset`. */
#define TW_AT(type, field, offset) TW_LAYOUT_ASSERT(offsetof(type, field) == (offset), type##_##field)
#define TW_SIZE(type, size) TW_LAYOUT_ASSERT(sizeof(type) == (size), type##_size)

/* Every layout assumes 32-bit pointers and handles. */
TW_LAYOUT_ASSERT(sizeof(void *) == 4, pointers_are_32_bit);

#endif
