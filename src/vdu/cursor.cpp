#include "vdu/cursor.h"

#include "host/shared_fields.h"
#include "vdu/painters.h"

void RequestRepaint(VduBlock *block, uint8_t bits)
{
    std::atomic_ref<uint8_t>(block->repaintCountdown).fetch_or(bits);
}

void NormaliseCursor(ScreenState &s)
{
    VduBlock *b = s.block;
    const int32_t columns = s.columns, rows = s.rows;
    if (b->cursorColumn < 0) {
        b->cursorColumn = columns - 1;
        b->cursorRow = static_cast<int32_t>(int64_t{b->cursorRow} - 1);
    }
    if (b->cursorRow < 0) {
        b->cursorColumn = b->cursorRow = 0;
        InsertLine(s);
        b->cursorColumn = b->cursorRow = 0;
        RequestRepaint(b, VDU_REPAINT_REQUEST);
    }
    // the row below the last one may lie past the end of int32: compare it unnarrowed
    int64_t row = b->cursorRow;
    if (b->cursorColumn >= columns) {
        ++row;
        b->cursorColumn = 0;
    }
    if (row >= rows) {
        b->cursorColumn = b->cursorRow = 0;
        DeleteLine(s);
        b->cursorColumn = 0;
        b->cursorRow = rows - 1;
        RequestRepaint(b, VDU_REPAINT_REQUEST);
    } else {
        b->cursorRow = static_cast<int32_t>(row);
    }
}
