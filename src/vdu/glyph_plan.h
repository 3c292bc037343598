// What the renderer draws for one cell word: pattern fills, a bitmap glyph and one character,
// relative to the cell origin. Pure: the drawing itself is the renderer's.
#pragma once

#include <cstdint>

// Brushes of the host context used by the renderer.
enum GlyphBrush : uint8_t {
    brushWhite = 12,
    brushLightGrey = 13, // 0xC0C0C0
    brushGrey = 14,      // 0x808080
    brushBlack = 15,
};

struct GlyphStroke {
    uint8_t brush;
    int32_t x, y, width, height;
};

// Rectangles covering the set pixels of a bitmap-style line-drawing glyph (8 x 16, light grey).
struct GlyphRect {
    uint8_t x, y, width, height;
};

struct GlyphRects {
    const GlyphRect *rects;
    int count;
};

constexpr int maxCellStrokes = 16;

struct CellPlan {
    GlyphStroke strokes[maxCellStrokes];
    int strokeCount = 0;
    GlyphRects bitmapGlyph{nullptr, 0}; // light grey pixels, drawn after the strokes
    bool drawText = false;              // one character, drawn last
    uint8_t character = 0;
    uint32_t textColour = 0;            // COLORREF
    int32_t textX = 0;                  // offset from the cell origin; text is at y + 0
};

// Screen numbers 9 and up draw line-drawing codes as bitmaps, 8 embossed, 0 to 7 etched.
CellPlan PlanCell(uint32_t cellWord, uint32_t frameWord, int screenNumber, int32_t cellWidth, int32_t cellHeight);

// The row bytes of bitmap glyph `code` (0..31): 16 bytes, most significant bit leftmost.
const uint8_t *BitmapGlyphRows(int code);

// The same glyph as few rectangles: runs of set bits, merged over identical rows.
GlyphRects BitmapGlyphRects(int code);
