// The arithmetic of the graphics operation: coordinates from the client's arguments, the
// client's colour as a COLORREF, and the source and destination of a scaled bitmap draw.
// Pure; every result stays inside the int32 range whatever the arguments.
#pragma once

#include <cstdint>

struct GraphicsGeometry {
    int32_t imageWidth, imageHeight; // of the back image, margins included
    int32_t columns, rows;
    int32_t cellWidth, cellHeight;
    int32_t marginLeft, marginTop;
};

struct GraphicsPoint {
    int32_t x, y;
};

struct GraphicsRect {
    int32_t left, top, right, bottom;
};

// lo below lo, hi from hi up, else v: both bounds can be reached.
int64_t ClampGraphics(int64_t v, int64_t lo, int64_t hi);

// A point in image pixels from arguments given in image pixels, in cells (the corner just past
// the last column or row included), or in pixels of the text area.
GraphicsPoint PointFromImagePixels(const GraphicsGeometry &g, int32_t a, int32_t b);
GraphicsPoint PointFromCells(const GraphicsGeometry &g, int32_t a, int32_t b);
GraphicsPoint PointFromTextArea(const GraphicsGeometry &g, int32_t a, int32_t b);

// The rectangle between two corners, left <= right and top <= bottom, limited to the image
// (corners the host computed are inside it already; a client may have rewritten them).
GraphicsRect NormalisedRect(const GraphicsGeometry &g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The client gives 0x00RRGGBB, optionally with the palette-relative flag 0x02000000; the
// result is the COLORREF 0x00BBGGRR with the flag kept. Negative values give black, values
// past 0x02FFFFFF palette-relative white.
uint32_t DrawingColour(int32_t clientValue);

// What a scaled draw of a bitmap copies where.
struct StretchPlan {
    int32_t destWidth, destHeight;       // drawn from the placement's top-left corner
    int32_t srcX, srcY, srcWidth, srcHeight; // in the bitmap, as StretchDIBits takes them
};

// The draw of a bitmap of header width `width` and header height `height` (negative: rows
// stored top-down) into `placement`: `offsetX`, `offsetY` are where the picture starts, in
// scaled pixels; `scaleX`, `scaleY` in percent, limited to 1 to 1000. Where the picture ends
// before the placement does, the destination is cut to the picture.
StretchPlan PlanBitmapDraw(int32_t width, int32_t height, const GraphicsRect &placement, int32_t offsetX,
                           int32_t offsetY, int32_t scaleX, int32_t scaleY);
