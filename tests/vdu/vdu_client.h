// Test harness for the character screens: runs a test body as the host's worker (a client
// thread under the running host) and drives a screen through real requests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "host/host_api.h"
#include "vdu/vdu_block.h"

// A copy of a screen image, taken under the screen's lock; pixels as COLORREF.
struct Image {
    int32_t width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int32_t x, int32_t y) const { return pixels[x + y * width]; }
    bool operator==(const Image &other) const = default;
};

// Runs `body` as the worker of a fresh host; returns the host's exit code.
int RunClient(std::function<void(HostContext *)> body);

struct Geometry {
    int32_t columns = 80, rows = 24, cellWidth = 8, cellHeight = 16;
    int32_t marginLeft = 12, marginTop = 104, marginRight = 4, marginBottom = 8;
};

class VduClient {
public:
    explicit VduClient(HostContext *context);
    ~VduClient();

    int8_t Open(const Geometry &g = {}, uint32_t screenNumber = 0);
    int8_t Close();
    // 'T' of each character of `text`.
    void Put(const char *text);
    void Put(uint8_t ch);
    // 'U' with `code` (and `extra` for code 16).
    void Control(uint8_t code, uint32_t extra = 0);
    int8_t Submit(uint8_t op);
    void MoveTo(int32_t column, int32_t row);

    uint32_t Cell(int32_t column, int32_t row) const;
    uint32_t Frame(int32_t column, int32_t row) const;
    // A pixel of the front or back image, read under the screen's lock.
    COLORREF Front(int32_t x, int32_t y) const;
    COLORREF Back(int32_t x, int32_t y) const;
    POINT Origin(int32_t column, int32_t row) const;
    // The whole front (or back) image.
    Image Capture(bool front = true) const;
    // Draws `word` at (column, row) with the frame word `frame`, straight through the renderer
    // (erasing the cell first when `erase`), as the painters do; the cursor is kept.
    void Render(int32_t column, int32_t row, uint32_t word, uint32_t frame = 0, bool erase = true);
    // 'T' of `text` from (column, row).
    void Write(int32_t column, int32_t row, const char *text);

    HostContext *context;
    VduBlock *block;
};
