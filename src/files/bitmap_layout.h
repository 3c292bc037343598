// Checks that a whole-file bitmap image can be drawn without reading past its end.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapLayout {
    size_t infoOffset;    // the information header, right after the 14-byte file header
    size_t bitsOffset;    // the pixel data
    int32_t width;
    int32_t height;       // absolute value: the rows drawn
    uint16_t bitCount;
};

// For a file image of `size` bytes (the size the loader checked against the size field):
// true, with `layout` filled, when the information header, the colour table and the pixel
// data all lie inside the image and the format is one that can be drawn as it stands
// (a positive width, uncompressed or bit fields, 1, 4, 8, 16, 24 or 32 bits per pixel).
bool CheckBitmapLayout(const uint8_t *image, size_t size, BitmapLayout &layout);

// The file size recorded in a whole-file image that LoadBitmapFile returned.
uint32_t BitmapFileSize(const uint8_t *image);
