// Text that a client names by address, copied with a bounded length.
#pragma once

#include <cstddef>

// Copies the NUL-terminated text at `address` into `out`, which holds `capacity` bytes
// including the NUL. False (with `out` empty) when `address` is null, when a byte before the
// NUL cannot be read, or when no NUL comes within `capacity` - 1 characters.
bool CopyClientText(const char *address, char *out, size_t capacity);
