#include "vdu/painters.h"

#include <algorithm>

#include "vdu/glyph_renderer.h"
#include "vdu/image_moves.h"
#include "vdu/screen_rules.h"

namespace {

constexpr uint32_t space = 32;

// Restores the cursor when a painter is done.
class SavedCursor {
public:
    explicit SavedCursor(VduBlock *b) : b_(b), column_(b->cursorColumn), row_(b->cursorRow) {}
    ~SavedCursor()
    {
        b_->cursorColumn = column_;
        b_->cursorRow = row_;
    }

private:
    VduBlock *b_;
    int32_t column_, row_;
};

void MoveTo(VduBlock *b, int32_t column, int32_t row)
{
    b->cursorColumn = column;
    b->cursorRow = row;
}

uint32_t WordAt(const ScreenState &s, int32_t column, int32_t row)
{
    const uint32_t *cell = CellSlot(s, column, row);
    return cell ? *cell : 0;
}

// Visits the cells from the cursor to the end of the screen, the cursor on each. Cells of that
// walk outside the screen are skipped: a cursor past the end of a row starts the walk at the
// next row, a cursor above or left of the screen at its first row or column.
template <typename Visit>
void WalkToEndOfScreen(ScreenState &s, Visit visit)
{
    VduBlock *b = s.block;
    const int32_t startColumn = b->cursorColumn, startRow = b->cursorRow;
    for (int32_t r = std::max(startRow, int32_t{0}); r < s.rows; ++r)
        for (int32_t c = (r == startRow ? std::max(startColumn, int32_t{0}) : 0); c < s.columns; ++c) {
            MoveTo(b, c, r);
            visit(c, r);
        }
}

// Erases row `row` and draws it with the words of `source` (or spaces when source is -1).
void RedrawRow(ScreenState &s, int32_t row, int32_t source)
{
    VduBlock *b = s.block;
    MoveTo(b, 0, row);
    EraseRow(s);
    for (int32_t c = 0; c < s.columns; ++c) {
        const uint32_t word = source < 0 ? space : WordAt(s, c, source);
        MoveTo(b, c, row);
        b->data = word;
        DrawCell(s);
    }
}

bool CursorRowInside(const ScreenState &s)
{
    return s.block->cursorRow >= 0 && s.block->cursorRow < s.rows;
}

CellRegion ActionRegion(const ScreenState &s)
{
    const VduBlock *b = s.block;
    return RegionBetween(b->anchorColumn, b->anchorRow, b->cursorColumn, b->cursorRow, s.columns, s.rows);
}

// Sets or clears frame edges in one cell; redraws it when its frame word changed.
void ChangeFrame(ScreenState &s, int32_t c, int32_t r, uint32_t edge, bool on)
{
    uint32_t *frame = FrameSlot(s, c, r);
    if (!frame)
        return;
    const uint32_t before = *frame;
    *frame = on ? (before | edge) : (before & 0x0FFFFFFFu);
    if (*frame != before) {
        MoveTo(s.block, c, r);
        EraseAndDraw(s, WordAt(s, c, r));
    }
}

void VisitFrameEdges(ScreenState &s, bool on)
{
    if (s.columns < 1 || s.rows < 1)
        return;
    SavedCursor saved(s.block);
    const CellRegion g = ActionRegion(s);
    for (int32_t c = g.c1; c <= g.c2; ++c)
        ChangeFrame(s, c, g.r1, VDU_FRAME_TOP, on);
    for (int32_t r = g.r1; r <= g.r2; ++r) {
        ChangeFrame(s, g.c1, r, VDU_FRAME_LEFT, on);
        ChangeFrame(s, g.c2, r, VDU_FRAME_RIGHT, on);
    }
    for (int32_t c = g.c1; c <= g.c2; ++c)
        ChangeFrame(s, c, g.r2, VDU_FRAME_BOTTOM, on);
}

} // namespace

void ClearToEndOfLine(ScreenState &s)
{
    VduBlock *b = s.block;
    SavedCursor saved(b);
    const int32_t row = b->cursorRow;
    if (row < 0 || row >= s.rows)
        return;
    const int32_t first = std::max(b->cursorColumn, int32_t{0});
    if (ClearByCopy(s, first, row, row))
        return;
    for (int32_t c = first; c < s.columns; ++c) {
        MoveTo(b, c, row);
        EraseAndDraw(s, space);
    }
}

void ClearToEndOfScreen(ScreenState &s)
{
    SavedCursor saved(s.block);
    // the same cells as the walk: a cursor above the screen starts it at the first row
    const int32_t row = s.block->cursorRow, column = s.block->cursorColumn;
    if (row < s.rows && (row < 0 ? ClearByCopy(s, 0, 0, s.rows - 1)
                                 : ClearByCopy(s, std::max(column, int32_t{0}), row, s.rows - 1)))
        return;
    WalkToEndOfScreen(s, [&](int32_t, int32_t) { EraseAndDraw(s, space); });
}

void ClearHighlightedCells(ScreenState &s)
{
    SavedCursor saved(s.block);
    WalkToEndOfScreen(s, [&](int32_t c, int32_t r) {
        if (WordAt(s, c, r) & VDU_CELL_HIGHLIGHT)
            EraseAndDraw(s, space);
    });
}

void InsertLine(ScreenState &s)
{
    if (!CursorRowInside(s))
        return;
    SavedCursor saved(s.block);
    const int32_t top = s.block->cursorRow;
    const int32_t bottom = ScrollRegionBottom(s.cells, s.columns, s.rows, top);
    const bool moved = BeginRowMove(s, top, bottom, false);
    for (int32_t r = bottom; r > top; --r)
        if (!moved || !TakeMovedRow(s, r, r - 1))
            RedrawRow(s, r, r - 1);
    RedrawRow(s, top, -1);
}

void DeleteLine(ScreenState &s)
{
    if (!CursorRowInside(s))
        return;
    SavedCursor saved(s.block);
    const int32_t top = s.block->cursorRow;
    const int32_t bottom = ScrollRegionBottom(s.cells, s.columns, s.rows, top);
    const bool moved = BeginRowMove(s, top, bottom, true);
    for (int32_t r = top; r < bottom; ++r)
        if (!moved || !TakeMovedRow(s, r, r + 1))
            RedrawRow(s, r, r + 1);
    RedrawRow(s, bottom, -1);
}

void RepaintAll(ScreenState &s)
{
    VduBlock *b = s.block;
    SavedCursor saved(b);
    EraseScreen(s);
    for (int32_t r = 0; r < s.rows; ++r)
        for (int32_t c = 0; c < s.columns; ++c) {
            MoveTo(b, c, r);
            b->data = WordAt(s, c, r);
            DrawCell(s);
        }
}

void MarkButtons(ScreenState &s)
{
    if (s.columns < 1 || s.rows < 1)
        return;
    VduBlock *b = s.block;
    SavedCursor saved(b);
    const CellRegion g = ActionRegion(s);
    auto draw = [&](int32_t c, int32_t r, uint32_t word) {
        MoveTo(b, c, r);
        EraseAndDraw(s, word);
    };
    constexpr uint32_t partMask = VDU_CELL_BUTTON_MASK;
    for (int32_t r = g.r2; r >= g.r1; --r) {
        bool inButton = false;
        uint32_t previous = 0;
        for (int32_t c = g.c2; c >= g.c1; --c) {
            const uint32_t word = WordAt(s, c, r);
            const uint8_t ch = static_cast<uint8_t>(word);
            const bool highlighted = (word & VDU_CELL_HIGHLIGHT) != 0;
            if (!inButton) {
                if (ch == ':' || (ch == '|' && highlighted)) {
                    draw(c, r, (word & ~partMask) | (VDU_BUTTON_RIGHT << VDU_CELL_BUTTON_SHIFT));
                    inButton = true;
                } else if (static_cast<uint8_t>(previous) == 32 && highlighted && ch >= '0' && ch <= '9' &&
                           c + 1 < s.columns) {
                    draw(c + 1, r, 0x3000020u);
                    inButton = true;
                    previous = word;
                    ++c; // examine this column again, now in the button
                    continue;
                }
            } else {
                const uint8_t left = c > 0 ? static_cast<uint8_t>(WordAt(s, c - 1, r)) : 32;
                const uint32_t part = left > 32 ? VDU_BUTTON_MIDDLE : VDU_BUTTON_LEFT;
                draw(c, r, (word & ~partMask) | (part << VDU_CELL_BUTTON_SHIFT));
                if (part == VDU_BUTTON_LEFT)
                    inButton = false;
            }
            previous = word;
        }
    }
}

void FrameOn(ScreenState &s)
{
    VisitFrameEdges(s, true);
}

void FrameOff(ScreenState &s)
{
    VisitFrameEdges(s, false);
}

void RemoveFrames(ScreenState &s)
{
    SavedCursor saved(s.block);
    WalkToEndOfScreen(s, [&](int32_t c, int32_t r) { ChangeFrame(s, c, r, 0, false); });
}
