#include "vdu/image_moves.h"

#include <algorithm>

#include "vdu/front_record.h"
#include "vdu/glyph_renderer.h"

namespace {

constexpr uint32_t space = 32;

// Pixel position of a row or column in the geometry the record was made for (the block's, as
// the record checked).
int32_t RowTop(const FrontRecord &r, int32_t row)
{
    return r.marginTop + row * r.cellHeight;
}

int32_t ColumnLeft(const FrontRecord &r, int32_t column)
{
    return r.marginLeft + column * r.cellWidth;
}

// Erases the cell and draws `word` there, as the renderer's callers do.
void RedrawCell(ScreenState &s, int32_t column, int32_t row, uint32_t word)
{
    s.block->cursorColumn = column;
    s.block->cursorRow = row;
    EraseAndDraw(s, word);
}

} // namespace

bool BeginRowMove(ScreenState &s, int32_t top, int32_t bottom, bool up)
{
    FrontRecord &r = CurrentRecord(s);
    if (!r.usable || r.movesOff || top < 0 || bottom >= s.rows || bottom <= top)
        return false;
    // Every drawing of the move inside its cell: then the cells of a row can be drawn in any
    // order, and a row drawn again leaves nothing in its neighbours.
    const int32_t first = up ? top : top + 1, last = up ? bottom - 1 : bottom, shift = up ? 1 : -1;
    for (int32_t row = first; row <= last; ++row) {
        const uint32_t *words = CellSlot(s, 0, row + shift), *frames = FrameSlot(s, 0, row);
        for (int32_t c = 0; c < s.columns; ++c)
            if (!DrawsInsideCell(r, words[c], frames[c])) {
                ++r.counts.refusedMoves;
                return false;
            }
    }
    const int32_t width = ColumnLeft(r, s.columns) + r.marginRight;
    BitBlt(s.frontDC, 0, RowTop(r, first), width, (last - first + 1) * r.cellHeight, s.frontDC, 0,
           RowTop(r, first + shift), SRCCOPY);
    ++r.counts.rowMoves;
    return true;
}

bool TakeMovedRow(ScreenState &s, int32_t row, int32_t source)
{
    FrontRecord &r = CurrentRecord(s);
    if (r.stale[source] || !BackRowsAlike(s, row, source)) {
        ++r.counts.redrawnRows;
        return false;
    }
    const size_t columns = static_cast<size_t>(s.columns);
    uint32_t *words = CellSlot(s, 0, row);
    const uint32_t *frames = FrameSlot(s, 0, row);
    std::copy_n(CellSlot(s, 0, source), columns, words);
    const size_t first = static_cast<size_t>(row) * columns;
    std::copy_n(r.drawn.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(source) * columns), columns,
                r.drawn.begin() + static_cast<ptrdiff_t>(first));
    r.stale[row] = 0;
    // Indexed afresh for each cell: a client thread that changes the geometry meanwhile makes
    // the record anew (same size, new storage) inside the redraw of a cell.
    for (int32_t c = 0; c < s.columns; ++c)
        if (r.drawn[first + static_cast<size_t>(c)] != DrawnCell{words[c], frames[c]}) {
            RedrawCell(s, c, row, words[c]);
            ++r.counts.redrawnCells;
        }
    ++r.counts.movedRows;
    return true;
}

bool ClearByCopy(ScreenState &s, int32_t column, int32_t row, int32_t lastRow)
{
    FrontRecord &r = CurrentRecord(s);
    if (!r.usable || r.movesOff || row < 0 || column < 0 || lastRow >= s.rows || lastRow < row)
        return false;
    const int32_t firstColumn = std::min(column, s.columns);
    // Spaces draw nothing but frame edges; edges reaching past their cell would be cut off by
    // the erase of the next cell.
    for (int32_t y = row; y <= lastRow; ++y) {
        const uint32_t *frames = FrameSlot(s, 0, y);
        for (int32_t c = y == row ? firstColumn : 0; c < s.columns; ++c)
            if (!DrawsInsideCell(r, space, frames[c])) {
                ++r.counts.refusedClears;
                return false;
            }
    }
    const int32_t x = ColumnLeft(r, firstColumn), top = RowTop(r, row), left = ColumnLeft(r, 0);
    BitBlt(s.frontDC, x, top, (s.columns - firstColumn) * r.cellWidth, r.cellHeight, s.backDC, x, top, SRCCOPY);
    if (lastRow > row)
        BitBlt(s.frontDC, left, top + r.cellHeight, s.columns * r.cellWidth, (lastRow - row) * r.cellHeight,
               s.backDC, left, top + r.cellHeight, SRCCOPY);
    bool cleared = false;
    for (int32_t y = row; y <= lastRow; ++y)
        for (int32_t c = y == row ? firstColumn : 0; c < s.columns; ++c) {
            RecordCellErased(s, c, y);
            *CellSlot(s, c, y) = space;
            if (*FrameSlot(s, c, y) != 0) {
                s.block->cursorColumn = c;
                s.block->cursorRow = y;
                s.block->data = space;
                DrawCell(s);
            }
            cleared = true;
        }
    if (cleared)
        s.block->data = space;
    ++r.counts.copiedClears;
    return true;
}
