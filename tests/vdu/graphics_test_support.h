// Helpers of the graphics operation's tests under the running host: submitting a
// sub-operation, files on disk, and comparing regions of the screen images.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

#include "vdu_client.h"

// '4' with the sub-operation `letter` and its arguments in logical order.
inline int8_t Graphics(VduClient &vdu, char letter, int32_t a1 = 0, int32_t a2 = 0, int32_t a3 = 0, int32_t a4 = 0)
{
    VduBlock *b = vdu.block;
    b->graphicsOp = static_cast<uint8_t>(letter);
    b->graphicsArg1 = a1;
    b->graphicsArg2 = a2;
    b->graphicsArg3 = a3;
    b->graphicsArg4 = a4;
    return vdu.Submit('4');
}

inline void WriteBytes(const char *name, const std::vector<uint8_t> &bytes)
{
    const HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(written, bytes.size());
}

// 'L' of the file `name`.
inline int8_t Load(VduClient &vdu, const char *name)
{
    std::strncpy(vdu.block->bitmapPath, name, sizeof vdu.block->bitmapPath - 1);
    return Graphics(vdu, 'L');
}

// The pixels of the rectangle [left, right) x [top, bottom) of an image, row by row.
inline std::vector<COLORREF> Region(const Image &image, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    std::vector<COLORREF> pixels;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x)
            pixels.push_back(image.At(x, y));
    return pixels;
}

// Whether every pixel of the rectangle has `colour`.
inline bool AllOf(const Image &image, int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF colour)
{
    for (COLORREF p : Region(image, left, top, right, bottom))
        if (p != colour)
            return false;
    return true;
}
