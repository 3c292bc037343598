#include "vdu/glyph_renderer.h"

#include "vdu/front_record.h"
#include "vdu/glyph_plan.h"

#include <algorithm>

namespace {

int64_t ImageWidth(const VduBlock *b)
{
    return int64_t{b->marginLeft} + int64_t{b->columns} * b->cellWidth + b->marginRight;
}

int64_t ImageHeight(const VduBlock *b)
{
    return int64_t{b->marginTop} + int64_t{b->rows} * b->cellHeight + b->marginBottom;
}

constexpr int32_t maxCellSide = 32767;

int32_t Clamp32(int64_t v)
{
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<int32_t>(v);
}

void SelectBrush(ScreenState &s, uint8_t index)
{
    const HBRUSH brush = s.host->brushes[index];
    if (brush != s.frontBrush) {
        SelectObject(s.frontDC, brush);
        s.frontBrush = brush;
    }
}

void SetTextColour(ScreenState &s, COLORREF colour)
{
    if (colour != s.frontTextColour) {
        SetTextColor(s.frontDC, colour);
        s.frontTextColour = colour;
    }
}

} // namespace

POINT CellOrigin(const VduBlock *b, int32_t column, int32_t row)
{
    return {Clamp32(int64_t{b->marginLeft} + int64_t{column} * b->cellWidth),
            Clamp32(int64_t{b->marginTop} + int64_t{row} * b->cellHeight)};
}

void DrawCell(ScreenState &s)
{
    VduBlock *b = s.block;
    const int32_t column = b->cursorColumn, row = b->cursorRow;
    uint32_t *cell = CellSlot(s, column, row);
    if (!cell)
        return;
    const uint32_t word = b->data, frame = *FrameSlot(s, column, row);
    *cell = word;
    RecordCellDrawn(s, column, row, word, frame);
    const POINT o = CellOrigin(b, column, row);
    // the stroke arithmetic stays far from int32 limits whatever cell size the block holds
    const CellPlan plan = PlanCell(word, frame, b->screenNumber,
                                   std::clamp(b->cellWidth, 1, maxCellSide), std::clamp(b->cellHeight, 1, maxCellSide));
    for (int i = 0; i < plan.strokeCount; ++i) {
        const GlyphStroke &k = plan.strokes[i];
        SelectBrush(s, k.brush);
        PatBlt(s.frontDC, Clamp32(int64_t{o.x} + k.x), Clamp32(int64_t{o.y} + k.y), k.width, k.height, PATCOPY);
    }
    if (plan.bitmapGlyph.count) {
        // the light grey brush is exactly the glyph colour 0xC0C0C0
        SelectBrush(s, brushLightGrey);
        for (int i = 0; i < plan.bitmapGlyph.count; ++i) {
            const GlyphRect &r = plan.bitmapGlyph.rects[i];
            PatBlt(s.frontDC, Clamp32(int64_t{o.x} + r.x), Clamp32(int64_t{o.y} + r.y), r.width, r.height, PATCOPY);
        }
    }
    if (plan.drawText) {
        SetTextColour(s, plan.textColour);
        const char text = static_cast<char>(plan.character);
        TextOutA(s.frontDC, Clamp32(int64_t{o.x} + plan.textX), o.y, &text, 1);
    }
}

void EraseCell(ScreenState &s)
{
    const VduBlock *b = s.block;
    if (!CellSlot(s, b->cursorColumn, b->cursorRow))
        return;
    const POINT o = CellOrigin(b, b->cursorColumn, b->cursorRow);
    BitBlt(s.frontDC, o.x, o.y, b->cellWidth, b->cellHeight, s.backDC, o.x, o.y, SRCCOPY);
}

void EraseRow(ScreenState &s)
{
    const VduBlock *b = s.block;
    if (b->cursorRow < 0 || b->cursorRow >= s.rows)
        return;
    const POINT o = CellOrigin(b, 0, b->cursorRow);
    BitBlt(s.frontDC, 0, o.y, Clamp32(ImageWidth(b)), b->cellHeight, s.backDC, 0, o.y, SRCCOPY);
    RecordRowErased(s, b->cursorRow);
}

void EraseScreen(ScreenState &s)
{
    const VduBlock *b = s.block;
    BitBlt(s.frontDC, 0, 0, Clamp32(ImageWidth(b)), Clamp32(ImageHeight(b)), s.backDC, 0, 0, SRCCOPY);
    RecordScreenErased(s);
}

void EraseAndDraw(ScreenState &s, uint32_t word)
{
    EraseCell(s);
    s.block->data = word;
    DrawCell(s);
}
