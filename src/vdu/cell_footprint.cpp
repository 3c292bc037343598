#include "vdu/cell_footprint.h"

#include <algorithm>

namespace {

PixelBox RectBox(int32_t x, int32_t y, int32_t width, int32_t height)
{
    PixelBox b;
    b.left = std::min(x, x + width);
    b.right = std::max(x, x + width);
    b.top = std::min(y, y + height);
    b.bottom = std::max(y, y + height);
    return b;
}

} // namespace

PixelBox Union(const PixelBox &a, const PixelBox &b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

PixelBox PlanFootprint(const CellPlan &plan, const FontInk &ink)
{
    PixelBox box;
    for (int i = 0; i < plan.strokeCount; ++i) {
        const GlyphStroke &k = plan.strokes[i];
        box = Union(box, RectBox(k.x, k.y, k.width, k.height));
    }
    for (int i = 0; i < plan.bitmapGlyph.count; ++i) {
        const GlyphRect &r = plan.bitmapGlyph.rects[i];
        box = Union(box, RectBox(r.x, r.y, r.width, r.height));
    }
    if (plan.drawText) {
        PixelBox text = ink.of[plan.character];
        if (!text.Empty()) {
            text.left += plan.textX;
            text.right += plan.textX;
        }
        box = Union(box, text);
    }
    return box;
}

bool InsideCell(const PixelBox &box, int32_t width, int32_t height)
{
    return box.Empty() || (box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height);
}

int FootprintKind(uint32_t cellWord, uint32_t frameWord)
{
    const uint32_t edges = frameWord >> 28;
    if (edges != 0)
        return 8 * 256 + static_cast<int>(edges);
    return static_cast<int>(((cellWord >> 24) & 7) * 256 + (cellWord & 0xFF));
}

void WordsOfKind(int kind, uint32_t &cellWord, uint32_t &frameWord)
{
    if (kind >= 8 * 256) {
        cellWord = 0;
        frameWord = static_cast<uint32_t>(kind - 8 * 256) << 28;
        return;
    }
    cellWord = (static_cast<uint32_t>(kind / 256) << 24) | static_cast<uint32_t>(kind % 256);
    frameWord = 0;
}
