#include "vdu/graphics_rules.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t int32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t int32Max = std::numeric_limits<int32_t>::max();

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp(v, int32Min, int32Max));
}

int32_t InImage(int64_t v, int32_t side)
{
    return static_cast<int32_t>(ClampGraphics(v, 0, std::max(side, 0)));
}

// One axis of a scaled draw: the source start and length and the destination length.
struct AxisPlan {
    int64_t src, length, dest;
};

AxisPlan PlanAxis(int64_t side, int64_t offset, int64_t scale, int64_t destLength)
{
    const int64_t size = side < 0 ? -side : side;
    AxisPlan a{};
    a.src = ClampGraphics(offset * 100 / scale, 0, size);
    a.length = destLength * 100 / scale;
    a.dest = destLength;
    if (a.src + a.length > size) {
        a.length = size - a.src;
        a.dest = a.length * scale / 100;
    }
    // A bitmap stored the other way round is addressed from its other end, so that the same
    // offsets show the same part of the picture either way.
    if (side < 0)
        a.src = -(a.src + side + a.length);
    return a;
}

} // namespace

int64_t ClampGraphics(int64_t v, int64_t lo, int64_t hi)
{
    if (v < lo)
        return lo;
    if (v >= hi)
        return hi;
    return v;
}

GraphicsPoint PointFromImagePixels(const GraphicsGeometry &g, int32_t a, int32_t b)
{
    return {InImage(a, g.imageWidth), InImage(b, g.imageHeight)};
}

GraphicsPoint PointFromCells(const GraphicsGeometry &g, int32_t a, int32_t b)
{
    const int64_t x = g.marginLeft + ClampGraphics(a, 0, g.columns) * g.cellWidth;
    const int64_t y = g.marginTop + ClampGraphics(b, 0, g.rows) * g.cellHeight;
    return {Saturate(x), Saturate(y)};
}

GraphicsPoint PointFromTextArea(const GraphicsGeometry &g, int32_t a, int32_t b)
{
    const int64_t x = g.marginLeft + ClampGraphics(a, 0, int64_t{g.columns} * g.cellWidth);
    const int64_t y = g.marginTop + ClampGraphics(b, 0, int64_t{g.rows} * g.cellHeight);
    return {Saturate(x), Saturate(y)};
}

GraphicsRect NormalisedRect(const GraphicsGeometry &g, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t ax = InImage(x1, g.imageWidth), bx = InImage(x2, g.imageWidth);
    const int32_t ay = InImage(y1, g.imageHeight), by = InImage(y2, g.imageHeight);
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

uint32_t DrawingColour(int32_t clientValue)
{
    const auto v = static_cast<uint32_t>(ClampGraphics(clientValue, 0, 0x2FFFFFF));
    return (v & 0x0200FF00u) | ((v & 0xFF0000u) >> 16) | ((v & 0xFFu) << 16);
}

StretchPlan PlanBitmapDraw(int32_t width, int32_t height, const GraphicsRect &placement, int32_t offsetX,
                           int32_t offsetY, int32_t scaleX, int32_t scaleY)
{
    const int64_t sx = ClampGraphics(scaleX, 1, 1000), sy = ClampGraphics(scaleY, 1, 1000);
    const AxisPlan h = PlanAxis(width, offsetX, sx, int64_t{placement.right} - placement.left);
    const AxisPlan v = PlanAxis(height, offsetY, sy, int64_t{placement.bottom} - placement.top);
    return {Saturate(h.dest), Saturate(v.dest), Saturate(h.src), Saturate(v.src), Saturate(h.length),
            Saturate(v.length)};
}
