// Walks the codes of a run-length encoded pixel stream without decoding it.
#pragma once

#include <cstddef>
#include <cstdint>

// For the stream of a bottom-up bitmap `width` x `height` pixels of `bitCount` (8: RLE8, 4:
// RLE4) bits each, `length` bytes long: true when the stream ends with its end-of-bitmap code
// within those bytes, and no code before it leaves the stored rows. Runs and literal runs must
// fit in a row as stored (`width` pixels padded to a whole number of 32-bit words, which
// encoders fill with runs of their own) and lie in one of the `height` rows; an end of line may
// lead from the last row to the edge above it, a delta to any place up to the row end and that
// edge, where only the end-of-bitmap code may follow.
bool CheckRleStream(const uint8_t *stream, size_t length, uint32_t width, uint32_t height, uint16_t bitCount);
