// Checks that a whole-file bitmap image can be drawn without reading past its end.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapLayout {
    size_t infoOffset;    // the information header, right after the 14-byte file header
    size_t infoSize;      // the header with its colour table or masks, as drawing reads them
    size_t bitsOffset;    // the pixel data
    size_t bitsSize;      // the bytes of pixel data drawing reads: all rows, or the encoded stream
    int32_t width;
    int32_t height;       // absolute value: the rows drawn
    bool topDown;
    uint16_t bitCount;
    uint32_t compression; // as the information header gives it; 0 for the core header
};

// For a file image of `size` bytes (the size the loader checked against the size field):
// true, with `layout` filled, when the information header, the colour table and the pixel
// data all lie inside the image and the format is one the platform draws from it as it stands:
// - a header of 40 bytes or more: a positive width; uncompressed at 1, 4, 8, 16, 24 or 32 bits
//   per pixel, bit fields at 16 or 32, or run-length encoded (RLE8 at 8 bits, RLE4 at 4),
//   bottom-up, with a stated stream size and a stream that CheckRleStream accepts;
// - the 12-byte core header: 1, 4, 8 or 24 bits per pixel, a full table of 3-byte entries.
bool CheckBitmapLayout(const uint8_t *image, size_t size, BitmapLayout &layout);

// The file size recorded in a whole-file image that LoadBitmapFile returned.
uint32_t BitmapFileSize(const uint8_t *image);
