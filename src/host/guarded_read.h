// Reads of arbitrary addresses that never fault: unreadable memory gives -1.
#pragma once

#include <cstddef>
#include <cstdint>

// The byte at `address` (0..255), or -1 when it cannot be read.
int GuardedReadByte(uintptr_t address);

// Copies `count` bytes from `address` into `out`; each unreadable byte becomes `fill`.
// Returns the number of bytes that could not be read.
size_t GuardedCopy(uint8_t *out, uintptr_t address, size_t count, uint8_t fill);

// The raw probe behind GuardedReadByte, without the readability query: a fault is caught
// by an exception handler and gives -1. Exposed for tests of the fault path.
int ProbeByte(uintptr_t address);
